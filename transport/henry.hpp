// Henry's constants and vapour-liquid distribution constants of 14 gases in
// water: IAPWS G7-04, the correlations of Fernandez-Prini et al. (2003).
#pragma once

namespace transport {

// The solutes of IAPWS G7-04 in H2O, in the guideline's order.
enum class gas : int { He, Ne, Ar, Kr, Xe, H2, N2, O2, CO, CO2, H2S, CH4, C2H6, SF6 };
inline constexpr int gas_count = 14;

struct henry_constants {
  double kH;  // Henry's constant, Pa
  double KD;  // vapour-liquid distribution constant y2/x2, dimensionless
};

// At T in K below the critical temperature 647.096 K. No range check.
henry_constants henry(gas g, double T);

// The temperatures of the data each correlation was fitted to, K.
struct temperature_range {
  double min, max;
};
temperature_range henry_range(gas g);

}  // namespace transport
