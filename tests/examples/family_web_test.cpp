// The family and web readings: letters, bounds and order of the family's fields, the seed of a
// web by constant or parameter, and the packed sub-lists of the editing tables.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "examples/family_web.h"

namespace quorlin::examples {
namespace {

struct FamilyCase {
    const char* what;
    TFamilyFields fields;
    int error;
};

class FamilyReading : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(FamilyReading, RefusesWhatIsOutOfBounds) {
    FormulaContext formulas;
    TExample e;
    e.Init(kind::kExplicit, 4, 50);
    const int error = ReadFamilyFields(GetParam().fields, formulas, e);
    EXPECT_EQ(error, GetParam().error) << GetParam().what;
    EXPECT_EQ(e.familyOn, error == kNoError ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FamilyReading,
    ::testing::Values(FamilyCase{"q is the last letter", {"q", "0", "1", "10", "0"}, kNoError},
                      FamilyCase{"R is beyond it", {"R", "0", "1", "10", "0"}, kErrOutOfBounds},
                      FamilyCase{"4001 steps", {"a", "0", "1", "4001", "0"}, kErrOutOfBounds},
                      FamilyCase{"delay 32751", {"a", "0", "1", "3", "32751"}, kErrOutOfBounds},
                      FamilyCase{"no steps", {"a", "0", "1", "0", "0"}, kNoError},
                      FamilyCase{"high equal to low", {"a", "2", "2", "5", "0"}, kNoError},
                      FamilyCase{"high below low", {"a", "2", "1", "5", "0"}, kErrInconsistentData},
                      FamilyCase{
                          "unreadable low", {"a", "2*", "1", "5", "0"}, kErrCannotUnderstand},
                      FamilyCase{"last error wins", {"z", "2", "1", "5", "0"}, kErrOutOfBounds}));

TEST(FamilyWebTest, FamilyRoundTripsWithWatch) {
    FormulaContext formulas;
    TExample e;
    e.Init(kind::kExplicit, 4, 50);
    ASSERT_EQ(ReadFamilyFields({"c", "-1", "pi", "8", "100", true}, formulas, e), kNoError);
    EXPECT_EQ(e.familyLetter, 3);
    EXPECT_EQ(e.familySteps, -8);
    EXPECT_EQ(e.familyDelay, 100);
    NumberFormat format;
    const TFamilyFields shown = LoadFamilyFields(e, format);
    EXPECT_EQ(shown.letter, "c");
    EXPECT_EQ(shown.steps, "8");
    EXPECT_TRUE(shown.watch);
    EXPECT_EQ(shown.high, "3.1416");
}

TEST(FamilyWebTest, WebSeedByParameterOrConstant) {
    FormulaContext formulas;
    TExample e;
    e.Init(kind::kExplicit, 4, 50);
    NumberFormat format;
    // A curve that never had a web shows the constant seed and the letter A.
    TWebFields f = LoadWebFields(e, format);
    EXPECT_FALSE(f.parameter);
    EXPECT_EQ(f.letter, 0);
    f.parameter = true;
    f.letter = 2;
    ASSERT_EQ(ReadWebFields(f, formulas, e), kNoError);
    EXPECT_EQ(e.subKind, 3);
    EXPECT_EQ(e.byte60, 1);
    f.parameter = false;
    f.seed = "0.5";
    f.arrowSize = "10";
    ASSERT_EQ(ReadWebFields(f, formulas, e), kNoError);
    EXPECT_EQ(e.subKind, -3);
    EXPECT_EQ(e.NumberAt(431), 0.5L);
    EXPECT_EQ(e.sizeWord, 0);
    EXPECT_EQ(LoadWebFields(e, format).letter, 2);  // C stays selected

    f.steps = "1001";
    EXPECT_EQ(ReadWebFields(f, formulas, e), kErrOutOfBounds);
    f.steps = "5";
    f.seed = "x+";
    EXPECT_EQ(ReadWebFields(f, formulas, e), kErrCannotUnderstand);
    EXPECT_EQ(e.word34, 10);  // unchanged by the refused readings
}

TEST(FamilyWebTest, SubListStart) {
    const std::int16_t list[] = {1, 2, -1, 3, -1, -1, 4};
    EXPECT_EQ(SubListStart(list, 0), 0u);
    EXPECT_EQ(SubListStart(list, 1), 3u);
    EXPECT_EQ(SubListStart(list, 2), 5u);
    EXPECT_EQ(SubListStart(list, 3), 6u);
    EXPECT_EQ(SubListStart(list, 9), 7u);
}

}  // namespace
}  // namespace quorlin::examples
