// ns per call of the transport operations and of the saturated-liquid
// enthalpy over 1024 varied states.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "if97/if97.h"
#include "states.hpp"
#include "transport/transport.h"

namespace {

using kvbench::state;
using kvbench::state_count;

// (T, v): T 273.16 to 1173.15 K, density 1 to 1200 kg/m3 (the range of IAPWS R12-08 Table 4).
std::array<state, state_count> viscosity_states() {
  std::array<state, state_count> out = kvbench::uniform_states(273.16, 1173.15, 1.0, 1200.0);
  for (state& s : out) s.b = 1.0 / s.b;
  return out;
}

// Region 5 (p, T, v): 0.1 to 50 MPa, 1073.15 to 2273.15 K.
struct ptv {
  double p, T, v;
};

std::array<ptv, state_count> region5_states() {
  const auto pT = kvbench::uniform_states(0.1, 50.0, 1073.15, 2273.15);
  std::array<ptv, state_count> out{};
  for (std::size_t k = 0; k < state_count; ++k) out[k] = {pT[k].a, pT[k].b, IF97_V5(&pT[k].a, &pT[k].b)};
  return out;
}

// Region 3 (T, v) near the critical point: 623.15 to 700 K, 150 to 550 kg/m3.
std::array<ptv, state_count> region3_states() {
  const auto Trho = kvbench::uniform_states(623.15, 700.0, 150.0, 550.0);
  std::array<ptv, state_count> out{};
  for (std::size_t k = 0; k < state_count; ++k) {
    const double v = 1.0 / Trho[k].b;
    out[k] = {IF97_P3(&Trho[k].a, &v), Trho[k].a, v};
  }
  return out;
}

const auto visc_states = viscosity_states();
const auto r5_states = region5_states();
const auto r3_states = region3_states();
const auto sat_T = kvbench::uniform_states(273.16, 623.0, 0.0, 1.0);  // saturation temperatures
const auto sigma_T = kvbench::uniform_states(273.16, 647.0, 0.0, 1.0);

void BM_IF97_VISC(benchmark::State& st) { kvbench::over(st, visc_states, IF97_VISC); }

void tcond(benchmark::State& st, const std::array<ptv, state_count>& states, std::int64_t region) {
  kvbench::cycle(st, [&](std::size_t k) {
    const ptv& s = states[k];
    double cp, cv, mu, lambda;
    IF97_TCOND(&s.p, &s.T, &s.v, &region, &cp, &cv, &mu, &lambda);
    return lambda;
  });
}

void BM_IF97_TCOND_region5(benchmark::State& st) { tcond(st, r5_states, 5); }
void BM_IF97_TCOND_region3(benchmark::State& st) { tcond(st, r3_states, 3); }

void BM_IF97_H4_saturated_liquid_given_T(benchmark::State& st) {
  const double p = -1.0, x = 0.0;
  kvbench::cycle(st, [&](std::size_t k) { return IF97_H4(&p, &sat_T[k].a, &x); });
}

void BM_IF97_SIGMA(benchmark::State& st) {
  kvbench::cycle(st, [](std::size_t k) { return IF97_SIGMA(&sigma_T[k].a); });
}

BENCHMARK(BM_IF97_VISC);
BENCHMARK(BM_IF97_TCOND_region5);
BENCHMARK(BM_IF97_TCOND_region3);
BENCHMARK(BM_IF97_H4_saturated_liquid_given_T);
BENCHMARK(BM_IF97_SIGMA);

}  // namespace

BENCHMARK_MAIN();
