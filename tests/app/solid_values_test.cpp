// Solids and surfaces of revolution made of curves with letters ('@', T and U among them) and
// user functions stand on the values the 2D window had, and each keeps them when the next one
// is made with others, after a recompute and through a saved file. A function whose body holds
// a JOIN or DER form, which acts on the argument only in a call, is carried into the 3D
// window's table under a name of its own there, with the values it was made with; the table
// takes nothing else, and a solid refused for want of room, or whose texts do not read there,
// adds nothing. A DER or JOIN written in a section's text acts on x over a plain range; one on
// x between tied ends, or on a letter whose value is written in, is refused with 101, and a
// text that passes 255 characters once its letters are written in with 20.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/errors.h"
#include "platform/clipboard.h"
#include "platform/strings.h"
#include "solid_tools_fixture.h"

namespace quorlin {
namespace {

using solid_testing::Define;
using solid_testing::ExpectKept;
using solid_testing::FunctionLines;
using solid_testing::SolidToolsTest;
using solid_testing::TopAt;
namespace cmd = resources::cmd;
namespace k = examples::kind;
using tools2d::TSectionDlg;

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
    // A DER in a body acts on the argument: SLOPE(2x) is 3(2x)^2, 3 at x = 0.5, then 4(2x)^3.
    {"slope(2x)", "0", 1, "2.0", [](FormulaContext& c) { Define(c, "SLOPE", "DERX(1, X^3)"); },
     [](FormulaContext& c) { Define(c, "SLOPE", "DERX(1, X^4)"); },
     [](long double x) { return 3 * (2 * x) * (2 * x); },
     [](long double x) { return 4 * (2 * x) * (2 * x) * (2 * x); }},
    // A JOIN in a body switches on the argument, a variable: in the height of rectangles, over
    // x < 1 and then x < 1.5.
    {"x+2", "x", 4, "ramp(x)", [](FormulaContext& c) { Define(c, "RAMP", "JOINX(0.5, 1, 2)"); },
     [](FormulaContext& c) { Define(c, "RAMP", "JOINX(-1, 1.5, X)"); },
     [](long double x) { return x < 1 ? 0.5L : 2.0L; },
     [](long double x) { return x < 1.5L ? -1.0L : x; }},
    // A JOIN body that calls a function written out in it and reads A, both changed.
    {"x+2", "x", 4, "hump(x)",
     [](FormulaContext& c) {
         Define(c, "TWICE", "2*X");
         Define(c, "HUMP", "JOINX(TWICE(X), A, X+A)");
         c.SetVar(1, 1);
     },
     [](FormulaContext& c) {
         Define(c, "TWICE", "3*X");
         c.SetVar(1, 1.5L);
     },
     [](long double x) { return x < 1 ? 2 * x : x + 1; },
     [](long double x) { return x < 1.5L ? 3 * x : x + 1.5L; }},
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
    // A DER in a body acts on the argument: SLOPE(2x) is 3(2x)^2, then 4(2x)^3.
    {k::kExplicit,
     {"", "slope(2x)"},
     [](FormulaContext& c) { Define(c, "SLOPE", "DERX(1, X^3)"); },
     [](FormulaContext& c) { Define(c, "SLOPE", "DERX(1, X^4)"); },
     [](long double s) {
         return ProfilePoint{s, 3 * (2 * s) * (2 * s)};
     },
     [](long double s) {
         return ProfilePoint{s, 4 * (2 * s) * (2 * s) * (2 * s)};
     }},
    // A DER body that calls a function written out in it and reads A, both changed, called
    // with the curve's own T: d/dx (2x)^2 + A, then d/dx (3x)^2 + A.
    {k::kParametric,
     {"T", "steep(T)"},
     [](FormulaContext& c) {
         Define(c, "TWICE", "2*X");
         Define(c, "STEEP", "DERX(1, TWICE(X)^2)+A");
         c.SetVar(1, 0.5L);
     },
     [](FormulaContext& c) {
         Define(c, "TWICE", "3*X");
         c.SetVar(1, -0.25L);
     },
     [](long double s) {
         return ProfilePoint{s, 8 * s + 0.5L};
     },
     [](long double s) {
         return ProfilePoint{s, 18 * s - 0.25L};
     }},
};

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
        // A DER or JOIN written in a text acts on x, the surfaces' u: the top of x^2, and a
        // height that steps at x = 1.25.
        {"DERX(1,x^3)/3", "0", 1, "2.0", [](long double x) { return x * x; }},
        {"x+2", "x", 4, "JOINX(0.5,1.25,2)", [](long double x) { return x < 1.25L ? 0.5L : 2.0L; }},
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

// A text that passes a record's 255 characters once its letters are written in is refused
// with 20 and the solid adds nothing; a digit less, it stands (nine W = 1/3 of 24 characters
// each and a number make f 243 characters, and the floor's "t(f)+(1-t)(0)" 255).
TEST_F(SolidToolsTest, ATextTooLongWithItsLettersWrittenInIsRefusedWith20) {
    win.Formulas().SetVar(23, 1.0L / 3);  // W
    std::string nine = "W";
    for (int k = 1; k < 9; ++k) nine += "+W";
    const std::string fits = nine + "+" + std::string(18, '1');
    ASSERT_EQ(SeeSolidOf(fits.c_str(), "0", 1, "2.0"), 3);
    ASSERT_TRUE(prompter.messages.empty());
    const std::string over = fits + "1";
    ASSERT_EQ(SeeSolidOf(over.c_str(), "0", 1, "2.0"), 3);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              platform::ResourceString(platform::kErrorStringBase + kErrTooLarge));
}

