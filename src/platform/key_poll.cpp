#include "platform/key_poll.h"

#include <QApplication>
#include <QExposeEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

#include "platform/frame_window.h"
#include "platform/modal_input.h"
#include "platform/window.h"

namespace quorlin::platform {

namespace {

std::function<bool(QWidget*, const QKeySequence&)>& AcceleratorOverride() {
    static std::function<bool(QWidget*, const QKeySequence&)> test;
    return test;
}

// The frame whose menu set is shown for a widget: the nearest FrameWindow up its parents.
FrameWindow* FrameOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<FrameWindow*>(w)) return frame;
    }
    return nullptr;
}

bool IsAccelerator(QWidget* window, const QKeySequence& keys) {
    if (const auto& test = AcceleratorOverride()) return test(window, keys);
    FrameWindow* frame = FrameOf(window);
    return frame && frame->IsAcceleratorKey(keys);
}

bool IsHeldBackInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::NonClientAreaMouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::KeyRelease:
        case QEvent::InputMethod:
            return true;
        default:
            return false;
    }
}

// Paints held back while a window paints: posted repaint requests and exposures go out again as
// they were, delayed updates and paints of widgets become an update of their widget. An exposure
// has to reach its window: it is what tells a widget that its window is mapped again, and a widget
// that never hears it stays unpainted after being hidden and shown.
struct HeldPaints {
    int depth = 0;
    std::vector<QPointer<QObject>> requests;
    std::vector<QPointer<QWindow>> exposures;
    std::vector<QPointer<QWidget>> updates;

    // True when the event is one to hold back.
    bool Hold(QObject* receiver, QEvent* event) {
        if (depth == 0) return false;
        switch (event->type()) {
            case QEvent::UpdateRequest:
                requests.emplace_back(receiver);
                return true;
            case QEvent::Expose:
                if (auto* window = qobject_cast<QWindow*>(receiver)) {
                    exposures.emplace_back(window);
                    return true;
                }
                return false;
            case QEvent::Paint:
                // The window system exposing part of a window already shown comes as a paint of
                // the window first; refused, it comes again as an exposure, which is held.
                if (qobject_cast<QWindow*>(receiver)) {
                    event->ignore();
                    return true;
                }
                [[fallthrough]];
            case QEvent::UpdateLater:
                // A widget, or the window of a top-level widget.
                if (auto* widget = qobject_cast<QWidget*>(receiver)) {
                    updates.emplace_back(widget);
                } else if (auto* window = qobject_cast<QWindow*>(receiver)) {
                    for (QWidget* top : QApplication::topLevelWidgets())
                        if (top->windowHandle() == window) updates.emplace_back(top);
                }
                return true;
            default:
                return false;
        }
    }

    void Release() {
        for (const QPointer<QObject>& receiver : std::exchange(requests, {}))
            if (receiver)
                QCoreApplication::postEvent(receiver, new QEvent(QEvent::UpdateRequest),
                                            Qt::LowEventPriority);
        // The window's exposed state is current; the event only has to be handled.
        for (const QPointer<QWindow>& window : std::exchange(exposures, {}))
            if (window)
                QCoreApplication::postEvent(
                    window, new QExposeEvent(QRegion(QRect(QPoint(), window->size()))));
        for (const QPointer<QWidget>& widget : std::exchange(updates, {}))
            if (widget) widget->update();
    }
};

HeldPaints& Held() {
    static HeldPaints held;
    return held;
}

class KeyPollFilter : public QObject {
public:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (Held().Hold(receiver, event)) return true;
        // A box opened during the operation gets its input as usual, or it could never go on.
        if (IsForModalWindow(receiver)) return false;
        switch (event->type()) {
            case QEvent::KeyPress: {
                const int code = CodeOf(receiver, static_cast<QKeyEvent*>(event));
                if (code != 0) keys.push_back(code);
                return true;
            }
            case QEvent::Shortcut:  // a menu accelerator that the shortcut map matched
                keys.push_back(kKeyStop);
                return true;
            case QEvent::Close:  // the window system's close box; the program's own closes pass
                return event->spontaneous();
            default:
                return IsHeldBackInput(event->type());
        }
    }

    void Install() {
        if (installs++ == 0) {
            keys.clear();
            QApplication::instance()->installEventFilter(this);
        }
    }

    void Remove() {
        if (--installs == 0) {
            QApplication::instance()->removeEventFilter(this);
            keys.clear();
        }
    }

    // The next key pressed, one per poll. A poll outside any scope is the last look at the keys:
    // those left over are dropped when it ends, so a stop among them is what it answers, or a Q
    // pressed right after another key (Shift, for a capital Q) would be lost.
    int TakeKey() {
        if (keys.empty()) return 0;
        if (installs == 1 && std::find(keys.begin(), keys.end(), kKeyStop) != keys.end())
            return kKeyStop;
        const int code = keys.front();
        keys.pop_front();
        return code;
    }

    std::deque<int> keys;
    int installs = 0;
    QPointer<QWidget> polled;

private:
    int CodeOf(QObject* receiver, const QKeyEvent* key) const {
        QWidget* window = polled ? polled.data() : qobject_cast<QWidget*>(receiver);
        const QKeyCombination combination(key->modifiers() & ~Qt::KeypadModifier,
                                          static_cast<Qt::Key>(key->key()));
        if (IsAccelerator(window, QKeySequence(combination))) return kKeyStop;
        const QString text = key->text();
        if (!text.isEmpty() && text[0].unicode() != 0x7f) return text[0].toUpper().unicode();
        return KeyCodeFromQt(key->key());
    }
};

KeyPollFilter& Filter() {
    static auto* filter = new KeyPollFilter;  // lives as long as the program
    return *filter;
}

}  // namespace

int PollKey(QWidget* window) {
    KeyPollFilter& filter = Filter();
    if (!QApplication::instance()) return 0;
    filter.Install();
    QPointer<QWidget> before = filter.polled;
    filter.polled = window;
    QApplication::processEvents(QEventLoop::AllEvents);
    filter.polled = before;
    const int code = filter.TakeKey();
    filter.Remove();
    return code;
}

bool KeyPollActive() {
    return Filter().installs > 0;
}

PaintingScope::PaintingScope() {
    ++Held().depth;
}

PaintingScope::~PaintingScope() {
    if (--Held().depth == 0) Held().Release();
}

KeyPollScope::KeyPollScope() {
    if (QApplication::instance()) Filter().Install();
}

KeyPollScope::~KeyPollScope() {
    if (QApplication::instance()) Filter().Remove();
}

void SetAcceleratorTest(std::function<bool(QWidget*, const QKeySequence&)> test) {
    AcceleratorOverride() = std::move(test);
}

}  // namespace quorlin::platform
