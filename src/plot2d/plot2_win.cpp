#include "plot2d/plot2_win.h"

#include <vector>

#include "canvas/canvas_window.h"
#include "examples/trace_dialog.h"
#include "examples/trace_traj_dialog.h"
#include "platform/key_poll.h"

namespace quorlin::plot2d {

namespace {

constexpr int kCursorRole = 1;
constexpr int kCursorMarker = 10;  // a cross in a square
constexpr int kBaseMarker = 1;     // a disc
constexpr int kMarkerSize = 4;
constexpr int kArrowPixels = 10;
constexpr int kThinVector = 1;
constexpr int kThickVector = 3;
constexpr int kShaftAndHead = 3;  // DrawAtWorldPoint's style

}  // namespace

TPlot2Win::TPlot2Win(QString fileName, QWidget* parent)
    : TPlot111Win(kPlot2DFileKind, std::move(fileName), QStringLiteral("qz2.ini"), 2, parent) {}

TPlot2Win::~TPlot2Win() = default;

TDrawContext TPlot2Win::DrawContext() {
    TDrawContext context{Inventory(), Compiler(), Formulas(), View(), {}, {}, {}};
    context.colour = [this](int index) { return OutputColor(DrawColor(index)); };
    context.penWidth = [this](int width) {
        const int factor = std::max(Output().highResolutionFactor, 1);
        return (Printing().printing ? Output().printLineWidth : std::max(width, 1)) * factor;
    };
    if (!Output().noPolling) context.pollKey = [this] { return platform::PollKey(this); };
    return context;
}

int TPlot2Win::DrawAll(platform::DeviceContext& dc) {
    if (const int stop = TPlot111Win::DrawAll(dc)) return stop;
    for (int i = 0; i <= Inventory().LastIndex(); ++i) {
        if (!Inventory()[i].graphShown) continue;
        if (const int stop = DrawExample(dc, i); stop == kStop) return stop;
    }
    return 0;
}

int TPlot2Win::DrawExample(platform::DeviceContext& dc, int i) {
    TDrawContext context = DrawContext();
    canvas::TCanvasPrimitives prim = Primitives(dc);
    return DrawByKind(context, i, prim);
}

int TPlot2Win::DrawPicture(platform::DeviceContext& dc) {
    if (const int stop = TPlot111Win::DrawPicture(dc)) return stop;
    PaintCurveSlider(dc);
    PaintTrajectorySlider(dc);
    return 0;
}

bool TPlot2Win::PixelOf(Vec3 p, QPoint& pixel) const {
    return PointToScreen({p.x, p.y}, pixel);
}

void TPlot2Win::PaintCurveSlider(platform::DeviceContext& dc) {
    if (!IsCurveSliderShown()) return;
    const examples::TTraceDlg& slider = *CurveSlider();
    const examples::TCursorState& c = slider.Cursor();
    if (!slider.CurveCursor().HasCurve() || !c.positionDefined) return;
    const int colour = Roles().Role(kCursorRole);
    const int width = thickVectors ? kThickVector : kThinVector;
    const long double arrow = kArrowPixels * View().unitsPerPixelX;
    const canvas::WorldPoint at{c.position.x, c.position.y};
    if (slider.SecantsChecked() && !c.secantDegenerate) {
        const canvas::WorldPoint base{c.basePosition.x, c.basePosition.y};
        DrawAtWorldPoint(dc, base, at, arrow, colour, width, true,
                         slider.CurveCursor().IsExplicit() ? 1 : kShaftAndHead);
        if (QPoint pixel; PixelOf(c.basePosition, pixel)) {
            canvas::TCanvasPrimitives prim = Primitives(dc);
            prim.SetPen(OutputColor(DrawColor(colour)), 1, canvas::kStyleSolid);
            prim.Marker(pixel, kBaseMarker, kMarkerSize);
        }
    } else if ((slider.TangentsChecked() || slider.FrenetChecked()) && c.velocityDefined) {
        const canvas::WorldPoint tip{c.position.x + c.velocity.x, c.position.y + c.velocity.y};
        if (slider.CurveCursor().IsExplicit()) {
            // The tangent line across the view.
            const canvas::TViewFrame& v = View();
            const long double reach = (v.right - v.left + v.up - v.down) /
                                      std::max(c.speed, static_cast<long double>(1e-13L));
            DrawAtWorldPoint(dc, {at.x - reach * c.velocity.x, at.y - reach * c.velocity.y},
                             {at.x + reach * c.velocity.x, at.y + reach * c.velocity.y}, 0, colour,
                             width, true, 1);
        } else {
            DrawAtWorldPoint(dc, at, tip, arrow, colour, width, true, kShaftAndHead);
        }
    }
    if (QPoint pixel; PixelOf(c.position, pixel)) {
        canvas::TCanvasPrimitives prim = Primitives(dc);
        prim.SetPen(OutputColor(DrawColor(colour)), 1, canvas::kStyleSolid);
        prim.Marker(pixel, kCursorMarker, kMarkerSize);
    }
}

void TPlot2Win::PaintTrajectorySlider(platform::DeviceContext& dc) {
    if (!IsTrajectorySliderShown()) return;
    const examples::TTraceTrajDlg& slider = *TrajectorySlider();
    const examples::TTrajectory* trajectory = slider.Trajectory();
    if (!trajectory || !slider.Cursor()) return;
    const examples::TTrajectoryCursorState& c = *slider.Cursor();
    const int colour = trajectory->pen.colour;
    const canvas::WorldPoint at{c.state.x, c.state.y};
    const canvas::WorldPoint tip{c.state.x + c.drawn.x, c.state.y + c.drawn.y};
    DrawAtWorldPoint(dc, at, tip, kArrowPixels * View().unitsPerPixelX, colour,
                     thickVectors ? kThickVector : kThinVector, true, kShaftAndHead);
    if (QPoint pixel; PixelOf(c.state, pixel)) {
        canvas::TCanvasPrimitives prim = Primitives(dc);
        prim.SetPen(OutputColor(DrawColor(colour)), 1, canvas::kStyleSolid);
        prim.Marker(pixel, kCursorMarker, kMarkerSize);
    }
}

void TPlot2Win::OpenTrace() {
    ShowCurveSlider("TRACE", kTraceKinds);
}

void TPlot2Win::UpdateDependents(int i) {
    examples::TInventory& inventory = Inventory();
    const int n = inventory.Count();
    std::vector<bool> changed(static_cast<std::size_t>(n), i < 0);
    if (inventory.IsIndex(i)) changed[static_cast<std::size_t>(i)] = true;
    const auto isChanged = [&](int p) {
        return p >= 0 && p < n && changed[static_cast<std::size_t>(p)];
    };
    for (int j = i < 0 ? 0 : i + 1; j < n; ++j) {
        const examples::TExample& e = inventory[j];
        if (e.derivation == 0 || !isChanged(e.parent[0])) continue;
        if (RebuildTangentEntry(j).value_or(false)) {
            changed[static_cast<std::size_t>(j)] = true;
            Compiler().EvaluateRanges(j);
            Compiler().MarkSymbolsOfExample(j);
        }
    }
}

platform::Window* CreatePlot2Window(const NewWindowRequest& request) {
    auto* window = new TPlot2Win(request.fileName);
    canvas::PrepareCanvasWindow(window, request);
    return window;
}

}  // namespace quorlin::plot2d
