#pragma once
// How a window's modeless tool dialog opens: made by its command's first use (and, when it works
// on examples of some kinds, kept by the window only while one of them is left), then shown and
// brought to the top on every use.
#include <QPointer>

#include <utility>
#include <vector>

#include "examples/levels/plot11_win.h"

namespace quorlin::tools2d {

template <class Dlg, class... Args>
Dlg* OpenToolDialog(examples::TPlot11Win& window, QPointer<Dlg>& slot, std::vector<int> kinds,
                    Args&&... args) {
    if (!slot) {
        slot = new Dlg(window, std::forward<Args>(args)...);
        slot->Create();
        if (!kinds.empty()) window.AddToolDialog(slot, std::move(kinds));
    }
    slot->ShowDialog();
    slot->raise();
    slot->activateWindow();
    return slot;
}

}  // namespace quorlin::tools2d
