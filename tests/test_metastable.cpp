// Phase requests of the state functions: supersaturated vapour by IAPWS-IF97
// Eq. (18) against the release's Table 18 and its stated differences from
// region 2 on the saturated-vapour line, superheated liquid by region 1,
// round trips of (p, h) and (p, s) on the asked phase, the bounds, and the
// stable side bit for bit as without a request.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "if97/constants.hpp"
#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region2_metastable.hpp"
#include "if97/saturation.hpp"
#include "support/checks.hpp"
#include "water/kviapws97/water.h"
#include "water/state.hpp"

namespace {

namespace w = kviapws97::water;
using kvtest::digits;
using kvtest::matches_printed;

constexpr w::phase liquid = w::phase::liquid, vapour = w::phase::vapour;

std::string show(const w::result& r) {
  return "status " + std::to_string(static_cast<int>(r.status)) + " (" + r.reason() + "), T = " + digits(r.state.T) +
         ", h = " + digits(r.state.h) + ", region " + std::to_string(r.state.region) + ", phase " +
         w::phase_text(r.state.phase) + (r.metastable ? ", metastable" : "");
}

// The invariants of a state returned as a success, for the phase asked.
::testing::AssertionResult valid(const w::result& r, w::phase asked) {
  const w::state& s = r.state;
  const bool ok = r && std::isfinite(s.T) && std::isfinite(s.h) && std::isfinite(s.s) && std::isfinite(s.cp) &&
                  std::isfinite(s.w) && s.p > 0.0 && s.cp > 0.0 && s.w > 0.0 && std::isnan(s.x) &&
                  std::fabs(s.rho * s.v - 1.0) <= 4e-16 && std::fabs(s.u - (s.h - s.p * s.v)) <= 1e-9 * std::fabs(s.h) &&
                  s.phase == asked;
  if (ok) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << show(r);
}

// IAPWS-IF97 Table 18: v, h, u, s, cp, w of Eq. (18) at three states, as printed.
struct table18_row {
  double T, p;  // K, MPa
  const char *v, *h, *u, *s, *cp, *w;
};
constexpr table18_row table18[] = {
    {450, 1, "0.192516540", "0.276881115e4", "0.257629461e4", "0.656660377e1", "0.276349265e1", "0.498408101e3"},
    {440, 1, "0.186212297", "0.274015123e4", "0.255393894e4", "0.650218759e1", "0.298166443e1", "0.489363295e3"},
    {450, 1.5, "0.121685206", "0.272134539e4", "0.253881758e4", "0.629170440e1", "0.362795578e1", "0.481941819e3"},
};

void expect_table18(const char* via, const table18_row& r, double v, double h, double u, double s, double cp,
                     double wv) {
  SCOPED_TRACE(std::string(via) + " at T = " + digits(r.T) + " K, p = " + digits(r.p) + " MPa");
  EXPECT_TRUE(matches_printed(v, r.v)) << "v";
  EXPECT_TRUE(matches_printed(h / 1e3, r.h)) << "h";
  EXPECT_TRUE(matches_printed(u / 1e3, r.u)) << "u";
  EXPECT_TRUE(matches_printed(s / 1e3, r.s)) << "s";
  EXPECT_TRUE(matches_printed(cp / 1e3, r.cp)) << "cp";
  EXPECT_TRUE(matches_printed(wv, r.w)) << "w";
}

TEST(Metastable, Table18ThroughCppAndC) {
  for (const table18_row& r : table18) {
    const w::result cpp = w::pT(r.p * 1e6, r.T, vapour);
    ASSERT_TRUE(valid(cpp, vapour));
    EXPECT_TRUE(cpp.metastable) << show(cpp);
    EXPECT_EQ(cpp.state.region, 2);
    const w::state& s = cpp.state;
    expect_table18("C++ pT", r, s.v, s.h, s.u, s.s, s.cp, s.w);
    kviapws97_state c{};
    ASSERT_EQ(kviapws97_pT_phase(r.p * 1e6, r.T, 1, &c), 0);
    EXPECT_EQ(c.phase, 1);
    expect_table18("C pT_phase", r, c.v, c.h, c.u, c.s, c.cp, c.w);
  }
}

// IAPWS-IF97 Section 6.2.2: on the saturated-vapour line from the triple-point
// pressure to 10 MPa, Eq. (18) differs from region 2's Eq. (15) by at most
// these, relative to Eq. (18)'s values where given in per cent.
TEST(Metastable, SaturatedVapourLineDifferencesFromRegion2) {
  struct stated {
    const char* what;
    const char* printed;  // as the release prints it
    double largest = 0.0;
  } rows[] = {{"v, %", "0.014"}, {"h, kJ/kg", "0.043"}, {"s, J/(kg K)", "0.082"},
              {"cp, %", "0.78"}, {"g, kJ/kg", "0.023"}, {"w, %", "0.051"}};
  const double p_low = if97::psat(if97::T_min);
  constexpr int n = 40000;
  for (int i = 0; i <= n; ++i) {
    const double p = p_low * std::pow(if97::p_metastable_max / p_low, static_cast<double>(i) / n);
    const double T = if97::tsat(p);
    const if97::properties m = if97::properties2m(p, T), r2 = if97::properties2(p, T);
    const double d[] = {100.0 * (r2.v - m.v) / m.v,   r2.h - m.h,
                        1e3 * (r2.s - m.s),           100.0 * (r2.cp - m.cp) / m.cp,
                        (r2.h - T * r2.s) - (m.h - T * m.s), 100.0 * (r2.w - m.w) / m.w};
    for (int k = 0; k < 6; ++k) rows[k].largest = std::fmax(rows[k].largest, std::fabs(d[k]));
  }
  for (const stated& r : rows) EXPECT_TRUE(matches_printed(r.largest, r.printed)) << r.what;
}

// The grids of both metastable ranges: pressures from the triple point to
// 10 MPa (vapour) and to psat(623.15 K) (liquid), temperatures from 0.1 K
// beyond Tsat(p) to the bound, where the state of (p, T) must exist.
constexpr double pressures[] = {700.0, 5e3, 0.05e6, 0.1e6, 0.5e6, 1e6, 2e6, 4e6, 7e6, 9.99e6, 10e6, 14e6, 16.5e6};
constexpr int steps = 24;

// The temperature of the bound of the asked phase at p (Pa): the last of
// (p, T) from Tsat(p) outward that a request accepts, by bisection.
double bound_T(double p, w::phase asked) {
  const double Ts = if97::tsat(p / 1e6), sign = asked == vapour ? -1.0 : 1.0;
  double in = Ts + sign * 0.01, out = Ts + sign * 100.0;
  for (int k = 0; k < 200 && std::fabs(out - in) > 1e-12 * Ts; ++k) {
    const double mid = 0.5 * (in + out);
    (w::pT(p, mid, asked) ? in : out) = mid;
  }
  return in;
}

TEST(Metastable, RoundTripsOfPhAndPsOnTheAskedPhase) {
  int rows = 0, failed = 0;
  for (const w::phase asked : {vapour, liquid}) {
    for (const double p : pressures) {
      if (asked == vapour && p > 10e6) continue;
      const double Ts = if97::tsat(p / 1e6), T_end = bound_T(p, asked);
      const double sign = asked == vapour ? -1.0 : 1.0;
      if (asked == liquid && Ts + 0.1 > T_end) continue;  // a bound within 0.1 K of the line (623.15 K)
      for (int i = 0; i <= steps; ++i) {
        const double T = Ts + sign * 0.1 + (T_end - (Ts + sign * 0.1)) * i / steps;
        const w::result at = w::pT(p, T, asked);
        ++rows;
        if (!valid(at, asked) || !at.metastable) {
          if (++failed <= 10) ADD_FAILURE() << "pT(" << digits(p) << ", " << digits(T) << "): " << show(at);
          continue;
        }
        const w::result by_h = w::ph(p, at.state.h, asked), by_s = w::ps(p, at.state.s, asked);
        for (const w::result* r : {&by_h, &by_s}) {
          const bool ok = valid(*r, asked) && r->metastable && r->state.region == at.state.region &&
                          std::fabs(r->state.T - T) <= 2e-12 * T;
          if (!ok && ++failed <= 10)
            ADD_FAILURE() << (r == &by_h ? "ph" : "ps") << " at p = " << digits(p) << " of T = " << digits(T)
                          << ": got " << show(*r);
        }
      }
    }
  }
  EXPECT_EQ(failed, 0) << "of " << rows << " rows";
  EXPECT_GT(rows, 400);
}

// Where the bounds lie: the vapour's T at the 5 % equilibrium-moisture line
// has h = h' + 0.95 (h'' - h'), the liquid's 5 % vapour fraction or 623.15 K.
TEST(Metastable, BoundsLieOnTheirLines) {
  for (const double p : pressures) {
    const double pm = p / 1e6, Ts = if97::tsat(pm);
    const double hl = if97::h1(pm, Ts), hv = if97::h2(pm, Ts);
    if (pm <= if97::p_metastable_max) {
      const double T = bound_T(p, vapour);
      EXPECT_NEAR(if97::h2m(pm, T), hl + 0.95 * (hv - hl), 1e-7) << "vapour at p = " << digits(p);
    }
    const double T = bound_T(p, liquid);
    const double h_line = hl + 0.05 * (hv - hl);
    if (if97::h1(pm, 623.15) <= h_line) {
      EXPECT_NEAR(T, 623.15, 1e-9) << "liquid at p = " << digits(p);
    } else {
      EXPECT_NEAR(if97::h1(pm, T), h_line, 1e-7) << "liquid at p = " << digits(p);
    }
  }
}

// Requests beyond the bounds, each failing with the status naming its bound.
TEST(Metastable, BeyondTheBounds) {
  const auto h_at = [](double p, double x) {
    const double T = if97::tsat(p / 1e6), hl = if97::h1(p / 1e6, T), hv = if97::h2(p / 1e6, T);
    return 1e3 * (hl + x * (hv - hl));
  };
  const double s_wet = 1e3 * if97::s2m(1.0, 415.0);  // 1 MPa: past the 5 % line (420.75 K)
  struct row {
    const char* what;
    char by;  // 'T', 'h' or 's'
    double p, second;
    w::phase asked;
    w::status expected;
  } rows[] = {
      {"vapour past the 5 % line", 'T', 1e6, 415.0, vapour, w::status::moisture_above_5_percent},
      {"vapour h past the 5 % line", 'h', 1e6, h_at(1e6, 0.949), vapour, w::status::moisture_above_5_percent},
      {"vapour s past the 5 % line", 's', 1e6, s_wet, vapour, w::status::moisture_above_5_percent},
      {"vapour far below", 'T', 1e5, 20.0, vapour, w::status::moisture_above_5_percent},
      {"vapour above 10 MPa", 'T', 10.01e6, 583.0, vapour, w::status::vapour_above_10MPa},
      {"vapour h above 10 MPa", 'h', 12e6, h_at(12e6, 0.99), vapour, w::status::vapour_above_10MPa},
      {"vapour above p_c", 'T', 30e6, 600.0, vapour, w::status::vapour_above_10MPa},
      {"vapour h above p_c", 'h', 30e6, 1.5e6, vapour, w::status::vapour_above_10MPa},
      {"liquid past 5 % vapour", 'T', 1e5, 400.0, liquid, w::status::superheat_above_bound},
      {"liquid h past 5 % vapour", 'h', 1e6, h_at(1e6, 0.051), liquid, w::status::superheat_above_bound},
      {"liquid past 623.15 K", 'T', 16.4e6, 623.2, liquid, w::status::superheat_above_bound},
      {"liquid above psat(623.15 K)", 'h', 17e6, h_at(17e6, 0.01), liquid, w::status::superheat_above_bound},
      {"liquid at T_c", 'T', 1e6, 700.0, liquid, w::status::superheat_above_bound},
      {"liquid below the triple pressure", 'T', 500.0, 280.0, liquid, w::status::below_triple},
      {"vapour below the triple pressure", 'T', 500.0, 270.0, vapour, w::status::below_triple},
      {"vapour stable below 273.15 K", 'T', 100.0, 260.0, vapour, w::status::temperature_below_min},
      {"liquid h below the triple pressure", 'h', 500.0, 2.6e6, liquid, w::status::below_triple},
      {"not a phase", 'T', 1e6, 400.0, w::phase::two_phase, w::status::phase_request_invalid},
      {"not a phase (h)", 'h', 1e6, 1e6, w::phase::supercritical, w::status::phase_request_invalid},
      {"NaN", 'T', 1e6, std::numeric_limits<double>::quiet_NaN(), vapour, w::status::not_finite},
      {"p <= 0", 'h', -1.0, 2e6, liquid, w::status::pressure_not_positive},
  };
  for (const row& r : rows) {
    const w::result got = r.by == 'T' ? w::pT(r.p, r.second, r.asked)
                          : r.by == 'h' ? w::ph(r.p, r.second, r.asked)
                                        : w::ps(r.p, r.second, r.asked);
    EXPECT_EQ(got.status, r.expected) << r.what << ": p = " << digits(r.p) << ", " << r.by << " = "
                                      << digits(r.second) << ": got " << show(got);
    EXPECT_TRUE(std::isnan(got.state.T)) << r.what;
  }
  kviapws97_state c{};
  EXPECT_EQ(kviapws97_ph_phase(1e6, 2e6, 2, &c), static_cast<int>(w::status::phase_request_invalid));
  EXPECT_STREQ(kviapws97_error_text(static_cast<int>(w::status::superheat_above_bound)),
               w::status_text(w::status::superheat_above_bound));
}

// On the asked phase's stable side (and in the supercritical fluid) a
// request returns the state of the two-argument function, bit for bit.
TEST(Metastable, StableSideBitForBit) {
  const auto same = [](const w::result& a, const w::result& b) {
    return a.status == b.status && !a.metastable && std::memcmp(&a.state, &b.state, sizeof a.state) == 0;
  };
  int rows = 0;
  for (const double p : {611.0, 700.0, 0.1e6, 1e6, 10e6, 16e6, 20e6, 22.064e6, 25e6, 60e6, 100e6}) {
    const double pm = p / 1e6;
    for (double T = 250.0; T <= 2300.0; T *= 1.013) {
      const w::result plain = w::pT(p, T);
      const bool gas = plain.state.phase == vapour || plain.state.phase == w::phase::supercritical;
      const bool solid = plain.state.phase == liquid || plain.state.phase == w::phase::supercritical;
      const std::string at = "p = " + digits(p) + ", T = " + digits(T);
      // A failure of the bounds above (T, p): the same failure.
      const bool beyond = !plain && T >= if97::T_min;
      if (beyond || gas) {
        EXPECT_TRUE(same(w::pT(p, T, vapour), plain)) << "pT vapour at " << at;
      }
      if (beyond || solid) {
        EXPECT_TRUE(same(w::pT(p, T, liquid), plain)) << "pT liquid at " << at;
      }
      if (!plain) continue;
      ++rows;
      const w::result by_h = w::ph(p, plain.state.h), by_s = w::ps(p, plain.state.s);
      if (gas) {
        EXPECT_TRUE(same(w::ph(p, plain.state.h, vapour), by_h)) << "ph vapour at " << at;
        EXPECT_TRUE(same(w::ps(p, plain.state.s, vapour), by_s)) << "ps vapour at " << at;
      }
      if (solid) {
        EXPECT_TRUE(same(w::ph(p, plain.state.h, liquid), by_h)) << "ph liquid at " << at;
        EXPECT_TRUE(same(w::ps(p, plain.state.s, liquid), by_s)) << "ps liquid at " << at;
      }
    }
    // On the saturation line a vapour request gives the saturated vapour.
    if (pm < if97::p_c && pm >= if97::psat(if97::T_min)) {
      const w::result x1 = w::px(p, 1.0), x0 = w::px(p, 0.0);
      const w::result v = w::ph(p, x1.state.h, vapour), l = w::ph(p, x0.state.h, liquid);
      EXPECT_TRUE(valid(v, vapour) && !v.metastable && v.state.T == x1.state.T) << "h'' at p = " << digits(p);
      EXPECT_TRUE(valid(l, liquid) && !l.metastable && l.state.T == x0.state.T) << "h' at p = " << digits(p);
    }
  }
  EXPECT_GT(rows, 1000);
  // (p, T) on the line: pT gives the liquid, a vapour request the saturated vapour.
  int on_line = 0;
  for (double T = 280.0; T < 623.15; T += 7.3) {
    const double p = 1e6 * if97::psat(T);
    if (p / 1e6 != if97::psat(T)) continue;  // not exact in Pa
    ++on_line;
    const w::result on = w::pT(p, T, vapour);
    EXPECT_TRUE(valid(on, vapour) && !on.metastable) << "saturated vapour at T = " << T << ": " << show(on);
    EXPECT_EQ(w::pT(p, T).state.phase, liquid);
  }
  EXPECT_GT(on_line, 5);
}

}  // namespace
