// No input crashes or hangs the dispatcher or the equation-of-state entry,
// and no call reports a value that is not a number as a success.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "adapter/kviapws97.h"
#include "host/standin/standin_host.hpp"
#include "support/dispatch.hpp"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double tiniest = std::numeric_limits<double>::denorm_min();
constexpr double largest = std::numeric_limits<double>::max();
constexpr std::int64_t lowest_flag = std::numeric_limits<std::int64_t>::min();

const double odd_values[] = {nan, inf, -inf, 0.0, -0.0, -1.0, -300.0, 4.9e-324, 1e-300, 1e300, -1e300};
const double temperatures[] = {300.0, 650.0, 1500.0};
const double pressures[] = {1e5, 3e7};
const double volumes[] = {0.018, 0.06};

void expect_sound(std::int32_t code, double T, double P, double V, std::int64_t region, std::int64_t phase) {
  const auto r = kvtest::dispatch(code, T, P, region, V, phase);
  const bool ok = (r.error == 0 && std::isfinite(r.value)) || (r.error == 1 && r.value == standin::missing_value);
  EXPECT_TRUE(ok) << "code " << code << " T " << T << " P " << P << " V " << V << " region " << region
                  << " phase " << phase << ": value " << r.value << ", error " << r.error;
}

TEST(Robustness, OddTemperaturePressureOrVolume) {
  for (std::int32_t code = -1; code <= 16; ++code)
    for (std::int64_t region = 0; region <= 6; ++region)
      for (const std::int64_t phase : {1, 2, 3})
        for (const double odd : odd_values)
          for (std::size_t k = 0; k < 2; ++k) {
            const double T = temperatures[k], P = pressures[k], V = volumes[k];
            expect_sound(code, odd, P, V, region, phase);
            expect_sound(code, T, odd, V, region, phase);
            expect_sound(code, T, P, odd, region, phase);
          }
}

// KVIAPWS_ES15D at the ends of the doubles and of the request flags: the
// error flag as expected, and every output finite, the missing value only
// with error flag 1.
struct es15d_row {
  const char* what;
  double T, P;
  std::int64_t fugacity_mode, flag;  // the same request flag for all five outputs
  std::int64_t error;
};

TEST(Robustness, Es15dAtTheEndsOfTheDoublesAndFlags) {
  const es15d_row rows[] = {
      {"flags lowered below 273.15 K from the lowest 64-bit value", 250.0, 1e5, 1, lowest_flag, 0},
      {"extrapolated below 273.15 K to a subnormal pressure", 250.0, tiniest, 1, 1, 0},
      {"extrapolated below 273.15 K to the largest pressure", 250.0, largest, 1, 1, 0},
      {"raised to its vapour pressure from a subnormal pressure", 300.0, tiniest, 1, 1, 0},
      {"above the critical temperature from a subnormal pressure", 700.0, tiniest, 1, 1, 0},
      {"ln psat beyond 273.15 K to a subnormal temperature", 1e-310, 1e5, 0, 2, 1},
      {"extrapolated beyond the critical temperature to the largest temperature", largest, 1e6, 1, 1, 1},
  };
  standin::set_echo(false);
  for (const auto& row : rows) {
    standin::reset();
    const std::int64_t phase = 2, saturation = 0;
    double out[5] = {};
    std::int64_t error = -7;
    KVIAPWS_ES15D(&row.T, &row.P, nullptr, &phase, &saturation, &row.fugacity_mode, &row.flag, &row.flag, &row.flag,
                  &row.flag, &row.flag, &out[0], &out[1], &out[2], &out[3], &out[4], &error);
    EXPECT_EQ(error, row.error) << row.what;
    for (const double o : out) {
      EXPECT_TRUE(std::isfinite(o)) << row.what << ": " << o;
      if (error == 0) {
        EXPECT_NE(o, standin::missing_value) << row.what;
      }
    }
  }
  standin::reset();
}

// Every value formed from a failed one fails too: a vapour at a subnormal
// pressure has no H or S, so G = H - T S is no number either.
TEST(Robustness, Es15dValuesFormedFromFailuresFail) {
  struct row {
    const char* what;
    double T, P;
    std::int64_t phase;
  };
  const row rows[] = {{"vapour in region 2", 300.0, tiniest, 1},
                      {"vapour in region 5", 1500.0, tiniest, 1},
                      {"vapour moved to 273.15 K", 250.0, tiniest, 1}};
  standin::set_echo(false);
  for (const row& r : rows) {
    standin::reset();
    const std::int64_t saturation = 0, mode = 1, want = 1;
    double out[5] = {};
    std::int64_t error = -7;
    KVIAPWS_ES15D(&r.T, &r.P, nullptr, &r.phase, &saturation, &mode, &want, &want, &want, &want, &want, &out[0],
                  &out[1], &out[2], &out[3], &out[4], &error);
    EXPECT_EQ(error, 1) << r.what;
    EXPECT_EQ(out[3], standin::missing_value) << r.what << ": G = " << out[3];
  }
  standin::reset();
}

}  // namespace
