#pragma once
// TCentroidDlg: the implicit-regions dialog ("CENTROID", command 769) of a 2D window. List 295
// holds the implicit curves F(x, y) = 0, list 296 those made inequalities: 770 and 771 make the
// chosen curve "<" or ">" in the region colour (role 11, "color"), 52 makes the chosen
// inequality an equation again, 54 all of them (asked first). "shading" shades each region, or
// with "intersect" only where all of them hold; "centroid" shades nothing and throws the typed
// number of random darts into the view (91 "throw"): the mean of the hits in the regions (with
// "intersect" off, the chosen one) is shown, and with "see darts" the hits too. The centroid
// shown goes when the dart count is typed anew, another region is chosen or the mode changes.
#include <optional>
#include <vector>

#include "core/vectors.h"
#include "platform/dialog.h"

namespace quorlin::plot2d {
class TPlotAWin;
}

namespace quorlin::tools2d {

class TCentroidDlg : public platform::Dialog {
public:
    static constexpr int kCurves = 295;
    static constexpr int kInequalities = 296;
    static constexpr int kDartsEdit = 212;
    static constexpr int kResult = 231;
    static constexpr int kDartsLabel = 232;
    static constexpr int kFrame = 233;
    static constexpr int kIntersect = 271;
    static constexpr int kShading = 252;
    static constexpr int kCentroid = 251;
    static constexpr int kSeeDarts = 272;
    static constexpr int kThrow = 91;
    static constexpr int kToLess = 770;
    static constexpr int kToGreater = 771;
    static constexpr int kDeleteOne = 52;
    static constexpr int kDeleteAll = 54;
    static constexpr int kColourButton = 211;
    static constexpr int kHelpButton = 354;

    explicit TCentroidDlg(plot2d::TPlotAWin& window);

    // "centroid" and "see darts" are both checked.
    bool IsShowingDarts() const;
    // -1 with "intersect"; otherwise the inequality chosen in list 296 (-1 none).
    int GetSelectedRegion() const;
    // The window's mode and dart count in the fields, then the lists.
    void ShowValues();
    // The inventory changed: the lists again.
    void RefillLists() { FillLists(); }
    // Throws the darts; the centroid shown, or nothing (no hit, or Q). 0 or the error shown.
    int CmThrow();
    // The centroid the dialog shows now.
    const std::optional<Vec2>& Centroid() const { return centroid_; }

    void SetupWindow() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

private:
    void FillLists();
    void CmMode();
    void ChangeSide(int side);
    void DeleteOne();
    void DeleteAll();
    // The example at the chosen line of a list by the buttons' rule; -1 after the error shown.
    int ChosenExample(int listId, const std::vector<int>& listed);
    void ShowCentroid(std::optional<Vec2> centroid);
    // The inequalities changed: the lists, the picture, the modified mark.
    void SidesChanged();

    plot2d::TPlotAWin& owner_;
    std::vector<int> curves_;        // example of each line of list 295
    std::vector<int> inequalities_;  // ... of list 296
    std::optional<Vec2> centroid_;
    bool colourChosen_ = false;
};

}  // namespace quorlin::tools2d
