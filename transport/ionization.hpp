// Ionization constant of water: IAPWS R11-24, the Bandura-Lvov equation with
// the parameters refitted in 2024.
#pragma once

namespace transport {

// pKw = -log10(Kw / (mol/kg)^2) at T in K and rho in kg/m3. No range check.
double ionization_pK(double T, double rho);

}  // namespace transport
