// The flashes of (p, h), (p, s) and (h, s). Each starts from the IAPWS
// backward equations (IAPWS-IF97 T(p,h) and T(p,s), SR3-03, SR2-01, SR4-04)
// and polishes with Newton steps on the forward equations until the state
// reproduces its inputs to 1e-11 relative. The derivatives of the steps are
// the analytic ones of the same evaluation: cp and cp / T along an isobar in
// regions 1, 2 and 5, the derivatives of the Helmholtz function in region 3.
// The phase is decided against the saturated states of the forward
// equations; the backward equations only say where to look.
#include <cmath>
#include <limits>
#include <type_traits>

#include "if97/backward12.hpp"
#include "if97/backward3.hpp"
#include "if97/backward_hs.hpp"
#include "if97/constants.hpp"
#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region2_metastable.hpp"
#include "if97/region3.hpp"
#include "if97/region4.hpp"
#include "if97/region5.hpp"
#include "if97/saturation.hpp"
#include "water/internal.hpp"
#include "water/state.hpp"

namespace kviapws97::water {
namespace {

using detail::found;
using detail::saturation;
using detail::single;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double J_per_kJ = 1e3;
constexpr double Pa_per_MPa = 1e6;
constexpr double kJ_per_MPa_m3 = 1e3;  // 1 MPa m3/kg = 1000 kJ/kg

// A state reproduces h (or s) when they differ by at most 1e-11 of the larger
// of |h| and 1 kJ/kg (of |s| and 1 kJ/(kg K)).
constexpr double tolerance = 1e-11;
constexpr double floor_h = 1.0;  // kJ/kg
constexpr double floor_s = 1.0;  // kJ/(kg K)
bool reproduces(double got, double wanted, double floor) {
  return std::fabs(got - wanted) <= tolerance * std::fmax(std::fabs(wanted), floor);
}

constexpr int max_steps = 30;
// Where an iterate has left every region's equation, the search has failed:
// T (K) along an isobar or of (h, s) in regions 1, 2 and 5 (p in MPa), and T
// and rho (kg/m3) of region 3, which lies within 623.15 K to 863.15 K and
// about 100 to 1100 kg/m3.
constexpr double T_iterate_min = 100.0, T_iterate_max = 5000.0;     // K
constexpr double p_iterate_max = 1e3;                               // MPa
constexpr double T3_iterate_min = 500.0, T3_iterate_max = 1000.0;  // K
constexpr double rho3_iterate_min = 1.0, rho3_iterate_max = 1500.0;  // kg/m3
bool iterate_inside(double T) { return T > T_iterate_min && T < T_iterate_max; }
bool iterate_inside3(double T, double rho) {
  return T > T3_iterate_min && T < T3_iterate_max && rho > rho3_iterate_min && rho < rho3_iterate_max;
}
// A state is taken when it reproduces its inputs and the next Newton step
// would move T (and rho or p) by less than this fraction: the state then
// lies within rounding of the exact solution, not only within the tolerance.
// For the second variable (rho, or ln p of a liquid, which h and s hardly
// fix) rounding alone moves a step by more: there the bound is looser.
constexpr double negligible_step = 1e-13;
constexpr double negligible_second = 1e-8;
// Along an isobar the last evaluation's own Newton step, not taken, is the
// error of T: kept below 1e-12 of T, half the 2e-12 that a state may miss.
constexpr double negligible_isobar = 1e-12;
bool negligible(double step, double of, double bound = negligible_step) {
  return std::fabs(step) <= bound * std::fabs(of);
}
// A Halley step in T this small leaves an error of about 1e-10 K: the next
// evaluation is the last, and it evaluates every property.
constexpr double last_step_T = 0.1;  // K
// The backward equations agree with the forward ones to about 25 mK: a
// backward temperature this far from a boundary puts the state on its side.
constexpr double backward_margin = 0.1;  // K
// How far below region 2's lowest h (s) above psat(623.15 K), as a fraction,
// a flash still tries region 2.
constexpr double vapour_b23_margin = 1e-3;
// A state polished on the side that the backward equations said lies at
// least this far from Tsat(p), or is checked against the saturated states.
constexpr double side_margin = 0.05;  // K
// A converged region-3 state this close to Tsat(p) is checked against the
// saturated states themselves.
constexpr double dome_margin = 1e-3;  // K
// How far below the saturation pressure of the backward equations' boundary
// of region 3 (as a fraction) a (p, h) or (p, s) is two-phase for certain.
constexpr double p3sat_margin = 0.01;

// Beyond a bound by more than a polished state's own accuracy (T within
// 1e-12 of itself, by the last step not taken, and its rounding): a state
// that close to a bound lies on it.
constexpr double polished_accuracy = 2e-12;
bool over(double x, double bound) { return x > bound * (1.0 + polished_accuracy); }
bool under(double x, double bound) { return x < bound * (1.0 - polished_accuracy); }
bool below_min(double T) { return under(T, if97::T_min); }

// The pressure of (h, s) is fixed only loosely for a liquid (through v dp):
// one above its bound by no more than this fraction lies on the bound, and
// one this close to psat(T) on the saturation line.
constexpr double hs_p_accuracy = 1e-8;
bool over_hs_p(double p, double bound) { return p > bound * (1.0 + hs_p_accuracy); }

// The quantity that a constant-pressure flash matches: h or s, with what the
// flash needs of it. Full: a single phase found is evaluated whole; else only
// as far as its search needs (T; h or s and cp), the saturated phases to
// v, h, s and u (detail::assemble completes what a set of outputs asks for).
template <bool Full>
struct enthalpy_of {
  static constexpr bool full = Full;
  static constexpr if97::extent saturated = Full ? if97::extent::all : if97::extent::caloric;
  static constexpr double floor = floor_h;
  static constexpr status below = status::enthalpy_below_min;
  static constexpr status above = status::enthalpy_above_max;
  static double of(const if97::properties& q) { return q.h; }
  static if97::caloric caloric1(double p, double T) { return if97::enthalpy_cp1(p, T); }
  static if97::caloric caloric2(double p, double T) { return if97::enthalpy_cp2(p, T); }
  static if97::caloric caloric5(double p, double T) { return if97::enthalpy_cp5(p, T); }
  static double slope(double cp, double) { return cp; }                  // (dh/dT)_p
  // T where h reaches the target from (T, h) at constant cp.
  static double step(double T, const if97::caloric& c, double h) { return T + (h - c.value) / c.cp; }
  static double curvature(const if97::caloric& c, double) { return c.dcp_dT; }  // (d2h/dT2)_p
  static double T1(double p, double h) { return if97::T1_ph(p, h); }
  static double T2(double p, double h) { return if97::T2_ph(p, h); }
  static double T3(double p, double h) { return if97::T3_ph(p, h); }
  static double v3(double p, double h) { return if97::v3_ph(p, h); }
  static double p3sat(double h) { return if97::p3sat_h(h); }
  // The highest h of region 1 above psat(623.15 K), h'(623.15 K), and the
  // lowest of region 2 there, on B23 at 623.15 K, h''(623.15 K).
  static constexpr double liquid_623 = if97::h_liquid_623;
  static constexpr double vapour_b23 = if97::h_vapour_623;
  // The lowest h'' below 623.15 K, at 273.15 K.
  static double vapour_dome_min() {
    static const double h = if97::h2(if97::psat(if97::T_min), if97::T_min);
    return h;
  }
};

template <bool Full>
struct entropy_of {
  static constexpr bool full = Full;
  static constexpr if97::extent saturated = Full ? if97::extent::all : if97::extent::caloric;
  static constexpr double floor = floor_s;
  static constexpr status below = status::entropy_below_min;
  static constexpr status above = status::entropy_above_max;
  static double of(const if97::properties& q) { return q.s; }
  static if97::caloric caloric1(double p, double T) { return if97::entropy_cp1(p, T); }
  static if97::caloric caloric2(double p, double T) { return if97::entropy_cp2(p, T); }
  static if97::caloric caloric5(double p, double T) { return if97::entropy_cp5(p, T); }
  static double slope(double cp, double T) { return cp / T; }  // (ds/dT)_p
  // T where s reaches the target from (T, s) at constant cp: s = cp ln T + c.
  static double step(double T, const if97::caloric& c, double s) { return T * std::exp((s - c.value) / c.cp); }
  static double curvature(const if97::caloric& c, double T) { return (c.dcp_dT - c.cp / T) / T; }
  static double T1(double p, double s) { return if97::T1_ps(p, s); }
  static double T2(double p, double s) { return if97::T2_ps(p, s); }
  static double T3(double p, double s) { return if97::T3_ps(p, s); }
  static double v3(double p, double s) { return if97::v3_ps(p, s); }
  static double p3sat(double s) { return if97::p3sat_s(s); }
  // s'(623.15 K), and the lowest s of region 2 above psat(623.15 K), on B23
  // at 100 MPa.
  static constexpr double liquid_623 = if97::s_liquid_623;
  static constexpr double vapour_b23 = if97::s_b23_min;
  // The lowest s'' below 623.15 K, at 623.15 K.
  static double vapour_dome_min() {
    static const double s = if97::s2(if97::psat(if97::T_region1_max), if97::T_region1_max);
    return s;
  }
};

using enthalpy = enthalpy_of<true>;
using entropy = entropy_of<true>;

// The derivatives of p, h and s in the variables (T, rho) of region 3, from
// the properties of one evaluation: (dp/drho)_T = -v^2 / (dv/dp)_T,
// (dp/dT)_rho = -(dv/dT)_p / (dv/dp)_T, and from them h and s.
struct Trho_derivatives {
  double p_T, p_rho;  // MPa/K, MPa m3/kg
  double h_T, h_rho;  // kJ/(kg K), kJ m3/kg^2
  double s_T, s_rho;  // kJ/(kg K^2), kJ m3/(kg^2 K)
};

Trho_derivatives derivatives(const if97::properties& q) {
  const double v2 = q.v * q.v;
  const double p_T = -q.dv_dT / q.dv_dp;
  const double p_rho = -v2 / q.dv_dp;
  // (dh/dv)_T = T (dp/dT)_v + v (dp/dv)_T; (ds/dv)_T = (dp/dT)_v; d/drho = -v^2 d/dv.
  return {p_T,
          p_rho,
          q.cv + kJ_per_MPa_m3 * q.v * p_T,
          -v2 * kJ_per_MPa_m3 * (q.T * p_T + q.v / q.dv_dp),
          q.cv / q.T,
          -v2 * kJ_per_MPa_m3 * p_T};
}

template <class Q>
double d_dT(const Trho_derivatives& d) {
  if constexpr (std::is_same_v<Q, enthalpy_of<Q::full>>) return d.h_T;
  else return d.s_T;
}
template <class Q>
double d_drho(const Trho_derivatives& d) {
  if constexpr (std::is_same_v<Q, enthalpy_of<Q::full>>) return d.h_rho;
  else return d.s_rho;
}

// Halley's iteration in T at constant p in region 1, 2 or 5, from T: h (or
// s), cp and dcp/dT from the cheap evaluation until the step is small, then
// every property from the last evaluation, which must reproduce the target.
// From the backward equations' 25 mK one step leaves about 1e-10 K.
template <class Q, if97::caloric (*Caloric)(double, double), if97::properties (*Properties)(double, double)>
bool polish_isobar(int region, double p, double target, double T, single& out) {
  bool last = false;
  for (int k = 0; k < max_steps; ++k) {
    if (!iterate_inside(T)) return false;
    if (last) {
      // The last evaluation: every property, or (for T alone) the caloric
      // one, whose h (s) and cp are the same to the last bit, and so is the
      // T it takes.
      if97::properties q{p, T, nan, nan, nan, nan, nan, nan, nan, nan, nan};
      double value, cp;
      if constexpr (Q::full) {
        q = Properties(p, T);
        value = Q::of(q);
        cp = q.cp;
      } else {
        const if97::caloric c = Caloric(p, T);
        value = c.value;
        cp = c.cp;
      }
      const double dT = (target - value) / Q::slope(cp, T);
      if (reproduces(value, target, Q::floor) && negligible(dT, T, negligible_isobar)) {
        out = {region, q, Q::full ? if97::extent::all : if97::extent::none};
        return true;
      }
      T += dT;
      continue;
    }
    const if97::caloric c = Caloric(p, T);
    const double f = c.value - target, f1 = Q::slope(c.cp, T), f2 = Q::curvature(c, T);
    const double newton = f / f1;
    const double halley = 1.0 - 0.5 * newton * f2 / f1;
    const double dT = -newton / (halley > 0.5 ? halley : 1.0);
    T += dT;
    last = std::fabs(dT) <= last_step_T;
  }
  return false;
}

template <class Q>
bool polish_region(int region, double p, double target, double T, single& out) {
  switch (region) {
    case 1: return polish_isobar<Q, Q::caloric1, if97::properties1>(1, p, target, T, out);
    case 2: return polish_isobar<Q, Q::caloric2, if97::properties2>(2, p, target, T, out);
    default: return polish_isobar<Q, Q::caloric5, if97::properties5>(5, p, target, T, out);
  }
}

// Newton's iteration in (T, rho) on region 3's p(T, rho) = p and
// q(T, rho) = target.
template <class Q>
bool polish_region3(double p, double target, double T, double rho, single& out) {
  for (int k = 0; k < max_steps; ++k) {
    if (!iterate_inside3(T, rho)) return false;
    single s = detail::region3_at(T, rho);
    const double r_p = s.pr.p - p, r_q = Q::of(s.pr) - target;
    const Trho_derivatives d = derivatives(s.pr);
    const double a = d.p_T, b = d.p_rho, c = d_dT<Q>(d), e = d_drho<Q>(d);
    const double det = a * e - b * c;
    if (!(std::fabs(det) > 0.0)) return false;
    const double dT = (e * r_p - b * r_q) / det, drho = (a * r_q - c * r_p) / det;
    if (std::fabs(r_p) <= tolerance * p && reproduces(Q::of(s.pr), target, Q::floor) && negligible(dT, T) &&
        negligible(drho, rho, negligible_second)) {
      s.pr.p = p;  // the pressure asked for, which p(T, rho) reproduces to rounding
      out = s;
      return true;
    }
    T -= dT;
    rho -= drho;
  }
  return false;
}

found two_phase(const saturation& sat, double x) { return detail::found_two_phase(sat, x); }

}  // namespace

// A polished state beyond a bound of (p, T) by no more than its accuracy
// (T to 2e-12 of itself; p of (h, s) to 1e-8, which h and s fix only loosely
// for a liquid) lies on the bound, which the other functions accept: hs once
// gave p = 100000000.00000416 Pa, which ph refused, and ps a region-2 state
// 8e-13 K above 1073.15 K at 100 MPa, beyond the formulation. Its T is
// reported as the bound's (the evaluation's differs by less than its
// accuracy); beyond a bound of p it is the state of (p, T) on the bound.
// Region 5 holds from 1073.15 K only.
found detail::bounded(const single& st) {
  const double p = st.pr.p, T = st.pr.T;  // MPa, K
  if (below_min(T) || over(T, if97::T_region5_max)) return detail::found_failure(status::not_converged);
  if (st.region == 5 && under(T, if97::T_region2_max)) return detail::found_failure(status::not_converged);
  // Beyond 1073.15 K the formulation ends at 50 MPa, and above 50 MPa at 1073.15 K.
  const double p_bound = st.region == 5 || over(T, if97::T_region2_max) ? if97::p_region5_max : if97::p_max;
  if (over_hs_p(p, p_bound)) return detail::found_failure(status::not_converged);
  const double T_max = std::fmin(p, p_bound) > if97::p_region5_max ? if97::T_region2_max : if97::T_region5_max;
  if (over(T, T_max)) return detail::found_failure(status::not_converged);
  single on = st;
  on.pr.T = std::fmin(std::fmax(T, st.region == 5 ? if97::T_region2_max : if97::T_min), T_max);
  // A state put on the bound keeps the properties of the polished T: a
  // search that evaluated it in part evaluates it whole there, so that every
  // set of outputs gives the same values.
  if (on.pr.T != T && st.evaluated != if97::extent::all) {
    single whole = st;
    whole.pr = st.region == 1 ? if97::properties1(p, T) : st.region == 2 ? if97::properties2(p, T) : if97::properties5(p, T);
    whole.evaluated = if97::extent::all;
    whole.pr.T = on.pr.T;
    on = whole;
  }
  if (p > p_bound) return detail::pT_found(Pa_per_MPa * p_bound, on.pr.T, st.evaluated);
  return detail::found_single(on);
}

result detail::bounded_result(const single& st) { return detail::assemble(detail::bounded(st), outputs::all); }

namespace {

// The vapour fraction of q between the saturated phases, or NaN outside. A q
// within a few units of the last bit of q' or q'' is on the saturation line:
// a pressure in Pa and in MPa round differently, and q' of a state of (T, x)
// and of the same state's (p, q) may differ by that much.
template <class Q>
double fraction(const saturation& sat, double q) {
  constexpr double rounding = 4.0 * std::numeric_limits<double>::epsilon();
  const double liquid = Q::of(sat.liquid.pr), vapour = Q::of(sat.vapour.pr);
  if (q < liquid) {
    if (liquid - q > rounding * std::fabs(liquid)) return nan;
    q = liquid;
  }
  if (q > vapour) {
    if (q - vapour > rounding * std::fabs(vapour)) return nan;
    q = vapour;
  }
  return vapour == liquid ? 0.0 : (q - liquid) / (vapour - liquid);
}

// Regions 2 and 5 at (p, q) from a start T: region 2 up to 1073.15 K, region 5
// above it when p <= 50 MPa. A region-2 state below T_low (the B23 line) is
// no state of region 2: then `below` is set and the caller looks in region 3.
template <class Q>
found vapour_side(double p, double target, double T, double T_low, bool& below) {
  below = false;
  // A region-2 state within its bounds, or why not.
  const auto region2 = [&](const single& s2, bool& hot) {
    hot = false;
    if (below_min(s2.pr.T)) return detail::found_failure(Q::below);
    if (under(s2.pr.T, T_low)) {
      below = true;
      return detail::found_failure(status::not_converged);
    }
    hot = over(s2.pr.T, if97::T_region2_max);
    return hot ? detail::found_failure(status::not_converged) : detail::bounded(s2);
  };
  single s2{};
  bool hot_2 = false;
  // A backward temperature far above 1073.15 K (or none: extrapolated far
  // beyond their range, the equations may give NaN) goes to region 5.
  if (T <= if97::T_region2_max + backward_margin && polish_region<Q>(2, p, target, T, s2)) {
    const found r = region2(s2, hot_2);
    if (!hot_2) return r;
  }
  if (p > if97::p_region5_max) return detail::found_failure(Q::above);
  // No backward equation reaches region 5. The region-2 equation extrapolated
  // beyond 1073.15 K starts it within a few kelvin; otherwise a first step
  // from 1073.15 K.
  single s;
  T = hot_2 ? s2.pr.T : Q::step(if97::T_region2_max, Q::caloric5(p, if97::T_region2_max), target);
  if (!polish_region<Q>(5, p, target, T, s)) return detail::found_failure(status::not_converged);
  if (over(s.pr.T, if97::T_region5_max)) return detail::found_failure(Q::above);
  if (!under(s.pr.T, if97::T_region2_max)) return detail::bounded(s);
  // Region 5's equation extrapolated below 1073.15 K, where it does not hold
  // (at 500 Pa it reached 266.56 K): the state is region 2's, from region 5's
  // temperature. Where the two equations leave a gap at 1073.15 K, region
  // 2's state a little above it.
  if (hot_2) return detail::bounded(s2);
  if (!polish_region<Q>(2, p, target, std::fmax(s.pr.T, if97::T_min), s2)) return detail::found_failure(status::not_converged);
  const found r = region2(s2, hot_2);
  return hot_2 ? detail::bounded(s2) : r;
}

template <class Q>
found vapour_side(double p, double target, double T) {
  bool below = false;
  return vapour_side<Q>(p, target, T, 0.0, below);
}

// Region 3 at (p, q) where p is below the critical pressure: a single phase
// of region 3 on either side of the saturated states, or two-phase.
template <class Q>
found region3_below_critical(double p_pa, double p, double target) {
  single s;
  // Well below the saturation pressure of q by SR3-03 (Eqs. (10) and (11)),
  // which holds to far less than this margin, the state is two-phase: the
  // saturated states decide at once, without Newton's steps on region 3's
  // equation inside the saturation line.
  if (!(p < Q::p3sat(target) * (1.0 - p3sat_margin))) {
    const double Ts = if97::tsat(p);
    if (polish_region3<Q>(p, target, Q::T3(p, target), 1.0 / Q::v3(p, target), s) && s.pr.dv_dp < 0.0) {
      const bool liquid = 1.0 / s.pr.v > if97::rho_c;
      if (liquid ? s.pr.T < Ts - dome_margin : s.pr.T > Ts + dome_margin) return detail::bounded(s);
    }
  }
  saturation sat;
  if (!detail::saturation_of_pressure(p_pa, sat, Q::saturated)) return detail::found_failure(status::not_converged);
  const double x = fraction<Q>(sat, target);
  if (std::isfinite(x)) return two_phase(sat, x);
  const bool liquid = target < Q::of(sat.liquid.pr);
  const single& edge = liquid ? sat.liquid : sat.vapour;
  // On its side of the saturation temperature of the forward equations, not
  // of Eq. (31), which is 2e-11 K off and put a liquid a hair below the line
  // on the vapour's side of it (not_converged next to the critical point);
  // to the polished T's accuracy, which within 1e-6 K of T_c, where the
  // saturated states are one, is all that tells the sides apart.
  if (polish_region3<Q>(p, target, sat.T, 1.0 / edge.pr.v, s) && s.pr.dv_dp < 0.0 &&
      (liquid ? !over(s.pr.T, sat.T) : !under(s.pr.T, sat.T)))
    return detail::bounded(s);
  return detail::found_failure(status::not_converged);
}

// Region 3 at (p, q) on or above the critical pressure.
template <class Q>
found region3_above_critical(double p, double target) {
  single s;
  if (polish_region3<Q>(p, target, Q::T3(p, target), 1.0 / Q::v3(p, target), s) && s.pr.dv_dp < 0.0)
    return detail::bounded(s);
  return detail::found_failure(status::not_converged);
}

// The highest h (s) of p: at 2273.15 K up to 50 MPa, at 1073.15 K above.
template <class Q>
double q_max_of(double p) {
  return p <= if97::p_region5_max ? Q::caloric5(p, if97::T_region5_max).value
                                  : Q::caloric2(p, if97::T_region2_max).value;
}

// The bounds of h (s) over the pressures from the triple point's to 100 MPa:
// the highest of the lowest, at 273.15 K, and the lowest of the highest. Each
// varies slowly and smoothly with p (the bound at 273.15 K by v dp, at most
// 0.1 kJ/kg per MPa): the extremes of 400 pressures, widened by a margin far
// beyond that variation between neighbours, bound them all.
template <class Q>
struct q_bounds {
  double min_highest = -std::numeric_limits<double>::infinity();
  double max_lowest = std::numeric_limits<double>::infinity();
  q_bounds() {
    const double p_lo = detail::p_triple_Pa() / Pa_per_MPa;
    constexpr int n = 400;
    for (int i = 0; i <= n; ++i) {
      const double p = p_lo * std::pow(if97::p_max / p_lo, static_cast<double>(i) / n);
      min_highest = std::fmax(min_highest, Q::caloric1(p, if97::T_min).value);
      max_lowest = std::fmin(max_lowest, q_max_of<Q>(p));
    }
    // Margins of 1 kJ/kg (1 kJ/(kg K)) above the lowest and 1 % below the highest.
    min_highest += Q::floor;
    max_lowest -= 0.01 * std::fabs(max_lowest);
  }
};

// The flash at constant pressure p (MPa) for q = h (kJ/kg) or s (kJ/(kg K)).
template <class Q>
found flash_p(double p_pa, double q_si) {
  if (!std::isfinite(p_pa) || !std::isfinite(q_si)) return detail::found_failure(status::not_finite);
  if (const status bad = detail::pressure_bounds(p_pa); bad != status::ok) return detail::found_failure(bad);
  const double p = p_pa / Pa_per_MPa, q = q_si / J_per_kJ;
  static const double p_623 = if97::psat(if97::T_region1_max);
  single s;

  // Below the lowest pressure with a liquid, compared in Pa as (T, x) reports
  // it: the triple point's own pressure has its saturated states.
  const bool vapour_only = p_pa < detail::p_triple_Pa();
  // The bounds of h (s) at p: its values at 273.15 K and at the highest
  // temperature of p, between which it rises with T (cp > 0). Beyond them
  // (by more than the polish's tolerance) no state exists: below, the
  // region-2 equation extrapolated (or region 5's) reached 231 K and 266 K.
  // Between the highest bound below and the lowest above, over every
  // pressure, q keeps the bounds of each: only a q beyond them pays for the
  // bounds of its own pressure.
  static const q_bounds<Q> everywhere;
  if (vapour_only || q < everywhere.min_highest) {
    const double q_min = vapour_only ? Q::caloric2(p, if97::T_min).value : Q::caloric1(p, if97::T_min).value;
    if (q < q_min && !reproduces(q, q_min, Q::floor)) return detail::found_failure(Q::below);
  }
  if (q > everywhere.max_lowest) {
    const double q_max = q_max_of<Q>(p);
    if (q > q_max && !reproduces(q, q_max, Q::floor)) return detail::found_failure(Q::above);
  }
  if (vapour_only) return vapour_side<Q>(p, q, Q::T2(p, q));

  if (p <= p_623) {
    // Regions 1 and 2 about the saturation line.
    // The backward equations say on which side of the line a state far from it
    // lies; the polished state must then lie there too. (Far outside their
    // range, inside the saturation line, they say nothing.)
    const double Ts = if97::tsat(p);
    if (q <= Q::liquid_623) {
      const double T = Q::T1(p, q);
      if (T < Ts - backward_margin && polish_region<Q>(1, p, q, T, s) && s.pr.T < Ts - side_margin) {
        if (below_min(s.pr.T)) return detail::found_failure(Q::below);
        return detail::bounded(s);
      }
    } else if (q >= Q::vapour_dome_min()) {
      const double T = Q::T2(p, q);
      if (T > Ts + backward_margin) {
        // A failure here says nothing of a state inside the saturation line,
        // where the region-2 equation's metastable vapour may lie below
        // 273.15 K or nowhere: only the bound above holds.
        const found r = vapour_side<Q>(p, q, T);
        if (r.status == Q::above || (r && r.T() > Ts + side_margin)) return r;
      }
    }
    // Near or inside the saturation line: decide against the saturated states.
    saturation sat;
    if (!detail::saturation_of_pressure(p_pa, sat, Q::saturated)) return detail::found_failure(status::not_converged);
    const double x = fraction<Q>(sat, q);
    if (std::isfinite(x)) return two_phase(sat, x);
    if (q > Q::of(sat.vapour.pr)) return vapour_side<Q>(p, q, Ts);
    if (!polish_region<Q>(1, p, q, Ts, s)) return detail::found_failure(status::not_converged);
    if (below_min(s.pr.T)) return detail::found_failure(Q::below);
    return detail::bounded(s);
  }

  // Above psat(623.15 K): region 1 up to 623.15 K, then region 3 (with the
  // saturated states below p_c), region 2 above the B23 line, region 5.
  if (q <= Q::liquid_623) {
    const double T = Q::T1(p, q);
    if (T < if97::T_region1_max + backward_margin) {
      if (!polish_region<Q>(1, p, q, T, s)) return detail::found_failure(status::not_converged);
      if (below_min(s.pr.T)) return detail::found_failure(Q::below);
      if (!over(s.pr.T, if97::T_region1_max)) return detail::bounded(s);
    }
  }
  const double T_b23 = if97::tb23(p);
  // Region 2 from a little below its lowest h (s) above psat(623.15 K): the
  // backward temperature and the polished state's side of B23 decide. (At
  // psat(623.15 K) + 9e-9 Pa, 623.15 K, a state of region 2 lies below it by
  // rounding and was not found.)
  if (q >= Q::vapour_b23 * (1.0 - vapour_b23_margin)) {
    const double T = Q::T2(p, q);
    if (!(T <= T_b23 - backward_margin)) {
      bool below = false;
      const found r = vapour_side<Q>(p, q, T, T_b23, below);
      if (!below) return r;
    }
  }
  return p < if97::p_c_sat ? region3_below_critical<Q>(p_pa, p, q) : region3_above_critical<Q>(p, q);
}

// Newton's iteration in (ln p, T) on h(p, T) = h and s(p, T) = s in region
// 1, 2 or 5: (dh/dT)_p = cp, (ds/dT)_p = cp / T, (dh/dp)_T = v - T (dv/dT)_p,
// (ds/dp)_T = -(dv/dT)_p.
template <if97::properties (*Properties)(double, double)>
bool polish_hs(int region, double h, double s, double p, double T, single& out) {
  for (int k = 0; k < max_steps; ++k) {
    if (!(iterate_inside(T) && p > 0.0 && p < p_iterate_max)) return false;
    const if97::properties q = Properties(p, T);
    const double h_T = q.cp, s_T = q.cp / T;
    const double h_lnp = p * kJ_per_MPa_m3 * (q.v - T * q.dv_dT), s_lnp = -p * kJ_per_MPa_m3 * q.dv_dT;
    const double r_h = q.h - h, r_s = q.s - s;
    const double det = h_T * s_lnp - h_lnp * s_T;
    if (!(std::fabs(det) > 0.0)) return false;
    const double dT = (s_lnp * r_h - h_lnp * r_s) / det, dlnp = (h_T * r_s - s_T * r_h) / det;
    if (reproduces(q.h, h, floor_h) && reproduces(q.s, s, floor_s) && negligible(dT, T) && negligible(dlnp, 1.0, negligible_second)) {
      out = {region, q};
      return true;
    }
    T -= dT;
    p *= std::exp(-dlnp);
  }
  return false;
}

// Newton's iteration in (T, rho) on region 3's h(T, rho) = h and s(T, rho) = s.
bool polish_hs3(double h, double s, double T, double rho, single& out) {
  for (int k = 0; k < max_steps; ++k) {
    if (!iterate_inside3(T, rho)) return false;
    const single q = detail::region3_at(T, rho);
    const Trho_derivatives d = derivatives(q.pr);
    const double r_h = q.pr.h - h, r_s = q.pr.s - s;
    const double det = d.h_T * d.s_rho - d.h_rho * d.s_T;
    if (!(std::fabs(det) > 0.0)) return false;
    const double dT = (d.s_rho * r_h - d.h_rho * r_s) / det, drho = (d.h_T * r_s - d.s_T * r_h) / det;
    if (reproduces(q.pr.h, h, floor_h) && reproduces(q.pr.s, s, floor_s) && negligible(dT, T) &&
        negligible(drho, rho, negligible_second)) {
      out = q;
      return true;
    }
    T -= dT;
    rho -= drho;
  }
  return false;
}

// The saturation line of the (h, s) plane by the lines of SR4-04, kJ/kg, or
// NaN where no two-phase state has this entropy.
double hsat_of_s(double s) {
  if (s < if97::s_liquid_273 || s > if97::s_vapour_273) return nan;
  if (s <= if97::s_liquid_623) return if97::hsat_liquid_1(s);
  if (s <= if97::s_c) return if97::hsat_liquid_3a(s);
  if (s < if97::s_2bc) return if97::hsat_vapour_2c3b(s);
  return if97::hsat_vapour_2ab(s);
}

constexpr double negligible_two_phase = 1e-13;
constexpr double x_rounding = 1e-12;

// A two-phase (h, s) lies on the tie line of one temperature. At T the
// vapour fraction of s, x(T) = (s - s')/(s'' - s'), lies in [0, 1] only below
// the temperature whose s' (or s'') is s; there the mixture's enthalpy h_x(T)
// grows with T as v_x dpsat/dT (dh = T ds + v dp at constant s). Newton's
// iteration on h_x(T) = h, the slope from the Clapeyron equation of the same
// saturated states, kept within a bracket that these two facts shrink.
// False where no tie line holds (h, s) between its ends.
// The saturated liquid and vapour's h, s and v at T: from the cheaper
// evaluations up to 623.15 K, from the region-3 roots above.
struct saturated_hsv {
  if97::hsv liquid, vapour;
};

bool saturated_hsv_at(double T, saturated_hsv& out) {
  if (T <= if97::T_region1_max) {
    const double p = if97::psat(T);
    out = {if97::hsv1(p, T), if97::hsv2(p, T)};
    return true;
  }
  saturation sat;
  if (!detail::saturation_at_T(T, sat)) return false;
  const auto hsv_of = [](const if97::properties& q) { return if97::hsv{q.h, q.s, q.v}; };
  out = {hsv_of(sat.liquid.pr), hsv_of(sat.vapour.pr)};
  return true;
}

// The step of T toward h_x(T) = h on the rising branch of h_x, from f =
// h_x - h, its slope and (where two steps have been taken) its curvature.
// Near x = 0, h_x(T) bends over to its maximum at the liquid's end of the
// line, where Newton's steps from afar only halve the distance: the step
// solves the quadratic of that slope and curvature, for its root on the
// rising branch, or goes to its vertex where it has no root.
double tie_line_step(double f, double slope, double curvature) {
  if (!std::isfinite(curvature)) return -f / slope;
  const double discriminant = slope * slope - 2.0 * f * curvature;
  if (discriminant < 0.0) return -slope / curvature;
  if (slope > 0.0) return -2.0 * f / (slope + std::sqrt(discriminant));
  return (std::sqrt(discriminant) - slope) / curvature;  // from beyond the vertex, back to the rising branch
}

bool two_phase_hs(double h, double s, double T, double T_hi, saturation& sat, double& x) {
  double lo = if97::T_min, hi = T_hi;
  double T_last = nan, slope_last = nan;  // of the last step, for the curvature of h_x(T)
  for (int k = 0; k < 100; ++k) {
    if (!(T > lo && T < hi)) T = 0.5 * (lo + hi);
    saturated_hsv line;
    if (!saturated_hsv_at(T, line)) return false;
    const if97::hsv &l = line.liquid, &v = line.vapour;
    x = (s - l.s) / (v.s - l.s);
    // An x this far outside 0 to 1 is rounding of a state on the line (of T
    // about 1e-10 K near x = 0): taken as 0 or 1, the state still reproduces h
    // and s. A state farther out lies off the line, by more than 1e-9 K.
    const double slack = std::fmin(x_rounding, 0.5 * tolerance *
                                                   std::fmin(std::fmax(std::fabs(h), floor_h) / std::fabs(v.h - l.h),
                                                             std::fmax(std::fabs(s), floor_s) / std::fabs(v.s - l.s)));
    const bool within = x >= -slack && x <= 1.0 + slack;
    // h_x and its slope hold as smooth functions of T a little beyond the
    // line's ends too, where x leaves 0 to 1: they steer the next step there.
    const double h_x = if97::mixture(l.h, v.h, x);
    const double slope = if97::mixture(l.v, v.v, x) * (v.s - l.s) / (v.v - l.v);  // kJ/(kg K)
    const double dT = tie_line_step(h_x - h, slope, (slope - slope_last) / (T - T_last));
    T_last = T;
    slope_last = slope;
    bool reproduced = false;
    if (within) {
      reproduced = reproduces(h_x, h, floor_h);
      if (h_x < h) lo = T;
      else hi = T;
    } else {
      hi = T;  // above the temperature whose s' (s < s_c) or s'' (s > s_c) is s
    }
    // Near x = 0 h hardly fixes T along an isentrope (dh = v dp): there the
    // steps end at rounding, about 1e-10 K, when the bracket closes. A
    // bracket that closes on the line's end (x = 0 or 1) finds no tie line.
    const bool closed = hi - lo <= 1e-13 * hi;
    const bool inner = x > 10.0 * slack && x < 1.0 - 10.0 * slack;
    if (reproduced && (negligible(dT, T, negligible_two_phase) || (closed && inner))) {
      x = std::fmin(std::fmax(x, 0.0), 1.0);
      return detail::saturation_at_T(T, sat);
    }
    if (closed) return false;
    T += dT;
  }
  return false;
}

// The single-phase region of (h, s) by the rules of SR4-04.
int region_of_hs(double h, double s) {
  if (s < if97::s_b13_min) return 1;
  if (s <= if97::s_liquid_623) return h < if97::h_b13(s) ? 1 : 3;
  if (s < if97::s_b23_min) return 3;
  if (s <= if97::s_b23_max) {
    if (h < if97::h_b23_min) return 3;
    if (h > if97::h_b23_max) return 2;
    const double T = if97::T_b23_hs(h, s);
    return if97::p2_hs(if97::subregion2::c, h, s) <= if97::pb23(T) ? 2 : 3;
  }
  return 2;
}

// No backward equation reaches region 5. Its steam is nearly an ideal gas:
// T from h at the pressure at hand, then the pressure from s at T (at
// constant T, s falls by R ln(p'/p)), three rounds from 1 MPa and 1073.15 K.
// From this start polish_hs takes at most 2 steps, away from 1073.15 K.
void region5_start(double h, double s, double& p, double& T) {
  p = 1.0;  // MPa
  T = if97::T_region2_max;
  for (int round = 0; round < 3; ++round) {
    for (int k = 0; k < 2; ++k) T = enthalpy::step(T, if97::enthalpy_cp5(p, T), h);
    p *= std::exp((if97::entropy_cp5(p, T).value - s) / if97::R);
  }
}

bool polish_hs_in(int region, double h, double s, const single* from, single& out) {
  switch (region) {
    case 1: {
      const double p = from ? from->pr.p : if97::p1_hs(h, s);
      return polish_hs<if97::properties1>(1, h, s, p, from ? from->pr.T : if97::T1_ph(p, h), out);
    }
    case 2: {
      const double p = from ? from->pr.p : if97::p2_hs(h, s);
      return polish_hs<if97::properties2>(2, h, s, p, from ? from->pr.T : if97::T2_ph(p, h), out);
    }
    case 3: {
      const double p = from ? from->pr.p : if97::p3_hs(h, s);
      const double T = from ? from->pr.T : if97::T3_ph(p, h);
      const double rho = from ? 1.0 / from->pr.v : 1.0 / if97::v3_ps(p, s);
      return polish_hs3(h, s, T, rho, out);
    }
    default: {
      double p, T;  // MPa, K
      if (from) {
        p = from->pr.p;
        T = from->pr.T;
      } else {
        region5_start(h, s, p, T);
      }
      return polish_hs<if97::properties5>(5, h, s, p, T, out);
    }
  }
}

// Whether the steam of (h, s) lies above 1073.15 K, in region 5, by its start
// there, which is then `start`: SR4-04's region 2 ends at 1073.15 K, and its
// backward equations extrapolated beyond lead the Newton steps astray. Below
// the enthalpy of 1073.15 K at 100 MPa, the lowest on that isotherm, no state
// is that hot.
bool in_region5(double h, double s, single& start) {
  static const double h_hot = if97::enthalpy_cp2(if97::p_max, if97::T_region2_max).value;  // kJ/kg
  if (h < h_hot) return false;
  region5_start(h, s, start.pr.p, start.pr.T);
  return start.pr.T > if97::T_region2_max + backward_margin;
}

// Whether a polished state of (h, s) keeps its region's bounds: T to its
// polished accuracy, p (fixed only loosely for a liquid) to hs_p_accuracy,
// from p_min_Pa; region 2 beyond 2273.15 K lies outside the formulation.
constexpr detail::verdict_tolerance hs_polished{polished_accuracy, hs_p_accuracy, hs_p_accuracy,
                                                detail::p_min_Pa / Pa_per_MPa, false, false};

// Where two regions' equations leave a gap in (h, s) at their boundary, the
// state of (h, s) lies a little beyond the bound of one of them: by less than
// their overlaps in T there (at most 61 mK, at 1073.15 K).
constexpr double gap_max = 0.1;  // K

// A single phase of (h, s): the region of SR4-04's rules, then its neighbour
// where the polished state lies beyond the region's bounds. Back at a region
// already tried, or where a region's state lies outside the formulation (its
// equation extrapolated: region 2's far above 1073.15 K, region 3's past 100
// MPa at the end of B23), the regions not yet tried start afresh from their
// backward equations. Where none holds the state within its bounds, the two
// equations leave a gap at their boundary: of the states beyond their bounds,
// the one least beyond, if by less than gap_max. A state inside the
// saturation line sends the caller to the tie lines, from its temperature.
found single_phase_hs(double h, double s, double& T_inside) {
  constexpr int fallbacks[6][3] = {{}, {3, 2, 5}, {5, 3, 1}, {2, 1, 5}, {}, {2, 3, 1}};
  int region = region_of_hs(h, s);
  single st{}, nearest{};
  double nearest_beyond = gap_max;  // K
  bool near = false;
  const single* from = nullptr;
  if (region == 2 && in_region5(h, s, st)) {
    region = 5;
    from = &st;
  }
  const int first = region;
  unsigned tried = 0;
  for (int attempt = 0; attempt < 8; ++attempt) {
    tried |= 1u << region;
    detail::region_verdict verdict{detail::outside_formulation};
    if (polish_hs_in(region, h, s, from, st)) verdict = detail::region_verdict_of(st, hs_polished);
    const int next = verdict.next;
    if (next == region) return detail::bounded(st);
    if (next == detail::inside_saturation_line) {
      T_inside = st.pr.T;
      return detail::found_failure(status::not_converged);
    }
    if (next != detail::outside_formulation) {
      if (verdict.beyond <= nearest_beyond) {
        nearest = st;
        nearest_beyond = verdict.beyond;
        near = true;
      }
      if ((tried & (1u << next)) == 0) {
        region = next;
        from = &st;
        continue;
      }
    }
    region = 0;
    for (const int other : fallbacks[first])
      if ((tried & (1u << other)) == 0) {
        region = other;
        break;
      }
    if (region == 0) return near ? detail::bounded(nearest) : detail::found_failure(status::hs_out_of_range);
    from = nullptr;
  }
  return detail::found_failure(status::not_converged);
}

// A near-saturation margin of the SR4-04 lines, kJ/kg: farther from the line
// a state lies on the line's side for certain.
constexpr double hsat_margin = 2.0;  // kJ/kg

// How far above the backward equations' temperature of the saturation line's
// point of an entropy a tie line may still lie (see flash_hs).
constexpr double line_margin = 1.0;  // K

// The highest temperature of a tie line, just below the critical point.
const double T_top = std::nextafter(if97::T_c, 0.0);  // K

found flash_hs(double h_si, double s_si) {
  if (!std::isfinite(h_si) || !std::isfinite(s_si)) return detail::found_failure(status::not_finite);
  const double h = h_si / J_per_kJ, s = s_si / J_per_kJ;
  const double h_line = hsat_of_s(s);
  saturation sat;
  double x = nan;
  if (std::isfinite(h_line) && h <= h_line + hsat_margin) {
    // No tie line through (h, s) lies above the temperature of the
    // saturation line's point of entropy s, which the backward equations give
    // in regions 1 and 2 within 0.23 K (liquid) and 5 mK (vapour). SR4-04's
    // Tsat(h, s) holds from s''(623.15 K) up; below, clamped into the line,
    // it is still a fair start.
    double T_hi = T_top;
    if (s <= if97::s_liquid_623) T_hi = if97::tsat(if97::p1_hs(h_line, s)) + line_margin;
    else if (s >= if97::s_vapour_623) T_hi = if97::tsat(if97::p2_hs(h_line, s)) + line_margin;
    T_hi = std::fmin(T_hi, T_top);
    const double T0 = std::fmin(std::fmax(if97::Tsat_hs(h, s), if97::T_min), std::fmin(if97::T_region1_max, T_hi));
    if (two_phase_hs(h, s, T0, T_hi, sat, x)) return two_phase(sat, x);
    if (h < h_line - hsat_margin) return detail::found_failure(status::hs_out_of_range);
  }
  double T_inside = nan;
  const found r = single_phase_hs(h, s, T_inside);
  if (std::isfinite(T_inside)) {
    if (two_phase_hs(h, s, T_inside, T_top, sat, x)) return two_phase(sat, x);
    return detail::found_failure(status::hs_out_of_range);
  }
  return r;
}

}  // namespace

// The flash, with the caller's p returned bit for bit. A set of outputs that
// needs no property beyond v, h, s and u takes the search that evaluates no
// more than it needs.
template <template <bool> class Q>
result flash_p_exact(double p_pa, double q_si, outputs asked) {
  result r = detail::assemble(detail::extent_of(asked) == if97::extent::all ? flash_p<Q<true>>(p_pa, q_si)
                                                                            : flash_p<Q<false>>(p_pa, q_si),
                              asked);
  if (r && asks(asked, outputs::volumetric)) r.state.p = p_pa;  // Pa -> MPa -> Pa may move it by an ulp
  return r;
}

namespace detail {

found ph_search(double p_pa, double h_si) { return flash_p<enthalpy_of<true>>(p_pa, h_si); }
found ps_search(double p_pa, double s_si) { return flash_p<entropy_of<true>>(p_pa, s_si); }
found hs_search(double h_si, double s_si) { return flash_hs(h_si, s_si); }

bool polish_on_isobar(isobar_equation e, bool by_entropy, double p, double target, double T, single& out) {
  if (e == isobar_equation::region1)
    return by_entropy ? polish_region<entropy>(1, p, target, T, out) : polish_region<enthalpy>(1, p, target, T, out);
  return by_entropy ? polish_isobar<entropy, if97::entropy_cp2m, if97::properties2m>(2, p, target, T, out)
                    : polish_isobar<enthalpy, if97::enthalpy_cp2m, if97::properties2m>(2, p, target, T, out);
}

}  // namespace detail

result ph(double p, double h, outputs asked) noexcept { return flash_p_exact<enthalpy_of>(p, h, asked); }
result ps(double p, double s, outputs asked) noexcept { return flash_p_exact<entropy_of>(p, s, asked); }
result hs(double h, double s, outputs asked) noexcept { return detail::assemble(flash_hs(h, s), asked); }
result ph(double p, double h) noexcept { return ph(p, h, outputs::all); }
result ps(double p, double s) noexcept { return ps(p, s, outputs::all); }
result hs(double h, double s) noexcept { return hs(h, s, outputs::all); }

}  // namespace kviapws97::water
