#include "transport/conductivity.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "if97/constants.hpp"
#include "if97/series.hpp"
#include "transport/viscosity.hpp"

namespace transport {
namespace {

using if97::term;

// IAPWS R15-11 Eqs. (2) to (5): the reducing quantities are the critical
// parameters of IAPWS-IF97 (those of reduced() for T and rho).
constexpr double rho_star = if97::rho_c;       // kg/m3
constexpr double p_star = 1e6 * if97::p_c;     // Pa
constexpr double lambda_star = 1e-3;           // W/(m K)
constexpr double mu_star = 1e-6;               // Pa s
constexpr double R_cp = 0.46151805;            // kJ/(kg K), for cpbar = cp/R
constexpr double zeta_factor = p_star / rho_star;  // Pa m3/kg: zeta = p*/rho* (drho/dp)_T

// IAPWS R15-11 critical-region constants, Table 3.
constexpr double Lambda = 177.8514;
constexpr double q_D = 1.0 / 0.40e-9;          // 1/m
constexpr double xi0 = 0.13e-9;                // m
constexpr double Gamma0 = 0.06;
constexpr double nu = 0.630;                   // critical exponents nu and gamma
constexpr double gamma_exponent = 1.239;
constexpr double T_bar_R = 1.5;
constexpr double y_min = 1.2e-7;               // below it Z(y) = 0

// Bounds that keep the enhancement finite next to the critical point, where
// the IF97 region-3 equation gives a diverging cp and a vanishing or even
// positive (dp/dv)_T.
constexpr double cp_bar_max = 1.71e13;
constexpr double zeta_max = 6.85e12;

// IAPWS R15-11 Table 1: coefficients L_k of the dilute-gas term, Eq. (16)
constexpr std::array<double, 5> L0{2.443221e-3, 1.323095e-2, 6.770357e-3, -3.454586e-3, 4.096266e-4};

// IAPWS R15-11 Table 2: coefficients L_ij of the residual term, Eq. (17), the 28 non-zero ones; {i, j, L}
inline constexpr std::array<term, 28> residual_terms{{
    {0, 0, 1.60397357},   {0, 1, -0.646013523}, {0, 2, 0.111443906},   {0, 3, 0.102997357},
    {0, 4, -0.0504123634}, {0, 5, 0.00609859258}, {1, 0, 2.33771842},  {1, 1, -2.78843778},
    {1, 2, 1.53616167},   {1, 3, -0.463045512}, {1, 4, 0.0832827019},  {1, 5, -0.00719201245},
    {2, 0, 2.19650529},   {2, 1, -4.54580785},  {2, 2, 3.55777244},    {2, 3, -1.40944978},
    {2, 4, 0.275418278},  {2, 5, -0.0205938816}, {3, 0, -1.21051378}, {3, 1, 1.60812989},
    {3, 2, -0.621178141}, {3, 3, 0.0716373224}, {4, 0, -2.7203370},    {4, 1, 4.57586331},
    {4, 2, -3.18369245},  {4, 3, 1.1168348},    {4, 4, -0.19268305},   {4, 5, 0.012913842},
}};

// IAPWS R15-11 Table 6: coefficients A_ij of 1/zeta(Tbar_R, rhobar) = sum_i A_ij rhobar^i for industrial use
// with IAPWS-IF97; row i, column j the density interval
constexpr double A[6][5] = {
    {6.53786807199516, 6.52717759281799, 5.35500529896124, 1.55225959906681, 1.11999926419994},
    {-5.61149954923348, -6.30816983387575, -3.96415689925446, 0.464621290821181, 0.595748562571649},
    {3.39624167361325, 8.08379285492595, 8.91990208918795, 8.93237374861479, 9.88952565078920},
    {-2.27492629730878, -9.82240510197603, -12.0338729505790, -11.0321960061126, -10.3255051147040},
    {10.2631854662709, 12.1358413791395, 9.19494865194302, 6.16780999933360, 4.66861294457414},
    {1.97815050331519, -5.54349664571295, -2.16866274479712, -0.965458722086812, -0.503243546373828},
};
// Upper bounds of the density intervals j = 0..3 (100, 250, 400, 600 kg/m3 over rho*); each bound belongs
// to the interval below it.
constexpr std::array<double, 4> interval_top{0.310559006, 0.776397516, 1.242236025, 1.863354037};

// zeta(Tbar_R, rhobar): 1 over Table 6's polynomial in its density interval.
double zeta_reference(double rho_bar) {
  // The interval: how many bounds rho_bar exceeds, without a branch that
  // states of varied density would mispredict.
  std::size_t j = 0;
  for (const double top : interval_top) j += rho_bar > top ? 1 : 0;
  double sum = 0.0;
  for (int i = 5; i >= 0; --i) sum = sum * rho_bar + A[i][j];
  return 1.0 / sum;
}

// Eq. (23) sets Z = 0 for y < y_min, and R15-11 takes a negative Delta chi
// as 0. y = q_D xi0 (Delta chi / Gamma0)^(nu/gamma) rises with Delta chi, so
// below Gamma0 (y_min / (q_D xi0))^2 (8.2e-15), which lies under the Delta chi
// of y_min (1.3e-14: the base is below 1 and gamma/nu below 2), the
// enhancement is 0 without the power. Above it y decides.
constexpr double y_min_base = y_min / (q_D * xi0);
static_assert(y_min_base < 1.0 && gamma_exponent / nu < 2.0);
constexpr double delta_chi_skip = Gamma0 * y_min_base * y_min_base;

// IAPWS R15-11 Eqs. (19) to (22): y = q_D xi, 0 where Eq. (23) gives Z = 0,
// and cpbar as Eq. (18) takes it.
struct correlation {
  double y;
  double cp_bar;
};

[[gnu::always_inline]] inline correlation correlation_of(const reduced_state& r, const enhancement_inputs& in) {
  const double rho_bar = r.rho_bar;
  double cp_bar = in.cp / R_cp;
  double zeta = zeta_factor * in.drho_dp;
  if (in.magnitudes) {
    cp_bar = std::min(std::fabs(cp_bar), cp_bar_max);
    zeta = std::min(std::fabs(zeta), zeta_max);
  } else {
    cp_bar = std::min(cp_bar, cp_bar_max);
  }

  // Eq. (21); Delta chi is tested against the skip bound before any power
  // is taken.
  const double delta_chi = rho_bar * (zeta - zeta_reference(rho_bar) * T_bar_R / r.T_bar);
  if (delta_chi < delta_chi_skip) return {0.0, cp_bar};
  const double xi = xi0 * std::pow(delta_chi / Gamma0, nu / gamma_exponent);
  const double y = q_D * xi;
  return {y < y_min ? 0.0 : y, cp_bar};
}

// IAPWS R15-11 Eqs. (18) and (23), lambda2bar from y and the viscosity. Each
// division that the chain from y would wait for is folded into one: the
// argument of the exponential, -1/(1/y + y^2/(3 rhobar^2)) = -3 rhobar^2 y /
// (3 rhobar^2 + y^3), and 2/(pi y) with the factor of Eq. (18), formed beside
// atan and exp.
[[gnu::always_inline]] inline double enhancement_of(const reduced_state& r, const enhancement_inputs& in, const correlation& c,
                                                      double mu) {
  const double y = c.y;
  if (y == 0.0) return 0.0;
  const double rho_bar = r.rho_bar;
  const double mu_bar = mu / mu_star;
  const double kappa_inv = in.cv / in.cp;
  const double three_rho2 = 3.0 * rho_bar * rho_bar;
  const double scale = 2.0 / std::numbers::pi * Lambda * rho_bar * c.cp_bar * r.T_bar / mu_bar / y;
  const double bracket = (1.0 - kappa_inv) * std::atan(y) + kappa_inv * y -
                         (1.0 - std::exp(-three_rho2 * y / (three_rho2 + y * y * y)));
  return bracket * scale;
}

// lambda0 (Eq. (16)) and lambda1 (Eq. (17)) of a reduced state.
[[gnu::always_inline]] inline conductivity dilute_and_residual(const reduced_state& r) {
  const double inv_T = r.inv_T_bar;
  conductivity out{0.0, 0.0, 0.0, 0.0};
  out.lambda0 = r.sqrt_T_bar / (L0[0] + inv_T * (L0[1] + inv_T * (L0[2] + inv_T * (L0[3] + inv_T * L0[4]))));
  out.lambda1 = std::exp(r.rho_bar * if97::evaluate<residual_terms, if97::part_f>(inv_T - 1.0, r.rho_bar - 1.0).f);
  return out;
}

// Eq. (18) with lambda2bar.
[[gnu::always_inline]] inline conductivity with_enhancement(conductivity out, double lambda2) {
  out.lambda2 = lambda2;
  out.lambda = (out.lambda0 * out.lambda1 + out.lambda2) * lambda_star;
  return out;
}

// The conductivity with the enhancement at the viscosity mu: what
// thermal_conductivity(T, rho, in, mu) and transport_of(T, rho, in) form.
[[gnu::always_inline]] inline conductivity enhanced(const reduced_state& r, const enhancement_inputs& in, double mu) {
  const correlation c = correlation_of(r, in);
  const conductivity k = dilute_and_residual(r);
  return with_enhancement(k, enhancement_of(r, in, c, mu));
}

}  // namespace

conductivity thermal_conductivity(double T, double rho) {
  return with_enhancement(dilute_and_residual(reduced(T, rho)), 0.0);
}

conductivity thermal_conductivity(double T, double rho, const enhancement_inputs& in, double mu) {
  return enhanced(reduced(T, rho), in, mu);
}

viscosity_conductivity transport_of(double T, double rho) {
  const reduced_state r = reduced(T, rho);
  const double mu = viscosity(r);
  return {mu, with_enhancement(dilute_and_residual(r), 0.0).lambda};
}

viscosity_conductivity transport_of(double T, double rho, const enhancement_inputs& in) {
  const reduced_state r = reduced(T, rho);
  const double mu = viscosity(r);
  return {mu, enhanced(r, in, mu).lambda};
}

}  // namespace transport
