// ns per state of the flashes of conservative variables and of the pairs
// along a line (water/state.hpp): each call forms the whole state (transport
// included), over 1024 varied states of a region, drawn as bench_state.cpp
// draws them.
#include <benchmark/benchmark.h>

#include <cstddef>

#include "water_states.hpp"
#include "states.hpp"
#include "water/state.hpp"

namespace {

namespace water = kviapws97::water;

using state_array = kvbench::water_states;
constexpr auto states_of = kvbench::water_states_of;

const state_array region1 = states_of(1, 0.1, 100.0, 280.0, 620.0);
const state_array region2 = states_of(2, 0.001, 100.0, 300.0, 1070.0);
const state_array region3 = states_of(3, 20.0, 100.0, 630.0, 860.0);
const state_array region5 = states_of(5, 0.001, 50.0, 1080.0, 2270.0);
const state_array two_phase = states_of(4, 0.0, 0.0, 280.0, 620.0);

enum class pair { rhou, rhoh, rhos, pu, prho, Th, Ts, hx, sx };

void run(benchmark::State& st, const state_array& at, pair f) {
  kvbench::cycle(st, [&](std::size_t k) {
    const water::state& s = at[k];
    switch (f) {
      case pair::rhou: return water::rhou(s.rho, s.u).state.T;
      case pair::rhoh: return water::rhoh(s.rho, s.h).state.T;
      case pair::rhos: return water::rhos(s.rho, s.s).state.T;
      case pair::pu: return water::pu(s.p, s.u).state.T;
      case pair::prho: return water::prho(s.p, s.rho).state.T;
      case pair::Th: return water::Th(s.T, s.h).state.p;
      case pair::Ts: return water::Ts(s.T, s.s).state.p;
      case pair::hx: return water::hx(s.h, s.x).state.T;
      default: return water::sx(s.s, s.x).state.T;
    }
  });
}

#define KV_PAIR(f)                                                       \
  BENCHMARK_CAPTURE(run, f##_region1, region1, pair::f);                 \
  BENCHMARK_CAPTURE(run, f##_region2, region2, pair::f);                 \
  BENCHMARK_CAPTURE(run, f##_region3, region3, pair::f);                 \
  BENCHMARK_CAPTURE(run, f##_region5, region5, pair::f);                 \
  BENCHMARK_CAPTURE(run, f##_two_phase, two_phase, pair::f)

KV_PAIR(rhou);
KV_PAIR(rhoh);
KV_PAIR(rhos);
KV_PAIR(pu);
KV_PAIR(prho);
KV_PAIR(Th);
KV_PAIR(Ts);
BENCHMARK_CAPTURE(run, hx_two_phase, two_phase, pair::hx);
BENCHMARK_CAPTURE(run, sx_two_phase, two_phase, pair::sx);

}  // namespace

BENCHMARK_MAIN();
