#include "tools/messages.hpp"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace kvtool {

std::string printable(std::string_view text) {
  std::string s;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\n') {
      s += "\\n";
    } else if (u < 0x20 || u == 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", u);
      s += escaped;
    } else {
      s += c;
    }
  }
  return s;
}

int refuse(std::string_view what) {
  std::fprintf(stderr, "kviapws97: %s\n", printable(what).c_str());
  return 2;
}

int finish(int status) {
  // CLI11's help and version go through std::cout, everything else through stdio.
  errno = 0;
  std::cout.flush();
  const int cout_error = errno;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout) && std::cout.good()) return status;
  const int error = errno != 0 ? errno : cout_error;
  return refuse(std::string("cannot write standard output: ") +
                (error != 0 ? std::strerror(error) : "a write failed"));
}

namespace {

std::string lower(std::string_view s) {
  std::string l(s);
  for (char& c : l) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return l;
}

// Levenshtein distance.
std::size_t distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string near_miss(std::string_view typed, const std::vector<std::string>& names) {
  const auto bare = [](std::string_view s) {
    while (!s.empty() && s.front() == '-') s.remove_prefix(1);
    return s;
  };
  for (const std::string& n : names)
    if (lower(bare(n)) == lower(bare(typed))) return n;
  // One letter off in a short name, two in a long one; none in a name of two letters.
  std::string best;
  std::size_t best_distance = 3;
  for (const std::string& n : names) {
    const std::size_t length = bare(n).size();
    const std::size_t allowed = length <= 2 ? 0 : length <= 5 ? 1 : 2;
    const std::size_t d = distance(bare(typed), bare(n));
    if (d <= allowed && d < best_distance) {
      best = n;
      best_distance = d;
    }
  }
  return best;
}

std::string shown(double value, int digits) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return text;
}

}  // namespace kvtool
