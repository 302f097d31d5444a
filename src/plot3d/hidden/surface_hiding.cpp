#include "plot3d/hidden/surface_hiding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

#include "canvas/records/world_geometry.h"
#include "core/numbers.h"
#include "dynamics/field.h"
#include "formula/tree_program.h"
#include "plot3d/hidden/screen_quad.h"
#include "plot3d/hidden/sight_line.h"
#include "plot3d/scene/example_boxes.h"

namespace quorlin::plot3d::hidden {

using examples::TExample;

namespace {

constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;
// A plane patch hides a point that is not on the eye's side by more than this product.
constexpr long double kPlaneSideTolerance = 1e-16L;

canvas::TLDRect Rect(long double x0, long double x1, long double y0, long double y1) {
    return {std::min(x0, x1), std::max(x0, x1), std::min(y0, y1), std::max(y0, y1)};
}

// The part of the sight line over the rectangle and within the z range of the example's box.
std::optional<TSightSegment> SightLineOver(const canvas::TLDRect& rect, const TExample& e,
                                           const THiddenLineView& view, Vec3 p) {
    const auto over = ClipSightLineToRect(rect, p, view.observer.eye);
    if (!over) return std::nullopt;
    return ClipSightLineToZRange(*over, e.boxMin.z, e.boxMax.z);
}

TExprNode* TreeOf(const TExample& e, int k) {
    return e.trees[static_cast<std::size_t>(k - 1)].get();
}

// The angle of (x, y) on turn k of a t range that starts at tLow: the first angle equal to it
// modulo 2 pi that is not below tLow + 2 pi k.
long double AngleOnTurn(long double x, long double y, long double tLow, int k) {
    long double t = AngleOf(x, y);
    const long double start = tLow + kTwoPi * k;
    if (t < start) t += kTwoPi * std::ceil((start - t) / kTwoPi);
    if (t < start) t += kTwoPi;
    return t;
}

// The side of p against z = f(r, t) at the given t.
int PolarSignAt(FormulaContext& f, const TreeProgram& height, Vec3 p, long double t) {
    f.SetVar(slot::kR, std::hypot(p.x, p.y));
    f.SetVar(slot::kT, t);
    long double z = 0;
    return height.Evaluate(z) ? SignOf(p.z - z) : 0;
}

// --- cylindrical surfaces ---

// A cylindrical surface's ranges in order, whichever end was given first (the surface is drawn
// over the same ranges either way), and the turns of t its test makes beyond the first.
struct TPolarSheets {
    long double rLow = 0, rHigh = 0;  // no hole when rLow is 0 or less
    long double tLow = 0, tHigh = 0;
    int turns = 0;
};

TPolarSheets PolarSheetsOf(const TExample& e) {
    TPolarSheets s{std::fmin(e.rangeLow[0], e.rangeHigh[0]),
                   std::fmax(e.rangeLow[0], e.rangeHigh[0]),
                   std::fmin(e.rangeLow[1], e.rangeHigh[1]),
                   std::fmax(e.rangeLow[1], e.rangeHigh[1]), std::max<int>(e.subKind, 0)};
    // The word counts the turns of the range as it is stored, and none for one stored high end
    // first; that one is kept as the file holds it, and the turns come from the range in order.
    if (e.rangeHigh[1] < e.rangeLow[1]) s.turns = examples::AdditionalTurnsOf(s.tLow, s.tHigh);
    return s;
}

// Where the sheets of turn k break along the sight line: the edge of the hole (r = rLow); the
// angle tLow, where t on the turn jumps from its end back to its start; the angle tHigh, where a
// last turn that ends within its turn ends. A sight line through the axis (at `axis`) meets
// those angles only there, where its angle turns by half a turn: each side lies on a half of
// the turn's sheet, which may reach one side and not the other.
std::vector<long double> SheetBreaks(const TSightSegment& line, const TPolarSheets& s, int k,
                                     std::optional<long double> axis) {
    std::vector<long double> breaks;
    if (s.rLow > 0) breaks = PlanCrossingsOfCircle(line, s.rLow);
    if (axis) {
        if (*axis > 0 && *axis < 1) breaks.push_back(*axis);
    } else {
        if (const auto seam = PlanCrossingOfRay(line, s.tLow)) breaks.push_back(*seam);
        if (s.tHigh < s.tLow + kTwoPi * (k + 1)) {
            if (const auto end = PlanCrossingOfRay(line, s.tHigh)) breaks.push_back(*end);
        }
    }
    std::ranges::sort(breaks);
    breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());
    return breaks;
}

// The sheet of turn k over the stretch of the sight line about `middle`, and the side of a point
// c of the stretch against it: nothing where the turn does not reach the middle (in the hole, or
// at an angle whose t lies beyond tHigh). Inside a stretch t on the turn runs on without a jump;
// an end of it on the angle tLow is taken as the limit from within, at the end of the turn or at
// its start, whichever lies on the middle's side. (Only there does t differ from the middle's by
// more than half a turn: a stretch sweeps less.) On a sight line through the axis (radial) a
// stretch keeps the middle's angle, also at its end on the axis, where a point has none.
class TStretchSheet {
public:
    TStretchSheet(FormulaContext& f, const TreeProgram& height, const TPolarSheets& s, int k,
                  Vec3 middle, bool radial)
        : f_(f),
          height_(height),
          tLow_(s.tLow),
          turn_(k),
          tMiddle_(AngleOnTurn(middle.x, middle.y, s.tLow, k)),
          reached_(tMiddle_ <= s.tHigh && std::hypot(middle.x, middle.y) >= s.rLow),
          radial_(radial) {}

