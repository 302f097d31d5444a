#pragma once
// The application: start-up with the single-instance hand-over, then the main frame and the
// event loop.
#include <QStringList>

#include "shell/window_kinds.h"

namespace quorlin {

class TPlot {
public:
    explicit TPlot(const WindowKindRegistry& kinds) : kinds_(kinds) {}

    // Joins the arguments into one file name; when another instance runs, hands the name over
    // and returns 0 at once; otherwise seeds the random generator with the time, shows the frame
    // and runs the event loop until the frame closes. Needs a QApplication.
    int Run(const QStringList& arguments);

private:
    const WindowKindRegistry& kinds_;
};

}  // namespace quorlin
