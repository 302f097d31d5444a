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
             EXPECT_EQ(std::tuple(ex.periodic, ex.NumberAt(351), ex.Text(7)),
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
             EXPECT_EQ(std::tuple(w.inventory[0].Text(1), w.inventory[0].byte55),
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
