#include "transport/refractive_index.hpp"

#include <cmath>

namespace transport {
namespace {

// IAPWS R9-97: coefficients a_0 to a_7 of the Lorentz-Lorenz function.
constexpr double a0 = 0.244257733;
constexpr double a1 = 0.974634476e-2;
constexpr double a2 = -0.373234996e-2;
constexpr double a3 = 0.268678472e-3;
constexpr double a4 = 0.158920570e-2;
constexpr double a5 = 0.245934259e-2;
constexpr double a6 = 0.900704920;
constexpr double a7 = -0.166626219e-1;

// IAPWS R9-97: the reference constants and the reduced ultraviolet and
// infrared resonance wavelengths.
constexpr double T_star = 273.15;        // K
constexpr double rho_star = 1000.0;      // kg/m3
constexpr double lambda_star = 0.589e-6; // m
constexpr double lambda_UV = 0.229202;   // reduced
constexpr double lambda_IR = 5.432937;   // reduced

}  // namespace

// IAPWS R9-97: A = (n^2 - 1) / (n^2 + 2) with T_bar = T / 273.15 K,
// rho_bar = rho / 1000 kg/m3 and lambda_bar = lambda / 0.589 um, solved for n.
double refractive_index(double T, double rho, double lambda) {
  const double T_bar = T / T_star;
  const double rho_bar = rho / rho_star;
  const double l2 = (lambda / lambda_star) * (lambda / lambda_star);
  const double A = rho_bar * (a0 + a1 * rho_bar + a2 * T_bar + a3 * l2 * T_bar + a4 / l2 +
                              a5 / (l2 - lambda_UV * lambda_UV) + a6 / (l2 - lambda_IR * lambda_IR) +
                              a7 * rho_bar * rho_bar);
  return std::sqrt((1.0 + 2.0 * A) / (1.0 - A));
}

}  // namespace transport
