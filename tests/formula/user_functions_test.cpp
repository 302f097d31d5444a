// User-defined functions: removal, listings, and the 77-byte record block of diagram files,
// byte for byte, in any order, large, too costly and damaged. The result codes of definitions
// (refused calls of a function by itself among them) and the values and refusals of calls are
// rows of cases.txt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/binio.h"
#include "formula_support.h"
#include "support/test_paths.h"

namespace quorlin {
namespace {

using testing_support::ValueOf;
using UserFunctions = testing_support::FormulaTest;

TEST_F(UserFunctions, RemovalListingLinesAndNamesWithXYZ) {
    auto named = [this](const std::string& name) {
        const auto& names = ctx.NamesWithXYZ();
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    EXPECT_TRUE(named("EXP") && named("MAX") && named("JOINX") && !named("SIN"));
    ASSERT_EQ(ctx.DefineUserFunction("axis", "x", 1), userfn::kDone);
    ASSERT_EQ(ctx.DefineUserFunction("GN", "X*Y", 2), userfn::kDone);
    ASSERT_EQ(ctx.DefineUserFunction("VOL", "X*Y*Z", 3), userfn::kDone);
    std::vector<std::string> lines;
    for (const auto& f : ctx.UserFunctions()) lines.push_back(UserFunctionLine(f));
    EXPECT_EQ(lines,
              (std::vector<std::string>{"AXIS(X) = X", "GN(X,Y) = X*Y", "VOL(X,Y,Z) = X*Y*Z"}));

    ASSERT_TRUE(named("AXIS"));
    EXPECT_TRUE(ctx.RemoveUserFunction("Axis"));
    EXPECT_FALSE(ctx.RemoveUserFunction("AXIS"));
    EXPECT_FALSE(named("AXIS"));
    // The name is free again, and the functions left are still found and evaluate; a name in
    // use is refused unless the definition replaces that function.
    EXPECT_EQ(ctx.DefineUserFunction("AXIS", "2*X", 1), userfn::kDone);
    EXPECT_EQ(ctx.DefineUserFunction("GN", "X", 1), userfn::kNameTaken);
    EXPECT_EQ(ValueOf(ctx, "GN(3,4)+VOL(1,1,1)+AXIS(1)"), 15);
    ctx.FreeUserFunctions();
    EXPECT_FALSE(named("AXIS"));
    EXPECT_TRUE(ctx.UserFunctions().empty());
}

std::vector<std::uint8_t> Block(const FormulaContext& ctx) {
    ByteWriter out;
    ctx.WriteUserFunctions(out);
    return out.Take();
}

bool Read(FormulaContext& ctx, std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    return ctx.ReadUserFunctions(in);
}

TEST_F(UserFunctions, BlockLayoutIsCountThenSeventySevenByteRecords) {
    ASSERT_EQ(ctx.DefineUserFunction("HYP", "SQRT(X^2+Y^2)", 2), userfn::kDone);
    ASSERT_EQ(ctx.DefineUserFunction("TRIPLE", "3X", 1), userfn::kDone);
    const auto bytes = Block(ctx);
    ASSERT_EQ(bytes.size(), 2u + 2 * 77);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[1], 0);
    std::vector<std::uint8_t> first(77, 0);
    std::memcpy(first.data(), "HYP", 3);
    std::memcpy(first.data() + 10, "SQRT(X^2+Y^2)", 13);
    first[71] = 2;  // argument count, then four bytes of a pointer that files do not carry
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 2, bytes.begin() + 79), first);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[79])), "TRIPLE");
    EXPECT_EQ(bytes[79 + 71], 1);

    FormulaContext copy;
    ByteReader in(bytes);
    ASSERT_TRUE(copy.ReadUserFunctions(in));
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(Block(copy), bytes);
    EXPECT_EQ(ValueOf(copy, "HYP(3,4)"), 5);
}

