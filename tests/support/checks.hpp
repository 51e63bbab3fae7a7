// Comparisons for table-driven tests. A published value is kept as the text
// the release prints, so that its tolerance is half a unit of its last printed
// digit; a failing row reports what it got, what it expected and the
// relative error.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "support/printed.hpp"

namespace kvtest {

// All the digits of a double.
inline std::string digits(double x) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", x);
  return buffer;
}

inline double relative_error(double got, double expected) {
  return expected == 0.0 ? std::fabs(got) : std::fabs(got - expected) / std::fabs(expected);
}

// got agrees with the printed value to within half a unit of its last digit
// (and a few units of double rounding).
inline ::testing::AssertionResult matches_printed(double got, std::string_view printed) {
  const printed_value p = parse_printed(printed);
  const double allowed = printed_allowance(p);
  if (std::fabs(got - p.value) <= allowed) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << digits(got) << ", printed " << printed << ", relative error "
                                       << relative_error(got, p.value) << ", allowed "
                                       << allowed / std::fabs(p.value);
}

inline ::testing::AssertionResult close_relative(double got, double expected, double tolerance) {
  if (std::isfinite(got) && relative_error(got, expected) <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << digits(got) << ", expected " << digits(expected) << ", relative error "
                                       << relative_error(got, expected) << " > " << tolerance;
}

// got against a printed value held to a relative tolerance where a table
// gives one (a value its source rounds otherwise), else to half a unit of
// its last printed digit.
inline ::testing::AssertionResult matches_printed(double got, std::string_view printed, double tolerance) {
  if (tolerance == 0.0) return matches_printed(got, printed);
  return close_relative(got, parse_printed(printed).value, tolerance);
}

// The failing rows of a grid: the first few in full, then their count.
struct tally {
  int rows = 0, failed = 0;
  void check(bool ok, const auto& message) {
    ++rows;
    if (!ok && ++failed <= 12) ADD_FAILURE() << message();
  }
  ~tally() { EXPECT_EQ(failed, 0) << "rows failing, of " << rows; }
};

}  // namespace kvtest
