// The move of enthalpy, entropy, Gibbs energy and heat capacities from the
// IF97 reference state onto the host's ideal-gas reference state, with the
// host's own ideal-gas routines. The dispatcher applies it; a host that wants
// IF97 values back takes the same offset off again.
#pragma once

#include <cstdint>

namespace kviapws97 {

inline constexpr double gas_constant = 8314.41;  // J/(kmol K): the host's scale of its dimensionless ideal-gas values
inline constexpr double reference_T = 298.15;    // K, the host's reference temperature

// The shift from the IF97 reference state to the host's ideal-gas reference.
enum class reference_shift { none, enthalpy, entropy, gibbs, cp, cv };

// The host's ideal-gas values that the reference shift needs.
struct ideal_gas_terms {
  double h_T, s_T, cp_T;        // KVBASE_IDEAL at the state temperature
  double h_ref, s_ref, cp_ref;  // KVBASE_IDEAL at 298.15 K
  double w3, w5, w7;            // KVBASE_WATIG at 298.15 K
};

// Asks the host's KVBASE_WATIG and KVBASE_IDEAL, which report their own
// failures in the error flag.
ideal_gas_terms host_ideal_gas(double T, reference_shift shift, void* component, std::int64_t* error);

// A molar IF97 value X (and, for the Gibbs energy, the entropy S beside the
// enthalpy X) on the host's reference state at temperature T.
double shift_to_host(double X, double S, double T, reference_shift shift, const ideal_gas_terms& g);

}  // namespace kviapws97
