#include "canvas/zel_wing.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

#include "core/errors.h"
#include "core/numbers.h"
#include "platform/boxes.h"
#include "resources/command_ids.h"
#include "shell/fonts.h"

namespace quorlin::canvas {

namespace cmd = resources::cmd;

// The export services of the window: the platform's dialogs, the window's frame slots.
class TZELWing::ExportHostOfWindow : public PlatformExportHost {
public:
    explicit ExportHostOfWindow(TZELWing& window) : PlatformExportHost(&window), w_(window) {}
    int MarkParameters(const std::string& names) override { return w_.MarkParameters(names); }
    void PaintTeXFrame(int frame) override { w_.PaintTeXFrame(frame); }
    void PaintEpsFrame(int frame) override { w_.PaintEpsFrame(frame); }

protected:
    int ReadInputNumber(std::string_view text, long double& out) override {
        return w_.ReadNumber(text, out);
    }

private:
    TZELWing& w_;
};

TZELWing::TZELWing(int kind, QString fileName, QString iniName, QWidget* parent)
    : TZELWin(kind, std::move(fileName), std::move(iniName), parent),
      exportHost_(std::make_unique<ExportHostOfWindow>(*this)),
      exports_(*exportHost_) {
    view_.RecomputeView();
    HandleCommand(cmd::kAxes, [this] { ToggleAxes(); });
}

TZELWing::~TZELWing() = default;

// ------------------------------------------------------------------------------ slots

void TZELWing::ViewHistory(int mode) {
    if (mode > 0) {
        history_.Push(SaveViewState());
    } else if (mode == 0) {
        history_.Clear();
    } else if (auto last = history_.Pop()) {
        RestoreViewState(*last);
    }
}

void TZELWing::RecomputeView() {
    view_.RecomputeView();
}

void TZELWing::ZoomView(bool out) {
    TViewFrame next = view_;
    next.Zoom(out);
    if (!AcceptsScale(next)) return;
    ViewHistory(1);
    view_.Zoom(out);
    RecomputeView();
    Redraw();
}

bool TZELWing::AcceptsScale(const TViewFrame& next) {
    if (next.Representable()) return true;
    platform::ErrorMsg(this, kErrOutOfBounds);
    return false;
}

int TZELWing::ReadNumber(std::string_view text, long double& out) {
    // The formula level reads any expression; below it a field holds a plain decimal number.
    return StrToLD(text, out) ? kNoError : kErrCannotUnderstand;
}

void TZELWing::ToggleAxes() {
    ViewHistory(1);
    axes_.axesShown = !axes_.axesShown;
    UpdateMenuChecks(false);
    AxesChanged();
}

int TZELWing::FitTickIntervals(TickRange& range) {
    return TickIndexRange(view_, axes_, view_.logMode != kLogNone, range);
}

void TZELWing::DrawImageFrame(platform::DeviceContext& dc) {
    if (!figure_.frameImage) return;
    TCanvasPrimitives prim = Primitives(dc);
    prim.SetPen(OutputColor(0), PenWidthDev(dc, 0), kStyleSolid);
    prim.ImageFrame();
}

void TZELWing::AxesChanged() {
    MarkModified();
    Redraw();
}

void TZELWing::PaintTeXFrame(int) {}
void TZELWing::PaintEpsFrame(int) {}
int TZELWing::MarkParameters(const std::string&) {
    return 0;
}

// ------------------------------------------------------------------------ setting the view

void TZELWing::SetView(long double cx, long double cy, long double hw, long double hh,
                       bool corners) {
    view_.SetView(cx, cy, hw, hh, corners);
    RecomputeView();
}

void TZELWing::SetViewByMode(long double cx, long double cy, long double hw, long double hh,
                             bool corners) {
    SetView(cx, cy, hw, hh, corners);
    Redraw();
}

void TZELWing::SetViewCentre(long double x, long double y) {
    SetViewCentreSize(x, y, view_.halfWidth);
}

void TZELWing::SetViewCentreSize(long double x, long double y, long double hw) {
    TViewFrame next = view_;
    next.SetView(x, y, hw, 0, false);
    if (!AcceptsScale(next)) return;
    ViewHistory(1);
    SetViewByMode(x, y, hw, 0, false);
}

void TZELWing::RestoreLastView() {
    ViewHistory(-1);
    Redraw();
}

void TZELWing::SetLogCorners(long double l, long double r, long double d, long double u) {
    view_.SetLogCorners(l, r, d, u);
    RecomputeView();
    Redraw();
}

TViewState TZELWing::SaveViewState() const {
    return {view_, axes_};
}

void TZELWing::RestoreViewState(const TViewState& state) {
    const TViewFrame now = view_;
    view_ = state.frame;
    view_.SetAreaSize(now.areaWidth, now.areaHeight);
    view_.leftMargin = now.leftMargin;
    view_.topMargin = now.topMargin;
    axes_ = state.axes;
    RecomputeView();
}

void TZELWing::Redraw() {
    InvalidateImage(ImageLayer::Background);
    Invalidate();
}

// ------------------------------------------------------------------------------ pens

platform::Pen TZELWing::MakePen(const PenTriple& pen) const {
    return MakePenFromParts(pen.colour, pen.width, pen.style);
}

platform::Pen TZELWing::MakePenFromParts(int colour, int width, int style) const {
    const int factor = std::max(Output().highResolutionFactor, 1);
    return platform::Pen{OutputColor(DrawColor(colour)), std::max(width, 1) * factor,
                         platform::PenStyleFromCode(style)};
}

int ScreenMeasureWidth(const platform::DeviceMetrics& metrics) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (metrics == platform::ScreenMetrics(screen))
            return static_cast<int>(std::lround(metrics.widthPixels * screen->devicePixelRatio()));
    return metrics.widthPixels;
}

