// ns per state of the SI state API: each call forms the whole state with all
// its properties (transport included), over 1024 varied states of a region:
// (p, T) and the flashes. bench/python_bench.py draws its states from the
// same ranges.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

#include "states.hpp"
#include "water_states.hpp"
#include "water/batch.hpp"
#include "water/state.hpp"

namespace {

namespace water = kviapws97::water;

// The inputs of (p, T) and of a flash, in SI units, taken from states of
// (p, T) or (T, x).
using inputs = kvbench::flash_inputs;
using input_array = kvbench::flash_input_array;
constexpr auto states_of = kvbench::flash_inputs_of;

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

// Metastable states of a phase request: supersaturated vapour (IAPWS-IF97
// Eq. (18)) from 0.001 to 10 MPa, up to 30 K below Tsat(p) within the 5 %
// moisture line; superheated liquid (region 1) from 0.01 to 16 MPa, up to
// 25 K above Tsat(p) within its bound.
input_array metastable_states(water::phase asked, double p_lo, double p_hi, double dT_max) {
  std::mt19937_64 rng(97);
  std::uniform_real_distribution<double> p(p_lo, p_hi), dT(0.0, dT_max);
  const double sign = asked == water::phase::vapour ? -1.0 : 1.0;
  input_array out{};
  for (inputs& in : out) {
    for (;;) {
      const double p_pa = 1e6 * p(rng);
      const water::result r = water::pT(p_pa, water::px(p_pa, 0.0).state.T + sign * dT(rng), asked);
      if (r && r.metastable) {
        in = {r.state.p, r.state.T, r.state.h, r.state.s};
        break;
      }
    }
  }
  return out;
}

const input_array supersaturated = metastable_states(water::phase::vapour, 0.001, 10.0, 30.0);
const input_array superheated = metastable_states(water::phase::liquid, 0.01, 16.0, 25.0);

void run_asked(benchmark::State& st, const input_array& at, water::phase asked, bool by_h) {
  kvbench::cycle(st, [&](std::size_t k) {
    const inputs& in = at[k];
    return (by_h ? water::ph(in.p, in.h, asked) : water::pT(in.p, in.T, asked)).state.T;
  });
}

BENCHMARK_CAPTURE(run_asked, pT_supersaturated_vapour, supersaturated, water::phase::vapour, false);
BENCHMARK_CAPTURE(run_asked, ph_supersaturated_vapour, supersaturated, water::phase::vapour, true);
BENCHMARK_CAPTURE(run_asked, pT_superheated_liquid, superheated, water::phase::liquid, false);
BENCHMARK_CAPTURE(run_asked, ph_superheated_liquid, superheated, water::phase::liquid, true);
// A request on the stable side: the two-argument state behind one comparison.
BENCHMARK_CAPTURE(run_asked, pT_region2_vapour_asked, region2, water::phase::vapour, false);
BENCHMARK_CAPTURE(run_asked, ph_region2_vapour_asked, region2, water::phase::vapour, true);

// With a set of outputs, side by side with the whole state in the same run:
// T (and x) alone, the thermodynamic set (p, T, rho, v, h, s, u, cp, cv, w;
// no transport) and the whole state; and the batch call per element.
using O = water::outputs;
// Two-phase at 16.5 to 22 MPa; `two_phase` above lies below 16.5 MPa.
const input_array two_phase_high = states_of(4, 0.0, 0.0, 623.5, 646.9);

constexpr O thermodynamic = O::T | O::volumetric | O::caloric | O::heat;

void run_outputs(benchmark::State& st, const input_array& at, flash f, O asked) {
  kvbench::cycle(st, [&](std::size_t k) {
    const inputs& in = at[k];
    const water::result r = f == flash::ph   ? water::ph(in.p, in.h, asked)
                            : f == flash::ps ? water::ps(in.p, in.s, asked)
                                             : water::hs(in.h, in.s, asked);
    return r.state.T;
  });
}

#define CASES(name, states)                                                     \
  BENCHMARK_CAPTURE(run_outputs, ph_##name##_T, states, flash::ph, O::T);               \
  BENCHMARK_CAPTURE(run_outputs, ph_##name##_thermo, states, flash::ph, thermodynamic); \
  BENCHMARK_CAPTURE(run_outputs, ph_##name##_whole, states, flash::ph, O::all);         \
  BENCHMARK_CAPTURE(run_outputs, ps_##name##_T, states, flash::ps, O::T);               \
  BENCHMARK_CAPTURE(run_outputs, ps_##name##_thermo, states, flash::ps, thermodynamic); \
  BENCHMARK_CAPTURE(run_outputs, ps_##name##_whole, states, flash::ps, O::all);
CASES(region1, region1)
CASES(region2, region2)
CASES(region3, region3)
CASES(two_phase, two_phase)
CASES(two_phase_high, two_phase_high)
#undef CASES
BENCHMARK_CAPTURE(run_outputs, hs_region1_T, region1, flash::hs, O::T);
BENCHMARK_CAPTURE(run_outputs, hs_region2_T, region2, flash::hs, O::T);
BENCHMARK_CAPTURE(run_outputs, hs_region3_T, region3, flash::hs, O::T);

// The batch call over the 1024 states, reported per element: T alone and
// the whole state.
void run_batch(benchmark::State& st, const input_array& at, bool whole) {
  std::vector<double> p(at.size()), h(at.size()), T(at.size()), out(13 * at.size());
  std::vector<int> status(at.size());
  for (std::size_t k = 0; k < at.size(); ++k) {
    p[k] = at[k].p;
    h[k] = at[k].h;
  }
  water::columns c{};
  c.T = T.data();
  c.status = status.data();
  if (whole) {
    double** all[] = {&c.p, &c.rho, &c.v, &c.h, &c.s, &c.u, &c.cp, &c.cv, &c.w, &c.x, &c.mu, &c.lambda};
    for (std::size_t i = 0; i < std::size(all); ++i) *all[i] = out.data() + i * at.size();
  }
  for (auto _ : st) benchmark::DoNotOptimize(water::ph_n(at.size(), p.data(), h.data(), c));
  st.SetItemsProcessed(static_cast<std::int64_t>(st.iterations() * at.size()));
}
BENCHMARK_CAPTURE(run_batch, ph_n_region1_T, region1, false);
BENCHMARK_CAPTURE(run_batch, ph_n_region1_whole, region1, true);
BENCHMARK_CAPTURE(run_batch, ph_n_two_phase_T, two_phase, false);

}  // namespace

BENCHMARK_MAIN();
