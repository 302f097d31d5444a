// Menu bars and accelerator tables of the main frame and every window kind.
#include "resources/menu_tables.h"

namespace quorlin::resources::detail {

std::span<const platform::MenuTemplate> Menus() {
    return {};
}
std::span<const platform::AcceleratorTable> AcceleratorTables() {
    return {};
}

}  // namespace quorlin::resources::detail
