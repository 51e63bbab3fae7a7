// The state of water from any two of p, T, h, s and x (or T and rho), as an
// engineer specifies it, through the SI state API (water/state.hpp), and the
// `state` subcommand that prints it.
#pragma once

#include <optional>
#include <string>

#include "tools/units.hpp"
#include "water/state.hpp"

namespace kvtool {

// SI values: Pa, K, J/kg, J/(kg K), -, kg/m3.
struct state_inputs {
  std::optional<double> p, T, h, s, x, rho;
  std::string typed;  // as the user wrote them, for messages
  std::optional<double> u;  // J/kg
  // The phase asked for with (p, T), (p, h) or (p, s): its metastable state
  // beyond the saturation line (water/state.hpp).
  std::optional<kviapws97::water::phase> phase{};
};

// Why the inputs are not a pair of the API; empty when they are.
std::string pair_problem(const state_inputs& in);

// The state of the two inputs, by the API's function of the pair. (T, h),
// (T, s), (h, x) and (s, x) may have several states: when no state or more
// than one fits, `why` says so (values in `units`) and the result fails.
kviapws97::water::result solve_state(const state_inputs& in, unit_system units, std::string& why);

// The inputs as the user gave them, in the output units, e.g. "p = 10 bar, h = 2800 kJ/kg".
std::string describe_inputs(const state_inputs& in, unit_system units);

enum class record_format { text, csv, json };

// The `state` subcommand: 0 with the state printed, 1 when there is none.
int run_state(const state_inputs& in, unit_system units, record_format format);

}  // namespace kvtool
