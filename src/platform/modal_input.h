#pragma once
// Input that a box the user has to answer holds: a modal dialog or message box that is open, a
// popup (a menu, a list) that is open. Whatever else takes the program's input for a while (a key
// poll during long work, a key route during a run) leaves this input alone, or the box could
// never be answered.
class QObject;
class QWidget;

namespace quorlin::platform {

// Whether the receiver (a widget, or a window of one) is the active modal window, a widget in it,
// or a popup that the modal window opened.
bool IsForModalWindow(const QObject* receiver);

// Whether a popup (a menu, a list) is open. It holds the keyboard: a key that reaches another
// widget meanwhile is one the popup passed on, as a menu passes the arrows and letters it does
// not take to its menu bar, which moves to the next menu with them.
bool IsPopupOpen();

}  // namespace quorlin::platform
