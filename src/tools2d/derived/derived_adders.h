#pragma once
// New derived examples of the transform tools and of "derive", as records: each is appended
// after its parent, takes the parent's fields (not its trees, trajectories or marked points),
// its derivation code and texts, and is built by its row of derived_builders.h. A transform's
// texts are read before anything is added, so an unreadable one adds nothing; a build that fails
// takes its record back. The window adds labels, draws and refreshes.
#include <array>
#include <string_view>

#include "examples/operations/tangents.h"
#include "tools2d/derived/derived_builders.h"

namespace quorlin::tools2d {

using TTransformTexts = std::array<std::string_view, 3>;

// Each gives the index of the new example, or the error: 4 when the inventory is full, 101 for
// a JOIN example under anything but the x-axis reflection, a text's parse error, 6 for a line
// that is none or a vector that names x or y, 1 when the example could not be built.
using examples::TAddResult;

// The image of example p under the transform of the code (101-106, 110).
TAddResult AppendTransformed(TDeriveContext& context, int p, int code,
                             const TTransformTexts& texts);
// The mirror line (derivation 100) of the reflection `reflected` of the code (101-104): the
// x-axis, the y-axis, the line x = y or the line of the texts, dotted in colour 0.
TAddResult AppendMirrorLine(TDeriveContext& context, int reflected, int code,
                            const TTransformTexts& texts);
// The derivative (68) of an explicit, polar or parametric curve: one order higher.
TAddResult AppendDerivative(TDeriveContext& context, int p);

// The derivation codes of each transform dialog, and whether example i carries one of them.
enum class TTransformKind { kReflect, kRotate, kTranslate };
bool CarriesCode(const examples::TExample& example, TTransformKind kind);

}  // namespace quorlin::tools2d
