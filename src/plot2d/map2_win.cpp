#include "plot2d/map2_win.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "platform/frame_window.h"
#include "platform/screen_metrics.h"

namespace quorlin::plot2d {

namespace {

// The grid lines drawn through a map: at most this many each way.
constexpr int kMaxGridLines = 200;

// Multiples of the interval within [low, high].
std::vector<long double> Multiples(long double interval, long double low, long double high) {
    std::vector<long double> values;
    if (!(interval > 0) || !std::isfinite(interval)) return values;
    const long double first = std::ceil(low / interval);
    for (long double k = first; k * interval <= high && values.size() < kMaxGridLines; ++k)
        values.push_back(k * interval);
    return values;
}

}  // namespace

TMap2Win::TMap2Win(QString fileName, QString iniName, std::string_view menu, bool complex,
                   QWidget* parent)
    : TPlotEWin(kPlot2DFileKind, std::move(fileName), std::move(iniName), menu, parent),
      complex_(complex) {
    SetMapWindow(true);
    Formulas().complexMode = complex;
    Formulas().ResetVariables();
}

QString TMap2Win::DefaultExtension() const {
    return ::quorlin::DefaultExtension(complex_ ? WindowKind::MapZ : WindowKind::MapXY).mid(1);
}

// ------------------------------------------------------------------------------ domain

TDom2Win::TDom2Win(QString fileName, bool complex, QWidget* parent)
    : TMap2Win(std::move(fileName), QStringLiteral("dom2.ini"), "MAPMENU", complex, parent) {}

TDom2Win::~TDom2Win() {
    // A range window that was never hosted belongs to this window.
    if (range_ && !range_->HostFrame()) delete range_.data();
}

void TDom2Win::SetupWindow() {
    TMap2Win::SetupWindow();
    if (range_) return;
    auto* range = new TRan2Win(*this);
    range->SetUseDefaults(true);
    range_ = range;
    platform::FrameWindow* frame = HostFrame();
    if (!frame) return;
    frame->AddChild(range);
    PlacePairSideBySide();
}

void TDom2Win::PlacePairSideBySide() {
    // Beside the domain window, so that both show: when the two do not fit across the frame,
    // both shrink alike (keeping their shape) and the domain moves left.
    const QRect area = PlacementArea();
    QRect place = OuterWidget()->geometry();
    if (2 * place.width() > area.width() && place.width() > 0) {
        const double shrink = area.width() / (2.0 * place.width());
        place.setSize(QSize(area.width() / 2, static_cast<int>(place.height() * shrink)));
    }
    place.moveLeft(std::clamp(place.left(), area.left(), area.right() + 1 - 2 * place.width()));
    OuterWidget()->setGeometry(platform::FitInside(place, area));
    range_->OuterWidget()->setGeometry(
        platform::FitInside(OuterWidget()->geometry().translated(place.width(), 0), area));
}

void TDom2Win::CleanupWindow() {
    if (range_ && range_->HostFrame()) range_->OuterWidget()->close();
    TMap2Win::CleanupWindow();
}

int TDom2Win::MapIndex() const {
    const examples::TInventory& inv = Inventory();
    if (inv.IsIndex(ExampleBook().current) && IsMapKind(inv[ExampleBook().current].kind))
        return ExampleBook().current;
    return FindNewestMapExample(inv);
}

int TDom2Win::DrawExamples(platform::DeviceContext& dc) {
    if (MapIndex() >= 0) {
        const TMapGrid grid = Grid();
        DrawThrough(dc, [&](TDrawEnvironment& env) {
            const canvas::TViewFrame& v = View();
            env.target.SetPen(grid.pen);
            for (const long double x : grid.xs) {
                const std::array<Vec2, 2> line{Vec2{x, v.down}, Vec2{x, v.up}};
                env.target.Polyline(line);
            }
            for (const long double y : grid.ys) {
                const std::array<Vec2, 2> line{Vec2{v.left, y}, Vec2{v.right, y}};
                env.target.Polyline(line);
            }
            return 0;
        });
    }
    return TMap2Win::DrawExamples(dc);
}

void TDom2Win::SetCurrentExample(int i) {
    const int before = MapIndex();
    TMap2Win::SetCurrentExample(i);
    if (MapIndex() == before) return;
    // The domain's own grid lines follow the map as well.
    InvalidateImage(ImageLayer::Background);
    Invalidate();
    RangeChanged();
}

void TDom2Win::InventoryChanged(int selectLast) {
    TMap2Win::InventoryChanged(selectLast);
    RangeChanged();
}

TMapGrid TDom2Win::Grid() const {
    const canvas::TViewFrame& v = View();
    TMapGrid grid;
    grid.xs = Multiples(Axes().xInterval, v.left, v.right);
    grid.ys = Multiples(Axes().yInterval, v.down, v.up);
    grid.pen = {Roles().Role(2), 1, 0};
    return grid;
}

int TDom2Win::DrawAll(platform::DeviceContext& dc) {
    const int stop = TMap2Win::DrawAll(dc);
    RangeChanged();
    return stop;
}

void TDom2Win::RangeChanged() {
    if (!range_) return;
    range_->InvalidateImage(ImageLayer::Background);
    range_->Invalidate();
}

void TDom2Win::SketchErased() {
    TMap2Win::SketchErased();
    RangeChanged();
}

void TDom2Win::SketchPointAdded(const examples::TSketchPoint& point) {
    TMap2Win::SketchPointAdded(point);
    RangeChanged();
}

void TDom2Win::ClearSketches() {
    TMap2Win::ClearSketches();
    RangeChanged();
}

// ------------------------------------------------------------------------------ range

TRan2Win::TRan2Win(TDom2Win& domain, QWidget* parent)
    : TMap2Win(
          QStringLiteral("range") +
              ::quorlin::DefaultExtension(domain.Complex() ? WindowKind::MapZ : WindowKind::MapXY),
          QStringLiteral("ran2.ini"), "RANGEMENU", domain.Complex(), parent),
      domain_(&domain) {
    PointMapping().readoutMaps = true;
}

int TRan2Win::DrawExamples(platform::DeviceContext& dc) {
    TDom2Win* domain = domain_;
    if (!domain) return 0;
    const TPlotSpace domainSpace = PlotSpaceOf(domain->View());
    return DrawThrough(dc, [&](TDrawEnvironment& env) {
        FormulaContext& ctx = domain->Formulas();
        const int map = domain->MapIndex();
        int stop = DrawThroughMap(env.target, ctx, domain->Inventory(), domain->Drawers(), map,
                                  domainSpace, domain->Grid());
        if (stop != 0 || !domain->Inventory().IsIndex(map)) return stop;
        // The sketch of the domain, stroke by stroke.
        PlaneMap planeMap = MapOf(ctx, domain->Inventory()[map]);
        if (!planeMap) return 0;
        TMappedTarget mapped(env.target, domainSpace, std::move(planeMap));
        std::vector<Vec2> stroke;
        const auto flush = [&] {
            mapped.Polyline(stroke);
            stroke.clear();
        };
        for (const examples::TSketchPoint& s : domain->Sketch()) {
            if (s.type == examples::TSketchPoint::kHead) {
                flush();
                mapped.SetPen({Roles().Role(examples::kRoleSketch),
                               static_cast<std::uint16_t>(std::max<int>(s.pen.width, 1)), 0});
            } else if (s.type == examples::TSketchPoint::kEnd) {
                flush();
            } else {
                stroke.push_back({s.x, s.y});
            }
        }
        flush();
        return 0;
    });
}

// ------------------------------------------------------------------------------ creators

namespace {

platform::Window* CreateMapPair(const NewWindowRequest& request, bool complex) {
    auto* window = new TDom2Win(request.fileName, complex);
    NewWindowRequest plain = request;
    plain.logMode = 0;
    PrepareWindow(window, plain);
    return window;
}

}  // namespace

platform::Window* CreateMapWindowXY(const NewWindowRequest& request) {
    return CreateMapPair(request, false);
}

platform::Window* CreateMapWindowZ(const NewWindowRequest& request) {
    return CreateMapPair(request, true);
}

}  // namespace quorlin::plot2d
