// The solid tools of a 2D window with their 3D windows made as the program makes them: a
// section solid over ends tied to parameters (the high end negative) sets those parameters in
// "sections.qz3" and follows them; its window hidden by its own "Close" comes back with the next
// solid, and hides with the 2D window; the surface of revolution over an angle stop tied to K
// links K in "surfrev.qz3", an angle over a turn is cut to one, one under 1e-16 is refused;
// "see arc" marks only the arc on the 2D picture; typing in a field clears the volume, and in an
// arc end the marked arc, read from its former text. Solids and surfaces made of curves with
// letters ('@', T and U among them) and user functions stand on the values the 2D window had,
// and each keeps them when the next one is made with others, after a recompute and through a
// saved file.
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "core/errors.h"
#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "platform/frame_window.h"
#include "platform/strings.h"
#include "plot2d/plot2_win.h"
#include "plot3d/levels/plot3_win.h"
#include "plot3d/levels/solid_windows.h"
#include "resources/command_ids.h"
#include "support/typing.h"
#include "tools2d/analysis_tool_set.h"

namespace quorlin {
namespace {

namespace cmd = resources::cmd;
using quorlin::testing::TypeOver;
namespace k = examples::kind;
using examples::TNumber;
using tools2d::TSectionDlg;
using tools2d::TSurfDlg;
constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;
constexpr int kK = 11;
constexpr int kM = 13;

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
void Define(FormulaContext& formulas, const char* name, const char* body) {
    EXPECT_EQ(formulas.DefineUserFunction(name, body, 1, formulas.FindUserFunction(name)),
              userfn::kDone)
        << name;
}

// The z of a solid's top (t = 0.5) at x = u, checking that it stands at that x; NaN where the
// top is undefined.
long double TopAt(examples::TPlot11Win& space, int top, long double x) {
    Vec3 p;
    if (!space.EvalEntryPoint(top, p, 0.5L, x)) return NAN;
    EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(x), 1e-15);
    return p.z;
}

// The check of a solid window's examples holds beside each other, after a recompute, and in
// the window saved and opened again in a window of its own, as a user opens a file.
void ExpectKept(plot3d::TPlotSWin& space, const std::function<void(examples::TPlot11Win&)>& check) {
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

// The letters and user functions a row sets before a solid.
using Setting = void (*)(FormulaContext&);

// Two section solids of the same texts, the letters and functions set anew between them; the
// z of each one's top at x.
struct SolidPair {
    const char* f;
    const char* g;
    int shape;  // 1 squares, 4 rectangles (the top the height)
    const char* height;
    Setting before;
    Setting after;
    long double (*first)(long double x);
    long double (*second)(long double x);
};

// Letters in f, g, the height and the body of a function, '@', and T and U, which a surface in
// space also reads as its parameters.
const SolidPair kSolidPairs[] = {
    {"A*x+B", "C", 1, "2.0",
     [](FormulaContext& c) {
         c.SetVar(1, 3);
         c.SetVar(2, -1.5L);
         c.SetVar(3, 0.25L);
     },
     [](FormulaContext& c) {
         c.SetVar(1, -2);
         c.SetVar(2, 0.75L);
         c.SetVar(3, -1.25L);
     },
     [](long double x) { return 3 * x - 1.75L; }, [](long double x) { return -2 * x + 2; }},
    {"dbl(x)", "-D", 1, "2.0",
     [](FormulaContext& c) {
         Define(c, "DBL", "2*X");
         c.SetVar(4, 0.25L);
     },
     [](FormulaContext& c) {
         Define(c, "DBL", "3*X");
         c.SetVar(4, 1.5L);
     },
     [](long double x) { return 2 * x + 0.25L; }, [](long double x) { return 3 * x + 1.5L; }},
    {"tri(x)", "@", 1, "2.0",
     [](FormulaContext& c) {
         Define(c, "TRI", "C*X");
         c.SetVar(3, -7);
         c.SetVar(slot::kAt, 0.5L);
     },
     [](FormulaContext& c) {
         Define(c, "TRI", "C*X+W");
         c.SetVar(3, 2);
         c.SetVar(23, 0.125L);
         c.SetVar(slot::kAt, -1);
     },
     [](long double x) { return -7 * x - 0.5L; }, [](long double x) { return 2 * x + 1.125L; }},
    {"T*x", "U", 1, "2.0",
     [](FormulaContext& c) {
         c.SetVar(slot::kT, 2.5L);
         c.SetVar(slot::kU, -0.75L);
     },
     [](FormulaContext& c) {
         c.SetVar(slot::kT, -1);
         c.SetVar(slot::kU, 1.25L);
     },
     [](long double x) { return 2.5L * x + 0.75L; }, [](long double x) { return -x - 1.25L; }},
    {"x+2", "x", 4, "E+x", [](FormulaContext& c) { c.SetVar(slot::kE, 2.5L); },
     [](FormulaContext& c) { c.SetVar(slot::kE, -0.5L); }, [](long double x) { return 2.5L + x; },
     [](long double x) { return x - 0.5L; }},
};

// A point of a profile: its x and its distance from the x-axis.
struct ProfilePoint {
    long double x;
    long double radius;
};

// Two surfaces of revolution of the same texts, the letters and functions set anew between
// them; each one's profile at arc s.
struct SurfacePair {
    int kind;
    std::array<std::string_view, 5> texts;
    Setting before;
    Setting after;
    ProfilePoint (*first)(long double s);
    ProfilePoint (*second)(long double s);
};

// The parametric and polar curves keep T, their own parameter; a segment's ends and an
// explicit curve read the letter T as it is.
const SurfacePair kSurfacePairs[] = {
    {k::kExplicit,
     {"", "A*x+T"},
     [](FormulaContext& c) {
         c.SetVar(1, 3);
         c.SetVar(slot::kT, 0.5L);
     },
     [](FormulaContext& c) {
         c.SetVar(1, -2);
         c.SetVar(slot::kT, 1.25L);
     },
     [](long double s) {
         return ProfilePoint{s, 3 * s + 0.5L};
     },
     [](long double s) {
         return ProfilePoint{s, -2 * s + 1.25L};
     }},
    {k::kParametric,
     {"T+C", "dbl(T)"},
     [](FormulaContext& c) {
         Define(c, "DBL", "2*X");
         c.SetVar(3, 0.25L);
     },
     [](FormulaContext& c) {
         Define(c, "DBL", "3*X+@");
         c.SetVar(3, -1.5L);
         c.SetVar(slot::kAt, 0.75L);
     },
     [](long double s) {
         return ProfilePoint{s + 0.25L, 2 * s};
     },
     [](long double s) {
         return ProfilePoint{s - 1.5L, 3 * s + 0.75L};
     }},
    {k::kPolar,
     {"", "", "W+T"},
     [](FormulaContext& c) { c.SetVar(23, 2.5L); },
     [](FormulaContext& c) { c.SetVar(23, -0.5L); },
     [](long double s) {
         return ProfilePoint{(2.5L + s) * std::cos(s), (2.5L + s) * std::sin(s)};
     },
     [](long double s) {
         return ProfilePoint{(s - 0.5L) * std::cos(s), (s - 0.5L) * std::sin(s)};
     }},
    {k::kSegment,
     {"A", "T", "3", "B"},
     [](FormulaContext& c) {
         c.SetVar(1, 0.5L);
         c.SetVar(2, 2);
         c.SetVar(slot::kT, 1);
     },
     [](FormulaContext& c) {
         c.SetVar(1, -1);
         c.SetVar(2, 0.25L);
         c.SetVar(slot::kT, 3);
     },
     [](long double s) {
         return ProfilePoint{0.5L + 2.5L * s, 1 + s};
     },
     [](long double s) {
         return ProfilePoint{-1 + 4 * s, 3 - 2.75L * s};
     }},
};

TEST_F(SolidToolsTest, ASolidOverEndsTiedToLettersFollowsThemAndAccumulates) {
    // Where x < 0, y = 0 lies above y = x.
    TSectionDlg& d = Sections();
    d.SelectPosition(1);
    d.ChooseSecond(0);
    d.SetText(TSectionDlg::kLow, QStringLiteral("-1@K"));
    d.SetText(TSectionDlg::kHigh, QStringLiteral("-0.25@M"));
    d.Press(TSectionDlg::kFirstShape + 2);  // semicircles
    d.Press(TSectionDlg::kSeeSolid);
    ASSERT_TRUE(prompter.messages.empty());
    EXPECT_EQ(win.Tools().sectionLowLetter, kK);
    EXPECT_EQ(win.Tools().sectionHighLetter, kM);
    plot3d::TPlotSWin* space = Space(Solids().SectionWindow());
    ASSERT_NE(space, nullptr);
    ASSERT_EQ(space->Inventory().Count(), 2);  // the floor and the half round
    FormulaContext& f = space->Formulas();
    EXPECT_EQ(std::tuple(f.Var(kK), f.params.left[kK], f.params.right[kK]),
              std::tuple(-1.0L, -1.0L, -0.25L));
    EXPECT_EQ(std::tuple(f.Var(kM), f.params.left[kM], f.params.right[kM]),
              std::tuple(-0.25L, -1.0L, -0.25L));
    // At u = 1 the solid stands at x = M, its radius half of x's width there.
    Vec3 p;
    ASSERT_TRUE(space->EvalEntryPoint(1, p, std::numbers::pi_v<long double> / 2, 1));
    EXPECT_NEAR(static_cast<double>(p.x), -0.25, 1e-15);
    EXPECT_NEAR(static_cast<double>(p.z), 0.125, 1e-15);
    f.SetVar(kM, -0.5L);  // the slider of M moves the solid's end
    ASSERT_TRUE(space->EvalEntryPoint(1, p, std::numbers::pi_v<long double> / 2, 1));
    EXPECT_NEAR(static_cast<double>(p.x), -0.5, 1e-15);

    // Its own "Close" hides it; the next solid shows it again beside the first.
    ASSERT_TRUE(space->HostFrame()->DispatchCommand(cmd::kClose));
    EXPECT_TRUE(space->platform::Window::IsHidden());
    d.SetText(TSectionDlg::kLow, QStringLiteral("0"));
    d.SetText(TSectionDlg::kHigh, QStringLiteral("1"));
    d.Press(TSectionDlg::kSeeSolid);
    EXPECT_EQ(Space(Solids().SectionWindow()), space);
    EXPECT_FALSE(space->platform::Window::IsHidden());
    EXPECT_EQ(space->Inventory().Count(), 4);  // the second solid beside the first
    // It hides with the 2D window.
    win.HideWindow();
    EXPECT_TRUE(space->platform::Window::IsHidden());
}

// A solid of curves that use letters or user functions stands where the 2D window computes
// them: the 3D window gets the user functions and the letters' values. Squares and rectangles
// over [0.5, 2]; the top (the fourth surface of each solid) at x = u stands at height f - g, or
// at the height text for a rectangle.
TEST_F(SolidToolsTest, ASolidOfLettersAndUserFunctionsStandsOnTheirValues) {
    struct Row {
        const char* f;
        const char* g;
        int shape;  // 1 squares, 4 rectangles
        const char* height;
        long double (*top)(long double x);
    };
    const Row rows[] = {
        {"A*x", "0", 1, "2.0", [](long double x) { return 3 * x; }},
        {"dbl(x)", "0.5", 1, "2.0", [](long double x) { return 2 * x - 0.5L; }},
        {"x+2", "x", 4, "B+x", [](long double x) { return -1.5L + x; }},
        {"tri(x)", "-1", 1, "2.0", [](long double x) { return -7 * x + 1; }},
        // A letter in g alone: the top stands at 2x + D, 1.25 at x = 0.5.
        {"2x", "-D", 1, "2.0", [](long double x) { return 2 * x + 0.25L; }},
    };
    FormulaContext& plane = win.Formulas();
    plane.SetVar(1, 3);      // A
    plane.SetVar(2, -1.5L);  // B
    plane.SetVar(3, -7);     // C, used only inside tri
    plane.SetVar(4, 0.25L);  // D, used only in a g
    ASSERT_EQ(plane.DefineUserFunction("DBL", "2*X", 1), userfn::kDone);
    ASSERT_EQ(plane.DefineUserFunction("TRI", "C*X", 1), userfn::kDone);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.f);
        const int top = SeeSolidOf(row.f, row.g, row.shape, row.height);
        ASSERT_TRUE(prompter.messages.empty());
        plot3d::TPlotSWin* space = Space(Solids().SectionWindow());
        ASSERT_NE(space, nullptr);
        for (const long double x : {0.5L, 1.25L, 2.0L}) {
            Vec3 p;
            ASSERT_TRUE(space->EvalEntryPoint(top, p, 0.5L, x));
            EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(x), 1e-15);
            EXPECT_NEAR(static_cast<double>(p.z), static_cast<double>(row.top(x)), 1e-15) << x;
        }
    }
    // A height that does not read adds nothing and says so.
    plot3d::TPlotSWin* space = Space(Solids().SectionWindow());
    ASSERT_NE(space, nullptr);
    const int count = space->Inventory().Count();
    TSectionDlg& d = Sections();
    d.Press(TSectionDlg::kFirstShape + 3);
    d.SetText(TSectionDlg::kHeight, QStringLiteral("B+("));
    d.Press(TSectionDlg::kSeeSolid);
    EXPECT_EQ(space->Inventory().Count(), count);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].error);
}

