// The cross-section solid against closed forms: its volume for every shape (plain and doubled),
// the fields read in order with the first error winning (counts read whole and in range, the
// grid limit, one curve twice, a JOIN, an inverted range), the x text of a range tied to
// parameters, and the surfaces of every shape evaluated at points whose places the shape fixes,
// over a plain range and over one whose ends are letters (the high one negative); the surfaces
// of curves with letters and user functions read in a window without them; texts that would
// pass 255 characters are refused, never cut.
#include "tools2d/solids/section_solid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "core/errors.h"
#include "core/vectors.h"
#include "examples/operations/integration.h"
#include "formula/formula_context.h"

namespace quorlin::tools2d {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

class Never : public examples::TSumControl {
public:
    bool Stop() override { return false; }
};

// The Simpson sum over [low, high] in n subintervals.
SectionSum SimpsonOver(FormulaContext& formulas, long double low, long double high, int n) {
    return [&formulas, low, high, n](TExprNode& integrand, long double& sum) {
        Never never;
        return examples::SimpsonIntegral(formulas, integrand, {slot::kX, low, high, n}, never, sum);
    };
}

struct VolumeRow {
    const char* f;
    const char* g;
    TSectionShape shape;
    const char* height;
    bool doubled;
    long double low, high;
    long double volume;
};

TEST(SectionVolumeTest, EveryShapeAgainstItsClosedForm) {
    const VolumeRow rows[] = {
        {"x", "0", TSectionShape::kSquare, "", false, 0, 1, 1.0L / 3},
        {"x", "0", TSectionShape::kSquare, "", true, 0, 1, 2.0L / 3},
        {"1", "-1", TSectionShape::kSemicircle, "", false, 0, 2, kPi},
        {"1", "0", TSectionShape::kRectangle, "2", false, 0, 3, 6},
        {"x", "0", TSectionShape::kEquilateral, "", false, 0, 1, std::sqrt(3.0L) / 12},
        // (x + 1 - (x - 1)) = 2 wide, x high: half of 2x over [1, 3].
        {"x+1", "x-1", TSectionShape::kIsosceles, "x", false, 1, 3, 4},
        {"x+1", "x-1", TSectionShape::kIsosceles, "x", true, 1, 3, 8},
        // pi/4 x 2 x 3 over a unit length.
        {"2", "0", TSectionShape::kSemiellipse, "3", false, 0.5L, 1.5L, 1.5L * kPi},
        {"3x", "x", TSectionShape::kRectangle, "x^2", true, 1, 2, 2 * (16 - 1) / 4.0L * 2},
    };
    for (const VolumeRow& row : rows) {
        FormulaContext formulas;
        const TSectionRequest request{row.f, row.g, static_cast<int>(row.shape), row.height,
                                      row.doubled};
        long double volume = 0;
        ASSERT_EQ(SectionVolume(formulas, request, SimpsonOver(formulas, row.low, row.high, 1000),
                                volume),
                  kNoError)
            << row.f;
        EXPECT_NEAR(static_cast<double>(volume), static_cast<double>(row.volume),
                    1e-12 * static_cast<double>(row.volume))
            << row.f << " " << static_cast<int>(row.shape) << " " << row.doubled;
    }
}

TEST(SectionVolumeTest, AnUndefinedWidthIsTheEnginesErrorAndATextNotUnderstoodItsOwn) {
    FormulaContext formulas;
    long double volume = 7;
    const TSectionRequest root{"sqrt(x)", "0", 1, "", false};
    EXPECT_EQ(SectionVolume(formulas, root, SimpsonOver(formulas, -1, 1, 100), volume),
              examples::kErrUndefinedIntegrand);
    EXPECT_EQ(volume, 7);
    const TSectionRequest height{"x", "0", 4, "2+", false};
    EXPECT_GT(SectionVolume(formulas, height, SimpsonOver(formulas, 0, 1, 100), volume), 100);
    EXPECT_EQ(volume, 7);
}

struct FieldsRow {
    TSectionFields fields;
    TSectionChoice choice;
    int error;
};

TEST(SectionFieldsTest, TheFirstErrorWinsAndNothingIsTakenFromAFailedRead) {
    const TSectionChoice two{0, 1, false};
    const FieldsRow rows[] = {
        {{"0", "1", "40", "145", "1000"}, two, kNoError},         // 41 x 146 = 5986 points
        {{"0", "1", "40", "149", "1000"}, two, kErrOutOfBounds},  // 41 x 150 = 6150
        {{"0", "1", "0", "1", "1000"}, two, kErrPositiveValue},
        {{"0", "1", "40", "1", "0"}, two, kErrPositiveValue},
        {{"0", "1", "-3", "1", "1000"}, two, kErrPositiveValue},
        {{"0", "1", "40", "1", "-99999999999"}, two, kErrOutOfBounds},
        {{"0", "1", "40", "2*3", "1000"}, two, kNoError},
        {{"0", "1", "40", "1", "9999999999"}, two, kErrOutOfBounds},
        {{"0", "1", "40000", "1", "1000"}, two, kErrOutOfBounds},
        {{"0", "1", "40", "1", "2147483647"}, two, kNoError},
        {{"1", "1", "x", "x", "x"}, two, kErrInconsistentData},
        {{"2", "1", "40", "1", "1000"}, two, kErrInconsistentData},
        {{"0", "1", "40", "1", "1000"}, {1, 1, false}, kErrSelectTwo},
        {{"0", "1", "40", "1", "1000"}, {-1, 1, false}, kErrMakeSelection},
        {{"0", "1", "40", "1", "1000"}, {0, 1, true}, kErrFormulaNotUsable},
        {{"0", "1", "0", "1", "1000"}, {1, 1, true}, kErrSelectTwo},
        {{"0", "0.1+0.1+0.1+0.1+0.1+0.1", "40", "1", "1"}, two, kErrTooLarge},
        // The height text last: a record holds 255 characters of it.
        {{"0", "1", "40", "1", "1000", std::string(255, '2')}, two, kNoError},
        {{"0", "1", "40", "1", "1000", std::string(256, '2')}, two, kErrTooLarge},
        {{"0", "1", "0", "1", "1000", std::string(256, '2')}, two, kErrPositiveValue},
    };
    for (const FieldsRow& row : rows) {
        FormulaContext formulas;
        TSectionRange range{-9, 9, 3, 4};
        TSectionCounts counts{7, 8, 9};
        EXPECT_EQ(ReadSectionFields(formulas, row.fields, row.choice, range, counts), row.error)
            << row.fields.low << " " << row.fields.xSections << " " << row.fields.zSections << " "
            << row.fields.subintervals;
        if (row.error != kNoError) {
            EXPECT_EQ(range.low, -9);
            EXPECT_EQ(counts.xSections, 7);
        }
    }
}

TEST(SectionFieldsTest, EndsTiedToLettersGiveThemTheirValues) {
    FormulaContext formulas;
    TSectionRange range;
    TSectionCounts counts;
    ASSERT_EQ(ReadSectionFields(formulas, {"-0.5@K", "2*3@M", "12", "3", "250"}, {2, 5, false},
                                range, counts),
              kNoError);
    EXPECT_EQ(range.low, -0.5L);
    EXPECT_EQ(range.high, 6);
    EXPECT_EQ(range.lowLetter, 11);
    EXPECT_EQ(range.highLetter, 13);
    EXPECT_EQ(formulas.Var(11), -0.5L);
    EXPECT_EQ(formulas.Var(13), 6);
    EXPECT_EQ(counts.xSections, 12);
    EXPECT_EQ(counts.zSections, 3);
    EXPECT_EQ(counts.subintervals, 250);
}

TEST(SectionXTextTest, LettersAreWrittenAsLettersAndNumbersWithTheirSign) {
    EXPECT_EQ(SectionXText({0, 1, 0, 0}), "u");
    EXPECT_EQ(SectionXText({-2, 3, 11, 0}), "(K(1-u)+3u)");
    EXPECT_EQ(SectionXText({-2, -1.5L, 11, 0}), "(K(1-u)-1.5u)");
    EXPECT_EQ(SectionXText({-2.5L, -1, 0, 13}), "(-2.5(1-u)+Mu)");
    EXPECT_EQ(SectionXText({-2, 0, 11, 0}), "(K(1-u)-0u)");
}

// --- the surfaces -------------------------------------------------------------------------

using Fn = std::function<long double(long double)>;

struct Region {
    Fn f = [](long double x) { return x + 2; };
    Fn g = [](long double x) { return 0.5L * x; };
    Fn h = [](long double x) { return x * x + 1; };
    long double W(long double x) const { return f(x) - g(x); }
    long double M(long double x) const { return 0.5L * (f(x) + g(x)); }
    long double P(long double t, long double x) const { return t * f(x) + (1 - t) * g(x); }
};

// A surface's closed form: the point at (t, x).
using Closed = std::function<Vec3(long double t, long double x)>;

struct ShapeRow {
    TSectionShape shape;
    bool doubled;
    long double tLow, tHigh;  // of the last surface
    std::vector<Closed> surfaces;
};

std::vector<ShapeRow> ShapeRows(const Region& r) {
    const auto floor = [r](long double t, long double x) { return Vec3{x, r.P(t, x), 0}; };
    const auto wall = [](Fn side, Fn d) {
        return [side, d](long double t, long double x) { return Vec3{x, side(x), t * d(x)}; };
    };
    const auto lid = [r](Fn d, long double sign) {
        return [r, d, sign](long double t, long double x) {
            return Vec3{x, r.P(t, x), sign * d(x)};
        };
    };
    const auto face = [r](Fn side, Fn d, long double rise) {
        return [r, side, d, rise](long double t, long double x) {
            return Vec3{x, t * r.M(x) + (1 - t) * side(x), rise * t * d(x)};
        };
    };
    const auto round = [r](Fn radius) {
        return [r, radius](long double t, long double x) {
            return Vec3{x, r.M(x) + 0.5L * r.W(x) * std::cos(t), radius(x) * std::sin(t)};
        };
    };
    const Fn w = [r](long double x) { return r.W(x); };
    const Fn h = r.h;
    const Fn halfW = [r](long double x) { return 0.5L * r.W(x); };
    const long double s = std::sqrt(0.75L);
    return {
        {TSectionShape::kSquare, false, 0, 1, {floor, wall(r.g, w), wall(r.f, w), lid(w, 1)}},
        {TSectionShape::kSquare, true, 0, 1, {wall(r.g, w), wall(r.f, w), lid(w, 1), lid(w, -1)}},
        {TSectionShape::kRectangle, false, 0, 1, {floor, wall(r.g, h), wall(r.f, h), lid(h, 1)}},
        {TSectionShape::kEquilateral, false, 0, 1, {floor, face(r.g, w, s), face(r.f, w, s)}},
        {TSectionShape::kEquilateral,
         true,
         0,
         1,
         {face(r.g, w, s), face(r.g, w, -s), face(r.f, w, s), face(r.f, w, -s)}},
        {TSectionShape::kIsosceles, false, 0, 1, {floor, face(r.g, h, 1), face(r.f, h, 1)}},
        {TSectionShape::kSemicircle, false, 0, kPi, {floor, round(halfW)}},
        {TSectionShape::kSemiellipse, true, 0, 2 * kPi, {round(h)}},
    };
}

class SectionSurfacesTest : public ::testing::Test {
protected:
    // The point of a surface's texts at (t, u).
    Vec3 Evaluate(const examples::TSectionSurface& s, long double t, long double u) {
        formulas.SetVar(slot::kT, t);
        formulas.SetVar(slot::kU, u);
        Vec3 p;
        long double* out[3] = {&p.x, &p.y, &p.z};
        const std::string* texts[3] = {&s.x, &s.y, &s.z};
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(formulas.Parse(*texts[c]), kNoError) << *texts[c];
            NodePtr tree = formulas.TakeParseResult();
            if (!tree || !formulas.Evaluate(*tree)) {
                ADD_FAILURE() << *texts[c];
                continue;
            }
            *out[c] = tree->re;
        }
        return p;
    }
    // Every shape's surfaces over the range, x(u) the range's x at u.
    void CheckShapes(const TSectionRange& range, const std::function<long double(long double)>& x,
                     long double uLow, long double uHigh) {
        const Region region;
        for (const ShapeRow& row : ShapeRows(region)) {
            const TSectionRequest request{"x+2", "0.5x", static_cast<int>(row.shape), "x^2+1",
                                          row.doubled};
            std::vector<examples::TSectionSurface> surfaces;
            TCarriedFunctions carried;
            ASSERT_EQ(SectionSurfaces(formulas, request, range, 40, 3, surfaces, carried),
                      kNoError);
            EXPECT_TRUE(carried.Functions().empty());
            ASSERT_EQ(surfaces.size(), row.surfaces.size()) << static_cast<int>(row.shape);
            const examples::TSectionSurface& last = surfaces.back();
            EXPECT_EQ(std::tuple(last.tLow, last.tHigh, last.uLow, last.uHigh),
                      std::tuple(row.tLow, row.tHigh, uLow, uHigh));
            const bool round = row.tHigh > 1;
            EXPECT_EQ(last.tDivisions, round ? 12 : 3);
            EXPECT_EQ(last.uDivisions, 40);
            for (std::size_t k = 0; k < surfaces.size(); ++k)
                for (const auto& [t, u] : {std::pair{0.25L, 0.4L}, std::pair{0.8L, 0.9L}}) {
                    const long double tt =
                        surfaces[k].tLow + t * (surfaces[k].tHigh - surfaces[k].tLow);
                    const long double uu = uLow + u * (uHigh - uLow);
                    const Vec3 got = Evaluate(surfaces[k], tt, uu);
                    const Vec3 want = row.surfaces[k](tt, x(uu));
                    EXPECT_NEAR(static_cast<double>(got.x), static_cast<double>(want.x), 1e-15);
                    EXPECT_NEAR(static_cast<double>(got.y), static_cast<double>(want.y), 1e-14)
                        << static_cast<int>(row.shape) << " " << row.doubled << " " << k;
                    EXPECT_NEAR(static_cast<double>(got.z), static_cast<double>(want.z), 1e-14)
                        << static_cast<int>(row.shape) << " " << row.doubled << " " << k;
                }
        }
    }
    FormulaContext formulas;
};

