// The backward equations of IAPWS-IF97 (regions 1 and 2) and of the
// supplementary releases SR3-03, SR2-01 and SR4-04 against every value these
// releases publish for checking them. A row of a choosing function (T2_ph,
// T3_ph, p2_hs, p3_hs, ...) tests the subregion choice as well: the release
// lists each point under the equation of the subregion it lies in.
#include <gtest/gtest.h>

#include <iomanip>
#include <iterator>

#include "if97/backward12.hpp"
#include "if97/backward3.hpp"
#include "if97/backward_hs.hpp"
#include "if97/constants.hpp"
#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/saturation.hpp"
#include "support/checks.hpp"
#include "support/published_values.hpp"

namespace {

TEST(Backward, ReproducesEveryPublishedValue) {
  EXPECT_EQ(std::size(kvtest::backward_rows), 97u);
  for (const kvtest::backward_row& r : kvtest::backward_rows)
    EXPECT_TRUE(kvtest::matches_printed(r.function(r.a, r.b), r.printed))
        << r.equation << " at (" << std::setprecision(10) << r.a << ", " << r.b << ")";
}

// IAPWS-IF97 Table 3: the permissible inconsistencies of T(p,h) and T(p,s)
// with the forward equations, 25 mK in region 1, in region 2 10 mK where
// s >= 5.85 kJ/(kg K) and 25 mK below (subregion 2c), on grids of (p, T)
// over each region: a wrong subregion (2a used up to 4.5 MPa instead of
// 4 MPa, say) stays within its published points but not within these.
TEST(Backward, WithinThePermissibleInconsistenciesOfRegions1And2) {
  struct worst {
    const char* equation;
    double allowed, dT = 0.0, p = 0.0, T = 0.0;
    void add(double got, double p_, double T_) {
      if (std::fabs(got - T_) > dT) {
        dT = std::fabs(got - T_);
        p = p_;
        T = T_;
      }
    }
  } worsts[] = {{"T1(p,h)", 0.025}, {"T1(p,s)", 0.025}, {"T2(p,h), 2a and 2b", 0.010},
                {"T2(p,s), 2a and 2b", 0.010}, {"T2(p,h), 2c", 0.025}, {"T2(p,s), 2c", 0.025}};
  for (double p = 1e-3; p <= if97::p_max; p *= 1.05) {
    for (double T = if97::T_min; T <= if97::T_region2_max; T += 1.7) {
      if (T <= if97::T_region1_max && p >= if97::psat(T)) {
        const if97::properties q = if97::properties1(p, T);
        worsts[0].add(if97::T1_ph(p, q.h), p, T);
        worsts[1].add(if97::T1_ps(p, q.s), p, T);
      } else if (T <= if97::T_region1_max ? p <= if97::psat(T) : T >= if97::T_b23_max || p <= if97::pb23(T)) {
        const if97::properties q = if97::properties2(p, T);
        const int c = q.s < 5.85 ? 2 : 0;  // kJ/(kg K)
        worsts[2 + c].add(if97::T2_ph(p, q.h), p, T);
        worsts[3 + c].add(if97::T2_ps(p, q.s), p, T);
      }
    }
  }
  for (const worst& w : worsts)
    EXPECT_LE(w.dT, w.allowed) << w.equation << " at p = " << std::setprecision(10) << w.p << " MPa, T = " << w.T
                               << " K: off by " << w.dT << " K";
}

}  // namespace
