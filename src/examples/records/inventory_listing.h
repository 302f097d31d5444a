#pragma once
// Questions the window levels ask of the inventory as a whole: how many examples of a kind it
// holds, the first listed example of some kinds (the command enablers' test), and the text
// listing of the inventory with the user-defined functions.
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <utility>

#include "examples/records/equation_text.h"
#include "examples/records/inventory.h"
#include "formula/formula_context.h"

namespace quorlin::examples {

int CountExamplesOfKind(const TInventory& inventory, int kind);

// The first example of one of the kinds whose listing word is not negative; -1 when none.
int FindExampleOfKind(const TInventory& inventory, std::span<const int> kinds);
inline int FindExampleOfKind(const TInventory& inventory, std::initializer_list<int> kinds) {
    return FindExampleOfKind(inventory, std::span<const int>(kinds.begin(), kinds.size()));
}

// The inventory listing: the equation text of each accepted example on a line of its own,
// a line of 25 '-', then "NAME(X) = body" for each user function; CR LF after every line, the
// whole at most 64000 characters.
inline constexpr std::size_t kMaxListingChars = 64000;

// A listing written line by line, each line ended by CR LF, that stops at kMaxListingChars.
class TListingText {
public:
    // Appends the line; false, and nothing appended, when it would pass the limit.
    bool Append(const std::string& line);
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

std::string InventoryListing(TInventory& inventory, const TTextSettings& settings,
                             const std::function<bool(int)>& accepts,
                             const std::vector<UserFunction>& functions);

}  // namespace quorlin::examples
