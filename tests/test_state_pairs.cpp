// The flashes of (rho, u), (p, rho), (rho, h), (rho, s), (p, u), (T, h),
// (T, s), (h, x) and (s, x) against the states of (p, T), (T, x) and (p, x)
// they invert; the several states of a pair; phase labels about the
// saturated states; bad input; the C shim's arrays.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "if97/constants.hpp"
#include "if97/saturation.hpp"
#include "support/checks.hpp"
#include "support/state_grid.hpp"
#include "water/internal.hpp"
#include "water/kviapws97/water.h"
#include "water/state.hpp"

namespace {

namespace w = kviapws97::water;
using kvtest::band_distance;
using kvtest::digits;
using kvtest::reproduces;
using kvtest::tally;
constexpr double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();

std::string describe(const w::state& s) {
  return "p = " + digits(s.p) + ", T = " + digits(s.T) + ", rho = " + digits(s.rho) + ", u = " + digits(s.u) +
         ", x = " + digits(s.x) + ", region " + std::to_string(s.region) + ", phase " +
         std::to_string(static_cast<int>(s.phase));
}
std::string describe(const w::result& r) { return describe(r.state) + " (" + r.reason() + ")"; }

// The invariants of a state: finite, p > 0, rho v = 1, u = h - p v, x in
// [0, 1] exactly when two-phase.
bool sound(const w::state& s) {
  const bool two = s.phase == w::phase::two_phase;
  return std::isfinite(s.p) && s.p > 0.0 && std::isfinite(s.T) && std::isfinite(s.h) && std::isfinite(s.s) &&
         std::fabs(s.rho * s.v - 1.0) <= 1e-15 && std::fabs(s.u - (s.h - s.p * s.v)) <= 1e-12 * std::fabs(s.h) + 1e-9 &&
         two == (s.x >= 0.0 && s.x <= 1.0);
}

// The pairs of one state; the ones with several states through _all.
enum pair { rho_u, rho_h, rho_s, p_u, p_rho, T_h, T_s, h_x, s_x };
const char* const pair_name[] = {"rhou", "rhoh", "rhos", "pu", "prho", "Th", "Ts", "hx", "sx"};
constexpr pair single_pairs[] = {rho_u, rho_h, rho_s, p_u};
constexpr pair several_pairs[] = {p_rho, T_h, T_s};

w::result run(pair f, const w::state& st) {
  switch (f) {
    case rho_u: return w::rhou(st.rho, st.u);
    case rho_h: return w::rhoh(st.rho, st.h);
    case rho_s: return w::rhos(st.rho, st.s);
    default: return w::pu(st.p, st.u);
  }
}
w::all_results run_all(pair f, const w::state& st) {
  switch (f) {
    case p_rho: return w::prho_all(st.p, st.rho);
    case T_h: return w::Th_all(st.T, st.h);
    case T_s: return w::Ts_all(st.T, st.s);
    case h_x: return w::hx_all(st.h, st.x);
    default: return w::sx_all(st.s, st.x);
  }
}

bool close(double got, double wanted, double relative) { return std::fabs(got - wanted) <= relative * std::fabs(wanted); }

// The polish steps of the single-phase states of (rho, u): how many took
// more than three, and the first of them.
struct step_count {
  int states = 0, over_three = 0, most = 0;
  std::string first;
  ~step_count() {
    std::printf("rhou: %d single-phase states, %d polished in more than 3 steps (most %d)%s%s\n", states, over_three,
                most, first.empty() ? "" : "; first: ", first.c_str());
  }
};
step_count& steps() {
  static step_count c;
  return c;
}

// (p, T) -> rho, u, h, s -> each pair back: T within 2e-12 relative (0.2 K
// within 0.1 K of a boundary where two regions' equations overlap), the same
// phase, the inputs reproduced; for the pairs with several states, one of
// them is this one.
void round_trips(tally& t, double p, double T) {
  const w::result a = w::pT(p, T);
  ASSERT_TRUE(a) << "pT(" << digits(p) << " Pa, " << digits(T) << " K): " << a.reason();
  const w::state& in = a.state;
  // In a band the equations of two regions may both hold a state of a pair
  // of rho, up to 0.2 K apart (at 1073.15 K).
  const bool band = band_distance(p, T) < 0.1;
  const double allowed = band ? 0.2 : 2e-12 * T;
  for (const pair f : single_pairs) {
    const w::result r = run(f, in);
    if (f == rho_u && r && r.state.region != 4) {
      step_count& c = steps();
      const int n = w::detail::last_polish_steps();
      ++c.states;
      if (n > c.most) c.most = n;
      if (n > 3 && ++c.over_three == 1) c.first = describe(in) + " (" + std::to_string(n) + " steps)";
    }
    const double dT = std::fabs(r.state.T - T);
    // At the critical temperature or pressure the label turns on rounding.
    const bool critical = std::fabs(T - if97::T_c) <= 1e-9 * T || std::fabs(p - 1e6 * if97::p_c) <= 1e-9 * p;
    t.check(r && sound(r.state) && dT <= allowed && (band || critical || r.state.phase == in.phase), [&] {
      return std::string(pair_name[f]) + " of " + describe(a) + " gave " + describe(r) + "; |dT| = " + digits(dT) +
             ", allowed " + digits(allowed);
    });
  }
  // Along an isotherm h and s hardly fix p where they barely change with it
  // (h of a gas at low pressure, s of the liquid about 4 degC): there a
  // state of (T, h) or (T, s) reproduces h or s and lies within 1e-2 of p.
  for (const pair f : several_pairs) {
    const w::all_results all = run_all(f, in);
    bool found = false;
    for (int i = 0; i < all.count; ++i) {
      const w::state& s = all.states[i];
      const bool same = f == p_rho ? (band || close(s.p, p, 1e-15)) && std::fabs(s.T - T) <= allowed
                                   : s.T == T && close(s.p, p, 1e-2) &&
                                         (f == T_h ? reproduces(s.h, in.h) : reproduces(s.s, in.s));
      found = found || same;
    }
    t.check(found, [&] {
      std::string got;
      for (int i = 0; i < all.count; ++i) got += "; " + describe(all.states[i]);
      return std::string(pair_name[f]) + " of " + describe(a) + " found " + std::to_string(all.count) + " states" + got;
    });
  }
}

// The grids of the (p, h) flashes: every region, both sides of each bound.
TEST(StatePairs, RoundTripsOverEveryRegionAndBothSidesOfItsBoundaries) {
  tally t;
  kvtest::region_grid({60, 9.7, 90.0, {1e-6, 1e-3, 0.1, 1.0}, 1.1, 2.0},
                      [&t](double p, double T) { round_trips(t, p, T); });
}

// Within 0.01 K and 1 kPa of the saturation line, each side of it, and of
// the critical point.
TEST(StatePairs, RoundTripsNextToTheSaturationLineAndTheCriticalPoint) {
  tally t;
  kvtest::saturation_grid(2.3, {1e-4, 0.01}, {1.0, 1e3}, {-0.01, -1e-4, 0.0, 1e-4, 0.01},
                          {-1e3, -1.0, 0.0, 1.0, 1e3}, [&t](double p, double T) { round_trips(t, p, T); });
}

// (T, x) -> rho, u, h, s -> each pair: the same x to 1e-12 and T to 2e-12;
// (h, x) and (s, x) find this T among their states.
TEST(StatePairs, TwoPhaseRoundTrips) {
  tally t;
  std::vector<double> Ts;
  for (double T = 273.16; T < 647.0; T += 2.9) Ts.push_back(T);
  for (double d = 0.5; d > 1e-4; d *= 0.3) Ts.push_back(if97::T_c - d);
  for (const double T : Ts) {
    for (const double x : {0.0, 1e-4, 0.01, 0.25, 0.5, 0.99, 1.0}) {
      const w::result a = w::Tx(T, x);
      ASSERT_TRUE(a) << "Tx(" << digits(T) << ", " << x << ")";
      const w::state& in = a.state;
      const bool edge = x == 0.0 || x == 1.0;
      for (const pair f : single_pairs) {
        const w::result r = run(f, in);
        const double dx = std::fabs(r.state.x - x), dT = std::fabs(r.state.T - in.T);
        // On the line itself (x = 0 or 1) a flash may return the saturated
        // phase as a single phase, at the same T. Within 1 K of T_c, where
        // v'' - v' closes, the last bits of T move x of a given rho by more
        // than 1e-12, about 1e-10 K / (T_c - T) (p fixes T exactly, rho
        // and u only to rounding); within 1 mK of T_c x is not tested.
        const bool as_single = edge && r.state.phase != w::phase::two_phase;
        const double x_allowed = f == p_u || T < 646.0 ? 1e-12
                                 : T > if97::T_c - 1e-3 ? 1.0
                                                        : 1e-12 + 1e-10 / (if97::T_c - T);
        t.check(r && sound(r.state) && (dx <= x_allowed || as_single) && dT <= 2e-12 * T, [&] {
          return std::string(pair_name[f]) + " of " + describe(a) + " gave " + describe(r) + "; |dx| = " + digits(dx) +
                 ", |dT| = " + digits(dT);
        });
      }
      // Within 0.05 K of T_c the mixture's h and s along the saturation line
      // fix T only to about 1e-9 of itself; closer, (h, x) and (s, x) are
      // not tested.
      const double x_allowed = T < 646.0 ? 1e-12 : 1e-12 + 1e-10 / (if97::T_c - T);
      for (const pair f : {p_rho, T_h, T_s, h_x, s_x}) {
        const bool along_line = f == h_x || f == s_x;
        if (along_line && T > if97::T_c - 0.05) continue;
        const w::all_results all = run_all(f, in);
        const double T_allowed = along_line && T > 646.0 ? 1e-9 : 2e-12;
        bool found = false;
        for (int i = 0; i < all.count; ++i)
          found = found || (std::fabs(all.states[i].T - in.T) <= T_allowed * T &&
                            (std::fabs(all.states[i].x - x) <= x_allowed || edge));
        t.check(found, [&] {
          std::string got;
          for (int i = 0; i < all.count; ++i) got += "; " + describe(all.states[i]);
          return std::string(pair_name[f]) + " of " + describe(a) + " found " + std::to_string(all.count) + got;
        });
      }
    }
  }
}

// (p, u) about the peak of u'' near 507 K, where (p, u) takes a u above
// every saturated state's as steam without the saturated states: just below
// u'' wet, at x = 1 - 1e-9, and just above it vapour, every 0.05 K, so that
// some lie between the interpolant's nodes, where u'' bulges above them.
TEST(StatePairs, PressureAndEnergyAboutThePeakOfTheVapoursEnergy) {
  tally t;
  for (double T = 495.0; T <= 520.0; T += 0.05) {
    const w::result wet = w::Tx(T, 1.0 - 1e-9), dry = w::Tx(T, 1.0);
    ASSERT_TRUE(wet && dry) << "Tx at T = " << digits(T);
    struct row { double p, u; w::phase expected; double x; };
    const row rows[] = {{wet.state.p, wet.state.u, w::phase::two_phase, 1.0 - 1e-9},
                        {dry.state.p, dry.state.u * (1.0 + 1e-9), w::phase::vapour, nan}};
    for (const row& r : rows) {
      const w::result got = w::pu(r.p, r.u);
      const bool x_right = std::isnan(r.x) || std::fabs(got.state.x - r.x) <= 1e-12;
      t.check(got && sound(got.state) && got.state.phase == r.expected && x_right &&
                  std::fabs(got.state.T - T) <= 1e-6 * T, [&] {
        return "pu(" + digits(r.p) + ", " + digits(r.u) + ") at T = " + digits(T) + " gave " + describe(got) +
               "; expected phase " + std::to_string(static_cast<int>(r.expected)) + ", x " + digits(r.x);
      });
    }
  }
}

// rho'(1 +- 1e-9) and rho''(1 +- 1e-9) with u' or u'' at 500 temperatures.
// A little denser than the saturated liquid is liquid, a little less dense
// two-phase. About the vapour, the isochore leaves the dome a little above
// (denser) or below (less dense) T, where u'' is higher than at T as u''
// rises with T, and lower as it falls (above its maximum near 507 K): the
// state of u'' is two-phase where it lies below u'' of the isochore's end.
TEST(StatePairs, PhaseLabelsAboutTheSaturatedStates) {
  tally t;
  constexpr int n = 500;
  constexpr double T_low = 273.16, T_high = 647.09;
  for (int i = 0; i < n; ++i) {
    const double T = T_low + (T_high - T_low) * i / (n - 1.0);
    const w::result liquid = w::Tx(T, 0.0), vapour = w::Tx(T, 1.0);
    ASSERT_TRUE(liquid && vapour) << "Tx at T = " << digits(T);
    const double du_dT = (w::Tx(T + 1e-3, 1.0).state.u - w::Tx(T - 1e-3, 1.0).state.u) / 2e-3;
    if (std::fabs(du_dT) < 1.0) continue;  // J/(kg K): at the maximum of u'' the label turns on rounding
    const w::phase denser = du_dT > 0.0 ? w::phase::two_phase : w::phase::vapour;
    const w::phase lighter = du_dT > 0.0 ? w::phase::vapour : w::phase::two_phase;
    struct row { const w::state& edge; double factor; w::phase expected; };
    const row rows[] = {{liquid.state, 1.0 + 1e-9, w::phase::liquid}, {liquid.state, 1.0 - 1e-9, w::phase::two_phase},
                        {vapour.state, 1.0 + 1e-9, denser}, {vapour.state, 1.0 - 1e-9, lighter}};
    for (const row& r : rows) {
      const double rho = r.edge.rho * r.factor;
      const w::result got = w::rhou(rho, r.edge.u);
      t.check(got && sound(got.state) && got.state.phase == r.expected && std::fabs(got.state.T - T) < 1e-3, [&] {
        return "rhou(" + digits(rho) + ", " + digits(r.edge.u) + ") at T = " + digits(T) + " gave " + describe(got) +
               "; expected phase " + std::to_string(static_cast<int>(r.expected));
      });
    }
  }
}

// The pairs with several states find each: the liquid on both sides of its
// density maximum, an isotherm of the liquid where h turns (at (dh/dp)_T =
// v (1 - T alpha) = 0), s about 4 degC, the mixture's h near the top of the
// dome.
TEST(StatePairs, SeveralStatesAreAllFound) {
  struct row {
    const char* name;
    w::all_results (*f)(double, double) noexcept;
    double T1, p1, T2, p2;  // two states of one pair, (T, p)
    pair which;
  };
  const row rows[] = {
      {"prho about the density maximum", w::prho_all, 275.0, 1e5, 0.0, 1e5, p_rho},
      {"Th where h turns along 600 K", w::Th_all, 600.0, 80e6, 600.0, 0.0, T_h},
      {"Ts about 4 degC at 275 K", w::Ts_all, 275.0, 1e5, 275.0, 0.0, T_s},
      // Just below the maximum of s along the isotherm: both liquids lie
      // between two samples, on one side of their bracket's middle.
      {"Ts beside its maximum along 273.21 K", w::Ts_all, 273.21, 18.4785e6, 273.21, 18.8526e6, T_s},
  };
  for (const row& r : rows) {
    const w::state a = w::pT(r.p1, r.T1).state;
    const w::all_results all = run_all(r.which, a);
    EXPECT_GE(all.count, 2) << r.name << ": " << describe(a);
    for (int i = 1; i < all.count; ++i)
      EXPECT_TRUE(all.states[i - 1].p < all.states[i].p ||
                  (all.states[i - 1].p == all.states[i].p && all.states[i - 1].T < all.states[i].T))
          << r.name << ": out of order at " << i;
    int count = -1;
    const w::result first = r.which == p_rho ? w::prho(a.p, a.rho, &count)
                            : r.which == T_h ? w::Th(a.T, a.h, &count)
                                             : w::Ts(a.T, a.s, &count);
    EXPECT_TRUE(first && count == all.count && first.state.p == all.states[0].p && first.state.T == all.states[0].T)
        << r.name << ": the single call gave " << describe(first) << ", count " << count;
  }
  // h'' has its maximum near 2.8 MPa: h a little below it, x = 1, twice.
  const w::state top = w::Tx(503.0, 1.0).state;
  EXPECT_EQ(w::hx_all(top.h - 5e3, 1.0).count, 2) << describe(top);
}

// (h, x) and (s, x) sample the saturation line at a few points and split it
// at the extrema of the mixture's h or s between them: near the top of the
// dome, where h' and h'' (s' and s'') turn steeply toward each other, every
// (T, x) is found among the states of its (h, x) and (s, x).
// The state of (T, x) among the states of its (h, x) and (s, x).
void check_quality_pairs(tally& t, double T, double x) {
  const w::result a = w::Tx(T, x);
  ASSERT_TRUE(a) << "Tx(" << digits(T) << ", " << x << ")";
  for (const pair f : {h_x, s_x}) {
    const w::all_results all = run_all(f, a.state);
    bool found = false;
    for (int i = 0; i < all.count; ++i) found = found || std::fabs(all.states[i].T - a.state.T) <= 1e-9 * a.state.T;
    t.check(found, [&] {
      std::string got;
      for (int i = 0; i < all.count; ++i) got += "; " + describe(all.states[i]);
      return std::string(pair_name[f]) + " of " + describe(a) + " found " + std::to_string(all.count) + got;
    });
  }
}

TEST(StatePairs, QualityPairsNearTheTopOfTheDome) {
  tally t;
  // Within some 50 mK of T_c the region-3 saturated phases' h and s move
  // with the last bit of psat by about their tolerance: there the search
  // keeps the state nearest its target of those that reproduced it.
  for (const double dT : {30.0, 12.0, 5.0, 2.5, 1.2, 0.9, 0.6, 0.3, 0.12, 0.06, 0.04, 0.025, 0.015, 0.01})
    for (const double x : {0.02, 0.1, 0.3, 0.4, 0.43, 0.45, 0.48, 0.5, 0.55, 0.6, 0.7, 0.9, 0.98})
      check_quality_pairs(t, if97::T_c - dT, x);
}

// Along the whole line, and where a target lies just beyond an extremum of
// the mixture's h or s, its two states close together on one side of the
// middle of the samples around it (the search places the extremum at its
// step of least slope): every (T, x) is found.
TEST(StatePairs, QualityPairsAlongTheWholeLine) {
  tally t;
  for (int i = 0; i <= 40; ++i)
    for (const double x : {0.0, 0.05, 0.2, 0.35, 0.43, 0.48, 0.52, 0.6, 0.68, 0.8, 0.95, 1.0})
      check_quality_pairs(t, if97::T_min + 0.01 + (if97::T_c - 0.06 - if97::T_min) * i / 40.0, x);
  struct row {
    double dT, x;  // K below T_c
  };
  const row beside_extremum[] = {{280.546, 0.477769}, {234.607, 0.522186}, {323.891, 0.42829},
                                 {0.842992, 0.42829}, {0.352249, 0.431246}, {0.226492, 0.43207}};
  for (const row& r : beside_extremum) check_quality_pairs(t, if97::T_c - r.dT, r.x);
}

TEST(StatePairs, BadInputGivesItsStatusAndNoState) {
  using st = w::status;
  struct row { const char* name; w::result (*f)(double, double) noexcept; double a, b; w::status expected; };
  const auto u_at = [](double p, double T) { return w::pT(p, T).state.u; };
  const row rows[] = {
      {"rhou", w::rhou, nan, 1e6, st::not_finite}, {"rhou", w::rhou, 1.0, inf, st::not_finite},
      {"rhoh", w::rhoh, 1.0, nan, st::not_finite}, {"rhos", w::rhos, -inf, 1e3, st::not_finite},
      {"pu", w::pu, nan, 1e6, st::not_finite},
      {"rhou", w::rhou, 0.0, 1e6, st::density_out_of_range}, {"rhoh", w::rhoh, -1.0, 1e6, st::density_out_of_range},
      {"rhou", w::rhou, 1100.0, 1e5, st::density_out_of_range},  // beyond the density at 100 MPa
      {"rhou", w::rhou, 1000.0, -1e5, st::internal_energy_below_min},
      {"rhou", w::rhou, 1.0, 1e8, st::internal_energy_above_max},
      {"rhoh", w::rhoh, 1.0, -1e5, st::enthalpy_below_min}, {"rhos", w::rhos, 1.0, 1e5, st::entropy_above_max},
      {"pu", w::pu, 0.0, 1e6, st::pressure_not_positive}, {"pu", w::pu, 100.001e6, 1e6, st::pressure_above_100MPa},
      {"pu", w::pu, 1e6, u_at(1e6, 273.15) - 1e3, st::internal_energy_below_min},
      {"pu", w::pu, 1e6, u_at(1e6, 2273.15) + 1e3, st::internal_energy_above_max},
  };
  for (const row& r : rows) {
    const w::result got = r.f(r.a, r.b);
    EXPECT_TRUE(got.status == r.expected && std::isnan(got.state.T) && std::isnan(got.state.p))
        << r.name << "(" << digits(r.a) << ", " << digits(r.b) << ") gave " << describe(got) << "; expected status "
        << static_cast<int>(r.expected) << " (" << w::status_text(r.expected) << ")";
  }
  struct row_all { const char* name; w::all_results (*f)(double, double) noexcept; double a, b; w::status expected; };
  const row_all all_rows[] = {
      {"prho_all", w::prho_all, nan, 1.0, st::not_finite}, {"prho_all", w::prho_all, -1.0, 1.0, st::pressure_not_positive},
      {"prho_all", w::prho_all, 1e5, 2000.0, st::density_out_of_range},
      {"Th_all", w::Th_all, 273.0, 1e5, st::temperature_below_min}, {"Ts_all", w::Ts_all, 2300.0, 1e3, st::temperature_above_max},
      {"Th_all", w::Th_all, 300.0, 1e8, st::no_state_of_pair}, {"Ts_all", w::Ts_all, 300.0, -1e4, st::no_state_of_pair},
      {"hx_all", w::hx_all, 1e5, 1.5, st::quality_out_of_range}, {"sx_all", w::sx_all, inf, 0.5, st::not_finite},
      {"hx_all", w::hx_all, 5e6, 0.5, st::no_state_of_pair},
  };
  for (const row_all& r : all_rows) {
    const w::all_results got = r.f(r.a, r.b);
    EXPECT_TRUE(got.status == r.expected && got.count == 0)
        << r.name << "(" << digits(r.a) << ", " << digits(r.b) << ") gave status " << static_cast<int>(got.status)
        << " with " << got.count << " states; expected " << static_cast<int>(r.expected);
  }
}

// The C shim: the same states, a caller's array filled up to its capacity,
// the count of all.
TEST(StatePairs, CShimArrays) {
  const w::state a = w::pT(1e5, 275.0).state;
  kviapws97_state out[3] = {};
  out[1].T = nan;
  int count = 0;
  ASSERT_EQ(kviapws97_prho_all(a.p, a.rho, out, 1, &count), 0);
  EXPECT_EQ(count, 2);
  EXPECT_TRUE(std::isnan(out[1].T)) << "filled beyond its capacity: " << out[1].T;
  kviapws97_state one{};
  EXPECT_EQ(kviapws97_prho(a.p, a.rho, &one), 0);
  EXPECT_EQ(one.T, out[0].T);
  EXPECT_EQ(kviapws97_rhou(a.rho, a.u, &one), 0);
  EXPECT_NEAR(one.T, 275.0, 1e-9);
  EXPECT_EQ(kviapws97_Th(275.0, nan, &one), static_cast<int>(w::status::not_finite));
  EXPECT_STREQ(kviapws97_error_text(static_cast<int>(w::status::no_state_of_pair)),
               w::status_text(w::status::no_state_of_pair));
}

}  // namespace
