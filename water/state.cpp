// The state functions of (p, T), (T, x), (p, x) and (T, rho), the saturated
// states of the forward equations, the region-3 density on a branch of an
// isotherm, and the assembly of results in SI units.
#include <cmath>
#include <initializer_list>
#include <limits>

#include "if97/constants.hpp"
#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region3.hpp"
#include "if97/region3_backward.hpp"
#include "if97/region4.hpp"
#include "if97/region5.hpp"
#include "if97/region_choice.hpp"
#include "if97/saturation.hpp"
#include "transport/conductivity.hpp"
#include "transport/range.hpp"
#include "transport/viscosity.hpp"
#include "water/internal.hpp"
#include "water/state.hpp"

namespace kviapws97::water {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double J_per_kJ = 1e3;
constexpr double Pa_per_MPa = 1e6;
constexpr double T_transport_max = transport::T_max;  // K

constexpr phase_values undefined{nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan};

phase single_phase_label(int region, double p, double T, double rho) {
  if (p > if97::p_c && T > if97::T_c) return phase::supercritical;
  switch (region) {
    case 1: return phase::liquid;
    case 3:
      if (T >= if97::T_c) return phase::vapour;
      return p > if97::p_c || rho > if97::rho_c ? phase::liquid : phase::vapour;
    default: return phase::vapour;
  }
}

// The phase's values of the groups asked for, NaN elsewhere, into out.
void si_values(const detail::single& s, outputs asked, phase_values& out) {
  const if97::properties& q = s.pr;
  const double rho = 1.0 / q.v;
  out = undefined;
  if (asks(asked, outputs::T | outputs::volumetric)) out.T = q.T;
  if (asks(asked, outputs::volumetric)) {
    out.p = Pa_per_MPa * q.p;
    out.rho = rho;
    out.v = q.v;
  }
  if (asks(asked, outputs::caloric)) {
    out.h = J_per_kJ * q.h;
    out.s = J_per_kJ * q.s;
    out.u = J_per_kJ * q.u;
  }
  if (asks(asked, outputs::heat)) {
    out.cp = J_per_kJ * q.cp;
    out.cv = J_per_kJ * q.cv;
    out.w = q.w;
  }
  if (asks(asked, outputs::transport) && q.T <= T_transport_max) {
    // The viscosity and conductivity together: they share the reduced state.
    const transport::viscosity_conductivity t =
        transport::enhancement_evaluated(q.p, q.T, s.region)
            // (drho/dp)_T = -rho^2 (dv/dp)_T, per Pa.
            ? transport::transport_of(q.T, rho, {q.cp, q.cv, -rho * rho * q.dv_dp / Pa_per_MPa, s.region == 3})
            : transport::transport_of(q.T, rho);
    out.mu = t.mu;
    out.lambda = t.lambda;
  }
}

// A single phase of region 1, 2 or 5 evaluated at least to extent e: s
// itself where it is, else its evaluation to e in `whole`.
const detail::single& completed(const detail::single& s, if97::extent e, detail::single& whole) {
  if (s.evaluated >= e || s.region == 3) return s;
  whole = s;
  whole.evaluated = e;
  switch (s.region) {
    case 1: whole.pr = if97::properties1(s.pr.p, s.pr.T, e); break;
    case 2: whole.pr = if97::properties2(s.pr.p, s.pr.T, e); break;
    default: whole.pr = if97::properties5(s.pr.p, s.pr.T, e); break;
  }
  return whole;
}

// The pressure and slope of a region-3 isotherm less the target pressure.
struct residual {
  double f;   // MPa
  double fp;  // MPa m3/kg
};

residual isotherm(double T, double rho, double p) {
  const if97::isotherm_point q = if97::p3_isotherm(T, rho);
  return {q.p - p, q.dp_drho};
}

// Whether the isotherm is convex (liquid branch) or concave (vapour branch)
// at rho, from the slope a little further on.
bool curved_as(double T, double rho, double fp, detail::branch b) {
  const double fp_next = if97::p3_isotherm(T, rho * (1.0 + 1e-6)).dp_drho;
  return b == detail::branch::liquid ? fp_next > fp : fp_next < fp;
}

constexpr double rho_search_max = 1500.0;  // kg/m3, beyond any region-3 state
// Below T_c by less than this the region-3 isotherm's loop about psat(T) is
// lost in rounding (the saturated states are one within about 1e-6 K).
constexpr double T_loop_lost = 1e-5;  // K
constexpr int max_density_steps = 200;

// Newton's iteration kept inside a bracket [lo, hi] of a rising root, p(T,
// lo) <= p <= p(T, hi): a step that would leave it bisects.
double root_in_bracket(double T, double p, double lo, double hi) {
  double rho = 0.5 * (lo + hi);
  for (int k = 0; k < max_density_steps; ++k) {
    const residual r = isotherm(T, rho, p);
    if (r.f == 0.0) return rho;
    if (r.f < 0.0) lo = rho;
    else hi = rho;
    double next = rho - r.f / r.fp;
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (std::fabs(next - rho) <= 1e-15 * rho || hi - lo <= 1e-15 * rho) return next;
    rho = next;
  }
  return nan;
}

// Newton's iteration from a start on the branch's far side of the root,
// where the branch is convex (liquid, from above) or concave (vapour, from
// below): every step then stays on that side, so it can neither pass the
// root nor reach another branch of the isotherm. The curvature is checked at
// every start: a start on the other branch's side of the loop (a liquid-like
// start for the vapour root, where the backward equations' boundary and
// psat(T) disagree by a few ulps of p) rises to the other branch's root and
// would end one step past it. The root found must lie on the branch asked
// for (rising, reached from a start curved as that branch is); else there is
// none (NaN).
double monotone_root(double T, double p, detail::branch b, double rho) {
  const bool liquid = b == detail::branch::liquid;
  double step = 2e-5;
  for (int k = 0;; ++k) {
    if (k == max_density_steps || !(rho > 0.0 && rho < rho_search_max)) return nan;
    const residual r = isotherm(T, rho, p);
    const bool far_side = liquid ? r.f > 0.0 : r.f < 0.0;
    if (far_side && r.fp > 0.0 && curved_as(T, rho, r.fp, b)) break;
    rho *= liquid ? 1.0 + step : 1.0 / (1.0 + step);
    step *= 2.0;
  }
  double far = rho;  // the last iterate on the far side of the root
  for (int k = 0; k < max_density_steps; ++k) {
    const residual r = isotherm(T, rho, p);
    if (liquid ? !(r.f > 0.0) : !(r.f < 0.0)) {
      // Past the root: where the branch's curvature turns before the root
      // (next to T_c, where the critical isotherm inflects at rho_c), a step
      // may pass it by far more than rounding (37 Pa at T_c - 3 ulps).
      // The root lies between the last two iterates.
      if (r.f == 0.0) return rho;
      const double root = liquid ? root_in_bracket(T, p, rho, far) : root_in_bracket(T, p, far, rho);
      return isotherm(T, root, p).fp > 0.0 ? root : nan;
    }
    const double delta = r.f / r.fp;
    // A rising root, not the loop's middle one. (Its curvature is not checked:
    // within 1e-6 K of T_c the root lies at the isotherm's inflection.)
    if (std::fabs(delta) <= 1e-15 * rho) return r.fp > 0.0 ? rho - delta : nan;
    far = rho;
    rho -= delta;
  }
  return nan;
}

// Newton's iteration kept inside a bracket, for the one root of an isotherm
// above the critical temperature.
double bracketed_root(double T, double p, double rho) {
  residual r = isotherm(T, rho, p);
  if (r.f == 0.0) return rho;
  double lo = rho, hi = rho;
  double step = 1e-4;
  for (int k = 0;; ++k) {
    if (k == max_density_steps) return nan;
    if (r.f < 0.0) {
      lo = hi;
      hi = std::fmin(hi * (1.0 + step), rho_search_max);
      r = isotherm(T, hi, p);
      if (r.f >= 0.0) break;
      if (hi == rho_search_max) return nan;
    } else {
      hi = lo;
      lo = lo / (1.0 + step);
      r = isotherm(T, lo, p);
      if (r.f <= 0.0) break;
    }
    step *= 2.0;
  }
  return root_in_bracket(T, p, lo, hi);
}

// Whether every value is finite: 0 a is 0 for a finite a and NaN for an
// infinite or NaN one, so the sum of the products is 0 exactly then, with
// one test rather than one per value.
template <class... V>
bool all_finite(V... a) {
  return ((0.0 * a) + ...) == 0.0;
}

// Whether a single-phase state is one of water: every property finite, p
// within the bounds of (p, T), positive heat capacities and speed of sound,
// and a pressure that rises with density ((dp/drho)_T > 0), which region 3's
// equation loses past its turn-over beyond 100 MPa. Supersaturated vapour
// (below_T_min) reaches below 273.15 K: IAPWS-IF97 Eq. (18) holds down to the
// 5 % equilibrium-moisture line from the triple-point pressure up (Section
// 6.2.2), 211 K there; its other bounds are those of (p, T).
bool physical(const detail::single& s, bool below_T_min = false) {
  const if97::properties& q = s.pr;
  if (!(all_finite(q.p, q.T) && q.T > 0.0)) return false;
  const double T_bounded = below_T_min ? std::fmax(q.T, if97::T_min) : q.T;
  if (detail::pT_bounds(Pa_per_MPa * q.p, T_bounded) != status::ok) return false;
  if (s.region == 5 && q.T < if97::T_region2_max) return false;
  // Of a state evaluated in part, what its evaluation formed. A normal v
  // (not subnormal) has a finite 1/v.
  if (s.evaluated >= if97::extent::volume && !(all_finite(q.v) && q.v >= std::numeric_limits<double>::min()))
    return false;
  if (s.evaluated >= if97::extent::caloric && !all_finite(q.h, q.s, q.u)) return false;
  if (s.evaluated < if97::extent::all) return true;
  return all_finite(q.cp, q.cv, q.w, q.dv_dp) && q.cp > 0.0 && q.cv > 0.0 && q.w > 0.0 && q.dv_dp < 0.0;
}

// The single-phase state of (p, T) in a region of (p, T).
bool single_at(int region, double p, double T, detail::single& out, if97::extent e = if97::extent::all) {
  out.region = region;
  out.evaluated = e;
  switch (region) {
    case 1: out.pr = if97::properties1(p, T, e); return true;
    case 2: out.pr = if97::properties2(p, T, e); return true;
    case 5: out.pr = if97::properties5(p, T, e); return true;
    default: {
      // The start on the branch's own side of the saturation line: the
      // backward equations' boundaries and psat(T) disagree next to the line,
      // where v3pt(p, T) gave a liquid-like start for the vapour branch.
      const detail::branch b = detail::branch_of(p, T);
      const double v_start = b == detail::branch::liquid   ? if97::v3pt_liq(p, T)
                             : b == detail::branch::vapour ? if97::v3pt_vap(p, T)
                                                           : if97::v3pt(p, T);
      double rho = detail::density3(T, p, b, 1.0 / v_start);
      // Within about 1e-6 K of T_c, where the saturated states are one, the
      // isotherm's loop is lost in rounding and a branch's search may find
      // no root: there its rising root next to rho_c (single_result checks
      // that it rises).
      if (!std::isfinite(rho) && b != detail::branch::single_root && T > if97::T_c - T_loop_lost)
        rho = bracketed_root(T, p, if97::rho_c);
      if (!std::isfinite(rho)) return false;
      out = detail::region3_at(T, rho);
      out.pr.p = p;  // the pressure asked for, which p(T, rho) reproduces to rounding
      return true;
    }
  }
}

// The pressure, MPa, at which a region of (p, T) has density rho at T:
// Newton's iteration on the density, which is nearly linear in p for a gas
// and nearly constant for a liquid, from p and kept within (0, p_max]. NaN
// where rho lies beyond the density at p_max.
//
// A liquid's density is so flat in p that its rounding (up to about 4e-14
// of rho in region 1) moves the pressure by more than 1e-15 of itself:
// there the steps stop shrinking, and the iterate of the smallest residual,
// within 1e-13 of rho, is the answer.
template <if97::properties (*Properties)(double, double)>
double pressure_of_density(double T, double rho, double p, double p_max) {
  if (1.0 / Properties(p_max, T).v < rho) return nan;
  const double f_rounding = 1e-13 * rho;
  double best_p = nan, best_f = std::numeric_limits<double>::infinity();
  double last_step = std::numeric_limits<double>::infinity();
  for (int k = 0; k < 100; ++k) {
    const if97::properties q = Properties(p, T);
    const double f = 1.0 / q.v - rho;
    if (std::fabs(f) < best_f) {
      best_f = std::fabs(f);
      best_p = p;
    }
    const double df_dp = -q.dv_dp / (q.v * q.v);
    double next = p - f / df_dp;
    if (!(next > 0.0)) next = 0.5 * p;
    if (next > p_max) next = 0.5 * (p + p_max);
    const double step = std::fabs(next - p);
    if (step <= 1e-15 * p) return next;
    if (step >= last_step && best_f <= f_rounding) return best_p;
    last_step = step;
    p = next;
  }
  return best_f <= f_rounding ? best_p : nan;
}

}  // namespace

