#include "adapter/warnings.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/host.h"

namespace kviapws97 {
namespace {

constexpr std::size_t record_length = 80;  // characters per record of SYS_MSGBUF
constexpr std::size_t record_count = 10;

std::string right_aligned(const std::string& s, int width) {
  if (static_cast<int>(s.size()) > width) return std::string(static_cast<std::size_t>(width), '*');
  return std::string(static_cast<std::size_t>(width) - s.size(), ' ') + s;
}

// What Fortran output writes for a value that is not a number.
std::string non_finite(double x, int width) {
  if (std::isnan(x)) return right_aligned("NaN", width);
  const char* name = width >= 9 || (width >= 8 && x > 0) ? "Infinity" : "Inf";
  return right_aligned(std::string(x < 0 ? "-" : "") + name, width);
}

std::string field_f(double x) { return fortran_f(x, 7, 2); }
std::string field_e(double x) { return fortran_e(x, 10, 3); }

}  // namespace

std::string fortran_f(double x, int width, int decimals) {
  if (!std::isfinite(x)) return non_finite(x, width);
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, x);
  return right_aligned(buffer, width);
}

// Ew.d: [-]0.ddd followed by E+xx, or by +xxx when the exponent has three digits.
std::string fortran_e(double x, int width, int decimals) {
  if (!std::isfinite(x)) return non_finite(x, width);
  int exponent = 0;
  std::string digits(static_cast<std::size_t>(decimals), '0');
  if (x != 0.0) {
    // d.ddd...e+xx rounded to `decimals` digits, then read as 0.ddd... e+(xx+1).
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", decimals - 1, std::fabs(x));
    digits.assign(1, buffer[0]);
    if (decimals > 1) digits.append(buffer + 2, static_cast<std::size_t>(decimals - 1));
    exponent = std::atoi(std::strchr(buffer, 'e') + 1) + 1;
  }
  const int magnitude = std::abs(exponent);
  if (magnitude > 999) return std::string(static_cast<std::size_t>(width), '*');
  char tail[8];
  if (magnitude <= 99)
    std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', magnitude);
  else
    std::snprintf(tail, sizeof tail, "%c%03d", exponent < 0 ? '-' : '+', magnitude);
  return right_aligned(std::string(std::signbit(x) && x != 0.0 ? "-" : "") + "0." + digits + tail, width);
}

std::array<std::string, 2> warning_lines(int number, double value, double other) {
  const std::string lead(6, ' ');
  switch (number) {
    case 2:
      return {lead + "TEMP (=" + field_f(value) + " K) LESS THAN LOWER BOUND (=" + field_f(other) +
                  " K); LOWER BOUND ASSUMED",
              ""};
    case 3:
      return {lead + "SATD WATER PROPS AT SUPERCRIT TEMP (=" + field_f(value) + " K) REQUESTED;",
              lead + "CRIT TEMP (=647.3 K) ASSUMED"};
    case 4:
      return {lead + "PRES (=" + field_e(value) + " PASCAL) GREATER THAN UPPER BOUND (=" + field_e(other) +
                  " PASCAL);",
              lead + "UPPER BOUND ASSUMED"};
    case 5:
      return {lead + "LIQUID WATER PROPS AT SUPERCRIT TEMP (=" + field_f(value) + " K) REQUESTED;",
              lead + "CRIT TEMP (=647.3 K) ASSUMED"};
    case 6:
      return {lead + "PRES (=" + field_e(value) + " PASCAL) LESS THAN VAPOR PRES (=" + field_e(other) + " PASCAL);",
              lead + "LIQUID WATER SPECIFIED; PRESSURE = VAPOR PRES ASSUMED"};
    case 7:
      return {lead + "PRES (=" + field_e(value) + " PASCAL) GREATER THAN VAPOR PRES (=" + field_e(other) +
                  " PASCAL);",
              lead + "VAPOR WATER SPECIFIED; PRESSURE = VAPOR PRES ASSUMED"};
    case 8:
      return {lead + "TEMP (=" + field_f(value) + " K) GREATER THAN UPPER BOUND (=" + field_f(other) +
                  " K); UPPER BOUND",
              lead + "ASSUMED"};
    default:
      return {"", ""};
  }
}

void warn(warning_source source, int number, void* component, double value, double other) {
  if (SYS_MSGCTL[56] == 0) return;
  const char* routine = source == warning_source::es15d ? "ES15    D       " : "FDRE    GION    ";
  const std::int64_t severity = 5, message = number, zero = 0, one = 1, two = 2;
  SYS_MSGCHK(routine, &severity, &message, component, &SYS_PRPCTL[7], &zero, &one, &two);

  const std::array<std::string, 2> lines = warning_lines(number, value, other);
  const std::int64_t line_count = number == 2 ? 1 : 2;
  for (std::size_t k = 0; k < static_cast<std::size_t>(line_count) && k < record_count; ++k) {
    char* record = SYS_MSGBUF + k * record_length;
    std::memset(record, ' ', record_length);
    std::memcpy(record, lines[k].data(), std::min(lines[k].size(), record_length));
  }
  SYS_MSGPRT(&line_count);
}

}  // namespace kviapws97
