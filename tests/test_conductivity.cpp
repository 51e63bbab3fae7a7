// Thermal conductivity against IAPWS R15-11 (2011): Table 4 (the formulation
// without critical enhancement), Tables 7 to 9 (industrial use with
// IAPWS-IF97), and the limits of the region-4 requests.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "if97/if97.h"
#include "support/checks.hpp"
#include "support/published_values.hpp"
#include "transport/operations.hpp"
#include "transport/transport.h"

namespace {

struct tcond_out {
  double cp, cv, mu, lambda;
};

tcond_out tcond(double p, double T, double v, std::int64_t region) {
  tcond_out o{0.0, 0.0, 0.0, 0.0};
  IF97_TCOND(&p, &T, &v, &region, &o.cp, &o.cv, &o.mu, &o.lambda);
  return o;
}

TEST(Conductivity, ReproducesR15Table4WithoutEnhancement) {
  for (const kvtest::conductivity_Tv_row& r : kvtest::r15_11_table4) {
    const tcond_out o = tcond(1.0, r.T, r.v, 5);
    EXPECT_TRUE(kvtest::matches_printed(o.lambda * 1e3, r.lambda)) << "T = " << r.T << " K, v = " << r.v;
    EXPECT_EQ(o.cp, -1.0) << "T = " << r.T;
    EXPECT_EQ(o.cv, -1.0) << "T = " << r.T;
    EXPECT_EQ(o.mu, -1.0) << "T = " << r.T;
    const transport::conductivity c = transport::conductivity_in_region(1.0, r.T, r.v, 5).value;
    EXPECT_EQ(c.lambda2, 0.0) << "T = " << r.T;
  }
}

TEST(Conductivity, ReproducesR15Tables7And8) {
  for (const kvtest::conductivity_pT_row& r : kvtest::r15_11_tables7_8) {
    const double v = r.region == 1 ? IF97_V1(&r.p, &r.T) : IF97_V2(&r.p, &r.T);
    const tcond_out o = tcond(r.p, r.T, v, r.region);
    EXPECT_TRUE(kvtest::matches_printed(o.lambda * 1e3, r.lambda))
        << "region " << r.region << ", p = " << r.p << " MPa, T = " << r.T << " K";
    EXPECT_GT(o.cp, 0.0) << "p = " << r.p << ", T = " << r.T;
    EXPECT_GT(o.cv, 0.0) << "p = " << r.p << ", T = " << r.T;
    EXPECT_GT(o.mu, 0.0) << "p = " << r.p << ", T = " << r.T;
    if (r.lambda0 == nullptr) continue;
    const transport::conductivity c = transport::conductivity_in_region(r.p, r.T, v, r.region).value;
    EXPECT_TRUE(kvtest::matches_printed(c.lambda0, r.lambda0)) << "lambda0bar, p = " << r.p;
    EXPECT_TRUE(kvtest::matches_printed(c.lambda1, r.lambda1)) << "lambda1bar, p = " << r.p;
    EXPECT_TRUE(kvtest::matches_printed(c.lambda2, r.lambda2)) << "lambda2bar, p = " << r.p;
  }
}

TEST(Conductivity, ReproducesR15Table9InRegion3) {
  for (const kvtest::conductivity_region3_row& r : kvtest::r15_11_table9) {
    const double v = 1.0 / r.rho;
    const double p = 22.0;  // not read in region 3
    const tcond_out o = tcond(p, r.T, v, 3);
    EXPECT_TRUE(kvtest::matches_printed(o.lambda, r.lambda, r.tolerance)) << "T = " << r.T << " K, rho = " << r.rho;
    EXPECT_GT(o.cp, 0.0);
    EXPECT_GT(o.mu, 0.0);
  }
}

TEST(Conductivity, FiniteAtTheCriticalPoint) {
  const tcond_out o = tcond(22.064, 647.096, 1.0 / 322.0, 3);
  EXPECT_TRUE(std::isfinite(o.lambda));
  EXPECT_TRUE(kvtest::close_relative(o.lambda, 7.8e3, 0.05)) << "lambda = " << o.lambda;
}

// Where the enhancement is evaluated: the outputs cp, cv and mu are filled
// exactly there, and are -1 elsewhere.
struct enhancement_row {
  std::int64_t region;
  double p, T;
  bool evaluated;
};

const enhancement_row enhancement_rows[] = {
    {1, 10.0, 400.0, false},   // 1.8 T - 751.4 < 0
    {1, 1.0, 423.0, true},     // inside the line (Delta chi < 0 there)
    {1, 100.0, 473.15, true},  // 1.8 * 473.15 - 751.4 = 100.27
    {1, 100.5, 473.15, false},
    {2, 0.1, 973.14, true},
    {2, 0.1, 973.15, false},
    {5, 0.1, 1100.0, false},
};

TEST(Conductivity, EnhancementEvaluatedOnlyWhereAllowed) {
  for (const enhancement_row& r : enhancement_rows) {
    const double v = r.region == 1 ? IF97_V1(&r.p, &r.T) : r.region == 2 ? IF97_V2(&r.p, &r.T) : IF97_V5(&r.p, &r.T);
    const tcond_out o = tcond(r.p, r.T, v, r.region);
    const transport::conductivity c = transport::conductivity_in_region(r.p, r.T, v, r.region).value;
    if (r.evaluated) {
      EXPECT_TRUE(kvtest::close_relative(o.cp, r.region == 1 ? IF97_CP1(&r.p, &r.T) : IF97_CP2(&r.p, &r.T), 1e-14))
          << "region " << r.region << ", p = " << r.p << ", T = " << r.T;
      EXPECT_TRUE(kvtest::close_relative(o.cv, r.region == 1 ? IF97_CV1(&r.p, &r.T) : IF97_CV2(&r.p, &r.T), 1e-14))
          << "region " << r.region << ", p = " << r.p << ", T = " << r.T;
      EXPECT_TRUE(kvtest::close_relative(o.mu, IF97_VISC(&r.T, &v), 1e-14)) << "p = " << r.p << ", T = " << r.T;
    } else {
      EXPECT_EQ(o.cp, -1.0) << "region " << r.region << ", p = " << r.p << ", T = " << r.T;
      EXPECT_EQ(o.cv, -1.0) << "region " << r.region << ", p = " << r.p << ", T = " << r.T;
      EXPECT_EQ(o.mu, -1.0) << "region " << r.region << ", p = " << r.p << ", T = " << r.T;
      EXPECT_EQ(c.lambda2, 0.0) << "region " << r.region << ", p = " << r.p << ", T = " << r.T;
      // Without enhancement the region number does not matter: region 5 is the reference.
      EXPECT_EQ(o.lambda, tcond(r.p, r.T, v, 5).lambda) << "p = " << r.p << ", T = " << r.T;
    }
  }
}

TEST(Conductivity, NegativeDeltaChiGivesNoEnhancement) {
  const double p = 1.0, T = 423.0;
  const double v = IF97_V1(&p, &T);
  const transport::region_conductivity c = transport::conductivity_in_region(p, T, v, 1);
  EXPECT_EQ(c.value.lambda2, 0.0);
  EXPECT_GT(c.cp, 0.0);
  EXPECT_GT(c.mu, 0.0);
  EXPECT_EQ(c.value.lambda, tcond(p, T, v, 5).lambda);
}

// Region-4 requests: p in bar, T in K (negative: not given), vapour fraction x.
struct request_row {
  double p_bar, T, x;
  double expected;  // W/(m K) or Pa s; -1 a failure; NaN: compare with `reference`
  const char* what;
};

const double critical_visc = [] {
  const double T = 647.096, v = 1.0 / 322.0;
  return IF97_VISC(&T, &v);
}();
const double critical_tcond = tcond(22.0639999998894, 647.096, 1.0 / 322.0, 3).lambda;

double region5_visc(double p, double T) {
  const double v = IF97_V5(&p, &T);
  return IF97_VISC(&T, &v);
}
double region5_tcond(double p, double T) { return tcond(p, T, IF97_V5(&p, &T), 5).lambda; }

TEST(Conductivity, Region4RequestLimits) {
  const request_row rows[] = {
      {500.5, 1100.0, -1.0, -1.0, "region 5 above 50.01 MPa"},
      {100.0, 1200.0, -1.0, -1.0, "region 5 above 1173.2 K"},
      {500.0, 1100.0, -1.0, region5_tcond(50.0, 1100.0), "region 5 accepted"},
      {-1.0, 647.2, 0.0, critical_tcond, "T alone above Tc"},
      {221.0, -1.0, 1.0, critical_tcond, "p alone above pc"},
      {-1.0, 647.4, 0.0, -1.0, "above 647.3 K"},
      {10.0, -1.0, 0.5, -1.0, "mixture"},
      {-1.0, 647.2, 0.5, -1.0, "mixture at the critical state"},
  };
  for (const request_row& r : rows) {
    EXPECT_DOUBLE_EQ(IF97_TCOND4(&r.p_bar, &r.T, &r.x), r.expected)
        << r.what << ": p = " << r.p_bar << " bar, T = " << r.T << " K, x = " << r.x;
  }
  EXPECT_TRUE(kvtest::close_relative(critical_tcond, 7.8e3, 0.05));
}

TEST(Conductivity, Region4RequestsSettleOnTheSaturationLine) {
  // 10 bar saturated liquid: Tsat = 453.0356 K, region 1 at the saturation pressure.
  const double p_bar = 10.0, none = -1.0, x = 0.0;
  const double p = 1.0, T = IF97_TSAT(&p);
  const double v = IF97_V1(&p, &T);
  EXPECT_TRUE(kvtest::close_relative(IF97_TCOND4(&p_bar, &none, &x), tcond(p, T, v, 1).lambda, 1e-14));
  EXPECT_TRUE(kvtest::close_relative(IF97_VISC4(&p_bar, &none, &x), IF97_VISC(&T, &v), 1e-14));
}

TEST(Viscosity, Region4RequestLimits) {
  const request_row rows[] = {
      {-1.0, 647.2, 0.0, critical_visc, "T alone above Tc"},
      {221.0, -1.0, 1.0, critical_visc, "p alone above pc"},
      {-1.0, 647.4, 0.0, -1.0, "above 647.3 K"},
      {500.0, 1100.0, -1.0, region5_visc(50.0, 1100.0), "region 5 accepted"},
      {500.5, 1100.0, -1.0, -1.0, "region 5 above 50.01 MPa"},
      {100.0, 1200.0, -1.0, -1.0, "region 5 above 1173.2 K"},
      {10.0, -1.0, 0.5, -1.0, "mixture"},
  };
  for (const request_row& r : rows) {
    EXPECT_DOUBLE_EQ(IF97_VISC4(&r.p_bar, &r.T, &r.x), r.expected)
        << r.what << ": p = " << r.p_bar << " bar, T = " << r.T << " K, x = " << r.x;
  }
  EXPECT_TRUE(kvtest::close_relative(critical_visc, 39.329e-6, 1e-4));
}

}  // namespace
