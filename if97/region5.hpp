// IAPWS-IF97 region 5 (high-temperature steam, 1073.15 K to 2273.15 K up to
// 50 MPa): properties from the basic equation, a Gibbs free energy
// gamma(pi, tau) = gamma0 + gamma^r, Eqs. (32) to (34), with the residual part
// as revised in 2007. Arguments p in MPa, T in K. No argument is checked: the
// caller decides that the state lies in region 5.
#pragma once

namespace if97 {

double v5(double p, double T);    // specific volume, m3/kg
double h5(double p, double T);    // specific enthalpy, kJ/kg
double s5(double p, double T);    // specific entropy, kJ/(kg K)
double u5(double p, double T);    // specific internal energy, kJ/kg
double cp5(double p, double T);   // specific isobaric heat capacity, kJ/(kg K)
double cv5(double p, double T);   // specific isochoric heat capacity, kJ/(kg K)
double w5(double p, double T);    // speed of sound, m/s
double fug5(double p, double T);  // fugacity, MPa, referred to the region-5 ideal gas

// The parts of gamma and their derivatives (IAPWS-IF97 Tables 40 and 41),
// dimensionless, at pi = p / 1 MPa and tau = 1000 K / T.
double gamma5_ideal(double p, double T);         // gamma0 = ln pi + sum n0 tau^J0
double gamma5_ideal_pi(double p, double T);      // 1 / pi
double gamma5_ideal_tau(double p, double T);     // d gamma0 / d tau
double gamma5_ideal_tautau(double p, double T);  // d2 gamma0 / d tau2
double gamma5_res(double p, double T);           // gamma^r
double gamma5_res_pi(double p, double T);        // d gamma^r / d pi
double gamma5_res_pipi(double p, double T);      // d2 gamma^r / d pi2
double gamma5_res_tau(double p, double T);       // d gamma^r / d tau
double gamma5_res_tautau(double p, double T);    // d2 gamma^r / d tau2
double gamma5_res_pitau(double p, double T);     // d2 gamma^r / d pi d tau

}  // namespace if97
