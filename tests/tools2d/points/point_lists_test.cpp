// The template point of "many points" as a table of choices: the dot size, the list ends within
// their 16-bit words, the order of the ends, the marker, anchors, letter, system and texts of
// the plane and of space; distances against Pythagoras.
#include "tools2d/points/point_lists.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "examples/records/variable_groups.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;

TManyPointChoices Choices(const char* dotSize, const char* from, const char* to, bool list) {
    TManyPointChoices c;
    c.dotSize = dotSize;
    c.from = from;
    c.to = to;
    c.list = list;
    return c;
}

TEST(PointListsTest, ChoicesAreCheckedBeforeAnythingIsStored) {
    FormulaContext f;
    const struct {
        const char *dot, *from, *to;
        bool list;
        int error;
    } rows[] = {
        {"3", "1", "10", true, kNoError},
        {"100", "-32768", "32767", true, kNoError},
        {"0", "1", "10", true, kErrOutOfBounds},         // many points need a dot
        {"101", "1", "10", true, kErrOutOfBounds},       // bounded above
        {"abc", "1", "10", true, kErrOutOfBounds},       // no number
        {"3", "40000", "40010", true, kErrOutOfBounds},  // past the 16-bit word
        {"3", "1", "-40000", true, kErrOutOfBounds},
        {"3", "5", "4", true, kErrInconsistentData},  // the run ends before it starts
        {"3", "5", "4", false, kNoError},             // the clipboard needs no run
        {"3", "40000", "x", false, kNoError},
    };
    for (const auto& row : rows) {
        examples::TExample point;
        InitPointTemplate(point, 2, 7, 4);
        point.FirstLetter() = 11;
        point.SecondLetter() = 12;
        EXPECT_EQ(FillPointTemplate(f, Choices(row.dot, row.from, row.to, row.list), 2, point),
                  row.error)
            << row.dot << " " << row.from << " " << row.to;
        if (row.error != kNoError) {
            EXPECT_EQ(point.pen.width, 4);  // nothing stored
            EXPECT_EQ(point.FirstLetter(), 11);
        }
    }
}

TEST(PointListsTest, ChoicesFillThePointOfEachDimension) {
    FormulaContext f;
    const struct {
        int dimension, system, kind;
        bool circle, anchors;
        const char* anchorText;
        int letter;
        int polar;
        const char* third;
    } rows[] = {
        {2, 0, k::kPoint, false, false, "", 14, 0, ""},
        {2, 1, k::kPoint, true, true, "x/y", 3, 1, ""},
        {3, 2, k::kSpacePoint, true, true, "xy/z", 26, 0, "N/2"},
        {3, 1, k::kSpacePoint, false, false, "z", 1, 0, "N/2"},
    };
    for (const auto& row : rows) {
        examples::TExample point;
        InitPointTemplate(point, row.dimension, 9, 2);
        EXPECT_EQ(point.kind, row.kind);
        EXPECT_EQ(point.pen.colour, 9);
        TManyPointChoices c = Choices("7", "-3", "250", true);
        c.circle = row.circle;
        c.anchors = row.anchors;
        c.anchorText = row.anchorText;
        c.letter = row.letter;
        c.system = row.system;
        c.texts = {"2N", "N+1", "N/2"};
        ASSERT_EQ(FillPointTemplate(f, c, row.dimension, point), kNoError);
        EXPECT_EQ(point.pen.width, 7);
        EXPECT_EQ(point.pen.style, row.circle ? 1 : 0);
        EXPECT_EQ(point.Anchors(), row.anchors ? 1 : 0);
        EXPECT_EQ(point.subKind, examples::EncodeVariableGroups(row.anchorText));
        EXPECT_EQ(point.FirstLetter(), -3);
        EXPECT_EQ(point.SecondLetter(), 250);
        EXPECT_EQ(point.familyLetter, row.letter);
        EXPECT_EQ(point.PointCoordinates(), row.system);
        if (row.dimension == 2) EXPECT_EQ(point.PolarForm(), row.polar);
        EXPECT_EQ(point.Text(1), "2N");
        EXPECT_EQ(point.Text(2), "N+1");
        EXPECT_EQ(point.Text(3), row.third);
    }
}

TEST(PointListsTest, DistancesAreEuclidean) {
    const struct {
        Vec3 a, b;
        long double distance;
    } rows[] = {
        {{0, 0, 0}, {3, 4, 0}, 5},
        {{1, 2, 3}, {4, 6, 3}, 5},
        {{-1, -2, -2}, {1, 0, -1}, 3},
        {{2.5L, 1, 7}, {2.5L, 1, 7}, 0},
    };
    for (const auto& row : rows) EXPECT_EQ(PointDistance(row.a, row.b), row.distance);
}

}  // namespace
}  // namespace quorlin::tools2d
