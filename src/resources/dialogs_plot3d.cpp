// Dialog templates of the 3D windows: observer, axes and box, slicer, double integrals, level
// curves, intersection curves and the point editor shared with the 2D window.
#include <array>

#include "resources/control_builders.h"
#include "resources/dialog_tables.h"

namespace quorlin::resources::detail {
namespace {

using namespace build;
using resources::DialogTemplate;

// The tables keep one control per line, in the order the dialog builds them.
// clang-format off

// The labels switch between x, y, z and rho, theta, phi with the "spherical" box.
constexpr ControlTemplate kSetObs[] = {
    Label(231, "x =", {0, 0}),
    Edit(211, {0, 1}),
    Label(232, "y =", {1, 0}),
    Edit(212, {1, 1}),
    Label(233, "z =", {2, 0}),
    Edit(213, {2, 1}),
    Check(271, "spherical", {3, 0}),
    Check(272, "degrees", {3, 1}),
    DefButton(91, "apply", {4, 0}),
    Button(2, "close", {4, 1}),
};

constexpr ControlTemplate kAxLen[] = {
    Edit(211, {0, 0}),
    Label(31, "< x <", {0, 1}),
    Edit(212, {0, 2}),
    Edit(213, {1, 0}),
    Label(32, "< y <", {1, 1}),
    Edit(214, {1, 2}),
    Edit(215, {2, 0}),
    Label(33, "< z <", {2, 1}),
    Edit(216, {2, 2}),
    DefButton(1, "lock", {3, 0}),
    Button(2, "unlock", {3, 2}),
};

// The three box templates differ only in the text of check box 271.
constexpr std::array<ControlTemplate, 13> BoxControls(std::string_view clipText) {
    return {
        Edit(211, {0, 0}),
        Label("< x <", {0, 1}),
        Edit(212, {0, 2}),
        Edit(213, {1, 0}),
        Label("< y <", {1, 1}),
        Edit(214, {1, 2}),
        Edit(215, {2, 0}),
        Label("< z <", {2, 1}),
        Edit(216, {2, 2}),
        Check(272, "lock position", {3, 0}),
        Check(271, clipText, {3, 2}),
        OkButton(4, 0),
        CancelButton(4, 2),
    };
}

constexpr auto kAutoBoxA = BoxControls("cap extremes");
constexpr auto kAutoBoxB = BoxControls("clip trajectories");
constexpr auto kAutoBoxC = BoxControls("");

constexpr ControlTemplate kMerid[] = {
    Label("radius", {0, 0}),
    Edit(211, {0, 1}),
    Label("longitude", {1, 0}),
    Edit(212, {1, 1}),
    OkButton(2, 0),
    CancelButton(2, 1),
};

constexpr ControlTemplate kRds[] = {
    MultiList(293, {0, 0, 4}),
    Label("density", {1, 0}),
    Edit(211, {1, 1}),
    Label("strips", {1, 2}),
    Edit(212, {1, 3}),
    Label("dot size", {2, 0}),
    Edit(213, {2, 1}),
    Label("depth", {2, 2}),
    Edit(214, {2, 3}),
    DefButton(91, "draw", {3, 0}),
    Button(2, "close", {3, 3}),
};

constexpr ControlTemplate kSurfaceChoice[] = {
    Combo(295, {0, 0, 2}),
    Combo(296, {1, 0, 2}),
    OkButton(2, 0),
    CancelButton(2, 1),
};

constexpr ControlTemplate kSlicer[] = {
    Combo(295, {0, 0, 4}),
    LabelFromTable(231, 86, {1, 0, 2}),
    Edit(211, {1, 2, 2}),
    Slider(293, {2, 0, 4}),
    Button(738, "autorev", {3, 0}),
    Button(740, "autocyc", {3, 1}),
    LabelFromTable(232, 86, {4, 0, 2}),
    Edit(212, {4, 2, 2}),
    Slider(294, {5, 0, 4}),
    Button(838, "autorev", {6, 0}),
    Button(840, "autocyc", {6, 1}),
    Button(767, "tangent plane", {7, 0}),
    Button(768, "tangent lines", {7, 1}),
    Button(2, "close", {7, 3}),
};

// The range labels are set for the kind of integral.
constexpr ControlTemplate kRiem3[] = {
    Combo(295, {0, 0, 4}),
    Label(13, "", {1, 0}),
    Edit(211, {1, 1}),
    Label(4, "", {1, 2}),
    Edit(212, {1, 3}),
    Label("divisions", {2, 0}),
    Edit(213, {2, 1}),
    Label(6, "", {3, 0}),
    Edit(214, {3, 1}),
    Label(9, "", {3, 2}),
    Edit(215, {3, 3}),
    Label("divisions", {4, 0}),
    Edit(216, {4, 1}),
    DefButton(91, "value", {5, 0}),
    Label(231, "", {5, 1, 3}),
    Button(2, "close", {6, 3}),
};

constexpr ControlTemplate kLagPt[] = {
    Label("x =", {0, 0}),
    Edit(211, {0, 1, 2}),
    Label("y =", {1, 0}),
    Edit(212, {1, 1, 2}),
    Button(52, "delete", {2, 0}),
    OkButton(2, 1),
    CancelButton(2, 2),
};

constexpr ControlTemplate kLevels[] = {
    Label(231, "level values for", {0, 0, 2}),
    Edit(212, {0, 2, 2}),
    Radio(251, "x", {1, 0}),
    Radio(252, "y", {1, 1}),
    Radio(253, "z", {1, 2}),
    Label("low", {2, 0}),
    Label("curr", {2, 1}),
    Label("high", {2, 2}),
    Edit(213, {3, 0}),
    Edit(211, {3, 1}),
    Edit(214, {3, 2}),
    Button(843, "prev level", {4, 0}),
    Button(743, "next level", {4, 1}),
    Button(208, "color", {4, 2}),
    Button(353, "search curr", {5, 0}),
    Button(844, "auto", {5, 1}),
    List(294, {6, 0, 4}),
    Button(778, "see curr", {7, 0}),
    Button(779, "see all", {7, 1}),
    Button(52, "del one", {7, 2}),
    Button(54, "del all", {7, 3}),
    DefButton(1, "keep changes", {8, 0, 2}),
    Button(2, "discard changes", {8, 2, 2}),
};

constexpr ControlTemplate kInterC[] = {
    Label(281, "", {0, 0, 4}),
    Label(282, "", {1, 0, 4}),
    Button(353, "search", {2, 0}),
    Button(779, "see", {2, 1}),
    Button(208, "color", {2, 2}),
    List(294, {3, 0, 4}),
    Button(52, "del one", {4, 0}),
    Button(54, "del all", {4, 1}),
    DefButton(1, "keep changes", {5, 0, 2}),
    Button(2, "discard changes", {5, 2, 2}),
};

// clang-format on

constexpr DialogTemplate kDialogs[] = {
    {"SETOBS", "observer coordinates", kSetObs},
    {"AXLEN", "lengths of axes", kAxLen},
    {"AUTOBOXA", "dimensions of box", kAutoBoxA},
    {"AUTOBOXB", "dimensions of box", kAutoBoxB},
    {"AUTOBOXC", "dimensions of box", kAutoBoxC},
    {"SLICER", "slicer", kSlicer},
    {"RIEM3", "integration", kRiem3},
    {"LAGPT", "Lagrange point", kLagPt},
    {"LEVELS", "level curves", kLevels},
    {"INTERC", "intersection curves for", kInterC},
    {"MERID", "meridian", kMerid},
    {"RDS", "RDS inventory", kRds},
    {"EQUA317", "surface intersection", kSurfaceChoice},
};

}  // namespace

std::span<const DialogTemplate> Plot3dDialogs() {
    return kDialogs;
}

}  // namespace quorlin::resources::detail
