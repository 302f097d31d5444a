#include "examples/levels/trajectory_tools.h"

namespace quorlin::examples {

namespace {

TrajectoryToolsMaker& Maker() {
    static TrajectoryToolsMaker maker;
    return maker;
}

}  // namespace

void SetTrajectoryToolsMaker(TrajectoryToolsMaker maker) {
    Maker() = std::move(maker);
}

const TrajectoryToolsMaker& GetTrajectoryToolsMaker() {
    return Maker();
}

}  // namespace quorlin::examples
