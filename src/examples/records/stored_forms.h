#pragma once
// What a diagram file keeps of an example in another place than memory does, and the
// conversions that bring the examples of older files up to date.
//
// An explicit polynomial through points carries its nine points in its per-kind numbers; an
// orbital system carries its body table in its list of bodies. The writer packs them into a
// copy of the record (the window's own examples stay as they are), the reader unpacks them.
// Files before version 37 kept as numbers what later versions keep as texts (ranges, letter
// pairs, parameters, the arrow position of a parametric curve); files before version 30 kept
// the coordinate groups of a point as option bytes.
#include "core/numbers.h"
#include "examples/records/example.h"

namespace quorlin::examples {

// --- explicit polynomials through points ---

// x and y of point j of source into the per-kind numbers 2j and 2j + 1 of record.
void StoreLagrangePoints(const TExample& source, TExample& record);
// The reverse: the nine points from the numbers (z = 0). Nothing for a record without points.
void RestoreLagrangePoints(TExample& example);

// --- orbital systems ---

// Body table entries (points of a 219): current positions from 0, current velocities from 12,
// masses (x) from 24, initial positions from 60, initial velocities from 72.
inline constexpr int kBodyMassEntry = 24;
inline constexpr int kBodyStartEntry = 60;
inline constexpr int kBodyVelocityEntry = 72;

// A copy of the trajectory list of an orbital system with body j's initial position as start
// values, its mass as step and its initial velocity as the first three start-value texts, for
// bodies 0..n (n the record's last body index) that have a list entry. The texts are the
// shortest that read back to the same numbers.
TrajectoryList StoreBodiesInTrajectories(const TExample& example);
// The reverse, into the body table; a text that is no number gives 0.
void CopyBodyListToTable(TExample& example);

// --- older files ---

// The coordinate-group word (the sub-kind) of a point from the option bytes of files before
// version 30; dimension 2 or 3 decides how many letters each group takes.
void RebuildCoordinateGroups(TExample& example, int dimension);

// Before version 34: text 7 of an example with a range text from its range numbers.
void UpgradeRangeText(TExample& example, const NumberFormat& format);
// Before version 35: text 7 of a tangent plane or line (derivations 77, 81) from its two
// letters or its two numbers.
void UpgradeLetterPairText(TExample& example, const NumberFormat& format);
// Before version 36: text 1 of derivation 73 from its parameter letter or its number.
void UpgradeParameterText(TExample& example, const NumberFormat& format);
// Before version 37: text 6 of a parametric curve or space curve with an arrow at t.
void UpgradeThirdText(TExample& example, const NumberFormat& format);

}  // namespace quorlin::examples