// Squares on y = A x and y = 0 over [0, 1] with A = 3: the volume 3 and a top at 3x; then A = 1
// and y = A x^2: a top at x^2 beside the first. Each solid stands on the value it was made
// with: at x = 1 the first's top is 3, the second's 1, when the second is added, after a
// recompute and in the file saved and opened again.
TEST_F(SolidToolsTest, TheFirstSolidKeepsTheValueOfALetterTheSecondChanged) {
    platform::MemoryClipboard clipboard;
    platform::SetClipboard(&clipboard);
    clipboard.SetText(QStringLiteral("EXPL2;A*x;EXPL2;0;EXPL2;A*x^2;"));
    ASSERT_TRUE(win.SendCommand(cmd::kPasteScript));
    platform::SetClipboard(nullptr);
    ASSERT_EQ(win.Inventory().Count(), 5);
    win.Formulas().SetVar(1, 3);  // A
    TSectionDlg& d = Sections();
    d.SelectPosition(d.ListIndexOf(2));
    d.ChooseSecond(3);
    d.SetText(TSectionDlg::kLow, QStringLiteral("0"));
    d.SetText(TSectionDlg::kHigh, QStringLiteral("1"));
    d.Press(TSectionDlg::kVolume);
    EXPECT_EQ(d.GetText(TSectionDlg::kResult), QStringLiteral("3.0000"));
    d.Press(TSectionDlg::kSeeSolid);
    win.Formulas().SetVar(1, 1);
    d.SelectPosition(d.ListIndexOf(4));
    d.ChooseSecond(3);
    d.Press(TSectionDlg::kSeeSolid);
    ASSERT_TRUE(prompter.messages.empty());
    plot3d::TPlotSWin* space = Space(Solids().SectionWindow());
    ASSERT_NE(space, nullptr);
    ASSERT_EQ(space->Inventory().Count(), 8);  // two solids of four surfaces
    ExpectKept(*space, [](examples::TPlot11Win& w) {
        for (const long double x : {0.5L, 1.0L}) {
            EXPECT_NEAR(static_cast<double>(TopAt(w, 3, x)), static_cast<double>(3 * x), 1e-15);
            EXPECT_NEAR(static_cast<double>(TopAt(w, 7, x)), static_cast<double>(x * x), 1e-15);
        }
    });
}

