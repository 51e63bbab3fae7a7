// Refractive index of water: IAPWS R9-97, a Lorentz-Lorenz function of
// temperature, density and wavelength.
#pragma once

namespace transport {

// n at T in K, rho in kg/m3 and the wavelength in vacuum lambda in m,
// dimensionless. No range check.
double refractive_index(double T, double rho, double lambda);

}  // namespace transport
