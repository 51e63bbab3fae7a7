// ns per call of the region-3 operations, of the backward volume v(p,T) and
// of the dispatcher over 1024 varied states of region 3.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>

#include "adapter/kviapws97.h"
#include "if97/if97.h"
#include "states.hpp"

namespace {

using tv_operation = double (*)(const double*, const double*);

// States (p, T) spread uniformly over region 3: 623.15 K <= T, p at or above
// the B23 line and at most 100 MPa, within [p_lo, p_hi] x [T_lo, T_hi].
std::array<kvbench::state, kvbench::state_count> region3_states(double p_lo, double p_hi, double T_lo, double T_hi) {
  std::mt19937_64 rng(97);
  std::uniform_real_distribution<double> p(p_lo, p_hi), T(T_lo, T_hi);
  std::array<kvbench::state, kvbench::state_count> out{};
  for (kvbench::state& s : out) {
    do {
      s = {p(rng), T(rng)};
    } while (s.a < IF97_PB23(&s.b));
  }
  return out;
}

// The same states as (T, v), v from the backward equations.
std::array<kvbench::state, kvbench::state_count> as_T_v(const std::array<kvbench::state, kvbench::state_count>& pT) {
  std::array<kvbench::state, kvbench::state_count> out{};
  for (std::size_t k = 0; k < pT.size(); ++k) out[k] = {pT[k].b, IF97_V3PT(&pT[k].a, &pT[k].b)};
  return out;
}

const auto region3_pT = region3_states(16.53, 100.0, 623.15, 863.15);
const auto region3_Tv = as_T_v(region3_pT);
// Near the critical point, where the auxiliary equations 3u to 3z and the
// saturation temperature come in.
const auto near_critical_pT = region3_states(21.0, 23.0, 640.0, 655.0);

void region3(benchmark::State& st, tv_operation op) { kvbench::over(st, region3_Tv, op); }

BENCHMARK_CAPTURE(region3, IF97_P3, IF97_P3);
BENCHMARK_CAPTURE(region3, IF97_H3, IF97_H3);
BENCHMARK_CAPTURE(region3, IF97_S3, IF97_S3);
BENCHMARK_CAPTURE(region3, IF97_U3, IF97_U3);
BENCHMARK_CAPTURE(region3, IF97_CP3, IF97_CP3);
BENCHMARK_CAPTURE(region3, IF97_CV3, IF97_CV3);
BENCHMARK_CAPTURE(region3, IF97_W3, IF97_W3);
BENCHMARK_CAPTURE(region3, IF97_DPDV3, IF97_DPDV3);

void region3_fugacity(benchmark::State& st) {
  kvbench::cycle(st, [](std::size_t k) { return IF97_FUG3(&region3_pT[k].a, &region3_Tv[k].a, &region3_Tv[k].b); });
}
BENCHMARK(region3_fugacity)->Name("region3/IF97_FUG3");

void backward(benchmark::State& st, tv_operation op, const kvbench::states* states) { kvbench::over(st, *states, op); }

BENCHMARK_CAPTURE(backward, IF97_V3PT, IF97_V3PT, &region3_pT);
BENCHMARK_CAPTURE(backward, IF97_V3PT near critical, IF97_V3PT, &near_critical_pT);
BENCHMARK_CAPTURE(backward, IF97_V3PT_LIQ near critical, IF97_V3PT_LIQ, &near_critical_pT);
BENCHMARK_CAPTURE(backward, IF97_V3PT_VAP near critical, IF97_V3PT_VAP, &near_critical_pT);

// The dispatcher in host units: enthalpy with the reference shift through the
// stand-in host, and the pressure from the molar volume.
void dispatcher_region3(benchmark::State& st, std::int32_t code) {
  kvbench::dispatcher(st, code, 0, 3, [](std::size_t k, double& T, double& P, double& V) {
    T = region3_Tv[k].a;
    P = region3_pT[k].a * 1e6;
    V = region3_Tv[k].b * KVIAPWS97_MOLAR_MASS;
  });
}
BENCHMARK_CAPTURE(dispatcher_region3, enthalpy, KVIAPWS97_ENTHALPY);
BENCHMARK_CAPTURE(dispatcher_region3, pressure, KVIAPWS97_PRESSURE);

}  // namespace

BENCHMARK_MAIN();
