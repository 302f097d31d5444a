// Dialog templates of the initial-value problems: systems dx/dt (IVP10), sequences (IVP12) and
// derx(n, y) equations (IVP20). The dy/dx dialog (IVP11) lives with the 2D tools.
//
// They share the ids the initial-value dialogs read: list 295 of examples, the start values
// 211-213 and 216, step 220, pen width 214, delay 215, the methods 251-253, the directions
// 254-256, list 294 of trajectories, the number of terms or table steps 217, and the buttons
// 91 draw, 742 watch, 208 color, 757 table, 52 delete, 54 del all and 2 close.
#include "resources/control_builders.h"
#include "resources/dialog_tables.h"

namespace quorlin::resources::detail {
namespace {

using namespace build;
using resources::DialogTemplate;

// The tables keep one control per line, in the order the dialog builds them.
// clang-format off

// z is shown by the 3D window only.
constexpr ControlTemplate kIvp10[] = {
    Combo(295, {0, 0, 4}),
    Label("x =", {1, 0}),
    Edit(211, {1, 1}),
    Label("y =", {1, 2}),
    Edit(212, {1, 3}),
    Label(41, "z =", {2, 0}),
    Edit(213, {2, 1}),
    Label("t =", {2, 2}),
    Edit(216, {2, 3}),
    Label("step", {3, 0}),
    Edit(220, {3, 1}),
    Label("pen width", {3, 2}),
    Edit(214, {3, 3}),
    Radio(251, "Euler", {4, 0}),
    Radio(252, "mod Euler", {4, 1}),
    Radio(253, "Runge-Kutta", {4, 2}),
    Label("direction", {5, 0}),
    Radio(254, "fwd", {5, 1}),
    Radio(255, "bkw", {5, 2}),
    Radio(256, "both", {5, 3}),
    DefButton(91, "draw", {6, 0}),
    Button(742, "watch", {6, 1}),
    Label("delay", {6, 2}),
    Edit(215, {6, 3}),
    List(294, {7, 0, 4}),
    Button(208, "color", {8, 0}),
    Button(757, "table", {8, 1}),
    Label("steps", {8, 2}),
    Edit(217, {8, 3}),
    Button(52, "delete", {9, 0}),
    Button(54, "del all", {9, 1}),
    Button(2, "close", {9, 3}),
};

constexpr ControlTemplate kIvp12[] = {
    Combo(295, {0, 0, 4}),
    Label("x0 =", {1, 0}),
    Edit(211, {1, 1}),
    Label("y0 =", {1, 2}),
    Edit(212, {1, 3}),
    Label(41, "z0 =", {2, 0}),
    Edit(213, {2, 1}),
    Label("terms", {2, 2}),
    Edit(217, {2, 3}),
    Label("pen width", {3, 0}),
    Edit(214, {3, 1}),
    Label("delay", {3, 2}),
    Edit(215, {3, 3}),
    DefButton(91, "draw", {4, 0}),
    Button(742, "watch", {4, 1}),
    List(294, {5, 0, 4}),
    Button(208, "color", {6, 0}),
    Button(757, "table", {6, 1}),
    Button(52, "delete", {7, 0}),
    Button(54, "del all", {7, 1}),
    Button(2, "close", {7, 3}),
};

constexpr ControlTemplate kIvp20[] = {
    Combo(295, {0, 0, 4}),
    Label("x0 =", {1, 0}),
    Edit(211, {1, 1}),
    Label("step", {1, 2}),
    Edit(220, {1, 3}),
    Label("y, y', ... =", {2, 0}),
    Edit(212, {2, 1, 3}),
    Label("pen width", {3, 0}),
    Edit(214, {3, 1}),
    Radio(251, "Euler", {4, 0}),
    Radio(252, "mod Euler", {4, 1}),
    Radio(253, "Runge-Kutta", {4, 2}),
    DefButton(91, "draw", {5, 0}),
    Button(742, "watch", {5, 1}),
    Label("delay", {5, 2}),
    Edit(215, {5, 3}),
    List(294, {6, 0, 4}),
    Button(208, "color", {7, 0}),
    Button(757, "table", {7, 1}),
    Label("steps", {7, 2}),
    Edit(217, {7, 3}),
    Button(52, "delete", {8, 0}),
    Button(54, "del all", {8, 1}),
    Button(2, "close", {8, 3}),
};

// clang-format on

constexpr DialogTemplate kDialogs[] = {
    {"IVP10", "initial-value problems", kIvp10},
    {"IVP12", "sequences", kIvp12},
    {"IVP20", "initial-value problems", kIvp20},
};

}  // namespace

std::span<const DialogTemplate> DynamicsDialogs() {
    return kDialogs;
}

}  // namespace quorlin::resources::detail
