#pragma once
// Equation texts: the one-line text of every example that the inventory lists, the equation
// labels show, "clip" copies and the tool dialogs offer, built from the record kind by kind
// and, for a derived example, derivation by derivation with its parents' texts; and the
// one-line text of a trajectory for the trajectory lists.
//
// Texts are the program's 8-bit Windows-1252 strings; the fixed words come from the string
// table. A few derived examples keep their text as a formula text of their own (text 2 of a
// Taylor polynomial, a composition and an antiderivative; text 4 of a tangent plane or line at
// the slicer point), so describing them writes into the inventory.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/numbers.h"
#include "examples/records/inventory.h"
#include "examples/records/trajectory.h"

namespace quorlin::examples {

// What the texts need of their window.
struct TTextSettings {
    NumberFormat format;  // how the window writes numbers ("window format")
    int dimension = 2;    // 3 or more in 3D windows
    bool complexWindow = false;
};

// Work size of a text, and the size of the texts the lists and the listing take.
inline constexpr std::size_t kDescriptionSize = 2000;
// The longest formula text a record holds.
inline constexpr std::size_t kRecordTextChars = 255;

// The full text of example `index`: its body (by derivation code, or by kind for an example of
// its own texts), then the family and web suffixes. A text that does not fit a buffer of `size`
// bytes is cut to size - 5 characters and " ..." follows.
std::string DescribeExample(TInventory& inventory, int index, const TTextSettings& settings,
                            std::size_t size = kDescriptionSize);

// The text of an example by its kind alone, cut to fit a buffer of `size` bytes. `kind` lets a
// caller read the record as another kind (a surface of revolution describes its profile with
// its sub-kind); 0 means the record's own kind.
std::string DescribeExampleShort(const TExample& example, const TTextSettings& settings,
                                 std::size_t size = kDescriptionSize, int kind = 0);

// The text of a derived example by its derivation code, cut to fit a buffer of `size` bytes.
std::string DescribeExampleLong(TInventory& inventory, int index, const TTextSettings& settings,
                                std::size_t size = kDescriptionSize);

// "; low <= x <= high" of an explicit curve or indefinite integral with a locked interval ("<"
// at an open end), "; low <= t <= high" of the other range kinds; empty for an explicit curve
// or integral whose interval is not locked.
std::string RangeText(const TExample& example);

// "periodic[body; low <= x < high]" with the ends of the range text.
std::string PeriodicText(std::string_view body, const TExample& example);

// "(a)x + (b)y = c" of the first three texts, at most 1000 characters.
std::string LineText(const TExample& example);

// "segment (a,b)<-->(c,d)" with the arrows of the end-mark word (bit 0 an arrow at the first
// end, 2 or more one at the second); "polar segment" for a 2D segment in polar form; a 3D
// segment takes its second end from texts 4, 6 and 7.
std::string SegmentText(const TExample& example, bool threeD);

// The line of a trajectory in the trajectory lists, numbers with `digits` decimals (in exponent
// form outside [1e-4, 1e7), as FormatNumberAuto writes them); logMode is the window's
// logarithmic mode (0 linear, 1 log x, 2 log y, 3 both). The initial values of a derx(n,y)
// trajectory are its first text.
std::string DescribeTrajectory(const TTrajectory& trajectory, int digits, bool threeD,
                               int logMode = 0);

// The word of a string id as an 8-bit Windows-1252 text.
std::string Word(int id);

// The text cut to the record's 255 characters, as it is stored into a formula text.
std::string CutToRecordText(std::string text);

}  // namespace quorlin::examples
