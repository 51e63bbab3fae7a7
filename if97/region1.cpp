#include "if97/region1.hpp"

#include <array>
#include <cmath>
#include <limits>

#include "if97/constants.hpp"
#include "if97/if97.h"
#include "if97/region2_ideal.hpp"
#include "if97/series.hpp"

namespace if97 {
namespace {

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007) Table 2: numerical values of the coefficients and exponents of the dimensionless Gibbs free energy for region 1, Eq. (7)
inline constexpr std::array<term, 34> region1_terms{{
    {0, -2, 0.14632971213167},
    {0, -1, -0.84548187169114},
    {0, 0, -0.37563603672040e1},
    {0, 1, 0.33855169168385e1},
    {0, 2, -0.95791963387872},
    {0, 3, 0.15772038513228},
    {0, 4, -0.16616417199501e-1},
    {0, 5, 0.81214629983568e-3},
    {1, -9, 0.28319080123804e-3},
    {1, -7, -0.60706301565874e-3},
    {1, -1, -0.18990068218419e-1},
    {1, 0, -0.32529748770505e-1},
    {1, 1, -0.21841717175414e-1},
    {1, 3, -0.52838357969930e-4},
    {2, -3, -0.47184321073267e-3},
    {2, 0, -0.30001780793026e-3},
    {2, 1, 0.47661393906987e-4},
    {2, 3, -0.44141845330846e-5},
    {2, 17, -0.72694996297594e-15},
    {3, -4, -0.31679644845054e-4},
    {3, 0, -0.28270797985312e-5},
    {3, 6, -0.85205128120103e-9},
    {4, -5, -0.22425281908000e-5},
    {4, -2, -0.65171222895601e-6},
    {4, 10, -0.14341729937924e-12},
    {5, -8, -0.40516996860117e-6},
    {8, -11, -0.12734301741641e-8},
    {8, -6, -0.17424871230634e-9},
    {21, -29, -0.68762131295531e-18},
    {23, -31, 0.14478307828521e-19},
    {29, -38, 0.26335781662795e-22},
    {30, -39, -0.11947622640071e-22},
    {31, -40, 0.18228094581404e-23},
    {32, -41, -0.93537087292458e-25},
}};

constexpr double p_star = 16.53;     // MPa
constexpr double T_star = 1386.0;    // K
constexpr double pi_shift = 7.1;     // Eq. (7): powers of (7.1 - pi)
constexpr double tau_shift = 1.222;  // Eq. (7): powers of (tau - 1.222)

// gamma and its derivatives (IAPWS-IF97 Table 4). The series runs in
// x = 7.1 - pi and y = tau - 1.222, so d/dpi = -d/dx.
struct gibbs {
  double pi, tau;
  double g, g_p, g_pp, g_t, g_tt, g_pt, g_ttt;
};

template <unsigned W>
[[gnu::always_inline]] inline gibbs gamma(double p, double T) {
  const double pi = p * (1.0 / p_star);
  const double tau = T_star / T;
  const series_value s = evaluate<region1_terms, W>(pi_shift - pi, tau - tau_shift);
  return {pi, tau, s.f, -s.x, s.xx, s.y, s.yy, -s.xy, s.yyy};
}

// IAPWS-IF97 Table 3: the properties as relations of gamma's derivatives,
// each written once for the operation of one property and for all of them.
double v_of(const gibbs& g, double T) { return 1e-3 * R * T * g.g_p / p_star; }
double h_of(const gibbs& g) { return R * T_star * g.g_t; }
double s_of(const gibbs& g) { return R * (g.tau * g.g_t - g.g); }
double u_of(const gibbs& g, double T) { return R * T * (g.tau * g.g_t - g.pi * g.g_p); }
double cp_of(const gibbs& g) { return -R * g.tau * g.tau * g.g_tt; }
// d/dT of -R tau^2 gamma_tautau with dtau/dT = -tau/T.
double dcp_dT_of(const gibbs& g, double T) { return R * g.tau * g.tau * (2.0 * g.g_tt + g.tau * g.g_ttt) / T; }
double cv_of(const gibbs& g) {
  const double a = g.g_p - g.tau * g.g_pt;
  return R * (-g.tau * g.tau * g.g_tt + a * a / g.g_pp);
}
double w_of(const gibbs& g, double T) {
  const double a = g.g_p - g.tau * g.g_pt;
  return std::sqrt(R_sound * T * g.g_p * g.g_p / (a * a / (g.tau * g.tau * g.g_tt) - g.g_pp));
}
// (dv/dp)_T per kPa and (dv/dT)_p, dtau/dT = -tau/T; the constant factors
// folded first, so that no division waits for the series' sums.
constexpr double R_by_p_star = 1e-3 * R / p_star;  // m3/(kg K), with gamma_pi: v / T
double dvdp_of(const gibbs& g, double T) { return (1e-3 * R_by_p_star / p_star) * T * g.g_pp; }
// (dv/dT)_p = v / T - R tau gamma_pitau / p*, from v of the state: the one
// expression of the whole evaluation and of slopes1, so that both give the
// same bits for the same v.
double dv_dT_of(const gibbs& g, double T, double v) { return v / T - R_by_p_star * g.tau * g.g_pt; }

constexpr unsigned all_parts = part_f | part_x | part_xx | part_y | part_yy | part_xy;

// The slopes W (gibbs_slope bits) from the sums they need. With v = R T
// gamma_pi / p* of the state given, (dv/dT)_p = v / T - R tau gamma_pitau / p*
// needs gamma_pitau alone. Scaled: the sums are the scaled ones
// (evaluate_scaled_nested: Horner's rule in y within each power of x), two
// to a vector, over products of 1/x and 1/y formed beside them, for two or three sums at the cost of one or two; x = 7.1 - pi
// >= 1.05 and y = tau - 1.222 >= 1.0 in region 1, never zero. They are the
// whole evaluation's to rounding, which the sums magnify where their terms
// cancel (gamma_pitau near 277 K and at psat(623.15 K): 2.4e-13 relative
// seen).
template <unsigned W, bool Scaled>
gibbs_slopes slopes_of(double p, double T, double v) {
  constexpr unsigned parts = ((W & want_dv_dp) != 0 ? part_xx : 0u) | ((W & want_dv_dT) != 0 ? part_xy : 0u) |
                             ((W & want_cp) != 0 ? part_yy : 0u);
  gibbs g;
  if constexpr (Scaled) {
    const double pi = p * (1.0 / p_star);
    const double tau = T_star / T;
    const double x = pi_shift - pi, y = tau - tau_shift;
    const double inv_x = 1.0 / x, inv_y = T / (T_star - tau_shift * T);
    const double by_xx = detail::opaque(inv_x * inv_x), by_yy = detail::opaque(inv_y * inv_y),
                 by_xy = detail::opaque(inv_x * inv_y);
    const series_value s = evaluate_scaled_nested<region1_terms, parts>(x, y, inv_y);
    g = {pi, tau, 0.0, 0.0, s.xx * by_xx, 0.0, s.yy * by_yy, -s.xy * by_xy, 0.0};
  } else {
    g = gamma<parts>(p, T);
  }
  gibbs_slopes out{0.0, 0.0, 0.0};
  if constexpr ((W & want_dv_dp) != 0) out.dv_dp = 1e3 * dvdp_of(g, T);
  if constexpr ((W & want_dv_dT) != 0) out.dv_dT = dv_dT_of(g, T, v);
  if constexpr ((W & want_cp) != 0) out.cp = cp_of(g);
  return out;
}

}  // namespace

