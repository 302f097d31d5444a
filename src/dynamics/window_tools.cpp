#include "dynamics/window_tools.h"

#include <algorithm>
#include <memory>

#include "dynamics/trajectory_actions.h"
#include "dynamics/trajectory_drawing.h"
#include "examples/records/inventory_listing.h"
#include "platform/boxes.h"
#include "platform/frame_window.h"
#include "resources/command_ids.h"

namespace quorlin::dynamics {

namespace {

namespace kind = examples::kind;
namespace mask = examples::tools_mask;

// The dialogs in slot order, by kind remainder.
constexpr std::array<int, 4> kWhich{10, 11, 12, 20};
constexpr std::array<std::uint16_t, 4> kDialogBits{mask::kIvp10, mask::kIvp11, mask::kIvp12,
                                                   mask::kIvp20};

int SlotOf(int which) {
    const auto it = std::find(kWhich.begin(), kWhich.end(), which);
    return it == kWhich.end() ? -1 : static_cast<int>(it - kWhich.begin());
}

// The dy/dx, derx(n,y) and sequence dialogs work on an example of their kind that the window
// has; the system dialog can start from its own fields.
bool NeedsExampleOfKind(int which) {
    return which == 11 || which == 12 || which == 20;
}

}  // namespace

TWindowTrajectoryTools::TWindowTrajectoryTools(examples::TPlot11Win& window) : window_(window) {}

TWindowTrajectoryTools::~TWindowTrajectoryTools() {
    Close();
}

TIvpDlg* TWindowTrajectoryTools::Dialog(int which) const {
    const int slot = SlotOf(which);
    return slot < 0 ? nullptr : dialogs_[static_cast<std::size_t>(slot)].data();
}

TLinkedWin* TWindowTrajectoryTools::TimeWindow(int index) const {
    return IsLinkedWindow(LinkedKind::kTime, index) ? time_[static_cast<std::size_t>(index)].data()
                                                    : nullptr;
}

TLinkedWin* TWindowTrajectoryTools::PhaseWindow(int index) const {
    return IsLinkedWindow(LinkedKind::kPhase, index)
               ? phase_[static_cast<std::size_t>(index)].data()
               : nullptr;
}

std::vector<int> TWindowTrajectoryTools::KindsOf(int which) const {
    const bool space = window_.Dimension() >= 3;
    switch (which) {
        case 10:
            return {space ? kind::kSpaceSystem : kind::kSystem};
        case 11:
            return space ? std::vector<int>{} : std::vector<int>{kind::kSlope};
        case 12:
            return {space ? kind::kSpaceSequence : kind::kSequence};
        case 20:
            return space ? std::vector<int>{} : std::vector<int>{kind::kHigherOrder};
        default:
            return {};
    }
}

void TWindowTrajectoryTools::OpenIvp(int which) {
    const int slot = SlotOf(which);
    const std::vector<int> kinds = KindsOf(which);
    if (slot < 0 || kinds.empty()) return;
    if (NeedsExampleOfKind(which) &&
        examples::FindExampleOfKind(window_.Inventory(), std::span<const int>(kinds)) < 0) {
        platform::ErrorMsg(&window_, kErrNotEnoughExamples);
        return;
    }
    auto& dialog = dialogs_[static_cast<std::size_t>(slot)];
    if (!dialog) {
        std::int16_t* example = &window_.KeptTools().ivpExamples[static_cast<std::size_t>(slot)];
        switch (which) {
            case 10:
                dialog = new TIvp10Dlg(window_, kinds, example);
                break;
            case 11:
                dialog = new TIvp11Dlg(window_, example);
                break;
            case 12:
                dialog = new TIvp12Dlg(window_, kinds, example);
                break;
            default:
                dialog = new TIvp20Dlg(window_, example);
                break;
        }
        dialog->Create();
    }
    for (auto& other : dialogs_)
        if (other && other != dialog && !other->IsHidden()) other->HideDialog();
    dialog->RefillLists();
    dialog->ShowDialog();
    dialog->raise();
    window_.SetMouseMode(resources::cmd::kMouseTrajectories);
    window_.UpdateMenuChecks(false);
}

void TWindowTrajectoryTools::OpenLinked(LinkedKind kind, int index) {
    if (!IsLinkedWindow(kind, index)) return;
    auto& slot = kind == LinkedKind::kTime ? time_[static_cast<std::size_t>(index)]
                                           : phase_[static_cast<std::size_t>(index)];
    if (!slot) {
        TLinkedWin* linked = kind == LinkedKind::kTime
                                 ? static_cast<TLinkedWin*>(new TTimeWin(window_, index))
                                 : new TPhasWin(window_, index);
        slot = linked;
        platform::ShowOwnedWindow(linked, &window_);
    }
    slot->CopyTolerances();
    slot->InvalidateImage(ImageLayer::Background);
    slot->ShowWindow();
    slot->OuterWidget()->raise();
}

void TWindowTrajectoryTools::OpenTimeWindow(int index) {
    OpenLinked(LinkedKind::kTime, index);
}

void TWindowTrajectoryTools::OpenPhaseWindow(int index) {
    OpenLinked(LinkedKind::kPhase, index);
}

std::uint16_t TWindowTrajectoryTools::OpenMask() const {
    std::uint16_t bits = 0;
    for (std::size_t k = 0; k < dialogs_.size(); ++k)
        if (dialogs_[k] && !dialogs_[k]->IsHidden()) bits |= kDialogBits[k];
    for (const TLinkedWin* linked : ShownLinkedWindows())
        bits |= LinkedMaskBit(linked->Kind(), linked->Index());
    return bits;
}

std::vector<TLinkedWin*> TWindowTrajectoryTools::ShownLinkedWindows() const {
    std::vector<TLinkedWin*> shown;
    for (const auto& w : time_)
        if (w && !w->platform::Window::IsHidden()) shown.push_back(w.data());
    for (const auto& w : phase_)
        if (w && !w->platform::Window::IsHidden()) shown.push_back(w.data());
    return shown;
}

void TWindowTrajectoryTools::PointTraced(const examples::TLinkedPoint& point) {
    for (TLinkedWin* linked : ShownLinkedWindows()) linked->PlotLinkedPoint(point);
}

void TWindowTrajectoryTools::TrajectoryRetraced(int i, const examples::TTrajectory& trajectory) {
    for (TLinkedWin* linked : ShownLinkedWindows()) linked->RetraceTrajectory(i, trajectory);
}

void TWindowTrajectoryTools::RepaintLinked() {
    for (TLinkedWin* linked : ShownLinkedWindows()) {
        linked->InvalidateImage(ImageLayer::Background);
        linked->Invalidate();
    }
}

void TWindowTrajectoryTools::InventoryChanged() {
    for (auto& dialog : dialogs_)
        if (dialog) dialog->RefillLists();
    RepaintLinked();
}

void TWindowTrajectoryTools::CloseDialogs(bool force) {
    for (auto& dialog : dialogs_) {
        if (!dialog) continue;
        bool kept = !force;
        if (kept) {
            const auto& inventory = window_.Inventory();
            kept = false;
            for (int k = 0; k <= inventory.LastIndex() && !kept; ++k)
                kept = dialog->Accepts(inventory[k].kind);
        }
        if (!kept) delete dialog.data();
    }
}

void TWindowTrajectoryTools::CaptionChanged() {
    for (auto& dialog : dialogs_)
        if (dialog) dialog->SetCaption();
}

void TWindowTrajectoryTools::ViewChanged() {
    for (auto& w : time_)
        if (w) w->CopyTolerances();
    for (auto& w : phase_)
        if (w) w->CopyTolerances();
    // The parent's view bounds its trajectories: the linked windows trace them again.
    RepaintLinked();
}

void TWindowTrajectoryTools::Close() {
    for (auto& dialog : dialogs_) delete dialog.data();
    const auto close = [](QPointer<TLinkedWin>& w) {
        if (!w) return;
        w->AllowClose();
        w->CloseWindow();
        // A window that was never shown in a host goes here; a host deletes itself and it.
        if (w && !w->HostFrame()) delete w.data();
        w = nullptr;
    };
    for (auto& w : time_) close(w);
    for (auto& w : phase_) close(w);
}

void TWindowTrajectoryTools::Hide() {
    for (auto& dialog : dialogs_)
        if (dialog) dialog->HideDialog();
    for (TLinkedWin* w : ShownLinkedWindows()) w->HideWindow();
}

bool TWindowTrajectoryTools::IsIvpShown(int which) const {
    const TIvpDlg* dialog = Dialog(which);
    return dialog && !dialog->IsHidden();
}

int TWindowTrajectoryTools::TimeWindowBackground(int index) const {
    const TLinkedWin* w = TimeWindow(index);
    return w ? w->Roles().Role(0) : 0;
}

void TWindowTrajectoryTools::DiagramReplaced() {
    const auto& inventory = window_.Inventory();
    bool linked = false;
    for (int k = 0; k <= inventory.LastIndex() && !linked; ++k)
        linked = IsLinkedKind(inventory[k].kind);
    for (TLinkedWin* w : ShownLinkedWindows()) {
        if (linked)
            w->FollowParent();
        else
            w->HideWindow();
    }
}

int TWindowTrajectoryTools::DrawTrajectoryFamily(platform::DeviceContext& dc, int i) {
    canvas::TCanvasPrimitives prim = window_.Primitives(dc);
    return TTrajectoryPainter(window_, prim).DrawTrajectoryFamily(i);
}

int TWindowTrajectoryTools::DrawSystemTrajectories(platform::DeviceContext& dc, int i,
                                                   bool levelFilter) {
    canvas::TCanvasPrimitives prim = window_.Primitives(dc);
    return TTrajectoryPainter(window_, prim).DrawSystemTrajectories(i, levelFilter);
}

int TWindowTrajectoryTools::AddAndTraceSystemTrajectory(platform::DeviceContext& dc, int i,
                                                        Vec3 start, int direction) {
    canvas::TCanvasPrimitives prim = window_.Primitives(dc);
    return dynamics::AddAndTraceSystemTrajectory(window_, prim, i, start, direction);
}

int TWindowTrajectoryTools::StartTrajectoryAtMouse(QPoint point, bool watch) {
    const canvas::WorldPoint w = window_.ScreenToWorld(point);
    return StartTrajectoryAt({w.x, w.y, 0}, watch);
}

int TWindowTrajectoryTools::StartTrajectoryAt(Vec3 start, bool watch) {
    for (auto& dialog : dialogs_) {
        if (!dialog || dialog->IsHidden()) continue;
        if (dialog->Example() < 0) return 0;
        return dialog->DrawFrom(start, watch);
    }
    return 0;
}

void InstallTrajectoryTools() {
    examples::SetTrajectoryToolsMaker([](examples::TPlot11Win& window) {
        return std::make_unique<TWindowTrajectoryTools>(window);
    });
}

}  // namespace quorlin::dynamics
