#include "if97/region_choice.hpp"

#include "if97/constants.hpp"
#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region3_backward.hpp"
#include "if97/region5.hpp"
#include "if97/saturation.hpp"

namespace if97 {

int region_of(double p, double T) {
  if (T <= T_region1_max) return psat(T) <= p ? 1 : 2;
  if (T > T_region2_max) return 5;
  return T < T_b23_max && p > pb23(T) ? 3 : 2;
}

region_point single_phase_point(double p, double T) {
  const int region = region_of(p, T);
  return {region, p, T, region == 3 ? v3pt(p, T) : 0.0};
}

double volume_at(const region_point& point) {
  switch (point.region) {
    case 1: return v1(point.p, point.T);
    case 2: return v2(point.p, point.T);
    case 5: return v5(point.p, point.T);
    default: return point.v;
  }
}

}  // namespace if97
