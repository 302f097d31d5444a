// The surface intersections and meridians of a 3D window: the chooser through command 787 (a
// pair made once and found again in either order, no answer without two surfaces, a plane
// without a normal refused), a parent's edit and a diagram read rebuilding the curve, the
// curves dialog and the window of intersection curves, the meridian command, and a user's road
// through the menus to the curves on the screen.
#include <QImage>

#include <array>
#include <cmath>
#include <functional>
#include <numbers>

#include "examples/levels/inventory_dialog.h"
#include "examples/records/equation_text.h"
#include "platform/dialog.h"
#include "platform/key_poll.h"
#include "plot3d/intersections/intersection_dialog.h"
#include "plot3d/intersections/surface_choice_dialog.h"
#include "plot3d/levelcurves/level_window.h"
#include "plot3d/plot3_fixture.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;
using examples::TExample;

constexpr const char* kSphere = "IMPL3;x^2+y^2+z^2=4;-3;3;-3;3;-3;3;\r\n";
constexpr const char* kHeightOne = "EXPL3;1;-3;3;-3;3;\r\n";
constexpr const char* kPlaneX1 = "PLANE;1;0;0;1;0;0;4;\r\n";

class IntersectionTest : public Plot3WindowTest {
protected:
    ~IntersectionTest() override {
        if (win.IsCreated()) CloseUnsaved(win);
    }
    void Open(const std::string& script) {
        OpenAndPaste(win, script.c_str());
        win.RecomputeAllBoxes();
    }
    // Command 787 with the chooser's lines chosen (-1: as it comes) and OK pressed.
    bool Choose(int first, int second) {
        platform::ScopedDialogRunner runner([&](platform::Dialog& d) {
            if (first >= 0) d.SetSelectedIndex(TSurfSelDlg::kFirstList, first);
            if (second >= 0) d.SetSelectedIndex(TSurfSelDlg::kSecondList, second);
            d.Press(platform::kIdOk);
            return d.HasEnded() ? d.Result() : d.Press(platform::kIdCancel);
        });
        return win.SendCommand(cmd::kSurfaceSurface);
    }
    // The sphere and the cut in w with the letter A at a, their intersection chosen, shown
    // ("see") and searched once: its dialog, or null.
    TIntSSDlg* SearchSphereCut(TPlot3Win& w, const char* cut, long double a) {
        w.Formulas().SetVar(1, a);
        OpenAndPaste(w, (std::string(kSphere) + cut).c_str());
        w.RecomputeAllBoxes();
        {
            platform::ScopedDialogRunner runner([](platform::Dialog& d) { return d.Press(1); });
            if (!w.SendCommand(cmd::kSurfaceSurface) || w.Inventory().Count() != 3) return nullptr;
        }
        TIntSSDlg* dialog = w.IntersectionDialog();
        if (!dialog) return nullptr;
        w.Roles().SetRole(examples::kRoleTrajectory, 4);
        dialog->Press(TIntSSDlg::kSee);
        TLevelWin* trace = w.IntersectionWindow();
        if (!trace) return nullptr;
        trace->Output().noPolling = true;
        dialog->Press(TIntSSDlg::kSearch);
        dialog->Press(platform::kIdOk);
        return w.Inventory()[2].trajectories.empty() ? nullptr : dialog;
    }
    // The cut (example 1) edited in the inventory: the field typed, OK in both dialogs.
    static bool EditSecondExample(TPlot3Win& w, int field, const char* typed) {
        if (!w.SendCommand(cmd::kInventory) || !w.InventoryDialog()) return false;
        examples::TFnListDlg& inventory = *w.InventoryDialog();
        inventory.FillList(1);
        platform::ScopedDialogRunner runner([field, typed](platform::Dialog& d) {
            d.SetText(field, QString::fromLatin1(typed));
            return d.Press(platform::kIdOk);
        });
        inventory.Press(examples::invent::kEdit);
        inventory.Press(platform::kIdOk);
        return true;
    }
    // The curves of intersection 2 drawn afresh in w's window of curves (CheckDrawnCurvePixels).
    static int CheckDrawnCurve(TPlot3Win& w,
                               const std::function<bool(canvas::WorldPoint)>& onCurve) {
        EXPECT_EQ(w.ShowIntersectionWindow(2, false), 0);
        return CheckDrawnCurvePixels(*w.IntersectionWindow(), onCurve);
    }
    long double At(TExprNode* tree, long double x, long double y, long double z) {
        EXPECT_NE(tree, nullptr);
        if (!tree) return -999;
        win.Formulas().SetVar(slot::kX, x);
        win.Formulas().SetVar(slot::kY, y);
        win.Formulas().SetVar(slot::kZ, z);
        EXPECT_TRUE(win.Formulas().Evaluate(*tree));
        return tree->re;
    }
    std::vector<QString> Errors() const {
        std::vector<QString> texts;
        for (const auto& m : prompter.messages)
            if (m.error) texts.push_back(m.text);
        return texts;
    }

