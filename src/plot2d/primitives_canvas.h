#pragma once
// The canvas the drawers of a 2D window draw on: TPlotCanvas over the canvas primitives of one
// drawing pass, so that the screen, the printer, the metafile and every running export receive
// the same drawing. Palette indexes become colours and stored pen widths device widths through
// the window's rules.
#include <QColor>

#include <functional>

#include "canvas/canvas_primitives.h"
#include "plot2d/draw_target.h"

namespace quorlin::plot2d {

// The plot space of a view frame: its corners (exponents on a logarithmic axis) and its area.
TPlotSpace PlotSpaceOf(const canvas::TViewFrame& view);

struct TCanvasRules {
    std::function<QColor(int paletteIndex)> colour;
    std::function<int(int width)> penWidth;
    // Device pixels per screen pixel: markers and arrowheads, sized in screen pixels, keep
    // their look on paper and in high-resolution pictures.
    double pixelScale = 1.0;
    // Asked at every step of a drawing's loops (the window paces it by time); empty while keys
    // must not be polled.
    std::function<int()> pollKey;
};

class TPrimitivesCanvas : public TPlotCanvas {
public:
    TPrimitivesCanvas(canvas::TCanvasPrimitives& prim, TCanvasRules rules);

    const TPlotSpace& Space() const override { return space_; }
    void SetPen(const examples::TPenSpec& pen) override;
    void BeginCurve() override { prim_.BeginCurve(); }
    void EndCurve() override { prim_.EndCurve(); }
    void Point(Vec2 plot) override { prim_.CurvePoint({plot.x, plot.y}); }
    void Break() override { prim_.BreakCurve(); }
    void Marker(Vec2 plot, int radius, bool filled) override;
    void ArrowHead(Vec2 tip, Vec2 direction, int lengthPixels, bool solid) override;
    void Polygon(std::span<const Vec2> corners, int colour) override;
    int PollKey() override { return rules_.pollKey ? rules_.pollKey() : 0; }
    bool Polling() const override { return static_cast<bool>(rules_.pollKey); }
    void Comment(std::string_view text) override { prim_.Comment(text); }

private:
    // A size in screen pixels on this canvas's device.
    int DevicePixels(int screenPixels) const;

    canvas::TCanvasPrimitives& prim_;
    TCanvasRules rules_;
    TPlotSpace space_;
    examples::TPenSpec pen_;
};

}  // namespace quorlin::plot2d
