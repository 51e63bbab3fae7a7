// The IF97 region of a single-phase state of water, as IAPWS-IF97 Section 4
// (Fig. 1) bounds the regions, and the point at which a region's equation is
// evaluated. p in MPa, T in K, v in m3/kg.
#pragma once

namespace if97 {

// A state at which one region equation is evaluated: regions 1, 2 and 5 at
// (p, T); region 3 at (T, v).
struct region_point {
  int region;  // 1, 2, 3 or 5
  double p;    // MPa
  double T;    // K
  double v;    // m3/kg; region 3 only
};

// The region of (p, T): up to 623.15 K region 1 on and above the saturation
// pressure, region 2 below it; up to 1073.15 K region 3 above the B23
// pressure (below 863.15 K), region 2 otherwise; above 1073.15 K region 5.
// No range is checked: the caller keeps (p, T) within the formulation.
int region_of(double p, double T);

// The point of (p, T) in its region, with the region-3 volume of the
// IAPWS SR5-05 backward equations.
region_point single_phase_point(double p, double T);

// The specific volume at a point, m3/kg: v1, v2 or v5 at (p, T), or the
// point's own region-3 volume.
double volume_at(const region_point& point);

}  // namespace if97
