// The invariants of a state that the C shim (kviapws97/water.h) returns with
// status 0, shared by the tests and the shim's fuzz target: every value
// finite, p and T within the bounds of IAPWS-IF97 (and of the lowest pressure
// served), region 5 only from 1073.15 K, rho v = 1, u = h - p v, x in [0, 1]
// exactly when two-phase, and the (p, h) and (p, s) flashes of the state
// return it.
#pragma once

#include <cmath>

#include "if97/constants.hpp"
#include "if97/saturation.hpp"
#include "water/kviapws97/water.h"

namespace kvtest {

inline constexpr double p_min_served = 1e-3;         // Pa, README "Bounds"
inline constexpr double T_transport_max = 1173.15;  // K, IAPWS R12-08 and R15-11

// The distance in T (K) of (p, T) from the nearest boundary where IF97's
// region equations overlap or leave a gap: 1073.15 K (regions 2 and 5), and
// above psat(623.15 K) the 623.15 K isotherm (1 and 3) and B23 (2 and 3).
// There (p, h) may have a state in each region, up to 61 mK apart.
inline double band_distance(double p_pa, double T) {
  const double p = p_pa / 1e6;
  double d = std::fabs(T - if97::T_region2_max);
  if (p > if97::psat(if97::T_region1_max))
    d = std::fmin(d, std::fmin(std::fabs(T - if97::T_region1_max), std::fabs(T - if97::tb23(p))));
  return d;
}

// Why a state returned with status 0 is no state of water, or nullptr.
inline const char* unphysical(const kviapws97_state& s) {
  for (const double a : {s.p, s.T, s.rho, s.v, s.h, s.s, s.u})
    if (!std::isfinite(a)) return "a value of the state is not finite";
  if (!(s.p >= p_min_served)) return "p below the lowest pressure served";
  if (!(s.p <= 1e6 * if97::p_max)) return "p above 100 MPa";
  if (!(s.T >= if97::T_min && s.T <= if97::T_region5_max)) return "T outside 273.15 K to 2273.15 K";
  if (s.T > if97::T_region2_max && s.p > 1e6 * if97::p_region5_max) return "above 50 MPa beyond 1073.15 K";
  if (s.region == 5 && s.T < if97::T_region2_max) return "region 5 below 1073.15 K";
  if (s.region < 1 || s.region > 5) return "no region of IF97";
  if ((s.region == 4) != (s.phase == 3)) return "region 4 and the two-phase label disagree";
  if (!(s.rho > 0.0 && s.v > 0.0)) return "rho or v not positive";
  if (std::fabs(s.rho * s.v - 1.0) > 4e-16) return "rho v differs from 1";
  // u, h and p v from one evaluation: they agree to the rounding of the largest.
  const double pv = s.p * s.v;
  if (std::fabs(s.u - (s.h - pv)) > 1e-12 * std::fmax(std::fmax(std::fabs(s.h), pv), 1e3)) return "u differs from h - p v";
  if (s.region == 4) {
    if (!(s.x >= 0.0 && s.x <= 1.0)) return "a two-phase x outside 0 to 1";
    if (s.T >= if97::T_c) return "a two-phase state at or above the critical temperature";
    return nullptr;
  }
  if (!std::isnan(s.x)) return "a single phase with an x";
  for (const double a : {s.cp, s.cv, s.w})
    if (!(std::isfinite(a) && a > 0.0)) return "cp, cv or w not finite and positive";
  if (s.T <= T_transport_max && !(s.mu > 0.0 && s.lambda > 0.0 && std::isfinite(s.mu) && std::isfinite(s.lambda)))
    return "mu or lambda not finite and positive";
  return nullptr;
}

// Why the (p, h) or (p, s) flash of a state does not return it, or nullptr:
// the same p, h (or s) to 1e-11 of max(|h|, 1 kJ/kg) (of max(|s|, 1 kJ/(kg K))),
// and T to 1e-9 of itself, or 0.1 K where two regions' equations meet.
inline const char* round_trip_fault(const kviapws97_state& s) {
  const double dT = band_distance(s.p, s.T) < 0.1 ? 0.1 : 1e-9 * s.T;
  kviapws97_state r{};
  if (kviapws97_ph(s.p, s.h, &r) != 0) return "ph of the state fails";
  if (r.p != s.p) return "ph of the state moves p";
  if (!(std::fabs(r.h - s.h) <= 1e-11 * std::fmax(std::fabs(s.h), 1e3))) return "ph of the state moves h";
  if (!(std::fabs(r.T - s.T) <= dT)) return "ph of the state moves T";
  if (kviapws97_ps(s.p, s.s, &r) != 0) return "ps of the state fails";
  if (r.p != s.p) return "ps of the state moves p";
  if (!(std::fabs(r.s - s.s) <= 1e-11 * std::fmax(std::fabs(s.s), 1e3))) return "ps of the state moves s";
  if (!(std::fabs(r.T - s.T) <= dT)) return "ps of the state moves T";
  // Where two functions meet, both accept the shared state.
  if (s.region == 4) {
    if (kviapws97_Tx(s.T, s.x, &r) != 0) return "Tx of the two-phase state fails";
    if (kviapws97_px(s.p, s.x, &r) != 0) return "px of the two-phase state fails";
  } else if (kviapws97_pT(s.p, s.T, &r) != 0) {
    return "pT of the state fails";
  }
  return nullptr;
}

}  // namespace kvtest
