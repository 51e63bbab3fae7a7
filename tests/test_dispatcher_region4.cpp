// KVIAPWS_IF97PROP in region 4 (pressure in Pa handed on in bar, phase 1
// vapour, 2 liquid, 3 none) and the transport codes 6, 7 and 8 on the
// stand-in host. Expected values come from IAPWS-IF97 published numbers or the
// region and transport functions at the state the call must settle on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "host/standin/standin_host.hpp"
#include "if97/if97.h"
#include "support/checks.hpp"
#include "support/dispatch.hpp"
#include "transport/transport.h"

namespace {

constexpr double molar_mass = 18.0152;  // kg/kmol

class DispatcherRegion4 : public ::testing::Test {
 protected:
  void SetUp() override { standin::reset(); }
};

double region_v(double (*f)(const double*, const double*) noexcept, double p, double T) { return f(&p, &T); }

// Code 5 (molar volume, m3/kmol) in region 4 at 1e6 Pa = 10 bar.
TEST_F(DispatcherRegion4, VolumeForEachPhaseFlag) {
  struct row {
    std::int64_t phase;
    double T;
    double expected;  // m3/kmol
    double tolerance;  // relative
    const char* what;
  };
  const row rows[] = {
      {2, 453.0356, molar_mass * 1.127234e-3, 5e-7, "saturated liquid"},
      {1, 453.0356, molar_mass * 0.1943489, 5e-7, "saturated vapour"},
      {3, 500.0, molar_mass * region_v(IF97_V2, 1.0, 500.0), 1e-14, "no phase: region 2"},
      {3, 400.0, molar_mass * region_v(IF97_V1, 1.0, 400.0), 1e-14, "no phase: region 1"},
  };
  for (const row& r : rows) {
    const kvtest::dispatch_result a = kvtest::dispatch(5, r.T, 1e6, 4, 0.0, r.phase);
    EXPECT_EQ(a.error, 0) << r.what;
    EXPECT_TRUE(kvtest::close_relative(a.value, r.expected, r.tolerance))
        << r.what << ": phase " << r.phase << ", T = " << r.T << " K, P = 1e6 Pa";
  }
}

// Failures in region 4 come back as the host's missing value with error 1.
TEST_F(DispatcherRegion4, FailuresGiveTheMissingValue) {
  struct row {
    std::int32_t code;
    double T, P;
    std::int64_t phase;
    const char* what;
  };
  const row rows[] = {
      {5, 453.0356 + 0.2, 1e6, 2, "0.2 K off the saturation temperature"},
      {6, 1200.0, 1e7, 3, "viscosity above 1173.2 K"},
      {7, 1100.0, 5.005e7, 3, "conductivity above 50.01 MPa"},
      {5, 1500.0, 5.01e7, 3, "50.1 MPa in region 5"},
  };
  for (const row& r : rows) {
    const kvtest::dispatch_result a = kvtest::dispatch(r.code, r.T, r.P, 4, 0.0, r.phase);
    EXPECT_EQ(a.error, 1) << r.what;
    EXPECT_EQ(a.value, standin::missing_value) << r.what;
  }
}

// Codes 6 and 7 in region 4 agree with IF97_VISC4 and IF97_TCOND4 at p/1e5 bar.
TEST_F(DispatcherRegion4, TransportCodesUseTheRegion4Requests) {
  struct row {
    double T, P;
    std::int64_t phase;
    double x;
  };
  const row rows[] = {{453.0356, 1e6, 2, 0.0}, {453.0356, 1e6, 1, 1.0}, {1100.0, 5e7, 3, -1.0}, {640.0, 2e7, 3, -1.0}};
  for (const row& r : rows) {
    const double p_bar = r.P / 1e5;
    const kvtest::dispatch_result mu = kvtest::dispatch(6, r.T, r.P, 4, 0.0, r.phase);
    const kvtest::dispatch_result lambda = kvtest::dispatch(7, r.T, r.P, 4, 0.0, r.phase);
    EXPECT_EQ(mu.error, 0);
    EXPECT_EQ(lambda.error, 0);
    EXPECT_DOUBLE_EQ(mu.value, IF97_VISC4(&p_bar, &r.T, &r.x)) << "T = " << r.T << ", phase " << r.phase;
    EXPECT_DOUBLE_EQ(lambda.value, IF97_TCOND4(&p_bar, &r.T, &r.x)) << "T = " << r.T << ", phase " << r.phase;
    EXPECT_GT(mu.value, 0.0);
    EXPECT_GT(lambda.value, 0.0);
  }
}

// Code 6 in region 2 reads the molar volume, not the pressure: the volume
// passed belongs to no state at the given pressure.
TEST_F(DispatcherRegion4, ViscosityReadsTheGivenVolume) {
  struct row {
    std::int64_t region;
    double T, P, V;
  };
  const row rows[] = {
      {2, 700.0, 1e5, 18.0152 * 0.01},  // v at 0.1 MPa and 700 K is about 3.2 m3/kg
      {2, 500.0, 1e6, 18.0152 * 1.0},
      {1, 300.0, 1e5, 18.0152 / 1200.0},
  };
  for (const row& r : rows) {
    const double v = r.V / molar_mass;
    const kvtest::dispatch_result a = kvtest::dispatch(6, r.T, r.P, r.region, r.V, 2);
    EXPECT_EQ(a.error, 0);
    EXPECT_TRUE(kvtest::close_relative(a.value, IF97_VISC(&r.T, &v), 1e-14))
        << "region " << r.region << ", T = " << r.T << ", V = " << r.V;
  }
  // The viscosity of the release's own verification state, R12-08 Table 4: 298.15 K, 1200 kg/m3.
  const kvtest::dispatch_result a = kvtest::dispatch(6, 298.15, 1e5, 2, molar_mass / 1200.0, 2);
  EXPECT_TRUE(kvtest::matches_printed(a.value * 1e6, "1437.649467"));
}

// Code 7 in region 1 is the fourth output of IF97_TCOND at p/1e6 MPa and the
// given volume; at the R15-11 Table 7 state it is the published value.
TEST_F(DispatcherRegion4, ConductivityInRegion1) {
  struct row {
    double T, P, v;
    const char* printed;  // null: compare with IF97_TCOND only
  };
  const double p20 = 20.0, T620 = 620.0;
  const double v_table7 = IF97_V1(&p20, &T620);
  const row rows[] = {
      {620.0, 2e7, v_table7, "481.485195e-3"},
      {620.0, 2e7, v_table7 * 1.01, nullptr},
      {400.0, 1e7, 1.0 / 950.0, nullptr},
  };
  for (const row& r : rows) {
    const kvtest::dispatch_result a = kvtest::dispatch(7, r.T, r.P, 1, r.v * molar_mass, 2);
    EXPECT_EQ(a.error, 0);
    const double p = r.P / 1e6, v = r.v;
    const std::int64_t region = 1;
    double cp = 0, cv = 0, mu = 0, lambda = 0;
    IF97_TCOND(&p, &r.T, &v, &region, &cp, &cv, &mu, &lambda);
    EXPECT_TRUE(kvtest::close_relative(a.value, lambda, 1e-13)) << "T = " << r.T << ", v = " << r.v;
    if (r.printed != nullptr) {
      EXPECT_TRUE(kvtest::matches_printed(a.value, r.printed));
    }
  }
}

// Code 8: the surface tension at 300 K in N/m (IAPWS R1-76 equation: 71.686
// mN/m), whatever the region argument.
TEST_F(DispatcherRegion4, SurfaceTensionInEveryRegion) {
  for (std::int64_t region = 0; region <= 9; ++region) {
    const kvtest::dispatch_result a = kvtest::dispatch(8, 300.0, 1e5, region, 0.0, 2);
    EXPECT_EQ(a.error, 0) << "region " << region;
    EXPECT_NEAR(a.value, 0.071686, 5e-7) << "region " << region;
  }
}

}  // namespace

