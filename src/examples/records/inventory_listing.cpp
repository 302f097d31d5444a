#include "examples/records/inventory_listing.h"

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

bool TListingText::Append(const std::string& line) {
    if (text_.size() + line.size() + 2 > kMaxListingChars) return false;
    text_ += line;
    text_ += "\r\n";
    return true;
}

std::string InventoryListing(TInventory& inventory, const TTextSettings& settings,
                             const std::function<bool(int)>& accepts,
                             const std::vector<UserFunction>& functions) {
    TListingText text;
    for (int i = 0; i <= inventory.LastIndex(); ++i)
        if ((!accepts || accepts(i)) && !text.Append(DescribeExample(inventory, i, settings)))
            return text.Take();
    if (!text.Append(std::string(25, '-'))) return text.Take();
    for (const UserFunction& f : functions)
        if (!text.Append(UserFunctionLine(f))) break;
    return text.Take();
}

}  // namespace quorlin::examples
