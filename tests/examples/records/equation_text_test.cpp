// Equation texts: the texts of examples of their own texts and of derived examples, the
// suffixes and the cut, and the stored texts of derived examples.
#include "examples/records/equation_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace quorlin::examples {
namespace {

// An example of a test inventory: its kind and texts 1, 2, ..., the derivation code and parents
// it is derived from, the fields it sets besides, and its name.
struct Ex {
    int kind;
    std::vector<std::string> texts = {};
    int code = 0, first = -1, second = -1;
    std::function<void(TExample&)> more = {};
    std::string name = {};
};

TInventory Inventory(const std::vector<Ex>& examples) {
    TInventory inventory;
    for (const Ex& e : examples) {
        TInventoryEntry& entry = inventory.Entries().emplace_back();
        TExample& ex = entry.example;
        ex.kind = static_cast<std::int16_t>(e.kind);
        for (std::size_t k = 0; k < e.texts.size(); ++k)
            ex.Text(static_cast<int>(k) + 1) = e.texts[k];
        ex.derivation = static_cast<std::uint16_t>(e.code);
        ex.parent = {static_cast<std::int16_t>(e.first), static_cast<std::int16_t>(e.second)};
        if (e.more) e.more(ex);
        entry.name = e.name;
    }
    return inventory;
}

TEST(EquationText, DescribesTheLastExample) {
    const std::vector<std::string> parabolaTexts{"", "x^2", "", "", "", "", "0;1"};
    const auto lock = [](TExample& e) { e.lockInterval = 1; };
    const auto lockOpen = [](TExample& e) {
        e.lockInterval = 1;
        e.SetEndMark(1, {TEndMark::Shape::kCircle, 3, false});
    };
    const auto lockSeeded = [](TExample& e) {  // a web seed or frozen value opens no end
        e.lockInterval = 1, e.Number(TNumber::kWebSeed) = -2, e.Number(TNumber::kFrozenValue) = -1;
    };
    const auto family = [](TExample& e) {
        e.familyOn = 1, e.familyLetter = 3, e.familyLow = 0, e.familyHigh = 2, e.familySteps = -4;
    };
    const auto arrows = [](TExample& e) { e.EndMarkMode() = 3; };
    const auto polar = [](TExample& e) { e.PolarCurve() = 1; };
    const auto periodic = [](TExample& e) { e.periodic = 1; };
    const auto web = [](TExample& e) { e.WebOn() = 1, e.subKind = 1, e.WebSteps() = 10; };
    const auto axis = [](TExample& e) { e.Number(TNumber::kAxisA) = 1; };
    const auto spherical = [](TExample& e) { e.PointCoordinates() = 2; };
    const auto order = [](int n) { return [n](TExample& e) { e.order = n; }; };
    const auto frozen = [](TExample& e) {
        e.FrozenLetter() = 1, e.Number(TNumber::kFrozenValue) = 0.5L;
    };
    const Ex locked{kind::kExplicit, parabolaTexts, 0, -1, -1, lock};
    const Ex segment{kind::kSegment, {"0", "1", "2", "3"}};
    const struct {
        const char* what;
        std::vector<Ex> examples;
        std::string expected;
        std::size_t size = kDescriptionSize;
    } cases[] = {
        {"locked closed interval", {locked}, "y = x^2; 0 <= x <= 1"},
        {"locked interval open at its high end",
         {{kind::kExplicit, parabolaTexts, 0, -1, -1, lockOpen}},
         "y = x^2; 0 <= x < 1"},
        {"seeded web",
         {{kind::kExplicit, parabolaTexts, 0, -1, -1, lockSeeded}},
         "y = x^2; 0 <= x <= 1"},
        {"family suffix",
         {{kind::kExplicit, {"", "c*x"}, 0, -1, -1, family}},
         "y = c*x family[c = 0.000 --> c = 2.000; 4 steps]"},
        {"cut to a buffer of 60",
         {{kind::kExplicit, {"", std::string(70, 'x')}}},
         "y = " + std::string(51, 'x') + " ...",
         60},
        {"sum of two explicit examples",
         {{kind::kExplicit, {"", "x"}},
          {kind::kExplicit, {"", "x^2"}},
          {kind::kExplicit, {}, 43, 0, 1}},
         "y = (x)+(x^2)"},
        {"absolute value of a named example",
         {{kind::kExplicit, {"", "x^2-1"}, 0, -1, -1, {}, "parab"}, {kind::kExplicit, {}, 111, 0}},
         "y = |parab|"},
        {"segment with both arrows",
         {{kind::kSegment, {"0", "0", "1", "1"}, 0, -1, -1, arrows}},
         "segment (0,0)<-->(1,1)"},
        {"polar parametric curve with its range text",
         {{kind::kParametric, {"1+t", "t", "", "", "", "", "0;2*pi"}, 0, -1, -1, polar}},
         "(r,t) = (1+t,t); 0 <= t <= 2*pi"},
        {"periodic explicit curve",
         {{kind::kExplicit, {"", "x", "", "", "", "", "0;2"}, 0, -1, -1, periodic}},
         "y = periodic[x; 0 <= x < 2]"},
        {"web diagram with a seed parameter",
         {{kind::kExplicit, {"", "a*x*(1-x)"}, 0, -1, -1, web}},
         "y = a*x*(1-x) web[seed value A; 10 steps]"},
        {"surface of revolution with its axis in window format",
         {{kind::kRevolution, {"", "", "", "", "", "", "y = x"}, 0, -1, -1, axis}},
         "revolve [y = x] axis ax+by=c (1.00,0.00,0.00)"},
        {"spherical point",
         {{kind::kSpacePoint, {"1", "2", "3"}, 0, -1, -1, spherical}},
         "(rho,theta,phi) = (1,2,3)"},
        {"derivative of a derivative names the first ancestor",
         {{kind::kExplicit, {"", "sin(x)"}},
          {kind::kExplicit, {}, 68, 0, -1, order(1)},
          {kind::kExplicit, {}, 68, 1, -1, order(2)}},
         "y = der{2,sin(x)}"},
        {"gradient field of an implicit curve",
         {{kind::kImplicit, {"", "", "", "", "x^2+y^2=1"}}, {kind::kSystem, {}, 71, 0}},
         "grad{(1)-(x^2+y^2)}"},
        {"reflection in the line y = x drops the parent's range",
         {locked, {kind::kParametric, {}, 103, 0}},
         "reflect{x^2} | y = x "},
        {"end point of a segment takes the pair its text index names",
         {segment, {kind::kPoint, {}, 125, 0, 2}},
         "(x,y) = (2,3)"},
        {"end point whose word names neither end (renumbered by another program)",
         {segment, {kind::kPoint, {}, 125, 0, 1}},
         ""},
        {"end point with a text index outside the record",
         {segment, {kind::kPoint, {}, 125, 0, 6}},
         ""},
        {"parent index that is not an earlier example",
         {{kind::kExplicit, {"", "x"}}, {kind::kExplicit, {}, 111, 1}},
         "||"},
        {"frozen family member",
         {{kind::kExplicit, {"", "a*x"}}, {kind::kExplicit, {}, 180, 0, -1, frozen}},
         "a*x @ a = 0.50"}};
    TTextSettings settings;
    settings.format.places = 2;
    settings.format.NumberFormatChanged();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TInventory inventory = Inventory(c.examples);
        EXPECT_EQ(DescribeExample(inventory, inventory.LastIndex(), settings, c.size), c.expected);
    }
}

