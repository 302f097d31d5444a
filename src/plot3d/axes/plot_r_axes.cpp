// The frame of the 3D picture: the three axes with their arrow heads and letters, then the
// scene box with the coordinates of two corners. Every line goes through the 3D segment
// drawer, so with hidden lines removed what lies behind a surface is left out, on the screen
// and in every output alike.
#include <algorithm>
#include <array>
#include <optional>

#include "dynamics/trajectory_drawing.h"
#include "platform/device_context.h"
#include "plot3d/levels/plot_r_win.h"
#include "shell/fonts.h"

namespace quorlin::plot3d {

using examples::TPenSpec;

namespace {

constexpr int kAxisSteps = 100;
// A dotted box tested against surfaces is sampled coarsely: its dashes hide the runs.
constexpr int kDottedBoxSteps = 12;
constexpr int kStyleDash = 2;
constexpr int kFontBoxLabels = 1;
// Corner labels keep this many pixels off their corner.
constexpr int kLabelGap = 2;

TPenSpec Pen(int colour, int width, int style) {
    return {static_cast<std::int16_t>(colour), static_cast<std::uint16_t>(std::max(width, 1)),
            static_cast<std::uint16_t>(style)};
}

Vec3 WithAxis(int axis, long double v) {
    Vec3 p{0, 0, 0};
    (axis == 0 ? p.x : axis == 1 ? p.y : p.z) = v;
    return p;
}
long double Along(const Vec3& p, int axis) {
    return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
}

// Whether the eye lies strictly outside the box beyond a face that the edge a-b lies on: then
// nothing of the box can hide the edge.
bool EdgeFacesEye(const TSceneBox& box, Vec3 eye, Vec3 a, Vec3 b) {
    for (int k = 0; k < 3; ++k) {
        const long double c = Along(a, k);
        if (c != Along(b, k)) continue;
        const bool low = c <= Along(box.min, k);
        if (low ? Along(eye, k) < Along(box.min, k) : Along(eye, k) > Along(box.max, k))
            return true;
    }
    return false;
}

// The twelve edges: three from the minimum corner, three from the maximum corner, then the
// other six as one closed path.
std::array<std::pair<Vec3, Vec3>, 12> BoxEdges(const TSceneBox& box) {
    const Vec3 lo = box.min, hi = box.max;
    const std::array<Vec3, 7> path{Vec3{hi.x, hi.y, lo.z}, Vec3{lo.x, hi.y, lo.z},
                                   Vec3{lo.x, hi.y, hi.z}, Vec3{lo.x, lo.y, hi.z},
                                   Vec3{hi.x, lo.y, hi.z}, Vec3{hi.x, lo.y, lo.z},
                                   Vec3{hi.x, hi.y, lo.z}};
    std::array<std::pair<Vec3, Vec3>, 12> edges{{
        {lo, {hi.x, lo.y, lo.z}},
        {lo, {lo.x, hi.y, lo.z}},
        {lo, {lo.x, lo.y, hi.z}},
        {hi, {lo.x, hi.y, hi.z}},
        {hi, {hi.x, lo.y, hi.z}},
        {hi, {hi.x, hi.y, lo.z}},
    }};
    for (std::size_t k = 0; k + 1 < path.size(); ++k) edges[6 + k] = {path[k], path[k + 1]};
    return edges;
}

}  // namespace

TAxisEnds TPlotRWin::FitAxisLengths() const {
    const TAxisEnds& axes = Scene3D().axes;
    return axes.locked ? axes : plot3d::FitAxisLengths(SceneBox());
}

TLabelCorners TPlotRWin::ChooseLabelCorners() const {
    return plot3d::ChooseLabelCorners(Observer().eye, Observer().focus, SceneBox());
}

int TPlotRWin::DrawAxes3D(platform::DeviceContext& dc) {
    // Without examples nothing hides a line: the frame is drawn at once, without key polls.
    if (Inventory().Empty()) {
        TStopPoll none{std::function<int()>{}};
        return DrawFrame(dc, none);
    }
    TLongWorkHint hint(*this);
    TStopPoll poll = HintedKeyPoll(hint);
    return DrawFrame(dc, poll);
}

int TPlotRWin::DrawFrame(platform::DeviceContext& dc, TStopPoll& poll) {
    canvas::TCanvasPrimitives prim = Primitives(dc);
    const bool printing = Printing().printing;
    int result = 0;
    if (Axes().axesShown) {
        const int colour = Printing().BlackAndWhite()
                               ? 0
                               : AxisColourIndex(Roles().Role(kRoleAxes), Roles().Role(0));
        const TPenSpec pen = Pen(colour, printing ? Output().printLineWidth : 1, 0);
        platform::SelectionGuard<platform::FontSpec> font(
            dc, ToFontSpec(Fonts().Font(examples::kFontAxisLabels)));
        const TAxisEnds ends = FitAxisLengths();
        for (int axis = 0; axis < 3 && result == 0; ++axis) {
            const Vec3 upper = WithAxis(axis, Along(ends.upper, axis));
            result = DrawAxis(prim, WithAxis(axis, Along(ends.lower, axis)), upper, kAxisSteps,
                              axis, pen, poll);
            if (result == 0) DrawAxisHead(dc, upper, pen);
        }
    }
    if (Scene3D().box.shown && result == 0) {
        const TBoxDisplay& box = Scene3D().box;
        const bool dashed = box.dotted && !printing;
        const int width = dashed     ? 1
                          : printing ? Scene().boxPrintedThickness + Output().printLineWidth
                                     : Scene().boxScreenThickness;
        const TPenSpec pen = Pen(Roles().Role(kRoleBox), width, dashed ? kStyleDash : 0);
        const int steps = box.dotted && Scene().hiddenLines ? kDottedBoxSteps : kAxisSteps;
        platform::SelectionGuard<platform::FontSpec> font(dc,
                                                          ToFontSpec(Fonts().Font(kFontBoxLabels)));
        result = DrawViewBox(prim, steps, pen, poll);
    }
    return result;
}

void TPlotRWin::DrawAxisHead(platform::DeviceContext& dc, Vec3 end, const TPenSpec& pen) {
    if (!Scene().arrows || dynamics::IsPointHidden(*this, end)) return;
    const Vec2 o = ProjectPoint({0, 0, 0}), e = ProjectPoint(end);
    const long double head = View().unitsPerPixelX * Scene3D().arrowLength;
    DrawAtWorldPoint(dc, {o.x, o.y}, {e.x, e.y}, head, pen.colour, pen.width, true, 2);
}

int TPlotRWin::DrawAxis(canvas::TCanvasPrimitives& prim, Vec3 from, Vec3 to, int steps, int axis,
                        const TPenSpec& pen, TStopPoll& poll) {
    prim.Comment("draw axis");
    const int r = DrawSegment3D(prim, from, to, pen, false, false, steps, poll);
    if (r != 0 || !Scene().axisLabels) return r;
    const canvas::PixelMapping m = View().Mapping();
    const auto pixel = [&m](Vec2 p) { return Vec2{m.XToPixel(p.x), m.YToPixel(p.y)}; };
    const Vec2 o = ProjectPoint({0, 0, 0}), e = ProjectPoint(to);
    const std::optional<Vec3> letter =
        AxisLetterPoint(to, pixel(o), pixel(e), std::max(Output().highResolutionFactor, 1));
    if (!letter) return 0;
    const Vec2 l = ProjectPoint(*letter);
    if (!IsInView({l.x, l.y})) return 0;
    if (Scene().hiddenLines && dynamics::IsPointHidden(*this, *letter)) return 0;
    const Vec2 at = pixel(l);
    prim.Text(QPoint(static_cast<int>(at.x), static_cast<int>(at.y)),
              Figure().axisLabels[static_cast<std::size_t>(axis)], examples::kFontAxisLabels, 0, 0,
              "");
    return 0;
}

int TPlotRWin::DrawViewBox(canvas::TCanvasPrimitives& prim, int steps, const TPenSpec& pen,
                           TStopPoll& poll) {
    prim.Comment("begin view box");
    const TSceneBox& box = SceneBox();
    for (const auto& [a, b] : BoxEdges(box)) {
        const bool whole = !Scene().hiddenLines || EdgeFacesEye(box, Observer().eye, a, b);
        if (const int r = DrawSegment3D(prim, a, b, pen, whole, false, steps, poll); r != 0)
            return r;
    }
    if (!Scene3D().box.coords) return 0;
    const TLabelCorners corners = ChooseLabelCorners();
    const canvas::PixelMapping m = View().Mapping();
    const auto label = [&](Vec3 corner, int v, int gap) {
        const Vec2 p = ProjectPoint(corner);
        const QPoint at(static_cast<int>(m.XToPixel(p.x)), static_cast<int>(m.YToPixel(p.y)) + gap);
        prim.Text(at, QString::fromStdString(CornerLabel(corner)), kFontBoxLabels, 0, v, "");
    };
    // The top corner's text stands above it, the bottom corner's below.
    label(corners.top, 1, -kLabelGap);
    label(corners.bottom, -1, kLabelGap);
    return 0;
}

}  // namespace quorlin::plot3d
