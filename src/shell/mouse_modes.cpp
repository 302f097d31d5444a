#include "shell/mouse_modes.h"

#include <utility>

namespace quorlin {

namespace {

class PressOnly final : public MouseModeHandler {
public:
    explicit PressOnly(std::function<bool(const platform::MouseEvent&)> down)
        : down_(std::move(down)) {}
    bool Down(const platform::MouseEvent& event) override { return down_(event); }

private:
    std::function<bool(const platform::MouseEvent&)> down_;
};

}  // namespace

std::unique_ptr<MouseModeHandler> PressHandler(
    std::function<bool(const platform::MouseEvent&)> down) {
    return std::make_unique<PressOnly>(std::move(down));
}

void MouseModeTable::Register(int mode, std::unique_ptr<MouseModeHandler> handler) {
    if (handler) handlers_[mode].push_back(std::move(handler));
}

bool MouseModeTable::Handles(int mode) const {
    return handlers_.contains(mode);
}

template <class Ask>
bool MouseModeTable::Dispatch(int mode, Ask&& ask) const {
    const auto found = handlers_.find(mode);
    if (found == handlers_.end()) return false;
    const Handlers& stack = found->second;
    for (auto it = stack.rbegin(); it != stack.rend(); ++it)
        if (ask(**it)) return true;
    return false;
}

bool MouseModeTable::Down(int mode, const platform::MouseEvent& event) const {
    return Dispatch(mode, [&event](MouseModeHandler& h) { return h.Down(event); });
}

bool MouseModeTable::Move(int mode, const platform::MouseEvent& event) const {
    return Dispatch(mode, [&event](MouseModeHandler& h) { return h.Move(event); });
}

bool MouseModeTable::Up(int mode, const platform::MouseEvent& event) const {
    return Dispatch(mode, [&event](MouseModeHandler& h) { return h.Up(event); });
}

}  // namespace quorlin
