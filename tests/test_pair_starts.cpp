// The starts of the single-phase polish of (rho, u), (rho, h), (rho, s) and
// (p, u): from Tait's equation of the liquid in region 1, from the real
// gas's p v in region 2's dense steam, along the isochore on part of region
// 3's equation, a state is polished in a few Newton steps and returned
// whole. A start that lands far off still converges, in more steps: these
// rows catch it, and the state must still be the one of (p, T).
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>

#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/saturation.hpp"
#include "support/checks.hpp"
#include "support/published_states.hpp"
#include "support/state_grid.hpp"
#include "water/internal.hpp"
#include "water/state.hpp"

namespace {

namespace w = kviapws97::water;
using kvtest::digits;

// States of (p, T) on a grid of one region, and the most steps that their
// pairs of rho and (p, u) may take.
struct start_row {
  const char* what;
  int region;
  double p_lo, p_hi;  // MPa
  double T_lo, T_hi;  // K
  int most_steps, most_steps_pu;
};

constexpr start_row start_rows[] = {
    {"compressed liquid", 1, 0.5, 100.0, 280.0, 560.0, 3, 3},
    {"hot liquid", 1, 20.0, 100.0, 560.0, 615.0, 3, 3},
    {"dense steam", 2, 5.0, 100.0, 700.0, 1070.0, 4, 3},
    // Both sides of B23, where the region to polish first is chosen.
    {"steam by B23", 2, 40.0, 100.0, 760.0, 880.0, 4, 3},
    {"region 3 by B23", 3, 40.0, 100.0, 760.0, 863.0, 5, 3},
    {"steam", 2, 1.0, 10.0, 480.0, 1000.0, 4, 3},
    {"region 3", 3, 20.0, 100.0, 630.0, 860.0, 5, 3},
    {"region 5", 5, 0.01, 50.0, 1080.0, 2270.0, 4, 3},
};

// Each state of (p, T) in `region` on a 13 x 13 grid of [p_lo, p_hi] MPa x
// [T_lo, T_hi] K: at(p, T, state).
template <class At>
void each_grid_state(int region, double p_lo, double p_hi, double T_lo, double T_hi, At&& at) {
  constexpr int n = 12;
  for (int i = 0; i <= n; ++i) {
    for (int j = 0; j <= n; ++j) {
      const double p = p_lo + (p_hi - p_lo) * i / n, T = T_lo + (T_hi - T_lo) * j / n;
      const w::result a = w::pT(1e6 * p, T);
      if (a && a.state.region == region) at(p, T, a.state);
    }
  }
}

// The pairs of a state whose starts these tests count: rhou, rhoh, rhos, pu.
constexpr const char* pair_names[] = {"rhou", "rhoh", "rhos", "pu"};
w::result pair_of(int k, const w::state& in) {
  return k == 0   ? w::rhou(in.rho, in.u)
         : k == 1 ? w::rhoh(in.rho, in.h)
         : k == 2 ? w::rhos(in.rho, in.s)
                  : w::pu(in.p, in.u);
}

TEST(PairStarts, SingleStatesPolishInAFewSteps) {
  for (const start_row& r : start_rows) {
    each_grid_state(r.region, r.p_lo, r.p_hi, r.T_lo, r.T_hi, [&](double p, double T, const w::state& in) {
      for (int k = 0; k < 4; ++k) {
        const w::result g = pair_of(k, in);
        const int steps = w::detail::last_polish_steps(), most = k == 3 ? r.most_steps_pu : r.most_steps;
        // The state whole: its polish evaluated in part forms it whole at the end.
        EXPECT_TRUE(g && g.state.region == r.region && std::fabs(g.state.T - T) <= 2e-12 * T &&
                    std::isfinite(g.state.cv) && std::isfinite(g.state.w) && steps <= most)
            << r.what << ": " << pair_names[k] << " of p = " << digits(p) << " MPa, T = " << digits(T) << " K gave T = "
            << digits(g.state.T) << " K, region " << g.state.region << ", cv = " << digits(g.state.cv)
            << ", w = " << digits(g.state.w) << " in " << steps
            << " steps; expected T within 2e-12, finite cv and w, at most " << most << " steps";
      }
    });
  }
}

// States of (p, T) on a grid of one region, and the most steps of a pair.
struct steps_row {
  const char* what;
  double p_lo, p_hi;  // MPa
  double T_lo, T_hi;  // K
  int most_steps;
};

// (p, rho) in region 3: Newton's steps on p and (dp/dT)_rho alone along the
// isochore from the straight line between region 3's ends on the isobar,
// then one whole evaluation; a slope off by a factor converges only
// linearly, in many more.
TEST(PairStarts, PressureAndDensityOfRegion3InAFewSteps) {
  const steps_row rows[] = {
      {"region 3", 20.0, 100.0, 630.0, 860.0, 4},
      {"region 3 by B23", 40.0, 100.0, 760.0, 863.0, 4},
      {"region 3 by 623.15 K", 17.0, 100.0, 623.2, 640.0, 4},
  };
  for (const steps_row& r : rows) {
    each_grid_state(3, r.p_lo, r.p_hi, r.T_lo, r.T_hi, [&](double p, double T, const w::state& in) {
      const w::result g = w::prho(in.p, in.rho);
      const int steps = w::detail::last_polish_steps();
      EXPECT_TRUE(g && g.state.region == 3 && std::fabs(g.state.T - T) <= 2e-12 * T && steps <= r.most_steps)
          << r.what << ": prho of p = " << digits(p) << " MPa, T = " << digits(T) << " K gave T = "
          << digits(g.state.T) << " K, region " << g.state.region << " in " << steps
          << " steps; expected T within 2e-12, at most " << r.most_steps << " steps";
    });
  }
}

// (p, rho) of region 1's liquid, past its density maximum: from a table of
// T over (ln p, -sqrt(rho_max - rho)) formed once, stepped once by the
// table's slope from one evaluation of v, then evaluated whole; a table's
// node or its row coordinate off leaves the start farther off, in more steps.
TEST(PairStarts, LiquidOfPressureAndDensityInTwoSteps) {
  const steps_row rows[] = {
      {"compressed liquid", 0.1, 100.0, 290.0, 600.0, 2},
      {"cold liquid past the density maximum", 1.0, 100.0, 282.0, 290.0, 2},
      {"hot liquid by 623.15 K", 17.0, 100.0, 600.0, 618.0, 2},
  };
  for (const steps_row& r : rows) {
    each_grid_state(1, r.p_lo, r.p_hi, r.T_lo, r.T_hi, [&](double p, double T, const w::state& in) {
      int count = 0;
      const w::result g = w::prho(in.p, in.rho, &count);
      const int steps = w::detail::last_polish_steps();
      EXPECT_TRUE(g && count == 1 && g.state.region == 1 && std::fabs(g.state.T - T) <= 2e-12 * T &&
                  std::isfinite(g.state.cv) && steps <= r.most_steps)
          << r.what << ": prho of p = " << digits(p) << " MPa, T = " << digits(T) << " K gave T = "
          << digits(g.state.T) << " K, region " << g.state.region << ", count " << count << ", cv "
          << digits(g.state.cv) << " in " << steps << " steps; expected T within 2e-12, one state, at most "
          << r.most_steps << " steps";
    });
  }
}

// (T, s) of region 1's liquid from 290 K: from a table of p over (T, s)
// formed once, stepped once by the table's slope from one evaluation of s
// (that step counted), then evaluated whole once (twice by 623.15 K).
TEST(PairStarts, LiquidOfTemperatureAndEntropyInTwoSteps) {
  const steps_row rows[] = {
      {"compressed liquid", 0.1, 100.0, 290.0, 600.0, 1},
      {"hot liquid by 623.15 K", 17.0, 100.0, 600.0, 623.1, 2},
  };
  for (const steps_row& r : rows) {
    each_grid_state(1, r.p_lo, r.p_hi, r.T_lo, r.T_hi, [&](double p, double T, const w::state& in) {
      int count = 0;
      const w::result g = w::Ts(in.T, in.s, &count);
      const int steps = w::detail::last_polish_steps();
      EXPECT_TRUE(g && count == 1 && g.state.region == 1 && g.state.T == T &&
                  kvtest::reproduces(g.state.s, in.s) && std::fabs(g.state.p - in.p) <= 1e-6 * in.p &&
                  std::isfinite(g.state.cv) && steps <= r.most_steps)
          << r.what << ": Ts of p = " << digits(p) << " MPa, T = " << digits(T) << " K gave p = "
          << digits(g.state.p) << " Pa, s = " << digits(g.state.s) << ", region " << g.state.region << ", count "
          << count << " in " << steps << " steps; expected s reproduced, p within 1e-6, one state, at most "
          << r.most_steps << " steps";
    });
  }
}

// p above psat(T) by a fraction of it and by a pressure, and the most steps.
struct line_row {
  const char* what;
  double fraction, above;  // 1, Pa
  double T_lo, T_hi;       // K
  int most_steps;
};

// The states of region 1 on the grids of (p, T) of `grid` and along the
// saturation line of `line` (81 temperatures each): check(what, most steps,
// p in MPa, T, state).
template <std::size_t G, std::size_t L, class Check>
void each_liquid_state(const steps_row (&grid)[G], const line_row (&line)[L], Check&& check) {
  for (const steps_row& r : grid) {
    each_grid_state(1, r.p_lo, r.p_hi, r.T_lo, r.T_hi,
                    [&](double p, double T, const w::state& in) { check(r.what, r.most_steps, p, T, in); });
  }
  for (const line_row& r : line) {
    for (int j = 0; j <= 80; ++j) {
      const double T = r.T_lo + (r.T_hi - r.T_lo) * j / 80;
      const double p = w::Tx(T, 0.0).state.p * (1.0 + r.fraction) + r.above;
      const w::result a = w::pT(p, T);
      if (a && a.state.region == 1) check(r.what, r.most_steps, 1e-6 * p, T, a.state);
    }
  }
}

// Region 1's (rho, u), (rho, h) and (rho, s) start from a table of (T, p)
// formed once: one step by the table's slopes from one evaluation of v and q
// there reaches rounding, the next evaluation whole confirms it. Rows on a grid of (p, T) and along the saturation line, where
// the liquid expands fastest; a table's node or weight off leaves the start
// farther off, in more steps.
TEST(PairStarts, LiquidOfDensityInOneStep) {
  const auto check = [](const char* what, int most, double p, double T, const w::state& in) {
    const char* names[] = {"rhou", "rhoh", "rhos"};
    for (int k = 0; k < 3; ++k) {
      const w::result g = k == 0 ? w::rhou(in.rho, in.u) : k == 1 ? w::rhoh(in.rho, in.h) : w::rhos(in.rho, in.s);
      const int steps = w::detail::last_polish_steps();
      EXPECT_TRUE(g && g.state.region == 1 && std::fabs(g.state.T - T) <= 2e-12 * T && steps <= most)
          << what << ": " << names[k] << " of p = " << digits(p) << " MPa, T = " << digits(T) << " K gave T = "
          << digits(g.state.T) << " K, region " << g.state.region << " in " << steps
          << " steps; expected T within 2e-12, at most " << most << " steps";
    }
  };
  const steps_row grid_rows[] = {
      {"compressed liquid", 0.1, 100.0, 280.0, 600.0, 1},
      // About the density maximum (277 K) T hardly moves rho; by the
      // saturation line near 623.15 K the table holds T to 1e-4 K, where
      // its slopes' step lands within 1e-11 of T, not rounding.
      {"cold liquid by 273.15 K", 0.1, 100.0, 273.15, 280.0, 2},
      {"hot liquid by 623.15 K", 17.0, 100.0, 610.0, 623.1, 2},
  };
  const line_row line_rows[] = {
      {"1e-4 of psat above the saturation line", 1e-4, 0.0, 273.16, 623.1, 2},
      {"1 kPa above the saturation line", 0.0, 1e3, 280.0, 623.1, 2},
      {"1 kPa above the saturation line, to 560 K", 0.0, 1e3, 280.0, 560.0, 1},
  };
  each_liquid_state(grid_rows, line_rows, check);
}

// Region 2's start of (rho, u), (rho, h), (rho, s) and (p, u) from the grids
// of steam in (xi(1 + rho / 3 kg/m3), w) and (xi(1 + p / 1 MPa), u), xi about
// log2 from the bits of the double: T and p
// within about 1e-8, stepped once by the grid's own slopes from v and q
// alone (where that step is large, by the polish's Newton step), so that
// the polish's first whole evaluation confirms it. A grid whose nodes,
// cubics, slopes or ends are off still converges, in more steps or from the
// ideal gas's start: these rows count the steps, and the state must still be
// the one of (p, T). States of (p, T) of region 2 on a 17 x 17 grid, p evenly
// spaced in ln p, and the most steps their pairs may take: one where every
// state's stencil lies on the grid's steam, more where a stencil reaches
// beyond region 2.
struct steam_row {
  const char* what;
  double p_lo, p_hi;  // MPa
  double T_lo, T_hi;  // K
  int most_steps, most_steps_s;  // of (rho, u), (rho, h) and (p, u); of (rho, s)
};

constexpr steam_row steam_rows[] = {
    // rho down to 1e-5 kg/m3: the column below rho = 0 extrapolated.
    {"thin steam", 1e-5, 1e-2, 350.0, 1070.0, 1, 1},
    {"steam", 1e-2, 10.0, 500.0, 1070.0, 1, 1},
    {"dense steam", 10.0, 100.0, 870.0, 1070.0, 1, 3},
    {"steam by 1073.15 K", 1e-3, 60.0, 1040.0, 1072.0, 1, 1},
    // Up to B23, where (rho, s)'s stencils reach nodes beyond it, and within
    // a node step of the saturation line, where the polish may start from
    // the ideal gas.
    {"steam by B23", 20.0, 90.0, 700.0, 860.0, 1, 4},
    {"steam at B23 to 100 MPa", 60.0, 100.0, 800.0, 870.0, 1, 2},
    {"steam by the saturation line", 1e-3, 16.0, 280.0, 620.0, 3, 3},
};

TEST(PairStarts, Region2FromTheSteamGridInOneStep) {
  for (const steam_row& r : steam_rows) {
    constexpr int n = 16;
    for (int i = 0; i <= n; ++i) {
      for (int j = 0; j <= n; ++j) {
        const double p = r.p_lo * std::pow(r.p_hi / r.p_lo, double(i) / n);
        const double T = r.T_lo + (r.T_hi - r.T_lo) * j / n;
        const w::result a = w::pT(1e6 * p, T);
        if (!a || a.state.region != 2) continue;
        const w::state& in = a.state;
        for (int k = 0; k < 4; ++k) {
          const w::result g = pair_of(k, in);
          const int steps = w::detail::last_polish_steps(), most = k == 2 ? r.most_steps_s : r.most_steps;
          EXPECT_TRUE(g && g.state.region == 2 && std::fabs(g.state.T - T) <= 2e-12 * T &&
                      std::fabs(g.state.p - in.p) <= 1e-11 * in.p && steps <= most)
              << r.what << ": " << pair_names[k] << " of p = " << digits(p) << " MPa, T = " << digits(T)
              << " K gave T = " << digits(g.state.T) << " K, p = " << digits(g.state.p) << " Pa, region "
              << g.state.region << " in " << steps << " steps; expected T within 2e-12, p within 1e-11, at most "
              << most << " steps";
        }
      }
    }
  }
}

// The grids' coordinate of rho (and p) joins its pieces where 1 + rho / 3
// kg/m3 (1 + p / 1 MPa) is a power of 2, with three derivatives continuous:
// steam on either side of a join starts within one step, as elsewhere. A
// join off (a jump or a kink of the coordinate) puts the grid's cubics
// across it farther off, in more steps.
TEST(PairStarts, Region2AcrossTheSteamGridsCoordinateJoins) {
  constexpr double rho_scale = 3.0, p_scale = 1.0;  // kg/m3, MPa
  for (int k = 1; k <= 7; ++k) {
    for (const double side : {1.0 - 1e-3, 1.0, 1.0 + 1e-3}) {
      const double y = std::ldexp(1.0, k) * side;
      for (double T = 650.0; T <= 1070.0; T += 35.0) {
        const w::result by_rho = w::Trho(T, rho_scale * (y - 1.0)), by_p = w::pT(1e6 * p_scale * (y - 1.0), T);
        for (int m = 0; m < 4; ++m) {
          const w::result& a = m == 3 ? by_p : by_rho;
          if (!a || a.state.region != 2) continue;
          const w::result g = pair_of(m, a.state);
          const int steps = w::detail::last_polish_steps();
          EXPECT_TRUE(g && g.state.region == 2 && std::fabs(g.state.T - T) <= 2e-12 * T && steps <= 1)
              << pair_names[m] << " of p = " << digits(a.state.p) << " Pa, T = " << digits(T) << " K (join 2^" << k
              << " times " << side << ") gave T = " << digits(g.state.T) << " K, region " << g.state.region << " in "
              << steps << " steps; expected T within 2e-12, one step";
        }
      }
    }
  }
}

// The lean evaluation of region 2 behind the grid's step: v, h and u from
// gamma_pi and gamma_tau alone, the published values of IAPWS-IF97 Table 15
// to half a unit of their last digit, and the whole evaluation's to rounding
// over region 2 (thin, dense, next to the saturation line and B23, 1073.15
// K), the rest NaN: a term of either sum off, or an operation mixed up,
// puts the grid's step off, which the polish's steps alone may not show
// (a step too large is not taken).
TEST(PairStarts, Region2VolumeAndEnergyOfTheGridsStep) {
  for (const kvtest::published_state& st : kvtest::published_states) {
    if (st.region != 2) continue;
    const if97::properties pr = if97::properties2_volume_energy(st.p, st.T);
    const struct {
      const char* name;
      double got;
      const char* printed;
    } rows[] = {{"v", pr.v, st.pv}, {"h", pr.h, st.h}, {"u", pr.u, st.u}};
    for (const auto& r : rows)
      EXPECT_TRUE(kvtest::matches_printed(r.got, r.printed))
          << r.name << " at p = " << st.p << " MPa, T = " << st.T << " K";
  }
  const struct {
    double p, T;  // MPa, K
  } states[] = {{1e-5, 300.0}, {0.0035, 300.0}, {0.1, 373.2}, {1.0, 500.0},  {16.5, 623.2}, {30.0, 700.0},
                {60.0, 800.0}, {100.0, 863.2}, {100.0, 1073.15}, {1e-3, 1073.15}, {10.0, 584.2}};
  for (const auto& at : states) {
    const if97::properties lean = if97::properties2_volume_energy(at.p, at.T), whole = if97::properties2(at.p, at.T);
    const double got[] = {lean.v, lean.h, lean.u}, expected[] = {whole.v, whole.h, whole.u};
    const char* names[] = {"v", "h", "u"};
    for (int k = 0; k < 3; ++k)
      EXPECT_TRUE(kvtest::close_relative(got[k], expected[k], 4e-16))
          << names[k] << " at p = " << digits(at.p) << " MPa, T = " << digits(at.T) << " K";
    EXPECT_TRUE(std::isnan(lean.s) && std::isnan(lean.cp) && std::isnan(lean.cv) && std::isnan(lean.w))
        << "s, cp, cv, w at p = " << digits(at.p) << " MPa, T = " << digits(at.T) << " K: " << digits(lean.s) << ", "
        << digits(lean.cp) << ", " << digits(lean.cv) << ", " << digits(lean.w) << "; expected NaN";
  }
}

// A step of region 2 along an isobar or an isotherm forms v, (dv/dT)_p and
// h or s from only their sums: each the whole evaluation's to the last bit
// (the polish's last step, and so the state, the same as from the whole
// evaluation's), and what such a step does not need left NaN.
TEST(PairStarts, Region2AlongALinesStep) {
  const struct {
    double p, T;  // MPa, K
  } states[] = {{1e-5, 300.0}, {0.0035, 300.0}, {0.1, 373.2}, {1.0, 500.0},  {16.5, 623.2}, {30.0, 700.0},
                {60.0, 800.0}, {100.0, 863.2}, {100.0, 1073.15}, {1e-3, 1073.15}, {10.0, 584.2}};
  const struct {
    const char* name;
    if97::line_quantity q;
    bool h, s;
  } lines[] = {{"volume", if97::line_quantity::volume, false, false},
               {"enthalpy", if97::line_quantity::enthalpy, true, false},
               {"entropy", if97::line_quantity::entropy, false, true}};
  for (const auto& line : lines)
    for (const auto& at : states) {
      const if97::properties lean = if97::properties2_along_line(at.p, at.T, line.q),
                             whole = if97::properties2(at.p, at.T);
      const struct {
        const char* name;
        double got, expected;
        bool formed;
      } rows[] = {{"v", lean.v, whole.v, true},           {"dv_dT", lean.dv_dT, whole.dv_dT, true},
                  {"h", lean.h, whole.h, line.h},         {"s", lean.s, whole.s, line.s},
                  {"u", lean.u, whole.u, false},          {"cp", lean.cp, whole.cp, false},
                  {"dv_dp", lean.dv_dp, whole.dv_dp, false}};
      for (const auto& r : rows)
        EXPECT_TRUE(r.formed ? r.got == r.expected : std::isnan(r.got))
            << line.name << ": " << r.name << " at p = " << digits(at.p) << " MPa, T = " << digits(at.T)
            << " K: " << digits(r.got) << "; expected " << (r.formed ? digits(r.expected) : std::string("NaN"));
    }
}

// Region 2's (p, rho), (T, h) and (T, s) start from a table of steam's
// quadratics in p formed once (h, s + R ln p and Z at every kelvin): the
// polish reaches the one state in a few steps. Rows by the ends of region
// 2's isotherms (the saturated vapour, B23, 100 MPa), where the quadratics
// bend most, and at low pressure; a table's node or quadratic off leaves the
// start farther off, in more steps.
TEST(PairStarts, SteamOfPressureAndDensityOrTemperatureInAFewSteps) {
  struct row {
    const char* what;
    double p_lo, p_hi;  // MPa
    double T_lo, T_hi;  // K
    int most_prho, most_Th, most_Ts;
  };
  const row rows[] = {
      {"low-pressure steam", 1e-3, 0.1, 280.0, 1070.0, 1, 1, 1},
      {"steam", 0.1, 16.0, 380.0, 1070.0, 2, 2, 2},
      {"steam by the saturated vapour", 1.0, 16.5, 455.0, 623.0, 2, 2, 2},
      {"steam by B23", 17.0, 100.0, 630.0, 870.0, 2, 2, 2},
      {"dense steam", 30.0, 100.0, 800.0, 1070.0, 2, 2, 2},
  };
  for (const row& r : rows) {
    each_grid_state(2, r.p_lo, r.p_hi, r.T_lo, r.T_hi, [&](double p, double T, const w::state& in) {
      for (int k = 0; k < 3; ++k) {
        int count = 0;
        const w::result g = k == 0 ? w::prho(in.p, in.rho, &count) : k == 1 ? w::Th(in.T, in.h, &count)
                                                                           : w::Ts(in.T, in.s, &count);
        const int steps = w::detail::last_polish_steps(), most = k == 0 ? r.most_prho : k == 1 ? r.most_Th : r.most_Ts;
        const char* name = k == 0 ? "prho" : k == 1 ? "Th" : "Ts";
        EXPECT_TRUE(g && count == 1 && g.state.region == 2 && std::fabs(g.state.T - T) <= 2e-12 * T &&
                    std::fabs(g.state.p - in.p) <= 1e-9 * in.p && steps <= most)
            << r.what << ": " << name << " of p = " << digits(p) << " MPa, T = " << digits(T) << " K gave T = "
            << digits(g.state.T) << " K, p = " << digits(g.state.p) << " Pa, region " << g.state.region
            << ", count " << count << " in " << steps << " steps; expected T within 2e-12, p within 1e-9, one "
            << "state, at most " << most << " steps";
      }
    });
  }
}

// Region 1's (p, u) starts from a table of T over (u, p) formed once,
// stepped once by the table's slope from one evaluation of u (that step
// counted; twice by 273.15 K, where the table lies farther off), then
// evaluated whole: rows on a grid of (p, T) and along the
// saturation line; a table's node or row coordinate off leaves the start
// farther off, in more steps.
TEST(PairStarts, LiquidOfPressureAndEnergyInTwoSteps) {
  const auto check = [](const char* what, int most, double p, double T, const w::state& in) {
    const w::result g = w::pu(in.p, in.u);
    const int steps = w::detail::last_polish_steps();
    EXPECT_TRUE(g && g.state.region == 1 && std::fabs(g.state.T - T) <= 2e-12 * T && std::isfinite(g.state.cv) &&
                steps <= most)
        << what << ": pu of p = " << digits(p) << " MPa, T = " << digits(T) << " K gave T = " << digits(g.state.T)
        << " K, region " << g.state.region << ", cv " << digits(g.state.cv) << " in " << steps
        << " steps; expected T within 2e-12, at most " << most << " steps";
  };
  const steps_row grid_rows[] = {
      {"compressed liquid", 0.1, 100.0, 280.0, 600.0, 2},
      {"cold liquid by 273.15 K", 0.1, 100.0, 273.15, 280.0, 3},
      {"hot liquid by 623.15 K", 17.0, 100.0, 600.0, 623.1, 2},
  };
  const line_row line_rows[] = {
      {"1e-4 of psat above the saturation line", 1e-4, 0.0, 273.16, 623.1, 2},
      {"1 kPa above the saturation line", 0.0, 1e3, 273.16, 623.1, 2},
  };
  each_liquid_state(grid_rows, line_rows, check);
}

// (p, u) about the saturated liquid at psat(T): u' less 1e-6 of it is the
// liquid, u' less 1e-12 of it (within the 1e-11 to which a state reproduces
// u) the saturated liquid, two-phase at x = 0, and u' more 1e-9 of it
// two-phase (u of max(|u'|, 1 kJ/kg)); to 623.1 K, across the table of the
// liquid's start, which must leave the states by the line to the search.
TEST(PairStarts, PressureAndEnergyBesideTheSaturatedLiquid) {
  struct row {
    double offset;  // of max(|u'|, 1 kJ/kg)
    w::phase expected;
  };
  const row rows[] = {{-1e-6, w::phase::liquid}, {-1e-12, w::phase::two_phase}, {1e-9, w::phase::two_phase}};
  for (int j = 0; j <= 200; ++j) {
    const double T = 273.16 + (623.1 - 273.16) * j / 200;
    const w::result sat = w::Tx(T, 0.0);
    ASSERT_TRUE(sat) << "Tx at T = " << digits(T);
    for (const row& r : rows) {
      const double u = sat.state.u + r.offset * std::fmax(std::fabs(sat.state.u), 1e3);
      const w::result g = w::pu(sat.state.p, u);
      const bool x_right = r.expected != w::phase::two_phase || (g.state.x >= 0.0 && g.state.x <= 1e-6);
      EXPECT_TRUE(g && g.state.phase == r.expected && x_right && std::fabs(g.state.T - T) <= 1e-3)
          << "pu(" << digits(sat.state.p) << ", " << digits(u) << ") at T = " << digits(T) << " gave phase "
          << static_cast<int>(g.state.phase) << ", x " << digits(g.state.x) << ", T " << digits(g.state.T)
          << "; expected phase " << static_cast<int>(r.expected) << " within 1 mK of T";
    }
  }
}

// Region 3's (T, h) and (T, s) above T_c start their search along the
// isotherm from a table of rho over (T, sqrt(q - q(100 MPa))) formed once:
// the first evaluation there lies within about 1e-6 of the state, the
// cubic's step from it within rounding, the second confirms it (one step;
// two by 863.15 K, where the isotherm's span in q closes, and for a few
// more), where the cubic through the piece's ends took two or three. Rows on grids of (p, T) of region 3, dense (by 100 MPa, where h
// flattens along the isotherm) and by B23; a table's node or row coordinate
// off leaves the start farther off, in more steps.
TEST(PairStarts, Region3OfTemperatureAndEnthalpyOrEntropyInAFewSteps) {
  struct row {
    const char* what;
    double p_lo, p_hi;  // MPa
    double T_lo, T_hi;  // K
    int most_Th, most_Ts;
  };
  const row rows[] = {
      {"region 3", 25.0, 100.0, 700.0, 860.0, 2, 2},
      {"dense by T_c", 40.0, 100.0, 648.0, 700.0, 2, 2},
      {"by B23", 50.0, 100.0, 760.0, 863.0, 2, 2},
  };
  for (const row& r : rows) {
    each_grid_state(3, r.p_lo, r.p_hi, r.T_lo, r.T_hi, [&](double p, double T, const w::state& in) {
      for (int k = 0; k < 2; ++k) {
        int count = 0;
        const w::result g = k == 0 ? w::Th(in.T, in.h, &count) : w::Ts(in.T, in.s, &count);
        const int steps = w::detail::last_polish_steps(), most = k == 0 ? r.most_Th : r.most_Ts;
        EXPECT_TRUE(g && count == 1 && g.state.region == 3 && std::fabs(g.state.p - in.p) <= 1e-9 * in.p &&
                    steps <= most)
            << r.what << ": " << (k == 0 ? "Th" : "Ts") << " of p = " << digits(p) << " MPa, T = " << digits(T)
            << " K gave p = " << digits(g.state.p) << " Pa, region " << g.state.region << ", count " << count
            << " in " << steps << " steps; expected p within 1e-9, one state, at most " << most << " steps";
      }
    });
  }
}

}  // namespace

