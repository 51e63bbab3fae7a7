// A published value kept as the text the release prints, so that its
// tolerance is half a unit of its last printed digit.
#pragma once

#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace kvtest {

struct printed_value {
  double value;
  double half_unit;  // half a unit of the last printed digit
  int exponent;      // as printed after "e"; 0 without one
  int decimals;      // digits printed after the point
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
  return {value, 0.5 * std::pow(10.0, exponent - decimals), exponent, decimals};
}

// What a value may differ from its printed form: half a unit of the last
// printed digit and a few units of double rounding.
inline double printed_allowance(const printed_value& p) {
  return p.half_unit + 4.0 * std::fabs(p.value) * 2.220446049250313e-16;
}

}  // namespace kvtest
