#pragma once
// Keyboard polling during long work.
//
// Long computations and drawings do not return to the event loop; they call PollKey now and then.
// PollKey processes the pending events (so windows repaint and timers run) while an event filter
// queues key presses and swallows mouse input, menu shortcuts, drops and close requests, so
// nothing re-enters the running operation.
//
// A KeyPollScope keeps the filter installed for a whole operation, so input that arrives during
// other event processing in it (a synchronous repaint, BusyDelay) is held back too; without a
// scope, PollKey installs the filter only while it processes events.
#include <QKeySequence>
#include <functional>

#include "core/errors.h"

class QWidget;

namespace quorlin::platform {

// Takes one key pressed during the operation: 0 when none, 81 when it was an accelerator key,
// else the character it gives, upper-cased, or the key code when it gives no character (17 for
// Ctrl). The window names what is being polled (its frame's accelerators count); it may be null.
int PollKey(QWidget* window);

// Whether a key poll filter is installed (a scope is open or PollKey is running).
bool KeyPollActive();

// Installs the filter for its lifetime (scopes nest); the key queue starts and ends empty.
class KeyPollScope {
public:
    KeyPollScope();
    ~KeyPollScope();
    KeyPollScope(const KeyPollScope&) = delete;
    KeyPollScope& operator=(const KeyPollScope&) = delete;
};

// Held by a window while it paints. A key poll meanwhile (a drawing that polls for Q) must not
// paint any window inside the paint: a nested paint would draw on the backing store the outer
// one is drawing on. The repaints and exposures that arrive meanwhile are held back and asked
// for again when the outermost paint has ended.
class PaintingScope {
public:
    PaintingScope();
    ~PaintingScope();
    PaintingScope(const PaintingScope&) = delete;
    PaintingScope& operator=(const PaintingScope&) = delete;
};

// Test hook: replaces the accelerator test PollKey uses (by default the accelerators of the frame
// of the polled window); an empty function restores it.
void SetAcceleratorTest(std::function<bool(QWidget* window, const QKeySequence& keys)> test);

}  // namespace quorlin::platform
