#pragma once
// The grid dialog "SETGRID" (TGridDlg) and the view dialog "VIEWCEN" / "VIEWCOR" / "VIEWALL"
// (TViewDlg) of a graphing window's grid level. Both are modeless: "apply" changes the window,
// "close" only hides the dialog. Their reading rules live in axes_settings.h.
#include <string>

#include "canvas/axes_settings.h"
#include "platform/dialog.h"

namespace quorlin::canvas {

class TGridWin;

class TGridDlg : public platform::Dialog {
    Q_OBJECT
public:
    TGridDlg(TGridWin& window, std::string_view templateName);

    // Every control from the window's settings.
    void TransferToControls();
    // Intervals (with the origin mark) and frequencies; places with their suffix mark.
    void ShowIntervals();
    void ShowPlaces();
    // Reads the controls over a copy of the settings; unreadable fields keep their values.
    TAxesSettings ReadControls() const;
    // Takes the controls when they change anything (one history entry, redraw, modified);
    // then every control shows the settings in force.
    void CmApply();

    void SetupWindow() override;
    void OnControl(int id) override;
    // The screen width the tick length is a percentage of.
    int ScreenWidth() const { return screenWidth_; }

private:
    void ShowHideRules();
    void HideForLogarithmicAxes();

    TGridWin& window_;
    int screenWidth_ = 1024;
};

class TViewDlg : public platform::Dialog {
    Q_OBJECT
public:
    TViewDlg(TGridWin& window, int kind);

    // The fields from the window's frame; with selectCentre the centre-x text is selected.
    void FillFields(bool selectCentre);
    // Reads, checks and applies the fields; the error number shown, or 0.
    int CmOk();

    void SetupWindow() override;
    void OnControl(int id) override;

private:
    ViewDialogInput Input() const;

    TGridWin& window_;
    int kind_;
};

}  // namespace quorlin::canvas