// Two solids of the same texts, the letters and user functions they use changed between them
// (kSolidPairs): each keeps what it was made with, beside the other, after a recompute and
// through a file. Squares or rectangles over [0.5, 2].
TEST_F(SolidToolsTest, EachSolidKeepsTheLettersAndFunctionsItWasMadeWith) {
    for (const SolidPair& row : kSolidPairs) {
        SCOPED_TRACE(row.f);
        row.before(win.Formulas());
        const int first = SeeSolidOf(row.f, row.g, row.shape, row.height);
        row.after(win.Formulas());
        const int second = SeeSolidOf(row.f, row.g, row.shape, row.height);
        ASSERT_TRUE(prompter.messages.empty());
        plot3d::TPlotSWin* space = Space(Solids().SectionWindow());
        ASSERT_NE(space, nullptr);
        ASSERT_EQ(second - first, 4);
        ExpectKept(*space, [&](examples::TPlot11Win& w) {
            for (const long double x : {0.5L, 1.25L, 2.0L}) {
                EXPECT_NEAR(static_cast<double>(TopAt(w, first, x)),
                            static_cast<double>(row.first(x)), 1e-15)
                    << static_cast<double>(x);
                EXPECT_NEAR(static_cast<double>(TopAt(w, second, x)),
                            static_cast<double>(row.second(x)), 1e-15)
                    << static_cast<double>(x);
            }
        });
        space->RemoveExamplesAfter(-1);  // room for the next row's solids
    }
}

