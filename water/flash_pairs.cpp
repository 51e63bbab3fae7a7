// The flashes of (rho, u), (p, rho), (rho, h), (rho, s), (p, u), (T, h),
// (T, s), (h, x) and (s, x).
//
// A single phase is polished by Newton's iteration on the forward equations
// with their analytic derivatives: in (T, p) in regions 1, 2 and 5, in
// (T, rho) in region 3, until the state reproduces both inputs to 1e-11
// relative (of max(|h|, 1 kJ/kg) for h and u, of max(|s|, 1 kJ/(kg K)) for s)
// and the next step would move T by less than 1e-12 of itself. It starts in
// region 1 from a table of (T, p) over (rho, q) formed once (else from the
// backward equations T(p,h) and T(p,s) of IAPWS-IF97 at the pressure of a
// Tait equation of the liquid for a density), in regions 2 and 5 from a
// grid of region 2's steam over (about log2(1 + rho / rho0) or log2(1 + p /
// p0), q) formed once and stepped once by its own slopes (else from the ideal gas,
// and for dense steam the real gas's p v), and in region 3 from Newton's
// steps along the isochore on part of its equation; it goes on to the
// neighbouring region where the polished state lies beyond its region's
// bounds.
// Steam whose q lies above every saturated state's is confirmed in one
// whole evaluation at the grid's stepped start. (p, rho), (p, u) and (T, s)
// of region 1's liquid, and (p, rho), (T, h) and (T, s) of region 2's steam,
// where their line holds one state, start from tables formed once; (T, h)
// and (T, s) of region 3 above T_c start their search from a table of rho.
//
// Two-phase states are found on the saturation line of the forward equations
// (regions 1 and 2 up to 623.15 K, the region-3 roots above), the phase
// decided against its saturated states, as the other flashes do. Below
// 623.15 K an interpolant of the line, formed once, says whether a (rho, q)
// is wet and where: one evaluation of the saturated phases a step from the
// state and one at it.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <type_traits>

#include "if97/backward12.hpp"
#include "if97/backward3.hpp"
#include "if97/constants.hpp"
#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region3.hpp"
#include "if97/region3_backward.hpp"
#include "if97/region4.hpp"
#include "if97/region5.hpp"
#include "if97/saturation.hpp"
#include "if97/series.hpp"
#include "water/internal.hpp"
#include "water/state.hpp"

namespace kviapws97::water {
namespace {

using detail::inside_saturation_line;
using detail::outside_formulation;
using detail::region_verdict;
using detail::saturation;
using detail::single;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double J_per_kJ = 1e3;
constexpr double Pa_per_MPa = 1e6;
constexpr double kJ_per_MPa_m3 = 1e3;  // 1 MPa m3/kg = 1000 kJ/kg

// The quantities a pair may fix.
enum class quantity { p, T, rho, h, s, u };

// IF97 units: MPa, K, kg/m3, kJ/kg, kJ/(kg K).
double value_of(quantity q, const if97::properties& pr) {
  switch (q) {
    case quantity::p: return pr.p;
    case quantity::T: return pr.T;
    case quantity::rho: return 1.0 / pr.v;
    case quantity::h: return pr.h;
    case quantity::s: return pr.s;
    case quantity::u: return pr.u;
  }
  return nan;
}

double si_of(quantity q) {
  return q == quantity::p ? Pa_per_MPa : q == quantity::h || q == quantity::s || q == quantity::u ? J_per_kJ : 1.0;
}

// A state reproduces an input to 1e-11 of the larger of |input| and the floor
// of its quantity: 1 kJ/kg for h and u, 1 kJ/(kg K) for s, none for p, T, rho.
constexpr double tolerance = 1e-11;
bool reproduces(quantity q, double got, double wanted) {
  const double floor = q == quantity::h || q == quantity::s || q == quantity::u ? 1.0 : 0.0;
  // The larger by a comparison, as std::fmax for a finite or NaN input but
  // inline: the polish asks this twice per step.
  const double scale = std::fabs(wanted) > floor ? std::fabs(wanted) : floor;
  return std::fabs(got - wanted) <= tolerance * scale;
}

// The error of a polished T: the last evaluation's own Newton step, not
// taken, kept below 1e-12 of T.
constexpr double negligible_T = 1e-12;

// Derivatives of a quantity in a region's variables (T, y): y is p (MPa) in
// regions 1, 2 and 5, rho (kg/m3) in region 3.
struct gradient {
  double T, y;
};

gradient gradient_of(quantity q, int region, const if97::properties& pr) {
  const double v = pr.v, T = pr.T, p = pr.p;
  if (region != 3) {
    // (dh/dp)_T = v - T (dv/dT)_p, (ds/dp)_T = -(dv/dT)_p, u = h - p v.
    switch (q) {
      case quantity::p: return {0.0, 1.0};
      case quantity::T: return {1.0, 0.0};
      case quantity::rho: return {-pr.dv_dT / (v * v), -pr.dv_dp / (v * v)};
      case quantity::h: return {pr.cp, kJ_per_MPa_m3 * (v - T * pr.dv_dT)};
      case quantity::s: return {pr.cp / T, -kJ_per_MPa_m3 * pr.dv_dT};
      case quantity::u: return {pr.cp - kJ_per_MPa_m3 * p * pr.dv_dT, -kJ_per_MPa_m3 * (T * pr.dv_dT + p * pr.dv_dp)};
    }
  }
  // Region 3: (dp/drho)_T = -v^2 / (dv/dp)_T, (dp/dT)_rho = -(dv/dT)_p / (dv/dp)_T;
  // (du/dv)_T = T (dp/dT)_v - p, (ds/dv)_T = (dp/dT)_v, d/drho = -v^2 d/dv.
  const double p_T = -pr.dv_dT / pr.dv_dp, p_rho = -v * v / pr.dv_dp;
  const double u_rho = -v * v * kJ_per_MPa_m3 * (T * p_T - p);
  switch (q) {
    case quantity::p: return {p_T, p_rho};
    case quantity::T: return {1.0, 0.0};
    case quantity::rho: return {0.0, 1.0};
    case quantity::h: return {pr.cv + kJ_per_MPa_m3 * v * p_T, u_rho + kJ_per_MPa_m3 * (v * p_rho - p * v * v)};
    case quantity::s: return {pr.cv / T, -v * v * kJ_per_MPa_m3 * p_T};
    case quantity::u: return {pr.cv, u_rho};
  }
  return {nan, nan};
}

if97::properties evaluate(int region, double T, double y) {
  switch (region) {
    case 1: return if97::properties1(y, T);
    case 2: return if97::properties2(y, T);
    case 5: return if97::properties5(y, T);
    default: return if97::properties3(T, 1.0 / y);
  }
}

// What a Newton step of a polish needs in regions 1, 2 and 5 (s only where
// asked), from only the sums it needs; region 3 whole.
if97::properties evaluate_for_step(int region, double T, double y, bool entropy) {
  switch (region) {
    case 1: return if97::properties1_for_step(y, T, entropy);
    case 2: return if97::properties2_for_step(y, T, entropy);
    case 5: return if97::properties5_for_step(y, T, entropy);
    default: return if97::properties3(T, 1.0 / y);
  }
}


// One input of a pair, in IF97 units.
struct target {
  quantity q;
  double value;
};

constexpr int max_steps = 30;

// The liquid's volume is nearly linear in ln(B + p) (Tait's equation), with
// B + p = C / kappa_T and C the inverse of the bulk modulus's slope dK/dp,
// about 0.15 for water: a Newton step in p of region 1 is taken in
// ln(B + p), which from a start far below the liquid's pressure lands about
// ten times closer than the step in p.
constexpr double tait_c = 0.15;

// exp(z) - 1 for z kept within [-1, 1], by its series to z^6 (within 2e-4
// of itself at the ends), for steps of Tait's equation: to rounding for small
// z, where a polish converges, and cheaper than std::expm1.
double exp_less_one(double z) {
  z = std::clamp(z, -1.0, 1.0);
  return z * (1.0 + z * (1.0 / 2.0 + z * (1.0 / 6.0 + z * (1.0 / 24.0 + z * (1.0 / 120.0 + z * (1.0 / 720.0))))));
}

thread_local int steps_taken = 0;
// Steps of a start that count as the polish's: region 3's along an isochore.
thread_local int start_steps = 0;
thread_local int line_evaluations = 0;  // of the last two-phase search

// Whether an iterate of a polish has left its region by far (5 K beyond a
// bound in T, or deep inside the saturation line): its state lies elsewhere,
// where the region's equation, extrapolated, leads the steps astray.
bool escaped(int region, const if97::properties& pr) {
  constexpr double far = 5.0;  // K
  const double T = pr.T;
  switch (region) {
    case 1: return T > if97::T_region1_max + far || (T < if97::T_region1_max && pr.p < 0.5 * if97::psat(T));
    case 2: return T > if97::T_region2_max + 20.0 * far || (T < if97::T_region1_max && pr.p > 2.0 * if97::psat(T));
    // Region 3's iterates of steam well below B23 lie in region 2.
    case 3:
      return T < if97::T_region1_max - far || T > if97::T_b23_max + far ||
             (T > if97::T_region1_max && pr.p < 0.8 * if97::pb23(T));
    default: return T < if97::T_region2_max - 20.0 * far;
  }
}

// The range of (T, y) in which a polish steps: beyond it a region's equation,
// extrapolated far, leads astray.
bool within_polish_range(int region, double T, double y) {
  return region == 3 ? T > 500.0 && T < 1200.0 && y > 1e-3 && y < 1500.0
                     : T > 150.0 && T < 4000.0 && y > 0.0 && y < 1e3;
}

// Newton's iteration in (T, y) of a region on a(T, y) = a and b(T, y) = b.
// `last` is the last state evaluated, also where the iteration fails: where
// it went says which region to try next.
//
// An evaluation forms only what a step needs (evaluate_for_step) until the
// last step taken was below whole_after of T and of y, after which the
// iteration converges quadratically and the next evaluation, most likely the
// last, is whole; one that converged in part is evaluated whole again.
constexpr double whole_after = 1e-4;
// Along region 2's isobar, where the start of (p, rho) often lies 1e-5 off
// in T and v bends with T near the saturated vapour and B23, the state of a
// step above 1e-6 of T mostly needs another: its evaluation stays lean.
// (Along an isotherm h and s are so nearly linear in p that the step up to
// whole_after lands within the criteria.)
constexpr double whole_after_isobar = 1e-6;

// Newton's step (dT, dy) in a region's variables on a(T, y) = a and
// b(T, y) = b, from the state pr.
struct newton_step {
  double dT, dy;
};
[[gnu::always_inline]] inline newton_step newton_step_of(int region, target a, target b,
                                                           const if97::properties& pr) {
  const double ra = value_of(a.q, pr) - a.value, rb = value_of(b.q, pr) - b.value;
  const gradient ga = gradient_of(a.q, region, pr), gb = gradient_of(b.q, region, pr);
  const double det = ga.T * gb.y - ga.y * gb.T;
  return {(gb.y * ra - ga.y * rb) / det, (ga.T * rb - gb.T * ra) / det};
}

// Whether a state reproduces both inputs and Newton's step dT from it lies
// below rounding of T: polished.
[[gnu::always_inline]] inline bool polished_at(target a, target b, const if97::properties& pr, double dT) {
  return reproduces(a.q, value_of(a.q, pr), a.value) && reproduces(b.q, value_of(b.q, pr), b.value) &&
         std::fabs(dT) <= negligible_T * pr.T;
}

// Region 2's (p, rho), (T, h) and (T, s) from an iterate on the isobar or
// isotherm of a: a's residual is exactly zero, so Newton's step is
// one-dimensional, and its evaluation forms only what it needs
// (if97::properties2_along_line): no cp, no (dv/dp)_T. Along the isobar the
// step is taken on v, nearly linear in T in steam as in the ideal gas, not
// on rho = 1/v: from the table's start one step lands within the polish's
// criteria about a quarter more often.
struct line_step {
  bool along = false;
  if97::line_quantity q = if97::line_quantity::volume;
};
line_step line_step_of(int region, target a, target b) {
  if (region != 2) return {};
  if (a.q == quantity::p && b.q == quantity::rho) return {true, if97::line_quantity::volume};
  if (a.q == quantity::T && b.q == quantity::h) return {true, if97::line_quantity::enthalpy};
  if (a.q == quantity::T && b.q == quantity::s) return {true, if97::line_quantity::entropy};
  return {};
}
newton_step newton_step_along(target b, const if97::properties& pr) {
  switch (b.q) {
    case quantity::rho: return {(pr.v - 1.0 / b.value) / pr.dv_dT, 0.0};
    case quantity::s: return {0.0, (pr.s - b.value) / (-kJ_per_MPa_m3 * pr.dv_dT)};
    default: return {0.0, (pr.h - b.value) / (kJ_per_MPa_m3 * (pr.v - pr.T * pr.dv_dT))};
  }
}

bool polish(int region, target a, target b, double T, double y, single& last, bool whole_first = false) {
  const int steps_before = std::exchange(start_steps, 0);
  const bool entropy = a.q == quantity::s || b.q == quantity::s;
  const line_step line = line_step_of(region, a, b);
  bool whole = region == 3 || whole_first;
  for (int k = 0; k < max_steps; ++k) {
    if (!within_polish_range(region, T, y)) return false;
    last.region = region;
    const bool along = line.along && (a.q == quantity::p ? y : T) == a.value;
    last.pr = whole   ? evaluate(region, T, y)
              : along ? if97::properties2_along_line(y, T, line.q)
                      : evaluate_for_step(region, T, y, entropy);
    last.evaluated = if97::extent::all;
    const if97::properties& pr = last.pr;
    steps_taken = steps_before + k;  // the steps taken before this evaluation
    if (k >= 2 && escaped(region, pr)) return false;
    // A singular step (a determinant of 0 or NaN) is not finite.
    const auto [dT, dy] = along ? newton_step_along(b, pr) : newton_step_of(region, a, b, pr);
    if (!std::isfinite(dT) || !std::isfinite(dy)) return false;
    if (polished_at(a, b, pr, dT)) {
      if (!whole) last.pr = evaluate(region, T, y);
      // A region-3 state of pressure p: the pressure asked for, which p(T, rho)
      // reproduces to rounding.
      if (region == 3 && a.q == quantity::p) last.pr.p = a.value;
      return true;
    }
    // Steps kept to a fifth of T and y above a quarter of itself; a gas's
    // pressure (nearly proportional to its density) also below 4 y: a far
    // start does not leap out of the region's range.
    T -= std::clamp(dT, -0.2 * T, 0.2 * T);
    const double y_max = region == 2 || region == 5 ? 4.0 * y : inf;
    double y_next = y - dy;
    if (region == 1) {
      const double b_plus_p = tait_c * pr.v / -pr.dv_dp;  // MPa
      y_next = y + b_plus_p * exp_less_one(-dy / b_plus_p);
    }
    const double y_last = y;
    y = std::clamp(y_next, 0.25 * y, y_max);
    const double after = along && a.q == quantity::p ? whole_after_isobar : whole_after;
    whole = region == 3 || (std::fabs(dT) <= after * T && std::fabs(y - y_last) <= after * y);
  }
  return false;
}

// Whether a polished state keeps its region's bounds: within 1e-12 relative
// of a bound in T it lies on it (its T is polished to 1e-12 of itself), and
// within 1e-11 of 100 MPa or 50 MPa (a gas's p moves with its T's last step
// by a few times as much: steam of 100 MPa and 885 K came out 2e-12 above);
// any p > 0 (denorm_min the least); the saturation line up to T_c, whichever
// region's equation found the state; region 2's equation extrapolated beyond
// 2273.15 K sends on to region 5.
constexpr detail::verdict_tolerance polished{1e-12, 1e-11, 0.0, std::numeric_limits<double>::denorm_min(), true, true};
region_verdict verdict_of(const single& st) { return detail::region_verdict_of(st, polished); }

// Where two regions' equations leave a gap at their boundary, a state lies
// a little beyond the bound of one of them (at most 61 mK, at 1073.15 K).
constexpr double gap_max = 0.1;  // K

// The start of a region's polish: T and the region's second variable.
struct start {
  double T, y;
  // Within about rounding of the root: the polish evaluates whole at once.
  bool near_root = false;
};

// The single phase of a pair: the polish in `region` from its start, then
// in the neighbour across the bound its state crossed. Where none holds its state within bounds, the state least beyond a
// bound by less than gap_max (a gap between two regions' equations). A
// state inside the saturation line leaves its temperature in T_inside.
template <class Start>
bool single_phase(target a, target b, int region, Start&& start_of, single& out, double& T_inside) {
  // A region is tried again, from the state of its neighbour, where its
  // first polish failed; never after its polish converged.
  int tries[6] = {};
  unsigned converged = 0;
  const auto spent = [&](int r) { return (converged & (1u << r)) != 0 || tries[r] >= 2; };
  single nearest{};
  double nearest_beyond = gap_max;
  bool near = false;
  const single* from = nullptr;
  single st{};
  for (int attempt = 0; attempt < 5 && region != outside_formulation && region != inside_saturation_line; ++attempt) {
    ++tries[region];
    const start s0 = start_of(region, from);
    if (!polish(region, a, b, s0.T, s0.y, st, s0.near_root)) {
      // Where a polish leaves its region's range, the state lies beyond it:
      // beyond 100 MPa by the equation extrapolated, the region by T.
      region_verdict v = verdict_of(st);
      if (v.next == outside_formulation && region == 3 && st.pr.T > if97::T_b23_max) v.next = 2;
      if (v.next == region || v.next == outside_formulation || spent(v.next)) break;
      if (v.next == inside_saturation_line) {
        T_inside = st.pr.T;
        return false;
      }
      region = v.next;
      from = &st;
      continue;
    }
    converged |= 1u << region;
    region_verdict v = verdict_of(st);
    // Region 3's equation, extrapolated beyond 863.15 K, may put steam of
    // region 2 above 100 MPa.
    if (v.next == outside_formulation && region == 3 && st.pr.T > if97::T_b23_max) v.next = 2;
    if (v.next == region) {
      out = st;
      return true;
    }
    if (v.next == inside_saturation_line) {
      T_inside = st.pr.T;
      return false;
    }
    if (v.next != outside_formulation && v.beyond <= nearest_beyond) {
      nearest = st;
      nearest_beyond = v.beyond;
      near = true;
    }
    if (v.next == outside_formulation || spent(v.next)) break;
    region = v.next;
    from = &st;
  }
  if (near) out = nearest;
  return near;
}

// The start of a region's polish from where another left off, in that
// region's variables: T kept within the region's temperatures.
start carried_over(int region, const single& from) {
  double T = from.pr.T;
  switch (region) {
    case 1: T = std::fmin(T, if97::T_region1_max); break;
    case 3: T = std::clamp(T, if97::T_region1_max, if97::T_b23_max); break;
    case 5: T = std::fmax(T, if97::T_region2_max); break;
    default: break;
  }
  if (region == 3) {
    const double rho = 1.0 / from.pr.v;
    return {T, rho};
  }
  return {T, from.region == 3 ? std::fmin(from.pr.p, if97::p_max) : from.pr.p};
}

// ------------------------------------------------------------ saturation --

// The saturated phases at T with the derivatives along the saturation line
// of a quantity q and of v, along p = psat(T).
struct line_values {
  double q_liquid, q_vapour, dq_liquid, dq_vapour;  // q and dq/dT
  double v_liquid, v_vapour, dv_liquid, dv_vapour;  // m3/kg and per K
};
struct saturated_line : line_values {
  saturation sat;
};

// Above 623.15 K the saturated states are those of psat(T) in Pa, as (T, x)
// and (p, x) find them: near the critical point the region-3 roots move
// with the last bit of p by more than 1e-12 of the mixture's x.
//
// What limits x of a (rho, q) there: region 3's p(T, rho) is summed to about
// 1e-15 of p, and the flat isotherm turns that into eps p / (rho (dp/drho)_T)
// of the saturated densities, about 1.5e-12 at T_c - 0.5 K. From one ulp of
// T to the next, x of a given rho then jumps by some 3e-12 (4e-13 at 645 K,
// 1e-9 at T_c - 0.01 K), and q fixes T only to 10 to 60 ulps: x is
// good to 1e-12 below about 646 K. Closer, x within 1e-12 needs the
// region-3 pressure and its density roots beyond double precision.
bool saturation_for_line(double T, saturation& out) {
  if (T <= if97::T_region1_max) return detail::saturation_at_T(T, out);
  return detail::saturation_of_pressure(Pa_per_MPa * if97::psat(T), out);
}

bool saturated_line_at(double T, quantity q, saturated_line& out) {
  if (!saturation_for_line(T, out.sat)) return false;
  const single &l = out.sat.liquid, &v = out.sat.vapour;
  // The saturated states lie at psat(T) of Eq. (30): their slope, not the
  // Clapeyron slope of the phases (which IF97 meets only to about 1e-4),
  // makes Newton's steps along the line converge quadratically.
  const double dp_dT = if97::dpsat_dT(T);  // MPa/K
  const auto along = [&](const single& ph, double& dq, double& dv) {
    const gradient gp = gradient_of(quantity::p, ph.region, ph.pr);
    const double dy = (dp_dT - gp.T) / gp.y;  // of the region's second variable along the line
    const gradient gq = gradient_of(q, ph.region, ph.pr), gr = gradient_of(quantity::rho, ph.region, ph.pr);
    dq = gq.T + gq.y * dy;
    dv = -ph.pr.v * ph.pr.v * (gr.T + gr.y * dy);
  };
  out.q_liquid = value_of(q, l.pr);
  out.q_vapour = value_of(q, v.pr);
  out.v_liquid = l.pr.v;
  out.v_vapour = v.pr.v;
  along(l, out.dq_liquid, out.dv_liquid);
  along(v, out.dq_vapour, out.dv_vapour);
  if (l.pr.v == v.pr.v) out.dq_liquid = out.dq_vapour = out.dv_liquid = out.dv_vapour = nan;
  return true;
}

// The highest temperature of a tie line, just below the critical point.
const double T_top = std::nextafter(if97::T_c, 0.0);  // K

// A value and its slope along a line, with whether the value reproduces its
// target there; `valid` false where the line has no state (the parameter lies
// beyond the line's part that holds the pair, on the high side).
struct point {
  double f;      // value less its target
  double slope;  // df/dt
  bool reproduced;
  bool valid = true;
  bool quadratic = false;  // Newton's error after a step from here is of the order of its square
};

// Newton's iteration kept within a bracket [lo, hi] of a parameter t where
// f rises (rising) or falls through its target; an invalid point counts as
// beyond the high end. Ends where the value reproduces its target and the
// next step is below 1e-12 of t, or where the bracket closes on a state that
// reproduces it. With `converging` set, also where a step from a point that
// says it converges quadratically falls below that fraction of t: the root is
// then t less that step, unevaluated, for the caller to check.
template <class F>
bool bracketed(F&& f, double lo, double hi, bool rising, double t, double& root, double step_bound = negligible_T,
               double converging = 0.0, int step_limit = 200, bool noisy = false) {
  double last_step = inf;
  // Noisy: where the value is noisy at the level of its tolerance (the
  // region-3 saturated phases within millikelvins of T_c, whose p moves in
  // steps of its last bit), the bracket may close beside the states that
  // reproduced the target: the one nearest it is the root.
  double best = nan, best_f = inf;
  for (int k = 0; k < step_limit; ++k) {
    if (!(t > lo && t < hi)) t = 0.5 * (lo + hi);
    const point pt = f(t);
    if (!pt.valid) {
      hi = t;
      t -= pt.f / pt.slope;  // the value continued beyond the line's end still steers
      continue;
    }
    const double step = pt.f / pt.slope;
    const bool closed = hi - lo <= 4e-16 * std::fabs(t);
    // Steps that no longer shrink have reached rounding.
    const bool rounding = std::fabs(step) >= 0.5 * last_step && last_step <= 1e-13 * std::fabs(t);
    last_step = std::fabs(step);
    if (pt.quadratic && std::fabs(step) <= converging * std::fabs(t) && t - step > lo && t - step < hi) {
      root = t - step;
      return true;
    }
    if (pt.reproduced && (std::fabs(step) <= step_bound * std::fabs(t) || closed || rounding)) {
      root = t;
      return true;
    }
    if (noisy && pt.reproduced && std::fabs(pt.f) < best_f) {
      best = t;
      best_f = std::fabs(pt.f);
    }
    if (closed) {
      if (!(best_f < inf)) return false;
      root = best;
      return true;
    }
    if ((pt.f < 0.0) == rising) lo = t;
    else hi = t;
    t = std::isfinite(step) ? t - step : nan;
  }
  return false;
}

// Within a few kelvin of T_c the saturated volumes' curvature grows, and
// x with the last bits of T: there T is polished to rounding.
constexpr double T_quadratic_max = if97::T_c - 5.0;  // K

// ln(a / b) of positive a and b, as 2 atanh(z), z = (a - b) / (a + b): near
// a = b (near the root of isochore_point's equation, and at the nodes next
// to it) the series to z^5, within 1e-5 of it for |z| < 0.2 and exact at the
// root (to z^7 beside it), at a fifth of the logarithm's cost.
double ln_ratio(double a, double b) {
  const double z = (a - b) / (a + b), z2 = z * z;
  return std::fabs(z) < 0.2 ? 2.0 * z * (1.0 + z2 * (1.0 / 3.0 + z2 * 0.2)) : std::log(a / b);
}

// The point of the equation of a two-phase (v, q) at T, from the saturated
// phases' values and slopes along the line there: ln x_v - ln x_q, or the
// mixture's q less its target near the liquid's end (see two_phase_isochore).
point isochore_point(const line_values& line, double v, target q, double T) {
  const double span = line.v_vapour - line.v_liquid, q_span = line.q_vapour - line.q_liquid;
  const double xv = (v - line.v_liquid) / span, xq = (q.value - line.q_liquid) / q_span;
  const double dxv = -((1.0 - xv) * line.dv_liquid + xv * line.dv_vapour) / span;
  const double dxq = -((1.0 - xq) * line.dq_liquid + xq * line.dq_vapour) / q_span;
  const double value = if97::mixture(line.q_liquid, line.q_vapour, xv);
  const double mixture_slope = if97::mixture(line.dq_liquid, line.dq_vapour, xv) + q_span * dxv;
  // A volume a few units of its last bit outside the saturated ones lies on
  // the line. Beyond the line the mixture's value, continued, still steers.
  const double slack = 4.0 * std::numeric_limits<double>::epsilon() * v / std::fabs(span);
  if (xv < -slack || xv > 1.0 + slack) {
    // Below the liquid's density maximum v' falls with T: there the
    // isochore enters the dome at a higher T.
    if (xv < 0.0 && line.dv_liquid < 0.0) return {-1.0, nan, false};
    return {value - q.value, mixture_slope, false, false};
  }
  const bool reproduced = reproduces(q.q, value, q.value);
  const bool quadratic = T < T_quadratic_max;
  // Near the liquid's end of the line x_v and x_q vanish together at the
  // root and their logarithms lose their accuracy: there the difference of
  // the mixture's q steers.
  constexpr double x_log_min = 1e-3;
  if (!(xv > x_log_min && xq > x_log_min)) return {value - q.value, mixture_slope, reproduced, true, quadratic};
  return {ln_ratio(xv, xq), dxv / xv - dxq / xq, reproduced, true, quadratic};
}

// ------------------------------------------------- the line's interpolant --

// A grid of T evenly spaced over [T_lo, T_hi]. The tables of this file (the
// saturation line's interpolant, Tait's equation of region 1's liquid, and
// the ends of region 3's isotherms) each sample their quantities at its
// nodes once, on first use, and interpolate between them.
struct T_grid {
  double T_lo, T_hi;  // K
  int intervals;
  constexpr int nodes() const { return intervals + 1; }
  constexpr double step() const { return (T_hi - T_lo) / intervals; }  // K
  // Node i's T; the last is T_hi itself.
  constexpr double node(int i) const { return i == intervals ? T_hi : T_lo + i * step(); }
  // The interval [node(i), node(i + 1)] that holds T, the first or the last
  // one beyond the grid's ends (also for a T that is not finite), and T's
  // offset s from node i in steps (beyond the ends outside [0, 1]).
  struct place {
    int i;
    double s;
  };
  place place_of(double T) const {
    const double at = (T - T_lo) / step();
    const int i = static_cast<int>(std::fmax(0.0, std::fmin(at, intervals - 1.0)));
    return {i, at - i};
  }
};

// The saturation line sampled once, evenly in T, on two stretches: regions
// 1 and 2 from 273.15 K to 623.15 K (256 intervals), region 3's roots from
// 623.15 K to 645.15 K (128), where their curvature grows toward T_c. At
// each sample v', ln v'' and u', h', s', u'', h'', s'' with their slopes
// along the line, for the cubic (Hermite's) through each two. Between
// samples 1.4 K apart (0.17 K above 623.15 K) it holds ln x_v - ln x_q to
// about 1e-10, and the root T of a two-phase (rho, q) to about 1e-11 of T:
// one Newton step on the forward equations from there reaches rounding.
constexpr int dome_intervals = 256;
constexpr T_grid dome_low{if97::T_min, if97::T_region1_max, dome_intervals};
constexpr T_grid dome_high{if97::T_region1_max, 645.15, 128};
constexpr double dome_T_step = dome_low.step();  // K
constexpr int quantity_count = 3;  // u, h, s
int quantity_index(quantity q) { return q == quantity::u ? 0 : q == quantity::h ? 1 : 2; }

struct dome_node {
  double v_liquid, dv_liquid, ln_v_vapour, dln_v_vapour;  // m3/kg and per K
  double q_liquid[quantity_count], dq_liquid[quantity_count], q_vapour[quantity_count], dq_vapour[quantity_count];
};
// Whether a node's saturated volume lies on the near side of v: ln v''
// falls with T along the line, v' rises (past the density maximum, below v).
bool on_near_side(double v_node, double v, bool vapour) { return vapour ? v_node >= v : v_node <= v; }

// A direct index from a volume into a stretch's nodes, for where an isochore
// leaves the dome: the bits of a positive double, shifted right, rise with
// it (a log2 of it, straight within each binade), and each bucket of those
// keys holds the last node on the near side of every volume in the bucket,
// the least answer, from which a step or two along the nodes reach it.
struct volume_index {
  static constexpr int buckets = 2048;
  std::uint64_t key_lo = 0;
  int shift = 0;
  std::uint16_t least[buckets] = {};

