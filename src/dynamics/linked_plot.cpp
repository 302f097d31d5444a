#include "dynamics/linked_plot.h"

#include <array>
#include <cmath>

namespace quorlin::dynamics {

namespace {

constexpr int kPairXY = 3, kPairZX = 5, kPairYZ = 6;
constexpr int kPairTX = 9, kPairTY = 10, kPairTZ = 12;

}  // namespace

bool IsLinkedWindow(LinkedKind kind, int index) {
    const int count = kind == LinkedKind::kTime ? kTimeWindowCount : kPhaseWindowCount;
    return index >= 0 && index < count;
}

std::vector<int> LinkedPairs(LinkedKind kind, int index, int dimension) {
    if (!IsLinkedWindow(kind, index)) return {};
    if (kind == LinkedKind::kPhase) {
        constexpr std::array<int, kPhaseWindowCount> kPlanes{kPairXY, kPairZX, kPairYZ};
        return {kPlanes[static_cast<std::size_t>(index)]};
    }
    switch (index) {
        case 0:
            return {kPairTX};
        case 1:
            return {kPairTY};
        case 2:
            if (dimension >= 3) return {kPairTZ};
            return {kPairTX, kPairTY};
        default:
            return {kPairTX, kPairTY, kPairTZ};
    }
}

std::string LinkedName(LinkedKind kind, int index, int dimension) {
    if (!IsLinkedWindow(kind, index)) return {};
    if (kind == LinkedKind::kPhase) {
        constexpr std::array<const char*, kPhaseWindowCount> kNames{"xy", "zx", "yz"};
        return kNames[static_cast<std::size_t>(index)];
    }
    constexpr std::array<const char*, kTimeWindowCount> kNames{"x(t)", "y(t)", "xy(t)", "xyz(t)"};
    if (index == 2 && dimension >= 3) return "z(t)";
    return kNames[static_cast<std::size_t>(index)];
}

std::uint16_t LinkedMaskBit(LinkedKind kind, int index) {
    if (!IsLinkedWindow(kind, index)) return 0;
    const int first = kind == LinkedKind::kTime ? 1 : 128;
    return static_cast<std::uint16_t>(first << index);
}

std::vector<LinkedTrack::Segment> LinkedTrack::Step(const std::vector<std::optional<Vec2>>& points,
                                                    bool draw) {
    if (last_.size() < points.size()) last_.resize(points.size());
    std::vector<Segment> segments;
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (draw && last_[k] && points[k]) segments.push_back({*last_[k], *points[k]});
        last_[k] = points[k];
    }
    return segments;
}

bool PassesLevelFilter(const examples::TTrajectory& trajectory, int levelVariable,
                       long double levelValue, long double tolerance) {
    if (trajectory.option1 != levelVariable) return false;
    return std::fabs(trajectory.StartCoordinate() - levelValue) < tolerance;
}

bool TestPixelsAround(const std::function<std::optional<std::uint32_t>(int x, int y)>& pixel, int x,
                      int y, std::uint32_t background, std::optional<std::uint32_t> colour) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const auto value = pixel(x + dx, y + dy);
            if (!value) continue;
            if (colour ? *value == *colour : *value != background) return true;
        }
    return false;
}

}  // namespace quorlin::dynamics
