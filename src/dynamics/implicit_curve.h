#pragma once
// Implicit curves F(x, y) = 0 (kind 204) traced as pieces: points of the zero set are found
// where F changes sign along the lines of a grid over the view (and at random pairs of points,
// FindSignChangePoint), and the zero set is followed from each such point in both directions
// by a predictor-corrector: a step along the tangent, then Newton's correction back onto
// F = 0. Steps are measured in pixels (at most one), so that the pieces have no gaps and do not
// jump from one branch to another, also through crossings and singular points.
//
// A piece ends when it closes on itself, leaves the view, or reaches a curve traced before
// (within one pixel of a point of another piece, or where the window's own pixel test finds the
// curve already drawn). Each finished piece goes to the sink as a polyline in world coordinates;
// the result lists the pieces as start point, direction and arc length, so that the window can
// keep them as trajectory records (time = arc length along the field (-Fy, Fx)) and follow
// them again (FollowImplicitPiece).
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/vectors.h"
#include "dynamics/tracer.h"
#include "formula/formula_context.h"
#include "formula/tree_program.h"

namespace quorlin::dynamics {

// F of a plane curve and its gradient, in world coordinates.
class ImplicitFunction {
public:
    virtual ~ImplicitFunction() = default;
    // F at p; false where it is undefined.
    virtual bool Value(Vec2 p, long double& f) = 0;
    // (dF/dx, dF/dy) at p; false where undefined. This version takes central differences with
    // the steps of `difference`.
    virtual bool Gradient(Vec2 p, Vec2 difference, Vec2& gradient);
};

// F and its partial derivatives as trees in the variables of two slots (X and Y unless told
// otherwise); a missing derivative tree is replaced by differences. The trees are compiled for
// the traces the function serves; the two variables get their values back when the function
// goes out of scope.
class TreeImplicitFunction : public ImplicitFunction {
public:
    TreeImplicitFunction(FormulaContext& context, TExprNode* f, TExprNode* fx, TExprNode* fy,
                         int slotU = slot::kX, int slotV = slot::kY);
    ~TreeImplicitFunction() override;
    TreeImplicitFunction(const TreeImplicitFunction&) = delete;
    TreeImplicitFunction& operator=(const TreeImplicitFunction&) = delete;
    bool Value(Vec2 p, long double& f) override;
    bool Gradient(Vec2 p, Vec2 difference, Vec2& gradient) override;

private:
    void Put(Vec2 p);

    FormulaContext& context_;
    bool hasF_;
    bool hasGradient_;
    TreeProgram f_;
    TreeProgram fx_;
    TreeProgram fy_;
    int slotU_;
    int slotV_;
    Complex savedU_;
    Complex savedV_;
};

// The predictor-corrector on the zero set, in units of a scale (one unit = one pixel of the
// view, or one tracer step): world = origin + (u.x * unit.x, u.y * unit.y).
class ZeroSetFollower {
public:
    static constexpr long double kLongestStep = 1.0L;
    static constexpr long double kShortestStep = 1.0L / 1024;

    ZeroSetFollower(ImplicitFunction& f, Vec2 origin, Vec2 unit);

    Vec2 ToWorld(Vec2 u) const;
    Vec2 ToUnits(Vec2 p) const;
    // F at u; false where undefined.
    bool Value(Vec2 u, long double& g) const;
    // Newton's correction of u onto F = 0; false when it does not settle within two units.
    bool Project(Vec2& u) const;
    // The unit tangent at u, turned to agree with `along` (without one: (-Fy, Fx)); where the
    // gradient vanishes (a singular point) `along` itself. False where undefined or where both
    // the gradient and `along` vanish.
    bool Tangent(Vec2 u, Vec2 along, Vec2& t) const;
    // One step of at most h units from u along t, corrected onto the curve; u, t and h (the
    // length taken) move. A step whose correction moves far, or whose tangent turns sharply,
    // is halved; false when even the shortest one fails.
    bool Step(Vec2& u, Vec2& t, long double& h) const;

private:
    bool ScaledGradient(Vec2 u, Vec2& g) const;

    ImplicitFunction& f_;
    Vec2 origin_;
    Vec2 unit_;
};

// The points traced so far, in a grid of cells, with the piece and the arc position of each.
class TracedPointIndex {
public:
    struct Entry {
        Vec2 point;
        int piece = 0;
        long double arc = 0;
    };

    explicit TracedPointIndex(long double cell = 2.0L) : cell_(cell) {}

    void Add(Vec2 point, int piece, long double arc);
    // A point within r of p, other than the points of `piece` whose arc lies within ownWindow
    // of `arc` (the piece's own neighbourhood).
    std::optional<Entry> FindNear(Vec2 p, long double r, int piece, long double arc,
                                  long double ownWindow) const;
    bool AnyNear(Vec2 p, long double r) const;

private:
    long long Key(long long i, long long j) const { return i * 1'000'003LL + j; }
    std::unordered_map<long long, std::vector<Entry>> cells_;
    long double cell_;
};

struct ImplicitTraceSettings {
    ViewRect view;
    long double pixelWidth = 0.01L;   // world units of one pixel in x
    long double pixelHeight = 0.01L;  // and in y
    long double loopClosing = 0.7L;   // pixels
    long double stopDistance = 1.0L;  // pixels: a piece ends this close to another one
    long double seedSpacing = 4.0L;   // pixels between the lines of the seed grid
    int randomRounds = 25;            // extra seeds from FindSignChangePoint
    long long stepLimit = 2'000'000;  // steps of all pieces together
};

// A traced piece: from its start along (-Fy, Fx) (direction 1) or against it (-1) for its arc
// length in world units.
struct ImplicitPiece {
    Vec2 start;
    int direction = 1;
    long double length = 0;
    bool closed = false;
};

struct ImplicitTraceHooks {
    // A finished piece: its points in world coordinates, closed when it returned to its start.
    std::function<void(const std::vector<Vec2>& points, bool closed)> sink;
    // The window's test of its image: does the curve already show within a pixel of the world
    // point? Empty: only the points traced in this run count.
    std::function<bool(Vec2)> alreadyDrawnNear;
    // The key poll, asked after every step (the window paces it by time); 81 (Q) ends the
    // tracing.
    std::function<int()> pollKey;
};

struct ImplicitTraceResult {
    int key = 0;  // 81 when Q ended it
    std::vector<ImplicitPiece> pieces;
    long long steps = 0;
};

// Traces every piece of the zero set of f in the view.
ImplicitTraceResult TraceImplicitCurve(ImplicitFunction& f, const ImplicitTraceSettings& settings,
                                       const ImplicitTraceHooks& hooks);

// Follows a stored piece again from its start, in steps of at most one unit of `unit` (world
// units), for `length` of arc length; every point (the start included) goes to the sink, which
// may be empty. Returns the last point, or nothing when the start is not on the curve.
std::optional<Vec2> FollowImplicitPiece(ImplicitFunction& f, const ImplicitPiece& piece, Vec2 unit,
                                        const std::function<void(Vec2)>& sink);

}  // namespace quorlin::dynamics
