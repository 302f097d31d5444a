#pragma once
// A hook for timing the program's start as a whole process (bench/startup_bench): when the
// environment variable QUORLIN_EXIT_AFTER_FIRST_PAINT is "1", the program quits as soon as the
// first window of its start has painted (the diagram named on the command line, or the frame
// when there is none). Nothing a user sees or sets: without the variable nothing is installed.
class QWidget;

namespace quorlin {

// Whether QUORLIN_EXIT_AFTER_FIRST_PAINT=1 is set.
bool ExitAfterFirstPaintWanted();

// Quits the application once the window has painted after this call (it asks for a paint, so
// one comes even when the window painted before).
void ExitAfterFirstPaint(QWidget* window);

}  // namespace quorlin
