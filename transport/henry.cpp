#include "transport/henry.hpp"

#include <array>
#include <cmath>

#include "if97/constants.hpp"
#include "if97/series.hpp"

namespace transport {
namespace {

struct solute {
  double A, B, C;        // ln(kH / p1*)
  double E, F, G, H;     // ln KD, E in K
  double T_min, T_max;   // K, the solute's data
};

// IAPWS G7-04: for each solute in H2O, the parameters A, B, C of kH, then E, F, G, H of KD, then the temperature range of its data (K)
inline constexpr std::array<solute, gas_count> solutes{{
    /* He */ {-3.52839, 7.12983, 4.47770, 2267.4082, -2.9616, -3.2604, 7.8819, 273.21, 553.18},
    /* Ne */ {-3.18301, 5.31448, 5.43774, 2507.3022, -38.6955, 110.3992, -71.9096, 273.20, 543.36},
    /* Ar */ {-8.40954, 4.29587, 10.52779, 2310.5463, -46.7034, 160.4066, -118.3043, 273.19, 568.36},
    /* Kr */ {-8.97358, 3.61508, 11.29963, 2276.9722, -61.1494, 214.0117, -159.0407, 273.19, 525.56},
    /* Xe */ {-14.21635, 4.00041, 15.60999, 2022.8375, 16.7913, -61.2401, 41.9236, 273.22, 574.85},
    /* H2 */ {-4.73284, 6.08954, 6.06066, 2286.4159, 11.3397, -70.7279, 63.0631, 273.15, 636.09},
    /* N2 */ {-9.67578, 4.72162, 11.70585, 2388.8777, -14.9593, 42.0179, -29.4396, 278.12, 636.46},
    /* O2 */ {-9.44833, 4.43822, 11.42005, 2305.0674, -11.3240, 25.3224, -15.6449, 274.15, 616.52},
    /* CO */ {-10.52862, 5.13259, 12.01421, 2346.2291, -57.6317, 204.5324, -152.6377, 278.15, 588.67},
    /* CO2 */ {-8.55445, 4.01195, 9.52345, 1672.9376, 28.1751, -112.4619, 85.3807, 274.19, 642.66},
    /* H2S */ {-4.51499, 5.23538, 4.42126, 1319.1205, 14.1571, -46.8361, 33.2266, 273.15, 533.09},
    /* CH4 */ {-10.44708, 4.66491, 12.12986, 2215.6977, -0.1089, -6.6240, 4.6789, 275.46, 633.11},
    /* C2H6 */ {-19.67563, 4.51222, 20.62567, 2143.8121, 6.8859, -12.6084, 0.0, 275.44, 473.46},
    /* SF6 */ {-16.56118, 2.15289, 20.35440, 2871.7265, -66.7556, 229.7191, -172.7400, 283.14, 505.55},
}};

// IAPWS G7-04: the solvent's vapour pressure p1* = p_c exp(sum a_i tau^b_i / T_R), the exponents b_i in halves; {0, 2 b, a}
inline constexpr std::array<if97::term, 6> vapour_pressure_terms{{
    {0, 2, -7.85951783}, {0, 3, 1.84408259}, {0, 6, -11.7866497},
    {0, 7, 22.6807411},  {0, 8, -15.9618719}, {0, 15, 1.80122502},
}};

// IAPWS G7-04: the solvent's saturated-liquid density f(tau) = rho1'/rho_c - 1 = sum c_i tau^d_i, the exponents d_i in thirds; {0, 3 d, c}
inline constexpr std::array<if97::term, 6> liquid_density_terms{{
    {0, 1, 1.99274064},  {0, 2, 1.09965342},   {0, 5, -0.510839303},
    {0, 16, -1.75493479}, {0, 43, -45.5170352}, {0, 110, -6.7469445e5},
}};

// IAPWS G7-04: the constants of the kH and KD equations for H2O.
constexpr double q = -0.023767;
constexpr double T_0 = 273.15;  // K
constexpr double T_1 = 100.0;   // K
constexpr double e_B = 0.355;
constexpr double e_C = -0.41;
constexpr double Pa_per_MPa = 1e6;

}  // namespace

// IAPWS G7-04: ln(kH/p1*) = A/T_R + B tau^0.355/T_R + C T_R^-0.41 exp(tau) and
// ln KD = q F + E f(tau)/T + (F + G tau^(2/3) + H tau) exp((273.15 K - T)/100 K),
// with T_R = T / 647.096 K and tau = 1 - T_R.
henry_constants henry(gas g, double T) {
  const solute& c = solutes[static_cast<std::size_t>(g)];
  const double T_R = T / if97::T_c;
  const double tau = 1.0 - T_R;
  const double inv_T_R = 1.0 / T_R;
  const double ln_p1 = std::log(if97::p_c * Pa_per_MPa) +
                       inv_T_R * if97::evaluate_y<vapour_pressure_terms, if97::part_f>(std::sqrt(tau)).f;
  const double ln_kH = ln_p1 + c.A * inv_T_R + c.B * std::pow(tau, e_B) * inv_T_R +
                       c.C * std::pow(T_R, e_C) * std::exp(tau);
  const double tau_third = std::cbrt(tau);
  const double f = if97::evaluate_y<liquid_density_terms, if97::part_f>(tau_third).f;
  const double ln_KD = q * c.F + c.E * f / T +
                       (c.F + c.G * tau_third * tau_third + c.H * tau) * std::exp((T_0 - T) / T_1);
  return {std::exp(ln_kH), std::exp(ln_KD)};
}

temperature_range henry_range(gas g) {
  const solute& c = solutes[static_cast<std::size_t>(g)];
  return {c.T_min, c.T_max};
}

}  // namespace transport
