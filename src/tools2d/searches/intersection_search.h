#pragma once
// The search of the intersections tool: one per request, the next point where two curves meet
// and the angle between them there. The pair's classes (upright segment or line, explicit,
// curve in t, implicit) choose the method: one scalar equation in x, y or t whose zeros are the
// meetings, scanned in 101 subintervals like the zeros (ChooseMethod, BuildEquation), or, for
// two implicit curves, a walk along the second curve's traced pieces that looks for a change of
// sign of the first curve's function. The walk keeps the index of its piece, never a pointer,
// and starts again where that piece is gone or was traced anew. A meeting counts only where both
// curves are drawn: an explicit curve over its locked range or else the view, a segment between
// its ends, an implicit curve inside the view.
#include <optional>

#include "dynamics/tracer.h"
#include "examples/records/compile.h"
#include "tools2d/searches/drawn_range.h"

namespace quorlin::tools2d {

enum class TCurveClass { Upright, Explicit, InT, Implicit, Other };

// Where the two curves are looked at: the values the view shows (the corners, as values on a
// logarithmic axis) and the tracer of the pieces.
struct TIntersectionScene {
    FormulaContext& f;
    examples::TExampleCompiler& compiler;
    examples::TInventory& inventory;
    long double left = -5, right = 5, down = -5, up = 5;
    dynamics::TracerSettings tracer;
};

struct TIntersection {
    int result = 0;  // 1 found, 0 none, 10 the curves agree on many points
    Vec2 at;
    long double angle = 0;  // radians, 0..pi
    long double t = 0;
};

// The class of example i, its ends read as they are now.
TCurveClass CurveClassOf(TIntersectionScene& scene, int i);
// The method of the pair: -1 none; 8 two implicit curves; else the case is code mod 8 (0 E-E,
// 1 E-P, 2 E-I, 3 P-I, 4 V-E, 5 V-P, 6 V-I) and a code above 8 is the pair the other way round.
int MethodCode(TCurveClass a, TCurveClass b);

class TIntersectionSearch {
public:
    static constexpr int kSubintervals = 101;
    static constexpr int kMostTouches = 10;

    void Restart() {
        position_ = 0;
        piece_.reset();
    }
    int Position() const { return position_; }

    // The next meeting of curves a and b (a != b). X, Y and T are given back.
    TIntersection Next(TIntersectionScene& scene, int a, int b);

private:
    struct TPlan;
    TIntersection Scan(TIntersectionScene& scene, TPlan& plan);
    TIntersection WalkPieces(TIntersectionScene& scene, int a, int b);
    // The piece the walk is on, checked against B's pieces as they are now.
    const examples::TTrajectory* CurrentPiece(const examples::TExample& curve);

    int position_ = 0;
    // The walk along B's pieces: the piece's index and what it was when the walk took it.
    struct TPieceMark {
        std::size_t index = 0;
        Vec2 start;
        long double length = 0;
        Vec2 state;  // where the walk is on it
    };
    std::optional<TPieceMark> piece_;
};

}  // namespace quorlin::tools2d
