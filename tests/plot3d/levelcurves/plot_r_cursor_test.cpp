// The level window's cursor in the 3D picture: the point on the surface and the level curve
// through it drawn over the saved picture, where the closed form puts them, and the window,
// the example and its curve list as they were afterwards, also when Q stopped the trace; the 3D
// window paints again when the level window closes in the cursor mode, by its title bar too.
#include <QCoreApplication>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot3d/levelcurves/level_window.h"
#include "plot3d/plot3_fixture.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;

constexpr int kCurveColour = 33;
constexpr int kPointColour = 12;

class CursorIn3DTest : public Plot3WindowTest {
protected:
    CursorIn3DTest() { QFile::remove(platform::ConfigFilePath(QStringLiteral("lev.ini"))); }
    ~CursorIn3DTest() override { CloseUnsaved(win); }

    // z = x^2 + y^2 over [-2, 2]^2 (z from 0 up: its box is widened below 0), the level
    // window's cursor at (1, 1), on the level z = 2.
    TLevelWin& CursorAt11() {
        TLevelWin& w = ShowBowlLevel(win, 7);
        w.SendCommand(cmd::kMouseCursor);
        w.SetParentRedraw([] {});
        w.Roles().SetRole(examples::kRoleTrajectory, kCurveColour);
        w.Roles().SetRole(1, kPointColour);
        w.MoveCursorTo(1, 1);
        win.InvalidateImage(ImageLayer::Background);
        win.RenderImage(ImageLayer::Picture);
        return w;
    }
    QImage PaintedOver() {
        QImage image = win.Image(ImageLayer::Picture).copy();
        platform::DeviceContext dc(image);
        win.PaintPrepared(dc);
        return image;
    }
    QRgb Colour(TLevelWin& w, int index) { return w.OutputColor(w.DrawColor(index)).rgb(); }
    QPointF Pixel(Vec3 p) {
        const Vec2 q = win.ProjectPoint(p);
        const canvas::PixelMapping m = win.View().Mapping();
        return {static_cast<double>(m.XToPixel(q.x)), static_cast<double>(m.YToPixel(q.y))};
    }
    static std::vector<QPoint> PixelsOf(const QImage& image, QRgb colour) {
        std::vector<QPoint> found;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == colour) found.emplace_back(x, y);
        return found;
    }

    // Everything the trace may touch for its time.
    struct State {
        std::size_t curves;
        Vec3 boxMin, boxMax;
        examples::TSceneBox scene;
        examples::TTracerSettings tracer;
        examples::TLevelSettings level;
        std::int16_t newCurves;
        Vec3 eye;
        TVariableTable vars;
        bool operator==(const State& o) const {
            const auto same = [](Vec3 a, Vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; };
            return curves == o.curves && same(boxMin, o.boxMin) && same(boxMax, o.boxMax) &&
                   same(scene.min, o.scene.min) && same(scene.max, o.scene.max) &&
                   same(scene.centre, o.scene.centre) && same(scene.scale, o.scene.scale) &&
                   tracer == o.tracer && level == o.level && newCurves == o.newCurves &&
                   same(eye, o.eye) && vars.value == o.vars.value;
        }
    };
    State Now() {
        const examples::TExample& e = win.Inventory()[0];
        return {e.trajectories.size(),
                e.boxMin,
                e.boxMax,
                win.SceneBox(),
                win.Tracer(),
                win.Level(),
                win.Roles().Role(examples::kRoleTrajectory),
                win.Observer().eye,
                win.Formulas().vars};
    }

    TPlot3Win win{QStringLiteral("noname1.qz3")};
};

