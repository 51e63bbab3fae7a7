// Arrays of varied states for the benchmarks: each benchmark cycles through
// them so that no call sees the same arguments twice in a row.
#pragma once

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>

#include "adapter/kviapws97.h"

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

using states = std::array<state, state_count>;

// One call per iteration: call(k) with k cycling through the states.
template <class Call>
void cycle(benchmark::State& st, Call call) {
  std::size_t k = 0;
  for (auto _ : st) {
    benchmark::DoNotOptimize(call(k));
    k = (k + 1) & (state_count - 1);
  }
}

// An operation of two arguments over an array of states.
inline void over(benchmark::State& st, const states& at, double (*op)(const double*, const double*)) {
  cycle(st, [&](std::size_t k) { return op(&at[k].a, &at[k].b); });
}

// The dispatcher's property `code` at temperature T (K), pressure P (Pa) and
// molar volume V (m3/kmol) of each state k.
template <class State>
void dispatcher(benchmark::State& st, std::int32_t code, std::int64_t phase, std::int64_t region, State at) {
  cycle(st, [&](std::size_t k) {
    double T, P, V;
    at(k, T, P, V);
    double result;
    std::int64_t error;
    KVIAPWS_IF97PROP(&T, &P, &V, &code, &phase, &region, nullptr, &result, &error);
    return result;
  });
}

}  // namespace kvbench
