// IAPWS-IF97 region boundaries: the saturation line (region 4) in both
// directions and the boundary between regions 2 and 3 (B23).
#pragma once

namespace if97 {

// Saturation pressure, MPa, for any T in K. Below 647.0958 K the saturation
// equation, Eq. (30); above it two straight lines through the critical point,
// continued without limit.
double psat(double T);
// Saturation temperature, K, for any p in MPa; the inverse of psat: the
// backward equation, Eq. (31), below 22.063946352 MPa, then straight lines.
double tsat(double p);
// The slope of psat, MPa/K: Eq. (30) differentiated below 647.0958 K, the
// slopes of its two straight lines above.
double dpsat_dT(double T);

// IAPWS-IF97 (2007) Table 1: coefficients of the B23 equation, Eq. (5)
inline constexpr double b23_n1 = 0.34805185628969e3;
inline constexpr double b23_n2 = -0.11671859879975e1;
inline constexpr double b23_n3 = 0.10192970039326e-2;
inline constexpr double b23_n4 = 0.57254459862746e3;
inline constexpr double b23_n5 = 0.13918839778870e2;

// Pressure on the boundary between regions 2 and 3, MPa, Eq. (5).
constexpr double pb23(double T) { return (b23_n3 * T + b23_n2) * T + b23_n1; }
// Temperature on the boundary between regions 2 and 3, K, Eq. (6), for p
// from 16.5292 MPa to 100 MPa.
double tb23(double p);

}  // namespace if97
