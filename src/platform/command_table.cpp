#include "platform/command_table.h"

namespace quorlin::platform {

void CommandTable::Add(int id, std::function<void()> handler) {
    handlers_[id] = [handler = std::move(handler)](int) { handler(); };
}

void CommandTable::AddRange(int first, int last, const std::function<void(int)>& handler) {
    for (int id = first; id <= last; ++id) handlers_[id] = handler;
}

bool CommandTable::Run(int id) const {
    const auto it = handlers_.find(id);
    if (it == handlers_.end()) return false;
    // A copy: the handler may close the window that owns this table.
    const auto handler = it->second;
    handler(id);
    return true;
}

}  // namespace quorlin::platform
