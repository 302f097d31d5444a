#include "platform/key_route.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <memory>

namespace quorlin::platform {

KeyRoute::KeyRoute(QWidget& target, std::function<bool()> active)
    : target_(&target), active_(std::move(active)) {
    QCoreApplication::instance()->installEventFilter(this);
}

KeyRoute::~KeyRoute() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool KeyRoute::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !target_ || (active_ && !active_())) return false;
    // A key reaches a window first and then its focus widget: the widget's delivery is taken,
    // unless it is the target or inside it, where the key is going anyway.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget == target_ || target_->isAncestorOf(widget)) return false;
    const std::unique_ptr<QEvent> routed(event->clone());
    QCoreApplication::sendEvent(target_.data(), routed.get());
    return true;
}

}  // namespace quorlin::platform
