// ns per call of the chemistry properties (water/chemistry.hpp) from (T, rho),
// and of Henry's constants from T, over 1024 varied states within each
// release's range: liquid and vapour densities of IF97 states.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <random>

#include "states.hpp"
#include "water/chemistry.hpp"

namespace {

namespace water = kviapws97::water;

// (T, rho) of single-phase IF97 states with T in [T_lo, T_hi] K and p in
// [0.001, 100] MPa.
kvbench::states T_rho_states(double T_lo, double T_hi) {
  std::mt19937_64 rng(97);
  std::uniform_real_distribution<double> T(T_lo, T_hi), log_p(-3.0, 2.0);
  kvbench::states out{};
  for (kvbench::state& s : out) {
    for (;;) {
      const water::result r = water::pT(1e6 * std::pow(10.0, log_p(rng)), T(rng));
      if (r) {
        s = {r.state.T, r.state.rho};
        break;
      }
    }
  }
  return out;
}

const kvbench::states dielectric_states = T_rho_states(273.16, 873.15);
const kvbench::states refractive_states = T_rho_states(273.16, 773.15);
const kvbench::states ionization_states = T_rho_states(273.16, 1273.15);
const kvbench::states henry_states = kvbench::uniform_states(283.15, 473.0, 0.0, 1.0);

void dielectric_constant(benchmark::State& st) {
  kvbench::cycle(st, [](std::size_t k) {
    const kvbench::state& s = dielectric_states[k];
    return water::dielectric_constant(s.a, s.b).value;
  });
}

void refractive_index(benchmark::State& st) {
  kvbench::cycle(st, [](std::size_t k) {
    const kvbench::state& s = refractive_states[k];
    return water::refractive_index(s.a, s.b, 0.2e-6 + 0.9e-6 * (static_cast<double>(k) / kvbench::state_count)).value;
  });
}

void ionization_pK(benchmark::State& st) {
  kvbench::cycle(st, [](std::size_t k) {
    const kvbench::state& s = ionization_states[k];
    return water::ionization_pK(s.a, s.b).value;
  });
}

// kH and KD together, of the 14 gases in turn (every gas's data spans 283.14 K to 473.46 K).
void henry(benchmark::State& st) {
  kvbench::cycle(st, [](std::size_t k) { return water::henry(static_cast<water::gas>(k % 14), henry_states[k].a).kH; });
}

}  // namespace

BENCHMARK(dielectric_constant);
BENCHMARK(refractive_index);
BENCHMARK(ionization_pK);
BENCHMARK(henry);
BENCHMARK_MAIN();
