// Dialog templates of the 3d windows and their tools.
#include "resources/control_builders.h"
#include "resources/dialog_tables.h"

namespace quorlin::resources::detail {

std::span<const platform::DialogTemplate> Plot3dDialogs() {
    return {};
}

}  // namespace quorlin::resources::detail
