// Surface tension of water against its vapour: IAPWS R1-76(2014).
#pragma once

namespace transport {

// Surface tension, mN/m, for 273.0 K <= T <= 647.3 K (zero above the critical
// temperature), otherwise -1.0.
double surface_tension(double T);

}  // namespace transport
