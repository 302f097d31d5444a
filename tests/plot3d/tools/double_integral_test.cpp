// The double-integral dialog's model: its modes, the labels of each surface kind, the reading
// of the six fields, the entry text, and the list that keeps its selection by example.
#include "plot3d/tools/double_integral.h"

#include <gtest/gtest.h>

#include "formula/formula_context.h"

namespace quorlin::plot3d {
namespace {

using examples::TIntegrationAxis;

TEST(Riem3ModesTest, EachModeHasItsCommandKindsTagAndCaption) {
    const struct {
        Riem3Mode mode;
        int command;
        std::vector<int> kinds;
        int tag;
        const char* caption;
    } rows[] = {
        {Riem3Mode::DoubleIntegral, 774, {301}, 54, "integration dx dy"},
        {Riem3Mode::SurfaceArea, 836, {301, 302, 303}, 56, "area"},
        {Riem3Mode::PolarIntegral, 777, {302}, 54, "integration r dr dt"},
    };
    ASSERT_EQ(Riem3Modes().size(), 3u);
    for (const auto& row : rows) {
        const TRiem3ModeRow& m = Riem3ModeRow(row.mode);
        EXPECT_EQ(m.mode, row.mode);
        EXPECT_EQ(m.command, row.command);
        EXPECT_EQ(std::vector<int>(m.kinds.begin(), m.kinds.end()), row.kinds);
        EXPECT_EQ(m.entryTag, row.tag);
        EXPECT_EQ(Riem3Caption(row.mode), row.caption);
    }
}

TEST(Riem3LabelsTest, EachKindNamesItsVariables) {
    using Labels = std::array<std::string, 4>;
    EXPECT_EQ(RangeLabels(301), (Labels{"x min", "x max", "y min", "y max"}));
    EXPECT_EQ(RangeLabels(302), (Labels{"r min", "r max", "t min", "t max"}));
    EXPECT_EQ(RangeLabels(303), (Labels{"t min", "t max", "u min", "u max"}));
}

TEST(Riem3EntryTest, TheTextNamesTheDivisionsAndWhatWasComputed) {
    EXPECT_EQ(Riem3EntryText(Riem3Mode::DoubleIntegral, 100, 100), "100x100 integration");
    EXPECT_EQ(Riem3EntryText(Riem3Mode::SurfaceArea, 3, 70), "3x70 area");
    EXPECT_EQ(Riem3EntryText(Riem3Mode::PolarIntegral, 12, 5), "12x5 integration");
}

TEST(ReadIntegralFieldsTest, RangesAndCountsAreReadOrTheFirstErrorIsGiven) {
    FormulaContext f;
    const TFieldReaders read{
        [&f](std::string_view text, long double& out) { return f.ReadNumber(text, out); },
        [&f](std::string_view text, long long low, long long high, int& out) {
            return f.ReadInteger(text, low, high, out);
        }};
    long double parsed = 0;
    const int parserError = f.ReadNumber("2*", parsed);
    ASSERT_GT(parserError, 100);
    const struct {
        const char* name;
        TRiem3Texts texts;
        int error;
    } rows[] = {
        {"ends and counts", {"-1.5", "2^2", "7", "1/4", "3", "11"}, 0},
        {"equal first ends", {"2", "2", "7", "0", "1", "1"}, 6},
        {"equal large ends", {"1e5", "1e5", "7", "0", "1", "1"}, 6},
        {"equal very large ends", {"3e9", "3e9", "7", "0", "1", "1"}, 6},
        {"inverted second ends", {"0", "1", "7", "5", "-5", "1"}, 6},
        {"no first divisions", {"0", "1", "0", "0", "1", "1"}, 17},
        {"negative second divisions", {"0", "1", "3", "0", "1", "-2"}, 17},
        {"an unreadable end", {"0", "2*", "3", "0", "1", "2"}, parserError},
        // The first error stops the reading: the inverted second pair is not reached.
        {"a count before a range", {"0", "1", "0", "5", "-5", "1"}, 17},
    };
    for (const auto& row : rows) {
        TIntegrationAxis first{slot::kR}, second{slot::kT};
        EXPECT_EQ(ReadIntegralFields(row.texts, read, first, second), row.error) << row.name;
        if (row.error != 0) continue;
        EXPECT_EQ(first.low, -1.5L);
        EXPECT_EQ(first.high, 4.0L);
        EXPECT_EQ(first.count, 7);
        EXPECT_EQ(second.low, 0.25L);
        EXPECT_EQ(second.high, 3.0L);
        EXPECT_EQ(second.count, 11);
        EXPECT_EQ(first.slot, slot::kR);
        EXPECT_EQ(second.slot, slot::kT);
    }
}

examples::TInventory InventoryOfKinds(std::initializer_list<int> kinds) {
    examples::TInventory inventory;
    for (const int k : kinds) {
        examples::TExample e;
        e.Init(k, 1, 50);
        inventory.Append(std::move(e));
    }
    return inventory;
}

TEST(ExampleChoiceTest, TheListHoldsTheAcceptedKindsAndKeepsItsExample) {
    const examples::TInventory inventory = InventoryOfKinds({304, 301, 303, 302, 301});
    const int area[] = {301, 302, 303};
    TExampleChoice choice;
    choice.Fill(inventory, area);
    ASSERT_EQ(choice.Count(), 4);
    const int expected[] = {1, 2, 3, 4};
    for (int position = 0; position < 4; ++position) {
        EXPECT_EQ(choice.ExampleAt(position), expected[position]);
        EXPECT_EQ(choice.PositionOf(expected[position]), position);
    }
    EXPECT_EQ(choice.ExampleAt(4), -1);
    EXPECT_EQ(choice.ExampleAt(-1), -1);
    EXPECT_EQ(choice.PositionOf(0), -1);
    // The example selected before stays selected; one no longer listed gives the first.
    EXPECT_EQ(choice.PositionAfterRefill(3), 2);
    EXPECT_EQ(choice.PositionAfterRefill(0), 0);
    EXPECT_EQ(choice.PositionAfterRefill(-1), 0);
    const int polar[] = {302};
    choice.Fill(InventoryOfKinds({301, 303}), polar);
    EXPECT_TRUE(choice.Empty());
    EXPECT_EQ(choice.PositionAfterRefill(1), -1);
}

}  // namespace
}  // namespace quorlin::plot3d