    TPlot3Win win{QStringLiteral("noname1.qz3")};
};

TEST_F(IntersectionTest, APairIsMadeOnceAndFoundAgainInEitherOrder) {
    Open("EXPL3;x+y;-3;3;-3;3;\r\nEXPL3;2*x;-3;3;-3;3;\r\n");
    EXPECT_TRUE(win.QueryCommand(cmd::kSurfaceSurface).enabled);
    ASSERT_TRUE(Choose(0, 1));
    ASSERT_EQ(win.Inventory().Count(), 3);
    const TExample& e = win.Inventory()[2];
    EXPECT_EQ(e.kind, 317);
    EXPECT_EQ(e.derivation, 143);
    EXPECT_EQ(e.parent[0], 0);
    EXPECT_EQ(e.parent[1], 1);
    // z = x + y with z = 2x: zero on y = x, tree 3 = 2x.
    EXPECT_EQ(At(e.trees[3].get(), 1.25L, 1.25L, 9), 0);
    EXPECT_EQ(At(e.trees[3].get(), 1.25L, 2, 9), 0.75L);
    EXPECT_EQ(At(e.trees[2].get(), 1.25L, 2, 9), 2.5L);
    TIntSSDlg* dialog = win.IntersectionDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Example(), 2);
    EXPECT_FALSE(dialog->IsHidden());
    EXPECT_EQ(dialog->GetText(TIntSSDlg::kFirstSurface).toStdString(), win.DescribeExample(0));
    EXPECT_EQ(dialog->GetText(TIntSSDlg::kSecondSurface).toStdString(), win.DescribeExample(1));

    // (Q, P) after (P, Q): the same example, nothing added.
    dialog->Press(platform::kIdOk);
    ASSERT_TRUE(Choose(1, 0));
    EXPECT_EQ(win.Inventory().Count(), 3);
    EXPECT_EQ(dialog->Example(), 2);
    EXPECT_TRUE(Errors().empty());

    // Editing P rebuilds the curve: z = x y with z = 2x is zero on x (y - 2) = 0.
    win.Inventory()[0].Text(3) = "x*y";
    win.CompileExample(0);
    win.UpdateDependents(0);
    EXPECT_EQ(At(win.Inventory()[2].trees[3].get(), 1.5L, 2, 0), 0);
    EXPECT_EQ(At(win.Inventory()[2].trees[3].get(), 1.5L, 3, 0), 1.5L);
    // The dialog names the surface as it is now.
    win.InventoryChanged(0);
    EXPECT_EQ(dialog->GetText(TIntSSDlg::kFirstSurface).toStdString(), win.DescribeExample(0));
    EXPECT_NE(win.DescribeExample(0).find("x*y"), std::string::npos);
}

TEST_F(IntersectionTest, TheChooserRefusesAndAnswersNothingAsItShould) {
    Open(std::string(kSphere) + "IMPL3;x+y+z=1;-3;3;-3;3;-3;3;\r\n" + "PARAM3;t;0;0;-2;2;\r\n");
    // Two implicit surfaces, whatever the lines say: the command is not offered.
    EXPECT_FALSE(win.QueryCommand(cmd::kSurfaceSurface).enabled);
    const struct {
        int first, second;
        int error;  // 0: the chooser ends
    } rows[] = {{0, 1, 401}, {1, 1, 423}, {1, 0, 401}};
    for (const auto& row : rows) {
        prompter.messages.clear();
        TSurfSelDlg chooser(win);
        bool ended = true;
        platform::ScopedDialogRunner runner([&](platform::Dialog& d) {
            EXPECT_EQ(d.ItemCount(TSurfSelDlg::kFirstList), 2);  // the curve is not listed
            d.SetSelectedIndex(TSurfSelDlg::kFirstList, row.first);
            d.SetSelectedIndex(TSurfSelDlg::kSecondList, row.second);
            d.Press(platform::kIdOk);
            ended = d.HasEnded();
            return ended ? d.Result() : d.Press(platform::kIdCancel);
        });
        EXPECT_EQ(chooser.Execute(), platform::kIdCancel);
        EXPECT_FALSE(ended);
        ASSERT_EQ(Errors().size(), 1u);
        EXPECT_EQ(Errors()[0], platform::ResourceString(row.error));
        EXPECT_FALSE(chooser.Chosen());
    }
}

