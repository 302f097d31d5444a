#pragma once
// TInventoryDialogHost: the inventory dialog of a graphing window as the window owns it. The
// dialog is made hidden at set-up; the first showing (and the first after a new diagram) places
// it beside the window, or overlapping the window at the screen's edge; it is busy while a
// modal dialog of the window runs.
#include <QPoint>
#include <QPointer>
#include <QRect>

#include "examples/levels/inventory_dialog.h"

class QWidget;

namespace quorlin::examples {

class TPlot11Win;

class TInventoryDialogHost {
public:
    // Makes the dialog on "INVENT", hidden.
    void Make(TPlot11Win& window);
    TFnListDlg* Dialog() const { return dialog_; }
    // Where the dialog goes beside a window of that frame on a screen that wide.
    static QPoint Place(const QRect& window, int screenWidth);
    // Shows the dialog with its list filled (the first example selected unless the inventory
    // is empty), first moving it beside the window's outer widget when a placing is due.
    void Show(const QWidget& outer, bool inventoryEmpty);
    // Empties and hides the dialog; the next showing places it again (a new diagram).
    void Reset();
    // Refills the list, selecting the line of an example (-1 the first line).
    void Refill(int select);
    // The dialog's caption names the window's file again (after Save as).
    void RefreshCaption();
    void SetBusy(bool busy);
    bool IsBusy() const;
    bool IsShown() const;

private:
    QPointer<TFnListDlg> dialog_;
    bool placeBesideWindow_ = true;
};

}  // namespace quorlin::examples
