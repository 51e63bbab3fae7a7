// What KVIAPWS_ES15D and KVIAPWS_FDREGION share: the bounds of the
// formulation, the phase checks, the region decision and the region-3 volume
// search with the host's root-search routines.
#pragma once

#include <cstdint>

#include "adapter/host_units.hpp"
#include "adapter/warnings.hpp"
#include "if97/constants.hpp"

namespace kviapws97 {

// The bounds of IAPWS-IF97 in host units.
inline constexpr double T_lower = if97::T_min;                          // K, lowest temperature evaluated
inline constexpr double T_crit = if97::T_c;                             // K
inline constexpr double P_crit = pa_per_mpa * if97::p_c_sat;            // Pa, the saturation pressure at T_crit
inline constexpr double P_upper_low_T = pa_per_mpa * if97::p_max;       // Pa, up to 1073.15 K
inline constexpr double T_upper_low_T = if97::T_region2_max;            // K
inline constexpr double P_upper_high_T = pa_per_mpa * if97::p_region5_max;  // Pa, up to 2273.15 K
inline constexpr double T_upper_high_T = if97::T_region5_max;           // K
inline constexpr double V_crit = molar_mass / if97::rho_c;              // m3/kmol
inline constexpr double V_densest = 0.3 * V_crit;                       // m3/kmol, where the volume search starts

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
