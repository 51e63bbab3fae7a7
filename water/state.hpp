// A state of water and steam in SI base units by IAPWS-IF97, from any pair
// of the quantities engineers specify: (p, T), (p, h), (p, s), (h, s),
// (T, x), (p, x) and (T, rho).
//
// Every state satisfies the forward equations of IAPWS-IF97: a flash starts
// from the IAPWS backward equations and polishes with Newton steps until
// h and s are reproduced to 1e-11 relative. The phase is decided against
// the saturated states of the forward equations themselves, never against
// the approximate boundaries of the backward equations.
//
// Failures are values, not exceptions: a result carries a status and a short
// text. The functions are reentrant and allocate nothing.
#pragma once

#if defined(__GNUC__)
#define KVIAPWS97_WATER_EXPORT __attribute__((visibility("default")))
#else
#define KVIAPWS97_WATER_EXPORT
#endif

namespace kviapws97::water {

enum class phase : int {
  liquid = 0,
  vapour = 1,
  // p > 22.064 MPa and T > 647.096 K. Elsewhere a single phase is liquid
  // or vapour: region 1 liquid, regions 2 and 5 vapour, region 3 liquid
  // below the critical temperature when p > 22.064 MPa, else by the side of
  // the critical density.
  supercritical = 2,
  two_phase = 3,
};

// Why no state was formed; ok (0) is success.
enum class status : int {
  ok = 0,
  not_finite,             // an input is NaN or infinite
  pressure_not_positive,  // p <= 0
  pressure_above_100MPa,
  pressure_above_50MPa,   // above 1073.15 K, where region 5 ends at 50 MPa
  temperature_below_min,  // T < 273.15 K
  temperature_above_max,  // T > 2273.15 K, or above 1073.15 K at p > 50 MPa
  density_out_of_range,   // rho <= 0, or no state of the formulation at (T, rho)
  enthalpy_below_min,     // h below h(p, 273.15 K)
  enthalpy_above_max,     // h above h at the highest temperature of p
  entropy_below_min,      // s below s(p, 273.15 K)
  entropy_above_max,      // s above s at the highest temperature of p
  hs_out_of_range,        // no state of the formulation has this (h, s)
  quality_out_of_range,   // x outside 0 to 1
  above_critical,         // T or p above the critical point: no saturated states
  below_triple,           // p below the saturation pressure at 273.15 K
  not_converged,          // the polish did not reproduce its inputs
  unknown_quantity,       // a derivative of no such quantity, or of x in a single-phase state
  no_derivative,          // a derivative at constant B of B, or at a constant that cannot vary independently
  // Phase requests (the three-argument pT, ph, ps):
  phase_request_invalid,  // a phase other than liquid or vapour asked for
  vapour_above_10MPa,     // supersaturated vapour above 10 MPa, where IAPWS-IF97 Eq. (18) ends
  moisture_above_5_percent,  // supersaturated vapour past the 5 % equilibrium-moisture line
  superheat_above_bound,  // superheated liquid past 5 % equilibrium vapour fraction or 623.15 K
  pressure_below_min,     // p below 1e-3 Pa, the lowest pressure served
  density_below_min,      // rho below that of 1e-3 Pa at T
  internal_energy_below_min,  // u below that at 273.15 K (and this density or pressure)
  internal_energy_above_max,  // u above that at the highest temperature of this density or pressure
  no_state_of_pair,           // no state of the formulation has these (T, h), (T, s), (h, x) or (s, x)
  // The properties of water/chemistry.hpp, each outside its release's range.
  dielectric_temperature_out_of_range,  // T outside 238 K to 873.15 K (IAPWS R8-97)
  dielectric_density_out_of_range,      // rho outside 0 to 1250 kg/m3 (IAPWS R8-97)
  refractive_temperature_out_of_range,  // T outside 261.15 K to 773.15 K (IAPWS R9-97)
  refractive_density_out_of_range,      // rho outside 0 to 1060 kg/m3 (IAPWS R9-97)
  wavelength_out_of_range,              // lambda outside 0.2 um to 1.1 um (IAPWS R9-97)
  ionization_temperature_out_of_range,  // T outside 273.15 K to 1273.15 K (IAPWS R11-24)
  ionization_density_out_of_range,      // rho outside 0 to 1250 kg/m3 (IAPWS R11-24)
  henry_temperature_out_of_range,       // T outside the gas's data (IAPWS G7-04)
  unknown_gas,                          // not one of the 14 gases of IAPWS G7-04
  two_phase_state,                      // a two-phase state has no single value
};

// The short text of a status, for messages.
KVIAPWS97_WATER_EXPORT const char* status_text(status s) noexcept;
// The word of a phase: "liquid", "vapour", "supercritical", "two-phase".
KVIAPWS97_WATER_EXPORT const char* phase_text(phase p) noexcept;

// The properties of one phase. NaN where a quantity is not defined.
struct phase_values {
  double p;       // Pa
  double T;       // K
  double rho;     // kg/m3
  double v;       // m3/kg
  double h;       // J/kg
  double s;       // J/(kg K)
  double u;       // J/kg
  double cp;      // J/(kg K)
  double cv;      // J/(kg K)
  double w;       // m/s
  double mu;      // Pa s, IAPWS R12-08, up to 1173.15 K
  double lambda;  // W/(m K), IAPWS R15-11, up to 1173.15 K
};

struct state : phase_values {
  int region;           // IF97 region 1, 2, 3 or 5; 4 for two-phase states
  water::phase phase;
  // The vapour fraction: in [0, 1] for two-phase states (0 and 1 on the
  // saturation line), NaN for single-phase states.
  double x;
  // Two-phase states: the saturated liquid and vapour at T; NaN otherwise.
  // The mixture's v, rho, h, s and u are the x-weighted ones; its cp, cv,
  // w, mu and lambda are not defined (NaN).
  phase_values liquid;
  phase_values vapour;
};

struct result {
  water::status status;
  water::state state;  // valid when status is ok
  // A state of the phase asked for on the far side of the saturation line
  // (three-argument pT, ph, ps): supersaturated vapour or superheated liquid.
  bool metastable = false;
  explicit operator bool() const noexcept { return status == status::ok; }
  const char* reason() const noexcept { return status_text(status); }
};

// The outputs of a state, in groups; combine them with |. A state function
// given a set evaluates what the set asks for and what its search needs,
// nothing else, and leaves every other output NaN; each output it gives is
// the whole state's to the last bit. The region, the phase and the status
// are always given, decided as for the whole state.
enum class outputs : unsigned {
  T = 1u,           // T, and x (NaN for a single phase)
  volumetric = 2u,  // p, T, rho, v
  caloric = 4u,     // h, s, u
  heat = 8u,        // cp, cv, w
  transport = 16u,  // mu, lambda
  // The saturated phases of a two-phase state (state::liquid and
  // state::vapour), each with the other groups asked for (every group where
  // no other is asked).
  saturated = 32u,
  all = 63u,  // the whole state, as the functions without a set give it
};
constexpr outputs operator|(outputs a, outputs b) noexcept {
  return static_cast<outputs>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
// Whether a set asks for any group of `group`.
constexpr bool asks(outputs set, outputs group) noexcept {
  return (static_cast<unsigned>(set) & static_cast<unsigned>(group)) != 0;
}

// p in Pa, T in K, h in J/kg, s in J/(kg K), x dimensionless, rho in kg/m3.
// (p, T) choose the IF97 region by its boundaries (the saturation line,
// B23, 623.15 K, 863.15 K, 1073.15 K, 2273.15 K, 50 and 100 MPa); a state on
// the saturation line is liquid.
KVIAPWS97_WATER_EXPORT result pT(double p, double T) noexcept;
KVIAPWS97_WATER_EXPORT result ph(double p, double h) noexcept;
KVIAPWS97_WATER_EXPORT result ps(double p, double s) noexcept;
KVIAPWS97_WATER_EXPORT result hs(double h, double s) noexcept;
KVIAPWS97_WATER_EXPORT result Tx(double T, double x) noexcept;
KVIAPWS97_WATER_EXPORT result px(double p, double x) noexcept;
KVIAPWS97_WATER_EXPORT result Trho(double T, double rho) noexcept;

// The same with a set of outputs.
KVIAPWS97_WATER_EXPORT result pT(double p, double T, outputs asked) noexcept;
KVIAPWS97_WATER_EXPORT result ph(double p, double h, outputs asked) noexcept;
KVIAPWS97_WATER_EXPORT result ps(double p, double s, outputs asked) noexcept;
KVIAPWS97_WATER_EXPORT result hs(double h, double s, outputs asked) noexcept;
KVIAPWS97_WATER_EXPORT result Tx(double T, double x, outputs asked) noexcept;
KVIAPWS97_WATER_EXPORT result px(double p, double x, outputs asked) noexcept;
KVIAPWS97_WATER_EXPORT result Trho(double T, double rho, outputs asked) noexcept;

// The state of a phase asked for: liquid or vapour. Where that phase is the
// stable one, and in the supercritical fluid, the state of the two-argument
// function, bit for bit; on the saturation line the asked phase's saturated
// state. Beyond the line the metastable state of that phase, with
// result::metastable set and the asked phase as its phase:
// - vapour below Tsat(p) (below h'' or s'' of p): supersaturated vapour by
//   IAPWS-IF97 Eq. (18), in its range: the triple-point pressure (the
//   saturation pressure at 273.15 K) to 10 MPa, down to the 5 %
//   equilibrium-moisture line h = h' + 0.95 (h'' - h') of p;
// - liquid above Tsat(p) (above h' or s' of p): superheated liquid by region
//   1's equation, IAPWS-IF97 Eq. (7), up to 5 % equilibrium vapour fraction,
//   h = h' + 0.05 (h'' - h') of p, and at most 623.15 K.
// Beyond these bounds (vapour asked at or above 10 MPa where the fluid is
// liquid, too) a status names the bound.
KVIAPWS97_WATER_EXPORT result pT(double p, double T, phase asked) noexcept;
KVIAPWS97_WATER_EXPORT result ph(double p, double h, phase asked) noexcept;
KVIAPWS97_WATER_EXPORT result ps(double p, double s, phase asked) noexcept;
// The flashes of conservative variables and the pairs along a line of the
// phase diagram. u in J/kg. (rho, u), (rho, h), (rho, s) and (p, u) have one
// state at most: u, h and s rise with T along an isochore, u along an isobar.
KVIAPWS97_WATER_EXPORT result rhou(double rho, double u) noexcept;
KVIAPWS97_WATER_EXPORT result rhoh(double rho, double h) noexcept;
KVIAPWS97_WATER_EXPORT result rhos(double rho, double s) noexcept;
KVIAPWS97_WATER_EXPORT result pu(double p, double u) noexcept;

// (p, rho), (T, h), (T, s), (h, x) and (s, x) may have several states: (p,
// rho) in the liquid about its density maximum near 4 degC, (T, h) and (T, s)
// where h or s turns along an isotherm, (h, x) and (s, x) where the mixture's
// h or s turns along the saturation line. The _all functions give every one,
// in order of pressure (then temperature), at most max_states; the single
// call gives the first of them (the lowest pressure) and, through `count`,
// how many there are. (T, h) and (T, s) search regions 2 and 5 down to 1 mPa.
inline constexpr int max_states = 8;
struct all_results {
  water::status status;  // ok when count > 0
  int count;
  water::state states[max_states];
};
KVIAPWS97_WATER_EXPORT all_results prho_all(double p, double rho) noexcept;
KVIAPWS97_WATER_EXPORT all_results Th_all(double T, double h) noexcept;
KVIAPWS97_WATER_EXPORT all_results Ts_all(double T, double s) noexcept;
KVIAPWS97_WATER_EXPORT all_results hx_all(double h, double x) noexcept;
KVIAPWS97_WATER_EXPORT all_results sx_all(double s, double x) noexcept;
KVIAPWS97_WATER_EXPORT result prho(double p, double rho, int* count = nullptr) noexcept;
KVIAPWS97_WATER_EXPORT result Th(double T, double h, int* count = nullptr) noexcept;
KVIAPWS97_WATER_EXPORT result Ts(double T, double s, int* count = nullptr) noexcept;
KVIAPWS97_WATER_EXPORT result hx(double h, double x, int* count = nullptr) noexcept;
KVIAPWS97_WATER_EXPORT result sx(double s, double x, int* count = nullptr) noexcept;

}  // namespace kviapws97::water
