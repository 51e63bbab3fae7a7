// The saturation line and the boundary between regions 2 and 3: the
// release's verification values, the straight continuation through the
// critical point, the range of the pressure in bar, the two directions of each
// as inverses of each other, and the phase equilibrium of regions 1 and 2.
#include <gtest/gtest.h>

#include <cmath>

#include "if97/if97.h"
#include "if97/saturation.hpp"
#include "support/checks.hpp"
#include "support/published_values.hpp"

namespace {

using operation = double (*)(const double*);

TEST(Saturation, ReproducesPublishedValues) {
  for (const kvtest::saturation_row& r : kvtest::saturation_rows)
    EXPECT_TRUE(kvtest::matches_printed(r.op(&r.x), r.printed)) << r.name << " at " << r.x;
}

double psat(double T) { return IF97_PSAT(&T); }
double tsat(double p) { return IF97_TSAT(&p); }

TEST(Saturation, BarOperationRejectsTemperaturesOutsideItsRange) {
  for (const double T : {272.999, std::nextafter(273.0, 0.0), std::nextafter(647.301, 1e3), 647.302, 1000.0})
    EXPECT_EQ(IF97_PSATBAR(&T), -1.0) << "T = " << kvtest::digits(T);
}

// Eq. (6) of IAPWS-IF97, T(p) on B23, is the inverse of Eq. (5): from
// 623.15 K to 863.15 K the round trip returns T to 1e-9 K (with the published
// coefficients to 1.7e-10 K).
TEST(Saturation, B23TemperatureInvertsB23Pressure) {
  double worst = 0.0, worst_T = 0.0;
  for (int k = 0; k <= 24000; ++k) {
    const double T = 623.15 + 0.01 * k;
    const double error = std::fabs(if97::tb23(if97::pb23(T)) - T);
    if (error > worst) worst = error, worst_T = T;
  }
  EXPECT_LE(worst, 1e-9) << "tb23(pb23(T)) - T, worst at T = " << kvtest::digits(worst_T) << " K";
}

// Temperatures from 273 K to 700 K in steps of 1e-4 K, crossing both joins
// of the straight pieces (647.0958 K, 647.0959 K) and the critical point.
constexpr double sweep_lo = 273.0;   // K
constexpr double sweep_hi = 700.0;   // K
constexpr double sweep_step = 1e-4;  // K
constexpr long sweep_count = static_cast<long>((sweep_hi - sweep_lo) / sweep_step + 0.5);

TEST(Saturation, TemperatureFromPressureInvertsPressureFromTemperature) {
  double worst = 0.0, worst_T = 0.0;
  for (long k = 0; k <= sweep_count; ++k) {
    const double T = sweep_lo + static_cast<double>(k) * sweep_step;
    const double error = std::fabs(tsat(psat(T)) - T);
    if (error > worst) worst = error, worst_T = T;
  }
  EXPECT_LE(worst, 1e-10) << "worst at T = " << kvtest::digits(worst_T) << " K";
}

TEST(Saturation, PressureRisesWithTemperature) {
  double previous = psat(sweep_lo);
  for (long k = 1; k <= sweep_count; ++k) {
    const double T = sweep_lo + static_cast<double>(k) * sweep_step;
    const double p = psat(T);
    ASSERT_GT(p, previous) << "T = " << kvtest::digits(T) << " K";
    previous = p;
  }
}

// Around each join, in steps of 1e-11 (K or MPa): the value rises at every
// step, and by no more than the steeper slope of the two pieces allows plus
// rounding, so neither piece jumps at the join. Near the critical point the
// saturation equations lose digits to cancellation and round to some 1e-14
// relative: 64 units in the last place cover that and no real jump.
// The backward equation, Eq. (31), in the release's form subtracts two terms
// of about 1.7e6 that differ by about 10 near the critical point, so below
// 22.063946352 MPa Tsat carries up to about 6e-11 K of rounding noise: there
// a step may fall, or rise further than the slope, by that much.
struct join {
  const char* name;
  operation op;
  double at;     // the join
  double slope;  // steepest d result / d argument near it
  double noise;  // rounding of the equation next to the join
};

const join joins[] = {
    {"psat", IF97_PSAT, 647.0958, 0.2683, 0.0},            // MPa/K
    {"psat", IF97_PSAT, 647.0959, 0.2683, 0.0},            // MPa/K
    {"Tsat", IF97_TSAT, 22.063946352, 1.0 / 0.2679, 1e-10},  // K/MPa
    {"Tsat", IF97_TSAT, 22.063973175, 1.0 / 0.2679, 0.0},  // K/MPa
};

TEST(Saturation, ContinuousAndRisingAcrossTheJoins) {
  constexpr double step = 1e-11;
  constexpr int steps = 2000;  // on either side
  for (const join& j : joins) {
    double x = j.at - steps * step;
    double previous = j.op(&x);
    for (int k = 1; k <= 2 * steps; ++k) {
      const double next = j.at + (k - steps) * step;
      const double y = j.op(&next);
      const double allowed = j.slope * (next - x) + 64.0 * std::fabs(y) * 2.220446049250313e-16 + j.noise;
      if (j.noise == 0.0) {
        ASSERT_GT(y, previous) << j.name << " at " << kvtest::digits(next);
      } else {
        ASSERT_GT(y, previous - j.noise) << j.name << " at " << kvtest::digits(next);
      }
      ASSERT_LE(y - previous, allowed) << j.name << " at " << kvtest::digits(next);
      x = next;
      previous = y;
    }
  }
}

// At saturation the liquid fugacity of region 1 and the vapour fugacity of
// region 2, both referred to the region-2 ideal gas, agree to within the
// consistency of the two basic equations with the saturation equation: about
// 1.3e-5 relative at 500 K and at most 6.79e-5, near 367 K, over 273.16 K to
// 623.15 K.
TEST(Saturation, LiquidAndVapourFugacitiesAgree) {
  double worst = 0.0, worst_T = 0.0;
  for (int k = 0; k <= 35000; ++k) {
    const double T = std::fmin(273.16 + 0.01 * k, 623.15);
    const double p = psat(T);
    const double deviation = kvtest::relative_error(IF97_FUG1(&p, &T), IF97_FUG2(&p, &T));
    if (deviation > worst) worst = deviation, worst_T = T;
  }
  RecordProperty("worst_relative_deviation", kvtest::digits(worst));
  RecordProperty("worst_at_K", kvtest::digits(worst_T));
  EXPECT_LE(worst, 7.0e-5) << "worst at T = " << worst_T << " K";
}

}  // namespace
