// The 2D levels in a window: Lagrange points picked with the mouse, an edited polynomial's points
// typed or deleted (at nine points and with none, in two windows at once, saved while picking),
// derived examples following their parents, the shading options of the Misc menu, the
// logarithmic window and the classes' menus.
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include "canvas/coordinate_dialog.h"
#include "core/errors.h"

#include "examples/levels/inventory_dialog.h"
#include "examples/plot_test_window.h"
#include "plot2d/plot2_win.h"
#include "resources/command_ids.h"
#include "support/curve_pixels.h"

namespace quorlin::plot2d {
namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;

class PlotLevelsTest : public quorlin::testing::PlotWindowTest {
protected:
    int Add(int kind, std::array<std::string_view, 5> texts) {
        win.AddExample(kind, -5, 5, texts);
        const int i = win.Inventory().LastIndex();
        win.CompileExample(i);
        return i;
    }
    void Click(platform::MouseButton button, long double x, long double y) {
        win.MouseDown({button, QPoint(win.XToScreen(x), win.YToScreen(y))});
    }
    // A right click on a picked point, `nudge` pixels off it, answered in "LAGPT" by `answer`,
    // which opens showing the point; how often the dialog ran.
    int RightClickOn(Vec2 point, const std::function<int(platform::Dialog&)>& answer,
                     QPoint nudge = {}) {
        int runs = 0;
        platform::ScopedDialogRunner runner([&](platform::Dialog& d) {
            ++runs;
            EXPECT_EQ(d.TemplateName(), "LAGPT");
            EXPECT_TRUE(d.IsControlShown(canvas::TEditCoorDlg::kDelete));
            EXPECT_EQ(d.GetText(canvas::TEditCoorDlg::kX).toStdString(),
                      win.Format().FormatNum(point.x));
            EXPECT_EQ(d.GetText(canvas::TEditCoorDlg::kY).toStdString(),
                      win.Format().FormatNum(point.y));
            return answer(d);
        });
        win.MouseDown({platform::MouseButton::Right,
                       QPoint(win.XToScreen(point.x), win.YToScreen(point.y)) + nudge});
        return runs;
    }
};

TEST_F(PlotLevelsTest, LagrangePointsArePickedWithTheMouse) {
    const int i = Add(k::kLagrange, {});
    win.EnterLagrangeMode(i, examples::TLagrangePicking::Afresh);
    EXPECT_EQ(win.MouseMode(), cmd::kMouseLagrange);
    for (const auto& [x, y] : {std::pair{-2, 4}, {0, 0}, {1, 1}})
        Click(platform::MouseButton::Left, x, y);
    Click(platform::MouseButton::Right, 3, -3);  // off the points: ends the picking
    EXPECT_EQ(win.MouseMode(), cmd::kMouseCoordinates);
    examples::TExample& e = win.Inventory()[i];
    ASSERT_EQ(e.LagrangeLastPoint(), 2);
    // The polynomial through the clicks (to a pixel) is about x^2.
    examples::LoadLagrangeCoefficients(e, win.Formulas());
    long double y = 0;
    ASSERT_TRUE(win.Formulas().EvalAtReal(*e.Tree(2), slot::kX, 2, y));
    EXPECT_NEAR((double)y, 4, 0.3);
    // Picking ended without a point keeps the points there were.
    win.EnterLagrangeMode(i, examples::TLagrangePicking::Afresh);
    win.SetMouseMode(cmd::kMouseCoordinates);
    EXPECT_EQ(win.Inventory()[i].LagrangeLastPoint(), 2);
}

// In the picking, a right click on a picked point opens it in "LAGPT": OK takes the typed point,
// "delete" removes it, Cancel leaves it; after each the polynomial goes through the points the
// example then has. A right click off the points still ends the picking.
TEST_F(PlotLevelsTest, APickedLagrangePointIsTypedOrDeletedInItsDialog) {
    const int i = Add(k::kLagrange, {});
    win.EnterLagrangeMode(i, examples::TLagrangePicking::Afresh);
    for (const auto& [x, y] : {std::pair{-2, 4}, {0, 0}, {1, 1}, {3, 2}})
        Click(platform::MouseButton::Left, x, y);
    examples::TExample& e = win.Inventory()[i];
    ASSERT_EQ(e.LagrangeLastPoint(), 3);
    const auto picked = [&e] {
        return std::vector<Vec3>(e.points.begin(), e.points.begin() + e.LagrangeLastPoint() + 1);
    };
    const struct {
        int point;
        const char *x, *y;
        int button;
        std::vector<int> kept;   // the points before the step that stay, in order
        long double newX, newY;  // where the typed point lies
    } rows[] = {
        {1, "1/2", "-5/4", platform::kIdOk, {0, 1, 2, 3}, 0.5L, -1.25L},
        {3, "9", "9", platform::kIdCancel, {0, 1, 2, 3}, 0, 0},
        {0, "7", "7", canvas::TEditCoorDlg::kDeleted, {1, 2, 3}, 0, 0},
        {1,
         "pi",
         "sqrt(2)",
         platform::kIdOk,
         {0, 1, 2},
         std::numbers::pi_v<long double>,
         std::sqrt(2.0L)},
        {2, "", "", canvas::TEditCoorDlg::kDeleted, {0, 1}, 0, 0},
    };
    for (const auto& row : rows) {
        const std::vector<Vec3> before = picked();
        const Vec3 target = before[static_cast<std::size_t>(row.point)];
        // A click a pixel right of and above the point reaches it.
        const int runs = RightClickOn(
            {target.x, target.y},
            [&](platform::Dialog& d) {
                d.SetText(canvas::TEditCoorDlg::kX, QString::fromLatin1(row.x));
                d.SetText(canvas::TEditCoorDlg::kY, QString::fromLatin1(row.y));
                return d.Press(row.button == canvas::TEditCoorDlg::kDeleted
                                   ? canvas::TEditCoorDlg::kDelete
                                   : row.button);
            },
            QPoint(1, -1));
        ASSERT_EQ(runs, 1) << row.x;
        EXPECT_EQ(win.MouseMode(), cmd::kMouseLagrange);
        const std::vector<Vec3> after = picked();
        ASSERT_EQ(after.size(), row.kept.size());
        for (std::size_t n = 0; n < row.kept.size(); ++n) {
            if (row.button == platform::kIdOk && row.kept[n] == row.point) {
                // The typed point, as the formula reader computes it.
                EXPECT_NEAR(static_cast<double>(after[n].x), static_cast<double>(row.newX), 1e-15);
                EXPECT_NEAR(static_cast<double>(after[n].y), static_cast<double>(row.newY), 1e-15);
                continue;
            }
            // The others are kept as they were, moved up past a deleted one.
            const Vec3 kept = before[static_cast<std::size_t>(row.kept[n])];
            EXPECT_EQ(after[n].x, kept.x) << row.x << " " << n;
            EXPECT_EQ(after[n].y, kept.y) << row.x << " " << n;
        }
        // The polynomial goes through every point the example has now.
        examples::LoadLagrangeCoefficients(e, win.Formulas());
        for (const Vec3& p : after) {
            long double y = 0;
            ASSERT_TRUE(win.Formulas().EvalAtReal(*e.Tree(2), slot::kX, p.x, y));
            EXPECT_NEAR(static_cast<double>(y), static_cast<double>(p.y), 1e-12) << row.x;
        }
    }
    EXPECT_TRUE(Errors().empty());
    Click(platform::MouseButton::Right, -4, -4);
    EXPECT_EQ(win.MouseMode(), cmd::kMouseCoordinates);
    EXPECT_EQ(win.Inventory()[i].LagrangeLastPoint(), 1);
}

// A polynomial made earlier (here by a pasted script), edited from the inventory: the picking
// starts from its points, so a right click on one opens it in "LAGPT". OK takes the retyped y,
// "delete" removes a point; each time the polynomial is the Lagrange interpolant of the points
// it then has, and ending the picking keeps them.
struct EditedPolynomialRow {
    const char* script;
    std::vector<Vec2> points;  // the script's, at unequal spacings
    const char* typedY;        // for the second point
    long double newY;
    int deleted;  // the point deleted afterwards
};

class LagrangeEditTest : public PlotLevelsTest {
protected:
    LagrangeEditTest() { win.Create(); }
    // Presses "edit" in the inventory dialog with example i selected.
    void EditFromTheInventory(int i) { EditFromTheInventory(win, i); }
    static void EditFromTheInventory(plot2d::TPlot2Win& window, int i) {
        window.SendCommand(cmd::kInventory);
        examples::TFnListDlg& d = *window.InventoryDialog();
        d.SetSelectedIndex(examples::invent::kList, -1);
        d.SetLineSelected(examples::invent::kList, i, true);
        d.OnNotify(examples::invent::kList, platform::Notification::SelectionChanged);
        d.Press(examples::invent::kEdit);
    }
    static QByteArray FileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The window's diagram saved now and opened in a second window.
    std::unique_ptr<plot2d::TPlot2Win> SavedAndReopened() {
        const QString path = dir.filePath(QStringLiteral("lagrange.qz2"));
        EXPECT_TRUE(win.SaveTo(path));
        auto second = std::make_unique<plot2d::TPlot2Win>(QStringLiteral("noname2.qz2"));
        second->SizeChanged(401, 401);
        second->Create();
        EXPECT_EQ(second->Load(path), kNoError);
        return second;
    }
    // The points of example i and its polynomial against the interpolant through `expected`.
    void ExpectPolynomialThrough(int i, const std::vector<Vec2>& expected) {
        ExpectPolynomialThrough(win, i, expected);
    }
    // The same in another window.
    static void ExpectPolynomialThrough(plot2d::TPlot2Win& window, int i,
                                        const std::vector<Vec2>& expected) {
        examples::TExample& e = window.Inventory()[i];
        ASSERT_EQ(e.LagrangeLastPoint() + 1, static_cast<int>(expected.size()));
        for (std::size_t n = 0; n < expected.size(); ++n) {
            EXPECT_EQ(e.points[n].x, expected[n].x) << n;
            EXPECT_NEAR(static_cast<double>(e.points[n].y), static_cast<double>(expected[n].y),
                        1e-15)
                << n;
        }
        examples::LoadLagrangeCoefficients(e, window.Formulas());
        for (const long double x : {-4.2L, -2.5L, -0.3L, 0.7L, 1.9L, 3.6L}) {
            long double interpolant = 0;
            for (std::size_t j = 0; j < expected.size(); ++j) {
                long double term = expected[j].y;
                for (std::size_t m = 0; m < expected.size(); ++m)
                    if (m != j) term *= (x - expected[m].x) / (expected[j].x - expected[m].x);
                interpolant += term;
            }
            long double y = 0;
            ASSERT_TRUE(window.Formulas().EvalAtReal(*e.Tree(2), slot::kX, x, y));
            EXPECT_NEAR(static_cast<double>(y), static_cast<double>(interpolant),
                        1e-11 * std::max(1.0L, std::fabs(interpolant)))
                << static_cast<double>(x);
        }
    }

