#include "examples/levels/solid_windows.h"

namespace quorlin::examples {

namespace {

SolidWindowMaker& Maker() {
    static SolidWindowMaker maker;
    return maker;
}

}  // namespace

void SetSolidWindowMaker(SolidWindowMaker maker) {
    Maker() = std::move(maker);
}

const SolidWindowMaker& GetSolidWindowMaker() {
    return Maker();
}

}  // namespace quorlin::examples
