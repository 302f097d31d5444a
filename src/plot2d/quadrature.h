#pragma once
// Integrals for the drawers: an adaptive Gauss-Kronrod rule (7 Gauss and 15 Kronrod points)
// with an error bound per call, and a cumulative integral F(x) = integral of g from an origin
// to x, kept at a grid of nodes so that F can be asked anywhere in the grid at the cost of one
// short integral. Antiderivatives (kind 206) and the rolling of roulettes (the arc length of the
// parent, kind 207) are drawn through it.
//
// An integrand that is undefined somewhere, or an integral that does not settle within the
// subdivision limit (a pole that is not integrable), gives no value: F is undefined from there
// on, away from the origin.
#include <functional>
#include <optional>
#include <vector>

namespace quorlin::plot2d {

// g(x); false where it is undefined.
using Integrand = std::function<bool(long double x, long double& y)>;

struct TQuadratureLimits {
    long double absolute = 1e-10L;  // error allowed per call
    long double relative = 1e-13L;  // ... or relative to the value
    int maxDepth = 60;              // halvings of one piece
    long long maxEvaluations = 60000;
};

// The integral of g from a to b (b < a gives the negative); nothing where it is undefined or
// does not settle.
std::optional<long double> IntegrateGaussKronrod(const Integrand& g, long double a, long double b,
                                                 const TQuadratureLimits& limits = {});

class TCumulativeIntegral {
public:
    // The nodes must be ascending; F is computed at each of them from the origin outwards.
    TCumulativeIntegral(Integrand g, long double origin, std::vector<long double> nodes,
                        TQuadratureLimits limits = {});

    // F(x); false where it is undefined (or x is not finite). Inside the nodes' range it costs
    // one integral over less than a node interval.
    bool Value(long double x, long double& out) const;

    const std::vector<long double>& Nodes() const { return nodes_; }

private:
    Integrand g_;
    long double origin_;
    std::vector<long double> nodes_;
    std::vector<std::optional<long double>> values_;
    TQuadratureLimits limits_;
};

}  // namespace quorlin::plot2d
