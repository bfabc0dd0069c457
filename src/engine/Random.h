// The program's one pseudo-random generator: a linear congruential generator
// giving 0..32767. Every user draws from this single state in a fixed order, so
// a run started from a known seed is reproducible.
#pragma once

#include <cstdint>

namespace rv {

void SeedRandom(std::uint32_t seed);
std::uint32_t RandomState();

// Next draw, 0..32767.
inline int Random();

namespace detail {
extern std::uint32_t g_random_state;
}

inline int Random() {
  detail::g_random_state = detail::g_random_state * 22695477u + 1u;
  return static_cast<int>((detail::g_random_state >> 16) & 32767u);
}

}  // namespace rv
