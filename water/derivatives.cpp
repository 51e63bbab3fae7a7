// First partial derivatives of a state: the gradients of every quantity in
// the state's natural variables, and one ratio of 2x2 Jacobians for each
// derivative.
#include "water/derivatives.hpp"

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

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

// Regions 1, 2 and 5 in (p, T), SI units: v and s of the state, and
// (dv/dp)_T, (dv/dT)_p and cp of the Gibbs free energy's second derivatives.
struct gibbs_point {
  double p, T, v, s, v_p, v_T, cp;
};

gibbs_point gibbs_point_of(double p, double T, double v, double s, const if97::gibbs_slopes& q) {
  return {p, T, v, s, q.dv_dp / Pa_per_MPa, q.dv_dT, J_per_kJ * q.cp};
}

// The entry of quantity k in the gradient per p (per_T false) or per T, with
// Maxwell's (ds/dp)_T = -(dv/dT)_p. A slope not evaluated is zero, and so is
// every entry that needs it.
[[gnu::always_inline]] inline double entry(const gibbs_point& g, std::size_t k, bool per_T) {
  const double p = g.p, T = g.T, v = g.v;
  if (!per_T) {
    switch (k) {
      case P: return 1.0;
      case T_: return 0.0;
      case RHO: return -g.v_p / (v * v);
      case V: return g.v_p;
      case H: return v - T * g.v_T;
      case S: return -g.v_T;
      case U: return -T * g.v_T - p * g.v_p;
      case G: return v;
      case F: return -p * g.v_p;
      default: return nan;
    }
  }
  switch (k) {
    case P: return 0.0;
    case T_: return 1.0;
    case RHO: return -g.v_T / (v * v);
    case V: return g.v_T;
    case H: return g.cp;
    case S: return g.cp / T;
    case U: return g.cp - p * g.v_T;
    case G: return -g.s;
    case F: return -g.s - p * g.v_T;
    default: return nan;
  }
}

// Region 3 in (T, rho), SI units: s of the state, and p, (dp/dT)_rho,
// (dp/drho)_T and cv of the Helmholtz free energy's second derivatives.
struct helmholtz_point {
  double T, v, s, p, p_T, p_rho, cv;
};

helmholtz_point helmholtz_point_of(double T, double v, double s, const if97::helmholtz_slopes& q) {
  return {T, v, s, Pa_per_MPa * q.p, Pa_per_MPa * q.dp_dT, Pa_per_MPa * q.dp_drho, J_per_kJ * q.cv};
}

// The entry of quantity k per T (per_rho false) or per rho, with (du/dv)_T =
// T (dp/dT)_v - p and Maxwell's (ds/dv)_T = (dp/dT)_v.
[[gnu::always_inline]] inline double entry(const helmholtz_point& h, std::size_t k, bool per_rho) {
  const double T = h.T, v = h.v, p = h.p;
  if (!per_rho) {
    switch (k) {
      case P: return h.p_T;
      case T_: return 1.0;
      case RHO:
      case V: return 0.0;
      case H: return h.cv + h.p_T * v;
      case S: return h.cv / T;
      case U: return h.cv;
      case G: return h.p_T * v - h.s;
      case F: return -h.s;
      default: return nan;
    }
  }
  const double v2 = v * v;
  const double u_rho = (p - T * h.p_T) * v2;
  switch (k) {
    case P: return h.p_rho;
    case T_: return 0.0;
    case RHO: return 1.0;
    case V: return -v2;
    case H: return u_rho + h.p_rho * v - p * v2;
    case S: return -h.p_T * v2;
    case U: return u_rho;
    case G: return h.p_rho * v;
    case F: return p * v2;
    default: return nan;
  }
}

template <class Point, std::size_t... K>
jacobian gradients_of(const Point& pt, std::index_sequence<K...>) {
  return {gradient{entry(pt, K, false)...}, gradient{entry(pt, K, true)...}};
}

template <class Point>
jacobian gradients_of(const Point& pt) {
  return gradients_of(pt, std::make_index_sequence<quantity_count>{});
}

// The slopes (gibbs_slope bits) that each quantity's entry of the first
// (per p) and the second (per T) gradient needs in regions 1, 2 and 5, as
// gibbs_gradients forms them; and the helmholtz_slope bits of region 3's
// entries per T and per rho.
constexpr unsigned VP = if97::want_dv_dp, VT = if97::want_dv_dT, CP = if97::want_cp;
constexpr unsigned gibbs_needs[2][quantity_count] = {{0, 0, VP, VP, VT, VT, VT | VP, 0, VP, 0},
                                                     {0, 0, VT, VT, CP, CP, CP | VT, 0, VT, 0}};
