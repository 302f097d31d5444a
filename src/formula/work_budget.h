#pragma once
// A bound on the work that one parse, or one read of a user-function block, may do.
//
// Formula texts come from users and from files, and a few dozen characters of nested
// derivative forms can ask for millions of nodes. The parser, the differentiator, the
// collection of terms and the simplifier spend units (about one per node they build, copy or
// evaluate) from the budget in force; past its bound Spend throws WorkBudget::Exhausted, which
// the parser turns into error 110 ("formula too long"). A budget may draw on a parent as well,
// so that every parse of a block also counts against the block.
namespace quorlin {

class WorkBudget {
public:
    struct Exhausted {};

    explicit WorkBudget(long long units, WorkBudget* parent = nullptr)
        : left_(units), parent_(parent) {}

    // Takes the units from this budget and its parents; throws Exhausted past any bound.
    void Spend(long long units) {
        left_ -= units;
        if (parent_) parent_->Spend(units);
        if (left_ < 0) throw Exhausted{};
    }
    long long Left() const { return left_; }

private:
    long long left_;
    WorkBudget* parent_;
};

// Spends from a budget that may be absent (work outside a parse is not bounded here).
inline void Spend(WorkBudget* budget, long long units) {
    if (budget) budget->Spend(units);
}

}  // namespace quorlin
