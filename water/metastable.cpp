// The phase requests of the state functions: pT, ph and ps with the phase
// asked for. On the asked phase's stable side they are the two-argument
// functions; beyond the saturation line they give that phase's metastable
// state, supersaturated vapour by IAPWS-IF97 Eq. (18) (Section 6.2.2) or
// superheated liquid by region 1's Eq. (7), within the bounds of
// water/state.hpp, and a status naming the bound beyond them.
#include <cmath>
#include <limits>

#include "if97/constants.hpp"
#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region2_metastable.hpp"
#include "if97/region4.hpp"
#include "if97/saturation.hpp"
#include "water/internal.hpp"
#include "water/state.hpp"

namespace kviapws97::water {
namespace {

using detail::saturation;
using detail::single;

constexpr double Pa_per_MPa = 1e6;
constexpr double J_per_kJ = 1e3;

// IF97 does not vouch for region 1 far into the superheated liquid (Section
// 5.2.1: "reasonable values close to the saturated-liquid line"). Its bound
// mirrors the release's for the vapour: 5 % equilibrium vapour fraction at
// the state's (p, h), and region 1's own 623.15 K. See README.md.
constexpr double superheat_vapour_fraction_max = 0.05;

bool requestable(phase asked) { return asked == phase::liquid || asked == phase::vapour; }

// h' and h'' (kJ/kg) of p (MPa) at Tsat(p), regions 1 and 2 up to
// psat(623.15 K): what the bounds of both phases need.
struct saturated_h {
  double liquid, vapour;
};
saturated_h saturated_enthalpies(double p) {
  const double T = detail::saturation_temperature(p);
  return {if97::h1(p, T), if97::h2(p, T)};
}
// The lowest h of supersaturated vapour, the 5 % equilibrium-moisture line,
// and the highest of superheated liquid.
double h_vapour_min(const saturated_h& sat) {
  return if97::mixture(sat.liquid, sat.vapour, 1.0 - if97::metastable_moisture_max);
}
double h_liquid_max(const saturated_h& sat) {
  return if97::mixture(sat.liquid, sat.vapour, superheat_vapour_fraction_max);
}

// The failure of an asked phase where no saturation line of p bounds it
// (at and above the critical pressure, below the triple-point pressure).
result beyond_line(double p_pa, phase asked) {
  if (p_pa < detail::p_triple_Pa()) return detail::failure(status::below_triple);
  return detail::failure(asked == phase::vapour ? status::vapour_above_10MPa : status::superheat_above_bound);
}

// The asked phase beyond the saturation line at (p, T), p in Pa.
result supersaturated_pT(double p_pa, double T) {
  const double p = p_pa / Pa_per_MPa;
  if (p > if97::p_metastable_max) return detail::failure(status::vapour_above_10MPa);
  if (p_pa < detail::p_triple_Pa()) return detail::failure(status::below_triple);
  const single s{2, if97::properties2m(p, T)};
  if (!(s.pr.h >= h_vapour_min(saturated_enthalpies(p)))) return detail::failure(status::moisture_above_5_percent);
  return detail::metastable_result(s);
}

result superheated_pT(double p_pa, double T) {
  const double p = p_pa / Pa_per_MPa;
  if (p_pa < detail::p_triple_Pa()) return detail::failure(status::below_triple);
  // T > Tsat(p): p < psat(623.15 K) where T <= 623.15 K.
  if (T > if97::T_region1_max) return detail::failure(status::superheat_above_bound);
  const single s{1, if97::properties1(p, T)};
  if (!(s.pr.h <= h_liquid_max(saturated_enthalpies(p)))) return detail::failure(status::superheat_above_bound);
  return detail::metastable_result(s);
}

// The quantity of a flash at constant pressure with a phase request.
struct enthalpy {
  static constexpr bool by_entropy = false;
  static result stable(double p, double h) { return water::ph(p, h); }
  static double of(const if97::properties& q) { return q.h; }
};
struct entropy {
  static constexpr bool by_entropy = true;
  static result stable(double p, double s) { return water::ps(p, s); }
  static double of(const if97::properties& q) { return q.s; }
};

template <class Q>
result flash_asked(double p_pa, double q_si, phase asked) {
  if (!requestable(asked)) return detail::failure(status::phase_request_invalid);
  const double p = p_pa / Pa_per_MPa;
  if (!std::isfinite(p_pa) || !std::isfinite(q_si) || !(p > 0.0)) return Q::stable(p_pa, q_si);
  const bool vapour = asked == phase::vapour;
  if (p >= if97::p_c_sat || p_pa < detail::p_triple_Pa()) {
    // No saturation line at p: the stable state, where it is of the phase asked for.
    result r = Q::stable(p_pa, q_si);
    if (!r || r.state.phase == asked || r.state.phase == phase::supercritical) return r;
    return beyond_line(p_pa, asked);
  }
  saturation sat;
  if (!detail::saturation_of_pressure(p_pa, sat)) return detail::failure(status::not_converged);
  const double q = q_si / J_per_kJ;
  if (vapour ? q >= Q::of(sat.vapour.pr) : q <= Q::of(sat.liquid.pr)) {
    // The stable side: the two-argument flash, whose states within rounding
    // of the line are two-phase; there the saturated phase asked for.
    result r = Q::stable(p_pa, q_si);
    if (r.status == status::ok && r.state.phase == phase::two_phase)
      return detail::single_result(vapour ? sat.vapour : sat.liquid);
    return r;
  }
  // Beyond the line: the asked phase's equation, from Tsat(p).
  single s;
  if (vapour) {
    if (p > if97::p_metastable_max) return detail::failure(status::vapour_above_10MPa);
    const double h_min = h_vapour_min(saturated_enthalpies(p));
    if ((!Q::by_entropy && q < h_min) ||
        !detail::polish_on_isobar(detail::isobar_equation::metastable_vapour, Q::by_entropy, p, q, sat.T, s) ||
        !(s.pr.h >= h_min))
      return detail::failure(status::moisture_above_5_percent);
    return detail::metastable_result(s);
  }
  if (sat.T > if97::T_region1_max) return detail::failure(status::superheat_above_bound);
  const double h_max = h_liquid_max(saturated_enthalpies(p));
  if ((!Q::by_entropy && q > h_max) ||
      !detail::polish_on_isobar(detail::isobar_equation::region1, Q::by_entropy, p, q, sat.T, s) ||
      !(s.pr.h <= h_max && s.pr.T <= if97::T_region1_max))
    return detail::failure(status::superheat_above_bound);
  return detail::metastable_result(s);
}

}  // namespace

result pT(double p, double T, phase asked) noexcept {
  if (!requestable(asked)) return detail::failure(status::phase_request_invalid);
  const double p_mpa = p / Pa_per_MPa;
  // Where pT fails for a bound above (p, T), the same failure.
  if (!std::isfinite(p) || !std::isfinite(T) || !(p_mpa > 0.0) || p_mpa > if97::p_max || T > if97::T_region5_max)
    return pT(p, T);
  // The stable phase as pT labels it: vapour below psat(T) and from T_c up,
  // liquid from psat(T) up (on the line too); no phase is metastable in the
  // supercritical fluid.
  const double p_line = T < if97::T_c ? if97::psat(T) : std::numeric_limits<double>::infinity();
  const bool vapour_stable = p_mpa < p_line;
  if ((p_mpa > if97::p_c && T > if97::T_c) || (asked == phase::vapour) == vapour_stable) return pT(p, T);
  if (asked == phase::liquid) return superheated_pT(p, T);
  if (p_mpa == p_line && T >= if97::T_min) {
    // On the saturation line, where pT gives the liquid: the saturated vapour.
    saturation line;
    if (!detail::saturation_at(p_mpa, T, line)) return detail::failure(status::not_converged);
    return detail::single_result(line.vapour);
  }
  return supersaturated_pT(p, T);
}

result ph(double p, double h, phase asked) noexcept { return flash_asked<enthalpy>(p, h, asked); }
result ps(double p, double s, phase asked) noexcept { return flash_asked<entropy>(p, s, asked); }

}  // namespace kviapws97::water
