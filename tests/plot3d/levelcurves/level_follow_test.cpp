// Level curves of a 3D window following their surface through a parameter as a user moves it:
// slides of the parameter stopped with Q, and circles that grow past the sides of the box. Each
// start is checked on its closed-form circle, and the level window's drawing on it.
#include <QApplication>
#include <QKeyEvent>

#include <cmath>
#include <cstddef>
#include <numbers>
#include <tuple>
#include <utility>
#include <vector>

#include "dynamics/trajectory_actions.h"
#include "plot3d/levelcurves/level_dialog.h"
#include "plot3d/levelcurves/level_window.h"
#include "plot3d/plot3_fixture.h"

namespace quorlin::plot3d {
namespace {

constexpr int kLetterB = 2;

class LevelFollowTest : public Plot3WindowTest {
protected:
    LevelFollowTest() { QFile::remove(platform::ConfigFilePath(QStringLiteral("lev.ini"))); }
    ~LevelFollowTest() override { CloseUnsaved(win); }

    // z = x^2 + y^2 + B over x in [-3, 3], y in [-2.75, 3.25] at B = 0, its levels 1 and 4 found
    // by "auto" (circles of radius 1 and 2); the level dialog.
    TLevelDlg& BowlWithLevelsOneAndFour() {
        win.Formulas().SetVar(kLetterB, 0);
        OpenAndPaste(win, "EXPL3;x^2+y^2+B;-3;3;-2.75;3.25;\r\n");
        win.RecomputeAllBoxes();
        win.Roles().SetRole(examples::kRoleTrajectory, 4);
        win.OpenLevelsDialog(0);
        TLevelDlg& d = *win.LevelDialog();
        d.SetText(TLevelDlg::kLow, QStringLiteral("1"));
        d.SetText(TLevelDlg::kHigh, QStringLiteral("4"));
        d.SetText(TLevelDlg::kCurrent, QStringLiteral("1"));
        d.SetText(TLevelDlg::kCount, QStringLiteral("2"));
        d.Press(TLevelDlg::kAuto);
        return d;
    }
    const examples::TrajectoryList& Curves() const { return win.Inventory()[0].trajectories; }
    // How many curves start at the level.
    int CountAt(long double level) const {
        int n = 0;
        for (const examples::TTrajectory& t : Curves()) n += t.startZ == level ? 1 : 0;
        return n;
    }
    // The pixels the level window draws for the level ("see curr"), each within two pixels of
    // the circle of the radius; their number.
    int DrawnOnCircle(TLevelDlg& d, const char* level, long double radius) {
        d.SetText(TLevelDlg::kCurrent, QString::fromLatin1(level));
        d.Press(TLevelDlg::kSeeCurrent);
        TLevelWin& levels = *win.LevelWindow();
        const long double reach = 2 * levels.View().unitsPerPixelX;
        return CheckDrawnCurvePixels(levels, [&](canvas::WorldPoint p) {
            return std::fabs(std::hypot(p.x, p.y) - radius) <= reach;
        });
    }

    // z = x^2 + y^2 + B as above at B = 0, its level window at z = 4 with no curves yet.
    TLevelWin& BowlAtLevelFour() {
        win.Formulas().SetVar(kLetterB, 0);
        OpenAndPaste(win, "EXPL3;x^2+y^2+B;-3;3;-2.75;3.25;\r\n");
        win.RecomputeAllBoxes();
        win.Roles().SetRole(examples::kRoleTrajectory, 4);
        TLevelRequest request;
        request.example = 0;
        request.value = 4;
        win.ShowLevel(request);
        return *win.LevelWindow();
    }
    // B set and the window told, as a moved parameter does.
    void MoveB(long double b) {
        win.Formulas().SetVar(kLetterB, b);
        win.ExampleChanged(kLetterB);
    }
    // The level window's picture drawn afresh, every pixel of the curves' colour within two
    // pixels of the circle of the radius; of the circle's points at every 5 degrees that lie in
    // the box more than 0.08 (over 3 pixels) inside its sides, how many there are and how many
    // have such a pixel within 2 pixels.
    std::pair<int, int> CirclePointsInBoxInked(TLevelWin& levels, long double radius) {
        const long double pixel = levels.View().unitsPerPixelX;
        CheckDrawnCurvePixels(levels, [&](canvas::WorldPoint p) {
            return std::fabs(std::hypot(p.x, p.y) - radius) <= 2 * pixel;
        });
        const QImage image = levels.Image(ImageLayer::Picture);
        const QRgb curve = levels.OutputColor(levels.DrawColor(4)).rgb();
        const examples::TExample& e = win.Inventory()[0];
        const long double margin = 0.08L;
        EXPECT_LE(3 * pixel, margin);
        int inBox = 0;
        int inked = 0;
        for (int k = 0; k < 72; ++k) {
            const long double a = k * std::numbers::pi_v<long double> / 36;
            const canvas::WorldPoint p{radius * std::cos(a), radius * std::sin(a)};
            if (p.x < e.boxMin.x + margin || p.x > e.boxMax.x - margin ||
                p.y < e.boxMin.y + margin || p.y > e.boxMax.y - margin)
                continue;
            ++inBox;
            QPoint at;
            if (!levels.View().PointToScreen(p, at)) continue;
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                for (int dx = -2; dx <= 2 && !found; ++dx) {
                    const QPoint q = at + QPoint(dx, dy);
                    found = image.valid(q) && image.pixel(q) == curve;
                }
            inked += found ? 1 : 0;
        }
        return {inBox, inked};
    }

