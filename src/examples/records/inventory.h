#pragma once
// TInventory: the examples of one graphing window, with the per-example entries that travel
// with each example (name, family mark, and four trees the window compiles for it: the range
// ends, a third range tree and the substituted tree of the 3D hidden-line tests).
//
// Examples occupy indexes 0..LastIndex() without gaps; the inventory holds at most
// Capacity() + 1 of them. A derived example's parents always have smaller indexes than itself,
// and every operation here that removes or reorders examples keeps it so. The window levels
// keep their own per-example lists (equation labels, shading records, overlays) in step through
// the index maps these operations return.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "examples/records/example.h"
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
    // The division count a stepped surface of revolution was compiled from and the count its
    // compilation stored in the record, so that compiling it again does not step it twice.
    std::int16_t revolutionBaseCount = 0;
    std::int16_t revolutionSteppedCount = 0;
};

class TInventory {
public:
    static constexpr int kInitialCapacity = 35;  // highest usable index: 36 examples fit
    static constexpr int kMaxCapacity = 32000;

    int LastIndex() const { return static_cast<int>(entries_.size()) - 1; }
    int Count() const { return static_cast<int>(entries_.size()); }
    int Capacity() const { return capacity_; }
    bool Empty() const { return entries_.empty(); }
    bool HasRoom() const { return LastIndex() < capacity_; }
    bool IsIndex(int i) const { return i >= 0 && i <= LastIndex(); }

    TExample& operator[](int i) { return entries_[static_cast<std::size_t>(i)].example; }
    const TExample& operator[](int i) const {
        return entries_[static_cast<std::size_t>(i)].example;
    }
    TInventoryEntry& Entry(int i) { return entries_[static_cast<std::size_t>(i)]; }
    const TInventoryEntry& Entry(int i) const { return entries_[static_cast<std::size_t>(i)]; }

    std::vector<TInventoryEntry>& Entries() { return entries_; }
    const std::vector<TInventoryEntry>& Entries() const { return entries_; }

    // Sets the highest usable index to n (1..kMaxCapacity). With keep the examples stay, and n
    // below the last index is refused (false, nothing changed); without it the inventory is
    // emptied.
    bool SetCapacity(int n, bool keep);

    // Appends the record as a new example with an empty name, no family mark and no compiled
    // trees; returns its index, or -1 (nothing appended) when the inventory is full.
    int Append(TExample example);
    // Removes the last example (a cancelled duplicate, a derived entry whose build failed).
    void RemoveLast();
    // Removes everything.
    void Clear() { entries_.clear(); }

    // Removes the listed examples and every example derived from them, directly or through a
    // chain, and closes the gaps; the parents of the survivors are renumbered. Returns the map
    // from each old index (0..old last) to its new index, -1 for a removed example. Indexes
    // outside the inventory in the list are ignored.
    std::vector<int> Remove(std::span<const int> indexes);

    // Exchanges examples a and b with everything that travels with them and renumbers the
    // parents of the examples after them. Refused (false, nothing changed) when an index is
    // outside the inventory or when the exchange would put an example before one of its
    // parents: the later one derived from an example in between or from the earlier one, or an
    // example in between derived from the earlier one.
    bool Swap(int a, int b);

    // Entry i's substituted tree becomes a copy of its tree 4 in which X, Y and Z are replaced
    // by the sight line P + T D (P1 + P4 T, P2 + P5 T, P3 + P6 T; the engine's sight-line
    // nodes); null when tree 4 is.
    void SubstituteXYZ(int i);

private:
    int capacity_ = kInitialCapacity;
    std::vector<TInventoryEntry> entries_;
};

// Where an example stands after examples were removed or exchanged (oldToNew[old] is the new
// index, -1 when removed); -1 for no example or a removed one.
int RenumberedExample(int example, std::span<const int> oldToNew);

}  // namespace quorlin::examples
