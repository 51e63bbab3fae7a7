// The stand-in host's molar-volume root search, KVUTL_LIQRT and KVUTL_VAPRT,
// driven by reverse communication with pressures of the region-3 equation,
// against the region-3 backward volumes at the same states.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/standin/standin_host.hpp"
#include "if97/if97.h"
#include "support/checks.hpp"
#include "support/region3_roots.hpp"

namespace {

constexpr double M = 18.0152;                     // kg/kmol
constexpr double V_crit = M / 322.0;              // m3/kmol
constexpr double V_densest = 0.3 * V_crit;        // m3/kmol

enum class root { liquid, vapour };

struct search_result {
  std::int64_t status;
  double volume;
  int evaluations;
  int calls;
};

double p3(double T, double V) {
  const double v = V / M;
  return IF97_P3(&T, &v) * 1e6;
}

double psat(double T) { return IF97_PSAT(&T) * 1e6; }

// Runs one search the way the library does: the root flag of the kind set to
// -1 for its duration, the pressure (and a one-sided derivative but in mode 2)
// handed back while the routine asks for it.
search_result run(root kind, std::int64_t mode, double T, double P, double V_start = 0.0, bool set_flag = true,
                  double V_dense = V_densest) {
  search_result r{4, V_start, 0, 0};
  double p_trial = 0.0, dpdv = 0.0;
  const double V_bound2 = kind == root::liquid ? V_crit : V_densest;
  const int flag = kind == root::liquid ? 0 : 1;
  if (set_flag) KVUTL_ROOTFL[flag] = -1;
  auto* routine = kind == root::liquid ? &KVUTL_LIQRT : &KVUTL_VAPRT;
  for (; r.calls < 1000; ++r.calls) {
    routine(&r.status, &mode, &V_dense, &V_crit, &V_bound2, &T, &P, &r.volume, &p_trial, &dpdv, "TEST    ROOT    ",
            nullptr);
    if (r.status < 1 || r.status > 3) break;
    ++r.evaluations;
    p_trial = p3(T, r.volume);
    if (mode != 2) dpdv = (p_trial - p3(T, r.volume - 5e-7)) / 5e-7;
  }
  ++r.calls;
  KVUTL_ROOTFL[flag] = 0;
  return r;
}

class RootSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    standin::reset();
    standin::set_echo(false);
    standin::clear_root_flag_errors();
  }
  void TearDown() override { standin::reset(); }
};

struct root_row {
  double T, P;  // P < 0: the vapour pressure at T
  root kind;
  std::int64_t mode;
  double start_factor;  // mode 5: start at this multiple of the expected volume
};

TEST_F(RootSearch, RootsAgreeWithTheBackwardVolumes) {
  const root_row rows[] = {
      {630.0, -1, root::liquid, 1, 0}, {630.0, -1, root::vapour, 1, 0}, {640.0, -1, root::liquid, 1, 0},
      {640.0, -1, root::vapour, 1, 0}, {635.0, -1, root::liquid, 1, 0}, {635.0, -1, root::vapour, 1, 0},
      {630.0, -1, root::liquid, 2, 0}, {640.0, -1, root::vapour, 2, 0}, {630.0, -1, root::liquid, 5, 1.05},
      {640.0, -1, root::vapour, 5, 0.95}, {640.0, -1, root::vapour, 5, 1.3}, {630.0, 60e6, root::liquid, 1, 0},
      {700.0, 40e6, root::liquid, 2, 0}, {700.0, 40e6, root::vapour, 2, 0}, {800.0, 80e6, root::vapour, 2, 0},
      {750.0, 60e6, root::vapour, 5, 1.1},
  };
  for (const root_row& r : rows) {
    const double P = r.P < 0 ? psat(r.T) : r.P;
    const double p = P / 1e6;
    const bool saturated = r.P < 0;
    const double expected =
        M * (!saturated ? IF97_V3PT(&p, &r.T) : r.kind == root::liquid ? IF97_V3PT_LIQ(&p, &r.T) : IF97_V3PT_VAP(&p, &r.T));
    const search_result s = run(r.kind, r.mode, r.T, P, expected * r.start_factor);
    SCOPED_TRACE(std::string(r.kind == root::liquid ? "liquid" : "vapour") + " mode " + std::to_string(r.mode) +
                 " T " + std::to_string(r.T) + " P " + kvtest::digits(P));
    EXPECT_EQ(s.status, 4);
    EXPECT_LE(s.evaluations, 100);
    EXPECT_TRUE(kvtest::close_relative(p3(r.T, s.volume), P, 1e-9));
    EXPECT_TRUE(kvtest::close_relative(s.volume, expected, 1e-4));
  }
  // The two saturated roots are distinct states.
  const double ps = psat(640.0);
  EXPECT_LT(run(root::liquid, 1, 640.0, ps).volume * 1.5, run(root::vapour, 1, 640.0, ps).volume);
  EXPECT_EQ(standin::root_flag_errors(), 0);
}

