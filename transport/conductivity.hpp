// Thermal conductivity of water and steam: IAPWS R15-11, the 2011
// formulation with its recommendation for industrial use with IAPWS-IF97.
#pragma once

#include <cstdint>

namespace transport {

struct conductivity {
  double cp;       // kJ/(kg K) used by the critical enhancement, or -1.0 where it is not evaluated
  double cv;       // kJ/(kg K), likewise
  double mu;       // Pa s, likewise
  double lambda;   // W/(m K)
  double lambda0;  // dilute-gas term, Eq. (16)
  double lambda1;  // residual term, Eq. (17)
  double lambda2;  // critical enhancement, Eq. (18); 0 where it is not evaluated
};

// Conductivity at p in MPa, T in K and v in m3/kg of IF97 region `region`,
// which decides whether and how the critical enhancement is evaluated. No
// range check.
conductivity thermal_conductivity(double p, double T, double v, std::int64_t region);

// Viscosity and conductivity of a region-4 request (p in bar, T in K, vapour
// fraction x), settled as the saturated-state operations settle it, without
// mixtures and with region 5 only up to 1173.2 K and 50.01 MPa; -1.0 on failure.
double viscosity_region4(double p_bar, double T, double x);
double conductivity_region4(double p_bar, double T, double x);

}  // namespace transport
