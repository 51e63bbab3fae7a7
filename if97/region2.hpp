// IAPWS-IF97 region 2 (steam): properties from the basic equation, a Gibbs
// free energy gamma(pi, tau) = gamma0 + gamma^r, Eqs. (15) to (17). Arguments
// p in MPa, T in K. No argument is checked: the caller decides that the state
// lies in region 2.
#pragma once

#include "if97/properties.hpp"

namespace if97 {

double v2(double p, double T);     // specific volume, m3/kg
double h2(double p, double T);     // specific enthalpy, kJ/kg
double s2(double p, double T);     // specific entropy, kJ/(kg K)
double u2(double p, double T);     // specific internal energy, kJ/kg
double cp2(double p, double T);    // specific isobaric heat capacity, kJ/(kg K)
double cv2(double p, double T);    // specific isochoric heat capacity, kJ/(kg K)
double w2(double p, double T);     // speed of sound, m/s
double fug2(double p, double T);   // fugacity, MPa, referred to the region-2 ideal gas
double dvdp2(double p, double T);  // (dv/dp)_T, m3/(kg kPa)

properties properties2(double p, double T);  // all of them in one evaluation
properties properties2(double p, double T, extent e);  // an extent of them, NaN beyond
// What a Newton step in (T, p) needs, from only the sums it needs: v, h, u,
// cp, dv_dp and dv_dT (the same to the last bit as properties2's), s where
// entropy; the rest NaN.
properties properties2_for_step(double p, double T, bool entropy);
caloric enthalpy_cp2(double p, double T);    // h and cp
caloric entropy_cp2(double p, double T);     // s and cp
hsv hsv2(double p, double T);                // h, s and v
// The gibbs_slope bits of want, with v (m3/kg) of the state at (p, T).
gibbs_slopes slopes2(double p, double T, double v, unsigned want);
properties properties2_volume_energy(double p, double T);  // v, h and u; the rest NaN
// What a Newton step along an isobar in T (volume) or an isotherm in p
// (enthalpy or entropy) needs: v, dv_dT and h or s where asked (the same to
// the last bit as properties2's); the rest NaN.
enum class line_quantity { volume, enthalpy, entropy };
properties properties2_along_line(double p, double T, line_quantity q);

}  // namespace if97
