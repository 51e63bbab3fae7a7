// First partial derivatives of a state: the gradients of every quantity in
// the state's natural variables, and one ratio of 2x2 Jacobians for each
// derivative.
#include "water/derivatives.hpp"

#include <cmath>
#include <cstring>
#include <limits>

#include "if97/constants.hpp"
#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region3.hpp"
#include "if97/region5.hpp"
#include "if97/saturation.hpp"

namespace kviapws97::water {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double J_per_kJ = 1e3;
constexpr double Pa_per_MPa = 1e6;

constexpr std::size_t at(quantity q) { return static_cast<std::size_t>(q); }
constexpr std::size_t P = at(quantity::p), T_ = at(quantity::T), RHO = at(quantity::rho), V = at(quantity::v),
                      H = at(quantity::h), S = at(quantity::s), U = at(quantity::u), G = at(quantity::g),
                      F = at(quantity::f), X = at(quantity::x);

using gradient = std::array<double, quantity_count>;

// Regions 1, 2 and 5 in (p, T): from v, (dv/dp)_T, (dv/dT)_p and cp of the
// Gibbs free energy's second derivatives, with Maxwell's (ds/dp)_T = -(dv/dT)_p.
jacobian gibbs_gradients(const if97::properties& q) {
  const double p = Pa_per_MPa * q.p, T = q.T, v = q.v, s = J_per_kJ * q.s, cp = J_per_kJ * q.cp;
  const double v_p = q.dv_dp / Pa_per_MPa, v_T = q.dv_dT;
  const double rho2 = 1.0 / (v * v);
  return {gradient{1.0, 0.0, -v_p * rho2, v_p, v - T * v_T, -v_T, -T * v_T - p * v_p, v, -p * v_p, nan},
          gradient{0.0, 1.0, -v_T * rho2, v_T, cp, cp / T, cp - p * v_T, -s, -s - p * v_T, nan}};
}

// Region 3 in (T, rho): from p, (dp/dT)_rho, (dp/drho)_T and cv of the
// Helmholtz free energy's second derivatives, with (du/dv)_T = T (dp/dT)_v - p
// and Maxwell's (ds/dv)_T = (dp/dT)_v.
jacobian helmholtz_gradients(const if97::properties& q, const if97::pressure_slopes& sl) {
  const double p = Pa_per_MPa * q.p, T = q.T, v = q.v, s = J_per_kJ * q.s, cv = J_per_kJ * q.cv;
  const double p_T = Pa_per_MPa * sl.dp_dT, p_rho = Pa_per_MPa * sl.dp_drho;
  const double v2 = v * v;
  const double u_rho = (p - T * p_T) * v2;
  return {gradient{p_T, 1.0, 0.0, 0.0, cv + p_T * v, cv / T, cv, p_T * v - s, -s, nan},
          gradient{p_rho, 0.0, 1.0, -v2, u_rho + p_rho * v - p * v2, -p_T * v2, u_rho, p_rho * v, p * v2, nan}};
}

jacobian single_phase_gradients(int region, double p, double T, double rho) {
  switch (region) {
    case 1: return gibbs_gradients(if97::properties1(p / Pa_per_MPa, T));
    case 2: return gibbs_gradients(if97::properties2(p / Pa_per_MPa, T));
    case 5: return gibbs_gradients(if97::properties5(p / Pa_per_MPa, T));
    default: {
      if97::pressure_slopes sl;
      const if97::properties q = if97::properties3(T, 1.0 / rho, sl);
      return helmholtz_gradients(q, sl);
    }
  }
}

// The derivative along the saturation line, d/dT with dp/dT = dpsat/dT, of
// every quantity of a saturated phase with gradients j: the step (da, db) of
// its natural variables solves dT = 1, dp = dpsat/dT. In region 3 this is
// p(T, rho) = psat(T) differentiated implicitly.
gradient along_line(const jacobian& j, double dpsat) {
  const double det = j.d1[T_] * j.d2[P] - j.d2[T_] * j.d1[P];
  const double da = (j.d2[P] - j.d2[T_] * dpsat) / det;
  const double db = (j.d1[T_] * dpsat - j.d1[P]) / det;
  gradient out;
  for (std::size_t k = 0; k < out.size(); ++k) out[k] = j.d1[k] * da + j.d2[k] * db;
  return out;
}

struct two_phase_gradients {
  jacobian mixture;  // in (T, x)
  gradient liquid;   // along the line, per K
  gradient vapour;
  double dpsat_dT;  // Pa/K
};

gradient values_of(const phase_values& ph) {
  return {ph.p, ph.T, ph.rho, ph.v, ph.h, ph.s, ph.u, ph.h - ph.T * ph.s, ph.u - ph.T * ph.s, nan};
}

// Two-phase in (T, x): Z = Z' + x (Z'' - Z') for the specific quantities v,
// h, s, u, g and f; rho = 1/v; p = psat(T). The saturated phases lie in
// regions 1 and 2 up to 623.15 K, above it on the region-3 equation, as the
// state functions take them.
two_phase_gradients mixture_gradients(const state& st) {
  const double T = st.T, x = st.x;
  two_phase_gradients out;
  out.dpsat_dT = Pa_per_MPa * if97::dpsat_dT(T);
  const bool regions_1_2 = T <= if97::T_region1_max;
  const jacobian jl = single_phase_gradients(regions_1_2 ? 1 : 3, st.p, T, st.liquid.rho);
  const jacobian jv = single_phase_gradients(regions_1_2 ? 2 : 3, st.p, T, st.vapour.rho);
  out.liquid = along_line(jl, out.dpsat_dT);
  out.vapour = along_line(jv, out.dpsat_dT);
  const gradient l = values_of(st.liquid), w = values_of(st.vapour);
  gradient& d1 = out.mixture.d1;
  gradient& d2 = out.mixture.d2;
  for (const std::size_t k : {V, H, S, U, G, F}) {
    d1[k] = out.liquid[k] + x * (out.vapour[k] - out.liquid[k]);
    d2[k] = w[k] - l[k];
  }
  d1[P] = out.dpsat_dT;
  d2[P] = 0.0;
  d1[T_] = 1.0;
  d2[T_] = 0.0;
  d1[X] = 0.0;
  d2[X] = 1.0;
  const double rho2 = st.rho * st.rho;
  d1[RHO] = -d1[V] * rho2;
  d2[RHO] = -d2[V] * rho2;
  return out;
}

bool finite_positive(double a) { return std::isfinite(a) && a > 0.0; }

bool is_state(const state& st) {
  if (!(finite_positive(st.p) && finite_positive(st.T) && finite_positive(st.rho) && finite_positive(st.v)))
    return false;
  switch (st.region) {
    case 1:
    case 2:
    case 3:
    case 5: return true;
    case 4:
      return st.T >= if97::T_min && st.T < if97::T_c && st.x >= 0.0 && st.x <= 1.0 &&
             finite_positive(st.liquid.rho) && finite_positive(st.vapour.rho) &&
             std::isfinite(st.liquid.h + st.liquid.s + st.liquid.u + st.liquid.v + st.vapour.h + st.vapour.s +
                           st.vapour.u + st.vapour.v);
    default: return false;
  }
}

bool known(quantity q) { return static_cast<int>(q) >= 0 && static_cast<int>(q) < quantity_count; }

// (dA/dB)_C = (A1 C2 - A2 C1) / (B1 C2 - B2 C1); NaN where the denominator
// vanishes, that is where C fixes B.
double ratio(const jacobian& j, std::size_t a, std::size_t b, std::size_t c) {
  const double den = j.d1[b] * j.d2[c] - j.d2[b] * j.d1[c];
  if (den == 0.0) return nan;
  return (j.d1[a] * j.d2[c] - j.d2[a] * j.d1[c]) / den;
}

derivative_result fail(status s) { return {s, nan}; }

}  // namespace

