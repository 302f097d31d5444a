#include "examples/inventory_listing.h"

#include <algorithm>

namespace quorlin::examples {

int CountExamplesOfKind(const TInventory& inventory, int kind) {
    return static_cast<int>(
        std::count_if(inventory.Entries().begin(), inventory.Entries().end(),
                      [kind](const TInventoryEntry& e) { return e.example.kind == kind; }));
}

int FindExampleOfKind(const TInventory& inventory, std::span<const int> kinds) {
    for (int i = 0; i <= inventory.LastIndex(); ++i) {
        const TExample& e = inventory[i];
        if (e.listing >= 0 && std::find(kinds.begin(), kinds.end(), e.kind) != kinds.end())
            return i;
    }
    return -1;
}

std::string InventoryListing(TInventory& inventory, const TTextSettings& settings,
                             const std::function<bool(int)>& accepts,
                             const std::vector<UserFunction>& functions) {
    std::string text;
    const auto append = [&text](const std::string& line) {
        if (text.size() + line.size() + 2 > kMaxListingChars) return false;
        text += line;
        text += "\r\n";
        return true;
    };
    for (int i = 0; i <= inventory.LastIndex(); ++i)
        if ((!accepts || accepts(i)) && !append(DescribeExample(inventory, i, settings)))
            return text;
    if (!append(std::string(25, '-'))) return text;
    for (const UserFunction& f : functions)
        if (!append(UserFunctionLine(f))) break;
    return text;
}

}  // namespace quorlin::examples
