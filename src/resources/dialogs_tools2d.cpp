// Dialog templates of the 2d analysis tools.
#include "resources/control_builders.h"
#include "resources/dialog_tables.h"

namespace quorlin::resources::detail {

std::span<const platform::DialogTemplate> Tools2dDialogs() {
    return {};
}

}  // namespace quorlin::resources::detail