namespace detail {

double p_triple_Pa() {
  static const double p = Pa_per_MPa * if97::psat(if97::T_min);
  return p;
}

status pressure_bounds(double p_Pa) {
  if (!(p_Pa > 0.0)) return status::pressure_not_positive;
  if (p_Pa < p_min_Pa) return status::pressure_below_min;
  if (p_Pa > p_max_Pa) return status::pressure_above_100MPa;
  return status::ok;
}

status pT_bounds(double p_Pa, double T) {
  if (!(p_Pa > 0.0)) return status::pressure_not_positive;
  if (p_Pa < p_min_Pa) return status::pressure_below_min;
  if (T < if97::T_min) return status::temperature_below_min;
  if (T > if97::T_region5_max) return status::temperature_above_max;
  if (p_Pa > p_max_Pa) return status::pressure_above_100MPa;
  if (T > if97::T_region2_max && p_Pa > Pa_per_MPa * if97::p_region5_max) return status::pressure_above_50MPa;
  return status::ok;
}

branch branch_of(double p, double T) {
  if (T >= if97::T_c) return branch::single_root;
  return p >= if97::psat(T) ? branch::liquid : branch::vapour;
}

double density3(double T, double p, branch b, double rho_start) {
  if (b == branch::single_root) return bracketed_root(T, p, rho_start);
  return monotone_root(T, p, b, rho_start);
}

namespace {

// Below this the saturated densities of IAPWS SR5-05's backward equations
// start Newton's iteration close enough to converge in two or three steps.
// Closer to T_c the loop of the isotherm narrows and the search of
// density3 takes over.
constexpr double T_saturated_newton_max = 646.0;  // K

// A saturated density of region 3 at (T, psat(T)): Newton's iteration from
// the backward equations' saturated volume (IAPWS SR5-05 Eq. (4)), taken
// when it converges within a few steps, each smaller than the last, to a
// rising root on its side of the critical density; else the monotone search
// of density3. From the backward volume one or two steps suffice.
double saturated_density(double T, double p, branch b, double start) {
  double rho = start;
  if (T <= T_saturated_newton_max) {
    double last = std::numeric_limits<double>::infinity();
    for (int k = 0; k < 5; ++k) {
      const residual r = isotherm(T, rho, p);
      const double delta = r.f / r.fp;
      if (!(std::fabs(delta) < last) || !(r.fp > 0.0)) break;
      // After a step of 1e-11 of rho, Newton's quadratic convergence leaves
      // an error far below the rounding of p(T, rho) itself.
      if (std::fabs(delta) <= 1e-11 * rho) {
        const double root = rho - delta;
        if (b == branch::liquid ? root > if97::rho_c : root < if97::rho_c) return root;
        break;
      }
      last = std::fabs(delta);
      rho -= delta;
    }
  }
  return density3(T, p, b, start);
}

}  // namespace

single region3_at(double T, double rho) { return {3, if97::properties3(T, 1.0 / rho)}; }

bool saturation_at(double p, double T, saturation& out, if97::extent e) {
  out.p = p;
  out.p_si = Pa_per_MPa * p;
  out.T = T;
  if (T <= if97::T_region1_max) {
    out.liquid = {1, if97::properties1(p, T, e), e};
    out.vapour = {2, if97::properties2(p, T, e), e};
    return true;
  }
  const double rho_liquid = saturated_density(T, p, branch::liquid, 1.0 / if97::v3pt_liq(p, T));
  const double rho_vapour = saturated_density(T, p, branch::vapour, 1.0 / if97::v3pt_vap(p, T));
  if (rho_liquid > rho_vapour) {
    out.liquid = region3_at(T, rho_liquid);
    out.vapour = region3_at(T, rho_vapour);
    return true;
  }
  // Within about 2e-6 K of T_c the loop of the region-3 isotherm no longer
  // reaches psat(T) beyond rounding: one root, the saturated phases are one.
  const double rho = bracketed_root(T, p, if97::rho_c);
  if (!std::isfinite(rho)) return false;
  out.liquid = out.vapour = region3_at(T, rho);
  return true;
}

bool saturation_at_T(double T, saturation& out) { return saturation_at(if97::psat(T), T, out); }

bool saturation_of_pressure(double p_si, saturation& out, if97::extent e) {
  const double p = p_si / Pa_per_MPa;
  // The triple point's pressure in Pa, through MPa, may come back an ulp
  // below psat(273.15 K): its temperature is still 273.15 K, not below.
  if (!saturation_at(p, std::fmax(saturation_temperature(p), if97::T_min), out, e)) return false;
  out.p_si = p_si;
  return true;
}

double saturation_temperature(double p) {
  // Eq. (31) is within 3e-11 K: Newton steps on psat, whose slope over
  // 1e-4 K is good to 1e-6, reach rounding in one or two.
  double T = if97::tsat(p);
  double f = if97::psat(T) - p;
  if (f == 0.0) return T;
  constexpr double dT = 1e-4;  // K
  const double slope = (if97::psat(T + dT) - (f + p)) / dT;
  for (int k = 0; k < 3 && f != 0.0; ++k) {
    T -= f / slope;
    f = if97::psat(T) - p;
  }
  // The temperature of the last bit: the one of T and its neighbours whose
  // psat lies nearest p, psat(T) == p where one exists.
  double best = T, best_f = std::fabs(f);
  for (const double t : {std::nextafter(T, 0.0), std::nextafter(T, 1e4)}) {
    if (best_f == 0.0) break;
    const double ft = std::fabs(if97::psat(t) - p);
    if (ft < best_f) {
      best = t;
      best_f = ft;
    }
  }
  return best;
}

result failure(status s) {
  result r{s, {}};
  static_cast<phase_values&>(r.state) = undefined;
  r.state.region = 0;
  r.state.phase = phase::liquid;
  r.state.x = nan;
  r.state.liquid = r.state.vapour = undefined;
  return r;
}

found found_failure(status s) {
  found f;
  f.status = s;
  f.two_phase = false;
  return f;
}

found found_single(const single& s) {
  found f;
  f.status = status::ok;
  f.two_phase = false;
  f.sat.liquid = s;
  return f;
}

found found_two_phase(const saturation& sat, double x) {
  found f;
  f.status = status::ok;
  f.two_phase = true;
  f.x = x;
  f.sat = sat;
  return f;
}

found pT_found(double p_Pa, double T, if97::extent e) {
  const double p = p_Pa / Pa_per_MPa;
  single s;
  if (!single_at(if97::region_of(p, T), p, T, s, e)) return found_failure(status::not_converged);
  return found_single(s);
}

if97::extent extent_of(outputs asked) {
  if (asks(asked, outputs::heat | outputs::transport)) return if97::extent::all;
  if (asks(asked, outputs::caloric)) return if97::extent::caloric;
  if (asks(asked, outputs::volumetric)) return if97::extent::volume;
  return if97::extent::none;
}

namespace {
result guarded_single_result(const single& s, bool below_T_min, outputs asked) {
  // The last guard of every single-phase state the functions return. One
  // result, filled in place.
  result r;
  single whole;
  const single& c = completed(s, extent_of(asked), whole);
  if (!physical(c, below_T_min)) {
    r = failure(status::not_converged);
    return r;
  }
  r.status = status::ok;
  si_values(c, asked, r.state);
  r.state.region = c.region;
  r.state.phase = single_phase_label(c.region, c.pr.p, c.pr.T, 1.0 / c.pr.v);
  r.state.x = nan;
  r.state.liquid = r.state.vapour = undefined;
  return r;
}

result two_phase_assembled(const saturation& sat, double x, outputs asked) {
  result r{status::ok, {}};
  state& st = r.state;
  const if97::extent e = extent_of(asked);
  single liquid_whole, vapour_whole;
  const single& liquid = completed(sat.liquid, e, liquid_whole);
  const single& vapour = completed(sat.vapour, e, vapour_whole);
  static_cast<phase_values&>(st) = undefined;
  if (asks(asked, outputs::saturated)) {
    // With no other group asked, the saturated phases whole.
    const bool alone = !asks(asked, outputs::volumetric | outputs::caloric | outputs::heat | outputs::transport);
    single liquid_all, vapour_all;
    si_values(alone ? completed(liquid, if97::extent::all, liquid_all) : liquid, alone ? outputs::all : asked,
              st.liquid);
    si_values(alone ? completed(vapour, if97::extent::all, vapour_all) : vapour, alone ? outputs::all : asked,
              st.vapour);
  } else {
    st.liquid = st.vapour = undefined;
  }
  const auto mix = [x](double a, double b) { return if97::mixture(a, b, x); };
  if (asks(asked, outputs::T | outputs::volumetric)) st.T = sat.T;
  if (asks(asked, outputs::volumetric)) {
    st.p = sat.p_si;
    st.v = mix(liquid.pr.v, vapour.pr.v);
    st.rho = 1.0 / st.v;
  }
  if (asks(asked, outputs::caloric)) {
    st.h = J_per_kJ * mix(liquid.pr.h, vapour.pr.h);
    st.s = J_per_kJ * mix(liquid.pr.s, vapour.pr.s);
    st.u = J_per_kJ * mix(liquid.pr.u, vapour.pr.u);
  }
  st.region = 4;
  st.phase = phase::two_phase;
  st.x = asks(asked, outputs::T) ? x : nan;
  return r;
}
}  // namespace

result assemble(const found& f, outputs asked) {
  if (!f) return failure(f.status);
  return f.two_phase ? two_phase_assembled(f.sat, f.x, asked) : guarded_single_result(f.one(), false, asked);
}

result single_result(const single& s) { return guarded_single_result(s, false, outputs::all); }

result metastable_result(const single& s) {
  result r = guarded_single_result(s, s.region == 2, outputs::all);
  r.metastable = r.status == status::ok;
  return r;
}

result two_phase_result(const saturation& sat, double x) { return two_phase_assembled(sat, x, outputs::all); }

}  // namespace detail

