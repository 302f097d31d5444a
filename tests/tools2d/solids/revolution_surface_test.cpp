// The surface of revolution's ranges and record: the four ends read in order with their letters,
// a stop under its start by less than 1e-16 refused, an angle over 2 pi cut to 2 pi; the 307
// made of each profile kind with its texts, ranges, packed letters, axis, colour and box; the
// letters a surface follows and the profile whose texts carry the other letters' values and
// the functions' bodies; and the letters a profile's trees use.
#include "tools2d/solids/revolution_surface.h"

#include <gtest/gtest.h>

#include <numbers>

#include "core/errors.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;
using examples::TNumber;
constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;

struct RangesRow {
    TRevolutionRangeTexts texts;
    int error;
    TRevolutionRanges want;
};

TEST(RevolutionRangesTest, TheEndsInOrderWithTheirLetters) {
    const RangesRow rows[] = {
        {{"-1", "2", "0.5", "3"}, kNoError, {-1, 2, 0.5L, 3, {}}},
        // Wider than a turn: cut to one turn from the start.
        {{"0", "1", "1", "9"}, kNoError, {0, 1, 1, 1 + kTwoPi, {}}},
        // Just over a turn: the stop is cut, its letter stays.
        {{"0", "1", "0", "6.2832@K"}, kNoError, {0, 1, 0, kTwoPi, {0, 0, 0, 11}}},
        {{"0", "1", "0.5", "6.2832@K"}, kNoError, {0, 1, 0.5L, 6.2832L, {0, 0, 0, 11}}},
        {{"0.25@B", "1.5@C", "-1@D", "2@W"}, kNoError, {0.25L, 1.5L, -1, 2, {2, 3, 4, 23}}},
        {{"1", "1", "0", "1"}, kErrInconsistentData, {}},
        {{"2", "1", "x", "y"}, kErrInconsistentData, {}},
        {{"0", "1", "1", "1"}, kErrInconsistentData, {}},
        {{"0", "1", "1", "1.0000000000000000001"}, kErrInconsistentData, {}},
        {{"0", "1", "0", "1@Z"}, 1, {}},
    };
    for (const RangesRow& row : rows) {
        FormulaContext formulas;
        TRevolutionRanges out{9, 9, 9, 9, {}};
        EXPECT_EQ(ReadRevolutionRanges(formulas, row.texts, out), row.error) << row.texts[3];
        if (row.error == kNoError)
            EXPECT_EQ(out, row.want) << row.texts[3];
        else
            EXPECT_EQ(out.arcLow, 9);
    }
}

examples::TExample Profile(int kind, std::array<std::string, 4> texts) {
    examples::TExample e;
    e.Init(kind, 5, 50);
    for (int t = 0; t < 4; ++t) e.Text(t + 1) = texts[static_cast<std::size_t>(t)];
    e.pen.colour = 17;
    return e;
}

TEST(RevolutionRecordTest, AnExplicitCurveWithLettersOnItsEnds) {
    const examples::TExample profile = Profile(k::kExplicit, {"", "x^2+A", "", ""});
    examples::TExample surface;
    surface.Init(k::kRevolution, 3, 50);
    const TRevolutionRanges ranges{-1, 2, 0.5L, 3, {2, 3, 0, 11}};
    FillRevolutionRecord(surface, profile, ranges, {1, -2, 0.5L}, {-4, 6, -3, 5}, "y = x^2+A");
    EXPECT_EQ(surface.subKind, k::kExplicit);
    EXPECT_EQ(surface.Text(2), "x^2+A");
    EXPECT_EQ(surface.Text(7), "y = x^2+A");
    EXPECT_EQ(surface.Number(TNumber::kAxisA), 1);
    EXPECT_EQ(surface.Number(TNumber::kAxisB), -2);
    EXPECT_EQ(surface.Number(TNumber::kAxisC), 0.5L);
    EXPECT_EQ(surface.Number(TNumber::kFirstLetterPair), 302);
    EXPECT_EQ(surface.Number(TNumber::kSecondLetterPair), 1100);
    EXPECT_EQ(surface.Number(TNumber::kFirstLow), -1);
    EXPECT_EQ(surface.Number(TNumber::kFirstHigh), 2);
    EXPECT_EQ(surface.Number(TNumber::kSecondLow), 0.5L);
    EXPECT_EQ(surface.Number(TNumber::kSecondHigh), 3);
    EXPECT_EQ(surface.EndsBound(), 1);
    EXPECT_EQ(surface.rangeLow, (std::array<long double, 2>{0, 0}));
    EXPECT_EQ(surface.rangeHigh, (std::array<long double, 2>{1, 1}));
    EXPECT_EQ(surface.pen.colour, 17);
    const auto corners = [](const Vec3& a, const Vec3& b) {
        return std::array<long double, 6>{a.x, a.y, a.z, b.x, b.y, b.z};
    };
    EXPECT_EQ(corners(surface.boxMin, surface.boxMax),
              (std::array<long double, 6>{-4, -3, -5, 6, 5, 5}));
    EXPECT_EQ(corners(surface.box2Min, surface.box2Max), corners(surface.boxMin, surface.boxMax));
}

struct ProfileRow {
    int kind;
    std::array<std::string, 4> texts;
    std::string text4;
    long double arcLow, arcHigh;
};

