#pragma once
// Value numbers of a tree's nodes, for the programs that evaluate each distinct subtree once.
//
// Derivatives copy their subtrees many times over, so one tree holds many equal subtrees. Two
// nodes get the same number exactly when the tree walk (real or complex) computes the same
// value for them at every point: the same code, the same constant bits, children of the same
// numbers, and the same meaning of every variable slot they read. A slot read in the body of a
// bound node means the value that node gave it (the number of its point), one in the body of a
// periodic node the wrapped X of that node; elsewhere the slot's own value. A subtree that reads no
// bound slot keeps its number inside a bound body, so it is shared with its copies outside.
// Several trees evaluated at the same point are numbered together, so that a subtree common to
// them gets one number. Internal to the formula engine.
#include <cstddef>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include "formula/expr_node.h"

namespace quorlin::program_detail {

class ValueNumbers {
public:
    explicit ValueNumbers(const TExprNode* tree) : ValueNumbers(std::span(&tree, 1)) {}
    // The nodes of all the trees (null ones among them) in one numbering.
    explicit ValueNumbers(std::span<const TExprNode* const> trees);

    // The number of a node of the tree (-1 for a missing child).
    int Of(const TExprNode* node) const;
    // How many nodes of the tree have the number.
    int Occurrences(int number) const { return occurrences_[static_cast<std::size_t>(number)]; }
    // How often a program that computes each distinct subtree once reads the subtree's value:
    // its occurrences outside the copies of a repeated subtree that encloses it. Only a value
    // read more than once is worth keeping.
    int Uses(int number) const { return uses_[static_cast<std::size_t>(number)]; }
    // The distinct subtrees of the trees (the bindings of slots included).
    int Count() const { return static_cast<int>(occurrences_.size()); }

private:
    std::vector<std::pair<const TExprNode*, int>> numbers_;  // by node, sorted
    std::vector<int> occurrences_;
    std::vector<int> uses_;
};

// Where a compiler keeps the values of repeated subtrees, by value number, and whether the code
// that computed one has surely run where it is read again: kept in the same branch (a piece
// of a JOIN, the second value of a fallback, a body that runs only at a defined point) or in
// one that encloses it. Code emitted while a Branch lives runs only on some evaluations.
template <typename Place>
class KeptValues {
public:
    class Branch {
    public:
        explicit Branch(KeptValues& kept) : kept_(kept), outer_(kept.branch_) {
            kept.branch_ = static_cast<int>(kept.open_.size());
            kept.open_.push_back(true);
        }
        ~Branch() {
            kept_.open_[static_cast<std::size_t>(kept_.branch_)] = false;
            kept_.branch_ = outer_;
        }
        Branch(const Branch&) = delete;
        Branch& operator=(const Branch&) = delete;

    private:
        KeptValues& kept_;
        int outer_;
    };

    // The value of subtree `number` is kept at the place, by code of the current branch.
    void Keep(int number, const Place& place) { kept_[number].push_back({branch_, place}); }
    // A place of the subtree's value whose code has surely run here, or null.
    const Place* Find(int number) const {
        const auto found = kept_.find(number);
        if (found == kept_.end()) return nullptr;
        for (const Kept& k : found->second)
            if (open_[static_cast<std::size_t>(k.branch)]) return &k.place;
        return nullptr;
    }

private:
    struct Kept {
        int branch;
        Place place;
    };
    std::unordered_map<int, std::vector<Kept>> kept_;  // by number
    std::vector<bool> open_{true};
    int branch_ = 0;
};

}  // namespace quorlin::program_detail
