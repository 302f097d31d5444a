#pragma once
// The initial-value dialogs of a graphing window: "IVP10" for systems dx/dt, dy/dt (, dz/dt)
// (kinds 210, 310), "IVP11" for dy/dx = F(x, y) (211), "IVP12" for recursive sequences (212,
// 312) and "IVP20" for derx(n, y) equations (220).
//
// Each lists the window's examples of its kinds (list 295) and the trajectories of the chosen
// one (list 294), takes the start values and the solver's settings, and draws a new trajectory
// (91 "draw") or watches it being drawn step by step (742 "watch"); 52 deletes the chosen
// trajectory, 54 all of them, 208 picks the colour of new trajectories, 757 lists the chosen
// trajectory's points in the window's text window. A click in the window's trajectory mouse mode
// starts a trajectory from the clicked point with the dialog's settings (DrawFrom).
//
// TIvp0Dlg holds the example list and the settings readers, TIvpDlg the shared buttons; the four
// dialogs add their start values and their drawing. They are modeless: made once by the window's
// tools, shown and hidden, and closing one only hides it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/vectors.h"
#include "examples/levels/plot11_win.h"
#include "platform/dialog.h"

namespace quorlin::dynamics {

struct TNewTrajectorySettings;

// Controls of the initial-value templates.
namespace ivp {
inline constexpr int kStartX = 211, kStartY = 212, kStartZ = 213, kStartT = 216;
inline constexpr int kPenWidth = 214, kDelay = 215, kSteps = 217, kStep = 220;
inline constexpr int kEuler = 251, kModifiedEuler = 252, kRungeKutta = 253;
inline constexpr int kForward = 254, kBackward = 255, kBoth = 256;
inline constexpr int kZLabel = 41;
inline constexpr int kTrajectories = 294, kExamples = 295;
inline constexpr int kDraw = 91, kWatch = 742, kDelete = 52, kDeleteAll = 54, kColour = 208,
                     kTable = 757;
inline constexpr int kStrCaption = 168;    // "ivps "
inline constexpr int kStrDeleteAll = 169;  // "delete every ivp?"
inline constexpr int kWidestPen = 25;
}  // namespace ivp

class TIvp0Dlg : public platform::Dialog {
    Q_OBJECT
public:
    // kinds: the example kinds listed; exampleIndex: the window's word that keeps the chosen
    // example.
    TIvp0Dlg(examples::TPlot11Win& window, std::string_view templateName, std::vector<int> kinds,
             std::int16_t* exampleIndex);

    examples::TPlot11Win& Window() const { return window_; }
    // The chosen example; -1 when the list is empty.
    int Example() const { return example_; }
    bool Accepts(int kind) const;

    // --- the settings ---
    // The step of field 220: 6 when |h| < 1e-16, a reader's error for a formula it refuses.
    int GetStepSize(long double& h) const;
    // The delay of field 215, at least 1 (else 14), kept as the window's watch delay.
    int GetDelay();
    // The pen width of field 214: 1..25, anything else 1.
    int GetPenWidth() const;
    // 0 Euler, 1 modified Euler, 2 Runge-Kutta.
    int GetMethod() const;

    // List 294: the chosen example's trajectories, newest first.
    void FillList();
    // The step and method of the chosen trajectory in the fields.
    void ShowSolverSettings();
    // String 168 "ivps " + " [" + the diagram's name + "]".
    void SetCaption();
    // List 295 again after the inventory changed; the chosen example stays chosen where it can.
    void RefillLists();
    // The chosen trajectory's index in the example's list; -1 none.
    int SelectedTrajectory() const;

    void SetupWindow() override;
    void OnNotify(int id, platform::Notification what) override;

protected:
    // A number field through the window's number reader; 0 or its error.
    int ReadField(int id, long double& value) const;
    void SetNumber(int id, long double value);
    // The choice of list 295 was read (the chosen example changed or was confirmed).
    virtual void SelectionChanged();
    examples::TTrajectory* ChosenTrajectory();

private:
    void ReadSelection();

