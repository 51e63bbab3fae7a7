// ns per state of the SI state API: each call forms the whole state with all
// its properties (transport included), over 1024 varied states of a region:
// (p, T) and the flashes. bench/python_bench.py draws its states from the
// same ranges.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "states.hpp"
#include "water_states.hpp"
#include "water/state.hpp"

namespace {

namespace water = kviapws97::water;

// The inputs of (p, T) and of a flash, in SI units, taken from states of
// (p, T) or (T, x).
struct inputs {
  double p, T, h, s;
};
using input_array = std::array<inputs, kvbench::state_count>;

// The inputs of the states of kvbench::water_states_of.
input_array states_of(int region, double p_lo, double p_hi, double T_lo, double T_hi) {
  const kvbench::water_states states = kvbench::water_states_of(region, p_lo, p_hi, T_lo, T_hi);
  input_array out{};
  for (std::size_t k = 0; k < out.size(); ++k) out[k] = {states[k].p, states[k].T, states[k].h, states[k].s};
  return out;
}

const input_array region1 = states_of(1, 0.1, 100.0, 280.0, 620.0);
const input_array region2 = states_of(2, 0.001, 100.0, 300.0, 1070.0);
const input_array region3 = states_of(3, 20.0, 100.0, 630.0, 860.0);
const input_array region5 = states_of(5, 0.001, 50.0, 1080.0, 2270.0);
const input_array two_phase = states_of(4, 0.0, 0.0, 280.0, 620.0);

enum class flash { ph, ps, hs };

void run(benchmark::State& st, const input_array& at, flash f) {
  kvbench::cycle(st, [&](std::size_t k) {
    const inputs& in = at[k];
    const water::result r = f == flash::ph ? water::ph(in.p, in.h) : f == flash::ps ? water::ps(in.p, in.s)
                                                                                  : water::hs(in.h, in.s);
    return r.state.T;
  });
}

void run_pT(benchmark::State& st, const input_array& at) {
  kvbench::cycle(st, [&](std::size_t k) { return water::pT(at[k].p, at[k].T).state.h; });
}

BENCHMARK_CAPTURE(run_pT, pT_region1, region1);
BENCHMARK_CAPTURE(run_pT, pT_region2, region2);
BENCHMARK_CAPTURE(run_pT, pT_region3, region3);
BENCHMARK_CAPTURE(run_pT, pT_region5, region5);
BENCHMARK_CAPTURE(run, ph_region1, region1, flash::ph);
BENCHMARK_CAPTURE(run, ph_region2, region2, flash::ph);
BENCHMARK_CAPTURE(run, ph_region3, region3, flash::ph);
BENCHMARK_CAPTURE(run, ph_region5, region5, flash::ph);
BENCHMARK_CAPTURE(run, ph_two_phase, two_phase, flash::ph);
BENCHMARK_CAPTURE(run, ps_region1, region1, flash::ps);
BENCHMARK_CAPTURE(run, ps_region2, region2, flash::ps);
BENCHMARK_CAPTURE(run, ps_region3, region3, flash::ps);
BENCHMARK_CAPTURE(run, ps_region5, region5, flash::ps);
BENCHMARK_CAPTURE(run, ps_two_phase, two_phase, flash::ps);
BENCHMARK_CAPTURE(run, hs_region1, region1, flash::hs);
BENCHMARK_CAPTURE(run, hs_region2, region2, flash::hs);
BENCHMARK_CAPTURE(run, hs_region3, region3, flash::hs);
BENCHMARK_CAPTURE(run, hs_region5, region5, flash::hs);
BENCHMARK_CAPTURE(run, hs_two_phase, two_phase, flash::hs);

}  // namespace

BENCHMARK_MAIN();
