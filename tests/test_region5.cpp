// IAPWS-IF97 region 5 (with the residual part as revised in 2007) against the
// release's verification values.
#include <gtest/gtest.h>

#include <cmath>

#include "if97/if97.h"
#include "support/checks.hpp"

namespace {

using operation = double (*)(const double*, const double*);

struct published_row {
  const char* property;
  operation op;
  double p;  // MPa
  double T;  // K
  const char* printed;
};

// IAPWS-IF97 Table 42 as revised in 2007, and cv and fugacity at the same
// states.
const published_row region5_rows[] = {
    {"v", IF97_V5, 0.5, 1500, "0.138455090e1"},    {"h", IF97_H5, 0.5, 1500, "0.521976855e4"},
    {"u", IF97_U5, 0.5, 1500, "0.452749310e4"},    {"s", IF97_S5, 0.5, 1500, "0.965408875e1"},
    {"cp", IF97_CP5, 0.5, 1500, "0.261609445e1"}, {"w", IF97_W5, 0.5, 1500, "0.917068690e3"},
    {"v", IF97_V5, 30, 1500, "0.230761299e-1"},    {"h", IF97_H5, 30, 1500, "0.516723514e4"},
    {"u", IF97_U5, 30, 1500, "0.447495124e4"},     {"s", IF97_S5, 30, 1500, "0.772970133e1"},
    {"cp", IF97_CP5, 30, 1500, "0.272724317e1"},  {"w", IF97_W5, 30, 1500, "0.928548002e3"},
    {"v", IF97_V5, 30, 2000, "0.311385219e-1"},    {"h", IF97_H5, 30, 2000, "0.657122604e4"},
    {"u", IF97_U5, 30, 2000, "0.563707038e4"},     {"s", IF97_S5, 30, 2000, "0.853640523e1"},
    {"cp", IF97_CP5, 30, 2000, "0.288569882e1"},  {"w", IF97_W5, 30, 2000, "0.106736948e4"},
    {"cv", IF97_CV5, 0.5, 1500, "2.15337784"},    {"cv", IF97_CV5, 30, 1500, "2.19274829"},
    {"cv", IF97_CV5, 30, 2000, "2.39589436"},     {"f", IF97_FUG5, 0.5, 1500, "0.499990143"},
    {"f", IF97_FUG5, 30, 1500, "29.9811285"},      {"f", IF97_FUG5, 30, 2000, "30.3551277"},
};

TEST(Region5, ReproducesPublishedValues) {
  for (const published_row& r : region5_rows)
    EXPECT_TRUE(kvtest::matches_printed(r.op(&r.p, &r.T), r.printed))
        << r.property << " at p = " << r.p << " MPa, T = " << r.T << " K";
}

}  // namespace
