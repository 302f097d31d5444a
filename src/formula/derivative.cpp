#include "formula/derivative.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <unordered_map>
#include <vector>

#include "formula/formula_context.h"
#include "formula/name_table.h"
#include "formula/normal_form.h"
#include "formula/simplify.h"

namespace quorlin {

namespace {

using namespace algebra;
using std::numbers::pi_v;

// Derivatives of derivatives copy their subtrees again at every order, and a quotient can
// grow eightfold with each one. Every copy draws on a budget of nodes; when it runs out, the
// derivative of the whole tree is taken as a difference stencil (below) instead.
constexpr long long kBaseCopyBudget = 20000;
constexpr long long kCopiesPerInputNode = 4;
thread_local long long copyBudget = kBaseCopyBudget;
// The work bound of the parse that asked for the derivative, if any (work_budget.h).
thread_local WorkBudget* workBudget = nullptr;
struct BudgetExhausted {};

NodePtr U(const TExprNode* u) {
    const int nodes = TExprNode::CountNodes(u);
    Spend(workBudget, nodes);
    copyBudget -= nodes;
    if (copyBudget < 0) throw BudgetExhausted{};
    return TExprNode::CopyTree(u);
}
NodePtr U(const TExprNode& u) {
    return U(&u);
}
NodePtr Fn(int code, NodePtr argument) {
    return Call(code, std::move(argument));
}
NodePtr Fn(int code, const TExprNode& u) {
    return Call(code, U(u));
}
NodePtr Reciprocal(NodePtr x) {
    return Quotient(Const(1.0L), std::move(x));
}
// 1 - u^2 and u^2 - 1 and 1 + u^2, which the inverse functions share.
NodePtr OneMinusSquare(const TExprNode& u) {
    return Difference(Const(1.0L), Square(U(u)));
}
NodePtr SquareMinusOne(const TExprNode& u) {
    return Difference(Square(U(u)), Const(1.0L));
}
NodePtr OnePlusSquare(const TExprNode& u) {
    return Sum(Const(1.0L), Square(U(u)));
}

struct RuleEntry {
    int code;
    DerivativeRule rule;
};

// f'(u) for each one-argument built-in; the caller multiplies by u'.
const std::array kRules = std::to_array<RuleEntry>({
    {op::kSqrt, [](const TExprNode& u) { return Quotient(Const(0.5L), Fn(op::kSqrt, u)); }},
    {op::kExp, [](const TExprNode& u) { return Fn(op::kExp, u); }},
    {op::kCos, [](const TExprNode& u) { return Negation(Fn(op::kSin, u)); }},
    {op::kSin, [](const TExprNode& u) { return Fn(op::kCos, u); }},
    {op::kTan, [](const TExprNode& u) { return Sum(Const(1.0L), Square(Fn(op::kTan, u))); }},
    {op::kCot, [](const TExprNode& u) { return Negation(Square(Fn(op::kCsc, u))); }},
    {op::kSec, [](const TExprNode& u) { return Product(Fn(op::kSec, u), Fn(op::kTan, u)); }},
    {op::kCsc,
     [](const TExprNode& u) { return Negation(Product(Fn(op::kCsc, u), Fn(op::kCot, u))); }},
    {op::kArcSin,
     [](const TExprNode& u) { return Reciprocal(Fn(op::kSqrt, OneMinusSquare(u))); }},
    {op::kArcCos,
     [](const TExprNode& u) { return Negation(Reciprocal(Fn(op::kSqrt, OneMinusSquare(u)))); }},
    {op::kArcTan, [](const TExprNode& u) { return Reciprocal(OnePlusSquare(u)); }},
    {op::kArcCot, [](const TExprNode& u) { return Negation(Reciprocal(OnePlusSquare(u))); }},
    {op::kAbs, [](const TExprNode& u) { return Fn(op::kSign, u); }},
    {op::kLn, [](const TExprNode& u) { return Reciprocal(U(u)); }},
    {op::kLog10,
     [](const TExprNode& u) { return Quotient(Const(std::numbers::log10e_v<long double>), U(u)); }},
    {op::kLog2,
     [](const TExprNode& u) { return Quotient(Const(std::numbers::log2e_v<long double>), U(u)); }},
    {op::kLog1p, [](const TExprNode& u) { return Reciprocal(Sum(Const(1.0L), U(u))); }},
    {op::kExpm1, [](const TExprNode& u) { return Fn(op::kExp, u); }},
    {op::kSinh, [](const TExprNode& u) { return Fn(op::kCosh, u); }},
    {op::kCosh, [](const TExprNode& u) { return Fn(op::kSinh, u); }},
    {op::kTanh,
     [](const TExprNode& u) { return Difference(Const(1.0L), Square(Fn(op::kTanh, u))); }},
    {op::kCoth,
     [](const TExprNode& u) { return Difference(Const(1.0L), Square(Fn(op::kCoth, u))); }},
    {op::kSech,
     [](const TExprNode& u) { return Negation(Product(Fn(op::kSech, u), Fn(op::kTanh, u))); }},
    {op::kCsch,
     [](const TExprNode& u) { return Negation(Product(Fn(op::kCsch, u), Fn(op::kCoth, u))); }},
    {op::kArSinh, [](const TExprNode& u) { return Reciprocal(Fn(op::kSqrt, OnePlusSquare(u))); }},
    {op::kArCosh, [](const TExprNode& u) { return Reciprocal(Fn(op::kSqrt, SquareMinusOne(u))); }},
    {op::kArTanh, [](const TExprNode& u) { return Reciprocal(OneMinusSquare(u)); }},
    {op::kArCoth, [](const TExprNode& u) { return Reciprocal(OneMinusSquare(u)); }},
    {op::kArcSec,
     [](const TExprNode& u) {
         return Reciprocal(Product(Fn(op::kAbs, u), Fn(op::kSqrt, SquareMinusOne(u))));
     }},
    {op::kArcCsc,
     [](const TExprNode& u) {
         return Negation(Reciprocal(Product(Fn(op::kAbs, u), Fn(op::kSqrt, SquareMinusOne(u)))));
     }},
    {op::kArSech,
     [](const TExprNode& u) {
         return Negation(Reciprocal(Product(Fn(op::kAbs, u), Fn(op::kSqrt, OneMinusSquare(u)))));
     }},
    {op::kArCsch,
     [](const TExprNode& u) {
         return Negation(Reciprocal(Product(Fn(op::kAbs, u), Fn(op::kSqrt, OnePlusSquare(u)))));
     }},
    // Steps and rounding are flat between their jumps.
    {op::kSign, [](const TExprNode&) { return Const(0.0L); }},
    {op::kFloor, [](const TExprNode&) { return Const(0.0L); }},
    {op::kCeil, [](const TExprNode&) { return Const(0.0L); }},
    {op::kRound, [](const TExprNode&) { return Const(0.0L); }},
    {op::kTrunc, [](const TExprNode&) { return Const(0.0L); }},
    {op::kStep, [](const TExprNode&) { return Const(0.0L); }},
    {op::kFrac, [](const TExprNode&) { return Const(1.0L); }},
    {op::kGamma,
     [](const TExprNode& u) { return Product(Fn(op::kGamma, u), Fn(op::kDigamma, u)); }},
    {op::kLnGamma, [](const TExprNode& u) { return Fn(op::kDigamma, u); }},
    {op::kFactorial,
     [](const TExprNode& u) {
         return Product(Fn(op::kFactorial, u), Fn(op::kDigamma, Sum(U(u), Const(1.0L))));
     }},
    {op::kErf,
     [](const TExprNode& u) {
         return Product(Const(2.0L / std::sqrt(pi_v<long double>)),
                        Fn(op::kExp, Negation(Square(U(u)))));
     }},
    {op::kErfc,
     [](const TExprNode& u) {
         return Product(Const(-2.0L / std::sqrt(pi_v<long double>)),
                        Fn(op::kExp, Negation(Square(U(u)))));
     }},
    {op::kCbrt,
     [](const TExprNode& u) {
         return Reciprocal(Product(Const(3.0L), Square(Fn(op::kCbrt, u))));
     }},
    {op::kBesselJ0, [](const TExprNode& u) { return Negation(Fn(op::kBesselJ1, u)); }},
    {op::kBesselY0, [](const TExprNode& u) { return Negation(Fn(op::kBesselY1, u)); }},
    {op::kBesselJ1,
     [](const TExprNode& u) {
         return Difference(Fn(op::kBesselJ0, u), Quotient(Fn(op::kBesselJ1, u), U(u)));
     }},
    {op::kBesselY1,
     [](const TExprNode& u) {
         return Difference(Fn(op::kBesselY0, u), Quotient(Fn(op::kBesselY1, u), U(u)));
     }},
    {op::kSinInt, [](const TExprNode& u) { return Fn(op::kSinc, u); }},
    {op::kCosInt, [](const TExprNode& u) { return Quotient(Fn(op::kCos, u), U(u)); }},
    {op::kExpInt, [](const TExprNode& u) { return Quotient(Fn(op::kExp, u), U(u)); }},
    {op::kFresnelS,
     [](const TExprNode& u) {
         return Fn(op::kSin, Product(Const(pi_v<long double> / 2), Square(U(u))));
     }},
    {op::kFresnelC,
     [](const TExprNode& u) {
         return Fn(op::kCos, Product(Const(pi_v<long double> / 2), Square(U(u))));
     }},
    {op::kSinc,
     [](const TExprNode& u) {
         return Quotient(Difference(Fn(op::kCos, u), Fn(op::kSinc, u)), U(u));
     }},
    {op::kSquare, [](const TExprNode& u) { return Product(Const(2.0L), U(u)); }},
});

// Real part, imaginary part and conjugate are linear: d RE(u) = RE(u') for a real variable.
bool IsLinearPart(int code) {
    return code == op::kRe || code == op::kIm || code == op::kConj;
}

bool IsRevolutionParameter(int code) {
    return code >= op::kRevolutionFirst && code < op::kRevolutionScale;
}

// --- difference stencils ---------------------------------------------------------------------
// Where no symbolic derivative can be had, the k-th derivative of g is its central difference
//   sum over j = 0..k of (-1)^j C(k, j) g(v + (k/2 - j) h) / h^k,
// each g(v + s) a bound node (marker 'D', order k in aux bits 16-23) that evaluates g with the
// variable moved by s, so JOIN pieces move along. Its error is about eps/h^k + h^2, least at
// h = eps^(1/(k+2)). Differentiating a stencil again raises its order instead of nesting
// stencils, which keeps both the size and the error from multiplying.
int StencilOrder(const TExprNode& node) {
    return (node.aux >> 16) & 0xFF;
}

NodePtr DifferenceStencil(const TExprNode& g, int variableOp, int order) {
    const long double h = std::pow(std::numeric_limits<long double>::epsilon(), 1.0L / (order + 2));
    const int aux = op::BoundAux(op::VariableSlot(variableOp), kStencilMarker) | (order << 16);
    NodePtr sum;
    long double binomial = 1.0L;
    for (int j = 0; j <= order; ++j) {
        NodePtr sample = TExprNode::NewOp(op::kBound);
        sample->aux = aux;
        sample->child[0] =
            TExprNode::NewBinary(op::kPlus, Var(variableOp), Const((order / 2.0L - j) * h));
        sample->child[1] = TExprNode::CopyTree(&g);
        NodePtr term = TExprNode::NewBinary(op::kTimes, Const(j % 2 ? -binomial : binomial),
                                            std::move(sample));
        sum = sum ? TExprNode::NewBinary(op::kPlus, std::move(sum), std::move(term))
                  : std::move(term);
        binomial = binomial * (order - j) / (j + 1);
    }
    return TExprNode::NewBinary(op::kDivide, std::move(sum), Const(std::pow(h, order)));
}

// The stencil nodes of a tree, outside the bodies of bound nodes.
void CollectStencilNodes(const TExprNode* tree, std::vector<const TExprNode*>& out) {
    if (!tree) return;
    if (tree->op == op::kBound) {
        if (op::BoundMarker(tree->aux) == kStencilMarker) out.push_back(tree);
        return;
    }
    for (const auto& c : tree->child) CollectStencilNodes(c.get(), out);
}

struct Stencil {
    const TExprNode* base;
    int order;
};

// The base and order when the tree is a stencil in the variable.
std::optional<Stencil> AsStencil(const TExprNode& tree, int variableOp) {
    if (tree.op != op::kDivide || !IsRealConstant(tree.Right())) return std::nullopt;
    std::vector<const TExprNode*> samples;
    CollectStencilNodes(&tree, samples);
    if (samples.empty()) return std::nullopt;
    const int order = StencilOrder(*samples.front());
    const bool complete =
        order > 0 && static_cast<int>(samples.size()) == order + 1 &&
        std::all_of(samples.begin(), samples.end(), [order, variableOp](const TExprNode* s) {
            return StencilOrder(*s) == order &&
                   op::BoundSlot(s->aux) == op::VariableSlot(variableOp) && s->Right();
        });
    if (!complete) return std::nullopt;
    return Stencil{samples.front()->Right(), order};
}

// The next derivative of the tree as a stencil: of one order more when the tree is a stencil
// in the variable already, else of order 1.
NodePtr NextStencil(const TExprNode& tree, int variableOp) {
    const std::optional<Stencil> stencil = AsStencil(tree, variableOp);
    if (!stencil) return DifferenceStencil(tree, variableOp, 1);
    return DifferenceStencil(*stencil->base, variableOp, stencil->order + 1);
}

class Differentiator {
public:
    explicit Differentiator(int variableOp) : v_(variableOp) {}

