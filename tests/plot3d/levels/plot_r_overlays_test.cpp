// The curve slider's overlays in the 3D picture, drawn on the helix (cos t, sin t, t/2) and
// held against its closed forms: the secant as the average velocity from the base point, the
// tangent at the base point beside it, and the Frenet frame T, N, B at the cursor.
#include <QImage>

#include <cmath>
#include <vector>

#include "examples/levels/trace_dialog.h"
#include "plot3d/plot3_fixture.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;
using examples::TTraceDlg;

constexpr int kSecantColour = 20;
constexpr int kTangentColour = 33;
constexpr int kFrenetColour = 45;

Vec3 Helix(long double t) {
    return {std::cos(t), std::sin(t), t / 2};
}
Vec3 HelixVelocity(long double t) {
    return {-std::sin(t), std::cos(t), 0.5L};
}

class OverlaysTest : public Plot3WindowTest {
public:
    ~OverlaysTest() override { CloseUnsaved(win); }

    // The curve of the script in the window with the slider open on it.
    void Open(const char* script) {
        OpenAndPaste(win, script);
        win.Axes().axesShown = false;
        win.RecomputeAllBoxes();
        win.Roles().SetRole(kRoleSecantDemo, kSecantColour);
        win.Roles().SetRole(kRoleTangentDemo, kTangentColour);
        win.Roles().SetRole(kRoleFrenet, kFrenetColour);
        EXPECT_TRUE(win.SendCommand(cmd::kTraceSlider));
    }

    TTraceDlg& Slider() { return *win.CurveSlider(); }
    void MoveTo(const char* t) {
        Slider().SetText(TTraceDlg::kParameter, QString::fromLatin1(t));
        Slider().Press(platform::kIdOk);
    }
    QImage Picture() {
        win.InvalidateImage(ImageLayer::Background);
        win.RenderImage(ImageLayer::Picture);
        return win.Image(ImageLayer::Picture);
    }
    QPointF Pixel(Vec3 p) {
        const Vec2 q = win.ProjectPoint(p);
        const canvas::PixelMapping m = win.View().Mapping();
        return {static_cast<double>(m.XToPixel(q.x)), static_cast<double>(m.YToPixel(q.y))};
    }
    static double ToSegment(QPointF p, QPointF a, QPointF b) {
        const QPointF ab = b - a;
        const double length2 = QPointF::dotProduct(ab, ab);
        const double u =
            length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0;
        const QPointF d = p - (a + u * ab);
        return std::hypot(d.x(), d.y());
    }
    // The pixels of the colour are the arrows from `from` along each vector: each lies on a
    // shaft or within a head's length of its tip, and every shaft is drawn from its tail to its
    // head. `extra` is a spot that may carry the colour too (a marker), with its reach.
    void ExpectArrows(const QImage& image, int colour, Vec3 from, const std::vector<Vec3>& vectors,
                      QPointF extra = {-99, -99}, double extraReach = 0) {
        const QRgb rgb = win.OutputColor(win.DrawColor(colour)).rgb();
        const QPointF tail = Pixel(from);
        std::vector<QPointF> tips;
        for (const Vec3& v : vectors) tips.push_back(Pixel(from + v));
        const double head = win.Scene3D().arrowLength + 2;
        std::vector<QPointF> drawn;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != rgb) continue;
                const QPointF p(x, y);
                drawn.push_back(p);
                bool explained = std::hypot(p.x() - extra.x(), p.y() - extra.y()) <= extraReach;
                for (const QPointF& tip : tips)
                    explained = explained || ToSegment(p, tail, tip) <= 1.5 ||
                                std::hypot(p.x() - tip.x(), p.y() - tip.y()) <= head;
                EXPECT_TRUE(explained) << colour << ": " << x << "," << y;
            }
        for (const QPointF& tip : tips) {
            const double length = std::hypot(tip.x() - tail.x(), tip.y() - tail.y());
            ASSERT_GT(length, 2 * head) << colour;  // the shaft shows beside the head
            for (double u = 0.1; u < 1 - head / length; u += 0.1) {
                const QPointF on = tail + u * (tip - tail);
                double nearest = 1e9;
                for (const QPointF& p : drawn)
                    nearest = std::min(nearest, std::hypot(p.x() - on.x(), p.y() - on.y()));
                EXPECT_LE(nearest, 1.5) << colour << " at " << u;
            }
        }
    }

    TPlot3Win win{QStringLiteral("noname1.qz3")};
};

TEST_F(OverlaysTest, TheSecantIsTheAverageVelocityFromTheBasePoint) {
    Open("PARAM3;cos(t);sin(t);t/2;0;6;\r\n");
    for (const int colour : {kSecantColour, kTangentColour, kFrenetColour}) {
        const QRgb rgb = win.OutputColor(win.DrawColor(colour)).rgb();
        const QImage plain = Picture();
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x) ASSERT_NE(plain.pixel(x, y), rgb);
    }
    MoveTo("1");
    Slider().Press(TTraceDlg::kSecants);  // the base point at t = 1
    MoveTo("3");
    const Vec3 average = 0.5L * (Helix(3) - Helix(1));
    // The base point's marker, a disc of radius 7, is the secant's colour too.
    ExpectArrows(Picture(), kSecantColour, Helix(1), {average}, Pixel(Helix(1)), 9);

    // The tangent beside a secant belongs to the base point.
    Slider().Press(TTraceDlg::kTangents);
    const QImage both = Picture();
    ExpectArrows(both, kTangentColour, Helix(1), {HelixVelocity(1)});
    ExpectArrows(both, kSecantColour, Helix(1), {average}, Pixel(Helix(1)), 9);
}

// T = v / |v|, N the part of the acceleration across T made unit, B = T x N, drawn at the
// cursor and nothing of it once the check is off.
void ExpectFrenetFrame(OverlaysTest& test, Vec3 point, Vec3 t, Vec3 n) {
    const Vec3 b{t.y * n.z - t.z * n.y, t.z * n.x - t.x * n.z, t.x * n.y - t.y * n.x};
    test.Slider().Press(TTraceDlg::kFrenet);
    test.ExpectArrows(test.Picture(), kFrenetColour, point, {t, n, b});
    test.Slider().Press(TTraceDlg::kFrenet);
    test.ExpectArrows(test.Picture(), kFrenetColour, point, {});
}

// On the helix the acceleration lies across T already.
TEST_F(OverlaysTest, TheFrenetFrameOfTheHelixIsOrthonormalAtTheCursor) {
    Open("PARAM3;cos(t);sin(t);t/2;0;6;\r\n");
    MoveTo("2");
    ExpectFrenetFrame(*this, Helix(2), (1 / std::sqrt(1.25L)) * HelixVelocity(2),
                      {-std::cos(2.0L), -std::sin(2.0L), 0});
}

// On (t, t^2/2, t^3/6) at t = 1 it does not (a . T = 1): T = (2, 2, 1)/3, N = (-2, 1, 2)/3
// and B = (1, -2, 2)/3; the acceleration's own direction is not N.
TEST_F(OverlaysTest, TheFrenetFrameTakesThePartOfTheAccelerationAcrossT) {
    Open("PARAM3;t;t^2/2;t^3/6;-2;2;\r\n");
    MoveTo("1");
    // An eye from which none of the three runs along the sight line.
    ASSERT_EQ(win.MoveEyeTo({30, -20, 10}), 0);
    const long double third = 1.0L / 3;
    ExpectFrenetFrame(*this, {1, 0.5L, third / 2}, {2 * third, 2 * third, third},
                      {-2 * third, third, 2 * third});
}

}  // namespace
}  // namespace quorlin::plot3d
