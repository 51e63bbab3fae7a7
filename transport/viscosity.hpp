// Viscosity of water and steam: IAPWS R12-08, the 2008 formulation in its
// form for industrial use (critical enhancement factor 1).
#pragma once

#include <cmath>

#include "if97/constants.hpp"

namespace transport {

// Viscosity, Pa s, at T in K and density rho in kg/m3. No range check.
double viscosity(double T, double rho);

// What IAPWS R12-08 and R15-11 share at a state: both reduce T and rho by
// IF97's critical point (R12-08 Eq. (1), R15-11 Eqs. (2) and (3)), and both
// dilute-gas terms (R12-08 Eq. (11), R15-11 Eq. (16)) take sqrt(Tbar) and
// 1/Tbar. A state's viscosity and conductivity form them once.
struct reduced_state {
  double T_bar;
  double rho_bar;
  double inv_T_bar;
  double sqrt_T_bar;
};

inline reduced_state reduced(double T, double rho) {
  const double T_bar = T / if97::T_c;
  return {T_bar, rho / if97::rho_c, 1.0 / T_bar, std::sqrt(T_bar)};
}

// The viscosity, Pa s, of a reduced state: viscosity(T, rho) is
// viscosity(reduced(T, rho)) to the last bit.
double viscosity(const reduced_state& r);

}  // namespace transport
