// The roots of the region-3 equation on an isotherm, found without the host's
// root search, and the volumes about a root that the search's pressure
// tolerance allows.
#pragma once

#include <cmath>
#include <vector>

#include "if97/if97.h"

namespace kvtest {

// P3(T, V) in Pa, V in m3/kmol.
inline double region3_pressure(double T, double V) {
  const double v = V / 18.0152;
  return IF97_P3(&T, &v) * 1e6;
}

// The volumes (m3/kmol) where P3(T, V) = P from 150 to 650 kg/m3, ascending:
// a scan over density in steps of 0.2 kg/m3 (up to 647.095 K the loop's
// roots lie 2.6 kg/m3 apart or more) and bisection.
inline std::vector<double> region3_roots(double T, double P) {
  std::vector<double> roots;
  double V_prev = 18.0152 / 650.0;
  bool above_prev = region3_pressure(T, V_prev) > P;
  for (int i = 1; i <= 2500; ++i) {
    double a = V_prev, b = 18.0152 / (650.0 - 0.2 * i);
    const bool above = region3_pressure(T, b) > P;
    V_prev = b;
    if (above == above_prev) continue;
    for (int k = 0; k < 64; ++k) {
      const double m = 0.5 * (a + b);
      ((region3_pressure(T, m) > P) == above_prev ? a : b) = m;
    }
    above_prev = above;
    roots.push_back(a);
  }
  return roots;
}

// The volumes about a root where |P3(T, V) - P| <= 1e-10 P, the search's
// tolerance: near 647.096 K 1e-7 of the volume or more.
struct volume_interval {
  double lo, hi;
  bool holds(double V) const { return V >= lo && V <= hi; }
};

inline volume_interval within_tolerance(double T, double P, double root) {
  const auto inside = [&](double V) { return std::fabs(region3_pressure(T, V) - P) <= 1e-10 * P; };
  double ends[2];
  for (int side = 0; side < 2; ++side) {
    const double sign = side == 0 ? -1.0 : 1.0;
    double in = root, step = 1e-13 * root;
    for (int k = 0; k < 60 && inside(in + sign * step); ++k) {
      in += sign * step;
      step *= 2.0;
    }
    double out = in + sign * step;
    for (int k = 0; k < 64; ++k) {
      const double m = 0.5 * (in + out);
      (inside(m) ? in : out) = m;
    }
    ends[side] = in;
  }
  return {ends[0], ends[1]};
}

}  // namespace kvtest
