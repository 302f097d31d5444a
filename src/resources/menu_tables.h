#pragma once
// The menu bars and accelerator tables, defined in menus.cpp.
#include <span>

#include "resources/templates.h"

namespace quorlin::resources::detail {

std::span<const resources::MenuTemplate> Menus();
std::span<const resources::AcceleratorTable> AcceleratorTables();

}  // namespace quorlin::resources::detail
