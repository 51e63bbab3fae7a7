// The Gibbs free energy of IAPWS-IF97 regions 2 and 5, gamma = ln pi +
// sum n0 tau^J0 + sum n pi^I (tau - c)^J with pi = p / 1 MPa and
// tau = T* / T, and the properties of IAPWS-IF97 Tables 12 and 39, which are
// the same relations for both regions. An instance pairs a region's ideal-gas
// and residual tables with its reducing temperature and shift.
#pragma once

#include <cmath>
#include <limits>

#include "if97/constants.hpp"
#include "if97/properties.hpp"
#include "if97/series.hpp"

namespace if97 {

// T_star (K) and tau_shift are references to constexpr doubles: a double as a
// template argument is not yet accepted by every compiler.
template <const auto& IdealTerms, const auto& ResidualTerms, const double& T_star, const double& tau_shift>
struct steam_gibbs {
  // The parts of gamma and their derivatives. The ideal-gas sums exclude
  // ln pi, whose derivatives 1/pi and -1/pi^2 the relations write out; the
  // residual series runs in x = pi and y = tau - shift, so its derivatives are
  // those of pi and tau.
  struct parts {
    double pi, tau;
    double g0, g0_t, g0_tt, g0_ttt;                      // sum n0 tau^J0 and its tau-derivatives
    double gr, gr_p, gr_pp, gr_t, gr_tt, gr_pt, gr_ttt;  // gamma^r and its derivatives
  };

  // Ideal: the parts of the ideal-gas sum (part_f, part_y, part_yy, part_yyy);
  // Residual: the parts of gamma^r (any series_part). Either may be 0.
  // 1/tau = T / T* is formed beside tau, not after it: the ideal-gas sum's
  // negative powers of tau then wait for one division, not two.
  template <unsigned Ideal, unsigned Residual>
  [[gnu::always_inline]] static parts gamma(double p, double T) {
    const double tau = T_star / T;
    const series_value o = evaluate_y<IdealTerms, Ideal>(tau, T / T_star);
    const series_value r = evaluate<ResidualTerms, Residual>(p, tau - tau_shift);
    return {p, tau, o.f, o.y, o.yy, o.yyy, r.f, r.x, r.xx, r.y, r.yy, r.xy, r.yyy};
  }

  // IAPWS-IF97 Tables 12 and 39: the properties as relations of the parts,
  // each written once for the operation of one property and for all of them.
  // pi (gamma0_pi + gamma^r_pi) = 1 + pi gamma^r_pi; R T tau = R T*.
  static double v_of(const parts& g, double T) { return 1e-3 * R * T / g.pi * (1.0 + g.pi * g.gr_p); }
  static double h_of(const parts& g) { return R * T_star * (g.g0_t + g.gr_t); }
  static double s_of(const parts& g) { return R * (g.tau * (g.g0_t + g.gr_t) - (std::log(g.pi) + g.g0 + g.gr)); }
  static double u_of(const parts& g, double T) { return R * T * (g.tau * (g.g0_t + g.gr_t) - (1.0 + g.pi * g.gr_p)); }
  static double cp_of(const parts& g) { return -R * g.tau * g.tau * (g.g0_tt + g.gr_tt); }
  // d/dT of -R tau^2 gamma_tautau with dtau/dT = -tau/T.
  static double dcp_dT_of(const parts& g, double T) {
    return R * g.tau * g.tau * (2.0 * (g.g0_tt + g.gr_tt) + g.tau * (g.g0_ttt + g.gr_ttt)) / T;
  }
  static double cv_of(const parts& g) {
    const double a = 1.0 + g.pi * g.gr_p - g.tau * g.pi * g.gr_pt;
    return R * (-g.tau * g.tau * (g.g0_tt + g.gr_tt) - a * a / (1.0 - g.pi * g.pi * g.gr_pp));
  }
  // 1 + 2 pi gamma^r_pi + pi^2 (gamma^r_pi)^2 = (1 + pi gamma^r_pi)^2.
  static double w_of(const parts& g, double T) {
    const double b = 1.0 + g.pi * g.gr_p;
    const double a = b - g.tau * g.pi * g.gr_pt;
    const double tt = g.tau * g.tau * (g.g0_tt + g.gr_tt);
    return std::sqrt(R_sound * T * b * b / ((1.0 - g.pi * g.pi * g.gr_pp) + a * a / tt));
  }
  // (dv/dp)_T = 10^-3 R T gamma_pipi per MPa with gamma_pipi = -1/pi^2 +
  // gamma^r_pipi (p* = 1 MPa); per kPa another 10^-3.
  static double dvdp_of(const parts& g, double T) { return 1e-6 * R * T * (-1.0 / (g.pi * g.pi) + g.gr_pp); }
  // (dv/dT)_p = 10^-3 R (gamma_pi - tau gamma_pitau), dtau/dT = -tau/T, as
  // v / T - 10^-3 R tau gamma^r_pitau from v of the state: the one expression
  // of the whole evaluation and of the slopes (whose gamma^r_pitau, from the
  // scaled sums, is the whole evaluation's to rounding).
  static double dv_dT_of(const parts& g, double T, double v) { return v / T - 1e-3 * R * g.tau * g.gr_pt; }

