// What KVIAPWS_ES15D and KVIAPWS_FDREGION share: the bounds of the
// formulation, the phase checks, the region decision and the region-3 volume
// search with the host's root-search routines.
#pragma once

#include <cstdint>

#include "adapter/warnings.hpp"

namespace kviapws97 {

inline constexpr double T_lower = 273.15;                  // K, lowest temperature evaluated
inline constexpr double T_crit = 647.096;                  // K
inline constexpr double P_crit = 22063999.9998894;         // Pa, IF97_PSAT at T_crit
inline constexpr double P_upper_low_T = 1e8;               // Pa, up to 1073.15 K
inline constexpr double T_upper_low_T = 1073.15;           // K
inline constexpr double P_upper_high_T = 5e7;              // Pa, up to 2273.15 K
inline constexpr double T_upper_high_T = 2273.15;          // K
inline constexpr double T_region1_max = 623.15;            // K
inline constexpr double T_b23_max = 863.15;                // K
inline constexpr double V_crit = 0.055947826086956524;     // m3/kmol, 18.0152/322
inline constexpr double V_densest = 0.016784347826086957;  // m3/kmol, 0.3 V_crit

// A request being settled: the caller's state, the state evaluated and the
// IF97 region chosen for it.
struct eos_request {
  warning_source source;
  const char* routine_id;  // four 8-character words for the root search
  double T, P;             // the caller's state
  std::int64_t phase;      // 1 vapour; every other value is treated as liquid
  void* component;
  std::int64_t* error;

  double Te = 0.0, Pe = 0.0;  // the state evaluated
  double Psat = 0.0;          // vapour pressure at Te, Pa
  double V = 0.0;             // working molar volume, m3/kmol
  double p_trial = 0.0;       // pressure at the trial volume, Pa
  double dpdv_trial = 0.0;    // its volume derivative
  int region = 0;             // IF97 region 1, 2, 3 or 5
  bool raised = false;        // a liquid's pressure was raised to its vapour pressure
  std::int64_t mode = 0;      // root-search mode
  double V_bound1 = 0.0, V_bound2 = 0.0;

  bool vapour() const { return phase == 1; }
};

// One value from KVIAPWS_IF97PROP for the request's phase and component.
double property(eos_request& r, std::int32_t code, double T, double P, double V, std::int64_t region);

// The vapour pressure at Te (code 11), Pa.
double vapour_pressure(eos_request& r, double T);

// The bounds of the formulation on the caller's (T, P), then the phase checks:
// moves Te and Pe with warnings 4 to 8 and decides the region.
void settle_bounds_and_region(eos_request& r);

// The region decision at (Te, Pe) for the request's phase, with the set-up of
// a region-3 search.
void decide_region(eos_request& r);

// The region-3 volume search by the host's root-search routines. On return V
// is the root and p_trial the pressure there; the root flags are 0 again.
void search_volume(eos_request& r);

}  // namespace kviapws97