    TPlot3Win win{QStringLiteral("noname4.qz3")};
};

// B slid from 0 to 3.96 in four steps, the slides stopped with Q: B is 0 again, and the level-4
// circle, of radius 0.2 on the last slide, comes back to radius 2 on its records and in the level
// window; level 1, which the surface left at B = 0.99, has lost its curves.
TEST_F(LevelFollowTest, QAfterSlidesBringsALevelCurveBackFromItsSmallestCircle) {
    TLevelDlg& d = BowlWithLevelsOneAndFour();
    const int fours = CountAt(4);
    ASSERT_GT(fours, 0);
    win.Formulas().params.left[kLetterB] = 0;
    win.Formulas().params.right[kLetterB] = 3.96L;
    win.PlaySlides(kLetterB, false, 4);
    ASSERT_TRUE(win.IsPlaying());
    QKeyEvent q(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, QStringLiteral("q"));
    QApplication::sendEvent(&win, &q);
    ASSERT_FALSE(win.IsPlaying());
    ASSERT_EQ(win.Formulas().Var(kLetterB), 0);

    EXPECT_EQ(CountAt(1), 0);
    EXPECT_EQ(CountAt(4), fours);
    EXPECT_EQ(Curves().size(), static_cast<std::size_t>(fours));
    for (const examples::TTrajectory& t : Curves())
        EXPECT_NEAR(static_cast<double>(std::hypot(t.startX, t.startY)), 2, 1e-12);
    EXPECT_GT(DrawnOnCircle(d, "4", 2), 50);
}

// B = -14: the circles of levels 1 and 4 grow to radii sqrt 15 and sqrt 18, and each crosses
// every side of the surface's box (its domain widened by a tenth of each side: x in [-3.6, 3.6],
// y in [-3.35, 3.85]), so the circle's point nearest a start may lie beyond a side while arcs of
// it stays in the box. Every curve stays, its start on its circle and in the box, and what the
// level window draws lies on the circles (a curve is traced one way from its start, so a start
// moved onto a side sits where its arc comes into the box); a file saved then holds the moved
// starts. Back at B = 0 every curve is its whole circle again, of radius 1 or 2.
TEST_F(LevelFollowTest, CirclesGrownPastTheSidesKeepTheirCurvesAndComeBack) {
    TLevelDlg& d = BowlWithLevelsOneAndFour();
    const std::size_t found = Curves().size();
    const int ones = CountAt(1);
    ASSERT_GT(ones, 0);
    ASSERT_GT(CountAt(4), 0);
    win.Formulas().SetVar(kLetterB, -14);
    win.ExampleChanged(kLetterB);

    const examples::TExample& e = win.Inventory()[0];
    ASSERT_NEAR(static_cast<double>(e.boxMin.x), -3.6, 1e-15);
    ASSERT_NEAR(static_cast<double>(e.boxMax.x), 3.6, 1e-15);
    ASSERT_NEAR(static_cast<double>(e.boxMin.y), -3.35, 1e-15);
    ASSERT_NEAR(static_cast<double>(e.boxMax.y), 3.85, 1e-15);
    ASSERT_EQ(Curves().size(), found);
    EXPECT_EQ(CountAt(1), ones);
    for (const examples::TTrajectory& t : Curves()) {
        EXPECT_NEAR(static_cast<double>(std::hypot(t.startX, t.startY)),
                    static_cast<double>(std::sqrt(t.startZ + 14)), 1e-12)
            << static_cast<double>(t.startZ);
        EXPECT_TRUE(t.startX >= e.boxMin.x && t.startX <= e.boxMax.x && t.startY >= e.boxMin.y &&
                    t.startY <= e.boxMax.y)
            << static_cast<double>(t.startX) << "," << static_cast<double>(t.startY);
    }
    DrawnOnCircle(d, "1", std::sqrt(15.0L));
    DrawnOnCircle(d, "4", std::sqrt(18.0L));

    // The file saved now holds the moved starts, to the last bit.
    TPlot3Win other{QString()};
    ASSERT_TRUE(SaveAndOpenIn(win, other, QStringLiteral("grown.qz3")));
    ASSERT_EQ(other.Inventory().Count(), 1);
    const examples::TrajectoryList& read = other.Inventory()[0].trajectories;
    ASSERT_EQ(read.size(), found);
    for (std::size_t n = 0; n < found; ++n)
        EXPECT_EQ(std::tuple(read[n].startX, read[n].startY, read[n].startZ),
                  std::tuple(Curves()[n].startX, Curves()[n].startY, Curves()[n].startZ));
    CloseUnsaved(other);

    win.Formulas().SetVar(kLetterB, 0);
    win.ExampleChanged(kLetterB);
    ASSERT_EQ(Curves().size(), found);
    for (const examples::TTrajectory& t : Curves())
        EXPECT_NEAR(static_cast<double>(std::hypot(t.startX, t.startY)),
                    static_cast<double>(std::sqrt(t.startZ)), 1e-12);
    EXPECT_GT(DrawnOnCircle(d, "1", 1), 50);
    EXPECT_GT(DrawnOnCircle(d, "4", 2), 50);
}

// The bowl with one level curve at z = 4, the circle of radius 2 at B = 0, of one record: from
// -100 degrees traced forward (counter-clockwise, along (-2y, 2x)), or from -80 degrees traced
// backward. B = -8.25 grows the circle to radius 3.5, past the box's bottom side y = -3.35 only,
// which it crosses at (+-1.0275^0.5, -3.35); the circle's point nearest the start lies beyond
// that side, and at the crossing nearest it the record's way leads out of the box. The level
// window draws the whole arc in the box (all of the circle's points in the box, sampled every 5
// degrees, inked; no pixel of the curves' colour off the circle); back at B = 0, the whole circle.
TEST_F(LevelFollowTest, ACircleGrownPastOneSideDrawsItsArcInTheBoxEitherWay) {
    TLevelWin& levels = BowlAtLevelFour();
    const struct {
        long double degrees;
        int direction;
    } rows[] = {{-100, 1}, {-80, -1}};
    for (const auto& row : rows) {
        MoveB(0);
        examples::TExample& e = win.Inventory()[0];
        e.trajectories.clear();
        const long double a = row.degrees * std::numbers::pi_v<long double> / 180;
        examples::TTrajectoryStart start;
        start.start = {2 * std::cos(a), 2 * std::sin(a), 4};
        start.direction = row.direction;
        const auto selectors = dynamics::LevelCurveSelectors(slot::kZ, e);
        start.fieldTrees = {selectors[0], selectors[1], selectors[2]};
        start.method = slot::kZ;
        win.AddTrajectory(0, start);
        const auto [whole, wholeInked] = CirclePointsInBoxInked(levels, 2);
        ASSERT_EQ(whole, 72) << row.degrees;
        ASSERT_EQ(wholeInked, 72) << row.degrees;

        MoveB(-8.25L);
        ASSERT_EQ(Curves().size(), 1u) << row.degrees;
        EXPECT_EQ(Curves()[0].startY, e.boxMin.y) << row.degrees;
        // The other crossing, where the way leads in: on the right going counter-clockwise.
        EXPECT_NEAR(static_cast<double>(Curves()[0].startX), row.direction * std::sqrt(1.0275),
                    1e-12)
            << row.degrees;
        const auto [arc, arcInked] = CirclePointsInBoxInked(levels, 3.5L);
        // Of the points, those with 3.5 sin a >= -3.35 + 0.08, that is all but the 9 from -110
        // to -70 degrees.
        EXPECT_EQ(arc, 63) << row.degrees;
        EXPECT_EQ(arcInked, arc) << row.degrees;

        MoveB(0);
        ASSERT_EQ(Curves().size(), 1u) << row.degrees;
        EXPECT_NEAR(static_cast<double>(std::hypot(Curves()[0].startX, Curves()[0].startY)), 2,
                    1e-12)
            << row.degrees;
        const auto [back, backInked] = CirclePointsInBoxInked(levels, 2);
        EXPECT_EQ(back, 72) << row.degrees;
        EXPECT_EQ(backInked, 72) << row.degrees;
    }
}

}  // namespace
}  // namespace quorlin::plot3d
