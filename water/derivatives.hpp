// First partial derivatives of a state of water and steam, analytic, in SI
// units: any (dA/dB)_C among p, T, rho, v, h, s, u, g, f (and x in
// two-phase states), and a record of the ones solvers use most. Computed on
// request from the state's region and natural variables, so that a state
// itself pays nothing for them.
//
// Every quantity Z has a gradient in the state's natural pair of variables:
// (p, T) in regions 1, 2 and 5 from the Gibbs free energy, (T, rho) in
// region 3 from the Helmholtz free energy, (T, x) in two-phase states with
// Z = Z' + x (Z'' - Z') and the saturated phases differentiated along the
// saturation line (dpsat/dT from IAPWS-IF97 Eq. (30); in region 3 the
// saturated densities from p(T, rho) = psat(T)). Then
// (dA/dB)_C = (A1 C2 - A2 C1) / (B1 C2 - B2 C1).
#pragma once

#include <array>

#include "water/state.hpp"

namespace kviapws97::water {

// The quantities of a derivative, in the order of the C enum kviapws97_quantity.
enum class quantity : int {
  p = 0,    // Pa
  T = 1,    // K
  rho = 2,  // kg/m3
  v = 3,    // m3/kg
  h = 4,    // J/kg
  s = 5,    // J/(kg K)
  u = 6,    // J/kg
  g = 7,    // Gibbs free energy h - T s, J/kg
  f = 8,    // Helmholtz free energy u - T s, J/kg
  x = 9,    // vapour fraction, two-phase states only
};
inline constexpr int quantity_count = 10;

// The quantity of a name "p", "T", "rho", "v", "h", "s", "u", "g", "f" or "x";
// false for any other name.
KVIAPWS97_WATER_EXPORT bool quantity_of_name(const char* name, quantity& out) noexcept;

// The gradients of every quantity in the two natural variables of a state,
// SI units per unit of each variable.
struct jacobian {
  std::array<double, quantity_count> d1;  // per unit of the first: p, or T in region 3 and two-phase
  std::array<double, quantity_count> d2;  // per unit of the second: T, or rho in region 3, x in two-phase
};

struct derivative_result {
  water::status status;  // ok, not_finite, unknown_quantity or no_derivative
  double value;          // NaN unless status is ok
};

// (d of / d wrt) at constant held. Status not_finite for a state that is not
// one (NaN, an unknown region), unknown_quantity for a quantity out of the
// enum or x of a single-phase state, no_derivative where wrt == held or held
// cannot vary independently of wrt (T at constant p in a two-phase state;
// rho at constant v, and the reverse, whose derivatives of the other are 0).
// It reads p, T, v, rho and s of the state (of its saturated phases), and
// cp (regions 1, 2, 5) or cv (region 3) where they are finite and positive,
// as a flash forms them; otherwise it evaluates those too.
KVIAPWS97_WATER_EXPORT derivative_result derivative(const state& st, quantity of, quantity wrt,
                                                    quantity held) noexcept;

// The named derivatives, SI units. NaN where one does not exist: cp,
// alpha_v and kappa_T of a two-phase state (T and p are not independent
// there), and the two-phase ones of a single-phase state.
struct derivatives {
  double cp;                   // (dh/dT)_p, J/(kg K)
  double cv;                   // (du/dT)_v, J/(kg K)
  // sqrt((dp/drho)_s), m/s; in a two-phase state the speed of sound of the
  // homogeneous equilibrium mixture.
  double w;
  double alpha_v;              // (1/v)(dv/dT)_p, 1/K
  double kappa_T;              // -(1/v)(dv/dp)_T, 1/Pa
  double isentropic_exponent;  // (rho/p)(dp/drho)_s
  double dT_dp_h;              // (dT/dp)_h, the Joule-Thomson coefficient, K/Pa
  double dT_dh_p;              // (dT/dh)_p, K kg/J
  double drho_dp_h;            // (drho/dp)_h, kg/(m3 Pa)
  double drho_dh_p;            // (drho/dh)_p, kg2/(m3 J)
  double dp_dT_rho;            // (dp/dT)_rho, Pa/K
  double dp_drho_T;            // (dp/drho)_T, Pa m3/kg
  // Two-phase states only: along the saturation line, per Pa.
  double dTsat_dp;             // K/Pa
  double drho_liquid_dp;       // kg/(m3 Pa)
  double drho_vapour_dp;       // kg/(m3 Pa)
  double dh_liquid_dp;         // J/(kg Pa)
  double dh_vapour_dp;         // J/(kg Pa)
  double dx_dp_h;              // (dx/dp)_h, 1/Pa
  double dx_dh_p;              // (dx/dh)_p, kg/J
  jacobian natural;            // the gradients they came from
};

struct derivatives_result {
  water::status status;  // ok or not_finite
  water::derivatives d;  // every real NaN unless status is ok
};

// The named derivatives of a state, read from it as derivative() reads it.
KVIAPWS97_WATER_EXPORT derivatives_result derivatives_of(const state& st) noexcept;

// The state functions that also form the named derivatives of the state
// they return, from the flash's own final evaluation of the state's phase
// (or of the saturated phases): only dpsat/dT and the ratios are added to
// the flash. The state is the plain function's to the bit; d is what
// derivatives_of(state) gives, to 1e-13 relative (region 3: 1e-12, its
// pressure slopes formed from (dv/dp)_T and (dv/dT)_p, its p the flash's,
// which p(T, rho) reproduces to rounding), and every real of it NaN unless
// the result's status is ok. Where the flash's evaluation does not serve (a
// state put on a bound of T, a p that Pa and MPa round apart) d is
// derivatives_of(state) itself.
KVIAPWS97_WATER_EXPORT result pT(double p, double T, derivatives& d) noexcept;
KVIAPWS97_WATER_EXPORT result ph(double p, double h, derivatives& d) noexcept;
KVIAPWS97_WATER_EXPORT result ps(double p, double s, derivatives& d) noexcept;
KVIAPWS97_WATER_EXPORT result hs(double h, double s, derivatives& d) noexcept;
KVIAPWS97_WATER_EXPORT result Tx(double T, double x, derivatives& d) noexcept;
KVIAPWS97_WATER_EXPORT result px(double p, double x, derivatives& d) noexcept;

// (d of / d wrt) at constant held from gradients already formed: a few
// operations for each further derivative of the same state.
KVIAPWS97_WATER_EXPORT derivative_result derivative(const jacobian& j, quantity of, quantity wrt,
                                                    quantity held) noexcept;

}  // namespace kviapws97::water
