#pragma once
// The examples the Equa menus create: which kinds a window offers (a kind with an editing
// template, or a point), and the demonstration values a new example of a kind starts from
// before its dialog opens.
#include "examples/records/example.h"

namespace quorlin::examples {

// Whether the Equa menu of a window of the dimension creates examples of the kind through the
// common road (a point goes through its own entry, derived kinds are made by tools).
bool IsMenuKind(int kind, int dimension);

// Gives a new record of the kind (already initialised for it) its demonstration texts, ranges
// and counts; an explicit curve and a polynomial through points span the view from xLow to
// xHigh. planeStyle is the second style word of a plane.
void SetNewExampleDefaults(TExample& e, int kind, long double xLow, long double xHigh,
                           int planeStyle);

}  // namespace quorlin::examples