  static std::uint64_t key(double v) { return std::bit_cast<std::uint64_t>(v); }
  // The bucket of v; -1 outside the index (no least answer but node 0 then).
  int bucket(double v) const {
    const std::uint64_t k = key(v);
    if (!(k >= key_lo)) return -1;
    const std::uint64_t b = (k - key_lo) >> shift;
    return b < buckets ? static_cast<int>(b) : -1;
  }
  // The index of the saturated volumes of nodes 0 to `last`, on one phase's
  // line, where the nodes on the near side of any v come first.
  static volume_index of(const double* values, int last, bool vapour) {
    volume_index out{};
    const auto [lo, hi] = std::minmax_element(values, values + last + 1);
    out.key_lo = key(*lo);
    while (((key(*hi) - out.key_lo) >> out.shift) >= buckets) ++out.shift;
    // The buckets in the order of growing answers (the vapour's from the
    // top), each answer a walk on from the one before.
    int i = 0;
    for (int n = 0; n < buckets; ++n) {
      const int b = vapour ? buckets - 1 - n : n;
      // The volume of the bucket with the fewest nodes on its near side:
      // the vapour's largest, the liquid's least.
      const std::uint64_t edge = out.key_lo + (static_cast<std::uint64_t>(b + static_cast<int>(vapour)) << out.shift);
      const double v = std::bit_cast<double>(edge - static_cast<std::uint64_t>(vapour));
      while (i < last && on_near_side(values[i + 1], v, vapour)) ++i;
      out.least[b] = static_cast<std::uint16_t>(i);
    }
    return out;
  }
};

// With the nodes, their saturated volumes alone (a search for where an
// isochore leaves the dome reads a few cache lines, not a node each) and the
// largest q' and q'' of the stretch.
struct dome_nodes_of_segment {
  dome_node node[dome_intervals + 1];
  double v_liquid[dome_intervals + 1], v_vapour[dome_intervals + 1];  // m3/kg
  double q_liquid_max[quantity_count], q_vapour_max[quantity_count];
  volume_index liquid_index, vapour_index;
};

// The samples of a stretch; above 623.15 K its first lies an ulp above, on
// region 3's roots.
dome_nodes_of_segment sampled(const T_grid& seg, bool high) {
  dome_nodes_of_segment out{};
  for (int i = 0; i <= seg.intervals; ++i) {
    double T = seg.node(i);
    if (high && i == 0) T = std::nextafter(T, inf);
    dome_node& n = out.node[i];
    for (const quantity q : {quantity::u, quantity::h, quantity::s}) {
      saturated_line line{};
      saturated_line_at(T, q, line);
      const int k = quantity_index(q);
      n.q_liquid[k] = line.q_liquid;
      n.dq_liquid[k] = line.dq_liquid;
      n.q_vapour[k] = line.q_vapour;
      n.dq_vapour[k] = line.dq_vapour;
      n.v_liquid = line.v_liquid;
      n.dv_liquid = line.dv_liquid;
      out.v_liquid[i] = line.v_liquid;
      out.v_vapour[i] = line.v_vapour;
      out.q_liquid_max[k] = i == 0 ? line.q_liquid : std::fmax(out.q_liquid_max[k], line.q_liquid);
      out.q_vapour_max[k] = i == 0 ? line.q_vapour : std::fmax(out.q_vapour_max[k], line.q_vapour);
      n.ln_v_vapour = std::log(line.v_vapour);
      n.dln_v_vapour = line.dv_vapour / line.v_vapour;
    }
  }
  out.liquid_index = volume_index::of(out.v_liquid, seg.intervals - 1, false);
  out.vapour_index = volume_index::of(out.v_vapour, seg.intervals - 1, true);
  return out;
}

const dome_nodes_of_segment& dome_table(bool high = false) {
  if (high) {
    static const dome_nodes_of_segment nodes = sampled(dome_high, true);
    return nodes;
  }
  static const dome_nodes_of_segment nodes = sampled(dome_low, false);
  return nodes;
}
const dome_node* dome_nodes(bool high = false) { return dome_table(high).node; }

// The interpolant's saturated values and slopes at T, on a stretch. With
// `values` unset, the slopes alone, for saturated values known otherwise:
// dv_vapour then holds the slope of ln v'', for the caller to multiply by v''.
template <bool values = true>
line_values dome_line_at(double T, quantity q, bool high = false) {
  const T_grid& seg = high ? dome_high : dome_low;
  const dome_node* nodes = dome_nodes(high);
  const double h = seg.step();
  const auto [i, s] = seg.place_of(T);
  const dome_node &a = nodes[i], &b = nodes[i + 1];
  const double r = 1.0 - s;
  // Hermite's basis on [0, 1] and its derivatives.
  const double h00 = (1.0 + 2.0 * s) * r * r, h10 = s * r * r, h01 = s * s * (3.0 - 2.0 * s), h11 = -s * s * r;
  const double d00 = -6.0 * s * r, d10 = r * (1.0 - 3.0 * s), d01 = 6.0 * s * r, d11 = s * (3.0 * s - 2.0);
  const auto cubic = [&](double f0, double m0, double f1, double m1, double& slope) {
    slope = (d00 * f0 + d01 * f1) / h + d10 * m0 + d11 * m1;
    if constexpr (values) return h00 * f0 + h01 * f1 + h * (h10 * m0 + h11 * m1);
    else return nan;
  };
  const int k = quantity_index(q);
  line_values out{};
  out.q_liquid = cubic(a.q_liquid[k], a.dq_liquid[k], b.q_liquid[k], b.dq_liquid[k], out.dq_liquid);
  out.q_vapour = cubic(a.q_vapour[k], a.dq_vapour[k], b.q_vapour[k], b.dq_vapour[k], out.dq_vapour);
  out.v_liquid = cubic(a.v_liquid, a.dv_liquid, b.v_liquid, b.dv_liquid, out.dv_liquid);
  const double ln_v = cubic(a.ln_v_vapour, a.dln_v_vapour, b.ln_v_vapour, b.dln_v_vapour, out.dv_vapour);
  if constexpr (values) {
    out.v_vapour = std::exp(ln_v);
    out.dv_vapour *= out.v_vapour;
  }
  return out;
}

// Where the isochore v leaves the dome below 623.15 K: on the vapour line
// (v at least v''(623.15 K)) or on the liquid line (v at most v'(623.15 K),
// above v'(273.15 K), so that the crossing above the liquid's density
// maximum is the only one). The node interval [i, i + 1] that holds it, and
// whether it lies on the vapour line.
struct dome_exit {
  int i;
  bool vapour;
};
// Where the isochore leaves the dome: none (v above v''(273.15 K), or q above
// any the line reaches: no two-phase state), above 623.15 K, below it (dome_exit), or not decided here
// (v below v'(273.15 K), where the isochore may cross the liquid line twice).
enum class exit_kind { none, above, below, undecided };

// The last node i in [0, last] where a test holds that holds at node 0
// and, once it fails, fails at every later node: counted in rounds of
// strides 64, 16, 4 and 1, the tests of a round independent of each other
// (no chain of loads, as bisection's), at most three after the first round.
template <class Holds>
int last_holding(int last, Holds&& holds) {
  int lo = 0, open = last;  // the answer lies in [lo, lo + open]
  for (const int stride : {64, 16, 4, 1}) {
    const int end = std::min(lo + open, last);
    int count = 0;
    for (int i = lo + stride; i <= end; i += stride) count += static_cast<int>(holds(i));
    lo += stride * count;
    open = stride - 1;
  }
  return lo;
}

// The last node of a stretch whose saturated phase lies on the near side of
// v, from the index's least answer on.
int exit_interval(const dome_nodes_of_segment& table, int intervals, double v, bool vapour) {
  const double* values = vapour ? table.v_vapour : table.v_liquid;
  const volume_index& index = vapour ? table.vapour_index : table.liquid_index;
  const int b = index.bucket(v);
  int i = b < 0 ? 0 : index.least[b];
  while (i < intervals - 1 && on_near_side(values[i + 1], v, vapour)) ++i;
  return i;
}

// A q above the largest of the line's (by more than `bulge`) lies beyond the
// dome wherever the isochore leaves it below 623.15 K.
exit_kind dome_exit_of(double v, target q, double bulge, dome_exit& out) {
  const dome_nodes_of_segment& table = dome_table();
  if (v > table.v_vapour[0]) return exit_kind::none;
  if (!(v > table.v_liquid[0])) return exit_kind::undecided;
  out.vapour = v >= table.v_vapour[dome_intervals];
  const int k = quantity_index(q.q);
  if (!out.vapour && v > table.v_liquid[dome_intervals]) {
    // Above 623.15 K q'' falls with T toward the critical point's q, and q'
    // rises to it: the isochore's end, and every two-phase state below it,
    // lies below q'' at the first node of region 3's roots.
    return q.value > dome_table(true).q_vapour_max[k] + bulge ? exit_kind::none : exit_kind::above;
  }
  if (q.value > (out.vapour ? table.q_vapour_max[k] : table.q_liquid_max[k]) + bulge) return exit_kind::none;
  out.i = exit_interval(table, dome_intervals, v, out.vapour);
  return exit_kind::below;
}

// The node interval of a stretch that holds the root T of a two-phase (v, q)
// at or below the node T_end: along the isochore the mixture's q rises with
// T, so the root lies above the last node where it falls short of q (and v
// lies between the saturated volumes), found from the nodes' exact values
// (no cubic evaluated). The start on it is the secant's root of the value of
// isochore_point (ln x_v - ln x_q, nearly straight in T) through the two
// nodes. Not found where the first node already lies above the root.
struct node_root_bracket {
  bool found = false;
  double T_lo = nan, T_hi = nan, T_start = nan;  // K
};
node_root_bracket node_bracket(bool high, double v, target q, double T_end) {
  const T_grid& seg = high ? dome_high : dome_low;
  const dome_nodes_of_segment& table = dome_table(high);
  const int k = quantity_index(q.q);
  const double h = seg.step();  // K
  // The node nearest T_end (T_end lies on or above the stretch's first).
  const int n_end = std::clamp(static_cast<int>((T_end - seg.T_lo) / h + 0.5), 0, seg.intervals);
  // The fractions x_v and x_q at node i.
  const auto fractions = [&](int i, double& xv, double& xq) {
    const dome_node& n = table.node[i];
    xv = (v - table.v_liquid[i]) / (table.v_vapour[i] - table.v_liquid[i]);
    xq = (q.value - n.q_liquid[k]) / (n.q_vapour[k] - n.q_liquid[k]);
  };
  // Below the root: v between the saturated volumes and the mixture's q
  // short of q (x_v < x_q, multiplied out: v'' > v' and q'' > q').
  // The three tests summed, not chained: no branch to mispredict.
  const auto below = [&](int i) {
    const double v_liquid = table.v_liquid[i], v_vapour = table.v_vapour[i];
    const dome_node& n = table.node[i];
    return static_cast<int>(v >= v_liquid) + static_cast<int>(v <= v_vapour) +
               static_cast<int>((v - v_liquid) * (n.q_vapour[k] - n.q_liquid[k]) <
                                (q.value - n.q_liquid[k]) * (v_vapour - v_liquid)) ==
           3;
  };
  node_root_bracket out;
  if (!below(0)) return out;
  // The nodes below the root come first.
  const int lo = last_holding(n_end, below);
  out.found = true;
  out.T_lo = seg.T_lo + lo * h;
  out.T_hi = lo == n_end ? T_end : seg.T_lo + (lo + 1) * h;
  out.T_start = 0.5 * (out.T_lo + out.T_hi);
  if (lo == n_end) return out;
  double xv0 = nan, xq0 = nan, xv1 = nan, xq1 = nan;
  fractions(lo, xv0, xq0);
  fractions(lo + 1, xv1, xq1);
  // The logarithms where all fractions are positive, else the differences.
  const bool logs = xv0 > 0.0 && xq0 > 0.0 && xv1 > 0.0 && xq1 > 0.0;
  const double g0 = logs ? ln_ratio(xv0, xq0) : xv0 - xq0, g1 = logs ? ln_ratio(xv1, xq1) : xv1 - xq1;
  const double s = g0 / (g0 - g1);
  if (s > 0.0 && s < 1.0) out.T_start = out.T_lo + s * (out.T_hi - out.T_lo);
  return out;
}

// Whether a (v, q) is two-phase below 645.15 K by the interpolant: wet, with
// the interpolant's root T, the start of two_phase_isochore a step from the
// state; dry where the isochore holds no two-phase state of this q at all;
// open where the forward equations decide (a root above 645.15 K, within 10
// mK of 623.15 K, or q within 1e-7 of the isochore's end on the line).
enum class dome_verdict { wet, dry, open };
dome_verdict dome_start(double v, target q, double& T) {
  // Where the isochore leaves the dome in the stretch's node interval i.
  // Along the isochore the mixture's q rises with T to its end on the line:
  // a q above that end's lies beyond the dome. Near the end (within 1e-7 of
  // q) the forward equations decide. Far from both nodes' q (by more than
  // q' or q'' bulges between them at an extremum) the nodes decide.
  const double margin = 1e-7 * std::fmax(std::fabs(q.value), 1.0), bulge = 1e4 * margin;
  dome_exit end{};
  const exit_kind kind = dome_exit_of(v, q, bulge, end);
  if (kind == exit_kind::none) return dome_verdict::dry;
  // In r = -1/T, in which ln v'' (as ln psat) is nearly straight.
  bool high = false;  // on the stretch above 623.15 K
  const auto f = [&](double r) {
    const double t = -1.0 / r;
    point pt = isochore_point(dome_line_at(t, q.q, high), v, q, t);
    pt.slope *= t * t;
    pt.reproduced = pt.valid;  // the interpolant's root to its own rounding
    return pt;
  };
  // At 623.15 K the saturated phases step from regions 1 and 2 to region 3's
  // roots: a (v, q) within a few mK of it may have a state on each side
  // (5 mK apart at x = 1). There the forward equations decide, as before.
  constexpr double T_twins = if97::T_region1_max - 0.01, T_twins_above = if97::T_region1_max + 0.01;  // K
  const double T_above = std::nextafter(dome_high.T_lo, inf);                                           // K
  // The search on the stretch: from T0 up to T_end, the steps of Newton's
  // iteration converging quadratically ended where the next one falls below
  // 1e-5 of T (the error left about 1e-10 of T).
  const auto search = [&](double T0, double T_end) {
    double r = nan;
    double T_lo = high ? T_above : if97::T_min;
    // The node interval that holds the root, from the nodes' exact values
    // (no cubic evaluated), and the start on it by the secant.
    // Within 5 K of T_c, where the root is polished to rounding, the search
    // keeps its start from the stretch's end.
    const node_root_bracket nodes = node_bracket(high, v, q, T_end);
    if (nodes.found && nodes.T_hi <= T_quadratic_max) {
      T_lo = std::fmax(T_lo, nodes.T_lo);
      T_end = nodes.T_hi;
      T0 = nodes.T_start;
    }
    if (!bracketed(f, -1.0 / T_lo, -1.0 / T_end, true, -1.0 / T0, r, 1e-13, 1e-5, 60)) return dome_verdict::open;
    T = -1.0 / r;
    return (high ? T > T_twins_above : T < T_twins) ? dome_verdict::wet : dome_verdict::open;
  };
  const int k = quantity_index(q.q);
  const auto q_at = [&](const dome_node& n, bool vapour) { return vapour ? n.q_vapour[k] : n.q_liquid[k]; };
  // Whether q lies far above the isochore's end in the node interval i.
  const auto far_above_end = [&](bool on_high, int i, bool vapour) {
    const dome_node* nodes = dome_nodes(on_high);
    return q.value > std::fmax(q_at(nodes[i], vapour), q_at(nodes[i + 1], vapour)) + bulge;
  };
  const auto ending_in = [&](int i, bool vapour) {
    const T_grid& seg = high ? dome_high : dome_low;
    const dome_node* nodes = dome_nodes(high);
    const dome_node &a = nodes[i], &b = nodes[i + 1];
    const double q_a = q_at(a, vapour), q_b = q_at(b, vapour);
    const double T_a = seg.T_lo + i * seg.step(), T_b = T_a + seg.step();
    if (far_above_end(high, i, vapour)) return dome_verdict::dry;
    if (q.value < std::fmin(q_a, q_b) - bulge) return search(T_a, T_b);
    // The end's T by Newton's steps on the cubic of v'' (or v'), from the
    // secant's root.
    const double ga = vapour ? a.ln_v_vapour - std::log(v) : a.v_liquid - v;
    const double gb = vapour ? b.ln_v_vapour - std::log(v) : b.v_liquid - v;
    double T_end = T_a + seg.step() * (ga == gb ? 0.5 : ga / (ga - gb));
    line_values at{};
    for (int step = 0; step < 4; ++step) {
      at = dome_line_at(T_end, q.q, high);
      const double g = vapour ? std::log(at.v_vapour / v) : at.v_liquid - v;
      const double slope = vapour ? at.dv_vapour / at.v_vapour : at.dv_liquid;
      T_end = std::clamp(T_end - g / slope, T_a, T_b);
    }
    at = dome_line_at(T_end, q.q, high);
    const double q_end = vapour ? at.q_vapour : at.q_liquid;
    if (q.value > q_end + margin) return dome_verdict::dry;
    if (q.value > q_end - margin) return dome_verdict::open;
    return search(T_a, T_b);
  };
  if (kind == exit_kind::undecided) return dome_verdict::open;
  if (kind == exit_kind::below) return ending_in(end.i, end.vapour);
  // The isochore leaves the dome above 623.15 K: below 645.15 K on region 3's
  // roots, where a q far above its end's is dry at once; else the root lies
  // below 645.15 K where the value is positive there.
  const dome_nodes_of_segment& table = dome_table(true);
  const bool vapour = v >= table.v_vapour[dome_high.intervals];
  const bool ends_high = vapour || v <= table.v_liquid[dome_high.intervals];
  const int i_end = ends_high ? exit_interval(table, dome_high.intervals, v, vapour) : 0;
  if (ends_high && far_above_end(true, i_end, vapour)) return dome_verdict::dry;
  // Above the root the value is positive: a value below it at 623.15 K puts
  // the root above.
  const point top = f(-1.0 / if97::T_region1_max);
  if (!top.valid) return dome_verdict::open;
  if (top.f >= 0.0) return search(if97::T_region1_max - dome_T_step, if97::T_region1_max);
  high = true;
  if (ends_high) return ending_in(i_end, vapour);
  const point high_top = f(-1.0 / dome_high.T_hi);
  if (!high_top.valid || high_top.f < 0.0) return dome_verdict::open;
  return search(T_above + dome_high.step(), dome_high.T_hi);
}

// The two-phase state of (v, q) along the saturation line: T with v' <= v <= v''
// and q = q' + x (q'' - q'), x = (v - v') / (v'' - v'). Along an isochore q (u, h
// or s) rises with T; a T where v lies outside the saturated volumes lies
// above the isochore's end on the line (below it, at the density maximum of
// the liquid, where v' falls with T). From T0, below T_c.
//
// The equation solved is ln x_v(T) = ln x_q(T) with x_v = (v - v') / (v'' - v')
// and x_q = (q - q') / (q'' - q'): x_v grows about as psat(T), exponentially,
// while x_q changes slowly, so that their logarithms are nearly straight in
// T and Newton's steps converge from far off. Where x_v or x_q is not
// positive, T lies above the root. The state reproduces q where q' + x_v
// (q'' - q') does.
bool two_phase_isochore(double v, target q, double T0, saturation& sat, double& x, int step_limit = 200) {
  saturated_line line{};
  double T_line = nan;  // K, where `line` was evaluated last
  // The state at the root needs the saturated phases alone, not their slopes
  // along the line.
  const auto evaluate_line = [&](double T, bool slopes) {
    ++line_evaluations;
    T_line = T;
    if (slopes ? saturated_line_at(T, q.q, line) : saturation_for_line(T, line.sat)) {
      if (!slopes) {
        line.v_liquid = line.sat.liquid.pr.v;
        line.v_vapour = line.sat.vapour.pr.v;
        line.q_liquid = value_of(q.q, line.sat.liquid.pr);
        line.q_vapour = value_of(q.q, line.sat.vapour.pr);
      }
      return true;
    }
    T_line = nan;
    return false;
  };
  const auto f = [&](double T) -> point {
    if (!evaluate_line(T, true)) return {nan, nan, false, false};
    return isochore_point(line, v, q, T);
  };
  double T = nan;
  // x = (v - v') / (v'' - v') moves with T as fast as v'' does at low
  // pressure (6 % per kelvin), and faster near the critical point: T is
  // polished to rounding. The step below 1e-9 of T is taken unevaluated,
  // its error some 1e-18 of T; where the state it reaches does not reproduce
  // q, the polish goes on from there to rounding.
  constexpr double x_step = 2e-16, converging = 1e-9;
  T0 = std::clamp(T0, if97::T_min, T_top);
  if (!bracketed(f, if97::T_min, T_top, true, T0, T, x_step, converging, step_limit)) return false;
  // The state of the last evaluation where the root is its T.
  const auto at = [&](double t) {
    if (t != T_line && !evaluate_line(t, false)) return false;
    x = (v - line.v_liquid) / (line.v_vapour - line.v_liquid);
    return true;
  };
  if (!at(T)) return false;
  const double slack = 4.0 * std::numeric_limits<double>::epsilon() * v / std::fabs(line.v_vapour - line.v_liquid);
  if (!(x >= -slack && x <= 1.0 + slack && reproduces(q.q, if97::mixture(line.q_liquid, line.q_vapour, x), q.value))) {
    if (!bracketed(f, if97::T_min, T_top, true, T, T, x_step) || !at(T)) return false;
  }
  sat = line.sat;
  x = std::clamp(x, 0.0, 1.0);
  return true;
}

// The two-phase state of (v, q) a step from the interpolant's root T0 below
// 623.15 K: one Newton step of two_phase_isochore's equation on the
// saturated phases' v, u, h and s at T0 alone (their caloric extent, without
// the second derivatives) with their slopes along the line from the
// interpolant, which holds the equation's slope to 1e-6 (8e-7 at most over
// the benchmark's states): from within 5e-10 of T (the interpolant's root
// lies within some 4e-9, 98 % of them within 5e-10), the step lands within
// 4e-16 of T, about two ulps, as Newton's own would. The state at that T,
// where it reproduces q; false where the step or the state does not
// qualify, for two_phase_isochore to decide, from T0 moved by the step
// where it was larger (but below 1e-4 of T).
constexpr double interpolant_step_max = 5e-10;
bool two_phase_from_interpolant(double v, target q, double& T0, saturation& sat, double& x) {
  if (!(T0 < T_quadratic_max && T0 < if97::T_region1_max)) return false;
  ++line_evaluations;
  if (!detail::saturation_at(if97::psat(T0), T0, sat, if97::extent::caloric)) return false;
  line_values line = dome_line_at<false>(T0, q.q);
  line.q_liquid = value_of(q.q, sat.liquid.pr);
  line.q_vapour = value_of(q.q, sat.vapour.pr);
  line.v_liquid = sat.liquid.pr.v;
  line.v_vapour = sat.vapour.pr.v;
  line.dv_vapour *= line.v_vapour;
  const point pt = isochore_point(line, v, q, T0);
  const double step = pt.f / pt.slope;
  if (!pt.valid) return false;
  if (!(std::fabs(step) <= interpolant_step_max * T0)) {
    if (std::fabs(step) <= 1e-4 * T0) T0 -= step;
    return false;
  }
  const double T = T0 - step;
  ++line_evaluations;
  if (!saturation_for_line(T, sat)) return false;
  const double v_liquid = sat.liquid.pr.v, v_vapour = sat.vapour.pr.v;
  x = (v - v_liquid) / (v_vapour - v_liquid);
  const double slack = 4.0 * std::numeric_limits<double>::epsilon() * v / std::fabs(v_vapour - v_liquid);
  if (!(x >= -slack && x <= 1.0 + slack &&
        reproduces(q.q, if97::mixture(value_of(q.q, sat.liquid.pr), value_of(q.q, sat.vapour.pr), x), q.value))) {
    return false;
  }
  x = std::clamp(x, 0.0, 1.0);
  return true;
}

// ---------------------------------------------------------------- starts --

// The temperature of the ideal gas of region 2 (or 5) at density rho with
// u, h or s: T from the backward T(p, h) or T(p, s) of region 2 at p = rho R T,
// two rounds; region 5 by two Newton steps on its caloric equation.
start ideal_gas_start(int region, quantity q, double value, double rho, double T, bool* too_cold = nullptr) {
  const auto p_of = [rho](double t) { return 1e-3 * if97::R * t * rho; };  // MPa
  for (int round = 0; round < 2; ++round) {
    const double p = p_of(T);
    if (region == 2) {
      T = q == quantity::s ? if97::T2_ps(p, value) : if97::T2_ph(p, q == quantity::u ? value + if97::R * T : value);
      // Far beyond region 2 the backward equations diverge: region 5's start.
      if (!(T < 1500.0)) return {inf, nan};
    } else if (q == quantity::s) {
      const if97::caloric c = if97::entropy_cp5(p, T);
      T *= std::exp((value - c.value) / (c.cp - if97::R));
    } else {
      const if97::caloric c = if97::enthalpy_cp5(p, T);
      const double off = q == quantity::u ? if97::R * T : 0.0;
      T += (value - (c.value - off)) / (c.cp - (q == quantity::u ? if97::R : 0.0));
    }
    if (!(T > 200.0)) {
      // q below any steam's at this density: the start begins again (and
      // the caller learns that the state is most likely wet).
      if (too_cold) *too_cold = true;
      T = region == 2 ? 600.0 : 1500.0;
    }
  }
  return {T, p_of(T)};
}

// Region 3's start at density rho with p, u, h or s: Newton's steps in T
// along the isochore from T0 on the sums of region 3's equation that q and
// its slope need (a third to two thirds of an evaluation), until a step falls
// below 1e-8 of T, which leaves the polish one evaluation to confirm it. T0
// where the steps leave the polish's range.
if97::isochore_point isochore_point_of(quantity q, double T, double v) {
  if (q == quantity::p) {
    const if97::helmholtz_slopes sl = if97::slopes3(T, v, if97::want_dp_dT);
    return {sl.p, sl.dp_dT};
  }
  return q == quantity::u ? if97::u3_isochore(T, v) : q == quantity::h ? if97::h3_isochore(T, v) : if97::s3_isochore(T, v);
}

start isochore_start(quantity q, double value, double rho, double T0) {
  const double v = 1.0 / rho;
  double T = T0;
  for (int k = 0; k < max_steps; ++k) {
    const if97::isochore_point pt = isochore_point_of(q, T, v);
    const double dT = (pt.value - value) / pt.d_dT;
    if (!std::isfinite(dT)) break;
    T -= std::clamp(dT, -0.2 * T, 0.2 * T);
    if (!within_polish_range(3, T, rho)) break;
    if (std::fabs(dT) <= 1e-8 * T) {
      start_steps = k + 1;
      return {T, rho};
    }
  }
  return {T0, rho};
}

// Above this pressure (MPa) the ideal gas starts region 2's polish more than
// a step away from the state.
constexpr double dense_gas_p = 1.0;

// Region 2's start at density rho with u, h or s from the ideal gas's:
// rounds of the pressure whose volume at T is 1 / rho (the compression
// factor p v / (R T) taken as constant with p) and the backward T(p, h) or
// T(p, s) at it (h = u + p / rho).
start dense_gas_start(quantity q, double value, double rho, start s) {
  start out = s;
  for (int round = 0; round < 2; ++round) {
    const double p = std::fmin(out.y * if97::v2(out.y, out.T) * rho, if97::p_max);
    // Where region 2's equation, far from its range, gives no pressure of
    // a gas, the start stays.
    if (!(p > 0.0)) return s;
    out.y = p;
    out.T = q == quantity::s ? if97::T2_ps(p, value)
                             : if97::T2_ph(p, q == quantity::u ? value + p * kJ_per_MPa_m3 / rho : value);
    if (!(out.T > if97::T_min && out.T < if97::T_region2_max)) return s;
  }
  return out;
}

// The ends of (T, h)'s and (T, s)'s pieces between 623.15 K and 863.15 K
// as functions of T alone: region 2 on B23 (IAPWS-IF97 Eq. (5)) and region
// 3 at 100 MPa, at the density of the backward v3pt(100 MPa, T) of IAPWS
// SR5-05. At nodes of T 0.5 K apart the density, h and s with their slopes
// along the isotherm per kg/m3 and per ln p, taken between nodes as straight
// lines. Each within its `error` of the state's: twice the largest deviation
// at the intervals' midpoints (the leading term of a straight line's error,
// s (1 - s) f'' step^2 / 2, is largest there), measured when the table is
// formed; at 100 MPa the state's at the interpolated density. Region 2's
// density on B23 rises with T (pb23 rises six-fold while T rises by a
// third), so an isochore between its ends crosses B23 once, between two
// nodes.
struct isotherm_end_table {
  static constexpr T_grid grid{if97::T_region1_max, if97::T_b23_max, 480};
  struct node {
    double rho;                            // kg/m3
    double q[2], dq_drho[2], dq_dlnp[2];  // h in kJ/kg, s in kJ/(kg K), per kg/m3 and per ln p
  };
  node at[grid.nodes()];
  node error;  // the bound of each field's deviation between nodes
};

// Region 2's steam on a grid of (xi, w), xi = steam_xi(1 + x / x_scale)
// (about log2 of it) of x the density (for (rho, u), (rho, h), (rho, s))
// or the pressure (for (p, u)), and w the value of u or h, or s + R ln rho (kJ/(kg K)), which tends to a
// function of T alone as rho -> 0: T and the compression factor
// z = p v / (R T) at each node, solved once on IAPWS-IF97 Eqs. (15) to (17)
// (extrapolated a little beyond region 2's bounds where a stencil needs it),
// for the polish's start. Between nodes the cubic of Catmull and Rom in each
// variable through the 4 x 4 nodes around (xi, w) holds T and p to about
// 1e-8 relative (the median 6e-10, at most 1.5e-7 over the benchmark's
// states), so that one step by its own slopes lands within about 1e-13 and
// the polish's first evaluation confirms it. xi runs nearly as x at
// low density, where z - 1 and the residual parts grow with x, and as ln x
// in dense steam.
struct steam_grid {
  static constexpr int columns = 600;  // nodes of xi from x = 0 to x_max
  static constexpr int rows = 300;     // nodes of w
  double x_scale, xi_step, w_lo, w_step;
  double per_x_scale, per_xi_step, per_w_step;  // 1 / x_scale, 1 / xi_step, 1 / w_step
  // Node (i, j) at [i + 1][j]: column 0 lies one step below x = 0, its
  // values extrapolated (cubically) from the four after it.
  struct node {
    double T, z;  // K, NaN where region 2 holds no steam; z = p v / (R T)
  } at[columns + 1][rows];
};

// The grid's coordinate of y >= 1: the binary exponent e of y plus the
// quartic (152 t - 72 t^2 + 32 t^3 - 7 t^4) / 105 of its mantissa's fraction
// t = y / 2^e - 1, which runs from 0 to 1 with its first three derivatives
// in the ratios 2, 4 and 8 to 1 at its ends, so that the map, within 0.002
// of log2 y, is monotone with three continuous derivatives across each power
// of 2 (the cubic of Catmull and Rom through its nodes keeps its error), from
// the bits of the double alone (no logarithm on the read). Its slope dxi/dy
// in `slope`.
[[gnu::always_inline]] inline double steam_xi(double y, double& slope) {
  constexpr std::uint64_t exponent_of_one = 0x3ff0000000000000, fraction_bits = 0x000fffffffffffff;
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(y);
  const std::uint64_t biased = bits >> 52;
  const double t = std::bit_cast<double>((bits & fraction_bits) | exponent_of_one) - 1.0;
  const double per_2e = std::bit_cast<double>((2046 - biased) << 52);  // 2^-e
  slope = (152.0 + t * (-144.0 + t * (96.0 - 28.0 * t))) * (1.0 / 105.0) * per_2e;
  return static_cast<double>(static_cast<std::int64_t>(biased) - 1023) +
         t * (152.0 + t * (-72.0 + t * (32.0 - 7.0 * t))) * (1.0 / 105.0);
}

// The y >= 1 of steam_xi(y) = xi >= 0: the quartic's root by Newton's steps
// (it is nearly t's log2(1 + t)), to rounding, for the grid's nodes.
double steam_y_of_xi(double xi) {
  const double e = std::floor(xi), f = xi - e;
  double t = f;
  for (int k = 0; k < 40; ++k) {
    double slope = nan;
    const double dt = (steam_xi(1.0 + t, slope) - f) / slope;
    t -= dt;
    if (std::fabs(dt) <= 1e-17) break;
  }
  return std::ldexp(1.0 + t, static_cast<int>(e));
}

// A node holds steam within reach of region 2: a gas (dv/dp < 0) below
// 110 MPa and below 1.1 times psat(T) (below 623.15 K) or pB23(T) (to
// 863.15 K), where the polish of a state of region 2 may start. Beyond,
// region 2's equation extrapolated far bends back (a node near B23 at
// 80 MPa put states 40 % off), and no stencil uses it.
bool steam_node_holds(const if97::properties& pr) {
  constexpr double margin = 1.1;
  const double bound = pr.T < if97::T_region1_max ? if97::psat(pr.T) : if97::pb23(std::fmin(pr.T, if97::T_b23_max));
  return pr.dv_dp < 0.0 && pr.p < margin * if97::p_max && (pr.T > if97::T_b23_max || pr.p < margin * bound);
}

// A node's state: Newton's steps in (T, p) on region 2's equation from
// the neighbouring node's, to rounding, kept within region 2's range of the
// polish; false where they do not converge.
bool steam_node_of(target a, target b, start s, if97::properties& out) {
  double T = s.T, p = s.y;
  for (int k = 0; k < max_steps; ++k) {
    if (!within_polish_range(2, T, p)) return false;
    out = evaluate(2, T, p);
    const auto [dT, dp] = newton_step_of(2, a, b, out);
    if (!std::isfinite(dT) || !std::isfinite(dp)) return false;
    if (std::fabs(dT) <= negligible_T * T && std::fabs(dp) <= 1e-11 * p) return true;
    T -= std::clamp(dT, -0.1 * T, 0.1 * T);
    p = std::clamp(p - dp, 0.5 * p, 2.0 * p);
  }
  return false;
}

// The w of a state of quantity q.
double steam_w(quantity q, double value, double ln_rho) { return q == quantity::s ? value + if97::R * ln_rho : value; }

// The grid of q along x (rho or p), formed once: each column from its
// hottest node down to the first that fails (region 2 holds steam above
// some u, h or s on an isochore or isobar), each node from the one above
// it, the column's top from the top of the column before.
std::unique_ptr<const steam_grid> sampled_steam(quantity along, quantity q) {
  // On the heap: a grid is 2.9 MB.
  auto grid = std::make_unique<steam_grid>();
  steam_grid& g = *grid;
  for (auto& column : g.at)
    for (steam_grid::node& n : column) n = {nan, nan};
  // Region 2's w lie within 2375 to 3664 kJ/kg (u), 2501 to 4159 kJ/kg (h)
  // and 6.70 to 8.83 kJ/(kg K) (s + R ln rho): the grid reaches beyond by
  // more than a stencil's reach, above to the cooler steam of region 5.
  const double w_lo = q == quantity::u ? 2250.0 : q == quantity::h ? 2350.0 : 6.5;
  const double w_hi = q == quantity::u ? 3800.0 : q == quantity::h ? 4300.0 : 9.5;
  const bool by_p = along == quantity::p;
  // x_scale: 3 kg/m3, 1 MPa; x_max: beyond region 2's densest steam, 100 MPa.
  const double x_max = by_p ? 1.1 * if97::p_max : 700.0;
  g.x_scale = by_p ? 1.0 : 3.0;
  g.w_lo = w_lo;
  g.w_step = (w_hi - w_lo) / (steam_grid::rows - 1);
  double unused = nan;
  g.xi_step = steam_xi(1.0 + x_max / g.x_scale, unused) / (steam_grid::columns - 1);
  g.per_x_scale = 1.0 / g.x_scale;
  g.per_xi_step = 1.0 / g.xi_step;
  g.per_w_step = 1.0 / g.w_step;
  constexpr double T_first = 1500.0;  // K, the first node's start, above any node
  start top{nan, nan};
  for (int i = 0; i < steam_grid::columns; ++i) {
    // x = 0 itself is the ideal gas's limit: a density or pressure whose
    // residual parts lie below rounding.
    const double x = std::fmax(g.x_scale * (steam_y_of_xi(i * g.xi_step) - 1.0), 1e-12);  // kg/m3 or MPa
    const auto p_of = [&](double T) { return by_p ? x : 1e-3 * if97::R * x * T; };  // MPa
    start s = i == 0 ? start{T_first, p_of(T_first)} : start{top.T, by_p ? x : std::fmax(top.y, p_of(top.T))};
    bool found = false;
    for (int j = steam_grid::rows - 1; j >= 0; --j) {
      const double w = w_lo + j * g.w_step;
      const target a{along, x}, b{q, q == quantity::s ? w - if97::R * std::log(x) : w};
      // Above the column's first node, the node of the column before at the
      // same w where it holds steam (in dense steam the column's top lies
      // beyond region 2's range, far from its first node): its T and z at
      // this column's density.
      const steam_grid::node& before = g.at[i][j];
      if (!found && i > 0 && std::isfinite(before.T)) s = {before.T, by_p ? x : p_of(before.T) * before.z};
      if97::properties pr{};
      if (!steam_node_of(a, b, s, pr) || !steam_node_holds(pr)) {
        // Above the steam of region 2's range (hot, dense) the column starts
        // lower down; below it, it ends.
        if (found) break;
        continue;
      }
      s = {pr.T, pr.p};
      if (!found) top = s;
      found = true;
      g.at[i + 1][j] = {pr.T, pr.p * pr.v / (1e-3 * if97::R * pr.T)};
    }
  }
  for (int j = 0; j < steam_grid::rows; ++j) {
    const auto& c = g.at;
    g.at[0][j] = {4.0 * (c[1][j].T + c[3][j].T) - 6.0 * c[2][j].T - c[4][j].T,
                  4.0 * (c[1][j].z + c[3][j].z) - 6.0 * c[2][j].z - c[4][j].z};
  }
  return grid;
}

// The grids of (rho, u), (rho, h), (rho, s) and (p, u), each formed on
// first use.
const steam_grid& steam_grid_of(quantity along, quantity q) {
  if (along == quantity::p) {
    static const std::unique_ptr<const steam_grid> pu = sampled_steam(quantity::p, quantity::u);
    return *pu;
  }
  if (q == quantity::u) {
    static const std::unique_ptr<const steam_grid> u = sampled_steam(quantity::rho, quantity::u);
    return *u;
  }
  if (q == quantity::h) {
    static const std::unique_ptr<const steam_grid> h = sampled_steam(quantity::rho, quantity::h);
    return *h;
  }
  static const std::unique_ptr<const steam_grid> s = sampled_steam(quantity::rho, quantity::s);
  return *s;
}

// The weights of Catmull and Rom's cubic at t in [0, 1] of the middle of
// four nodes evenly spaced, and their slopes by t; t holds two places (of
// the two coordinates of a grid), side by side in the lanes of a vector.
using if97::detail::double2;
struct catmull_rom_weights {
  double2 w[4], dw[4];
};
[[gnu::always_inline]] inline catmull_rom_weights catmull_rom(double2 t) {
  const double2 t2 = t * t, t3 = t2 * t;
  return {{0.5 * (2.0 * t2 - t3 - t), 0.5 * (3.0 * t3 - 5.0 * t2) + 1.0, 0.5 * (4.0 * t2 - 3.0 * t3 + t),
           0.5 * (t3 - t2)},
          {0.5 * (4.0 * t - 3.0 * t2 - 1.0), 0.5 * (9.0 * t2 - 10.0 * t), 0.5 * (8.0 * t - 9.0 * t2 + 1.0),
           0.5 * (3.0 * t2 - 2.0 * t)}};
}

// Region 2's (T, p) at x (density rho or pressure p) with u, h or s from the
// grid, and their slopes by x (at constant q) and by q (at constant x), the
// interpolant's own; NaN where the stencil of (xi, w) reaches beyond the grid
// or a node without steam.
struct steam_inverse {
  double T, p;          // K, MPa
  double dT_dx, dT_dq;  // K per unit of x, of q (IF97 units)
  double dp_dx, dp_dq;  // MPa per unit of x, of q
};
[[gnu::always_inline]] inline steam_inverse steam_grid_inverse(quantity along, quantity q, double x, double value) {
  constexpr steam_inverse none{nan, nan, nan, nan, nan, nan};
  const steam_grid& g = steam_grid_of(along, q);
  // Node columns i - 1 .. i + 2 (column i at at[i + 1]), rows j - 1 .. j + 2;
  // w first: the hotter steam of region 5 leaves the grid there.
  const double fw = (steam_w(q, value, q == quantity::s ? std::log(x) : 0.0) - g.w_lo) * g.per_w_step;
  if (!(fw >= 1.0 && fw < steam_grid::rows - 2)) return none;
  double dxi_dy = nan;
  const double fx = steam_xi(1.0 + x * g.per_x_scale, dxi_dy) * g.per_xi_step;
  if (!(fx >= 0.0 && fx < steam_grid::columns - 2)) return none;
  const int i = static_cast<int>(fx), j = static_cast<int>(fw);
  // Lane 0 of the weights by xi, lane 1 by w.
  const catmull_rom_weights cr = catmull_rom(double2{fx - i, fw - j});
  // T and z side by side in the two lanes of a vector, and their slopes by
  // fx and by fw: first along w in each of the four columns.
  const double2 cw[4] = {double2{cr.w[0][1], cr.w[0][1]}, double2{cr.w[1][1], cr.w[1][1]},
                         double2{cr.w[2][1], cr.w[2][1]}, double2{cr.w[3][1], cr.w[3][1]}};
  const double2 dcw[4] = {double2{cr.dw[0][1], cr.dw[0][1]}, double2{cr.dw[1][1], cr.dw[1][1]},
                          double2{cr.dw[2][1], cr.dw[2][1]}, double2{cr.dw[3][1], cr.dw[3][1]}};
  const auto column = [&](int a, double2& f_fw) {
    // A node's (T, z) as one vector, a load each.
    double2 n0, n1, n2, n3;
    static_assert(sizeof(steam_grid::node) == sizeof(double2));
    std::memcpy(&n0, &g.at[i + a][j - 1], sizeof n0);
    std::memcpy(&n1, &g.at[i + a][j], sizeof n1);
    std::memcpy(&n2, &g.at[i + a][j + 1], sizeof n2);
    std::memcpy(&n3, &g.at[i + a][j + 2], sizeof n3);
    f_fw = (dcw[0] * n0 + dcw[1] * n1) + (dcw[2] * n2 + dcw[3] * n3);
    return (cw[0] * n0 + cw[1] * n1) + (cw[2] * n2 + cw[3] * n3);
  };
  double2 d0{}, d1{}, d2{}, d3{};
  const double2 f0 = column(0, d0), f1 = column(1, d1), f2 = column(2, d2), f3 = column(3, d3);
  const auto across = [](const double2 (&w)[4], int lane, double2 a0, double2 a1, double2 a2, double2 a3) {
    return (double2{w[0][lane], w[0][lane]} * a0 + double2{w[1][lane], w[1][lane]} * a1) +
           (double2{w[2][lane], w[2][lane]} * a2 + double2{w[3][lane], w[3][lane]} * a3);
  };
  const double2 f = across(cr.w, 0, f0, f1, f2, f3), f_fx = across(cr.dw, 0, f0, f1, f2, f3),
                f_fw = across(cr.w, 0, d0, d1, d2, d3);
  const double T = f[0], z = f[1], T_fx = f_fx[0], z_fx = f_fx[1], T_fw = f_fw[0], z_fw = f_fw[1];
  // A node without steam is NaN, and so is the sum.
  if (!std::isfinite(T + z)) return none;
  // dfx/dx; dfw/dq; dfw/dx at constant q, of w = s + R ln rho.
  const double fx_x = dxi_dy * g.per_x_scale * g.per_xi_step, fw_q = g.per_w_step;
  const double fw_x = q == quantity::s ? if97::R / x * fw_q : 0.0;
  const double dT_dx = T_fx * fx_x + T_fw * fw_x, dT_dq = T_fw * fw_q;
  if (along == quantity::p) return {T, x, dT_dx, dT_dq, 1.0, 0.0};
  // p = R rho T z.
  const double dz_dx = z_fx * fx_x + z_fw * fw_x, dz_dq = z_fw * fw_q, c = 1e-3 * if97::R;
  return {T, c * x * T * z, dT_dx, dT_dq, c * (T * z + x * (dT_dx * z + T * dz_dx)),
          c * x * (dT_dq * z + T * dz_dq)};
}

// Region 2's start at x with u, h or s from the grid; NaN where it holds no
// stencil of steam.
start steam_grid_start(quantity along, quantity q, double x, double value) {
  const steam_inverse at = steam_grid_inverse(along, q, x, value);
  return {at.T, at.p};
}

// Region 2's start from the grid, stepped once: the interpolant's slopes are
// those of the inverse of (T, p) -> (x, q) to a few parts in 1e6 (1e-4 next
// to the saturation line and B23), so that one step from where region 2's
// equation puts the grid's (T, p) lands within about their product of the
// state, as Newton's step would, from one evaluation of v and q alone (no
// second derivatives). The caller counts that step as the polish's first.
// A step above 3e-8 of T (or 1e-7 of p) may land beyond 1e-12 of T, where
// the polish would take two more: then the grid's start unstepped, from
// which Newton's step of the polish lands within rounding. In dense steam
// near B23 the grid's p errs by several times its T (p moves with rho and T
// many times as fast there), and a step of up to 1e-7 of p still lands
// within a few 1e-13 of T. Not stepped above 1073.15 K:
// region 5's start there lies on region 2's equation extrapolated, as far
// from region 5's state as the two equations differ.
constexpr double steam_step_max = 3e-8, steam_step_max_p = 1e-7;
start steam_grid_start_stepped(quantity along, quantity q, double x, double value) {
  const steam_inverse at = steam_grid_inverse(along, q, x, value);
  const start unstepped{at.T, at.p};
  if (!(at.T <= if97::T_region2_max && at.p > 0.0)) return unstepped;
  const if97::properties pr = q == quantity::s ? if97::properties2(at.p, at.T, if97::extent::caloric)
                                               : if97::properties2_volume_energy(at.p, at.T);
  const double dq = value - value_of(q, pr), dx = along == quantity::p ? 0.0 : x - 1.0 / pr.v;
  const double dT = at.dT_dq * dq + at.dT_dx * dx, dp = at.dp_dq * dq + at.dp_dx * dx;
  if (!(std::fabs(dT) <= steam_step_max * at.T && std::fabs(dp) <= steam_step_max_p * at.p)) return unstepped;
  return {at.T + dT, at.p + dp, true};
}

int end_index(quantity q) { return q == quantity::h ? 0 : 1; }

isotherm_end_table::node end_node(int region, const if97::properties& pr) {
  isotherm_end_table::node n{1.0 / pr.v, {pr.h, pr.s}, {}, {}};
  const gradient p_of_rho = gradient_of(quantity::p, region, pr), rho_of_p = gradient_of(quantity::rho, region, pr);
  for (const quantity q : {quantity::h, quantity::s}) {
    const gradient g = gradient_of(q, region, pr);
    // Region 3's second variable is rho, the others' p.
    n.dq_drho[end_index(q)] = region == 3 ? g.y : g.y / rho_of_p.y;
    n.dq_dlnp[end_index(q)] = pr.p * (region == 3 ? g.y / p_of_rho.y : g.y);
  }
  return n;
}

template <class At>
isotherm_end_table end_table(At&& at) {
  isotherm_end_table out{};
  constexpr T_grid g = isotherm_end_table::grid;
  for (int i = 0; i < g.nodes(); ++i) out.at[i] = at(g.node(i), nan);
  isotherm_end_table::node& e = out.error;
  const auto worst = [](double& bound, double a, double b, double mid) {
    bound = std::fmax(bound, 2.0 * std::fabs(0.5 * (a + b) - mid));
  };
  for (int i = 0; i < g.intervals; ++i) {
    const isotherm_end_table::node &a = out.at[i], &b = out.at[i + 1];
    const isotherm_end_table::node m = at(g.T_lo + (i + 0.5) * g.step(), 0.5 * (a.rho + b.rho));
    worst(e.rho, a.rho, b.rho, m.rho);
    for (int k = 0; k < 2; ++k) {
      worst(e.q[k], a.q[k], b.q[k], m.q[k]);
      worst(e.dq_drho[k], a.dq_drho[k], b.dq_drho[k], m.dq_drho[k]);
      worst(e.dq_dlnp[k], a.dq_dlnp[k], b.dq_dlnp[k], m.dq_dlnp[k]);
    }
  }
  return out;
}

// Region 2 on B23; region 3 at 100 MPa, at the density given (the
// midpoints') or else v3pt's.
const isotherm_end_table& b23_end_table() {
  static const isotherm_end_table table = end_table([](double T, double) {
    return end_node(2, if97::properties2(std::fmin(if97::p_max, if97::pb23(T)), T));
  });
  return table;
}
const isotherm_end_table& top_end_table() {
  static const isotherm_end_table table = end_table([](double T, double rho) {
    return end_node(3, if97::properties3(T, std::isnan(rho) ? if97::v3pt(if97::p_max, T) : 1.0 / rho));
  });
  return table;
}

// Whether a (rho, q) of region 3's densities surely lies beyond B23, in
// region 2: at the first node T_i whose B23 density exceeds rho, (T_i, rho)
// lies in region 2, so that the isochore crossed B23 below T_i. A state of
// region 3 lies below that crossing, and along the isochore region 3's q
// rises with T: its q lies below q3(T, rho) at any T above T_i. A q above it
// (by more than rounding) is region 2's. T lies b23_clearance beyond T_i,
// but not beyond 863.15 K, where region 3's equation ends: steam within about
// that of B23, where the real gas's start lands farther off, still starts
// from region 3's isochore.
//
// The bound q3(T, rho) is formed once per node interval, over all densities
// between B23's at nodes i - 1 and i: the largest of region 3's q at T at
// both ends and the middle, raised by their spread (over so short a span q
// is smooth and nearly straight), a little above q3 at the state's density.
constexpr double b23_clearance = 10.0;  // K
struct b23_bounds {
  double q[isotherm_end_table::grid.nodes()][quantity_count];  // from node 1 on
};
const b23_bounds& b23_bounds_table() {
  static const b23_bounds table = [] {
    b23_bounds out{};
    const isotherm_end_table& b23 = b23_end_table();
    constexpr T_grid grid = isotherm_end_table::grid;
    for (int i = 1; i < grid.nodes(); ++i) {
      // Within region 3's range of T: any T from T_i up serves the bound.
      const double T = std::fmin(grid.node(i) + b23_clearance, if97::T_b23_max);
      const double rho[] = {b23.at[i - 1].rho, 0.5 * (b23.at[i - 1].rho + b23.at[i].rho), b23.at[i].rho};
      for (const quantity q : {quantity::u, quantity::h, quantity::s}) {
        double lo = inf, hi = -inf;
        for (const double r : rho) {
          const double v = 1.0 / r;
          const double e = q == quantity::u ? if97::u3(T, v) : q == quantity::h ? if97::h3(T, v) : if97::s3(T, v);
          lo = std::fmin(lo, e);
          hi = std::fmax(hi, e);
        }
        out.q[i][quantity_index(q)] = hi + (hi - lo);
      }
    }
    return out;
  }();
  return table;
}
bool beyond_b23(double rho, target q) {
  const isotherm_end_table& b23 = b23_end_table();
  constexpr int nodes = isotherm_end_table::grid.nodes();
  if (!(rho > b23.at[0].rho && rho < b23.at[nodes - 1].rho)) return false;
  const auto denser = [](double r, const isotherm_end_table::node& n) { return r < n.rho; };
  const int i = static_cast<int>(std::upper_bound(b23.at, b23.at + nodes, rho, denser) - b23.at);
  const double edge = b23_bounds_table().q[i][quantity_index(q.q)];
  return q.value > edge + 1e-9 * std::fabs(edge);
}

// Region 1's start at pressure p with h or s: T from the backward T(p, h) or
// T(p, s).
start liquid_start(quantity q, double value, double p) {
  const double T = q == quantity::s ? if97::T1_ps(p, value) : if97::T1_ph(p, value);
  return {std::clamp(T, if97::T_min, if97::T_region1_max), p};
}

// Tait's equation of region 1's liquid at T on a grid of T, through its
// volumes at psat(T), 50 MPa and 100 MPa: the pressure of a density at T to
// a few tenths of a MPa, for the start of the polish.
struct liquid_grid {
  static constexpr T_grid grid{if97::T_min, if97::T_region1_max, 70};
  static constexpr double p0 = 50.0;  // MPa
  // At each node rho0 (kg/m3) at p0, B + p0 (MPa) and 1 / C.
  double rho0[grid.nodes()], b_plus_p0[grid.nodes()], c_inverse[grid.nodes()];
};

const liquid_grid& liquid_grid_of() {
  static const liquid_grid g = [] {
    liquid_grid out{};
    for (int i = 0; i < liquid_grid::grid.nodes(); ++i) {
      const double T = liquid_grid::grid.node(i), p_lo = if97::psat(T);
      const double v0 = if97::v1(liquid_grid::p0, T);
      const double rise = if97::v1(p_lo, T) / v0 - 1.0, fall = 1.0 - if97::v1(if97::p_max, T) / v0;
      // v / v0 = 1 - C ln((B + p) / (B + p0)) through both: rise / fall =
      // ln((B + p0) / (B + p_lo)) / ln((B + p_max) / (B + p0)), which falls
      // with B. Bisection in ln(B + p_lo).
      const auto ratio = [&](double b) {
        return std::log((b + liquid_grid::p0) / (b + p_lo)) / std::log((b + if97::p_max) / (b + liquid_grid::p0));
      };
      double lo = std::log(1e-3), hi = std::log(1e5);
      for (int k = 0; k < 80; ++k) {
        const double mid = 0.5 * (lo + hi);
        (ratio(std::exp(mid) - p_lo) > rise / fall ? lo : hi) = mid;
      }
      const double b = std::exp(0.5 * (lo + hi)) - p_lo;
      out.rho0[i] = 1.0 / v0;
      out.b_plus_p0[i] = b + liquid_grid::p0;
      out.c_inverse[i] = std::log((b + if97::p_max) / (b + liquid_grid::p0)) / fall;
    }
    return out;
  }();
  return g;
}

// The pressure (MPa) of the liquid at T and density rho (v = 1 / rho, m3/kg),
// kept within p_min_Pa and 100 MPa.
double liquid_pressure(const liquid_grid& g, double T, double v) {
  // Not a structured binding: clang 14 does not capture those in lambdas.
  const T_grid::place at = liquid_grid::grid.place_of(T);
  const int i = at.i;
  const double w = std::clamp(at.s, 0.0, 1.0);
  const auto mix = [&](const double* a) { return a[i] + w * (a[i + 1] - a[i]); };
  const double p = liquid_grid::p0 + mix(g.b_plus_p0) * exp_less_one((1.0 - mix(g.rho0) * v) * mix(g.c_inverse));
  return std::fmax(std::fmin(p, if97::p_max), 1e-6 * detail::p_min_Pa);
}

// ------------------------------------------- region 1's table of (rho, q) --

// Region 1's (T, p) of a density and q (u, h or s), tabulated once per q on
// first use: at `columns` + 1 values of q evenly spaced, and at each at
// `rows` + 1 densities evenly spaced from the saturated liquid's of that q
// (IAPWS-IF97 Eq. (30) and Eq. (7)) to the density of that q at 100 MPa. The
// table spans every state of region 1; its nodes beyond (the saturation line
// below 273.15 K, the isobar of 100 MPa above 623.15 K) hold region 1's
// equation extrapolated, as smooth there as inside. Cubic interpolation over
// 4 x 4 nodes gives T to about 1e-7 K (1e-5 K at the 99th percentile, 1e-4 K
// by the saturation line near 623.15 K) and p to about 1e-6 MPa (1e-4 MPa),
// from where one Newton step of the polish reaches rounding: 68 kB a table.
struct liquid_table {
  static constexpr int columns = 128, rows = 32;
  double q_lo, q_step;                                // IF97 units
  // The ends of each column's row coordinate: in region 1's tables of (rho,
  // q) the densities (kg/m3) of the saturated liquid and at 100 MPa; the
  // tables of other pairs keep their own row coordinate here, and their own
  // two quantities in T_p, as each one's comment says.
  double rho_sat[columns + 1], rho_top[columns + 1];
  // T (K) and p (MPa) side by side: the cubic forms both in one pass.
  double T_p[columns + 1][rows + 1][2];
};

// The weights of the cubic through nodes -1, 0, 1 and 2 (Lagrange's form) at
// offset s from node 0.
struct cubic_weights {
  double w[4], dw[4];  // the weights and their derivatives by s
  explicit cubic_weights(double s) {
    const double a = s + 1.0, b = s - 1.0, c = s - 2.0, s2 = 3.0 * s * s;
    w[0] = -s * b * c / 6.0;
    w[1] = a * b * c / 2.0;
    w[2] = -a * s * c / 2.0;
    w[3] = a * s * b / 6.0;
    dw[0] = -(s2 - 6.0 * s + 2.0) / 6.0;
    dw[1] = (s2 - 4.0 * s - 1.0) / 2.0;
    dw[2] = -(s2 - 2.0 * s - 2.0) / 2.0;
    dw[3] = (s2 - 1.0) / 6.0;
  }
  double of(const double* f) const { return w[0] * f[0] + w[1] * f[1] + w[2] * f[2] + w[3] * f[3]; }
  double slope_of(const double* f) const { return dw[0] * f[0] + dw[1] * f[1] + dw[2] * f[2] + dw[3] * f[3]; }
};

// The first of four nodes around `at` (in steps from node 0) among n + 1,
// and the weights there.
struct stencil {
  int first;
  cubic_weights weights;
  stencil(double at, int n) : first(std::clamp(static_cast<int>(at), 1, n - 2) - 1), weights(at - first - 1) {}
};

// Region 1's state of (rho, q) by Newton's iteration from (T, p), on the
// equation extrapolated where a node lies beyond the region: for the table.
bool region1_state_of(target a, target b, double& T, double& p) {
  for (int k = 0; k < 40; ++k) {
    const auto [dT, dp] = newton_step_of(1, a, b, if97::properties1(p, T));
    if (!std::isfinite(dT) || !std::isfinite(dp)) return false;
    T -= dT;
    p -= dp;
    // Rounding leaves p's last step at about 1e-13 of the bulk modulus.
    if (std::fabs(dT) <= 1e-13 * T && std::fabs(dp) <= 1e-9) return true;
  }
  return false;
}

// The T (K) at which q of region 1 along p_of(T) (MPa) is value, between
// T_lo and T_hi, where q rises with T: by bisection, for the table's edges.
template <class P>
double T_along(quantity q, double value, P&& p_of, double T_lo, double T_hi) {
  for (int k = 0; k < 60; ++k) {
    const double T = 0.5 * (T_lo + T_hi);
    (value_of(q, if97::properties1(p_of(T), T)) < value ? T_lo : T_hi) = T;
  }
  return 0.5 * (T_lo + T_hi);
}

liquid_table liquid_table_for(quantity q) {
  liquid_table t{};
  const auto p_sat = [](double T) { return if97::psat(T); };
  const auto p_top = [](double) { return if97::p_max; };
  const auto q_at = [&](double p, double T) { return value_of(q, if97::properties1(p, T)); };
  // From the least q of region 1 (at 273.15 K, on either isobar's end) to
  // the greatest, the saturated liquid's at 623.15 K.
  t.q_lo = std::fmin(q_at(if97::psat(if97::T_min), if97::T_min), q_at(if97::p_max, if97::T_min));
  t.q_step = (q_at(if97::psat(if97::T_region1_max), if97::T_region1_max) - t.q_lo) / liquid_table::columns;
  for (int i = 0; i <= liquid_table::columns; ++i) {
    const double value = t.q_lo + i * t.q_step;
    const double T_sat = T_along(q, value, p_sat, 250.0, if97::T_region1_max);
    const double T_hi = T_along(q, value, p_top, 250.0, 750.0);
    t.rho_sat[i] = 1.0 / if97::v1(if97::psat(T_sat), T_sat);
    t.rho_top[i] = 1.0 / if97::v1(if97::p_max, T_hi);
    double T = T_sat, p = if97::psat(T_sat);
    for (int j = 0; j <= liquid_table::rows; ++j) {
      const double rho = t.rho_sat[i] + (t.rho_top[i] - t.rho_sat[i]) * j / liquid_table::rows;
      if (!region1_state_of({quantity::rho, rho}, {q, value}, T, p)) T = p = nan;
      t.T_p[i][j][0] = T;
      t.T_p[i][j][1] = p;
    }
  }
  return t;
}

const liquid_table& liquid_table_of(quantity q) {
  static const liquid_table u = liquid_table_for(quantity::u);
  if (q == quantity::u) return u;
  static const liquid_table h = liquid_table_for(quantity::h);
  if (q == quantity::h) return h;
  static const liquid_table s = liquid_table_for(quantity::s);
  return s;
}

// The columns around q (IF97 units), none beyond the table's span.
std::optional<stencil> columns_of(const liquid_table& t, double value) {
  const double at_q = (value - t.q_lo) * (1.0 / t.q_step);
  if (!(at_q >= 0.0 && at_q <= liquid_table::columns)) return std::nullopt;
  return stencil(at_q, liquid_table::columns);
}

// Whether (rho, q) is surely no two-phase state: denser by 1e-4 than the
// saturated liquid of its q, of a q up to the saturated liquid's at 623.15 K.
// A wet state of q lies at a T below that saturated liquid's. Below 277 K the
// saturated liquid there is less dense; above, denser by far less than the
// vapour's share of v lowers the mixture's density (at 620 K by a sixth of
// it). Either way the wet state's density lies below the saturated liquid's
// of its q. No search on the saturation line need come first; the polished
// state's region verdict still holds it against psat(T).
bool denser_than_saturated_liquid(double rho, target q) {
  const liquid_table& t = liquid_table_of(q.q);
  const std::optional<stencil> sq = columns_of(t, q.value);
  return sq && rho > (1.0 + 1e-4) * sq->weights.of(t.rho_sat + sq->first);
}

// The table's (T, p) of (rho, q) and their slopes by q and by rho, the
// interpolant's own; T NaN beyond the table's span by more than half a row
// (a density inside the saturation line or above 100 MPa's).
struct liquid_inverse {
  double T, p;                   // K, MPa
  double dT_dq, dT_drho;         // K per unit of q, K m3/kg
  double dp_dq, dp_drho;         // MPa per unit of q, MPa m3/kg
};
// At the columns' stencil sq of the table's q, as columns_of gives it.
liquid_inverse liquid_table_start(const liquid_table& t, const stencil& sq, double rho) {
  constexpr int rows = liquid_table::rows;
  const double lo = sq.weights.of(t.rho_sat + sq.first), hi = sq.weights.of(t.rho_top + sq.first);
  const double per_rho = rows / (hi - lo), at_z = (rho - lo) * per_rho;
  if (!(at_z >= -0.5 && at_z <= rows + 0.5)) return {nan, nan, nan, nan, nan, nan};
  const stencil sz(at_z, rows);
  // F = sum_k wq_k F_k(z), F_k = sum_l wz_l F_kl, with z = (rho - lo(q)) / (hi(q) - lo(q)) rows.
  double T = 0.0, p = 0.0, T_z = 0.0, p_z = 0.0, T_q = 0.0, p_q = 0.0;
  for (int k = 0; k < 4; ++k) {
    const double(*node)[2] = t.T_p[sq.first + k] + sz.first;
    double T_k = 0.0, p_k = 0.0, T_kz = 0.0, p_kz = 0.0;
    for (int l = 0; l < 4; ++l) {
      T_k += sz.weights.w[l] * node[l][0];
      p_k += sz.weights.w[l] * node[l][1];
      T_kz += sz.weights.dw[l] * node[l][0];
      p_kz += sz.weights.dw[l] * node[l][1];
    }
    T += sq.weights.w[k] * T_k;
    p += sq.weights.w[k] * p_k;
    T_z += sq.weights.w[k] * T_kz;
    p_z += sq.weights.w[k] * p_kz;
    T_q += sq.weights.dw[k] * T_k;
    p_q += sq.weights.dw[k] * p_k;
  }
  // dz/dq at constant rho, from the slopes of the span's ends.
  const double per_q = 1.0 / t.q_step;
  const double lo_q = per_q * sq.weights.slope_of(t.rho_sat + sq.first);
  const double hi_q = per_q * sq.weights.slope_of(t.rho_top + sq.first);
  const double z_q = -per_rho * (lo_q + (rho - lo) * (hi_q - lo_q) / (hi - lo));
  return {T, p, per_q * T_q + z_q * T_z, per_rho * T_z, per_q * p_q + z_q * p_z, per_rho * p_z};
}
liquid_inverse liquid_table_start(const liquid_table& t, double value, double rho) {
  const std::optional<stencil> columns = columns_of(t, value);
  if (!columns) return {nan, nan, nan, nan, nan, nan};
  return liquid_table_start(t, *columns, rho);
}

// Region 1's start from the table, stepped once: the interpolant's slopes
// are those of the inverse of (T, p) -> (rho, q) to about 1e-7, so that one
// step from where the forward equation puts the table's (T, p) lands within
// about the square of its error (like Newton's step), from one evaluation
// of v and q alone. That step counts as the polish's first.
start liquid_table_start_stepped(quantity q, double value, double rho) {
  const liquid_inverse at = liquid_table_start(liquid_table_of(q), value, rho);
  if (!(std::isfinite(at.T) && std::isfinite(at.p) && at.p > 0.0)) return {nan, nan};
  const if97::properties pr = q == quantity::s ? if97::properties1(at.p, at.T, if97::extent::caloric)
                                               : if97::properties1_volume_energy(at.p, at.T);
  const double dq = value - value_of(q, pr), drho = rho - 1.0 / pr.v;
  const double T = at.T + at.dT_dq * dq + at.dT_drho * drho, p = at.p + at.dp_dq * dq + at.dp_drho * drho;
  if (!(std::isfinite(T) && std::isfinite(p) && p > 0.0)) return {at.T, at.p};
  start_steps = 1;
  return {T, p, true};
}

// Region 1's start at density rho with u, h or s: the table's (T, p), where
// the table holds (rho, q). Beyond it (a density inside the saturation line
// or above 100 MPa's, whose polish goes on to another region or fails) the T
// that the backward T(p, h) or T(p, s) (h = u + p / rho) gives at Tait's
// pressure of T. The map T -> T(p(T)) leaves most of the error where the
// liquid expands fast: its fixed point by a step of the secant method after
// one round.
start liquid_start_of_density(quantity q, double value, double rho) {
  const start tabulated = liquid_table_start_stepped(q, value, rho);
  if (std::isfinite(tabulated.T) && std::isfinite(tabulated.y)) return tabulated;
  const liquid_grid& g = liquid_grid_of();
  const double v = 1.0 / rho;
  const auto backward = [&](double p) {
    const double t = q == quantity::s ? if97::T1_ps(p, value)
                                      : if97::T1_ph(p, q == quantity::u ? value + p * kJ_per_MPa_m3 * v : value);
    return std::clamp(t, if97::T_min, if97::T_region1_max);
  };
  const double T0 = backward(liquid_grid::p0), f0 = backward(liquid_pressure(g, T0, v)) - T0;
  const double T1 = T0 + f0, f1 = backward(liquid_pressure(g, T1, v)) - T1;
  const double T =
      f1 == f0 ? T1 + f1 : std::clamp(T1 - f1 * (T1 - T0) / (f1 - f0), if97::T_min, if97::T_region1_max);
  return {T, liquid_pressure(g, T, v)};
}

// ------------------------------------------------------- the flashes of rho --

status below_status(quantity q) {
  return q == quantity::u ? status::internal_energy_below_min
         : q == quantity::h ? status::enthalpy_below_min
                            : status::entropy_below_min;
}
status above_status(quantity q) {
  return q == quantity::u ? status::internal_energy_above_max
         : q == quantity::h ? status::enthalpy_above_max
                            : status::entropy_above_max;
}

// The value of q (IF97 units) of a state in SI units.
double q_of(const state& st, quantity q) {
  const double si = q == quantity::u ? st.u : q == quantity::h ? st.h : st.s;
  return si / si_of(q);
}

// The slow, sure way where the polish found nothing: along a line on which
// q rises with T, the secant method kept within [lo, hi] (bisecting every
// third step) on the states that `at` forms; a T where `at` fails lies beyond
// the line's end, above. The state nearest q, where it reproduces q; else
// `no_end` where the line ended before reaching q, not_converged otherwise.
template <class At>
result secant_along(At&& at, target q, double lo, double f_lo, const result& start, double hi, double f_hi,
                    status no_end) {
  result best = start;
  double best_f = std::fabs(f_lo);
  for (int k = 0; k < 200 && hi - lo > 1e-15 * hi; ++k) {
    double T = std::isfinite(f_hi) ? lo - f_lo * (hi - lo) / (f_hi - f_lo) : 0.5 * (lo + hi);
    if (!(T > lo && T < hi) || k % 3 == 2) T = 0.5 * (lo + hi);
    const result r = at(T);
    if (!r) {
      hi = T;
      f_hi = nan;
      continue;
    }
    const double fq = q_of(r.state, q.q) - q.value;
    if (std::fabs(fq) < best_f) {
      best = r;
      best_f = std::fabs(fq);
    }
    if (fq < 0.0) {
      lo = T;
      f_lo = fq;
    } else {
      hi = T;
      f_hi = fq;
    }
  }
  if (reproduces(q.q, best_f + q.value, q.value)) return best;
  return detail::failure(std::isfinite(f_hi) ? status::not_converged : no_end);
}

// Along an isochore: q rises with T from 273.15 K to the isochore's end
// (2273.15 K, or where its pressure reaches the bound of the formulation),
// through the two-phase states, on the states of (T, rho).
result along_isochore(double rho_si, target q) {
  const auto at = [&](double T) { return Trho(T, rho_si); };
  const result cold = at(if97::T_min);
  if (!cold) return detail::failure(status::density_out_of_range);
  const double f_cold = q_of(cold.state, q.q) - q.value;
  if (f_cold > 0.0 && !reproduces(q.q, q_of(cold.state, q.q), q.value)) return detail::failure(below_status(q.q));
  double f_hot = nan;
  if (const result hot = at(if97::T_region5_max)) {
    f_hot = q_of(hot.state, q.q) - q.value;
    if (f_hot < 0.0 && !reproduces(q.q, q_of(hot.state, q.q), q.value)) return detail::failure(above_status(q.q));
  }
  return secant_along(at, q, if97::T_min, f_cold, cold, if97::T_region5_max, f_hot, above_status(q.q));
}

// Whether q (u, h or s) lies above every saturated state's: above the
// saturated vapour's q'' at its peak below 623.15 K (above, up to T_c, q''
// falls and q' stays below it), taken as the largest at the interpolant's
// nodes with the margin by which dome_exit_of takes a q beyond them (the
// cubics bulge between nodes by far less). No two-phase state, of any
// density or pressure, has such a q.
bool above_saturated(target q) {
  return q.value > dome_table().q_vapour_max[quantity_index(q.q)] + 1e-3 * std::fabs(q.value);
}

// Region 2's polished state of (rho, q) or (p, u) in one step from the grid,
// where q lies above every saturated state's (above_saturated, which the
// caller asks first: no search on the saturation line) and
// the grid's stepped start lies in region 2 clear of B23 (below 0.99 of its
// pressure, far beyond the small inconsistency of regions 2's and 3's
// equations along it, so that no state of region 3 has this (rho, q)): the
// whole evaluation there confirms the step (as the polish's first would),
// its region verdict the region. False where any of it fails: the general
// way decides, from the grid's start (NaN where the grid holds none) where
// it was formed (hot steam of region 5 leaves the grid's region 2 there).
struct grid_try {
  start s{nan, nan};
  bool formed = false;
};
bool steam_in_one_step(target a, target b, single& st, grid_try& grid) {
  grid = {steam_grid_start_stepped(a.q, b.q, a.value, b.value), true};
  const start& s = grid.s;
  if (!(s.near_root && (s.T > if97::T_b23_max || s.y < 0.99 * if97::pb23(s.T)))) return false;
  st.region = 2;
  st.pr = if97::properties2(s.y, s.T);
  st.evaluated = if97::extent::all;
  steps_taken = 1;  // the grid's step
  return polished_at(a, b, st.pr, newton_step_of(2, a, b, st.pr).dT) && verdict_of(st).next == 2;
}

// The flash of (rho, q), q one of u, h and s, all rising with T along an
// isochore: one state at most.
result flash_rho(double rho_si, double q_si, quantity qq) {
  line_evaluations = 0;
  if (!std::isfinite(rho_si) || !std::isfinite(q_si)) return detail::failure(status::not_finite);
  if (!(rho_si > 0.0)) return detail::failure(status::density_out_of_range);
  const double rho = rho_si, value = q_si / si_of(qq);
  const target a{quantity::rho, rho}, b{qq, value};
  grid_try grid;
  if (above_saturated(b)) {
    single steam;
    if (steam_in_one_step(a, b, steam, grid)) return detail::bounded_result(steam);
  }
  // Below 623.15 K the interpolant of the saturation line says whether the
  // state is two-phase and starts its search a step from it.
  saturation sat;
  double x = nan;
  double T_dome = nan;
  const dome_verdict dome =
      denser_than_saturated_liquid(rho, b) ? dome_verdict::open : dome_start(1.0 / rho, b, T_dome);
  if (dome == dome_verdict::wet && (two_phase_from_interpolant(1.0 / rho, b, T_dome, sat, x) ||
                                    two_phase_isochore(1.0 / rho, b, T_dome, sat, x, 12)))
    return detail::two_phase_result(sat, x);
  const bool dry = dome == dome_verdict::dry;
  // Region 1 holds densities above rho'(623.15 K), about 575 kg/m3; the
  // saturated vapour of 623.15 K, about 114 kg/m3, starts region 3.
  static const double rho_liquid_623 = 1.0 / if97::v1(if97::psat(if97::T_region1_max), if97::T_region1_max);
  static const double rho_vapour_623 = 1.0 / if97::v2(if97::psat(if97::T_region1_max), if97::T_region1_max);
  const int first = rho >= rho_liquid_623 ? 1 : rho <= rho_vapour_623 ? 2 : 3;
  // The ideal gas's start, formed once (the grid's, where the one-step way
  // formed it): it chooses between regions 2 and 5, and says where steam
  // lies inside the saturation line.
  start gas = grid.s;
  bool gas_too_cold = false;
  const auto gas_start = [&] {
    if (std::isnan(gas.T)) {
      // From the grid of region 2's steam where its stencil holds steam,
      // also region 5's start above 1073.15 K (region 2's equation, a little
      // extrapolated, starts it closer than region 5's ideal gas); else from
      // the ideal gas, and in dense steam its real gas.
      if (!grid.formed) gas = steam_grid_start_stepped(quantity::rho, qq, rho, value);
      if (!std::isnan(gas.T)) return gas;
      gas = ideal_gas_start(2, qq, value, rho, 600.0, &gas_too_cold);
      if (gas.T > if97::T_region2_max) gas = ideal_gas_start(5, qq, value, rho, 1500.0);
      else if (gas.y > dense_gas_p) gas = dense_gas_start(qq, value, rho, gas);
    }
    return gas;
  };
  const auto start_of = [&](int region, const single* from) -> start {
    if (from) {
      const start s = carried_over(region, *from);
      if (region == 3) return isochore_start(qq, value, rho, s.T);
      // Region 3's equation extrapolated beyond B23 leaves p off by more
      // than its T: the grid's start where it holds steam, else the real
      // gas's pressure at that T.
      if (region != 2 || from->region != 3) return s;
      const start g = steam_grid_start(quantity::rho, qq, rho, value);
      return std::isnan(g.T) ? dense_gas_start(qq, value, rho, s) : g;
    }
    switch (region) {
      case 1: return liquid_start_of_density(qq, value, rho);
      case 3: return isochore_start(qq, value, rho, 700.0);
      default: {
        // The grid's step counts as the polish's first.
        const start s = gas_start();
        if (s.near_root) start_steps = 1;
        return s;
      }
    }
  };
  single st{};
  double T_inside = nan;
  int region = first;
  if (first == 1) {
    // Region 3's densities end at 623.15 K and 100 MPa. Below, along the
    // isochore q rises with T: beyond region 3's value at 623.15 K the state
    // lies in region 3 (dense, supercritical).
    static const double rho_region3_max = 1.0 / if97::v1(if97::p_max, if97::T_region1_max);
    if (rho < rho_region3_max) {
      const double T = if97::T_region1_max, v = 1.0 / rho;
      const double edge = qq == quantity::u ? if97::u3(T, v) : qq == quantity::h ? if97::h3(T, v) : if97::s3(T, v);
      if (b.value > edge) region = 3;
    }
  } else if (first == 2) {
    const start s = gas_start();
    if (s.T > if97::T_region2_max && !gas_too_cold) region = 5;
    // Steam whose ideal gas at its temperature lies above psat, or whose q
    // lies below any steam's, is most likely wet: the saturation line is
    // searched first, for a few steps.
    else if (!dry && (gas_too_cold || (s.T < T_top && s.y > if97::psat(std::fmax(s.T, if97::T_min)))) &&
             two_phase_isochore(1.0 / rho, b, gas_too_cold ? 400.0 : s.T, sat, x, 12))
      return detail::two_phase_result(sat, x);
  } else if (beyond_b23(rho, b)) {
    // Dense steam beyond B23: region 2 from the real gas's start, not region
    // 3's equation extrapolated first.
    region = 2;
  } else {
    // Between the saturated densities of 623.15 K the isochore crosses the
    // saturation line above 623.15 K: below the mixture's q at 623.15 K the
    // state is wet, below 623.15 K.
    static const saturated_line at_623 = [] {
      saturated_line l{};
      saturated_line_at(if97::T_region1_max, quantity::u, l);
      return l;
    }();
    const single &l = at_623.sat.liquid, &w = at_623.sat.vapour;
    const double x_623 = (1.0 / rho - l.pr.v) / (w.pr.v - l.pr.v);
    if (!dry && b.value < if97::mixture(value_of(qq, l.pr), value_of(qq, w.pr), x_623) &&
        two_phase_isochore(1.0 / rho, b, 500.0, sat, x, 12))
      return detail::two_phase_result(sat, x);
  }
  if (single_phase(a, b, region, start_of, st, T_inside)) {
    return detail::bounded_result(st);
  }
  const double T0 = std::isfinite(T_inside) ? T_inside : 400.0;
  if (!dry && two_phase_isochore(1.0 / rho, b, T0, sat, x)) return detail::two_phase_result(sat, x);
  return along_isochore(rho_si, b);
}

// ---------------------------------------------------------- the flash of (p, u) --

// Along an isobar, one side of the saturation line: u rises with T, on the
// states of (p, T).
result along_isobar(double p_si, target q, double T_lo, double T_hi) {
  const auto at = [&](double T) { return pT(p_si, T); };
  const result lo = at(T_lo), hi = at(T_hi);
  const double f_lo = lo ? q_of(lo.state, q.q) - q.value : nan, f_hi = hi ? q_of(hi.state, q.q) - q.value : nan;
  if (!(f_lo <= 0.0) && !reproduces(q.q, f_lo + q.value, q.value)) return detail::failure(status::internal_energy_below_min);
  if (!(f_hi >= 0.0) && !reproduces(q.q, f_hi + q.value, q.value)) return detail::failure(status::internal_energy_above_max);
  return secant_along(at, q, T_lo, f_lo, lo, T_hi, f_hi, status::internal_energy_above_max);
}

// The vapour fraction of q between the saturated phases, or NaN outside; a q
// that q' or q'' reproduces lies on the line.
double fraction_of(const saturation& sat, quantity q, double value) {
  const double liquid = value_of(q, sat.liquid.pr), vapour = value_of(q, sat.vapour.pr);
  const double lo = std::fmin(liquid, vapour), hi = std::fmax(liquid, vapour);
  if ((value < lo && !reproduces(q, lo, value)) || (value > hi && !reproduces(q, hi, value))) return nan;
  if (vapour == liquid) return 0.0;
  return std::clamp((value - liquid) / (vapour - liquid), 0.0, 1.0);
}

const double p_triple = if97::psat(if97::T_min);  // MPa, the lowest pressure with a liquid
const double p_623 = if97::psat(if97::T_region1_max);  // MPa, the saturation pressure at 623.15 K

// Out of line: inlined into pu_first, it cost the states of regions 2 and 5
// some 70 instructions more.
[[gnu::noinline]] result pu_flash(double p_si, double u_si) {
  if (!std::isfinite(p_si) || !std::isfinite(u_si)) return detail::failure(status::not_finite);
  const double p = p_si / Pa_per_MPa, u = u_si / J_per_kJ;
  if (!(p > 0.0)) return detail::failure(status::pressure_not_positive);
  if (p > if97::p_max) return detail::failure(status::pressure_above_100MPa);
  const target a{quantity::p, p}, b{quantity::u, u};
  grid_try grid;
  // Above every saturated state's u, a state of any isobar is steam, neither
  // wet nor liquid.
  const bool above = above_saturated(b);
  if (above) {
    single steam;
    if (steam_in_one_step(a, b, steam, grid)) return detail::bounded_result(steam);
  }
  // The region by u at its bounds along the isobar: the saturated states
  // below the critical pressure, 623.15 K and B23 above psat(623.15 K).
  int region = 2;
  double T_sat = nan;
  const bool subcritical = p >= p_triple && p < if97::p_c_sat;
  if (subcritical && above) {
    // Steam: its saturated states only where the polish fails, below.
  } else if (subcritical) {
    saturation sat;
    if (!detail::saturation_of_pressure(p_si, sat)) return detail::failure(status::not_converged);
    const double x = fraction_of(sat, quantity::u, u);
    if (std::isfinite(x)) return detail::two_phase_result(sat, x);
    T_sat = sat.T;
    const bool liquid = u < sat.liquid.pr.u;
    region = liquid ? (sat.T <= if97::T_region1_max ? 1 : 3) : (sat.T <= if97::T_region1_max ? 2 : 3);
  }
  if (p > p_623) {
    if (u <= if97::u1(p, if97::T_region1_max)) region = 1;
    else if (u >= if97::u2(p, if97::tb23(p))) region = 2;
    else region = 3;
  }
  // Region 2 from its backward T(p, h) at h = u + p v, three rounds: p v of
  // the ideal gas (R T) first, then of region 2's v at the last T (dense
  // steam's p v lies well below R T); infinite where they leave region 2's
  // temperatures upward (far beyond, they diverge).
  const auto region2_T = [&] {
    double T = 600.0;
    for (int k = 0; k < 3 && T > 200.0 && T < 1500.0; ++k)
      T = if97::T2_ph(p, u + (k == 0 ? if97::R * T : p * if97::v2(p, T) * kJ_per_MPa_m3));
    if (T > 200.0 && T < 1500.0) return T;
    return T >= 1500.0 ? inf : 600.0;
  };
  // Region 2's start from the grid of steam, stepped once, where its stencil
  // holds steam, else from the backward equation; formed once (the grid's,
  // where the one-step way formed it).
  start s2 = grid.s;
  const auto region2_start = [&] {
    if (std::isnan(s2.T) && !grid.formed) s2 = steam_grid_start_stepped(quantity::p, quantity::u, p, u);
    if (std::isnan(s2.T)) s2 = {region2_T(), p};
    return s2;
  };
  // Regions 1 and 3 start afresh from the backward equations; regions 2 and
  // 5 carry T over from each other.
  const auto start_of = [&](int r, const single* from) -> start {
    if (from && (r == 2 || r == 5) && (from->region == 2 || from->region == 5)) return {carried_over(r, *from).T, p};
    switch (r) {
      case 1: return {liquid_start(quantity::h, u + p * 1e-3 * kJ_per_MPa_m3, p).T, p};
      case 3: {
        double v = u < 2000.0 ? 1.0 / 600.0 : 1.0 / 200.0;  // m3/kg, a first guess
        for (int k = 0; k < 2; ++k) v = if97::v3_ph(p, u + p * kJ_per_MPa_m3 * v);
        const double h = u + p * kJ_per_MPa_m3 * v;
        return {if97::T3_ph(p, h), 1.0 / v};
      }
      case 5: {
        // The ideal gas of region 5: two Newton steps on u = h - R T from 1500 K.
        double T = 1500.0;
        for (int k = 0; k < 2; ++k) {
          const if97::caloric c = if97::enthalpy_cp5(p, T);
          T += (u - (c.value - if97::R * T)) / (c.cp - if97::R);
        }
        return {T, p};
      }
      default: {
        // The grid's step counts as the polish's first.
        const start s = region2_start();
        if (s.near_root) start_steps = 1;
        return s;
      }
    }
  };
  if (region == 2 && !(region2_start().T <= if97::T_region2_max)) region = p <= if97::p_region5_max ? 5 : 2;
  single st{};
  double T_inside = nan;
  if (single_phase(a, b, region, start_of, st, T_inside)) return detail::bounded_result(st);
  if (subcritical && !std::isfinite(T_sat)) T_sat = detail::saturation_temperature(p);
  const bool vapour_side = std::isfinite(T_sat) && region != 1 && !(region == 3 && u < 2000.0);
  const double T_hi = p <= if97::p_region5_max ? if97::T_region5_max : if97::T_region2_max;
  if (!std::isfinite(T_sat)) return along_isobar(p_si, b, if97::T_min, T_hi);
  return vapour_side ? along_isobar(p_si, b, std::nextafter(T_sat, 1e4), T_hi) : along_isobar(p_si, b, if97::T_min, T_sat);
}

// ------------------------------------------------- pairs with several states --

// Roots of f(t) = 0, ascending, at most `capacity`; one within 1e-9 of the
// last is the same.
struct root_list {
  double* roots;
  int capacity;
  int n = 0;
  void add(double t) {
    if (n > 0 && std::fabs(t - roots[n - 1]) <= 1e-9 * std::fmax(std::fabs(t), 1.0)) return;
    if (n < capacity) roots[n++] = t;
  }
};

// The root in [lo, hi] of the cubic with f's values and slopes at both ends
// (Hermite's), by Newton's steps on the cubic from the secant's root t
// (six, or until one moves s by no more than s_step); t where they leave the
// interval.
double hermite_root(double lo, const point& f_lo, double hi, const point& f_hi, double t, double s_step = 0.0) {
  const double d = hi - lo, m0 = f_lo.slope * d, m1 = f_hi.slope * d;
  // p(s) = f_lo + m0 s + a s^2 + b s^3 on s in [0, 1].
  const double a = 3.0 * (f_hi.f - f_lo.f) - 2.0 * m0 - m1, b = 2.0 * (f_lo.f - f_hi.f) + m0 + m1;
  double s = (t - lo) / d;
  for (int k = 0; k < 6; ++k) {
    const double step = (f_lo.f + s * (m0 + s * (a + s * b))) / (m0 + s * (2.0 * a + 3.0 * s * b));
    s -= step;
    if (!(s > 0.0 && s < 1.0)) return t;
    if (std::fabs(step) <= s_step) break;
  }
  return lo + s * d;
}

// How the roots between two samples are searched: `noisy` as for bracketed;
// `hermite`, from the root of the cubic through the samples' values and
// slopes rather than the secant's, where f is smooth enough between them.
struct root_search {
  bool noisy = false;
  bool hermite = false;
};

// The roots of f between two samples t0 < t1 (and t0 where f reproduces its
// target there): where its slope changes sign between them, the extremum
// (the slope's root, by the secant method kept within the bracket) splits
// the interval, and each monotone piece with a sign change holds one root,
// found by `bracketed`.
// A cheaper `slope_of(t)` than f's own, where given, places the extremum.
template <class F, class S = std::nullptr_t>
void roots_between(F&& f, double t0, const point& p0, double t1, const point& p1, root_list& out,
                   root_search how = {}, S&& slope_of = nullptr) {
  const auto monotone = [&](double lo, const point& f_lo, double hi, const point& f_hi) {
    if (f_lo.reproduced) out.add(lo);
    if (f_lo.reproduced || f_hi.reproduced || (f_lo.f < 0.0) == (f_hi.f < 0.0)) return;
    double root = nan;
    double t_start = lo - f_lo.f * (hi - lo) / (f_hi.f - f_lo.f);
    if (how.hermite) t_start = hermite_root(lo, f_lo, hi, f_hi, t_start);
    if (bracketed(f, lo, hi, f_hi.f > f_lo.f, t_start, root, negligible_T, 0.0, 200, how.noisy)) out.add(root);
  };
  // A slope that vanishes or is not finite at an end may hide an extremum
  // next to it: searched too. The extremum only splits the interval into
  // monotone pieces: a dozen steps place it closely enough (near T_c each
  // step costs the region-3 roots of the saturated phases). It lies at the
  // step of the least slope: the secant's steps may close on it from one
  // side, and the bracket's middle then lies far from it, both roots of a
  // target just beyond the extremum on one side of the middle.
  if (!(p0.slope * p1.slope > 0.0)) {
    double lo = t0, hi = t1, s_lo = p0.slope, s_hi = p1.slope;
    double t_least = nan, slope_least = inf;
    // Where the slopes come with f's values, a point clearly across the
    // target from both ends (which lie on one side of it, neither
    // reproducing it) splits the interval in two, each with one root about
    // the one extremum: the search of the extremum ends there.
    const bool may_split = !how.noisy && (p0.f < 0.0) == (p1.f < 0.0) && !p0.reproduced && !p1.reproduced;
    for (int k = 0; k < 12 && hi - lo > 1e-12 * std::fmax(std::fabs(hi), 1.0); ++k) {
      double t = lo - s_lo * (hi - lo) / (s_hi - s_lo);
      if (!(t > lo && t < hi) || k % 3 == 2) t = 0.5 * (lo + hi);
      double st = nan;
      if constexpr (std::is_null_pointer_v<std::decay_t<S>>) {
        const point pt = f(t);
        if (may_split && pt.valid && !pt.reproduced && (pt.f < 0.0) != (p0.f < 0.0) && std::isfinite(pt.f)) {
          monotone(t0, p0, t, pt);
          monotone(t, pt, t1, p1);
          return;
        }
        st = pt.slope;
      } else {
        st = slope_of(t);
      }
      if (std::fabs(st) < slope_least) {
        t_least = t;
        slope_least = std::fabs(st);
      }
      if ((st < 0.0) == (s_lo < 0.0)) {
        lo = t;
        s_lo = st;
      } else {
        hi = t;
        s_hi = st;
      }
    }
    const double tm = t_least > t0 && t_least < t1 ? t_least : 0.5 * (lo + hi);
    const point pm = f(tm);
    monotone(t0, p0, tm, pm);
    monotone(tm, pm, t1, p1);
  } else {
    monotone(t0, p0, t1, p1);
  }
}

// The roots of f(t) = 0 on [a, b], ascending, at most `capacity`: f sampled at
// `samples` points, the roots between each two found by roots_between. With
// `enough`, the search ends once it has found that many: the first roots
// are the same.
template <class F, class S = std::nullptr_t>
int roots_along(F&& f, double a, double b, int samples, double* roots, int capacity, int enough = max_states,
                S&& slope_of = nullptr) {
  root_list out{roots, capacity};
  double t0 = a;
  point p0 = f(a);
  for (int i = 1; i <= samples && out.n < enough; ++i) {
    const double t1 = i == samples ? b : a + (b - a) * i / samples;
    const point p1 = f(t1);
    roots_between(f, t0, p0, t1, p1, out, {}, slope_of);
    t0 = t1;
    p0 = p1;
  }
  if (p0.reproduced) out.add(b);
  return out.n;
}

// Up to max_states states, in order of pressure (then of temperature).
struct collected {
  water::all_results out{status::ok, 0, {}};
  void add(const result& r) {
    if (!r || out.count == max_states) return;
    for (int i = 0; i < out.count; ++i) {
      const state& o = out.states[i];
      if (std::fabs(o.p - r.state.p) <= 1e-9 * o.p && std::fabs(o.T - r.state.T) <= 1e-9 * o.T) return;
    }
    int i = out.count++;
    for (; i > 0 && (out.states[i - 1].p > r.state.p ||
                     (out.states[i - 1].p == r.state.p && out.states[i - 1].T > r.state.T));
         --i)
      out.states[i] = out.states[i - 1];
    out.states[i] = r.state;
  }
  water::all_results done(status none) {
    if (out.count == 0) out.status = none;
    return out;
  }
};

// A point of a region's equation along a line of the pair: q less its target
// and dq/dt, t being ln p (regions 1, 2, 5) or rho (region 3).
point point_of(int region, const if97::properties& pr, target q, bool log_p) {
  const gradient g = gradient_of(q.q, region, pr);
  const double value = value_of(q.q, pr);
  return {value - q.value, log_p ? g.y * pr.p : g.y, reproduces(q.q, value, q.value)};
}

// The roots in T of rho along region's isobar at p (MPa) from T_lo to T_hi,
// ascending (the first `enough` of them): the search along the line, whose
// single call's several states are these too.
int isobar_roots(int region, double p, double rho, double T_lo, double T_hi, double* Ts, int enough = max_states) {
  const auto f = [&](double T) {
    const if97::properties pr = evaluate(region, T, p);
    const gradient g = gradient_of(quantity::rho, region, pr);
    return point{1.0 / pr.v - rho, g.T, reproduces(quantity::rho, 1.0 / pr.v, rho)};
  };
  return roots_along(f, T_lo, T_hi, region == 1 ? 6 : 1, Ts, 4, enough);
}

// A point of region's isotherm at T and p (MPa) in ln p: region 1's from
// only the sums of a step (the same to the last bit as the whole
// evaluation's, and cheaper), the other regions' whole.
point isotherm_point(int region, double T, double p, target q) {
  return point_of(region, region == 1 ? evaluate_for_step(1, T, p, q.q == quantity::s) : evaluate(region, T, p), q, true);
}

// Region 1's ln p (MPa) of least h along the isotherm, where (dh/dp)_T =
// v (1 - T alpha_v) vanishes, tabulated once at the nodes of `grid` (each
// by bisection on the slope's sign between 1 and 400 MPa, the equation's
// sums taken beyond its range), linear between them; NaN where the
// minimum lies beyond those pressures. It only places a split of the
// isotherm: the search below holds by the values found there.
struct h_minimum_table {
  static constexpr T_grid grid{510.0, if97::T_region1_max, 64};  // K
  double lnp[grid.intervals + 1];
};
const h_minimum_table& h_minimum_table_of() {
  static const h_minimum_table table = [] {
    h_minimum_table t{};
    for (int i = 0; i <= h_minimum_table::grid.intervals; ++i) {
      const double T = h_minimum_table::grid.node(i);
      const auto slope = [&](double lnp) { return isotherm_point(1, T, std::exp(lnp), {quantity::h, 0.0}).slope; };
      double lo = 0.0, hi = std::log(400.0);  // ln p of 1 and 400 MPa
      const bool inside = slope(lo) < 0.0 && slope(hi) > 0.0;
      for (int k = 0; k < 60 && inside; ++k) (slope(0.5 * (lo + hi)) < 0.0 ? lo : hi) = 0.5 * (lo + hi);
      t.lnp[i] = inside ? 0.5 * (lo + hi) : nan;
    }
    return t;
  }();
  return table;
}
double h_minimum_lnp(double T) {
  const auto [i, s] = h_minimum_table::grid.place_of(T);
  if (!(s >= 0.0 && s <= 1.0)) return nan;
  const h_minimum_table& t = h_minimum_table_of();
  return t.lnp[i] + s * (t.lnp[i + 1] - t.lnp[i]);
}

template <class F>
bool piece_root(F&& f, double lo, point f_lo, double hi, point f_hi, double t0, double& root);

// Region 1's ln p (MPa) on the isotherm's branch from psat(T) to h's
// minimum, tabulated once in a liquid_table whose q is T (K) and whose row
// coordinate is r = sqrt((h - h_m) / (h' - h_m)): h_m region 1's h at
// h_minimum_lnp's ln p, h' its h at psat(T) (IAPWS-IF97 Eq. (30)), both as
// h_roots_about_minimum evaluates them. Near the minimum p - p_m goes as
// sqrt(h - h_m), smooth in r where not in h. At `columns` + 1 temperatures
// evenly spaced over h_minimum_table's span, at each at `rows` + 1 values of
// r evenly spaced from 0 (the minimum) to 1 (psat(T)), each node's ln p
// polished on the branch as a root of the search is (beyond 100 MPa, above
// about 613 K, on the equation's sums taken beyond its range, as for the
// minimum). A column whose minimum lies at or below psat(T), or beyond the
// tabulated pressures, is NaN: no start within two columns of it.
liquid_table h_branch_table_formed() {
  liquid_table t{};
  constexpr int columns = liquid_table::columns, rows = liquid_table::rows;
  constexpr T_grid grid = h_minimum_table::grid;
  t.q_lo = grid.T_lo;
  t.q_step = grid.step() * grid.intervals / columns;
  for (int i = 0; i <= columns; ++i) {
    const double T = i == columns ? grid.T_hi : t.q_lo + i * t.q_step;
    const double p_a = if97::psat(T), a = std::log(p_a), m = h_minimum_lnp(T);
    const double h_a = isotherm_point(1, T, p_a, {quantity::h, 0.0}).f;
    const double h_m = isotherm_point(1, T, std::exp(m), {quantity::h, 0.0}).f;
    const bool inside = m > a && h_m < h_a;
    t.rho_sat[i] = inside ? h_m : nan;  // kJ/kg, the ends of r's span
    t.rho_top[i] = h_a;
    for (int j = 0; j <= rows; ++j) {
      const double r = static_cast<double>(j) / rows;
      const target q{quantity::h, h_m + r * r * (h_a - h_m)};
      const auto f = [&](double lnp) { return isotherm_point(1, T, std::exp(lnp), q); };
      double lnp = j == 0 ? m : j == rows ? a : nan;
      if (inside && j > 0 && j < rows && !bracketed(f, a, m, false, m + r * (a - m), lnp)) lnp = nan;
      t.T_p[i][j][0] = T;
      t.T_p[i][j][1] = inside ? lnp : nan;
    }
  }
  return t;
}
const liquid_table& h_branch_table() {
  static const liquid_table table = h_branch_table_formed();
  return table;
}
// The table's ln p at T and r, by the cubics through four columns and four
// rows (its value alone, not liquid_table_start's slopes); NaN beyond it.
// Without r, r of h between the columns' h_m and h' (a start for a branch
// that ends at 100 MPa, short of the minimum, whose h_m is not evaluated).
double h_branch_lnp(double T, double r, double h = nan) {
  const liquid_table& t = h_branch_table();
  const std::optional<stencil> sq = columns_of(t, T);
  if (!sq) return nan;
  if (std::isnan(r)) {
    const double h_m = sq->weights.of(t.rho_sat + sq->first), h_a = sq->weights.of(t.rho_top + sq->first);
    r = std::sqrt((h - h_m) / (h_a - h_m));
  }
  const double at_r = r * liquid_table::rows;
  if (!(at_r >= 0.0 && at_r <= liquid_table::rows)) return nan;
  const stencil sr(at_r, liquid_table::rows);
  double lnp = 0.0;
  for (int k = 0; k < 4; ++k) {
    const double(*node)[2] = t.T_p[sq->first + k] + sr.first;
    lnp += sq->weights.w[k] *
           (sr.weights.w[0] * node[0][1] + sr.weights.w[1] * node[1][1] + sr.weights.w[2] * node[2][1] +
            sr.weights.w[3] * node[3][1]);
  }
  return lnp;
}

// Region 1's h along the isotherm from a to b (ln p, MPa), the value fa at
// a above the target: split at the tabulated minimum, where the value lies
// clearly below the target, [a, m] holds one root and [m, b] one where the
// value at b (fb, evaluated here where not given) lies clearly above it
// (the slope changes its sign once at most), none where below, b itself
// where it reproduces the target. Each polished as a piece is, the first
// from the table of the branch below the minimum where it holds T, else
// from the parabola through the minimum's value and the side's far end (h
// about its minimum is near quadratic in p); where `at_first` is given, the
// first root's state is left there, evaluated whole, where the polish
// evaluated it last. The roots' count, the first `enough` of
// them in ts; -1 where the split does not lie clearly across or a polish
// fails: the search along the line decides.
int h_roots_about_minimum(double T, target q, double a, const point& fa, double b, const point* fb, double* ts,
                          int enough, if97::properties* at_first = nullptr) {
  const double m = h_minimum_lnp(T);
  if (!(m > a && m < b) || fa.reproduced || !(fa.f > 0.0)) return -1;
  const auto f = [&](double t) { return isotherm_point(1, T, std::exp(t), q); };
  const point fm = f(m);
  if (fm.reproduced || !(fm.f < 0.0)) return -1;
  const double pm = std::exp(m);
  root_list out{ts, 4};
  const auto side = [&](double lo, const point& f_lo, double hi, const point& f_hi, double t_end, const point& f_end) {
    const double p_end = std::exp(t_end), dp = p_end - pm;
    double t0 = std::log(pm + std::copysign(std::sqrt(-fm.f / (f_end.f - fm.f)), dp) * std::fabs(dp));
    // Below the minimum from the table of the branch, where it holds T.
    if (hi == m) {
      const double tabulated = h_branch_lnp(T, std::sqrt(-fm.f / (f_lo.f - fm.f)));
      if (tabulated > lo && tabulated < hi) t0 = tabulated;
    }
    double root = nan;
    // Where the caller keeps the first root's state, the evaluations after
    // the start's are whole (their h and slope the same to the last bit as
    // the sums of a step give), the last one that state: its evaluation
    // saved where one step from the start converges.
    int calls = 0;
    const auto whole_after_start = [&](double t) {
      if (at_first == nullptr || hi != m || calls++ == 0) return f(t);
      *at_first = evaluate(1, T, std::exp(t));
      return point_of(1, *at_first, q, true);
    };
    if (!piece_root(whole_after_start, lo, f_lo, hi, f_hi, t0, root)) return false;
    out.add(root);
    return true;
  };
  if (!side(a, fa, m, fm, a, fa)) return -1;
  if (out.n >= enough) return out.n;
  const point f_b = fb ? *fb : f(b);
  if (f_b.reproduced) out.add(b);  // the end's state, as the search along the line takes it
  if (f_b.reproduced || f_b.f < 0.0) return out.n;
  return side(m, fm, b, f_b, b, f_b) ? out.n : -1;
}

// The roots in ln p of q along region's isotherm at T from p_lo to p_hi
// (MPa), ascending (the first `enough` of them), and the state of one: the
// search along the line, whose single call's several states are these too.
// Region 1's values at the ends, `ends`, where the caller has them: each as
// isotherm_point gives it at p_lo and p_hi.
int isotherm_roots(int region, double T, target q, double p_lo, double p_hi, double* ts, int enough = max_states,
                   const point* ends = nullptr) {
  const auto f = [&](double t) { return point_of(region, evaluate(region, T, std::exp(t)), q, true); };
  // The extremum placed by slopes from only the sums that they need; region
  // 1's values too, whose root isotherm_state evaluates whole.
  const auto slope_of = [&](double t) {
    return point_of(region, evaluate_for_step(region, T, std::exp(t), q.q == quantity::s), q, true).slope;
  };
  if (region == 1) {
    const double a = std::log(p_lo), b = std::log(p_hi);
    if (q.q == quantity::h) {
      const int n = h_roots_about_minimum(T, q, a, ends ? ends[0] : isotherm_point(1, T, p_lo, q), b,
                                          ends ? &ends[1] : nullptr, ts, enough);
      if (n >= 0) return n;
    }
    const auto lean = [&](double t) { return isotherm_point(1, T, std::exp(t), q); };
    return roots_along(lean, a, b, 8, ts, 4, enough);
  }
  return roots_along(f, std::log(p_lo), std::log(p_hi), 8, ts, 4, enough, slope_of);
}
result isotherm_state(int region, double T, double t, double p_lo, double p_hi) {
  // exp(ln p) may round an ulp beyond the ends, 100 MPa or the lowest
  // pressure, which the final check refuses: kept within them.
  return detail::single_result({region, evaluate(region, T, std::clamp(std::exp(t), p_lo, p_hi))});
}

// (p, rho): along the isobar. A two-phase state at psat(p) where rho lies
// between rho'' and rho'; single phases in each region of the isobar, the
// liquid of region 1 twice where the isobar passes its density maximum.
water::all_results prho_states(double p_si, double rho) {
  collected c;
  if (!std::isfinite(p_si) || !std::isfinite(rho)) return c.done(status::not_finite);
  const double p = p_si / Pa_per_MPa;
  if (!(p > 0.0)) return c.done(status::pressure_not_positive);
  if (p > if97::p_max) return c.done(status::pressure_above_100MPa);
  if (!(rho > 0.0)) return c.done(status::density_out_of_range);
  const target q{quantity::rho, rho};
  double T_sat = nan;
  if (p >= p_triple && p < if97::p_c_sat) {
    saturation sat;
    if (!detail::saturation_of_pressure(p_si, sat)) return c.done(status::not_converged);
    T_sat = sat.T;
    const double v = 1.0 / rho, vl = sat.liquid.pr.v, vv = sat.vapour.pr.v;
    if (v >= vl && v <= vv) c.add(detail::two_phase_result(sat, vl == vv ? 0.0 : (v - vl) / (vv - vl)));
  }
  // Regions 1, 2 and 5 along the isobar, each on its range of T.
  const auto along = [&](int region, double T_lo, double T_hi) {
    if (!(T_lo < T_hi)) return;
    double Ts[4];
    const int n = isobar_roots(region, p, rho, T_lo, T_hi, Ts);
    for (int i = 0; i < n; ++i) {
      if (std::fabs(Ts[i] - T_sat) <= 1e-9 * Ts[i] && c.out.count > 0) continue;  // the saturated phase, already had
      c.add(detail::single_result({region, evaluate(region, Ts[i], p)}));
    }
  };
  if (p >= p_triple) along(1, if97::T_min, std::isfinite(T_sat) ? std::fmin(T_sat, if97::T_region1_max) : if97::T_region1_max);
  if (p > p_623) {
    // Region 3: the one temperature of the isochore with pressure p.
    single st{};
    if (polish(3, {quantity::p, p}, q, 700.0, rho, st) && verdict_of(st).next == 3) {
      c.add(detail::single_result(st));
    }
  }
  const double T2_lo = p < p_triple ? if97::T_min : p <= p_623 ? T_sat : if97::tb23(p);
  along(2, T2_lo, if97::T_region2_max);
  if (p <= if97::p_region5_max) along(5, if97::T_region2_max, if97::T_region5_max);
  return c.done(status::density_out_of_range);
}

// The lowest pressure of a search along an isotherm in regions 2 and 5.
constexpr double p_search_min = 1e-9;  // MPa

// (T, h) and (T, s): along the isotherm, in ln p through regions 1, 2 and 5,
// in rho through region 3, the two-phase state at psat(T) between.
water::all_results T_states(double T, double value_si, quantity qq) {
  collected c;
  if (!std::isfinite(T) || !std::isfinite(value_si)) return c.done(status::not_finite);
  if (T < if97::T_min) return c.done(status::temperature_below_min);
  if (T > if97::T_region5_max) return c.done(status::temperature_above_max);
  const target q{qq, value_si / J_per_kJ};
  saturation sat;
  const bool below_c = T < if97::T_c;
  if (below_c) {
    if (!saturation_for_line(T, sat)) return c.done(status::not_converged);
    const double x = fraction_of(sat, qq, q.value);
    if (std::isfinite(x)) c.add(detail::two_phase_result(sat, x));
  }
  const auto along_p = [&](int region, double p_lo, double p_hi) {
    if (!(p_lo < p_hi)) return;
    double ts[4];
    const int n = isotherm_roots(region, T, q, p_lo, p_hi, ts);
    for (int i = 0; i < n; ++i) c.add(isotherm_state(region, T, ts[i], p_lo, p_hi));
  };
  const auto along_rho = [&](double rho_lo, double rho_hi) {
    if (!(rho_lo < rho_hi)) return;
    const auto f = [&](double rho) { return point_of(3, evaluate(3, T, rho), q, false); };
    double rhos[4];
    const int n = roots_along(f, rho_lo, rho_hi, 8, rhos, 4);
    // The density at 100 MPa gives p(T, rho) a rounding beyond it: on the bound.
    for (int i = 0; i < n; ++i) c.add(detail::bounded_result(detail::region3_at(T, rhos[i])));
  };
  if (T <= if97::T_region1_max) {
    const double ps = sat.p;
    along_p(2, p_search_min, ps);
    along_p(1, ps, if97::p_max);
  } else if (T <= if97::T_b23_max) {
    // pb23(863.15 K) lies 3e-11 MPa above 100 MPa: the search ends at the bound.
    const double p_b23 = std::fmin(if97::pb23(T), if97::p_max);
    along_p(2, p_search_min, p_b23);
    const auto rho_at = [&](double p) { return detail::density3(T, p, detail::branch_of(p, T), 1.0 / if97::v3pt(p, T)); };
    const double rho_b23 = rho_at(p_b23), rho_max = rho_at(if97::p_max);
    if (below_c) {
      along_rho(rho_b23, 1.0 / sat.vapour.pr.v);
      along_rho(1.0 / sat.liquid.pr.v, rho_max);
    } else {
      along_rho(rho_b23, rho_max);
    }
  } else if (T <= if97::T_region2_max) {
    along_p(2, p_search_min, if97::p_max);
  } else {
    along_p(5, p_search_min, if97::p_region5_max);
  }
  return c.done(status::no_state_of_pair);
}

// (h, x) and (s, x): along the saturation line, in a parameter t that puts
// the samples closer together toward the critical point, where q' and q''
// turn steeply to meet: T = T_top - span (1 - t)^2. At 623.15 K the saturated
// phases pass from regions 1 and 2 to region 3 and q' and q'' step a little:
// each side is searched on its own, T kept on it, so that no root hides
// beside the step. The high side ends 1 mK below T_c: closer, h' and h'' (s'
// and s'') turn so steeply that the mixture's q has an extremum within a few
// uK of T_c for most x, whose search costs the region-3 roots of the
// saturated phases at every step. A state within 1 mK of T_c is not found.
const double line_span = T_top - if97::T_min;  // K
const double T_623_above = std::nextafter(if97::T_region1_max, inf);  // K
const double t_623 = 1.0 - std::sqrt((T_top - if97::T_region1_max) / line_span);
constexpr double T_c_margin = 1e-3;  // K
const double t_end = 1.0 - std::sqrt(T_c_margin / line_span);

double line_T(double t, bool high_side) {
  const double T = t >= 1.0 ? T_top : T_top - line_span * (1.0 - t) * (1.0 - t);
  return high_side ? std::fmax(T, T_623_above) : std::fmin(T, if97::T_region1_max);
}

// The samples of each side: between two of them q' and q'' (each monotone
// where its slope keeps its sign at both) bound the mixture's q, and only the
// intervals whose bounds hold the target are searched.
constexpr int line_samples = 64;

double line_t(int i, bool high_side) {
  const double a = high_side ? t_623 : 0.0, b = high_side ? t_end : t_623;
  return i == line_samples ? b : a + (b - a) * i / line_samples;
}

// q', q'' and their slopes along the line at a sample, for h ([0]) and s ([1]).
struct line_node {
  double t;
  bool valid;
  double q_liquid[2], q_vapour[2], dq_liquid[2], dq_vapour[2];  // kJ/kg or kJ/(kg K), and per K
};
// Between two samples: the least and the largest q' and q'', where both are
// monotone (else `bounded` is false and the interval is always searched).
struct line_interval {
  bool bounded[2];
  double liquid_min[2], liquid_max[2], vapour_min[2], vapour_max[2];
};
// Blocks of 8 intervals, bounded as an interval is where all of theirs are:
// most targets lie outside most blocks, whose intervals are then passed over.
constexpr int line_block = 8;
struct line_samples_of_side {
  line_node node[line_samples + 1];
  line_interval interval[line_samples];
  line_interval block[line_samples / line_block];
};

// The saturation line at every sample, evaluated once: the same values as a
// search's own evaluation there.
const line_samples_of_side& samples_of_side(bool high_side) {
  static const auto sides = [] {
    struct {
      line_samples_of_side side[2];
    } out{};
    for (int high = 0; high < 2; ++high) {
      line_samples_of_side& sd = out.side[high];
      for (int i = 0; i <= line_samples; ++i) {
        line_node& n = sd.node[i];
        n.t = line_t(i, high != 0);
        n.valid = true;
        saturated_line line{};
        for (int k = 0; k < 2; ++k) {
          n.valid = n.valid && saturated_line_at(line_T(n.t, high != 0), k == 0 ? quantity::h : quantity::s, line);
          n.q_liquid[k] = line.q_liquid;
          n.q_vapour[k] = line.q_vapour;
          n.dq_liquid[k] = line.dq_liquid;
          n.dq_vapour[k] = line.dq_vapour;
        }
      }
      for (int i = 0; i < line_samples; ++i) {
        const line_node &a = sd.node[i], &b = sd.node[i + 1];
        line_interval& in = sd.interval[i];
        for (int k = 0; k < 2; ++k) {
          in.bounded[k] = a.valid && b.valid && a.dq_liquid[k] * b.dq_liquid[k] > 0.0 &&
                          a.dq_vapour[k] * b.dq_vapour[k] > 0.0;
          in.liquid_min[k] = std::fmin(a.q_liquid[k], b.q_liquid[k]);
          in.liquid_max[k] = std::fmax(a.q_liquid[k], b.q_liquid[k]);
          in.vapour_min[k] = std::fmin(a.q_vapour[k], b.q_vapour[k]);
          in.vapour_max[k] = std::fmax(a.q_vapour[k], b.q_vapour[k]);
        }
      }
      for (int j = 0; j < line_samples / line_block; ++j) {
        line_interval& bl = sd.block[j];
        bl = sd.interval[j * line_block];
        for (int i = j * line_block + 1; i < (j + 1) * line_block; ++i) {
          const line_interval& in = sd.interval[i];
          for (int k = 0; k < 2; ++k) {
            bl.bounded[k] = bl.bounded[k] && in.bounded[k];
            bl.liquid_min[k] = std::fmin(bl.liquid_min[k], in.liquid_min[k]);
            bl.liquid_max[k] = std::fmax(bl.liquid_max[k], in.liquid_max[k]);
            bl.vapour_min[k] = std::fmin(bl.vapour_min[k], in.vapour_min[k]);
            bl.vapour_max[k] = std::fmax(bl.vapour_max[k], in.vapour_max[k]);
          }
        }
      }
    }
    return out;
  }();
  return sides.side[high_side ? 1 : 0];
}

// The mixture's q less its target at t, and its slope in t.
point line_point(double q_liquid, double q_vapour, double dq_liquid, double dq_vapour, double t, double x, target q) {
  const double value = if97::mixture(q_liquid, q_vapour, x);
  const double dT_dt = 2.0 * line_span * (1.0 - t);
  return {value - q.value, if97::mixture(dq_liquid, dq_vapour, x) * dT_dt, reproduces(q.q, value, q.value)};
}

// The states of (h, x) or (s, x): on each side of 623.15 K, the intervals
// between samples whose bounds hold q, searched as roots_between does, from
// the root of the cubic through the samples (a step or two from the state);
// a root's saturated phases are those of its last evaluation.
// Each state goes to `found(saturation, x)`, in order of T (and p); the
// status where there is none.
template <class Found>
status x_states(double value_si, double x, quantity qq, Found&& found) {
  line_evaluations = 0;
  if (!std::isfinite(value_si) || !std::isfinite(x)) return status::not_finite;
  if (!(x >= 0.0 && x <= 1.0)) return status::quality_out_of_range;
  const target q{qq, value_si / J_per_kJ};
  const int k = qq == quantity::h ? 0 : 1;
  // Beyond the bounds of q by less than this, a root (or a sample that
  // reproduces q, within 1e-11) is not excluded: rounding of the bounds.
  const double slack = 1e-9 * std::fmax(std::fabs(q.value), 1.0);
  double ts[8];
  // The saturated phases of a root where the search evaluated them last.
  saturation sats[8];
  bool evaluated[8] = {};
  int n_low = 0, n = 0;
  saturated_line line{};
  double T_line = nan;  // K, where `line` was evaluated
  for (const bool high_side : {false, true}) {
    const auto f = [&](double t) -> point {
      T_line = line_T(t, high_side);
      ++line_evaluations;
      if (!saturated_line_at(T_line, qq, line)) {
        T_line = nan;
        return {nan, nan, false, false};
      }
      return line_point(line.q_liquid, line.q_vapour, line.dq_liquid, line.dq_vapour, t, x, q);
    };
    const line_samples_of_side& sd = samples_of_side(high_side);
    const auto at = [&](int i) -> point {
      const line_node& nd = sd.node[i];
      if (!nd.valid) return {nan, nan, false, false};
      return line_point(nd.q_liquid[k], nd.q_vapour[k], nd.dq_liquid[k], nd.dq_vapour[k], nd.t, x, q);
    };
    root_list out{ts + n, 4};
    // q' and q'' each monotone between the samples: the mixture's q lies
    // between the mixtures of their smaller and of their larger ends.
    const auto outside = [&](const line_interval& in) {
      return in.bounded[k] && (q.value < if97::mixture(in.liquid_min[k], in.vapour_min[k], x) - slack ||
                               q.value > if97::mixture(in.liquid_max[k], in.vapour_max[k], x) + slack);
    };
    for (int i = 0; i < line_samples; ++i) {
      if (i % line_block == 0 && outside(sd.block[i / line_block])) {
        i += line_block - 1;
        continue;
      }
      if (outside(sd.interval[i])) continue;
      // Near T_c the saturated phases' q is noisy at the level of its
      // tolerance: the search keeps the nearest state that reproduced q.
      const int before = out.n;
      if (high_side) {
        roots_between(f, sd.node[i].t, at(i), sd.node[i + 1].t, at(i + 1), out, {high_side, true});
      } else {
        // Below 623.15 K the interpolant of the line places an extremum
        // between the samples, without evaluating the saturated phases.
        const auto slope_of = [&](double t) {
          const line_values l = dome_line_at(line_T(t, false), qq);
          return if97::mixture(l.dq_liquid, l.dq_vapour, x);
        };
        roots_between(f, sd.node[i].t, at(i), sd.node[i + 1].t, at(i + 1), out, {high_side, true}, slope_of);
      }
      for (int j = before; j < out.n; ++j)
        if (line_T(out.roots[j], high_side) == T_line) {
          sats[n + j] = line.sat;
          evaluated[n + j] = true;
        }
    }
    if (at(line_samples).reproduced) out.add(sd.node[line_samples].t);
    n += out.n;
    if (!high_side) n_low = n;
  }
  for (int i = 0; i < n; ++i)
    if (evaluated[i] || (++line_evaluations, saturation_for_line(line_T(ts[i], i >= n_low), sats[i])))
      found(sats[i], x);
  return status::no_state_of_pair;
}

water::all_results x_all(double value_si, double x, quantity qq) {
  collected c;
  const status none = x_states(value_si, x, qq, [&](const saturation& sat, double y) {
    c.add(detail::two_phase_result(sat, y));
  });
  return c.done(none);
}

// The first state of x_all (the lowest T and p), formed alone, and how many
// there are: the same states as x_all counts, one within 1e-9 of the last
// in p and T the same.
result x_first(double value_si, double x, quantity qq, int* count) {
  result first{};
  int n = 0;
  double p_last = nan, T_last = nan;
  const status none = x_states(value_si, x, qq, [&](const saturation& sat, double y) {
    if (std::fabs(sat.p_si - p_last) <= 1e-9 * p_last && std::fabs(sat.T - T_last) <= 1e-9 * T_last) return;
    p_last = sat.p_si;
    T_last = sat.T;
    if (n++ == 0) first = detail::two_phase_result(sat, y);
  });
  if (count) *count = n;
  return n > 0 ? first : detail::failure(none);
}

result first_of(const water::all_results& all, int* count) {
  if (count) *count = all.count;
  if (all.count == 0) return detail::failure(all.status);
  return {status::ok, all.states[0]};
}


// ------------------------------------- the first state of a pair along a line --

// The single calls of (p, rho), (T, h) and (T, s) need the first state and
// how many there are, not every state. Their line (the isobar, the
// isotherm) runs through pieces, one region's stretch each, and along each
// piece the slope of the pair's quantity changes its sign at most once:
// (dh/dp)_T only in region 1, between 521 and 613 K (where h has a minimum
// along the isotherm, at T alpha_v = 1); (ds/dp)_T only in region 1 below
// 277 K and (drho/dT)_p only in region 1 (about the density maximum of the
// liquid); never in regions 2, 3 and 5 (tests/test_state_pairs_first.cpp
// checks this along the lines of a grid). Then a piece's ends, their values and
// slopes, tell how many states it holds, where the target lies clearly
// beyond them: none where the values lie on one side of it and so does the
// extremum, if any; one where they lie on both sides. Where they cannot tell
// (two states or none about an extremum, a target at an end, where two
// regions' equations meet), the search along the whole line decides.
constexpr int unsure = -1;
constexpr int splits_max = 8;

int states_of_piece(const point& lo, const point& hi, double margin) {
  if (!(std::fabs(lo.f) > margin && std::fabs(hi.f) > margin)) return unsure;
  if ((lo.f < 0.0) != (hi.f < 0.0)) return 1;
  if (lo.slope * hi.slope > 0.0) return 0;
  if (!(lo.slope * hi.slope < 0.0)) return unsure;
  // One extremum inside: none where the values at the ends lie on its side.
  const bool minimum = lo.slope < 0.0;
  return minimum == (lo.f < 0.0) ? 0 : unsure;
}

// The pieces of a line, taken in order of pressure (then of temperature):
// the states they hold and the first of them. A pair's target lies clearly
// beyond an end's value by 1e-9 of itself (floor as for `reproduces`).
//
// Every piece is counted after a first state polished here: where a line
// holds several states, the single call gives the first of them as the
// search along the line finds it, to the last bit (its polish is not this
// one's), so that the single call and _all agree. A two-phase state is
// formed alike by both, and so are several states about an extremum: after
// those the pieces that follow matter only to the count.
struct pieces {
  int* count;
  double margin;
  status none;  // where the line holds no state, as the search along it says
  int n = 0;
  bool sure = true;
  bool polished = false;  // the first state is a single phase, polished here
  result first{};  // set with the first state (n > 0); the failure formed only where returned
  // Whether the pieces that follow still matter.
  bool more() const { return sure && (n == 0 || polished || count != nullptr); }
  // A piece of parameter t from lo to hi, f its value and slope: its states
  // counted by its ends; where they cannot tell, about an extremum, the
  // piece is split where the slope, taken as linear in t, vanishes (a few
  // times at most): one side is monotone, and the extremum's side either
  // ends beyond the target (a state on each side) or is split again.
  // `solve(lo, f_lo, hi, f_hi)` forms the first state, of a bracket with one.
  // Where the split finds a state on each side, `several(k)` gives the first
  // of them as the search along the line does, and the k states it found.
  template <class F, class Solve, class Several>
  void add(F&& f, double lo, point f_lo, double hi, point f_hi, Solve&& solve, Several&& several) {
    if (!more()) return;
    int k = states_of_piece(f_lo, f_hi, margin);
    for (int split = 0; split < splits_max && k == unsure && std::fabs(f_lo.f) > margin && std::fabs(f_hi.f) > margin &&
                        f_lo.slope * f_hi.slope < 0.0;
         ++split) {
      // The single call without a count needs the first state alone: about
      // an extremum, with no state before, the search along the line gives
      // it at once, as `several` does after the splits, which only count.
      if (n == 0 && count == nullptr) {
        int found = 0;
        first = several(found);
        sure = first && found >= 1;
        n += found;
        return;
      }
      double t = lo - f_lo.slope * (hi - lo) / (f_hi.slope - f_lo.slope);
      if (!(t > lo && t < hi) || split % 3 == 2) t = 0.5 * (lo + hi);
      const point f_t = f(t);
      if (!(std::fabs(f_t.f) > margin)) break;
      if ((f_t.f < 0.0) != (f_lo.f < 0.0)) {
        if (n == 0) {
          int found = 0;
          first = several(found);
          sure = first && found >= 1;
        }
        n += 2;
        return;
      }
      if (f_t.slope * f_lo.slope > 0.0) {
        lo = t;
        f_lo = f_t;
      } else if (f_t.slope * f_hi.slope > 0.0) {
        hi = t;
        f_hi = f_t;
      } else {
        break;
      }
      k = states_of_piece(f_lo, f_hi, margin);
    }
    if (k == unsure) {
      sure = false;
      return;
    }
    if (k == 1 && n == 0) solve_first(solve, lo, f_lo, hi, f_hi);
    n += k;
  }
  template <class Solve>
  void solve_first(Solve&& solve, double lo, const point& f_lo, double hi, const point& f_hi) {
    first = solve(lo, f_lo, hi, f_hi);
    sure = static_cast<bool>(first);
    polished = true;
  }
  // The two-phase state, where the target lies between the saturated phases'
  // values (one of a and b each), clearly.
  void add_two_phase(const saturation& sat, double a, double b, double wanted, double x) {
    if (!more()) return;
    if (!(std::fabs(a - wanted) > margin && std::fabs(b - wanted) > margin)) {
      sure = false;
      return;
    }
    if ((a < wanted) == (b < wanted)) return;
    if (n == 0) first = detail::two_phase_result(sat, x);
    ++n;
  }
  // The first state, with the count where asked; `all` where a piece could
  // not tell, or where a polished state is the first of several.
  template <class All>
  result done(All&& all) {
    if (!sure || (polished && n > 1)) return first_of(all(), count);
    if (count) *count = n;
    return n == 0 ? detail::failure(none) : first;
  }
};

// The start of a piece's search: the root of the cubic through the values
// and slopes of its ends (in the parameter s, whose slopes they are).
double cubic_start(double lo, double f_lo, double slope_lo, double hi, double f_hi, double slope_hi) {
  const point a{f_lo, slope_lo, false}, b{f_hi, slope_hi, false};
  // A start: the cubic's root to 1e-9 of the piece, where Newton's steps
  // on it have converged.
  return hermite_root(lo, a, hi, b, lo - f_lo * (hi - lo) / (f_hi - f_lo), 1e-9);
}

// The polish of a piece in parameter t by `bracketed`, as the search along
// the line polishes its roots, from the root of the cubic through the state
// at t0 and the end of the piece beyond the root (t0 near the root, that
// cubic's root is Newton's step with the curvature taken into account, where
// it lies within twice that step). The steps counted for last_polish_steps.
template <class F>
bool piece_root(F&& f, double lo, point f_lo, double hi, point f_hi, double t0, double& root) {
  int evaluations = 0;
  const auto counted = [&](double t) {
    ++evaluations;
    return f(t);
  };
  const bool rising = f_hi.f > f_lo.f;
  if (t0 > lo && t0 < hi) {
    const point at = counted(t0);
    if (at.valid && std::isfinite(at.f) && std::isfinite(at.slope) && at.slope != 0.0) {
      if ((at.f < 0.0) == rising) {
        lo = t0;
        f_lo = at;
      } else {
        hi = t0;
        f_hi = at;
      }
      const double newton = t0 - at.f / at.slope;
      const double cubic = cubic_start(lo, f_lo.f, f_lo.slope, hi, f_hi.f, f_hi.slope);
      t0 = std::fabs(cubic - t0) <= 2.0 * std::fabs(newton - t0) ? cubic : newton;
    }
  }
  const bool ok = bracketed(counted, lo, hi, rising, t0, root);
  steps_taken = evaluations - 1;
  return ok;
}

// Regions 2, 3 and 5, along whose pieces the slope keeps its sign: no
// state where, from the one end already evaluated, the value moves away
// from the target toward the other end.
template <class Point>
bool beyond_monotone(int region, const if97::properties* at_lo, const if97::properties* at_hi, double margin,
                     Point&& point_at) {
  if (region == 1 || (at_lo == nullptr) == (at_hi == nullptr)) return false;
  const point end = point_at(at_lo ? *at_lo : *at_hi);
  // Away upward where f and its slope share their sign, downward where not.
  return std::fabs(end.f) > margin && (at_lo ? end.f * end.slope > 0.0 : end.f * end.slope < 0.0);
}

// An end at T from its table: its density, q less the target, its slopes,
// and their bounds of error.
struct end_point {
  double rho, f, slope_rho, slope_lnp;
  double f_error, slope_rho_error, slope_lnp_error;
};
end_point end_point_of(const isotherm_end_table& table, double T, target q) {
  const auto [i, s] = isotherm_end_table::grid.place_of(T);
  const isotherm_end_table::node &a = table.at[i], &b = table.at[i + 1], &e = table.error;
  const int k = end_index(q.q);
  const auto line = [s = s](double fa, double fb) { return fa + s * (fb - fa); };
  return {line(a.rho, b.rho),     line(a.q[k], b.q[k]) - q.value, line(a.dq_drho[k], b.dq_drho[k]),
          line(a.dq_dlnp[k], b.dq_dlnp[k]), e.q[k], e.dq_drho[k], e.dq_dlnp[k]};
}

// Newton's steps x -= step(x) from x, `limit` at most, until one moves x by
// no more than 1e-13 of itself: the nodes of region 1's tables of (T, s)
// and (p, rho). NaN where a step is not finite.
template <class Step>
double newton_steps(double x, int limit, Step&& step) {
  for (int k = 0; k < limit; ++k) {
    const double d = step(x);
    if (!std::isfinite(d)) return nan;
    x -= d;
    if (std::fabs(d) <= 1e-13 * x) break;
  }
  return x;
}

// The one state of a shortcut, polished in `region` on targets a and b from
// (T, p), kept where `sure` holds of it: none where the polish fails or
// where the state is not the region's. A table's start stepped once (that
// step counted) evaluates whole at once.
template <class Sure>
std::optional<result> one_state(int region, target a, target b, double T, double p, bool stepped, int* count,
                                Sure&& sure) {
  if (stepped) start_steps = 1;
  single st{};
  if (!polish(region, a, b, T, p, st, stepped) || !sure(st.pr) || verdict_of(st).next != region) return std::nullopt;
  const result one = detail::single_result(st);
  if (!one) return std::nullopt;
  if (count) *count = 1;
  return one;
}

// The one state of a liquid shortcut: region 1's, from a table's start
// stepped once; none where `sure` fails or the state's bounds refuse it, as
// a state a rounding beyond 100 MPa (the search along the line puts it on
// the bound).
template <class Sure>
std::optional<result> liquid_one_state(target a, target b, double T, double p, int* count, Sure&& sure) {
  return one_state(1, a, b, T, p, true, count, sure);
}

// Region 1's p of (T, s), tabulated once in a liquid_table whose q is T (K)
// and whose row coordinate is s: at `columns` + 1 temperatures evenly spaced
// from 290 K to 623.15 K, and at each at `rows` + 1 entropies evenly spaced
// from s at 100 MPa to the saturated liquid's s' at psat(T) (IAPWS-IF97
// Eq. (30) and Eq. (7)). From 290 K s falls with p all along region 1's
// isotherm ((ds/dp)_T = -(dv/dT)_p, the liquid expanding with T there): each
// node's p by Newton's steps from the denser node before it.
constexpr double isotherm_table_T_lo = 290.0;  // K

liquid_table isotherm_table_formed() {
  liquid_table t{};
  constexpr int columns = liquid_table::columns, rows = liquid_table::rows;
  t.q_lo = isotherm_table_T_lo;
  t.q_step = (if97::T_region1_max - t.q_lo) / columns;
  for (int i = 0; i <= columns; ++i) {
    const double T = i == columns ? if97::T_region1_max : t.q_lo + i * t.q_step;
    t.rho_sat[i] = if97::s1(if97::p_max, T);
    t.rho_top[i] = if97::s1(if97::psat(T), T);
    double p = if97::p_max;
    for (int j = 0; j <= rows; ++j) {
      const double s = t.rho_sat[i] + (t.rho_top[i] - t.rho_sat[i]) * j / rows;
      p = newton_steps(p, 40, [&](double at) {
        const if97::properties pr = if97::properties1(at, T);
        return (pr.s - s) / (-kJ_per_MPa_m3 * pr.dv_dT);
      });
      t.T_p[i][j][0] = T;
      t.T_p[i][j][1] = p;  // MPa
    }
  }
  return t;
}

const liquid_table& isotherm_table() {
  static const liquid_table table = isotherm_table_formed();
  return table;
}

// (T, s) where it has one state, region 1's liquid: polished from the
// table's p stepped once; none (the search along the isotherm decides)
// beyond the table or where the proof fails. Along region 1's isotherm s
// falls with p from s' (above 290 K), and the isotherm's other pieces hold
// s above it (region 2's steam s >= s'' > s', the two-phase states between):
// a state 0.01 MPa above psat(T) is the only one, its s below s' by more
// than 1e-6 kJ/(kg K) ((dv/dT)_p above 1e-7 m3/(kg K) there).
std::optional<result> Ts_liquid(double T, double s, int* count) {
  // The table's span of T, from 290 K to 623.15 K, bounds T's. Far above
  // s' (wet or steam; s' within 2e-4 of the straight line between two
  // columns) none here, before the cubics.
  const liquid_table& t = isotherm_table();
  const double at_T = (T - t.q_lo) / t.q_step;
  if (!(at_T >= 0.0 && at_T <= liquid_table::columns)) return std::nullopt;
  const int i = std::min(static_cast<int>(at_T), liquid_table::columns - 1);
  if (s > t.rho_top[i] + (at_T - i) * (t.rho_top[i + 1] - t.rho_top[i]) + 1e-3) return std::nullopt;
  const liquid_inverse at = liquid_table_start(t, T, s);
  if (!(std::isfinite(at.p) && at.p > 0.0)) return std::nullopt;
  const double p0 = std::clamp(at.p + at.dp_drho * (s - if97::s1(at.p, T)), 1e-3, if97::p_max);
  constexpr double above_sat = 0.01;  // MPa
  return liquid_one_state({quantity::T, T}, {quantity::s, s}, T, p0, count,
                          [&](const if97::properties& pr) { return pr.p > if97::psat(T) + above_sat; });
}

// Region 1's T of (p, u), tabulated once in a liquid_table whose q is u and
// whose row coordinate is p: at the columns of the table of (rho, u), and
// at each at `rows` + 1 pressures evenly spaced from the saturated liquid's
// of that u (that table's first row, psat(T) of IAPWS-IF97 Eq. (30)) to
// 100 MPa, each node's T by Newton's steps from the node below it. Along an
// isobar u rises with T ((du/dT)_p = cp - p (dv/dT)_p > 0), so that T is a
// smooth function of (p, u) over the whole liquid.
liquid_table energy_table_formed() {
  const liquid_table& by_density = liquid_table_of(quantity::u);
  liquid_table t{};
  constexpr int rows = liquid_table::rows;
  t.q_lo = by_density.q_lo;
  t.q_step = by_density.q_step;
  for (int i = 0; i <= liquid_table::columns; ++i) {
    const double u = t.q_lo + i * t.q_step;
    double T = by_density.T_p[i][0][0];
    t.rho_sat[i] = by_density.T_p[i][0][1];
    t.rho_top[i] = if97::p_max;
    for (int j = 0; j <= rows; ++j) {
      const double p = t.rho_sat[i] + (if97::p_max - t.rho_sat[i]) * j / rows;
      T = newton_steps(T, 40, [&](double at) {
        const if97::properties pr = if97::properties1(p, at);
        return (pr.u - u) / (pr.cp - kJ_per_MPa_m3 * p * pr.dv_dT);
      });
      t.T_p[i][j][0] = T;
      t.T_p[i][j][1] = p;  // the row's pressure, MPa
    }
  }
  return t;
}

const liquid_table& energy_table() {
  static const liquid_table table = energy_table_formed();
  return table;
}

// (p, u) where it is region 1's liquid: polished from the table's T stepped
// once by its slope from one evaluation of u (that step counted); none (the
// flash's search decides) beyond the table or where the proof fails. Along
// the isobar u rises with T through every phase, so that a state of region
// 1 is the isobar's only one. It is kept where it lies clearly inside region
// 1: below 623.15 K by 1e-6 K (region 3 beyond) and above psat(T) by 1e-6 of
// it, where u'(p) exceeds u by far more than 1e-11 of u (the band within
// which the flash takes u as the saturated liquid's, two-phase).
std::optional<result> pu_liquid(double p, double u) {
  if (!(p <= if97::p_max)) return std::nullopt;
  const liquid_table& t = energy_table();
  // The saturated liquid's pressure rises with u: at or below that of the
  // column below u, wet, steam or beyond, before the cubics.
  const double at_u = (u - t.q_lo) / t.q_step;
  if (!(at_u >= 0.0 && at_u <= liquid_table::columns)) return std::nullopt;
  const int i = std::min(static_cast<int>(at_u), liquid_table::columns - 1);
  if (!(p > t.rho_sat[i])) return std::nullopt;
  // Region 3's states, above 623.15 K, pass over before the cubics too: T of
  // the nodes about (p, u), straight between them, within a kelvin.
  const auto T_of_column = [&](int k) {
    const double z = (p - t.rho_sat[k]) * (liquid_table::rows / (if97::p_max - t.rho_sat[k]));
    const int j = std::clamp(static_cast<int>(z), 0, liquid_table::rows - 1);
    return t.T_p[k][j][0] + (z - j) * (t.T_p[k][j + 1][0] - t.T_p[k][j][0]);
  };
  const double T_i = T_of_column(i);
  if (!(T_i + (at_u - i) * (T_of_column(i + 1) - T_i) < if97::T_region1_max + 1.0)) return std::nullopt;
  constexpr double margin_T = 1e-6;  // K
  const liquid_inverse at = liquid_table_start(t, u, p);
  if (!(at.T < if97::T_region1_max - margin_T)) return std::nullopt;
  // The table's slope holds (dT/du)_p to about 1e-6, 1e-5 by 273.15 K
  // (where T lies 1e-5 K off and u, near 0, is reproduced to 1e-11 kJ/kg):
  // a step's u then lies off by up to 1e-5 of the step's. Where that exceeds
  // a tenth of the u the polish asks for, a second step from a second
  // evaluation of u removes it.
  const double step_max = 1e-7 * std::fmax(std::fabs(u), 1.0) * at.dT_dq;  // K
  double T = at.T;
  int lean_steps = 0;
  for (double step = inf; lean_steps < 2 && std::fabs(step) > step_max; ++lean_steps) {
    step = at.dT_dq * (u - if97::properties1_volume_energy(p, T).u);
    T += step;
  }
  std::optional<result> one =
      liquid_one_state({quantity::p, p}, {quantity::u, u}, T, p, nullptr, [&](const if97::properties& pr) {
        return pr.T < if97::T_region1_max - margin_T && pr.p > (1.0 + 1e-6) * if97::psat(pr.T);
      });
  steps_taken += lean_steps - 1;  // the steps beyond the one that liquid_one_state counts
  return one;
}

// Region 3's density of (T, h) or (T, s) above T_c, tabulated once per q in
// a liquid_table whose q is T and whose row coordinate is w = sqrt(q -
// q_top(T)), q_top the value at 100 MPa (at the density of the backward
// v3pt(100 MPa, T) of IAPWS SR5-05, as the ends of the isotherm): at
// `columns` + 1 temperatures evenly spaced from T_c to 863.15 K, and at each
// at `rows` + 1 values of w evenly spaced from 0 to w at region 2's density
// on B23 (IAPWS-IF97 Eq. (5)), both of region 3's equation; each node's
// density by Newton's steps from the denser node before it. Along region
// 3's isotherms h and s fall with rho, so that rho is a function of (T, q)
// there. Toward 100 MPa below about 700 K, h flattens along the isotherm
// (T alpha_v nears 1): in w, whose square follows it, the density stays
// smooth. A start only: the piece's search keeps its bracket.
struct isotherm3_table {
  liquid_table t;
  double q_top[liquid_table::columns + 1];  // kJ/kg or kJ/(kg K)
};

std::unique_ptr<const isotherm3_table> isotherm3_table_formed(quantity q) {
  auto out = std::make_unique<isotherm3_table>();
  liquid_table& t = out->t;
  constexpr int columns = liquid_table::columns, rows = liquid_table::rows;
  t.q_lo = if97::T_c;
  t.q_step = (if97::T_b23_max - t.q_lo) / columns;
  const auto q_at = [&](double T, double rho) { return value_of(q, if97::properties3(T, 1.0 / rho)); };
  for (int i = 0; i <= columns; ++i) {
    const double T = i == columns ? if97::T_b23_max : t.q_lo + i * t.q_step;
    double rho = 1.0 / if97::v3pt(if97::p_max, T);
    const double top = q_at(T, rho);
    out->q_top[i] = top;
    t.rho_sat[i] = 0.0;
    t.rho_top[i] = std::sqrt(std::fmax(0.0, q_at(T, 1.0 / if97::v2(std::fmin(if97::p_max, if97::pb23(T)), T)) - top));
    for (int j = 0; j <= rows; ++j) {
      const double w = t.rho_top[i] * j / rows, value = top + w * w;
      rho = newton_steps(rho, 40, [&](double at) {
        const if97::properties pr = if97::properties3(T, 1.0 / at);
        return (value_of(q, pr) - value) / gradient_of(q, 3, pr).y;
      });
      t.T_p[i][j][0] = rho;  // kg/m3
      t.T_p[i][j][1] = rho;
    }
  }
  return out;
}

// The tables of h and of s, each formed on first use.
const isotherm3_table& isotherm3_table_of(quantity q) {
  static const std::unique_ptr<const isotherm3_table> h = isotherm3_table_formed(quantity::h);
  if (q == quantity::h) return *h;
  static const std::unique_ptr<const isotherm3_table> s = isotherm3_table_formed(quantity::s);
  return *s;
}

// The table's density of region 3 at (T, q), h or s; NaN beyond it.
double isotherm3_rho(double T, target q) {
  if (!(T > if97::T_c)) return nan;
  const isotherm3_table& table = isotherm3_table_of(q.q);
  const std::optional<stencil> columns = columns_of(table.t, T);
  if (!columns) return nan;
  const double above = q.value - columns->weights.of(table.q_top + columns->first);
  return above >= 0.0 ? liquid_table_start(table.t, *columns, std::sqrt(above)).T : nan;
}

// (p, u): region 1's liquid from its table, else the flash's search.
result pu_first(double p_si, double u_si) {
  if (const std::optional<result> liquid = pu_liquid(p_si / Pa_per_MPa, u_si / J_per_kJ)) return *liquid;
  return pu_flash(p_si, u_si);
}

// ------------------------------------------------- region 2's steam starts --

// Region 2's steam along its isotherms, from p -> 0 (the second virial
// coefficient's slope) to the isotherm's end p_end (psat(T), IAPWS-IF97
// Eq. (30), to 623.15 K, the B23 pressure of Eq. (5) to 863.15 K, then
// 100 MPa): h, w = s + R ln p and Z = p v / (R T) with their slopes in p at
// p_end k / pieces (k = 0: from 1e-4 MPa, taken to p = 0 by the slope), the
// cubic of Hermite between. Tabulated once at every kelvin from 273.15 K to
// 1073.15 K (linear in T between the columns): the start of region 2's
// (T, h), (T, s) and (p, rho), which the polish takes to the state.
enum steam_quantity { column_h, column_w, column_z };
struct steam_column {
  static constexpr int pieces = 8;
  double p_end, ln_p_end;  // MPa, ln(p_end / 1 MPa)
  double f[3][pieces + 1], slope[3][pieces + 1];
  // Quantity j at p (MPa): beyond p_end along the tangent there; with its slope.
  double at(int j, double p, double& dfdp) const {
    const double step = p_end / pieces;
    if (p >= p_end) {
      dfdp = slope[j][pieces];
      return f[j][pieces] + (p - p_end) * dfdp;
    }
    const int k = std::clamp(static_cast<int>(p / step), 0, pieces - 1);
    const double t = p / step - k, fa = f[j][k], fb = f[j][k + 1], ma = step * slope[j][k], mb = step * slope[j][k + 1];
    // Hermite's cubic on [k, k + 1] in t, and its derivative.
    const double c2 = 3.0 * (fb - fa) - 2.0 * ma - mb, c3 = 2.0 * (fa - fb) + ma + mb;
    dfdp = (ma + t * (2.0 * c2 + 3.0 * t * c3)) / step;
    return fa + t * (ma + t * (c2 + t * c3));
  }
};
// With h and s at each isotherm's end apart (12 kB, where most targets of
// other regions are passed over without reading the columns).
struct steam_end {
  double h, s;
};
struct steam_start_table {
  static constexpr int intervals = 800;  // of 1 K
  steam_column at[intervals + 1];
  steam_end end[intervals + 1];
};

double steam_end_pressure(double T) {  // MPa
  if (T <= if97::T_region1_max) return if97::psat(T);
  return T <= if97::T_b23_max ? std::fmin(if97::p_max, if97::pb23(T)) : if97::p_max;
}

std::unique_ptr<const steam_start_table> steam_start_table_formed() {
  auto t = std::make_unique<steam_start_table>();
  constexpr double p_low = 1e-4;  // MPa
  constexpr int pieces = steam_column::pieces;
  for (int i = 0; i <= steam_start_table::intervals; ++i) {
    const double T = if97::T_min + i, RT = if97::R * T;
    steam_column& c = t->at[i];
    c.p_end = steam_end_pressure(T);
    c.ln_p_end = std::log(c.p_end);
    for (int k = 0; k <= pieces; ++k) {
      const double p = k == 0 ? p_low : c.p_end * k / pieces;
      const if97::properties pr = if97::properties2(p, T);
      c.f[column_h][k] = pr.h;
      c.slope[column_h][k] = kJ_per_MPa_m3 * (pr.v - T * pr.dv_dT);
      c.f[column_w][k] = pr.s + if97::R * std::log(p);
      if (k == pieces) t->end[i] = {pr.h, pr.s};
      c.slope[column_w][k] = if97::R / p - kJ_per_MPa_m3 * pr.dv_dT;
      // Z = p v / (R T), v in m3/kg, R T in kJ/kg: dZ/dp = (v + p dv/dp) / (R T) per MPa.
      c.f[column_z][k] = kJ_per_MPa_m3 * p * pr.v / RT;
      c.slope[column_z][k] = kJ_per_MPa_m3 * (pr.v + p * pr.dv_dp) / RT;
    }
    for (int j = 0; j < 3; ++j) c.f[j][0] -= c.slope[j][0] * p_low;
  }
  return t;
}

const steam_start_table& steam_start_table_of() {
  static const std::unique_ptr<const steam_start_table> table = steam_start_table_formed();
  return *table;
}

// The columns about T (K) and T's fraction of the way between them.
struct steam_columns {
  const steam_column *a, *b;
  const steam_end *end_a, *end_b;
  double s;
  double T_a;  // K, column a's
  double at(int j, double p, double& dfdp) const {
    double da = 0.0, db = 0.0;
    const double fa = a->at(j, p, da), fb = b->at(j, p, db);
    dfdp = da + s * (db - da);
    return fa + s * (fb - fa);
  }
  // Quantity j at the isotherms' ends, between the columns' (a bound to
  // pass over, not a start).
  double h_end() const { return end_a->h + s * (end_b->h - end_a->h); }
  double s_end() const { return end_a->s + s * (end_b->s - end_a->s); }
};
steam_columns steam_columns_at(double T) {
  const steam_start_table& table = steam_start_table_of();
  const double at = std::clamp(T - if97::T_min, 0.0, static_cast<double>(steam_start_table::intervals));
  const int i = std::min(static_cast<int>(at), steam_start_table::intervals - 1);
  return {&table.at[i], &table.at[i + 1], &table.end[i], &table.end[i + 1], at - i, if97::T_min + i};
}

// Region 2's T at (p, rho) from the table: T Z = p / (rho R), which grows
// with T along the isobar, solved on the columns' values (linear between
// them) by Newton's steps from the ideal gas's T, kept above T_lo, the
// isobar's coldest steam (below it the tangent's T Z need not grow).
double steam_T_of_isobar(double p, double rho, double T_lo) {
  const double TZ = 1e3 * p / (rho * if97::R);  // K
  double T = std::fmax(TZ, T_lo);
  for (int k = 0; k < 6; ++k) {
    const steam_columns c = steam_columns_at(T);
    double slope = 0.0;
    const double T_a = c.T_a;
    const double a = T_a * c.a->at(column_z, p, slope), b = (T_a + 1.0) * c.b->at(column_z, p, slope);
    if (!(b > a)) return nan;
    const double next = T_a + (TZ - a) / (b - a);
    // Colder than T_lo or hotter than 1073.15 K from there: none.
    if ((next < T_lo && T == T_lo) || (next > if97::T_region2_max && T == if97::T_region2_max)) return nan;
    if (next >= T_a && next <= T_a + 1.0) return next;
    T = std::clamp(next, T_lo, if97::T_region2_max);
  }
  return T;
}

// The one steam state of a shortcut: polished in region 2 on targets a and b
// from (T, p), kept where `sure` holds of it (none where the polish fails,
// where the state is not region 2's or lies at or beyond 100 MPa).
template <class Sure>
std::optional<result> steam_one_state(target a, target b, double T, double p, int* count, Sure&& sure) {
  if (!(std::isfinite(p) && p > 0.0 && std::isfinite(T))) return std::nullopt;
  return one_state(2, a, b, T, std::fmin(p, if97::p_max), false, count,
                   [&](const if97::properties& pr) { return pr.p < if97::p_max && sure(pr); });
}

// The band about region 2's state on B23 within which region 3's states of
// the isotherm come to its h and s (of max(|q|, 1), kJ/kg or kJ/(kg K)):
// there the search along the line decides.
constexpr double b23_band = 2e-4;

// (T, h) and (T, s) where they have one state, region 2's steam below
// 1073.15 K: none (the search along the isotherm decides) where the proof
// fails. Along region 2's isotherms h and s fall with p ((dh/dp)_T =
// v - T (dv/dT)_p < 0, (ds/dp)_T = -(dv/dT)_p < 0): one region-2 state at
// most. To 623.15 K one 1e-3 of psat(T) below it lies above h'' and s'' by
// far more than the search's margin (the dome's states between h' and h'',
// region 1's nowhere above h' and s' at 623.15 K). To 863.15 K a target above
// region 2's value at B23 by more than the band within which region 3 comes
// to it (b23_band of max(|q|, 1), as the search along the line) has no state in
// region 3 or the dome: q falls with rho along region 3's isotherms from
// there. Above 863.15 K region 2 alone.
//
// b23 is region 2's end point of the isotherm at B23 (end_point_of), formed
// once by the caller for T from 623.15 K to 863.15 K, for the search too.
std::optional<result> T_steam(double T, target q, const end_point& b23, int* count) {
  if (!(T >= if97::T_min && T < if97::T_region2_max)) return std::nullopt;
  if (T > if97::T_region1_max && T <= if97::T_b23_max) {
    if (!(b23.f < -(b23_band * std::fmax(std::fabs(q.value), 1.0) + b23.f_error) &&
          b23.slope_rho < -b23.slope_rho_error))
      return std::nullopt;
  }
  // Newton's steps on the table's h, or on its w - R ln p in ln p, each
  // falling with p, from the ideal gas's p (s) or the tangent at p = 0 (h),
  // kept within the isotherm; the last one taken that moves p by 3e-3 of
  // itself or less: the next, quadratic, would move it by about 1e-5, which
  // the polish's first step (lean, along the isotherm) takes up as it does
  // the table's own error (the same steps over the benchmark's states).
  // Targets not above the isotherm's end (the dome's, the liquid's, region
  // 3's): none here, before the columns.
  const steam_columns c = steam_columns_at(T);
  if (!(q.value > (q.q == quantity::h ? c.h_end() : c.s_end()))) return std::nullopt;
  const double p_end = c.a->p_end + c.s * (c.b->p_end - c.a->p_end);
  double slope = 0.0, p = nan;
  if (q.q == quantity::h) {
    const double h0 = c.at(column_h, 0.0, slope);
    if (!(q.value < h0)) return std::nullopt;
    p = std::fmin((h0 - q.value) / -slope, p_end);
    for (int k = 0; k < 5; ++k) {
      const double next = std::clamp(p - (c.at(column_h, p, slope) - q.value) / slope, 0.5 * p, p_end);
      const bool close = std::fabs(next - p) <= 3e-3 * p;
      p = next;
      if (close) break;
    }
  } else {
    // p = e^x follows x's steps below 0.1 by exp_less_one (to 2e-11 there).
    const double x_end = c.a->ln_p_end + c.s * (c.b->ln_p_end - c.a->ln_p_end);
    double x = std::fmin((c.at(column_w, 0.0, slope) - q.value) / if97::R, x_end);
    p = std::exp(x);
    for (int k = 0; k < 5; ++k) {
      const double w = c.at(column_w, p, slope);
      const double dx = std::fmin(x_end - x, -(w - if97::R * x - q.value) / (p * slope - if97::R));
      x += dx;
      p = std::fabs(dx) <= 0.1 ? p * (1.0 + exp_less_one(dx)) : std::exp(x);
      if (std::fabs(dx) <= 3e-3) break;
    }
  }
  const double p_sat = T <= if97::T_region1_max ? if97::psat(T) : inf;
  return steam_one_state({quantity::T, T}, q, T, p, count,
                         [&](const if97::properties& pr) { return pr.p < (1.0 - 1e-3) * p_sat; });
}

// (T, h) and (T, s): the first state along the isotherm, lowest pressure
// first: region 2 (or 5), the two-phase state, the liquid of region 1 or 3.
result T_first(double T, double value_si, quantity qq, int* count) {
  const auto all = [&] { return T_states(T, value_si, qq); };
  if (!std::isfinite(T) || !std::isfinite(value_si) || !(T >= if97::T_min && T <= if97::T_region5_max))
    return first_of(all(), count);
  const target q{qq, value_si / J_per_kJ};
  if (qq == quantity::s)
    if (const std::optional<result> liquid = Ts_liquid(T, q.value, count)) return *liquid;
  const bool by_b23 = T > if97::T_region1_max && T <= if97::T_b23_max;
  const end_point b23_end = by_b23 ? end_point_of(b23_end_table(), T, q) : end_point{};
  if (const std::optional<result> steam = T_steam(T, q, b23_end, count)) return *steam;
  steps_taken = 0;
  pieces line{count, 1e-9 * std::fmax(std::fabs(q.value), 1.0), status::no_state_of_pair};
  // Regions 1, 2 and 5 in ln p from p_lo to p_hi, at_lo and at_hi their
  // states there where already evaluated.
  const auto along_p = [&](int region, double p_lo, const if97::properties* at_lo, double p_hi,
                           const if97::properties* at_hi) {
    if (!line.more() || !(p_lo < p_hi)) return;
    const auto point_at = [&](const if97::properties& pr) { return point_of(region, pr, q, true); };
    if (beyond_monotone(region, at_lo, at_hi, line.margin, point_at)) return;
    // The ends' and the splits' points (region 1's alone split) from only
    // the sums of a step: region 1's the same to the last bit as the whole
    // evaluation's, and cheaper.
    const auto point_at_p = [&](double p) { return isotherm_point(region, T, p, q); };
    const point f_lo = at_lo ? point_at(*at_lo) : point_at_p(p_lo);
    // Region 1's h split at its minimum, where that tells the first state
    // (the one below the minimum, as the search along the line finds it),
    // with or without the count; the value at 100 MPa only for the count:
    // a second state where it lies clearly above the target, none where
    // clearly below, else the search decides.
    if (region == 1 && qq == quantity::h && line.n == 0) {
      double ts[4];
      if97::properties at_root{};
      if (h_roots_about_minimum(T, q, std::log(p_lo), f_lo, std::log(p_hi), nullptr, ts, 1, &at_root) > 0) {
        // The root's state as isotherm_state evaluates it, where the search's
        // last evaluation was that.
        const bool had = at_root.p == std::clamp(std::exp(ts[0]), p_lo, p_hi) && at_root.T == T;
        line.first = had ? detail::single_result({1, at_root}) : isotherm_state(1, T, ts[0], p_lo, p_hi);
        line.sure = static_cast<bool>(line.first);
        line.n = 1;
        if (count) {
          const double f_end = point_at_p(p_hi).f;
          if (!(std::fabs(f_end) > line.margin)) line.sure = false;
          else if (f_end > 0.0) line.n = 2;
        }
        return;
      }
    }
    const point f_hi = at_hi ? point_at(*at_hi) : point_at_p(p_hi);
    if97::properties last{};
    const auto f = [&](double t) {
      last = evaluate(region, T, std::exp(t));
      return point_of(region, last, q, true);
    };
    const auto split_at = [&](double t) { return point_at_p(std::exp(t)); };
    line.add(split_at, std::log(p_lo), f_lo, std::log(p_hi), f_hi, [&](double lo, const point& a, double hi, const point& b) {
      // h of a phase and s of a liquid are nearly linear in p (in ln p they
      // are not, over the decades of a gas), s of a gas in ln p: the cubic
      // in that.
      double t0 = cubic_start(lo, a.f, a.slope, hi, b.f, b.slope);
      if (qq == quantity::h || region == 1) {
        const double pa = std::exp(lo), pb = std::exp(hi);
        t0 = std::log(cubic_start(pa, a.f, a.slope / pa, pb, b.f, b.slope / pb));
      }
      // Region 1's h, falling from psat(T) to 100 MPa short of its minimum:
      // from the table of that branch, where it holds (T, h).
      if (region == 1 && qq == quantity::h) {
        const double tabulated = h_branch_lnp(T, nan, q.value);
        if (tabulated > lo && tabulated < hi) t0 = tabulated;
      }
      double t = nan;
      if (!piece_root(f, lo, a, hi, b, t0, t)) return detail::failure(status::not_converged);
      const double p = std::clamp(std::exp(t), p_lo, p_hi);
      return detail::single_result({region, p == last.p ? last : evaluate(region, T, p)});
    }, [&](int& k) {
      double ts[4];
      const point ends[2] = {f_lo, f_hi};
      k = isotherm_roots(region, T, q, p_lo, p_hi, ts, 1, ends);
      return k > 0 ? isotherm_state(region, T, ts[0], p_lo, p_hi) : detail::failure(status::not_converged);
    });
  };
  // Region 3 in rho, the value at an end given where it is known.
  const auto along_rho = [&](double rho_lo, const point* lo_known, double rho_hi, const point* hi_known) {
    if (!line.more() || !(rho_lo < rho_hi)) return;
    const point f_lo = lo_known ? *lo_known : point_of(3, evaluate(3, T, rho_lo), q, false);
    const point f_hi = hi_known ? *hi_known : point_of(3, evaluate(3, T, rho_hi), q, false);
    // The root is the density of the last evaluation, where the polish
    // ended on it: that state, not a second evaluation.
    single last{};
    double rho_last = nan;
    const auto f = [&](double rho) {
      last = detail::region3_at(T, rho);
      rho_last = rho;
      return point_of(3, last.pr, q, false);
    };
    line.add(f, rho_lo, f_lo, rho_hi, f_hi, [&](double lo, const point& a, double hi, const point& b) {
      // Above T_c from the table of region 3's isotherms where it holds the
      // piece's state, else from the cubic through its ends.
      const double tabulated = isotherm3_rho(T, q);
      const double rho0 = tabulated > lo && tabulated < hi ? tabulated : cubic_start(lo, a.f, a.slope, hi, b.f, b.slope);
      double rho = nan;
      if (!piece_root(f, lo, a, hi, b, rho0, rho)) return detail::failure(status::not_converged);
      return detail::bounded_result(rho == rho_last ? last : detail::region3_at(T, rho));
    }, [](int& k) {
      k = 0;  // never two: region 3's slope keeps its sign
      return detail::failure(status::not_converged);
    });
  };
  saturation sat;
  const auto two_phase = [&] {
    const double x = fraction_of(sat, qq, q.value);
    line.add_two_phase(sat, value_of(qq, sat.liquid.pr), value_of(qq, sat.vapour.pr), q.value, x);
  };
  if (T <= if97::T_region1_max) {
    // Clearly below the saturated liquid's q (here q' < q'', and region 2's
    // isotherm lies above q'', its slope keeping its sign): neither steam
    // nor the dome holds a state, region 1's piece is the line's first,
    // its end at psat(T) from only the sums of a step (the same to the last
    // bit as the saturated liquid's), the saturated phases unevaluated.
    // Decided at the dome table's node at or below T, without evaluating:
    // h' and s' rise with T, so a target clearly below the node's q' lies
    // clearly below q'(T).
    const int node_below = std::min(static_cast<int>((T - dome_low.T_lo) / dome_T_step), dome_intervals);
    const double q_liquid_below = dome_nodes()[node_below].q_liquid[quantity_index(qq)];
    if (q_liquid_below - q.value > line.margin) {
      const if97::properties liquid_end = evaluate_for_step(1, T, if97::psat(T), qq == quantity::s);
      along_p(1, liquid_end.p, &liquid_end, if97::p_max, nullptr);
      return line.done(all);
    }
    if (!saturation_for_line(T, sat)) return first_of(all(), count);
    // Region 2's q falls with p along the isotherm to q'' at psat(T): none
    // there where the target lies clearly below q'' (the test that
    // beyond_monotone makes, without the slope).
    if (!(value_of(qq, sat.vapour.pr) - q.value > line.margin)) along_p(2, p_search_min, nullptr, sat.p, &sat.vapour.pr);
    two_phase();
    // Region 1's h and s are nowhere above h' and s' at 623.15 K (they grow
    // with T and, at 623.15 K, fall with p): above them, none there.
    static const if97::properties top = if97::properties1(if97::psat(if97::T_region1_max), if97::T_region1_max);
    if (!(q.value > value_of(qq, top) + line.margin)) along_p(1, sat.p, &sat.liquid.pr, if97::p_max, nullptr);
  } else if (T <= if97::T_b23_max) {
    const double p_b23 = std::fmin(if97::p_max, if97::pb23(T));  // as the search along the line
    // Region 3's ends at B23 and 100 MPa, whose densities a search would
    // find: at B23 region 2's state, whose h and s lie within 5e-5 of
    // region 3's there (its density within 2e-4), and at 100 MPa region
    // 3's at the density of the backward v3pt(p, T) of IAPWS SR5-05, whose
    // h and s lie within 1.5e-6 of the state's there. A target within 2e-4
    // and 1e-5 of them (of max(|q|, 1) in kJ/kg or kJ/(kg K)) the search
    // along the line decides. Both ends from their tables, within their
    // bounds of error; region 2's state on B23 evaluated where its piece
    // may hold the state (the table's value within the bound of the margin,
    // or its slope within the bound of zero).
    const double scale = std::fmax(std::fabs(q.value), 1.0);
    const end_point& b23 = b23_end;
    const bool region2_beyond = std::fabs(b23.f) > line.margin + b23.f_error &&
                                std::fabs(b23.slope_lnp) > b23.slope_lnp_error && b23.f * b23.slope_lnp < 0.0;
    point f_b23{b23.f, b23.slope_rho, false};  // along the isotherm, per kg/m3
    double rho_b23 = b23.rho, b23_error = b23.f_error, b23_slope_error = b23.slope_rho_error;
    if (!region2_beyond) {
      const if97::properties at_b23 = evaluate(2, T, p_b23);
      along_p(2, p_search_min, nullptr, p_b23, &at_b23);
      const point at_b23_2 = point_of(2, at_b23, q, false);
      f_b23 = {at_b23_2.f, at_b23_2.slope / gradient_of(quantity::rho, 2, at_b23).y, false};
      rho_b23 = 1.0 / at_b23.v;
      b23_error = b23_slope_error = 0.0;
    }
    if (line.more()) {
      if (!(std::fabs(f_b23.f) > b23_band * scale + b23_error)) {
        line.sure = false;
      } else if (f_b23.f < 0.0 && f_b23.slope < -b23_slope_error) {
        // q lies below the target at B23 and falls with rho along region 3's
        // isotherms, and q' < q'': region 3 and the dome hold no state.
      } else {
        const end_point top = end_point_of(top_end_table(), T, q);
        const double rho_max = top.rho;
        const point f_max{top.f, top.slope_rho, false};
        if (!(std::fabs(f_max.f) > 1e-5 * scale + top.f_error)) {
          line.sure = false;
        } else if (T < if97::T_c) {
          if (!saturation_for_line(T, sat)) return first_of(all(), count);
          along_rho(rho_b23, &f_b23, 1.0 / sat.vapour.pr.v, nullptr);
          two_phase();
          along_rho(1.0 / sat.liquid.pr.v, nullptr, rho_max, &f_max);
        } else {
          along_rho(rho_b23, &f_b23, rho_max, &f_max);
        }
      }
    }
  } else if (T <= if97::T_region2_max) {
    along_p(2, p_search_min, nullptr, if97::p_max, nullptr);
  } else {
    along_p(5, p_search_min, nullptr, if97::p_region5_max, nullptr);
  }
  return line.done(all);
}

// ------------------------------------------- region 1's table of (p, rho) --

// Region 1's T of (p, rho) on the side of the density maximum where the
// liquid's density falls with T, tabulated once in a liquid_table whose q is
// ln p (MPa) and whose row coordinate is g = -sqrt(rho_max - rho), rho_max
// the isobar's greatest density (of the equation extrapolated below
// 273.15 K where the maximum lies there): about the maximum T - T_max grows
// as sqrt(rho_max - rho), and T is near linear in g. At `columns` + 1
// pressures evenly spaced in ln p from psat(290 K) to 100 MPa, and at each
// at `rows` + 1 values of g evenly spaced from the density at region 1's hot
// end (the saturated liquid's, IAPWS-IF97 Eq. (31) and Eq. (7), or 623.15
// K's above psat(623.15 K)) to the density at 273.15 K. Every node's T lies
// where the density falls with T (at 290 K and above the density of
// 273.15 K is met again only past the maximum), found by Newton's steps in T
// from the hotter node before it. With the densities at 273.15 K and their
// cubic's bound of error, taken at the columns' midpoints and quarters once
// (times 4), and the least density of the hot ends (below it the table holds
// none).
struct isobar_liquid_table {
  liquid_table t;
  double rho_max[liquid_table::columns + 1], rho_cold[liquid_table::columns + 1];  // kg/m3
  double rho_hot[liquid_table::columns + 1];                                        // kg/m3
  double rho_cold_error;  // relative
  double rho_least;       // kg/m3
};
constexpr double isobar_table_T_lo = 290.0;  // K, the psat of the table's first column

isobar_liquid_table isobar_table_formed() {
  isobar_liquid_table out{};
  liquid_table& t = out.t;
  constexpr int columns = liquid_table::columns, rows = liquid_table::rows;
  t.q_lo = std::log(if97::psat(isobar_table_T_lo));
  t.q_step = (std::log(if97::p_max) - t.q_lo) / columns;
  const auto p_of = [&](double at) { return std::fmin(std::exp(t.q_lo + at * t.q_step), if97::p_max); };
  const auto rho_cold = [](double p) { return 1.0 / if97::v1(p, if97::T_min); };
  for (int i = 0; i <= columns; ++i) {
    const double p = p_of(i);
    const double T_hot = p < p_623 ? if97::tsat(p) : if97::T_region1_max;
    const double rho_hot = 1.0 / if97::v1(p, T_hot);
    // The maximum by golden section in T over [230 K, 300 K].
    double a = 230.0, b = 300.0;
    for (int k = 0; k < 80; ++k) {
      const double c = b - 0.618033988749895 * (b - a), d = a + 0.618033988749895 * (b - a);
      (if97::v1(p, c) < if97::v1(p, d) ? b : a) = (if97::v1(p, c) < if97::v1(p, d) ? d : c);
    }
    out.rho_max[i] = 1.0 / if97::v1(p, 0.5 * (a + b));
    out.rho_cold[i] = rho_cold(p);
    t.rho_sat[i] = -std::sqrt(out.rho_max[i] - rho_hot);
    t.rho_top[i] = -std::sqrt(out.rho_max[i] - out.rho_cold[i]);
    out.rho_hot[i] = rho_hot;
    out.rho_least = i == 0 ? rho_hot : std::fmin(out.rho_least, rho_hot);
    double T = T_hot;
    for (int j = 0; j <= rows; ++j) {
      const double g = t.rho_sat[i] + (t.rho_top[i] - t.rho_sat[i]) * j / rows;
      const double rho = out.rho_max[i] - g * g;
      // Where the maximum lies at 273.15 K (about 20 MPa) the last row's
      // root is double: Newton's steps close on it linearly.
      T = newton_steps(T, 200, [&](double at) {
        const if97::properties pr = if97::properties1(p, at);
        return (1.0 / pr.v - rho) / (-pr.dv_dT / (pr.v * pr.v));
      });
      t.T_p[i][j][0] = T;
      t.T_p[i][j][1] = p;
    }
  }
  for (int i = 0; i < columns; ++i)
    for (const double s : {0.25, 0.5, 0.75}) {
      const std::optional<stencil> sq = columns_of(t, t.q_lo + (i + s) * t.q_step);
      const double exact = rho_cold(p_of(i + s));
      out.rho_cold_error = std::fmax(out.rho_cold_error, std::fabs(sq->weights.of(out.rho_cold + sq->first) / exact - 1.0));
    }
  out.rho_cold_error *= 4.0;
  return out;
}

const isobar_liquid_table& isobar_table() {
  static const isobar_liquid_table table = isobar_table_formed();
  return table;
}

// The table's T of (p, rho) stepped once (K): NaN beyond the table or at a
// density not clearly below 273.15 K's on its isobar.
double liquid_T_of_isobar(double p, double rho) {
  const isobar_liquid_table& table = isobar_table();
  if (!(rho > table.rho_least)) return nan;
  const double ln_p = std::log(p);
  const std::optional<stencil> sq = columns_of(table.t, ln_p);
  if (!sq || !(rho < (1.0 - table.rho_cold_error - 1e-9) * sq->weights.of(table.rho_cold + sq->first))) return nan;
  // Below the hot end's density (region 3's, the dome's) the table holds none.
  if (!(rho > sq->weights.of(table.rho_hot + sq->first))) return nan;
  const double below_max = sq->weights.of(table.rho_max + sq->first) - rho;
  if (!(below_max > 0.0)) return nan;
  const double root = std::sqrt(below_max);
  const liquid_inverse at = liquid_table_start(table.t, *sq, -root);
  // dg/drho = 1 / (2 sqrt(rho_max - rho)).
  return at.T + at.dT_drho / (2.0 * root) * (rho - 1.0 / if97::v1(p, at.T));
}

// Tsat(p) of IAPWS-IF97 Eq. (31), formed once for a flash's shortcuts and
// its search: `known` NaN until then.
double tsat_once(double p, double& known) {
  if (std::isnan(known)) known = if97::tsat(p);
  return known;
}

// (p, rho) where it has one state, region 1's liquid past its density
// maximum, polished from the table's T stepped once: none (the search along
// the isobar decides) beyond the table or where the proof fails. Along a
// region-1 isobar the density has one maximum at most (see pieces): below
// the density at 273.15 K a state lies where the density falls with T, and
// none on the rising side (which holds the densities above that one); one
// clearly colder than region 1's hot end is denser than the saturated liquid
// (no wet state, and regions 2 and 5 lie below rho'') and, 5 K below 623.15
// K, by more than the 1e-3 within which region 3 comes to region 1's density
// at 623.15 K.
std::optional<result> prho_liquid(double p, double rho, double& T_sat_known, int* count) {
  const double T0 = liquid_T_of_isobar(p, rho);
  if (!std::isfinite(T0)) return std::nullopt;
  constexpr double below_sat = 0.05, below_623 = 5.0;  // K
  const double T_hot = p < p_623 ? tsat_once(p, T_sat_known) - below_sat : if97::T_region1_max - below_623;
  return liquid_one_state({quantity::p, p}, {quantity::rho, rho}, T0, p, count,
                          [&](const if97::properties& pr) { return pr.T < T_hot; });
}

// (p, rho) where it has one state, region 2's steam: none (the search along
// the isobar decides) where the proof fails. Along region 2's isobars the
// density falls with T, by more than 1/T per kelvin ((dv/dT)_p > v / T,
// Z growing with T): one region-2 state at most. One 0.05 K above Tsat(p)
// (IAPWS-IF97 Eq. (31)) is less dense than the saturated vapour (the dome's
// and the liquid's densities above it); one 2 K above the B23 temperature
// (Eq. (6)) is less dense by 2e-3 than region 2's there, beyond the 2e-4
// within which region 3 comes to it; one 1 K below 1073.15 K is denser by
// 9e-4 than region 2's there, beyond the 1.3e-4 within which region 5 comes
// to it. Started from T = p / (rho R Z) with Z of the table.
std::optional<result> prho_steam(double p, double rho, double& T_sat_known, int* count) {
  if (!(1e3 * p / (rho * if97::R) < if97::T_region2_max)) return std::nullopt;  // Z < 1 in region 2
  constexpr double above_sat = 0.05, above_b23 = 2.0, below_region5 = 1.0;  // K
  const double T_lo = p < p_triple ? if97::T_min : p <= p_623 ? tsat_once(p, T_sat_known) : if97::tb23(p);
  const double T_above = p < p_triple ? T_lo : T_lo + (p <= p_623 ? above_sat : above_b23);
  // Where the table puts the state at T_lo or colder (the dome's, region
  // 3's, the liquid's), none here, before the polish.
  // Steam's Z is above 0.45 over region 2 (0.486 its least, by B23 at
  // 623.15 K): a denser target is the dome's, region 3's or the liquid's,
  // passed over before the table.
  constexpr double Z_least = 0.45;
  if (!(rho * if97::R * T_lo * Z_least < 1e3 * p)) return std::nullopt;
  const double T = steam_T_of_isobar(p, rho, T_lo);
  if (!(T > T_lo)) return std::nullopt;
  return steam_one_state({quantity::p, p}, {quantity::rho, rho}, T, p, count, [&](const if97::properties& pr) {
    return pr.T > T_above && pr.T < if97::T_region2_max - below_region5;
  });
}

// (p, rho): the first state along the isobar, lowest temperature first: the
// liquid of region 1, the two-phase state, region 3, regions 2 and 5.
result prho_first(double p_si, double rho, int* count) {
  const auto all = [&] { return prho_states(p_si, rho); };
  if (!std::isfinite(p_si) || !std::isfinite(rho) || !(p_si > 0.0) || !(p_si / Pa_per_MPa <= if97::p_max) ||
      !(rho > 0.0))
    return first_of(all(), count);
  const double p = p_si / Pa_per_MPa, v = 1.0 / rho;
  const target q{quantity::rho, rho};
  double T_sat_known = nan;
  if (const std::optional<result> liquid = prho_liquid(p, rho, T_sat_known, count)) return *liquid;
  if (const std::optional<result> steam = prho_steam(p, rho, T_sat_known, count)) return *steam;
  steps_taken = 0;
  pieces line{count, 1e-9 * rho, status::density_out_of_range};
  const auto point_at = [&](int region, const if97::properties& pr) {
    const gradient g = gradient_of(quantity::rho, region, pr);
    return point{1.0 / pr.v - rho, g.T, reproduces(quantity::rho, 1.0 / pr.v, rho)};
  };
  // Regions 1, 2 and 5 in T from T_lo to T_hi, their states there where
  // already evaluated; to hi_out the value at T_hi, or where T_hi is passed
  // over from T_lo the value at T_lo, as far from rho.
  const auto along = [&](int region, double T_lo, const if97::properties* lo_known, double T_hi,
                         const if97::properties* hi_known, point* hi_out = nullptr) {
    if (!line.more() || !(T_lo < T_hi)) return;
    const auto point_here = [&](const if97::properties& pr) { return point_at(region, pr); };
    if (beyond_monotone(region, lo_known, hi_known, line.margin, point_here)) {
      // Beyond from T_lo: the value there bounds the one at T_hi.
      if (hi_out && lo_known) *hi_out = point_at(region, *lo_known);
      return;
    }
    // The piece's values need v and (dv/dT)_p alone (from the sums of a
    // step, the same to the last bit); the state at the root is whole.
    const if97::properties at_lo = lo_known ? *lo_known : evaluate_for_step(region, T_lo, p, false);
    const if97::properties at_hi = hi_known ? *hi_known : evaluate_for_step(region, T_hi, p, false);
    const point f_lo = point_at(region, at_lo), f_hi = point_at(region, at_hi);
    if (hi_out) *hi_out = f_hi;
    const auto f = [&](double T) { return point_at(region, evaluate_for_step(region, T, p, false)); };
    line.add(f, T_lo, f_lo, T_hi, f_hi, [&](double lo, const point& a, double hi, const point& b) {
      // v, nearly linear in T (a gas's as the ideal gas's, a liquid's
      // expansion slow): the cubic through v and (dv/dT)_p, from rho.
      const double va = 1.0 / (a.f + rho), vb = 1.0 / (b.f + rho);
      const double T0 = cubic_start(lo, va - v, -va * va * a.slope, hi, vb - v, -vb * vb * b.slope);
      double T = nan;
      if (!piece_root(f, lo, a, hi, b, T0, T)) return detail::failure(status::not_converged);
      return detail::single_result({region, evaluate(region, T, p)});
    }, [&](int& k) {
      double Ts[4];
      k = isobar_roots(region, p, rho, T_lo, T_hi, Ts, 1);
      if (k == 0) return detail::failure(status::not_converged);
      return detail::single_result({region, evaluate(region, Ts[0], p)});
    });
  };
  saturation sat;
  double T_sat = nan;
  const bool wet = p >= p_triple && p < if97::p_c_sat;
  // Saturated steam is denser than the ideal gas at Tsat(p) (Eq. (31), within
  // 3e-11 K), its Z below 1: clearly below that density, the state is steam
  // of region 2 or 3, and the saturated states are not needed.
  const double T_s = wet ? tsat_once(p, T_sat_known) : nan;
  const bool steam = wet && rho < (1.0 - 1e-6) * 1e3 * p / (if97::R * T_s);
  if (wet && !steam) {
    if (!detail::saturation_of_pressure(p_si, sat)) return first_of(all(), count);
    T_sat = sat.T;
  }
  // Region 1 ends at T_sat or at 623.15 K; region 2 begins at T_sat or B23.
  // Its densities are none below its least, rho' at 623.15 K (its v grows
  // with T and falls with p).
  static const double rho_region1_min = 1.0 / if97::v1(p_623, if97::T_region1_max);
  const bool liquid_to_sat = T_sat <= if97::T_region1_max;
  const bool liquid = p >= p_triple && !(rho < (1.0 - 1e-9) * rho_region1_min);
  const if97::properties at_623 =
      liquid && !liquid_to_sat ? evaluate_for_step(1, if97::T_region1_max, p, false) : if97::properties{};
  const double T1_hi = liquid_to_sat ? T_sat : if97::T_region1_max;
  const if97::properties& at_T1_hi = liquid_to_sat ? sat.liquid.pr : at_623;
  // From 300 K region 1's density lies below its density at 273.15 K and the
  // same pressure: below it at the piece's end, the target lies below the
  // whole piece (one extremum at most).
  constexpr double T_below_cold = 300.0;  // K
  if (liquid && !(T1_hi >= T_below_cold && rho < (1.0 - 1e-9) / at_T1_hi.v))
    along(1, if97::T_min, nullptr, T1_hi, &at_T1_hi);
  if (wet && !steam) {
    const double vl = sat.liquid.pr.v, vv = sat.vapour.pr.v;
    line.add_two_phase(sat, 1.0 / vl, 1.0 / vv, rho, (v - vl) / (vv - vl));
  }
  // Above psat(623.15 K) the densities of region 3 lie below region 1's at
  // 623.15 K (within 2e-4 of region 3's there), region 2's below region 3's
  // and region 5's below region 2's: a rho above it by more than the band of
  // region 3 below has no state beyond region 1.
  if (p > p_623 && liquid && rho > (1.0 + 1e-3) / at_623.v) return line.done(all);
  // Region 2's density falls with T along the isobar: below region 5's
  // density at 1073.15 K by more than the two differ there (1.3e-4), regions
  // 2 and 3 hold no state, and region 5's piece begins at its own state
  // there (region 2 not evaluated, its equation four times the cost of
  // region 5's). Asked where the ideal gas of rho lies above 1073.15 K (Z of
  // steam below 1 there): the evaluation serves region 5's piece below too.
  if97::properties at_5_min{};
  const bool hot = p <= if97::p_region5_max && 1e3 * p / (rho * if97::R) > if97::T_region2_max;
  if (hot) {
    at_5_min = evaluate_for_step(5, if97::T_region2_max, p, false);
    if (rho < (1.0 - 1e-3) / at_5_min.v) {
      along(5, if97::T_region2_max, &at_5_min, if97::T_region5_max, nullptr);
      return line.done(all);
    }
  }
  const double T2_lo = p < p_triple ? if97::T_min : p <= p_623 ? (steam ? T_s : T_sat) : if97::tb23(p);
  const if97::properties at_T2_lo = p <= p_623 && wet && !steam ? sat.vapour.pr : evaluate_for_step(2, T2_lo, p, false);
  if (p > p_623 && line.more() && !(wet && !steam && rho <= 1.0 / sat.liquid.pr.v && rho >= 1.0 / sat.vapour.pr.v)) {
    // Region 3 holds the densities between region 1's at 623.15 K and
    // region 2's at B23, each within some 2e-4 of region 3's there: within
    // 1e-3 of them the search along the line decides.
    constexpr double band = 1e-3;
    const double v1 = liquid ? at_623.v : if97::v1(p, if97::T_region1_max), v2 = at_T2_lo.v;
    const double rho_1 = 1.0 / v1, rho_2 = 1.0 / v2;
    if (std::fabs(rho - rho_1) <= band * rho_1 || std::fabs(rho - rho_2) <= band * rho_2) {
      line.sure = false;
    } else if (rho < rho_1 && rho > rho_2) {
      // The polish from T where v, linear in T between region 3's ends,
      // reaches 1/rho (the search along the line polishes from 700 K).
      // Then Newton's steps on p along the isochore (isochore_start).
      const double T0 = if97::T_region1_max + (v - v1) / (v2 - v1) * (T2_lo - if97::T_region1_max);
      const start s0 = isochore_start(quantity::p, p, rho, T0);
      single st{};
      if (polish(3, {quantity::p, p}, q, s0.T, rho, st) && verdict_of(st).next == 3) {
        if (line.n == 0) {
          line.first = detail::single_result(st);
          line.polished = true;
        }
        ++line.n;
      } else {
        line.sure = false;
      }
    }
  }
  point at_1073{nan, nan, false};
  along(2, T2_lo, &at_T2_lo, if97::T_region2_max, nullptr, &at_1073);
  // Region 5 begins at region 2's density at 1073.15 K, within 1.3e-4 of it,
  // and its density falls with T: none where region 2's there lies below rho
  // by 1e-3 of it.
  if (p <= if97::p_region5_max && !(at_1073.f < -1e-3 * rho))
    along(5, if97::T_region2_max, hot ? &at_5_min : nullptr, if97::T_region5_max, nullptr);
  return line.done(all);
}

}  // namespace

int detail::last_polish_steps() noexcept { return steps_taken; }
int detail::last_line_evaluations() noexcept { return line_evaluations; }

result rhou(double rho, double u) noexcept { return flash_rho(rho, u, quantity::u); }
result rhoh(double rho, double h) noexcept { return flash_rho(rho, h, quantity::h); }
result rhos(double rho, double s) noexcept { return flash_rho(rho, s, quantity::s); }
result pu(double p, double u) noexcept { return pu_first(p, u); }

all_results prho_all(double p, double rho) noexcept { return prho_states(p, rho); }
all_results Th_all(double T, double h) noexcept { return T_states(T, h, quantity::h); }
all_results Ts_all(double T, double s) noexcept { return T_states(T, s, quantity::s); }
all_results hx_all(double h, double x) noexcept { return x_all(h, x, quantity::h); }
all_results sx_all(double s, double x) noexcept { return x_all(s, x, quantity::s); }

result prho(double p, double rho, int* count) noexcept { return prho_first(p, rho, count); }
result Th(double T, double h, int* count) noexcept { return T_first(T, h, quantity::h, count); }
result Ts(double T, double s, int* count) noexcept { return T_first(T, s, quantity::s, count); }
result hx(double h, double x, int* count) noexcept { return x_first(h, x, quantity::h, count); }
result sx(double s, double x, int* count) noexcept { return x_first(s, x, quantity::s, count); }

}  // namespace kviapws97::water
