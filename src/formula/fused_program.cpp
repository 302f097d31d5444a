// Several trees as one real code, or as their own programs where that code cannot serve.
#include "formula/fused_program.h"

#include <algorithm>

#include "formula/tree_program_code.h"

namespace quorlin {

FusedProgram::FusedProgram(FormulaContext& context, std::span<TExprNode* const> trees)
    : context_(&context),
      trees_(trees.begin(),
             trees.begin() + std::min<std::ptrdiff_t>(std::ssize(trees), kMostTrees)) {
    if (!context.complexMode) {
        const std::vector<const TExprNode*> roots(trees_.begin(), trees_.end());
        auto code = std::make_unique<program_detail::RealCode>();
        if (program_detail::CompileRealOutputs(context, roots, *code)) fused_ = std::move(code);
    }
    if (fused_) return;
    separate_.reserve(trees_.size());
    for (TExprNode* tree : trees_) separate_.emplace_back(context, tree);
}

FusedProgram::~FusedProgram() = default;
FusedProgram::FusedProgram(FusedProgram&&) noexcept = default;
FusedProgram& FusedProgram::operator=(FusedProgram&&) noexcept = default;

int FusedProgram::Size() const {
    return fused_ ? static_cast<int>(fused_->code.size()) : 0;
}

std::uint32_t FusedProgram::Evaluate(long double* out) const {
    if (!fused_ || context_->complexMode) return EvaluateEach(out);
    // Defined exactly where the tree's own real program is: where its value is finite.
    fused_->undefinedOutputs = 0;
    fused_->Run(0, fused_->code.size(), out);
    return AllDefined() & ~fused_->undefinedOutputs;
}

std::uint32_t FusedProgram::EvaluateEach(long double* out) const {
    std::uint32_t defined = 0;
    for (std::size_t i = 0; i < trees_.size(); ++i) {
        // A fused code whose mode has changed since it was made: each tree through a program
        // of the mode in force. Made at each evaluation, which costs a compilation a point;
        // no loop changes the mode under a running program, so this only keeps answers right.
        const bool own = i < separate_.size();
        const bool ok = own ? separate_[i].Evaluate(out[i])
                            : TreeProgram(*context_, trees_[i]).Evaluate(out[i]);
        if (ok) defined |= 1U << i;
    }
    return defined;
}

}  // namespace quorlin
