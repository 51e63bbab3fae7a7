#include "if97/region4.hpp"

#include "if97/region3_backward.hpp"

namespace if97 {

region_point saturated_point(saturated_side side, double p, double T) {
  const bool liquid = side == saturated_side::liquid;
  if (T <= T_region1_max) return {liquid ? 1 : 2, p, T, 0.0};
  return {3, p, T, liquid ? v3pt_liq(p, T) : v3pt_vap(p, T)};
}

}  // namespace if97
