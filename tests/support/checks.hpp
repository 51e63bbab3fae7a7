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

namespace kvtest {

struct printed_value {
  double value;
  double half_unit;  // half a unit of the last printed digit
};

// "0.100215168e-2" -> 0.100215168e-2 with half_unit 0.5e-11.
inline printed_value parse_printed(std::string_view text) {
  const std::string s(text);
  const double value = std::strtod(s.c_str(), nullptr);
  const std::size_t e = s.find_first_of("eE");
  const std::string mantissa = s.substr(0, e);
  const int exponent = e == std::string::npos ? 0 : std::atoi(s.c_str() + e + 1);
  const std::size_t point = mantissa.find('.');
  const int decimals = point == std::string::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
  return {value, 0.5 * std::pow(10.0, exponent - decimals)};
}

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
  const double allowed = p.half_unit + 4.0 * std::fabs(p.value) * 2.220446049250313e-16;
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
