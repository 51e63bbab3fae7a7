#include "adapter/state_settling.hpp"

#include "adapter/kviapws97.h"
#include "host/host.h"
#include "if97/saturation.hpp"

namespace kviapws97 {
namespace {

constexpr std::int64_t region_saturation = 4;

// IAPWS-IF97 Eq. (5), in Pa.
double pb23(double T) { return if97::pb23(T) * pa_per_mpa; }

// A host that never ends its search must not hang the library: after this
// many exchanges the trial volume is taken as the root.
constexpr int max_search_exchanges = 1000;

using root_search = void (*)(int64_t*, const int64_t*, const double*, const double*, const double*, const double*,
                             const double*, double*, const double*, const double*, const char*, void*);

}  // namespace

double property(eos_request& r, std::int32_t code, double T, double P, double V, std::int64_t region) {
  double result = 0.0;
  KVIAPWS_IF97PROP(&T, &P, &V, &code, &r.phase, &region, r.component, &result, r.error);
  return result;
}

double vapour_pressure(eos_request& r, double T) {
  return property(r, KVIAPWS97_PSAT, T, 0.0, 0.0, region_saturation);
}

void settle_bounds_and_region(eos_request& r) {
  // The caller's state is in range below both upper bounds of its temperature.
  // At or above 2273.15 K the pressure is moved, with warning 4, only when it
  // exceeds 5e7 Pa: a lower pressure is within its bound, and the temperature
  // is what the phase checks below move.
  const bool in_range =
      (r.P < P_upper_low_T && r.T < T_upper_low_T) || (r.P < P_upper_high_T && r.T < T_upper_high_T);
  const double bound = r.T < T_upper_low_T ? P_upper_low_T : P_upper_high_T;
  if (!in_range && (r.T < T_upper_high_T || r.P >= P_upper_high_T)) {
    warn(r.source, 4, r.component, r.P, bound);
    r.Pe = r.Te < T_upper_low_T ? P_upper_low_T : P_upper_high_T;
  }

  if (r.vapour()) {
    const bool vapour_in_range =
        (r.Pe <= P_upper_low_T && r.T <= T_upper_low_T) || (r.Pe <= P_upper_high_T && r.T <= T_upper_high_T);
    if (!vapour_in_range) {
      const double T_bound = r.Pe > P_upper_high_T ? T_upper_low_T : T_upper_high_T;
      warn(r.source, 8, r.component, r.T, T_bound);
      r.Te = T_bound;
    } else if (r.T <= T_crit && r.Pe > r.Psat) {
      warn(r.source, 7, r.component, r.P, r.Psat);
      r.Pe = r.Psat;
    }
  } else {
    if (r.T > T_crit) {
      warn(r.source, 5, r.component, r.T);
      r.Te = T_crit;
      r.Psat = P_crit;
    }
    if (r.Pe < r.Psat) {
      warn(r.source, 6, r.component, r.P, r.Psat);
      r.Pe = r.Psat;
      r.raised = true;
    }
  }
  decide_region(r);
}

void decide_region(eos_request& r) {
  const double p_b23 = pb23(r.Te);
  if (r.vapour()) {
    if (r.Te > if97::T_region1_max && r.Te < if97::T_b23_max && r.Pe > p_b23) {
      r.region = 3;
      r.V_bound1 = V_densest;
      r.V_bound2 = V_densest;
      if (r.Te >= T_crit) {
        r.mode = 2;
      } else {
        // The vapour root lies below the region-2 volume on the B23 line.
        r.mode = 5;
        r.V = property(r, KVIAPWS97_VOLUME, r.Te, p_b23, r.V, 2);
      }
    } else if (r.Te > T_upper_low_T && r.Te <= T_upper_high_T && r.Pe <= P_upper_high_T) {
      r.region = 5;
    } else {
      r.region = 2;
    }
    return;
  }
  if (r.Te <= if97::T_region1_max) {
    r.region = 1;
    return;
  }
  r.region = 3;
  r.V_bound1 = V_densest;
  r.V_bound2 = V_crit;
  r.mode = r.Te >= T_crit ? 2 : 1;
}

void search_volume(eos_request& r) {
  const double dV = (r.phase % 2 != 0 ? -1.0 : 1.0) * 5e-7;  // m3/kmol, (-1)^phase 5e-7
  std::int64_t status = 4;
  KVUTL_ROOTFL[r.vapour() ? 1 : 0] = -1;
  // Every phase but 1 is liquid.
  root_search routine = r.vapour() ? KVUTL_VAPRT : KVUTL_LIQRT;

  for (int exchange = 0; exchange < max_search_exchanges; ++exchange) {
    routine(&status, &r.mode, &r.V_bound1, &V_crit, &r.V_bound2, &r.Te, &r.Pe, &r.V, &r.p_trial, &r.dpdv_trial,
            r.routine_id, r.component);
    if (status == 4 || status == 5) break;
    if (status < 1 || status > 3) {
      // No root of this kind: the vapour-like search hands over to the liquid-like one.
      if (routine == KVUTL_VAPRT) {
        routine = KVUTL_LIQRT;
        continue;
      }
    }
    if (r.mode != 2) {
      const double p_below = property(r, KVIAPWS97_PRESSURE, r.Te, r.Pe, r.V - dV, 3);
      r.p_trial = property(r, KVIAPWS97_PRESSURE, r.Te, r.Pe, r.V, 3);
      r.dpdv_trial = (r.p_trial - p_below) / dV;
    } else {
      r.p_trial = property(r, KVIAPWS97_PRESSURE, r.Te, r.Pe, r.V, 3);
    }
    // The routine that asked for the pressure gets it, also the liquid-like
    // search that took over from a vapour-like one without a root.
  }
  KVUTL_ROOTFL[0] = 0;
  KVUTL_ROOTFL[1] = 0;
}

}  // namespace kviapws97
