#include "formula_fuzz_entry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "core/binio.h"
#include "formula/formula_context.h"
#include "formula/formula_text.h"
#include "formula/tree_program.h"

namespace quorlin {

namespace {

bool SameBits(long double a, long double b) {
    return std::memcmp(&a, &b, 10) == 0;
}

// A fault found in an input: what differed, carried out of the walk to the entry.
struct FormulaFault {
    std::string what;
};

std::string Described(bool defined, const Complex& value) {
    if (!defined) return "undefined";
    return std::to_string(static_cast<double>(value.real())) + "+" +
           std::to_string(static_cast<double>(value.imag())) + "i";
}

// Evaluates the tree at a few points, and its compiled program beside it: a program that
// differs from the tree walk (in the value or in being defined) is a fault.
void EvaluateAround(FormulaContext& ctx, TExprNode& tree) {
    const TreeProgram program(ctx, &tree);
    for (long double x : {-2.5L, 0.0L, 0.5L, 1e300L}) {
        ctx.SetVar(slot::kX, x);
        Complex compiled;
        const bool compiledDefined = program.Evaluate(compiled);
        const bool defined = ctx.Evaluate(tree);
        if (compiledDefined != defined || (defined && (!SameBits(compiled.real(), tree.re) ||
                                                       !SameBits(compiled.imag(), tree.im)))) {
            throw FormulaFault{"at X = " + std::to_string(static_cast<double>(x)) +
                               (ctx.complexMode ? " (complex)" : "") + " the program gives " +
                               Described(compiledDefined, compiled) + ", the tree walk " +
                               Described(defined, Complex(tree.re, tree.im))};
        }
    }
    long double v[3];
    ctx.EvalVector3(tree, v);
}

void RewriteCopies(FormulaContext& ctx, const TExprNode& tree) {
    NodePtr copy = TExprNode::CopyTree(&tree);
    TExprNode::ShiftVar(copy, op::kVarX, 1.5L);
    TExprNode::RenameXToT(copy.get());
    TExprNode::NegateInPlace(copy);
    EvaluateAround(ctx, *copy);
    if (TExprNode::CountNodes(&tree) < 300) {
        NodePtr squared = TExprNode::MakeSubstituted(&tree, op::kVarX, tree);
        EvaluateAround(ctx, *squared);
    }
}

void DifferentiateAndSimplify(FormulaContext& ctx, const TExprNode& tree) {
    if (TExprNode::CountNodes(&tree) >= 200) return;
    NodePtr derivative;
    ctx.Differentiate(&tree, op::kVarX, derivative);
    if (derivative) {
        EvaluateAround(ctx, *derivative);
        ctx.Simplify(derivative);
        if (derivative) EvaluateAround(ctx, *derivative);
    }
    NodePtr simplified = TExprNode::CopyTree(&tree);
    ctx.Simplify(simplified);
    if (simplified) EvaluateAround(ctx, *simplified);
}

void RunInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    const std::uint8_t flags = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    FormulaContext ctx;
    ctx.complexMode = (flags & 1) != 0;
    ctx.ResetVariables();
    if (flags & 2) {
        const std::string_view body = text.substr(0, text.find('\n'));
        ctx.DefineUserFunction("FUZZ", body, 1 + ((flags >> 2) & 3));
    }

    if (ctx.Parse(text) == 0) {
        NodePtr tree = ctx.TakeParseResult();
        EvaluateAround(ctx, *tree);
        RewriteCopies(ctx, *tree);
        DifferentiateAndSimplify(ctx, *tree);
        ctx.complexMode = !ctx.complexMode;
        EvaluateAround(ctx, *tree);
    }

    long double value = 0;
    int letter = 0;
    ctx.ReadNumberAt(text, value, letter);
    std::int16_t small = 0;
    ctx.ReadShort(text, -100, 100, small);

    std::string edited(text);
    MarkVariableInText(ctx, edited, 'X');
    ReplaceMarkedVariable(edited, "(T+1)", FormulaContext::kMaxFormulaLength);
    SubstituteXYZInText(ctx, edited, 256, "A", "", "B+C");
    std::string equation;
    SplitEquation(equation, text);

    ByteReader reader(std::span(data, size));
    if (ctx.ReadUserFunctions(reader)) {
        ByteWriter writer;
        ctx.WriteUserFunctions(writer);
    }
}

}  // namespace

std::string FindFormulaFuzzFault(const std::uint8_t* data, std::size_t size) {
    try {
        RunInput(data, size);
    } catch (const FormulaFault& fault) {
        return fault.what;
    }
    return {};
}

int RunFormulaFuzzInput(const std::uint8_t* data, std::size_t size) {
    // A fault ends the run, so that the fuzzer keeps the input and shows what was wrong.
    if (const std::string fault = FindFormulaFuzzFault(data, size); !fault.empty()) {
        std::fprintf(stderr, "formula fault: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}

}  // namespace quorlin