  static constexpr unsigned all_parts = part_f | part_x | part_xx | part_y | part_yy | part_xy;

  static double v(double p, double T) { return v_of(gamma<0, part_x>(p, T), T); }
  static double h(double p, double T) { return h_of(gamma<part_y, part_y>(p, T)); }
  static double s(double p, double T) { return s_of(gamma<part_f | part_y, part_f | part_y>(p, T)); }
  static double u(double p, double T) { return u_of(gamma<part_y, part_x | part_y>(p, T), T); }
  static double cp(double p, double T) { return cp_of(gamma<part_yy, part_yy>(p, T)); }
  static double cv(double p, double T) { return cv_of(gamma<part_yy, part_x | part_xx | part_yy | part_xy>(p, T)); }
  static double w(double p, double T) { return w_of(gamma<part_yy, part_x | part_xx | part_yy | part_xy>(p, T), T); }

  // f = p exp(gamma - gamma0) = p exp(gamma^r), referred to the region's own ideal gas.
  static double fug(double p, double T) { return p * std::exp(gamma<0, part_f>(p, T).gr); }

  static double dvdp(double p, double T) { return dvdp_of(gamma<0, part_xx>(p, T), T); }

  static properties all(double p, double T) {
    const parts g = gamma<part_f | part_y | part_yy, all_parts>(p, T);
    const double v = v_of(g, T);
    return {p, T, v, h_of(g), s_of(g), u_of(g, T), cp_of(g), cv_of(g), w_of(g, T), 1e3 * dvdp_of(g, T),
            dv_dT_of(g, T, v)};
  }

  // The properties of an extent, NaN beyond it.
  static properties some(double p, double T, extent e) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    switch (e) {
      case extent::none: return {p, T, nan, nan, nan, nan, nan, nan, nan, nan, nan};
      case extent::volume: return {p, T, v_of(gamma<0, part_x>(p, T), T), nan, nan, nan, nan, nan, nan, nan, nan};
      case extent::caloric: {
        const parts g = gamma<part_f | part_y, part_f | part_x | part_y>(p, T);
        return {p, T, v_of(g, T), h_of(g), s_of(g), u_of(g, T), nan, nan, nan, nan, nan};
      }
      case extent::all: break;
    }
    return all(p, T);
  }

