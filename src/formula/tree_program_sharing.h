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
// Internal to the formula engine.
#include <utility>
#include <vector>

#include "formula/expr_node.h"

namespace quorlin::program_detail {

class ValueNumbers {
public:
    explicit ValueNumbers(const TExprNode* tree);

    // The number of a node of the tree (-1 for a missing child).
    int Of(const TExprNode* node) const;
    // How many nodes of the tree have the number.
    int Occurrences(int number) const { return occurrences_[static_cast<std::size_t>(number)]; }
    // The distinct subtrees of the tree (the bindings of slots included).
    int Count() const { return static_cast<int>(occurrences_.size()); }

private:
    std::vector<std::pair<const TExprNode*, int>> numbers_;  // by node, sorted
    std::vector<int> occurrences_;
};

}  // namespace quorlin::program_detail
