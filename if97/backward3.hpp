// Region-3 backward equations of the IAPWS supplementary release SR3-03
// (2003, revised 2004 and 2014), "Backward Equations for the Functions T(p,h),
// v(p,h) and T(p,s), v(p,s) for Region 3 of IAPWS-IF97": T and v from (p, h)
// and from (p, s) in subregions 3a and 3b, the boundary h3ab(p) between them,
// and the saturation boundary of region 3 as p3sat(h) and p3sat(s).
// p in MPa, T in K, v in m3/kg, h in kJ/kg, s in kJ/(kg K). Nothing is
// checked: the ranges below are the caller's to keep.
#pragma once

namespace if97 {

// Region 3 is 623.15 K <= T <= 863.15 K with pB23(T) <= p <= 100 MPa. The
// critical isentrope s_c divides it into 3a (s <= s_c) and 3b (s > s_c).
enum class subregion3ab : unsigned char { a, b };

inline constexpr double s_c = 4.41202148223476;  // kJ/(kg K), the critical entropy, SR3-03's boundary 3a/3b
inline constexpr double h_c = 2.087546845e3;     // kJ/kg, the critical enthalpy, where SR4-04 Eqs. (4) and (6) end
// The ends of region 3 on the saturation line, at 623.15 K (SR3-03 Eqs. (10), (11)).
inline constexpr double h_liquid_623 = 1.670858218e3;  // kJ/kg, h'(623.15 K)
inline constexpr double h_vapour_623 = 2.563592004e3;  // kJ/kg, h''(623.15 K)
inline constexpr double s_liquid_623 = 3.778281340;    // kJ/(kg K), s'(623.15 K)
inline constexpr double s_vapour_623 = 5.210887825;    // kJ/(kg K), s''(623.15 K)
inline constexpr double T_3ab_max = 762.380873481;     // K, the critical isentrope at 100 MPa

// The boundary between 3a and 3b for (p, h), SR3-03 Eq. (1): from the
// critical point (p_c, h_c) to 100 MPa it follows the critical isentrope;
// below p_c it stays between the saturated-liquid and saturated-vapour
// enthalpies.
double h3ab(double p);  // kJ/kg

// The subregion of (p, h): 3a if h <= h3ab(p), else 3b.
subregion3ab subregion3ab_ph(double p, double h);
// The subregion of an entropy (for (p, s) and, in SR4-04, (h, s)): 3a if
// s <= s_c, else 3b.
subregion3ab subregion3ab_s(double s);

// One subregion's equation, valid in that subregion of region 3.
double T3_ph(subregion3ab which, double p, double h);  // K, SR3-03 Eqs. (2), (3)
double v3_ph(subregion3ab which, double p, double h);  // m3/kg, SR3-03 Eqs. (4), (5)
double T3_ps(subregion3ab which, double p, double s);  // K, SR3-03 Eqs. (6), (7)
double v3_ps(subregion3ab which, double p, double s);  // m3/kg, SR3-03 Eqs. (8), (9)

// Region 3 with the subregion chosen by subregion3ab_ph or subregion3ab_s.
double T3_ph(double p, double h);  // K
double v3_ph(double p, double h);  // m3/kg
double T3_ps(double p, double s);  // K
double v3_ps(double p, double s);  // m3/kg

// The saturation pressure along the boundary of region 3 with region 4,
// through the critical point: SR3-03 Eq. (10) for
// h_liquid_623 <= h <= h_vapour_623 and Eq. (11) for
// s_liquid_623 <= s <= s_vapour_623. A (p, h) with h in that range is
// two-phase if p < p3sat_h(h); likewise for (p, s).
double p3sat_h(double h);  // MPa
double p3sat_s(double s);  // MPa

}  // namespace if97