    std::optional<int> operator()(Vec3 c) const {
        constexpr long double kBeyondHalfTurn = std::numbers::pi_v<long double> + 1e-12L;
        if (!reached_) return std::nullopt;
        if (radial_) return PolarSignAt(f_, height_, c, tMiddle_);
        long double t = AngleOnTurn(c.x, c.y, tLow_, turn_);
        if (t - tMiddle_ > kBeyondHalfTurn) t -= kTwoPi;
        if (tMiddle_ - t > kBeyondHalfTurn) t += kTwoPi;
        return PolarSignAt(f_, height_, c, t);
    }

private:
    FormulaContext& f_;
    const TreeProgram& height_;
    long double tLow_;
    int turn_;
    long double tMiddle_;
    bool reached_;
    bool radial_;
};

// --- the mesh ---

struct TGrid {
    std::size_t rows = 0;
    std::size_t columns = 0;
    std::size_t Index(std::size_t row, std::size_t column) const {
        return row * (columns + 1) + column;
    }
};

std::optional<TGrid> GridOf(const TExample& e) {
    const TGrid grid{static_cast<std::size_t>(std::max<int>(e.divisions[0], 1)),
                     static_cast<std::size_t>(std::max<int>(e.divisions[1], 1))};
    if ((grid.rows + 1) * (grid.columns + 1) > e.points.size()) return std::nullopt;
    return grid;
}

// A cell corner the surface's picture leaves out: undefined, or outside the example's box by
// more than the mesh computation holds a point to it (a point on a face, or held onto it, is
// in). A corner that only lies off the window keeps its screen position.
bool IsLeftOutCorner(const TExample& e, const Vec3& p) {
    if (!IsDefinedMeshPoint(p)) return true;
    constexpr long double kHeld = 1e-13L;
    const auto within = [](long double v, long double low, long double high) {
        return low - kHeld <= v && v <= high + kHeld;
    };
    return !(within(p.x, e.boxMin.x, e.boxMax.x) && within(p.y, e.boxMin.y, e.boxMax.y) &&
             within(p.z, e.boxMin.z, e.boxMax.z));
}

bool InWindow(const canvas::TLDRect& window, Vec2 p) {
    return window.xLow <= p.x && p.x <= window.xHigh && window.yLow <= p.y && p.y <= window.yHigh;
}

// Points in the space of the picture: box coordinates in Cube mode, else world coordinates.
class TPictureSpace {
public:
    explicit TPictureSpace(const THiddenLineView& view) : view_(view) {}
    canvas::Point3 operator()(Vec3 p) const {
        const Vec3 q = view_.observer.cube ? view_.box.WorldToBox(p) : p;
        return {q.x, q.y, q.z};
    }
    canvas::Point3 Eye() const {
        const Vec3 e = view_.observer.cube ? view_.observer.boxEye : view_.observer.eye;
        return {e.x, e.y, e.z};
    }
    Vec2 Screen(Vec3 p) const { return examples::ProjectPoint(view_.observer, view_.box, p); }

private:
    const THiddenLineView& view_;
};

// The product of the sides of the eye and the point for the plane through a, b, c; nothing
// when the three corners lie on a line.
std::optional<long double> SideProduct(const canvas::Point3& a, const canvas::Point3& b,
                                       const canvas::Point3& c, const canvas::Point3& eye,
                                       const canvas::Point3& p) {
    canvas::TPlane plane;
    if (!canvas::SetPlaneFrom3Points(plane, a, b, c)) return std::nullopt;
    return canvas::PlaneSide(plane, eye) * canvas::PlaneSide(plane, p);
}

// Whether the planes through (a, b, c), (b, c, d) and (b, d, a) each separate P from the eye.
bool CellSeparates(const std::array<canvas::Point3, 4>& q, const canvas::Point3& eye,
                   const canvas::Point3& p, long double tolerance) {
    constexpr std::array<std::array<std::size_t, 3>, 3> kPlanes{{{0, 1, 2}, {1, 2, 3}, {1, 3, 0}}};
    return std::all_of(kPlanes.begin(), kPlanes.end(), [&](const auto& t) {
        const auto side = SideProduct(q[t[0]], q[t[1]], q[t[2]], eye, p);
        return side && *side < tolerance;
    });
}

// Whether the sign of the point against the surface changes along the sight line over the
// domain and within the example's z range: signAt reads the sign of a sample through the
// program of the example's tree. The variables come back as they were.
template <class SignAt>
bool SignChangesOver(const canvas::TLDRect& domain, TSurfacePrograms& programs, const TExample& e,
                     int tree, const THiddenLineView& view, Vec3 p, SignAt&& signAt) {
    const auto line = SightLineOver(domain, e, view, p);
    if (!line || !TreeOf(e, tree)) return false;
    const dynamics::PlotVariableGuard guard(programs.Context());
    const TreeProgram& program = programs.Of(TreeOf(e, tree));
    return SignChangesAlong(*line, view.samples, [&](Vec3 c) { return signAt(program, c); });
}

}  // namespace