// Two surfaces of revolution of the same texts about the x-axis, the letters and user functions
// they use changed between them (kSurfacePairs): each keeps what it was made with, beside the
// other, after a recompute and through a file.
TEST_F(SolidToolsTest, EachSurfaceOfRevolutionKeepsTheLettersAndFunctionsItWasMadeWith) {
    for (const SurfacePair& row : kSurfacePairs) {
        SCOPED_TRACE(row.kind);
        row.before(win.Formulas());
        SeeSurfaceOf(row.kind, row.texts);
        row.after(win.Formulas());
        SeeSurfaceOf(row.kind, row.texts);
        ASSERT_TRUE(prompter.messages.empty());
        plot3d::TPlotSWin* space = Space(Solids().SurfaceWindow());
        ASSERT_NE(space, nullptr);
        ASSERT_EQ(space->Inventory().Count(), 2);
        ExpectKept(*space, [&row](examples::TPlot11Win& w) {
            for (const long double s : {0.25L, 0.75L})
                for (const auto& [k, closed] :
                     {std::pair{0, row.first}, std::pair{1, row.second}}) {
                    Vec3 p;
                    ASSERT_TRUE(w.EvalEntryPoint(k, p, s, 0.5L));
                    const ProfilePoint want = closed(s);
                    EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(want.x), 1e-15)
                        << k << " " << static_cast<double>(s);
                    EXPECT_NEAR(static_cast<double>(std::hypot(p.y, p.z)),
                                static_cast<double>(std::fabs(want.radius)), 1e-15)
                        << k << " " << static_cast<double>(s);
                }
        });
        space->RemoveExamplesAfter(-1);
    }
}

