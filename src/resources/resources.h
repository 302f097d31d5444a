#pragma once
// The program's resources as data: the string table, dialog templates, menus, accelerator
// tables and help texts. Everything here is constant and looked up by id or name.
//
// Texts are held as UTF-8 and handed out as QString. Command ids shared by menus, accelerators
// and window code are named in resources/command_ids.h.
#include <QString>
#include <span>
#include <string_view>
#include <vector>

#include "resources/templates.h"

namespace quorlin::resources {

// String id of the string table; an empty string when the id has no entry.
QString LoadString(int id);

const resources::DialogTemplate* FindDialog(std::string_view name);
const resources::MenuTemplate* FindMenu(std::string_view name);
const resources::AcceleratorTable* FindAccelerators(std::string_view name);

// The help text of one menu, by its resource name; empty when there is none.
QString HelpText(std::string_view name);

// Control ids of the one-line input dialog "ONEINPUT": the prompt label and the edit field.
inline constexpr int kOneInputPromptId = 201;
inline constexpr int kOneInputEditId = 211;

// Whole tables, for start-up checks and tests.
const std::vector<const resources::DialogTemplate*>& AllDialogs();  // sorted by name
std::span<const resources::MenuTemplate> AllMenus();
std::span<const resources::AcceleratorTable> AllAcceleratorTables();
std::span<const std::string_view> HelpTextNames();

}  // namespace quorlin::resources
