// Viscosity and surface tension against the releases' verification values.
#include <gtest/gtest.h>

#include "support/checks.hpp"
#include "support/published_values.hpp"
#include "transport/transport.h"

namespace {

TEST(Viscosity, ReproducesR12Table4) {
  for (const kvtest::viscosity_row& r : kvtest::r12_08_table4) {
    const double v = 1.0 / r.rho;
    EXPECT_TRUE(kvtest::matches_printed(IF97_VISC(&r.T, &v) * 1e6, r.mu))
        << "T = " << r.T << " K, rho = " << r.rho << " kg/m3";
  }
}

TEST(Viscosity, FiniteAtTheCriticalPoint) {
  const double T = 647.096, v = 1.0 / 322.0;
  EXPECT_TRUE(kvtest::close_relative(IF97_VISC(&T, &v), 39.329e-6, 1e-4));
}

struct sigma_row {
  double T;  // K
  double sigma;  // mN/m
  double tolerance;  // mN/m
};

// Values of the equation to 0.001 mN/m at the ends of the accepted range,
// zero above the critical point, and -1 outside the range.
const sigma_row sigma_rows[] = {
    {300.0, 71.686, 0.0005}, {373.15, 58.912, 0.0005}, {273.16, 75.646, 0.0005}, {273.0, 75.669, 0.0005},
    {647.096, 0.0, 0.0},    {647.2, 0.0, 0.0},      {647.3, 0.0, 0.0},
    {272.99, -1.0, 0.0},    {647.31, -1.0, 0.0},
};

TEST(SurfaceTension, ReproducesR1Table1AndItsRange) {
  for (const kvtest::surface_tension_row& r : kvtest::r1_76_table1)
    EXPECT_TRUE(kvtest::matches_printed(IF97_SIGMA(&r.T), r.sigma)) << "T = " << r.T << " K";
  for (const sigma_row& r : sigma_rows)
    EXPECT_NEAR(IF97_SIGMA(&r.T), r.sigma, r.tolerance) << "T = " << r.T << " K";
}

}  // namespace
