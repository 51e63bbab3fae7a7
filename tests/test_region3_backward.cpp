// The region-3 backward volume v(p,T) of the supplementary release SR5-05:
// its verification values, the boundary equations, the subregion choice, the
// consistency with the basic equation and the joins between subregions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <vector>

#include "if97/if97.h"
#include "if97/region3_backward.hpp"
#include "support/checks.hpp"
#include "support/published_values.hpp"

namespace {

using sub = if97::subregion3;
using kvtest::V3;

using operation = double (*)(const double*, const double*);

double up(double x) { return std::nextafter(x, std::numeric_limits<double>::infinity()); }

TEST(Region3Backward, ReproducesVerificationValuesThroughTheChoice) {
  for (const kvtest::sr5_row& r : kvtest::sr5_05_tables5_13) {
    const double expected = kvtest::parse_printed(r.printed).value;
    EXPECT_TRUE(kvtest::close_relative(IF97_V3PT(&r.p, &r.T), expected, kvtest::sr5_05_tolerance))
        << "IF97_V3PT at p = " << r.p << " MPa, T = " << r.T << " K (" << r.subregion << ")";
    EXPECT_TRUE(kvtest::close_relative(r.equation(&r.p, &r.T), expected, kvtest::sr5_05_tolerance))
        << r.subregion << " equation at p = " << r.p << " MPa, T = " << r.T << " K";
  }
}

TEST(Region3Backward, BoundaryEquationsReproduceCheckValues) {
  for (const kvtest::boundary_row& r : kvtest::sr5_05_boundaries)
    EXPECT_TRUE(kvtest::matches_printed(r.T_of_p(r.p), r.printed)) << r.name << " at p = " << r.p << " MPa";
}

struct band_limit_row {
  double p;  // MPa, the limit
  double T;  // K, where the bands on either side choose different subregions
  operation choice;
  operation below;  // the lower band's equation, which the limit itself gets
  operation above;  // the upper band's equation
  const char* what;
};

// A pressure on a band limit belongs to the band below it.
const band_limit_row band_limit_rows[] = {
    {40, 630, IF97_V3PT, V3<sub::c>, V3<sub::a>, "40 MPa: 3c below, 3a above"},
    {25, 650, IF97_V3PT, V3<sub::g>, V3<sub::d>, "25 MPa: 3g below, 3d above"},
    {23.5, 648, IF97_V3PT, V3<sub::l>, V3<sub::g>, "23.5 MPa: 3l below, 3g above"},
    {23, 650, IF97_V3PT, V3<sub::m>, V3<sub::h>, "23 MPa: 3m below, 3h above"},
    {22.5, 645, IF97_V3PT, V3<sub::q>, V3<sub::l>, "22.5 MPa: 3q below, 3l above"},
    {21.0433673189753, 642, IF97_V3PT, V3<sub::s>, V3<sub::q>, "psat(643.15 K): 3s below, 3q above"},
    {20.5, 645, IF97_V3PT, V3<sub::t>, V3<sub::k>, "20.5 MPa: 3t below, 3k above"},
    {19.00881189173929, 640, IF97_V3PT_LIQ, V3<sub::c>, V3<sub::s>, "liquid side, 19.0088 MPa: 3c below, 3s above"},
    {20.5, 645, IF97_V3PT_VAP, V3<sub::t>, V3<sub::k>, "vapour side, 20.5 MPa: 3t below, 3k above"},
    {21.0433673189753, 642, IF97_V3PT_LIQ, V3<sub::s>, V3<sub::q>, "liquid side, psat(643.15 K): 3s below, 3q above"},
};

TEST(Region3Backward, BandLimitBelongsToTheLowerBand) {
  for (const band_limit_row& r : band_limit_rows) {
    const double p_above = up(r.p);
    ASSERT_NE(r.below(&r.p, &r.T), r.above(&r.p, &r.T)) << r.what;
    EXPECT_EQ(r.choice(&r.p, &r.T), r.below(&r.p, &r.T)) << r.what << ", on the limit";
    EXPECT_EQ(r.choice(&p_above, &r.T), r.above(&p_above, &r.T)) << r.what << ", one ulp above";
  }
}

// At 19.00881189173929 MPa T3cd and Tsat meet to 5e-12 K: only between them
// do the bands on either side differ for the general choice (3c below, 3s
// above).
TEST(Region3Backward, BandLimitWhereT3cdMeetsTheSaturationLine) {
  const double p = 19.00881189173929;
  const double T = 0.5 * (if97::t3cd(p) + IF97_TSAT(&p));
  const double p_above = up(p);
  ASSERT_LT(if97::t3cd(p), T);
  ASSERT_LE(T, IF97_TSAT(&p));
  ASSERT_NE(V3<sub::c>(&p, &T), V3<sub::s>(&p, &T));
  EXPECT_EQ(IF97_V3PT(&p, &T), V3<sub::c>(&p, &T));
  EXPECT_EQ(IF97_V3PT(&p_above, &T), V3<sub::s>(&p_above, &T));
}

struct choice_row {
  double p;  // MPa
  double T;  // K; negative: Tsat(p)
  operation choice;
  const char* printed;  // m3/kg
  const char* what;
};

// On the saturation line the general choice gives the liquid (the vapour
// side's volume there is the region-4 test's); within 1e-6 MPa and 1e-6 K of
// the critical point the choice gives the critical volume 1/322 m3/kg.
const choice_row choice_rows[] = {
    {20, -1, IF97_V3PT, "2.038647e-3", "general choice on the saturation line, 20 MPa"},
    {20.5, -1, IF97_V3PT_VAP, "5.437775e-3", "vapour side on the saturation line, 20.5 MPa"},
    {22.064 + 0.9e-6, 647.096 - 0.9e-6, IF97_V3PT, "0.00310559006211180124", "inside the critical window"},
};

TEST(Region3Backward, SaturatedAndCriticalStates) {
  for (const choice_row& r : choice_rows) {
    const double T = r.T < 0.0 ? IF97_TSAT(&r.p) : r.T;
    EXPECT_TRUE(kvtest::matches_printed(r.choice(&r.p, &T), r.printed))
        << r.what << ": p = " << kvtest::digits(r.p) << " MPa, T = " << kvtest::digits(T) << " K";
  }
}

// Below 19.00881189173929 MPa the side variants need no temperature test.
TEST(Region3Backward, SideVariantsBelowT3cdMeetingTheSaturationLine) {
  const double p = 17.0;
  for (double T = 600.0; T <= 700.0; T += 0.5) {
    EXPECT_EQ(IF97_V3PT_LIQ(&p, &T), V3<sub::c>(&p, &T)) << "T = " << T << " K";
    EXPECT_EQ(IF97_V3PT_VAP(&p, &T), V3<sub::t>(&p, &T)) << "T = " << T << " K";
  }
}

// --- Consistency with the basic equation -----------------------------------

double tsat(double p) { return IF97_TSAT(&p); }
double pb23(double T) { return IF97_PB23(&T); }

constexpr double T_min = 623.15;   // K, region 3 begins
constexpr double T_max = 863.15;   // K, where B23 reaches 100 MPa
constexpr double p_max = 100.0;    // MPa
constexpr double p_min = 16.5291642526;  // MPa, psat(623.15 K): region 3 begins

// Every state of a grid over region 3 (623.15 K <= T, p >= pB23(T), p <= 100
// MPa): 0.1 MPa by 0.2 K over the whole region, and 0.004 MPa by 0.02 K over
// 19 to 23 MPa and 630 to 660 K, where the subregions are narrow.
template <class F>
void for_each_region3_state(F&& f) {
  const auto grid = [&](double p_lo, double p_hi, double dp, double T_lo, double T_hi, double dT) {
    const int np = static_cast<int>(std::lround((p_hi - p_lo) / dp));
    const int nT = static_cast<int>(std::lround((T_hi - T_lo) / dT));
    for (int i = 0; i <= np; ++i) {
      const double p = p_lo + (p_hi - p_lo) * i / np;
      for (int k = 0; k <= nT; ++k) {
        const double T = T_lo + (T_hi - T_lo) * k / nT;
        if (p >= pb23(T)) f(p, T);
      }
    }
  };
  grid(p_min + 1e-9, p_max, 0.1, T_min, T_max, 0.2);
  grid(19.0, 23.0, 0.004, 630.0, 660.0, 0.02);
}

struct round_trip_bound {
  char subregion;
  double dp_over_p;  // worst |p3(T, v3pt(p, T)) / p - 1| allowed
};

// Measured worst deviations with about 20 % margin. The pressure deviation is
// the volume deviation dv/v times -v (dp/dv)_T / p: large in the dense liquid,
// vanishing towards the critical point.
const round_trip_bound round_trip_bounds[] = {
    {'a', 4.9e-5}, {'b', 1.4e-5}, {'c', 5.1e-5}, {'d', 6.6e-6}, {'e', 4.7e-6}, {'f', 2.4e-6},
    {'g', 3.7e-6}, {'h', 8.0e-7}, {'i', 5.7e-7}, {'j', 7.6e-7}, {'k', 9.7e-7}, {'l', 3.6e-6},
    {'m', 6.3e-7}, {'n', 1.9e-7}, {'o', 9.2e-8}, {'p', 1.9e-7}, {'q', 4.7e-6}, {'r', 3.7e-7},
    {'s', 4.1e-6}, {'t', 3.3e-6}, {'u', 3.6e-4}, {'v', 3.0e-5}, {'w', 1.1e-5}, {'x', 1.2e-4},
    {'y', 4.1e-4}, {'z', 2.7e-4},
};

// SR5-05 requires of the equations 3a to 3t a volume consistent with the
// basic equation to 0.001 %; the auxiliary equations 3u to 3z near the
// critical point are looser.
constexpr double release_dv_over_v = 1e-5;

struct deviation {
  double dp = 0.0;  // worst |dp/p|
  double p = 0.0, T = 0.0;
  double dv = 0.0;  // worst |dv/v| to first order, dv = (p - p3) / (dp/dv)_T
  long states = 0;
};

TEST(Region3Backward, RoundTripThroughTheBasicEquation) {
  std::map<char, deviation> worst;
  for_each_region3_state([&](double p, double T) {
    if (std::fabs(p - 22.064) < 1e-6 && std::fabs(T - 647.096) < 1e-6) return;
    const char s = static_cast<char>('a' + static_cast<int>(if97::subregion3_of(p, T)));
    const double v = IF97_V3PT(&p, &T);
    const double p3 = IF97_P3(&T, &v);
    const double dp = std::fabs(p3 / p - 1.0);
    const double dv = std::fabs((p - p3) / (1e-3 * IF97_DPDV3(&T, &v) * v));
    deviation& d = worst[s];
    ++d.states;
    d.dv = std::max(d.dv, dv);
    if (dp > d.dp) {
      d.dp = dp;
      d.p = p;
      d.T = T;
    }
  });
  std::printf("subregion  states  worst |dp/p|  at p/MPa  T/K      worst |dv/v| (first order)\n");
  for (const auto& [s, d] : worst)
    std::printf("3%c  %8ld  %10.3e  %9.4f  %8.3f  %10.3e\n", s, d.states, d.dp, d.p, d.T, d.dv);
  for (const round_trip_bound& b : round_trip_bounds) {
    ASSERT_TRUE(worst.count(b.subregion)) << "no state of the grid in 3" << b.subregion;
    EXPECT_LE(worst[b.subregion].dp, b.dp_over_p)
        << "3" << b.subregion << ": worst at p = " << worst[b.subregion].p << " MPa, T = " << worst[b.subregion].T
        << " K";
    if (b.subregion <= 't') {
      EXPECT_LE(worst[b.subregion].dv, release_dv_over_v) << "3" << b.subregion << ": volume deviation";
    }
  }
}

// --- Joins between subregions -----------------------------------------------

struct join_row {
  const char* boundary;
  double (*T_of_p)(double);
  double p_lo, p_hi;  // MPa, swept inside, ends excluded
  operation low;      // equation on the low-temperature side, which the boundary itself gets
  operation high;     // equation on the high-temperature side
  const char* sides;
  double bound;  // worst |v_high / v_low - 1| allowed on the boundary; on the
                 // saturation line worst |p3(T, v) / p - 1| of either side
};

constexpr double p_sat_643 = 21.0433673189753;
constexpr double p_3cd_sat = 19.00881189173929;
constexpr double p_3wx_sat = 21.90096265;
constexpr double p_3uv_sat = 21.93161551;

// Every boundary temperature of SR5-05 in every pressure band where it
// separates two subregions of one phase; bounds are the measured worst jumps
// with about 20 % margin. 3a to 3t meet to within twice the release's 1e-5
// consistency; the auxiliary equations near the critical point much less
// closely.
const join_row join_rows[] = {
    {"T3ab", if97::t3ab, 40, 100, V3<sub::a>, V3<sub::b>, "3a|3b", 9.0e-6},
    {"T3cd", if97::t3cd, 25, 40, V3<sub::c>, V3<sub::d>, "3c|3d", 1.1e-5},
    {"T3ab", if97::t3ab, 25, 40, V3<sub::d>, V3<sub::e>, "3d|3e", 7.3e-6},
    {"T3ef", if97::t3ef, 25, 40, V3<sub::e>, V3<sub::f>, "3e|3f", 7.2e-6},
    {"T3cd", if97::t3cd, 23.5, 25, V3<sub::c>, V3<sub::g>, "3c|3g", 3.4e-6},
    {"T3gh", if97::t3gh, 23.5, 25, V3<sub::g>, V3<sub::h>, "3g|3h", 9.9e-6},
    {"T3ef", if97::t3ef, 23.5, 25, V3<sub::h>, V3<sub::i>, "3h|3i", 7.0e-6},
    {"T3ij", if97::t3ij, 23.5, 25, V3<sub::i>, V3<sub::j>, "3i|3j", 4.1e-6},
    {"T3jk", if97::t3jk, 23.5, 25, V3<sub::j>, V3<sub::k>, "3j|3k", 3.6e-6},
    {"T3cd", if97::t3cd, 23, 23.5, V3<sub::c>, V3<sub::l>, "3c|3l", 5.5e-6},
    {"T3gh", if97::t3gh, 23, 23.5, V3<sub::l>, V3<sub::h>, "3l|3h", 9.9e-6},
    {"T3ef", if97::t3ef, 23, 23.5, V3<sub::h>, V3<sub::i>, "3h|3i", 7.3e-6},
    {"T3ij", if97::t3ij, 23, 23.5, V3<sub::i>, V3<sub::j>, "3i|3j", 2.9e-6},
    {"T3jk", if97::t3jk, 23, 23.5, V3<sub::j>, V3<sub::k>, "3j|3k", 2.3e-6},
    {"T3cd", if97::t3cd, 22.5, 23, V3<sub::c>, V3<sub::l>, "3c|3l", 7.1e-6},
    {"T3gh", if97::t3gh, 22.5, 23, V3<sub::l>, V3<sub::m>, "3l|3m", 6.3e-6},
    {"T3mn", if97::t3mn, 22.5, 23, V3<sub::m>, V3<sub::n>, "3m|3n", 1.1e-5},
    {"T3ef", if97::t3ef, 22.5, 23, V3<sub::n>, V3<sub::o>, "3n|3o", 3.7e-6},
    {"T3op", if97::t3op, 22.5, 23, V3<sub::o>, V3<sub::p>, "3o|3p", 5.0e-6},
    {"T3ij", if97::t3ij, 22.5, 23, V3<sub::p>, V3<sub::j>, "3p|3j", 4.3e-6},
    {"T3jk", if97::t3jk, 22.5, 23, V3<sub::j>, V3<sub::k>, "3j|3k", 3.0e-6},
    {"T3cd", if97::t3cd, p_sat_643, 22.5, V3<sub::c>, V3<sub::q>, "3c|3q", 6.7e-6},
    {"T3qu", if97::t3qu, p_sat_643, 22.5, V3<sub::q>, V3<sub::u>, "3q|3u", 1.2e-3},
    {"T3rx", if97::t3rx, p_sat_643, 22.5, V3<sub::x>, V3<sub::r>, "3x|3r", 5.4e-4},
    {"T3jk", if97::t3jk, p_sat_643, 22.5, V3<sub::r>, V3<sub::k>, "3r|3k", 3.0e-6},
    {"T3uv", if97::t3uv, 22.11, 22.5, V3<sub::u>, V3<sub::v>, "3u|3v", 1.6e-3},
    {"T3ef", if97::t3ef, 22.11, 22.5, V3<sub::v>, V3<sub::w>, "3v|3w", 9.6e-4},
    {"T3wx", if97::t3wx, 22.11, 22.5, V3<sub::w>, V3<sub::x>, "3w|3x", 5.8e-4},
    {"T3uv", if97::t3uv, 22.064, 22.11, V3<sub::u>, V3<sub::y>, "3u|3y", 2.1e-2},
    {"T3ef", if97::t3ef, 22.064, 22.11, V3<sub::y>, V3<sub::z>, "3y|3z", 4.2e-2},
    {"T3wx", if97::t3wx, 22.064, 22.11, V3<sub::z>, V3<sub::x>, "3z|3x", 1.9e-2},
    {"T3uv", if97::t3uv, p_3uv_sat, 22.064, V3<sub::u>, V3<sub::y>, "3u|3y", 2.1e-2},
    {"T3wx", if97::t3wx, p_3wx_sat, 22.064, V3<sub::z>, V3<sub::x>, "3z|3x", 2.1e-2},
    {"T3cd", if97::t3cd, 20.5, p_sat_643, V3<sub::c>, V3<sub::s>, "3c|3s", 2.9e-6},
    {"T3jk", if97::t3jk, 20.5, p_sat_643, V3<sub::r>, V3<sub::k>, "3r|3k", 3.4e-6},
    {"T3cd", if97::t3cd, p_3cd_sat, 20.5, V3<sub::c>, V3<sub::s>, "3c|3s", 4.6e-6},
};

// The saturation line separates liquid from vapour: there the volume jumps
// by the two-phase gap, and each side has to be a state at the saturation
// pressure of the basic equation.
const join_row saturation_rows[] = {
    {"Tsat", tsat, p_3uv_sat, 22.064, V3<sub::y>, V3<sub::z>, "3y|3z", 2.5e-4},
    {"Tsat", tsat, p_3wx_sat, p_3uv_sat, V3<sub::u>, V3<sub::z>, "3u|3z", 2.1e-4},
    {"Tsat", tsat, p_sat_643, p_3wx_sat, V3<sub::u>, V3<sub::x>, "3u|3x", 2.4e-4},
    {"Tsat", tsat, 20.5, p_sat_643, V3<sub::s>, V3<sub::r>, "3s|3r", 3.9e-7},
    {"Tsat", tsat, p_3cd_sat, 20.5, V3<sub::s>, V3<sub::t>, "3s|3t", 8.4e-7},
    {"Tsat", tsat, p_min, p_3cd_sat, V3<sub::c>, V3<sub::t>, "3c|3t", 1.0e-5},
};

// The choice gives the boundary temperature itself to the low-temperature
// side and the next double above it to the high side; the first state where
// it does not, if any.
struct choice_check {
  int wrong = 0;
  double first_p = 0.0;
  bool first_on_boundary = false;

