// Where the industrial forms of the transport releases hold: IAPWS R12-08
// (viscosity) and IAPWS R15-11 (thermal conductivity) up to 1173.15 K (at
// pressures up to 100 MPa below it, 50 MPa in IF97 region 5). Beyond it a
// state has no viscosity or conductivity.
#pragma once

namespace transport {

inline constexpr double T_max = 1173.15;  // K, IAPWS R12-08 and R15-11

}  // namespace transport
