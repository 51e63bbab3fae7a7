// IAPWS-IF97 region 3 (near-critical and dense supercritical states):
// properties from the basic equation, a Helmholtz free energy phi(delta, tau),
// Eq. (28). Arguments T in K and v in m3/kg (p in MPa for the fugacity).
// No argument is checked: the caller decides that the state lies in region 3.
#pragma once

#include "if97/properties.hpp"

namespace if97 {

double p3(double T, double v);           // pressure, MPa
double h3(double T, double v);           // specific enthalpy, kJ/kg
double s3(double T, double v);           // specific entropy, kJ/(kg K)
double u3(double T, double v);           // specific internal energy, kJ/kg
double cp3(double T, double v);          // specific isobaric heat capacity, kJ/(kg K)
double cv3(double T, double v);          // specific isochoric heat capacity, kJ/(kg K)
double w3(double T, double v);           // speed of sound, m/s
double fug3(double p, double T, double v);  // fugacity, MPa, referred to the region-2 ideal gas
double dpdv3(double T, double v);        // (dp/dv)_T, kPa kg/m3
properties properties3(double T, double v);  // all of them in one evaluation, p from the equation

// The pressure along an isotherm and its slope, for the density searches.
struct isotherm_point {
  double p;        // MPa
  double dp_drho;  // (dp/drho)_T, MPa m3/kg
};
isotherm_point p3_isotherm(double T, double rho);

// The slopes of the pressure in the equation's own variables, which stay
// finite at the critical point where (dv/dp)_T does not: with properties3's
// p, h, s, u and cv they give every first derivative of a region-3 state.
struct pressure_slopes {
  double dp_dT;    // (dp/dT)_rho, MPa/K
  double dp_drho;  // (dp/drho)_T, MPa m3/kg
};
properties properties3(double T, double v, pressure_slopes& slopes);  // the same one evaluation

// The pressure with the slopes and cv that a caller asks for (a set of the
// bits below), from only the sums that those need: for the derivatives of
// water/. Zero where not asked for.
enum helmholtz_slope : unsigned {
  want_dp_dT = 1u,    // (dp/dT)_rho
  want_dp_drho = 2u,  // (dp/drho)_T
  want_cv = 4u,       // cv
};
struct helmholtz_slopes {
  double p;        // MPa
  double dp_dT;    // MPa/K
  double dp_drho;  // MPa m3/kg
  double cv;       // kJ/(kg K)
};
helmholtz_slopes slopes3(double T, double v, unsigned want);

// A caloric property along an isochore with its slope in T, from only the
// sums that they need (the value the same to the last bit as properties3's):
// for the flashes of rho and u, h or s.
struct isochore_point {
  double value;  // kJ/kg or kJ/(kg K)
  double d_dT;   // its (d/dT)_v, per K
};
isochore_point u3_isochore(double T, double v);  // u and cv
isochore_point h3_isochore(double T, double v);  // h and (dh/dT)_v
isochore_point s3_isochore(double T, double v);  // s and cv / T

// The isobaric heat capacity diverges at the critical point. Within this
// window around (T_c, rho_c), both limits inclusive, cp3 returns cp_critical.
inline constexpr double cp_window_rho = 0.03;          // kg/m3, |1/v - rho_c|
inline constexpr double cp_window_T = 1e-6;            // K, |T - T_c|
inline constexpr double cp_critical = 462218448918.886;  // kJ/(kg K)

}  // namespace if97
