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

void region1(benchmark::State& st, operation op) { kvbench::over(st, liquid, op); }

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
  kvbench::dispatcher(st, KVIAPWS97_ENTHALPY, 2, 1, [](std::size_t k, double& T, double& P, double& V) {
    T = liquid[k].b;
    P = liquid[k].a * 1e6;
    V = 0.0;
  });
}
BENCHMARK(dispatcher_enthalpy_region1);

}  // namespace

BENCHMARK_MAIN();
