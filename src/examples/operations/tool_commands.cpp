#include "examples/operations/tool_commands.h"

#include <algorithm>

#include "examples/records/inventory_listing.h"
#include "resources/command_ids.h"

namespace quorlin::examples {

namespace cmd = resources::cmd;

namespace {

constexpr int kMinSketchThickness = 1;
constexpr int kMaxSketchThickness = 6;

bool Has(const TInventory& inventory, std::initializer_list<int> kinds) {
    return FindExampleOfKind(inventory, kinds) >= 0;
}

}  // namespace

bool HasExampleOfKind(const TInventory& inventory, std::span<const int> kinds) {
    return FindExampleOfKind(inventory, kinds) >= 0;
}

bool KeepsToolDialog(const TKeepRule& rule, const TInventory& inventory) {
    return !rule.empty() && std::ranges::all_of(rule, [&](const std::vector<int>& group) {
        return HasExampleOfKind(inventory, group);
    });
}

bool ToolCommandEnabled(int id, const TInventory& inventory, int dimension) {
    const bool space = dimension >= 3;
    switch (id) {
        case cmd::kInventory:
        case cmd::kInspect:
            return !inventory.Empty();
        case cmd::kPlotList:
        case cmd::kArcLength:
            return HasExampleOfKind(inventory, kCurveKinds);
        // Only the kinds some combination builds from: the polar, parametric and spherical
        // surfaces and the planes combine with nothing.
        case cmd::kCombinations:
            if (space)
                return Has(inventory, {kind::kSurface, kind::kSpaceCurve, kind::kSpaceSystem,
                                       kind::kSpaceSequence});
            return Has(inventory,
                       {kind::kExplicit, kind::kPolar, kind::kParametric, kind::kSystem,
                        kind::kSlope, kind::kSequence, kind::kComplexMap, kind::kPlaneMap});
        case cmd::kRoulettes:
        case cmd::kEvolutes:
            return !space && Has(inventory, {kind::kExplicit, kind::kPolar, kind::kParametric});
        case cmd::kLineIntegral:
            return space
                       ? Has(inventory, {kind::kSpaceSystem}) && Has(inventory, {kind::kSpaceCurve})
                       : Has(inventory, {kind::kSystem}) && Has(inventory, {kind::kParametric});
        case cmd::kIntegrate:
        case cmd::kIntegrateTwo:
        case cmd::kVolumeTwo:
        case cmd::kSections:
            return !space && Has(inventory, {kind::kExplicit});
        case cmd::kSectorArea:
            return !space && Has(inventory, {kind::kExplicit, kind::kPolar, kind::kParametric});
        case cmd::kVolumeOfRevolution:
        case cmd::kAreaOfRevolution:
            return !space && Has(inventory, {kind::kExplicit, kind::kPolar, kind::kParametric,
                                             kind::kSegment});
        case cmd::kSurfaceOfRevolution:
            return !space && Has(inventory, {kind::kExplicit, kind::kPolar, kind::kParametric,
                                             kind::kImplicit, kind::kSegment});
        case cmd::kSurfaceIntegral:
            return space && Has(inventory, {kind::kSpaceSystem}) &&
                   Has(inventory, {kind::kParametricSurface});
        case cmd::kReflect:
        case cmd::kRotate:
            return !space && HasExampleOfKind(inventory, kReflectableKinds);
        case cmd::kTranslate:
            return !space && HasExampleOfKind(inventory, kTranslatableKinds);
        case cmd::kDistance:
            return CountExamplesOfKind(inventory, space ? kind::kSpacePoint : kind::kPoint) > 1;
        // The shading tools work on explicit and implicit curves.
        case cmd::kShadeExplicit:
            return !space && Has(inventory, {kind::kExplicit});
        case cmd::kShadeImplicit:
            return !space && Has(inventory, {kind::kImplicit});
        // The searches: zeros of explicit curves, segments and lines; extremes of curves.
        case cmd::kZeros:
            return !space && Has(inventory, {kind::kExplicit, kind::kSegment, kind::kLine});
        case cmd::kExtremes:
            return !space && Has(inventory, {kind::kExplicit, kind::kPolar, kind::kParametric});
        case cmd::kIntersections:
            if (space) return true;  // the 3D windows' own command
            return Has(inventory, {kind::kExplicit, kind::kPolar, kind::kParametric,
                                   kind::kImplicit, kind::kSegment, kind::kLine});
        default:
            return true;
    }
}

std::vector<TToolWindow> ToolWindowsOfMask(std::uint16_t mask) {
    using K = TToolWindow::Kind;
    static constexpr TToolWindow kByBit[] = {
        {K::Time, 0}, {K::Time, 1},  {K::Time, 2},  {K::Time, 3},  {K::Ivp, 10}, {K::Ivp, 11},
        {K::Ivp, 12}, {K::Phase, 0}, {K::Phase, 1}, {K::Phase, 2}, {K::Ivp, 20},
    };
    std::vector<TToolWindow> windows;
    for (std::size_t bit = 0; bit < std::size(kByBit); ++bit)
        if (mask & (1u << bit)) windows.push_back(kByBit[bit]);
    return windows;
}

namespace {

// A value as the window shows it, without the blanks that fill its field.
std::string Trimmed(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

}  // namespace

std::string DataListing(TInventory& inventory, const TTextSettings& settings) {
    TListingText text;
    for (int i = 0; i <= inventory.LastIndex(); ++i) {
        if (!text.Append(DescribeExample(inventory, i, settings))) return text.Take();
        for (const TMarkedPoint& point : inventory[i].markedPoints) {
            std::string line = "  " + point.label + " = (";
            const int used = std::clamp<int>(point.word, 1, 4);
            for (int k = 0; k < used; ++k) {
                if (k > 0) line += ',';
                line +=
                    Trimmed(settings.format.FormatNum(point.values[static_cast<std::size_t>(k)]));
            }
            if (!text.Append(line + ")")) return text.Take();
        }
    }
    return text.Take();
}

int SketchThicknessOf(int typed) {
    return std::clamp(typed, kMinSketchThickness, kMaxSketchThickness);
}

}  // namespace quorlin::examples
