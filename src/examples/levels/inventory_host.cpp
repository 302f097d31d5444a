#include "examples/levels/inventory_host.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "examples/levels/plot11_win.h"

namespace quorlin::examples {

namespace {

constexpr int kInventoryGap = 10;
constexpr int kInventoryWidth = 300;
constexpr int kInventoryOverlap = 235;

}  // namespace

void TInventoryDialogHost::Make(TPlot11Win& window) {
    dialog_ = new TFnListDlg(window, "INVENT");
    dialog_->Create();
    dialog_->HideDialog();
}

QPoint TInventoryDialogHost::Place(const QRect& window, int screenWidth) {
    int x = window.left() + window.width() + kInventoryGap;
    if (screenWidth < x + kInventoryWidth) x = window.left() + window.width() - kInventoryOverlap;
    if (x < 1) x = 50;
    return {x, window.top()};
}

void TInventoryDialogHost::Show(const QWidget& outer, bool inventoryEmpty) {
    if (!dialog_) return;
    dialog_->SetInventoryCaption();
    if (placeBesideWindow_) {
        const QRect frame(outer.mapToGlobal(QPoint(0, 0)), outer.size());
        const QScreen* screen = outer.screen() ? outer.screen() : QGuiApplication::primaryScreen();
        const int width = screen ? screen->availableGeometry().right() + 1 : 1024;
        const QPoint place = Place(frame, width);
        dialog_->MoveTo(place.x(), place.y());
        placeBesideWindow_ = false;
    }
    dialog_->FillList(inventoryEmpty ? -1 : 0);
    dialog_->ShowDialog();
}

void TInventoryDialogHost::Reset() {
    if (dialog_) {
        dialog_->FillList(-1);
        dialog_->HideDialog();
    }
    placeBesideWindow_ = true;
}

void TInventoryDialogHost::Refill(int select) {
    if (dialog_) dialog_->FillList(select);
}

void TInventoryDialogHost::RefreshCaption() {
    if (dialog_) dialog_->SetInventoryCaption();
}

void TInventoryDialogHost::SetBusy(bool busy) {
    if (dialog_) dialog_->SetBusy(busy);
}

bool TInventoryDialogHost::IsBusy() const {
    return dialog_ && dialog_->Busy();
}

bool TInventoryDialogHost::IsShown() const {
    return dialog_ && !dialog_->IsHidden();
}

}  // namespace quorlin::examples
