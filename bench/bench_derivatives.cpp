// ns per call of the derivatives of a state (water/derivatives.hpp) over
// 1024 varied states of each region and of the two-phase region, the states
// formed beforehand: the named set (what it adds to a flash) and one generic
// derivative, (drho/dh)_p and (drho/dp)_h, from the state alone; beside them
// the (p, T) state itself, and the (p, T) and (p, h) flashes with and
// without the named set formed with the state.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "if97/region1.hpp"
#include "if97/region3.hpp"
#include "states.hpp"
#include "water_states.hpp"
#include "water/derivatives.hpp"
#include "water/state.hpp"

namespace {

namespace water = kviapws97::water;
using state_array = kvbench::water_states;
using kvbench::water_states_of;

const state_array region1 = water_states_of(1, 0.1, 100.0, 280.0, 620.0);
const state_array region2 = water_states_of(2, 0.001, 100.0, 300.0, 1070.0);
const state_array region3 = water_states_of(3, 20.0, 100.0, 630.0, 860.0);
const state_array region5 = water_states_of(5, 0.001, 50.0, 1080.0, 2270.0);
const state_array two_phase_low = water_states_of(4, 0.0, 0.0, 280.0, 620.0);   // regions 1 and 2
const state_array two_phase_high = water_states_of(4, 0.0, 0.0, 624.0, 646.0);  // region 3

void named(benchmark::State& st, const state_array& at) {
  kvbench::cycle(st, [&](std::size_t k) { return water::derivatives_of(at[k]).d.drho_dh_p; });
}

void generic(benchmark::State& st, const state_array& at) {
  kvbench::cycle(st, [&](std::size_t k) {
    return water::derivative(at[k], water::quantity::rho, water::quantity::h, water::quantity::p).value;
  });
}

// One generic derivative that needs both gradients of the natural
// variables: (drho/dp)_h, in two-phase states the saturated phases along the
// line too (at constant p or T, as above, the differences of the phases
// alone).
void generic_both(benchmark::State& st, const state_array& at) {
  kvbench::cycle(st, [&](std::size_t k) {
    return water::derivative(at[k], water::quantity::rho, water::quantity::p, water::quantity::h).value;
  });
}

// A further derivative of the same state from the gradients of its record.
void from_gradients(benchmark::State& st, const state_array& at) {
  std::array<water::jacobian, kvbench::state_count> gradients{};
  for (std::size_t k = 0; k < at.size(); ++k) gradients[k] = water::derivatives_of(at[k]).d.natural;
  kvbench::cycle(st, [&](std::size_t k) {
    return water::derivative(gradients[k], water::quantity::rho, water::quantity::h, water::quantity::p).value;
  });
}

void flash_pT(benchmark::State& st, const state_array& at) {
  kvbench::cycle(st, [&](std::size_t k) { return water::pT(at[k].p, at[k].T).state.h; });
}

// The flash alone and with the named derivatives formed from its own final
// evaluation (the overloads of water/derivatives.hpp): what the named set
// adds to a state. (p, h) over the states above, two-phase ones included.
const auto inputs1 = kvbench::flash_inputs_of(1, 0.1, 100.0, 280.0, 620.0);
const auto inputs2 = kvbench::flash_inputs_of(2, 0.001, 100.0, 300.0, 1070.0);
const auto inputs3 = kvbench::flash_inputs_of(3, 20.0, 100.0, 630.0, 860.0);
const auto inputs5 = kvbench::flash_inputs_of(5, 0.001, 50.0, 1080.0, 2270.0);
const auto inputs_low = kvbench::flash_inputs_of(4, 0.0, 0.0, 280.0, 620.0);
const auto inputs_high = kvbench::flash_inputs_of(4, 0.0, 0.0, 624.0, 646.0);

void flash_pT_named(benchmark::State& st, const state_array& at) {
  kvbench::cycle(st, [&](std::size_t k) {
    water::derivatives d;
    return water::pT(at[k].p, at[k].T, d).state.h + d.drho_dh_p;
  });
}

void flash_ph(benchmark::State& st, const kvbench::flash_input_array& at) {
  kvbench::cycle(st, [&](std::size_t k) { return water::ph(at[k].p, at[k].h).state.rho; });
}

void flash_ph_named(benchmark::State& st, const kvbench::flash_input_array& at) {
  kvbench::cycle(st, [&](std::size_t k) {
    water::derivatives d;
    return water::ph(at[k].p, at[k].h, d).state.rho + d.drho_dh_p;
  });
}

BENCHMARK_CAPTURE(flash_pT_named, region1, region1);
BENCHMARK_CAPTURE(flash_pT_named, region2, region2);
BENCHMARK_CAPTURE(flash_pT_named, region3, region3);
BENCHMARK_CAPTURE(flash_pT_named, region5, region5);
BENCHMARK_CAPTURE(flash_ph, region1, inputs1);
BENCHMARK_CAPTURE(flash_ph, region2, inputs2);
BENCHMARK_CAPTURE(flash_ph, region3, inputs3);
BENCHMARK_CAPTURE(flash_ph, region5, inputs5);
BENCHMARK_CAPTURE(flash_ph, two_phase_below_623K, inputs_low);
BENCHMARK_CAPTURE(flash_ph, two_phase_above_623K, inputs_high);
BENCHMARK_CAPTURE(flash_ph_named, region1, inputs1);
BENCHMARK_CAPTURE(flash_ph_named, region2, inputs2);
BENCHMARK_CAPTURE(flash_ph_named, region3, inputs3);
BENCHMARK_CAPTURE(flash_ph_named, region5, inputs5);
BENCHMARK_CAPTURE(flash_ph_named, two_phase_below_623K, inputs_low);
BENCHMARK_CAPTURE(flash_ph_named, two_phase_above_623K, inputs_high);

// The floor of a derivative from a state: one evaluation of the region's equation.
void equation_region1(benchmark::State& st) {
  kvbench::cycle(st, [&](std::size_t k) { return if97::properties1(region1[k].p * 1e-6, region1[k].T).dv_dT; });
}
void equation_region3(benchmark::State& st) {
  kvbench::cycle(st, [&](std::size_t k) { return if97::properties3(region3[k].T, region3[k].v).dv_dT; });
}

BENCHMARK(equation_region1);
BENCHMARK(equation_region3);
BENCHMARK_CAPTURE(flash_pT, region1, region1);
BENCHMARK_CAPTURE(flash_pT, region2, region2);
BENCHMARK_CAPTURE(flash_pT, region3, region3);
BENCHMARK_CAPTURE(flash_pT, region5, region5);
BENCHMARK_CAPTURE(named, region1, region1);
BENCHMARK_CAPTURE(named, region2, region2);
BENCHMARK_CAPTURE(named, region3, region3);
BENCHMARK_CAPTURE(named, region5, region5);
BENCHMARK_CAPTURE(named, two_phase_below_623K, two_phase_low);
BENCHMARK_CAPTURE(named, two_phase_above_623K, two_phase_high);
BENCHMARK_CAPTURE(generic, region1, region1);
BENCHMARK_CAPTURE(generic, region2, region2);
BENCHMARK_CAPTURE(generic, region3, region3);
BENCHMARK_CAPTURE(generic, region5, region5);
BENCHMARK_CAPTURE(generic, two_phase_below_623K, two_phase_low);
BENCHMARK_CAPTURE(generic, two_phase_above_623K, two_phase_high);
BENCHMARK_CAPTURE(generic_both, region1, region1);
BENCHMARK_CAPTURE(generic_both, region2, region2);
BENCHMARK_CAPTURE(generic_both, region3, region3);
BENCHMARK_CAPTURE(generic_both, region5, region5);
BENCHMARK_CAPTURE(generic_both, two_phase_below_623K, two_phase_low);
BENCHMARK_CAPTURE(generic_both, two_phase_above_623K, two_phase_high);
BENCHMARK_CAPTURE(from_gradients, region1, region1);
BENCHMARK_CAPTURE(from_gradients, two_phase_below_623K, two_phase_low);

}  // namespace

BENCHMARK_MAIN();