TEST_F(IntersectionTest, FewerThanTwoSurfacesGiveNoAnswer) {
    for (const char* script : {"PARAM3;t;0;0;-2;2;\r\n", kSphere}) {
        TPlot3Win one{QStringLiteral("noname2.qz3")};
        OpenAndPaste(one, script);
        EXPECT_FALSE(one.QueryCommand(cmd::kSurfaceSurface).enabled);
        TSurfSelDlg chooser(one);
        platform::ScopedDialogRunner runner([](platform::Dialog& d) {
            EXPECT_EQ(d.SelectedIndex(TSurfSelDlg::kSecondList),
                      d.ItemCount(TSurfSelDlg::kFirstList) - 1);
            return d.Press(platform::kIdOk);
        });
        EXPECT_EQ(chooser.Execute(), platform::kIdOk);
        EXPECT_FALSE(chooser.Chosen());
        EXPECT_TRUE(Errors().empty());
        CloseUnsaved(one);
    }
}

TEST_F(IntersectionTest, APlaneWithoutANormalIsRefusedAndARebuildLeavesItUndefined) {
    // A plane of side 0: its mesh points coincide.
    Open(std::string(kSphere) + "PLANE;1;2;3;0;1;0;0;\r\n");
    ASSERT_TRUE(Choose(0, 1));
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0], platform::ResourceString(406));
    EXPECT_EQ(win.Inventory().Count(), 2);

    // A plane that had its normal, whose mesh then collapses: the curve is undefined.
    win.Inventory()[1].Text(6) = "4";
    win.CompileExample(1);
    win.RecomputeAllBoxes();
    ASSERT_TRUE(Choose(0, 1));
    ASSERT_EQ(win.Inventory().Count(), 3);
    EXPECT_NE(win.Inventory()[2].trees[3], nullptr);
    auto& mesh = win.Inventory()[1].points;
    std::fill(mesh.begin(), mesh.end(), mesh.front());
    EXPECT_EQ(win.BuildIntersectionCurve(2), 6);
    for (const NodePtr& tree : win.Inventory()[2].trees) EXPECT_EQ(tree, nullptr);
    EXPECT_FALSE(win.TracedPointInSpace(2, {0, 1, 1}));
}

TEST_F(IntersectionTest, TheXSolvedIntersectionIsReadWithItsStoredNormalAndShownAtX) {
    Open(std::string(kSphere) + kPlaneX1);
    ASSERT_TRUE(Choose(-1, -1));
    ASSERT_EQ(win.Inventory().Count(), 3);
    EXPECT_EQ(win.Inventory()[2].derivation, 146);
    EXPECT_EQ(win.Inventory()[2].SolvedAxis(), -2);
    // Zero on y^2 + z^2 = 3 whatever x.
    EXPECT_NEAR(
        static_cast<double>(At(win.Inventory()[2].trees[3].get(), 7, 1.5L, std::sqrt(0.75L))), 0,
        1e-15);

    // The window of intersection curves draws the x level: slot 24, the plane (y, z).
    ASSERT_EQ(win.ShowIntersectionWindow(2, false), 0);
    TLevelWin* trace = win.IntersectionWindow();
    ASSERT_NE(trace, nullptr);
    EXPECT_EQ(trace->Level().variable, 24);
    EXPECT_EQ(trace->Level().value, 0);
    EXPECT_EQ(trace->PointMapping().plottedPair, 6);
    EXPECT_TRUE(trace->Caption().startsWith(QStringLiteral("trace.qz3")));

    // Saved and read in another window: the stored normal gives the same curve.
    TPlot3Win other{QString()};
    ASSERT_TRUE(SaveAndOpenIn(win, other, QStringLiteral("meet.qz3")));
    ASSERT_EQ(other.Inventory().Count(), 3);
    const TExample& read = other.Inventory()[2];
    EXPECT_EQ(read.SolvedAxis(), -2);
    EXPECT_EQ(std::fabs(read.Number(examples::TNumber::kSecondPlaneNormal)), 1);
    other.Formulas().SetVar(slot::kY, 1.5L);
    other.Formulas().SetVar(slot::kZ, std::sqrt(0.75L));
    ASSERT_NE(read.trees[3], nullptr);
    ASSERT_TRUE(other.Formulas().Evaluate(*other.Inventory()[2].trees[3]));
    EXPECT_NEAR(static_cast<double>(read.trees[3]->re), 0, 1e-15);
    EXPECT_TRUE(Errors().empty());
    CloseUnsaved(other);
}

