// IAPWS-IF97 supplementary equation for the metastable-vapour region
// (supersaturated steam), Eq. (18) of Section 6.2.2: a Gibbs free energy
// gamma(pi, tau) = gamma0 + gamma^r with region 2's reducing quantities and
// ideal-gas part (two of its coefficients readjusted) and a residual part of
// its own, Eq. (19). The release gives it from the saturated-vapour line down
// to the 5 % equilibrium-moisture line, from the triple-point pressure up to
// 10 MPa. Arguments p in MPa, T in K; no argument is checked.
#pragma once

#include "if97/properties.hpp"

namespace if97 {

// The highest pressure of Eq. (18), MPa.
inline constexpr double p_metastable_max = 10.0;
// The largest equilibrium moisture of a state of Eq. (18): at (p, h) the
// state's h is at least h' + (1 - 0.05) (h'' - h') of p.
inline constexpr double metastable_moisture_max = 0.05;

double v2m(double p, double T);     // specific volume, m3/kg
double h2m(double p, double T);     // specific enthalpy, kJ/kg
double s2m(double p, double T);     // specific entropy, kJ/(kg K)
double u2m(double p, double T);     // specific internal energy, kJ/kg
double cp2m(double p, double T);    // specific isobaric heat capacity, kJ/(kg K)
double cv2m(double p, double T);    // specific isochoric heat capacity, kJ/(kg K)
double w2m(double p, double T);     // speed of sound, m/s
double dvdp2m(double p, double T);  // (dv/dp)_T, m3/(kg kPa)

properties properties2m(double p, double T);  // all of them in one evaluation
caloric enthalpy_cp2m(double p, double T);    // h and cp
caloric entropy_cp2m(double p, double T);     // s and cp

}  // namespace if97
