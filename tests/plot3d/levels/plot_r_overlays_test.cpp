// The sliders' overlays in the 3D picture, held against closed forms: on the helix
// (cos t, sin t, t/2) the secant as the average velocity from the base point, the tangent at
// the base point beside it (on an intrinsic curve too), and the Frenet frame T, N, B at the
// cursor; the trajectory slider's point and field vector.
#include <QImage>

#include <algorithm>
#include <cmath>
#include <vector>

#include "examples/levels/trace_dialog.h"
#include "examples/levels/trace_traj_dialog.h"
#include "examples/records/new_examples.h"
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
        Shown().InvalidateImage(ImageLayer::Background);
        Shown().RenderImage(ImageLayer::Picture);
        return Shown().Image(ImageLayer::Picture);
    }
    QPointF Pixel(Vec3 p) {
        const Vec2 q = Shown().ProjectPoint(p);
        const canvas::PixelMapping m = Shown().View().Mapping();
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
        const QRgb rgb = Shown().OutputColor(Shown().DrawColor(colour)).rgb();
        const QPointF tail = Pixel(from);
        std::vector<QPointF> tips;
        for (const Vec3& v : vectors) tips.push_back(Pixel(from + v));
        const double head = Shown().Scene3D().arrowLength + 2;
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

    // The window the picture helpers look at.
    TPlot3Win& Shown() { return shown ? *shown : win; }

    TPlot3Win win{QStringLiteral("noname1.qz3")};
    TPlot3Win* shown = nullptr;
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

// Secants and tangents together: the tangent starts at the base point with the velocity there,
// for a space curve and for an intrinsic one (curvature 1 from the origin along x, bending to
// y: (sin s, 1 - cos s, 0) with the unit tangent (cos s, sin s, 0)).
TEST_F(OverlaysTest, TheTangentBesideASecantStartsAtTheBasePointOfEitherCurve) {
    const struct {
        const char* name;
        bool intrinsic;
        Vec3 (*position)(long double);
        Vec3 (*velocity)(long double);
    } rows[] = {
        {"space curve", false, Helix, HelixVelocity},
        {"intrinsic curve", true,
         [](long double s) {
             return Vec3{std::sin(s), 1 - std::cos(s), 0};
         },
         [](long double s) {
             return Vec3{std::cos(s), std::sin(s), 0};
         }},
    };
    for (const auto& row : rows) {
        TPlot3Win window{QStringLiteral("noname2.qz3")};
        if (row.intrinsic) {
            window.SizeChanged(401, 301);
            window.Create();
            examples::TExample e;
            e.Init(examples::kind::kSpaceIntrinsic, 0, 50);
            examples::SetNewExampleDefaults(e, examples::kind::kSpaceIntrinsic, -5, 5, 0);
            e.Text(1) = "1";
            e.Text(2) = "0";
            e.Text(5) = "0,0,0";
            e.Text(6) = "1,0,0";
            e.Text(7) = "0,1,0";
            e.rangeLow[0] = 0;
            e.rangeHigh[0] = 4;
            window.CompileExample(window.Inventory().Append(std::move(e)));
            window.InventoryChanged(0);
        } else {
            OpenAndPaste(window, "PARAM3;cos(t);sin(t);t/2;0;4;\r\n");
        }
        window.Axes().axesShown = false;
        window.RecomputeAllBoxes();
        window.Roles().SetRole(kRoleTangentDemo, kTangentColour);
        ASSERT_TRUE(window.SendCommand(cmd::kTraceSlider)) << row.name;
        TTraceDlg& slider = *window.CurveSlider();
        const auto moveTo = [&slider](const char* t) {
            slider.SetText(TTraceDlg::kParameter, QString::fromLatin1(t));
            slider.Press(platform::kIdOk);
        };
        moveTo("1");
        slider.Press(TTraceDlg::kSecants);
        moveTo("3");
        slider.Press(TTraceDlg::kTangents);
        ASSERT_TRUE(slider.SecantsChecked() && slider.TangentsChecked()) << row.name;
        shown = &window;
        ExpectArrows(Picture(), kTangentColour, row.position(1), {row.velocity(1)});
        shown = nullptr;
        CloseUnsaved(window);
    }
}

// The trajectory slider open on the helix x' = -2y, y' = 2x, z' = 1/4 from (1, 0, 1/2): at
// t = 1 the picture adds a marker at P = (cos 2, sin 2, 3/4) and the field vector from P (one
// unit long, as the slider draws it) with its head; without the slider nothing of it shows.
TEST_F(OverlaysTest, TheTrajectorySliderDrawsItsPointAndVector) {
    OpenAndPaste(win, "DEQ3T;-2*y;2*x;0.25;-2;2;-2;2;0;2;\r\n");
    examples::TTrajectoryStart start;
    start.start = {1, 0, 0.5L};
    start.method = 2;
    start.duration = 2;
    win.AddTrajectory(0, start);
    win.InventoryChanged(0);
    win.TrajectoriesChanged();
    win.Axes().axesShown = false;
    win.RecomputeAllBoxes();
    const QImage plain = Picture();
    ASSERT_TRUE(win.SendCommand(cmd::kTrajectorySlider));
    const examples::TTraceTrajDlg& slider = *win.TrajectorySlider();
    ASSERT_TRUE(slider.Trajectory() && slider.Cursor());
    const Vec3 p{std::cos(2.0L), std::sin(2.0L), 0.75L};
    const Vec3 field{-2 * std::sin(2.0L), 2 * std::cos(2.0L), 0.25L};
    const Vec3 v = (1 / Vec3Length(field)) * field;
    const Vec3 at = slider.Cursor()->state, drawn = slider.Cursor()->drawn;
    ASSERT_LT(Vec3Length(at - p), 1e-3L);
    ASSERT_LT(Vec3Length(drawn - v), 1e-3L);
    const QImage shown = Picture();
    const QRgb rgb = win.OutputColor(win.DrawColor(slider.Trajectory()->pen.colour)).rgb();
    // What the slider added is its colour, on the marker, the shaft or the head.
    const QPointF tail = Pixel(p), tip = Pixel(p + v);
    const double head = win.Scene3D().arrowLength + 2, marker = 9;
    std::vector<QPointF> added;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) == plain.pixel(x, y)) continue;
            const QPointF q(x, y);
            added.push_back(q);
            EXPECT_EQ(shown.pixel(x, y), rgb) << x << "," << y;
            EXPECT_TRUE(std::hypot(x - tail.x(), y - tail.y()) <= marker ||
                        ToSegment(q, tail, tip) <= 1.5 ||
                        std::hypot(x - tip.x(), y - tip.y()) <= head)
                << x << "," << y;
        }
    const auto nearest = [&added](QPointF on) {
        double d = 1e9;
        for (const QPointF& q : added) d = std::min(d, std::hypot(q.x() - on.x(), q.y() - on.y()));
        return d;
    };
    // The marker spreads around P, also where the shaft does not reach (level with P or
    // behind it); the shaft runs out to the head, and the head stands at the tip.
    const double length = std::hypot(tip.x() - tail.x(), tip.y() - tail.y());
    const QPointF along = (tip - tail) / length;
    EXPECT_TRUE(std::ranges::any_of(added, [&](QPointF q) {
        return std::hypot(q.x() - tail.x(), q.y() - tail.y()) <= 3 &&
               QPointF::dotProduct(q - tail, along) <= 0.5;
    }));
    ASSERT_GT(length, 3 * head);
    for (double u = 0.4; u < 1 - head / length; u += 0.1)
        EXPECT_LE(nearest(tail + u * (tip - tail)), 1.5) << u;
    EXPECT_LE(nearest(tip), 1.5);
}

}  // namespace
}  // namespace quorlin::plot3d