TEST(EquationText, DerivedTextsThatAreStoredAreCutToTheRecordsTexts) {
    const auto taylor = [](TExample& e) { e.derivationParam = 3; };
    TInventory inventory = Inventory({{kind::kExplicit, {"", std::string(250, 'x')}},
                                      {kind::kExplicit, {"", "", "", "0"}, 65, 0, -1, taylor},
                                      {kind::kParametricSurface, {"t", "u", "t*u"}},
                                      {kind::kPlane, {"", "", "", "", "", "", "0.5;0.25"}, 77, 2}});
    const TTextSettings settings;
    const std::string text = DescribeExample(inventory, 1, settings);
    EXPECT_EQ(text, "y = Taylor{" + std::string(250, 'x') + "; deg 3 @ x = 0}");
    EXPECT_EQ(inventory[1].Text(2), text.substr(0, 255));
    EXPECT_EQ(DescribeExample(inventory, 3, settings),
              "tangent plane{(x,y,z) = (t,u,t*u); (0.5,0.25)}");
    EXPECT_EQ(inventory[3].Text(4), "cannot edit this");
}

TEST(EquationText, TrajectoryLines) {
    TTrajectory system;
    system.kind = kind::kSystem;
    system.startX = 1, system.startTime = 0, system.endTime = -5;
    EXPECT_EQ(DescribeTrajectory(system, 2, false), "(1.00,0.00) t = 0.00 bkw t = -5.00");
    TTrajectory slope;
    slope.kind = kind::kSlope;
    slope.startX = 2;  // shown as 10^2 on a logarithmic x axis
    slope.step = 0.1L, slope.option1 = 2;
    EXPECT_EQ(DescribeTrajectory(slope, 1, false, 1), "(100.0,0.0) steps 0.1 Runge-Kutta");
    TTrajectory sequence;
    sequence.kind = TTrajectory::kFormulaKindOffset + kind::kSpaceSequence;
    sequence.texts = {"a", "b", "c", ""};
    sequence.endTime = 9;
    EXPECT_EQ(DescribeTrajectory(sequence, 2, true), "(a,b,c) t = 0.00 fwd t = 9.00");

    // A derx equation shows its initial values without their closing comma, and an empty list
    // as nothing.
    TTrajectory derx;
    derx.kind = kind::kHigherOrder;
    derx.step = 0.5L;
    for (auto [values, shown] :
         {std::pair{"1,0,", "(1,0) t = 0.0 steps 0.5 Euler"}, {"", "() t = 0.0 steps 0.5 Euler"}}) {
        derx.texts[0] = values;
        EXPECT_EQ(DescribeTrajectory(derx, 1, false), shown);
    }
}

