#include "if97/region3.hpp"

#include <array>
#include <cmath>

#include "if97/constants.hpp"
#include "if97/if97.h"
#include "if97/region2_ideal.hpp"
#include "if97/series.hpp"

namespace if97 {
namespace {

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007) Table 30, row 1: the coefficient of ln delta in Eq. (28)
constexpr double n1_ln_delta = 0.10658070028513e1;

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007) Table 30: numerical values of the coefficients and exponents of the dimensionless Helmholtz free energy for region 3, Eq. (28), rows 2 to 40 (row 1, the coefficient of ln delta, is n1_ln_delta)
inline constexpr std::array<term, 39> region3_terms{{
    {0, 0, -0.15732845290239e2},
    {0, 1, 0.20944396974307e2},
    {0, 2, -0.76867707878716e1},
    {0, 7, 0.26185947787954e1},
    {0, 10, -0.28080781148620e1},
    {0, 12, 0.12053369696517e1},
    {0, 23, -0.84566812812502e-2},
    {1, 2, -0.12654315477714e1},
    {1, 6, -0.11524407806681e1},
    {1, 15, 0.88521043984318},
    {1, 17, -0.64207765181607},
    {2, 0, 0.38493460186671},
    {2, 2, -0.85214708824206},
    {2, 6, 0.48972281541877e1},
    {2, 7, -0.30502617256965e1},
    {2, 22, 0.39420536879154e-1},
    {2, 26, 0.12558408424308},
    {3, 0, -0.27999329698710},
    {3, 2, 0.13899799569460e1},
    {3, 4, -0.20189915023570e1},
    {3, 16, -0.82147637173963e-2},
    {3, 26, -0.47596035734923},
    {4, 0, 0.43984074473500e-1},
    {4, 2, -0.44476435428739},
    {4, 4, 0.90572070719733},
    {4, 26, 0.70522450087967},
    {5, 1, 0.10770512626332},
    {5, 3, -0.32913623258954},
    {5, 26, -0.50871062041158},
    {6, 0, -0.22175400873096e-1},
    {6, 2, 0.94260751665092e-1},
    {6, 26, 0.16436278447961},
    {7, 2, -0.13503372241348e-1},
    {8, 26, -0.14834345352472e-1},
    {9, 2, 0.57922953628084e-3},
    {9, 26, 0.32308904703711e-2},
    {10, 0, 0.80964802996215e-4},
    {10, 1, -0.16557679795037e-3},
    {11, 26, -0.44923899061815e-4},
}};

// (dp/dv)_T is formed with a gas constant of its own, 1.4e-8 relative above
// R: the value that its caller, the thermal conductivity's critical
// enhancement, expects.
constexpr double R_dpdv = 0.4615260064601898;  // kJ/(kg K)

// phi and its derivatives (IAPWS-IF97 Table 32), kept in the combinations
// that the relations of Table 31 use, so that the ln delta term never needs a
// division: d = delta phi_delta, dd = delta^2 phi_deltadelta,
// t = tau phi_tau, tt = tau^2 phi_tautau, dt = delta tau phi_deltatau.
struct helmholtz {
  double delta, tau;
  double f, d, dd, t, tt, dt;
};

// The series runs in x = delta = rho / rho_c and y = tau = T_c / T. Its
// scaled derivatives (evaluate_scaled: delta d/ddelta of the sum, and so on)
// are these combinations less the ln delta term, so that no product follows
// the sums; ln delta itself is taken only when W asks for phi.
template <unsigned W>
[[gnu::always_inline]] inline helmholtz phi(double T, double v) {
  const double delta = v_c / v;
  const double tau = T_c / T;
  const series_value s = evaluate_scaled<region3_terms, W>(delta, tau);
  helmholtz h{delta, tau, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
  if constexpr ((W & part_f) != 0) h.f = n1_ln_delta * std::log(delta) + s.f;
  if constexpr ((W & part_x) != 0) h.d = n1_ln_delta + s.x;
  if constexpr ((W & part_xx) != 0) h.dd = s.xx - n1_ln_delta;
  if constexpr ((W & part_y) != 0) h.t = s.y;
  if constexpr ((W & part_yy) != 0) h.tt = s.yy;
  if constexpr ((W & part_xy) != 0) h.dt = s.xy;
  return h;
}

// 2 delta phi_delta + delta^2 phi_deltadelta: (dp/drho)_T / (R T).
inline double compressibility_term(const helmholtz& h) { return 2.0 * h.d + h.dd; }

// IAPWS-IF97 Table 31: the properties as relations of phi's derivatives,
// each written once for the operation of one property and for all of them.
double p_of(const helmholtz& h, double T, double v) { return 1e-3 * R * T / v * h.d; }
double h_of(const helmholtz& h, double T) { return R * T * (h.t + h.d); }
double s_of(const helmholtz& h) { return R * (h.t - h.f); }
double u_of(const helmholtz& h, double T) { return R * T * h.t; }
double cv_of(const helmholtz& h) { return -R * h.tt; }
// The relation diverges at the critical point, where the fixed value of the
// window stands in for it; elsewhere its magnitude, also where
// (dp/drho)_T < 0 in the unstable part of an isotherm.
double cp_of(const helmholtz& h, double T, double v) {
  if (std::fabs(1.0 / v - rho_c) <= cp_window_rho && std::fabs(T - T_c) <= cp_window_T) return cp_critical;
  const double a = h.d - h.dt;
  return std::fabs(R * (a * a / compressibility_term(h) - h.tt));
}
double w_of(const helmholtz& h, double T) {
  const double a = h.d - h.dt;
  return std::sqrt(R_sound * T * (compressibility_term(h) - a * a / h.tt));
}
// (dv/dp)_T = -v^2 / (dp/drho)_T per MPa, and (dv/dT)_p = v^2 (dp/dT)_rho /
// (dp/drho)_T with (dp/dT)_rho = rho R (delta phi_delta - delta tau phi_deltatau).
double dv_dp_of(const helmholtz& h, double T, double v) { return -1e3 * v * v / (R * T * compressibility_term(h)); }
double dv_dT_of(const helmholtz& h, double T, double v) { return v * (h.d - h.dt) / (T * compressibility_term(h)); }
// IAPWS-IF97 Table 31: p = rho R T delta phi_delta, differentiated.
double dp_dT_of(const helmholtz& h, double v) { return 1e-3 * R / v * (h.d - h.dt); }
double dp_drho_of(const helmholtz& h, double T) { return 1e-3 * R * T * compressibility_term(h); }

constexpr unsigned all_parts = part_f | part_x | part_xx | part_y | part_yy | part_xy;

// p and the slopes W (helmholtz_slope bits) from the sums they need.
template <unsigned W>
helmholtz_slopes slopes_of(double T, double v) {
  constexpr bool pT = (W & want_dp_dT) != 0, prho = (W & want_dp_drho) != 0, c = (W & want_cv) != 0;
  const helmholtz h = phi<part_x | (pT ? part_xy : 0u) | (prho ? part_xx : 0u) | (c ? part_yy : 0u)>(T, v);
  helmholtz_slopes out{p_of(h, T, v), 0.0, 0.0, 0.0};
  if constexpr (pT) out.dp_dT = dp_dT_of(h, v);
  if constexpr (prho) out.dp_drho = dp_drho_of(h, T);
  if constexpr (c) out.cv = cv_of(h);
  return out;
}

}  // namespace