// An implicit curve turns its equation (text 3) as text 4; a segment is turned whole.
TEST(RevolutionRecordTest, EachProfileKindKeepsWhatItsCompilationReads) {
    const ProfileRow rows[] = {
        {k::kPolar, {"", "", "1+cos(t)", ""}, "", -1, 2},
        {k::kParametric, {"cos(t)", "sin(t)", "", ""}, "", -1, 2},
        {k::kImplicit, {"", "", "x^2+y^2-1", ""}, "x^2+y^2-1", -1, 2},
        {k::kSegment, {"1", "2", "3", "4"}, "4", 0, 1},
    };
    for (const ProfileRow& row : rows) {
        examples::TExample profile = Profile(row.kind, row.texts);
        profile.PolarCurve() = 1;
        profile.PolarForm() = 1;
        examples::TExample surface;
        surface.Init(k::kRevolution, 3, 50);
        FillRevolutionRecord(surface, profile, {-1, 2, 0, 1, {1, 2, 0, 0}}, kXAxis, {-5, 5, -5, 5},
                             "");
        EXPECT_EQ(surface.subKind, row.kind);
        EXPECT_EQ(surface.Text(3), row.texts[2]);
        EXPECT_EQ(surface.Text(4), row.text4) << row.kind;
        EXPECT_EQ(surface.Number(TNumber::kFirstLow), row.arcLow) << row.kind;
        EXPECT_EQ(surface.Number(TNumber::kFirstHigh), row.arcHigh) << row.kind;
        EXPECT_EQ(surface.PolarCurve(),
                  row.kind == k::kParametric || row.kind == k::kSegment ? 1 : 0)
            << row.kind;
    }
}

// The ends' letters, each once (the arc's not for a segment), and a polar or parametric curve's
// own T.
TEST(RevolutionRecordTest, TheLettersASurfaceFollows) {
    const struct {
        int kind;
        std::array<int, 4> letters;
        std::vector<int> followed;
    } rows[] = {
        {k::kExplicit, {2, 3, 0, 11}, {2, 3, 11}}, {k::kExplicit, {0, 0, 0, 0}, {}},
        {k::kPolar, {0, 4, 4, 0}, {4, slot::kT}},  {k::kParametric, {0, 0, 0, 0}, {slot::kT}},
        {k::kImplicit, {5, 0, 6, 7}, {5, 6, 7}},   {k::kSegment, {8, 9, 0, 12}, {12}},
    };
    for (const auto& row : rows) {
        const TRevolutionRanges ranges{0, 1, 0, 1, row.letters};
        EXPECT_EQ(FollowedLetters(row.kind, ranges), row.followed) << row.kind;
    }
}

// The texts a surface reads, with the values of A = 3, B = -0.5 and T = 2 and the body of
// DBL(X) = 2X written in, and the letters it follows (K on an end, a curve's own T) left; the
// texts it does not read as they were.
TEST(RevolutionRecordTest, AProfileStandsAloneInTheTextsItsSurfaceReads) {
    FormulaContext plane;
    plane.SetVar(1, 3);
    plane.SetVar(2, -0.5L);
    plane.SetVar(slot::kT, 2);
    ASSERT_EQ(plane.DefineUserFunction("DBL", "2*X", 1), userfn::kDone);
    const struct {
        int kind;
        std::array<std::string, 4> texts;
        std::array<std::string, 4> written;
    } rows[] = {
        {k::kExplicit, {"A", "dbl(x)+T*K", "B", ""}, {"A", "(2*(x))+(2)*K", "B", ""}},
        {k::kPolar, {"", "", "A+T", ""}, {"", "", "(3)+T", ""}},
        {k::kParametric, {"B*T", "dbl(T)", "A", "A"}, {"(-0.5)*T", "(2*(T))", "A", "A"}},
        {k::kImplicit, {"", "", "x^2+y^2=A", "B"}, {"", "", "x^2+y^2=(3)", "B"}},
        {k::kSegment, {"A", "T", "K", "dbl(B)"}, {"(3)", "(2)", "K", "(2*((-0.5)))"}},
    };
    for (const auto& row : rows) {
        examples::TExample profile = Profile(row.kind, row.texts);
        examples::TExample standing;
        TCarriedFunctions carried;
        ASSERT_EQ(StandAloneProfile(plane, profile, {0, 1, 0, 1, {0, 0, 0, 11}}, standing, carried),
                  kNoError)
            << row.kind;
        EXPECT_TRUE(carried.Functions().empty());
        EXPECT_EQ(standing.kind, row.kind);
        EXPECT_EQ(standing.pen.colour, 17);
        for (int t = 1; t <= 4; ++t)
            EXPECT_EQ(standing.Text(t), row.written[static_cast<std::size_t>(t - 1)]) << row.kind;
    }
}

TEST(RevolutionRecordTest, TheLettersATreeUsesEachOnce) {
    FormulaContext formulas;
    std::vector<NodePtr> trees;
    for (const char* text : {"a*x+b*sin(c*x)", "x^2+a+w", "t*z"}) {
        ASSERT_EQ(formulas.Parse(text), kNoError);
        trees.push_back(formulas.TakeParseResult());
    }
    const TExprNode* roots[] = {trees[0].get(), trees[1].get(), trees[2].get(), nullptr};
    // T is a parameter letter as well (a curve's own t among them).
    EXPECT_EQ(ParameterLettersOf(roots), (std::vector<int>{1, 2, 3, 23, 20}));
}

}  // namespace
}  // namespace quorlin::tools2d
