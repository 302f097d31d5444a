#pragma once
// TShadeDlg: the explicit-shading dialog ("SHADE", command 713) of a 2D window. It adds a
// shading above or below a curve y = f(x), or between two of them (91 "shade"), over the whole
// view or only an x interval whose ends may be tied to animation parameters ("1@A"), with the
// next of the nine hatch patterns and the colour of role 6 ("color"). Combo 294 lists the
// window's shadings, newest first: choosing one shows its fields, 52 deletes it and 54 all of
// them; 272 shades only where every shading holds. The records belong to the window.
#include "examples/levels/interval_dialog.h"
#include "tools2d/regions/shade_model.h"

namespace quorlin::plot2d {
class TPlotAWin;
}

namespace quorlin::tools2d {

class TShadeDlg : public examples::T2ComboDlg {
public:
    static constexpr int kAbove = 251;
    static constexpr int kBelow = 252;
    static constexpr int kBetween = 253;
    static constexpr int kIntervalCheck = 271;
    static constexpr int kLowEdit = 211;
    static constexpr int kHighEdit = 212;
    static constexpr int kColourButton = 206;
    static constexpr int kIntersectionCheck = 272;
    static constexpr int kShadeButton = 91;
    static constexpr int kShadeList = 294;
    static constexpr int kDeleteButton = 52;
    static constexpr int kDeleteAllButton = 54;

    explicit TShadeDlg(plot2d::TPlotAWin& window);

    // The pattern the next shading gets.
    int NextPatternToUse() const { return pattern_; }
    // Adds the shading the fields ask for; 0, or the error that was shown.
    int CmShade();
    // Chooses curve g in the second list.
    void SelectSecond(int g);

    void SetupWindow() override;
    void RefillLists() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

protected:
    // A new curve lists the shadings again, unless the curve came from showing one of them.
    void SelectionChanged() override {
        if (!showing_) FillList();
    }

private:
    void FillList();
    // The interval fields and the side radio: -1 above, -2 below, else between.
    void ShowRecord(int side);
    void ShowSelectedRecord();
    void DeleteSelected();
    void DeleteAll();
    TShadeSide CheckedSide() const;
    // The window draws its shadings again; modified when they changed.
    void ShadingsChanged(bool modified);

    plot2d::TPlotAWin& owner_;
    int pattern_ = 0;
    bool interval_ = false;
    long double low_ = 0;
    long double high_ = 0;
    int lowParameter_ = 0;
    int highParameter_ = 0;
    bool colourChosen_ = false;
    bool showing_ = false;
};

}  // namespace quorlin::tools2d
