// The pasted script: what a script adds to a window, what it refuses, and that an aborted
// script leaves the inventory, the labels, the view, the counters and a changed example as
// they were.
#include "examples/records/script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "examples/records/compile.h"
#include "examples/records/trajectory_builders.h"
#include "formula/formula_context.h"
#include "script_window.h"
#include "support/all_near.h"

namespace quorlin::examples {
namespace {

using quorlin::testing::AllNear;

// A graphing window reduced to what the script touches: the inventory with one label per
// example, the view, the counters and the formula engine.
class FakeWindow : public PlainScriptWindow {
public:
    explicit FakeWindow(int dimension = 2) : PlainScriptWindow(dimension) {
        view.xLow = -5, view.xHigh = 5, view.yLow = -4, view.yHigh = 4;
        view.centreX = view.centreY = 0, view.halfWidth = 5, view.halfHeight = 4;
    }

    std::vector<int> labels;  // the example index of each equation label
    std::vector<int> compiled;
    std::vector<int> refreshed;

    void SetView(const TScriptView& v) override {
        view = v;
        if (view.byCorners) {
            view.centreX = (view.xLow + view.xHigh) / 2,
            view.halfWidth = (view.xHigh - view.xLow) / 2;
            view.centreY = (view.yLow + view.yHigh) / 2,
            view.halfHeight = (view.yHigh - view.yLow) / 2;
        } else {
            view.xLow = view.centreX - view.halfWidth, view.xHigh = view.centreX + view.halfWidth;
            view.yLow = view.centreY - view.halfHeight, view.yHigh = view.centreY + view.halfHeight;
        }
    }
    void CompileExample(int index) override {
        compiled.push_back(index);
        PlainScriptWindow::CompileExample(index);
    }
    void AddEquationLabel(int index) override { labels.push_back(index); }
    void RefreshExample(int index) override { refreshed.push_back(index); }
    void RemoveExamplesAfter(int lastIndex) override {
        PlainScriptWindow::RemoveExamplesAfter(lastIndex);
        std::erase_if(labels, [lastIndex](int i) { return i > lastIndex; });
    }
};

struct ScriptCase {
    const char* what;
    std::string script;
    int dimension;
    int result;
    std::function<void(FakeWindow&)> check;  // after the run
};

void NothingAdded(FakeWindow& w) {
    EXPECT_TRUE(w.inventory.Empty());
}

void OneParabola(FakeWindow& w) {
    ASSERT_EQ(w.inventory.Count(), 1);
    const TExample& ex = w.inventory[0];
    EXPECT_EQ(std::tuple(ex.kind, ex.Text(2), ex.rangeLow[0], ex.rangeHigh[0]),
              std::tuple(kind::kExplicit, "x^2", -5, 5));
    EXPECT_EQ(w.counters.examplesCreated, 1);
}

const std::string kLongField(256, 'x');

TEST(Script, AddsWhatItDescribesAndRefusesWhatItCannotRead) {
    const ScriptCase cases[] = {
        {"explicit over the view", "expl2;x^2;", 2, script::kDone, OneParabola},
        {"blanks line breaks and case ignored", " Expl2 ;\r\n x ^ 2 ;\n", 2, script::kDone,
         OneParabola},
        {"reversed polar range", "POLAR;t;1;0;", 2, script::kNothingToShow, NothingAdded},
        {"equation without its sign", "IMPL2;x^2+y^2;", 2, script::kCannotUnderstand, NothingAdded},
        {"implicit curve", "IMPL2;x^2+y^2=1;", 2, script::kDone,
         [](FakeWindow& w) {
             EXPECT_EQ(std::tuple(w.inventory[0].Text(5), w.inventory[0].Text(3)),
                       std::tuple("x^2+y^2=1", "1-(x^2+y^2)"));
         }},
        {"trajectories both ways", "DEQ2T;y;-x;TRAJ;0;1;0;0;5;", 2, script::kDone,
         [](FakeWindow& w) {
             const auto& list = w.inventory[0].trajectories;
             ASSERT_EQ(list.size(), 2u);
             for (const TTrajectory& t : list)
                 EXPECT_EQ(std::tuple(t.startX, t.startY, std::abs(t.endTime)),
                           std::tuple(1, 0, Unbounded()));
             EXPECT_NE(list[0].endTime, list[1].endTime);
         }},
        {"unknown field finishes the example, LOCK still applies", "EXPL2;x;FOO;LOCK;0;pi;", 2,
         script::kDone,
         [](FakeWindow& w) {
             const TExample& ex = w.inventory[0];
             EXPECT_EQ(ex.lockInterval, 1);
             EXPECT_NEAR(static_cast<double>(ex.rangeHigh[0]), 3.14159265358979, 1e-12);
             EXPECT_EQ(ex.Text(7), "0;pi");  // compiling and reloading keep it
             EXPECT_EQ(w.compiled, std::vector<int>{0});
         }},
        {"periodic interval kept as range text", "EXPL2;x;PER;1;3;", 2, script::kDone,
         [](FakeWindow& w) {
             const TExample& ex = w.inventory[0];
             EXPECT_EQ(std::tuple(ex.periodic, ex.Number(TNumber::kPeriodLength), ex.Text(7)),
                       std::tuple(1, 2, "1;3"));
         }},
        {"only a value", "VALUE;a;2;", 2, script::kNothingToShow,
         [](FakeWindow& w) { EXPECT_EQ(w.formulas.Var(1), 2); }},
        {"Lagrange with one point", "LAGRANGE;1;0;0;", 2, script::kNothingToShow, NothingAdded},
        {"Lagrange through two points", "LAGRANGE;2;0;0;1;1;", 2, script::kDone,
         [](FakeWindow& w) {
             const TExample& ex = w.inventory[0];
             EXPECT_TRUE(ex.IsLagrangeExplicit());
             EXPECT_EQ(std::tuple(ex.Text(2), ex.points[1].x, w.counters.examplesCreated),
                       std::tuple("y = Polynomial1(x)", 1, 2));
         }},
        {"trailing field without its semicolon", "EXPL2;x;LOCK", 2, script::kDone,
         [](FakeWindow& w) { EXPECT_EQ(w.inventory[0].lockInterval, 0); }},
        {"field over 255 characters", "EXPL2;x;EXPL2;" + kLongField + ";", 2,
         script::kCannotUnderstand, NothingAdded},
        {"keyword of the other dimension", "EXPL2;x;EXPL3;x*y;0;1;0;1;", 2,
         script::kCannotUnderstand, NothingAdded},
        {"text that does not parse", "PARAM2;cos(t;sin(t);0;1;", 2, script::kNothingToShow,
         NothingAdded},
        {"complex point keeps z as its first text", "POINTZ;3;", 2, script::kDone,
         [](FakeWindow& w) {
             EXPECT_EQ(std::tuple(w.inventory[0].Text(1), w.inventory[0].ComplexPoint()),
                       std::tuple("3", 1));
         }},
        {"spherical surface gets its Cartesian texts", "SURFSPH;2;0;1;0;2;", 3, script::kDone,
         [](FakeWindow& w) {
             const TExample& ex = w.inventory[0];
             EXPECT_EQ(std::tuple(ex.Text(1), ex.Text(3), ex.Text(4), ex.rangeHigh[1]),
                       std::tuple("(2)sin(u)cos(t)", "(2)cos(u)", "2", 2));
         }},
        {"centre and width", "CENWID;1;2;4;EXPL2;x;", 2, script::kDone,
         [](FakeWindow& w) {
             EXPECT_EQ(std::tuple(w.inventory[0].rangeLow[0], w.inventory[0].rangeHigh[0]),
                       std::tuple(-1, 3));
         }},
        {"user function used by a later text", "DEFINE1;dbl;2*x;EXPL2;dbl(x);", 2, script::kDone,
         [](FakeWindow& w) { EXPECT_EQ(w.inventory[0].Text(2), "dbl(x)"); }},
        {"colour outside the palette", "EXPL2;x;COLOR;61;", 2, script::kCannotUnderstand,
         NothingAdded}};
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeWindow window(c.dimension);
        EXPECT_EQ(RunScript(c.script, window), c.result);
        EXPECT_EQ(window.labels.size(), window.inventory.Entries().size());
        c.check(window);
    }
}

// One keyword each: the record it appends (kind, first range, texts) and what else it sets.
TEST(Script, EveryExampleKeywordAppendsItsRecord) {
    using Texts = std::vector<std::pair<int, std::string>>;
    struct KeywordCase {
        std::string script;
        struct {
            int dimension;
            int kind;
            long double low, high;
        } record;
        Texts texts;
        std::function<void(const TExample&)> more;
    };
    const auto none = [](const TExample&) {};
    const KeywordCase cases[] = {
        {"PARAMPOL;1+t;2*t;0;3;",
         {2, 203, 0, 3},
         {{1, "1+t"}, {2, "2*t"}},
         [](const TExample& e) { EXPECT_EQ(e.PolarCurve(), 1); }},
        {"SEG2;-1;2;3;-4;",
         {2, 205, 0, 1},
         {{1, "-1"}, {2, "2"}, {3, "3"}, {4, "-4"}},
         [](const TExample& e) { EXPECT_EQ(e.PolarForm(), 0); }},
        {"SEGPOL;2;pi/3;1;pi;",
         {2, 205, 0, 1},
         {{1, "2"}, {2, "pi/3"}, {3, "1"}, {4, "pi"}},
         [](const TExample& e) { EXPECT_EQ(e.PolarForm(), 1); }},
        {"POINT2;1.5;-2;",
         {2, 209, 0, 1},
         {{1, "1.5"}, {2, "-2"}},
         [](const TExample& e) {
             EXPECT_EQ(std::tuple(e.PolarForm(), e.pen.width), std::tuple(0, 3));
         }},
        {"POINTPOL;2;pi/4;",
         {2, 209, 0, 1},
         {{1, "2"}, {2, "pi/4"}},
         [](const TExample& e) {
             EXPECT_EQ(std::tuple(e.PolarForm(), e.pen.width), std::tuple(1, 3));
         }},
        {"DEQ2T;x-y;x*y;", {2, 210, 0, 1}, {{1, "x-y"}, {2, "x*y"}}, none},
        {"DEQ2X;x+y;TRAJ;0.25;1;-2;",
         {2, 211, 0, 1},
         {{3, "x+y"}},
         [](const TExample& e) {
             ASSERT_EQ(e.trajectories.size(), 1u);
             const TTrajectory& t = e.trajectories[0];
             EXPECT_EQ(std::tuple(t.kind, t.startX, t.startY, t.step, t.endTime),
                       std::tuple(211, 1, -2, 0.25L, 20));
         }},
        // A zero step is stored as given; the tracer draws nothing for it.
        {"DEQ2X;x-y;TRAJ;0;2;3;",
         {2, 211, 0, 1},
         {{3, "x-y"}},
         [](const TExample& e) {
             ASSERT_EQ(e.trajectories.size(), 1u);
             const TTrajectory& t = e.trajectories[0];
             EXPECT_EQ(std::tuple(t.kind, t.startX, t.startY, t.step), std::tuple(211, 2, 3, 0));
         }},
        {"RECUR2;x/2;y+1;TRAJ;3;-1;4.5;",
         {2, 212, 0, 1},
         {{1, "x/2"}, {2, "y+1"}},
         [](const TExample& e) {
             ASSERT_EQ(e.trajectories.size(), 1u);
             const TTrajectory& t = e.trajectories[0];
             EXPECT_EQ(std::tuple(t.kind, t.startX, t.startY, t.endTime),
                       std::tuple(212, 3, -1, 5));  // 4.5 terms round away from zero
         }},
        {"EXPL3;x*y;-1;2;-3;4;",
         {3, 301, -1, 2},
         {{3, "x*y"}},
         [](const TExample& e) {
             EXPECT_EQ(std::tuple(e.rangeLow[1], e.rangeHigh[1]), std::tuple(-3, 4));
         }},
        {"SURFCYL;r^2;0;2;0;3;",
         {3, 302, 0, 2},
         {{3, "r^2"}},
         [](const TExample& e) {
             EXPECT_EQ(std::tuple(e.rangeLow[1], e.rangeHigh[1]), std::tuple(0, 3));
         }},
        {"SURFPAR;t;u;t*u;-1;1;2;5;",
         {3, 303, -1, 1},
         {{1, "t"}, {2, "u"}, {3, "t*u"}},
         [](const TExample& e) {
             EXPECT_EQ(std::tuple(e.rangeLow[1], e.rangeHigh[1]), std::tuple(2, 5));
         }},
        {"PARAM3;cos(t);sin(t);t;0;6;",
         {3, 304, 0, 6},
         {{1, "cos(t)"}, {2, "sin(t)"}, {3, "t"}},
         none},
        {"IMPL3;x^2+y^2+z^2=4;-2;2;-3;3;-1;5;",
         {3, 305, 0, 1},
         {{5, "x^2+y^2+z^2=4"}},
         [](const TExample& e) {
             EXPECT_TRUE(
                 AllNear({e.boxMin.x, e.boxMin.y, e.boxMin.z, e.boxMax.x, e.boxMax.y, e.boxMax.z},
                         {-2, -3, -1, 2, 3, 5}));
             EXPECT_EQ(std::tuple(e.box2Min.z, e.box2Max.y, e.TraceRequest()),
                       std::tuple(-1, 3, 1));
         }},
        {"TUBE;t;0;0;0.5;0;4;",
         {3, 306, 0, 4},
         {{1, "t"}, {2, "0"}, {3, "0"}, {4, "0.5"}},
         [](const TExample& e) {
             EXPECT_TRUE(AllNear({e.rangeLow[1], e.rangeHigh[1]}, {0, 6.283185307179586L}));
             // Its mesh storage follows its own grid counts: 121 x 17 points.
             EXPECT_EQ(std::tuple(e.divisions[0], e.divisions[1], e.optionCheck, e.points.size(),
                                  e.bytes.size()),
                       std::tuple(120, 16, 1, 2057u, 2057u));
         }},
        {"SEG3;1;2;3;4;5;6;",
         {3, 308, 0, 1},
         {{1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}, {5, ""}, {6, "5"}, {7, "6"}},
         none},
        {"POINT3;1;2;3;",
         {3, 309, 0, 1},
         {{1, "1"}, {2, "2"}, {3, "3"}},
         [](const TExample& e) {
             EXPECT_EQ(std::tuple(e.PointCoordinates(), e.pen.width), std::tuple(0, 3));
         }},
        {"POINTCYL;2;pi/2;1;",
         {3, 309, 0, 1},
         {{1, "2"}, {2, "pi/2"}, {3, "1"}},
         [](const TExample& e) { EXPECT_EQ(e.PointCoordinates(), 1); }},
        {"POINTSPH;2;pi/2;pi/3;",
         {3, 309, 0, 1},
         {{1, "2"}, {2, "pi/2"}, {3, "pi/3"}},
         [](const TExample& e) { EXPECT_EQ(e.PointCoordinates(), 2); }},
        {"DEQ3T;y;-x;1;-1;1;-2;2;-3;3;TRAJ;1;0.5;0;1;0;2;",
         {3, 310, 0, 1},
         {{1, "y"}, {2, "-x"}, {3, "1"}},
         [](const TExample& e) {
             EXPECT_TRUE(
                 AllNear({e.boxMin.x, e.boxMin.y, e.boxMin.z, e.boxMax.x, e.boxMax.y, e.boxMax.z},
                         {-1, -2, -3, 1, 2, 3}));
             ASSERT_EQ(e.trajectories.size(), 1u);
             const TTrajectory& t = e.trajectories[0];
             EXPECT_EQ(std::tuple(t.startX, t.startY, t.startZ, t.startTime, t.endTime),
                       std::tuple(0.5L, 0, 1, 0, 2));
         }},
        {"RECUR3;x/2;y;z+1;0;1;0;1;0;1;", {3, 312, 0, 1}, {{1, "x/2"}, {2, "y"}, {3, "z+1"}}, none},
        {"PLANE;1;2;3;0;1;2;4;",
         {3, 315, -1, 1},
         {{1, "1"}, {2, "2"}, {3, "3"}, {4, "0,1,2"}, {6, "4"}},
         [](const TExample& e) {
             EXPECT_EQ(std::tuple(e.rangeLow[1], e.rangeHigh[1], e.extraColour[1]),
                       std::tuple(-1, 1, 10));  // the automatic colour of the first example
         }},
        {"POLAR;t;1;1;", {2, 202, 1, 1}, {{3, "t"}}, none},  // equal ends are a range
        {"POLAR;2;0;1;POS;",
         {2, 202, 0, 1},
         {{3, "2"}},
         [](const TExample& e) { EXPECT_EQ(e.restrictOn, 1); }},
        {"IMPL2;x=y;NOCLIP;",
         {2, 204, -5, 5},
         {{5, "x=y"}},
         [](const TExample& e) { EXPECT_EQ(e.recompute, 0); }},
        {"EXPL2;x;END;EXPL2;x^2;", {2, 201, -5, 5}, {{2, "x"}}, none},
        {"LAGRANGE;9;-4;1;-3;0;-2;2;-1;0;0;1;1;3;2;0;3;1;4;-1;",
         {2, 201, -5, 5},
         {},
         [](const TExample& e) {
             EXPECT_TRUE(e.IsLagrangeExplicit());
             ASSERT_GE(e.points.size(), 9u);
             EXPECT_EQ(std::tuple(e.LagrangeLastPoint(), e.points[8].x, e.points[8].y),
                       std::tuple(8, 4, -1));
         }},
    };
    for (const KeywordCase& c : cases) {
        SCOPED_TRACE(c.script);
        FakeWindow window(c.record.dimension);
        ASSERT_EQ(RunScript(c.script, window), script::kDone);
        ASSERT_EQ(window.inventory.Count(), 1);
        const TExample& e = window.inventory[0];
        EXPECT_EQ(e.kind, c.record.kind);
        EXPECT_TRUE(AllNear({e.rangeLow[0], e.rangeHigh[0]}, {c.record.low, c.record.high}));
        for (const auto& [k, text] : c.texts) EXPECT_EQ(e.Text(k), text) << "text " << k;
        c.more(e);
    }
}

TEST(Script, AbortRestoresInventoryLabelsViewCountersAndTheChangedExample) {
    FakeWindow window;
    window.AddExample(kind::kExplicit, -5, 5).Text(2) = "x";
    window.AddEquationLabel(0);
    window.counters = {4, 1};
    const TScriptView view = window.view;

    const int result = RunScript(
        "LOCK;0;1;COLOR;7;CORNERS;0;2;0;2;EXPL2;x;LAGRANGE;2;0;0;1;1;DEQ2T;y;-x;TRAJ;1;0;1;0;5;"
        "POLAR;t;1;0;",
        window);

    EXPECT_EQ(result, script::kCannotUnderstand);
    ASSERT_EQ(window.inventory.Count(), 1);
    const TExample& ex = window.inventory[0];
    EXPECT_EQ(std::tuple(ex.lockInterval, ex.Text(7), ex.pen.colour),
              std::tuple(0, "", window.AutomaticColour(0)));
    EXPECT_EQ(window.labels, std::vector<int>{0});
    EXPECT_EQ(window.view, view);
    EXPECT_EQ(window.counters, (TScriptCounters{4, 1}));
    EXPECT_EQ(window.refreshed, std::vector<int>{0});
}

TEST(Script, RangesSurviveCompilationAndAReload) {
    struct Case {
        std::string script;
        long double low, high;
    };
    for (const Case& c :
         {Case{"POLAR;t;0;pi/2;", 0, 1.5707963267948966L}, Case{"PARAM2;cos(t);sin(t);1;2;", 1, 2},
          Case{"EXPL2;x;LOCK;-1;2;", -1, 2}}) {
        FakeWindow window;
        ASSERT_EQ(RunScript(c.script, window), script::kDone) << c.script;
        TExample& ex = window.inventory[0];
        for (int pass = 0; pass < 2; ++pass) {  // as pasted, then compiled again from the texts
            EXPECT_TRUE(AllNear({ex.rangeLow[0], ex.rangeHigh[0]}, {c.low, c.high}, 1e-15L));
            ex.rangeLow[0] = ex.rangeHigh[0] = 7;
            window.compiler.CompileExample(0);
        }
    }
    // A periodic curve repeats its piece over the period it was given.
    FakeWindow window;
    ASSERT_EQ(RunScript("EXPL2;x;PER;1;3;", window), script::kDone);
    TExprNode& f = *window.inventory[0].trees[1];
    window.formulas.SetVar(slot::kX, 4.5L);
    ASSERT_TRUE(window.formulas.Evaluate(f));
    EXPECT_NEAR(static_cast<double>(f.re), 2.5, 1e-15);
}

// A script that asks for more than the window holds keeps what fitted and says there was no
// more room; one that fits exactly is done.
TEST(Script, ReportsNoMoreRoomWhenTheInventoryFillsAndKeepsWhatFitted) {
    const struct {
        const char* script;
        int result;
    } cases[] = {{"EXPL2;x;EXPL2;x^2;EXPL2;x^3;", script::kNoMoreRoom},
                 {"EXPL2;x;EXPL2;x^2;  ", script::kDone}};
    for (const auto& c : cases) {
        FakeWindow window;
        ASSERT_TRUE(window.inventory.SetCapacity(1, true));
        EXPECT_EQ(RunScript(c.script, window), c.result) << c.script;
        EXPECT_EQ(window.inventory.Count(), 2) << c.script;
        EXPECT_EQ(window.labels.size(), 2u) << c.script;
    }
}

}  // namespace
}  // namespace quorlin::examples
