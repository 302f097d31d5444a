#include "examples/levels/plot111_win.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "core/errors.h"
#include "examples/operations/slider_units.h"
#include "examples/levels/trace_dialog.h"
#include "examples/levels/trace_traj_dialog.h"
#include "platform/boxes.h"
#include "resources/command_ids.h"

namespace quorlin::examples {

namespace cmd = resources::cmd;

namespace {

constexpr int kProtectScrollbarUnits = 2;  // bit of the file's protection mask
constexpr int kCalibFieldLength = 20;

}  // namespace

TPlot111Win::TPlot111Win(int kind, QString fileName, QString iniName, int dimension,
                         QWidget* parent)
    : TPlot11Win(kind, std::move(fileName), std::move(iniName), dimension, parent) {
    HandleCommand(cmd::kTraceSlider, [this] { OpenTrace(); });
    HandleCommand(cmd::kTrajectorySlider, [this] { OpenTrajectorySlider(); });
    HandleCommand(cmd::kScrollbarUnits, [this] { CmScrollbarUnits(); });
}

TPlot111Win::~TPlot111Win() {
    // The sliders read this window while they go: they go first.
    delete trajectorySlider_.data();
    delete curveSlider_.data();
}

void TPlot111Win::HideWindow() {
    if (trajectorySlider_) trajectorySlider_->HideDialog();
    if (curveSlider_) curveSlider_->HideDialog();
    TPlot11Win::HideWindow();
}

void TPlot111Win::CleanupWindow() {
    if (trajectorySlider_) trajectorySlider_->HideDialog();
    if (curveSlider_) curveSlider_->HideDialog();
    TPlot11Win::CleanupWindow();
}

TTraceDlg* TPlot111Win::CurveSlider() const {
    return curveSlider_;
}

TTraceTrajDlg* TPlot111Win::TrajectorySlider() const {
    return trajectorySlider_;
}

bool TPlot111Win::IsCurveSliderShown() const {
    return curveSlider_ && !curveSlider_->IsHidden();
}

bool TPlot111Win::IsTrajectorySliderShown() const {
    return trajectorySlider_ && !trajectorySlider_->IsHidden();
}

// ------------------------------------------------------------------------------ sliders

void TPlot111Win::OpenTrace() {}

void TPlot111Win::ShowCurveSlider(std::string_view templateName, std::span<const int> kinds) {
    if (!curveSlider_) {
        curveSlider_ = new TTraceDlg(*this, templateName, kinds);
        curveSlider_->Create();
    } else {
        curveSlider_->RefillLists();
    }
    curveSlider_->ShowDialog();
    curveSlider_->raise();
    Repaint();
}

void TPlot111Win::OpenTrajectorySlider() {
    const int kinds[] = {Dimension() * 100 + 10};
    if (!trajectorySlider_) {
        trajectorySlider_ = new TTraceTrajDlg(*this, kinds);
        trajectorySlider_->Create();
    } else {
        trajectorySlider_->RefillLists();
    }
    trajectorySlider_->ShowDialog();
    UpdateMenuChecks(false);
    Repaint();
}

bool TPlot111Win::HasSystemTrajectory() const {
    const int system = Dimension() * 100 + 10;
    const auto& entries = Inventory().Entries();
    return std::any_of(entries.begin(), entries.end(), [system](const TInventoryEntry& e) {
        return e.example.kind == system && !e.example.trajectories.empty();
    });
}

void TPlot111Win::InventoryChanged(int selectLast) {
    TPlot11Win::InventoryChanged(selectLast);
    if (curveSlider_) curveSlider_->RefillLists();
    if (trajectorySlider_) trajectorySlider_->RefillLists();
}

void TPlot111Win::TrajectoriesChanged() {
    TPlot11Win::TrajectoriesChanged();
    if (trajectorySlider_) trajectorySlider_->RefillTrajectories();
}

void TPlot111Win::ExamplesRemoved(std::span<const int> oldToNew) {
    TPlot11Win::ExamplesRemoved(oldToNew);
    RenumberSliders(oldToNew);
}

bool TPlot111Win::SwapExamples(int a, int b) {
    if (!TPlot11Win::SwapExamples(a, b)) return false;
    std::vector<int> map(static_cast<std::size_t>(Inventory().Count()));
    std::iota(map.begin(), map.end(), 0);
    std::swap(map[static_cast<std::size_t>(a)], map[static_cast<std::size_t>(b)]);
    RenumberSliders(map);
    return true;
}

void TPlot111Win::RenumberSliders(std::span<const int> map) {
    // The sliders follow their examples at once, before anything else can ask them.
    for (TComboDlg* slider : {static_cast<TComboDlg*>(curveSlider_.data()),
                              static_cast<TComboDlg*>(trajectorySlider_.data())}) {
        if (!slider) continue;
        slider->ExamplesRenumbered(map);
        slider->RefillLists();
    }
}

// ------------------------------------------------------------------------------ units

void TPlot111Win::CmScrollbarUnits() {
    if (!CheckPassword(kProtectScrollbarUnits)) return;
    TSliderSteps& table = SliderSteps();
    const TCalibrationTexts shown = CalibrationTexts(UsableSteps(table, 0));
    QString small = QString::fromStdString(shown.small);
    QString medium = QString::fromStdString(shown.medium);
    platform::TGenDlg dialog(this, "CALIB",
                             {{&small, kCalibFieldLength}, {&medium, kCalibFieldLength}});
    if (dialog.Execute() != platform::kIdOk) return;
    long double a = 0, b = 0;
    int error = ReadNumber(small.toStdString(), a);
    if (error == 0) error = ReadNumber(medium.toStdString(), b);
    TStepPair steps;
    if (error == 0) error = ReadCalibration(a, b, steps);
    if (error != 0) {
        platform::ErrorMsg(this, error);
        return;
    }
    table.steps[0] = static_cast<std::uint32_t>(steps.steps);
    table.pageSteps[0] = static_cast<std::uint32_t>(steps.pageSteps);
    ApplyScrollbarUnits();
    MarkModified();
}

void TPlot111Win::ApplyScrollbarUnits() {
    TSliderSteps& table = SliderSteps();
    ApplyParameterUnits();
    const auto copySlot0 = [&table](int slot) {
        table.steps[static_cast<std::size_t>(slot)] = table.steps[0];
        table.pageSteps[static_cast<std::size_t>(slot)] = table.pageSteps[0];
    };
    if (IsCurveSliderShown()) {
        copySlot0(TSliderSteps::kCurveSlot);
        curveSlider_->ApplyStepUnits();
    }
    if (IsTrajectorySliderShown()) {
        copySlot0(TSliderSteps::kTrajectorySlot);
        trajectorySlider_->ApplyStepUnits();
    }
}

void TPlot111Win::EnableCommand(platform::CommandState& state) {
    if (state.id == cmd::kTrajectorySlider) state.enabled = HasSystemTrajectory();
    TPlot11Win::EnableCommand(state);
}

}  // namespace quorlin::examples