constexpr unsigned PT = if97::want_dp_dT, PR = if97::want_dp_drho, CV = if97::want_cv;
constexpr unsigned helmholtz_needs[2][quantity_count] = {{PT, 0, 0, 0, CV | PT, CV, CV, PT, 0, 0},
                                                         {PR, 0, 0, 0, PT | PR, PT, PT, PR, 0, 0}};
constexpr unsigned all_slopes = 7u;

// Which gradients a derivative at constant C needs: where C's entry in one
// variable is zero by construction, (dA/dB)_C = A_k / B_k in the other
// variable k alone. In (p, T) p and T; in (T, rho) T, rho and v; in (T, x)
// p, T and x.
struct columns {
  bool first, second;
};
columns columns_for(int region, std::size_t c) {
  if (region == 3) {
    if (c == T_) return {false, true};
    if (c == RHO || c == V) return {true, false};
  } else if (region == 4) {
    if (c == P || c == T_) return {false, true};
    if (c == X) return {true, false};
  } else {
    if (c == P) return {false, true};
    if (c == T_) return {true, false};
  }
  return {true, true};
}

// The slopes that the quantities `of` (indices) need in the columns asked.
template <std::size_t N>
unsigned needs_of(const unsigned (&table)[2][quantity_count], columns cols, const std::size_t (&of)[N]) {
  unsigned want = 0;
  for (const std::size_t q : of) {
    if (cols.first) want |= table[0][q];
    if (cols.second) want |= table[1][q];
  }
  return want;
}

// A single-phase state's gradients at (p in Pa, T), or (T, rho) in region 3,
// with v and s of the state; only the slopes `want` evaluated.
gibbs_point gibbs_at(int region, double p, double T, double v, double s, unsigned want) {
  const double p_MPa = p / Pa_per_MPa;
  const if97::gibbs_slopes q = region == 1   ? if97::slopes1(p_MPa, T, v, want)
                               : region == 2 ? if97::slopes2(p_MPa, T, v, want)
                                             : if97::slopes5(p_MPa, T, v, want);
  return gibbs_point_of(p, T, v, s, q);
}

jacobian single_phase_gradients(int region, double p, double T, double v, double s, unsigned want) {
  if (region == 3) return gradients_of(helmholtz_point_of(T, v, s, if97::slopes3(T, v, want)));
  return gradients_of(gibbs_at(region, p, T, v, s, want));
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
  gradient liquid;   // along the line, per K; zero where `of` did not ask
  gradient vapour;
  double dpsat_dT;  // Pa/K
};

[[gnu::always_inline]] inline double value_of(const phase_values& ph, std::size_t k) {
  switch (k) {
    case P: return ph.p;
    case T_: return ph.T;
    case RHO: return ph.rho;
    case V: return ph.v;
    case H: return ph.h;
    case S: return ph.s;
    case U: return ph.u;
    case G: return ph.h - ph.T * ph.s;
    case F: return ph.u - ph.T * ph.s;
    default: return nan;
  }
}

// The entry of quantity k per x of a two-phase state: Z'' - Z' for the
// specific quantities, and rho = 1/v.
[[gnu::always_inline]] inline double per_x(const state& st, std::size_t k) {
  switch (k) {
    case P:
    case T_: return 0.0;
    case X: return 1.0;
    case RHO: return -(st.vapour.v - st.liquid.v) * st.rho * st.rho;
    default: return value_of(st.vapour, k) - value_of(st.liquid, k);
  }
}

