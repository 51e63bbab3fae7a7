// The warnings that tell the user a requested state was moved to an
// admissible one: fixed-format lines in the host's diagnostic buffer, printed
// by the host.
#pragma once

#include <array>
#include <string>

namespace kviapws97 {

// Which exported routine warns; the host sees it as two 8-character words.
enum class warning_source { es15d, fdregion };

// Fortran fixed-width output: Fw.d and Ew.d, asterisks when the value does not fit.
std::string fortran_f(double x, int width, int decimals);
std::string fortran_e(double x, int width, int decimals);

// The one or two lines of warning `number` (2 to 8), six leading blanks
// included. `value` is the temperature or pressure the caller passed,
// `other` the bound or vapour pressure the message names (not read by 3 and 5).
std::array<std::string, 2> warning_lines(int number, double value, double other);

// Issues warning `number` when the host's diagnostic switch is on: announces
// it, writes its lines into the diagnostic buffer and asks the host to print them.
void warn(warning_source source, int number, void* component, double value, double other = 0.0);

}  // namespace kviapws97
