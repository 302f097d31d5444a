#pragma once
// TObsDlg: the modeless "observer coordinates" dialog (template "SETOBS") of a 3D window. It
// shows the eye in cartesian or spherical coordinates ("degrees" for the angles) and moves the
// eye to typed coordinates with "apply": every field is read as an expression; an eye whose
// box coordinates x and y lie within -2..2 is "too close" (115), one more than 10000 box sizes
// from the focus "too far" (118), an angle beyond 5e18 is out of bounds (17), and a refusal
// changes nothing. The window creates it hidden and keeps it; "close" hides it; while it shows,
// every observer move refreshes it.
#include <array>
#include <optional>

#include "core/vectors.h"
#include "platform/dialog.h"

namespace quorlin::plot3d {

class TPlotRWin;

// The three values the dialog shows for an eye: (x, y, z), or (rho, theta, phi) with the
// angles in radians or degrees.
std::array<long double, 3> ObserverFieldValues(Vec3 eye, bool spherical, bool degrees);

// The eye that three typed values name, or the error number: 17 for a spherical angle beyond
// 5e18.
struct TEyeOrError {
    Vec3 eye;
    int error = 0;
};
TEyeOrError EyeOfFieldValues(std::array<long double, 3> values, bool spherical, bool degrees);

class TObsDlg : public platform::Dialog {
public:
    static constexpr int kFirstEdit = 211;
    static constexpr int kFirstLabel = 231;
    static constexpr int kSpherical = 271;
    static constexpr int kDegrees = 272;
    static constexpr int kApply = 91;

    explicit TObsDlg(TPlotRWin& window);

    // The labels of the coordinate form (nothing while hidden), then the values.
    void UpdateLabels();
    // The eye's coordinates into the edits.
    void ShowValues();
    // Reads the edits and moves the eye; 0, or the error number that was shown.
    int Apply();

protected:
    void SetupWindow() override;
    void OnControl(int id) override;

private:
    TPlotRWin& window_;
};

}  // namespace quorlin::plot3d
