// The two-phase states of (rho, u), (rho, h) and (rho, s) below 645.15 K,
// found from the interpolant of the saturation line a step from the state:
// round trips from (T, x) at the interpolant's nodes, between them and at its
// ends, with the evaluations of the saturated phases each took; the single
// phases just off the line, which the interpolant must not take for wet.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "if97/constants.hpp"
#include "if97/saturation.hpp"
#include "support/checks.hpp"
#include "water/internal.hpp"
#include "water/state.hpp"

namespace {

namespace w = kviapws97::water;
using kvtest::digits;
using kvtest::tally;

enum pair { rho_u, rho_h, rho_s };
const char* const pair_name[] = {"rhou", "rhoh", "rhos"};

w::result run(pair f, const w::state& s) {
  switch (f) {
    case rho_u: return w::rhou(s.rho, s.u);
    case rho_h: return w::rhoh(s.rho, s.h);
    default: return w::rhos(s.rho, s.s);
  }
}

std::string describe(const w::state& s) {
  return "T = " + digits(s.T) + " K, x = " + digits(s.x) + ", rho = " + digits(s.rho) + ", u = " + digits(s.u) +
         ", phase " + std::to_string(static_cast<int>(s.phase));
}

double nan_q() { return std::numeric_limits<double>::quiet_NaN(); }

// The interpolant's nodes lie (623.15 - 273.15) / 256 K apart.
constexpr double node_step = (if97::T_region1_max - if97::T_min) / 256.0;  // K

// (T, x) -> (rho, q) -> T within 2e-12 of itself and x within 1e-12, in at
// least one (not by the slow search along the isochore, where the interpolant
// took a wet state for dry) and at most `evaluations` evaluations of the
// saturated phases: one a step from
// the interpolant's root, one at the state (a third where the mixture's q,
// not ln x, steers at small x, or below 623.15 K where the step from the
// interpolant's root exceeds 5e-10 of T: one more allowed below x = 0.05,
// where the interpolant's root lies farthest off). Near the ends of the line (x below 1e-4 or
// above 1 - 1e-4) and below the liquid's density maximum the forward
// equations decide, in more.
TEST(DomePairs, TwoPhaseStatesAStepFromTheInterpolant) {
  struct row {
    double T;  // K
    int evaluations;
  };
  const row rows[] = {
      {if97::T_min + 0.01, 99},           // the liquid's density maximum lies above
      {280.0, 2},
      {if97::T_min + 40 * node_step, 2},  // a node
      {if97::T_min + 40.5 * node_step, 2},  // between two
      {373.15, 2},
      {if97::T_min + 187.25 * node_step, 2},
      {507.0, 2},  // u'' and h'' at their maximum
      {600.0, 2},
      {if97::T_region1_max - 0.5 * node_step, 3},  // the interpolant's last interval, its root farther off
      {if97::T_region1_max - 0.011, 2},  // below the twins of 623.15 K
      {if97::T_region1_max + 0.011, 3},  // above them, on region 3's roots
      {630.0, 3},
      {640.0, 3},
      {645.0, 4},  // within 5 K of T_c the polish goes on to rounding
  };
  tally t;
  int most = 0;
  for (const row& r : rows) {
    for (const double x : {0.0, 1e-9, 1e-4, 0.01, 0.3, 0.7, 0.999, 1.0 - 1e-9, 1.0}) {
      const w::result a = w::Tx(r.T, x);
      ASSERT_TRUE(a) << "Tx(" << digits(r.T) << ", " << x << ")";
      const bool edge = x < 1e-4 || x > 1.0 - 1e-4;
      for (const pair f : {rho_u, rho_h, rho_s}) {
        const w::result b = run(f, a.state);
        const int n = w::detail::last_line_evaluations();
        if (!edge && r.evaluations < 99 && n > most) most = n;
        const double dx = std::fabs(b.state.x - x), dT = std::fabs(b.state.T - r.T);
        // On the line itself a flash may return the saturated phase as a
        // single phase, at the same T.
        const bool on_line = (x == 0.0 || x == 1.0) && b.state.phase != w::phase::two_phase;
        const int allowed = r.evaluations + (x < 0.05 ? 1 : 0);
        const bool ok = b && dT <= 2e-12 * r.T && (on_line || dx <= 1e-12) && (edge || (n >= 1 && n <= allowed));
        t.check(ok, [&] {
          return std::string(pair_name[f]) + " of " + describe(a.state) + " gave " + describe(b.state) + " (" +
                 b.reason() + ") in " + std::to_string(n) + " evaluations of the saturated phases, allowed " +
                 std::to_string(allowed) + "; |dT| = " + digits(dT) + ", |dx| = " + digits(dx);
        });
      }
    }
  }
  std::printf("dome pairs: at most %d evaluations of the saturated phases for x in [1e-4, 1 - 1e-4]\n", most);
}

// Single phases within 1e-6 of psat(T) in p, each side of the line, and
// beyond the interpolant's range: the same state back, never a wet one.
TEST(DomePairs, SinglePhasesNextToTheLineStaySingle) {
  tally t;
  for (const double T : {274.0, 300.0, 373.15, if97::T_min + 100.5 * node_step, 507.0, 600.0, 623.0, 630.0, 640.0}) {
    const double ps = 1e6 * if97::psat(T);
    for (const double factor : {1.0 + 1e-6, 1.0 + 1e-3, 1.0 - 1e-6, 1.0 - 1e-3, 0.01}) {
      const w::result a = w::pT(factor * ps, T);
      ASSERT_TRUE(a) << "pT(" << digits(factor * ps) << ", " << digits(T) << ")";
      for (const pair f : {rho_u, rho_h, rho_s}) {
        const w::result b = run(f, a.state);
        t.check(b && b.state.phase == a.state.phase && std::fabs(b.state.T - T) <= 2e-12 * T, [&] {
          return std::string(pair_name[f]) + " of " + describe(a.state) + " at p = " + digits(a.state.p) + " gave " +
                 describe(b.state) + " (" + b.reason() + ")";
        });
      }
    }
  }
}

// About 623.15 K the saturated phases step from regions 1 and 2 to region
// 3's roots: a (rho, q) within a few mK of it may have a two-phase state on
// each side, 2 to 5 mK apart, of which the flash returns one. It reproduces
// rho and q, and lies within 10 mK of the state it came from; a mixture of
// region 3's phases (x = 0.5) above 623.15 K comes back itself.
TEST(DomePairs, TwinsAbout623K) {
  struct row {
    double T, x;
    bool itself;
  };
  constexpr double T1 = if97::T_region1_max;
  const row rows[] = {{T1 - 3e-3, 0.0, false},    {T1 - 3e-3, 0.5, false},        {T1 - 3e-3, 1.0 - 1e-9, false},
                      {T1 - 1e-6, 0.5, false},    {T1, 0.5, false},               {T1, 1.0 - 1e-9, false},
                      {T1 + 1e-6, 0.5, true},     {T1 + 1e-6, 1.0 - 1e-9, false}, {T1 + 3e-3, 0.0, false},
                      {T1 + 3e-3, 0.5, true},     {T1 + 3e-3, 1.0 - 1e-9, false}};
  tally t;
  for (const row& r : rows) {
    const double T = r.T, x = r.x;
    const w::result a = w::Tx(T, x);
    ASSERT_TRUE(a) << "Tx(" << digits(T) << ", " << x << ")";
    for (const pair f : {rho_u, rho_h, rho_s}) {
      const w::result b = run(f, a.state);
      const double q_in = f == rho_u ? a.state.u : f == rho_h ? a.state.h : a.state.s;
      const double q_out = f == rho_u ? b.state.u : f == rho_h ? b.state.h : b.state.s;
      constexpr double floor = 1e3;  // 1 kJ/kg, or 1 kJ/(kg K), in SI units
      const bool ok = b && std::fabs(b.state.T - T) <= (r.itself ? 2e-12 * T : 0.01) &&
                      std::fabs(b.state.rho - a.state.rho) <= 1e-11 * a.state.rho &&
                      std::fabs(q_out - q_in) <= 1e-11 * std::fmax(std::fabs(q_in), floor);
      t.check(ok, [&] {
        return std::string(pair_name[f]) + " of " + describe(a.state) + " gave " + describe(b.state) + " (" +
               b.reason() + ")";
      });
    }
  }
}

// (h, x) and (s, x) alone form only their first state: the same as the
// first of _all, bit for bit, with its count of states and its status. Rows
// with one state, with two (h'' has a maximum near 507 K, s' and s'' meet
// at T_c), with none, and bad input.
TEST(DomePairs, FirstOfTheQualityPairsIsTheFirstOfAll) {
  struct row {
    double q, x;  // J/kg or J/(kg K)
  };
  const row h_rows[] = {{1.5e6, 0.3}, {2.79e6, 1.0}, {2.75e6, 0.97}, {2.08e6, 0.5}, {4e6, 0.5}, {nan_q(), 0.5}, {2e6, 1.5}};
  const row s_rows[] = {{4.0e3, 0.3}, {5.0e3, 0.9}, {4.4e3, 0.5}, {9.9e3, 1.0}, {1.0e3, -0.1}};
  tally t;
  for (const bool by_h : {true, false}) {
    for (const row& r : by_h ? std::vector<row>(std::begin(h_rows), std::end(h_rows))
                             : std::vector<row>(std::begin(s_rows), std::end(s_rows))) {
      const w::all_results all = by_h ? w::hx_all(r.q, r.x) : w::sx_all(r.q, r.x);
      int count = -1;
      const w::result one = by_h ? w::hx(r.q, r.x, &count) : w::sx(r.q, r.x, &count);
      const bool same = all.count == 0 ? !one && one.status == all.status
                                       : one && one.state.T == all.states[0].T && one.state.p == all.states[0].p &&
                                             one.state.x == all.states[0].x && one.state.h == all.states[0].h;
      t.check(same && count == all.count, [&] {
        return std::string(by_h ? "hx" : "sx") + "(" + digits(r.q) + ", " + digits(r.x) + ") gave " +
               describe(one.state) + " (" + one.reason() + "), count " + std::to_string(count) + "; _all " +
               std::to_string(all.count) + (all.count ? ", the first " + describe(all.states[0]) : std::string());
      });
    }
  }
}


// The node interval of the root is found by counting the nodes below it in
// rounds of strides 64, 16, 4 and 1: states on and a hair each side of the
// nodes that end those strides, of their neighbours and of the stretches'
// ends, each back in at most 3 evaluations of the saturated phases (a wrong
// interval falls back to the slow search).
TEST(DomePairs, RootsOnTheNodesTheCountPasses) {
  constexpr double high_step = (645.15 - if97::T_region1_max) / 128.0;  // K, region 3's stretch
  std::vector<double> temperatures;
  for (const double i : {1.0, 3.0, 4.0, 5.0, 15.0, 16.0, 17.0, 31.0, 32.0, 63.0, 64.0, 65.0, 128.0, 191.0, 192.0, 240.0,
                         255.0})
    for (const double off : {-1e-9, 0.0, 1e-9}) temperatures.push_back(if97::T_min + i * node_step + off);
  for (const double i : {16.0, 17.0, 48.0, 64.0})
    for (const double off : {-1e-9, 0.0, 1e-9}) temperatures.push_back(if97::T_region1_max + i * high_step + off);
  tally t;
  for (const double T : temperatures) {
    for (const double x : {1e-3, 0.5, 0.999}) {
      const w::result a = w::Tx(T, x);
      ASSERT_TRUE(a) << "Tx(" << digits(T) << ", " << x << ")";
      for (const pair f : {rho_u, rho_h, rho_s}) {
        const w::result b = run(f, a.state);
        const int n = w::detail::last_line_evaluations();
        const double dx = std::fabs(b.state.x - x), dT = std::fabs(b.state.T - T);
        t.check(b && dT <= 2e-12 * T && dx <= 1e-12 && n >= 1 && n <= 3, [&] {
          return std::string(pair_name[f]) + " of " + describe(a.state) + " gave " + describe(b.state) + " (" +
                 b.reason() + ") in " + std::to_string(n) + " evaluations of the saturated phases, allowed 3";
        });
      }
    }
  }
}

// Where an isochore leaves the dome is read from an index of the bits of
// the saturated volumes, then a walk along the nodes: isochores through the
// states next to the saturated phases at the nodes and a hair beside them
// (there the exit lies on a node), also among the liquid's crowded nodes
// about its density maximum, where a bucket of the index holds several. The
// states just inside the line come back themselves, T within 2e-12 and x
// within 1e-12; the liquid 1e-4 of psat(T) above it and the steam 1e-7
// below, single; each in the evaluations of the saturated phases it takes
// with the right exit. A liquid's (rho, q) fixes its p only to about
// 1e-11 / kappa_T (0.02 Pa) where rho is reproduced to 1e-11: 1e-4 of psat
// is 0.06 Pa at 273.16 K. Closer, the polished liquid may fall under psat
// and the search along the isochore finds it.
TEST(DomePairs, IsochoresLeavingTheDomeAtTheNodes) {
  struct row {
    double x;         // the quality, or NaN: a single phase
    double p_factor;  // of psat(T), for a single phase
    int evaluations;  // of the saturated phases, at most
  };
  // The interpolant decides the liquid without the forward equations; next
  // to the vapour's end of the line they decide (steam within 1e-7 of psat
  // takes up to 203 evaluations, the search along the isochore).
  const row rows[] = {{1e-7, 0.0, 2},           {0.5, 0.0, 2},           {1.0 - 1e-7, 0.0, 11},
                      {nan_q(), 1.0 + 1e-4, 0}, {nan_q(), 1.0 - 1e-7, 1000}};
  tally t;
  for (const double i : {0.0, 1.0, 2.0, 3.0, 4.0, 5.0, 8.0, 31.0, 63.0, 64.0, 65.0, 127.0, 128.0, 191.0, 254.0, 255.0})
    for (const double off : {0.0, -1e-9, 1e-9}) {
      const double T = if97::T_min + i * node_step + off;
      if (T < if97::T_min) continue;
      for (const row& r : rows) {
        const w::result a = std::isnan(r.x) ? w::pT(r.p_factor * 1e6 * if97::psat(T), T) : w::Tx(T, r.x);
        ASSERT_TRUE(a) << "T = " << digits(T) << ", x = " << r.x << ", p / psat = " << r.p_factor;
        for (const pair f : {rho_u, rho_h, rho_s}) {
          const w::result b = run(f, a.state);
          const int n = w::detail::last_line_evaluations();
          const bool wet = !std::isnan(r.x);
          t.check(b && std::fabs(b.state.T - T) <= 2e-12 * T && b.state.phase == a.state.phase &&
                      (wet ? std::fabs(b.state.x - r.x) <= 1e-12 : std::isnan(b.state.x)) && n <= r.evaluations,
                  [&] {
                    return std::string(pair_name[f]) + " of " + describe(a.state) + " gave " + describe(b.state) +
                           " (" + b.reason() + ") in " + std::to_string(n) + " evaluations of the saturated phases, allowed " +
                           std::to_string(r.evaluations);
                  });
        }
      }
    }
}

}  // namespace
