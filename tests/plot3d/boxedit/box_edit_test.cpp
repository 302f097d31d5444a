// The box dialog's answer applied to an example: one table of answers with the corners and
// flags they leave and whether the example is computed again; then the template by kind.
#include "plot3d/boxedit/box_edit.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>

#include "plot3d/scene/example_boxes.h"

namespace quorlin::plot3d {
namespace {

using examples::TExample;

// Reads plain numbers; "?" is unreadable (error 1).
int ReadPlain(std::string_view text, long double& out) {
    if (text == "?") return 1;
    out = std::stold(std::string(text));
    return 0;
}

TExample Surface(int kind, bool automatic) {
    TExample e;
    e.Init(kind, 2, 50);
    e.boxMin = {-1.5L, -2.5L, -3.5L};
    e.boxMax = {1.25L, 2.75L, 3.125L};
    e.box2Min = e.box2Max = {7, 7, 7};
    SetBoxAutomatic(e, automatic);
    return e;
}

struct AnswerRow {
    const char* name;
    int kind;
    bool automaticBefore;
    bool force;
    TBoxAnswer answer;
    int error;
    bool changed;
    Vec3 min, max;  // the corners afterwards
    bool automaticAfter;
    bool clipAfter;
    bool savedBoxFollows;  // the saved box holds the new corners
};

const Vec3 kOldMin{-1.5L, -2.5L, -3.5L};
const Vec3 kOldMax{1.25L, 2.75L, 3.125L};

class BoxAnswerTable : public ::testing::TestWithParam<AnswerRow> {};

TEST_P(BoxAnswerTable, StoresWhatTheAnswerSays) {
    const AnswerRow& row = GetParam();
    TExample e = Surface(row.kind, row.automaticBefore);
    const TBoxOutcome outcome = ApplyBoxAnswer(e, row.answer, row.force, ReadPlain);
    EXPECT_EQ(outcome.error, row.error);
    EXPECT_EQ(outcome.changed, row.changed);
    EXPECT_EQ(e.boxMin.x, row.min.x);
    EXPECT_EQ(e.boxMin.y, row.min.y);
    EXPECT_EQ(e.boxMin.z, row.min.z);
    EXPECT_EQ(e.boxMax.x, row.max.x);
    EXPECT_EQ(e.boxMax.y, row.max.y);
    EXPECT_EQ(e.boxMax.z, row.max.z);
    EXPECT_EQ(IsBoxAutomatic(e), row.automaticAfter);
    EXPECT_EQ(IsClipping(e), row.clipAfter);
    EXPECT_EQ(e.box2Min.x, row.savedBoxFollows ? row.min.x : 7);
    EXPECT_EQ(e.box2Max.z, row.savedBoxFollows ? row.max.z : 7);
}

const TBoxAnswer kTyped{{"-4", "5", "-6", "7", "-8", "9"}, true, true};

INSTANTIATE_TEST_SUITE_P(
    Answers, BoxAnswerTable,
    ::testing::Values(
        // Unlocking: whatever is typed, the old corners stand, the box turns automatic and the
        // toggle alone recomputes.
        AnswerRow{"unlocked",
                  301,
                  false,
                  false,
                  {{"-4", "5", "-6", "7", "-8", "9"}, true, false},
                  0,
                  true,
                  kOldMin,
                  kOldMax,
                  true,
                  true,
                  true},
        // x low = x high is inconsistent: nothing stored, flags included.
        AnswerRow{"flatX",
                  305,
                  false,
                  false,
                  {{"2", "2", "-6", "7", "-8", "9"}, false, true},
                  6,
                  false,
                  kOldMin,
                  kOldMax,
                  false,
                  true,
                  false},
        // x high one 1e-12 above x low is accepted; the saved box of 305 follows.
        AnswerRow{"thinX",
                  305,
                  false,
                  false,
                  {{"2", "2.000000000001", "-6", "7", "-8", "9"}, true, true},
                  0,
                  true,
                  {2, -6, -8},
                  {2.000000000001L, 7, 9},
                  false,
                  true,
                  true},
        // An unreadable high stops before anything is stored.
        AnswerRow{"unreadable",
                  310,
                  false,
                  true,
                  {{"-4", "?", "-6", "7", "-8", "9"}, false, true},
                  1,
                  false,
                  kOldMin,
                  kOldMax,
                  false,
                  true,
                  false},
        // Nothing edited and not forced: the flags are stored, nothing is recomputed.
        AnswerRow{"untouched",
                  302,
                  false,
                  false,
                  {{"-1.5", "1.25", "-2.5", "2.75", "-3.5", "3.125"}, true, true},
                  0,
                  false,
                  kOldMin,
                  kOldMax,
                  false,
                  true,
                  false},
        // Forced (a new example) with the same numbers: recomputed; 312 keeps no saved box.
        AnswerRow{"forced",
                  312,
                  false,
                  true,
                  {{"-1.5", "1.25", "-2.5", "2.75", "-3.5", "3.125"}, true, true},
                  0,
                  true,
                  kOldMin,
                  kOldMax,
                  false,
                  true,
                  false},
        // Only the clip toggled: recomputed with the old corners.
        AnswerRow{"clipOff",
                  301,
                  false,
                  false,
                  {{"-1.5", "1.25", "-2.5", "2.75", "-3.5", "3.125"}, false, true},
                  0,
                  true,
                  kOldMin,
                  kOldMax,
                  false,
                  false,
                  true},
        // Locking with typed corners stores them, the saved box of 301 too.
        AnswerRow{"locked",
                  301,
                  true,
                  false,
                  kTyped,
                  0,
                  true,
                  {-4, -6, -8},
                  {5, 7, 9},
                  false,
                  true,
                  true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BoxAnswer, OpensWithTheFormattedCornersAndTheFlags) {
    TExample e = Surface(301, false);
    e.recompute = 0;
    const TBoxAnswer a =
        InitialBoxAnswer(e, [](long double v) { return std::to_string(static_cast<int>(v * 8)); });
    EXPECT_EQ(a.texts, (std::array<std::string, 6>{"-12", "10", "-20", "22", "-28", "25"}));
    EXPECT_FALSE(a.clip);
    EXPECT_TRUE(a.lock);
}

struct TemplateRow {
    int kind;
    const char* name;
};

class BoxTemplateTable : public ::testing::TestWithParam<TemplateRow> {};

TEST_P(BoxTemplateTable, FollowsTheKind) {
    TExample e;
    e.Init(GetParam().kind, 2, 50);
    EXPECT_EQ(BoxTemplateName(e), GetParam().name) << GetParam().kind;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BoxTemplateTable,
    ::testing::Values(TemplateRow{301, "AUTOBOXA"}, TemplateRow{302, "AUTOBOXA"},
                      TemplateRow{303, "AUTOBOXA"}, TemplateRow{306, "AUTOBOXA"},
                      TemplateRow{316, "AUTOBOXA"}, TemplateRow{305, "AUTOBOXB"},
                      TemplateRow{310, "AUTOBOXB"}, TemplateRow{312, "AUTOBOXB"},
                      TemplateRow{317, "AUTOBOXB"}, TemplateRow{325, "AUTOBOXB"},
                      TemplateRow{304, "AUTOBOXC"}, TemplateRow{308, "AUTOBOXC"},
                      TemplateRow{309, "AUTOBOXC"}));

}  // namespace
}  // namespace quorlin::plot3d
