#include "plot2d/draw_target.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorlin::plot2d {

// --- the window's own plane ---

int TCanvasTarget::Curve(const TCurveJob& job) {
    canvas_.BeginCurve();
    TCurvePipe pipe(canvas_.Space(), canvas_);
    TSamplerSettings settings;
    settings.detectJumps = job.detectJumps;
    if (canvas_.Polling()) settings.pollKey = [this] { return canvas_.PollKey(); };
    TCurveSampler sampler(pipe, settings);
    const int key = sampler.Sample(job.f, job.a, job.b, job.step);
    pipe.Finish();
    canvas_.EndCurve();
    evaluations_ += sampler.Evaluations();
    pointsIn_ += pipe.PointsIn();
    pointsOut_ += pipe.PointsOut();
    return key;
}

void TCanvasTarget::Polyline(std::span<const Vec2> points) {
    canvas_.BeginCurve();
    TCurvePipe pipe(canvas_.Space(), canvas_);
    for (Vec2 p : points) pipe.Add(p);
    pipe.Finish();
    canvas_.EndCurve();
    pointsIn_ += pipe.PointsIn();
    pointsOut_ += pipe.PointsOut();
}

void TCanvasTarget::Marker(Vec2 plot, int radius, bool filled) {
    const Vec2 px = Space().ToPixel(plot);
    if (!Space().Area().Widened(radius).Contains(px)) return;
    canvas_.Marker(plot, radius, filled);
}

void TCanvasTarget::Arrow(Vec2 tip, Vec2 direction, int lengthPixels, bool solid) {
    if (!Space().Area().Contains(Space().ToPixel(tip))) return;
    if (!std::isfinite(direction.x) || !std::isfinite(direction.y) ||
        (direction.x == 0 && direction.y == 0))
        return;
    canvas_.ArrowHead(tip, direction, lengthPixels, solid);
}

// --- drawing through a map ---

bool TMappedTarget::Image(Vec2 domainPlot, Vec2& rangePlot) const {
    Vec2 image;
    return map_(domainPlot, image) && range_.Space().ValueToPlot(image, rangePlot);
}

int TMappedTarget::Curve(const TCurveJob& job) {
    TCurveJob mapped = job;
    mapped.f = [this, &job](long double t, Vec2& p) {
        Vec2 q;
        return job.f(t, q) && Image(q, p);
    };
    return range_.Curve(mapped);
}

void TMappedTarget::Polyline(std::span<const Vec2> points) {
    if (points.size() < 2) return;
    const auto last = static_cast<long double>(points.size() - 1);
    TCurveJob job;
    job.f = [points, last](long double t, Vec2& p) {
        const auto k = static_cast<std::size_t>(std::clamp(std::floor(t), 0.0L, last - 1));
        const long double s = t - static_cast<long double>(k);
        p = points[k] + s * (points[k + 1] - points[k]);
        return true;
    };
    job.a = 0;
    job.b = last;
    job.step = 1;
    job.detectJumps = true;  // its image jumps where the map has a pole
    Curve(job);
}

void TMappedTarget::Marker(Vec2 plot, int radius, bool filled) {
    Vec2 image;
    if (Image(plot, image)) range_.Marker(image, radius, filled);
}

void TMappedTarget::Arrow(Vec2 tip, Vec2 direction, int lengthPixels, bool solid) {
    // The direction's image: the difference of the images of the tip and of a point a
    // hundredth of a domain pixel back along it.
    const long double length = std::hypot(direction.x, direction.y);
    if (!(length > 0) || !std::isfinite(length)) return;
    const long double back = 0.01L * domain_.UnitsPerPixelX() / length;
    Vec2 a, b;
    if (!Image(tip - back * direction, a) || !Image(tip, b)) return;
    range_.Arrow(b, b - a, lengthPixels, solid);
}

void TMappedTarget::Fill(std::span<const Vec2> corners, int colour) {
    std::vector<Vec2> images;
    images.reserve(corners.size());
    for (Vec2 c : corners) {
        Vec2 image;
        if (!Image(c, image)) return;
        images.push_back(image);
    }
    range_.Fill(images, colour);
}

}  // namespace quorlin::plot2d
