// The assembly of the SI states: the viscosity and conductivity that a state
// forms together (transport::transport_of) against IAPWS R12-08 Table 4 and
// R15-11 Tables 7 to 9, every row drawn; the saturated phases of two-phase
// states against their single-phase states; transport_of against viscosity
// and thermal_conductivity apart; where R15-11 Eq. (23) starts the critical
// enhancement; and the last guard of a single-phase state against values
// that are not finite.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <numbers>
#include <string>

#include "if97/constants.hpp"
#include "if97/region1.hpp"
#include "support/checks.hpp"
#include "support/published_values.hpp"
#include "transport/conductivity.hpp"
#include "transport/viscosity.hpp"
#include "water/internal.hpp"
#include "water/state.hpp"

namespace {

namespace water = kviapws97::water;
using kvtest::digits;

// What a flash gave: its region and transport, or its failure.
std::string described(const water::result& s) {
  if (!s) return std::string("no state (") + s.reason() + ")";
  return "region " + std::to_string(s.state.region) + ", mu = " + digits(s.state.mu) + " Pa s, lambda = " +
         digits(s.state.lambda) + " W/(m K)";
}

// The state of a published row: in `region`, or none (0) where the row's
// density at its T needs a pressure above 100 MPa, or above 50 MPa in
// region 5. Where a state lies in the region the table evaluated, its value
// is compared with the printed one.
::testing::AssertionResult drawn_as_expected(const water::result& s, int region) {
  if (region == 0) {
    if (s.status == water::status::density_out_of_range) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << described(s) << ", expected no state (density_out_of_range)";
  }
  if (s && s.state.region == region) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << described(s) << ", expected a state of region " << region;
}

// IAPWS R12-08 Table 4, row by row: the region of each row's (T, rho).
constexpr int r12_table4_regions[] = {1, 0, 0, 2, 0, 2, 2, 0, 5, 0, 0};
static_assert(std::size(r12_table4_regions) == std::size(kvtest::r12_08_table4));

TEST(AssembledTransport, ViscosityOfR12Table4) {
  for (std::size_t i = 0; i < std::size(kvtest::r12_08_table4); ++i) {
    const kvtest::viscosity_row& r = kvtest::r12_08_table4[i];
    const water::result s = water::Trho(r.T, r.rho);
    const int region = r12_table4_regions[i];
    ASSERT_TRUE(drawn_as_expected(s, region)) << "T = " << r.T << " K, rho = " << r.rho;
    if (region == 0) continue;
    EXPECT_TRUE(kvtest::matches_printed(s.state.mu * 1e6, r.mu)) << "T = " << r.T << " K, rho = " << r.rho;
  }
}

// IAPWS R15-11 Tables 7 and 8: every (p, T) lies in the region the table
// evaluated (at 800 K B23 lies at 66.6 MPa, above the 50 MPa of region 2's row).
TEST(AssembledTransport, ConductivityOfR15Tables7And8) {
  for (const kvtest::conductivity_pT_row& r : kvtest::r15_11_tables7_8) {
    const water::result s = water::pT(1e6 * r.p, r.T);
    ASSERT_TRUE(drawn_as_expected(s, static_cast<int>(r.region))) << "p = " << r.p << " MPa, T = " << r.T << " K";
    EXPECT_TRUE(kvtest::matches_printed(s.state.lambda * 1e3, r.lambda))
        << "region " << r.region << ", p = " << r.p << " MPa, T = " << r.T << " K";
  }
}

// IAPWS R15-11 Table 9 evaluates region 3's equation at each (T, rho): at 122
// kg/m3 the state lies in region 2 (below B23), whose value is not the
// table's; at 750 kg/m3 above 100 MPa.
constexpr int r15_table9_regions[] = {3, 3, 2, 0};
static_assert(std::size(r15_table9_regions) == std::size(kvtest::r15_11_table9));

TEST(AssembledTransport, ConductivityOfR15Table9InRegion3) {
  for (std::size_t i = 0; i < std::size(kvtest::r15_11_table9); ++i) {
    const kvtest::conductivity_region3_row& r = kvtest::r15_11_table9[i];
    const water::result s = water::Trho(r.T, r.rho);
    const int region = r15_table9_regions[i];
    ASSERT_TRUE(drawn_as_expected(s, region)) << "T = " << r.T << " K, rho = " << r.rho;
    if (region != 3) {
      std::printf("R15-11 Table 9 at T = %g K, rho = %g kg/m3: %s, not compared\n", r.T, r.rho, described(s).c_str());
      continue;
    }
    EXPECT_TRUE(kvtest::matches_printed(s.state.lambda, r.lambda, r.tolerance)) << "T = " << r.T << " K, rho = " << r.rho;
  }
}

// A two-phase state's saturated phases carry the transport of the single
// phase at their (T, rho), to the last bit: (T, rho) at a saturated density
// is that saturated state (up to 600 K: closer to 623.15 K (T, x) takes the
// states of psat(T) in Pa, which (T, rho) finds inside the dome). The liquid
// has the enhancement above 417.4 K (region 1's line at p -> 0), the vapour
// at each.
const double saturated_T[] = {300.0, 400.0, 450.0, 550.0, 600.0};

TEST(AssembledTransport, SaturatedPhasesAsTheirSingleStates) {
  for (const double T : saturated_T) {
    const water::result two = water::Tx(T, 0.5);
    ASSERT_TRUE(two) << "T = " << T;
    const water::phase_values* phases[] = {&two.state.liquid, &two.state.vapour};
    for (const water::phase_values* ph : phases) {
      const water::result one = water::Trho(T, ph->rho);
      ASSERT_TRUE(one) << "T = " << T << ", rho = " << digits(ph->rho);
      EXPECT_EQ(ph->mu, one.state.mu) << "T = " << T << ", rho = " << digits(ph->rho) << ": mu "
                                      << digits(ph->mu) << ", single phase " << digits(one.state.mu);
      EXPECT_EQ(ph->lambda, one.state.lambda) << "T = " << T << ", rho = " << digits(ph->rho) << ": lambda "
                                              << digits(ph->lambda) << ", single phase "
                                              << digits(one.state.lambda);
    }
  }
}

// transport_of forms what viscosity and thermal_conductivity form apart, to
// the last bit: the plug-in's operations (transport/operations.cpp) and the
// SI states agree.
struct apart_row {
  double T, rho;  // K, kg/m3
  double cp, cv;  // kJ/(kg K)
  double drho_dp; // kg/(m3 Pa)
  bool magnitudes;
};

const apart_row apart_rows[] = {
    {300.0, 996.5, 4.18, 4.13, 4.5e-7, false},   // liquid
    {620.0, 600.0, 8.0, 3.4, 2.0e-5, false},     // liquid near the critical region
    {650.0, 1.0, 2.1, 1.6, 3.0e-6, false},       // dilute steam
    {647.35, 322.0, 1e5, 6.0, 5e-2, true},       // the critical region, magnitudes
    {647.35, 322.0, -30.0, 6.0, -2e-4, true},    // a negative cp and slope, as magnitudes
    {700.0, 200.0, 7.0, 2.5, 1e-4, false},
};

TEST(AssembledTransport, TogetherAsApart) {
  for (const apart_row& r : apart_rows) {
    const transport::enhancement_inputs in{r.cp, r.cv, r.drho_dp, r.magnitudes};
    const double mu = transport::viscosity(r.T, r.rho);
    const transport::viscosity_conductivity both = transport::transport_of(r.T, r.rho, in);
    const double lambda = transport::thermal_conductivity(r.T, r.rho, in, mu).lambda;
    EXPECT_EQ(both.mu, mu) << "T = " << r.T << ", rho = " << r.rho << ": " << digits(both.mu) << " vs "
                           << digits(mu);
    EXPECT_EQ(both.lambda, lambda) << "T = " << r.T << ", rho = " << r.rho << ": " << digits(both.lambda)
                                   << " vs " << digits(lambda);
    EXPECT_EQ(transport::transport_of(r.T, r.rho).mu, mu) << "T = " << r.T << ", rho = " << r.rho;
  }
}

// IAPWS R15-11 Eq. (23): Z = 0 below y_min = 1.2e-7 and, just above it,
// Z(y) = y/pi (1 + O(y)) (the bracket's expansion begins y^2/2). The
// enhancement rises with (drho/dp)_T: bisected to its onset, lambda2 there is
// y_min/pi Lambda rhobar cpbar Tbar/mubar (Eq. (18)) to within the
// bracket's rounding: 1 - exp(-y) rounds by 1e-16 against its y^2/2 = 7e-15,
// a few percent. A skip bound four times higher (2.4 times the Delta chi of
// y_min) would start it at 2.4^(nu/gamma) y_min, about 1.6 y_min (Eq. (20));
// without the cut at y_min it would start at the skip bound, 0.78 y_min.
struct onset_row {
  double T, rho;  // K, kg/m3
  double cp, cv;  // kJ/(kg K)
  double mu;      // Pa s
};

const onset_row onset_rows[] = {
    {700.0, 100.0, 3.0, 2.0, 3e-5},
    {450.0, 900.0, 4.4, 3.6, 1.5e-4},
    {640.0, 5.0, 2.5, 1.8, 2.2e-5},
};

TEST(AssembledTransport, EnhancementStartsAtYMin) {
  constexpr double Lambda = 177.8514;      // R15-11 Table 3
  constexpr double R_cp = 0.46151805;      // kJ/(kg K), R15-11 Eq. (5)
  constexpr double y_min = 1.2e-7;
  for (const onset_row& r : onset_rows) {
    const auto lambda2 = [&](double drho_dp) {
      return transport::thermal_conductivity(r.T, r.rho, {r.cp, r.cv, drho_dp, false}, r.mu).lambda2;
    };
    double lo = 0.0, hi = 1.0;  // kg/(m3 Pa): no enhancement at 0, some at 1
    ASSERT_EQ(lambda2(lo), 0.0) << "T = " << r.T;
    ASSERT_GT(lambda2(hi), 0.0) << "T = " << r.T;
    while (std::nextafter(lo, hi) < hi) {
      const double mid = 0.5 * (lo + hi);
      if (mid == lo || mid == hi) break;
      (lambda2(mid) > 0.0 ? hi : lo) = mid;
    }
    const double rho_bar = r.rho / if97::rho_c, T_bar = r.T / if97::T_c;
    const double expected = y_min / std::numbers::pi * Lambda * rho_bar * (r.cp / R_cp) * T_bar / (r.mu / 1e-6);
    EXPECT_TRUE(kvtest::close_relative(lambda2(hi), expected, 0.05))
        << "T = " << r.T << " K, rho = " << r.rho << ": onset at (drho/dp)_T = " << digits(hi);
  }
}

// A single phase of region 1 with one property spoiled: the guard refuses
// it (not_converged) rather than return it. The same state unspoiled passes.
struct spoiled_row {
  double if97::properties::*field;
  const char* name;
  double value;
};

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double qnan = std::numeric_limits<double>::quiet_NaN();

const spoiled_row spoiled_rows[] = {
    {&if97::properties::p, "p", qnan},      {&if97::properties::T, "T", inf},
    {&if97::properties::v, "v", -inf},      {&if97::properties::v, "v", 1e-310},  // 1/v not finite
    {&if97::properties::h, "h", qnan},      {&if97::properties::s, "s", inf},
    {&if97::properties::u, "u", -inf},      {&if97::properties::cp, "cp", qnan},
    {&if97::properties::cv, "cv", inf},     {&if97::properties::w, "w", qnan},
    {&if97::properties::dv_dp, "dv_dp", -inf},
};

TEST(AssembledTransport, GuardRefusesValuesNotFinite) {
  const kviapws97::water::detail::single whole{1, if97::properties1(10.0, 400.0)};
  ASSERT_EQ(kviapws97::water::detail::single_result(whole).status, water::status::ok);
  for (const spoiled_row& r : spoiled_rows) {
    kviapws97::water::detail::single s = whole;
    s.pr.*r.field = r.value;
    const water::result got = kviapws97::water::detail::single_result(s);
    EXPECT_EQ(got.status, water::status::not_converged) << r.name << " = " << digits(r.value) << ": status "
                                                        << got.reason();
  }
}

}  // namespace