// Either solid window closed by its own "Close" keeps what it holds: the next request shows it
// again and adds beside it.
TEST_F(SolidToolsTest, AClosedSolidWindowComesBackWithItsSolids) {
    struct Row {
        bool sections;
        int each;  // examples a request adds
    };
    for (const Row& row : {Row{true, 2}, Row{false, 1}}) {
        SCOPED_TRACE(row.sections);
        const auto request = [&] {
            if (!row.sections) return static_cast<void>(Revolve("0", "3"));
            TSectionDlg& d = Sections();
            d.SetText(TSectionDlg::kLow, QStringLiteral("0.5"));
            d.SetText(TSectionDlg::kHigh, QStringLiteral("2"));
            d.Press(TSectionDlg::kFirstShape + 2);  // semicircles: the floor and the half round
            d.Press(TSectionDlg::kSeeSolid);
        };
        request();
        examples::TSolidWindow* solid =
            row.sections ? Solids().SectionWindow() : Solids().SurfaceWindow();
        plot3d::TPlotSWin* space = Space(solid);
        ASSERT_NE(space, nullptr);
        ASSERT_EQ(space->Inventory().Count(), row.each);
        ASSERT_TRUE(space->HostFrame()->DispatchCommand(cmd::kClose));
        EXPECT_TRUE(space->platform::Window::IsHidden());
        EXPECT_EQ(space->Inventory().Count(), row.each);
        request();
        EXPECT_FALSE(space->platform::Window::IsHidden());
        EXPECT_EQ(space->Inventory().Count(), 2 * row.each);
        EXPECT_TRUE(prompter.messages.empty());
    }
}

