#pragma once
// The level set of a surface example and the level curves stored on it.
//
// A level curve is traced along the tangent field of its level set from its stored start, so
// it is the curve through that start: when the surface (or, for a surface intersection, a
// parent) changes, a start left where it was would draw the curve of another level. So after
// such a change every stored curve has its start moved back onto the level set at its own level,
// in the plane the curve is traced in, or is dropped when that cannot be done.
#include <functional>
#include <optional>

#include "dynamics/field.h"
#include "dynamics/geometry.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::dynamics {

// The function zero on the level set of e, in space: z - f(x, y) for an explicit surface, tree
// 4 for every other kind (an implicit surface's F, a surface intersection's G in its plane).
// Nothing when e has no such tree. It sets X, Y and Z of the context.
std::optional<ScalarField3> LevelSetField(FormulaContext& context, examples::TExample& e);

// Where level points of e are searched before the box is flattened to a level: e's box, or for
// an intersection with a parametric surface its parameter ranges (t as x, u as y, z = 0).
Box3 LevelSearchBox(const examples::TExample& e);

// The way a curve is traced from a point of its plane: its velocity there in the plane's two
// axes, in the order the tracers take them (z levels (x, y), x levels (y, z), y levels (z, x)).
// False where it is not defined.
using CurveWay = std::function<bool(Vec3, Vec2&)>;

// The point of f's zero set near start in the plane of the level variable (24 x, 25 y, 26 z)
// through start, by damped Newton steps along f's gradient in that plane (each at most a quarter
// of the box's extent in the plane, shortened until |f| falls): every start is moved onto the set
// to the last digits, one on it already stays. Where that point lies beyond a side of the box in
// the plane, the point where the set crosses that side within the box, found by the same steps
// along the side. Nothing when no point of the set is near (the steps find no lower |f|, or do not
// settle within a bounded number), f or its gradient fail on the way, or the set crosses no side
// within the box there. A point returned lies in the box, its sides included, as the tracers
// test it: a set point beyond a side by ever so little goes to the side too.
//
// A curve traced from a side ends at once where its way leads out of the box. So, given the way
// the curve is traced, a start moved onto a side goes where that way leads in. Where it leads out
// at the crossing above, the set is followed back from there through the box, by a bounded number
// of steps, to where it meets a side again (that side or the next one along the set): the
// crossing where the arc that ends there comes into the box. Failing that, and where the steps
// along the sides find no crossing, of the crossings on the four sides (each side sampled at a
// bounded number of points) where the way leads in, the one nearest the crossing above (or the
// set's point); nothing when there is none. Without a way, or where it is not defined at the
// crossing above, that crossing.
std::optional<Vec3> ProjectOntoLevelSet(const ScalarField3& f, Vec3 start, int levelVariable,
                                        const Box3& box, const CurveWay& way = {});

// Moves the start of every level curve of e (first option word 24-26) back onto e's level set
// at its level, and drops each one that cannot be moved or, for a surface intersection, that
// lies in another plane than the one its trees are built in now. A curve's way, for a start
// moved onto a side, is the tracer's: its field by its tree selectors in the plane of its level,
// forward or backward as its end time lies after or before its start time. The curves of an
// example without a level set stay. The context's variables are as they were. The number dropped.
int FollowLevelCurves(FormulaContext& context, examples::TExample& e);
// The same for a list of curves of e kept apart from it (a copy to go back to).
int FollowLevelCurves(FormulaContext& context, examples::TExample& e,
                      examples::TrajectoryList& curves);

}  // namespace quorlin::dynamics
