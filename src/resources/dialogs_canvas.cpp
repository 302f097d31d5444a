// Dialog templates of the drawing canvas: one-line input, grid and view settings, export
// options, pasted pictures and text overlays.
#include "resources/control_builders.h"
#include "resources/dialog_tables.h"
#include "resources/resources.h"

namespace quorlin::resources::detail {
namespace {

using namespace build;
using resources::DialogTemplate;

// The tables keep one control per line, in the order the dialog builds them.
// clang-format off

// The prompt and caption are set by the caller.
constexpr ControlTemplate kOneInput[] = {
    Label(kOneInputPromptId, "", {0, 0, 2}),
    Edit(kOneInputEditId, {1, 0, 2}),
    OkButton(2, 0),
    CancelButton(2, 1),
};

constexpr ControlTemplate kSetGrid[] = {
    Check(271, "axes", {0, 0}),
    Radio(251, "both", {0, 1}),
    Radio(252, "x", {0, 2}),
    Radio(253, "y", {0, 3}),
    Radio(254, "polar", {0, 4}),
    Check(272, "ticks", {1, 0}),
    Check(273, "arrows", {1, 1}),
    Check(274, "dots", {1, 2}),
    Check(275, "labels", {1, 3}),
    Label(38, "tick length (% of screen)", {2, 0, 3}),
    Edit(211, {2, 3}),
    Label(51, "interval", {3, 1}),
    Label(232, "scale", {3, 2}),
    Label(231, "places", {3, 3}),
    Label(233, "freq", {3, 4}),
    Label(234, "pi", {3, 5}),
    Label(235, "x", {4, 0}),
    Edit(212, {4, 1}),
    Check(276, "", {4, 2}),
    Edit(213, {4, 3}),
    Edit(214, {4, 4}),
    Check(277, "", {4, 5}),
    Label(236, "y", {5, 0}),
    Edit(215, {5, 1}),
    Check(278, "", {5, 2}),
    Edit(216, {5, 3}),
    Edit(217, {5, 4}),
    Check(279, "", {5, 5}),
    Label(8, "mark scale on :", {6, 0, 2}),
    Radio(255, "axes", {6, 2}),
    Radio(256, "border", {6, 3}),
    Label(5, "grid", {7, 0}),
    Check(281, "rectangular", {7, 1}),
    Label(4, "quadrants", {7, 2}),
    Check(282, "I", {7, 3}),
    Check(283, "II", {7, 4}),
    Check(284, "III", {7, 5}),
    Check(285, "IV", {7, 6}),
    Check(280, "polar sectors", {8, 1}),
    Edit(218, {8, 2}),
    Check(286, "dotted", {8, 3}),
    DefButton(91, "apply", {9, 0}),
    Button(2, "close", {9, 1}),
};

// The three view templates carry the same controls; the dialog hides what its kind leaves out.
// The two radio buttons come first so that they form one group.
constexpr ControlTemplate kView[] = {
    Radio(251, "set center", {0, 0, 2}),
    Radio(252, "set corners", {0, 2, 2}),
    Label(7, "hori", {1, 0}),
    Edit(215, {1, 1}),
    Label(9, "vert", {2, 0}),
    Edit(216, {2, 1}),
    Label(8, "width", {3, 0}),
    Edit(217, {3, 1}),
    Label(31, "left", {1, 2}),
    Edit(211, {1, 3}),
    Label(32, "right", {2, 2}),
    Edit(212, {2, 3}),
    Label(33, "down", {3, 2}),
    Edit(213, {3, 3}),
    Label(34, "up", {4, 2}),
    Edit(214, {4, 3}),
    DefButton(1, "apply", {5, 0}),
    Button(2, "close", {5, 1}),
};

constexpr ControlTemplate kPicTeX[] = {
    Label(8, "width (cm)", {0, 0}),
    Edit(211, {0, 1}),
    Label(7, "box number", {1, 0}),
    Edit(212, {1, 1}),
    Radio(251, "TeX standalone", {2, 0}),
    Radio(252, "LaTeX2e standalone", {2, 1}),
    Radio(253, "TeX compilable", {3, 0}),
    Radio(254, "TeX insertable", {3, 1}),
    Label(231, "whitespace radius", {4, 0}),
    Edit(213, {4, 1}),
    Check(271, "pages", {5, 0}),
    Edit(214, {5, 1}),
    Label(232, "parameters", {6, 0}),
    Edit(215, {6, 1}),
    OkButton(7, 0),
    CancelButton(7, 1),
};

constexpr ControlTemplate kSvg[] = {
    Label(8, "width", {0, 0}),
    Edit(211, {0, 1}),
    Label(7, "height", {1, 0}),
    Edit(212, {1, 1}),
    OkButton(2, 0),
    CancelButton(2, 1),
};

constexpr ControlTemplate kMetaDlg[] = {
    Check(271, "image size", {0, 0, 2}),
    Label(231, "width (cm)", {1, 0}),
    Edit(211, {1, 1}),
    Label(232, "height (cm)", {2, 0}),
    Edit(212, {2, 1}),
    Check(272, "anchor", {3, 0, 2}),
    List(299, {4, 0, 4}),
    Check(273, "transparent", {5, 0, 2}),
    Label(103, "", {6, 0, 4}),
    Button(96, "cut", {7, 0}),
    Button(95, "copy", {7, 1}),
    Button(52, "clear", {7, 2}),
    Button(86, "fill", {7, 3}),
    OkButton(8, 0),
    CancelButton(8, 1),
};

constexpr ControlTemplate kNewText[] = {
    Edit(211, {0, 0, 4}),
    Label(35, "tie text to", {1, 0}),
    Radio(251, "frame", {1, 1}),
    Radio(252, "figure", {1, 2}),
    Radio(253, "other", {1, 3}),
    List(299, {2, 0, 4}),
    Check(271, "opaque background", {3, 0, 2}),
    Check(278, "hide when point hides", {3, 2, 2}),
    Check(272, "hyphen --> dash    ASCII", {4, 0, 2}),
    Edit(213, {4, 2}),
    Label(231, "text angle", {5, 0}),
    Edit(214, {5, 1}),
    Label(232, "deg", {5, 2}),
    Button(60, "font", {6, 0}),
    OkButton(6, 2),
    CancelButton(6, 3),
};

constexpr ControlTemplate kNewText1[] = {
    Check(273, "", {0, 0}),
    Edit(211, {0, 1, 2}),
    Label(238, "places", {0, 3}),
    Edit(223, {0, 4}),
    Check(274, "", {1, 0}),
    Edit(220, {1, 1, 2}),
    Label(239, "places", {1, 3}),
    Edit(224, {1, 4}),
    Check(275, "", {2, 0}),
    Edit(221, {2, 1, 2}),
    Label(240, "places", {2, 3}),
    Edit(225, {2, 4}),
    Check(276, "label", {3, 0}),
    Edit(222, {3, 1, 2}),
    Check(277, "expression", {3, 3, 2}),
    Label(35, "tie text to", {4, 0}),
    Radio(251, "frame", {4, 1}),
    Radio(252, "figure", {4, 2}),
    Radio(253, "other", {4, 3}),
    List(299, {5, 0, 5}),
    Check(271, "opaque background", {6, 0, 2}),
    Check(278, "hide when point hides", {6, 2, 3}),
    Check(272, "hyphen --> dash    ASCII", {7, 0, 2}),
    Edit(213, {7, 2}),
    Label(231, "text angle", {8, 0}),
    Edit(214, {8, 1}),
    Label(232, "deg", {8, 2}),
    Button(60, "font", {9, 0}),
    Button(52, "delete", {9, 1}),
    OkButton(9, 3),
    CancelButton(9, 4),
};

// clang-format on

constexpr DialogTemplate kDialogs[] = {
    {"ONEINPUT", "input", kOneInput},   {"SETGRID", "grid", kSetGrid},
    {"VIEWCEN", "center-width", kView}, {"VIEWCOR", "set corners", kView},
    {"VIEWALL", "view", kView},         {"PICTEX", "PiCTeX setup", kPicTeX},
    {"SVG", "SVG setup", kSvg},         {"METADLG", "edit graphic", kMetaDlg},
    {"NEWTEXT", "edit text", kNewText}, {"NEWTEXT1", "evaluated text", kNewText1},
};

}  // namespace

std::span<const DialogTemplate> CanvasDialogs() {
    return kDialogs;
}

}  // namespace quorlin::resources::detail
