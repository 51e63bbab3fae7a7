// Comma-separated values as RFC 4180 has them: a field that holds a comma, a
// double quote or a line break is enclosed in double quotes, each double
// quote inside it is doubled, and each record ends with CRLF.
#pragma once

#include <string>
#include <vector>

namespace kvtool {

inline std::string csv_field(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// One record with its line break.
inline std::string csv_record(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + csv_field(fields[i]);
  return line + "\r\n";
}

}  // namespace kvtool
