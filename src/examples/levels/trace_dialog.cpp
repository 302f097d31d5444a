#include "examples/levels/trace_dialog.h"

#include "core/errors.h"
#include "examples/levels/plot111_win.h"
#include "examples/levels/slider_numerics.h"
#include "platform/boxes.h"
#include "platform/strings.h"

namespace quorlin::examples {

namespace {

constexpr int kStrUndefined = 85;
constexpr int kStrSlope = 275;
constexpr int kStrCurvature = 284;
constexpr int kStrSpeed = 285;
constexpr int kStrVelocity = 286;

std::string ResourceWord(int id) {
    return platform::ResourceString(id).toStdString();
}

QString Trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed();
}

}  // namespace

TTraceDlg::TTraceDlg(TPlot111Win& window, std::string_view templateName, std::span<const int> kinds)
    : TComboDlg(window, templateName, kinds),
      host_(window),
      cursor_(window.Formulas(), window.Dimension(), IntrinsicCurveHooks(window.Formulas())) {
    words_ = {ResourceWord(kStrUndefined), ResourceWord(kStrSpeed), ResourceWord(kStrSlope),
              ResourceWord(kStrVelocity), ResourceWord(kStrCurvature)};
}

TExample* TTraceDlg::Curve() const {
    const int i = SelectedExample();
    if (!host_.Inventory().IsIndex(i)) return nullptr;
    return &host_.Inventory()[i];
}

bool TTraceDlg::SecantsChecked() const {
    return IsChecked(kSecants);
}
bool TTraceDlg::TangentsChecked() const {
    return IsChecked(kTangents);
}
bool TTraceDlg::FrenetChecked() const {
    return host_.Dimension() >= 3 && HasControl(kFrenet) && IsChecked(kFrenet);
}

TVectorChecks TTraceDlg::Checks() const {
    return {SecantsChecked(), TangentsChecked(), FrenetChecked()};
}

// ------------------------------------------------------------------------------ set-up

void TTraceDlg::SetupWindow() {
    steps_ = TakeSliderSteps(kBar, TSliderSteps::kCurveSlot);
    SetScrollPosition(kBar, steps_.steps / 2);
    EnterConfirms(kParameter);
    SetChecked(kSecants, false);
    SetChecked(kTangents, false);
    if (HasControl(kFrenet)) SetChecked(kFrenet, false);
    SetChecked(kThick, host_.SliderChoice().thickVectors);
    ClearList(kDegree);
    for (int d = 0; d <= kMaxTaylorDegree; ++d) AddString(kDegree, QString::number(d));
    SetSelectedIndex(kDegree, 1);
    degree_ = 1;
    if (host_.View().logMode != canvas::kLogNone) {
        for (int id : {kDegreeLabel, kTaylor, kBasePoint, kMarkPoint, kSecants, kTangents, kThick,
                       kDegree, kVectorReadout})
            ShowControl(id, false);
    }
    ready_ = true;
    TComboDlg::SetupWindow();
    EnableControls();
}

void TTraceDlg::ApplyStepUnits() {
    long double v = 0;
    const bool read = host_.ReadNumber(GetText(kParameter).toStdString(), v) == 0;
    steps_ = TakeSliderSteps(kBar, TSliderSteps::kCurveSlot);
    const bool inside = read && InRange(v, cursor_.Low(), cursor_.High());
    SetScrollPosition(kBar, inside ? BarPosition(v, cursor_.Low(), cursor_.High(), steps_.steps)
                                   : steps_.steps / 2);
}

// ------------------------------------------------------------------------------ the curve

void TTraceDlg::SelectionChanged() {
    TExample* curve = Curve();
    if (!curve) return;
    cursor_.Select(*curve);
    SetChecked(kSecants, false);
    secantsWereOn_ = false;
    SetText(kParameterLabel, QString::fromStdString(cursor_.ParameterLabel()));
    EnableControls();
    if (!ready_) return;
    MoveToBar();
    ShowReadouts();
    host_.Repaint();
}

void TTraceDlg::SelectionKept() {
    TExample* curve = Curve();
    if (!curve) return;
    // The curve may have been edited: its range and trees are taken again; the cursor stays at
    // its parameter and the secants keep their base. The window may have drawn its picture with
    // the old cursor already, so it is drawn again.
    const long double v = cursor_.State().parameter;
    cursor_.Select(*curve);
    MoveCursor(v);
    SetBar(v);
    EnableControls();
    ShowReadouts();
    host_.Repaint();
}

void TTraceDlg::SelectionLost() {
    cursor_.Clear();
    SetChecked(kSecants, false);
    secantsWereOn_ = false;
    SetText(kPositionReadout, {});
    SetText(kVectorReadout, {});
    EnableControls();
    host_.Repaint();
}