const TreeProgram& TSurfacePrograms::Of(TExprNode* tree) {
    const auto known = std::ranges::find(programs_, tree, [](const auto& p) { return p.first; });
    if (known != programs_.end()) return known->second;
    return programs_.emplace_back(tree, TreeProgram(f_, tree)).second;
}

TSurfaceProgramScope::TSurfaceProgramScope(TSurfacePrograms*& active, FormulaContext& f)
    : active_(active) {
    if (active_) return;
    own_.emplace(f);
    active_ = &*own_;
}

TSurfaceProgramScope::~TSurfaceProgramScope() {
    if (own_) active_ = nullptr;
}

int ExplicitSurfaceSign(FormulaContext& f, const TreeProgram& height, Vec3 p) {
    f.SetVar(slot::kX, p.x);
    f.SetVar(slot::kY, p.y);
    long double z = 0;
    return height.Evaluate(z) ? SignOf(p.z - z) : 0;
}

int ImplicitSurfaceSign(FormulaContext& f, const TreeProgram& level, Vec3 p) {
    f.SetVar(slot::kX, p.x);
    f.SetVar(slot::kY, p.y);
    f.SetVar(slot::kZ, p.z);
    long double v = 0;
    return level.Evaluate(v) ? SignOf(v) : 0;
}

int PolarSurfaceSign(FormulaContext& f, const TreeProgram& height, long double tLow, Vec3 p,
                     int turn) {
    return PolarSignAt(f, height, p, AngleOnTurn(p.x, p.y, tLow, turn));
}

std::optional<int> PolarSheetSign(FormulaContext& f, const TreeProgram& height, long double tLow,
                                  long double tHigh, Vec3 p, int turn) {
    const long double t = AngleOnTurn(p.x, p.y, tLow, turn);
    if (t > tHigh) return std::nullopt;
    return PolarSignAt(f, height, p, t);
}

bool IsHiddenByExplicitSurface(TSurfacePrograms& programs, const TExample& e,
                               const THiddenLineView& view, Vec3 p) {
    const canvas::TLDRect domain =
        Rect(e.rangeLow[0], e.rangeHigh[0], e.rangeLow[1], e.rangeHigh[1]);
    FormulaContext& f = programs.Context();
    return SignChangesOver(
        domain, programs, e, 3, view, p,
        [&f](const TreeProgram& height, Vec3 c) { return ExplicitSurfaceSign(f, height, c); });
}

bool IsHiddenByImplicitSurface(TSurfacePrograms& programs, const TExample& e,
                               const THiddenLineView& view, Vec3 p) {
    const canvas::TLDRect domain = Rect(e.boxMin.x, e.boxMax.x, e.boxMin.y, e.boxMax.y);
    FormulaContext& f = programs.Context();
    return SignChangesOver(domain, programs, e, 4, view, p, [&f](const TreeProgram& level, Vec3 c) {
        return ImplicitSurfaceSign(f, level, c);
    });
}

