#pragma once
// A window's response table for menu commands: the handler of each command id.
//
// Each level of a window registers its own commands when it is constructed; a more derived
// level's registration for an id replaces its base's, as an override would. A command that no
// table of the window or its frame holds is shown disabled, so a menu item nothing handles
// cannot be chosen.
#include <functional>
#include <map>

namespace quorlin::platform {

class CommandTable {
public:
    void Add(int id, std::function<void()> handler);
    // One handler for each id in [first, last]; it gets the id.
    void AddRange(int first, int last, const std::function<void(int)>& handler);

    bool Has(int id) const { return handlers_.contains(id); }
    // Runs the handler of id; false when there is none.
    bool Run(int id) const;

private:
    std::map<int, std::function<void(int)>> handlers_;
};

}  // namespace quorlin::platform