TEST_F(CursorIn3DTest, TheCurveThroughTheCursorLiesOnItsLevelInThePicture) {
    TLevelWin& w = CursorAt11();
    ASSERT_EQ(w.Cursor().z, 2);
    const QRgb curve = Colour(w, kCurveColour);
    const QRgb point = Colour(w, kPointColour);
    ASSERT_TRUE(PixelsOf(win.Image(ImageLayer::Picture), curve).empty());
    ASSERT_TRUE(PixelsOf(win.Image(ImageLayer::Picture), point).empty());
    const State before = Now();
    const QImage image = PaintedOver();
    EXPECT_TRUE(Now() == before);

    // The level z = 2: the circle of radius sqrt 2, projected.
    std::vector<QPointF> level;
    const long double r = std::sqrt(2.0L);
    for (long double t = 0; t < 7; t += 1e-3L)
        level.push_back(Pixel({r * std::cos(t), r * std::sin(t), 2}));
    const std::vector<QPoint> drawn = PixelsOf(image, curve);
    // Seen from the side, the front of the circle shows from its left end to its right end.
    EXPECT_GT(drawn.size(), 50u);
    const auto [least, most] = std::ranges::minmax(level, {}, &QPointF::x);
    const auto [left, right] = std::ranges::minmax(drawn, {}, &QPoint::x);
    EXPECT_LE(left.x(), least.x() + 2);
    EXPECT_GE(right.x(), most.x() - 2);
    for (const QPoint& p : drawn) {
        double nearest = 1e9;
        for (const QPointF& q : level)
            nearest = std::min(nearest, std::hypot(p.x() - q.x(), p.y() - q.y()));
        EXPECT_LE(nearest, 1.5) << p.x() << "," << p.y();
    }
    // The point's marker is centred on the projected cursor point (1, 1, 2).
    const std::vector<QPoint> marker = PixelsOf(image, point);
    ASSERT_FALSE(marker.empty());
    QPointF centre;
    for (const QPoint& p : marker) centre += QPointF(p);
    centre /= static_cast<double>(marker.size());
    const QPointF at = Pixel({1, 1, 2});
    EXPECT_NEAR(centre.x(), at.x(), 1.0);
    EXPECT_NEAR(centre.y(), at.y(), 1.0);
}

TEST_F(CursorIn3DTest, NothingIsDrawnOutsideTheCursorModeOrWhileTheWindowIsClosed) {
    TLevelWin& w = CursorAt11();
    const QRgb curve = Colour(w, kCurveColour);
    w.SendCommand(cmd::kMouseCoordinates);
    EXPECT_TRUE(PixelsOf(PaintedOver(), curve).empty());
    w.SendCommand(cmd::kMouseCursor);
    EXPECT_FALSE(PixelsOf(PaintedOver(), curve).empty());
    w.HideWindow();
    EXPECT_TRUE(PixelsOf(PaintedOver(), curve).empty());
    w.ShowWindow();
    EXPECT_FALSE(PixelsOf(PaintedOver(), curve).empty());
    // "&Close" ends the level window; the 3D window draws nothing of it any more.
    w.SendCommand(cmd::kClose);
    QCoreApplication::processEvents();
    EXPECT_EQ(win.LevelWindow(), nullptr);
    EXPECT_TRUE(PixelsOf(PaintedOver(), curve).empty());
}

TEST_F(CursorIn3DTest, QStopsTheTraceAndLeavesEverythingAsItWas) {
    CursorAt11();
    const State before = Now();
    // The trace asks its key poll at every step (put in here with no pacing): Q at the fifth.
    int asked = 0;
    win.SetTraceKeyPoll([&asked] { return ++asked == 5 ? kKeyStop : 'W'; },
                        TTimedPoll::Clock::duration::zero());
    PaintedOver();
    win.SetTraceKeyPoll({});
    EXPECT_EQ(asked, 5);
    EXPECT_TRUE(Now() == before);
}

// Lets every repaint asked for so far happen (a paint may ask for the next layer's).
void Settle() {
    for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// However the level window closes, by its title bar or by "&Close", the 3D window's screen
// paints again without the cursor's curve; outside the cursor mode there is nothing to take
// away and it is left alone.
TEST_F(CursorIn3DTest, ClosingTheLevelWindowRepaintsThe3DWindowInTheCursorModeOnly) {
    struct Row {
        bool titleBar;
        bool cursorMode;
    };
    win.show();
    for (const Row row : {Row{true, true}, Row{false, true}, Row{true, false}}) {
        TLevelWin& w = CursorAt11();
        const QRgb curve = Colour(w, kCurveColour);
        if (!row.cursorMode) w.SendCommand(cmd::kMouseCoordinates);
        Settle();
        const PaintCounter counter(win);
        if (row.titleBar)
            w.OuterWidget()->close();
        else
            w.SendCommand(cmd::kClose);
        Settle();
        EXPECT_EQ(counter.paints > 0, row.cursorMode) << row.titleBar << row.cursorMode;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(win.LevelWindow(), nullptr);
        EXPECT_TRUE(PixelsOf(PaintedOver(), curve).empty());
    }
}

}  // namespace
}  // namespace quorlin::plot3d
