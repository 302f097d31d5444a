#pragma once
// TBodyDlg ("EQUA219", "orbital system"): the modal editor of an orbital system of the planets
// window, a thin window over TOrbitalEditor (orbital_editing.h). It lists the bodies, shows the
// chosen body's initial or current state, mass, name and pen width, and the system's constant,
// interval, positions, calculations and display options; "new", "delete", "set origin",
// "absolute", "clear", "many" and "color" act at once on the example, "draw" stores the body's and
// the system's fields and ends with 1 (a refused field shows its error and takes the focus),
// "cancel" ends with 2 and the window puts the example back as it was.
//
// InstallOrbitalEditor makes it the planets window's editor (plot2d/orbital_editor.h).
#include "platform/dialog.h"
#include "tools2d/points/orbital_editing.h"

namespace quorlin::examples {
class TPlot11Win;
}

namespace quorlin::tools2d {

class TBodyDlg : public platform::Dialog {
public:
    static constexpr int kBodies = 295;
    static constexpr int kPosition[3] = {211, 212, 213};
    static constexpr int kVelocity[3] = {214, 215, 216};
    static constexpr int kMass = 217;
    static constexpr int kGravity = 218;
    static constexpr int kInterval = 219;
    static constexpr int kPositions = 220;
    static constexpr int kPenWidth = 221;
    static constexpr int kName = 222;
    static constexpr int kBulletSize = 223;
    static constexpr int kCalculations = 224;
    static constexpr int kZLabel = 283;
    static constexpr int kZVelocityLabel = 286;
    static constexpr int kInitial = 251;
    static constexpr int kCurrent = 252;
    static constexpr int kWatch = 271;
    static constexpr int kFrameBoundary = 272;
    static constexpr int kBullets = 274;
    static constexpr int kColor = 208;
    static constexpr int kMany = 779;
    static constexpr int kNew = 791;
    static constexpr int kDelete = 52;
    static constexpr int kClear = 871;
    static constexpr int kAbsolute = 881;
    static constexpr int kSetOrigin = 880;
    static constexpr int kHelp = 354;

    TBodyDlg(examples::TPlot11Win& window, int example);
    ~TBodyDlg() override;

    int CurrentBody() const { return current_; }

    void SetupWindow() override;
    bool CanClose() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

private:
    TOrbitalEditor Editor() const;
    bool Initial() const { return IsChecked(kInitial); }
    void FillList();
    void SelectBody(int i);
    void ShowBody();
    void ShowBodyAll();
    // Stores the fields of the current body; false (nothing stored, the error shown and the
    // mass field focused) when the mass is no number.
    bool StoreBody();
    void BodyChanged();
    void UpdateButtons();
    void ShowSystem();
    // The palette targets the current body's pen colour.
    void TargetPalette(bool open);

    examples::TPlot11Win& window_;
    int example_;
    int current_ = 0;
    bool colourChosen_ = false;
};

// Makes TBodyDlg the editor the planets window runs.
void InstallOrbitalEditor();

}  // namespace quorlin::tools2d
