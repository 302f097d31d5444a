#pragma once
// The solid tools' dialogs of a 2D window:
//   TSectionDlg "SECTION" (786, "cross-sectional solid"): the region between two explicit curves
//               f (295) and g (296) over [low x, high x] carries a cross-section of a chosen
//               shape on every strip; "volume =" sums its volume, "see solid" draws it in the
//               window's "sections.qz3";
//   TSurfDlg    "SURFREV" (747, "surface of revolution"): a curve (201-205) turned about the axis
//               ax + by = c over its arc and angle ranges, added to "surfrev.qz3" by "see
//               surface"; "see arc" marks the arc on the window's picture.
// Both read their fields afresh on every request, show what is wrong in the error box, and
// leave the window's tool settings holding what they last read well. What they show (the
// volume, the marked arc) goes as soon as the user types in a field it was read from.
#include <string>

#include "examples/levels/interval_dialog.h"
#include "tools2d/solids/revolution_surface.h"
#include "tools2d/solids/section_solid.h"

namespace quorlin::examples {
class TPlot11Win;
}

namespace quorlin::tools2d {

class TSolidTools;

class TSectionDlg : public examples::T2ComboDlg {
public:
    static constexpr int kFirstShape = 251;  // 251..256 in the order of TSectionShape
    static constexpr int kHeight = 211;
    static constexpr int kLow = 212;
    static constexpr int kHigh = 213;
    static constexpr int kZSections = 214;
    static constexpr int kXSections = 215;
    static constexpr int kSubintervals = 216;
    static constexpr int kDouble = 271;
    static constexpr int kSeeSolid = 91;
    static constexpr int kVolume = 785;
    static constexpr int kResult = 231;

    TSectionDlg(examples::TPlot11Win& window, TSolidTools& tools);

    // The fields into the request, range and counts; false after the error box.
    bool ReadFields(TSectionRequest& request, TSectionRange& range, TSectionCounts& counts);

    void SetupWindow() override;
    void OnControl(int id) override;

protected:
    void SelectionChanged() override { ClearResult(); }
    void SecondSelectionChanged() override { ClearResult(); }
    void SelectionLost() override { ClearResult(); }
    // Every field is an input of the volume.
    void FieldEdited(int) override { ClearResult(); }

private:
    int CheckedShape() const;
    void ClearResult();
    void ComputeVolume();
    void SeeSolid();

    examples::TPlot11Win& owner_;
    TSolidTools& tools_;
};

class TSurfDlg : public examples::TComboDlg {
public:
    static constexpr int kArcStart = 211;
    static constexpr int kArcStop = 212;
    static constexpr int kA = 214;
    static constexpr int kB = 215;
    static constexpr int kC = 216;
    static constexpr int kAngleStart = 217;
    static constexpr int kAngleStop = 218;
    static constexpr int kFirstRangeLabel = 231;  // 231..234: the labels of the four ranges
    static constexpr int kXAxis = 714;
    static constexpr int kYAxis = 715;
    static constexpr int kSeeArc = 779;
    static constexpr int kSeeSurface = 91;

    TSurfDlg(examples::TPlot11Win& window, TSolidTools& tools);

    // The four ends into the window's ranges and letters; 0 or an error number (not shown).
    int ReadRanges();
    // a, b, c; 0 or an error number (not shown).
    int ReadAxis(TAxisLine& axis);
    // Both, the error shown; true when both passed.
    bool Validate(TAxisLine& axis);
    void ShowAxis(const TAxisLine& axis);
    // Whether the arc is marked on the window's picture ("see arc", until the selection changes
    // or the dialog closes).
    bool ArcShown() const { return arcShown_ && !IsHidden(); }

    void SetupWindow() override;
    void OnControl(int id) override;

protected:
    void SelectionChanged() override;
    void SelectionLost() override;
    // The marked arc is that of the ends read when "see arc" was pressed.
    void FieldEdited(int id) override;
    void CmCancel() override;

private:
    void ShowArc(bool shown);

    examples::TPlot11Win& owner_;
    TSolidTools& tools_;
    bool arcShown_ = false;
};

}  // namespace quorlin::tools2d
