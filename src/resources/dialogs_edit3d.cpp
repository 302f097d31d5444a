// Example-editing templates of the 3D example kinds and of the maps, EQUA<kind>.
#include "resources/dialog_tables.h"
#include "resources/editor_blocks.h"

namespace quorlin::resources::detail {
namespace {

using namespace build;
using resources::DialogTemplate;

// The two parameter ranges of a surface, on two rows.
constexpr auto kXyRanges = Join(Range("x min", "x max"), AtRow(1, Range("y min", "y max", true)));
constexpr auto kRtRanges = Join(Range("r min", "r max"), AtRow(1, Range("t min", "t max", true)));
constexpr auto kTuRanges = Join(Range("t min", "t max"), AtRow(1, Range("u min", "u max", true)));

// A mesh surface: its formula rows, then ranges, grid counts, surface options, pen width and
// buttons.
template <std::size_t N>
constexpr auto MeshSurface(const Block<N>& formulas, int formulaRows, const Block<8>& ranges) {
    return Join(formulas, AtRow(formulaRows, ranges), AtRow(formulaRows + 2, kMeshCounts),
                AtRow(formulaRows + 4, kMeshOptions), AtRow(formulaRows + 6, kPenAndButtons));
}

constexpr auto kXyz =
    Join(Formula("x =", 211), AtRow(1, Formula("y =", 212)), AtRow(2, Formula("z =", 213)));

constexpr auto kExplicit = MeshSurface(Formula("z =", 213), 1, kXyRanges);
constexpr auto kCylindrical = MeshSurface(Formula("z =", 213), 1, kRtRanges);

constexpr auto kParametric = MeshSurface(kXyz, 3, kTuRanges);

constexpr auto kCurve =
    Join(kXyz, AtRow(3, Range("t min", "t max")), AtRow(4, Number("steps", 219)),
         AtRow(5, MakeBlock(Check(271, "put arrow at t =", {0, 0}), Edit(234, {0, 1}),
                            Label("arrow size", {0, 2}), Edit(235, {0, 3}))),
         AtRow(6, kPenAndButtons));

constexpr auto kImplicit =
    Join(Formula("equation", 218), AtRow(1, kMeshOptions), AtRow(3, kPenAndButtons));

constexpr auto kTube = MeshSurface(Join(kXyz, AtRow(3, Formula("radius", 214))), 4, kTuRanges);

// The meridian labels are set for the curve kind that is turned about the axis.
constexpr auto kRevolution = MeshSurface(
    Join(Formula("x,y", 211, 281), AtRow(1, Formula("", 212, 282)), AtRow(2, Formula("", 213, 283)),
         AtRow(3, MakeBlock(Label("axis ax+by=c", {0, 0}), Edit(234, {0, 1}), Edit(235, {0, 2}),
                            Edit(236, {0, 3})))),
    4, kTuRanges);

constexpr auto kSegment = Join(
    MakeBlock(Label("a =", {0, 0}), Edit(211, {0, 1}), Label("b =", {0, 2}), Edit(212, {0, 3}),
              Label("c =", {0, 4}), Edit(213, {0, 5}), Label("d =", {1, 0}), Edit(214, {1, 1}),
              Label("e =", {1, 2}), Edit(215, {1, 3}), Label("f =", {1, 4}), Edit(216, {1, 5})),
    AtRow(2, Pair("steps", 219, "arrow size", 235)),
    AtRow(3,
          MakeBlock(Label("arrows", {0, 0}), Radio(251, "none", {0, 1}), Radio(252, "p1", {0, 2}),
                    Radio(253, "p2", {0, 3}), Radio(254, "both", {0, 4}))),
    AtRow(4, kPenAndButtons));

// Also the template of 2D points; the labels and the caption follow the coordinate system,
// and the dot size takes the place of the pen width.
constexpr auto kPoint =
    Join(Formula("x =", 211, 281), AtRow(1, Formula("y =", 212, 282)),
         AtRow(2, Formula("z =", 213, 283)),
         AtRow(3, MakeBlock(Check(275, "anchors", {0, 0}), Edit(214, {0, 1, 3}))),
         AtRow(4, MakeBlock(Label("mark", {0, 0}), Radio(251, "solid", {0, 1}),
                            Radio(252, "circle", {0, 2}))),
         AtRow(5, Number("dot size", 227)), AtRow(6, kEditorButtons));

constexpr auto kSystem =
    Join(Formula("x' =", 211), AtRow(1, Formula("y' =", 212)), AtRow(2, Formula("z' =", 213)),
         AtRow(3, MakeBlock(Check(272, "restrict 0 <", {0, 0}), Edit(214, {0, 1, 3}))),
         AtRow(4, Pair("plot density", 215, "field rows", 226)),
         AtRow(5, MakeBlock(Check(271, "field", {0, 0}), Label("arrow length", {0, 1}),
                            Edit(225, {0, 2}), Button(209, "color", {0, 3}))),
         AtRow(6, kPenAndButtons));

constexpr auto kRecursive =
    Join(kXyz, AtRow(3, MakeBlock(Check(271, "arrows", {0, 0}), Check(276, "connect", {0, 1}))),
         AtRow(4, kEditorButtons));

constexpr auto kPlane =
    MeshSurface(Join(MakeBlock(Label("a =", {0, 0}), Edit(211, {0, 1}), Label("b =", {0, 2}),
                               Edit(212, {0, 3}), Label("c =", {0, 4}), Edit(213, {0, 5})),
                     AtRow(1, Formula("(k,m,n)", 214)), AtRow(2, Number("size", 215))),
                3, kTuRanges);

constexpr auto kSpherical = MeshSurface(Formula("r =", 214), 1, kTuRanges);

constexpr auto kIntrinsic =
    Join(Formula("kappa(s) =", 211), AtRow(1, Formula("tau(s) =", 212)),
         AtRow(2, Range("s min", "s max")), AtRow(3, Formula("x(0) , y(0) , z(0) =", 218)),
         AtRow(4, Formula("x'(0) , y'(0) , z'(0) =", 225)), AtRow(5, Formula("normal(0) =", 226)),
         AtRow(6, kPlotDensity), AtRow(7, kPenAndButtons));

constexpr auto kComplexMap = Join(Formula("F(z) =", 211), AtRow(1, kEditorButtons));

constexpr auto kPlaneMap =
    Join(Formula("U(x,y) =", 211), AtRow(1, Formula("V(x,y) =", 212)), AtRow(2, kEditorButtons));

constexpr DialogTemplate kDialogs[] = {
    {"EQUA301", "z = f(x,y)", kExplicit},
    {"EQUA302", "z = f(r,t)", kCylindrical},
    {"EQUA303", "surface x(t,u) , y(t,u) , z(t,u)", kParametric},
    {"EQUA304", "curve x(t) , y(t) , z(t)", kCurve},
    {"EQUA305", "implicit surface", kImplicit},
    {"EQUA306", "tube around (x,y,z)", kTube},
    {"EQUA307", "surface of revolution", kRevolution},
    {"EQUA308", "segment from (a,b,c) to (d,e,f)", kSegment},
    {"EQUA309", "point (x,y,z)", kPoint},
    {"EQUA310", "differential equation", kSystem},
    {"EQUA312", "recursive sequence", kRecursive},
    {"EQUA315", "plane a(x-k)+b(y-m)+c(z-n)=0", kPlane},
    {"EQUA316", "surface r = f(t,u)", kSpherical},
    {"EQUA325", "intrinsic curve", kIntrinsic},
    {"EQUA401", "z ==> F(z)", kComplexMap},
    {"EQUA402", "(x,y)==>(U(x,y),V(x,y))", kPlaneMap},
};

}  // namespace

std::span<const DialogTemplate> ExampleEdit3dDialogs() {
    return kDialogs;
}

}  // namespace quorlin::resources::detail