TEST_F(SectionSurfacesTest, EveryShapeOverAPlainRange) {
    CheckShapes(
        {-1.5L, 2.5L, 0, 0}, [](long double u) { return u; }, -1.5L, 2.5L);
}

// The low end is K = 0.5, the high one M = -1.25: x runs from K to M as u runs over [0, 1] (a
// high end written with the sign of the letter's value would run to +1.25).
TEST_F(SectionSurfacesTest, EveryShapeOverEndsTiedToLettersTheHighOneNegative) {
    formulas.SetVar(11, 0.5L);
    formulas.SetVar(13, -1.25L);
    CheckShapes(
        {0.5L, -1.25L, 11, 13}, [](long double u) { return 0.5L * (1 - u) - 1.25L * u; }, 0, 1);
    CheckShapes(
        {0.5L, 3, 11, 0}, [](long double u) { return 0.5L * (1 - u) + 3 * u; }, 0, 1);
}

// A solid made in a plane window with letters and user functions, evaluated in a 3D window
// that has neither (only the slider of K, the low end's letter): its top stands where the plane
// window's values put it, a letter of g alone included, and follows K alone.
TEST_F(SectionSurfacesTest, TheTextsCarryThePlaneWindowsLettersAndFunctions) {
    FormulaContext plane;
    plane.SetVar(1, 3);      // A
    plane.SetVar(2, -1.5L);  // B
    plane.SetVar(3, -7);     // C, only inside TRI
    plane.SetVar(4, 0.25L);  // D
    plane.SetVar(11, 0.5L);  // K, the low end of the last row
    ASSERT_EQ(plane.DefineUserFunction("DBL", "2*X", 1), userfn::kDone);
    ASSERT_EQ(plane.DefineUserFunction("TRI", "C*X", 1), userfn::kDone);
    struct Row {
        TSectionRequest request;
        TSectionRange range;
        long double (*top)(long double x, long double k);
    };
    const Row rows[] = {
        {{"2x", "-D", 1, "", false},
         {0.5L, 2, 0, 0},
         [](long double x, long double) {
             return 2 * x + 0.25L;  // 1.25 at x = 0.5
         }},
        {{"A*x", "0", 1, "", false},
         {0.5L, 2, 0, 0},
         [](long double x, long double) { return 3 * x; }},
        {{"dbl(x)", "B", 1, "", false},
         {0.5L, 2, 0, 0},
         [](long double x, long double) { return 2 * x + 1.5L; }},
        {{"x+2", "x", 4, "tri(x)+A", false},
         {0.5L, 2, 0, 0},
         [](long double x, long double) { return -7 * x + 3; }},
        {{"K*x", "A", 1, "", false},
         {0.5L, 2, 11, 0},
         [](long double x, long double k) { return k * x - 3; }},
    };
    for (const Row& row : rows) {
        std::vector<examples::TSectionSurface> surfaces;
        TCarriedFunctions carried;
        ASSERT_EQ(SectionSurfaces(plane, row.request, row.range, 40, 3, surfaces, carried),
                  kNoError)
            << row.request.f;
        EXPECT_TRUE(carried.Functions().empty());
        ASSERT_EQ(surfaces.size(), 4u);
        for (const long double k : {0.5L, 1.25L}) {
            formulas.SetVar(11, k);  // the 3D window's slider of K
            const long double low = row.range.Linked() ? k : row.range.low;
            for (const long double u : {0.0L, 0.4L, 1.0L}) {
                const long double uu = row.range.Linked() ? u : low + u * (2 - low);
                const long double x = row.range.Linked() ? low * (1 - u) + 2 * u : uu;
                const Vec3 p = Evaluate(surfaces.back(), 0.5L, uu);
                EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(x), 1e-15);
                EXPECT_NEAR(static_cast<double>(p.z), static_cast<double>(row.top(x, k)), 1e-15)
                    << row.request.f << " " << row.request.g << " at " << static_cast<double>(x);
            }
        }
    }
}

