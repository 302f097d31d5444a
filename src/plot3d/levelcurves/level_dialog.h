#pragma once
// The curve-list dialog T3DIvpDlg and the level-curve dialog TLevelDlg ("LEVELS") of a 3D
// window.
//
// T3DIvpDlg lists the curves of one example (those of a variable only, when it filters), deletes
// one or all listed curves, sets the colour of new curves, and ends with "keep changes" or
// "discard changes": each set-up takes a copy of the curve list, and discard puts it back after
// any change, deletions and added curves alike. The list's map from lines to curves grows with
// the list.
//
// TLevelDlg adds the level variable (x, y, z; only z for z = f(x, y)), the range of levels with
// their number, stepping to the next and previous level, "auto" through every level with a
// search at each, "search curr" until Q, and "see curr" and "see all", each a request to the 3D
// window to show a level in its level-curve window.
#include <array>
#include <map>
#include <vector>

#include "examples/records/trajectory.h"
#include "platform/dialog.h"
#include "plot3d/levelcurves/level_model.h"

namespace quorlin::plot3d {

class TPlotRWin;

class T3DIvpDlg : public platform::Dialog {
public:
    static constexpr int kList = 294;
    static constexpr int kColour = 208;
    static constexpr int kDeleteOne = 52;
    static constexpr int kDeleteAll = 54;

    T3DIvpDlg(TPlotRWin& window, std::string_view templateName, int example);

    int Example() const { return example_; }
    // Another example: its curves are listed, and a new copy of its list is kept.
    virtual void SetExample(int example);
    // The position in the curve list of each line.
    const std::vector<int>& ListedPositions() const { return listed_; }
    bool Changed() const { return changed_; }
    // The example's surface changed: the copy "discard changes" goes back to follows it as the
    // example's own curves do (level_set.h), so that nothing stale comes back.
    void FollowBackup();
    virtual void FillList();
    // The list filled again with the line that was selected selected again, when it is left.
    void RefillKeepingSelection();
    void DeleteOne();
    void DeleteAll();
    void CmOk();
    void CmCancel();

protected:
    void SetupWindow() override;
    void OnControl(int id) override;
    // The copy "discard changes" goes back to.
    void BackupCurves();
    void CurvesChanged();
    examples::TrajectoryList* Curves();

    TPlotRWin& window_;
    int example_;
    int filter_ = 0;  // the level variable listed; below 1 every curve
    bool changed_ = false;

private:
    std::vector<int> listed_;
    examples::TrajectoryList backup_;
    bool paletteOpened_ = false;
};

class TLevelDlg : public T3DIvpDlg {
public:
    static constexpr int kCurrent = 211;
    static constexpr int kCount = 212;
    static constexpr int kLow = 213;
    static constexpr int kHigh = 214;
    static constexpr int kRadioX = 251;
    static constexpr int kRadioY = 252;
    static constexpr int kRadioZ = 253;
    static constexpr int kNext = 743;
    static constexpr int kPrevious = 843;
    static constexpr int kAuto = 844;
    static constexpr int kSearch = 353;
    static constexpr int kSeeCurrent = 778;
    static constexpr int kSeeAll = 779;

    TLevelDlg(TPlotRWin& window, int example);

    void SetExample(int example) override;
    const TLevelValues& Values() const { return values_; }
    void SelectVariable();
    void ShowValues();
    // The fields into the values; 0, or error 1 (shown) with nothing changed.
    int ReadFields(OutsideCurrent rule);
    void CmNextLevel();
    void CmPrevLevel();
    // Every level with a search at each; 0, or 81 when Q stopped a search (the rest is left).
    int CmAuto();
    void CmSearchCurrent();
    void CmSeeCurrent();
    void CmSeeAll();

protected:
    void SetupWindow() override;
    void OnControl(int id) override;

private:
    // Shows the level at the current value in the level window with the request's flags; the
    // key of its drawing.
    int Request(TLevelRequest flags);
    TLevelRange& Range();

    TLevelValues values_;
    // The ranges of the three variables of the example, kept while it stays the dialog's.
    std::array<TLevelRange, 3> ranges_{};
    bool rangesSet_ = false;
};

}  // namespace quorlin::plot3d
