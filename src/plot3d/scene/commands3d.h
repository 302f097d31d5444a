#pragma once
// The 3D menu's commands as questions to the inventory, without the window: whether each may
// be chosen, from the counts of the examples of each kind, and which examples keep each 3D tool
// dialog open (a dialog closes once the inventory holds none of its kinds).
#include <array>
#include <map>
#include <optional>

#include "examples/operations/tool_commands.h"
#include "examples/records/inventory.h"

namespace quorlin::plot3d {

// How many examples of each kind an inventory holds: `listed` counts those not marked skipped,
// `all` every record.
struct TKindCounts {
    std::map<int, int> listed;
    std::map<int, int> all;
    int total = 0;
    bool room = true;  // the inventory can take another example

    static TKindCounts Of(const examples::TInventory& inventory);
    bool Has(int kind) const;
    int Count(int kind) const;
};

// Whether the 3D command may be chosen; nothing for a command without a 3D condition.
// ivpExample: the example the shown "IVP10" works on (-1 when it is not shown).
std::optional<bool> Plot3DCommandEnabled(int id, const TKindCounts& counts, int ivpExample);

// The 3D tool dialogs that a window closes once the inventory no longer holds what they need.
enum class Tool3D {
    Slicer,
    Stereogram,
    CurveSlider,
    IntegralXY,
    IntegralPolar,
    SurfaceArea,
    CurveSurface,
    LineIntegral,
    SurfaceIntegral,
};

// The kind groups that keep the dialog open (a row of the window's keep-table).
const examples::TKeepRule& KeepRule3D(Tool3D tool);

// The curve slider of a 3D window works on these.
inline constexpr std::array<int, 2> kCurveSliderKinds{304, 325};

}  // namespace quorlin::plot3d
