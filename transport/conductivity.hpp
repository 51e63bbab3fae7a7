// Thermal conductivity of water and steam: IAPWS R15-11, the 2011
// formulation with its recommendation for industrial use with IAPWS-IF97.
#pragma once

#include <cstdint>

namespace transport {

// lambda = (lambda0 lambda1 + lambda2) lambda*, and its terms.
struct conductivity {
  double lambda;   // W/(m K)
  double lambda0;  // dilute-gas term, Eq. (16)
  double lambda1;  // residual term, Eq. (17)
  double lambda2;  // critical enhancement, Eq. (18); 0 where it is not evaluated
};

// What the critical enhancement takes from the equation of state at the
// state (the viscosity it divides by comes apart, see below).
struct enhancement_inputs {
  double cp;       // kJ/(kg K)
  double cv;       // kJ/(kg K)
  double drho_dp;  // (drho/dp)_T, kg/(m3 Pa)
  // Near the critical point IF97's region-3 equation gives a diverging cp
  // and a vanishing or even positive (dp/drho)_T: there the magnitudes of
  // cp and of (drho/dp)_T are used, and bounded.
  bool magnitudes;
};

// Conductivity at T in K and density rho in kg/m3 without the critical
// enhancement (lambda2 = 0). No range check.
conductivity thermal_conductivity(double T, double rho);

// Conductivity with the critical enhancement, Eqs. (18) to (23), at the
// viscosity mu in Pa s (IAPWS R12-08 at the state, viscosity(T, rho), for
// the values of R15-11).
conductivity thermal_conductivity(double T, double rho, const enhancement_inputs& in, double mu);

// The viscosity (IAPWS R12-08) and the conductivity of one state, with what
// they share formed once: each to the last bit the value of viscosity(T, rho)
// and of thermal_conductivity(T, rho[, in, viscosity(T, rho)]).
struct viscosity_conductivity {
  double mu;      // Pa s
  double lambda;  // W/(m K)
};
viscosity_conductivity transport_of(double T, double rho);
// With the critical enhancement.
viscosity_conductivity transport_of(double T, double rho, const enhancement_inputs& in);

// Where this library evaluates the enhancement: in region 1 only above the
// line p = 1.8 T - 751.4 (p in MPa, T in K), in region 2 below 973.15 K, in
// region 3 everywhere, in region 5 nowhere. Elsewhere it is negligible.
inline constexpr double region1_line_slope = 1.8;     // MPa/K
inline constexpr double region1_line_offset = 751.4;  // MPa
inline constexpr double region2_T_max = 973.15;       // K

inline bool enhancement_evaluated(double p, double T, std::int64_t region) {
  switch (region) {
    case 1: return p < region1_line_slope * T - region1_line_offset;
    case 2: return T < region2_T_max;
    case 3: return true;
    default: return false;
  }
}

}  // namespace transport
