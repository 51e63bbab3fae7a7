// Region-4 requests: a property of saturated liquid, saturated vapour or a
// two-phase mixture, or of a single-phase state whose IF97 region is chosen
// here. Pressure in bar (negative: not given), temperature in K (negative: not
// given) and the vapour fraction x, which doubles as the phase flag:
// x < -1e-5 no phase; -1e-5 <= x <= 1.00001 saturated (|x - 1| < 1e-8 vapour,
// |x| < 1e-8 liquid, otherwise a mixture); x > 1.00001 fails.
#pragma once

namespace if97 {

// The state a request settles on.
enum class settled_kind { failure, single, liquid, vapour, mixture, critical };

struct settled_state {
  settled_kind kind;
  int region;  // the IF97 region (1, 2, 3 or 5) of a single phase or of a saturated phase
  double p;    // MPa
  double T;    // K
  double x;    // vapour fraction of a mixture
};

// Limits of a single-phase state above 1073.15 K, where region 5 applies.
struct region5_limits {
  double T_max;  // K
  double p_max;  // MPa
};

inline constexpr region5_limits thermodynamic_limits{2273.2, 50.099998474121094};  // 50.1 held in single precision
inline constexpr region5_limits fugacity_limits{2273.2, 50.01};
inline constexpr region5_limits transport_limits{1173.2, 50.01};

// Settles (p in bar, T, x) on a single-phase state, a point of the saturation
// line or the critical state, or fails.
settled_state settle_region4(double p_bar, double T, double x, region5_limits limits);

// Specific volume, m3/kg, of a settled single phase or saturated phase (not of
// a mixture or the critical state).
double settled_volume(const settled_state& s);

double v4(double p_bar, double T, double x);    // specific volume, m3/kg
double h4(double p_bar, double T, double x);    // specific enthalpy, kJ/kg
double s4(double p_bar, double T, double x);    // specific entropy, kJ/(kg K)
double u4(double p_bar, double T, double x);    // specific internal energy, kJ/kg
double cp4(double p_bar, double T, double x);   // isobaric heat capacity, kJ/(kg K)
double cv4(double p_bar, double T, double x);   // isochoric heat capacity, kJ/(kg K)
double w4(double p_bar, double T, double x);    // speed of sound, m/s
double fug4(double p_bar, double T, double x);  // fugacity, bar

}  // namespace if97
