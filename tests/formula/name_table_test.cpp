// The name table: 127 names, each reaching its function, aliases agreeing with the canonical
// name in both modes, and both modes agreeing where the real function is defined.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "formula/formula_context.h"
#include "formula/name_table.h"
#include "formula_support.h"

namespace quorlin {
namespace {

std::string CallText(std::string_view name, int argCount) {
    return std::string(name) + (argCount == 0 ? "" : argCount == 1 ? "(0.37)" : "(0.37,1.6)");
}

TEST(NameTable, HoldsOneHundredTwentySevenDistinctNames) {
    std::set<std::string> names;
    std::set<int> codes;
    for (const auto& f : BuiltinFunctions()) {
        EXPECT_TRUE(codes.insert(f.code).second) << f.code;
        EXPECT_TRUE(f.code >= op::kFirstBuiltin && f.code <= op::kLastBuiltin) << f.code;
        EXPECT_EQ(FindBuiltin(f.code), &f);
        for (const auto& name : testing_support::Words(f.names)) {
            EXPECT_TRUE(names.insert(name).second) << name;
            EXPECT_EQ(FindBuiltinByName(name), &f) << name;
            EXPECT_TRUE(f.HasName(name) && IsReservedName(name)) << name;
        }
    }
    EXPECT_EQ(names.size(), 127u);
    EXPECT_EQ(FindBuiltin(op::kJoin), nullptr);
    EXPECT_EQ(FindBuiltinByName("SINUS"), nullptr);
    EXPECT_EQ(FindBuiltin(op::kArcSin)->Name(), "ARCSIN");
    SetDerivativeRule(-1, nullptr);  // codes outside the table are ignored
    EXPECT_EQ(GetDerivativeRule(5000), nullptr);
}

TEST(NameTable, AliasesAndModesAgree) {
    FormulaContext real;
    FormulaContext complex;
    complex.complexMode = true;
    for (const auto& f : BuiltinFunctions()) {
        const auto names = testing_support::Words(f.names);
        NodePtr r = testing_support::ParseTree(real, CallText(f.Name(), f.argCount));
        NodePtr c = testing_support::ParseTree(complex, CallText(f.Name(), f.argCount));
        const bool realDefined = real.Evaluate(*r);
        const bool complexDefined = complex.Evaluate(*c);
        // Where the real function is undefined the complex one may still have a value
        // (ARCOSH(0.37)); where the real one is defined both agree.
        if (realDefined) {
            ASSERT_TRUE(complexDefined) << f.Name();
            EXPECT_NEAR(c->re, r->re, 1e-15L * std::max<long double>(1, std::fabs(r->re)))
                << f.Name();
            EXPECT_NEAR(c->im, 0, 1e-15L) << f.Name();
        }
        for (const auto& alias : names) {
            for (auto* ctx : {&real, &complex}) {
                NodePtr tree = testing_support::ParseTree(*ctx, CallText(alias, f.argCount));
                const TExprNode& canonical = ctx == &real ? *r : *c;
                const bool defined = ctx == &real ? realDefined : complexDefined;
                ASSERT_EQ(ctx->Evaluate(*tree), defined) << alias;
                if (defined)
                    EXPECT_EQ(Complex(tree->re, tree->im), Complex(canonical.re, canonical.im))
                        << alias;
            }
        }
    }
}

}  // namespace
}  // namespace quorlin
