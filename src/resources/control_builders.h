#pragma once
// Short constructors for the controls of the dialog tables, so that each table reads as one line
// per control: kind, id, text and grid cell. A cell is {row, column, column span}.
#include <array>
#include <cstddef>
#include <string_view>

#include "resources/join.h"
#include "resources/templates.h"

namespace quorlin::resources::build {

using resources::ControlKind;
using resources::ControlTemplate;

struct Cell {
    int row;
    int column = 0;
    int span = 1;
};

// Controls that the code never addresses carry this id.
inline constexpr int kNoId = -1;

constexpr ControlTemplate Control(ControlKind kind, int id, std::string_view text, Cell cell) {
    return {kind, id, text, cell.row, cell.column, cell.span, 0};
}

constexpr ControlTemplate Label(int id, std::string_view text, Cell cell) {
    return Control(ControlKind::Static, id, text, cell);
}
constexpr ControlTemplate Label(std::string_view text, Cell cell) {
    return Label(kNoId, text, cell);
}
// A label whose text comes from the string table.
constexpr ControlTemplate LabelFromTable(int id, int textId, Cell cell) {
    return {ControlKind::Static, id, {}, cell.row, cell.column, cell.span, textId};
}
constexpr ControlTemplate Edit(int id, Cell cell) {
    return Control(ControlKind::Edit, id, {}, cell);
}
constexpr ControlTemplate MultiEdit(int id, Cell cell) {
    return Control(ControlKind::MultiEdit, id, {}, cell);
}
constexpr ControlTemplate Check(int id, std::string_view text, Cell cell) {
    return Control(ControlKind::CheckBox, id, text, cell);
}
constexpr ControlTemplate Radio(int id, std::string_view text, Cell cell) {
    return Control(ControlKind::Radio, id, text, cell);
}
constexpr ControlTemplate Button(int id, std::string_view text, Cell cell) {
    return Control(ControlKind::Button, id, text, cell);
}
constexpr ControlTemplate DefButton(int id, std::string_view text, Cell cell) {
    return Control(ControlKind::DefButton, id, text, cell);
}
constexpr ControlTemplate List(int id, Cell cell) {
    return Control(ControlKind::ListBox, id, {}, cell);
}
// A list box in which several lines can be selected at once.
constexpr ControlTemplate MultiList(int id, Cell cell) {
    ControlTemplate control = Control(ControlKind::ListBox, id, {}, cell);
    control.multiple = true;
    return control;
}
constexpr ControlTemplate Combo(int id, Cell cell) {
    return Control(ControlKind::ComboBox, id, {}, cell);
}
constexpr ControlTemplate Slider(int id, Cell cell) {
    return Control(ControlKind::ScrollBar, id, {}, cell);
}
constexpr ControlTemplate Group(int id, std::string_view text, Cell cell) {
    return Control(ControlKind::GroupBox, id, text, cell);
}

// A control that the template keeps hidden until the dialog's code shows it.
constexpr ControlTemplate Hidden(ControlTemplate control) {
    control.hidden = true;
    return control;
}

// The usual closing row: "ok" (1, default) and "cancel" (2).
constexpr ControlTemplate OkButton(int row, int column = 0) {
    return DefButton(1, "ok", {row, column});
}
constexpr ControlTemplate CancelButton(int row, int column = 1) {
    return Button(2, "cancel", {row, column});
}

// A block of controls laid out from row 0, used by several templates.
template <std::size_t N>
using Block = std::array<ControlTemplate, N>;

template <typename... C>
constexpr Block<sizeof...(C)> MakeBlock(C... controls) {
    return {controls...};
}

// The block moved down to start at the given row.
template <std::size_t N>
constexpr Block<N> AtRow(int row, Block<N> block) {
    for (auto& control : block) control.row += row;
    return block;
}

}  // namespace quorlin::resources::build
