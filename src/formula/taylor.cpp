#include "formula/taylor.h"

#include <array>
#include <cmath>
#include <vector>

#include "formula/formula_context.h"

namespace quorlin {

namespace {

constexpr int kFirstPlaceholder = 10;
constexpr int kCentrePlaceholder = kFirstPlaceholder + kTaylorCentreOrder;

bool IsPlaceholder(const TExprNode& node) {
    return node.op == op::kConst && node.im == 0.0L && node.re >= kFirstPlaceholder &&
           node.re <= kCentrePlaceholder && node.re == std::floor(node.re);
}

bool IsTaylorNode(const TExprNode& node) {
    return node.op == op::kBound && op::BoundMarker(node.aux) == 'A';
}

long double InverseFactorial(int k) {
    long double factorial = 1.0L;
    for (int i = 2; i <= k; ++i) factorial *= i;
    return 1.0L / factorial;
}

// One step of the Horner scheme: c + S * (X - a).
bool IsHornerStep(const TExprNode* node) {
    return node && node->op == op::kPlus && node->Right() && node->Right()->op == op::kTimes &&
           node->Right()->Left();
}

template <typename Fn>
void ForEach(TExprNode* tree, const Fn& fn) {
    if (!tree) return;
    fn(*tree);
    for (auto& c : tree->child) ForEach(c.get(), fn);
}

}  // namespace

std::string TaylorTemplateText() {
    const std::string step = ")*(X-" + std::to_string(kCentrePlaceholder) + ")";
    std::string text = std::to_string(kFirstPlaceholder + kTaylorMaxDegree);
    for (int k = kTaylorMaxDegree - 1; k >= 0; --k) {
        text = std::to_string(kFirstPlaceholder + k) + "+(" + text + step;
    }
    return text;
}

void PrepareTaylorTemplate(TExprNode& tree) {
    ForEach(&tree, [](TExprNode& node) {
        if (!IsPlaceholder(node)) return;
        const int order = static_cast<int>(node.re) - kFirstPlaceholder;
        TExprNode::InitWithAux(node, op::kBound, op::BoundAux(slot::kX, 'A') | (order << 16));
        const long double factor = order == kTaylorCentreOrder ? 1.0L : InverseFactorial(order);
        node.child[2] = TExprNode::NewConst(factor);
    });
}

NodePtr MakeTaylorTemplate() {
    auto distance = [] {
        return TExprNode::NewBinary(op::kMinus, TExprNode::NewOp(op::kVarX),
                                    TExprNode::NewConst(kCentrePlaceholder));
    };
    NodePtr tree = TExprNode::NewConst(kFirstPlaceholder + kTaylorMaxDegree);
    for (int k = kTaylorMaxDegree - 1; k >= 0; --k) {
        NodePtr nested = TExprNode::NewBinary(op::kTimes, std::move(tree), distance());
        tree = TExprNode::NewBinary(op::kPlus, TExprNode::NewConst(kFirstPlaceholder + k),
                                    std::move(nested));
    }
    PrepareTaylorTemplate(*tree);
    return tree;
}

void InstallTaylorTemplate(FormulaContext& context) {
    context.taylorTemplate = MakeTaylorTemplate();
}

void TruncateTaylorTemplate(TExprNode& tree, int degree) {
    TExprNode* sum = &tree;
    for (int step = 0; step < degree; ++step) {
        if (!IsHornerStep(sum)) return;  // the whole scheme is kept
        sum = sum->Right()->Left();
    }
    if (IsHornerStep(sum)) sum->child[1] = TExprNode::NewConst(0.0L);
}

void InsertTaylorDerivatives(TExprNode& tree, std::span<const NodePtr> derivatives,
                             const TExprNode& centre, const TExprNode& fallback) {
    // Collected first, so that bound nodes inside the inserted trees are left alone.
    std::vector<TExprNode*> nodes;
    ForEach(&tree, [&nodes](TExprNode& node) {
        if (IsTaylorNode(node)) nodes.push_back(&node);
    });
    for (TExprNode* node : nodes) {
        const auto order = static_cast<std::size_t>(TaylorOrder(node->aux));
        const bool hasDerivative = order < derivatives.size() && derivatives[order];
        node->child[0] = TExprNode::CopyTree(&centre);
        node->child[1] = TExprNode::CopyTree(hasDerivative ? derivatives[order].get() : &fallback);
    }
}

NodePtr MakeTaylorPolynomial(FormulaContext& context, const TExprNode* f, const TExprNode& centre,
                             int degree) {
    if (!f || degree < 0 || degree > kTaylorMaxDegree) return nullptr;
    if (!context.taylorTemplate) InstallTaylorTemplate(context);
    NodePtr polynomial = TExprNode::CopyTree(context.taylorTemplate.get());
    TruncateTaylorTemplate(*polynomial, degree);
    std::array<NodePtr, kTaylorMaxDegree + 1> derivatives;
    derivatives[0] = TExprNode::CopyTree(f);
    for (int k = 1; k <= degree; ++k) {
        context.Differentiate(derivatives[k - 1].get(), op::kVarX, derivatives[k]);
        // A missing derivative would leave its coefficient node on the fallback X.
        if (!derivatives[k]) return nullptr;
    }
    const NodePtr x = TExprNode::NewOp(op::kVarX);
    InsertTaylorDerivatives(*polynomial, derivatives, centre, *x);
    return polynomial;
}

}  // namespace quorlin
