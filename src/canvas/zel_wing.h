#pragma once
// TZELWing: the level of a graphing window that knows its view and coordinate system.
//
// Above the shell's TZELWin it holds the view frame (TViewFrame), the axes and grid settings
// (TAxesSettings), the view history and the export state; it maps between world coordinates
// and pixels, makes pens from stored pen triples, and draws segments, markers, arrowheads, text
// boxes, the image frame and the whole coordinate system, each also handed to the running
// export. Numeric fields are read through the ReadNumber slot, which the formula level
// overrides; here it evaluates constant expressions.
#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "canvas/axes_painter.h"
#include "canvas/axes_settings.h"
#include "canvas/canvas_primitives.h"
#include "canvas/export_platform_host.h"
#include "canvas/export_state.h"
#include "canvas/figure_style.h"
#include "canvas/view_frame.h"
#include "shell/palette.h"
#include "shell/zel_win.h"

namespace quorlin::canvas {

class TZELWing : public TZELWin {
public:
    TZELWing(int kind, QString fileName, QString iniName, QWidget* parent = nullptr);
    ~TZELWing() override;

    // --- view and settings ---
    TViewFrame& View() { return view_; }
    const TViewFrame& View() const { return view_; }
    TAxesSettings& Axes() { return axes_; }
    const TAxesSettings& Axes() const { return axes_; }
    TExportState& Exports() { return exports_; }
    const TViewHistoryList& History() const { return history_; }
    TFigureStyle& Figure() { return figure_; }
    const TFigureStyle& Figure() const { return figure_; }

    // --- slots ---
    // 1 pushes the current view state, 0 clears the history, -1 restores and pops the last.
    virtual void ViewHistory(int mode);
    virtual void RecomputeView();
    // Zooms out (true) or in about the centre by the zoom factor; refused with error 17 when the
    // scale would not be representable.
    virtual void ZoomView(bool out);
    virtual WorldPoint ScreenToWorld(QPoint p) const { return view_.ScreenToWorld(p); }
    // Evaluates a numeric field; 0 or an error number.
    virtual int ReadNumber(std::string_view text, long double& out);
    // Pushes the view history, toggles the axes and redraws.
    virtual void ToggleAxes();
    // Fills the tick index range (left, up, right, down); kTicksSwitchedOff when this drawing
    // must leave the ticks out. The grid level fits the intervals first.
    virtual int FitTickIntervals(TickRange& range);
    // The frame around the image when framing is on.
    virtual void DrawImageFrame(platform::DeviceContext& dc);
    // After the axes settings changed: redraw and mark the diagram modified.
    virtual void AxesChanged();
    // Slots of the export frames, filled by the plot levels.
    virtual void PaintTeXFrame(int frame);
    virtual void PaintEpsFrame(int frame);
    virtual int MarkParameters(const std::string& names);

    // --- setting the view ---
    void SetView(long double cx, long double cy, long double hw, long double hh, bool corners);
    // As SetView, then redraws.
    void SetViewByMode(long double cx, long double cy, long double hw, long double hh,
                       bool corners);
    // Push the history, set the view by centre (and half-width) and redraw; a view whose scale
    // cannot be represented is refused with error 17.
    void SetViewCentre(long double x, long double y);
    void SetViewCentreSize(long double x, long double y, long double hw);
    void RestoreLastView();
    // True when the window can take the view; otherwise error 17 is shown (the scale cannot
    // be represented: pixels that overflow, vanish or fall between two long doubles).
    bool AcceptsScale(const TViewFrame& next);
    void SetLogCorners(long double l, long double r, long double d, long double u);
    TViewState SaveViewState() const;
    // Takes a saved view and axes; the drawing area keeps its present size.
    void RestoreViewState(const TViewState& state);
    // The background layer is stale; repaint.
    void Redraw();

    // --- transforms (the frame's) ---
    int XToScreen(long double x) const { return view_.XToScreen(x); }
    int YToScreen(long double y) const { return view_.YToScreen(y); }
    long double ScreenToX(int sx) const { return view_.ScreenToX(sx); }
    long double ScreenToY(int sy) const { return view_.ScreenToY(sy); }
    bool PointToScreen(WorldPoint p, QPoint& out) const { return view_.PointToScreen(p, out); }
    bool IsInView(WorldPoint p) const { return view_.IsInView(p); }
    TLDRect ScreenRectToWorld(const platform::PixelRect& r) const {
        return view_.ScreenRectToWorld(r);
    }
    platform::PixelRect WorldRectToScreen(const TLDRect& r) const {
        return view_.WorldRectToScreen(r);
    }
    bool ClipSegmentToView(WorldPoint& p, WorldPoint& q) const {
        return ClipSegment(view_.ClipRect(), p, q);
    }

