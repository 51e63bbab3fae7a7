// The transport operations IF97_TCOND, IF97_VISC4 and IF97_TCOND4 take the
// IF97 region of the state and, for the region-4 forms, the conventions of
// the region-4 operations (pressure in bar, the vapour fraction as a phase
// flag; see if97/region4_operations.hpp). Here they become calls of the
// equations in transport/ with the region's thermodynamic properties.
#pragma once

#include <cstdint>

#include "transport/conductivity.hpp"

namespace transport {

// The conductivity at p in MPa, T in K and v in m3/kg of IF97 region
// `region`, whose equation gives cp, cv and (drho/dp)_T at (p, T), or in
// region 3 at (T, v), where the enhancement is evaluated. With the
// enhancement, cp, cv and mu hold the values it used; otherwise -1.0.
struct region_conductivity {
  double cp, cv, mu;  // kJ/(kg K), kJ/(kg K), Pa s
  conductivity value;
};
region_conductivity conductivity_in_region(double p, double T, double v, std::int64_t region);

// Viscosity and conductivity of a region-4 request (p in bar, T in K, vapour
// fraction x), settled as the region-4 operations settle it, without
// mixtures and with region 5 only up to 1173.2 K and 50.01 MPa; -1.0 on failure.
double viscosity_region4(double p_bar, double T, double x);
double conductivity_region4(double p_bar, double T, double x);

}  // namespace transport
