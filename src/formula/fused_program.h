#pragma once
// Several trees evaluated at the same points as one program: the components of a vector field,
// whose trees share subtrees (x*y in both components of a predator-prey system). In real mode
// the trees are translated into one code that runs once a point, computes a subtree common to
// several trees once and leaves each tree's value in its own output; each value is the one the
// tree's own TreeProgram gives, bit for bit, defined where it is defined. In complex mode, or
// when a tree has nodes that the real code does not translate, each tree runs its own
// TreeProgram. The program lives as long as the loop that made it, as a TreeProgram does.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "formula/formula_context.h"
#include "formula/tree_program.h"

namespace quorlin {

class FusedProgram {
public:
    // The most trees one program evaluates: one bit each in the answer of Evaluate.
    static constexpr int kMostTrees = 32;

    // Compiles the trees (null ones are never defined, as in a TreeProgram) for the context's
    // current mode; trees beyond kMostTrees are left out.
    FusedProgram(FormulaContext& context, std::span<TExprNode* const> trees);
    ~FusedProgram();
    FusedProgram(FusedProgram&&) noexcept;
    FusedProgram& operator=(FusedProgram&&) noexcept;
    FusedProgram(const FusedProgram&) = delete;
    FusedProgram& operator=(const FusedProgram&) = delete;

    int Count() const { return static_cast<int>(trees_.size()); }
    // Every tree's value at the context's current variables into out[0..Count()), as its own
    // TreeProgram's Evaluate leaves it; bit i set where tree i is defined.
    std::uint32_t Evaluate(long double* out) const;
    // The answer of Evaluate when every tree is defined.
    std::uint32_t AllDefined() const { return Count() == 0 ? 0 : ~0U >> (32 - Count()); }
    // True when the trees run as one code (for tests and benchmarks).
    bool Fused() const { return fused_ != nullptr; }
    // Instructions of the one code (0 when the trees run their own programs).
    int Size() const;

private:
    std::uint32_t EvaluateEach(long double* out) const;

    FormulaContext* context_;
    std::vector<TExprNode*> trees_;
    std::unique_ptr<program_detail::RealCode> fused_;
    std::vector<TreeProgram> separate_;  // when not fused
};

}  // namespace quorlin
