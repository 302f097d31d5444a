#pragma once
// TPctDlg: the direction dialog ("SPARAM") of a level-curve window: a text field for the angle
// theta and a scroll bar whose positions 0..U stand for 0..2 pi (U the window's slider steps).
// Enter reads the field as an expression and brings it into [0, 2 pi); a move of the bar sets
// theta from its position. Each change goes to the window's SetDirectionAngle. Only the field and
// the bar show; the window hides and shows the dialog with its directional-derivative command.
#include "examples/records/plot_settings.h"
#include "platform/dialog.h"

namespace quorlin::plot3d {

class TLevelWin;

class TPctDlg : public platform::Dialog {
public:
    static constexpr int kValue = 211;
    static constexpr int kBar = 295;
    // The slot of the window's slider steps that holds U.
    static constexpr int kStepsSlot = examples::TSliderSteps::kCurveSlot;

    TPctDlg(TLevelWin& window, long double& theta);

    // The bar's range and page step from the window, its thumb at theta.
    void InitBar();
    // Enter: the typed angle; 0, or error 1 (shown) with theta and the bar as they were.
    int CmOk();
    // The bar moved to a position.
    void BarMoved(int position);

protected:
    void SetupWindow() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;
    // Enter and the keypad's Enter read the field: the dialog shows no button that a dialog
    // would press for them.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int Units() const;
    void ShowAngle();

    TLevelWin& window_;
    long double& theta_;
    bool ready_ = false;         // the set-up has finished: bar moves change theta
    bool programmatic_ = false;  // the program moves the thumb: theta stays
};

}  // namespace quorlin::plot3d
