// Backward equations of (h, s) from two IAPWS supplementary releases:
// SR2-01 (2001, revised 2014), "Backward Equations for Pressure as a Function
// of Enthalpy and Entropy p(h,s) for Regions 1 and 2 of IAPWS-IF97", and
// SR4-04 (2004, revised 2014), "Backward Equations p(h,s) for Region 3,
// Equations as a Function of h and s for the Region Boundaries, and an
// Equation Tsat(h,s) for Region 4 of IAPWS-IF97". p in MPa, T in K, h in kJ/kg,
// s in kJ/(kg K). Nothing is checked: the ranges below are the caller's to keep.
//
// Finding the region of (h, s) with the lines of SR4-04:
// below the saturation line h_sat(s) (hsat_liquid_1, hsat_liquid_3a,
// hsat_vapour_2c3b, hsat_vapour_2ab, each in its entropy range) the state is
// two-phase; on or above it, by entropy:
//   s < s_b13_min: region 1;
//   s_b13_min <= s <= s_liquid_623: region 1 if h < h_b13(s), else region 3;
//   s_liquid_623 < s < s_b23_min: region 3 (3a up to s_c, 3b above);
//   s_b23_min <= s <= s_b23_max: region 3 if h < h_b23_min, region 2 if
//     h > h_b23_max, otherwise region 2 if p2_hs(subregion2::c, h, s) <=
//     pB23(T_b23_hs(h, s)) and region 3 if not;
//   s > s_b23_max: region 2, with its subregion from subregion2_hs.
// The outer limits (100 MPa, 273.15 K, 1073.15 K) have no h(s) equation here.
#pragma once

#include "if97/backward12.hpp"
#include "if97/backward3.hpp"

namespace if97 {

// Entropies and enthalpies that end the lines below (SR4-04; the
// 623.15 K values are in backward3.hpp: s_liquid_623, s_vapour_623,
// h_vapour_623).
inline constexpr double s_liquid_273 = -1.545495919e-4;  // kJ/(kg K), s'(273.15 K)
inline constexpr double s_vapour_273 = 9.155759395;      // kJ/(kg K), s''(273.15 K); above it no two-phase state
inline constexpr double s_b13_min = 3.397782955;         // kJ/(kg K), s(100 MPa, 623.15 K)
inline constexpr double s_b23_min = 5.048096828;         // kJ/(kg K), range of T_b23_hs
inline constexpr double s_b23_max = 5.260578707;         // kJ/(kg K)
inline constexpr double h_b23_min = 2.563592004e3;       // kJ/kg, h''(623.15 K)
inline constexpr double h_b23_max = 2.812942061e3;       // kJ/kg, h(100 MPa, 863.15 K)
// The range of h2ab(s), s''(4 MPa) to s(4 MPa, 1073.15 K). SR2-01 does not
// print them; these are the IF97 region-2 basic equation, Eq. (15), at
// 4 MPa and at Tsat(4 MPa) = 523.507519124 K by Eq. (31), and at 1073.15 K.
inline constexpr double s_2ab_min = 6.069709159519124;  // kJ/(kg K), s''(4 MPa)
inline constexpr double s_2ab_max = 7.85234039987851;   // kJ/(kg K), s(4 MPa, 1073.15 K)

// Region 1, SR2-01 Eq. (1), valid in region 1 (273.15 K <= T <= 623.15 K,
// psat(T) <= p <= 100 MPa). T(h, s) is then T1_ph(p1_hs(h, s), h).
double p1_hs(double h, double s);  // MPa

// The isobar p_2ab between 2a and 2b as h(s), SR2-01 Eq. (2), for
// s_2ab_min <= s <= s_2ab_max; it departs from 4 MPa by at most 22 kPa.
double h2ab(double s);  // kJ/kg

// The subregion of a region-2 (h, s) by SR2-01's h2ab: 2a if s > s_2ab_max,
// or if s_2ab_min <= s <= s_2ab_max and h <= h2ab(s); otherwise 2b if
// s >= s_2bc, otherwise 2c. These are the subregions of T2_ph and T2_ps:
// T(h, s) is T2_ph(p2_hs(h, s), h), the subregion chosen again from (p, h).
subregion2 subregion2_hs(double h, double s);
// One subregion's equation, SR2-01 Eqs. (3), (4), (5), valid in its subregion
// of region 2 (2a from 611.213 Pa).
double p2_hs(subregion2 which, double h, double s);  // MPa
double p2_hs(double h, double s);                    // MPa, the subregion by subregion2_hs

// Region 3, SR4-04 Eqs. (1) and (2), 3a for s <= s_c and 3b above
// (subregion3ab_s). T(h, s) is then T3_ph(p3_hs(h, s), h) and v(h, s) is
// v3_ps(p3_hs(h, s), s).
double p3_hs(subregion3ab which, double h, double s);  // MPa
double p3_hs(double h, double s);                      // MPa

// The saturation line as h(s), SR4-04 Eqs. (3) to (6):
double hsat_liquid_1(double s);     // kJ/kg, h'1, s_liquid_273 <= s <= s_liquid_623
double hsat_liquid_3a(double s);    // kJ/kg, h'3a, s_liquid_623 < s <= s_c
double hsat_vapour_2ab(double s);   // kJ/kg, h''2ab, s_2bc <= s <= s_vapour_273
double hsat_vapour_2c3b(double s);  // kJ/kg, h''2c3b, s_c <= s < s_2bc

// The boundary of regions 1 and 3, the isotherm 623.15 K from the saturated
// liquid to 100 MPa, as h(s), SR4-04 Eq. (7): s_b13_min <= s <= s_liquid_623.
// It follows the isotherm to within 3.20 mK.
double h_b13(double s);  // kJ/kg

// The temperature on the boundary of regions 2 and 3 as a function of (h, s),
// SR4-04 Eq. (8), from the saturated vapour to 100 MPa for
// s_b23_min <= s <= s_b23_max and h_b23_min <= h <= h_b23_max.
double T_b23_hs(double h, double s);  // K

// The saturation temperature of a two-phase (h, s), SR4-04 Eq. (9), for
// s >= s_vapour_623 (273.15 K <= T <= 623.15 K); psat(Tsat_hs(h, s)) is its
// pressure. Below s_vapour_623 no explicit equation exists.
double Tsat_hs(double h, double s);  // K

}  // namespace if97
