// The family and web readings: letters, bounds and order of the family's fields, the seed of a
// web by constant or parameter, and the packed sub-lists of the editing tables.
#include <gtest/gtest.h>

#include <tuple>

#include "core/errors.h"
#include "examples/operations/family_web.h"

namespace quorlin::examples {
namespace {

TEST(FamilyWebTest, FamilyReadingRefusesWhatIsOutOfBounds) {
    const struct {
        const char* what;
        TFamilyFields fields;
        int error;
    } cases[] = {{"q is the last letter", {"q", "0", "1", "10", "0"}, kNoError},
                 {"R is beyond it", {"R", "0", "1", "10", "0"}, kErrOutOfBounds},
                 {"4001 steps", {"a", "0", "1", "4001", "0"}, kErrOutOfBounds},
                 {"delay 32751", {"a", "0", "1", "3", "32751"}, kErrOutOfBounds},
                 {"no steps", {"a", "0", "1", "0", "0"}, kNoError},
                 {"high equal to low", {"a", "2", "2", "5", "0"}, kNoError},
                 {"high below low", {"a", "2", "1", "5", "0"}, kErrInconsistentData},
                 {"unreadable low", {"a", "2*", "1", "5", "0"}, kErrCannotUnderstand},
                 {"last error wins", {"z", "2", "1", "5", "0"}, kErrOutOfBounds}};
    for (const auto& c : cases) {
        FormulaContext formulas;
        TExample e;
        e.Init(kind::kExplicit, 4, 50);
        const int error = ReadFamilyFields(c.fields, formulas, e);
        EXPECT_EQ(std::tuple(error, e.familyOn), std::tuple(c.error, error == kNoError ? 1 : 0))
            << c.what;
    }
}

TEST(FamilyWebTest, FamilyRoundTripsWithWatch) {
    FormulaContext formulas;
    TExample e;
    e.Init(kind::kExplicit, 4, 50);
    ASSERT_EQ(ReadFamilyFields({"c", "-1", "pi", "8", "100", true}, formulas, e), kNoError);
    EXPECT_EQ(std::tuple(e.familyLetter, e.familySteps, e.familyDelay), std::tuple(3, -8, 100));
    const TFamilyFields shown = LoadFamilyFields(e, NumberFormat{});
    EXPECT_EQ(std::tuple(shown.letter, shown.steps, shown.watch, shown.high),
              std::tuple("c", "8", true, "3.1416"));
}

TEST(FamilyWebTest, WebSeedByParameterOrConstant) {
    FormulaContext formulas;
    TExample e;
    e.Init(kind::kExplicit, 4, 50);
    NumberFormat format;
    // A curve that never had a web shows the constant seed and the letter A.
    TWebFields f = LoadWebFields(e, format);
    EXPECT_EQ(std::tuple(f.parameter, f.letter), std::tuple(false, 0));
    f.parameter = true, f.letter = 2;
    ASSERT_EQ(ReadWebFields(f, formulas, e), kNoError);
    EXPECT_EQ(std::tuple(e.subKind, e.WebOn()), std::tuple(3, 1));
    f.parameter = false, f.seed = "0.5", f.arrowSize = "10";
    ASSERT_EQ(ReadWebFields(f, formulas, e), kNoError);
    EXPECT_EQ(std::tuple(e.subKind, e.Number(TNumber::kWebSeed), e.sizeWord),
              std::tuple(-3, 0.5L, 0));
    EXPECT_EQ(LoadWebFields(e, format).letter, 2);  // C stays selected

    f.steps = "1001";
    EXPECT_EQ(ReadWebFields(f, formulas, e), kErrOutOfBounds);
    f.steps = "5";
    f.seed = "x+";
    EXPECT_EQ(ReadWebFields(f, formulas, e), kErrCannotUnderstand);
    EXPECT_EQ(e.WebSteps(), 10);  // unchanged by the refused readings
}

TEST(FamilyWebTest, SubListStart) {
    const std::int16_t list[] = {1, 2, -1, 3, -1, -1, 4};
    for (const auto& [k, start] : {std::pair{0, 0u}, {1, 3u}, {2, 5u}, {3, 6u}, {9, 7u}})
        EXPECT_EQ(SubListStart(list, k), start) << k;
}

}  // namespace
}  // namespace quorlin::examples