namespace {

// Region 1's (T, h) where h falls with p from psat(T) (above about 521 K,
// toward its minimum along the isotherm, or to 100 MPa short of it above
// about 613 K): the liquid is the isotherm's first state, started from a
// table of ln p over (T, sqrt((h - h_m) / (h' - h_m))) formed once, the
// cubic's step from there within rounding, the next evaluation confirming
// it. Rows on grids of (p, T) and along the saturation line; whether h falls
// there is told by h at 1e-6 more of p. A table's node or row coordinate off
// leaves the start farther off, in more steps.
TEST(PairStarts, LiquidOfTemperatureAndEnthalpyBelowTheMinimumInAFewSteps) {
  const auto check = [](const char* what, int most, double p, double T, const w::state& in) {
    const w::result above = w::pT(in.p * (1.0 + 1e-6), T);
    if (!above || !(above.state.h < in.h)) return;  // past the minimum: the first state lies below it
    int count = 0;
    const w::result g = w::Th(in.T, in.h, &count);
    const int steps = w::detail::last_polish_steps();
    EXPECT_TRUE(g && count >= 1 && g.state.region == 1 && std::fabs(g.state.p - in.p) <= 1e-9 * in.p &&
                steps <= most)
        << what << ": Th of p = " << digits(p) << " MPa, T = " << digits(T) << " K gave p = " << digits(g.state.p)
        << " Pa, region " << g.state.region << ", count " << count << " in " << steps
        << " steps; expected p within 1e-9, at most " << most << " steps";
  };
  const steps_row grid_rows[] = {
      {"toward h's minimum", 5.0, 100.0, 525.0, 612.0, 2},
      {"by the minimum", 40.0, 100.0, 560.0, 612.0, 2},
      {"to 100 MPa short of the minimum", 15.0, 100.0, 613.0, 623.1, 2},
  };
  const line_row line_rows[] = {
      {"1e-4 of psat above the saturation line", 1e-4, 0.0, 525.0, 623.1, 2},
      {"1 kPa above the saturation line", 0.0, 1e3, 525.0, 623.1, 2},
  };
  each_liquid_state(grid_rows, line_rows, check);
}

// Past h's minimum along region 1's isotherm, the second state of (T, h),
// which Th_all polishes last: from the parabola through the minimum's h
// and 100 MPa's, in a few steps. Rows of temperatures where the minimum lies
// inside region 1, each at fractions of ln p from the minimum (placed by
// bisection on (dh/dp)_T = v - T (dv/dT)_p) to 100 MPa; a start off the
// parabola's root takes more steps.
TEST(PairStarts, LiquidOfTemperatureAndEnthalpyPastTheMinimumInAFewSteps) {
  struct row {
    double T_lo, T_hi;  // K
    int most_steps;
  };
  const row rows[] = {{525.0, 560.0, 4}, {560.0, 590.0, 4}, {590.0, 611.0, 4}};
  for (const row& r : rows) {
    for (int i = 0; i <= 8; ++i) {
      const double T = r.T_lo + (r.T_hi - r.T_lo) * i / 8, ln_max = std::log(100.0);
      double lo = std::log(if97::psat(T)), hi = ln_max;
      for (int k = 0; k < 60; ++k) {
        const if97::properties pr = if97::properties1(std::exp(0.5 * (lo + hi)), T);
        (pr.v - T * pr.dv_dT < 0.0 ? lo : hi) = 0.5 * (lo + hi);
      }
      for (const double f : {0.02, 0.1, 0.3, 0.6, 0.9}) {
        const double p = std::exp(lo + f * (ln_max - lo));  // MPa
        const double h = 1e3 * if97::properties1(p, T).h;  // J/kg
        const w::all_results all = w::Th_all(T, h);
        const int steps = w::detail::last_polish_steps();
        EXPECT_TRUE(all.count == 2 && std::fabs(all.states[1].p - 1e6 * p) <= 1e-9 * 1e6 * p && steps <= r.most_steps)
            << "Th_all(" << digits(T) << ", " << digits(h) << ") past the minimum at p = " << digits(p)
            << " MPa: count " << all.count << ", second p = " << (all.count > 1 ? digits(all.states[1].p) : "none")
            << " Pa in " << steps << " steps; expected p within 1e-9, at most " << r.most_steps << " steps";
      }
    }
  }
}

}  // namespace
