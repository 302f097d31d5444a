#include "formula/normal_form.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "formula/simplify.h"

namespace quorlin {

namespace {

using namespace algebra;

// A product of sums is multiplied out only up to this many terms; beyond, the longer sum
// stays one factor.
constexpr std::size_t kMaxExpandedTerms = 64;
// Integer powers of a single term are taken up to this exponent.
constexpr long double kMaxTermPower = 64;

// --- trees as values: hashing and ordering ----------------------------------------------------

std::size_t Mix(std::size_t seed, std::size_t value) {
    return seed ^ (value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
}

// The library's hash of a long double splits the number in a call of its own. The numbers hashed
// most (zero in every operator and variable node, small whole exponents and constants) take
// their hash from a table made with it, so every value hashes as it would there.
constexpr int kTabledWholes = 16;

std::array<std::size_t, 2 * kTabledWholes + 1> WholeNumberHashes() {
    std::array<std::size_t, 2 * kTabledWholes + 1> hashes{};
    for (int k = -kTabledWholes; k <= kTabledWholes; ++k)
        hashes[static_cast<std::size_t>(k + kTabledWholes)] =
            std::hash<long double>{}(static_cast<long double>(k));
    return hashes;
}

std::size_t HashOf(long double x) {
    static const std::array<std::size_t, 2 * kTabledWholes + 1> kWholes = WholeNumberHashes();
    // 0 and -0 alike. The conversion tells a whole number without calling trunc, which for a
    // long double is a library call that took a third of collecting a large derivative.
    if (x >= -kTabledWholes && x <= kTabledWholes) {
        const int whole = static_cast<int>(x);
        if (whole == x) return kWholes[static_cast<std::size_t>(whole + kTabledWholes)];
    }
    return std::hash<long double>{}(x);
}

std::size_t HashTree(const TExprNode* t) {
    if (!t) return 0x51ed27;
    std::size_t h = Mix(std::hash<int>{}(t->op), std::hash<int>{}(t->aux));
    h = Mix(Mix(h, HashOf(t->re)), HashOf(t->im));
    for (const auto& c : t->child) h = Mix(h, HashTree(c.get()));
    return h;
}

template <typename T>
int Compare(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareTrees(const TExprNode* a, const TExprNode* b) {
    if (a == b) return 0;
    if (!a || !b) return a ? 1 : -1;
    if (const int c = Compare(a->op, b->op)) return c;
    if (const int c = Compare(a->aux, b->aux)) return c;
    if (const int c = Compare(a->re, b->re)) return c;
    if (const int c = Compare(a->im, b->im)) return c;
    for (std::size_t i = 0; i < a->child.size(); ++i)
        if (const int c = CompareTrees(a->child[i].get(), b->child[i].get())) return c;
    return 0;
}

// --- the normal form --------------------------------------------------------------------------

// A base shared by the terms that hold it; it is never changed once built.
struct Base {
    NodePtr tree;
    std::size_t hash;
};
using BasePtr = std::shared_ptr<const Base>;

BasePtr MakeBase(NodePtr tree) {
    const std::size_t hash = HashTree(tree.get());
    return std::make_shared<const Base>(Base{std::move(tree), hash});
}

int CompareBases(const Base& a, const Base& b) {
    if (const int c = Compare(a.hash, b.hash)) return c;
    return CompareTrees(a.tree.get(), b.tree.get());
}

struct Factor {
    BasePtr base;
    long double exponent;
};

// coefficient * product of the factors, which are kept sorted by base, one for each base.
struct Term {
    long double coefficient = 1;
    std::vector<Factor> factors;
};

using Polynomial = std::vector<Term>;

bool SameFactors(const Term& a, const Term& b) {
    if (a.factors.size() != b.factors.size()) return false;
    for (std::size_t i = 0; i < a.factors.size(); ++i)
        if (a.factors[i].exponent != b.factors[i].exponent ||
            CompareBases(*a.factors[i].base, *b.factors[i].base) != 0)
            return false;
    return true;
}

std::size_t FactorsHash(const Term& t) {
    std::size_t h = 0;
    for (const Factor& f : t.factors) h = Mix(Mix(h, f.base->hash), HashOf(f.exponent));
    return h;
}

bool IsInteger(long double x) {
    return x == std::trunc(x);
}

class Collector {
public:
    explicit Collector(WorkBudget* budget) : budget_(budget) {}

    Polynomial Collect(const TExprNode& n);
    NodePtr ToTree(const Polynomial& p);

private:
    Polynomial Atom(NodePtr tree) const {
        return {Term{1, {Factor{MakeBase(std::move(tree)), 1}}}};
    }
    Polynomial AtomWithCollectedChildren(const TExprNode& n);
    Polynomial Product(const Polynomial& a, const Polynomial& b);
    Polynomial PowerOf(const Polynomial& p, long double exponent);
    Term TermProduct(const Term& a, const Term& b);
    void AddUp(Polynomial& p);
    NodePtr TermTree(const Term& t, long double coefficient);

    WorkBudget* budget_;
};

Polynomial Negated(Polynomial p) {
    for (Term& t : p) t.coefficient = -t.coefficient;
    return p;
}

Polynomial Constant(long double value) {
    if (value == 0) return {};
    return {Term{value, {}}};
}

Polynomial Collector::Collect(const TExprNode& n) {
    Spend(budget_, 1);
    const TExprNode* a = n.Left();
    const TExprNode* b = n.Right();
    if (IsDifferenceStencil(n)) return Atom(TExprNode::CopyTree(&n));
    switch (n.op) {
        case op::kConst:
            if (n.im == 0) return Constant(n.re);
            return Atom(TExprNode::CopyTree(&n));
        case op::kPlus:
        case op::kMinus: {
            if (!a || !b) break;
            Polynomial sum = Collect(*a);
            Polynomial right = Collect(*b);
            if (n.op == op::kMinus) right = Negated(std::move(right));
            sum.insert(sum.end(), right.begin(), right.end());
            AddUp(sum);
            return sum;
        }
        case op::kNegate:
            if (!b) break;
            return Negated(Collect(*b));
        case op::kTimes:
            if (!a || !b) break;
            return Product(Collect(*a), Collect(*b));
        case op::kDivide:
            if (!a || !b) break;
            return Product(Collect(*a), PowerOf(Collect(*b), -1));
        case op::kSquare:
            if (!b) break;
            return PowerOf(Collect(*b), 2);
        case op::kSqrt:
            if (!b) break;
            return PowerOf(Collect(*b), 0.5L);
        case op::kPower:
            if (!a || !b || !IsRealConstant(b)) break;
            return PowerOf(Collect(*a), b->re);
        case op::kLogBase: {  // LOGB(b, x) = LN(x) / LN(b), as it is evaluated
            if (!a || !b) break;
            const NodePtr lnX = Call(op::kLn, TExprNode::CopyTree(b));
            const NodePtr lnBase = Call(op::kLn, TExprNode::CopyTree(a));
            return Product(Collect(*lnX), PowerOf(Collect(*lnBase), -1));
        }
        default:
            break;
    }
    return AtomWithCollectedChildren(n);
}

Polynomial Collector::AtomWithCollectedChildren(const TExprNode& n) {
    auto copy = std::make_unique<TExprNode>(n.op);
    copy->re = n.re;
    copy->im = n.im;
    copy->aux = n.aux;
    for (std::size_t i = 0; i < n.child.size(); ++i)
        if (n.child[i]) copy->child[i] = ToTree(Collect(*n.child[i]));
    return Atom(std::move(copy));
}

Term Collector::TermProduct(const Term& a, const Term& b) {
    Spend(budget_, 1 + a.factors.size() + b.factors.size());
    Term product{a.coefficient * b.coefficient, {}};
    product.factors.reserve(a.factors.size() + b.factors.size());
    auto i = a.factors.begin();
    auto j = b.factors.begin();
    while (i != a.factors.end() || j != b.factors.end()) {
        const int order = i == a.factors.end()   ? 1
                          : j == b.factors.end() ? -1
                                                 : CompareBases(*i->base, *j->base);
        if (order < 0) {
            product.factors.push_back(*i++);
        } else if (order > 0) {
            product.factors.push_back(*j++);
        } else {
            const long double exponent = i->exponent + j->exponent;
            if (exponent != 0) product.factors.push_back({i->base, exponent});
            ++i;
            ++j;
        }
    }
    return product;
}

Polynomial Collector::Product(const Polynomial& a, const Polynomial& b) {
    if (a.empty() || b.empty()) return {};
    if (a.size() > 1 && b.size() > 1 && a.size() * b.size() > kMaxExpandedTerms) {
        // The longer sum becomes one factor and the shorter one multiplies it out.
        const bool aLonger = a.size() >= b.size();
        return Product(aLonger ? Atom(ToTree(a)) : a, aLonger ? b : Atom(ToTree(b)));
    }
    Polynomial product;
    product.reserve(a.size() * b.size());
    for (const Term& s : a)
        for (const Term& t : b) product.push_back(TermProduct(s, t));
    AddUp(product);
    return product;
}

Polynomial Collector::PowerOf(const Polynomial& p, long double exponent) {
    if (exponent == 1) return p;
    if (p.size() == 1) {
        const Term& t = p.front();
        // An integer power distributes over a product; another power only over a positive
        // constant times one plain factor, where (c f)^e = c^e f^e holds on every branch.
        const bool integer = IsInteger(exponent) && std::fabs(exponent) <= kMaxTermPower;
        const bool plain =
            t.coefficient > 0 &&
            (t.factors.empty() || (t.factors.size() == 1 && t.factors[0].exponent == 1));
        if (integer || plain) {
            Term power{std::pow(t.coefficient, exponent), t.factors};
            for (Factor& f : power.factors) f.exponent *= exponent;
            if (std::isfinite(power.coefficient) && power.coefficient != 0) return {power};
        }
    }
    if (p.empty() && exponent > 0) return {};
    // 0^-1 stays a factor, undefined as it was.
    return {Term{1, {Factor{MakeBase(ToTree(p)), exponent}}}};
}

void Collector::AddUp(Polynomial& p) {
    Spend(budget_, static_cast<long long>(p.size()));
    std::unordered_multimap<std::size_t, std::size_t> seen;
    Polynomial sum;
    sum.reserve(p.size());
    for (Term& t : p) {
        const std::size_t h = FactorsHash(t);
        const auto [first, last] = seen.equal_range(h);
        auto same =
            std::find_if(first, last, [&](const auto& e) { return SameFactors(sum[e.second], t); });
        if (same != last) {
            sum[same->second].coefficient += t.coefficient;
        } else {
            seen.emplace(h, sum.size());
            sum.push_back(std::move(t));
        }
    }
    std::erase_if(sum, [](const Term& t) { return t.coefficient == 0; });
    p = std::move(sum);
}

NodePtr FactorTree(const Factor& f) {
    NodePtr base = TExprNode::CopyTree(f.base->tree.get());
    if (f.exponent == 1) return base;
    if (f.exponent == 2) return Square(std::move(base));
    if (f.exponent == 0.5L) return Call(op::kSqrt, std::move(base));
    return algebra::Power(std::move(base), Const(f.exponent));
}

// |coefficient| times the factors, the negative powers as a denominator.
NodePtr Collector::TermTree(const Term& t, long double coefficient) {
    NodePtr numerator;
    NodePtr denominator;
    for (const Factor& f : t.factors) {
        Spend(budget_, TExprNode::CountNodes(f.base->tree.get()));
        NodePtr& side = f.exponent > 0 ? numerator : denominator;
        NodePtr power = FactorTree({f.base, std::fabs(f.exponent)});
        side = side ? algebra::Product(std::move(side), std::move(power)) : std::move(power);
    }
    if (!numerator)
        numerator = Const(coefficient);
    else if (coefficient != 1)
        numerator = algebra::Product(Const(coefficient), std::move(numerator));
    return denominator ? Quotient(std::move(numerator), std::move(denominator))
                       : std::move(numerator);
}

NodePtr Collector::ToTree(const Polynomial& p) {
    NodePtr sum;
    for (const Term& t : p) {
        NodePtr term = TermTree(t, std::fabs(t.coefficient));
        if (!sum)
            sum = t.coefficient < 0 ? Negation(std::move(term)) : std::move(term);
        else
            sum = t.coefficient < 0 ? Difference(std::move(sum), std::move(term))
                                    : Sum(std::move(sum), std::move(term));
    }
    return sum ? std::move(sum) : Const(0);
}

// A sample of a stencil, bare or with its sign and binomial coefficient.
bool ContainsSample(const TExprNode* n) {
    if (!n) return false;
    if (n->op == op::kBound) return op::BoundMarker(n->aux) == kStencilMarker;
    const bool arithmetic =
        n->op == op::kPlus || n->op == op::kMinus || n->op == op::kTimes || n->op == op::kNegate;
    return arithmetic && (ContainsSample(n->Left()) || ContainsSample(n->Right()));
}

}  // namespace

bool IsDifferenceStencil(const TExprNode& node) {
    return node.op == op::kDivide && IsRealConstant(node.Right()) && ContainsSample(node.Left());
}

NodePtr CollectTerms(const TExprNode& tree, WorkBudget* budget) {
    Collector collector(budget);
    return collector.ToTree(collector.Collect(tree));
}

}  // namespace quorlin
