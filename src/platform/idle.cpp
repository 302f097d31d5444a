#include "platform/idle.h"

#include <QPointer>
#include <QTimer>

#include "platform/key_poll.h"

namespace quorlin::platform {

namespace {

// While a long operation polls the keyboard, idle work waits and looks again a little later.
constexpr int kRetryMs = 20;

void Schedule(QObject* context, std::function<void()> work, int delayMs) {
    QTimer::singleShot(delayMs, context, [context, work = std::move(work)]() mutable {
        if (KeyPollActive()) {
            Schedule(context, std::move(work), kRetryMs);
            return;
        }
        work();
    });
}

}  // namespace

void RunWhenIdle(QObject* context, std::function<void()> work) {
    if (!context || !work) return;
    Schedule(context, std::move(work), 0);
}

}  // namespace quorlin::platform
