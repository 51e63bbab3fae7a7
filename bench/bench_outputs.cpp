// ns per state of the flashes with a set of outputs, side by side with the
// whole state in the same run: T (and x) alone, the thermodynamic set (p, T,
// rho, v, h, s, u, cp, cv, w; no transport) and the whole state, over 1024
// varied states of a region; and the batch call per element.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <vector>

#include "states.hpp"
#include "water/batch.hpp"
#include "water/state.hpp"
#include "water_states.hpp"

namespace {

namespace water = kviapws97::water;
using O = water::outputs;

struct inputs {
  double p, h, s;
};
using input_array = std::array<inputs, kvbench::state_count>;

input_array states_of(int region, double p_lo, double p_hi, double T_lo, double T_hi) {
  const kvbench::water_states states = kvbench::water_states_of(region, p_lo, p_hi, T_lo, T_hi);
  input_array out{};
  for (std::size_t k = 0; k < out.size(); ++k) out[k] = {states[k].p, states[k].h, states[k].s};
  return out;
}

const input_array region1 = states_of(1, 0.1, 100.0, 280.0, 620.0);
const input_array region2 = states_of(2, 0.001, 100.0, 300.0, 1070.0);
const input_array region3 = states_of(3, 20.0, 100.0, 630.0, 860.0);
// Two-phase at p <= 16.5 MPa (T up to 623.15 K) and at 16.5 to 22 MPa.
const input_array two_phase_low = states_of(4, 0.0, 0.0, 280.0, 623.0);
const input_array two_phase_high = states_of(4, 0.0, 0.0, 623.5, 646.9);

constexpr O thermodynamic = O::T | O::volumetric | O::caloric | O::heat;

enum class flash { ph, ps, hs };

void run(benchmark::State& st, const input_array& at, flash f, O asked) {
  kvbench::cycle(st, [&](std::size_t k) {
    const inputs& in = at[k];
    const water::result r = f == flash::ph   ? water::ph(in.p, in.h, asked)
                            : f == flash::ps ? water::ps(in.p, in.s, asked)
                                             : water::hs(in.h, in.s, asked);
    return r.state.T;
  });
}

#define CASES(name, states)                                                     \
  BENCHMARK_CAPTURE(run, ph_##name##_T, states, flash::ph, O::T);               \
  BENCHMARK_CAPTURE(run, ph_##name##_thermo, states, flash::ph, thermodynamic); \
  BENCHMARK_CAPTURE(run, ph_##name##_whole, states, flash::ph, O::all);         \
  BENCHMARK_CAPTURE(run, ps_##name##_T, states, flash::ps, O::T);               \
  BENCHMARK_CAPTURE(run, ps_##name##_thermo, states, flash::ps, thermodynamic); \
  BENCHMARK_CAPTURE(run, ps_##name##_whole, states, flash::ps, O::all);
CASES(region1, region1)
CASES(region2, region2)
CASES(region3, region3)
CASES(two_phase_low, two_phase_low)
CASES(two_phase_high, two_phase_high)
#undef CASES
BENCHMARK_CAPTURE(run, hs_region1_T, region1, flash::hs, O::T);
BENCHMARK_CAPTURE(run, hs_region2_T, region2, flash::hs, O::T);
BENCHMARK_CAPTURE(run, hs_region3_T, region3, flash::hs, O::T);

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
BENCHMARK_CAPTURE(run_batch, ph_n_two_phase_low_T, two_phase_low, false);

}  // namespace

BENCHMARK_MAIN();
