// The chemistry properties of water/chemistry.hpp: each release's range,
// then its equation in transport/.
#include "water/chemistry.hpp"

#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

#include "transport/dielectric.hpp"
#include "transport/henry.hpp"
#include "transport/ionization.hpp"
#include "transport/refractive_index.hpp"

namespace kviapws97::water {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// The ranges of validity, as each release states them. R8-97: 238 K (the
// supercooled liquid) to 873.15 K up to 1000 MPa, which no stable water
// exceeds 1250 kg/m3 at; R9-97: -12 C to 500 C, 0 to 1060 kg/m3, 0.2 um to
// 1.1 um; R11-24: 0 C to 1000 C, 0 to 1.25 g/cm3.
constexpr double T_dielectric_min = 238.0;     // K
constexpr double T_dielectric_max = 873.15;    // K
constexpr double rho_dielectric_max = 1250.0;  // kg/m3
constexpr double T_refractive_min = 261.15;    // K
constexpr double T_refractive_max = 773.15;    // K
constexpr double rho_refractive_max = 1060.0;  // kg/m3
constexpr double lambda_min = 0.2e-6;          // m
constexpr double lambda_max = 1.1e-6;          // m
constexpr double T_ionization_min = 273.15;    // K
constexpr double T_ionization_max = 1273.15;   // K
constexpr double rho_ionization_max = 1250.0;  // kg/m3

// Written so that NaN falls outside.
bool within(double x, double lo, double hi) { return x >= lo && x <= hi; }

property_result refused(status why) { return {why, nan}; }
property_result found(double v) { return {status::ok, v}; }

bool finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

constexpr const char* formulas[] = {"He", "Ne", "Ar",  "Kr",  "Xe",  "H2",   "N2",
                                    "O2", "CO", "CO2", "H2S", "CH4", "C2H6", "SF6"};
static_assert(std::size(formulas) == transport::gas_count);
static_assert(static_cast<int>(gas::SF6) == static_cast<int>(transport::gas::SF6) &&
              static_cast<int>(gas::He) == static_cast<int>(transport::gas::He));

bool known(gas g) { return static_cast<int>(g) >= 0 && static_cast<int>(g) < transport::gas_count; }

}  // namespace

property_result dielectric_constant(double T, double rho) noexcept {
  if (!finite(T, rho)) return refused(status::not_finite);
  if (!within(T, T_dielectric_min, T_dielectric_max)) return refused(status::dielectric_temperature_out_of_range);
  if (!within(rho, 0.0, rho_dielectric_max)) return refused(status::dielectric_density_out_of_range);
  return found(transport::dielectric_constant(T, rho));
}

property_result refractive_index(double T, double rho, double lambda) noexcept {
  if (!finite(T, rho) || !std::isfinite(lambda)) return refused(status::not_finite);
  if (!within(T, T_refractive_min, T_refractive_max)) return refused(status::refractive_temperature_out_of_range);
  if (!within(rho, 0.0, rho_refractive_max)) return refused(status::refractive_density_out_of_range);
  if (!within(lambda, lambda_min, lambda_max)) return refused(status::wavelength_out_of_range);
  return found(transport::refractive_index(T, rho, lambda));
}

property_result ionization_pK(double T, double rho) noexcept {
  if (!finite(T, rho)) return refused(status::not_finite);
  if (!within(T, T_ionization_min, T_ionization_max)) return refused(status::ionization_temperature_out_of_range);
  if (!within(rho, 0.0, rho_ionization_max)) return refused(status::ionization_density_out_of_range);
  return found(transport::ionization_pK(T, rho));
}

property_result dielectric_constant(const phase_values& s) noexcept { return dielectric_constant(s.T, s.rho); }
property_result refractive_index(const phase_values& s, double lambda) noexcept {
  return refractive_index(s.T, s.rho, lambda);
}
property_result ionization_pK(const phase_values& s) noexcept { return ionization_pK(s.T, s.rho); }

property_result dielectric_constant(const state& s) noexcept {
  if (s.phase == phase::two_phase) return refused(status::two_phase_state);
  return dielectric_constant(static_cast<const phase_values&>(s));
}
property_result refractive_index(const state& s, double lambda) noexcept {
  if (s.phase == phase::two_phase) return refused(status::two_phase_state);
  return refractive_index(static_cast<const phase_values&>(s), lambda);
}
property_result ionization_pK(const state& s) noexcept {
  if (s.phase == phase::two_phase) return refused(status::two_phase_state);
  return ionization_pK(static_cast<const phase_values&>(s));
}

henry_result henry(gas g, double T) noexcept {
  if (!known(g)) return {status::unknown_gas, nan, nan};
  if (!std::isfinite(T)) return {status::not_finite, nan, nan};
  const transport::gas which = static_cast<transport::gas>(g);
  const transport::temperature_range range = transport::henry_range(which);
  if (!within(T, range.min, range.max)) return {status::henry_temperature_out_of_range, nan, nan};
  const transport::henry_constants c = transport::henry(which, T);
  return {status::ok, c.kH, c.KD};
}

henry_result henry(gas g, const phase_values& s) noexcept { return henry(g, s.T); }

const char* gas_formula(gas g) noexcept { return known(g) ? formulas[static_cast<int>(g)] : nullptr; }

bool gas_of_formula(const char* formula, gas& out) noexcept {
  if (formula == nullptr) return false;
  for (int k = 0; k < transport::gas_count; ++k) {
    if (std::strcmp(formula, formulas[k]) == 0) {
      out = static_cast<gas>(k);
      return true;
    }
  }
  return false;
}

}  // namespace kviapws97::water
