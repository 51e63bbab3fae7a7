// Viscosity of water and steam: IAPWS R12-08, the 2008 formulation in its
// form for industrial use (critical enhancement factor 1).
#pragma once

namespace transport {

// Viscosity, Pa s, at T in K and density rho in kg/m3. No range check.
double viscosity(double T, double rho);

}  // namespace transport