namespace {

// A saturated state with T or P left out (negative) must give what the same
// state gives with both: the reference shift needs the temperature and ln(f/p)
// the pressure, which then come from the saturation line.
TEST_F(DispatcherRegion4, LeftOutCoordinateComesFromTheSaturationLine) {
  struct row {
    std::int32_t code;
    std::int64_t phase;
    double T;  // K; the pressure is its saturation pressure
  };
  const row rows[] = {{1, 2, 453.0},  {1, 1, 373.15}, {2, 1, 453.0},  {2, 2, 640.0}, {3, 1, 300.0},
                      {3, 2, 500.0},  {4, 1, 550.0},  {9, 2, 400.0},  {10, 1, 600.0}, {2, 2, 647.2},
                      {3, 1, 647.2}};
  for (const row& r : rows) {
    const double P = r.T >= 647.096 ? 22063999.9998894 : IF97_PSAT(&r.T) * 1e6;
    const kvtest::dispatch_result both = kvtest::dispatch(r.code, r.T, P, 4, 0.0, r.phase);
    ASSERT_EQ(both.error, 0) << "code " << r.code << " T " << r.T;
    const kvtest::dispatch_result no_T = kvtest::dispatch(r.code, -1.0, P, 4, 0.0, r.phase);
    const kvtest::dispatch_result no_P = kvtest::dispatch(r.code, r.T, -1.0, 4, 0.0, r.phase);
    EXPECT_EQ(no_T.error, 0) << "code " << r.code << " T " << r.T;
    EXPECT_EQ(no_P.error, 0) << "code " << r.code << " T " << r.T;
    if (r.T < 647.096) {  // at the critical point T is not the saturation temperature of P
      EXPECT_TRUE(kvtest::close_relative(no_T.value, both.value, 1e-9))
          << "T left out: code " << r.code << ", phase " << r.phase << ", P = " << P << " Pa";
    }
    EXPECT_TRUE(kvtest::close_relative(no_P.value, both.value, 1e-9))
        << "P left out: code " << r.code << ", phase " << r.phase << ", T = " << r.T << " K";
  }
}

}  // namespace
