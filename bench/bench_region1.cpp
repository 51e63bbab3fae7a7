// ns per call of the region-1 operations and of the dispatcher over 1024
// varied liquid states.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "adapter/kviapws97.h"
#include "if97/if97.h"
#include "states.hpp"

namespace {

using operation = double (*)(const double*, const double*);

// Liquid states of region 1: 280 to 620 K at 20 to 100 MPa, above every
// saturation pressure of that range.
const auto liquid = kvbench::uniform_states(20.0, 100.0, 280.0, 620.0);

void region1(benchmark::State& st, operation op) {
  std::size_t k = 0;
  for (auto _ : st) {
    const kvbench::state& s = liquid[k];
    benchmark::DoNotOptimize(op(&s.a, &s.b));
    k = (k + 1) & (kvbench::state_count - 1);
  }
}

BENCHMARK_CAPTURE(region1, IF97_V1, IF97_V1);
BENCHMARK_CAPTURE(region1, IF97_H1, IF97_H1);
BENCHMARK_CAPTURE(region1, IF97_S1, IF97_S1);
BENCHMARK_CAPTURE(region1, IF97_U1, IF97_U1);
BENCHMARK_CAPTURE(region1, IF97_CP1, IF97_CP1);
BENCHMARK_CAPTURE(region1, IF97_CV1, IF97_CV1);
BENCHMARK_CAPTURE(region1, IF97_W1, IF97_W1);
BENCHMARK_CAPTURE(region1, IF97_FUG1, IF97_FUG1);
BENCHMARK_CAPTURE(region1, IF97_DVDP1, IF97_DVDP1);

// The dispatcher in host units, reference shift through the stand-in host's
// ideal-gas routines included.
void dispatcher_enthalpy_region1(benchmark::State& st) {
  const std::int32_t code = KVIAPWS97_ENTHALPY;
  const std::int64_t phase = 2, region = 1;
  const double V = 0.0;
  std::size_t k = 0;
  for (auto _ : st) {
    const double T = liquid[k].b;
    const double P = liquid[k].a * 1e6;
    double result;
    std::int64_t error;
    KVIAPWS_IF97PROP(&T, &P, &V, &code, &phase, &region, nullptr, &result, &error);
    benchmark::DoNotOptimize(result);
    k = (k + 1) & (kvbench::state_count - 1);
  }
}
BENCHMARK(dispatcher_enthalpy_region1);

}  // namespace

BENCHMARK_MAIN();
