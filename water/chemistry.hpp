// Properties of water for chemistry, each by its IAPWS release, in SI units:
// the static dielectric constant (IAPWS R8-97), the refractive index (IAPWS
// R9-97), the ionization constant (IAPWS R11-24), and Henry's constants and
// vapour-liquid distribution constants of 14 gases (IAPWS G7-04).
//
// The releases are functions of (T, rho), and G7-04 of T alone. Of a state,
// they take its temperature and its IF97 density. Each refuses an input
// outside its release's range with a status that names the bound; the value
// is then NaN. The functions are reentrant and allocate nothing.
#pragma once

#include "water/state.hpp"

namespace kviapws97::water {

// A property, or why there is none.
struct property_result {
  water::status status;
  double value;  // NaN unless status is ok
  explicit operator bool() const noexcept { return status == status::ok; }
  const char* reason() const noexcept { return status_text(status); }
};

// Static dielectric constant epsilon, dimensionless: 238 K <= T <= 873.15 K,
// 0 <= rho <= 1250 kg/m3.
KVIAPWS97_WATER_EXPORT property_result dielectric_constant(double T, double rho) noexcept;
// Refractive index n at the wavelength in vacuum lambda (m): 261.15 K <= T <=
// 773.15 K, 0 <= rho <= 1060 kg/m3, 0.2 um <= lambda <= 1.1 um.
KVIAPWS97_WATER_EXPORT property_result refractive_index(double T, double rho, double lambda) noexcept;
// pKw = -log10(Kw / (mol/kg)^2): 273.15 K <= T <= 1273.15 K, 0 <= rho <= 1250 kg/m3.
KVIAPWS97_WATER_EXPORT property_result ionization_pK(double T, double rho) noexcept;

// Of a state: a two-phase state has no single value (status two_phase_state);
// its liquid and vapour have theirs.
KVIAPWS97_WATER_EXPORT property_result dielectric_constant(const state& s) noexcept;
KVIAPWS97_WATER_EXPORT property_result dielectric_constant(const phase_values& s) noexcept;
KVIAPWS97_WATER_EXPORT property_result refractive_index(const state& s, double lambda) noexcept;
KVIAPWS97_WATER_EXPORT property_result refractive_index(const phase_values& s, double lambda) noexcept;
KVIAPWS97_WATER_EXPORT property_result ionization_pK(const state& s) noexcept;
KVIAPWS97_WATER_EXPORT property_result ionization_pK(const phase_values& s) noexcept;

// The sodium D line, m: the wavelength of a refractive index quoted without one.
inline constexpr double sodium_D_line = 589.3e-9;

// The gases of IAPWS G7-04 in water, in its order.
enum class gas : int { He, Ne, Ar, Kr, Xe, H2, N2, O2, CO, CO2, H2S, CH4, C2H6, SF6 };

struct henry_result {
  water::status status;
  double kH;  // Henry's constant, Pa; NaN unless status is ok
  double KD;  // vapour-liquid distribution constant y2/x2; NaN unless status is ok
  explicit operator bool() const noexcept { return status == status::ok; }
  const char* reason() const noexcept { return status_text(status); }
};

// Within the temperatures of the gas's data in IAPWS G7-04 (from 273.15 K to
// 283.14 K up to 473.46 K to 642.66 K, by gas); unknown_gas for any other g.
KVIAPWS97_WATER_EXPORT henry_result henry(gas g, double T) noexcept;
// At the temperature of a state, whatever its phase.
KVIAPWS97_WATER_EXPORT henry_result henry(gas g, const phase_values& s) noexcept;

// The formula of a gas ("CO2"), nullptr for no gas; and the gas of a formula,
// false for none.
KVIAPWS97_WATER_EXPORT const char* gas_formula(gas g) noexcept;
KVIAPWS97_WATER_EXPORT bool gas_of_formula(const char* formula, gas& out) noexcept;

}  // namespace kviapws97::water