  // What a Newton step in (T, p) needs: v, h, u, cp and the slopes of v, s
  // where Entropy; cv, w (and s otherwise) NaN, and their sums not formed.
  template <bool Entropy>
  static properties for_step(double p, double T) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr unsigned f = Entropy ? part_f : 0u;
    const parts g = gamma<f | part_y | part_yy, f | part_x | part_xx | part_y | part_yy | part_xy>(p, T);
    const double v = v_of(g, T);
    return {p, T, v, h_of(g), Entropy ? s_of(g) : nan, u_of(g, T), cp_of(g), nan, nan, 1e3 * dvdp_of(g, T),
            dv_dT_of(g, T, v)};
  }

  // What a Newton step along an isobar in T (of v) or along an isotherm in p
  // (of h or s) needs: v and (dv/dT)_p, with h where Enthalpy and s where
  // Entropy (each the same to the last bit as all()'s), the rest NaN; the
  // sums of cp and (dv/dp)_T, which such a step multiplies by zero, not formed.
  template <bool Enthalpy, bool Entropy>
  static properties along_line(double p, double T) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr unsigned f = Entropy ? part_f : 0u, y = Enthalpy || Entropy ? part_y : 0u;
    const parts g = gamma<f | y, f | part_x | y | part_xy>(p, T);
    const double v = v_of(g, T);
    return {p, T, v, Enthalpy ? h_of(g) : nan, Entropy ? s_of(g) : nan, nan, nan, nan, nan, nan, dv_dT_of(g, T, v)};
  }

  static caloric enthalpy_cp(double p, double T) {
    constexpr unsigned W = part_y | part_yy | part_yyy;
    const parts g = gamma<W, W>(p, T);
    return {h_of(g), cp_of(g), dcp_dT_of(g, T)};
  }

  static hsv h_s_v(double p, double T) {
    const parts g = gamma<part_f | part_y, part_f | part_x | part_y>(p, T);
    return {h_of(g), s_of(g), v_of(g, T)};
  }

  // The slopes W (gibbs_slope bits) from the sums they need. With v of the
  // state given (v_of), (dv/dT)_p = v / T - R tau gamma^r_pitau needs
  // gamma^r_pitau alone.
  template <unsigned W>
  static gibbs_slopes slopes_of(double p, double T, double v) {
    constexpr bool vp = (W & want_dv_dp) != 0, vT = (W & want_dv_dT) != 0, c = (W & want_cp) != 0;
    constexpr unsigned residual = (vp ? part_xx : 0u) | (vT ? part_xy : 0u) | (c ? part_yy : 0u);
    // The residual's scaled second derivatives (evaluate_scaled_nested) over
    // (pi y)-products of the reciprocals, formed beside the sums: the
    // whole evaluation's to rounding, for two or three sums at the cost of
    // one or two.
    const double tau = T_star / T;
    const double inv_pi = 1.0 / p;
    const double inv_y = T / (T_star - tau_shift * T);
    const double by_pp = detail::opaque(inv_pi * inv_pi), by_yy = detail::opaque(inv_y * inv_y),
                 by_py = detail::opaque(inv_pi * inv_y);
    const series_value o = evaluate_y<IdealTerms, c ? part_yy : 0u>(tau, T / T_star);
    const series_value r = evaluate_scaled_nested<ResidualTerms, residual>(p, tau - tau_shift, inv_y);
    const double gr_pp = r.xx * by_pp, gr_tt = r.yy * by_yy, gr_pt = r.xy * by_py;
    const parts g{p, tau, 0.0, 0.0, o.yy, 0.0, 0.0, 0.0, gr_pp, 0.0, gr_tt, gr_pt, 0.0};
    gibbs_slopes out{0.0, 0.0, 0.0};
    if constexpr (vp) out.dv_dp = 1e3 * dvdp_of(g, T);
    if constexpr (vT) out.dv_dT = dv_dT_of(g, T, v);
    if constexpr (c) out.cp = cp_of(g);
    return out;
  }
  static gibbs_slopes slopes(double p, double T, double v, unsigned want) {
    return with_wanted(want, [&](auto w) { return slopes_of<decltype(w)::value>(p, T, v); });
  }

  static caloric entropy_cp(double p, double T) {
    constexpr unsigned W = part_f | part_y | part_yy | part_yyy;
    const parts g = gamma<W, W>(p, T);
    return {s_of(g), cp_of(g), dcp_dT_of(g, T)};
  }
};

}  // namespace if97
