// The shading tool's model: the style word packs the pattern and the letters of both interval
// ends and gives them back; a request makes its record or the error of its fields (an end the
// reader refuses, an inverted interval, "between" a curve and itself) without touching the
// parameters; patterns cycle; the list's lines; the removal of a listed record.
#include "tools2d/regions/shade_model.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/errors.h"

namespace quorlin::tools2d {
namespace {

using examples::TShadeRecord;

TEST(ShadeModel, TheStyleWordGivesBackPatternAndBothEndLetters) {
    for (int pattern = 0; pattern < TShadeRecord::kPatterns; ++pattern)
        for (int low = 0; low <= 23; ++low)
            for (int high = 0; high <= 23; ++high) {
                TShadeRecord r;
                r.style = TShadeRecord::Style(pattern, low, high);
                ASSERT_EQ(r.style, pattern + 9 * low + 225 * high);
                ASSERT_EQ(std::tuple(r.Pattern(), r.LowEndParameter(), r.HighEndParameter()),
                          std::tuple(pattern, low, high));
            }
}

TEST(ShadeModel, PatternsCycleThroughNine) {
    int pattern = 0;
    std::vector<int> seen;
    for (int k = 0; k < 11; ++k) {
        seen.push_back(pattern);
        pattern = NextPattern(pattern);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 1}));
}

class ShadeRequestTest : public ::testing::Test {
protected:
    TShadeRequest Request(TShadeSide side, bool interval, const char* low, const char* high) {
        TShadeRequest r;
        r.side = side;
        r.first = 3;
        r.second = 5;
        r.interval = interval;
        r.lowText = low;
        r.highText = high;
        r.pattern = 4;
        r.colour = 17;
        return r;
    }
    FormulaContext ctx;
};

TEST_F(ShadeRequestTest, RecordsOfEachSideAndTiedEnds) {
    const struct {
        TShadeSide side;
        bool interval;
        const char* low;
        const char* high;
        std::int16_t second;
        long double lowEnd, highEnd;
        std::uint16_t style;
    } rows[] = {
        {TShadeSide::kAbove, false, "junk", "junk", TShadeRecord::kAbove, 0, 0, 4},
        {TShadeSide::kBelow, true, "-1.5", "2*3", TShadeRecord::kBelow, -1.5L, 6, 4},
        {TShadeSide::kBetween, true, "1@A", "3@B", 5, 1, 3, 4 + 9 + 450},
        {TShadeSide::kAbove, true, "0.5", "2.5@W", TShadeRecord::kAbove, 0.5L, 2.5L, 4 + 225 * 23},
    };
    for (const auto& row : rows) {
        ctx.SetVar(1, 7.0L);
        ctx.SetVar(2, 8.0L);
        TShadeRecord r;
        ASSERT_EQ(MakeShadeRecord(ctx, Request(row.side, row.interval, row.low, row.high), r),
                  kNoError)
            << row.low;
        EXPECT_EQ(
            std::tuple(r.first, r.second, r.style, r.intervalOn, r.low, r.high, r.colour),
            std::tuple(std::int16_t{3}, row.second, row.style,
                       static_cast<std::uint8_t>(row.interval ? 1 : 0), row.lowEnd, row.highEnd,
                       std::int16_t{17}))
            << row.low;
        EXPECT_EQ(SideOf(r), row.side);
    }
    // The last rows tied A to 1 and B to 3, then W to 2.5.
    EXPECT_EQ(ctx.vars.value[23].real(), 2.5L);
    ctx.SetVar(1, 7.0L);
    TShadeRecord r;
    MakeShadeRecord(ctx, Request(TShadeSide::kBetween, true, "1@A", "3@B"), r);
    EXPECT_EQ(std::pair(ctx.vars.value[1].real(), ctx.vars.value[2].real()), std::pair(1.0L, 3.0L));
}

TEST_F(ShadeRequestTest, RefusedFieldsMakeNoRecordAndTieNothing) {
    const struct {
        TShadeSide side;
        int second;
        const char* low;
        const char* high;
        int error;
    } rows[] = {
        {TShadeSide::kAbove, 5, "2@A", "1", kErrInconsistentData},        // inverted
        {TShadeSide::kAbove, 5, "1@A", "1", kErrInconsistentData},        // empty
        {TShadeSide::kAbove, 5, "1@A", "1+1e-14", kErrInconsistentData},  // under 1e-13 wide
        {TShadeSide::kBetween, 3, "1@A", "3", kErrSelectTwo},             // f and itself
        {TShadeSide::kAbove, 5, "1@A", "3@Z", kErrCannotUnderstand},      // no such letter
        {TShadeSide::kAbove, 5, "(", "3", 0},                             // the reader's own
    };
    for (const auto& row : rows) {
        ctx.SetVar(1, 7.0L);
        TShadeRequest request = Request(row.side, true, row.low, row.high);
        request.second = row.second;
        TShadeRecord r;
        r.first = 99;
        const int error = MakeShadeRecord(ctx, request, r);
        if (row.error != 0)
            EXPECT_EQ(error, row.error) << row.low << " " << row.high;
        else
            EXPECT_NE(error, kNoError) << row.low;
        EXPECT_EQ(r.first, 99) << row.low;
        EXPECT_EQ(ctx.vars.value[1].real(), 7.0L) << row.low;
    }
    // One curve twice is no region between two curves, also without an interval.
    TShadeRequest same = Request(TShadeSide::kBetween, false, "", "");
    same.second = 3;
    TShadeRecord r;
    EXPECT_EQ(MakeShadeRecord(ctx, same, r), kErrSelectTwo);
    // A high end just 1e-13 above the low one is still an interval.
    EXPECT_EQ(MakeShadeRecord(ctx, Request(TShadeSide::kAbove, true, "1", "1+2e-13"), r), kNoError);
}

TEST(ShadeModel, LinesEndsAndRemoval) {
    EXPECT_EQ(ShadeLine("between", "y = x^2", std::string_view("y = 1")),
              "between {y = x^2 ; y = 1}");
    EXPECT_EQ(ShadeLine("above", "y = x", std::nullopt), "above {y = x}");
    EXPECT_EQ(EndText("1.5", 0), "1.5");
    EXPECT_EQ(EndText("1.5", 1), "1.5@A");
    EXPECT_EQ(EndText("-2", 23), "-2@W");

    examples::ShadeList list(3);
    for (int k = 0; k < 3; ++k)
        list[static_cast<std::size_t>(k)].first = static_cast<std::int16_t>(k);
    EXPECT_FALSE(RemoveShadeAt(list, 3));
    EXPECT_FALSE(RemoveShadeAt(list, -1));
    ASSERT_TRUE(RemoveShadeAt(list, 1));  // the second line: the second-newest record
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(std::pair(list[0].first, list[1].first), std::pair(std::int16_t{0}, std::int16_t{2}));
}

}  // namespace
}  // namespace quorlin::tools2d