double v1(double p, double T) { return v_of(gamma<part_x>(p, T), T); }
double h1(double p, double T) { return h_of(gamma<part_y>(p, T)); }
double s1(double p, double T) { return s_of(gamma<part_f | part_y>(p, T)); }
double u1(double p, double T) { return u_of(gamma<part_x | part_y>(p, T), T); }
double cp1(double p, double T) { return cp_of(gamma<part_yy>(p, T)); }
double cv1(double p, double T) { return cv_of(gamma<part_x | part_xx | part_yy | part_xy>(p, T)); }
double w1(double p, double T) { return w_of(gamma<part_x | part_xx | part_yy | part_xy>(p, T), T); }

// f = p exp(gamma - gamma0) with gamma0 the region-2 ideal-gas part; its ln pi
// cancels the factor p, leaving exp(gamma - sum n0 tau2^J0).
double fug1(double p, double T) {
  const gibbs g = gamma<part_f>(p, T);
  const double ideal = region2_ideal_sum<part_f>(region2_T_star / T).f;
  return std::exp(g.g - ideal);
}

double dvdp1(double p, double T) { return dvdp_of(gamma<part_xx>(p, T), T); }

properties properties1(double p, double T) {
  const gibbs g = gamma<all_parts>(p, T);
  const double v = v_of(g, T);
  return {p, T, v, h_of(g), s_of(g), u_of(g, T), cp_of(g), cv_of(g), w_of(g, T), 1e3 * dvdp_of(g, T), dv_dT_of(g, T, v)};
}