TEST_F(IntersectionTest, AParametricSurfaceIsCutInItsParameterPlane) {
    Open("SURFPAR;t;u;t*u;-1.5;2.5;0.25;3.75;\r\nEXPL3;x+y;-3;3;-3;3;\r\n");
    ASSERT_TRUE(Choose(0, 1));
    ASSERT_EQ(win.Inventory().Count(), 3);
    const TExample& e = win.Inventory()[2];
    EXPECT_EQ(e.derivation, 152);
    EXPECT_EQ(e.parent[0], 1);  // the explicit surface first
    EXPECT_EQ(e.rangeLow, (std::array<long double, 2>{-1.5L, 0.25L}));
    EXPECT_EQ(e.rangeHigh, (std::array<long double, 2>{2.5L, 3.75L}));
    // (t, u) = (2, 3) lies at (2, 3, 6) in space; t = 3 lies outside the surface.
    const auto space = win.TracedPointInSpace(2, {2, 3, 0});
    ASSERT_TRUE(space);
    EXPECT_EQ(space->z, 6);
    EXPECT_FALSE(win.TracedPointInSpace(2, {3, 3, 0}));

    // The window of curves shows the plane of t and u about the middle of the ranges.
    ASSERT_EQ(win.ShowIntersectionWindow(2, false), 0);
    TLevelWin* trace = win.IntersectionWindow();
    ASSERT_NE(trace, nullptr);
    trace->Output().noPolling = true;
    EXPECT_EQ(trace->Figure().axisLabels[0], QStringLiteral("t"));
    EXPECT_EQ(trace->Figure().axisLabels[1], QStringLiteral("u"));
    EXPECT_EQ((trace->View().left + trace->View().right) / 2, 0.5L);
    EXPECT_EQ((trace->View().down + trace->View().up) / 2, 2);
    // Searched there: t + u - t u = 0, as far as the parameter ranges go.
    win.ShowIntersectionWindow(2, true);
    ASSERT_FALSE(e.trajectories.empty());
    for (const examples::TTrajectory& t : e.trajectories) {
        EXPECT_NEAR(static_cast<double>(t.startX + t.startY - t.startX * t.startY), 0, 1e-2);
        EXPECT_EQ(t.option1, 26);
    }
    // The curves dialog, opened again, lists each curve with its start in space: (t, u, t u).
    TIntSSDlg* dialog = win.IntersectionDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->Press(platform::kIdOk);
    win.OpenIntersectionCurvesDialog(2);
    ASSERT_EQ(dialog->ItemCount(TIntSSDlg::kList), static_cast<int>(e.trajectories.size()));
    examples::TTrajectory first = e.trajectories.front().Clone();
    first.startZ = first.startX * first.startY;
    EXPECT_EQ(dialog->ItemText(TIntSSDlg::kList, 0).toStdString(),
              examples::DescribeTrajectory(first, win.Format().places, true));
}

TEST_F(IntersectionTest, TheCurvesDialogClosedOnOneIntersectionOpensOnAnother) {
    Open(std::string(kSphere) + kHeightOne + kPlaneX1);
    ASSERT_TRUE(Choose(0, 1));  // 3: the sphere with z = 1
    TIntSSDlg* dialog = win.IntersectionDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->Press(platform::kIdCancel);
    EXPECT_TRUE(dialog->IsHidden());
    ASSERT_TRUE(Choose(0, 2));  // 4: the sphere with x = 1
    EXPECT_EQ(win.Inventory().Count(), 5);
    EXPECT_EQ(dialog, win.IntersectionDialog());
    EXPECT_EQ(dialog->Example(), 4);
    EXPECT_EQ(dialog->GetText(TIntSSDlg::kSecondSurface).toStdString(), win.DescribeExample(2));
    // While it shows, another intersection only brings it to the top.
    win.OpenIntersectionCurvesDialog(3);
    EXPECT_EQ(dialog->Example(), 4);
    // Closed, the inventory's "edit" of intersection 3 opens it on 3.
    dialog->Press(platform::kIdOk);
    examples::TFnListDlg* inventory = win.InventoryDialog();
    ASSERT_NE(inventory, nullptr);
    inventory->FillList(3);
    inventory->Press(examples::invent::kEdit);
    EXPECT_EQ(dialog->Example(), 3);
    EXPECT_FALSE(dialog->IsHidden());
    EXPECT_EQ(dialog->GetText(TIntSSDlg::kSecondSurface).toStdString(), win.DescribeExample(1));
}

