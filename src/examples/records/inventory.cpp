#include "examples/records/inventory.h"

#include <algorithm>
#include <utility>

#include "examples/records/derivation.h"
#include "formula/tree_builders.h"

namespace quorlin::examples {

namespace {

// The example indexes a record depends on: its first parent, and its second unless that word
// holds something else.
std::array<std::int16_t*, 2> ParentIndexes(TExample& e) {
    return {&e.parent[0], NamesSecondParent(e.derivation) ? &e.parent[1] : nullptr};
}

}  // namespace

bool TInventory::SetCapacity(int n, bool keep) {
    if (n < 1 || n > kMaxCapacity) return false;
    if (!keep) {
        entries_.clear();
    } else if (n < LastIndex()) {
        return false;
    }
    capacity_ = n;
    return true;
}

int TInventory::Append(TExample example) {
    if (!HasRoom()) return -1;
    entries_.emplace_back().example = std::move(example);
    return LastIndex();
}

void TInventory::RemoveLast() {
    if (!entries_.empty()) entries_.pop_back();
}

std::vector<int> TInventory::Remove(std::span<const int> indexes) {
    const int count = Count();
    std::vector<int> map(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) map[i] = i;
    for (const int i : indexes)
        if (IsIndex(i)) map[i] = -1;
    // Parents precede what is derived from them, so one pass in index order removes whole
    // chains.
    auto removed = [&](const std::int16_t* parent) {
        return parent && *parent >= 0 && *parent < count && map[*parent] < 0;
    };
    for (int i = 0; i < count; ++i) {
        const auto parents = ParentIndexes(entries_[i].example);
        if (removed(parents[0]) || removed(parents[1])) map[i] = -1;
    }
    std::vector<TInventoryEntry> survivors;
    survivors.reserve(entries_.size());
    for (int i = 0; i < count; ++i) {
        if (map[i] < 0) continue;
        map[i] = static_cast<int>(survivors.size());
        for (std::int16_t* parent : ParentIndexes(entries_[i].example))
            if (parent && *parent >= 0 && *parent < count)
                *parent = static_cast<std::int16_t>(map[*parent]);
        survivors.push_back(std::move(entries_[i]));
    }
    entries_ = std::move(survivors);
    return map;
}

bool TInventory::Swap(int a, int b) {
    if (!IsIndex(a) || !IsIndex(b)) return false;
    const int lo = std::min(a, b);
    const int hi = std::max(a, b);
    if (lo == hi) return true;
    auto parentIn = [&](int i, int first, int last) {
        for (const std::int16_t* parent : ParentIndexes(entries_[i].example))
            if (parent && *parent >= first && *parent <= last) return true;
        return false;
    };
    if (parentIn(hi, lo, hi - 1)) return false;
    for (int m = lo + 1; m < hi; ++m)
        if (parentIn(m, lo, lo)) return false;
    std::swap(entries_[lo], entries_[hi]);
    for (int i = hi + 1; i < Count(); ++i)
        for (std::int16_t* parent : ParentIndexes(entries_[i].example)) {
            if (!parent) continue;
            if (*parent == lo) {
                *parent = static_cast<std::int16_t>(hi);
            } else if (*parent == hi) {
                *parent = static_cast<std::int16_t>(lo);
            }
        }
    return true;
}

void TInventory::SubstituteXYZ(int i) {
    TInventoryEntry& entry = Entry(i);
    entry.substituted = TExprNode::CopyTree(entry.example.Tree(4).get());
    if (!entry.substituted) return;
    constexpr int kCoordinates[3] = {op::kVarX, op::kVarY, op::kVarZ};
    for (int k = 0; k < 3; ++k) {
        const NodePtr line =
            MakeOpPlusProduct(op::kSightFirst + k, op::kSightFirst + 3 + k, op::kVarT);
        TExprNode::SubstituteVar(entry.substituted, kCoordinates[k], *line);
    }
}

int RenumberedExample(int example, std::span<const int> oldToNew) {
    if (example < 0 || example >= static_cast<int>(oldToNew.size())) return -1;
    return oldToNew[static_cast<std::size_t>(example)];
}

}  // namespace quorlin::examples
