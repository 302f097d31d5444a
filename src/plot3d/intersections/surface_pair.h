#pragma once
// Which two surfaces make a surface intersection (317), without a window: the chooser's answer
// for two chosen examples (refused, or the pair in its fixed order with its derivation code),
// the intersection example the inventory holds already for a pair, and the texts of a meridian.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "examples/records/inventory.h"

namespace quorlin::plot3d {

// The surface kinds an intersection is made of: explicit, parametric, implicit, plane.
inline constexpr std::array kIntersectionSurfaceKinds{301, 303, 305, 315};

// Two surfaces in the order their intersection keeps them, with its derivation code.
struct TSurfacePair {
    int first = -1;
    int second = -1;
    int derivation = 0;
    friend bool operator==(const TSurfacePair&, const TSurfacePair&) = default;
};

// A chosen example: its index and kind.
struct TChosenSurface {
    int index = -1;
    int kind = 0;
};

inline constexpr int kErrCannotUnderstand = 1;

// The chooser's answer for the two chosen surfaces: 23 ("select two") for the same example
// twice, 1 for two parametric or two implicit surfaces (or a kind that makes no intersection),
// else 0 and the pair ordered implicit first, then plane, then explicit, parametric last (a
// pair of one kind keeps the chosen order), with its code 143-147 or 152-154.
int ChooseSurfacePair(TChosenSurface a, TChosenSurface b, TSurfacePair& out);

// The first intersection example (kind 317) of the pair's code whose parents are the pair in
// either order; nothing when there is none.
std::optional<int> FindIntersectionExample(const examples::TInventory& inventory,
                                           const TSurfacePair& pair);

// The kinds of the first and second parent of an intersection of the code; nothing for a code
// that is not a surface intersection's.
struct TKindPair {
    int first = 0;
    int second = 0;
};
std::optional<TKindPair> ParentKindsOf(int derivation);

// Whether the derivation code is that of a surface intersection with a parametric surface,
// traced in its parameter plane.
bool IsParametricIntersection(int derivation);

// --- meridians ---
// The longest text a field of the meridian dialog takes.
inline constexpr std::size_t kMeridianFieldChars = 255;
inline constexpr int kErrTooLarge = 20;
// The space curve's three texts of the great half-circle of radius R at longitude L, each typed
// text in parentheses: "(R)sin(t)cos(L)", "(R)sin(t)sin(L)", "(R)cos(t)". Error 20 when a
// text would not fit in an example's text.
int MeridianTexts(std::string_view radius, std::string_view longitude,
                  std::array<std::string, 3>& out);

}  // namespace quorlin::plot3d
