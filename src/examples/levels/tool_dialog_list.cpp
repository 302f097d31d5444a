#include "examples/levels/tool_dialog_list.h"

#include <utility>

#include "examples/operations/tool_commands.h"

namespace quorlin::examples {

void TToolDialogList::HideAll() {
    for (const Entry& entry : dialogs_)
        if (entry.dialog) entry.dialog->HideDialog();
}

void TToolDialogList::Add(platform::Dialog* dialog, std::vector<int> kinds) {
    AddKeptBy(dialog, TKeepRule{std::move(kinds)});
}

void TToolDialogList::AddKeptBy(platform::Dialog* dialog, TKeepRule rule) {
    dialogs_.push_back({dialog, std::move(rule)});
}

std::vector<platform::Dialog*> TToolDialogList::CloseUnneeded(const TInventory& inventory,
                                                              bool force) {
    std::vector<platform::Dialog*> closed;
    std::erase_if(dialogs_, [&](const Entry& t) {
        if (!t.dialog) return true;
        if (!force && KeepsToolDialog(t.rule, inventory)) return false;
        t.dialog->HideDialog();
        t.dialog->deleteLater();
        closed.push_back(t.dialog);
        return true;
    });
    return closed;
}

}  // namespace quorlin::examples
