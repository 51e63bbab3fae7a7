// `state ... --chemistry`: the dielectric constant, pKw and the refractive
// index at the sodium D line of the state, beside it.
#pragma once

#include "tools/state.hpp"

namespace kvtool {

// Prints them for the state of `in`, which run_state has printed.
void print_chemistry(const state_inputs& in, unit_system units);

}  // namespace kvtool
