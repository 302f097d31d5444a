#pragma once
// The tool commands of a graphing window as questions to its inventory, without the window:
// whether each command of the tool level may be chosen, whether a tool dialog still has an
// example to work on, which tool windows an open-tools mask names (in the order they reopen),
// and the data list that "Inspect ..." shows (the entries the tools recorded on each example).
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "examples/records/equation_text.h"
#include "examples/records/inventory.h"

namespace quorlin::examples {

// The curves the arc length (and the point lists) work on.
inline constexpr std::array<int, 4> kCurveKinds{kind::kExplicit, kind::kPolar, kind::kParametric,
                                                kind::kSpaceCurve};
// The kinds the reflect and rotate tools take, and the kinds the translate tool takes.
inline constexpr std::array<int, 10> kReflectableKinds{
    kind::kExplicit, kind::kPolar, kind::kParametric, kind::kImplicit, kind::kSegment,
    kind::kLine,     kind::kPoint, kind::kSystem,     kind::kSlope,    kind::kSequence};
inline constexpr std::array<int, 6> kTranslatableKinds{
    kind::kExplicit, kind::kParametric, kind::kImplicit, kind::kSegment, kind::kLine, kind::kPoint};

// Whether the tool command may be chosen with this inventory in a window of the dimension;
// commands without a condition of this level are always allowed.
bool ToolCommandEnabled(int id, const TInventory& inventory, int dimension);

// Whether the inventory still holds a listed example of one of the kinds.
bool HasExampleOfKind(const TInventory& inventory, std::span<const int> kinds);

// Kind groups that keep a tool dialog open: each group needs an example of one of its kinds
// ({{301, 305}, {304}} is "a 301 or 305, and a 304"). An empty rule keeps nothing.
using TKeepRule = std::vector<std::vector<int>>;
bool KeepsToolDialog(const TKeepRule& rule, const TInventory& inventory);

// A tool window of an open-tools mask: a time window (0-3), an initial-value dialog (10, 11,
// 12, 20) or a phase window (0-2).
struct TToolWindow {
    enum class Kind { Time, Ivp, Phase };
    Kind kind;
    int index;
    friend bool operator==(const TToolWindow&, const TToolWindow&) = default;
};
// The windows the mask names, in bit order.
std::vector<TToolWindow> ToolWindowsOfMask(std::uint16_t mask);

// The data list of the inventory: each example's equation text on a line, then each of its
// data entries, newest first, indented by two blanks as "label = (v1,...)" with the values it
// uses in the settings' number format; CR LF after every line, at most 64000 characters.
std::string DataListing(TInventory& inventory, const TTextSettings& settings);

// The sketch pen width a typed value gives: the widths a diagram file keeps, 1 to 6.
int SketchThicknessOf(int typed);

}  // namespace quorlin::examples
