#pragma once
// Idle processing: work run once the event loop has nothing else to do.
#include <functional>

class QObject;

namespace quorlin::platform {

// Runs the function from the event loop at the next idle moment (a zero-time single-shot timer),
// as long as the context object still exists. Never runs inside PollKey or a KeyPollScope: the
// work waits until the long operation is over.
void RunWhenIdle(QObject* context, std::function<void()> work);

}  // namespace quorlin::platform
