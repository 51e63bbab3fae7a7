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
  explicit operator bool() const noexcept { return status == status::ok; }
  const char* reason() const noexcept { return status_text(status); }
};

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

}  // namespace kviapws97::water