int TZELWing::PenWidthDev(const platform::DeviceContext& dc, int t) const {
    const long double horzres = std::max(ScreenMeasureWidth(dc.Metrics()), 1);
    const int width = std::max(RoundLD((horzres * (2 * t + 1) - 1023) / 2048), 1);
    return width * std::max(Output().highResolutionFactor, 1);
}

// ------------------------------------------------------------------------------ drawing

TCanvasPrimitives TZELWing::Primitives(platform::DeviceContext& dc) {
    return TCanvasPrimitives(dc, view_, &exports_);
}

void TZELWing::DrawSegment(platform::DeviceContext& dc, WorldPoint p, WorldPoint q, bool clip) {
    Primitives(dc).Segment(p, q, clip);
}

void TZELWing::DrawMarker(platform::DeviceContext& dc, QPoint p, int kind, int size) {
    Primitives(dc).Marker(p, kind, size);
}

void TZELWing::DrawMarkerAt(platform::DeviceContext& dc, WorldPoint p, int kind, int size) {
    QPoint pixel;
    if (PointToScreen(p, pixel)) DrawMarker(dc, pixel, kind, size);
}

void TZELWing::DrawArrowHead(platform::DeviceContext& dc, WorldPoint tip, WorldPoint direction,
                             long double length, bool solid) {
    Primitives(dc).ArrowHead(tip, direction, length, solid);
}

platform::PixelRect TZELWing::LayoutTextBox(platform::DeviceContext& dc, QPoint anchor,
                                            const QString& text, int anchorCode) const {
    return canvas::LayoutTextBox(anchor, dc.TextExtent(text), anchorCode);
}

void TZELWing::DrawTextBox(platform::DeviceContext& dc, const platform::PixelRect& rect,
                           const QString& text, int fontIndex, std::optional<QColor> background) {
    TCanvasPrimitives prim = Primitives(dc);
    if (background) prim.FilledBox(rect, *background);
    const platform::BackgroundMode mode =
        dc.SetBackgroundMode(platform::BackgroundMode::Transparent);
    prim.Text(QPoint(rect.left, rect.top), text, fontIndex, 1, -1, "[lt]");
    dc.SetBackgroundMode(mode);
}

QColor TZELWing::RoleColour(int role) const {
    return OutputColor(DrawColor(Roles().Role(role)));
}

