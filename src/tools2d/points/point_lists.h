#pragma once
// What the point dialogs compute without a window: the dot size a field allows, the template
// point that the "many points" dialog fills from its choices before the window appends copies
// of it, and the distance of two points.
//
// Every count is read as an integer within its range before anything is stored: the dot size
// of plot points lies in 0..100, that of many points in 1..100 (17 otherwise), and the "from"
// and "to" of a list run lie in the 16-bit range their record words keep (17 otherwise); a run
// whose end lies before its start is 6.
#include <array>
#include <string>
#include <string_view>

#include "core/vectors.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::tools2d {

inline constexpr int kMaxDotSize = 100;
inline constexpr int kMinListValue = -32768;
inline constexpr int kMaxListValue = 32767;
inline constexpr std::size_t kMaxAnchorChars = 30;

// The dot size typed in a field, within [low, kMaxDotSize]: 0 and the size, or 17.
int ReadDotSize(FormulaContext& formulas, std::string_view text, int low, int& out);

// The choices of the "many points" dialog as typed.
struct TManyPointChoices {
    bool circle = false;   // the marker: a ring rather than a disc
    bool anchors = false;  // anchors drawn to the axes named by the anchor text
    std::string anchorText;
    std::string dotSize;
    bool list = false;  // a run of the letter, else the clipboard's numbers
    std::string from;
    std::string to;
    int letter = 14;                     // 1 = A .. 26 = Z
    std::array<std::string, 3> texts{};  // the coordinate formulas
    int system = 0;                      // 0 standard, 1 polar or cylindrical, 2 spherical
};

// Makes `point` a fresh point of the window's dimension (209 or 309) with the window's colour
// and dot size: the start of the dialog's template.
void InitPointTemplate(examples::TExample& point, int dimension, int colour, int dotSize);

// Reads the choices into the template point: 0, or 17 for a dot size or a list end out of
// range, 6 for a list that ends before it starts. Nothing is stored on an error.
int FillPointTemplate(FormulaContext& formulas, const TManyPointChoices& choices, int dimension,
                      examples::TExample& point);

// The Euclidean distance of two points.
long double PointDistance(const Vec3& a, const Vec3& b);

}  // namespace quorlin::tools2d
