// Example-editing templates of the 2D example kinds, EQUA<kind>. A 2D point is edited on the
// 3D point template; the orbital system has a dialog of its own.
#include "resources/dialog_tables.h"
#include "resources/editor_blocks.h"

namespace quorlin::resources::detail {
namespace {

using namespace build;
using resources::DialogTemplate;

constexpr auto kLineStyles = MakeBlock(Label("line", {0, 0}), Radio(251, "solid", {0, 1}),
                                       Radio(252, "dotted", {0, 2}), Radio(253, "dashed", {0, 3}));

// The direction field of the differential equations: style, rows, arrow length and colour.
constexpr auto kField =
    MakeBlock(Label("field", {0, 0}), Radio(251, "none", {0, 1}), Radio(252, "slopes", {0, 2}),
              Radio(253, "vectors", {0, 3}), Label("field rows", {1, 0}), Edit(226, {1, 1}),
              Label("arrow length", {1, 2}), Edit(225, {1, 3}),
              Check(274, "frame boundary", {2, 0}), Button(209, "color", {2, 1}));

constexpr auto kExplicit = Join(
    Formula("y =", 212), AtRow(1, Range("x min", "x max")), AtRow(2, kPlotDensity),
    AtRow(3, MakeBlock(Check(271, "lock interval", {0, 0}), Check(272, "make periodic", {0, 1}))),
    AtRow(4, kEndMarks), AtRow(8, kPenAndButtons));

constexpr auto kPolar =
    Join(Formula("r =", 213), AtRow(1, Range("t min", "t max")), AtRow(2, kPlotDensity),
         AtRow(3, MakeBlock(Check(272, "positive r-values only", {0, 0, 2}))), AtRow(4, kEndMarks),
         AtRow(8, kPenAndButtons));

// The caption changes with "polar" to name the form being edited.
constexpr auto kParametric =
    Join(Formula("x =", 211), AtRow(1, Formula("y =", 212)), AtRow(2, Range("t min", "t max")),
         AtRow(3, Join(kPlotDensity, MakeBlock(Check(276, "polar", {0, 2})))),
         AtRow(4, MakeBlock(Check(271, "put arrow at t =", {0, 0}), Edit(234, {0, 1}),
                            Label(11, "arrow size", {0, 2}), Edit(235, {0, 3}))),
         AtRow(5, kEndMarks), AtRow(9, kPenAndButtons));

constexpr auto kImplicit =
    Join(Formula("equation", 218),
         AtRow(1, MakeBlock(Check(272, "restriction 0 <", {0, 0}), Edit(214, {0, 1, 3}))),
         AtRow(2, MakeBlock(Check(271, "long search", {0, 0}), Check(273, "watch", {0, 1}),
                            Check(274, "frame boundary", {0, 2}))),
         AtRow(3, kPenAndButtons));

// The four labels read "r1 =", "t1 =", ... when the segment is given in polar form.
constexpr auto kSegment =
    Join(MakeBlock(Label(281, "x1 =", {0, 0}), Edit(211, {0, 1}), Label(282, "y1 =", {0, 2}),
                   Edit(212, {0, 3}), Label(283, "x2 =", {1, 0}), Edit(213, {1, 1}),
                   Label(284, "y2 =", {1, 2}), Edit(214, {1, 3})),
         AtRow(2, kLineStyles),
         AtRow(3, MakeBlock(Label(239, "arrows", {0, 0}), Radio(254, "none", {0, 1}),
                            Radio(255, "p1", {0, 2}), Radio(256, "p2", {0, 3}),
                            Radio(257, "both", {0, 4}))),
         AtRow(4, MakeBlock(Label(11, "arrow size", {0, 0}), Edit(235, {0, 1}),
                            Check(275, "points", {0, 2}))),
         AtRow(5, kPenAndButtons));

constexpr auto kIndefinite =
    Join(Formula("y =", 212), AtRow(1, Range("x min", "x max")), AtRow(2, kPlotDensity),
         AtRow(3, MakeBlock(Check(271, "lock interval", {0, 0}))), AtRow(4, kEndMarks),
         AtRow(8, kPenAndButtons));

constexpr auto kRoulette =
    Join(Range("t min", "t max"), AtRow(1, Pair("start", 234, "radius", 235)),
         AtRow(2, Pair("arm", 236, "plot density", 215)),
         AtRow(3, MakeBlock(Radio(251, "left side", {0, 0}), Radio(252, "right side", {0, 1}))),
         AtRow(4, kPenAndButtons));

constexpr auto kLine = Join(Pair("a =", 211, "b =", 212), AtRow(1, Number("c =", 213)),
                            AtRow(2, kLineStyles), AtRow(3, kPenAndButtons));

constexpr auto kSystem =
    Join(Formula("x' =", 211), AtRow(1, Formula("y' =", 212)),
         AtRow(2, MakeBlock(Check(272, "restrict 0 <", {0, 0}), Edit(214, {0, 1, 3}))),
         AtRow(3, kPlotDensity), AtRow(4, kField), AtRow(7, kPenAndButtons));

constexpr auto kSlopeEquation =
    Join(Formula("dy/dx =", 213), AtRow(1, kField), AtRow(4, kPenAndButtons));

constexpr auto kRecursive =
    Join(Formula("x =", 211), AtRow(1, Formula("y =", 212)),
         AtRow(2, MakeBlock(Check(271, "arrows", {0, 0}), Check(276, "connect", {0, 1}),
                            Check(274, "frame boundary", {0, 2}))),
         AtRow(3, kEditorButtons));

constexpr auto kLagrange = Join(Formula("y =", 212), AtRow(1, Range("x min", "x max")),
                                AtRow(2, Pair("plot density", 215, "dot size", 225)),
                                AtRow(3, MakeBlock(Check(272, "dots always visible", {0, 0, 2}))),
                                AtRow(4, kPenAndButtons));

// The label reads "t =" when the points come from a parametric curve.
constexpr auto kPlotPoints = Join(Formula("x =", 214, 281), AtRow(1, kPenAndButtons));

constexpr auto kSeries = Join(Formula("index", 211), AtRow(1, Formula("term", 212)),
                              AtRow(2, Pair("from", 216, "to", 217)),
                              AtRow(3, MakeBlock(Check(272, "dot size", {0, 0}), Edit(235, {0, 1}),
                                                 Check(276, "connect", {0, 2}))),
                              AtRow(4, kPenAndButtons));

constexpr auto kHigherOrder = Join(
    Formula("xdot(n) =", 213),
    AtRow(1, MakeBlock(Label("order", {0, 0}), Radio(252, "2", {0, 1}), Radio(253, "3", {0, 2}),
                       Radio(254, "4", {0, 3}), Radio(255, "5", {0, 4}), Radio(256, "6", {0, 5}),
                       Radio(257, "7", {0, 6}), Radio(258, "8", {0, 7}), Radio(259, "9", {0, 8}),
                       Radio(260, "10", {0, 9}))),
    AtRow(2, MakeBlock(Check(274, "frame boundary", {0, 0}))), AtRow(3, kEditorButtons));

constexpr auto kIntrinsic =
    Join(Formula("kappa(s) =", 211), AtRow(1, Range("s min", "s max")),
         AtRow(2, Formula("x(0) , y(0) =", 225)), AtRow(3, Formula("x'(0) , y'(0) =", 226)),
         AtRow(4, kPlotDensity), AtRow(5, kPenAndButtons));

constexpr DialogTemplate kDialogs[] = {
    {"EQUA201", "y = f(x)", kExplicit},
    {"EQUA202", "r = f(t)", kPolar},
    {"EQUA203", "x = f(t) , y = g(t)", kParametric},
    {"EQUA204", "implicit curve", kImplicit},
    {"EQUA205", "segment", kSegment},
    {"EQUA206", "indefinite integral data", kIndefinite},
    {"EQUA207", "roulette", kRoulette},
    {"EQUA208", "line ax + by = c", kLine},
    {"EQUA210", "differential equation", kSystem},
    {"EQUA211", "differential equation", kSlopeEquation},
    {"EQUA212", "recursive sequence", kRecursive},
    {"EQUA213", "Lagrange polynomial", kLagrange},
    {"EQUA215", "plot points", kPlotPoints},
    {"EQUA218", "series", kSeries},
    {"EQUA220", "differential equation", kHigherOrder},
    {"EQUA225", "intrinsic curve", kIntrinsic},
};

}  // namespace

std::span<const DialogTemplate> ExampleEdit2dDialogs() {
    return kDialogs;
}

}  // namespace quorlin::resources::detail