bool quantity_of_name(const char* name, quantity& out) noexcept {
  static constexpr const char* names[quantity_count] = {"p", "T", "rho", "v", "h", "s", "u", "g", "f", "x"};
  if (name == nullptr) return false;
  for (int k = 0; k < quantity_count; ++k)
    if (std::strcmp(name, names[k]) == 0) {
      out = static_cast<quantity>(k);
      return true;
    }
  return false;
}

derivative_result derivative(const jacobian& j, quantity of, quantity wrt, quantity held) noexcept {
  if (!known(of) || !known(wrt) || !known(held)) return fail(status::unknown_quantity);
  const std::size_t a = at(of), b = at(wrt), c = at(held);
  // x is NaN in the gradients of a single-phase state.
  if (std::isnan(j.d1[a]) || std::isnan(j.d1[b]) || std::isnan(j.d1[c])) return fail(status::unknown_quantity);
  if (b == c) return fail(status::no_derivative);
  const double value = ratio(j, a, b, c);
  if (std::isnan(value)) return fail(status::no_derivative);
  return {status::ok, value};
}

derivative_result derivative(const state& st, quantity of, quantity wrt, quantity held) noexcept {
  if (!is_state(st)) return fail(status::not_finite);
  if (!known(of) || !known(wrt) || !known(held)) return fail(status::unknown_quantity);
  if (st.region == 4) return derivative(mixture_gradients(st).mixture, of, wrt, held);
  return derivative(single_phase_gradients(st.region, st.p, st.T, st.rho), of, wrt, held);
}

