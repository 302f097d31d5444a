#pragma once
// The box dialog of a 3D example as a pure function: which template asks for the box, the
// answer it starts from, and what an answer does to the example (read, checked, stored), with
// whether the example must be computed again. The window runs the dialog and the recomputation.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "examples/records/example.h"

namespace quorlin::plot3d {

// Mesh surfaces (implicit ones excluded) ask with "cap extremes", implicit surfaces and the
// kinds above 309 with "clip trajectories", the other kinds with an unlabelled check box.
std::string_view BoxTemplateName(const examples::TExample& e);

// The clip byte: a surface's "cap extremes", a curve's or field's "clip trajectories".
bool IsClipping(const examples::TExample& e);

// What the dialog shows and answers: the texts x low, x high, y low, y high, z low, z high and
// the two check boxes.
struct TBoxAnswer {
    std::array<std::string, 6> texts;
    bool clip = true;
    bool lock = false;
};

// The answer the dialog opens with: the corners in the window's number format, the clip byte
// and "lock position" (the box is not automatic).
TBoxAnswer InitialBoxAnswer(const examples::TExample& e,
                            const std::function<std::string(long double)>& format);

using TNumberReader = std::function<int(std::string_view, long double&)>;

struct TBoxOutcome {
    int error = 0;         // the reader's error, or 6 for a box with high < low + 1e-13
    bool changed = false;  // the example must be computed again
};

// The answer's OK. With "lock position" the six texts are read (x low, y low, z low, x high,
// y high, z high) and checked axis by axis; an error stores nothing. Else the old corners stand.
// Changed: forced, the lock toggled, the clip toggled, or a corner moved by more than 1e-16
// (taxicab). The flags are always stored; the corners (and the saved box of 301 and 305) only
// when changed.
TBoxOutcome ApplyBoxAnswer(examples::TExample& e, const TBoxAnswer& answer, bool force,
                           const TNumberReader& read);

}  // namespace quorlin::plot3d