void TZELWing::DrawGridAndAxes(platform::DeviceContext& dc) {
    TickRange range{};
    const bool ticksOk = !(FitTickIntervals(range) & kTicksSwitchedOff);
    AxesLook look;
    look.axisColour = RoleColour(kRoleAxes);
    look.gridColour = RoleColour(kRoleGridLines);
    look.penWidth = PenWidthDev(dc, 0);
    look.numberFont = ToFontSpec(Fonts().Font(kFontScaleNumbers));
    look.labelFont = ToFontSpec(Fonts().Font(kFontAxisLabels));
    look.numberFontIndex = kFontScaleNumbers;
    look.labelFontIndex = kFontAxisLabels;
    look.xLabel = figure_.timeAxisLetters ? QStringLiteral("t") : figure_.axisLabels[0];
    look.yLabel = figure_.timeAxisLetters ? QStringLiteral("x") : figure_.axisLabels[1];
    look.arrowPixels = figure_.arrowheadPixels * std::max(Output().highResolutionFactor, 1);
    look.solidArrows = figure_.solidArrowheads;
    platform::SelectionGuard<platform::FontSpec> font(dc, look.numberFont);
    TCanvasPrimitives prim = Primitives(dc);
    DrawCoordinateSystem(prim, axes_, look, range, ticksOk);
}

void TZELWing::UpdateExportView() {
    ExportView& v = exports_.view;
    view_.CopyGeometryTo(v);
    v.decimalPlaces = Format().places;
    for (int i = 0; i < WindowFonts::kFonts; ++i) {
        const FontRecord& f = Fonts().Font(i);
        v.fonts[static_cast<std::size_t>(i)] =
            ExportFont{f.faceName, f.weight, f.italic != 0, f.escapement, Fonts().PointSize(i)};
    }
    v.background = GetColor(Roles().Role(0)).rgb();
    v.paletteZero = GetColor(0).rgb();
    v.arrowShapeB = figure_.arrowShapeB;
    v.arrowShapeG = figure_.arrowShapeG;
    v.dotsPerInch = platform::ScreenMetrics().pixelsPerInchX;
    v.fileName = FileName();
    v.frameImage = figure_.frameImage;
}

bool TZELWing::InputPositiveShort(std::int16_t& field, int promptId) {
    QString text = QString::number(field);
    if (platform::InputString(this, promptId, promptId, &text, 10) != platform::kIdOk) return false;
    long double value = 0;
    if (const int err = ReadNumber(text.toStdString(), value)) {
        platform::ErrorMsg(this, err);
        return false;
    }
    if (value < 0) {
        platform::ErrorMsg(this, kErrNotPositive);
        return false;
    }
    if (value > 32767) {
        platform::ErrorMsg(this, kErrOutOfBounds);
        return false;
    }
    const auto n = static_cast<std::int16_t>(RoundLD(value));
    if (n == field) return false;
    field = n;
    return true;
}

long double TZELWing::Angle(long double x, long double y) {
    return AngleOf(x, y);
}

// ------------------------------------------------------------------------ window handlers

int TZELWing::DrawAll(platform::DeviceContext& dc) {
    UpdateExportView();
    DrawGridAndAxes(dc);
    DrawImageFrame(dc);
    return 0;
}

int TZELWing::DrawForOutput(platform::DeviceContext& dc) {
    const TViewFrame screenView = view_;
    const TAxesSettings screenAxes = axes_;
    const int screenArrowhead = figure_.arrowheadPixels;
    const double scale = Output().printScale;
    const auto scaled = [scale](int pixels) {
        return static_cast<int>(std::lround(pixels * scale));
    };
    const QSize size = OutputSize();
    view_.SetAreaSize(size.width(), size.height());
    view_.leftMargin = 0;
    view_.topMargin = 0;
    view_.ComputeScales();
    axes_.tickLength = static_cast<std::int16_t>(scaled(axes_.tickLength));
    axes_.minorTickLength = static_cast<std::int16_t>(scaled(axes_.minorTickLength));
    figure_.arrowheadPixels = scaled(figure_.arrowheadPixels);
    const int result = TZELWin::DrawForOutput(dc);
    view_ = screenView;
    axes_ = screenAxes;
    figure_.arrowheadPixels = screenArrowhead;
    return result;
}

void TZELWing::EnableCommand(platform::CommandState& state) {
    if (state.id == cmd::kAxes) state.checked = axes_.axesShown;
    TZELWin::EnableCommand(state);
}

void TZELWing::UpdateMenuChecks(bool flag) {
    CheckMenu(cmd::kAxes, axes_.axesShown);
    TZELWin::UpdateMenuChecks(flag);
}

void TZELWing::SizeChanged(int width, int height) {
    TZELWin::SizeChanged(width, height);
    view_.SetAreaSize(width, height);
    RecomputeView();
}

void TZELWing::CleanupWindow() {
    ViewHistory(0);
    TZELWin::CleanupWindow();
}

}  // namespace quorlin::canvas
