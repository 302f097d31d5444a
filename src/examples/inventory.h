#pragma once
// TInventory: the examples of one graphing window, with the per-example entries that travel
// with each example (name, family mark, and four trees the window compiles for it: the range
// ends, a third range tree and the substituted tree of the 3D hidden-line tests).
//
// Examples occupy indexes 0..LastIndex() without gaps; the inventory holds at most
// Capacity() + 1 of them. A derived example's parents always have smaller indexes than itself.
#include <cstddef>
#include <string>
#include <vector>

#include "examples/example.h"
#include "formula/expr_node.h"

namespace quorlin::examples {

// What the inventory keeps of one example beside its record.
struct TInventoryEntry {
    static constexpr std::size_t kNameChars = 20;
    TExample example;
    std::string name;  // at most 20 characters
    std::uint8_t familyMark = 0;
    NodePtr rangeLow;     // compiled low end of the range
    NodePtr rangeHigh;    // compiled high end
    NodePtr thirdRange;   // compiled third range text (the arrow position of 203, 304)
    NodePtr substituted;  // tree 4 with X, Y, Z replaced by the line P + T D (3D tests)
};

class TInventory {
public:
    static constexpr int kInitialCapacity = 35;  // highest usable index: 36 examples fit

    int LastIndex() const { return static_cast<int>(entries_.size()) - 1; }
    int Count() const { return static_cast<int>(entries_.size()); }
    int Capacity() const { return capacity_; }
    bool Empty() const { return entries_.empty(); }
    bool HasRoom() const { return LastIndex() < capacity_; }

    TExample& operator[](int i) { return entries_[static_cast<std::size_t>(i)].example; }
    const TExample& operator[](int i) const {
        return entries_[static_cast<std::size_t>(i)].example;
    }
    TInventoryEntry& Entry(int i) { return entries_[static_cast<std::size_t>(i)]; }
    const TInventoryEntry& Entry(int i) const { return entries_[static_cast<std::size_t>(i)]; }

    std::vector<TInventoryEntry>& Entries() { return entries_; }
    const std::vector<TInventoryEntry>& Entries() const { return entries_; }

    // Sets the highest usable index (n >= 1); false, unchanged, when examples would not fit.
    bool SetCapacity(int n);

private:
    int capacity_ = kInitialCapacity;
    std::vector<TInventoryEntry> entries_;
};

}  // namespace quorlin::examples
