#include "platform/modal_input.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace quorlin::platform {

namespace {

// Up the parents, across windows: a dialog's popup is the dialog's.
bool IsWithin(const QWidget* widget, const QWidget* ancestor) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == ancestor) return true;
    }
    return false;
}

}  // namespace

bool IsForModalWindow(const QObject* receiver) {
    const QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return false;
    if (const auto* window = qobject_cast<const QWindow*>(receiver)) {
        if (window == modal->windowHandle()) return true;
        const QWidget* popup = QApplication::activePopupWidget();
        return popup && popup->windowHandle() == window && IsWithin(popup, modal);
    }
    return IsWithin(qobject_cast<const QWidget*>(receiver), modal);
}

bool IsPopupOpen() {
    return QApplication::activePopupWidget() != nullptr;
}

}  // namespace quorlin::platform
