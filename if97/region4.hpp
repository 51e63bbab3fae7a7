// IAPWS-IF97 region 4: the saturated liquid and the saturated vapour at a
// point of the saturation line, and their mixtures. p in MPa, T in K,
// v in m3/kg.
#pragma once

#include "if97/constants.hpp"
#include "if97/region_choice.hpp"

namespace if97 {

enum class saturated_side { liquid, vapour };

// The saturated phase of one side at a point (p, T) of the saturation line
// below the critical point. The region goes by T alone: regions 1 and 2 up
// to 623.15 K; above it region 3 at the volume of the IAPWS SR5-05 backward
// equations for that side of the line.
region_point saturated_point(saturated_side side, double p, double T);

// The critical point as a region-3 point.
inline constexpr region_point critical_point{3, p_c_sat, T_c, v_c};

// A property of the two-phase mixture with vapour fraction x, from the
// property of the saturated liquid and of the saturated vapour.
constexpr double mixture(double liquid, double vapour, double x) { return liquid + x * (vapour - liquid); }

}  // namespace if97
