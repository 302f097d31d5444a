// Dialog templates of the 2D analysis tools: integration, revolution and sections, roulettes,
// zeros, extremes and intersections, shading, initial values, point lists and combinations.
#include "resources/control_builders.h"
#include "resources/dialog_tables.h"

namespace quorlin::resources::detail {
namespace {

using namespace build;
using resources::DialogTemplate;

// The tables keep one control per line, in the order the dialog builds them.
// clang-format off

constexpr ControlTemplate kRiem[] = {
    Combo(295, {0, 0, 2}),
    Combo(296, {0, 2, 2}),
    Label("lower limit", {1, 0}),
    Edit(211, {1, 1}),
    Label("upper limit", {1, 2}),
    Edit(212, {1, 3}),
    Label("subintervals", {2, 0}),
    Edit(213, {2, 1}),
    Button(751, "+", {2, 2}),
    Button(752, "--", {2, 3}),
    Check(271, "left endpoint:", {3, 0, 2}),
    Label(231, "", {3, 2, 2}),
    Check(272, "midpoint:", {4, 0, 2}),
    Label(232, "", {4, 2, 2}),
    Check(273, "right endpoint:", {5, 0, 2}),
    Label(233, "", {5, 2, 2}),
    Check(274, "trapezoidal:", {6, 0, 2}),
    Label(234, "", {6, 2, 2}),
    Check(275, "parabolic:", {7, 0, 2}),
    Label(235, "", {7, 2, 2}),
    Check(276, "random:", {8, 0, 2}),
    Label(236, "", {8, 2, 2}),
    Check(277, "overlay", {9, 0}),
    Button(278, "color", {9, 1}),
    DefButton(761, "definite", {10, 0}),
    Button(760, "indefinite", {10, 1}),
    Button(2, "close", {10, 3}),
};

constexpr ControlTemplate kRevolve[] = {
    Combo(295, {0, 0, 4}),
    Hidden(List(296, {7, 0, 4})),
    Label("axis ax + by = c", {1, 0, 2}),
    Button(714, "x-axis", {1, 2}),
    Button(715, "y-axis", {1, 3}),
    Label("a =", {2, 0}),
    Edit(214, {2, 1}),
    Label("b =", {3, 0}),
    Edit(215, {3, 1}),
    Label("c =", {4, 0}),
    Edit(216, {4, 1}),
    Label(6, "arc start", {2, 2}),
    Edit(211, {2, 3}),
    Label(5, "arc stop", {3, 2}),
    Edit(212, {3, 3}),
    Label(4, "subintervals", {4, 2}),
    Edit(213, {4, 3}),
    DefButton(761, "value", {5, 0}),
    Label(235, "", {5, 1, 3}),
    Button(2, "close", {6, 3}),
};

constexpr ControlTemplate kSection[] = {
    Combo(295, {0, 0, 2}),
    Combo(296, {0, 2, 2}),
    Radio(251, "square", {1, 0}),
    Radio(252, "equilateral", {1, 1}),
    Radio(253, "semicirc", {1, 2}),
    Radio(254, "rectangle", {2, 0}),
    Radio(255, "isosceles", {2, 1}),
    Radio(256, "semiellipse", {2, 2}),
    Label("height(x)", {3, 0}),
    Edit(211, {3, 1, 3}),
    Label("low x", {4, 0}),
    Edit(212, {4, 1}),
    Label("high x", {4, 2}),
    Edit(213, {4, 3}),
    Label("x-sect", {5, 0}),
    Edit(215, {5, 1}),
    Label("z-sect", {5, 2}),
    Edit(214, {5, 3}),
    Check(271, "double", {6, 0}),
    Button(91, "see solid", {6, 1}),
    Label("subint", {7, 0}),
    Edit(216, {7, 1}),
    DefButton(785, "volume =", {8, 0}),
    Label(231, "", {8, 1, 3}),
    Button(2, "close", {9, 3}),
};

constexpr ControlTemplate kRoul[] = {
    Combo(295, {0, 0, 4}),
    Label("low", {1, 0}),
    Edit(211, {1, 1}),
    Label("start", {2, 0}),
    Edit(212, {2, 1}),
    Label("high", {3, 0}),
    Edit(213, {3, 1}),
    Radio(251, "left side", {1, 2, 2}),
    Radio(252, "right side", {2, 2, 2}),
    Label("radius", {4, 0}),
    Edit(214, {4, 1}),
    Label("arm", {4, 2}),
    Edit(215, {4, 3}),
    DefButton(91, "draw", {5, 0}),
    Button(2, "close", {5, 3}),
};

constexpr ControlTemplate kArea[] = {
    Combo(295, {0, 0, 2}),
    Hidden(List(296, {1, 0, 2})),
    Label("arc start", {2, 0}),
    Edit(211, {2, 1}),
    Label("arc stop", {3, 0}),
    Edit(212, {3, 1}),
    Label("subintervals", {4, 0}),
    Edit(213, {4, 1}),
    DefButton(761, "area", {5, 0}),
    Label(235, "", {5, 1}),
    Button(2, "close", {6, 1}),
};

// The axis value edit stands between its two radio buttons: "y =" value or value "= x".
constexpr ControlTemplate kVolTwo[] = {
    Combo(295, {0, 0, 3}),
    Combo(296, {1, 0, 3}),
    Radio(251, "y =", {2, 0}),
    Edit(214, {2, 1}),
    Radio(252, "= x", {2, 2}),
    Label("low x", {3, 0}),
    Edit(211, {3, 1}),
    Label("high x", {4, 0}),
    Edit(212, {4, 1}),
    Label("subintervals", {5, 0}),
    Edit(213, {5, 1}),
    DefButton(761, "volume", {6, 0}),
    Label(235, "", {6, 1, 2}),
    Button(2, "close", {7, 2}),
};

constexpr ControlTemplate kSurfRev[] = {
    Combo(295, {0, 0, 4}),
    Label("axis ax + by = c", {1, 0, 2}),
    Button(714, "x-axis", {1, 2}),
    Button(715, "y-axis", {1, 3}),
    Label("a =", {2, 0}),
    Edit(214, {2, 1}),
    Label("b =", {3, 0}),
    Edit(215, {3, 1}),
    Label("c =", {4, 0}),
    Edit(216, {4, 1}),
    Label(231, "arc start", {2, 2}),
    Edit(211, {2, 3}),
    Label(232, "arc stop", {3, 2}),
    Edit(212, {3, 3}),
    Button(779, "see arc", {4, 3}),
    Label(233, "angle start", {5, 0}),
    Edit(217, {5, 1}),
    Label(234, "angle stop", {5, 2}),
    Edit(218, {5, 3}),
    DefButton(91, "see surface", {6, 0}),
    Button(2, "close", {6, 3}),
};

constexpr ControlTemplate kEvol[] = {
    Combo(295, {0, 0, 2}),
    DefButton(91, "draw", {1, 0}),
    Button(2, "close", {1, 1}),
};

constexpr ControlTemplate kReflect[] = {
    Combo(295, {0, 0, 4}),
    Radio(251, "x-axis", {1, 0}),
    Radio(252, "y-axis", {1, 1}),
    Radio(253, "x = y", {1, 2}),
    Radio(254, "ax + by = c", {1, 3}),
    Label("a =", {2, 0}),
    Edit(211, {2, 1}),
    Label("b =", {2, 2}),
    Edit(212, {2, 3}),
    Label("c =", {3, 0}),
    Edit(213, {3, 1}),
    Check(271, "graph mirror", {3, 2, 2}),
    DefButton(91, "reflect", {4, 0}),
    Button(98, "undo", {4, 1}),
    Button(2, "close", {4, 3}),
};

constexpr ControlTemplate kRotate[] = {
    Combo(295, {0, 0, 4}),
    Radio(251, "half-turn", {1, 0}),
    Radio(252, "angle", {1, 1}),
    Edit(211, {1, 2, 2}),
    Label("center", {2, 0}),
    Label("x", {2, 1}),
    Edit(212, {2, 2}),
    Label("y", {3, 1}),
    Edit(213, {3, 2}),
    DefButton(91, "rotate", {4, 0}),
    Button(98, "undo", {4, 1}),
    Button(2, "close", {4, 3}),
};

// The third component and its label are hidden in a 2D window.
constexpr ControlTemplate kTranslate[] = {
    Combo(295, {0, 0, 3}),
    Label("a =", {1, 0}),
    Edit(211, {1, 1}),
    Label("b =", {2, 0}),
    Edit(212, {2, 1}),
    Label(233, "c =", {3, 0}),
    Edit(213, {3, 1}),
    DefButton(91, "translate", {4, 0}),
    Button(98, "undo", {4, 1}),
    Button(2, "close", {4, 2}),
};

constexpr ControlTemplate kZeros[] = {
    Combo(295, {0, 0, 3}),
    Label(231, "", {1, 0, 3}),
    DefButton(743, "next", {2, 0}),
    Button(57, "save x as", {2, 1}),
    Combo(298, {2, 2}),
    Button(712, "mark pt", {3, 0}),
    Button(2, "close", {3, 2}),
};

constexpr ControlTemplate kExtremes[] = {
    Combo(295, {0, 0, 3}),
    DefButton(743, "next extreme of", {1, 0}),
    Combo(296, {1, 1}),
    Label(231, "", {2, 0, 3}),
    Button(57, "save", {3, 0}),
    Combo(297, {3, 1}),
    Combo(298, {3, 2}),
    Button(712, "mark pt", {4, 0}),
    Button(2, "close", {4, 2}),
};

constexpr ControlTemplate kInter[] = {
    Combo(295, {0, 0, 3}),
    Combo(296, {1, 0, 3}),
    DefButton(743, "next intersection", {2, 0}),
    Label(231, "", {3, 0, 3}),
    Check(271, "intersection angle z in degrees", {4, 0, 3}),
    Button(57, "save", {5, 0}),
    Combo(297, {5, 1}),
    Combo(298, {5, 2}),
    Button(712, "mark point", {6, 0}),
    Button(2, "close", {6, 2}),
};

constexpr ControlTemplate kShade[] = {
    Combo(295, {0, 0, 2}),
    Combo(296, {0, 2, 2}),
    Radio(251, "above", {1, 0}),
    Radio(252, "below", {1, 1}),
    Radio(253, "between", {1, 2}),
    Check(271, "x interval", {2, 0}),
    Label("left", {3, 0}),
    Edit(211, {3, 1}),
    Label("right", {3, 2}),
    Edit(212, {3, 3}),
    Button(206, "color", {4, 0}),
    Check(272, "intersection", {4, 1}),
    DefButton(91, "shade", {4, 3}),
    Combo(294, {5, 0, 4}),
    Button(52, "delete", {6, 0}),
    Button(54, "del all", {6, 1}),
    Button(2, "close", {6, 3}),
};

constexpr ControlTemplate kIvp11[] = {
    Combo(295, {0, 0, 4}),
    Label("x =", {1, 0}),
    Edit(211, {1, 1}),
    Label("y =", {1, 2}),
    Edit(212, {1, 3}),
    Label("step", {2, 0}),
    Edit(220, {2, 1}),
    Label("pen width", {2, 2}),
    Edit(214, {2, 3}),
    Radio(251, "Euler", {3, 0}),
    Radio(252, "mod Euler", {3, 1}),
    Radio(253, "Runge-Kutta", {3, 2}),
    DefButton(91, "draw", {4, 0}),
    Button(742, "watch", {4, 1}),
    Label("delay", {4, 2}),
    Edit(215, {4, 3}),
    List(294, {5, 0, 4}),
    Button(208, "color", {6, 0}),
    Button(757, "table", {6, 1}),
    Label("steps", {6, 2}),
    Edit(217, {6, 3}),
    Button(52, "delete", {7, 0}),
    Button(54, "del all", {7, 1}),
    Button(2, "close", {7, 3}),
};

constexpr ControlTemplate kCentroid[] = {
    List(295, {0, 0, 4}),
    List(296, {1, 0, 4}),
    Button(770, "change = to <", {2, 0, 2}),
    Button(771, "change = to >", {2, 2, 2}),
    Check(271, "intersect", {3, 0}),
    Radio(252, "shading", {3, 1}),
    Radio(251, "centroid", {3, 2}),
    Check(272, "see darts", {3, 3}),
    Label(232, "darts", {4, 0}),
    Edit(212, {4, 1}),
    DefButton(91, "throw", {4, 2}),
    Label(231, "", {5, 0, 4}),
    Label(233, "", {6, 0, 4}),
    Button(52, "delete one", {7, 0}),
    Button(54, "delete all", {7, 1}),
    Button(211, "color", {7, 2}),
    Button(354, "help", {8, 0}),
    Button(2, "close", {8, 3}),
};

constexpr ControlTemplate kLbData[] = {
    Radio(251, "no data", {0, 0}),
    Radio(252, "", {1, 0}),
    Combo(295, {1, 1, 2}),
    OkButton(2, 1),
    CancelButton(2, 2),
};

// The hidden u controls are for the flux integral, which shows them.
constexpr ControlTemplate kRiem4[] = {
    Combo(295, {0, 0, 2}),
    Combo(296, {0, 2, 2}),
    Label("t min", {1, 0}),
    Edit(211, {1, 1}),
    Hidden(Label(233, "u min", {1, 2})),
    Hidden(Edit(214, {1, 3})),
    Label("t max", {2, 0}),
    Edit(212, {2, 1}),
    Hidden(Label(234, "u max", {2, 2})),
    Hidden(Edit(215, {2, 3})),
    Label("divisions", {3, 0}),
    Edit(213, {3, 1}),
    Hidden(Label(237, "divisions", {3, 2})),
    Hidden(Edit(216, {3, 3})),
    DefButton(761, "value", {4, 0}),
    Label(235, "", {4, 1, 3}),
    Button(2, "close", {5, 3}),
};

constexpr ControlTemplate kPtList[] = {
    Combo(295, {0, 0, 3}),
    Label(231, "x =", {1, 0}),
    Edit(211, {1, 1, 2}),
    Label("dot size", {2, 0}),
    Edit(212, {2, 1}),
    Button(208, "color", {2, 2}),
    DefButton(91, "plot", {3, 0}),
    Button(2, "close", {3, 2}),
};

constexpr ControlTemplate kDist[] = {
    Combo(295, {0, 0, 2}),
    Combo(296, {1, 0, 2}),
    Label(231, "", {2, 0, 2}),
    DefButton(91, "distance", {3, 0}),
    Button(2, "close", {3, 1}),
};

// The coordinate-system radios are labelled at set-up for 2D or 3D.
constexpr ControlTemplate kManyPts[] = {
    Radio(251, "solid", {0, 0}),
    Radio(252, "circle", {0, 1}),
    Label("dot size", {0, 2}),
    Edit(211, {0, 3}),
    Check(271, "anchors", {1, 0}),
    Edit(217, {1, 1, 2}),
    Button(208, "color", {1, 3}),
    Radio(253, "(x,y)", {2, 0}),
    Radio(254, "(r,t)", {2, 1}),
    Radio(255, "", {2, 2}),
    Label("points", {3, 0}),
    Radio(257, "from clipboard", {3, 1}),
    Radio(256, "list", {3, 2}),
    Combo(295, {4, 0}),
    Label("from", {4, 1}),
    Edit(215, {4, 2}),
    Label("to", {5, 1}),
    Edit(216, {5, 2}),
    Label(281, "x =", {6, 0}),
    Edit(212, {6, 1, 3}),
    Label(282, "y =", {7, 0}),
    Edit(213, {7, 1, 3}),
    Label(283, "z =", {8, 0}),
    Edit(214, {8, 1, 3}),
    DefButton(91, "plot", {9, 0}),
    Button(2, "close", {9, 3}),
};

constexpr ControlTemplate kCombos[] = {
    Combo(295, {0, 0, 3}),
    Combo(296, {1, 0, 3}),
    Button(751, "f + g", {2, 0}),
    Button(752, "f - g", {2, 1}),
    Button(753, "f * g", {2, 2}),
    Button(754, "f / g", {3, 0}),
    Button(756, "f ^ g", {3, 1}),
    Button(755, "", {3, 2}),
    Button(2, "close", {4, 2}),
};

// The z and z' rows are hidden in a 2D window.
constexpr ControlTemplate kOrbital[] = {
    Combo(295, {0, 0, 4}),
    Radio(251, "initial", {1, 0}),
    Radio(252, "current", {1, 1}),
    Label("x", {2, 0}),
    Edit(211, {2, 1}),
    Label("x'", {2, 2}),
    Edit(214, {2, 3}),
    Label("y", {3, 0}),
    Edit(212, {3, 1}),
    Label("y'", {3, 2}),
    Edit(215, {3, 3}),
    Label(283, "z", {4, 0}),
    Edit(213, {4, 1}),
    Label(286, "z'", {4, 2}),
    Edit(216, {4, 3}),
    Label("mass", {5, 0}),
    Edit(217, {5, 1}),
    Label("name", {5, 2}),
    Edit(222, {5, 3}),
    Label("pen width", {6, 0}),
    Edit(221, {6, 1}),
    Button(208, "color", {6, 2}),
    Label("gravitational constant", {7, 0}),
    Edit(218, {7, 1}),
    Label("interval", {7, 2}),
    Edit(219, {7, 3}),
    Label("positions", {8, 0}),
    Edit(220, {8, 1}),
    Label("calculations", {8, 2}),
    Edit(224, {8, 3}),
    Check(271, "watch", {9, 0}),
    Check(272, "frame boundary", {9, 1}),
    Check(274, "bullet size", {9, 2}),
    Edit(223, {9, 3}),
    Button(779, "many", {10, 0}),
    Button(791, "new", {10, 1}),
    Button(52, "delete", {10, 2}),
    Button(871, "clear", {10, 3}),
    Button(881, "absolute", {11, 0}),
    Button(880, "set origin", {11, 1}),
    Button(354, "help", {11, 3}),
    DefButton(1, "draw", {12, 0}),
    Button(2, "cancel", {12, 1}),
};

// clang-format on

constexpr DialogTemplate kDialogs[] = {
    {"RIEM", "integration", kRiem},
    {"REVOLVE", "volume of revolution", kRevolve},
    {"AREA", "sector area", kArea},
    {"VOLTWO", "volume of revolution", kVolTwo},
    {"SURFREV", "surface of revolution", kSurfRev},
    {"EVOL", "evolutes", kEvol},
    {"REFLECT", "reflect", kReflect},
    {"ROTATE", "rotate", kRotate},
    {"TRANSLATE", "translate by [a,b]", kTranslate},
    {"SECTION", "cross-sectional solid", kSection},
    {"ROUL", "roulettes", kRoul},
    {"ZEROS", "x-intercepts", kZeros},
    {"EXTREMES", "extreme values", kExtremes},
    {"INTER", "intersection points", kInter},
    {"SHADE", "explicit shading", kShade},
    {"IVP11", "initial-value problems", kIvp11},
    {"CENTROID", "implicit regions", kCentroid},
    {"LBDATA", "left-button data", kLbData},
    {"RIEM4", "line integral", kRiem4},
    {"PTLIST", "plot points", kPtList},
    {"DIST", "distance", kDist},
    {"MANYPTS", "points", kManyPts},
    {"COMBOS", "combinations", kCombos},
    {"EQUA219", "orbital system", kOrbital},
};

}  // namespace

std::span<const DialogTemplate> Tools2dDialogs() {
    return kDialogs;
}

}  // namespace quorlin::resources::detail
