#pragma once
// The search of the x-intercepts tool: the zeros of an explicit curve, a segment or a line, one
// per request. A request scans the range in 101 equal subintervals, going on from the one after
// where the last request stopped, with the bisection root finder on the function and, where it
// finds no sign change, on its derivative (a zero of even multiplicity). A vertical segment or
// line meets y = 0 at its x when its ends allow it; the ends are the compiled ones, never what a
// drawing stored. Every curve is scanned over the part of it that is drawn.
#include "examples/records/compile.h"
#include "tools2d/searches/drawn_range.h"

namespace quorlin::tools2d {

enum class TZeroOutcome { NotFound = 0, Found = 1, TooMany = 10 };

struct TZeroResult {
    TZeroOutcome outcome = TZeroOutcome::NotFound;
    long double zero = 0;
};

class TZeroSearch {
public:
    static constexpr int kSubintervals = 101;
    // More end points on y = 0 than this in one request: the curve is zero nearly everywhere.
    static constexpr int kMostTouches = 10;

    // The subinterval the next request starts with (0..100).
    int Position() const { return position_; }
    void Restart() { position_ = 0; }

    // The next zero of example i (201, 205 or 208) where it is drawn, the view showing the
    // x-range `view`: a segment between its ends, a line across the view, an explicit curve over
    // its locked range or else the view. A located root counts only where the function's value
    // is below halfHeight (else it is a pole or a jump). X of the context is given back; the
    // context's root tolerance becomes the scanned width x 1e-16.
    TZeroResult Next(FormulaContext& f, examples::TExampleCompiler& compiler, examples::TExample& e,
                     int i, TXRange view, long double halfHeight);

private:
    TZeroResult Scan(FormulaContext& f, examples::TExample& e, long double low, long double high,
                     long double halfHeight);

    int position_ = 0;
};

}  // namespace quorlin::tools2d
