#pragma once
// The level set of a surface example and the level curves stored on it.
//
// A level curve is traced along the tangent field of its level set from its stored start, so
// it is the curve through that start: when the surface (or, for a surface intersection, a
// parent) changes, a start left where it was would draw the curve of another level. So after
// such a change every stored curve has its start moved back onto the level set at its own level,
// in the plane the curve is traced in, or is dropped when that cannot be done.
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

// The point of f's zero set near start in the plane of the level variable (24 x, 25 y, 26 z)
// through start, by damped Newton steps along f's gradient in that plane (each at most a quarter
// of the box's extent in the plane, shortened until |f| falls): every start is moved onto the set
// to the last digits, one on it already stays. Where that point lies beyond a side of the box in
// the plane, the point where the set crosses that side within the box, found by the same steps
// along the side. Nothing when no point of the set is near (the steps find no lower |f|, or do not
// settle within a bounded number), f or its gradient fail on the way, or the set crosses no side
// within the box there.
std::optional<Vec3> ProjectOntoLevelSet(const ScalarField3& f, Vec3 start, int levelVariable,
                                        const Box3& box);

// Moves the start of every level curve of e (first option word 24-26) back onto e's level set
// at its level, and drops each one that cannot be moved or, for a surface intersection, that
// lies in another plane than the one its trees are built in now. The curves of an example
// without a level set stay. The context's variables are as they were. The number dropped.
int FollowLevelCurves(FormulaContext& context, examples::TExample& e);
// The same for a list of curves of e kept apart from it (a copy to go back to).
int FollowLevelCurves(FormulaContext& context, examples::TExample& e,
                      examples::TrajectoryList& curves);

}  // namespace quorlin::dynamics