void TTraceDlg::EnableControls() {
    const bool curve = Curve() != nullptr && cursor_.HasCurve();
    for (int id : {kBar, kParameter, kSecants, kTangents, kFrenet, kBasePoint})
        if (HasControl(id)) EnableControl(id, curve);
    const bool adds = curve && !cursor_.IsIntrinsic() && host_.Inventory().HasRoom();
    EnableControl(kTaylor, adds);
    EnableControl(kMarkPoint, adds);
}

// ------------------------------------------------------------------------------ the cursor

bool TTraceDlg::MoveCursor(long double v) {
    TExample* curve = Curve();
    if (!curve) return false;
    return cursor_.MoveTo(*curve, v, SecantsChecked());
}

bool TTraceDlg::MoveToBar() {
    return MoveCursor(BarValue(cursor_.Low(), cursor_.High(), steps_.steps, ScrollPosition(kBar)));
}

void TTraceDlg::SetBar(long double v) {
    SetScrollPosition(kBar, BarPosition(v, cursor_.Low(), cursor_.High(), steps_.steps));
}

void TTraceDlg::ShowReadouts() {
    const NumberFormat& format = host_.Format();
    SetText(kParameter, Trimmed(format.FormatNum(cursor_.State().parameter)));
    SetText(kPositionReadout, QString::fromStdString(cursor_.PositionText(format, words_)));
    ShowVectorReadout();
}

void TTraceDlg::ShowVectorReadout() {
    SetText(kVectorReadout,
            QString::fromStdString(cursor_.VectorText(host_.Format(), words_, Checks())));
}

void TTraceDlg::OnNotify(int id, platform::Notification what) {
    if (id == kBar && what == platform::Notification::Scrolled) {
        if (!Curve()) return;
        MoveToBar();
        ShowReadouts();
        host_.Repaint();
        return;
    }
    if (id == kDegree && what == platform::Notification::SelectionChanged) {
        const int d = SelectedIndex(kDegree);
        if (IsTaylorDegree(d)) degree_ = d;
        return;
    }
    TComboDlg::OnNotify(id, what);
}

void TTraceDlg::OnControl(int id) {
    switch (id) {
        case kSecants:
        case kTangents:
        case kThick:
        case kFrenet:
            CmChecks();
            return;
        case kTaylor:
            CmTaylor();
            return;
        case kMarkPoint:
            CmMarkPoint();
            return;
        case kBasePoint:
            CmBasePoint();
            return;
        default:
            TComboDlg::OnControl(id);
    }
}

void TTraceDlg::CmOk() {
    if (!Curve()) return;
    long double v = 0;
    int error = host_.ReadNumber(GetText(kParameter).toStdString(), v);
    if (error == 0 && !InRange(v, cursor_.Low(), cursor_.High())) error = kErrOutOfBounds;
    if (error != 0) {
        platform::ErrorMsg(this, error);
        return;
    }
    MoveCursor(v);
    SetBar(v);
    ShowReadouts();
    host_.Repaint();
}

bool TTraceDlg::ReadParameter(long double& v, std::string& text) {
    text = GetText(kParameter).trimmed().toStdString();
    int letter = 0;
    if (const int error = host_.Formulas().ReadNumberAt(text, v, letter)) {
        platform::ErrorMsg(this, error);
        return false;
    }
    if (letter > 0) {
        // The parameter took the value; the new example follows the parameter from now on.
        text = std::string(1, static_cast<char>('A' + letter - 1));
        host_.OpenParamDialog(letter);
        host_.ExampleChanged(letter);
    }
    return true;
}

void TTraceDlg::CmTaylor() {
    const int curve = SelectedExample();
    if (!Curve()) return;
    long double v = 0;
    std::string centre;
    if (!ReadParameter(v, centre)) return;
    // The cursor goes where the bar goes, so that the readouts tell of the new example's point.
    MoveCursor(v);
    SetBar(v);
    ShowReadouts();
    host_.AddTaylorPolynomial(curve, degree_, centre);
}

void TTraceDlg::CmMarkPoint() {
    const int curve = SelectedExample();
    if (!Curve()) return;
    long double v = 0;
    std::string parameter;
    if (!ReadParameter(v, parameter)) return;
    if (!MoveCursor(v)) return;
    SetBar(v);
    ShowReadouts();
    host_.SliderChoice().pointToolUsed = true;
    host_.AddMarkedPoint(curve, parameter);
}

void TTraceDlg::CmChecks() {
    host_.SliderChoice().thickVectors = IsChecked(kThick);
    const bool secants = SecantsChecked();
    if (secants && !secantsWereOn_) cursor_.SetBase();
    secantsWereOn_ = secants;
    if (Curve()) MoveCursor(cursor_.State().parameter);
    ShowVectorReadout();
    host_.Repaint();
}

void TTraceDlg::CmBasePoint() {
    if (!SecantsChecked()) return;
    cursor_.SetBase();
    ShowVectorReadout();
    host_.Repaint();
}

}  // namespace quorlin::examples
