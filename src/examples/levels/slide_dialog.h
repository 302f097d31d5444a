#pragma once
// The slider dialogs of the animation parameters: "TPARAM" for '@' (a value field and the time
// player with its stop time), "SPARAM" for one letter A-W and "PARAMS" for all of them with a
// letter list (a value field, the bar TParamBar, the end buttons "set L" and "set R", and the
// players "autorev", "autocyc" and "autoshow" slides).
//
// What the controls do with the window's tables is TParameterSlider's (param_slider.h); the
// dialog shows it, sends every change of a value to the window's ExampleChanged and starts the
// window's players, hidden while one plays.
#include "examples/operations/param_slider.h"
#include "platform/dialog.h"

namespace quorlin::examples {

class TPlotWin;
class TSlideDlg;

// The scroll bar of a letter's dialog: its range, page magnitude and thumb follow the slider;
// a scroll by the user moves the value.
class TParamBar {
public:
    TParamBar(TSlideDlg& dialog, TParameterSlider& slider);
    // Range 0..steps, page magnitude and thumb, without a scroll notification.
    void Show();
    // The user moved the thumb: the value follows, the examples using the letter are drawn
    // again, the value field shows it and the diagram is modified.
    void SetPosition(int position);

private:
    TSlideDlg& dialog_;
    TParameterSlider& slider_;
};

class TSlideDlg : public platform::Dialog {
    Q_OBJECT
public:
    static constexpr int kSlidesLabel = 7;
    static constexpr int kValueEdit = 211;
    static constexpr int kFieldEdit = 212;  // slides, or the stop time of '@'
    static constexpr int kCheck = 271;      // "autoshow", or "stop at" for '@'
    static constexpr int kBar = 295;
    static constexpr int kLetterList = 296;
    static constexpr int kAutoRev = 738;
    static constexpr int kAutoCyc = 740;  // "time" for '@'
    static constexpr int kSetLeft = 804;
    static constexpr int kSetRight = 805;

    // The dialog of slot 0 ('@'), 1-23 (A-W) or 24 (all letters) of the window.
    TSlideDlg(TPlotWin& window, int slot);

    TParameterSlider& Slider() { return slider_; }
    // The value moved elsewhere: the bar (and the value field) show it.
    void UpdateBar();
    // The window's number of decimals changed.
    void ApplyDecimalPlaces(int places);
    // New step counts for the bar; whole-number bars keep units of their own.
    void ApplyUnits(int steps, int page);
    bool KeepsOwnUnits() const { return slider_.IntegerMode(); }
    // The window's tables changed under the dialog: the bar is set up again.
    void Refresh();
    void ShowValue();

    void SetupWindow() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

private:
    void CmOk();
    void CmSetLeft();
    void CmSetRight();
    // An end moved and the value with it.
    void EndMoved();
    void CmPlay(bool bounce);
    void EvLetterSelChange();
    void ShowCaption();
    // The slides controls are hidden in whole-number mode.
    void ShowSlidesControls(bool show);

    TPlotWin& window_;
    TParameterSlider slider_;
    TParamBar bar_;
};

}  // namespace quorlin::examples
