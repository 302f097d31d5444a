#pragma once
// TSliceDlg: the 3D window's modeless slicer ("SLICER"). It holds one point (u, v) of the
// selected surface's parameter domain, moved by two bars or typed values; "autorev" and
// "autocyc" run one value on the window's timer (a player: blank, S, F steer it, Q, any command,
// closing the window, hiding, closing or deleting this dialog end it; the dialog steps aside
// meanwhile and the program's keys go to the window, wherever the focus is); "tangent plane" and
// "tangent lines" add the tangent examples at the point, a value typed with "@" and a letter
// following that parameter.
// The window draws the two slices through the point while the dialog shows.
#include <optional>

#include "examples/levels/combo_dialog.h"
#include "platform/key_route.h"
#include "plot3d/slicer/slicer_model.h"

namespace quorlin::plot3d {

class TPlotRWin;

class TSliceDlg : public examples::TComboDlg {
public:
    static constexpr int kUEdit = 211;
    static constexpr int kVEdit = 212;
    static constexpr int kUBar = 293;
    static constexpr int kVBar = 294;
    static constexpr int kULabel = 231;
    static constexpr int kVLabel = 232;
    static constexpr int kAutoRevU = 738;
    static constexpr int kAutoCycU = 740;
    static constexpr int kAutoRevV = 838;
    static constexpr int kAutoCycV = 840;
    static constexpr int kTangentPlane = 767;
    static constexpr int kTangentLines = 768;

    explicit TSliceDlg(TPlotRWin& window);
    ~TSliceDlg() override;

    // Hiding the dialog, for whatever reason, ends its run (but for its stepping aside for it).
    void setVisible(bool visible) override;

    // The point the slices go through: the surface and (u, v); empty while hidden (but for a
    // run) or with nothing selected.
    struct TSlicePoint {
        int example;
        long double u;
        long double v;
    };
    std::optional<TSlicePoint> Point() const;
    const TSlicerAxis& U() const { return u_; }
    const TSlicerAxis& V() const { return v_; }

    // Enter: the typed values read and clamped, the bars follow; false (nothing changed) when
    // one cannot be read.
    bool ReadPoint();
    // The window's slider steps changed: both bars take the new range, the typed point is read
    // again (the values shown stand when it cannot be read) and the slices are drawn again.
    void ApplyScrollbarUnits();
    // "autorev"/"autocyc" on u (first) or v: the value runs on the window's timer.
    void Animate(bool onU, bool reverse);
    // The running animation's state; empty when none runs.
    const std::optional<TSlicerRun>& Run() const { return run_; }
    // "tangent plane" (plane) or "tangent lines": 0, or the error shown.
    int AddTangent(bool plane);
    // The buttons' state for the inventory's room.
    void EnableTangentButtons();

protected:
    void ComboHook17() override;
    void SelectionChanged() override;
    void CmOk() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

private:
    void ShowValues();
    void SetBars();
    void RedrawOwner();
    int Steps() const;
    void AnimationTick();
    void AnimationKey(int key);
    // The run ended: the drawing's key polls as they were, the dialog back with the value (not
    // when it is being deleted).
    void EndRun(bool polling);

    TPlotRWin& owner_;
    TSlicerAxis u_;
    TSlicerAxis v_;
    bool busy_ = false;
    // The animated axis and the run while a value runs.
    TSlicerAxis* running_ = nullptr;
    bool reverse_ = false;
    std::optional<TSlicerRun> run_;
    // True while the dialog hides itself for its run, the one hiding that keeps the run.
    bool steppingAside_ = false;
    // The keys routed to the window while the run lasts.
    std::optional<platform::KeyRoute> keyRoute_;
    // In the destructor: the run's end leaves the dialog alone.
    bool deleting_ = false;
};

}  // namespace quorlin::plot3d
