#pragma once
// The builders of the examples the transform tools and the inventory's "derive" make, one per
// derivation code (the rows of derived_builders.h), and the checks a new one passes first.
//
//   68       the derivative of an explicit, polar or parametric curve;
//   100      the mirror line of a reflection: its texts a, b, c;
//   101-104  reflections in the x-axis, the y-axis, x = y and a x + b y = c (texts 1-3);
//   105, 106 a half-turn (text 1 "pi") or a turn through the angle of text 1, about the centre of
//            texts 2 and 3;
//   110      the translation by [text 1, text 2].
//
// Coordinate curves, segments, points and lines take the map; implicit curves and fields are
// pulled back through its inverse, and the vectors of a field turn with the map. An explicit
// curve stays explicit under the maps that send graphs to graphs and becomes parametric (x = t)
// under the others, as a polar curve always does. A text that does not read fails the build.
#include <string_view>

#include "tools2d/derived/derived_builders.h"
#include "tools2d/derived/plane_maps.h"

namespace quorlin::tools2d {

bool UpdateDerivative(TDeriveContext& context, int i);
bool UpdateMirrorLine(TDeriveContext& context, int i);
bool UpdateReflection(TDeriveContext& context, int i);
bool UpdateRotation(TDeriveContext& context, int i);
bool UpdateTranslation(TDeriveContext& context, int i);

// The map of a transform code (101-106, 110) read from its three texts: 0, a text's parse error,
// or 6 for a line whose constant a and b vanish together or a vector that names x or y.
int ReadPlaneMap(FormulaContext& formulas, int code, const std::array<std::string_view, 3>& texts,
                 TPlaneMap& map);

// Whether a transform of the code may be applied to example p: 0, or 101 for an example with a
// JOIN piece under anything but the x-axis reflection (its pieces are cut along x).
int CheckTransformable(const examples::TInventory& inventory, int p, int code);

// The kinds each dialog offers.
std::span<const int> ReflectableKinds();
std::span<const int> TranslatableKinds();
// The kinds "derive" accepts.
bool IsDerivableKind(int kind);

}  // namespace quorlin::tools2d
