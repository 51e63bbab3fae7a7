// ns per call of the region-2 and region-5 operations, of the saturation line
// in both directions and of the dispatcher in region 2, each over 1024 varied
// states.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <random>

#include "adapter/kviapws97.h"
#include "if97/if97.h"
#include "states.hpp"

namespace {

using operation = double (*)(const double*, const double*);
using operation1 = double (*)(const double*);

// Vapour states of region 2: T from 300 K to 1073 K, p from 0.001 MPa (below
// every saturation pressure of that range) to the least of 10 MPa, the
// saturation pressure 1 K below T and, above 623.15 K, the boundary B23;
// uniform in ln p.
std::array<kvbench::state, kvbench::state_count> vapour_states() {
  std::mt19937_64 rng(2);
  std::uniform_real_distribution<double> T_of(300.0, 1073.0), u(0.0, 1.0);
  std::array<kvbench::state, kvbench::state_count> out{};
  for (kvbench::state& s : out) {
    const double T = T_of(rng);
    const double t_sat = T - 1.0;
    const double p_max = std::fmin(10.0, T < 623.15 ? IF97_PSAT(&t_sat) : IF97_PB23(&T));
    s = {0.001 * std::pow(p_max / 0.001, u(rng)), T};
  }
  return out;
}

const auto vapour = vapour_states();
// Region 5: 0.01 to 50 MPa at 1073.15 to 2273.15 K.
const auto hot = kvbench::uniform_states(0.01, 50.0, 1073.15, 2273.15, 5);
// The saturation line: T from 273.16 to 647 K; p from 0.000612 to 22 MPa.
const auto sat_T = kvbench::uniform_states(273.16, 647.0, 0.0, 1.0, 41);
const auto sat_p = kvbench::uniform_states(0.000612, 22.0, 0.0, 1.0, 42);

void over1(benchmark::State& st, const kvbench::states& at, operation1 op) {
  kvbench::cycle(st, [&](std::size_t k) { return op(&at[k].a); });
}

void region2(benchmark::State& st, operation op) { kvbench::over(st, vapour, op); }
void region5(benchmark::State& st, operation op) { kvbench::over(st, hot, op); }
void saturation_T(benchmark::State& st, operation1 op) { over1(st, sat_T, op); }
void saturation_p(benchmark::State& st, operation1 op) { over1(st, sat_p, op); }

BENCHMARK_CAPTURE(region2, IF97_V2, IF97_V2);
BENCHMARK_CAPTURE(region2, IF97_H2, IF97_H2);
BENCHMARK_CAPTURE(region2, IF97_S2, IF97_S2);
BENCHMARK_CAPTURE(region2, IF97_U2, IF97_U2);
BENCHMARK_CAPTURE(region2, IF97_CP2, IF97_CP2);
BENCHMARK_CAPTURE(region2, IF97_CV2, IF97_CV2);
BENCHMARK_CAPTURE(region2, IF97_W2, IF97_W2);
BENCHMARK_CAPTURE(region2, IF97_FUG2, IF97_FUG2);
BENCHMARK_CAPTURE(region2, IF97_DVDP2, IF97_DVDP2);

BENCHMARK_CAPTURE(region5, IF97_V5, IF97_V5);
BENCHMARK_CAPTURE(region5, IF97_H5, IF97_H5);
BENCHMARK_CAPTURE(region5, IF97_S5, IF97_S5);
BENCHMARK_CAPTURE(region5, IF97_U5, IF97_U5);
BENCHMARK_CAPTURE(region5, IF97_CP5, IF97_CP5);
BENCHMARK_CAPTURE(region5, IF97_CV5, IF97_CV5);
BENCHMARK_CAPTURE(region5, IF97_W5, IF97_W5);
BENCHMARK_CAPTURE(region5, IF97_FUG5, IF97_FUG5);

BENCHMARK_CAPTURE(saturation_T, IF97_PSAT, IF97_PSAT);
BENCHMARK_CAPTURE(saturation_T, IF97_PSATBAR, IF97_PSATBAR);
BENCHMARK_CAPTURE(saturation_p, IF97_TSAT, IF97_TSAT);
BENCHMARK_CAPTURE(saturation_T, IF97_PB23, IF97_PB23);

// The dispatcher in host units, reference shift through the stand-in host's
// ideal-gas routines included.
void dispatcher_enthalpy_region2(benchmark::State& st) {
  kvbench::dispatcher(st, KVIAPWS97_ENTHALPY, 1, 2, [](std::size_t k, double& T, double& P, double& V) {
    T = vapour[k].b;
    P = vapour[k].a * 1e6;
    V = 0.0;
  });
}
BENCHMARK(dispatcher_enthalpy_region2);

}  // namespace

BENCHMARK_MAIN();
