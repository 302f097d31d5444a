#pragma once
// TGridWin: the grid level of a graphing window.
//
// It adds the view commands (zoom in and out, "Square", "Last window", "Restore", the view and
// grid dialogs), the zoom box and recentring with the mouse, the automatic fitting of the tick
// intervals before the axes are drawn, and owns the two modeless dialogs: TGridDlg (axes,
// ticks, numbers, grids) and TViewDlg (the frame by centre and width or by corners).
#include <QPointer>
#include <QRect>
#include <optional>
#include <string>

#include "canvas/zel_wing.h"

namespace quorlin::canvas {

class TGridDlg;
class TViewDlg;

// Kinds of the view dialog: its template.
inline constexpr int kViewDialogCentre = 0;   // "VIEWCEN"
inline constexpr int kViewDialogCorners = 1;  // "VIEWCOR"
inline constexpr int kViewDialogAll = 2;      // "VIEWALL"

// Which templates the view and grid dialogs of a window are made on.
struct TGridDialogChoice {
    int viewDialogKind = kViewDialogAll;
    std::string gridTemplate = "SETGRID";
    bool noPolarGrid = false;  // withholds the polar grid from the grid dialog
};

class TGridWin : public TZELWing {
public:
    TGridWin(int kind, QString fileName, QString iniName, QWidget* parent = nullptr);
    ~TGridWin() override;

    TGridDialogChoice& DialogChoice() { return dialogChoice_; }
    const TGridDialogChoice& DialogChoice() const { return dialogChoice_; }

    // Creates the grid dialog on first use, then shows it.
    virtual void ShowGridDialog();
    // Default axes and view; the history is emptied.
    virtual void ResetGrid();
    // Creates the view dialog on first use, then shows it with its fields filled.
    void CmView();
    TGridDlg* GridDialog() const;
    TViewDlg* ViewDialog() const;

    void RecomputeView() override;
    int FitTickIntervals(TickRange& range) override;
    void EnableCommand(platform::CommandState& state) override;

    // Mouse: in the zoom-box mode a dragged rectangle becomes the view's corners and a click
    // recentres; in the readout mode the right button recentres.
    void MouseMove(const platform::MouseEvent& event) override;
    void MouseUp(const platform::MouseEvent& event) override;
    void Paint(QPainter& painter, const QRect& dirty) override;
    // The rectangle being dragged, if any.
    std::optional<QRect> ZoomBand() const;

protected:
    void CleanupWindow() override;

private:
    void ZoomToBand(const QRect& band);
    // The zoom-box mode's press: the left button starts the rectangle, the right recentres.
    bool ZoomBoxPress(const platform::MouseEvent& event);
    bool RecentreOnRightButton(const platform::MouseEvent& event);

    QPointer<TGridDlg> gridDlg_;
    QPointer<TViewDlg> viewDlg_;
    std::optional<QPoint> dragStart_;
    QPoint dragNow_;
    TGridDialogChoice dialogChoice_;
};

}  // namespace quorlin::canvas
