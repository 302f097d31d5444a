#pragma once
// The value table of an example as text: one line of column names, then one line of values
// each, separated by tabs, so that the table can be copied into other programs.
//   explicit curve     x and f(x) over its table range in its table steps;
//   polar, parametric  t, x and y (and z of a space curve) over its parameter range in its
//   and space curves   table steps;
//   plot points        each listed value and the parent's point there;
//   surfaces           x, y and z (r, t and z) over the grid of its two ranges;
//   orbital systems    each body's position, velocity and mass as they stand;
//   space segments     t, x, y and z from one end (t = 0) to the other (t = 1);
//   points, traces     the points handed in (a point example's coordinates, the points a
//                      trajectory was traced through).
// A value that cannot be evaluated shows as "-".
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/numbers.h"
#include "core/vectors.h"
#include "examples/records/inventory.h"
#include "formula/formula_context.h"

namespace quorlin::examples {

// The most lines of values a table shows.
inline constexpr int kMaxTableRows = 10000;

// The table of a curve (201, 202, 203, 304), a surface (301, 302), a space segment (308), an
// orbital system (219) or of plot points (215); empty for other kinds.
std::string CurveValueTable(TInventory& inventory, int index, FormulaContext& formulas,
                            const NumberFormat& format);

// One point per line under the column names; with parameters, a first column of them (t of a
// trace).
std::string PointValueTable(std::span<const std::string_view> names, std::span<const Vec3> points,
                            std::span<const long double> parameters, int coordinates,
                            const NumberFormat& format);

}  // namespace quorlin::examples
