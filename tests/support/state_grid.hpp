// What the grids of the state-function tests share, beside the tally of
// failing rows of support/checks.hpp: the reproduction of h and s that a
// flash promises, and the distance of a state from the boundaries where two
// regions' equations overlap.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "if97/constants.hpp"
#include "if97/saturation.hpp"
#include "support/checks.hpp"

namespace kvtest {

// h to 1e-11 of max(|h|, 1 kJ/kg), s to 1e-11 of max(|s|, 1 kJ/(kg K)).
inline bool reproduces(double got, double wanted) {
  return std::fabs(got - wanted) <= 1e-11 * std::fmax(std::fabs(wanted), 1e3);
}

// The distance in T (K) of (p, T) from the nearest boundary where IF97's
// region equations overlap or leave a gap: 1073.15 K (regions 2 and 5), and
// from psat(623.15 K) up the 623.15 K isotherm (1 and 3) and B23 (2 and 3).
inline double band_distance(double p_pa, double T) {
  const double p = p_pa / 1e6;
  double d = std::fabs(T - if97::T_region2_max);
  if (p >= if97::psat(if97::T_region1_max) * (1.0 - 1e-9))
    d = std::fmin(d, std::fmin(std::fabs(T - if97::T_region1_max), std::fabs(T - if97::tb23(p))));
  return d;
}


// How dense a grid of (p, T) over every region and about its boundaries is.
struct region_grid_density {
  int pressures;                       // log-spaced from 500 Pa to 100 MPa
  double T_step, T_step_hot;           // K, below and above 1073.15 K
  std::initializer_list<double> margins;  // K, each side of 623.15 K, B23 and 1073.15 K
  double p_factor_b23, p_factor_1073;  // the steps in p along those boundaries
};

// visit(p in Pa, T in K) over every region, the bounds themselves (273.15,
// 623.15, 863.15, 1073.15 and 2273.15 K, 50 and 100 MPa) among them, then
// each side of 623.15 K and B23 from psat(623.15 K) up and of 1073.15 K.
template <class Visit>
void region_grid(const region_grid_density& g, Visit visit) {
  std::vector<double> ps{50e6, 100e6}, Ts{623.15, 863.15, 1073.15, 2273.15};
  for (int i = 0; i < g.pressures; ++i) ps.push_back(500.0 * std::pow(2e5, static_cast<double>(i) / g.pressures));
  for (double T = 273.15; T < 1073.0; T += g.T_step) Ts.push_back(T);
  for (double T = 1083.15; T < 2273.0; T += g.T_step_hot) Ts.push_back(T);
  for (const double p : ps)
    for (const double T : Ts)
      if (T <= if97::T_region2_max || p <= 50e6) visit(p, T);
  for (const double m : g.margins) {
    for (const double d : {-m, m}) {
      // From the corner of regions 1, 2 and 3 at psat(623.15 K).
      for (double p = 1e6 * if97::psat(if97::T_region1_max); p < 100e6; p *= g.p_factor_b23) {
        visit(p, if97::T_region1_max + d);
        visit(p, if97::tb23(p / 1e6) + d);
      }
      for (double p = 1e3; p <= 100e6; p *= g.p_factor_1073)
        if (d < 0.0 || p <= 50e6) visit(p, if97::T_region2_max + d);
    }
  }
}

// visit(p in Pa, T in K) each side of the saturation line, every T_step
// from 273.16 K to 0.01 K below T_c, by each offset of T (K) and of p (Pa),
// then about the critical point by each pair of offsets.
template <class Visit>
void saturation_grid(double T_step, std::initializer_list<double> dTs, std::initializer_list<double> dps,
                     const std::vector<double>& critical_dTs, const std::vector<double>& critical_dps, Visit visit) {
  for (double T = 273.16; T < if97::T_c - 0.01; T += T_step) {
    const double p = 1e6 * if97::psat(T);
    for (const double sign : {-1.0, 1.0}) {
      for (const double dT : dTs) visit(p, T + sign * dT);
      for (const double dp : dps)
        if (p > dp) visit(p + sign * dp, T);
    }
  }
  for (const double dT : critical_dTs)
    for (const double dp : critical_dps) visit(1e6 * if97::p_c + dp, if97::T_c + dT);
}

}  // namespace kvtest