properties properties1(double p, double T, extent e) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  switch (e) {
    case extent::none: return {p, T, nan, nan, nan, nan, nan, nan, nan, nan, nan};
    case extent::volume: return {p, T, v_of(gamma<part_x>(p, T), T), nan, nan, nan, nan, nan, nan, nan, nan};
    case extent::caloric: {
      const gibbs g = gamma<part_f | part_x | part_y>(p, T);
      return {p, T, v_of(g, T), h_of(g), s_of(g), u_of(g, T), nan, nan, nan, nan, nan};
    }
    case extent::all: break;
  }
  return properties1(p, T);
}

namespace {
template <bool Entropy>
properties for_step(double p, double T) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  const gibbs g = gamma<(Entropy ? part_f : 0u) | part_x | part_xx | part_y | part_yy | part_xy>(p, T);
  const double v = v_of(g, T);
  return {p, T, v, h_of(g), Entropy ? s_of(g) : nan, u_of(g, T), cp_of(g), nan, nan, 1e3 * dvdp_of(g, T),
          dv_dT_of(g, T, v)};
}
}  // namespace

properties properties1_for_step(double p, double T, bool entropy) {
  return entropy ? for_step<true>(p, T) : for_step<false>(p, T);
}

caloric enthalpy_cp1(double p, double T) {
  const gibbs g = gamma<part_y | part_yy | part_yyy>(p, T);
  return {h_of(g), cp_of(g), dcp_dT_of(g, T)};
}

hsv hsv1(double p, double T) {
  const gibbs g = gamma<part_f | part_x | part_y>(p, T);
  return {h_of(g), s_of(g), v_of(g, T)};
}

gibbs_slopes slopes1(double p, double T, double v, unsigned want) {
  return with_wanted(want, [&](auto w) { return slopes_of<decltype(w)::value, false>(p, T, v); });
}

gibbs_slopes slopes1_scaled(double p, double T, double v, unsigned want) {
  return with_wanted(want, [&](auto w) { return slopes_of<decltype(w)::value, true>(p, T, v); });
}

caloric entropy_cp1(double p, double T) {
  const gibbs g = gamma<part_f | part_y | part_yy | part_yyy>(p, T);
  return {s_of(g), cp_of(g), dcp_dT_of(g, T)};
}

// v, h and u from gamma_pi and gamma_tau alone, the rest NaN: for a step of
// the flashes of density with u or h.
properties properties1_volume_energy(double p, double T) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  const gibbs g = gamma<part_x | part_y>(p, T);
  return {p, T, v_of(g, T), h_of(g), nan, u_of(g, T), nan, nan, nan, nan, nan};
}

}  // namespace if97

double IF97_V1(const double* p, const double* T) noexcept { return if97::v1(*p, *T); }
double IF97_H1(const double* p, const double* T) noexcept { return if97::h1(*p, *T); }
double IF97_S1(const double* p, const double* T) noexcept { return if97::s1(*p, *T); }
double IF97_U1(const double* p, const double* T) noexcept { return if97::u1(*p, *T); }
double IF97_CP1(const double* p, const double* T) noexcept { return if97::cp1(*p, *T); }
double IF97_CV1(const double* p, const double* T) noexcept { return if97::cv1(*p, *T); }
double IF97_W1(const double* p, const double* T) noexcept { return if97::w1(*p, *T); }
double IF97_FUG1(const double* p, const double* T) noexcept { return if97::fug1(*p, *T); }
double IF97_DVDP1(const double* p, const double* T) noexcept { return if97::dvdp1(*p, *T); }
