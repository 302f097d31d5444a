#include "examples/inventory.h"

namespace quorlin::examples {

bool TInventory::SetCapacity(int n) {
    if (n < 1 || n < LastIndex()) return false;
    capacity_ = n;
    return true;
}

}  // namespace quorlin::examples