// Values beyond the fixed form's reach read in exponent form with the line's digits, and
// infinities as such: the end of an unbounded trajectory is e^42, never 19 digits of it.
TEST(EquationText, TrajectoryLinesShowLargeAndTinyValuesInExponentForm) {
    struct Row {
        int kind;
        long double x, y, start, end, step;
        int digits, logMode;
        const char* shown;
    };
    const long double inf = std::numeric_limits<long double>::infinity();
    const Row rows[] = {
        {kind::kSystem, 1, -2, 0, std::exp(42.0L), 0, 4, 0,
         "(1.0000,-2.0000) t = 0.0000 fwd t = 1.7393e+18"},
        {kind::kSystem, 3e9L, 2.5e-7L, 2.5L, -inf, 0, 2, 0,
         "(3.00e+09,2.50e-07) t = 2.50 bkw t = -inf"},
        {kind::kSystem, 0.25L, 1e7L, -1.5e12L, inf, 0, 3, 0,
         "(0.250,1.000e+07) t = -1.500e+12 fwd t = inf"},
        {kind::kSlope, 400, 3, 0, 1, 6.5e8L, 1, 1, "(1.0e+400,3.0) steps 6.5e+08 Euler"},
        {kind::kSlope, 2, -15.5L, 0, 1, 0.05L, 4, 2, "(2.0000,3.1623e-16) steps 0.0500 Euler"},
    };
    for (const Row& row : rows) {
        TTrajectory t;
        t.kind = row.kind;
        t.startX = row.x, t.startY = row.y, t.startTime = row.start, t.endTime = row.end;
        t.step = row.step, t.option1 = 0;
        EXPECT_EQ(DescribeTrajectory(t, row.digits, false, row.logMode), row.shown) << row.shown;
    }
    TTrajectory derx;
    derx.kind = kind::kHigherOrder;
    derx.texts[0] = "1,0,";
    derx.startTime = -7.25e9L, derx.step = 1e-6L, derx.option1 = 1;
    EXPECT_EQ(DescribeTrajectory(derx, 2, false),
              "(1,0) t = -7.25e+09 steps 1.00e-06 modified Euler");
}

}  // namespace
}  // namespace quorlin::examples
