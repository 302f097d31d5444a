#include "core/random.h"

#include <random>

namespace quorlin {

namespace {

std::mt19937& Engine() {
    static std::mt19937 engine{1u};
    return engine;
}

std::function<int()>& Override() {
    static std::function<int()> source;
    return source;
}

}  // namespace

void SeedRandom(std::uint64_t seed) {
    Engine().seed(static_cast<std::mt19937::result_type>(seed));
}

int RandomInt() {
    if (const auto& source = Override()) return source();
    return static_cast<int>(Engine()() & static_cast<unsigned>(kRandomMax));
}

void SetRandomSource(std::function<int()> source) {
    Override() = std::move(source);
}

}  // namespace quorlin
