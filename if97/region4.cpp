#include "if97/region4.hpp"

#include <cmath>

#include "if97/constants.hpp"
#include "if97/if97.h"
#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region3.hpp"
#include "if97/region3_backward.hpp"
#include "if97/region5.hpp"
#include "if97/saturation.hpp"

namespace if97 {
namespace {

constexpr double bar_to_mpa = 0.1;
constexpr double x_no_phase = -1e-5;     // below: no phase
constexpr double x_max = 1.00001;        // above: failure
constexpr double x_pure = 1e-8;          // within this of 0 or 1: a saturated phase
constexpr double p_min = 0.00061;        // MPa, lowest pressure accepted
constexpr double p_max = 100.01;         // MPa, highest single-phase pressure
constexpr double p_sat_max = 22.12;      // MPa, highest saturation pressure accepted
constexpr double T_min = 273.0;          // K
constexpr double T_sat_max = 647.3;      // K, highest saturation temperature accepted
constexpr double T_sat_mismatch = 0.1;   // K, largest |T - Tsat(p)| when both are given
// IF97_PSAT(623.15 K) = 16.5291642526 MPa, bracketed from above and below.
constexpr double p_region1_always = 16.52916426;  // MPa
constexpr double p_region3_min = 16.52916424;     // MPa

constexpr settled_state failed{settled_kind::failure, 0, 0.0, 0.0, 0.0};

settled_state single_phase(double p, double T, region5_limits limits) {
  if (!(p >= p_min && p <= p_max)) return failed;
  if (T <= T_region1_max) {
    if (T < T_min) return failed;
    if (p > p_region1_always || psat(T) <= p) return {settled_kind::single, 1, p, T, -1.0};
    return {settled_kind::single, 2, p, T, -1.0};
  }
  if (T > T_region2_max) {
    if (T > limits.T_max || p > limits.p_max) return failed;
    return {settled_kind::single, 5, p, T, -1.0};
  }
  if (T < T_b23_max && p >= p_region3_min && p > pb23(T)) return {settled_kind::single, 3, p, T, -1.0};
  return {settled_kind::single, 2, p, T, -1.0};
}

settled_state saturated(double p, double T, double x) {
  const settled_state critical{settled_kind::critical, 3, p_c_sat, T_c, x};
  if (p < 0.0) {
    if (T < T_min || T > T_sat_max) return failed;
    if (T >= T_c) return critical;
    p = psat(T);
  } else if (T < 0.0) {
    if (p < p_min || p > p_sat_max) return failed;
    if (p >= p_c_sat) return critical;
    T = tsat(p);
  } else {
    if (T < T_min || T > T_sat_max || p < p_min || p > p_sat_max) return failed;
    if (T >= T_c || p >= p_c_sat) return critical;
    if (std::fabs(T - tsat(p)) > T_sat_mismatch) return failed;
  }
  // The region goes by T alone, also when the given T is up to 0.1 K off Tsat.
  const int region_liquid = T <= T_region1_max ? 1 : 3;
  if (std::fabs(x - 1.0) < x_pure) return {settled_kind::vapour, T <= T_region1_max ? 2 : 3, p, T, x};
  if (std::fabs(x) < x_pure) return {settled_kind::liquid, region_liquid, p, T, x};
  return {settled_kind::mixture, 0, p, T, x};
}

// The region functions a region-4 operation evaluates.
struct property_ops {
  double (*region1)(double p, double T);
  double (*region2)(double p, double T);
  double (*region3)(double p, double T, double v);  // at the volume of the backward equations
  double (*region5)(double p, double T);
  bool mixtures;        // a mixture is L + x (V - L); otherwise it fails
  bool fugacity;        // IF97_FUG4: its own limits, bar, and a fixed critical value
};

double single_value(const property_ops& ops, const settled_state& s, double v) {
  switch (s.region) {
    case 1: return ops.region1(s.p, s.T);
    case 2: return ops.region2(s.p, s.T);
    case 3: return ops.region3(s.p, s.T, v);
    default: return ops.region5(s.p, s.T);
  }
}

// Ten times IF97_FUG3 at 22.064 MPa, 647.096 K and 1/322 m3/kg.
constexpr double critical_fugacity_bar = 143.9269593816;  // bar

double evaluate(const property_ops& ops, double p_bar, double T, double x) {
  const region5_limits limits = ops.fugacity ? fugacity_limits : thermodynamic_limits;
  const settled_state s = settle_region4(p_bar, T, x, limits);
  const double to_unit = ops.fugacity ? 10.0 : 1.0;  // MPa -> bar
  switch (s.kind) {
    case settled_kind::failure: return -1.0;
    case settled_kind::critical: {
      const bool pure = std::fabs(x) < x_pure || std::fabs(x - 1.0) < x_pure;
      if ((!ops.mixtures || ops.fugacity) && !pure) return -1.0;
      if (ops.fugacity) return critical_fugacity_bar;
      return ops.region3(p_c_sat, T_c, v_c);
    }
    case settled_kind::mixture: {
      if (!ops.mixtures) return -1.0;
      settled_state phase = s;
      phase.kind = settled_kind::liquid;
      phase.region = s.T <= T_region1_max ? 1 : 3;
      const double liquid = single_value(ops, phase, phase.region == 3 ? settled_volume(phase) : 0.0);
      phase.kind = settled_kind::vapour;
      phase.region = s.T <= T_region1_max ? 2 : 3;
      const double vapour = single_value(ops, phase, phase.region == 3 ? settled_volume(phase) : 0.0);
      return to_unit * (liquid + s.x * (vapour - liquid));
    }
    default:
      return to_unit * single_value(ops, s, s.region == 3 ? settled_volume(s) : 0.0);
  }
}

double volume_3(double, double, double v) { return v; }
double h_3(double, double T, double v) { return h3(T, v); }
double s_3(double, double T, double v) { return s3(T, v); }
double u_3(double, double T, double v) { return u3(T, v); }
double cp_3(double, double T, double v) { return cp3(T, v); }
double cv_3(double, double T, double v) { return cv3(T, v); }
double w_3(double, double T, double v) { return w3(T, v); }

constexpr property_ops volume_ops{v1, v2, volume_3, v5, true, false};
constexpr property_ops enthalpy_ops{h1, h2, h_3, h5, true, false};
constexpr property_ops entropy_ops{s1, s2, s_3, s5, true, false};
constexpr property_ops energy_ops{u1, u2, u_3, u5, true, false};
constexpr property_ops cp_ops{cp1, cp2, cp_3, cp5, false, false};
constexpr property_ops cv_ops{cv1, cv2, cv_3, cv5, false, false};
constexpr property_ops sound_ops{w1, w2, w_3, w5, false, false};
constexpr property_ops fugacity_ops{fug1, fug2, fug3, fug5, true, true};

}  // namespace

settled_state settle_region4(double p_bar, double T, double x, region5_limits limits) {
  if (std::isnan(p_bar) || std::isnan(T) || std::isnan(x)) return failed;
  const double p = p_bar * bar_to_mpa;
  if (x < x_no_phase) return single_phase(p, T, limits);
  if (x <= x_max) return saturated(p, T, x);
  return failed;
}

double settled_volume(const settled_state& s) {
  if (s.kind == settled_kind::critical) return v_c;
  switch (s.region) {
    case 1: return v1(s.p, s.T);
    case 2: return v2(s.p, s.T);
    case 5: return v5(s.p, s.T);
    default:
      if (s.kind == settled_kind::vapour) return v3pt_vap(s.p, s.T);
      if (s.kind == settled_kind::liquid) return v3pt_liq(s.p, s.T);
      return v3pt(s.p, s.T);
  }
}

double v4(double p_bar, double T, double x) { return evaluate(volume_ops, p_bar, T, x); }
double h4(double p_bar, double T, double x) { return evaluate(enthalpy_ops, p_bar, T, x); }
double s4(double p_bar, double T, double x) { return evaluate(entropy_ops, p_bar, T, x); }
double u4(double p_bar, double T, double x) { return evaluate(energy_ops, p_bar, T, x); }
double cp4(double p_bar, double T, double x) { return evaluate(cp_ops, p_bar, T, x); }
double cv4(double p_bar, double T, double x) { return evaluate(cv_ops, p_bar, T, x); }
double w4(double p_bar, double T, double x) { return evaluate(sound_ops, p_bar, T, x); }
double fug4(double p_bar, double T, double x) { return evaluate(fugacity_ops, p_bar, T, x); }

}  // namespace if97

double IF97_V4(const double* p, const double* T, const double* x) noexcept { return if97::v4(*p, *T, *x); }
double IF97_H4(const double* p, const double* T, const double* x) noexcept { return if97::h4(*p, *T, *x); }
double IF97_S4(const double* p, const double* T, const double* x) noexcept { return if97::s4(*p, *T, *x); }
double IF97_U4(const double* p, const double* T, const double* x) noexcept { return if97::u4(*p, *T, *x); }
double IF97_CP4(const double* p, const double* T, const double* x) noexcept { return if97::cp4(*p, *T, *x); }
double IF97_CV4(const double* p, const double* T, const double* x) noexcept { return if97::cv4(*p, *T, *x); }
double IF97_W4(const double* p, const double* T, const double* x) noexcept { return if97::w4(*p, *T, *x); }
double IF97_FUG4(const double* p, const double* T, const double* x) noexcept { return if97::fug4(*p, *T, *x); }
