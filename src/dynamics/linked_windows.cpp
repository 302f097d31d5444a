#include "dynamics/linked_windows.h"

#include <algorithm>
#include <cmath>

#include "dynamics/trajectory_drawing.h"
#include "platform/strings.h"
#include "shell/ini_file.h"

namespace quorlin::dynamics {

namespace {

namespace kind = examples::kind;
using examples::TLinkedPoint;

constexpr int kPairTX = 9, kPairTY = 10, kPairTZ = 12;
constexpr int kPairXY = 3, kPairZX = 5;
// Times a time window shows at first.
constexpr long double kFirstTime = -0.5L;
constexpr long double kLastTime = 10.0L;
constexpr int kWidestPen = 25;
constexpr int kPlacementStep = 24;  // pixels between the places of two linked windows

struct Range {
    long double low = 0;
    long double high = 0;
    Range Join(const Range& other) const {
        return {std::min(low, other.low), std::max(high, other.high)};
    }
};

}  // namespace

bool IsLinkedKind(int k) {
    return k == kind::kSystem || k == kind::kSlope || k == kind::kSequence ||
           k == kind::kHigherOrder || k == kind::kSpaceSystem || k == kind::kSpaceSequence;
}

TLinkedWin::TLinkedWin(examples::TPlot11Win& parent, LinkedKind kind, int index)
    : TPlot1Win(0, QString(),
                kind == LinkedKind::kTime ? TimeWindowIniName(index) : PhaseWindowIniName(index),
                2),
      parent_(parent),
      kind_(kind),
      index_(index),
      track_(LinkedPairs(kind, index, parent.Dimension()).size()) {
    SetMenuName("TIMEMENU");
    SetAcceleratorName("TIMEMENU");
    SetUseDefaults(parent.Switches().childrenUseDefaults);
    Printing().colourPrinter = parent.Printing().colourPrinter;
    SetVersion(parent.Version());
}

TLinkedWin::~TLinkedWin() = default;

std::vector<int> TLinkedWin::Pairs() const {
    return LinkedPairs(kind_, index_, parent_.Dimension());
}

QString TLinkedWin::NormalCaption() const {
    const int caption = kind_ == LinkedKind::kTime ? kStrTimeWindow : kStrPlane;
    return platform::ResourceString(caption) + QStringLiteral(" ") +
           QString::fromStdString(LinkedName(kind_, index_, parent_.Dimension()));
}

void TLinkedWin::SetupWindow() {
    TPlot1Win::SetupWindow();
    if (!IniPlacement()) {
        // Beside the parent's usual place, each window a step further down and right.
        const int step =
            kPlacementStep * (index_ + (kind_ == LinkedKind::kPhase ? kTimeWindowCount : 0));
        const QRect usual = DefaultGeometry();
        const int side = usual.width() * 4 / 5;
        OuterWidget()->setGeometry(usual.right() + step, usual.top() + step, side, side);
    }
    NameAxes();
    FitViewToParent();
    CopyTolerances();
    UpdateCaption();
}

void TLinkedWin::NameAxes() {
    const std::string name = LinkedName(kind_, index_, parent_.Dimension());
    if (kind_ == LinkedKind::kTime) {
        Figure().axisLabels[0] = QStringLiteral("t");
        Figure().axisLabels[1] = QString::fromStdString(name.substr(0, name.find('(')));
    } else {
        Figure().axisLabels[0] = QString(QChar(name[0]));
        Figure().axisLabels[1] = QString(QChar(name[1]));
    }
}

void TLinkedWin::FitViewToParent() {
    // The range of each coordinate the parent shows: its view in a plane window (z, which a
    // plane window has only for derx equations as y', takes y's), its scene box in space.
    std::array<Range, 3> ranges;
    if (parent_.Dimension() >= 3) {
        const auto& box = parent_.SceneBox();
        ranges = {Range{box.min.x, box.max.x}, Range{box.min.y, box.max.y},
                  Range{box.min.z, box.max.z}};
    } else {
        const canvas::TViewFrame& v = parent_.View();
        ranges = {Range{v.left, v.right}, Range{v.down, v.up}, Range{v.down, v.up}};
    }
    Range horizontal{kFirstTime, kLastTime};
    Range vertical;
    bool first = true;
    for (const int pair : Pairs()) {
        Range h, w;
        switch (pair) {
            case kPairTX:
            case kPairTY:
            case kPairTZ:
                h = {kFirstTime, kLastTime};
                w = ranges[static_cast<std::size_t>(pair == kPairTX ? 0 : pair == kPairTY ? 1 : 2)];
                break;
            case kPairXY:
                h = ranges[0];
                w = ranges[1];
                break;
            case kPairZX:
                h = ranges[2];
                w = ranges[0];
                break;
            default:  // (y, z)
                h = ranges[1];
                w = ranges[2];
                break;
        }
        horizontal = first ? h : horizontal.Join(h);
        vertical = first ? w : vertical.Join(w);
        first = false;
    }
    const auto half = [](const Range& r) {
        const long double h = (r.high - r.low) / 2;
        return std::isfinite(h) && h > 0 ? h : 1.0L;
    };
    SetView((horizontal.low + horizontal.high) / 2, (vertical.low + vertical.high) / 2,
            half(horizontal), half(vertical), true);
}

void TLinkedWin::FollowParent() {
    NameAxes();
    FitViewToParent();
    CopyTolerances();
    UpdateCaption();
    InvalidateImage(ImageLayer::Background);
    Invalidate();
}

void TLinkedWin::CopyTolerances() {
    const examples::TTracerSettings& from = parent_.Tracer();
    examples::TTracerSettings& to = Tracer();
    to.zeroVectorPixels = from.zeroVectorPixels;
    to.loopClosingPixels = from.loopClosingPixels;
    to.thirdPixels = from.thirdPixels;
    to.stepLength = from.stepLength;
    to.ScaleTolerances(View().unitsPerPixelX);
}

void TLinkedWin::PlotLinkedPoint(const TLinkedPoint& point) {
    std::vector<std::optional<Vec2>> points;
    for (const int pair : Pairs()) {
        auto plot = examples::SelectAxisPair(pair, point.position, point.t, parent_.Dimension(),
                                             parent_.Observer(), parent_.SceneBox());
        if (plot && !(std::isfinite(plot->x) && std::isfinite(plot->y))) plot.reset();
        points.push_back(plot);
    }
    const auto segments = track_.Step(points, point.draw);
    if (segments.empty()) return;
    const auto draw = [&](platform::DeviceContext& dc) {
        canvas::TCanvasPrimitives prim(dc, View(), nullptr);
        prim.SetPen(OutputColor(DrawColor(point.pen.colour)),
                    std::clamp<int>(point.pen.width, 1, kWidestPen), point.pen.DrawnStyle());
        for (const auto& s : segments) prim.Segment({s.from.x, s.from.y}, {s.to.x, s.to.y}, true);
    };
    // Both layers, so that the step stays when the picture is put together again; a stale
    // layer is drawn afresh, with the whole trajectory, at the next paint.
    if (DrawOnImage(ImageLayer::Background, draw)) DrawOnImage(ImageLayer::Picture, draw);
    Invalidate();
}

void TLinkedWin::RetraceTrajectory(int i, const examples::TTrajectory& trajectory) {
    if (!parent_.Inventory().IsIndex(i) || !IsLinkedKind(parent_.Inventory()[i].kind)) return;
    TTrajectoryPainter painter(parent_, *this, Pairs());
    TTracedCurves traced;
    painter.Trace(i, trajectory, traced);
    if (DrawOnImage(ImageLayer::Background, [&](platform::DeviceContext& dc) {
            canvas::TCanvasPrimitives prim(dc, View(), nullptr);
            painter.DrawTraced(traced, prim);
        }))
        InvalidateImage(ImageLayer::Picture);
    Invalidate();
}

int TLinkedWin::DrawAll(platform::DeviceContext& dc) {
    if (const int stop = TPlot1Win::DrawAll(dc)) return stop;
    canvas::TCanvasPrimitives prim = Primitives(dc);
    TTrajectoryPainter painter(parent_, *this, prim, Pairs());
    auto& inventory = parent_.Inventory();
    for (int k = 0; k <= inventory.LastIndex(); ++k) {
        const examples::TExample& e = inventory[k];
        if (!e.graphShown || !IsLinkedKind(e.kind)) continue;
        if (const int key = painter.DrawTrajectories(k)) return key;
    }
    return 0;
}

bool TLinkedWin::CanClose() {
    if (closing_) return true;
    HideWindow();
    return false;
}

}  // namespace quorlin::dynamics
