// Static dielectric constant (relative permittivity) of water: IAPWS R8-97,
// the formulation of Fernandez et al. (1997) as a function of temperature and
// density.
#pragma once

namespace transport {

// epsilon at T in K and rho in kg/m3, dimensionless. No range check: T must
// lie above 228 K, where the supercooled-liquid term has its pole.
double dielectric_constant(double T, double rho);

}  // namespace transport
