// The region-4 operations IF97_V4 ... IF97_FUG4, IF97_PSATBAR and the
// region-4 transport operations take their arguments in the conventions of
// the host's property dispatcher: pressure in bar, a negative pressure or
// temperature for "not given", and a vapour fraction x that doubles as the
// phase flag (x < -1e-5 no phase: the single-phase state at (p, T) in the
// region chosen here; -1e-5 <= x <= 1.00001 a saturated state, |x - 1| < 1e-8
// vapour, |x| < 1e-8 liquid, otherwise a mixture; x > 1.00001 fails). They
// accept slightly more than IF97 itself, and report anything else with
// exactly -1.0. This file turns such a request into a point of the IF97 core.
#pragma once

#include "if97/region_choice.hpp"

namespace if97 {

// What a request settles on.
enum class settled_kind { failure, single, liquid, vapour, mixture, critical };

struct settled_request {
  settled_kind kind;
  region_point point;  // single phase, saturated phase (region 3: with its volume) or critical point
  double x;            // the vapour fraction as given
};

// Limits of a single-phase request above 1073.15 K, where region 5 applies.
struct region5_limits {
  double T_max;  // K
  double p_max;  // MPa
};

// The thermodynamic operations accept 50.1 MPa held in single precision.
inline constexpr region5_limits thermodynamic_limits{2273.2, static_cast<double>(50.1f)};
inline constexpr region5_limits fugacity_limits{2273.2, 50.01};
inline constexpr region5_limits transport_limits{1173.2, 50.01};

// Settles (p in bar, T, x) on a single-phase point, a saturated phase, a
// mixture or the critical point, or fails. A mixture's point is the point of
// the saturation line; its phases come from saturated_point.
settled_request settle_region4_request(double p_bar, double T, double x, region5_limits limits);

// Whether x names a saturated phase rather than a mixture.
bool pure_phase(double x);

// The saturation pressure in bar from 273.0 K to 647.301 K, otherwise -1.0.
double psat_bar(double T);

double v4(double p_bar, double T, double x);    // specific volume, m3/kg
double h4(double p_bar, double T, double x);    // specific enthalpy, kJ/kg
double s4(double p_bar, double T, double x);    // specific entropy, kJ/(kg K)
double u4(double p_bar, double T, double x);    // specific internal energy, kJ/kg
double cp4(double p_bar, double T, double x);   // isobaric heat capacity, kJ/(kg K)
double cv4(double p_bar, double T, double x);   // isochoric heat capacity, kJ/(kg K)
double w4(double p_bar, double T, double x);    // speed of sound, m/s
double fug4(double p_bar, double T, double x);  // fugacity, bar

}  // namespace if97
