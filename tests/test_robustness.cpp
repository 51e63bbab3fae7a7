// No input crashes or hangs the dispatcher, and no call reports a value that
// is not a number as a success.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "host/standin/standin_host.hpp"
#include "support/dispatch.hpp"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

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

}  // namespace
