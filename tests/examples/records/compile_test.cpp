// Compilation of curves: compiled trees against closed forms (polar and periodic curves,
// curvature, evolute, line forms, the Lagrange polynomial), the symbol buffer, parameters and
// option bits, and the texts that do not parse.
#include <cmath>
#include <numbers>
#include <tuple>

#include "examples/compile_fixture.h"
#include "examples/records/equation_text.h"
#include "support/all_near.h"

namespace quorlin::examples {
namespace {

constexpr long double kTolerance = 1e-15L;
using quorlin::testing::AllNear;

TEST_F(CompileTest, PolarFormsBecomeCartesian) {
    const int polar = Add(kind::kPolar, {"", "", "1+T"});
    const int spiral = Add(kind::kParametric, {"1+T", "T", "", "", "", "", "-1;2*PI"},
                           [](TExample& e) { e.PolarCurve() = 1; });
    for (const long double t : {-1.0L, 0.0L, 0.5L, 2.0L}) {
        for (const int i : {polar, spiral})
            EXPECT_TRUE(AllNear({At(i, 1, t), At(i, 2, t)},
                                {(1 + t) * std::cos(t), (1 + t) * std::sin(t)}, kTolerance))
                << i << " " << t;
        EXPECT_NEAR(At(spiral, 3, t), (1 + t) * (1 + t), 1e-14L);
    }
    EXPECT_TRUE(AllNear({Ex(spiral).rangeLow[0], Ex(spiral).rangeHigh[0]},
                        {-1, 2 * std::numbers::pi_v<long double>}, kTolerance));
}

// A range text that a parameter leaves undefined empties the range (drawn as nothing) until
// the parameter gives it a value again; one undefined end takes the other's value.
TEST_F(CompileTest, ARangeTextLeftUndefinedEmptiesTheRange) {
    ctx.SetVar(1, -4);
    const int both = Add(kind::kParametric, {"T", "T", "", "", "", "", "LN(A);SQRT(A)"});
    const int one = Add(kind::kParametric, {"T", "T", "", "", "", "", "-3;SQRT(A)"});
    const auto range = [this](int i) { return std::pair(Ex(i).rangeLow[0], Ex(i).rangeHigh[0]); };
    EXPECT_EQ(range(both), std::pair(0.0L, 0.0L));
    EXPECT_EQ(range(one), std::pair(-3.0L, -3.0L));
    ctx.SetVar(1, 4);
    compiler.EvaluateRanges(both);
    compiler.EvaluateRanges(one);
    EXPECT_TRUE(AllNear({range(both).first, range(both).second}, {std::log(4.0L), 2}, kTolerance));
    EXPECT_TRUE(AllNear({range(one).first, range(one).second}, {-3, 2}, kTolerance));
}

TEST_F(CompileTest, PeriodicCurveRepeatsItsRange) {
    const int i = Add(kind::kExplicit, {"", "X^2", "", "", "", "", "0;2"},
                      [](TExample& e) { e.periodic = 1; });
    ASSERT_EQ(Ex(i).Tree(2)->op, op::kPeriodic);
    EXPECT_EQ(Value(Ex(i).Tree(2)->child[2], {}), 2);
    for (const auto& [x, y] : {std::pair{0.5L, 0.25L}, {2.5L, 0.25L}, {-0.5L, 2.25L}, {7, 1}})
        EXPECT_NEAR(At(i, 2, 0, 0, x), y, 1e-15L) << x;
    EXPECT_EQ(inventory.Entry(i).rangeLow, nullptr);  // the range text is the period
}

TEST_F(CompileTest, CurvatureOfParabolaCircleAndHelix) {
    const int parabola = Add(kind::kExplicit, {"", "X^2"});
    const int circle = Add(kind::kParametric, {"2*COS(T)", "2*SIN(T)"});
    for (const long double x : {-1.0L, 0.0L, 0.3L, 2.0L}) {
        EXPECT_NEAR(At(parabola, 4, 0, 0, x), 2 / std::pow(1 + 4 * x * x, 1.5L), kTolerance);
        EXPECT_NEAR(At(circle, 4, x), 0.5L, kTolerance);
    }
    // A helix of radius 1 and pitch 1/2: curvature 1 / (1 + 1/4).
    ctx.dimension = 3;
    const int helix = Add(kind::kSpaceCurve, {"COS(T)", "SIN(T)", "T/2"});
    ASSERT_EQ(Ex(helix).Tree(4)->op, op::kCurvature3);
    for (const long double t : {0.0L, 1.0L, 4.0L}) {
        const auto& children = Ex(helix).Tree(4)->child;  // x'', z'', y''
        EXPECT_TRUE(AllNear({At(helix, 4, t), children[0]->re, children[1]->re, children[2]->re},
                            {0.8L, -std::cos(t), 0, -std::sin(t)}, kTolerance))
            << t;
    }
}

TEST_F(CompileTest, EvoluteOfTheParabola) {
    const int parabola = Add(kind::kExplicit, {"", "X^2"});
    TExample e;
    e.kind = kind::kParametric;
    e.derivation = 83;
    e.parent[0] = static_cast<std::int16_t>(parabola);
    const int evolute = inventory.Append(std::move(e));
    compiler.BuildEvolute(evolute);
    for (const long double t : {-1.5L, 0.0L, 0.5L, 1.0L})
        EXPECT_TRUE(AllNear({At(evolute, 1, t), At(evolute, 2, t)},
                            {-4 * t * t * t, 0.5L + 3 * t * t}, 1e-14L))
            << t;
}

TEST_F(CompileTest, LineFormsOfSegmentsAndLines) {
    const struct {
        int kind;
        std::initializer_list<const char*> texts;
        bool polar;
        long double y0, slope;  // the line y = y0 + slope x
    } cases[] = {
        {kind::kSegment, {"1", "2", "3", "6"}, false, 0, 2},
        {kind::kSegment, {"2", "0", "2", "PI/2"}, true, 2, -1},  // (2, 0) to (0, 2)
        {kind::kLine, {"2", "4", "6"}, false, 1.5L, -0.5L}       // 2x + 4y = 6
    };
    for (const auto& c : cases) {
        const int i = Add(c.kind, c.texts, [&](TExample& e) { e.PolarForm() = c.polar; });
        for (const long double x : {-2.0L, 0.0L, 1.0L, 5.0L})
            EXPECT_TRUE(AllNear({At(i, 7, 0, 0, x), At(i, 6, 0, 0, x)},
                                {c.y0 + c.slope * x, c.slope}, 1e-15L))
                << i;
    }
}

TEST_F(CompileTest, PartialDerivativesByKind) {
    const struct {
        int kind;
        std::initializer_list<const char*> texts;
        int firstTree;
        std::vector<long double> expected;  // at t = 0.5, r = 2, x = 1, y = 2, z = 3
    } cases[] = {{kind::kSurface, {"", "", "X^2*Y"}, 5, {4, 1, -1}},
                 {kind::kPolarSurface, {"", "", "R^2*T"}, 5, {2, 4}},
                 {kind::kImplicitSurface, {"", "", "", "X*Y*Z"}, 5, {6, 3, 2}},
                 {kind::kPlaneMap, {"X^2*Y", "X+Y^3"}, 4, {4, 1, 1, 12}},
                 {kind::kComplexMap, {"Z^2"}, 5, {6}}};
    for (const auto& c : cases) {
        const int i = Add(c.kind, c.texts);
        ctx.SetVar(slot::kR, 2);
        for (std::size_t k = 0; k < c.expected.size(); ++k)
            EXPECT_NEAR(At(i, c.firstTree + static_cast<int>(k), 0.5L, 0, 1, 2, 3), c.expected[k],
                        1e-15L)
                << c.kind << " tree " << c.firstTree + k;
    }
}

// An accepted formula whose derivatives grow beyond bounds: compilation stops at its work
// budget, keeps the text and the curve's own tree, drops the derivative trees and says so in
// the example's description; a modest formula keeps all of them.
TEST_F(CompileTest, AnExampleOverItsWorkBudgetKeepsItsTextAndLosesItsDerivatives) {
    const char* heavy = "DERX(4,SIN(X)^COS(X)*EXP(X^X)/(1+X^2))";
    const int i = Add(kind::kExplicit, {"", heavy});
    EXPECT_TRUE(Ex(i).overBudget);
    EXPECT_EQ(Ex(i).Text(2), heavy);
    EXPECT_NE(Ex(i).Tree(2), nullptr);
    EXPECT_EQ(std::tuple(Ex(i).Tree(4).get(), Ex(i).Tree(5).get(), Ex(i).Tree(6).get(),
                         Ex(i).Tree(7).get()),
              std::tuple(nullptr, nullptr, nullptr, nullptr));  // the curvature went with them
    TTextSettings settings;
    EXPECT_NE(DescribeExample(inventory, i, settings).find("(derivative: formula too long)"),
              std::string::npos);

    const int light = Add(kind::kExplicit, {"", "SIN(X)^COS(X)*EXP(X^X)/(1+X^2)"});
    EXPECT_FALSE(Ex(light).overBudget);
    EXPECT_NE(Ex(light).Tree(7), nullptr);
    EXPECT_EQ(DescribeExample(inventory, light, settings).find("formula too long"),
              std::string::npos);
    // Compiled again, the heavy example stays over budget; the budget is its own, not shared.
    compiler.CompileExample(i);
    compiler.CompileExample(light);
    EXPECT_TRUE(Ex(i).overBudget);
    EXPECT_FALSE(Ex(light).overBudget);
}

// An evolute is made from its parent's derivatives: of a parent without them it stays undefined.
TEST_F(CompileTest, TheEvoluteOfAParentWithoutDerivativesIsUndefined) {
    const int parent = Add(kind::kExplicit, {"", "DERX(4,SIN(X)^COS(X)*EXP(X^X)/(1+X^2))"});
    ASSERT_TRUE(Ex(parent).overBudget);
    const int evolute = Add(kind::kParametric, {"t", "t^2"}, [&](TExample& e) {
        e.derivation = 83;  // evolute
        e.parent = {static_cast<std::int16_t>(parent), -1};
    });
    compiler.BuildEvolute(evolute);
    EXPECT_EQ(std::tuple(Ex(evolute).Tree(1).get(), Ex(evolute).Tree(2).get()),
              std::tuple(nullptr, nullptr));
}

TEST_F(CompileTest, LagrangePolynomialPassesThroughItsPoints) {
    // Four points of x^3 - 2x + 1: the polynomial through them is that cubic.
    const long double xs[] = {-1, 0, 1.5L, 2};
    const int i = Add(kind::kExplicit, {}, [&](TExample& e) {
        e.LagrangeForm() = 1;
        e.LagrangeLastPoint() = 3;
        e.points.resize(9);
        for (int k = 0; k < 4; ++k) e.points[k] = {xs[k], xs[k] * xs[k] * xs[k] - 2 * xs[k] + 1, 0};
    });
    EXPECT_TRUE(compiler.IsLagrangeExplicit(i));
    LoadLagrangeCoefficients(Ex(i), ctx);
    for (const long double x : {-1.0L, 0.0L, 1.5L, 2.0L, 3.0L, -2.5L})
        EXPECT_NEAR(At(i, 2, 0, 0, x), x * x * x - 2 * x + 1, 1e-14L) << x;
    EXPECT_NEAR(At(i, 6, 0, 0, 3), 3 * 9 - 2, 1e-13L);  // its slope
}

TEST_F(CompileTest, SymbolBufferMarksOperationsAndLetters) {
    Add(kind::kExplicit, {"", "A*SIN(X)+JOINT(1,0,2)"});
    Add(kind::kExplicit, {"", "X"}, [](TExample& e) {
        e.WebOn() = 1;  // web diagram seeded by parameter C
        e.subKind = 3;
    });
    Add(kind::kPlane, {"1", "0", "0", "0,0,0", "", "2"}, [](TExample& e) { e.SecondLetter() = 4; });
    Add(kind::kSystem, {"Y", "-X"}, [](TExample& e) {
        TTrajectory trajectory;
        trajectory.kind = kind::kSystem + TTrajectory::kFormulaKindOffset;
        trajectory.trees[2] = TExprNode::NewOp('E');
        e.trajectories.push_back(std::move(trajectory));
    });
    const NodePtr overlay = TExprNode::NewOp(op::kLn);
    const TExprNode* const overlays[] = {overlay.get()};
    const int shading[] = {6, 0};
    compiler.MarkUsedSymbols(overlays, shading);
    const TSymbolBuffer& marks = compiler.Symbols();
    for (const int code : std::initializer_list<int>{'A', 'C', 'D', 'E', 'F', 'T', 'X', op::kSin,
                                                     op::kJoin, op::kLn})
        EXPECT_TRUE(marks.IsMarked(code)) << code;
    EXPECT_EQ(std::tuple(compiler.UsesJoin(0), compiler.UsesJoin(1)), std::tuple(true, false));
    for (const int code : std::initializer_list<int>{'B', 'G', op::kCos + 1, op::kExp})
        EXPECT_FALSE(marks.IsMarked(code));
}

TEST_F(CompileTest, TextsForEditingAndTheListOfPoints) {
    for (const auto& [code, editable] : {std::pair{0, true}, {99, true}, {83, false}}) {
        Add(kind::kPoint, {"1", "2"}, [&](TExample& e) { e.derivation = code; });
        EXPECT_EQ(EditableText(Ex(inventory.LastIndex()), 2).has_value(), editable) << code;
    }
    Add(kind::kSegment, {"1", "2", "3", "4"});
    Add(kind::kSpacePoint, {"1", "2", "3"});
    EXPECT_EQ(PointExampleIndexes(inventory), (std::vector<int>{0, 1, 2, 4}));
}

TEST_F(CompileTest, OptionBitsPackAndUnpack) {
    for (const auto& [mask, first] :
         {std::pair<std::uint8_t, int>{0, 0}, {6, 2}, {0x41, 1}, {0x40, 0}, {0x7f, 1}, {0x20, 6}}) {
        compiler.UnpackOptionBits(mask);
        EXPECT_EQ(std::tuple(compiler.Options().firstOption, compiler.PackOptionBits(),
                             compiler.Options().bytes[1]),
                  std::tuple(first, mask, (mask >> 1) & 1))
            << int(mask);
    }
}

TEST_F(CompileTest, ParametersFromTheRangesOfASurfaceOfRevolution) {
    struct Sink : TParameterSink {
        void SetParameter(int letter, long double value, long double low,
                          long double high) override {
            calls.push_back({static_cast<long double>(letter), value, low, high});
        }
        std::vector<std::array<long double, 4>> calls;
    } sink;
    TExample e;
    e.Number(TNumber::kFirstLetterPair) = 201, e.Number(TNumber::kFirstLow) = -1,
    e.Number(TNumber::kFirstHigh) = 3;            // t from A = -1 to B = 3
    e.Number(TNumber::kSecondLetterPair) = 2400;  // X is no parameter: ignored
    const int i = inventory.Append(std::move(e));
    compiler.SetParamsFromExample(i);
    EXPECT_EQ(std::tuple(ctx.Var(1), ctx.Var(2), ctx.params.left[2], ctx.params.right[1]),
              std::tuple(-1, 3, -1, 3));
    compiler.SetParameterSink(&sink);
    compiler.SetParamsFromExample(i);
    EXPECT_EQ(sink.calls, (std::vector<std::array<long double, 4>>{{1, -1, -1, 3}, {2, 3, -1, 3}}));
}

TEST_F(CompileTest, TextsThatDoNotParseLeaveTheirTreesEmpty) {
    Add(kind::kExplicit, {"", "X^3"});  // leaves a parse result behind in the engine
    const int broken = Add(kind::kParametric, {"SIN(", ""});
    for (const int k : {1, 2, 3, 4, 5, 6}) EXPECT_EQ(Ex(broken).Tree(k), nullptr) << k;

    NodePtr slots[3];
    EXPECT_EQ(compiler.ParseList("MAX(1,2),2", 2, &slots[0], &slots[1]), 0);
    EXPECT_EQ(std::tuple(Value(slots[0], {}), Value(slots[1], {})), std::tuple(2, 2));
    slots[0].reset();
    slots[1].reset();
    EXPECT_NE(compiler.ParseList("1,(,3", 3, &slots[0], &slots[1], &slots[2]), 0);
    EXPECT_EQ(Value(slots[0], {}), 1);
    EXPECT_TRUE(!slots[1] && !slots[2]);
}

TEST_F(CompileTest, EveryKindCompilesFromAnyTexts) {
    const int kinds[] = {201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 212,
                         215, 218, 219, 220, 225, 301, 302, 303, 304, 305, 306, 307,
                         308, 309, 310, 312, 315, 316, 317, 325, 401, 402, 403};
    const std::initializer_list<const char*> textSets[] = {
        {}, {"X", "Y", "Z", "T", "U", "1,2,3", "X;"}, {"(", "1/0", "SQRT(-1)", ";;", ",", "", ""}};
    for (const int k : kinds)
        for (const auto& texts : textSets)
            for (const int sub : {0, 201, 202, 203, 204, 205}) {
                TExample e;
                e.Init(k, 1, 50);
                e.subKind = static_cast<std::int16_t>(sub);
                e.ReshapeArrays();
                e.restrictOn = e.periodic = e.TraceRequest() = e.PolarForm() = e.Anchors() =
                    e.ConnectPoints() = 1;
                e.listing = 7;
                e.Number(TNumber::kAxisA) = 1;
                int t = 1;
                for (const char* text : texts) e.Text(t++) = text;
                compiler.CompileExample(inventory.Append(std::move(e)));
                compiler.MarkSymbolsOfExample(0);
                inventory.Clear();
            }
}

}  // namespace
}  // namespace quorlin::examples