TEST_F(IntersectionTest, AMeridianIsAHalfCircleOfTheTextsAsTyped) {
    win.SizeChanged(401, 301);
    win.Create();
    const auto meridian = [&](const char* radius, const char* longitude) {
        platform::ScopedDialogRunner runner([&](platform::Dialog& d) {
            EXPECT_EQ(d.GetText(211), QStringLiteral("1.00"));
            EXPECT_EQ(d.GetText(212), QStringLiteral("0.00"));
            d.SetText(211, QString::fromLatin1(radius));
            d.SetText(212, QString::fromLatin1(longitude));
            return d.Press(platform::kIdOk);
        });
        ASSERT_TRUE(win.SendCommand(cmd::kMeridian));
    };
    meridian("2", "pi/4");
    ASSERT_EQ(win.Inventory().Count(), 1);
    const TExample& e = win.Inventory()[0];
    EXPECT_EQ(e.kind, 304);
    EXPECT_EQ(e.Text(1), "(2)sin(t)cos(pi/4)");
    EXPECT_EQ(e.Text(2), "(2)sin(t)sin(pi/4)");
    EXPECT_EQ(e.Text(3), "(2)cos(t)");
    EXPECT_EQ(e.rangeLow[0], 0);
    EXPECT_EQ(e.rangeHigh[0], std::numbers::pi_v<long double>);
    EXPECT_TRUE(Errors().empty());
    // A text that does not parse, and texts too long for a curve: errors, nothing added.
    meridian("2+", "0");
    meridian(std::string(200, '1').c_str(), std::string(50, '2').c_str());
    ASSERT_EQ(Errors().size(), 2u);
    EXPECT_EQ(Errors()[1], platform::ResourceString(420));
    EXPECT_EQ(win.Inventory().Count(), 1);
}

TEST_F(IntersectionTest, AUserSearchesAndSeesTheCurvesThroughTheMenus) {
    TPlotFrame frame(registry, {});
    TPlot3Win* w = NewWindowWithScript(frame, QString::fromLatin1(kSphere) + kHeightOne);
    ASSERT_NE(w, nullptr);
    w->SizeChanged(401, 301);
    w->RecomputeAllBoxes();
    EXPECT_TRUE(frame.QueryCommand(cmd::kSurfaceSurface).enabled);
    EXPECT_TRUE(frame.QueryCommand(cmd::kMeridian).enabled);
    {
        platform::ScopedDialogRunner runner([](platform::Dialog& d) { return d.Press(1); });
        ASSERT_TRUE(frame.DispatchCommand(cmd::kSurfaceSurface));
    }
    ASSERT_EQ(w->Inventory().Count(), 3);
    TIntSSDlg* dialog = w->IntersectionDialog();
    ASSERT_NE(dialog, nullptr);
    w->Roles().SetRole(examples::kRoleTrajectory, 4);  // red curves
    dialog->Press(TIntSSDlg::kSee);
    TLevelWin* trace = w->IntersectionWindow();
    ASSERT_NE(trace, nullptr);
    EXPECT_EQ(trace->Level().variable, 26);
    // The search makes its usual attempts while the window does not poll keys.
    trace->Output().noPolling = true;
    dialog->Press(TIntSSDlg::kSearch);
    const TExample& e = w->Inventory()[2];
    ASSERT_FALSE(e.trajectories.empty());
    EXPECT_TRUE(dialog->Changed());
    EXPECT_EQ(dialog->ListedPositions().size(), e.trajectories.size());
    for (const examples::TTrajectory& t : e.trajectories)
        EXPECT_NEAR(static_cast<double>(t.startX * t.startX + t.startY * t.startY), 3, 2e-3);

    // The curves in the window of intersection curves lie on x^2 + y^2 = 3.
    trace->InvalidateImage(ImageLayer::Background);
    trace->RenderImage(ImageLayer::Picture);
    const QImage image = trace->Image(ImageLayer::Picture);
    const QRgb curve = trace->OutputColor(trace->DrawColor(4)).rgb();
    const long double reach = 2 * trace->View().unitsPerPixelX;
    int onCurve = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != curve) continue;
            const canvas::WorldPoint p = trace->ScreenToWorld({x, y});
            EXPECT_LE(std::fabs(std::hypot(p.x, p.y) - std::sqrt(3.0L)), reach) << x << "," << y;
            ++onCurve;
        }
    EXPECT_GT(onCurve, 100);

    // In the 3D window the curve is the circle at height 1 (the surfaces in another colour;
    // the sphere hides the far side).
    for (const int i : {0, 1}) {
        w->Inventory()[i].pen.colour = 9;
        w->Inventory()[i].extraColour = {9, 9};
    }
    EXPECT_GE(CirclePointsInked(*w, std::sqrt(3.0L), 1), 18);

    // "discard changes" takes the curves back and hides the window of curves.
    dialog->Press(platform::kIdCancel);
    EXPECT_TRUE(w->Inventory()[2].trajectories.empty());
    EXPECT_TRUE(trace->platform::Window::IsHidden());
    EXPECT_TRUE(prompter.messages.empty());
    w->ClearModified();
}

