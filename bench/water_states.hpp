// Whole states of the SI state API for the benchmarks: 1024 states of one
// region drawn at random, the same for every benchmark that asks.
#pragma once

#include <array>
#include <random>

#include "states.hpp"
#include "water/state.hpp"

namespace kvbench {

using water_states = std::array<kviapws97::water::state, state_count>;

// States of (p, T) drawn from [p_lo, p_hi] MPa x [T_lo, T_hi] K that lie in
// `region`; (T, x) states of [T_lo, T_hi] K for region 4.
inline water_states water_states_of(int region, double p_lo, double p_hi, double T_lo, double T_hi) {
  namespace water = kviapws97::water;
  std::mt19937_64 rng(97);
  std::uniform_real_distribution<double> p(p_lo, p_hi), T(T_lo, T_hi), x(0.0, 1.0);
  water_states out{};
  for (water::state& s : out) {
    for (;;) {
      const water::result r = region == 4 ? water::Tx(T(rng), x(rng)) : water::pT(1e6 * p(rng), T(rng));
      if (r && r.state.region == region) {
        s = r.state;
        break;
      }
    }
  }
  return out;
}

// The inputs of a flash in SI units, from the states of water_states_of.
struct flash_inputs {
  double p, T, h, s;
};
using flash_input_array = std::array<flash_inputs, state_count>;

inline flash_input_array flash_inputs_of(int region, double p_lo, double p_hi, double T_lo, double T_hi) {
  const water_states from = water_states_of(region, p_lo, p_hi, T_lo, T_hi);
  flash_input_array out{};
  for (std::size_t k = 0; k < out.size(); ++k) out[k] = {from[k].p, from[k].T, from[k].h, from[k].s};
  return out;
}

}  // namespace kvbench
