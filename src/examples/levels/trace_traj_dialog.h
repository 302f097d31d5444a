#pragma once
// TTraceTrajDlg: the trajectory slider ("TRACETRAJ"). The user picks a differential-equation
// example (210 in 2D windows, 310 in 3D windows), one of its trajectories, and a time with the
// bar or by typing it; the slider shows the state at that time and the field vector there, and
// the window draws the cursor and the vector. From the time the user adds a point (and, where
// the template shows them, the field vector or the tangent line) to the inventory.
//
// The slider keeps the index of its example and the sequence number of its trajectory, never a
// pointer; an inventory or trajectory change fills its lists again and finds both again, or
// disables the time controls when the trajectory is gone.
#include <optional>
#include <span>

#include "examples/levels/combo_dialog.h"
#include "examples/operations/slider_units.h"
#include "examples/operations/trajectory_cursor.h"

namespace quorlin::examples {

class TPlot111Win;

class TTraceTrajDlg : public TComboDlg {
public:
    static constexpr int kTrajectories = 294;
    static constexpr int kBar = 297;
    static constexpr int kTime = 211;
    static constexpr int kLength = 212;
    static constexpr int kTimeLabel = 231;
    static constexpr int kReadout = 232;
    static constexpr int kThick = 273;
    static constexpr int kVectorLength = 274;
    static constexpr int kPoint = 712;
    static constexpr int kVector = 717;
    static constexpr int kLine = 711;

    TTraceTrajDlg(TPlot111Win& window, std::span<const int> kinds);

    // --- what the painters read ---
    // The state at the current time; empty when no trajectory is selected or it failed.
    const std::optional<TTrajectoryCursorState>& Cursor() const { return cursor_; }
    // The selected trajectory (looked up afresh); null when none.
    const TTrajectory* Trajectory() const;
    long double Low() const { return low_; }
    long double High() const { return high_; }

    // The window's step counts of the trajectory slider changed.
    void ApplyStepUnits();
    // The trajectories of the examples changed: the list is filled again and the selected
    // trajectory found again.
    void RefillTrajectories();

    void SetupWindow() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

protected:
    void SelectionChanged() override;
    void SelectionKept() override;
    void SelectionLost() override;
    void CmOk() override;

private:
    TExample* Example() const;
    TTrajectory* FindTrajectory() const;
    // Fills list 294 and selects the trajectory of sequence number `keep` (the first when
    // negative); the time controls show only while one is selected.
    void FillTrajectories(int keep);
    void TrajectorySelected();
    void ShowTimeControls(bool shown);
    // -1 when box 274 is unchecked; the typed length, or 17 in `error` below 1e-13.
    long double ReadVectorLength(int& error);
    bool ComputeState(long double t);
    // The state at a typed time, with the bar moved there, unless the time was refused (error)
    // or the state fails; false after the error box.
    bool GoToTypedTime(long double t, int error);
    void ShowState();
    void EvScroll();
    void CmThickVectors();
    void AddEntry(int id);
    long double BarTime() const;

    TPlot111Win& host_;
    TStepPair steps_;
    int sequence_ = -1;  // the selected trajectory's sequence number; -1 none
    long double low_ = 0;
    long double high_ = 1;
    std::optional<TTrajectoryCursorState> cursor_;
    bool ready_ = false;
};

}  // namespace quorlin::examples
