// ns per call of the equation-of-state entry KVIAPWS_ES15D (all five
// quantities) and of the region finder KVIAPWS_FDREGION over 1024 varied
// states with no warning raised.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "adapter/kviapws97.h"
#include "host/host.h"
#include "host/standin/standin_host.hpp"
#include "if97/if97.h"
#include "states.hpp"

namespace {

// Liquid of region 1: 280 to 620 K at 20 to 100 MPa (below the upper bound).
const auto liquid = kvbench::uniform_states(20.0, 99.0, 280.0, 620.0);
// Vapour of region 2: 400 to 1000 K at 1 to 200 kPa, below every vapour pressure there.
const auto vapour = kvbench::uniform_states(1e-3, 0.2, 400.0, 1000.0);
// Compressed liquid of region 3: 625 to 645 K at 25 to 99 MPa.
const auto dense = kvbench::uniform_states(25.0, 99.0, 625.0, 645.0);

// Vapour of region 3: 624 to 647.09 K, between the B23 pressure and the
// vapour pressure, where the isotherm nears the critical point's loop.
kvbench::states vapour_near_saturation() {
  auto s = kvbench::uniform_states(0.0, 1.0, 624.0, 647.09);
  for (kvbench::state& x : s) x.a = IF97_PB23(&x.b) + x.a * (IF97_PSAT(&x.b) - IF97_PB23(&x.b));
  return s;
}
const auto dense_vapour = vapour_near_saturation();

void quiet() {
  standin::reset();
  standin::set_echo(false);
  SYS_MSGCTL[56] = 0;
}

void es15d_all(benchmark::State& st, const std::array<kvbench::state, kvbench::state_count>* states,
               std::int64_t phase) {
  quiet();
  const std::int64_t saturation = 0, fugacity_mode = 1, want = 1;
  int component = 0;
  std::size_t k = 0;
  for (auto _ : st) {
    const double T = (*states)[k].b;
    const double P = (*states)[k].a * 1e6;
    double lnphi, H, S, G, V;
    std::int64_t error;
    KVIAPWS_ES15D(&T, &P, &component, &phase, &saturation, &fugacity_mode, &want, &want, &want, &want, &want, &lnphi,
                  &H, &S, &G, &V, &error);
    benchmark::DoNotOptimize(lnphi);
    benchmark::DoNotOptimize(H);
    benchmark::DoNotOptimize(S);
    benchmark::DoNotOptimize(G);
    benchmark::DoNotOptimize(V);
    k = (k + 1) & (kvbench::state_count - 1);
  }
  if (!standin::msgchk_calls().empty()) st.SkipWithError("a warning was raised");
}

BENCHMARK_CAPTURE(es15d_all, liquid_region1, &liquid, 2);
BENCHMARK_CAPTURE(es15d_all, vapour_region2, &vapour, 1);
BENCHMARK_CAPTURE(es15d_all, liquid_region3_root_search, &dense, 2);
BENCHMARK_CAPTURE(es15d_all, vapour_region3_root_search, &dense_vapour, 1);

void fdregion_region1(benchmark::State& st) {
  quiet();
  const std::int64_t phase = 2;
  int component = 0;
  std::size_t k = 0;
  for (auto _ : st) {
    const double T = liquid[k].b;
    const double P = liquid[k].a * 1e6;
    std::int64_t region, error;
    double T_used, P_used, V;
    KVIAPWS_FDREGION(&T, &P, &phase, &component, &region, &T_used, &P_used, &V, &error);
    benchmark::DoNotOptimize(region);
    benchmark::DoNotOptimize(V);
    k = (k + 1) & (kvbench::state_count - 1);
  }
}

BENCHMARK(fdregion_region1);

}  // namespace

BENCHMARK_MAIN();
