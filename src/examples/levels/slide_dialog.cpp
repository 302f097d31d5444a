#include "examples/levels/slide_dialog.h"

#include <QLineEdit>
#include <QPointer>

#include "examples/levels/plot_win.h"
#include "platform/boxes.h"
#include "platform/text_codec.h"

namespace quorlin::examples {

namespace {

using platform::ControlKind;

// The value field takes at most this many characters, the stop time of '@' this many.
constexpr int kMaxValueText = 255;
constexpr int kMaxStopText = 120;

std::string_view TemplateOf(int slot) {
    if (slot == kAllLettersSlot) return "PARAMS";
    return slot < 1 ? "TPARAM" : "SPARAM";
}

// The text of a field as the number reader takes it; a character outside the code page makes
// it unreadable.
std::string FieldText(const platform::Dialog& dlg, int id) {
    return ToWindows1252(dlg.GetText(id)).value_or("\x01");
}

char LetterOf(int letter) {
    return letter == kTimeSlot ? '@' : static_cast<char>('A' + letter - 1);
}

}  // namespace

// ------------------------------------------------------------------------------ bar

TParamBar::TParamBar(TSlideDlg& dialog, TParameterSlider& slider)
    : dialog_(dialog), slider_(slider) {}

void TParamBar::Show() {
    if (!slider_.HasBar()) return;
    const TBarState& bar = slider_.Bar();
    dialog_.SetScrollRange(TSlideDlg::kBar, 0, bar.steps);
    dialog_.SetScrollPageStep(TSlideDlg::kBar, bar.page);
    dialog_.SetScrollPosition(TSlideDlg::kBar, bar.position);
}

void TParamBar::SetPosition(int position) {
    slider_.Scrolled(position);
    dialog_.ShowValue();
}

// ------------------------------------------------------------------------------ dialog

TSlideDlg::TSlideDlg(TPlotWin& window, int slot)
    : platform::Dialog(&window, TemplateOf(slot)),
      window_(window),
      slider_(window.Formulas(), window.SliderSteps(), slot, window.Format().places),
      bar_(*this, slider_) {}

void TSlideDlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    SetMaxLength(kValueEdit, kMaxValueText);
    SetMaxLength(kFieldEdit, slider_.HasBar() ? kMaxValueText : kMaxStopText);
    // Enter in the value field applies the value.
    if (auto* edit = qobject_cast<QLineEdit*>(Control(kValueEdit, ControlKind::Edit)))
        connect(edit, &QLineEdit::returnPressed, this, [this] { CmOk(); });
    slider_.SetupBar();
    bar_.Show();
    ShowCaption();
    SetChecked(kCheck, false);
    SetText(kFieldEdit, slider_.HasBar() ? QString::number(slider_.Slides()) : QString());
    if (slider_.AllLetters()) {
        ClearList(kLetterList);
        for (int letter = 1; letter <= kLastLetterSlot; ++letter)
            AddString(kLetterList, QString(QChar(LetterOf(letter))));
        SetSelectedIndex(kLetterList, 0);
    }
    ShowValue();
}

void TSlideDlg::ShowCaption() {
    setWindowTitle(TPlotWin::CurrentValueLabel(LetterOf(slider_.Letter())));
}

void TSlideDlg::ShowValue() {
    SetText(kValueEdit, FromWindows1252(slider_.ValueText()));
}

void TSlideDlg::ShowSlidesControls(bool show) {
    for (int id : {kSlidesLabel, kCheck, kFieldEdit}) ShowControl(id, show);
}

void TSlideDlg::UpdateBar() {
    slider_.UpdateBar();
    bar_.Show();
    ShowValue();
}

void TSlideDlg::Refresh() {
    if (!slider_.IntegerMode()) slider_.SetupBar();
    UpdateBar();
}

void TSlideDlg::ApplyDecimalPlaces(int places) {
    slider_.ApplyPlaces(places);
    ShowValue();
}

void TSlideDlg::ApplyUnits(int steps, int page) {
    slider_.ApplyUnits(steps, page);
    bar_.Show();
}

void TSlideDlg::OnControl(int id) {
    switch (id) {
        case platform::kIdOk:
            CmOk();
            return;
        case platform::kIdCancel:
            HideDialog();
            return;
        case kSetLeft:
            CmSetLeft();
            return;
        case kSetRight:
            CmSetRight();
            return;
        case kAutoRev:
            CmPlay(true);
            return;
        case kAutoCyc:
            CmPlay(false);
            return;
        default:
            return;
    }
}

void TSlideDlg::OnNotify(int id, platform::Notification what) {
    if (id == kBar && what == platform::Notification::Scrolled) {
        bar_.SetPosition(ScrollPosition(kBar));
        window_.ExampleChanged(slider_.Letter());
        window_.MarkModified();
    } else if (id == kLetterList && what == platform::Notification::SelectionChanged) {
        EvLetterSelChange();
    }
}

void TSlideDlg::CmOk() {
    const TParameterSlider::EnterResult result = slider_.Enter(FieldText(*this, kValueEdit));
    if (result.error != 0) {
        platform::ErrorMsg(this, result.error);
        return;
    }
    if (result.mode != TParameterSlider::ModeSwitch::None)
        ShowSlidesControls(result.mode == TParameterSlider::ModeSwitch::Off);
    bar_.Show();
    window_.ExampleChanged(slider_.Letter());
    window_.MarkModified();
    ShowValue();
}

void TSlideDlg::CmSetLeft() {
    if (slider_.SetLeft(FieldText(*this, kValueEdit))) EndMoved();
}

void TSlideDlg::CmSetRight() {
    if (slider_.SetRight(FieldText(*this, kValueEdit))) EndMoved();
}

void TSlideDlg::EndMoved() {
    bar_.Show();
    ShowValue();
    // The value moved to the new end: the diagram shows it.
    window_.ExampleChanged(slider_.Letter());
    window_.MarkModified();
}

void TSlideDlg::CmPlay(bool bounce) {
    if (window_.IsPlaying()) return;
    const TPlayRequest r = slider_.Play(bounce, IsChecked(kCheck), FieldText(*this, kFieldEdit));
    if (r.error != 0) platform::ErrorMsg(this, r.error);
    if (r.player == TPlayer::None) return;
    // Hidden while the player runs, shown again with the value it stopped at.
    HideDialog();
    const QPointer<TSlideDlg> self(this);
    auto done = [self] {
        if (!self) return;
        self->ShowDialog();
        self->UpdateBar();
    };
    switch (r.player) {
        case TPlayer::Slides:
            window_.PlaySlides(r.slot, r.bounce, r.count, done);
            return;
        case TPlayer::IntegerSteps:
            window_.StepIntegerParameter(r.slot, r.bounce, r.count, done);
            return;
        default:
            window_.Animation().realTime = r.realTime;
            window_.AnimateParameters(r.slot, r.bounce, r.stopAtEnd, r.stopTime, done);
            return;
    }
}

void TSlideDlg::EvLetterSelChange() {
    if (!slider_.SelectLetter(SelectedIndex(kLetterList))) return;
    bar_.Show();
    ShowCaption();
    ShowValue();
}

}  // namespace quorlin::examples
