#pragma once
// Rows shared by the example-editing templates. The editing dialog finds its controls by id:
// formula edits 211-214 and 218, numbers 215-236, check boxes 271-282, radio buttons 251-262,
// and the labels 281-284 that it renames; every template ends with the pen width and the colour,
// help, ok and cancel buttons.
#include <string_view>

#include "resources/control_builders.h"

namespace quorlin::resources::build {

// A formula: its label and an edit across the rest of the row.
constexpr Block<2> Formula(std::string_view label, int editId, int labelId = kNoId) {
    return MakeBlock(Label(labelId, label, {0, 0}), Edit(editId, {0, 1, 3}));
}

// Two numbers side by side, each after its label.
constexpr Block<4> Pair(std::string_view first, int firstId, std::string_view second,
                        int secondId) {
    return MakeBlock(Label(first, {0, 0}), Edit(firstId, {0, 1}), Label(second, {0, 2}),
                     Edit(secondId, {0, 3}));
}

// A parameter range "v min" .. "v max" in the first (221, 223) or second (222, 224) range edits.
constexpr Block<4> Range(std::string_view minLabel, std::string_view maxLabel,
                         bool second = false) {
    return Pair(minLabel, second ? 222 : 221, maxLabel, second ? 224 : 223);
}

constexpr Block<2> Number(std::string_view label, int editId) {
    return MakeBlock(Label(label, {0, 0}), Edit(editId, {0, 1}));
}

inline constexpr auto kPlotDensity = Number("plot density", 215);

// The marks at the two ends of a curve: none, a circle or an arrow, with size and fill.
inline constexpr auto kEndMarks = MakeBlock(
    Label(281, "low end", {0, 0}), Radio(251, "no mark", {0, 1}), Radio(252, "circle", {0, 2}),
    Radio(253, "arrow", {0, 3}), Label(282, "size", {1, 0}), Edit(216, {1, 1}),
    Check(273, "solid", {1, 2}), Label(283, "high end", {2, 0}), Radio(254, "no mark", {2, 1}),
    Radio(255, "circle", {2, 2}), Radio(256, "arrow", {2, 3}), Label(284, "size", {3, 0}),
    Edit(217, {3, 1}), Check(274, "solid", {3, 2}));

// Shading, colours and drawing options of the mesh surfaces.
inline constexpr auto kMeshOptions = MakeBlock(
    Check(273, "shade", {0, 0}), Button(206, "col 1", {0, 1}), Button(207, "col 2", {0, 2}),
    Check(274, "fast draw", {1, 0}), Check(275, "spectrum", {1, 1}), Check(276, "grid", {1, 2}),
    Button(210, "color", {1, 3}));

// The grid counts of a mesh surface.
inline constexpr auto kMeshCounts =
    Join(Pair("divisions", 216, "divisions", 217), AtRow(1, Pair("lines", 219, "lines", 220)));

inline constexpr auto kEditorButtons = MakeBlock(
    Button(208, "color", {0, 0}), Button(354, "help", {0, 1}), OkButton(0, 2), CancelButton(0, 3));

// The last two rows of most editors: pen width, then the buttons.
inline constexpr auto kPenAndButtons = Join(Number("pen width", 227), AtRow(1, kEditorButtons));

}  // namespace quorlin::resources::build
