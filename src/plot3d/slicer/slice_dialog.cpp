#include "plot3d/slicer/slice_dialog.h"

#include <array>
#include <utility>

#include "core/text_helpers.h"
#include "examples/operations/slider_units.h"
#include "platform/boxes.h"
#include "plot3d/levels/plot_r_win.h"
#include "resources/resources.h"

namespace quorlin::plot3d {

namespace {

constexpr std::array<int, 8> kSurfaceKinds{301, 302, 303, 306, 307, 315, 316, -1};
constexpr int kStrSlicer = 155;
constexpr int kErrCannotUnderstand = 1;

// The letters of a kind's two parameters.
std::array<char, 2> ParameterLetters(int kind) {
    if (kind == examples::kind::kSurface) return {'x', 'y'};
    if (kind == examples::kind::kPolarSurface) return {'r', 't'};
    return {'t', 'u'};
}

}  // namespace

TSliceDlg::TSliceDlg(TPlotRWin& window)
    : TComboDlg(window, "SLICER",
                std::span<const int>(kSurfaceKinds.data(), kSurfaceKinds.size() - 1)),
      owner_(window) {}

TSliceDlg::~TSliceDlg() {
    // Deleted while a value runs (its surface went, its window ends): the run ends with it, as
    // its callbacks hold this dialog; nothing shows the dialog again on the way out.
    deleting_ = true;
    if (run_) owner_.StopPlaying();
}

void TSliceDlg::setVisible(bool visible) {
    // A dialog hidden while it stands aside for its run gets no hide event, so the run ends here
    // for every hiding: closing, its window hidden, its surface gone.
    if (!visible && run_ && !steppingAside_) owner_.StopPlaying();
    TComboDlg::setVisible(visible);
}

int TSliceDlg::Steps() const {
    return examples::UsableSteps(owner_.SliderSteps(), examples::TSliderSteps::kSlicerSlot).steps;
}

void TSliceDlg::ComboHook17() {
    const examples::TStepPair steps = TakeSliderSteps(kUBar, examples::TSliderSteps::kSlicerSlot);
    TakeSliderSteps(kVBar, examples::TSliderSteps::kSlicerSlot);
    SetScrollPosition(kUBar, steps.steps / 2);
    SetScrollPosition(kVBar, steps.steps / 2);
    EnterConfirms(kUEdit);
    EnterConfirms(kVEdit);
    // The whole typed text is read, however long.
    SetMaxLength(kUEdit, 32767);
    SetMaxLength(kVEdit, 32767);
    setWindowTitle(resources::LoadString(kStrSlicer) + QStringLiteral(" [") +
                   QString::fromStdString(FileNameOnly(owner_.FileName().toStdString(), false)) +
                   QStringLiteral("]"));
    RedrawOwner();
}

void TSliceDlg::SelectionChanged() {
    if (busy_ || SelectedExample() < 0) return;
    const examples::TExample& e = owner_.Inventory()[SelectedExample()];
    u_.low = e.rangeLow[0];
    u_.high = e.rangeHigh[0];
    v_.low = e.rangeLow[1];
    v_.high = e.rangeHigh[1];
    u_.FromBar(ScrollPosition(kUBar), Steps());
    v_.FromBar(ScrollPosition(kVBar), Steps());
    ShowValues();
    EnableTangentButtons();
    RedrawOwner();
}

std::optional<TSliceDlg::TSlicePoint> TSliceDlg::Point() const {
    if ((!isVisible() && !run_) || SelectedExample() < 0) return std::nullopt;
    return TSlicePoint{SelectedExample(), u_.value, v_.value};
}

void TSliceDlg::ShowValues() {
    SetText(kUEdit, QString::fromStdString(owner_.FormatNum(u_.value)));
    SetText(kVEdit, QString::fromStdString(owner_.FormatNum(v_.value)));
    const auto letters = ParameterLetters(SelectedKind());
    SetText(kULabel, owner_.CurrentValueLabel(letters[0]));
    SetText(kVLabel, owner_.CurrentValueLabel(letters[1]));
}

void TSliceDlg::SetBars() {
    SetScrollPosition(kUBar, u_.Bar(Steps()));
    SetScrollPosition(kVBar, v_.Bar(Steps()));
}

void TSliceDlg::RedrawOwner() {
    owner_.InvalidateImage(ImageLayer::Picture);
    owner_.Invalidate();
}

bool TSliceDlg::ReadPoint() {
    long double u = 0, v = 0;
    if (owner_.ReadNumber(GetText(kUEdit).toStdString(), u) > 0) return false;
    if (owner_.ReadNumber(GetText(kVEdit).toStdString(), v) > 0) return false;
    u_.Set(u);
    v_.Set(v);
    SetBars();
    return true;
}

void TSliceDlg::ApplyScrollbarUnits() {
    TakeSliderSteps(kUBar, examples::TSliderSteps::kSlicerSlot);
    TakeSliderSteps(kVBar, examples::TSliderSteps::kSlicerSlot);
    if (!ReadPoint()) SetBars();
    if (!IsHidden()) RedrawOwner();
}

void TSliceDlg::CmOk() {
    if (!ReadPoint()) platform::ErrorMsg(this, kErrCannotUnderstand);
    RedrawOwner();
}

void TSliceDlg::Animate(bool onU, bool reverse) {
    if (SelectedExample() < 0 || owner_.IsPlaying()) return;
    running_ = onU ? &u_ : &v_;
    reverse_ = reverse;
    run_ = TSlicerRun{.position = running_->Bar(Steps()), .direction = 1, .delay = owner_.Delay()};
    // The dialog steps aside while the value runs, and every key goes to the window that runs
    // it, wherever the focus is: Q always ends the run. The slices are drawn whole, so no
    // drawing takes a key meant for the run.
    steppingAside_ = true;
    hide();
    steppingAside_ = false;
    keyRoute_.emplace(owner_, [this] { return run_.has_value(); });
    const bool polling = std::exchange(owner_.Output().noPolling, true);
    owner_.PlayTool([this] { AnimationTick(); }, [this](int key) { AnimationKey(key); },
                    run_->delay, [this, polling] { EndRun(polling); });
    owner_.activateWindow();
}

void TSliceDlg::EndRun(bool polling) {
    owner_.Output().noPolling = polling;
    owner_.SetDelay(run_->delay);
    run_.reset();
    running_ = nullptr;
    keyRoute_.reset();
    if (deleting_) return;
    if (!IsHidden()) show();
    ShowValues();
    SetBars();
}

void TSliceDlg::AnimationTick() {
    if (!run_ || !running_) return;
    running_->FromBar(run_->position, Steps());
    RedrawOwner();
    ShowValues();
    SetBars();
    run_ = AdvanceSlicer(*run_, Steps(), reverse_);
}

void TSliceDlg::AnimationKey(int key) {
    if (!run_) return;
    const int before = run_->delay;
    run_ = SlicerKey(*run_, key);
    if (run_->delay != before) owner_.SetToolPeriod(run_->delay);
}

int TSliceDlg::AddTangent(bool plane) {
    if (SelectedExample() < 0) return 0;
    const std::string uText = GetText(kUEdit).toStdString();
    const std::string vText = GetText(kVEdit).toStdString();
    const TTangentTexts t = ComposeTangentTexts(
        uText, vText, [this](std::string_view text, long double& out, int& letter) {
            return owner_.Formulas().ReadNumberAndLetter(text, out, letter);
        });
    if (t.error != 0) {
        platform::ErrorMsg(this, t.error);
        return t.error;
    }
    for (const auto& [letter, value] : {std::pair{t.uLetter, t.u}, std::pair{t.vLetter, t.v}}) {
        if (letter <= 0) continue;
        owner_.Formulas().SetVar(letter, value);
        owner_.OpenParamDialog(letter);
    }
    busy_ = true;
    const int example = SelectedExample();
    Vec3 point{};
    owner_.EvalEntryPoint(example, point, t.u, t.v);
    if (plane)
        owner_.AddTangentPlane(example, t.text, point);
    else
        owner_.AddTangentLines(example, t.text, point);
    busy_ = false;
    EnableTangentButtons();
    return 0;
}

void TSliceDlg::EnableTangentButtons() {
    const examples::TInventory& inventory = owner_.Inventory();
    EnableControl(kTangentPlane, inventory.LastIndex() < inventory.Capacity());
    EnableControl(kTangentLines, inventory.LastIndex() + 1 < inventory.Capacity());
}

void TSliceDlg::OnControl(int id) {
    switch (id) {
        case kAutoRevU:
        case kAutoCycU:
            return Animate(true, id == kAutoRevU);
        case kAutoRevV:
        case kAutoCycV:
            return Animate(false, id == kAutoRevV);
        case kTangentPlane:
        case kTangentLines:
            AddTangent(id == kTangentPlane);
            return;
        default:
            TComboDlg::OnControl(id);
    }
}

void TSliceDlg::OnNotify(int id, platform::Notification what) {
    if ((id == kUBar || id == kVBar) && what == platform::Notification::Scrolled) {
        TSlicerAxis& axis = id == kUBar ? u_ : v_;
        axis.FromBar(ScrollPosition(id), Steps());
        RedrawOwner();
        SetText(id == kUBar ? kUEdit : kVEdit,
                QString::fromStdString(owner_.FormatNum(axis.value)));
        return;
    }
    TComboDlg::OnNotify(id, what);
}

}  // namespace quorlin::plot3d
