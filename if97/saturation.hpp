// IAPWS-IF97 region boundaries: the saturation line (region 4) in both
// directions and the boundary between regions 2 and 3 (B23).
#pragma once

namespace if97 {

// Saturation pressure, MPa, for any T in K. Below 647.0958 K the saturation
// equation, Eq. (30); above it two straight lines through the critical point,
// continued without limit.
double psat(double T);
// Saturation pressure in bar for 273.0 K <= T <= 647.301 K, otherwise -1.0.
double psat_bar(double T);
// Saturation temperature, K, for any p in MPa; the inverse of psat: the
// backward equation, Eq. (31), below 22.063946352 MPa, then straight lines.
double tsat(double p);
// Pressure on the boundary between regions 2 and 3, MPa, Eq. (5).
double pb23(double T);

// Boundary temperatures of the regions, K.
inline constexpr double T_region1_max = 623.15;   // region 1 ends, region 3 and B23 begin
inline constexpr double T_b23_max = 863.15;       // B23 ends at 100 MPa
inline constexpr double T_region2_max = 1073.15;  // region 2 ends, region 5 begins

}  // namespace if97