// A DER on T in a curve acts on the letter T, whose value is written in: T would be no
// variable there (and the surface's own parameter for an explicit profile). The surface is
// refused with 101 and adds nothing.
TEST_F(SolidToolsTest, ADerOnALetterWrittenInIsRefused) {
    win.Formulas().SetVar(slot::kT, 0.5L);
    SeeSurfaceOf(k::kExplicit, {"", "DERT(1,x*T^2)"});
    plot3d::TPlotSWin* space = Space(Solids().SurfaceWindow());
    ASSERT_NE(space, nullptr);
    EXPECT_EQ(space->Inventory().Count(), 0);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              platform::ResourceString(platform::kErrorStringBase + kErrFormulaNotUsable));
}

// Between ends tied to a letter x is no variable: a DER written in f is refused with 101 and
// the solid adds nothing, where over the plain range it stands.
TEST_F(SolidToolsTest, AFormOnXBetweenTiedEndsIsRefused) {
    ASSERT_EQ(SeeSolidOf("DERX(1,x^3)/3", "0", 1, "2.0"), 3);
    ASSERT_TRUE(prompter.messages.empty());
    plot3d::TPlotSWin* space = Space(Solids().SectionWindow());
    ASSERT_NE(space, nullptr);
    TSectionDlg& d = *Solids().Sections();
    d.SetText(TSectionDlg::kLow, QStringLiteral("0.5@K"));
    d.Press(TSectionDlg::kSeeSolid);
    EXPECT_EQ(space->Inventory().Count(), 4);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              platform::ResourceString(platform::kErrorStringBase + kErrFormulaNotUsable));
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

// A solid window's table is its own: a solid adds to it only the functions it carries (a DER
// in a body), beside the window's own and those of earlier solids, under a name of their own
// once the name holds another body, and uses a function it holds already; the plane window's
// other functions stay out.
TEST_F(SolidToolsTest, ASolidWindowTakesOnlyTheFunctionsItsSolidCarries) {
    FormulaContext& plane = win.Formulas();
    Define(plane, "DBL", "2*X");
    for (const bool sections : {true, false}) {
        SCOPED_TRACE(sections);
        Define(plane, "SLOPE", "DERX(1, X^3)");
        const auto see = [&](const char* f) {
            if (sections) return static_cast<void>(SeeSolidOf(f, "0", 1, "2.0"));
            SeeSurfaceOf(k::kExplicit, {"", f});
        };
        see("dbl(x)");  // written out: the window opens with no function
        plot3d::TPlotSWin* space =
            Space(sections ? Solids().SectionWindow() : Solids().SurfaceWindow());
        ASSERT_NE(space, nullptr);
        EXPECT_TRUE(space->Formulas().UserFunctions().empty());
        ASSERT_EQ(space->Formulas().DefineUserFunction("MINE", "X*X", 1), userfn::kDone);
        see("slope(2x)");
        EXPECT_EQ(FunctionLines(space->Formulas()),
                  (std::vector<std::string>{"MINE(X) = X*X", "SLOPE(X) = DERX(1, X^3)"}));
        Define(plane, "SLOPE", "DERX(1, X^4)");
        see("slope(2x)");
        see("slope(x)+dbl(x)");
        const std::vector<std::string> lines{"MINE(X) = X*X", "SLOPE(X) = DERX(1, X^3)",
                                             "SLOPEA(X) = DERX(1, X^4)"};
        EXPECT_EQ(FunctionLines(space->Formulas()), lines);
        ASSERT_TRUE(prompter.messages.empty());
        // The texts call the functions by the names they settled on.
        const int each = sections ? 4 : 1;
        const examples::TInventory& made = space->Inventory();
        ASSERT_EQ(made.Count(), 4 * each);
        const int last = made.LastIndex();
        const std::string text = sections ? made[last].Text(3) : made[last].Text(2);
        EXPECT_NE(text.find("SLOPEA("), std::string::npos) << text;
        ExpectKept(*space, [&](examples::TPlot11Win& w) {
            EXPECT_EQ(FunctionLines(w.Formulas()), lines);
            if (!sections) return;
            // The tops at x = 0.5 of 12x^2, 32x^3 and 4x^3 + 2x.
            EXPECT_NEAR(static_cast<double>(TopAt(w, 4 + 3, 0.5L)), 3.0, 1e-15);
            EXPECT_NEAR(static_cast<double>(TopAt(w, 8 + 3, 0.5L)), 4.0, 1e-15);
            EXPECT_NEAR(static_cast<double>(TopAt(w, 12 + 3, 0.5L)), 1.5, 1e-15);
        });
    }
}