derivatives_result derivatives_of(const state& st) noexcept {
  derivatives_result r{};
  derivatives& d = r.d;
  d.dTsat_dp = d.drho_liquid_dp = d.drho_vapour_dp = d.dh_liquid_dp = d.dh_vapour_dp = d.dx_dp_h = d.dx_dh_p = nan;
  if (!is_state(st)) {
    r.status = status::not_finite;
    d.cp = d.cv = d.w = d.alpha_v = d.kappa_T = d.isentropic_exponent = nan;
    d.dT_dp_h = d.dT_dh_p = d.drho_dp_h = d.drho_dh_p = d.dp_dT_rho = d.dp_drho_T = nan;
    d.natural.d1.fill(nan);
    d.natural.d2.fill(nan);
    return r;
  }
  r.status = status::ok;
  if (st.region == 4) {
    const two_phase_gradients t = mixture_gradients(st);
    d.natural = t.mixture;
    const double dT_dp = 1.0 / t.dpsat_dT;
    d.dTsat_dp = dT_dp;
    d.drho_liquid_dp = t.liquid[RHO] * dT_dp;
    d.drho_vapour_dp = t.vapour[RHO] * dT_dp;
    d.dh_liquid_dp = t.liquid[H] * dT_dp;
    d.dh_vapour_dp = t.vapour[H] * dT_dp;
    d.dx_dp_h = ratio(d.natural, X, P, H);
    d.dx_dh_p = ratio(d.natural, X, H, P);
  } else {
    d.natural = single_phase_gradients(st.region, st.p, st.T, st.rho);
  }
  const jacobian& j = d.natural;
  d.cp = ratio(j, H, T_, P);
  d.cv = ratio(j, U, T_, V);
  const double dp_drho_s = ratio(j, P, RHO, S);
  d.w = std::sqrt(dp_drho_s);
  d.alpha_v = ratio(j, V, T_, P) / st.v;
  d.kappa_T = -ratio(j, V, P, T_) / st.v;
  d.isentropic_exponent = st.rho / st.p * dp_drho_s;
  d.dT_dp_h = ratio(j, T_, P, H);
  d.dT_dh_p = ratio(j, T_, H, P);
  d.drho_dp_h = ratio(j, RHO, P, H);
  d.drho_dh_p = ratio(j, RHO, H, P);
  d.dp_dT_rho = ratio(j, P, T_, RHO);
  d.dp_drho_T = ratio(j, P, RHO, T_);
  return r;
}

}  // namespace kviapws97::water
