// The backward equations T(p,h) and T(p,s) of IAPWS-IF97 (Revised Release
// 2007) for region 1 (Eqs. (11) and (13)) and for the three subregions of
// region 2 (Eqs. (22) to (27)), with the B2bc boundary (Eqs. (20) and (21)) and
// the subregion choice. p in MPa, T in K, h in kJ/kg, s in kJ/(kg K).
// Nothing is checked: like the basic equations, each function evaluates its
// equation wherever it is asked, and the ranges below are the caller's to keep.
#pragma once

namespace if97 {

// Region 1, valid in region 1 without the metastable superheated liquid:
// 273.15 K <= T <= 623.15 K and psat(T) <= p <= 100 MPa, that is h (or s) from
// its value at (p, 273.15 K) up to its value at (p, min(Tsat(p), 623.15 K)).
double T1_ph(double p, double h);  // K, IAPWS-IF97 Eq. (11)
double T1_ps(double p, double s);  // K, IAPWS-IF97 Eq. (13)

// The subregions of region 2 for T(p,h) and T(p,s) (IAPWS-IF97 Fig. 2): 2a up
// to the isobar p_2ab, above it 2b at high entropy, 2c at low entropy. The
// boundary 2b/2c is the isentrope s_2bc for T(p,s) and the B2bc line, which
// approximates it (s between 5.81 and 5.85 kJ/(kg K) along it), for T(p,h).
enum class subregion2 : unsigned char { a, b, c };

inline constexpr double p_2ab = 4.0;                 // MPa, the isobar 2a/2b
inline constexpr double s_2bc = 5.85;                // kJ/(kg K), the isentrope 2b/2c
inline constexpr double p_2a_min = 611.153e-6;       // MPa, lowest pressure of Eq. (22), psubl(273.15 K)
inline constexpr double p_2bc_sat = 6.52007;         // MPa, where s_2bc meets the saturated-vapour line
inline constexpr double T_2bc_sat = 554.21;          // K, the same point
inline constexpr double p_b2bc_sat = 6.54670;        // MPa, where the B2bc line leaves the saturated-vapour line
inline constexpr double T_b2bc_sat = 554.485;        // K, the same point
inline constexpr double T_b2bc_max = 1019.32;        // K, where the B2bc line reaches 100 MPa
inline constexpr double h_b2bc_max = 0.3516004323e4;  // kJ/kg, the same point (IF97's value given with Eq. (21))

// The B2bc line between subregions 2b and 2c, from (554.485 K, 6.54670 MPa)
// on the saturated-vapour line, where h = 2778.27 kJ/kg, to (1019.32 K,
// 100 MPa), where h = h_b2bc_max. b2bc_p is the pressure along it as a
// function of h, Eq. (20); b2bc_h its inverse, Eq. (21), which has a real
// value only from the minimum of Eq. (20), 4.5257578905948 MPa, upwards (NaN
// below). Only b2bc_p serves the choice down to p_2ab.
double b2bc_p(double h);  // MPa, IAPWS-IF97 Eq. (20)
double b2bc_h(double p);  // kJ/kg, IAPWS-IF97 Eq. (21)

// The subregion of (p, h): 2a if p <= p_2ab, else 2b if p <= b2bc_p(h), else 2c.
// Every region-2 state between p_2ab and p_b2bc_sat is in 2b.
subregion2 subregion2_ph(double p, double h);
// The subregion of (p, s): 2a if p <= p_2ab, else 2b if s >= s_2bc, else 2c.
subregion2 subregion2_ps(double p, double s);

// One subregion's equation, whatever (p, h) or (p, s) is. Each is valid in its
// own subregion of the stable region 2 (no metastable vapour): 2a from
// p_2a_min to p_2ab, 2b and 2c from p_2ab up to 100 MPa, with T up to 1073.15 K
// and p at most psat(T) (below 623.15 K) or pB23(T) (623.15 K to 863.15 K).
double T2_ph(subregion2 which, double p, double h);  // K, IAPWS-IF97 Eqs. (22), (23), (24)
double T2_ps(subregion2 which, double p, double s);  // K, IAPWS-IF97 Eqs. (25), (26), (27)

// Region 2 with the subregion chosen by subregion2_ph or subregion2_ps.
double T2_ph(double p, double h);  // K
double T2_ps(double p, double s);  // K

}  // namespace if97
