// Whether a polished single-phase state keeps the bounds of its region, for
// the flashes of water/flash.cpp and water/flash_pairs.cpp: the regions'
// bounds of IAPWS-IF97 (Fig. 1: 623.15 K, B23 of Eqs. (5) and (6), 1073.15 K,
// 2273.15 K and 50 MPa) and the saturation line of Eq. (30).
#include <cmath>

#include "if97/constants.hpp"
#include "if97/saturation.hpp"
#include "water/internal.hpp"

namespace kviapws97::water::detail {

region_verdict region_verdict_of(const single& st, const verdict_tolerance& tol) {
  const double p = st.pr.p, T = st.pr.T;
  // Beyond a bound by more than the relative accuracy of the comparison.
  const auto over = [](double x, double bound, double rel) { return x > bound * (1.0 + rel); };
  const auto under = [](double x, double bound, double rel) { return x < bound * (1.0 - rel); };
  const auto over_T = [&](double x, double bound) { return over(x, bound, tol.T_rel); };
  const auto under_T = [&](double x, double bound) { return under(x, bound, tol.T_rel); };
  const auto over_p = [&](double x, double bound) { return over(x, bound, tol.p_rel); };

  if (!(p >= tol.p_min_MPa) || under_T(T, if97::T_min) || over_p(p, if97::p_max)) return {outside_formulation};
  // Region 2's equation extrapolated beyond 1073.15 K may send on to region
  // 5, however hot: its temperature there says nothing.
  if (over_T(T, if97::T_region5_max) && !(tol.region2_on_to_5 && st.region == 2)) return {outside_formulation};
  switch (st.region) {
    case 1: {
      // Below psat(T), given only where T < T_c (Eq. (30) ends there).
      const auto under_psat = [&] { return under(p, if97::psat(T), tol.psat_rel); };
      // Where the dome is checked up to T_c, a state under the saturation
      // line there is two-phase, not one beyond 623.15 K.
      if (over_T(T, if97::T_region1_max) && !(tol.dome_to_T_c && T < if97::T_c && under_psat()))
        return {3, T - if97::T_region1_max};
      return {under_psat() ? inside_saturation_line : 1};
    }
    case 2:
      if (over_T(T, if97::T_region2_max))
        return {over_p(p, if97::p_region5_max) ? outside_formulation : 5, T - if97::T_region2_max};
      if (T <= if97::T_region1_max) return {over(p, if97::psat(T), tol.psat_rel) ? inside_saturation_line : 2};
      // B23 ties p to T: its pressure is compared to T's accuracy.
      if (T < if97::T_b23_max && over_T(p, if97::pb23(T))) return {3, if97::tb23(p) - T};
      return {2};
    case 3: {
      if (tol.dome_to_T_c) {
        // Inside the saturation line first: a state there, a little below
        // 623.15 K too, is two-phase, not one beyond the region's bound.
        if (!(st.pr.dv_dp < 0.0)) return {inside_saturation_line};
        if (T < if97::T_c) {
          saturation sat;
          if (!saturation_at_T(T, sat)) return {outside_formulation};
          const double v = st.pr.v;
          if (v > sat.liquid.pr.v && v < sat.vapour.pr.v) return {inside_saturation_line};
        }
      }
      if (under_T(T, if97::T_region1_max)) return {1, if97::T_region1_max - T};
      // A pressure above 100 MPa by no more than its accuracy lies on it.
      if (over_T(T, if97::T_b23_max) || under_T(p, if97::pb23(T)))
        return {2, T - if97::tb23(std::fmin(p, if97::p_max))};
      return {3};
    }
    default:
      if (under_T(T, if97::T_region2_max)) return {2, if97::T_region2_max - T};
      return {over_p(p, if97::p_region5_max) ? outside_formulation : 5};
  }
}

}  // namespace kviapws97::water::detail
