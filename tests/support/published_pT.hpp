// Published values of an IF97 operation of (p, T), each kept as printed.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>

#include "support/checks.hpp"

namespace kvtest {

struct published_pT_row {
  const char* property;
  double (*op)(const double*, const double*);
  double p;  // MPa
  double T;  // K
  const char* printed;
};

template <std::size_t N>
void expect_published(const published_pT_row (&rows)[N]) {
  for (const published_pT_row& r : rows)
    EXPECT_TRUE(matches_printed(r.op(&r.p, &r.T), r.printed))
        << r.property << " at p = " << r.p << " MPa, T = " << r.T << " K";
}

}  // namespace kvtest