TEST_F(UserFunctions, ABlockMayUseAFunctionBeforeItsRecord) {
    // Deleting and defining again moves a function behind those that use it; the file keeps
    // that order, and its reader still gives each body the functions it calls. Bodies that
    // call each other round in a circle (a foreign file) keep no tree.
    ASSERT_EQ(ctx.DefineUserFunction("INNER", "X+1", 1), userfn::kDone);
    ASSERT_EQ(ctx.DefineUserFunction("OUTER", "2*INNER(X)", 1), userfn::kDone);
    ASSERT_EQ(ctx.DefineUserFunction("TOP", "OUTER(X)^2", 1), userfn::kDone);
    ASSERT_EQ(ctx.DefineUserFunction("ROUNDA", "X", 1), userfn::kDone);
    ASSERT_EQ(ctx.DefineUserFunction("ROUNDB", "ROUNDA(X)", 1), userfn::kDone);
    ASSERT_EQ(ctx.DefineUserFunction("SELF", "X", 1), userfn::kDone);
    for (const char* name : {"INNER", "OUTER"}) {
        const std::string body = ctx.FindUserFunction(name)->body;
        ASSERT_TRUE(ctx.RemoveUserFunction(name));
        ASSERT_EQ(ctx.DefineUserFunction(name, body, 1), userfn::kDone);
    }
    ASSERT_EQ(ctx.UserFunctions()[0].name, "TOP");
    EXPECT_EQ(ValueOf(ctx, "TOP(2)"), 36);

    auto bytes = Block(ctx);
    std::memcpy(&bytes[2 + 77 + 10], "ROUNDB(X)", 10);  // ROUNDA calls ROUNDB, which calls it
    std::memcpy(&bytes[2 + 3 * 77 + 10], "SELF(X)", 8);
    FormulaContext copy;
    ASSERT_TRUE(Read(copy, bytes));
    EXPECT_EQ(Block(copy), bytes);
    EXPECT_EQ(ValueOf(copy, "TOP(2)"), 36);
    for (const char* call : {"ROUNDA(1)", "ROUNDB(1)", "SELF(1)"}) EXPECT_EQ(copy.Parse(call), 101);
}

TEST_F(UserFunctions, ABlockOfManyFunctionsFindsEachByName) {
    // 20000 records with names QAAAA, QAAAB, ...; every lookup is one search of an index.
    ByteWriter out;
    constexpr int kCount = 20000;
    out.U16(kCount);
    std::string name = "QAAAA";
    for (int i = 0; i < kCount; ++i) {
        for (int p = 4, n = i; p >= 1; --p, n /= 26) name[p] = static_cast<char>('A' + n % 26);
        out.FixedText(name, 10);
        out.FixedText(i == 0 ? "X+1" : "X*2", 61);
        out.U16(1);
        out.Zeros(4);
    }
    const auto bytes = out.Take();
    ASSERT_TRUE(Read(ctx, bytes));
    ASSERT_EQ(ctx.UserFunctions().size(), std::size_t{kCount});
    EXPECT_EQ(ValueOf(ctx, "QAAAA(1)+" + name + "(3)"), 2 + 6);
}

TEST_F(UserFunctions, ABlockWhoseBodiesNeedTooMuchWorkIsRefused) {
    // Sixteen ninth derivatives, each too large for one parse (a row of cases.txt): together
    // they exceed the work a block may take long before the last, and nothing changes.
    const auto block = testing::ReadFileBytes(testing::TestDataPath("formula/repro/userfn-1.bin"));
    ASSERT_EQ(block.size(), 2u + 16 * 77);
    ASSERT_EQ(ctx.DefineUserFunction("KEEP", "X+1", 1), userfn::kDone);
    EXPECT_FALSE(Read(ctx, block));
    ASSERT_EQ(ctx.UserFunctions().size(), 1u);
    EXPECT_EQ(ValueOf(ctx, "KEEP(1)"), 2);
}