TEST_F(RootSearch, NearCriticalPointNoStepPassesOverAPairOfCrossings) {
  // The loop's three crossings of psat lie within a few per cent of volume.
  // Densest volumes a per cent apart shift the scans' steps through a whole
  // step; the widening starts from eight volumes above the vapour root, and
  // from one just above the middle root (the midpoint of a first 1 % step).
  for (const double T : {646.8, 647.0, 647.05, 647.09, 647.095, 647.0959}) {
    const double P = psat(T);
    const std::vector<double> roots = kvtest::region3_roots(T, P);
    ASSERT_EQ(roots.size(), 3u) << "T " << T;
    struct search_case {
      root kind;
      std::int64_t mode;
      double start, V_dense;
    };
    std::vector<search_case> cases{{root::vapour, 5, roots[1] * std::sqrt(1.01), V_densest}};
    for (int j = 0; j < 8; ++j) {
      cases.push_back({root::liquid, 1, 0.0, V_densest * (1.0 + 0.01 * j)});
      cases.push_back({root::vapour, 1, 0.0, V_densest * (1.0 + 0.01 * j)});
      cases.push_back({root::vapour, 5, roots[2] * (1.05 + 0.1 * j), V_densest});
    }
    for (const search_case& c : cases) {
      const search_result s = run(c.kind, c.mode, T, P, c.start, true, c.V_dense);
      const double expected = c.kind == root::liquid ? roots.front() : roots.back();
      const kvtest::volume_interval iv = kvtest::within_tolerance(T, P, expected);
      SCOPED_TRACE(std::string(c.kind == root::liquid ? "liquid" : "vapour") + " mode " + std::to_string(c.mode) +
                   " start " + kvtest::digits(c.start) + " densest " + kvtest::digits(c.V_dense) + " T " +
                   kvtest::digits(T) + " P " + kvtest::digits(P));
      EXPECT_EQ(s.status, 4);
      EXPECT_TRUE(iv.holds(s.volume)) << "V " << kvtest::digits(s.volume) << ", expected " << kvtest::digits(expected)
                                      << " within [" << kvtest::digits(iv.lo) << ", " << kvtest::digits(iv.hi)
                                      << "], relative error " << (s.volume - expected) / expected;
    }
  }
  EXPECT_EQ(standin::root_flag_errors(), 0);
}

TEST_F(RootSearch, NoRootIsAnsweredAndAskingAgainEnds) {
  // Far above every pressure of the equation's stable branches.
  const double T = 650.0, P = 1e11;
  const search_result v = run(root::vapour, 1, T, P);
  EXPECT_EQ(v.status, 6);
  EXPECT_LE(v.evaluations, 100);
  const search_result l = run(root::liquid, 1, T, P);
  EXPECT_EQ(l.status, 7);
  EXPECT_LE(l.evaluations, 100);
  // Called again after its own "no root": ends with 5, searches no more.
  std::int64_t status = 7, mode = 1;
  double V = V_crit, p_trial = 0.0, dpdv = 0.0, Tv = T, Pv = P;
  KVUTL_ROOTFL[0] = -1;
  KVUTL_LIQRT(&status, &mode, &V_densest, &V_crit, &V_crit, &Tv, &Pv, &V, &p_trial, &dpdv, "TEST    ROOT    ",
              nullptr);
  KVUTL_ROOTFL[0] = 0;
  EXPECT_EQ(status, 5);
  EXPECT_EQ(standin::root_flag_errors(), 0);
}

TEST_F(RootSearch, MissingRootFlagIsCounted) {
  KVUTL_ROOTFL[0] = KVUTL_ROOTFL[1] = 0;
  const search_result s = run(root::liquid, 1, 630.0, psat(630.0), 0.0, false);
  EXPECT_EQ(s.status, 4);
  EXPECT_EQ(standin::root_flag_errors(), s.calls);
  standin::clear_root_flag_errors();
  run(root::vapour, 1, 630.0, psat(630.0));
  EXPECT_EQ(standin::root_flag_errors(), 0);
  // Asked for a pressure it never requested: out of turn.
  std::int64_t status = 3, mode = 1;
  double V = V_crit, p_trial = 1e7, dpdv = 0.0, T = 630.0, P = 1e7;
  KVUTL_ROOTFL[1] = -1;
  KVUTL_VAPRT(&status, &mode, &V_densest, &V_crit, &V_densest, &T, &P, &V, &p_trial, &dpdv, "TEST    ROOT    ",
              nullptr);
  KVUTL_ROOTFL[1] = 0;
  EXPECT_EQ(status, 5);
  EXPECT_EQ(standin::root_flag_errors(), 1);
}

}  // namespace
