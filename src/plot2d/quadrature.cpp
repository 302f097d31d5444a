#include "plot2d/quadrature.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace quorlin::plot2d {

namespace {

// Abscissae and weights of the 15-point Kronrod rule and of the embedded 7-point Gauss rule on
// [-1, 1]; Gauss uses the odd abscissae and the middle.
constexpr std::array<long double, 8> kXk = {
    0.991455371120812639206854697526329L, 0.949107912342758524526189684047851L,
    0.864864423359769072789712788640926L, 0.741531185599394439863864773280788L,
    0.586087235467691130294144845693013L, 0.405845151377397166906606412076961L,
    0.207784955007898467600689403773245L, 0.0L};
constexpr std::array<long double, 8> kWk = {
    0.022935322010529224963732008058970L, 0.063092092629978553290700663189204L,
    0.104790010322250183839876322541518L, 0.140653259715525918745189590510238L,
    0.169004726639267902826583426598550L, 0.190350578064785409913256402421014L,
    0.204432940075298892414161999234649L, 0.209482141084727828012999174891714L};
constexpr std::array<long double, 4> kWg = {
    0.129484966168869693270611432679082L, 0.279705391489276667901467771423780L,
    0.381830050505118944950369775488975L, 0.417959183673469387755102040816327L};

// Global adaptive integration: the piece with the largest error estimate is halved until the
// estimates together meet the tolerance, so that a singular end (an integrable pole) gets its
// halvings without the tolerance of every piece shrinking with them.
class TAdaptive {
public:
    TAdaptive(const Integrand& g, const TQuadratureLimits& limits) : g_(g), limits_(limits) {}

    std::optional<long double> Run(long double a, long double b) {
        TPiece whole{a, b, 0, 0};
        if (!Rule(whole)) return std::nullopt;
        std::vector<TPiece> heap{whole};
        long double value = whole.value, error = whole.error;
        const auto larger = [](const TPiece& p, const TPiece& q) { return p.error < q.error; };
        while (error > std::max(limits_.absolute, limits_.relative * std::fabs(value))) {
            if (static_cast<int>(heap.size()) > kMaxPieces || evaluations_ > limits_.maxEvaluations)
                return std::nullopt;  // it does not settle: no integral
            std::pop_heap(heap.begin(), heap.end(), larger);
            const TPiece worst = heap.back();
            heap.pop_back();
            const long double mid = (worst.a + worst.b) / 2;
            if (!(mid > worst.a && mid < worst.b) || worst.depth >= limits_.maxDepth)
                return std::nullopt;
            TPiece left{worst.a, mid, 0, 0, worst.depth + 1};
            TPiece right{mid, worst.b, 0, 0, worst.depth + 1};
            if (!Rule(left) || !Rule(right)) return std::nullopt;
            value += left.value + right.value - worst.value;
            error += left.error + right.error - worst.error;
            for (const TPiece& p : {left, right}) {
                heap.push_back(p);
                std::push_heap(heap.begin(), heap.end(), larger);
            }
        }
        // Sum afresh: the running sums carry the rounding of every replacement.
        long double sum = 0;
        for (const TPiece& p : heap) sum += p.value;
        return sum;
    }

private:
    static constexpr int kMaxPieces = 2000;

    struct TPiece {
        long double a, b;
        long double value, error;
        int depth = 0;
    };

    bool Rule(TPiece& piece) {
        const long double centre = (piece.a + piece.b) / 2, half = (piece.b - piece.a) / 2;
        long double kronrod = 0, gauss = 0;
        for (std::size_t k = 0; k < kXk.size(); ++k) {
            const int sides = k + 1 == kXk.size() ? 1 : 2;
            for (int side = 0; side < sides; ++side) {
                const long double x = centre + (side == 0 ? half : -half) * kXk[k];
                long double y = 0;
                ++evaluations_;
                if (!g_(x, y) || !std::isfinite(y)) return false;
                kronrod += kWk[k] * y;
                if (k % 2 == 1) gauss += kWg[k / 2] * y;
            }
        }
        piece.value = kronrod * half;
        piece.error = std::fabs((kronrod - gauss) * half);
        return std::isfinite(piece.value) && std::isfinite(piece.error);
    }

    const Integrand& g_;
    const TQuadratureLimits& limits_;
    long long evaluations_ = 0;
};

}  // namespace

std::optional<long double> IntegrateGaussKronrod(const Integrand& g, long double a, long double b,
                                                 const TQuadratureLimits& limits) {
    if (!std::isfinite(a) || !std::isfinite(b)) return std::nullopt;
    if (a == b) return 0.0L;
    TAdaptive run(g, limits);
    if (b < a) {
        const auto r = run.Run(b, a);
        return r ? std::optional<long double>(-*r) : std::nullopt;
    }
    return run.Run(a, b);
}

TCumulativeIntegral::TCumulativeIntegral(Integrand g, long double origin,
                                         std::vector<long double> nodes, TQuadratureLimits limits)
    : g_(std::move(g)), origin_(origin), nodes_(std::move(nodes)), limits_(limits) {
    values_.assign(nodes_.size(), std::nullopt);
    if (nodes_.empty() || !std::isfinite(origin_)) return;
    // The node nearest to the origin first, then outwards; a node without a value leaves every
    // node beyond it without one.
    const auto first = std::lower_bound(nodes_.begin(), nodes_.end(), origin_) - nodes_.begin();
    std::size_t start = static_cast<std::size_t>(first);
    if (start == nodes_.size() ||
        (start > 0 && origin_ - nodes_[start - 1] < nodes_[start] - origin_))
        start = start == 0 ? 0 : start - 1;
    values_[start] = IntegrateGaussKronrod(g_, origin_, nodes_[start], limits_);
    for (std::size_t k = start + 1; k < nodes_.size() && values_[k - 1]; ++k)
        if (const auto piece = IntegrateGaussKronrod(g_, nodes_[k - 1], nodes_[k], limits_))
            values_[k] = *values_[k - 1] + *piece;
    for (std::size_t k = start; k > 0 && values_[k]; --k)
        if (const auto piece = IntegrateGaussKronrod(g_, nodes_[k], nodes_[k - 1], limits_))
            values_[k - 1] = *values_[k] + *piece;
}

bool TCumulativeIntegral::Value(long double x, long double& out) const {
    if (!std::isfinite(x)) return false;
    long double from = origin_, base = 0;
    if (!nodes_.empty()) {
        // The nearest node that has a value, on the origin's side of x or at x.
        auto it = std::lower_bound(nodes_.begin(), nodes_.end(), x);
        std::size_t k = static_cast<std::size_t>(it - nodes_.begin());
        if (k == nodes_.size() || (k > 0 && x - nodes_[k - 1] < nodes_[k] - x))
            k = k == 0 ? 0 : k - 1;
        // Where F ends next to x, the node on the origin's side may still have a value.
        if (!values_[k]) {
            const std::size_t inner = x < origin_ ? k + 1 : k - 1;
            if (k == 0 && !(x < origin_)) return false;
            if (inner >= nodes_.size() || !values_[inner]) return false;
            k = inner;
        }
        from = nodes_[k];
        base = *values_[k];
    }
    const auto rest = IntegrateGaussKronrod(g_, from, x, limits_);
    if (!rest) return false;
    out = base + *rest;
    return true;
}

}  // namespace quorlin::plot2d