const char* status_text(status s) noexcept {
  switch (s) {
    case status::ok: return "ok";
    case status::not_finite: return "an input is NaN or infinite";
    case status::pressure_not_positive: return "pressure not above 0";
    case status::pressure_above_100MPa: return "pressure above 100 MPa";
    case status::pressure_above_50MPa: return "pressure above 50 MPa, the limit above 1073.15 K";
    case status::temperature_below_min: return "temperature below 273.15 K";
    case status::temperature_above_max: return "temperature above 2273.15 K (1073.15 K above 50 MPa)";
    case status::density_out_of_range:
      return "no state of the formulation has this density at this temperature (p above 100 MPa, or falling as "
             "rho rises)";
    case status::enthalpy_below_min: return "enthalpy below that at 273.15 K and this pressure";
    case status::enthalpy_above_max: return "enthalpy above that at 2273.15 K (1073.15 K above 50 MPa) and this pressure";
    case status::entropy_below_min: return "entropy below that at 273.15 K and this pressure";
    case status::entropy_above_max: return "entropy above that at 2273.15 K (1073.15 K above 50 MPa) and this pressure";
    case status::hs_out_of_range: return "no state of the formulation has this enthalpy and entropy";
    case status::quality_out_of_range: return "vapour fraction outside 0 to 1";
    case status::above_critical: return "no saturated states at or above the critical point (647.096 K, 22.064 MPa)";
    case status::below_triple: return "pressure below the saturation pressure at 273.15 K";
    case status::not_converged: return "the state was not found to the required accuracy";
    case status::unknown_quantity: return "no such quantity in this state";
    case status::no_derivative: return "no such derivative: the quantity held cannot vary independently of the variable";
    case status::phase_request_invalid: return "the phase asked for is neither liquid nor vapour";
    case status::vapour_above_10MPa: return "supersaturated vapour above 10 MPa, where IAPWS-IF97 Eq. (18) ends";
    case status::moisture_above_5_percent: return "supersaturated vapour past the 5 % equilibrium-moisture line";
    case status::superheat_above_bound:
      return "superheated liquid past 5 % equilibrium vapour fraction or 623.15 K";
    case status::pressure_below_min: return "pressure below 1e-3 Pa, the lowest served";
    case status::density_below_min: return "density below that of 1e-3 Pa, the lowest pressure served, at this temperature";
    case status::internal_energy_below_min: return "internal energy below that at 273.15 K";
    case status::internal_energy_above_max: return "internal energy above that at the highest temperature of the formulation";
    case status::no_state_of_pair: return "no state of the formulation has this pair of values";
    case status::dielectric_temperature_out_of_range:
      return "temperature outside 238 K to 873.15 K, the range of IAPWS R8-97";
    case status::dielectric_density_out_of_range: return "density outside 0 to 1250 kg/m3, the range of IAPWS R8-97";
    case status::refractive_temperature_out_of_range:
      return "temperature outside 261.15 K to 773.15 K, the range of IAPWS R9-97";
    case status::refractive_density_out_of_range: return "density outside 0 to 1060 kg/m3, the range of IAPWS R9-97";
    case status::wavelength_out_of_range: return "wavelength outside 0.2 um to 1.1 um, the range of IAPWS R9-97";
    case status::ionization_temperature_out_of_range:
      return "temperature outside 273.15 K to 1273.15 K, the range of IAPWS R11-24";
    case status::ionization_density_out_of_range: return "density outside 0 to 1250 kg/m3, the range of IAPWS R11-24";
    case status::henry_temperature_out_of_range: return "temperature outside the gas's data in IAPWS G7-04";
    case status::unknown_gas: return "not one of the 14 gases of IAPWS G7-04";
    case status::two_phase_state: return "a two-phase state has no single value; use its liquid or vapour";
  }
  return "unknown status";
}

