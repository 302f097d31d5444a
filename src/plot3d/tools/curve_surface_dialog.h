#pragma once
// TIntCSDlg: the curve-surface intersection dialog ("INTER", command 710) of a 3D window. The
// first list holds the surfaces (z = f(x, y), implicit, planes), the second the space curves.
// Each request ("next intersection", each later use of the command) shows the next point where
// the curve crosses the surface (TCurveSurfaceSearch) as t, x, y, z, or "?", and records it on
// both examples. "save" puts t, x, y or z into a letter; "mark point" adds the point as a point
// example. Both choices stay with their examples when others are deleted; another choice or an
// inventory change clears the point shown, and with a list empty nothing is searched.
#include <optional>
#include <span>
#include <utility>

#include "examples/levels/interval_dialog.h"
#include "plot3d/tools/curve_surface.h"

namespace quorlin::plot3d {

class TPlotRWin;

class TIntCSDlg : public examples::T2ComboDlg {
public:
    static constexpr int kResult = 231;
    static constexpr int kNext = 743;
    static constexpr int kHiddenCheck = 271;
    static constexpr int kCoordinate = 297;
    static constexpr int kLetter = 298;
    static constexpr int kSave = 57;
    static constexpr int kMark = 712;
    static constexpr int kEntryTag = 60;

    explicit TIntCSDlg(TPlotRWin& window);

    // Searches on from where the last request stopped and shows what it found.
    void NextIntersection();
    // The point shown; nothing while "?" shows.
    const std::optional<TCurveSurfacePoint>& Found() const { return found_; }
    // "save": the chosen coordinate into the chosen letter; false when no point shows.
    bool CmSave();
    // "mark point": the point as a point example; 0, 4 when the inventory is full, or -1 when
    // no point shows.
    int CmMarkPoint();
    // Examples were removed: map[old] is the new index, -1 when removed.
    void ExamplesRemoved(std::span<const int> oldToNew);

    void SetupWindow() override;
    void RefillLists() override;
    void OnControl(int id) override;

protected:
    // Another surface or curve: the scan starts again at the curve's start, nothing shown.
    void SelectionChanged() override { ChoiceChanged(); }
    void SecondSelectionChanged() override { ChoiceChanged(); }
    void SelectionKept() override {}
    void SelectionLost() override { ChoiceChanged(); }
    void CmCancel() override;

private:
    void ChoiceChanged();
    void TakeChoices();
    void ShowIntersection();
    void Clear();
    void EnableControls();

    TPlotRWin& owner_;
    TCurveSurfaceSearch search_;
    std::optional<TCurveSurfacePoint> found_;
    // The chosen examples, kept by their indexes.
    int surface_ = -1;
    int curve_ = -1;
    bool refilling_ = false;
};

}  // namespace quorlin::plot3d
