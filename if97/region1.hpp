// IAPWS-IF97 region 1 (compressed liquid): properties from the basic equation,
// a Gibbs free energy gamma(pi, tau), Eq. (7). Arguments p in MPa, T in K.
// No argument is checked: the caller decides that the state lies in region 1.
#pragma once

#include "if97/properties.hpp"

namespace if97 {

double v1(double p, double T);     // specific volume, m3/kg
double h1(double p, double T);     // specific enthalpy, kJ/kg
double s1(double p, double T);     // specific entropy, kJ/(kg K)
double u1(double p, double T);     // specific internal energy, kJ/kg
double cp1(double p, double T);    // specific isobaric heat capacity, kJ/(kg K)
double cv1(double p, double T);    // specific isochoric heat capacity, kJ/(kg K)
double w1(double p, double T);     // speed of sound, m/s
double fug1(double p, double T);   // fugacity, MPa, referred to the region-2 ideal gas
double dvdp1(double p, double T);  // (dv/dp)_T, m3/(kg kPa)

properties properties1(double p, double T);  // all of them in one evaluation
properties properties1(double p, double T, extent e);  // an extent of them, NaN beyond
// What a Newton step in (T, p) needs, from only the sums it needs: v, h, u,
// cp, dv_dp and dv_dT (the same to the last bit as properties1's), s where
// entropy; the rest NaN.
properties properties1_for_step(double p, double T, bool entropy);
caloric enthalpy_cp1(double p, double T);    // h and cp
caloric entropy_cp1(double p, double T);     // s and cp
hsv hsv1(double p, double T);                // h, s and v
// The gibbs_slope bits of want, with v (m3/kg) of the state at (p, T).
gibbs_slopes slopes1(double p, double T, double v, unsigned want);
properties properties1_volume_energy(double p, double T);  // v, h and u; the rest NaN
// The same from fewer operations, to rounding: where the sums cancel (near
// 277 K, at psat(623.15 K)) 2.4e-13 relative seen from properties1's,
// whose bits slopes1 keeps.
gibbs_slopes slopes1_scaled(double p, double T, double v, unsigned want);

}  // namespace if97
