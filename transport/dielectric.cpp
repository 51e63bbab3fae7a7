#include "transport/dielectric.hpp"

#include <array>
#include <cmath>

#include "if97/constants.hpp"
#include "if97/series.hpp"

namespace transport {
namespace {

using if97::term;

// IAPWS R8-97: coefficients N_k and exponents i_k, j_k of the Harris-Alder g factor, k = 1 to 11; {i, 4 j, N}
inline constexpr std::array<term, 11> g_terms{{
    {1, 1, 0.978224486826},    {1, 4, -0.957771379375},  {1, 10, 0.237511794148},  {2, 6, 0.714692244396},
    {3, 6, -0.298217036956},   {3, 10, -0.108863472196}, {4, 8, 0.949327488264e-1}, {5, 8, -0.980469816509e-2},
    {6, 20, 0.165167634970e-4}, {7, 2, 0.937359795772e-4}, {10, 40, -0.123179218720e-9},
}};
// IAPWS R8-97: the supercooled-liquid term N_12 delta (T/228 K - 1)^(-1.2).
constexpr double N12 = 0.196096504426e-2;
constexpr double T_q = 228.0;              // K, its pole
constexpr double q = 1.2;                  // its exponent

// IAPWS R8-97: the molecular and physical constants of the release.
constexpr double alpha = 1.636e-40;        // C2 J-1 m2, mean molecular polarizability
constexpr double mu = 6.138e-30;           // C m, dipole moment of the isolated molecule
constexpr double N_A = 6.0221367e23;       // mol-1
constexpr double k_B = 1.380658e-23;       // J/K
constexpr double epsilon_0 = 8.854187817e-12;  // C2 J-1 m-1
constexpr double M_w = 0.018015268;        // kg/mol

// A = A_per_rho rho g / T and B = B_per_rho rho, rho in kg/m3.
constexpr double A_per_rho = N_A * mu * mu / (M_w * epsilon_0 * k_B);  // K m3/kg
constexpr double B_per_rho = N_A * alpha / (3.0 * M_w * epsilon_0);     // m3/kg

}  // namespace

// IAPWS R8-97: epsilon from A and B, with delta = rho / 322 kg/m3 and
// tau = 647.096 K / T; the exponents j of Table 1 are multiples of 1/4, so
// the series runs in tau^(1/4).
double dielectric_constant(double T, double rho) {
  const double delta = rho / if97::rho_c;
  const double tau_quarter = std::sqrt(std::sqrt(if97::T_c / T));
  const double g = 1.0 + if97::evaluate<g_terms, if97::part_f>(delta, tau_quarter).f +
                   N12 * delta * std::pow(T / T_q - 1.0, -q);
  const double A = A_per_rho * rho * g / T;
  const double B = B_per_rho * rho;
  return (1.0 + A + 5.0 * B + std::sqrt(9.0 + 2.0 * A + 18.0 * B + A * A + 10.0 * A * B + 9.0 * B * B)) /
         (4.0 * (1.0 - B));
}

}  // namespace transport
