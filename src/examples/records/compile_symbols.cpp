// The symbol buffer (which operations and parameters the examples use) and the parameters an
// example names.
#include "examples/records/compile.h"
#include "examples/records/compile_support.h"
#include "examples/records/derivation.h"

namespace quorlin::examples {

using namespace compile_support;

namespace {

constexpr int kLastParameterLetter = slot::kLastParameter;  // W

}  // namespace

void TExampleCompiler::MarkTreeSymbols(const TExprNode* tree, TSymbolBuffer& buffer) {
    if (!tree) return;
    buffer.Mark(tree->op);
    if (tree->op == op::kJoin) buffer.Mark(tree->aux);  // the variable the pieces join along
    for (const NodePtr& c : tree->child) MarkTreeSymbols(c.get(), buffer);
}

int TExampleCompiler::MarkTextSymbols(std::string_view text) {
    if (const int error = ctx_.Parse(text)) return error;
    const NodePtr tree = ctx_.TakeParseResult();
    MarkTreeSymbols(tree.get(), symbols_);
    return 0;
}

void TExampleCompiler::MarkUsedSymbols(std::span<const TExprNode* const> extraTrees,
                                       std::span<const int> extraLetters) {
    symbols_.Clear();
    for (int i = 0; i < inventory_.Count(); ++i) MarkSymbolsOfExample(i);
    for (const TExprNode* tree : extraTrees) MarkTreeSymbols(tree, symbols_);
    for (const int letter : extraLetters)
        if (letter > 0) symbols_.MarkLetter(letter);
}

void TExampleCompiler::MarkSymbolsOfExample(int i) {
    if (!inventory_.IsIndex(i)) return;
    const TInventoryEntry& entry = inventory_.Entry(i);
    const TExample& e = entry.example;
    for (const NodePtr& tree : e.trees) MarkTreeSymbols(tree.get(), symbols_);
    auto markPositive = [this](int letter) {
        if (letter > 0) symbols_.MarkLetter(letter);
    };
    switch (e.kind) {
        case kind::kExplicit:
            if (e.WebOn() && e.subKind >= 0) symbols_.MarkLetter(e.subKind);  // web seed
            break;
        case kind::kIntegral:
            markPositive(e.subKind);
            break;
        case kind::kPlane:
            markPositive(e.FirstLetter());
            markPositive(e.SecondLetter());
            break;
        default:
            break;
    }
    if (e.kind == kind::kSystem || e.kind == kind::kSlope || e.kind == kind::kSpaceSystem)
        markPositive(e.FieldParameter());
    if (e.kind == kind::kSystem || e.kind == kind::kSlope || e.kind == kind::kSequence ||
        e.kind == kind::kHigherOrder)
        MarkTrajectorySymbols(i);
    if ((e.kind == kind::kParametric || e.kind == kind::kSpaceCurve) &&
        e.derivation == derived::kTangentLine)
        MarkTextSymbols(e.Text(4));
    // Null unless the example has a range (the period of a periodic curve is in its tree 2).
    for (const NodePtr* tree : {&entry.rangeLow, &entry.rangeHigh, &entry.thirdRange})
        MarkTreeSymbols(tree->get(), symbols_);
}

void TExampleCompiler::MarkTrajectorySymbols(int i) {
    if (!inventory_.IsIndex(i)) return;
    const TExample& e = inventory_[i];
    for (const TTrajectory& trajectory : e.trajectories) {
        if (e.kind == kind::kHigherOrder) {
            MarkTreeSymbols(trajectory.trees[0].get(), symbols_);
        } else if (trajectory.kind > TTrajectory::kFormulaKindOffset) {
            for (const NodePtr& tree : trajectory.trees) MarkTreeSymbols(tree.get(), symbols_);
        }
    }
}

void TExampleCompiler::SetParamsFromExample(int i) {
    if (!inventory_.IsIndex(i)) return;
    const TExample& e = inventory_[i];
    auto set = [this](int letter, long double value, long double low, long double high) {
        if (letter < 1 || letter > kLastParameterLetter) return;
        if (sink_) {
            sink_->SetParameter(letter, value, low, high);
            return;
        }
        ctx_.SetVar(letter, value);
        ctx_.params.left[static_cast<std::size_t>(letter)] = low;
        ctx_.params.right[static_cast<std::size_t>(letter)] = high;
    };
    for (const TBoundRange& range : kBoundRanges) {
        int h = 0, u = 0;
        if (!UnpackLetterPair(e.Number(range.letters), h, u)) continue;
        const long double low = e.Number(range.low);
        const long double high = e.Number(range.high);
        set(u, low, low, high);
        set(h, high, low, high);
    }
}

std::optional<long double> BoundFieldLength(const FormulaContext& f, const TExample& e) {
    const int letter = e.FieldParameter();
    if (letter < 1 || letter > kLastParameterLetter) return std::nullopt;
    return f.Var(letter);
}

}  // namespace quorlin::examples
