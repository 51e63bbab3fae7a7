// What the grids of the state-function tests share (with the tally of failing
// rows of checks.hpp): the reproduction of h and s that a flash promises, and
// the distance of a state from where two regions' equations overlap.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "if97/constants.hpp"
#include "if97/saturation.hpp"
#include "support/checks.hpp"  // tally

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

}  // namespace kvtest
