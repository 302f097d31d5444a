#include "tools2d/regions/region_model.h"

#include <limits>

#include "core/errors.h"

namespace quorlin::tools2d {

namespace {

namespace k = examples::kind;

bool IsImplicit(const examples::TExample& e) {
    return e.kind == k::kImplicit;
}

template <class Keep>
std::vector<int> IndexesWhere(const examples::TInventory& inventory, Keep&& keep) {
    std::vector<int> indexes;
    for (int i = 0; i <= inventory.LastIndex(); ++i)
        if (keep(inventory[i])) indexes.push_back(i);
    return indexes;
}

}  // namespace

std::vector<int> ImplicitExamples(const examples::TInventory& inventory) {
    return IndexesWhere(inventory, IsImplicit);
}

std::vector<int> InequalityExamples(const examples::TInventory& inventory) {
    return IndexesWhere(
        inventory, [](const examples::TExample& e) { return IsImplicit(e) && e.subKind != 0; });
}

std::string InequalityText(std::string text, int side) {
    if (side == kEquation) return text;
    if (const std::size_t at = text.find('='); at != std::string::npos)
        text[at] = side > 0 ? '<' : '>';
    return text;
}

bool SetSide(examples::TInventory& inventory, int i, int side, int colour) {
    if (!inventory.IsIndex(i) || !IsImplicit(inventory[i])) return false;
    examples::TExample& e = inventory[i];
    e.subKind = static_cast<std::int16_t>(side);
    if (side != kEquation) e.listing = static_cast<std::int16_t>(colour);
    return true;
}

int ClearSides(examples::TInventory& inventory) {
    int cleared = 0;
    for (const int i : InequalityExamples(inventory)) {
        inventory[i].subKind = kEquation;
        ++cleared;
    }
    return cleared;
}

int ListSelection(int count, int selected, int& position) {
    if (count <= 0) return kErrNothingToDo;
    if (count == 1) {
        position = 0;
        return kNoError;
    }
    if (selected < 0 || selected >= count) return kErrMakeSelection;
    position = selected;
    return kNoError;
}

int ReadDartCount(FormulaContext& context, std::string_view text, int& count) {
    int read = 0;
    if (context.ReadInteger(text, 1, std::numeric_limits<std::int32_t>::max(), read) != kNoError)
        return kErrPositiveValue;
    count = read;
    return kNoError;
}

}  // namespace quorlin::tools2d
