#include "platform/key_route.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/modal_input.h"

namespace quorlin::platform {

namespace {

// The routes that live, oldest first.
std::vector<const KeyRoute*>& Routes() {
    static std::vector<const KeyRoute*> routes;
    return routes;
}

// The routed copies on their way: each goes where it was sent, and on to the target's parents
// when the target ignores it, without being routed again.
std::vector<const QEvent*>& CopiesInFlight() {
    static std::vector<const QEvent*> copies;
    return copies;
}

bool IsRoutedCopy(const QEvent* event) {
    return std::ranges::find(CopiesInFlight(), event) != CopiesInFlight().end();
}

// Sends a copy of the key to the target. The route that sends it may end meanwhile (the key
// ends the target's run), so nothing of the route is used here.
void SendCopy(const QEvent& event, QWidget& target) {
    const std::unique_ptr<QEvent> copy(event.clone());
    CopiesInFlight().push_back(copy.get());
    QCoreApplication::sendEvent(&target, copy.get());
    std::erase(CopiesInFlight(), copy.get());
}

}  // namespace

KeyRoute::KeyRoute(QWidget& target, std::function<bool()> active)
    : target_(&target), active_(std::move(active)) {
    Routes().push_back(this);
    QCoreApplication::instance()->installEventFilter(this);
}

KeyRoute::~KeyRoute() {
    QCoreApplication::instance()->removeEventFilter(this);
    std::erase(Routes(), this);
}

bool KeyRoute::IsLive() const {
    return target_ && (!active_ || active_());
}

const KeyRoute* KeyRoute::NewestLive() {
    const auto& routes = Routes();
    const auto newest =
        std::find_if(routes.rbegin(), routes.rend(), [](const KeyRoute* r) { return r->IsLive(); });
    return newest == routes.rend() ? nullptr : *newest;
}

bool KeyRoute::InsideLiveTarget(const QWidget& widget) {
    return std::ranges::any_of(Routes(), [&widget](const KeyRoute* r) {
        return r->IsLive() && (&widget == r->target_ || r->target_->isAncestorOf(&widget));
    });
}

bool KeyRoute::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || IsRoutedCopy(event)) return false;
    // A key reaches a window first and then its focus widget: the widget's delivery is taken,
    // by one route only, unless it is addressed to a target or inside one, where it is going
    // anyway. A box or a popup opened during the run holds the keyboard: it is answered first,
    // while the run goes on behind it. A key an open popup passes on (a menu's to its menu bar)
    // is still the popup's.
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (!widget || IsForModalWindow(widget) || IsPopupOpen()) return false;
    if (NewestLive() != this || InsideLiveTarget(*widget)) return false;
    event->accept();
    SendCopy(*event, *target_);
    return true;
}

}  // namespace quorlin::platform