    NodePtr D(const TExprNode* n) const;

private:
    bool DependsOn(const TExprNode* n) const;
    NodePtr Arithmetic(const TExprNode& n) const;
    NodePtr PowerRule(const TExprNode& base, const TExprNode& exponent) const;
    NodePtr OneArgument(const TExprNode& n) const;
    NodePtr TwoArguments(const TExprNode& n) const;
    NodePtr BoundRule(const TExprNode& n) const;
    NodePtr SameShape(const TExprNode& n, std::initializer_list<int> differentiated) const;
    NodePtr CentralDifference(const TExprNode& n) const;

    int v_;
    // Whether each node of the input depends on the variable, found once per node: the rules
    // ask it of every subtree again at every level. Only nodes of the input are asked.
    mutable std::unordered_map<const TExprNode*, bool> depends_;
};

bool Differentiator::DependsOn(const TExprNode* n) const {
    if (!n) return false;
    if (n->op == v_ || (v_ == op::kVarT && IsRevolutionParameter(n->op))) return true;
    if (const auto known = depends_.find(n); known != depends_.end()) return known->second;
    bool depends = false;
    for (const auto& c : n->child) depends = DependsOn(c.get()) || depends;
    depends_.emplace(n, depends);
    return depends;
}

NodePtr Differentiator::D(const TExprNode* n) const {
    if (!n) return nullptr;
    Spend(workBudget, 1);
    if (!DependsOn(n)) return Const(0.0L);
    if (op::IsVariable(n->op) || IsRevolutionParameter(n->op)) return Const(1.0L);
    if (AsStencil(*n, v_)) return NextStencil(*n, v_);
    switch (n->op) {
        case op::kPlus:
        case op::kMinus:
        case op::kTimes:
        case op::kDivide:
        case op::kNegate:
            return Arithmetic(*n);
        case op::kPower:
            if (!n->Left() || !n->Right()) return nullptr;
            return PowerRule(*n->Left(), *n->Right());
        case op::kJoin:
            // The boundary stays; each piece is differentiated.
            return SameShape(*n, {0, 2});
        case op::kFallback:
            return SameShape(*n, {0, 1});
        case op::kPeriodic:
            return SameShape(*n, {1});
        case op::kVector3:
            return SameShape(*n, {0, 1, 2});
        case op::kBound:
            return BoundRule(*n);
        default:
            break;
    }
    if (const BuiltinFunction* f = FindBuiltin(n->op)) {
        if (f->argCount == 1) return OneArgument(*n);
        if (f->argCount == 2) return TwoArguments(*n);
    }
    return CentralDifference(*n);
}

NodePtr Differentiator::Arithmetic(const TExprNode& n) const {
    const TExprNode* a = n.Left();
    const TExprNode* b = n.Right();
    switch (n.op) {
        case op::kPlus:
            return Sum(D(a), D(b));
        case op::kMinus:
            return Difference(D(a), D(b));
        case op::kTimes:
            return Sum(Product(D(a), U(b)), Product(U(a), D(b)));
        case op::kDivide:
            // (u/v)' = (u' - (u/v) v') / v keeps the quotient whole: repeated derivatives then
            // grow like the product rule's, not with a denominator squared at every step.
            if (!DependsOn(b)) return Quotient(D(a), U(b));
            return Quotient(Difference(D(a), Product(U(n), D(b))), U(b));
        default:  // unary minus
            return Negation(D(b));
    }
}

NodePtr Differentiator::PowerRule(const TExprNode& base, const TExprNode& exponent) const {
    if (!DependsOn(&exponent)) {
        NodePtr lowered = Power(U(base), Difference(U(exponent), Const(1.0L)));
        return Product(Product(U(exponent), std::move(lowered)), D(&base));
    }
    NodePtr whole = Power(U(base), U(exponent));
    if (!DependsOn(&base))
        return Product(Product(std::move(whole), Fn(op::kLn, base)), D(&exponent));
    // (u^w)' = u^w (w' LN(u) + w u' / u)
    NodePtr logTerm = Product(D(&exponent), Fn(op::kLn, base));
    NodePtr baseTerm = Quotient(Product(U(exponent), D(&base)), U(base));
    return Product(std::move(whole), Sum(std::move(logTerm), std::move(baseTerm)));
}

NodePtr Differentiator::OneArgument(const TExprNode& n) const {
    const TExprNode* u = n.Argument();
    if (!u) return nullptr;
    if (IsLinearPart(n.op)) return Call(n.op, D(u));
    const DerivativeRule rule = GetDerivativeRule(n.op);
    if (!rule) return CentralDifference(n);
    return Product(rule(*u), D(u));
}

NodePtr Differentiator::TwoArguments(const TExprNode& n) const {
    const TExprNode* a = n.Left();
    const TExprNode* b = n.Right();
    if (!a || !b) return nullptr;
    auto digamma = [](NodePtr x) { return Fn(op::kDigamma, std::move(x)); };
    switch (n.op) {
        case op::kMax:
        case op::kMin: {
            // Away from a = b the larger (smaller) argument alone varies.
            NodePtr mean = Product(Const(0.5L), Sum(D(a), D(b)));
            NodePtr half = Product(Const(0.5L), Difference(D(a), D(b)));
            NodePtr jump = Product(std::move(half), Fn(op::kSign, Difference(U(a), U(b))));
            return n.op == op::kMax ? Sum(std::move(mean), std::move(jump))
                                    : Difference(std::move(mean), std::move(jump));
        }
        case op::kArcTan2:  // ATAN2(y, x)
            return Quotient(Difference(Product(U(b), D(a)), Product(U(a), D(b))),
                            Sum(Square(U(b)), Square(U(a))));
        case op::kMod:
            return Difference(D(a), Product(D(b), Fn(op::kFloor, Quotient(U(a), U(b)))));
        case op::kLogBase: {  // LOGB(b, x) = LN(x) / LN(b): (x'/x - LOGB(b, x) b'/b) / LN(b)
            NodePtr inX = Quotient(D(b), U(b));
            NodePtr inBase = Product(U(n), Quotient(D(a), U(a)));
            return Quotient(Difference(std::move(inX), std::move(inBase)), Fn(op::kLn, *a));
        }
        case op::kRoot: {  // ROOT(n, x) = x^(1/n)
            NodePtr inX = Quotient(D(b), Product(U(a), U(b)));
            NodePtr inN = Quotient(Product(D(a), Fn(op::kLn, Fn(op::kAbs, *b))), Square(U(a)));
            return Product(U(n), Difference(std::move(inX), std::move(inN)));
        }
        case op::kHypot:
            return Quotient(Sum(Product(U(a), D(a)), Product(U(b), D(b))), U(n));
        case op::kBeta: {
            NodePtr inA = Product(D(a), Difference(digamma(U(a)), digamma(Sum(U(a), U(b)))));
            NodePtr inB = Product(D(b), Difference(digamma(U(b)), digamma(Sum(U(a), U(b)))));
            return Product(U(n), Sum(std::move(inA), std::move(inB)));
        }
        case op::kBinomial: {  // Gamma(n + 1) / (Gamma(k + 1) Gamma(n - k + 1))
            auto plusOne = [](NodePtr x) { return Sum(std::move(x), Const(1.0L)); };
            NodePtr rest = digamma(plusOne(Difference(U(a), U(b))));
            NodePtr inN = Product(D(a), Difference(digamma(plusOne(U(a))), U(rest.get())));
            NodePtr inK = Product(D(b), Difference(std::move(rest), digamma(plusOne(U(b)))));
            return Product(U(n), Sum(std::move(inN), std::move(inK)));
        }
        default:
            return CentralDifference(n);
    }
}

// A bound node is f(s := c0) * c2 with f = child[1]; inside f the slot's variable s is the
// value of c0, so d/dv = [f_s(s := c0) c0' + f_v(s := c0) (v != s)] c2 + f(s := c0) c2'.
NodePtr Differentiator::BoundRule(const TExprNode& n) const {
    const TExprNode* at = n.child[0].get();
    const TExprNode* body = n.child[1].get();
    const TExprNode* factor = n.child[2].get();
    if (!at || !body) return nullptr;
    auto bound = [&n, at](NodePtr inner) {
        if (algebra::IsRealConstant(inner.get())) return inner;
        NodePtr node = TExprNode::NewOp(op::kBound);
        node->aux = n.aux;
        node->child[0] = U(at);
        node->child[1] = std::move(inner);
        return node;
    };
    const int boundVariable = op::VariableOp(op::BoundSlot(n.aux));
    NodePtr inner = Const(0.0L);
    if (DependsOn(at)) inner = Product(bound(Differentiator(boundVariable).D(body)), D(at));
    if (v_ != boundVariable) inner = Sum(std::move(inner), bound(D(body)));
    if (!factor) return inner;
    NodePtr product = Product(std::move(inner), U(factor));
    NodePtr factorSlope = D(factor);
    if (IsConstant(factorSlope.get(), 0.0L)) return product;
    return Sum(std::move(product), Product(bound(U(body)), std::move(factorSlope)));
}

// A copy of the node whose listed children are replaced by their derivatives.
NodePtr Differentiator::SameShape(const TExprNode& n,
                                  std::initializer_list<int> differentiated) const {
    NodePtr result = U(n);
    for (const int i : differentiated) result->child[i] = D(n.child[i].get());
    return result;
}

NodePtr Differentiator::CentralDifference(const TExprNode& n) const {
    return NextStencil(n, v_);
}

}  // namespace

void InstallDerivativeRules() {
    static const bool installed = [] {
        for (const RuleEntry& entry : kRules) SetDerivativeRule(entry.code, entry.rule);
        return true;
    }();
    (void)installed;
}

NodePtr Derivative(const TExprNode* tree, int variableOp, WorkBudget* budget) {
    InstallDerivativeRules();
    copyBudget = kBaseCopyBudget + kCopiesPerInputNode * TExprNode::CountNodes(tree);
    // Restores the bound of an enclosing derivative however this one ends.
    struct BudgetInForce {
        explicit BudgetInForce(WorkBudget* b) : saved(workBudget) { workBudget = b; }
        ~BudgetInForce() { workBudget = saved; }
        WorkBudget* saved;
    } inForce(budget);
    NodePtr derivative;
    try {
        derivative = Differentiator(variableOp).D(tree);
    } catch (const BudgetExhausted&) {
        return NextStencil(*tree, variableOp);
    }
    // Collected, so that the next order starts from as small a tree as this one can be.
    return derivative ? CollectTerms(*derivative, budget) : nullptr;
}

void FormulaContext::Differentiate(const TExprNode* tree, int variableOp, NodePtr& result) {
    result = Derivative(tree, variableOp, Budget());
    if (simplifyOn) Simplify(result);
}

}  // namespace quorlin
