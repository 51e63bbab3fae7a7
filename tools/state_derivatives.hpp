// `state ... --derivatives`: the named derivatives of a state
// (water/derivatives.hpp) in the output units.
#pragma once

#include "tools/units.hpp"
#include "water/state.hpp"

namespace kvtool {

// Prints the named derivatives of st, each in the unit of its numerator
// per the unit of its denominator (a temperature difference in K).
void print_derivatives(const kviapws97::water::state& st, unit_system units);

}  // namespace kvtool
