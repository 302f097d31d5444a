#pragma once
// What the cross-section tool of the 2D windows computes, without a window: the solid whose
// cross-sections stand on the strips of the region between two explicit curves y = f(x) and
// y = g(x), each a square, equilateral triangle, semicircle, rectangle, isosceles triangle or
// semiellipse on the width w = f(x) - g(x) (the last three of the height h(x)), and, doubled,
// reflected in the xy-plane as well.
//
// It reads the tool's fields (the x range with the parameter letters of its ends, the counts),
// computes the volume as the parabolic sum of the cross-section's area, and writes the solid as
// parametric surfaces in t and u for a 3D window: the floor, the walls and the top or the faces
// of each shape, with x running over the range directly or, when an end is tied to a parameter,
// between the ends as u runs from 0 to 1, so that the solid follows the parameter's slider.
// The texts carry the values of the other letters and the bodies of the user functions they
// use, so that each solid keeps them whatever its 3D window's letters and functions become.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "examples/operations/section_surface.h"
#include "formula/formula_context.h"
#include "tools2d/regions/shade_model.h"
#include "tools2d/solids/solid_texts.h"

namespace quorlin::tools2d {

// The shapes in the order of their radio buttons (251 ..).
enum class TSectionShape {
    kSquare = 1,
    kEquilateral,
    kSemicircle,
    kRectangle,
    kIsosceles,
    kSemiellipse
};
inline constexpr int kSectionShapeCount = 6;

struct TShapeRow {
    std::string_view label;
    long double factor;  // the area of a section is factor x w^2, or factor x w h
    bool usesHeight;
};
// The row of a shape; the square for a number outside 1..6.
const TShapeRow& ShapeRow(int shape);

// The solid: the formula texts of f and g, the shape, the height text and the doubling.
struct TSectionRequest {
    std::string f;
    std::string g;
    int shape = 1;
    std::string height = "2.0";
    bool doubled = false;
};

// The x range and the letters of its ends (0 none, 1..23 the parameters A..W).
struct TSectionRange {
    long double low = 0;
    long double high = 1;
    int lowLetter = 0;
    int highLetter = 0;
    bool Linked() const { return lowLetter > 0 || highLetter > 0; }
};

struct TSectionCounts {
    int xSections = 40;  // strips along x: the u divisions of the surfaces
    int zSections = 1;   // rulings across a strip: the t divisions
    int subintervals = 1000;
};

// The fields as typed, and what reading them needs of the two chosen curves.
struct TSectionFields {
    std::string low, high, xSections, zSections, subintervals;
    std::string height = "2.0";
};
struct TSectionChoice {
    int f = -1;
    int g = -1;
    bool usesJoin = false;  // f or g holds a JOIN node
};

// The most points of a drawn surface's grid, (x-sections + 1)(z-sections + 1).
inline constexpr int kMostSectionGridPoints = 6000;

// Reads the fields in order, the first error winning: the ends (each at most 20 characters, a
// value that may end in "@" and a letter, which takes the value; 20 for a longer text), 6 when
// high < low + 1e-13, 15 without two curves, 23 for one curve twice, 101 for a JOIN, then the
// z-sections, x-sections and subintervals, each an integer read whole (17 beyond the 32-bit
// range or, for the sections, beyond 32767; 14 below 1), and 17 when the grid would pass 6000
// points, and last 20 for a height text over 255 characters. Out is set only on success.
int ReadSectionFields(FormulaContext& formulas, const TSectionFields& fields,
                      const TSectionChoice& choice, TSectionRange& range, TSectionCounts& counts);

// "(f-(g))^2" for shapes 1-3, "(f-(g))(h)" for 4-6.
std::string SectionIntegrandText(const TSectionRequest& request);
// The shape's factor, twice that when doubled.
long double SectionFactor(int shape, bool doubled);

// The parabolic sum of an integrand in X over the tool's interval: 0, 81 when stopped (the sum
// then holds what was summed), or an error.
using SectionSum = std::function<int(TExprNode& integrand, long double& sum)>;

// The volume: 0, 81 when stopped (out then holds the scaled partial sum), the parse error of the
// integrand, or the error of the sum (106 where f - g or the height is undefined).
int SectionVolume(FormulaContext& formulas, const TSectionRequest& request, const SectionSum& sum,
                  long double& out);

// "u" over an unlinked range; else "(L(1-u)+Hu)" with L and H the ends' letters or numbers
// (a number high end as "-" and its magnitude when negative).
std::string SectionXText(const TSectionRange& range);

// The surfaces of the solid, in the order they are drawn, whose texts read no letter but those
// of the range's ends: the values of the other letters and the bodies of the functions that
// can be written out are written in, as they are in `formulas`, and the functions that cannot
// are carried (solid_texts.h), their calls left under their names in `formulas` until
// SettleSurfaces. A JOIN or DER on X in a text acts on u, which x is over a plain range. 0, 20
// when a text would pass 255 characters (nothing is cut), 101 for a JOIN or DER on X between
// tied ends (x is no variable there), or an error of TCarriedFunctions::StandAlone. Out and
// carried are set only on success.
int SectionSurfaces(const FormulaContext& formulas, const TSectionRequest& request,
                    const TSectionRange& range, int xSections, int zSections,
                    std::vector<examples::TSectionSurface>& out, TCarriedFunctions& carried);

// The names of the carried functions settled in the 3D window's table `space`, and the calls in
// the surfaces' texts named so: 0, or the error of Settle or Rename (20 for a text that would
// pass 255 characters), the surfaces then unchanged.
int SettleSurfaces(TCarriedFunctions& carried, const FormulaContext& space,
                   std::vector<examples::TSectionSurface>& surfaces);

}  // namespace quorlin::tools2d
