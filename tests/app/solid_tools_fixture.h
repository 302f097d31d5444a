#pragma once
// A 2D window with the solid tools and their 3D windows made as the program makes them, holding
// the curves y = x and y = 0; the helpers that make a solid or a surface of revolution of new
// curves through the tools' dialogs, and check what the 3D windows hold beside each other,
// after a recompute and through a saved file.
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formula/formula_context.h"
#include "platform/boxes.h"
#include "plot2d/plot2_win.h"
#include "plot3d/levels/plot3_win.h"
#include "plot3d/levels/solid_windows.h"
#include "resources/command_ids.h"
#include "tools2d/analysis_tool_set.h"

namespace quorlin::solid_testing {

namespace cmd = resources::cmd;
namespace k = examples::kind;
using tools2d::TSectionDlg;
using tools2d::TSurfDlg;

class SolidToolsTest : public ::testing::Test {
protected:
    SolidToolsTest() : win(QStringLiteral("noname1.qz2")) {
        win.SizeChanged(401, 401);
        win.Create();
        for (const char* f : {"x", "0"}) {
            win.AddExample(k::kExplicit, -5, 5, {"", f});
            win.CompileExample(win.Inventory().LastIndex());
        }
        win.InventoryChanged(1);
    }
    ~SolidToolsTest() override {
        win.ClearModified();
        win.CloseWindow();
        examples::SetSolidWindowMaker({});
    }
    tools2d::TSolidTools& Solids() {
        return dynamic_cast<tools2d::TWindowAnalysisTools&>(*win.AnalysisTools()).Solids();
    }
    TSectionDlg& Sections() {
        EXPECT_TRUE(win.SendCommand(cmd::kSections));
        TSectionDlg& d = *Solids().Sections();
        d.SelectPosition(0);
        d.ChooseSecond(1);
        return d;
    }
    TSurfDlg& Revolve(const char* angleStart, const char* angleStop) {
        EXPECT_TRUE(win.SendCommand(cmd::kSurfaceOfRevolution));
        TSurfDlg& d = *Solids().Surfaces();
        d.SelectPosition(0);
        d.SetText(TSurfDlg::kArcStart, QStringLiteral("0"));
        d.SetText(TSurfDlg::kArcStop, QStringLiteral("1"));
        d.SetText(TSurfDlg::kAngleStart, QString::fromLatin1(angleStart));
        d.SetText(TSurfDlg::kAngleStop, QString::fromLatin1(angleStop));
        d.Press(TSurfDlg::kSeeSurface);
        return d;
    }
    plot3d::TPlotSWin* Space(examples::TSolidWindow* w) {
        return w ? dynamic_cast<plot3d::TPlotSWin*>(&w->Levels()) : nullptr;
    }
    // The explicit curves f and g added, then "see solid" of squares (1) or rectangles (4)
    // between them over [0.5, 2]: the index of the solid's top in "sections.qz3", -1 without it.
    int SeeSolidOf(const char* f, const char* g, int shape, const char* height) {
        for (const char* text : {f, g}) {
            win.AddExample(k::kExplicit, -5, 5, {"", text});
            win.CompileExample(win.Inventory().LastIndex());
        }
        win.InventoryChanged(1);
        TSectionDlg& d = Sections();
        const int first = win.Inventory().LastIndex() - 1;
        d.SelectPosition(d.ListIndexOf(first));
        d.ChooseSecond(first + 1);
        d.Press(TSectionDlg::kFirstShape + shape - 1);
        d.SetText(TSectionDlg::kHeight, QString::fromLatin1(height));
        d.SetText(TSectionDlg::kLow, QStringLiteral("0.5"));
        d.SetText(TSectionDlg::kHigh, QStringLiteral("2"));
        d.Press(TSectionDlg::kSeeSolid);
        plot3d::TPlotSWin* space = Space(Solids().SectionWindow());
        return space ? space->Inventory().LastIndex() : -1;
    }
    // A curve of the kind added, then "see surface" of it about the x-axis, the arc over [0, 1]
    // and the angle over [0, 3].
    void SeeSurfaceOf(int kind, const std::array<std::string_view, 5>& texts) {
        win.AddExample(kind, 0, 1, texts);
        win.CompileExample(win.Inventory().LastIndex());
        win.InventoryChanged(1);
        ASSERT_TRUE(win.SendCommand(cmd::kSurfaceOfRevolution));
        TSurfDlg& d = *Solids().Surfaces();
        d.SelectPosition(d.ListIndexOf(win.Inventory().LastIndex()));
        d.SetText(TSurfDlg::kArcStart, QStringLiteral("0"));
        d.SetText(TSurfDlg::kArcStop, QStringLiteral("1"));
        d.SetText(TSurfDlg::kAngleStart, QStringLiteral("0"));
        d.SetText(TSurfDlg::kAngleStop, QStringLiteral("3"));
        d.Press(TSurfDlg::kSeeSurface);
    }
    // A window takes the commands of the tools installed when it is made.
    struct Installed {
        Installed() {
            tools2d::InstallAnalysisTools();
            plot3d::InstallSolidWindows();
        }
    };
    Installed installed;
    platform::ScriptedPrompter prompter;
    plot2d::TPlot2Win win;
};

// Defines, or defines again, the one-argument user function.
inline void Define(FormulaContext& formulas, const char* name, const char* body) {
    EXPECT_EQ(formulas.DefineUserFunction(name, body, 1, formulas.FindUserFunction(name)),
              userfn::kDone)
        << name;
}

// The z of a solid's top (t = 0.5) at x = u, checking that it stands at that x; NaN where the
// top is undefined.
inline long double TopAt(examples::TPlot11Win& space, int top, long double x) {
    Vec3 p;
    if (!space.EvalEntryPoint(top, p, 0.5L, x)) return NAN;
    EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(x), 1e-15);
    return p.z;
}

// The check of a solid window's examples holds beside each other, after a recompute, and in
// the window saved and opened again in a window of its own, as a user opens a file.
inline void ExpectKept(plot3d::TPlotSWin& space,
                       const std::function<void(examples::TPlot11Win&)>& check) {
    {
        SCOPED_TRACE("beside each other");
        check(space);
    }
    space.RecomputeAll();
    {
        SCOPED_TRACE("after a recompute");
        check(space);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("solids.qz3"));
    ASSERT_TRUE(space.SaveTo(path));
    plot3d::TPlot3Win opened(QStringLiteral("noname2.qz3"));
    opened.SizeChanged(401, 301);
    opened.Create();
    ASSERT_EQ(opened.Load(path), 0);
    EXPECT_EQ(opened.Inventory().Count(), space.Inventory().Count());
    {
        SCOPED_TRACE("saved and opened");
        check(opened);
    }
    opened.ClearModified();
    opened.CloseWindow();
}

// The lines of a window's user functions, in the order of its table.
inline std::vector<std::string> FunctionLines(const FormulaContext& formulas) {
    std::vector<std::string> lines;
    for (const UserFunction& f : formulas.UserFunctions()) lines.push_back(UserFunctionLine(f));
    return lines;
}

}  // namespace quorlin::solid_testing
