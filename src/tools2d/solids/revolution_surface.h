#pragma once
// What the surface-of-revolution tool of the 2D windows computes, without a window: the arc
// and angle ranges it reads (each end a value that may be tied to a parameter letter), and the
// surface of revolution (a 307 record) it makes of a curve of the plane turned about the axis
// ax + by = c: the profile's texts, kind and polar form, the ranges with the letters of their
// ends, the axis, the colour and a box from the plane's view.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "examples/records/example.h"
#include "formula/formula_context.h"
#include "tools2d/integration/revolution.h"
#include "tools2d/solids/solid_texts.h"

namespace quorlin::tools2d {

// The kinds a surface of revolution turns: explicit, polar, parametric and implicit curves and
// segments.
inline constexpr std::array<int, 5> kRevolvedProfileKinds{201, 202, 203, 204, 205};

// The arc (the profile's parameter) and the angle, with the letters of arc start, arc stop,
// angle start and angle stop (0 none, 1..23 the parameters A..W).
struct TRevolutionRanges {
    long double arcLow = 0;
    long double arcHigh = 1;
    long double angleLow = 0;
    long double angleHigh = 6.283185307179586476925286766559005768L;
    std::array<int, 4> letters{};
    friend bool operator==(const TRevolutionRanges&, const TRevolutionRanges&) = default;
};

// The texts of the four ends as typed.
using TRevolutionRangeTexts = std::array<std::string, 4>;

// Reads arc start, arc stop, angle start and angle stop (each may end in "@" and a letter, which
// takes the value), in that order; 6 when a stop lies below its start + 1e-16. An angle range
// wider than 2 pi is cut to 2 pi. Out is set only on success.
int ReadRevolutionRanges(FormulaContext& formulas, const TRevolutionRangeTexts& texts,
                         TRevolutionRanges& out);

// The rectangle of the plane's view: x from left to right, y from down to up.
struct TPlaneView {
    long double left = -5;
    long double right = 5;
    long double down = -5;
    long double up = 5;
};

// Fills `surface`, a record made for kind 307, from the profile curve: its texts 1-4 (an
// implicit curve's equation as text 4), its kind as the sub-kind, its polar form, the
// description as text 7, the axis, the ranges with their packed letters (stop x 100 + start) as
// bound ends over parameters 0..1, its colour, and a box over the view, from minus to plus the
// view's half-width in z. A segment is turned whole, whatever the arc range.
void FillRevolutionRecord(examples::TExample& surface, const examples::TExample& profile,
                          const TRevolutionRanges& ranges, const TAxisLine& axis,
                          const TPlaneView& view, std::string_view description);

// The letters a surface of revolution of a profile of the kind follows in its 3D window, each
// once: those of its range ends (the arc's not for a segment, which is turned whole) and the
// parameter T of a polar or parametric curve. Its texts keep these; every other letter is
// written in with its value (solid_texts.h).
std::vector<int> FollowedLetters(int profileKind, const TRevolutionRanges& ranges);

// A copy of the profile whose texts that its surface reads stand alone (solid_texts.h): the
// letters it follows left, the values of the others and the bodies of the plane window's user
// functions that can be written out written in, the others carried, their calls left under
// their plane names until SettleProfile. 0, or the error of a text (20 when one would pass 255
// characters). Out and carried are set only on success.
int StandAloneProfile(const FormulaContext& plane, const examples::TExample& profile,
                      const TRevolutionRanges& ranges, examples::TExample& out,
                      TCarriedFunctions& carried);

// The names of the carried functions settled in the 3D window's table `space`, and the calls in
// the texts of the profile that its surface reads named so: 0, or the error of Settle or Rename
// (20 for a text that would pass 255 characters), the profile then unchanged.
int SettleProfile(TCarriedFunctions& carried, const FormulaContext& space,
                  examples::TExample& profile);

// The parameter letters (1..23) the trees use, each once, in order.
std::vector<int> ParameterLettersOf(std::span<const TExprNode* const> trees);

}  // namespace quorlin::tools2d
