// Value numbering of a tree: one walk that hashes each node's code, constant bits, children's
// numbers and the binding of the slot it reads into a table of the distinct subtrees.
#include "formula/tree_program_sharing.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>

#include "formula/formula_context.h"

namespace quorlin::program_detail {

namespace {

// The codes of the keys that stand for a binding of a slot rather than for a node.
constexpr int kBoundBinding = -1;
constexpr int kPeriodicBinding = -2;
// The binding of a slot that no node in force has bound.
constexpr int kFree = -1;

// The 80 bits of a long double, without the padding that holds no value.
std::array<std::uint64_t, 2> Bits(long double v) {
    std::array<std::uint64_t, 2> bits{};
    std::memcpy(bits.data(), &v, 10);
    return bits;
}

struct Key {
    int op = 0;
    int aux = 0;
    std::array<std::uint64_t, 2> re{};  // of constants only: other nodes keep scratch values
    std::array<std::uint64_t, 2> im{};
    std::array<int, 4> child{-1, -1, -1, -1};
    int binding = kFree;  // of the slot the node reads

    bool operator==(const Key&) const = default;
};

struct KeyHash {
    std::size_t operator()(const Key& k) const {
        std::size_t h = std::hash<int>{}(k.op);
        const auto mix = [&h](std::uint64_t v) {
            h ^= std::hash<std::uint64_t>{}(v) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
        };
        mix(static_cast<std::uint64_t>(k.aux));
        for (const std::uint64_t w : k.re) mix(w);
        for (const std::uint64_t w : k.im) mix(w);
        for (const int c : k.child) mix(static_cast<std::uint64_t>(c));
        mix(static_cast<std::uint64_t>(k.binding));
        return h;
    }
};

// The variable slot whose value the node reads itself (not through a child), or -1.
int SlotReadBy(const TExprNode& n) {
    if (op::IsVariable(n.op)) return op::VariableSlot(n.op);
    if (op::IsSightLine(n.op)) return op::SightLineSlot(n.op);
    if (n.op >= op::kRevolutionFirst && n.op < op::kRevolutionScale) return slot::kT;
    if (n.op == op::kJoin && op::IsVariable(n.aux)) return op::VariableSlot(n.aux);
    if (n.op == op::kPeriodic) return slot::kX;
    return -1;
}

class Numbering {
public:
    // Room for the nodes and as many bindings, the table at most a quarter full.
    Numbering(std::vector<std::pair<const TExprNode*, int>>& numbers, std::vector<int>& occurrences,
              std::size_t nodes)
        : numbers_(numbers),
          occurrences_(occurrences),
          table_(std::bit_ceil(4 * nodes + 16), kEmpty),
          mask_(table_.size() - 1) {
        binding_.fill(kFree);
        keys_.reserve(2 * nodes);
    }

    int Number(const TExprNode* n) {
        if (!n) return -1;
        Key key{.op = n->op, .aux = n->aux};
        if (n->op == op::kConst) {
            key.re = Bits(n->re);
            key.im = Bits(n->im);
        }
        if (const int s = SlotReadBy(*n); s >= 0)
            key.binding = binding_[static_cast<std::size_t>(s)];
        for (std::size_t i = 0; i < n->child.size(); ++i)
            if (i != 1) key.child[i] = Number(n->child[i].get());
        key.child[1] = BodyNumber(*n, key);
        const int number = Intern(key);
        numbers_.emplace_back(n, number);
        ++occurrences_[static_cast<std::size_t>(number)];
        return number;
    }

    // A program that computes each distinct subtree once reads a subtree's value once for each
    // child of a distinct subtree that it is, and once for each root that it is.
    void CountUses(const std::vector<int>& roots, std::vector<int>& uses) const {
        uses.assign(keys_.size(), 0);
        for (const int root : roots)
            if (root >= 0) ++uses[static_cast<std::size_t>(root)];
        for (const Key& key : keys_) {
            if (key.op == kBoundBinding || key.op == kPeriodicBinding) continue;  // no node
            for (const int child : key.child)
                if (child >= 0) ++uses[static_cast<std::size_t>(child)];
        }
    }

private:
    // child[1], with the slot that a bound or periodic node binds for it bound to that node's
    // value (its other children are evaluated outside).
    int BodyNumber(const TExprNode& n, const Key& outside) {
        int bound = -1;
        Key binding;
        if (n.op == op::kBound && op::BoundSlot(n.aux) < slot::kCount) {
            bound = op::BoundSlot(n.aux);
            binding = {.op = kBoundBinding, .aux = bound, .child = {outside.child[0]}};
        } else if (n.op == op::kPeriodic) {
            bound = slot::kX;
            binding = {.op = kPeriodicBinding,
                       .child = {outside.child[0], outside.child[2]},
                       .binding = outside.binding};
        }
        if (bound < 0) return Number(n.child[1].get());
        int& slotBinding = binding_[static_cast<std::size_t>(bound)];
        const int saved = slotBinding;
        slotBinding = Intern(binding);
        const int number = Number(n.child[1].get());
        slotBinding = saved;
        return number;
    }

    // The number of the key, a new one for a key not seen before. An open table with linear
    // probing: a tree is numbered without an allocation a node.
    int Intern(const Key& key) {
        for (std::size_t at = KeyHash{}(key)&mask_;; at = (at + 1) & mask_) {
            int& entry = table_[at];
            if (entry == kEmpty) {
                entry = static_cast<int>(keys_.size());
                keys_.push_back(key);
                occurrences_.push_back(0);
                return entry;
            }
            if (keys_[static_cast<std::size_t>(entry)] == key) return entry;
        }
    }

    static constexpr int kEmpty = -1;

    std::vector<std::pair<const TExprNode*, int>>& numbers_;
    std::vector<int>& occurrences_;
    std::vector<int> table_;  // numbers, by hash
    std::size_t mask_;
    std::vector<Key> keys_;  // by number
    std::array<int, slot::kCount> binding_{};
};

}  // namespace

ValueNumbers::ValueNumbers(std::span<const TExprNode* const> trees) {
    // Sized once: growing the tables node by node costs more than numbering a small tree.
    std::size_t nodes = 0;
    for (const TExprNode* tree : trees)
        nodes += static_cast<std::size_t>(TExprNode::CountNodes(tree));
    numbers_.reserve(nodes);
    Numbering numbering(numbers_, occurrences_, nodes);
    uses_.reserve(nodes);
    std::vector<int> roots;
    for (const TExprNode* tree : trees) roots.push_back(numbering.Number(tree));
    numbering.CountUses(roots, uses_);
    std::sort(numbers_.begin(), numbers_.end());
}

int ValueNumbers::Of(const TExprNode* node) const {
    if (!node) return -1;
    const auto found =
        std::lower_bound(numbers_.begin(), numbers_.end(), node,
                         [](const std::pair<const TExprNode*, int>& entry, const TExprNode* n) {
                             return std::less<>{}(entry.first, n);
                         });
    return found == numbers_.end() || found->first != node ? -1 : found->second;
}

}  // namespace quorlin::program_detail
