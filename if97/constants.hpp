// Constants shared by the IAPWS-IF97 equations of this library: each is
// defined here once, and every constant derived from others is written as the
// expression that derives it.
#pragma once

namespace if97 {

// IAPWS-IF97 Eq. (1): specific gas constant of ordinary water.
inline constexpr double R = 0.461526;         // kJ/(kg K)
inline constexpr double R_sound = 1e3 * R;    // J/(kg K), the same constant for the speed of sound

// IAPWS-IF97 Eqs. (2) to (4): critical parameters.
inline constexpr double T_c = 647.096;        // K
inline constexpr double p_c = 22.064;         // MPa
inline constexpr double rho_c = 322.0;        // kg/m3
inline constexpr double v_c = 1.0 / rho_c;    // m3/kg
// The saturation pressure at T_c of this library's saturation line (the
// straight line through T_c that continues Eq. (30), see saturation.hpp):
// the critical pressure wherever this library compares or fills in a
// pressure on the saturation line.
inline constexpr double p_c_sat = 22.0639999998894;  // MPa

// IAPWS-IF97 Section 4, Fig. 1: the boundaries of the regions.
inline constexpr double T_region1_max = 623.15;   // K, region 1 ends, region 3 and B23 begin
inline constexpr double T_b23_max = 863.15;       // K, B23 ends at 100 MPa
inline constexpr double T_region2_max = 1073.15;  // K, region 2 ends, region 5 begins
inline constexpr double T_region5_max = 2273.15;  // K, region 5 ends
inline constexpr double p_max = 100.0;            // MPa, regions 1 to 3
inline constexpr double p_region5_max = 50.0;     // MPa, region 5 (2007 revision)
inline constexpr double T_min = 273.15;           // K, lowest temperature of regions 1 and 2

}  // namespace if97