    // --- pens ---
    // A pen from a stored triple: the palette colour as output, the width times the
    // high-resolution factor, the style code.
    platform::Pen MakePen(const PenTriple& pen) const;
    platform::Pen MakePenFromParts(int colour, int width, int style) const;
    // Device pen width of thickness t: round((HORZRES (2t + 1) - 1023) / 2048), at least 1,
    // times the high-resolution factor.
    int PenWidthDev(const platform::DeviceContext& dc, int t) const;

    // --- drawing (device and running exports) ---
    // Primitives on a context with the selected pen; the pen's colour, width and style also go
    // to the export hooks.
    TCanvasPrimitives Primitives(platform::DeviceContext& dc);
    void DrawSegment(platform::DeviceContext& dc, WorldPoint p, WorldPoint q, bool clip);
    void DrawMarker(platform::DeviceContext& dc, QPoint p, int kind, int size);
    // The marker at a world point; nothing when the point lies outside the window.
    void DrawMarkerAt(platform::DeviceContext& dc, WorldPoint p, int kind, int size);
    void DrawArrowHead(platform::DeviceContext& dc, WorldPoint tip, WorldPoint direction,
                       long double length, bool solid);
    // The rectangle of a text anchored at a pixel (kAnchorCentre, kAnchorAbove, kAnchorBelow)
    // in the context's font.
    platform::PixelRect LayoutTextBox(platform::DeviceContext& dc, QPoint anchor,
                                      const QString& text, int anchorCode) const;
    // A text in a rectangle; background: an opaque fill colour, or none for transparent.
    void DrawTextBox(platform::DeviceContext& dc, const platform::PixelRect& rect,
                     const QString& text, int fontIndex, std::optional<QColor> background);
    void DrawGridAndAxes(platform::DeviceContext& dc);
    // What the writers read of the window: the view, fonts, places, colours. The export
    // commands call it before they prepare an export; every DrawAll calls it again.
    void UpdateExportView();

    // Asks for a non-negative int16 in the one-line input box (prompt by string id); error 14
    // on a negative answer. True when the value changed.
    bool InputPositiveShort(std::int16_t& field, int promptId);

    // The window's current plane (3D drawing tests points against it).
    bool SetPlaneFrom3Points(const Point3& a, const Point3& b, const Point3& c) {
        return canvas::SetPlaneFrom3Points(plane_, a, b, c);
    }
    long double PlaneSide(const Point3& p) const { return canvas::PlaneSide(plane_, p); }

    // The angle of (x, y) in (-pi, pi].
    static long double Angle(long double x, long double y);

    int DrawAll(platform::DeviceContext& dc) override;
    // A printed page: the view's frame mapped onto the page's pixels, the lengths the settings
    // give in screen pixels (ticks, arrowheads) enlarged by the print scale; the view and the
    // settings are the screen's again afterwards.
    int DrawForOutput(platform::DeviceContext& dc) override;
    void EnableCommand(platform::CommandState& state) override;
    void UpdateMenuChecks(bool flag) override;
    void SizeChanged(int width, int height) override;

protected:
    void CleanupWindow() override;
    QColor RoleColour(int role) const;

private:
    class ExportHostOfWindow;

    TViewFrame view_;
    TAxesSettings axes_;
    TViewHistoryList history_;
    TPlane plane_;
    std::unique_ptr<ExportHostOfWindow> exportHost_;
    TFigureStyle figure_;
    TExportState exports_;
};

// The width in pixels that screen measures (pen widths, tick lengths as a share of the screen)
// are taken against: a screen's device pixels, whatever the scale factor that maps them to
// logical pixels, so that one diagram gets the same measures at every scale; a printer's or a
// metafile's own width.
int ScreenMeasureWidth(const platform::DeviceMetrics& metrics);

// Colour roles the coordinate system is drawn in.
inline constexpr int kRoleAxes = 3;
inline constexpr int kRoleGridLines = 10;
// Window fonts of the scale numbers and the axis letters.
inline constexpr int kFontScaleNumbers = 1;
inline constexpr int kFontAxisLabels = 5;

}  // namespace quorlin::canvas