double p3(double T, double v) { return p_of(phi<part_x>(T, v), T, v); }
double h3(double T, double v) { return h_of(phi<part_x | part_y>(T, v), T); }
double s3(double T, double v) { return s_of(phi<part_f | part_y>(T, v)); }
double u3(double T, double v) { return u_of(phi<part_y>(T, v), T); }
double cp3(double T, double v) { return cp_of(phi<part_x | part_xx | part_yy | part_xy>(T, v), T, v); }
double cv3(double T, double v) { return cv_of(phi<part_yy>(T, v)); }
double w3(double T, double v) { return w_of(phi<part_x | part_xx | part_yy | part_xy>(T, v), T); }

// f = p exp(g/(R T) - gamma0) with g = R T phi + p v at the caller's p and
// gamma0 the region-2 ideal-gas part; its ln pi cancels the factor p.
double fug3(double p, double T, double v) {
  const helmholtz h = phi<part_f>(T, v);
  const double ideal = region2_ideal_sum<part_f>(region2_T_star / T).f;
  return std::exp(h.f + 1e3 * p * v / (R * T) - ideal);
}

double dpdv3(double T, double v) {
  return -R_dpdv * T / (v * v) * compressibility_term(phi<part_x | part_xx>(T, v));
}

isotherm_point p3_isotherm(double T, double rho) {
  const helmholtz h = phi<part_x | part_xx>(T, 1.0 / rho);
  const double RT = 1e-3 * R * T;
  return {RT * rho * h.d, RT * compressibility_term(h)};
}

properties properties3(double T, double v) {
  pressure_slopes unused;
  return properties3(T, v, unused);
}

properties properties3(double T, double v, pressure_slopes& slopes) {
  const helmholtz h = phi<all_parts>(T, v);
  slopes = {dp_dT_of(h, v), dp_drho_of(h, T)};
  return {p_of(h, T, v), T, v, h_of(h, T), s_of(h), u_of(h, T), cp_of(h, T, v), cv_of(h), w_of(h, T),
          dv_dp_of(h, T, v), dv_dT_of(h, T, v)};
}

helmholtz_slopes slopes3(double T, double v, unsigned want) {
  return with_wanted(want, [&](auto w) { return slopes_of<decltype(w)::value>(T, v); });
}

// (du/dT)_v = cv = -R tau^2 phi_tautau; (dh/dT)_v = cv + v (dp/dT)_v, whose
// v (dp/dT)_v is R (delta phi_delta - delta tau phi_deltatau) (IAPWS-IF97
// Table 31); (ds/dT)_v = cv / T.
isochore_point u3_isochore(double T, double v) {
  const helmholtz h = phi<part_y | part_yy>(T, v);
  return {u_of(h, T), cv_of(h)};
}
isochore_point h3_isochore(double T, double v) {
  const helmholtz h = phi<part_x | part_y | part_yy | part_xy>(T, v);
  return {h_of(h, T), cv_of(h) + R * (h.d - h.dt)};
}
isochore_point s3_isochore(double T, double v) {
  const helmholtz h = phi<part_f | part_y | part_yy>(T, v);
  return {s_of(h), cv_of(h) / T};
}

}  // namespace if97

double IF97_P3(const double* T, const double* v) noexcept { return if97::p3(*T, *v); }
double IF97_H3(const double* T, const double* v) noexcept { return if97::h3(*T, *v); }
double IF97_S3(const double* T, const double* v) noexcept { return if97::s3(*T, *v); }
double IF97_U3(const double* T, const double* v) noexcept { return if97::u3(*T, *v); }
double IF97_CP3(const double* T, const double* v) noexcept { return if97::cp3(*T, *v); }
double IF97_CV3(const double* T, const double* v) noexcept { return if97::cv3(*T, *v); }
double IF97_W3(const double* T, const double* v) noexcept { return if97::w3(*T, *v); }
double IF97_FUG3(const double* p, const double* T, const double* v) noexcept { return if97::fug3(*p, *T, *v); }
double IF97_DPDV3(const double* T, const double* v) noexcept { return if97::dpdv3(*T, *v); }