// A DER or JOIN written in f, g or the height acts on x: over a plain range x is u, and the
// form acts on u (the top of squares on DERX(1, x^3)/3 is x^2; the height JOINX(0.5, 1.25, 2)
// steps at x = 1.25). Between tied ends x is no variable, and such a solid is refused rather
// than drawn with forms that would act on nothing.
TEST_F(SectionSurfacesTest, AFormOnXActsOnTheVariableThatStandsForX) {
    struct Row {
        TSectionRequest request;
        long double (*top)(long double x);
    };
    const Row rows[] = {
        {{"DERX(1,x^3)/3", "0", 1, "", false}, [](long double x) { return x * x; }},
        {{"x^2", "derx(2, x^3)-7x", 1, "", false}, [](long double x) { return x * x + x; }},
        {{"x+2", "x", 4, "JOINX(0.5,1.25,2)", false},
         [](long double x) { return x < 1.25L ? 0.5L : 2.0L; }},
    };
    for (const Row& row : rows) {
        std::vector<examples::TSectionSurface> surfaces;
        TCarriedFunctions carried;
        ASSERT_EQ(SectionSurfaces(formulas, row.request, {0.5L, 2, 0, 0}, 40, 3, surfaces, carried),
                  kNoError)
            << row.request.f;
        ASSERT_EQ(surfaces.size(), 4u);
        for (const long double x : {0.75L, 1.0L, 1.5L, 2.0L}) {
            const Vec3 p = Evaluate(surfaces.back(), 0.5L, x);
            EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(x), 1e-15);
            EXPECT_NEAR(static_cast<double>(p.z), static_cast<double>(row.top(x)), 1e-15)
                << row.request.f << " " << row.request.height << " at " << static_cast<double>(x);
        }
        for (const TSectionRange& tied : {TSectionRange{0.5L, 2, 11, 0}, {0.5L, 2, 0, 13}}) {
            std::vector<examples::TSectionSurface> none;
            EXPECT_EQ(SectionSurfaces(formulas, row.request, tied, 40, 3, none, carried),
                      kErrFormulaNotUsable)
                << row.request.f;
            EXPECT_TRUE(none.empty());
        }
    }
}