TEST_F(SolidToolsTest, TheAngleStopTiedToKLinksKInTheSurfacesWindow) {
    Revolve("0.5", "6.2832@K");
    ASSERT_TRUE(prompter.messages.empty());
    plot3d::TPlotSWin* space = Space(Solids().SurfaceWindow());
    ASSERT_NE(space, nullptr);
    ASSERT_EQ(space->Inventory().Count(), 1);
    const examples::TExample& e = space->Inventory()[0];
    EXPECT_EQ(e.Number(TNumber::kSecondLetterPair), kK * 100);
    EXPECT_EQ(e.Number(TNumber::kSecondHigh), 6.2832L);
    EXPECT_EQ(space->Formulas().Var(kK), 6.2832L);
    EXPECT_EQ(space->Formulas().params.left[kK], 0.5L);
    EXPECT_EQ(space->Formulas().params.right[kK], 6.2832L);
    // y = x about the x-axis: at arc 0.75 the circle of radius 0.75.
    for (const long double u : {0.0L, 0.3L, 1.0L}) {
        Vec3 p;
        ASSERT_TRUE(space->EvalEntryPoint(0, p, 0.75L, u));
        EXPECT_NEAR(static_cast<double>(p.x), 0.75, 1e-15);
        EXPECT_NEAR(static_cast<double>(std::hypot(p.y, p.z)), 0.75, 1e-15);
        const long double angle = 0.5L + u * (6.2832L - 0.5L);
        EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>(0.75L * std::cos(angle)), 1e-15);
    }
    // More than a turn is one turn; less than 1e-16 is refused.
    Revolve("1", "9");
    ASSERT_EQ(space->Inventory().Count(), 2);
    EXPECT_EQ(space->Inventory()[1].Number(TNumber::kSecondHigh), 1 + kTwoPi);
    EXPECT_EQ(win.Tools().revolutionUHigh, 1 + kTwoPi);
    Revolve("1", "1.00000000000000000001");
    EXPECT_EQ(space->Inventory().Count(), 2);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].error);
    EXPECT_EQ(prompter.messages[0].text,
              platform::ResourceString(platform::kErrorStringBase + kErrInconsistentData));
}

TEST_F(SolidToolsTest, SeeArcMarksTheArcAlone) {
    const auto picture = [this] {
        win.InvalidateImage(ImageLayer::Background);
        win.RenderImage(ImageLayer::Picture);
        return win.Image(ImageLayer::Picture).copy();
    };
    ASSERT_TRUE(win.SendCommand(cmd::kSurfaceOfRevolution));
    TSurfDlg& d = *Solids().Surfaces();
    d.SelectPosition(0);
    const QImage before = picture();
    d.SetText(TSurfDlg::kArcStart, QStringLiteral("-1"));
    d.SetText(TSurfDlg::kArcStop, QStringLiteral("2"));
    d.Press(TSurfDlg::kSeeArc);
    EXPECT_TRUE(d.ArcShown());
    const QImage marked = picture();
    int changed = 0;
    for (int y = 0; y < marked.height(); ++y)
        for (int x = 0; x < marked.width(); ++x) {
            if (marked.pixel(x, y) == before.pixel(x, y)) continue;
            ++changed;
            const long double wx = win.ScreenToWorld({x, y}).x;
            EXPECT_TRUE(wx > -1.1L && wx < 2.1L) << x << " " << y;
        }
    EXPECT_GT(changed, 3 * win.XToScreen(2) - 3 * win.XToScreen(-1) - 20);
    // A new selection leaves it.
    d.SelectPosition(1);
    EXPECT_FALSE(d.ArcShown());
    EXPECT_EQ(picture(), before);
}

