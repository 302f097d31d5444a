#pragma once
// What the drawers of the 2D kinds draw on. A drawer hands whole curves (a function of one
// parameter over a range, with its base step) and single marks; the target samples the curves
// at its pixels, clips and thins them, and passes everything on in plot coordinates.
//
// TPlotCanvas is the window's side: the canvas primitives of one drawing pass (the screen, the
// printer, the metafile and every running export receive the same drawing). TCanvasTarget
// draws on such a canvas. TMappedTarget draws what a drawer of one plane draws into another
// plane through a map (the range window of a map pair): curves are mapped point by point and
// sampled again in the pixels of the image, so they are refined where the map stretches them.
#include <functional>
#include <span>
#include <string_view>

#include "core/vectors.h"
#include "examples/records/trajectory.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/plot_space.h"

namespace quorlin::plot2d {

// A curve for the target: plot point at t for t in [a, b], refined from base steps of `step`.
struct TCurveJob {
    CurveFunction f;
    long double a = 0;
    long double b = 0;
    long double step = 0;
    bool detectJumps = true;
};

class TPlotCanvas : public TCurveSink {
public:
    virtual const TPlotSpace& Space() const = 0;
    // The pen of what follows: palette index, width, style word (as examples store them).
    virtual void SetPen(const examples::TPenSpec& pen) = 0;
    // A curve is handed on between these as pieces (Point, Break).
    virtual void BeginCurve() = 0;
    virtual void EndCurve() = 0;
    // A round point mark of the radius in pixels at a plot point, filled or hollow.
    virtual void Marker(Vec2 plot, int radius, bool filled) = 0;
    // An arrowhead with its tip at a plot point, pointing along a plot direction.
    virtual void ArrowHead(Vec2 tip, Vec2 direction, int lengthPixels, bool solid) = 0;
    // A filled polygon (plot corners) in a palette colour, without outline.
    virtual void Polygon(std::span<const Vec2> corners, int colour) = 0;
    // 81 when the user asked to stop (Q), else 0; 0 whenever keys must not be polled.
    virtual int PollKey() = 0;
    // False while keys must not be polled (exports, printing, animation frames): long loops
    // then end by their own limits.
    virtual bool Polling() const = 0;
    // A comment in the exports that keep comments (EPS, PiCTeX); nothing elsewhere.
    virtual void Comment(std::string_view) {}
};

class TDrawTarget {
public:
    virtual ~TDrawTarget() = default;
    // The plane the drawer samples in (its pixels decide its base steps).
    virtual const TPlotSpace& Space() const = 0;
    virtual void SetPen(const examples::TPenSpec& pen) = 0;
    // Samples and draws a curve; 0, or 81 when stopped by Q.
    virtual int Curve(const TCurveJob& job) = 0;
    // A polyline of plot points drawn as it is (one piece).
    virtual void Polyline(std::span<const Vec2> points) = 0;
    virtual void Marker(Vec2 plot, int radius, bool filled) = 0;
    virtual void Arrow(Vec2 tip, Vec2 direction, int lengthPixels, bool solid) = 0;
    virtual void Fill(std::span<const Vec2> corners, int colour) = 0;
    virtual int PollKey() = 0;
    virtual bool Polling() const = 0;
    // A comment in the exports that keep comments (EPS, PiCTeX); nothing elsewhere.
    virtual void Comment(std::string_view) {}
};

// The target of a window's own plane.
class TCanvasTarget : public TDrawTarget {
public:
    explicit TCanvasTarget(TPlotCanvas& canvas) : canvas_(canvas) {}

    const TPlotSpace& Space() const override { return canvas_.Space(); }
    void SetPen(const examples::TPenSpec& pen) override { canvas_.SetPen(pen); }
    int Curve(const TCurveJob& job) override;
    void Polyline(std::span<const Vec2> points) override;
    void Marker(Vec2 plot, int radius, bool filled) override;
    void Arrow(Vec2 tip, Vec2 direction, int lengthPixels, bool solid) override;
    void Fill(std::span<const Vec2> corners, int colour) override {
        canvas_.Polygon(corners, colour);
    }
    int PollKey() override { return canvas_.PollKey(); }
    bool Polling() const override { return canvas_.Polling(); }
    void Comment(std::string_view text) override { canvas_.Comment(text); }

    // What the curves cost and gave so far.
    long long Evaluations() const { return evaluations_; }
    std::size_t PointsIn() const { return pointsIn_; }
    std::size_t PointsOut() const { return pointsOut_; }

private:
    TPlotCanvas& canvas_;
    long long evaluations_ = 0;
    std::size_t pointsIn_ = 0;
    std::size_t pointsOut_ = 0;
};

// A map of the plane: the image of a value; false where it is undefined.
using PlaneMap = std::function<bool(Vec2 value, Vec2& image)>;

// Draws what is drawn in the domain plane into the range target through the map. Plot
// coordinates of the domain are taken as values (a map pair has no logarithmic axes).
class TMappedTarget : public TDrawTarget {
public:
    TMappedTarget(TDrawTarget& range, const TPlotSpace& domain, PlaneMap map)
        : range_(range), domain_(domain), map_(std::move(map)) {}

    const TPlotSpace& Space() const override { return domain_; }
    void SetPen(const examples::TPenSpec& pen) override { range_.SetPen(pen); }
    int Curve(const TCurveJob& job) override;
    // The polyline as a curve of its index, so that its image is refined between its points.
    void Polyline(std::span<const Vec2> points) override;
    void Marker(Vec2 plot, int radius, bool filled) override;
    void Arrow(Vec2 tip, Vec2 direction, int lengthPixels, bool solid) override;
    void Fill(std::span<const Vec2> corners, int colour) override;
    int PollKey() override { return range_.PollKey(); }
    bool Polling() const override { return range_.Polling(); }
    void Comment(std::string_view text) override { range_.Comment(text); }

private:
    bool Image(Vec2 domainPlot, Vec2& rangePlot) const;

    TDrawTarget& range_;
    TPlotSpace domain_;
    PlaneMap map_;
};

}  // namespace quorlin::plot2d