// A solid whose carried functions find no room in its window's table (OUTER and the SLOPE it
// calls, with room for one), or whose texts do not read there with them (a JOIN's argument is
// a variable, which the x between tied ends is not), is refused with its error and adds
// nothing, neither function nor surface; with room for exactly both it stands, the table full.
TEST_F(SolidToolsTest, ARefusedSolidAddsNoFunctionAndNoSurface) {
    struct Row {
        const char* low;
        std::size_t room;  // free places in the table
        int error;
    };
    const Row rows[] = {
        {"0.5", 1, kErrNoMoreRoom},
        {"0.5@K", 2, kErrFormulaNotUsable},
        {"0.5", 2, kNoError},
    };
    Define(win.Formulas(), "SLOPE", "DERX(1, X^3)");
    Define(win.Formulas(), "OUTER", "JOINX(SLOPE(X), 1, 2)");
    ASSERT_EQ(SeeSolidOf("x+2", "x", 4, "2.0"), 3);
    plot3d::TPlotSWin* space = Space(Solids().SectionWindow());
    ASSERT_NE(space, nullptr);
    FormulaContext& table = space->Formulas();
    // Fillers QAAAA, QAAAB, ..: names apart from those of the solid.
    const auto filler = [](std::size_t n) {
        std::string name = "QAAAA";
        for (std::size_t p = name.size() - 1; n > 0; --p, n /= 26)
            name[p] = static_cast<char>('A' + n % 26);
        return name;
    };
    std::size_t fillers = 0;
    TSectionDlg& d = *Solids().Sections();
    d.SetText(TSectionDlg::kHeight, QStringLiteral("outer(x)"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.low);
        while (fillers < userfn::kMaxFunctions - row.room)
            ASSERT_EQ(table.DefineUserFunction(filler(fillers++), "X", 1), userfn::kDone);
        while (fillers > userfn::kMaxFunctions - row.room)
            ASSERT_TRUE(table.RemoveUserFunction(filler(--fillers)));
        const int count = space->Inventory().Count();
        prompter.messages.clear();
        d.SetText(TSectionDlg::kLow, QString::fromLatin1(row.low));
        d.Press(TSectionDlg::kSeeSolid);
        if (row.error != kNoError) {
            EXPECT_EQ(space->Inventory().Count(), count);
            EXPECT_EQ(table.UserFunctions().size(), fillers);
            EXPECT_EQ(table.FindUserFunction("SLOPE"), nullptr);
            ASSERT_EQ(prompter.messages.size(), 1u);
            EXPECT_EQ(prompter.messages[0].text,
                      platform::ResourceString(platform::kErrorStringBase + row.error));
            continue;
        }
        EXPECT_TRUE(prompter.messages.empty());
        ASSERT_EQ(space->Inventory().Count(), count + 4);
        EXPECT_EQ(table.UserFunctions().size(), userfn::kMaxFunctions);
        // OUTER(x) is SLOPE(x) = 3x^2 below 1, then 2.
        EXPECT_NEAR(static_cast<double>(TopAt(*space, count + 3, 0.5L)), 0.75, 1e-15);
        EXPECT_NEAR(static_cast<double>(TopAt(*space, count + 3, 1.25L)), 2.0, 1e-15);
    }
}

}  // namespace
}  // namespace quorlin