const char* phase_text(phase p) noexcept {
  switch (p) {
    case phase::liquid: return "liquid";
    case phase::vapour: return "vapour";
    case phase::supercritical: return "supercritical";
    case phase::two_phase: return "two-phase";
  }
  return "unknown phase";
}

namespace detail {

found pT_search(double p, double T, if97::extent e) {
  if (!all_finite(p, T)) return found_failure(status::not_finite);
  if (const status s = pT_bounds(p, T); s != status::ok) return found_failure(s);
  return pT_found(p, T, e);
}

found Tx_search(double T, double x, if97::extent e) {
  if (!all_finite(T, x)) return found_failure(status::not_finite);
  if (!(x >= 0.0 && x <= 1.0)) return found_failure(status::quality_out_of_range);
  if (T < if97::T_min) return found_failure(status::temperature_below_min);
  if (T >= if97::T_c) return found_failure(status::above_critical);
  // The states of psat(T) in Pa, as a flash of that pressure finds them; their
  // temperature is T to a few units of its last bit.
  saturation sat;
  if (!saturation_of_pressure(Pa_per_MPa * if97::psat(T), sat, e)) return found_failure(status::not_converged);
  return found_two_phase(sat, x);
}

found px_search(double p, double x, if97::extent e) {
  if (!all_finite(p, x)) return found_failure(status::not_finite);
  if (!(x >= 0.0 && x <= 1.0)) return found_failure(status::quality_out_of_range);
  if (const status s = pressure_bounds(p); s != status::ok) return found_failure(s);
  // In Pa, as (T, x) reports psat(273.15 K): (p, x) accepts that state.
  if (p < p_triple_Pa()) return found_failure(status::below_triple);
  if (p / Pa_per_MPa >= if97::p_c_sat) return found_failure(status::above_critical);
  saturation sat;
  if (!saturation_of_pressure(p, sat, e)) return found_failure(status::not_converged);
  // Within an ulp of p_c_sat the saturation temperature is T_c, where (T, x)
  // serves no state.
  if (sat.T >= if97::T_c) return found_failure(status::above_critical);
  return found_two_phase(sat, x);
}

}  // namespace detail

