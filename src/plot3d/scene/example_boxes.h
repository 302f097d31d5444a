#pragma once
// The box and the mesh of one 3D example, computed from its trees in a formula context: a
// surface's mesh of (nt + 1) x (nu + 1) points (a point where the surface is undefined is
// marked undefined: it leaves the box alone and no patch touching it is drawn), the boxes of
// points, curves and segments from their samples, an intrinsic curve's box from its bounded
// trace, and the whole recomputation of an example's box with its elongation limit.
#include <functional>
#include <optional>
#include <vector>

#include "examples/operations/integration.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"
#include "formula/tree_program.h"
#include "plot3d/scene/scene_box.h"

namespace quorlin::plot3d {

// The example's own box, and whether it is computed from the example (the record's automatic
// box byte) rather than given.
TBox3 BoxOf(const examples::TExample& e);
void SetBox(examples::TExample& e, const TBox3& box);
// The example's box with the two ends of each axis in order, low end first: a crafted file may
// store them the other way round, and nothing else gives a stored box so. OrderBox puts the
// example's own box in order, except an intersection's (317): that box is not read but built
// from its parents' boxes, their common part, and stays reversed where they have none.
TBox3 OrderedBoxOf(const examples::TExample& e);
void OrderBox(examples::TExample& e);
bool IsBoxAutomatic(const examples::TExample& e);
void SetBoxAutomatic(examples::TExample& e, bool on);

// The point of a mesh surface at the parameters (u, v): an explicit surface (301) at X = u,
// Y = v; a cylindrical one (302) at R = u, T = v; any other kind's trees 1-3 at T = u, U = v.
// Empty where a tree needed is undefined.
std::optional<Vec3> EvalSurfacePoint(FormulaContext& f, examples::TExample& e, long double u,
                                     long double v);

// The same point evaluation for one sweep over many parameters: the example's trees compiled
// once. It lives only as long as the loop that made it (the trees must not change meanwhile).
class TSurfaceSweep {
public:
    TSurfaceSweep(FormulaContext& f, examples::TExample& e);
    std::optional<Vec3> At(long double u, long double v);

private:
    FormulaContext& f_;
    int kind_;
    bool complete_ = true;
    std::vector<TreeProgram> programs_;
};

// A mesh point the surface has no value for.
Vec3 UndefinedMeshPoint();
bool IsDefinedMeshPoint(const Vec3& p);

// The mesh at the grid of the example's two ranges and division counts, stored at
// i (nu + 1) + j. An automatic box becomes the points' box (unchanged when none is defined);
// a given box holds each point, clamped into it within 1e-13. A flat axis is opened by 1e-5.
// The variable table is restored afterwards. The control, when there is one, is asked before
// each point: once it stops (Q), the points not reached are undefined, the box stands as it was
// and the result is 81; else 0.
int ComputeSurfaceMesh(FormulaContext& f, examples::TExample& e,
                       examples::TSumControl* control = nullptr);

// The box of a point (309: +-0.25 about it, in its coordinate form), a curve (304: 101 samples
// of T) or a segment (308: its two ends), each axis opened to at least 0.5 on both sides and
// widened by 10%; only while the box is automatic. A failed sample takes the middle of the box
// so far. Other kinds keep their box.
void ComputeCurveBox(FormulaContext& f, examples::TExample& e);

// The box of an intrinsic curve (325): the points of its trace from 0 to the ends of its range
// taken as its drawer takes them (at the drawing's basic step for a box of the curve's size, at
// most kMaxIntrinsicSteps of them), polling after every kIntrinsicPollSteps steps: 0, or 81 when
// the poll answered Q (the box holds the points traced so far).
inline constexpr long long kMaxIntrinsicSteps = 100000;
inline constexpr long long kIntrinsicPollSteps = 1000;
int ComputeIntrinsicBox(FormulaContext& f, examples::TExample& e, const std::function<int()>& poll);

// Whether the box holds the origin, on its faces included.
bool HoldsOrigin(const TBox3& box);

// What RecomputePicture does for one example: its mesh or its box; an automatic box that was
// computed afresh widened by a tenth and held to the elongation limit (cut: no longer
// automatic, and the mesh computed again into the cut box); with the axes shown the box takes
// in the origin. A box its kind has no computation for stands as it was, so recomputing again
// gives the same box. 0, or 81 when the control stopped it.
int RecomputeExampleBox(FormulaContext& f, examples::TExample& e, bool axesShown,
                        examples::TSumControl* control);

}  // namespace quorlin::plot3d