// The sphere x^2 + y^2 + z^2 = 4 cut by z = A (an explicit surface, or a plane through (0, 0, A)),
// its curve searched at A = 1 (the circle of radius sqrt 3), then the parent changed by the
// slider's path (a new value of A) or by an edit in the inventory: the stored curves are the
// circle of the new height, in the window of curves as on the record, or gone where the plane
// misses the sphere.
TEST_F(IntersectionTest, FoundCurvesFollowTheirParentsOrAreDropped) {
    const struct {
        const char* cut;
        const char* edited;  // the cut's new formula; null: A moves to a
        long double a;
        long double radius;  // 0: no curve is left
    } rows[] = {
        {"EXPL3;A;-3;3;-2.5;3.5;\r\n", nullptr, 0, 2},
        {"EXPL3;A;-3;3;-2.5;3.5;\r\n", "0", 1, 2},
        {"EXPL3;A;-3;3;-2.5;3.5;\r\n", "-0.5", 1, std::sqrt(3.75L)},
        {"EXPL3;A;-3;3;-2.5;3.5;\r\n", nullptr, 2.5L, 0},
        {"PLANE;0;0;1;0;0;A;4;\r\n", nullptr, 0.5L, std::sqrt(3.75L)},
        {"PLANE;0;0;1;0;0;A;4;\r\n", nullptr, -1.25L, std::sqrt(2.4375L)},
    };
    for (const auto& row : rows) {
        TPlot3Win w{QStringLiteral("noname3.qz3")};
        TIntSSDlg* dialog = SearchSphereCut(w, row.cut, 1);
        ASSERT_NE(dialog, nullptr) << row.cut;
        TLevelWin* trace = w.IntersectionWindow();
        const TExample& e = w.Inventory()[2];
        for (const examples::TTrajectory& t : e.trajectories)
            EXPECT_NEAR(static_cast<double>(std::hypot(t.startX, t.startY)), std::sqrt(3.0), 2e-3);

        if (row.edited) {
            ASSERT_TRUE(EditSecondExample(w, 213, row.edited));
        } else {
            w.Formulas().SetVar(1, row.a);
            w.ExampleChanged(1);
        }
        if (row.radius == 0) {
            EXPECT_TRUE(e.trajectories.empty()) << row.a;
            EXPECT_EQ(dialog->ListedPositions().size(), e.trajectories.size());
            CloseUnsaved(w);
            continue;
        }
        ASSERT_FALSE(e.trajectories.empty()) << row.cut << " " << row.a;
        for (const examples::TTrajectory& t : e.trajectories)
            EXPECT_NEAR(static_cast<double>(std::hypot(t.startX, t.startY)),
                        static_cast<double>(row.radius), 1e-12);

        // What the window of curves draws ("see") lies on the new circle.
        const long double reach = 2 * trace->View().unitsPerPixelX;
        const int onCurve = CheckDrawnCurve(w, [&](canvas::WorldPoint p) {
            return std::fabs(std::hypot(p.x, p.y) - row.radius) <= reach;
        });
        EXPECT_GT(onCurve, 100) << row.cut << " " << row.a;
        CloseUnsaved(w);
    }
}

// The sphere x^2 + y^2 + z^2 = 4 cut by z = A, its curve searched at A = 1, then A slid to 1.99
// (the circle of radius sqrt(4 - 1.99^2), near the top) and back to 1: from near the small
// circle's centre the first Newton step is longer than the box, yet the curve comes back onto
// the circle of radius sqrt 3, on its records, in the window of curves, in the 3D picture at
// height 1 and in the saved file.
TEST_F(IntersectionTest, AFoundCurveComesBackAfterTheSliderNearlyLeavesTheSphere) {
    TPlot3Win w{QStringLiteral("noname3.qz3")};
    TIntSSDlg* dialog = SearchSphereCut(w, "EXPL3;A;-3;3;-2.5;3.5;\r\n", 1);
    ASSERT_NE(dialog, nullptr);
    const TExample& e = w.Inventory()[2];
    const std::size_t found = e.trajectories.size();
    for (const auto& [a, radius] :
         {std::pair{1.99L, std::sqrt(4 - 1.99L * 1.99L)}, std::pair{1.0L, std::sqrt(3.0L)}}) {
        w.Formulas().SetVar(1, a);
        w.ExampleChanged(1);
        ASSERT_EQ(e.trajectories.size(), found) << static_cast<double>(a);
        for (const examples::TTrajectory& t : e.trajectories)
            EXPECT_NEAR(static_cast<double>(std::hypot(t.startX, t.startY)),
                        static_cast<double>(radius), 1e-12)
                << static_cast<double>(a);
    }
    const long double r3 = std::sqrt(3.0L);
    const long double reach = 2 * w.IntersectionWindow()->View().unitsPerPixelX;
    EXPECT_GT(
        CheckDrawnCurve(
            w, [&](canvas::WorldPoint p) { return std::fabs(std::hypot(p.x, p.y) - r3) <= reach; }),
        100);
    for (const int i : {0, 1}) {
        w.Inventory()[i].pen.colour = 9;
        w.Inventory()[i].extraColour = {9, 9};
    }
    EXPECT_GE(CirclePointsInked(w, r3, 1), 18);

    TPlot3Win other{QString()};
    ASSERT_TRUE(SaveAndOpenIn(w, other, QStringLiteral("slid.qz3")));
    ASSERT_EQ(other.Inventory().Count(), 3);
    ASSERT_EQ(other.Inventory()[2].trajectories.size(), found);
    for (const examples::TTrajectory& t : other.Inventory()[2].trajectories)
        EXPECT_NEAR(static_cast<double>(std::hypot(t.startX, t.startY)), static_cast<double>(r3),
                    1e-12);
    CloseUnsaved(other);
    CloseUnsaved(w);
}

