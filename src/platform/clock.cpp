#include "platform/clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace quorlin::platform {

namespace {

std::function<int()>& Override() {
    static std::function<int()> source;
    return source;
}

}  // namespace

int ClockHundredths() {
    if (const auto& source = Override()) return source();
    static const QElapsedTimer started = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return static_cast<int>(started.elapsed() / 10);
}

void SetClockSource(std::function<int()> source) {
    Override() = std::move(source);
}

void BusyDelay(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
    }
}

}  // namespace quorlin::platform
