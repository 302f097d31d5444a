#pragma once
// Compile-time joining of constant tables, so that blocks shared by several menus or dialog
// templates are written once.
#include <algorithm>
#include <array>
#include <cstddef>

namespace quorlin::resources::build {

template <typename T, std::size_t... N>
constexpr std::array<T, (N + ...)> Join(const std::array<T, N>&... parts) {
    std::array<T, (N + ...)> joined{};
    std::size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), joined.begin() + at), at += N), ...);
    return joined;
}

}  // namespace quorlin::resources::build
