#pragma once
// The dialog templates of each part of the program, joined by resources.cpp into one index.
#include <span>

#include "resources/templates.h"

namespace quorlin::resources::detail {

// The main frame's dialogs (tips).
std::span<const resources::DialogTemplate> ShellDialogs();
// The user-functions dialog of the formula level.
std::span<const resources::DialogTemplate> FormulaDialogs();
// One-line input, grid, view, export, picture and text dialogs of every graphing window.
std::span<const resources::DialogTemplate> CanvasDialogs();
// Example editing, inventory, sliders, tracing and the combo tool dialogs shared by 2D and 3D.
std::span<const resources::DialogTemplate> ExampleDialogs();
// Example-editing templates EQUA2nn of the 2D kinds.
std::span<const resources::DialogTemplate> ExampleEdit2dDialogs();
// Example-editing templates EQUA3nn of the 3D kinds and EQUA4nn of the maps.
std::span<const resources::DialogTemplate> ExampleEdit3dDialogs();
// The 2D analysis tools.
std::span<const resources::DialogTemplate> Tools2dDialogs();
// The initial-value dialogs of systems, sequences and derx(n, y) equations.
std::span<const resources::DialogTemplate> DynamicsDialogs();
// The 3D windows and their tools.
std::span<const resources::DialogTemplate> Plot3dDialogs();

}  // namespace quorlin::resources::detail