TEST_F(UserFunctions, DamagedBlocksAreRefusedOrRepaired) {
    ASSERT_EQ(ctx.DefineUserFunction("KEEP", "X+1", 1), userfn::kDone);
    FormulaContext source;
    ASSERT_EQ(source.DefineUserFunction("HALF", "X/2", 1), userfn::kDone);
    const auto bytes = Block(source);

    // A count larger than the records that follow, or a cut block: nothing is read or changed.
    auto overCounted = bytes;
    overCounted[0] = 3;
    EXPECT_FALSE(Read(ctx, overCounted));
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(Read(ctx, std::span(bytes.data(), cut))) << cut;
    ASSERT_EQ(ctx.UserFunctions().size(), 1u);
    EXPECT_EQ(ctx.UserFunctions()[0].name, "KEEP");

    // An argument count outside 1..3 becomes 1.
    auto odd = bytes;
    odd[2 + 71] = 7;
    ASSERT_TRUE(Read(ctx, odd));
    ASSERT_EQ(ctx.UserFunctions().size(), 1u);
    EXPECT_EQ(ctx.UserFunctions()[0].argCount, 1);
    EXPECT_EQ(ValueOf(ctx, "HALF(3)"), 1.5L);

    // An unparsable body is kept without a tree.
    auto badBody = bytes;
    badBody[2 + 10] = ')';
    ASSERT_TRUE(Read(ctx, badBody));
    ASSERT_EQ(ctx.UserFunctions().size(), 1u);
    EXPECT_EQ(ctx.Parse("HALF(2)"), 101);

    // Records with unusable names are dropped. A body field without its terminator holds 61
    // characters, one more than a body may have: dropped too, not kept and cut when written.
    auto badName = bytes;
    std::memset(&badName[2], 'A', 10);
    auto longBody = bytes;
    std::memset(&longBody[2 + 10], '1', 61);
    const std::vector<std::uint8_t> empty = {0, 0};
    for (const auto& block : {badName, longBody, empty}) {
        ASSERT_TRUE(Read(ctx, block));
        EXPECT_TRUE(ctx.UserFunctions().empty());
    }
}

// The block of a diagram file counts its functions in 16 bits: the 65536th definition is
// refused ("no more room") instead of being dropped on save; replacing one still works, and a
// removal makes room again. The functions defined one by one keep the list of names with X,
// Y or Z and the refusal of calls round a cycle as a definition of them all at once would.
TEST_F(UserFunctions, TheFunctionsAFileCanCountAndNoMore) {
    auto nameOf = [](std::size_t i) {
        std::string name = "QQ";
        for (int k = 0; k < 4; ++k, i /= 26) name += static_cast<char>('A' + i % 26);
        return name;
    };
    for (std::size_t i = 0; i < userfn::kMaxFunctions; ++i)
        ASSERT_EQ(ctx.DefineUserFunction(nameOf(i), i == 0 ? "X" : "QQAAAA(X)+1", 1), userfn::kDone)
            << i;
    EXPECT_EQ(ctx.DefineUserFunction("LAST", "X", 1), userfn::kTooMany);
    EXPECT_EQ(ctx.UserFunctions().size(), userfn::kMaxFunctions);
    const auto& names = ctx.NamesWithXYZ();
    EXPECT_NE(std::find(names.begin(), names.end(), "QQXAAA"), names.end());
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(),
                               [](const auto& a, const auto& b) { return a.size() > b.size(); }));
    // A body calling a function that calls it back is refused, through the callers' index.
    EXPECT_NE(ctx.DefineUserFunction("QQAAAA", "QQBAAA(X)", 1, ctx.FindUserFunction("QQAAAA")),
              userfn::kDone);
    EXPECT_EQ(ctx.DefineUserFunction("QQAAAA", "2*X", 1, ctx.FindUserFunction("QQAAAA")),
              userfn::kDone);
    ByteWriter out;
    ctx.WriteUserFunctions(out);
    EXPECT_EQ(out.Size(), 2 + userfn::kMaxFunctions * userfn::kRecordSize);
    ASSERT_TRUE(ctx.RemoveUserFunction("QQBAAA"));
    EXPECT_EQ(ctx.DefineUserFunction("LAST", "X", 1), userfn::kDone);
}

}  // namespace
}  // namespace quorlin
