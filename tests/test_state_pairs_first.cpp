// The single calls of (p, rho), (T, h) and (T, s) against their _all
// searches along the line: the same count, the same first state (to the last
// bit where there are several); and what their shortcut rests on, checked
// along the lines of a grid: the slope of the pair's quantity changes its
// sign at most once along each region's piece of an isotherm or isobar, in
// region 1 only.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "if97/constants.hpp"
#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region3.hpp"
#include "if97/region5.hpp"
#include "if97/saturation.hpp"
#include "support/checks.hpp"
#include "support/state_grid.hpp"
#include "water/internal.hpp"
#include "water/kviapws97/water.h"
#include "water/state.hpp"

namespace {

namespace w = kviapws97::water;
using kvtest::digits;
using kvtest::tally;

enum pair { p_rho, T_h, T_s };
const char* const pair_name[] = {"prho", "Th", "Ts"};

struct inputs {
  double a, b;
};
inputs inputs_of(pair f, const w::state& s) {
  return f == p_rho ? inputs{s.p, s.rho} : f == T_h ? inputs{s.T, s.h} : inputs{s.T, s.s};
}
w::all_results all_of(pair f, inputs in) {
  return f == p_rho ? w::prho_all(in.a, in.b) : f == T_h ? w::Th_all(in.a, in.b) : w::Ts_all(in.a, in.b);
}
w::result single_of(pair f, inputs in, int* count) {
  return f == p_rho ? w::prho(in.a, in.b, count) : f == T_h ? w::Th(in.a, in.b, count) : w::Ts(in.a, in.b, count);
}
int c_single_of(pair f, inputs in, kviapws97_state* out) {
  return f == p_rho ? kviapws97_prho(in.a, in.b, out)
         : f == T_h ? kviapws97_Th(in.a, in.b, out)
                    : kviapws97_Ts(in.a, in.b, out);
}

// A state's invariants: finite, p > 0, rho v = 1, u = h - p v, x in [0, 1]
// exactly when two-phase.
bool physical(const w::state& s) {
  const bool two = s.phase == w::phase::two_phase;
  return std::isfinite(s.p) && s.p > 0.0 && std::isfinite(s.T) && std::isfinite(s.h) && std::isfinite(s.s) &&
         std::fabs(s.rho * s.v - 1.0) <= 1e-15 && std::fabs(s.u - (s.h - s.p * s.v)) <= 1e-12 * std::fabs(s.h) + 1e-9 &&
         two == (s.x >= 0.0 && s.x <= 1.0);
}

std::string describe(const w::state& s) {
  return "p = " + digits(s.p) + ", T = " + digits(s.T) + ", region " + std::to_string(s.region) + ", phase " +
         std::to_string(static_cast<int>(s.phase));
}

// The single call of the pair of (p, T)'s state: the count of _all, its first
// state (the same to the last bit where there are several; else T to 2e-12,
// or for (T, h) and (T, s), whose gas at low pressure barely fixes p, the
// same T, h or s reproduced and p within 1e-2, as the round trips allow;
// with the same phase), the same without the count and through the C shim,
// physical. The inputs come from about (p, T); `from()` says how.
template <class From>
void agrees_at(tally& t, pair f, inputs in, double p, double T, From&& from) {
  const w::all_results all = all_of(f, in);
  int count = -1;
  const w::result one = single_of(f, in, &count), bare = single_of(f, in, nullptr);
  kviapws97_state c{};
  const int c_status = c_single_of(f, in, &c);
  bool same = count == all.count && static_cast<bool>(one) == (all.count > 0) &&
              static_cast<bool>(bare) == static_cast<bool>(one) && one.status == all.status;
  if (same && one) {
    const w::state &got = one.state, &wanted = all.states[0];
    // At the critical temperature or pressure the label turns on rounding.
    const bool critical = std::fabs(T - if97::T_c) <= 1e-9 * T || std::fabs(p - 1e6 * if97::p_c) <= 1e-9 * p;
    same = (critical || got.phase == wanted.phase) &&
           (all.count > 1 ? got.p == wanted.p && got.T == wanted.T
            : f == p_rho  ? std::fabs(got.T - wanted.T) <= 2e-12 * wanted.T
                          : got.T == wanted.T && std::fabs(got.p - wanted.p) <= 1e-2 * wanted.p &&
                                kvtest::reproduces(f == T_h ? got.h : got.s, in.b)) &&
           bare.state.p == got.p && bare.state.T == got.T && c_status == 0 && c.p == got.p && c.T == got.T &&
           physical(got);
  }
  t.check(same, [&] {
    std::string got = std::string(pair_name[f]) + "(" + digits(in.a) + ", " + digits(in.b) + ") of " + from() +
                      ": single " + (one ? describe(one.state) : one.reason()) + ", count " +
                      std::to_string(count) + "; _all " + std::to_string(all.count);
    for (int i = 0; i < all.count; ++i) got += "; " + describe(all.states[i]);
    return got;
  });
}

// The same of the pair at (p, T)'s state.
void agrees(tally& t, pair f, double p, double T) {
  const w::result from = w::pT(p, T);
  if (!from) return;
  agrees_at(t, f, inputs_of(f, from.state), p, T, [&] { return describe(from.state); });
}

// The grids of the round trips, and about where the pairs have several
// states: the liquid from 515 to 620 K (where h has a minimum along the
// isotherm) and from 273.15 to 278 K (the density maximum).
TEST(StatePairsFirst, SingleCallsAgreeWithTheSearchAlongTheLine) {
  tally t;
  const auto each = [&t](double p, double T) {
    for (const pair f : {p_rho, T_h, T_s}) agrees(t, f, p, T);
  };
  kvtest::region_grid({30, 19.7, 180.0, {1e-3, 0.1}, 1.3, 4.0}, each);
  kvtest::saturation_grid(7.3, {0.01}, {1e3}, {-0.01, 0.0, 0.01}, {-1e3, 0.0, 1e3}, each);
  for (double T = 515.0; T <= 620.0; T += 3.5)
    for (double p = 2e6; p <= 100e6; p += 7e6) each(p, T);
  for (double T = 273.15; T <= 278.0; T += 0.25)
    for (const double p : {700.0, 1e5, 1e6, 1e7, 3e7, 1e8}) each(p, T);
}

// From 623.15 K to 863.15 K the single calls of (T, h) and (T, s) take the
// ends of region 3's pieces, region 2 on B23 and region 3 at 100 MPa, from
// tables of T with nodes 0.5 K apart: states on, just inside and just
// beyond those ends, at the nodes, at their midpoints (where a straight line
// between nodes errs most) and beside the grid's ends.
TEST(StatePairsFirst, EndsOfRegion3TakenFromTablesOfT) {
  tally t;
  struct row {
    bool on_b23;  // p a factor times pb23(T), else times 100 MPa
    double factor;
  };
  const row rows[] = {
      {true, 1.0 - 1e-3}, {true, 1.0 - 1e-7}, {true, 1.0}, {true, 1.0 + 1e-7}, {true, 1.0 + 1e-4}, {true, 1.0 + 1e-3},
      {false, 1.0},       {false, 1.0 - 1e-9}, {false, 1.0 - 2e-6}, {false, 1.0 - 1e-5}, {false, 1.0 - 1e-3},
  };
  std::vector<double> Ts{if97::T_region1_max + 1e-9, if97::T_b23_max - 1e-9, if97::T_b23_max};
  for (double T = if97::T_region1_max; T < if97::T_b23_max; T += 3.5) Ts.insert(Ts.end(), {T, T + 0.25});
  for (const double T : Ts)
    for (const row& r : rows) {
      const double p_MPa = r.factor * (r.on_b23 ? if97::pb23(T) : if97::p_max);
      if (p_MPa > if97::p_max) continue;
      for (const pair f : {T_h, T_s}) agrees(t, f, 1e6 * p_MPa, T);
    }
}

// (p, rho) of region 1's liquid, beside where the single call's proof of one
// state ends: the density at 273.15 K on the isobar (above it a second
// state lies beyond the density maximum), the saturated liquid's (Eq. (31))
// and 623.15 K's above psat(623.15 K), where region 3 comes within 2e-4 of
// it; and at the pressures that end and join its table's columns. Each a
// density of region 1 at (p, T) times a factor: the single call, with and
// without the count and through the C shim, agrees with _all.
TEST(StatePairsFirst, DensitiesOfTheLiquidBesideTheEndsOfItsShortcut) {
  const double p_623 = if97::psat(if97::T_region1_max), p_290 = if97::psat(290.0);
  struct row {
    const char* where;
    std::vector<double> ps;  // MPa
    double (*T_of)(double p);
    std::vector<double> factors;
  };
  const auto cold = [](double) { return if97::T_min; };
  const auto saturated = [](double p) { return if97::tsat(p); };
  const auto at_623 = [](double) { return if97::T_region1_max; };
  const auto below_sat = [](double p) { return if97::tsat(p) - 0.05; };
  const auto below_623 = [](double) { return if97::T_region1_max - 5.0; };
  const row rows[] = {
      {"273.15 K", {0.999 * p_290, 1.001 * p_290, 0.1, 1.0, 10.0, 19.0, 20.0, 21.0, 50.0, 99.9, 100.0}, cold,
       {1.0 - 1e-5, 1.0 - 1e-7, 1.0 - 3e-8, 1.0 - 1e-9, 1.0, 1.0 + 1e-9, 1.0 + 1e-6}},
      {"the saturated liquid", {1.001 * p_290, 0.1, 1.0, 10.0, 16.0, 0.999 * p_623}, saturated,
       {1.0 - 1e-6, 1.0 - 1e-9, 1.0, 1.0 + 1e-9, 1.0 + 1e-6, 1.0 + 1e-4}},
      {"0.05 K below Tsat", {1.001 * p_290, 0.1, 1.0, 10.0, 16.0, 0.999 * p_623}, below_sat,
       {1.0 - 1e-5, 1.0 - 1e-7, 1.0, 1.0 + 1e-7, 1.0 + 1e-5}},
      {"623.15 K", {1.000001 * p_623, 17.0, 20.0, 30.0, 50.0, 100.0}, at_623,
       {0.99, 1.0 - 1e-4, 1.0, 1.0 + 1e-4, 1.0 + 1e-3, 1.0 + 3e-3, 1.01}},
      {"618.15 K", {1.000001 * p_623, 17.0, 20.0, 30.0, 50.0, 100.0}, below_623,
       {1.0 - 1e-5, 1.0 - 1e-7, 1.0, 1.0 + 1e-7, 1.0 + 1e-5}},
  };
  tally t;
  for (const row& r : rows)
    for (const double p : r.ps)
      for (const double factor : r.factors) {
        const double T = r.T_of(p), rho = factor / if97::v1(p, T);
        agrees_at(t, p_rho, {1e6 * p, rho}, 1e6 * p, T,
                  [&] { return std::string(r.where) + "'s density times " + digits(factor); });
      }
}

// (T, s) and (T, h) of region 1's liquid beside where the single call of
// (T, s) proves one state: 0.01 MPa above psat(T), at 290 K and 623.15 K,
// and at 100 MPa.
TEST(StatePairsFirst, EntropiesOfTheLiquidBesideTheEndsOfItsShortcut) {
  tally t;
  for (const double T : {289.99, 290.0, 290.01, 300.0, 400.0, 500.0, 600.0, 623.1, 623.15})
    for (const double dp : {0.0, 1e-6, 0.009, 0.011, 0.1}) {
      const double p = if97::psat(T) + dp;  // MPa
      for (const pair f : {T_s, T_h}) agrees(t, f, 1e6 * p, T);
    }
  for (const double T : {290.0, 400.0, 623.1})
    for (const double p : {99.99, 100.0}) agrees(t, T_s, 1e6 * p, T);
}

// Region 1's (T, h) about h's minimum along the isotherm (where
// (dh/dp)_T = v - T (dv/dT)_p vanishes, placed here by bisection): states
// at fractions of ln p between psat(T) and the minimum, and between the
// minimum and 100 MPa, and the states of h just below h'(T) and just above
// it (two-phase), at temperatures where the minimum lies inside region 1
// and beside where it leaves it. Each pair agrees with its search along the
// line; the first state below the minimum is the state of (p, T), polished
// in at least one step and at most four (the first state taken from
// a split of the isotherm at the minimum, not from the whole search).
TEST(StatePairsFirst, EnthalpyAboutItsMinimumAlongRegionOnesIsotherm) {
  constexpr double temperatures[] = {525.0, 530.0, 545.5, 560.0, 575.3, 590.0, 600.0, 605.0, 610.5};  // K
  constexpr int most_steps = 4;
  tally t;
  for (const double T : temperatures) {
    const double ln_sat = std::log(if97::psat(T)), ln_max = std::log(100.0);
    const auto slope = [&](double lnp) {
      const if97::properties pr = if97::properties1(std::exp(lnp), T);
      return pr.v - T * pr.dv_dT;
    };
    double lo = ln_sat, hi = ln_max;
    for (int k = 0; k < 60; ++k) (slope(0.5 * (lo + hi)) < 0.0 ? lo : hi) = 0.5 * (lo + hi);
    const double ln_min = 0.5 * (lo + hi);
    for (const double f : {0.02, 0.2, 0.5, 0.8, 0.97, 1.03, 1.3, 1.7}) {
      const double ln_p = f < 1.0 ? ln_sat + f * (ln_min - ln_sat) : ln_min + (f - 1.0) * (ln_max - ln_min);
      const double p = std::exp(ln_p);
      agrees(t, T_h, 1e6 * p, T);
      if (f > 1.0) continue;
      const double h = if97::properties1(p, T).h * 1e3;
      const w::result one = w::Th(T, h);
      const int steps = w::detail::last_polish_steps();
      t.check(one && std::fabs(one.state.p - 1e6 * p) <= 1e-8 * 1e6 * p && steps >= 1 && steps <= most_steps, [&] {
        return "Th(" + digits(T) + ", " + digits(h) + ") below the minimum at p = " + digits(1e6 * p) + ": " +
               (one ? "p = " + digits(one.state.p) : std::string(one.reason())) + " in " + std::to_string(steps) +
               " steps, wanted 1 to " + std::to_string(most_steps);
      });
    }
    // Below h', as far as 0.5 of the way to the minimum's h.
    const double h_sat = if97::properties1(if97::psat(T), T).h * 1e3;
    const double depth = h_sat - if97::properties1(std::exp(ln_min), T).h * 1e3;
    for (const double dh : {-1e-3, -0.5 * depth, 1e-3, 1.0, 100.0}) {
      const inputs in{T, h_sat + dh};
      agrees_at(t, T_h, in, if97::psat(T), T, [&] { return "h' " + digits(h_sat) + " J/kg + " + digits(dh); });
      const w::result one = w::Th(in.a, in.b);
      t.check(one && (one.state.phase == w::phase::two_phase) == (dh > 0.0), [&] {
        return "Th(" + digits(in.a) + ", " + digits(in.b) + ") beside h' = " + digits(h_sat) + ": phase " +
               std::to_string(static_cast<int>(one.state.phase));
      });
    }
  }
  // The test of a target below h' and s' at the dome table's node below T
  // rests on h' and s' rising with T along the saturation line.
  double h_last = -1.0, s_last = -1.0;
  for (double T = if97::T_min; T <= if97::T_region1_max; T += 0.05) {
    const if97::properties pr = if97::properties1(if97::psat(T), T);
    t.check(pr.h > h_last && pr.s > s_last, [&] {
      return "h' " + digits(pr.h) + ", s' " + digits(pr.s) + " at " + digits(T) + " K not above " + digits(h_last) +
             ", " + digits(s_last) + " 0.05 K below";
    });
    h_last = pr.h;
    s_last = pr.s;
  }
}

// Region 2's steam beside where the single calls prove one state: (T, h)
// and (T, s) 1e-3 of psat(T) below the saturated vapour (to 623.15 K) and
// the band of region 3 beside region 2's value on B23 (to 863.15 K), (p, rho)
// 0.05 K above Tsat(p), 2 K above the B23 temperature and 1 K below
// 1073.15 K; and beside the table's columns and its ends in T.
TEST(StatePairsFirst, SteamBesideTheEndsOfItsShortcut) {
  tally t;
  const double p_623 = if97::psat(if97::T_region1_max);
  for (const double T : {273.16, 300.0, 450.5, 600.0, 623.0, 623.15})
    for (const double factor : {1.0, 1.0 - 1e-9, 1.0 - 9e-4, 1.0 - 1e-3, 1.0 - 1.1e-3, 0.5, 1e-4})
      for (const pair f : {T_h, T_s, p_rho}) agrees(t, f, 1e6 * factor * if97::psat(T), T);
  for (const double T : {623.16, 640.0, 700.5, 800.0, 863.0, 863.15, 863.16, 900.0, 1072.5, 1073.15 - 1e-9})
    for (const double factor : {1.0, 1.0 - 1e-7, 1.0 - 1e-4, 1.0 - 1e-3, 1.0 - 1e-2, 0.3})
      for (const pair f : {T_h, T_s, p_rho}) agrees(t, f, 1e6 * factor * std::fmin(if97::pb23(T), if97::p_max), T);
  for (const double p : {1e-3, 0.1, 1.0, 10.0, 0.999 * p_623, p_623})
    for (const double dT : {0.0, 1e-9, 0.04, 0.05, 0.06, 1.0})
      for (const pair f : {p_rho, T_h, T_s}) agrees(t, f, 1e6 * p, if97::tsat(p) + dT);
  for (const double p : {1.001 * p_623, 20.0, 50.0, 99.0, 100.0})
    for (const double dT : {0.0, 1e-9, 1.9, 2.0, 2.1, 5.0})
      for (const pair f : {p_rho, T_h, T_s}) agrees(t, f, 1e6 * p, if97::tb23(p) + dT);
  for (const double p : {1e-3, 1.0, 50.0, 100.0})
    for (const double dT : {0.0, 1e-9, 0.9, 1.0, 1.1, 10.0})
      for (const pair f : {p_rho, T_h, T_s}) agrees(t, f, 1e6 * p, if97::T_region2_max - dT);
}

// Where a line holds no state, the single call's status is _all's.
TEST(StatePairsFirst, NoStateGivesTheStatusOfTheSearch) {
  struct row {
    pair f;
    double a, b;
  };
  const row rows[] = {
      {p_rho, 1e5, 1200.0},  {p_rho, 1e5, 1e-9},  {p_rho, 1e8, 1400.0}, {p_rho, 100.0, 1.0},
      {T_h, 300.0, 1e8},     {T_h, 300.0, -1e6},  {T_h, 700.0, 5e6},    {T_h, 2000.0, 1e3},
      {T_s, 300.0, -1e4},    {T_s, 300.0, 5e4},   {T_s, 700.0, 2e4},    {T_s, 1500.0, 100.0},
  };
  for (const row& r : rows) {
    const inputs in{r.a, r.b};
    const w::all_results all = all_of(r.f, in);
    int count = -1;
    const w::result one = single_of(r.f, in, &count);
    EXPECT_TRUE(all.count == 0 && !one && count == 0 && one.status == all.status)
        << pair_name[r.f] << "(" << digits(r.a) << ", " << digits(r.b) << "): _all " << all.count << " ("
        << w::status_text(all.status) << "), single " << one.reason() << ", count " << count;
  }
}

// The count of sign changes of a slope over n + 1 points of a line.
template <class Slope>
int sign_changes(Slope&& slope, double a, double b, int n) {
  int changes = 0;
  double last = slope(a);
  for (int i = 1; i <= n; ++i) {
    const double s = slope(a + (b - a) * i / n);
    if ((s < 0.0) != (last < 0.0)) ++changes;
    last = s;
  }
  return changes;
}

// (dh/dp)_T = v - T (dv/dT)_p, (ds/dp)_T = -(dv/dT)_p along an isotherm in
// ln p; (drho/dT)_p, of the sign of -(dv/dT)_p, along an isobar in T.
double dh_dp(const if97::properties& pr) { return pr.v - pr.T * pr.dv_dT; }
double ds_dp(const if97::properties& pr) { return -pr.dv_dT; }

TEST(StatePairsFirst, SlopesChangeSignAtMostOnceAlongEachPiece) {
  struct row {
    const char* name;
    int region;
    bool isobar;
    double (*slope)(const if97::properties&);
    int most;  // sign changes allowed along one piece
  };
  const row rows[] = {
      {"(dh/dp)_T, region 1", 1, false, dh_dp, 1}, {"(ds/dp)_T, region 1", 1, false, ds_dp, 1},
      {"(dh/dp)_T, region 2", 2, false, dh_dp, 0}, {"(ds/dp)_T, region 2", 2, false, ds_dp, 0},
      {"(dh/dp)_T, region 5", 5, false, dh_dp, 0}, {"(ds/dp)_T, region 5", 5, false, ds_dp, 0},
      {"(dv/dT)_p, region 1", 1, true, ds_dp, 1},  {"(dv/dT)_p, region 2", 2, true, ds_dp, 0},
      {"(dv/dT)_p, region 5", 5, true, ds_dp, 0},
  };
  const double p_623 = if97::psat(if97::T_region1_max);
  for (const row& r : rows) {
    tally t;
    const auto check = [&](double fixed, double lo, double hi) {
      if (!(lo < hi)) return;
      const auto at = [&](double x) {
        const double p = r.isobar ? fixed : std::exp(x), T = r.isobar ? x : fixed;
        const if97::properties pr = r.region == 1 ? if97::properties1(p, T)
                                    : r.region == 2 ? if97::properties2(p, T)
                                                    : if97::properties5(p, T);
        return r.slope(pr);
      };
      const int n = sign_changes(at, lo, hi, 600);
      t.check(n <= r.most, [&] {
        return std::string(r.name) + " along " + (r.isobar ? "p = " : "T = ") + digits(fixed) + ": " +
               std::to_string(n) + " sign changes";
      });
    };
    if (r.isobar) {
      for (double lp = -6.0; lp <= 2.0; lp += 0.02) {
        const double p = std::pow(10.0, lp), p_triple = if97::psat(if97::T_min);
        const double T_sat = p >= p_triple && p < if97::p_c_sat ? if97::tsat(p) : if97::T_region5_max;
        const double T1_hi = std::fmin(T_sat, if97::T_region1_max);
        const double T2_lo = p < p_triple ? if97::T_min : p <= p_623 ? T_sat : if97::tb23(p);
        if (r.region == 1 && p >= p_triple) check(p, if97::T_min, T1_hi);
        if (r.region == 2) check(p, T2_lo, if97::T_region2_max);
        if (r.region == 5 && p <= if97::p_region5_max) check(p, if97::T_region2_max, if97::T_region5_max);
      }
    } else {
      const double ln_lo = std::log(1e-9), ln_max = std::log(if97::p_max);
      for (double T = if97::T_min; T <= if97::T_region5_max; T += 0.7) {
        if (r.region == 1 && T <= if97::T_region1_max) check(T, std::log(if97::psat(T)), ln_max);
        if (r.region == 2 && T <= if97::T_region2_max)
          check(T, ln_lo, std::log(T <= if97::T_region1_max ? if97::psat(T) : std::fmin(if97::pb23(T), if97::p_max)));
        if (r.region == 5 && T >= if97::T_region2_max) check(T, ln_lo, std::log(if97::p_region5_max));
      }
    }
  }
}

// Region 3 along its isotherms: h and s fall with rho on both sides of the
// dome; saturated steam is denser than the ideal gas; and region 1's h, s
// and rho keep within the bounds that let a search pass over it: h' and s'
// at 623.15 K above, rho' at 623.15 K below, and from 300 K the density at
// 273.15 K and the same pressure above.
TEST(StatePairsFirst, RegionThreeFallsAndRegionOneIsBounded) {
  tally t;
  for (double T = if97::T_region1_max + 0.05; T <= if97::T_b23_max; T += 0.9) {
    for (double rho = 80.0; rho <= 1100.0; rho += 2.5) {
      const if97::properties pr = if97::properties3(T, 1.0 / rho);
      if (!(pr.dv_dp < 0.0) || pr.p < std::fmin(if97::pb23(T), if97::p_max) || pr.p > if97::p_max) continue;
      if (T < if97::T_c && pr.p <= if97::psat(T) * 1.0001 && pr.p >= if97::psat(T) * 0.9999) continue;
      // d/drho at T: -v^2 d/dv; (dh/dv)_T = T (dp/dT)_v + v (dp/dv)_T, (ds/dv)_T = (dp/dT)_v.
      const double dp_dT = -pr.dv_dT / pr.dv_dp, dp_dv = 1.0 / pr.dv_dp;
      const double dh = T * dp_dT + pr.v * dp_dv, ds = dp_dT;  // per m3/kg: h and s fall with rho where positive
      t.check(dh > 0.0 && ds > 0.0, [&] {
        return "region 3 at T = " + digits(T) + ", rho = " + digits(rho) + ": (dh/dv)_T = " + digits(dh) +
               ", (ds/dv)_T = " + digits(ds);
      });
    }
  }
  // Saturated steam is denser than the ideal gas at its p and T (Z'' < 1).
  for (double T = 273.16; T < if97::T_c; T += 1.3) {
    const w::state s = w::Tx(T, 1.0).state;
    t.check(s.rho > s.p / (1e3 * if97::R * s.T),
            [&] { return "saturated steam at " + digits(T) + " K: rho " + digits(s.rho); });
  }
  const double p_623 = if97::psat(if97::T_region1_max);
  const if97::properties top = if97::properties1(p_623, if97::T_region1_max);
  for (double T = if97::T_min; T <= if97::T_region1_max; T += 1.7) {
    for (double lp = std::log10(if97::psat(T)); lp <= 2.0; lp += 0.01) {
      const if97::properties pr = if97::properties1(std::pow(10.0, lp), T);
      // From 300 K less dense than at 273.15 K and the same pressure; from
      // 290 K expanding with T by more than 1e-7 m3/(kg K).
      const bool cold_densest = T < 300.0 || pr.v > if97::v1(pr.p, if97::T_min);
      const bool expanding = T < 290.0 || pr.dv_dT > 1e-7;
      t.check(pr.h <= top.h && pr.s <= top.s && pr.v <= top.v && cold_densest && expanding, [&] {
        return "region 1 at p = " + digits(pr.p) + " MPa, T = " + digits(T) + ": h " + digits(pr.h) + ", s " +
               digits(pr.s) + ", v " + digits(pr.v) + ", (dv/dT)_p " + digits(pr.dv_dT) +
               " beyond 623.15 K's saturated liquid or 1e-7";
      });
    }
  }
}

}  // namespace
