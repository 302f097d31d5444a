#include "plot3d/levelcurves/level_window.h"

#include <cmath>

#include "canvas/coordinate_dialog.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/random.h"
#include "platform/strings.h"
#include "plot3d/levelcurves/direction_dialog.h"
#include "plot3d/levels/plot_r_win.h"
#include "resources/command_ids.h"
#include "shell/fonts.h"

namespace quorlin::plot3d {

namespace cmd = resources::cmd;
namespace k = examples::kind;

namespace {

constexpr int kHintQuit = 1;
constexpr int kRoleCursor = 1;
constexpr int kRoleGradient = 4;
constexpr int kRoleDirection = 5;
constexpr int kStrGrad = 351;
constexpr int kStrDirection = 354;
constexpr int kStrTheta = 278;
constexpr int kStrDerivative = 355;
constexpr int kFontCoordinates = 8;
constexpr int kLabelInset = 6;
constexpr int kArrowStyle = 3;
constexpr int kMostShiftX = 80;
constexpr int kMostShiftY = 30;
constexpr long double kLeastDirection = 1e-16L;

QString Words(int stringId, const std::string& value) {
    return platform::ResourceString(stringId) + QStringLiteral(" = ") +
           QString::fromStdString(value);
}

}  // namespace

TLevelWin::TLevelWin(TPlotRWin& parent, QString title)
    : TPlotQWin(QString(), QStringLiteral("lev.ini"), "LEVELMENU"),
      parent_(parent),
      parentObject_(&parent),
      title_(std::move(title)) {
    SetAcceleratorName("LEVELMENU");
    ShareInventoryOf(parent);
    SetUseDefaults(parent.UseDefaults());
    SetVersion(parent.Version());
    PointMapping().plottedPair = LevelFrame(kLevelVariableZ).pairCode;
    Roles().SetCaptionId(kRoleGradient, kStrGrad);
    Roles().SetCaptionId(kRoleDirection, kStrDirection);
    RegisterCommands();
    RegisterCursorMouse();
}

TLevelWin::~TLevelWin() = default;

void TLevelWin::RegisterCommands() {
    HandleCommand(cmd::kClose, [this] { CloseWindow(); });
    HandleCommand(cmd::kGradient, [this] { ToggleGradient(); });
    HandleCommand(cmd::kDirectionalDerivative, [this] { ToggleDirection(); });
}

// The cursor point follows the left button from a press near it until the release; the right
// button opens the point's coordinates where it was pressed.
class TCursorMouse final : public MouseModeHandler {
public:
    explicit TCursorMouse(TLevelWin& window, bool& dragging)
        : window_(window), dragging_(dragging) {}
    bool Down(const platform::MouseEvent& event) override {
        const canvas::WorldPoint p = window_.ScreenToWorld(event.point);
        if (event.button == platform::MouseButton::Right) {
            dragging_ = false;
            window_.EditCursorPoint(p);
            return true;
        }
        if (event.button != platform::MouseButton::Left) return false;
        dragging_ = StartsCursorDrag(window_.Cursor(), p.x, p.y, window_.View().unitsPerPixelX);
        return true;
    }
    bool Move(const platform::MouseEvent& event) override {
        if (!dragging_) return false;
        // A release the window never saw ends the drag at the next move.
        if (!event.leftHeld) {
            dragging_ = false;
            return true;
        }
        const canvas::WorldPoint p = window_.ScreenToWorld(event.point);
        window_.MoveCursorTo(p.x, p.y);
        return true;
    }
    bool Up(const platform::MouseEvent& event) override {
        if (!dragging_) return false;
        if (event.button == platform::MouseButton::Left) dragging_ = false;
        return true;
    }

private:
    TLevelWin& window_;
    bool& dragging_;
};

void TLevelWin::RegisterCursorMouse() {
    HandleMouseMode(cmd::kMouseCursor, std::make_unique<TCursorMouse>(*this, dragging_));
}

void TLevelWin::SetupWindow() {
    TPlotQWin::SetupWindow();
    ResetWindow();
    ApplyIniSettings();
    const int mode = MouseMode();
    if (mode != cmd::kMouseText && mode != cmd::kMousePaste && mode != cmd::kMouseCoordinates &&
        mode != cmd::kMouseCursor)
        SetMouseMode(cmd::kMouseCoordinates);
    Tracer().loopClosing = 0;
    Tracer().loopClosingPixels = kLevelLoopClosingPixels;
    if (!IniPlacement()) {
        const QRect usual = DefaultGeometry();
        const int side = usual.width() * 3 / 5;
        OuterWidget()->setGeometry(RandomInt() % kMostShiftX,
                                   usual.top() + RandomInt() % kMostShiftY, side, side);
    }
    directionDialog_ = new TPctDlg(*this, theta_);
    directionDialog_->Create();
    directionDialog_->HideDialog();
    UpdateCaption();
}

void TLevelWin::CleanupWindow() {
    if (MouseMode() == cmd::kMouseCursor) RepaintParentLater();
    if (directionDialog_) delete directionDialog_.data();
    CollectIniSettings();
    TPlotQWin::CleanupWindow();
}

void TLevelWin::ShowLevel(const TLevelRequest& request) {
    if (!Inventory().IsIndex(request.example)) return;
    example_ = request.example;
    Level().variable = static_cast<std::int16_t>(request.variable);
    Level().value = request.value;
    examples::TExample& e = Inventory()[example_];
    e.LevelSearch() = request.search ? 1 : 0;
    e.LevelSearchUntilQ() = request.untilQ ? 1 : 0;
    e.LevelSearchProgress() = request.progress ? 1 : 0;

    Roles().SetRole(examples::kRoleTrajectory, parent_.Roles().Role(examples::kRoleTrajectory));
    Format() = parent_.Format();
    SceneBox() = parent_.SceneBox();
    Formulas().vars = parent_.Formulas().vars;

    const TLevelFrame frame = LevelFrame(request.variable);
    PointMapping().plottedPair = frame.pairCode;
    Figure().axisLabels[0] = QString::fromStdString(frame.horizontal);
    Figure().axisLabels[1] = QString::fromStdString(frame.vertical);

    const bool onlyCurrent = request.search || request.currentOnly;
    Level().tolerance = LevelTolerance(onlyCurrent, Format().places, Unbounded());
    const int mode = MouseModeAfterShow(MouseMode(), onlyCurrent);
    if (mode != MouseMode()) TPlotQWin::SetMouseMode(mode);

    const std::array<long double, 3> low{e.boxMin.x, e.boxMin.y, e.boxMin.z};
    const std::array<long double, 3> high{e.boxMax.x, e.boxMax.y, e.boxMax.z};
    const auto h = static_cast<std::size_t>(frame.horizontalAxis);
    const auto v = static_cast<std::size_t>(frame.verticalAxis);
    const long double cx = (low[h] + high[h]) / 2;
    const long double cy = (low[v] + high[v]) / 2;
    SetView(cx, cy, kLevelViewMargin * (high[h] - low[h]), kLevelViewMargin * (high[v] - low[v]),
            false);
    cursor_.x = cx;
    cursor_.y = cy;
    UpdateCursorValues();
    if (!CursorAllowed(request.variable, e.kind)) {
        gradientOn_ = false;
        directionOn_ = false;
    }
    if (directionOn_ && directionDialog_) directionDialog_->ShowDialog();
    UpdateMenuChecks(false);
}

void TLevelWin::ExampleRenumbered(int i) {
    if (i == example_) return;
    example_ = i;
    InvalidateImage(ImageLayer::Background);
    Invalidate();
}

void TLevelWin::ExamplesChanged() {
    // What the shown level took from the parent, taken again: a parameter is among the variables.
    SceneBox() = parent_.SceneBox();
    Formulas().vars = parent_.Formulas().vars;
    UpdateCursorValues();
    InvalidateImage(ImageLayer::Background);
    Invalidate();
}

int TLevelWin::DrawNow() {
    InvalidateImage(ImageLayer::Background);
    RenderImage(ImageLayer::Picture);
    Invalidate();
    return lastKey_;
}

int TLevelWin::DrawAll(platform::DeviceContext& dc) {
    lastKey_ = 0;
    TPlotQWin::DrawAll(dc);
    if (!Inventory().IsIndex(example_)) return 0;
    if (!Output().noPolling) {
        setFocus();
        ShowKeyHint(kHintQuit);
    }
    lastKey_ = DrawTracedCurves(dc, example_);
    UpdateCaption();
    // The next level window the parent makes starts with these colours.
    parent_.LevelWindowColours() = {Roles().Role(0), Roles().Role(kRoleCursor)};
    return lastKey_;
}

int TLevelWin::DrawPicture(platform::DeviceContext& dc) {
    TPlotQWin::DrawPicture(dc);
    if (MouseMode() != cmd::kMouseCursor || !Inventory().IsIndex(example_)) return 0;
    DrawCursorLevelCurve(dc);
    if (directionOn_) {
        if (std::fabs(cursor_.direction[0]) + std::fabs(cursor_.direction[1]) > kLeastDirection)
            DrawCursorArrow(dc, cursor_.direction, kRoleDirection);
        DrawCornerText(dc, Words(kStrTheta, FormatNum(theta_)), kRoleDirection, false, true);
        DrawCornerText(dc, Words(kStrDerivative, FormatNum(cursor_.derivative)), kRoleDirection,
                       true, true);
    }
    if (gradientOn_) {
        if (std::fabs(cursor_.gradient[0]) + std::fabs(cursor_.gradient[1]) >=
            View().unitsPerPixelX)
            DrawCursorArrow(dc, cursor_.gradient, kRoleGradient);
        DrawCornerText(
            dc,
            Words(kStrGrad, FormatCoordinates(cursor_.gradient[0], cursor_.gradient[1], '[', ']')),
            kRoleGradient, false, false);
    }
    return 0;
}

int TLevelWin::DrawCursorLevelCurve(platform::DeviceContext& dc) {
    examples::TExample& e = Inventory()[example_];
    const std::int16_t cursorColour = Roles().Role(kRoleCursor);
    // The point itself, in the cursor colour.
    canvas::TCanvasPrimitives prim = Primitives(dc);
    prim.SetPen(RoleColour(kRoleCursor), 1, 5);
    QPoint pixel;
    if (PointToScreen({cursor_.x, cursor_.y}, pixel)) DrawMarker(dc, pixel, 0, 3);

    // The curve is traced into the example's list and taken out again: only its picture stays.
    const auto savedVars = Formulas().vars;
    const std::int16_t newCurveColour = Roles().Role(examples::kRoleTrajectory);
    Roles().SetRole(examples::kRoleTrajectory, cursorColour);
    const std::size_t before = e.trajectories.size();
    int key = 0;
    if (examples::TTrajectoryTools* tools = TrajectoryTools())
        key =
            tools->AddAndTraceSystemTrajectory(dc, example_, {cursor_.x, cursor_.y, cursor_.z}, 0);
    const std::size_t added = e.trajectories.size() - before;
    e.trajectories.erase(e.trajectories.begin(),
                         e.trajectories.begin() + static_cast<std::ptrdiff_t>(added));
    Roles().SetRole(examples::kRoleTrajectory, newCurveColour);
    Formulas().vars = savedVars;

    DrawCornerText(dc, QStringLiteral("z = ") + QString::fromStdString(FormatNum(cursor_.z)),
                   kRoleCursor, true, false);
    return key == kKeyStop ? kKeyStop : 0;
}

void TLevelWin::DrawCursorArrow(platform::DeviceContext& dc, std::array<long double, 2> v,
                                int role) {
    const canvas::WorldPoint tail{cursor_.x, cursor_.y};
    const canvas::WorldPoint tip{cursor_.x + v[0], cursor_.y + v[1]};
    // The head is twice the window's arrowhead, measured in pixels of the view.
    const long double head = 2.0L * Figure().arrowheadPixels * View().unitsPerPixelX;
    DrawAtWorldPoint(dc, tail, tip, head, Roles().Role(role), 1, true, kArrowStyle);
}

int TLevelWin::LabelInset() const {
    if (!Printing().printing) return kLabelInset;
    return static_cast<int>(std::lround(kLabelInset * Output().printScale));
}

void TLevelWin::DrawCornerText(platform::DeviceContext& dc, const QString& text, int role,
                               bool right, bool bottom) {
    const int m = LabelInset();
    const QSize area = OutputSize();
    canvas::TCanvasPrimitives prim = Primitives(dc);
    dc.Select(ToFontSpec(Fonts().Font(kFontCoordinates)));
    const QColor old = dc.SetTextColor(RoleColour(role));
    const platform::BackgroundMode mode =
        dc.SetBackgroundMode(platform::BackgroundMode::Transparent);
    const QPoint p(right ? area.width() - m : m, bottom ? area.height() - m : m);
    prim.Text(p, text, kFontCoordinates, right ? -1 : 1, bottom ? 1 : -1,
              right ? (bottom ? "[rb]" : "[rt]") : (bottom ? "[lb]" : "[lt]"));
    dc.SetBackgroundMode(mode);
    dc.SetTextColor(old);
}

void TLevelWin::SetDirectionAngle(long double theta) {
    theta_ = theta;
    SetCursorDirection(theta_, cursor_);
    PictureChanged();
}

void TLevelWin::UpdateCursorValues() {
    if (MouseMode() != cmd::kMouseCursor || !Inventory().IsIndex(example_)) return;
    plot3d::UpdateCursorValues(Formulas(), Inventory()[example_], theta_, cursor_);
}

void TLevelWin::MoveCursorTo(long double x, long double y) {
    cursor_.x = x;
    cursor_.y = y;
    UpdateCursorValues();
    RedrawParent();
    PictureChanged();
}

void TLevelWin::EditCursorPoint(canvas::WorldPoint at) {
    canvas::WorldPoint p = at;
    canvas::TEditCoorDlg dialog(*this, "LAGPT", p, {.deleteAllowed = false, .mustLieInView = true});
    if (dialog.Execute() != platform::kIdOk) return;
    MoveCursorTo(p.x, p.y);
}

void TLevelWin::SetMouseMode(int id) {
    const int old = MouseMode();
    TPlotQWin::SetMouseMode(id);
    if (old != cmd::kMouseCursor && id != cmd::kMouseCursor) return;
    dragging_ = false;
    UpdateCursorValues();
    RedrawParent();
    PictureChanged();
}

void TLevelWin::ToggleGradient() {
    gradientOn_ = !gradientOn_;
    UpdateMenuChecks(false);
    PictureChanged();
}

void TLevelWin::ToggleDirection() {
    directionOn_ = !directionOn_;
    if (directionDialog_) {
        if (directionOn_)
            directionDialog_->ShowDialog();
        else
            directionDialog_->HideDialog();
    }
    UpdateMenuChecks(false);
    PictureChanged();
}

void TLevelWin::PictureChanged() {
    InvalidateImage(ImageLayer::Picture);
    Invalidate();
}

// However this window closes (its "Close", its title bar, its parent's end), the parent's
// screen shows the cursor's curve until it paints again without it. The parent may be closing
// itself, half torn down: nothing of it is touched now. The repaint is posted to it and runs
// from the event loop, after this window's deferred end, and only while the parent stands.
void TLevelWin::RepaintParentLater() {
    QObject* context = parentObject_.data();
    if (!context) return;
    QMetaObject::invokeMethod(
        context,
        [parent = &parent_, alive = parentObject_] {
            if (alive) parent->Invalidate();
        },
        Qt::QueuedConnection);
}

void TLevelWin::RedrawParent() {
    if (parentRedraw_) {
        parentRedraw_();
        return;
    }
    // The parent's picture stands: its saved image is shown again with the cursor's curve.
    parent_.RedrawPrepared();
}

void TLevelWin::EnableCommand(platform::CommandState& state) {
    TPlotQWin::EnableCommand(state);
    const bool surface = Inventory().IsIndex(example_);
    switch (state.id) {
        case cmd::kMouseCursor:
            state.enabled = surface && CursorAllowed(Level().variable, Inventory()[example_].kind);
            break;
        case cmd::kGradient:
        case cmd::kDirectionalDerivative:
            state.enabled = MouseMode() == cmd::kMouseCursor;
            break;
        default:
            break;
    }
}

void TLevelWin::UpdateMenuChecks(bool flag) {
    CheckMenu(cmd::kGradient, gradientOn_);
    CheckMenu(cmd::kDirectionalDerivative, directionOn_);
    TPlotQWin::UpdateMenuChecks(flag);
}

void TLevelWin::NumberFormatChanged() {
    TPlotQWin::NumberFormatChanged();
    PictureChanged();
}

}  // namespace quorlin::plot3d
