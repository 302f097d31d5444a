#include "examples/operations/inventory_panel.h"

#include <algorithm>
#include <iterator>

#include "examples/records/equation_text.h"
#include "formula/opcodes.h"

namespace quorlin::examples {

namespace k = quorlin::examples::kind;

namespace {

constexpr int kStrBox = 104;
constexpr int kStrHidden = 166;  // "hidden: "
constexpr int kStrWeb = 150;
constexpr int kStrLevels = 338;
constexpr int kStrDerive = 339;
constexpr int kStrActive = 340;
constexpr int kStrSwap = 344;
constexpr int kStrTable = 346;

bool IsGraphKind(int kind) {
    return kind >= 201 && kind <= 399;
}

}  // namespace

std::string InventoryLine(const TInventoryEntry& entry, const std::string& description) {
    std::string line = entry.familyMark ? "$" : "";
    auto append = [&line](const std::string& part) {
        if (!line.empty()) line += ' ';
        line += part;
    };
    if (!entry.example.graphShown) {
        const std::string word = Word(kStrHidden);
        append("[" + word.substr(0, word.find(':')) + "]");
    }
    if (!entry.name.empty()) append(entry.name);
    if (!line.empty()) line += ": ";
    return line + description;
}

std::string DeriveCaption(const TInventoryMode& mode, int selected) {
    if (selected == 2) return Word(kStrSwap);
    return Word(mode.threeD ? kStrLevels : kStrDerive);
}

std::string WebCaption(const TInventoryMode& mode) {
    if (mode.absMode) return "| f(x) |";
    if (mode.threeD) return Word(kStrBox);
    if (mode.map) return Word(kStrActive);
    return Word(kStrWeb);
}

std::string TableCaption(int selectedKind) {
    return Word(selectedKind == k::kImplicitSurface ? kStrDerive : kStrTable);
}

bool CanDifferentiate(const TExprNode* tree) {
    if (!tree) return true;
    if (tree->op == op::kArg) return false;
    return CanDifferentiate(tree->child[0].get()) && CanDifferentiate(tree->child[1].get());
}

bool HasTraceableRecord(const TExample& e) {
    static constexpr int kCurves[] = {
        k::kExplicit, k::kPolar,        k::kParametric, k::kOrbital,      k::kIntrinsic,
        k::kSurface,  k::kPolarSurface, k::kSpaceCurve, k::kSpaceSegment, k::kSpaceIntrinsic};
    // Kinds drawn only through their trajectories: without one there is nothing to list.
    static constexpr int kTraced[] = {
        k::kSystem,      k::kSlope,         k::kSequence,           k::kHigherOrder,
        k::kSpaceSystem, k::kSpaceSequence, k::kSurfaceIntersection};
    if (std::ranges::find(kCurves, e.kind) != std::end(kCurves)) return true;
    return std::ranges::find(kTraced, e.kind) != std::end(kTraced) && !e.trajectories.empty();
}

bool InventoryButtonEnabled(int id, const TInventory& inventory, std::span<const int> selected,
                            const TInventoryMode& mode) {
    const int count = static_cast<int>(selected.size());
    for (const int i : selected)
        if (!inventory.IsIndex(i)) return false;
    const TExample* one = count == 1 ? &inventory[selected[0]] : nullptr;
    const bool oneUsual = one && one->kind != k::kOrbital;
    auto any = [&](auto test) {
        return std::any_of(selected.begin(), selected.end(),
                           [&](int i) { return test(inventory[i]); });
    };
    switch (id) {
        case invent::kEdit:
            return count == 1;
        case invent::kDelete:
            return count >= 1 && !any([](const TExample& e) { return e.kind == k::kOrbital; });
        case invent::kDuplicate:
        case invent::kClip:
        case invent::kName:
            return oneUsual;
        case invent::kTable:
            return one && (one->kind == k::kImplicitSurface || HasTraceableRecord(*one));
        case invent::kFamily:
            if (count < 1 || (count > 1 && (mode.threeD || mode.map))) return false;
            if (!one) return true;
            if (one->IsLagrangeExplicit() || one->kind == k::kOrbital) return false;
            if (one->kind == k::kExplicit && one->WebOn()) return false;
            return one->kind < 300 || one->kind == k::kSpaceCurve ||
                   one->kind == k::kSpaceSegment || one->kind == k::kSpacePoint ||
                   one->kind == k::kSpaceIntrinsic;
        case invent::kGraph:
            return any([](const TExample& e) { return IsGraphKind(e.kind); });
        case invent::kEquation:
            return any(
                [](const TExample& e) { return IsGraphKind(e.kind) && e.kind != k::kOrbital; });
        case invent::kDerive:
            if (count == 2) return true;
            if (!one) return false;
            if (mode.threeD)
                return mode.levelsDialog &&
                       (one->kind == k::kSurface || one->kind == k::kImplicitSurface ||
                        (one->kind == k::kRevolution && one->subKind == k::kImplicit));
            // An implicit curve gives its gradient field; the others their derivative, which
            // only a window that adds derivatives offers.
            return one->kind >= k::kExplicit && one->kind <= k::kImplicit &&
                   (one->kind == k::kImplicit || mode.derivatives) &&
                   CanDifferentiate(one->Tree(2));
        case invent::kWeb:
            if (mode.threeD) return mode.boxDialog;
            if (!one || one->familyOn) return false;
            if (mode.absMode) return one->kind == k::kExplicit;
            if (mode.map) return one->kind >= 401 && one->kind <= 403;
            return !mode.logarithmic && one->kind == k::kExplicit && !one->IsLagrangeExplicit();
        default:
            return true;
    }
}

}  // namespace quorlin::examples
