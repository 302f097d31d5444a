#pragma once
// The program's resources as data: the string table, dialog templates, menus, accelerator
// tables and help texts. Everything here is constant and looked up by id or name.
#include <QString>
#include <string_view>

#include "platform/templates.h"

namespace quorlin::resources {

// String id of the string table; an empty string when the id has no entry.
QString LoadString(int id);

const platform::DialogTemplate* FindDialog(std::string_view name);
const platform::MenuTemplate* FindMenu(std::string_view name);
const platform::AcceleratorTable* FindAccelerators(std::string_view name);

// The help text of one menu, by its resource name; empty when there is none.
QString HelpText(std::string_view name);

}  // namespace quorlin::resources