// Two-phase in (T, x): Z = Z' + x (Z'' - Z') for the specific quantities v,
// h, s, u, g and f; rho = 1/v; p = psat(T). Per x the differences of the
// saturated phases of the state; per T the saturated phases along the line,
// from the slopes that the quantities `of` need. The
// phases lie in regions 1 and 2 up to 623.15 K, above it on the region-3
// equation, as the state functions take them.
template <std::size_t N>
two_phase_gradients mixture_gradients(const state& st, const std::size_t (&of)[N]) {
  const double T = st.T, x = st.x;
  two_phase_gradients out;
  out.dpsat_dT = Pa_per_MPa * if97::dpsat_dT(T);
  // rho along the line from v; a phase's value along the line needs both
  // of its variables.
  const bool regions_1_2 = T <= if97::T_region1_max;
  const columns both{true, true};
  unsigned want = 0;
  for (const std::size_t q : of) {
    const std::size_t one[1] = {q == RHO ? V : q};
    want |= needs_of(regions_1_2 ? gibbs_needs : helmholtz_needs, both, one);
  }
  if (!regions_1_2) want |= PT | PR;  // the implicit slope of the saturated density
  const phase_values &l = st.liquid, &w = st.vapour;
  out.liquid = along_line(single_phase_gradients(regions_1_2 ? 1 : 3, st.p, T, l.v, l.s, want), out.dpsat_dT);
  out.vapour = along_line(single_phase_gradients(regions_1_2 ? 2 : 3, st.p, T, w.v, w.s, want), out.dpsat_dT);
  gradient& d1 = out.mixture.d1;
  gradient& d2 = out.mixture.d2;
  for (std::size_t k = 0; k < quantity_count; ++k) d2[k] = per_x(st, k);
  for (const std::size_t k : {V, H, S, U, G, F}) d1[k] = out.liquid[k] + x * (out.vapour[k] - out.liquid[k]);
  d1[P] = out.dpsat_dT;
  d1[T_] = 1.0;
  d1[X] = 0.0;
  d1[RHO] = -d1[V] * st.rho * st.rho;
  return out;
}

// Every quantity, for the named derivatives.
constexpr std::size_t every[] = {P, T_, RHO, V, H, S, U, G, F};

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

// (dA/dB)_C = (A1 C2 - A2 C1) / (B1 C2 - B2 C1) of the entries e(k, in the
// second variable); where C's entry in one variable is zero (cols names the
// other alone), A_k / B_k in the other. NaN where the denominator vanishes,
// that is where C fixes B.
template <class Entry>
[[gnu::always_inline]] inline double ratio_of(const Entry& e, std::size_t a, std::size_t b, std::size_t c, columns cols) {
  if (cols.first != cols.second) {
    const double den = e(b, cols.second);
    return den == 0.0 ? nan : e(a, cols.second) / den;
  }
  const double c1 = e(c, false), c2 = e(c, true);
  const double den = e(b, false) * c2 - e(b, true) * c1;
  if (den == 0.0) return nan;
  return (e(a, false) * c2 - e(a, true) * c1) / den;
}

auto entries(const jacobian& j) {
  return [&j](std::size_t k, bool second) { return second ? j.d2[k] : j.d1[k]; };
}

// From gradients formed already: the whole ratio, a few operations.
[[gnu::always_inline]] inline double ratio(const jacobian& j, std::size_t a, std::size_t b, std::size_t c) {
  return ratio_of(entries(j), a, b, c, columns{true, true});
}

derivative_result ok_or_none(double value) {
  if (std::isnan(value)) return {status::no_derivative, nan};
  return {status::ok, value};
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
  return ok_or_none(ratio(j, a, b, c));
}

derivative_result derivative(const state& st, quantity of, quantity wrt, quantity held) noexcept {
  if (!is_state(st)) return fail(status::not_finite);
  if (!known(of) || !known(wrt) || !known(held)) return fail(status::unknown_quantity);
  const std::size_t a = at(of), b = at(wrt), c = at(held);
  if (st.region != 4 && (a == X || b == X || c == X)) return fail(status::unknown_quantity);
  if (b == c) return fail(status::no_derivative);
  // Only the gradients and the slopes of the equation that this one ratio needs.
  const columns cols = columns_for(st.region, c);
  const std::size_t abc[] = {a, b, c};
  if (st.region == 4) {
    // At constant p or T: the differences of the saturated phases alone.
    if (!cols.first) return ok_or_none(ratio_of([&st](std::size_t k, bool) { return per_x(st, k); }, a, b, c, cols));
    const jacobian j = mixture_gradients(st, abc).mixture;
    return ok_or_none(ratio_of(entries(j), a, b, c, cols));
  }
  const unsigned want = needs_of(st.region == 3 ? helmholtz_needs : gibbs_needs, cols, abc);
  if (st.region == 3) {
    const helmholtz_point h = helmholtz_point_of(st.T, st.v, st.s, if97::slopes3(st.T, st.v, want));
    return ok_or_none(ratio_of([&h](std::size_t k, bool second) { return entry(h, k, second); }, a, b, c, cols));
  }
  const gibbs_point g = gibbs_at(st.region, st.p, st.T, st.v, st.s, want);
  return ok_or_none(ratio_of([&g](std::size_t k, bool second) { return entry(g, k, second); }, a, b, c, cols));
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
    const two_phase_gradients t = mixture_gradients(st, every);
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
    d.natural = single_phase_gradients(st.region, st.p, st.T, st.v, st.s, all_slopes);
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