// Squares on the strips between y = x and y = 0 over [0, 3]: the volume is the integral of x^2,
// 9, which the parabolic sum gives exactly. Whatever field the user types in, the volume shown
// goes; pressed again, it is the volume of what the fields now hold.
TEST_F(SolidToolsTest, TypingInAnyFieldClearsTheVolumeItWasComputedFrom) {
    struct Row {
        int field;
        const char* typed;
        const char* volume;  // then, of the typed text: x^3 / 3 between the ends
    };
    const Row rows[] = {
        {TSectionDlg::kLow, "0.5", "8.9583"},     {TSectionDlg::kHigh, "2", "2.6667"},
        {TSectionDlg::kHeight, "7", "9.0000"},    {TSectionDlg::kXSections, "30", "9.0000"},
        {TSectionDlg::kZSections, "3", "9.0000"}, {TSectionDlg::kSubintervals, "12", "9.0000"},
    };
    TSectionDlg& d = Sections();
    for (const Row& row : rows) {
        d.SetText(TSectionDlg::kLow, QStringLiteral("0"));
        d.SetText(TSectionDlg::kHigh, QStringLiteral("3"));
        d.SetText(TSectionDlg::kSubintervals, QStringLiteral("10"));
        d.Press(TSectionDlg::kVolume);
        ASSERT_EQ(d.GetText(TSectionDlg::kResult), QStringLiteral("9.0000")) << row.field;
        TypeOver(d, row.field, row.typed);
        EXPECT_EQ(d.GetText(TSectionDlg::kResult), QString()) << row.field;
        d.Press(TSectionDlg::kVolume);
        EXPECT_EQ(d.GetText(TSectionDlg::kResult), QString::fromLatin1(row.volume)) << row.field;
    }
    EXPECT_TRUE(prompter.messages.empty());
}

// The marked arc is that of the arc's ends: typing in either unmarks it, typing in the angle's
// or the axis's fields leaves it.
TEST_F(SolidToolsTest, TypingInAnArcEndUnmarksTheArc) {
    const std::pair<int, bool> rows[] = {{TSurfDlg::kArcStart, false},
                                         {TSurfDlg::kArcStop, false},
                                         {TSurfDlg::kAngleStop, true},
                                         {TSurfDlg::kA, true},
                                         {TSurfDlg::kC, true}};
    ASSERT_TRUE(win.SendCommand(cmd::kSurfaceOfRevolution));
    TSurfDlg& d = *Solids().Surfaces();
    d.SelectPosition(0);
    for (const auto& [field, kept] : rows) {
        d.SetText(TSurfDlg::kArcStart, QStringLiteral("-1"));
        d.SetText(TSurfDlg::kArcStop, QStringLiteral("2"));
        d.Press(TSurfDlg::kSeeArc);
        ASSERT_TRUE(d.ArcShown()) << field;
        TypeOver(d, field, "0.5");
        EXPECT_EQ(d.ArcShown(), kept) << field;
    }
}

// The two 3D windows share their ini file's place: "surfrev.qz3" opens a caption and a menu
// right of and below "sections.qz3", whichever opens first, and both keep their size.
TEST_F(SolidToolsTest, TheSurfacesWindowOpensACascadeStepFromTheSectionsWindow) {
    const auto outer = [this](examples::TSolidWindow* w) {
        plot3d::TPlotSWin* space = Space(w);
        return space ? space->OuterWidget()->geometry() : QRect();
    };
    Revolve("0", "3");
    TSectionDlg& d = Sections();
    d.Press(TSectionDlg::kSeeSolid);
    ASSERT_TRUE(prompter.messages.empty());
    const QRect sections = outer(Solids().SectionWindow());
    const QRect surfaces = outer(Solids().SurfaceWindow());
    ASSERT_FALSE(sections.isEmpty());
    const int step = plot3d::TPlotSWin::DialogRow();
    EXPECT_EQ(surfaces.topLeft() - sections.topLeft(), QPoint(step, step));
    EXPECT_EQ(surfaces.size(), sections.size());
}

}  // namespace
}  // namespace quorlin
