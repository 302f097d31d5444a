#include "plot3d/dialogs/obs_dialog.h"

#include <cmath>
#include <numbers>

#include "core/numbers.h"
#include "platform/boxes.h"
#include "plot3d/levels/plot_r_win.h"

namespace quorlin::plot3d {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr int kErrOutOfBounds = 17;
constexpr long double kAngleLimit = 5e18L;

}  // namespace

std::array<long double, 3> ObserverFieldValues(Vec3 e, bool spherical, bool degrees) {
    if (!spherical) return {e.x, e.y, e.z};
    const long double rho = std::sqrt(e.x * e.x + e.y * e.y + e.z * e.z);
    long double theta = AngleOf(e.x, e.y);
    long double phi = rho >= 1e-16L ? std::acos(e.z / rho) : (e.z <= 0 ? kPi : 0);
    if (degrees) {
        theta *= 180 / kPi;
        phi *= 180 / kPi;
    }
    return {rho, theta, phi};
}

TEyeOrError EyeOfFieldValues(std::array<long double, 3> v, bool spherical, bool degrees) {
    if (!spherical) return {{v[0], v[1], v[2]}, 0};
    if (degrees) {
        v[1] *= kPi / 180;
        v[2] *= kPi / 180;
    }
    if (std::fabs(v[1]) > kAngleLimit || std::fabs(v[2]) > kAngleLimit) {
        return {{}, kErrOutOfBounds};
    }
    Vec3 eye{v[0], v[1], v[2]};
    Vec3SphericalInPlace(eye);
    return {eye, 0};
}

TObsDlg::TObsDlg(TPlotRWin& window) : Dialog(&window, "SETOBS"), window_(window) {}

void TObsDlg::SetupWindow() {
    Dialog::SetupWindow();
    SetChecked(kSpherical, false);
    SetChecked(kDegrees, false);
    UpdateLabels();
    ShowValues();
}

void TObsDlg::UpdateLabels() {
    if (IsHidden()) return;
    static constexpr const char* kCartesian[] = {"x =", "y =", "z ="};
    static constexpr const char* kSphericalLabels[] = {"rho =", "theta =", "phi ="};
    const bool spherical = IsChecked(kSpherical);
    for (int k = 0; k < 3; ++k) {
        SetText(kFirstLabel + k,
                QString::fromLatin1(spherical ? kSphericalLabels[k] : kCartesian[k]));
    }
    ShowValues();
}

void TObsDlg::ShowValues() {
    const auto values =
        ObserverFieldValues(window_.Observer().eye, IsChecked(kSpherical), IsChecked(kDegrees));
    for (int k = 0; k < 3; ++k) {
        SetText(kFirstEdit + k, QString::fromStdString(window_.FormatNum(values[k])));
    }
}

int TObsDlg::Apply() {
    std::array<long double, 3> values{};
    int error = 0;
    for (int k = 0; k < 3 && error == 0; ++k) {
        error = window_.ReadNumber(GetText(kFirstEdit + k).left(30).toStdString(), values[k]);
    }
    TEyeOrError eye{};
    if (error == 0) {
        eye = EyeOfFieldValues(values, IsChecked(kSpherical), IsChecked(kDegrees));
        error = eye.error;
    }
    if (error == 0) error = window_.MoveEyeTo(eye.eye);
    if (error != 0) platform::ErrorMsg(this, error);
    return error;
}

void TObsDlg::OnControl(int id) {
    switch (id) {
        case kSpherical:
            UpdateLabels();
            return;
        case kDegrees:
            ShowValues();
            return;
        case kApply:
            Apply();
            return;
        case platform::kIdOk:  // Enter applies nothing: "apply" moves the eye
            return;
        default:
            Dialog::OnControl(id);
    }
}

}  // namespace quorlin::plot3d
