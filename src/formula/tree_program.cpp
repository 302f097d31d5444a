// The program as its users see it: compiled for the context's mode when it is made, run by the
// machine of that mode (tree_program_real.cpp, tree_program_complex.cpp), and evaluated through
// the tree where it was not translated or the mode has changed since.
#include "formula/tree_program.h"

#include <memory>

#include "formula/real_arithmetic.h"
#include "formula/tree_program_code.h"

namespace quorlin {

TreeProgram::TreeProgram(FormulaContext& context, TExprNode* tree)
    : context_(&context), tree_(tree), complexMode_(context.complexMode) {
    if (complexMode_) {
        auto code = std::make_unique<program_detail::ComplexCode>();
        if (program_detail::CompileComplex(context, tree, *code)) complex_ = std::move(code);
    } else {
        auto code = std::make_unique<program_detail::RealCode>();
        if (program_detail::CompileReal(context, tree, *code)) real_ = std::move(code);
    }
}

TreeProgram::~TreeProgram() = default;
TreeProgram::TreeProgram(TreeProgram&&) noexcept = default;
TreeProgram& TreeProgram::operator=(TreeProgram&&) noexcept = default;

bool TreeProgram::Compiled() const {
    return real_ || complex_;
}

int TreeProgram::Size() const {
    if (real_) return static_cast<int>(real_->code.size());
    if (complex_) return static_cast<int>(complex_->code.size());
    return 0;
}

TreeProgram::Outcome TreeProgram::EvaluateOther() const {
    Outcome outcome;
    if (complexMode_ == context_->complexMode && complex_)
        outcome.value = RunComplex(*complex_, outcome.defined);
    else
        outcome.defined = ThroughTree(outcome.value);
    return outcome;
}

bool TreeProgram::EvaluateComplexOther(Complex& value) const {
    if (real_ && !context_->complexMode) {
        const long double re = RunReal(*real_);
        // A constant root keeps its own value in real mode, imaginary part and all.
        value = {re, real_->constantRoot ? real_->rootIm : 0.0L};
        return arith::IsFiniteValue(re);
    }
    return ThroughTree(value);
}

bool TreeProgram::ThroughTree(Complex& value) const {
    if (!tree_) return false;
    const bool defined = context_->Evaluate(*tree_);
    value = {tree_->re, tree_->im};
    return defined;
}

}  // namespace quorlin
