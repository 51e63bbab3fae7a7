#include "if97/region4_operations.hpp"

#include <cmath>

#include "if97/constants.hpp"
#include "if97/if97.h"
#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region3.hpp"
#include "if97/region3_backward.hpp"
#include "if97/region4.hpp"
#include "if97/region5.hpp"
#include "if97/saturation.hpp"

namespace if97 {
namespace {

constexpr double bar_to_mpa = 0.1;
constexpr double x_no_phase = -1e-5;     // below: no phase
constexpr double x_max = 1.00001;        // above: failure
constexpr double x_pure = 1e-8;          // within this of 0 or 1: a saturated phase
constexpr double p_min = 0.00061;        // MPa, lowest pressure accepted
constexpr double p_single_max = 100.01;  // MPa, highest single-phase pressure
constexpr double p_sat_max = 22.12;      // MPa, highest saturation pressure accepted
constexpr double T_accepted_min = 273.0; // K
constexpr double T_sat_max = 647.3;      // K, highest saturation temperature accepted
constexpr double T_sat_mismatch = 0.1;   // K, largest |T - Tsat(p)| when both are given
constexpr double T_psat_bar_max = 647.301;  // K, highest temperature of psat_bar

constexpr settled_request failed{settled_kind::failure, {0, 0.0, 0.0, 0.0}, 0.0};

settled_request single_phase(double p, double T, region5_limits limits) {
  if (!(p >= p_min && p <= p_single_max)) return failed;
  if (T <= T_region1_max && T < T_accepted_min) return failed;
  if (T > T_region2_max && (T > limits.T_max || p > limits.p_max)) return failed;
  return {settled_kind::single, single_phase_point(p, T), -1.0};
}

settled_request saturated(double p, double T, double x) {
  const settled_request critical{settled_kind::critical, critical_point, x};
  if (p < 0.0) {
    if (T < T_accepted_min || T > T_sat_max) return failed;
    if (T >= T_c) return critical;
    p = psat(T);
  } else if (T < 0.0) {
    if (p < p_min || p > p_sat_max) return failed;
    if (p >= p_c_sat) return critical;
    T = tsat(p);
  } else {
    if (T < T_accepted_min || T > T_sat_max || p < p_min || p > p_sat_max) return failed;
    if (T >= T_c || p >= p_c_sat) return critical;
    if (std::fabs(T - tsat(p)) > T_sat_mismatch) return failed;
  }
  if (std::fabs(x - 1.0) < x_pure) return {settled_kind::vapour, saturated_point(saturated_side::vapour, p, T), x};
  if (std::fabs(x) < x_pure) return {settled_kind::liquid, saturated_point(saturated_side::liquid, p, T), x};
  return {settled_kind::mixture, {0, p, T, 0.0}, x};
}

// The region functions a region-4 operation evaluates.
struct property_ops {
  double (*region1)(double p, double T);
  double (*region2)(double p, double T);
  double (*region3)(double p, double T, double v);
  double (*region5)(double p, double T);
  bool mixtures;  // a mixture is L + x (V - L); otherwise it fails
  bool fugacity;  // IF97_FUG4: its own limits, bar, and the critical value of its own
};

double value_at(const property_ops& ops, const region_point& at) {
  switch (at.region) {
    case 1: return ops.region1(at.p, at.T);
    case 2: return ops.region2(at.p, at.T);
    case 3: return ops.region3(at.p, at.T, at.v);
    default: return ops.region5(at.p, at.T);
  }
}

double evaluate(const property_ops& ops, double p_bar, double T, double x) {
  const settled_request s = settle_region4_request(p_bar, T, x, ops.fugacity ? fugacity_limits : thermodynamic_limits);
  const double to_unit = ops.fugacity ? 10.0 : 1.0;  // MPa -> bar
  switch (s.kind) {
    case settled_kind::failure: return -1.0;
    case settled_kind::critical:
      // Ten times the region-3 fugacity at 22.064 MPa rather than at p_c_sat.
      if ((!ops.mixtures || ops.fugacity) && !pure_phase(x)) return -1.0;
      return ops.fugacity ? to_unit * fug3(p_c, T_c, v_c) : value_at(ops, critical_point);
    case settled_kind::mixture: {
      if (!ops.mixtures) return -1.0;
      const double liquid = value_at(ops, saturated_point(saturated_side::liquid, s.point.p, s.point.T));
      const double vapour = value_at(ops, saturated_point(saturated_side::vapour, s.point.p, s.point.T));
      return to_unit * mixture(liquid, vapour, s.x);
    }
    default: return to_unit * value_at(ops, s.point);
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

settled_request settle_region4_request(double p_bar, double T, double x, region5_limits limits) {
  if (std::isnan(p_bar) || std::isnan(T) || std::isnan(x)) return failed;
  const double p = p_bar * bar_to_mpa;
  if (x < x_no_phase) return single_phase(p, T, limits);
  if (x <= x_max) return saturated(p, T, x);
  return failed;
}

bool pure_phase(double x) { return std::fabs(x) < x_pure || std::fabs(x - 1.0) < x_pure; }

double psat_bar(double T) {
  if (!(T >= T_accepted_min && T <= T_psat_bar_max)) return -1.0;
  return 10.0 * psat(T);
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

double IF97_PSATBAR(const double* T) noexcept { return if97::psat_bar(*T); }
double IF97_V4(const double* p, const double* T, const double* x) noexcept { return if97::v4(*p, *T, *x); }
double IF97_H4(const double* p, const double* T, const double* x) noexcept { return if97::h4(*p, *T, *x); }
double IF97_S4(const double* p, const double* T, const double* x) noexcept { return if97::s4(*p, *T, *x); }
double IF97_U4(const double* p, const double* T, const double* x) noexcept { return if97::u4(*p, *T, *x); }
double IF97_CP4(const double* p, const double* T, const double* x) noexcept { return if97::cp4(*p, *T, *x); }
double IF97_CV4(const double* p, const double* T, const double* x) noexcept { return if97::cv4(*p, *T, *x); }
double IF97_W4(const double* p, const double* T, const double* x) noexcept { return if97::w4(*p, *T, *x); }
double IF97_FUG4(const double* p, const double* T, const double* x) noexcept { return if97::fug4(*p, *T, *x); }
