#pragma once
// The hidden-line tests of a 3D window by surface family: whether the surface of one example
// lies between a point P (already moved a little towards the eye) and the eye.
//
// - Explicit surfaces z = f(x, y) and implicit surfaces F(x, y, z) = 0 (also a surface of
//   revolution of an implicit curve): the sign of z - f, or of F, changes along the sight line
//   over the surface's domain and within its z range.
// - Cylindrical surfaces z = f(r, t): the same with z - f(r, t) over the disc r <= r-high, once
//   for each turn of t, each pass only where that turn's sheet is: at r from r-low on (the hole
//   holds none) and at the angles whose t on the turn lies within the t range (a partial last
//   turn holds only some). The sight line is walked in stretches between the places the sheet
//   breaks (the hole's edge, the end of a partial turn, and the angle t-low, where t on a turn
//   jumps from its end back to its start), and a sign is compared only within its stretch. A
//   sight line through the axis keeps its angle on each side: it breaks there, each side read on
//   its half of the turn's sheet and only where that half reaches, and a sign carries across
//   the axis, where the two halves meet.
// - Other mesh surfaces (parametric, tube, revolution, spherical), only while parametric
//   surfaces obscure: P's screen position lies in the screen quadrilateral of a mesh cell whose
//   three corner planes each separate P from the eye (within the planarity threshold).
// - Planes: P's screen position lies in the screen quadrilateral of the plane's patch, and P is
//   not on the eye's side of the plane.
//
// A test that cannot decide answers "not hidden": a sight line that misses the domain, an
// undefined value, a cell with a left-out corner or without a plane, a point off the window.
// In Cube mode the picture is the box coordinates' picture, so the side tests run in box
// coordinates too. The tests give the variables they set back; what they keep between calls is
// only the programs of a drawing (TSurfacePrograms), which die with it.
#include <deque>
#include <optional>
#include <utility>

#include "canvas/records/world_rect.h"
#include "core/vectors.h"
#include "examples/operations/plot_geometry.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"
#include "formula/tree_program.h"

namespace quorlin::plot3d::hidden {

// What the tests read of the window at the time of a test.
struct THiddenLineView {
    const examples::TObserver& observer;  // the eye, and Cube mode
    const examples::TSceneBox& box;       // the box coordinates of Cube mode
    canvas::TLDRect window;               // what the window shows of the projection plane
    int samples = 12;                     // checks per point along a sight line, at least 1
    long double planarity = 0.1L;         // the mesh cells' separation threshold
    bool parametricsObscure = false;      // off: parametric-type mesh surfaces hide nothing
};

// The side of p against a surface from the program of its tree, -1, 0 or +1 (0 within 1e-16 of
// it, and where the tree is undefined): z - f(x, y) for an explicit surface (tree 3), F(x, y, z)
// for an implicit one (tree 4), z - f(r, t) for a cylindrical one (tree 3) with t the angle of
// (x, y) on the given turn of its t range from tLow. Each sets the variables it reads.
int ExplicitSurfaceSign(FormulaContext& f, const TreeProgram& height, Vec3 p);
int ImplicitSurfaceSign(FormulaContext& f, const TreeProgram& level, Vec3 p);
int PolarSurfaceSign(FormulaContext& f, const TreeProgram& height, long double tLow, Vec3 p,
                     int turn);
// The same on a t range from tLow to tHigh: nothing where t on the turn lies beyond tHigh,
// where that turn of the surface does not reach.
std::optional<int> PolarSheetSign(FormulaContext& f, const TreeProgram& height, long double tLow,
                                  long double tHigh, Vec3 p, int turn);

// The programs of the surfaces' trees for the tests of one drawing. A drawing tests every point
// it draws against every surface, a dozen evaluations a test: a tree is compiled when a test
// first needs it and the program is kept for the rest of the drawing, which changes no tree.
// Like every program it dies with its work, so the next drawing compiles the trees it finds.
class TSurfacePrograms {
public:
    explicit TSurfacePrograms(FormulaContext& f) : f_(f) {}
    TSurfacePrograms(const TSurfacePrograms&) = delete;
    TSurfacePrograms& operator=(const TSurfacePrograms&) = delete;

    FormulaContext& Context() const { return f_; }
    // The program of the tree, compiled on first use; it stays where it is while this lives.
    const TreeProgram& Of(TExprNode* tree);

private:
    FormulaContext& f_;
    std::deque<std::pair<const TExprNode*, TreeProgram>> programs_;
};

// The programs the tests use while a scope lives: the outermost scope over `active` makes them
// and clears `active` as it ends; a scope inside it uses the same, so a drawing and the single
// tests it makes compile each tree once.
class TSurfaceProgramScope {
public:
    TSurfaceProgramScope(TSurfacePrograms*& active, FormulaContext& f);
    ~TSurfaceProgramScope();
    TSurfaceProgramScope(const TSurfaceProgramScope&) = delete;
    TSurfaceProgramScope& operator=(const TSurfaceProgramScope&) = delete;

    TSurfacePrograms& Programs() const { return *active_; }

private:
    TSurfacePrograms*& active_;
    std::optional<TSurfacePrograms> own_;
};

bool IsHiddenByExplicitSurface(TSurfacePrograms& programs, const examples::TExample& e,
                               const THiddenLineView& view, Vec3 p);
// The turn count of a cylindrical surface is its sub-kind word (the turns of t beyond the
// first; a negative word counts as none). Its ranges are taken in order, low end first; the
// word of a t range stored high end first counts none, and the turns come from the range.
bool IsHiddenByPolarSurface(TSurfacePrograms& programs, const examples::TExample& e,
                            const THiddenLineView& view, Vec3 p);
bool IsHiddenByImplicitSurface(TSurfacePrograms& programs, const examples::TExample& e,
                               const THiddenLineView& view, Vec3 p);
// The same as a single test, its program compiled for it alone.
bool IsHiddenByExplicitSurface(FormulaContext& f, const examples::TExample& e,
                               const THiddenLineView& view, Vec3 p);
bool IsHiddenByPolarSurface(FormulaContext& f, const examples::TExample& e,
                            const THiddenLineView& view, Vec3 p);
bool IsHiddenByImplicitSurface(FormulaContext& f, const examples::TExample& e,
                               const THiddenLineView& view, Vec3 p);
bool IsHiddenByMeshSurface(const examples::TExample& e, const THiddenLineView& view, Vec3 p);
bool IsHiddenByPlanePatch(const examples::TExample& e, const THiddenLineView& view, Vec3 p);

}  // namespace quorlin::plot3d::hidden
