// How the program fails: one line on standard error, "kviapws97: " and the
// reason, and exit status 2 for a bad argument or output that cannot be
// written (1 is kept for a state or property that does not exist).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvtool {

// The text with control characters escaped ("\n", "\x01"), so that a message
// quoting what was typed stays one line.
std::string printable(std::string_view text);

// Writes "kviapws97: what" on standard error; returns 2.
int refuse(std::string_view what);

// The status to exit with once standard output is flushed: `status`, or 2
// with the reason when standard output could not be written.
int finish(int status);

// The name of `names` nearest to `typed` (the same but for case, or at most
// two letters away), or "" when none is near.
std::string near_miss(std::string_view typed, const std::vector<std::string>& names);

// Significant digits of printed values; CSV and JSON carry 12.
inline constexpr int default_digits = 7;
inline constexpr int record_digits = 12;
std::string shown(double value, int digits);

}  // namespace kvtool
