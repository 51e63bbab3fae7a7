#include "transport/ionization.hpp"

#include <cmath>

namespace transport {
namespace {

// IAPWS R11-24: the parameters of the Bandura-Lvov equation as refitted in 2024.
constexpr double n = 6.0;              // ion coordination number
constexpr double alpha_0 = -0.702132;
constexpr double alpha_1 = 8681.05;    // K
constexpr double alpha_2 = -24145.1;   // K2
constexpr double beta_0 = 0.813876;
constexpr double beta_1 = -51.4471;    // K
constexpr double beta_2 = -0.469920;
constexpr double gamma_0 = 6.141500e-1;
constexpr double gamma_1 = 4.825133e4;  // K
constexpr double gamma_2 = -6.770793e4; // K2
constexpr double gamma_3 = 1.010210e7;  // K3
constexpr double rho_0 = 1000.0;        // kg/m3 (1 g/cm3)
constexpr double M_w = 18.015268;       // g/mol
constexpr double m_0 = 1.0;             // mol/kg
constexpr double G = 1000.0;            // g/kg

}  // namespace

// IAPWS R11-24: Z, the ideal-gas pKw^G and pKw, rho_bar = rho / (1 g/cm3).
double ionization_pK(double T, double rho) {
  const double rho_bar = rho / rho_0;
  const double inv_T = 1.0 / T;
  const double Z = rho_bar * std::exp(alpha_0 + alpha_1 * inv_T + alpha_2 * std::cbrt(rho_bar * rho_bar) * inv_T * inv_T);
  const double pKw_G = gamma_0 + inv_T * (gamma_1 + inv_T * (gamma_2 + inv_T * gamma_3));
  return -2.0 * n * (std::log10(1.0 + Z) - Z / (Z + 1.0) * rho_bar * (beta_0 + beta_1 * inv_T + beta_2 * rho_bar)) +
         pKw_G + 2.0 * std::log10(m_0 * M_w / G);
}

}  // namespace transport
