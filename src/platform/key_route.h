#pragma once
// Routes the program's key presses to one widget for a while: a window that runs an animation
// on its timer steers it from the keyboard, whichever of the program's windows has the focus
// (a tool dialog that started it, a slider, the frame). Only key presses move; everything else
// goes where it was going.
//
// Several routes may live at once (a run in each of two windows). A key addressed to a live
// route's target, or to a widget inside one, goes where it was going; a key meant elsewhere goes
// to the target of the newest live route only; a routed copy is never routed again. So every key
// is delivered once. A key typed into a modal box or a popup that is open goes there, also one the
// popup passes on (a menu's arrows to its menu bar).
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace quorlin::platform {

class KeyRoute : public QObject {
public:
    // Routes while `active` answers true (an empty test: always) and the route lives.
    explicit KeyRoute(QWidget& target, std::function<bool()> active = {});
    ~KeyRoute() override;
    KeyRoute(const KeyRoute&) = delete;
    KeyRoute& operator=(const KeyRoute&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Its target lives and its test agrees.
    bool IsLive() const;
    // The newest live route, or null.
    static const KeyRoute* NewestLive();
    // The widget is a live route's target or inside one.
    static bool InsideLiveTarget(const QWidget& widget);

    QPointer<QWidget> target_;
    std::function<bool()> active_;
};

}  // namespace quorlin::platform