bool IsHiddenByPolarSurface(TSurfacePrograms& programs, const TExample& e,
                            const THiddenLineView& view, Vec3 p) {
    const TPolarSheets sheets = PolarSheetsOf(e);
    const auto disc = ClipSightLineToDisc(sheets.rHigh, p, view.observer.eye);
    if (!disc || !TreeOf(e, 3)) return false;
    const auto line = ClipSightLineToZRange(*disc, e.boxMin.z, e.boxMax.z);
    if (!line) return false;
    FormulaContext& f = programs.Context();
    const dynamics::PlotVariableGuard guard(f);
    const Complex savedR = f.vars.value[slot::kR];
    const TreeProgram& height = programs.Of(TreeOf(e, 3));
    const std::optional<long double> axis = PlanLineThroughAxis(*line);
    // The two halves of a turn's sheet meet on the axis, where the sight line may pass through.
    const long double joint = axis ? *axis : -1;
    bool hidden = false;
    for (int k = 0; k <= sheets.turns && !hidden; ++k) {
        const std::vector<long double> breaks = SheetBreaks(*line, sheets, k, axis);
        hidden = SignChangesWithinStretches(
            *line, view.samples, breaks,
            [&](Vec3 middle) {
                return TStretchSheet(f, height, sheets, k, middle, axis.has_value());
            },
            joint);
    }
    f.SetVar(slot::kR, savedR);
    return hidden;
}

bool IsHiddenByExplicitSurface(FormulaContext& f, const TExample& e, const THiddenLineView& view,
                               Vec3 p) {
    TSurfacePrograms programs(f);
    return IsHiddenByExplicitSurface(programs, e, view, p);
}

bool IsHiddenByImplicitSurface(FormulaContext& f, const TExample& e, const THiddenLineView& view,
                               Vec3 p) {
    TSurfacePrograms programs(f);
    return IsHiddenByImplicitSurface(programs, e, view, p);
}

bool IsHiddenByPolarSurface(FormulaContext& f, const TExample& e, const THiddenLineView& view,
                            Vec3 p) {
    TSurfacePrograms programs(f);
    return IsHiddenByPolarSurface(programs, e, view, p);
}

bool IsHiddenByMeshSurface(const TExample& e, const THiddenLineView& view, Vec3 p) {
    if (!view.parametricsObscure) return false;
    const auto grid = GridOf(e);
    if (!grid) return false;
    const TPictureSpace space(view);
    const Vec2 pt = space.Screen(p);
    if (!InWindow(view.window, pt)) return false;
    // Every grid point's screen position once, projected now rather than taken from the last
    // painting: a slowly drawn surface is never painted, and the view may have moved since. A
    // left-out point has none.
    std::vector<std::optional<Vec2>> screen((grid->rows + 1) * (grid->columns + 1));
    for (std::size_t k = 0; k < screen.size(); ++k) {
        if (!IsLeftOutCorner(e, e.points[k])) screen[k] = space.Screen(e.points[k]);
    }
    const canvas::Point3 eye = space.Eye(), q = space(p);
    for (std::size_t r = 0; r < grid->rows; ++r) {
        for (std::size_t c = 0; c < grid->columns; ++c) {
            const std::array<std::size_t, 4> k{grid->Index(r, c), grid->Index(r, c + 1),
                                               grid->Index(r + 1, c + 1), grid->Index(r + 1, c)};
            if (!std::all_of(k.begin(), k.end(), [&](std::size_t j) { return screen[j]; }))
                continue;
            if (!IsInsideQuadrilateral(
                    pt, {*screen[k[0]], *screen[k[1]], *screen[k[2]], *screen[k[3]]}))
                continue;
            const std::array<canvas::Point3, 4> corners{
                space(e.points[k[0]]), space(e.points[k[1]]), space(e.points[k[2]]),
                space(e.points[k[3]])};
            if (CellSeparates(corners, eye, q, view.planarity)) return true;
        }
    }
    return false;
}

bool IsHiddenByPlanePatch(const TExample& e, const THiddenLineView& view, Vec3 p) {
    const auto grid = GridOf(e);
    if (!grid) return false;
    // The patch's corners in the order of its outline.
    const std::array<std::size_t, 4> k{grid->Index(0, 0), grid->Index(0, grid->columns),
                                       grid->Index(grid->rows, grid->columns),
                                       grid->Index(grid->rows, 0)};
    if (!std::all_of(k.begin(), k.end(),
                     [&](std::size_t j) { return IsDefinedMeshPoint(e.points[j]); }))
        return false;
    const TPictureSpace space(view);
    const auto side = SideProduct(space(e.points[k[0]]), space(e.points[k[1]]),
                                  space(e.points[k[2]]), space.Eye(), space(p));
    if (!side || *side > kPlaneSideTolerance) return false;
    const Vec2 pt = space.Screen(p);
    if (!InWindow(view.window, pt)) return false;
    return IsInsideQuadrilateral(pt, {space.Screen(e.points[k[0]]), space.Screen(e.points[k[1]]),
                                      space.Screen(e.points[k[2]]), space.Screen(e.points[k[3]])});
}

}  // namespace quorlin::plot3d::hidden
