#pragma once
// TTraceDlg: the curve slider ("TRACE" in 2D windows, "TRACE3" in 3D windows). The user picks a
// curve, moves a cursor along it with the bar or by typing a parameter value, and reads its
// coordinates, slope or velocity, speed and curvature; secants (average velocities) run from a
// base point, and the window's painters draw the cursor, the secant and the vectors from the
// cursor's state. From the cursor the dialog adds a Taylor polynomial of the chosen degree (a
// tangent line of a curve that is not explicit) and a marked point.
//
// The slider keeps the index of its curve (TComboDlg); when the curve goes away its controls
// are disabled until another is chosen.
#include <span>
#include <string>

#include "examples/levels/combo_dialog.h"
#include "examples/operations/curve_cursor.h"
#include "examples/operations/slider_units.h"

namespace quorlin::examples {

class TPlot111Win;

class TTraceDlg : public TComboDlg {
public:
    // Control ids.
    static constexpr int kBar = 297;
    static constexpr int kDegree = 298;
    static constexpr int kParameter = 211;
    static constexpr int kParameterLabel = 231;
    static constexpr int kPositionReadout = 232;
    static constexpr int kVectorReadout = 233;
    static constexpr int kSecants = 271;
    static constexpr int kTangents = 272;
    static constexpr int kThick = 273;
    static constexpr int kFrenet = 274;
    static constexpr int kTaylor = 711;
    static constexpr int kMarkPoint = 712;
    static constexpr int kBasePoint = 720;
    static constexpr int kDegreeLabel = 3;

    TTraceDlg(TPlot111Win& window, std::string_view templateName, std::span<const int> kinds);

    // --- what the painters read ---
    const TCursorState& Cursor() const { return cursor_.State(); }
    const TCurveCursor& CurveCursor() const { return cursor_; }
    bool SecantsChecked() const;
    bool TangentsChecked() const;
    bool FrenetChecked() const;
    int Degree() const { return degree_; }

    // The window's step counts of the curve slider changed: the bar takes them, and stays at
    // the typed value (the middle when it does not read or lies outside the range).
    void ApplyStepUnits();

    void SetupWindow() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

protected:
    void SelectionChanged() override;
    void SelectionKept() override;
    void SelectionLost() override;
    void CmOk() override;

private:
    TPlot111Win& Host() const { return host_; }
    // Moves the cursor to the bar's value; true when the position is defined.
    bool MoveToBar();
    bool MoveCursor(long double v);
    void SetBar(long double v);
    void ShowReadouts();
    void ShowVectorReadout();
    // Enables what needs a curve, and the buttons that add examples while there is room.
    void EnableControls();
    // Reads the parameter field, binding a trailing "@" letter to its parameter: the value, and
    // the text the new example gets (the letter alone when bound); false after the error box.
    bool ReadParameter(long double& v, std::string& text);
    void CmTaylor();
    void CmMarkPoint();
    void CmBasePoint();
    void CmChecks();
    TExample* Curve() const;
    TVectorChecks Checks() const;

    TPlot111Win& host_;
    TCurveCursor cursor_;
    TCursorWords words_;
    TStepPair steps_;
    int degree_ = 1;
    bool secantsWereOn_ = false;
    bool ready_ = false;
};

}  // namespace quorlin::examples
