#include "engine/Random.h"

namespace rv {
namespace detail {
std::uint32_t g_random_state = 0;
}

void SeedRandom(std::uint32_t seed) { detail::g_random_state = seed; }
std::uint32_t RandomState() { return detail::g_random_state; }

}  // namespace rv