    QTemporaryDir dir;
};

TEST_F(LagrangeEditTest, AnEditedPolynomialsPointsAreTypedOrDeletedInTheirDialog) {
    const EditedPolynomialRow rows[] = {
        {"LAGRANGE;3;-2.5;1;0.5;-1.5;1.75;2;",
         {{-2.5L, 1}, {0.5L, -1.5L}, {1.75L, 2}},
         "3/4",
         0.75L,
         0},
        {"LAGRANGE;5;-3.5;2;-1;-0.5;0.25;1.25;2;3;3.25;-2;",
         {{-3.5L, 2}, {-1, -0.5L}, {0.25L, 1.25L}, {2, 3}, {3.25L, -2}},
         "-sqrt(5)",
         -std::sqrt(5.0L),
         3},
    };
    for (const EditedPolynomialRow& row : rows) {
        SCOPED_TRACE(row.script);
        Paste(row.script);
        const int i = win.Inventory().LastIndex();
        ASSERT_TRUE(win.Inventory()[i].IsLagrangeExplicit());
        ExpectPolynomialThrough(i, row.points);
        EditFromTheInventory(i);
        ASSERT_EQ(win.MouseMode(), cmd::kMouseLagrange);
        ExpectPolynomialThrough(i, row.points);  // the picking starts from its points

        std::vector<Vec2> points = row.points;
        EXPECT_EQ(RightClickOn(points[1],
                               [&row](platform::Dialog& d) {
                                   d.SetText(canvas::TEditCoorDlg::kY,
                                             QString::fromLatin1(row.typedY));
                                   return d.Press(platform::kIdOk);
                               }),
                  1);
        EXPECT_EQ(win.MouseMode(), cmd::kMouseLagrange);
        points[1].y = row.newY;
        ExpectPolynomialThrough(i, points);

        const Vec2 gone = points[static_cast<std::size_t>(row.deleted)];
        EXPECT_EQ(
            RightClickOn(
                gone, [](platform::Dialog& d) { return d.Press(canvas::TEditCoorDlg::kDelete); }),
            1);
        points.erase(points.begin() + row.deleted);
        ExpectPolynomialThrough(i, points);

        Click(platform::MouseButton::Right, 4.5L, -4.5L);  // off the points: the picking ends
        EXPECT_EQ(win.MouseMode(), cmd::kMouseCoordinates);
        ExpectPolynomialThrough(i, points);
        // The file keeps the points as edited, and the window that opened it saves it again
        // to the byte.
        const std::unique_ptr<plot2d::TPlot2Win> reopened = SavedAndReopened();
        ASSERT_TRUE(reopened->Inventory().IsIndex(i));
        ExpectPolynomialThrough(*reopened, i, points);
        const QString again = dir.filePath(QStringLiteral("again.qz2"));
        ASSERT_TRUE(reopened->SaveTo(again));
        EXPECT_EQ(FileBytes(again), FileBytes(dir.filePath(QStringLiteral("lagrange.qz2"))));
    }
    EXPECT_TRUE(Errors().empty());
}

// An edited polynomial at the limits. With nine points, the most, a left click adds none and
// the picking goes on; once one is deleted in "LAGPT", the next click is the ninth and ends it.
// With every point deleted, ending the picking gives the polynomial back the points it had.
TEST_F(LagrangeEditTest, AnEditedPolynomialAtTheLimits) {
    Paste("LAGRANGE;9;-4.5;1;-3.25;2;-2;-1.5;-1.25;0.5;0;2.5;0.75;-0.25;1.5;1;2.75;3;4;-2;");
    const int nine = win.Inventory().LastIndex();
    std::vector<Vec2> points = {{-4.5L, 1},     {-3.25L, 2}, {-2, -1.5L},
                                {-1.25L, 0.5L}, {0, 2.5L},   {0.75L, -0.25L},
                                {1.5L, 1},      {2.75L, 3},  {4, -2}};
    ExpectPolynomialThrough(nine, points);
    EditFromTheInventory(nine);
    ASSERT_EQ(win.MouseMode(), cmd::kMouseLagrange);
    Click(platform::MouseButton::Left, 3.5L, 4.5L);
    EXPECT_EQ(win.MouseMode(), cmd::kMouseLagrange);
    ExpectPolynomialThrough(nine, points);
    EXPECT_EQ(
        RightClickOn(points[5],
                     [](platform::Dialog& d) { return d.Press(canvas::TEditCoorDlg::kDelete); }),
        1);
    points.erase(points.begin() + 5);
    ExpectPolynomialThrough(nine, points);
    Click(platform::MouseButton::Left, 3.5L, 4.5L);
    EXPECT_EQ(win.MouseMode(), cmd::kMouseCoordinates);  // the ninth point ends the picking
    const Vec3 ninth = win.Inventory()[nine].points[8];
    EXPECT_NEAR(static_cast<double>(ninth.x), 3.5, 0.03);
    EXPECT_NEAR(static_cast<double>(ninth.y), 4.5, 0.03);
    points.push_back({ninth.x, ninth.y});
    ExpectPolynomialThrough(nine, points);

    Paste("LAGRANGE;2;-1.5;3;2.5;-0.5;");
    const int two = win.Inventory().LastIndex();
    const std::vector<Vec2> made = {{-1.5L, 3}, {2.5L, -0.5L}};
    EditFromTheInventory(two);
    for (const Vec2 p : made)
        EXPECT_EQ(
            RightClickOn(
                p, [](platform::Dialog& d) { return d.Press(canvas::TEditCoorDlg::kDelete); }),
            1);
    EXPECT_EQ(win.Inventory()[two].LagrangeLastPoint(), -1);
    EXPECT_EQ(win.MouseMode(), cmd::kMouseLagrange);
    Click(platform::MouseButton::Right, -4.5L, -4.5L);  // off the points: the picking ends
    EXPECT_EQ(win.MouseMode(), cmd::kMouseCoordinates);
    ExpectPolynomialThrough(two, made);
    EXPECT_TRUE(Errors().empty());
}

// Two windows pick the points of their own polynomials at once: a click in one reaches its
// polynomial only, and "LAGPT" shows the point clicked in that window. The second window closed
// while it picks leaves the first picking on.
TEST_F(LagrangeEditTest, TwoWindowsPickTheirOwnPointsAtOnce) {
    Paste("LAGRANGE;3;-2.5;1;0.5;-1.5;1.75;2;");
    auto other = std::make_unique<plot2d::TPlot2Win>(QStringLiteral("noname2.qz2"));
    other->SizeChanged(321, 241);
    other->Create();
    clipboard.SetText(QStringLiteral("LAGRANGE;4;-3.5;2;-1;-0.5;0.25;1.25;3.25;-2;"));
    ASSERT_TRUE(other->SendCommand(cmd::kPasteScript));
    std::vector<Vec2> mine = {{-2.5L, 1}, {0.5L, -1.5L}, {1.75L, 2}};
    std::vector<Vec2> theirs = {{-3.5L, 2}, {-1, -0.5L}, {0.25L, 1.25L}, {3.25L, -2}};
    EditFromTheInventory(0);
    EditFromTheInventory(*other, 0);
    ASSERT_EQ(win.MouseMode(), cmd::kMouseLagrange);
    ASSERT_EQ(other->MouseMode(), cmd::kMouseLagrange);

    // The other window's third point, retyped there.
    int runs = 0;
    {
        platform::ScopedDialogRunner runner([&](platform::Dialog& d) {
            ++runs;
            EXPECT_EQ(d.GetText(canvas::TEditCoorDlg::kX).toStdString(),
                      other->Format().FormatNum(theirs[2].x));
            EXPECT_EQ(d.GetText(canvas::TEditCoorDlg::kY).toStdString(),
                      other->Format().FormatNum(theirs[2].y));
            d.SetText(canvas::TEditCoorDlg::kY, QStringLiteral("-7/4"));
            return d.Press(platform::kIdOk);
        });
        other->MouseDown({platform::MouseButton::Right,
                          QPoint(other->XToScreen(theirs[2].x), other->YToScreen(theirs[2].y))});
    }
    EXPECT_EQ(runs, 1);
    theirs[2].y = -1.75L;
    ExpectPolynomialThrough(*other, 0, theirs);
    ExpectPolynomialThrough(0, mine);

    // A point added here: the other polynomial keeps its four.
    Click(platform::MouseButton::Left, -4, -3);
    ASSERT_EQ(win.Inventory()[0].LagrangeLastPoint(), 3);
    const Vec3 added = win.Inventory()[0].points[3];
    mine.push_back({added.x, added.y});
    ExpectPolynomialThrough(0, mine);
    ExpectPolynomialThrough(*other, 0, theirs);

    other.reset();  // closed while it picks
    EXPECT_EQ(
        RightClickOn(mine[1],
                     [](platform::Dialog& d) { return d.Press(canvas::TEditCoorDlg::kDelete); }),
        1);
    mine.erase(mine.begin() + 1);
    ExpectPolynomialThrough(0, mine);
    Click(platform::MouseButton::Right, 4.5L, -4.5L);
    EXPECT_EQ(win.MouseMode(), cmd::kMouseCoordinates);
    ExpectPolynomialThrough(0, mine);
    EXPECT_TRUE(Errors().empty());
}

// Saved while its points are picked, a polynomial that has none yet (picked afresh, or edited
// and every point deleted) is written with the points ending the picking would leave it: the
// ones it had. A record without a point could not be opened again. The picking goes on.
struct SavedWhilePickingRow {
    const char* name;
    examples::TLagrangePicking start;
    int deleted;                   // points deleted in "LAGPT" before the save, first to last
    std::vector<Vec2> saved;       // what the file holds
    std::vector<Vec2> afterwards;  // what the polynomial has when the picking ends
};

TEST_F(LagrangeEditTest, ADiagramSavedWhilePickingOpensAgain) {
    const std::vector<Vec2> made = {{-3.5L, 2}, {-1, -0.5L}, {0.25L, 1.25L}, {3.25L, -2}};
    const Vec2 click{1.5L, -2.5L};
    const SavedWhilePickingRow rows[] = {
        {"afresh, no point yet", examples::TLagrangePicking::Afresh, 0, made, {click}},
        {"edited, every point deleted",
         examples::TLagrangePicking::FromItsPoints,
         4,
         made,
         {click}},
        {"edited, one point deleted",
         examples::TLagrangePicking::FromItsPoints,
         1,
         {made.begin() + 1, made.end()},
         {made[1], made[2], made[3], click}},
    };
    for (const SavedWhilePickingRow& row : rows) {
        SCOPED_TRACE(row.name);
        Paste("LAGRANGE;4;-3.5;2;-1;-0.5;0.25;1.25;3.25;-2;");
        const int i = win.Inventory().LastIndex();
        if (row.start == examples::TLagrangePicking::Afresh)
            win.EnterLagrangeMode(i, row.start);
        else
            EditFromTheInventory(i);
        ASSERT_EQ(win.MouseMode(), cmd::kMouseLagrange);
        for (int n = 0; n < row.deleted; ++n)
            EXPECT_EQ(RightClickOn(made[static_cast<std::size_t>(n)],
                                   [](platform::Dialog& d) {
                                       return d.Press(canvas::TEditCoorDlg::kDelete);
                                   }),
                      1);
        const int picked = win.Inventory()[i].LagrangeLastPoint();

        const std::unique_ptr<plot2d::TPlot2Win> reopened = SavedAndReopened();
        ASSERT_TRUE(reopened->Inventory().IsIndex(i));
        ExpectPolynomialThrough(*reopened, i, row.saved);
        EXPECT_EQ(win.MouseMode(), cmd::kMouseLagrange);
        EXPECT_EQ(win.Inventory()[i].LagrangeLastPoint(), picked);

        Click(platform::MouseButton::Left, click.x, click.y);
        Click(platform::MouseButton::Right, 4.5L, 4.5L);  // off the points: the picking ends
        EXPECT_EQ(win.MouseMode(), cmd::kMouseCoordinates);
        examples::TExample& e = win.Inventory()[i];
        ASSERT_EQ(e.LagrangeLastPoint() + 1, static_cast<int>(row.afterwards.size()));
        for (std::size_t n = 0; n < row.afterwards.size(); ++n) {
            // A clicked point lies within a pixel of where the click was.
            EXPECT_NEAR(static_cast<double>(e.points[n].x),
                        static_cast<double>(row.afterwards[n].x), 0.03)
                << n;
            EXPECT_NEAR(static_cast<double>(e.points[n].y),
                        static_cast<double>(row.afterwards[n].y), 0.03)
                << n;
        }
    }
    EXPECT_TRUE(Errors().empty());
}

TEST_F(PlotLevelsTest, DerivedExamplesFollowTheirParents) {
    const int f = Add(k::kExplicit, {"", "cos(x)"});
    examples::TExample& integral = win.AddExample(k::kIntegral, -5, 5, {"0"});
    const int i = win.Inventory().LastIndex();
    integral.derivation = 73;
    integral.parent = {static_cast<std::int16_t>(f), -1};
    win.UpdateDependents(f);
    QImage image = Picture();
    for (long double x : {1.0L, 2.0L, -2.0L})
        EXPECT_TRUE(InkAt(image, x, std::sin(x), ColourOf(i))) << (double)x;
    // The parent becomes -sin: its antiderivative from 0 is cos x - 1.
    win.Inventory()[f].Text(2) = "-sin(x)";
    win.CompileExample(f);
    win.UpdateDependents(f);
    image = Picture();
    EXPECT_TRUE(InkAt(image, 2, std::cos(2.0L) - 1, ColourOf(i)));
    EXPECT_FALSE(InkAt(image, 2, std::sin(2.0L), ColourOf(i)));
}

TEST_F(PlotLevelsTest, ShadingsFollowTheirExamplesAndTheMiscMenuSetsTheirOptions) {
    Add(k::kExplicit, {"", "x"});
    const int f = Add(k::kExplicit, {"", "x^2"});
    const int g = Add(k::kExplicit, {"", "1"});
    win.State2D().shades = {{static_cast<std::int16_t>(f), static_cast<std::int16_t>(g)},
                            {0, TShadeRecord::kAbove}};
    const auto pair = [&] {
        return std::pair(win.State2D().shades[0].first, win.State2D().shades[0].second);
    };
    win.DeleteExamples(std::vector<int>{0});
    ASSERT_EQ(win.State2D().shades.size(), 1u);  // the shading of the removed example went
    EXPECT_EQ(pair(), (std::pair<std::int16_t, std::int16_t>(0, 1)));
    ASSERT_TRUE(win.SwapExamples(0, 1));
    EXPECT_EQ(pair(), (std::pair<std::int16_t, std::int16_t>(1, 0)));
    // The shading options of the Misc menu.
    ASSERT_TRUE(win.SendCommand(cmd::kFillExplicit));
    EXPECT_TRUE(win.Options().fillExplicit);
    ASSERT_TRUE(win.SendCommand(cmd::kShadeXor));
    EXPECT_EQ(win.Options().shadingMode, cmd::kShadeXor);
    ASSERT_TRUE(win.SendCommand(cmd::kInfiniteSlopes));
    EXPECT_FALSE(win.Tracer().infiniteSlopes);
}

// The classes' menus; the logarithmic window draws on its logarithmic axis.
TEST(WindowClasses, EachHasItsMenuAndTheLogWindowDrawsOnItsAxis) {
    NewWindowRequest request;
    request.fileName = QStringLiteral("noname1.qz2");
    std::unique_ptr<platform::Window> planets(CreatePlanetsWindow(request));
    ASSERT_NE(planets->Menu(), nullptr);
    EXPECT_EQ(planets->Menu()->name, "PLANETSMENU");
    std::unique_ptr<platform::Window> plot(CreatePlot2Window(request));
    EXPECT_EQ(plot->Menu()->name, "PLOT2MENU");
    request.fileName = QStringLiteral("noname1.lqz");
    request.logMode = canvas::kLogY;
    std::unique_ptr<platform::Window> window(CreateLogWindow(request));
    EXPECT_EQ(window->Menu()->name, "LOGMENU");
    auto& win = dynamic_cast<TLogWin&>(*window);
    EXPECT_EQ(win.View().logMode, canvas::kLogY);
    EXPECT_TRUE(win.PointMapping().readoutMaps);
    win.SizeChanged(401, 401);
    win.AddExample(k::kExplicit, -5, 5, {"", "x"});
    win.CompileExample(0);
    win.InvalidateImage(ImageLayer::Background);
    win.RenderImage(ImageLayer::Picture);
    const QImage& image = win.Image(ImageLayer::Picture);
    const QRgb colour = win.OutputColor(win.DrawColor(win.Inventory()[0].pen.colour)).rgb();
    for (long double x : {1.0L, 3.0L, 0.05L})  // y = x, on the logarithmic axis
        EXPECT_TRUE(quorlin::testing::InkNear(win, image, x, std::log10(x), colour)) << (double)x;
}

}  // namespace
}  // namespace quorlin::plot2d
