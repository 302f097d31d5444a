#pragma once
// The menu bars and accelerator tables, defined in menus.cpp.
#include <span>

#include "platform/templates.h"

namespace quorlin::resources::detail {

std::span<const platform::MenuTemplate> Menus();
std::span<const platform::AcceleratorTable> AcceleratorTables();

}  // namespace quorlin::resources::detail
