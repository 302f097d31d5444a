#include "shell/first_paint_exit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace quorlin {

namespace {

// Sees the window's paint event before the window handles it and ends the event loop after it,
// once the loop is back: the picture is painted and flushed by then. It leaves the loop rather
// than asking the windows to close, so no question about unsaved changes stands in the way; the
// windows are cleaned up as at every end of the program.
class QuitAfterPaint : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool quitting_ = false;
};

}  // namespace

bool ExitAfterFirstPaintWanted() {
    return qEnvironmentVariable("QUORLIN_EXIT_AFTER_FIRST_PAINT") == QLatin1String("1");
}

void ExitAfterFirstPaint(QWidget* window) {
    window->installEventFilter(new QuitAfterPaint(window));
    window->update();
}

}  // namespace quorlin