    examples::TPlot11Win& window_;
    std::vector<int> kinds_;
    std::int16_t* exampleIndex_;
    std::vector<int> listed_;  // example index of each position of list 295
    int example_ = -1;
};

class TIvpDlg : public TIvp0Dlg {
    Q_OBJECT
public:
    using TIvp0Dlg::TIvp0Dlg;

    // The chosen trajectory's start values in the fields.
    virtual void ShowStartValues() = 0;
    // A new trajectory from the fields' start values; watched step by step when asked. 0, 81
    // after Q, or the error that was shown.
    virtual int Draw(bool watch) = 0;
    // A new trajectory from a start point (a click), with the fields' settings.
    virtual int DrawFrom(Vec3 start, bool watch) = 0;

    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

protected:
    void SelectionChanged() override;
    // The start point of fields 211 and 212, and of 213 in a 3D window when withZ; 0 or the
    // reader's error.
    int ReadStartPoint(Vec3& start, bool withZ) const;
    // Shows a refusal: a non-zero error in a box. Returns the error.
    int ShowRefusal(int error);
    // The settings of a new trajectory: the step (and, watching, the delay), the method and the
    // pen width. 0, or the error that was shown.
    int ReadSolverSettings(bool watch, TNewTrajectorySettings& settings);
    // After a new trajectory: the list again, and the dialog active.
    void AfterDrawing();

private:
    void DeleteChosen();
    void DeleteAll();
    void ShowTable();
    void TrajectoriesChanged();
};

// Systems dx/dt, dy/dt (, dz/dt): start (x, y (, z)) at time t, forward, backward or both.
class TIvp10Dlg : public TIvpDlg {
    Q_OBJECT
public:
    TIvp10Dlg(examples::TPlot11Win& window, std::vector<int> kinds, std::int16_t* exampleIndex);

    // 1 forward, -1 backward, 0 both.
    int GetDirection() const;

    void SetupWindow() override;
    void ShowStartValues() override;
    int Draw(bool watch) override;
    int DrawFrom(Vec3 start, bool watch) override;
};

// dy/dx = F(x, y): start (x, y).
class TIvp11Dlg : public TIvpDlg {
    Q_OBJECT
public:
    TIvp11Dlg(examples::TPlot11Win& window, std::int16_t* exampleIndex);

    void SetupWindow() override;
    void ShowStartValues() override;
    int Draw(bool watch) override;
    int DrawFrom(Vec3 start, bool watch) override;
};

// Sequences: the first term (x0, y0 (, z0)) and the number of terms.
class TIvp12Dlg : public TIvpDlg {
    Q_OBJECT
public:
    TIvp12Dlg(examples::TPlot11Win& window, std::vector<int> kinds, std::int16_t* exampleIndex);

    // The number of terms of field 217: 1 .. 1000000, else 17.
    int GetTerms(int& terms) const;

    void SetupWindow() override;
    void ShowStartValues() override;
    int Draw(bool watch) override;
    int DrawFrom(Vec3 start, bool watch) override;
};

// derx(n, y) equations: x0 and the initial values y, y', ..., y^(n-1) as a ';' list.
class TIvp20Dlg : public TIvpDlg {
    Q_OBJECT
public:
    TIvp20Dlg(examples::TPlot11Win& window, std::int16_t* exampleIndex);

    // The initial values of field 212 with a closing ';': the parser's error, 17 for more than
    // ten values, 6 for fewer than the equation's order.
    int GetValues(std::string& values) const;

    void SetupWindow() override;
    void ShowStartValues() override;
    int Draw(bool watch) override;
    // x0 = the point's x, y = its y; the other initial values stay as typed.
    int DrawFrom(Vec3 start, bool watch) override;
};

}  // namespace quorlin::dynamics
