#include "tools/state_derivatives.hpp"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "water/derivatives.hpp"

namespace kvtool {
namespace {

namespace water = kviapws97::water;

// One named derivative: its numerator's and denominator's quantities (none
// for a number or for 1 over), SI value = printed x scale(num) / scale(den).
struct derivative_row {
  const char* name;
  const char* description;
  double water::derivatives::*member;
  std::optional<quantity> num, den;
  bool two_phase_only;
};
constexpr derivative_row derivative_rows[] = {
    {"cp", "isobaric heat capacity", &water::derivatives::cp, quantity::entropy, {}, false},
    {"cv", "isochoric heat capacity", &water::derivatives::cv, quantity::entropy, {}, false},
    {"w", "speed of sound", &water::derivatives::w, quantity::speed, {}, false},
    {"alpha_v", "(1/v)(dv/dT)_p", &water::derivatives::alpha_v, {}, quantity::temperature, false},
    {"kappa_T", "-(1/v)(dv/dp)_T", &water::derivatives::kappa_T, {}, quantity::pressure, false},
    {"kappa", "isentropic exponent", &water::derivatives::isentropic_exponent, {}, {}, false},
    {"mu_JT", "(dT/dp)_h, Joule-Thomson", &water::derivatives::dT_dp_h, quantity::temperature, quantity::pressure,
     false},
    {"dT/dh", "(dT/dh)_p", &water::derivatives::dT_dh_p, quantity::temperature, quantity::energy, false},
    {"drho/dp", "(drho/dp)_h", &water::derivatives::drho_dp_h, quantity::density, quantity::pressure, false},
    {"drho/dh", "(drho/dh)_p", &water::derivatives::drho_dh_p, quantity::density, quantity::energy, false},
    {"dp/dT", "(dp/dT)_rho", &water::derivatives::dp_dT_rho, quantity::pressure, quantity::temperature, false},
    {"dp/drho", "(dp/drho)_T", &water::derivatives::dp_drho_T, quantity::pressure, quantity::density, false},
    {"dTsat/dp", "along the saturation line", &water::derivatives::dTsat_dp, quantity::temperature,
     quantity::pressure, true},
    {"drho'/dp", "sat. liquid, along the line", &water::derivatives::drho_liquid_dp, quantity::density,
     quantity::pressure, true},
    {"drho\"/dp", "sat. vapour, along the line", &water::derivatives::drho_vapour_dp, quantity::density,
     quantity::pressure, true},
    {"dh'/dp", "sat. liquid, along the line", &water::derivatives::dh_liquid_dp, quantity::energy,
     quantity::pressure, true},
    {"dh\"/dp", "sat. vapour, along the line", &water::derivatives::dh_vapour_dp, quantity::energy,
     quantity::pressure, true},
    {"dx/dp", "(dx/dp)_h", &water::derivatives::dx_dp_h, {}, quantity::pressure, true},
    {"dx/dh", "(dx/dh)_p", &water::derivatives::dx_dh_p, {}, quantity::energy, true},
};

// A temperature in a derivative is a difference: K, whatever the output unit.
std::string symbol(quantity q, unit_system units) {
  if (q == quantity::temperature) return "K";
  const std::string s(output_unit(q, units).symbol);
  return s.find_first_of("/ ") == std::string::npos ? s : "(" + s + ")";
}

double scale(const std::optional<quantity>& q, unit_system units) { return q ? output_unit(*q, units).scale : 1.0; }

}  // namespace

void print_derivatives(const water::state& st, unit_system units) {
  const water::derivatives d = water::derivatives_of(st).d;
  const bool two_phase = st.phase == water::phase::two_phase;
  std::printf("derivatives\n");
  for (const derivative_row& r : derivative_rows) {
    if (r.two_phase_only && !two_phase) continue;
    const double si = d.*r.member;
    const double shown = si * scale(r.den, units) / scale(r.num, units) + 0.0;  // + 0.0: no "-0"
    const std::string unit_text = r.den   ? (r.num ? symbol(*r.num, units) : "1") + "/" + symbol(*r.den, units)
                                  : r.num ? std::string(output_unit(*r.num, units).symbol)
                                          : "";
    char value[40];
    std::snprintf(value, sizeof value, "%.7g", shown);
    std::printf("  %-9s %-28s %14s  %s\n", r.name, r.description, std::isnan(si) ? "n/a" : value, unit_text.c_str());
  }
  if (two_phase) std::printf("n/a: cp, alpha_v, kappa_T: p and T do not vary independently in a two-phase state\n");
}

}  // namespace kvtool
