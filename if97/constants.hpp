// Constants shared by the IAPWS-IF97 equations of this library.
#pragma once

namespace if97 {

// IAPWS-IF97 Eq. (1): specific gas constant of ordinary water.
inline constexpr double R = 0.461526;          // kJ/(kg K)
inline constexpr double R_sound = 461.526;     // J/(kg K), the same constant for the speed of sound

// IAPWS-IF97 Eqs. (2) to (4): critical parameters.
inline constexpr double T_c = 647.096;          // K
inline constexpr double p_c = 22.064;           // MPa
inline constexpr double rho_c = 322.0;          // kg/m3
inline constexpr double v_c = 0.003105590062111801;  // m3/kg, 1/rho_c
// The saturation pressure IF97_PSAT gives at T_c: the critical pressure
// wherever this library compares or fills in a pressure.
inline constexpr double p_c_sat = 22.0639999998894;  // MPa

}  // namespace if97
