#pragma once
// The double-integral dialog of a 3D window without the window: its three modes as rows of one
// table (the double integral over z = f(x, y), the surface area, the polar double integral of
// f(r, t) r dr dt), the variable letters of each surface kind and the range labels they make,
// the reading of the six fields (two ranges and two division counts) with their checks, the
// data-list text of a result, and the list of the examples a mode accepts, which keeps its
// selection by example.
#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "examples/operations/integration.h"
#include "examples/records/inventory.h"
#include "plot3d/scene/commands3d.h"

namespace quorlin::plot3d {

enum class Riem3Mode { DoubleIntegral = 0, SurfaceArea = 1, PolarIntegral = 2 };

// One mode of the dialog.
struct TRiem3ModeRow {
    Riem3Mode mode;
    int command;                 // the menu command that opens it
    std::span<const int> kinds;  // the example kinds it lists
    int entryTag;                // the tag of the data-list entry of a result
    int entryWord;               // string id of the entry's last word
    Tool3D tool;                 // the window's keep rule of the dialog
};

std::span<const TRiem3ModeRow> Riem3Modes();
const TRiem3ModeRow& Riem3ModeRow(Riem3Mode mode);

// The caption of the dialog in the mode: "integration dx dy", "area", "integration r dr dt".
std::string Riem3Caption(Riem3Mode mode);

// The letters of the two variables of a surface kind: x and y; r and t for 302; t and u for
// 303.
std::array<char, 2> IntegrationLetters(int kind);
// The four range labels of a kind: "x min", "x max", "y min", "y max" with its letters.
std::array<std::string, 4> RangeLabels(int kind);

// The six fields as typed: first low, first high, first divisions, second low, second high,
// second divisions.
using TRiem3Texts = std::array<std::string, 6>;
// The readers of the window: a number (an expression) and a whole number in bounds; each
// returns 0 or an error number.
struct TFieldReaders {
    std::function<int(std::string_view, long double&)> number;
    std::function<int(std::string_view, long long, long long, int&)> integer;
};
// The two axes as read, or the first error: the reader's (a parser error, 17 for a count
// outside 1..2147483647), or 6 for ends that are equal or inverted. Slots are left as given.
int ReadIntegralFields(const TRiem3Texts& texts, const TFieldReaders& read,
                       examples::TIntegrationAxis& first, examples::TIntegrationAxis& second);

// The text of a result's data-list entry: "100x100 integration" ("area" for the area).
std::string Riem3EntryText(Riem3Mode mode, int firstCount, int secondCount);

// The examples of the accepted kinds in inventory order, as a list shows them.
class TExampleChoice {
public:
    void Fill(const examples::TInventory& inventory, std::span<const int> kinds);
    int Count() const { return static_cast<int>(examples_.size()); }
    bool Empty() const { return examples_.empty(); }
    std::span<const int> Examples() const { return examples_; }
    // The example at a list position; -1 outside the list.
    int ExampleAt(int position) const;
    // The list position of an example; -1 when it is not listed.
    int PositionOf(int example) const;
    // The position to select after a refill: the example that was selected when it is still
    // listed, else the first; -1 for an empty list.
    int PositionAfterRefill(int selectedExample) const;

private:
    std::vector<int> examples_;
};

}  // namespace quorlin::plot3d