// The parametric surface (t, u, t u) cut with z = x + y + A, searched at A = 0 in its parameter
// plane (t in [-1.5, 2.5], u in [0.25, 3.75]), then A moved by the slider's path: each start
// moves in the parameter plane onto t + u + A - t u = 0, within the ranges, and the window of
// curves draws on that curve. At A = 0.5 both branches stay in the ranges; at A = -0.25 too.
TEST_F(IntersectionTest, CurvesInAParameterPlaneFollowTheCut) {
    for (const long double a : {0.5L, -0.25L}) {
        TPlot3Win w{QStringLiteral("noname5.qz3")};
        w.Formulas().SetVar(1, 0);
        OpenAndPaste(w, "SURFPAR;t;u;t*u;-1.5;2.5;0.25;3.75;\r\nEXPL3;x+y+A;-3;3;-3;3;\r\n");
        w.RecomputeAllBoxes();
        {
            platform::ScopedDialogRunner runner([](platform::Dialog& d) {
                d.SetSelectedIndex(TSurfSelDlg::kFirstList, 0);
                d.SetSelectedIndex(TSurfSelDlg::kSecondList, 1);
                return d.Press(platform::kIdOk);
            });
            ASSERT_TRUE(w.SendCommand(cmd::kSurfaceSurface));
        }
        ASSERT_EQ(w.Inventory().Count(), 3);
        w.Roles().SetRole(examples::kRoleTrajectory, 4);
        ASSERT_EQ(w.ShowIntersectionWindow(2, false), 0);
        w.IntersectionWindow()->Output().noPolling = true;
        w.ShowIntersectionWindow(2, true);
        const TExample& e = w.Inventory()[2];
        const std::size_t found = e.trajectories.size();
        ASSERT_GT(found, 0u);

        w.Formulas().SetVar(1, a);
        w.ExampleChanged(1);
        EXPECT_EQ(e.trajectories.size(), found) << static_cast<double>(a);
        for (const examples::TTrajectory& t : e.trajectories) {
            EXPECT_NEAR(static_cast<double>(t.startX + t.startY + a - t.startX * t.startY), 0,
                        1e-15);
            EXPECT_TRUE(t.startX >= -1.5L && t.startX <= 2.5L && t.startY >= 0.25L &&
                        t.startY <= 3.75L);
            EXPECT_EQ(t.startZ, 0);
        }
        const long double reach = 2 * w.IntersectionWindow()->View().unitsPerPixelX;
        const int onCurve = CheckDrawnCurve(w, [&](canvas::WorldPoint p) {
            // The distance of (t, u) from the hyperbola u = (t + a) / (t - 1), by |G| / |grad G|.
            const long double g = p.x + p.y + a - p.x * p.y;
            return std::fabs(g) <= reach * std::hypot(1 - p.y, 1 - p.x) + 1e-12L;
        });
        EXPECT_GT(onCurve, 100) << static_cast<double>(a);
        CloseUnsaved(w);
    }
}

