#pragma once
// TToolDialogList: the modeless tool dialogs of a graphing window, each with the example kinds
// it works on, so that a dialog goes once the inventory holds none of its kinds. A dialog that
// works on two things at once (a surface and a curve) is kept by a rule of several kind groups:
// it stays while every group has an example.
#include <QPointer>

#include <vector>

#include "examples/operations/tool_commands.h"
#include "examples/records/inventory.h"
#include "platform/dialog.h"

namespace quorlin::examples {

class TToolDialogList {
public:
    void Add(platform::Dialog* dialog, std::vector<int> kinds);
    void AddKeptBy(platform::Dialog* dialog, TKeepRule rule);
    // Unless forced, keeps each dialog while the inventory holds an example of its kinds; hides
    // the others and deletes them once their own handlers return (a dialog may be closed from
    // one of them). The dialogs closed.
    std::vector<platform::Dialog*> CloseUnneeded(const TInventory& inventory, bool force);
    std::size_t Count() const { return dialogs_.size(); }
    // Hides every dialog that is still there (its window was hidden).
    void HideAll();

private:
    struct Entry {
        QPointer<platform::Dialog> dialog;
        TKeepRule rule;
    };
    std::vector<Entry> dialogs_;
};

}  // namespace quorlin::examples
