// The name table: 127 names, each reaching its function, aliases agreeing with the canonical
// name, and every function usable in both modes through the parser.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "formula/formula_context.h"
#include "formula/name_table.h"

namespace quorlin {
namespace {

std::vector<std::string> NamesOf(const BuiltinFunction& f) {
    std::vector<std::string> names;
    std::string all(f.names);
    for (std::size_t start = 0; start < all.size();) {
        const auto end = std::min(all.find(' ', start), all.size());
        names.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::string CallText(const std::string& name, int argCount) {
    if (argCount == 0) return name;
    return name + (argCount == 1 ? "(0.37)" : "(0.37,1.6)");
}

TEST(NameTable, HoldsOneHundredTwentySevenDistinctNames) {
    std::set<std::string> names;
    std::set<int> codes;
    for (const auto& f : BuiltinFunctions()) {
        EXPECT_TRUE(codes.insert(f.code).second) << f.code;
        EXPECT_GE(f.code, op::kFirstBuiltin);
        EXPECT_LE(f.code, op::kLastBuiltin);
        EXPECT_EQ(FindBuiltin(f.code), &f);
        for (const auto& name : NamesOf(f)) {
            EXPECT_TRUE(names.insert(name).second) << name;
            EXPECT_EQ(FindBuiltinByName(name), &f) << name;
            EXPECT_TRUE(f.HasName(name));
        }
    }
    EXPECT_EQ(names.size(), 127u);
    EXPECT_EQ(FindBuiltin(op::kJoin), nullptr);
    EXPECT_EQ(FindBuiltin(op::kVector3), nullptr);
    EXPECT_EQ(FindBuiltinByName("SINUS"), nullptr);
    EXPECT_EQ(FindBuiltin(op::kSin)->Name(), "SIN");
    EXPECT_EQ(FindBuiltin(op::kArcSin)->Name(), "ARCSIN");
}

TEST(NameTable, AliasesGiveTheValueOfTheCanonicalNameInBothModes) {
    for (bool complexMode : {false, true}) {
        FormulaContext ctx;
        ctx.complexMode = complexMode;
        for (const auto& f : BuiltinFunctions()) {
            const auto names = NamesOf(f);
            ASSERT_EQ(ctx.Parse(CallText(names[0], f.argCount)), 0) << names[0];
            NodePtr canonical = ctx.TakeParseResult();
            const bool defined = ctx.Evaluate(*canonical);
            for (const auto& alias : names) {
                ASSERT_EQ(ctx.Parse(CallText(alias, f.argCount)), 0) << alias;
                NodePtr tree = ctx.TakeParseResult();
                EXPECT_EQ(ctx.Evaluate(*tree), defined) << alias;
                if (defined) {
                    EXPECT_EQ(tree->re, canonical->re) << alias;
                    EXPECT_EQ(tree->im, canonical->im) << alias;
                }
            }
        }
    }
}

TEST(NameTable, RealAndComplexModesAgreeOnTheRealAxis) {
    FormulaContext real;
    FormulaContext complex;
    complex.complexMode = true;
    for (const auto& f : BuiltinFunctions()) {
        const std::string text = CallText(std::string(f.Name()), f.argCount);
        ASSERT_EQ(real.Parse(text), 0);
        ASSERT_EQ(complex.Parse(text), 0);
        NodePtr r = real.TakeParseResult();
        NodePtr c = complex.TakeParseResult();
        // Where the real function is undefined the complex one may still have a value
        // (ARCOSH(0.37)); where the real one is defined both must agree.
        if (!real.Evaluate(*r)) continue;
        ASSERT_TRUE(complex.Evaluate(*c)) << text;
        EXPECT_NEAR(c->re, r->re, 1e-15L * std::max<long double>(1, std::fabs(r->re))) << text;
        EXPECT_NEAR(c->im, 0, 1e-15L) << text;
    }
}

TEST(NameTable, CodesOutsideTheTableHaveNoDerivativeRule) {
    SetDerivativeRule(-1, nullptr);  // ignored, not written before the table
    SetDerivativeRule(5000, nullptr);
    EXPECT_EQ(GetDerivativeRule(-1), nullptr);
    EXPECT_EQ(GetDerivativeRule(5000), nullptr);
}

}  // namespace
}  // namespace quorlin