TEST_F(SectionSurfacesTest, ATextOverTheRecordsLengthIsRefusedNotCut) {
    std::string f = "x";
    while (f.size() < 120) f += "+x";
    std::vector<examples::TSectionSurface> surfaces{{}};
    TCarriedFunctions carried;
    // Fits as it stands: "u" adds two brackets to each x.
    EXPECT_EQ(SectionSurfaces(formulas, {f.substr(0, 80), "0", 1, "", false}, {0, 1, 0, 0}, 40, 1,
                              surfaces, carried),
              kNoError);
    EXPECT_EQ(
        SectionSurfaces(formulas, {f, "0", 1, "", false}, {0, 1, 11, 0}, 40, 1, surfaces, carried),
        kErrTooLarge);
    EXPECT_EQ(SectionSurfaces(formulas, {std::string(200, '1'), std::string(60, '2'), 1, "", false},
                              {0, 1, 0, 0}, 40, 1, surfaces, carried),
              kErrTooLarge);
    EXPECT_EQ(surfaces.size(), 4u);  // the last good answer stands
    // Letters count as their values are written: nine W = 1/3 of 24 characters each and a
    // number make f 243 characters, and the floor's "t(f)+(1-t)(0)" 255; a digit more is 256.
    formulas.SetVar(23, 1.0L / 3);
    std::string nine = "W";
    for (int k = 1; k < 9; ++k) nine += "+W";
    for (const auto& [digits, error] : {std::pair{18, kNoError}, std::pair{19, kErrTooLarge}}) {
        const TSectionRequest request{nine + "+" + std::string(digits, '1'), "0", 1, "", false};
        surfaces.clear();
        EXPECT_EQ(SectionSurfaces(formulas, request, {0, 1, 0, 0}, 40, 1, surfaces, carried), error)
            << digits;
        const std::size_t longest =
            surfaces.empty()
                ? 0
                : std::ranges::max(surfaces, {}, [](const auto& s) { return s.y.size(); }).y.size();
        EXPECT_EQ(longest, error == kNoError ? 255u : 0u);
    }
}

}  // namespace
}  // namespace quorlin::tools2d
