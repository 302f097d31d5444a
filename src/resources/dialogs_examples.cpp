// Dialog templates of the example level: inventory, parameter sliders, tracing sliders, the
// family and web dialogs and the arc-length tool shared by 2D and 3D windows.
#include "resources/control_builders.h"
#include "resources/dialog_tables.h"

namespace quorlin::resources::detail {
namespace {

using namespace build;
using resources::DialogTemplate;

// The tables keep one control per line, in the order the dialog builds them.
// clang-format off

// Buttons 757, 797 and 798 get their captions when the dialog is set up.
constexpr ControlTemplate kInvent[] = {
    MultiList(293, {0, 0, 6}),
    Button(51, "edit", {1, 0}),
    Button(52, "delete", {1, 1}),
    Button(739, "dupl", {1, 2}),
    Button(95, "clip", {1, 3}),
    Button(757, "table", {1, 4}),
    Button(818, "family", {1, 5}),
    Button(736, "graph", {2, 0}),
    Button(744, "equa", {2, 1}),
    Button(793, "name", {2, 2}),
    Button(797, "", {2, 3}),
    Button(798, "", {2, 4}),
    Button(2, "close", {2, 5}),
    Hidden(Edit(219, {3, 0})),  // carries text to the clipboard
};

// The player rows of the parameter sliders, below the value and the bar.
constexpr auto kPlayer = MakeBlock(
    Button(804, "set L", {0, 0}),
    Button(738, "autorev", {0, 1}),
    Button(740, "autocyc", {0, 2}),
    Button(805, "set R", {0, 3}),
    Check(271, "autoshow", {1, 0}),
    Label(7, "slides", {1, 1}),
    Edit(212, {1, 2}),
    Button(2, "close", {1, 3}));

constexpr auto kParams = Join(
    MakeBlock(
        Combo(296, {0, 0}),
        Edit(211, {0, 1, 2}),
        Slider(295, {1, 0, 4})),
    AtRow(2, kPlayer));

constexpr auto kSParam = Join(
    MakeBlock(
        Edit(211, {0, 0, 4}),
        Slider(295, {1, 0, 4})),
    AtRow(2, kPlayer));

constexpr ControlTemplate kTParam[] = {
    Edit(211, {0, 0, 2}),
    Button(740, "time", {0, 2}),
    Check(271, "stop at", {1, 0}),
    Edit(212, {1, 1}),
    Button(2, "close", {1, 2}),
};

// The curve, the parameter and the bar of the tracing sliders.
constexpr auto kTraceCursor = MakeBlock(
    Combo(295, {0, 0, 4}),
    Label(231, "x =", {1, 0}),
    Edit(211, {1, 1}),
    Label(232, "", {1, 2, 2}),
    Slider(297, {2, 0, 4}));

constexpr auto kTraceEnd = MakeBlock(
    Label(233, "", {0, 0, 4}),
    Button(2, "close", {1, 3}));

constexpr auto kTrace = Join(
    kTraceCursor,
    AtRow(3, MakeBlock(
        Button(711, "Taylor approx", {0, 0}),
        Label(3, "degree", {0, 1}),
        Combo(298, {0, 2}),
        Button(712, "mark point", {0, 3}),
        Check(271, "secants at", {1, 0}),
        Button(720, "base point", {1, 1}),
        Check(272, "tangents", {1, 2}),
        Check(273, "thick vectors", {1, 3}))),
    AtRow(5, kTraceEnd));

// The degree combo is kept, hidden, so that the dialog code is the same for both.
constexpr auto kTrace3 = Join(
    kTraceCursor,
    AtRow(3, MakeBlock(
        Button(711, "tangent line", {0, 0}),
        Hidden(Combo(298, {0, 1})),
        Button(712, "mark point", {0, 2}),
        Check(274, "Frenet", {0, 3}),
        Check(271, "ave velocity", {1, 0}),
        Button(720, "base pt", {1, 1}),
        Check(272, "inst velocity", {1, 2}),
        Check(273, "thick vectors", {1, 3}))),
    AtRow(5, kTraceEnd));

constexpr ControlTemplate kArcLen[] = {
    Combo(295, {0, 0, 3}),
    Hidden(List(296, {1, 0, 3})),
    Label("lower limit", {2, 0}),
    Edit(211, {2, 1}),
    Label("upper limit", {3, 0}),
    Edit(212, {3, 1}),
    Label("subintervals", {4, 0}),
    Edit(213, {4, 1}),
    DefButton(761, "length", {5, 0}),
    Label(235, "", {5, 1, 2}),
    Button(2, "close", {6, 2}),
};

constexpr ControlTemplate kFam[] = {
    Label("parameter", {0, 0}),
    Edit(214, {0, 1}),
    Label("( A ... Q )", {0, 2}),
    Label("low", {1, 0}),
    Edit(211, {1, 1}),
    Label("high", {2, 0}),
    Edit(212, {2, 1}),
    Label("steps", {3, 0}),
    Edit(213, {3, 1}),
    Check(271, "watch", {4, 0}),
    Label("delay", {4, 1}),
    Edit(215, {4, 2}),
    DefButton(91, "define", {5, 0}),
    Button(52, "undefine", {5, 1}),
};

constexpr ControlTemplate kWeb[] = {
    Label(4, "seed", {0, 0}),
    Radio(251, "constant", {1, 0}),
    Edit(211, {1, 1}),
    Radio(252, "parameter", {2, 0}),
    Combo(295, {2, 1}),
    Label(6, "steps", {3, 0}),
    Edit(212, {3, 1}),
    Check(272, "initial segment", {4, 0, 2}),
    Check(271, "arrows           size (pixels)", {5, 0}),
    Edit(213, {5, 1}),
    Button(212, "color", {6, 0}),
    DefButton(91, "define", {7, 0}),
    Button(52, "undefine", {7, 1}),
};

constexpr ControlTemplate kTraceTraj[] = {
    Combo(295, {0, 0, 3}),
    List(294, {1, 0, 3}),
    Label(231, "t =", {2, 0}),
    Edit(211, {2, 1, 2}),
    Slider(297, {3, 0, 3}),
    Label(232, "", {4, 0, 3}),
    Check(273, "thick vectors", {5, 0}),
    Check(274, "vector length", {5, 1}),
    Edit(212, {5, 2}),
    Button(712, "point", {6, 0}),
    Button(717, "vector", {6, 1}),
    Button(711, "line", {6, 2}),
    Button(2, "close", {7, 2}),
};

constexpr ControlTemplate kCalib[] = {
    Label("small steps", {0, 0}),
    Edit(211, {0, 1}),
    Label("medium steps", {1, 0}),
    Edit(212, {1, 1}),
    OkButton(2, 0),
    CancelButton(2, 1),
};

// Captions set at run time are given a plain default here.
// clang-format on

constexpr DialogTemplate kDialogs[] = {
    {"INVENT", "inventory", kInvent},
    {"PARAMS", "parameters", kParams},
    {"SPARAM", "parameter", kSParam},
    {"TPARAM", "parameter @", kTParam},
    {"TRACE", "trace", kTrace},
    {"TRACE3", "trace", kTrace3},
    {"ARCLEN", "length of curve", kArcLen},
    {"FAM", "family of examples", kFam},
    {"WEB", "web diagram", kWeb},
    {"TRACETRAJ", "trace trajectory", kTraceTraj},
    {"CALIB", "scrollbar clicks", kCalib},
};

}  // namespace

std::span<const DialogTemplate> ExampleDialogs() {
    return kDialogs;
}

}  // namespace quorlin::resources::detail
