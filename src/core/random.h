#pragma once
// The program's one random generator, seeded once at start-up, behind a seam that tests fix.
//
// RandomInt() draws like the C library's rand(): a number in [0, kRandomMax]. Tests replace the
// source with SetRandomSource to get a known sequence.
#include <cstdint>
#include <functional>

namespace quorlin {

inline constexpr int kRandomMax = 0x7fffffff;

// Seeds the generator (start-up passes the time).
void SeedRandom(std::uint64_t seed);

// The next number in [0, kRandomMax].
int RandomInt();

// Replaces the generator; an empty function restores the seeded one.
void SetRandomSource(std::function<int()> source);

}  // namespace quorlin
