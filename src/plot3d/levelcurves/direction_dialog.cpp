#include "plot3d/levelcurves/direction_dialog.h"

#include <QKeyEvent>

#include "core/errors.h"
#include "core/numbers.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "plot3d/levelcurves/level_model.h"
#include "plot3d/levelcurves/level_window.h"

namespace quorlin::plot3d {

namespace {

constexpr int kCannotUnderstand = 1;
constexpr int kStrDirection = 354;
constexpr int kStrTheta = 278;
constexpr int kMaxFieldChars = 255;
// Everything but the field and the bar stays hidden.
constexpr int kHidden[] = {212, 804, 805, 738, 740, 7, 271, 2};

}  // namespace

TPctDlg::TPctDlg(TLevelWin& window, long double& theta)
    : Dialog(&window, "SPARAM"), window_(window), theta_(theta) {}

int TPctDlg::Units() const {
    const auto units = window_.SliderSteps().steps[static_cast<std::size_t>(kStepsSlot)];
    return std::max(1, static_cast<int>(std::min<std::uint32_t>(units, 1u << 30)));
}

void TPctDlg::InitBar() {
    const int units = Units();
    SetScrollRange(kBar, 0, units);
    SetScrollPageStep(
        kBar,
        static_cast<int>(window_.SliderSteps().pageSteps[static_cast<std::size_t>(kStepsSlot)]));
    programmatic_ = true;
    SetScrollPosition(kBar, PositionOfAngle(theta_, units));
    programmatic_ = false;
    ShowAngle();
}

void TPctDlg::SetupWindow() {
    Dialog::SetupWindow();
    InitBar();
    setWindowTitle(platform::ResourceString(kStrDirection) + QStringLiteral(" (") +
                   platform::ResourceString(kStrTheta) + QStringLiteral(")"));
    ready_ = true;
    for (const int id : kHidden) ShowControl(id, false);
}

void TPctDlg::ShowAngle() {
    SetText(kValue, QString::fromStdString(window_.FormatNum(theta_)));
}

void TPctDlg::BarMoved(int position) {
    if (ready_ && !programmatic_) {
        theta_ = AngleOfPosition(position, Units());
        window_.SetDirectionAngle(theta_);
    }
    ShowAngle();
}

int TPctDlg::CmOk() {
    const QString typed = GetText(kValue);
    long double value = 0;
    if (window_.ReadNumber(typed.left(kMaxFieldChars).toStdString(), value) != kNoError ||
        !std::isfinite(value)) {
        platform::ErrorMsg(this, kCannotUnderstand);
        return kCannotUnderstand;
    }
    theta_ = NormalizedAngle(value);
    programmatic_ = true;
    SetScrollPosition(kBar, PositionOfAngle(theta_, Units()));
    programmatic_ = false;
    window_.SetDirectionAngle(theta_);
    // An expression such as pi/3 stays as it was typed.
    SetText(kValue, typed);
    return kNoError;
}

void TPctDlg::OnControl(int id) {
    // Enter reads the field; Esc does nothing: the window's command hides the dialog.
    if (id == platform::kIdOk) CmOk();
}

void TPctDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        CmOk();
        event->accept();
        return;
    }
    Dialog::keyPressEvent(event);
}

void TPctDlg::OnNotify(int id, platform::Notification what) {
    if (id == kBar && what == platform::Notification::Scrolled) BarMoved(ScrollPosition(kBar));
}

}  // namespace quorlin::plot3d
