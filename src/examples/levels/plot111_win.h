#pragma once
// TPlot111Win: the slider-host level, the last level the 2D and 3D windows share.
//
// It hosts the curve slider (TTraceDlg, opened by the branches' OpenTrace on "TRACE" or
// "TRACE3") and the trajectory slider (TTraceTrajDlg on "TRACETRAJ", command 882), keeps them in
// step with the inventory and the trajectories, and owns "Scrollbar units ..." (command 1169,
// dialog "CALIB"), which sets the step counts of every slider of the window. Slots it introduces
// (160-161): ApplyScrollbarUnits and OpenTrace.
#include <QPointer>

#include <span>
#include <string_view>

#include "examples/levels/plot11_win.h"

namespace quorlin::examples {

class TTraceDlg;
class TTraceTrajDlg;

class TPlot111Win : public TPlot11Win {
public:
    TPlot111Win(int kind, QString fileName, QString iniName, int dimension,
                QWidget* parent = nullptr);
    ~TPlot111Win() override;

    TSliderChoice& SliderChoice() { return sliderChoice_; }
    const TSliderChoice& SliderChoice() const { return sliderChoice_; }

    // The sliders; null until first opened.
    TTraceDlg* CurveSlider() const;
    TTraceTrajDlg* TrajectorySlider() const;
    // Shown and not closed: the painters draw its cursor.
    bool IsCurveSliderShown() const;
    bool IsTrajectorySliderShown() const;

    // --- slots ---
    // Gives the open sliders the step counts of slider slot 0.
    virtual void ApplyScrollbarUnits();
    // Opens the curve slider of the window (the branches choose the template). Nothing here.
    virtual void OpenTrace();

    // --- commands ---
    // 882: opens (first creating) the trajectory slider.
    void OpenTrajectorySlider();
    // 1169: the "CALIB" dialog.
    void CmScrollbarUnits();

    void InventoryChanged(int selectLast) override;
    void TrajectoriesChanged() override;
    void ExamplesRemoved(std::span<const int> oldToNew) override;
    bool SwapExamples(int a, int b) override;
    void EnableCommand(platform::CommandState& state) override;
    // The sliders hide with the window.
    void HideWindow() override;

protected:
    // Opens (first creating) the curve slider on the template, for the kinds.
    void ShowCurveSlider(std::string_view templateName, std::span<const int> kinds);
    void CleanupWindow() override;

private:
    // The sliders follow their examples to their new indexes (map: old index -> new, -1 gone).
    void RenumberSliders(std::span<const int> map);
    // Whether a differential-equation example of this window's dimension has a trajectory.
    bool HasSystemTrajectory() const;

    QPointer<TTraceDlg> curveSlider_;
    QPointer<TTraceTrajDlg> trajectorySlider_;
    TSliderChoice sliderChoice_;
};

}  // namespace quorlin::examples