  void at(const join_row& r, double p, double T) {
    const double T_above = up(T);
    const bool on = IF97_V3PT(&p, &T) == r.low(&p, &T);
    const bool above = IF97_V3PT(&p, &T_above) == r.high(&p, &T_above);
    if (on && above) return;
    if (wrong++ == 0) {
      first_p = p;
      first_on_boundary = !on;
    }
  }
};

::testing::AssertionResult chosen_as_expected(const join_row& r, const choice_check& c) {
  if (c.wrong == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << r.boundary << " " << r.sides << ": " << c.wrong << " states chosen wrongly, first at p = "
                                       << kvtest::digits(c.first_p) << " MPa, "
                                       << (c.first_on_boundary ? "on the boundary" : "just above it");
}

constexpr int join_sweep = 400;

double sweep_pressure(const join_row& r, int k) { return r.p_lo + (r.p_hi - r.p_lo) * k / join_sweep; }

TEST(Region3Backward, SubregionsJoinAlongTheirBoundaries) {
  std::printf("boundary  sides   pressures/MPa          worst |dv/v|  at p/MPa\n");
  for (const join_row& r : join_rows) {
    double worst = 0.0, worst_p = 0.0;
    choice_check choice;
    for (int k = 1; k < join_sweep; ++k) {
      const double p = sweep_pressure(r, k);
      const double T = r.T_of_p(p);
      const double jump = std::fabs(r.high(&p, &T) / r.low(&p, &T) - 1.0);
      if (jump > worst) {
        worst = jump;
        worst_p = p;
      }
      choice.at(r, p, T);
    }
    std::printf("%-5s  %s  %9.5f to %9.5f  %10.3e  %9.5f\n", r.boundary, r.sides, r.p_lo, r.p_hi, worst, worst_p);
    EXPECT_LE(worst, r.bound) << r.boundary << " " << r.sides << ", worst at p = " << worst_p << " MPa";
    EXPECT_TRUE(chosen_as_expected(r, choice));
  }
}

TEST(Region3Backward, LiquidAndVapourMeetAtTheSaturationPressure) {
  std::printf("boundary  sides   pressures/MPa          worst |p3/p - 1|  at p/MPa   gap v''/v' - 1\n");
  for (const join_row& r : saturation_rows) {
    double worst = 0.0, worst_p = 0.0, smallest_gap = 1e300;
    choice_check choice;
    for (int k = 1; k < join_sweep; ++k) {
      const double p = sweep_pressure(r, k);
      const double T = r.T_of_p(p);
      const double v_liquid = r.low(&p, &T), v_vapour = r.high(&p, &T);
      const double dp = std::max(std::fabs(IF97_P3(&T, &v_liquid) / p - 1.0), std::fabs(IF97_P3(&T, &v_vapour) / p - 1.0));
      if (dp > worst) {
        worst = dp;
        worst_p = p;
      }
      smallest_gap = std::min(smallest_gap, v_vapour / v_liquid - 1.0);
      choice.at(r, p, T);
    }
    std::printf("%-5s  %s  %9.5f to %9.5f  %10.3e  %9.5f  %10.3e\n", r.boundary, r.sides, r.p_lo, r.p_hi, worst, worst_p,
                smallest_gap);
    EXPECT_GT(smallest_gap, 0.0) << r.sides << ": the vapour is not less dense than the liquid";
    EXPECT_LE(worst, r.bound) << r.boundary << " " << r.sides << ", worst at p = " << worst_p << " MPa";
    EXPECT_TRUE(chosen_as_expected(r, choice));
  }
}

struct band_join_row {
  double p;  // MPa, a band limit
  double bound;  // worst |v(p+) / v(p) - 1| allowed across it
};

// Measured worst jumps with about 20 % margin; where the same subregions lie
// on both sides the two volumes differ only by the ulp of pressure.
const band_join_row band_join_rows[] = {
    {40, 9.3e-6}, {25, 7.7e-6}, {23.5, 5.9e-6}, {23, 1.0e-5}, {22.5, 1.2e-3}, {22.11, 2.1e-2},
    {22.064, 1e-11}, {p_3uv_sat, 1e-11}, {p_3wx_sat, 1e-11}, {p_sat_643, 3.9e-6}, {20.5, 5.0e-6}, {p_3cd_sat, 1e-11},
};

// Across each band limit, at every temperature of region 3, the choice on
// the limit and one ulp above it give volumes that agree to within the
// consistency of the equations that meet there.
TEST(Region3Backward, BandsJoinAcrossTheirLimits) {
  constexpr int sweep = 40000;
  std::printf("band limit/MPa   worst |dv/v|  at T/K\n");
  for (const band_join_row& r : band_join_rows) {
    const double p_above = up(r.p);
    double worst = 0.0, worst_T = 0.0;
    for (int k = 0; k <= sweep; ++k) {
      const double T = T_min + (T_max - T_min) * k / sweep;
      if (r.p < pb23(T)) break;
      const double jump = std::fabs(IF97_V3PT(&p_above, &T) / IF97_V3PT(&r.p, &T) - 1.0);
      if (jump > worst) {
        worst = jump;
        worst_T = T;
      }
    }
    std::printf("%16.11f  %10.3e  %9.4f\n", r.p, worst, worst_T);
    EXPECT_LE(worst, r.bound) << "band limit " << r.p << " MPa, worst at T = " << worst_T << " K";
  }
}

}  // namespace