result pT(double p, double T, outputs asked) noexcept {
  result r = detail::assemble(detail::pT_search(p, T, detail::extent_of(asked)), asked);
  if (r && asks(asked, outputs::volumetric)) r.state.p = p;  // the caller's, which Pa -> MPa -> Pa may move by an ulp
  return r;
}

result pT(double p, double T) noexcept { return pT(p, T, outputs::all); }

result Tx(double T, double x, outputs asked) noexcept {
  return detail::assemble(detail::Tx_search(T, x, detail::extent_of(asked)), asked);
}

result Tx(double T, double x) noexcept { return Tx(T, x, outputs::all); }

result px(double p, double x, outputs asked) noexcept {
  return detail::assemble(detail::px_search(p, x, detail::extent_of(asked)), asked);
}

result px(double p, double x) noexcept { return px(p, x, outputs::all); }

namespace {

detail::found Trho_found(double T, double rho) {
  using detail::found_failure;
  if (!all_finite(T, rho)) return found_failure(status::not_finite);
  if (!(rho > 0.0)) return found_failure(status::density_out_of_range);
  if (T < if97::T_min) return found_failure(status::temperature_below_min);
  if (T > if97::T_region5_max) return found_failure(status::temperature_above_max);
  // Far below the lowest pressure's density the ideal gas decides at once
  // (and keeps the search out of subnormal pressures); near it, the pressure
  // found does.
  if (if97::R * T * rho < 0.5e-3 * detail::p_min_Pa) return found_failure(status::density_below_min);  // in kPa
  const double out_of_range = nan;
  double p = out_of_range;
  int region = 0;
  if (T < if97::T_c) {
    detail::saturation sat;
    if (!detail::saturation_at_T(T, sat)) return found_failure(status::not_converged);
    const double rho_liquid = 1.0 / sat.liquid.pr.v, rho_vapour = 1.0 / sat.vapour.pr.v;
    if (rho < rho_liquid && rho > rho_vapour)
      return detail::found_two_phase(sat, (1.0 / rho - sat.liquid.pr.v) / (sat.vapour.pr.v - sat.liquid.pr.v));
    if (rho == rho_liquid) return detail::found_single(sat.liquid);
    if (rho == rho_vapour) return detail::found_single(sat.vapour);
    if (T <= if97::T_region1_max) {
      region = rho > rho_liquid ? 1 : 2;
      p = region == 1 ? pressure_of_density<if97::properties1>(T, rho, sat.p, if97::p_max)
                      : pressure_of_density<if97::properties2>(T, rho, sat.p * rho / rho_vapour, sat.p);
    } else if (rho > rho_liquid || if97::p3_isotherm(T, rho).p > if97::pb23(T)) {
      region = 3;
    } else {
      region = 2;
      p = pressure_of_density<if97::properties2>(T, rho, sat.p * rho / rho_vapour, sat.p);
    }
  } else if (T <= if97::T_b23_max && if97::p3_isotherm(T, rho).p >= if97::pb23(T)) {
    region = 3;
  } else {
    region = T <= if97::T_region2_max ? 2 : 5;
    // Region 2 ends at the B23 line up to 863.15 K: beyond it its equation
    // is extrapolated into region 3, where the search must not go.
    const double p_max = region == 5 ? if97::p_region5_max : T <= if97::T_b23_max ? if97::pb23(T) : if97::p_max;
    const double p_ideal = 1e-3 * if97::R * T * rho;  // MPa
    const double p_start = std::fmin(p_ideal, p_max);
    p = region == 2 ? pressure_of_density<if97::properties2>(T, rho, p_start, p_max)
                    : pressure_of_density<if97::properties5>(T, rho, p_start, p_max);
  }
  if (region == 3) {
    // Past the 100 MPa isobar region 3's equation turns over: p falls with
    // rho and then goes negative (Trho(630 K, 1100 kg/m3) had p = -6.8 GPa).
    const detail::single s = detail::region3_at(T, rho);
    if (!(s.pr.p > 0.0 && s.pr.p <= if97::p_max && s.pr.dv_dp < 0.0))
      return found_failure(status::density_out_of_range);
    return detail::found_single(s);
  }
  if (!std::isfinite(p)) return found_failure(status::density_out_of_range);
  if (Pa_per_MPa * p < detail::p_min_Pa) return found_failure(status::density_below_min);
  detail::single s;
  single_at(region, p, T, s);
  return detail::found_single(s);
}

}  // namespace

result Trho(double T, double rho, outputs asked) noexcept { return detail::assemble(Trho_found(T, rho), asked); }
result Trho(double T, double rho) noexcept { return Trho(T, rho, outputs::all); }

}  // namespace kviapws97::water
