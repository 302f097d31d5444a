#include "examples/operations/plot_points.h"

#include <algorithm>

#include "core/errors.h"

#include "examples/records/derivation.h"
#include "examples/records/equation_text.h"
#include "examples/records/trajectory.h"
#include "formula/formula_context.h"

namespace quorlin::examples {

namespace {

bool IsListSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ';';
}

bool IsNumberCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '.';
}

}  // namespace

int CheckPlotPointList(std::string_view listText) {
    std::size_t numbers = 0;
    std::size_t pos = 0;
    while (pos < listText.size()) {
        if (IsListSeparator(listText[pos])) {
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        while (pos < listText.size() && IsNumberCharacter(listText[pos])) ++pos;
        const std::string_view run = listText.substr(start, pos - start);
        const bool number = !run.empty() && run.find_first_of("0123456789") != run.npos &&
                            ScanNumbers(run).size() == 1;
        if (!number) return kErrCannotUnderstand;
        ++numbers;
    }
    return numbers > 0 ? kNoError : kErrCannotUnderstand;
}

int AppendPlotPointsExample(TInventory& inventory, int parent, std::string_view listText,
                            int dotSize, int colour) {
    if (!inventory.IsIndex(parent) || !inventory.HasRoom()) return -1;
    TExample e;
    e.Init(kind::kPlotPoints, colour, 50);
    e.derivation = derived::kPlotPoints;
    e.parent[0] = static_cast<std::int16_t>(parent);
    e.pen.width = static_cast<std::uint16_t>(std::clamp(dotSize, 0, 100));
    e.subKind = inventory[parent].kind;
    e.Text(4) = CutToRecordText(std::string(listText));
    e.PlotPointVariable() =
        static_cast<std::int16_t>(inventory[parent].kind == kind::kExplicit ? slot::kX : slot::kT);
    const int index = inventory.Append(std::move(e));
    RebuildPlotPointsExample(inventory, index);
    return index;
}

bool RebuildPlotPointsExample(TInventory& inventory, int index) {
    if (!inventory.IsIndex(index)) return false;
    TExample& e = inventory[index];
    const int parent = e.parent[0];
    if (!inventory.IsIndex(parent) || parent >= index) return false;
    const std::vector<long double> values = ScanNumbers(e.Text(4));
    const std::size_t n = std::min(values.size(), e.values.size());
    std::copy_n(values.begin(), n, e.values.begin());
    e.PlotPointCount() = static_cast<std::int16_t>(n);
    const TExample& p = inventory[parent];
    e.rangeLow[0] = p.rangeLow[0];
    e.rangeHigh[0] = p.rangeHigh[0];
    e.lockInterval = p.lockInterval;
    for (int t = 1; t <= 3; ++t) e.Tree(t) = TExprNode::CopyTree(p.Tree(t));
    return true;
}

}  // namespace quorlin::examples
