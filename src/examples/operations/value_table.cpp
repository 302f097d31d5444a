#include "examples/operations/value_table.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "formula/opcodes.h"

namespace quorlin::examples {

namespace k = quorlin::examples::kind;

namespace {

std::string Cell(const NumberFormat& format, std::optional<long double> v) {
    if (!v || !std::isfinite(*v)) return "-";
    std::string text = format.FormatNum(*v);
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

std::optional<long double> Value(FormulaContext& formulas, TExprNode* tree) {
    if (!tree || !formulas.Evaluate(*tree)) return std::nullopt;
    return tree->re;
}

std::string Line(std::span<const std::string> cells) {
    std::string line;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c > 0) line += '\t';
        line += cells[c];
    }
    return line + "\n";
}

// Rows of the trees at `slot` = each of the values.
std::string TreeRows(FormulaContext& formulas, TExample& e, int slot,
                     const std::vector<long double>& at, std::span<const int> trees,
                     const NumberFormat& format) {
    std::string text;
    for (const long double v : at) {
        formulas.SetVar(slot, v);
        std::vector<std::string> cells{Cell(format, v)};
        for (const int t : trees) cells.push_back(Cell(format, Value(formulas, e.Tree(t).get())));
        text += Line(cells);
    }
    return text;
}

std::vector<long double> Steps(long double low, long double high, int steps) {
    steps = std::clamp(steps, 1, kMaxTableRows - 1);
    std::vector<long double> at;
    for (int i = 0; i <= steps; ++i)
        at.push_back(i == steps ? high : low + (high - low) * i / steps);
    return at;
}

// Rows of a surface's tree 3 over the grid of its two ranges (x and y, or r and t), the two
// variables in the first columns.
std::string GridRows(FormulaContext& formulas, TExample& e, int firstSlot, int secondSlot,
                     const NumberFormat& format) {
    const int steps = std::clamp<int>(e.tableSteps, 1, 20);
    std::string text;
    for (const long double u : Steps(e.rangeLow[0], e.rangeHigh[0], steps)) {
        formulas.SetVar(firstSlot, u);
        const int trees[] = {3};
        std::vector<long double> at = Steps(e.rangeLow[1], e.rangeHigh[1], steps);
        std::string rows = TreeRows(formulas, e, secondSlot, at, trees, format);
        // Each row of TreeRows starts with the second variable: put the first before it.
        for (std::size_t start = 0; start < rows.size();) {
            const std::size_t end = rows.find('\n', start);
            text += Cell(format, u) + '\t' + rows.substr(start, end + 1 - start);
            start = end + 1;
        }
    }
    return text;
}

// The bodies of an orbital system as they stand: position, velocity and mass of each.
std::string BodyRows(const TExample& e, const NumberFormat& format) {
    constexpr std::size_t kVelocities = 12, kMasses = 24, kMaxBodies = 12;
    std::string text;
    const std::size_t bodies =
        std::min<std::size_t>(std::max(e.derivationParam + 1, 0), kMaxBodies);
    for (std::size_t b = 0; b < bodies && kMasses + b < e.points.size(); ++b) {
        const Vec3 p = e.points[b], v = e.points[kVelocities + b];
        text += Line(std::vector<std::string>{
            std::to_string(b + 1), Cell(format, p.x), Cell(format, p.y), Cell(format, v.x),
            Cell(format, v.y), Cell(format, e.points[kMasses + b].x)});
    }
    return text;
}

}  // namespace

std::string CurveValueTable(TInventory& inventory, int index, FormulaContext& formulas,
                            const NumberFormat& format) {
    if (!inventory.IsIndex(index)) return {};
    TExample& e = inventory[index];
    formulas.SaveVariables();
    std::string text;
    switch (e.kind) {
        case k::kExplicit: {
            const int trees[] = {2};
            text = Line(std::vector<std::string>{"x", "f(x)"}) +
                   TreeRows(formulas, e, slot::kX, Steps(e.tableLow, e.tableHigh, e.tableSteps),
                            trees, format);
            break;
        }
        case k::kPolar:
        case k::kParametric: {
            const int trees[] = {1, 2};
            text = Line(std::vector<std::string>{"t", "x", "y"}) +
                   TreeRows(formulas, e, slot::kT,
                            Steps(e.rangeLow[0], e.rangeHigh[0], e.tableSteps), trees, format);
            break;
        }
        case k::kSurface:
            text = Line(std::vector<std::string>{"x", "y", "z"}) +
                   GridRows(formulas, e, slot::kX, slot::kY, format);
            break;
        case k::kPolarSurface:
            text = Line(std::vector<std::string>{"r", "t", "z"}) +
                   GridRows(formulas, e, slot::kR, slot::kT, format);
            break;
        case k::kSpaceSegment:
        case k::kSpaceCurve: {
            const int trees[] = {1, 2, 3};
            text = Line(std::vector<std::string>{"t", "x", "y", "z"}) +
                   TreeRows(formulas, e, slot::kT,
                            Steps(e.rangeLow[0], e.rangeHigh[0], e.tableSteps), trees, format);
            break;
        }
        case k::kOrbital:
            text = Line(std::vector<std::string>{"body", "x", "y", "x'", "y'", "mass"}) +
                   BodyRows(e, format);
            break;
        case k::kPlotPoints: {
            const int count =
                std::clamp<int>(e.PlotPointCount(), 0, static_cast<int>(e.values.size()));
            const std::vector<long double> at(e.values.begin(), e.values.begin() + count);
            const bool overX = e.PlotPointVariable() == slot::kX;
            const int trees[] = {1, 2};
            const int slotIndex = e.PlotPointVariable() >= 1 && e.PlotPointVariable() <= 26
                                      ? e.PlotPointVariable()
                                      : slot::kT;
            text = Line(std::vector<std::string>{overX ? "x" : "t", "x", "y"}) +
                   TreeRows(formulas, e, slotIndex, at, trees, format);
            break;
        }
        default:
            break;
    }
    formulas.RestoreVariables();
    return text;
}

std::string PointValueTable(std::span<const std::string_view> names, std::span<const Vec3> points,
                            std::span<const long double> parameters, int coordinates,
                            const NumberFormat& format) {
    std::vector<std::string> header(names.begin(), names.end());
    std::string text = Line(header);
    const std::size_t rows = std::min<std::size_t>(points.size(), kMaxTableRows);
    for (std::size_t r = 0; r < rows; ++r) {
        std::vector<std::string> cells;
        if (r < parameters.size()) cells.push_back(Cell(format, parameters[r]));
        const long double v[3] = {points[r].x, points[r].y, points[r].z};
        for (int c = 0; c < std::clamp(coordinates, 1, 3); ++c) cells.push_back(Cell(format, v[c]));
        text += Line(cells);
    }
    return text;
}

}  // namespace quorlin::examples
