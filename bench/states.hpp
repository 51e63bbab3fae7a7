// Arrays of varied states for the benchmarks: each benchmark cycles through
// them so that no call sees the same arguments twice in a row.
#pragma once

#include <array>
#include <cstddef>
#include <random>

namespace kvbench {

inline constexpr std::size_t state_count = 1024;  // a power of two: the index wraps with a mask

struct state {
  double a;  // first argument (p in MPa, or T in K for the (T, v) operations)
  double b;  // second argument
};

// state_count states uniformly spread over [a_lo, a_hi] x [b_lo, b_hi].
inline std::array<state, state_count> uniform_states(double a_lo, double a_hi, double b_lo, double b_hi,
                                                     unsigned seed = 97) {
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> a(a_lo, a_hi), b(b_lo, b_hi);
  std::array<state, state_count> out{};
  for (state& s : out) s = {a(rng), b(rng)};
  return out;
}

}  // namespace kvbench
