// IAPWS-IF97 region 5 (high-temperature steam, 1073.15 K to 2273.15 K up to
// 50 MPa): properties from the basic equation, a Gibbs free energy
// gamma(pi, tau) = gamma0 + gamma^r, Eqs. (32) to (34), with the residual part
// as revised in 2007. Arguments p in MPa, T in K. No argument is checked: the
// caller decides that the state lies in region 5.
#pragma once

#include "if97/properties.hpp"

namespace if97 {

double v5(double p, double T);    // specific volume, m3/kg
double h5(double p, double T);    // specific enthalpy, kJ/kg
double s5(double p, double T);    // specific entropy, kJ/(kg K)
double u5(double p, double T);    // specific internal energy, kJ/kg
double cp5(double p, double T);   // specific isobaric heat capacity, kJ/(kg K)
double cv5(double p, double T);   // specific isochoric heat capacity, kJ/(kg K)
double w5(double p, double T);    // speed of sound, m/s
double fug5(double p, double T);  // fugacity, MPa, referred to the region-5 ideal gas

properties properties5(double p, double T);  // all of them in one evaluation
properties properties5(double p, double T, extent e);  // an extent of them, NaN beyond
// What a Newton step in (T, p) needs, from only the sums it needs: v, h, u,
// cp, dv_dp and dv_dT (the same to the last bit as properties5's), s where
// entropy; the rest NaN.
properties properties5_for_step(double p, double T, bool entropy);
caloric enthalpy_cp5(double p, double T);    // h and cp
caloric entropy_cp5(double p, double T);     // s and cp
// The gibbs_slope bits of want, with v (m3/kg) of the state at (p, T).
gibbs_slopes slopes5(double p, double T, double v, unsigned want);

}  // namespace if97