// A plane a (x - 0) + b y + c (z - n) = 0 cut with the sphere x^2 + y^2 + z^2 = 4, searched,
// then its normal changed: by the slider's path when the normal holds the letter A, or by typing
// a new a in the inventory. The curve follows the plane's new slant: its starts and every pixel
// the window of curves draws lie on the sphere with z = n - (a x + b y) / c; a plane turned
// upright (c = 0) is traced in another plane, so its curves are dropped, never drawn on the old
// slant.
TEST_F(IntersectionTest, CurvesFollowAPlaneWhoseNormalMoves) {
    const struct {
        const char* plane;
        long double searchedAt, movedTo;
        const char* typedA;               // null: A moves to movedTo
        std::array<long double, 4> abcn;  // at the end; c = 0: no curve is left
    } rows[] = {
        {"PLANE;A;0;1;0;0;0;4;\r\n", 0, 1, nullptr, {1, 0, 1, 0}},
        {"PLANE;0;A;1;0;0;0.5;4;\r\n", 0.25L, -0.75L, nullptr, {0, -0.75L, 1, 0.5L}},
        {"PLANE;1;0;A;1;0;0;4;\r\n", 1, 0, nullptr, {1, 0, 0, 0}},
        {"PLANE;0;0;1;0;0;0.5;4;\r\n", 0, 0, "-1.5", {-1.5L, 0, 1, 0.5L}},
    };
    for (const auto& row : rows) {
        TPlot3Win w{QStringLiteral("noname3.qz3")};
        TIntSSDlg* dialog = SearchSphereCut(w, row.plane, row.searchedAt);
        ASSERT_NE(dialog, nullptr) << row.plane;
        TLevelWin* trace = w.IntersectionWindow();
        const TExample& e = w.Inventory()[2];

        if (row.typedA) {
            ASSERT_TRUE(EditSecondExample(w, 211, row.typedA));
        } else {
            w.Formulas().SetVar(1, row.movedTo);
            w.ExampleChanged(1);
        }
        const auto [a, b, c, n] = row.abcn;
        if (c == 0) {
            EXPECT_TRUE(e.trajectories.empty()) << row.plane;
            EXPECT_EQ(dialog->ListedPositions().size(), e.trajectories.size());
            CloseUnsaved(w);
            continue;
        }
        // x^2 + y^2 + z^2 - 4 on the moved plane over (x, y).
        const auto residual = [&](long double x, long double y) {
            const long double z = n - (a * x + b * y) / c;
            return x * x + y * y + z * z - 4;
        };
        ASSERT_FALSE(e.trajectories.empty()) << row.plane;
        for (const examples::TTrajectory& t : e.trajectories)
            EXPECT_NEAR(static_cast<double>(residual(t.startX, t.startY)), 0, 1e-9) << row.plane;

        // The residual's gradient stays below 8 on these curves.
        const long double reach = 16 * trace->View().unitsPerPixelX;
        const int onCurve = CheckDrawnCurve(
            w, [&](canvas::WorldPoint p) { return std::fabs(residual(p.x, p.y)) <= reach; });
        EXPECT_GT(onCurve, 100) << row.plane;
        CloseUnsaved(w);
    }
}

// A parameter may move while a search of intersection curves runs (an animation frame comes
// between two of its key polls): the intersection is built again on the moved plane while the
// search still works on what it was built from, which must stay until the search is over.
TEST_F(IntersectionTest, AParameterMovedDuringASearchLeavesItsTreesInPlace) {
    TPlot3Win w{QStringLiteral("noname3.qz3")};
    TIntSSDlg* dialog = SearchSphereCut(w, "PLANE;A;0;1;0;0;0;4;\r\n", 0);
    ASSERT_NE(dialog, nullptr);
    TLevelWin& trace = *w.IntersectionWindow();
    trace.Output().noPolling = false;
    int asked = 0;
    trace.SetLevelSearchPoll(
        [&] {
            // The frame is handled by the window's own poll, as a timer's would be.
            const long double a = 0.25L * ++asked;
            QMetaObject::invokeMethod(
                &w,
                [&w, a] {
                    w.Formulas().SetVar(1, a);
                    w.ExampleChanged(1);
                },
                Qt::QueuedConnection);
            platform::PollKey(&trace);
            return asked == 4 ? kKeyStop : 'W';
        },
        TTimedPoll::Clock::duration::zero());
    w.Inventory()[2].LevelSearchUntilQ() = 1;
    dialog = w.IntersectionDialog();
    w.OpenIntersectionCurvesDialog(2);
    dialog->Press(TIntSSDlg::kSearch);
    trace.SetLevelSearchPoll({});
    EXPECT_EQ(asked, 4);
    // The curves kept lie on the sphere cut by z = -x (A = 1).
    for (const examples::TTrajectory& t : w.Inventory()[2].trajectories)
        EXPECT_NEAR(static_cast<double>(2 * t.startX * t.startX + t.startY * t.startY), 4, 1e-9);
    dialog->Press(platform::kIdOk);
    CloseUnsaved(w);
}

}  // namespace
}  // namespace quorlin::plot3d
