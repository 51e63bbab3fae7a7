// The SI state functions (water/state.hpp) and their C shim: the flashes of
// (p, h), (p, s) and (h, s) against the states of (p, T), (T, x) and (p, x)
// they invert, phase labels about the saturated states, bad input, and
// published states of IAPWS-IF97.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "if97/constants.hpp"
#include "if97/saturation.hpp"
#include "support/checks.hpp"
#include "support/state_grid.hpp"
#include "water/kviapws97/water.h"
#include "water/state.hpp"

namespace {

namespace w = kviapws97::water;
using kvtest::band_distance;
using kvtest::digits;
using kvtest::reproduces;
using kvtest::tally;
constexpr double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();

std::string describe(const w::result& r) {
  const w::state& s = r.state;
  return "p = " + digits(s.p) + ", T = " + digits(s.T) + ", h = " + digits(s.h) + ", s = " + digits(s.s) +
         ", x = " + digits(s.x) + ", region " + std::to_string(s.region) + ", phase " +
         std::to_string(static_cast<int>(s.phase)) + " (" + r.reason() + ")";
}

enum flash { by_ph, by_ps, by_hs };
const char* const flash_name[] = {"ph", "ps", "hs"};
w::result run(flash f, const w::state& st) {
  return f == by_ph ? w::ph(st.p, st.h) : f == by_ps ? w::ps(st.p, st.s) : w::hs(st.h, st.s);
}

// Whether a single-phase state lies in its region, to rounding.
bool in_region(const w::state& s) {
  const double p = s.p / 1e6, T = s.T, up = 1.0 + 1e-9, down = 1.0 - 1e-9;
  const double T13 = if97::T_region1_max, T25 = if97::T_region2_max;
  switch (s.region) {
    case 1: return T <= T13 * up && p >= if97::psat(T) * down;
    case 2: return T <= T25 * up && p <= up * (T <= T13 ? if97::psat(T) : T <= 863.15 ? if97::pb23(T) : 100.0);
    case 3: return T >= T13 * down && p >= if97::pb23(T) * down;
    case 5: return T >= T25 * down && p <= 50.0 * up;
    default: return s.region == 4;
  }
}

// (p, T) -> h, s -> ph, ps, hs. At least 0.1 K from a boundary the flash
// returns T to 2e-12 relative and reproduces h and s. Closer, (p, h) (or
// (p, s), (h, s)) may have a state in each region, up to 61 mK apart: the
// flash returns one of them, which reproduces its own inputs and lies in its
// region.
void round_trips(tally& t, double p, double T) {
  const w::result a = w::pT(p, T);
  ASSERT_TRUE(a) << "pT(" << digits(p) << " Pa, " << digits(T) << " K): " << a.reason();
  const w::state& in = a.state;
  const bool band = band_distance(p, T) < 0.1;
  for (const flash f : {by_ph, by_ps, by_hs}) {
    const w::result r = run(f, in);
    const double dT = std::fabs(r.state.T - T), allowed = band ? 0.1 : 2e-12 * T;
    const bool same_p = f == by_hs || std::fabs(r.state.p - p) <= 1e-15 * p;
    const bool ok = r && in_region(r.state) && dT <= allowed && same_p &&
                    (f == by_ps || reproduces(r.state.h, in.h)) && (f == by_ph || reproduces(r.state.s, in.s));
    t.check(ok, [&] {
      return std::string(flash_name[f]) + " of " + describe(a) + " gave " + describe(r) +
             (in_region(r.state) ? "" : ", outside its region") + "; |dT| = " + digits(dT) + " K, allowed " +
             digits(allowed);
    });
  }
}

// The grids hold the bounds themselves: 273.15, 623.15, 863.15, 1073.15 and
// 2273.15 K, 50 and 100 MPa.
TEST(StateFlash, RoundTripsOverEveryRegionAndBothSidesOfItsBoundaries) {
  tally t;
  kvtest::region_grid({200, 2.9, 30.0, {1e-11, 1e-6, 1e-4, 1e-3, 0.01, 0.05, 0.1, 0.3, 1.0}, 1.02, 1.15},
                      [&t](double p, double T) { round_trips(t, p, T); });
}

// Within 0.01 K and 1 kPa of the saturation line, each side of it, and of
// the critical point.
TEST(StateFlash, RoundTripsNextToTheSaturationLineAndTheCriticalPoint) {
  tally t;
  std::vector<double> dTs{0.0}, dps{0.0};
  for (double d = 1e-6; d <= 0.01; d *= 2.5) dTs.insert(dTs.end(), {d, -d});
  for (double d = 1e-3; d <= 1e3; d *= 4.0) dps.insert(dps.end(), {d, -d});
  kvtest::saturation_grid(0.65, {1e-6, 1e-4, 1e-3, 0.01}, {1e-3, 1.0, 30.0, 1e3}, dTs, dps,
                          [&t](double p, double T) { round_trips(t, p, T); });
}

// (T, x) and (p, x) -> h, s -> ph, ps: the same x to 1e-12. Through hs x is
// as close (1e-11) only away from the critical point (s'' - s' -> 0) and
// from x = 0 (there h fixes T only through v dp): elsewhere a two-phase
// state comes back, or at x = 0 (1) the saturated liquid (vapour) as a
// single phase. Within about 2e-6 K of T_c the saturated phases are one
// state: every flash may return that state with any x or label.
TEST(StateFlash, TwoPhaseRoundTrips) {
  tally t;
  std::vector<double> Ts;
  for (double T = 273.16; T < 647.0; T += 0.73) Ts.push_back(T);
  for (double d = 0.5; d > 1e-6; d *= 0.7) Ts.push_back(if97::T_c - d);
  for (const double T : Ts) {
    for (const double x : {0.0, 1e-4, 1e-3, 0.01, 0.25, 0.5, 0.99, 1.0}) {
      for (const bool by_p : {false, true}) {
        const w::result a = by_p ? w::px(1e6 * if97::psat(T), x) : w::Tx(T, x);
        // A state of (T, x) has that T to a few units of its last bit.
        ASSERT_TRUE(a && std::fabs(a.state.T - T) <= 1e-15 * T)
            << (by_p ? "px" : "Tx") << " at T = " << digits(T) << " K, x = " << x << " gave " << describe(a);
        const bool one = a.state.liquid.rho == a.state.vapour.rho;
        const w::phase edge = x == 0.0 ? w::phase::liquid : x == 1.0 ? w::phase::vapour : w::phase::two_phase;
        for (const flash f : {by_ph, by_ps, by_hs}) {
          const w::result r = run(f, a.state);
          const w::state& st = r.state;
          const double dx = std::fabs(st.x - x);
          const double allowed = f != by_hs ? 1e-12 : T < 646.0 && x >= 0.01 ? 1e-11 : 1.0;
          const bool same = (one || (f == by_hs && st.phase == edge)) && std::fabs(st.T - a.state.T) <= 2e-12 * T;
          const bool ok = r && in_region(st) && ((st.phase == w::phase::two_phase && dx <= allowed) || same) &&
                          (allowed == 1.0 || (reproduces(st.h, a.state.h) && reproduces(st.s, a.state.s)));
          t.check(ok, [&] {
            return std::string(flash_name[f]) + " of " + describe(a) + " gave " + describe(r) + "; |dx| = " +
                   digits(dx) + ", allowed " + digits(allowed);
          });
        }
      }
    }
  }
}

// h and s a relative 1e-12 to either side of h', h'', s', s'' of px(p, 0) and
// px(p, 1). The top pressure is 22.0639 MPa because this library's saturation
// line ends at psat(647.096 K) = 22.0639999998894 MPa, just below 22.064 MPa:
// px has no saturated states at 22.064 MPa itself.
TEST(StatePhase, LabelsAboutTheSaturatedStates) {
  tally t;
  constexpr int n = 500;
  constexpr double p_low = 611.657, p_top = 22.0639e6;
  for (int i = 0; i < n; ++i) {
    const double p = i == n - 1 ? p_top : p_low * std::pow(p_top / p_low, i / (n - 1.0));
    const w::result liquid = w::px(p, 0.0), vapour = w::px(p, 1.0);
    ASSERT_TRUE(liquid && vapour) << "px at p = " << digits(p) << " Pa: " << liquid.reason();
    for (const flash f : {by_ph, by_ps}) {
      for (const int side : {0, 1}) {  // liquid, vapour
        const w::state& edge = side == 0 ? liquid.state : vapour.state;
        const double q = f == by_ph ? edge.h : edge.s;
        for (const double value : {q - 1e-12 * std::fabs(q), q + 1e-12 * std::fabs(q)}) {
          const w::phase expected = value < q ? (side == 0 ? w::phase::liquid : w::phase::two_phase)
                                              : (side == 0 ? w::phase::two_phase : w::phase::vapour);
          const w::result r = f == by_ph ? w::ph(p, value) : w::ps(p, value);
          const bool two = r.state.phase == w::phase::two_phase;
          t.check(r && r.state.phase == expected && two == (r.state.x >= 0.0 && r.state.x <= 1.0), [&] {
            return std::string(flash_name[f]) + "(" + digits(p) + ", " + digits(value) + "), saturated " + digits(q) +
                   ", gave " + describe(r) + "; expected phase " + std::to_string(static_cast<int>(expected));
          });
        }
      }
    }
  }
}

// A function of the API, in C++ and through the C shim.
struct api {
  const char* name;
  w::result (*cpp)(double, double) noexcept;
  int (*c)(double, double, kviapws97_state*) noexcept;
};
const api pT_{"pT", w::pT, kviapws97_pT}, ph_{"ph", w::ph, kviapws97_ph}, ps_{"ps", w::ps, kviapws97_ps},
    hs_{"hs", w::hs, kviapws97_hs}, Tx_{"Tx", w::Tx, kviapws97_Tx}, px_{"px", w::px, kviapws97_px},
    Trho_{"Trho", w::Trho, kviapws97_Trho};

bool all_nan(const auto& values) {  // a struct of doubles only
  double d[sizeof values / sizeof(double)];
  std::memcpy(d, &values, sizeof d);
  return std::all_of(std::begin(d), std::end(d), [](double x) { return std::isnan(x); });
}

TEST(StateInput, BadInputGivesItsStatusAndNoState) {
  const auto h = [](double p, double T) { return w::pT(p, T).state.h; };
  const auto s = [](double p, double T) { return w::pT(p, T).state.s; };
  using st = w::status;
  struct row { const api& f; double a, b; w::status expected; };
  const row rows[] = {
      {pT_, nan, 300.0, st::not_finite}, {pT_, 1e5, inf, st::not_finite}, {ph_, 1e5, -inf, st::not_finite},
      {ps_, nan, 1e3, st::not_finite}, {hs_, 1e6, nan, st::not_finite}, {Tx_, nan, 0.5, st::not_finite},
      {px_, 1e5, inf, st::not_finite}, {Trho_, 500.0, nan, st::not_finite},
      {pT_, 0.0, 300.0, st::pressure_not_positive}, {ph_, -1.0, 1e5, st::pressure_not_positive},
      {ps_, -0.0, 1e3, st::pressure_not_positive}, {px_, -1e5, 0.5, st::pressure_not_positive},
      {pT_, 100.001e6, 500.0, st::pressure_above_100MPa}, {ph_, 100.001e6, 1e6, st::pressure_above_100MPa},
      {ps_, 100.001e6, 3e3, st::pressure_above_100MPa}, {pT_, 50.001e6, 1100.0, st::pressure_above_50MPa},
      {pT_, 1e5, 273.149, st::temperature_below_min}, {Tx_, 273.149, 0.5, st::temperature_below_min},
      {Trho_, 273.149, 1000.0, st::temperature_below_min}, {pT_, 1e5, 2273.16, st::temperature_above_max},
      {Trho_, 2273.16, 1.0, st::temperature_above_max},
      {ph_, 1e6, h(1e6, 273.15) - 1, st::enthalpy_below_min}, {ph_, 500, h(500, 273.15) - 1, st::enthalpy_below_min},
      {ph_, 1e6, h(1e6, 2273.15) + 1e3, st::enthalpy_above_max},
      {ph_, 60e6, h(60e6, 1073.15) + 1e3, st::enthalpy_above_max},
      {ps_, 1e6, s(1e6, 273.15) - 1, st::entropy_below_min}, {ps_, 1e6, s(1e6, 2273.15) + 1, st::entropy_above_max},
      {ps_, 60e6, s(60e6, 1073.15) + 1, st::entropy_above_max},
      {Tx_, 400.0, -0.1, st::quality_out_of_range}, {px_, 1e5, 1.0 + 1e-15, st::quality_out_of_range},
      {Tx_, if97::T_c, 0.5, st::above_critical}, {Tx_, 700.0, 0.0, st::above_critical},
      {px_, 22.0639999999e6, 1.0, st::above_critical}, {px_, 600.0, 0.5, st::below_triple},
      {Trho_, 500.0, 0.0, st::density_out_of_range}, {Trho_, 500.0, -1.0, st::density_out_of_range},
      {Trho_, 300.0, 1100.0, st::density_out_of_range},  // beyond the density at 100 MPa
      {hs_, 0.0, 5e3, st::hs_out_of_range}, {hs_, 100e3, 12e3, st::hs_out_of_range},
      {hs_, 4000e3, 1e3, st::hs_out_of_range},
  };
  for (const row& r : rows) {
    const w::result got = r.f.cpp(r.a, r.b);
    kviapws97_state c{};
    const int code = r.f.c(r.a, r.b, &c);
    const char *text = w::status_text(got.status), *c_text = kviapws97_error_text(code);
    const w::phase_values& values = got.state;
    const double c_reals[] = {c.p, c.T, c.rho, c.v, c.h, c.s, c.u, c.cp, c.cv, c.w, c.x, c.mu, c.lambda};
    EXPECT_TRUE(got.status == r.expected && code == static_cast<int>(r.expected) && text[0] != '\0' &&
                std::strcmp(text, c_text) == 0 && all_nan(values) && all_nan(got.state.liquid) &&
                all_nan(got.state.vapour) && std::isnan(got.state.x) && all_nan(c_reals))
        << r.f.name << "(" << digits(r.a) << ", " << digits(r.b) << ") gave " << describe(got) << "; C code "
        << code << " '" << c_text << "', T = " << digits(c.T) << "; expected status " << static_cast<int>(r.expected);
  }
}

// mu and lambda: defined for single phases up to 1173.15 K (the range of
// IAPWS's viscosity and conductivity correlations for industrial use), for
// the saturated phases of a state of (T, x) or (p, x), and never for the
// mixture, not even at x = 0.
TEST(StateTransport, DefinedWhereTheCorrelationsHold) {
  struct row { const api& f; double a, b; bool mixture, phases; };
  const row rows[] = {
      {pT_, 1e5, 300.0, true, false},           {pT_, 1e5, 1173.15, true, false},
      {pT_, 50e6, 1173.15, true, false},        {pT_, 1e5, 1173.16, false, false},
      {pT_, 1e6, 2000.0, false, false},         {Trho_, 650.0, 500.0, true, false},
      {Tx_, 400.0, 0.5, false, true},           {px_, 22e6, 0.0, false, true},
  };
  for (const row& r : rows) {
    const w::result got = r.f.cpp(r.a, r.b);
    const w::state& s = got.state;
    const bool mixture = std::isfinite(s.mu) && s.mu > 0.0 && std::isfinite(s.lambda) && s.lambda > 0.0;
    const bool phases = std::isfinite(s.liquid.mu) && std::isfinite(s.vapour.lambda);
    EXPECT_TRUE(got && mixture == r.mixture && phases == r.phases)
        << r.f.name << "(" << digits(r.a) << ", " << digits(r.b) << "): mu = " << digits(s.mu)
        << ", lambda = " << digits(s.lambda) << ", saturated liquid's mu = " << digits(s.liquid.mu)
        << "; expected " << (r.mixture ? "" : "no ") << "mu and lambda";
  }
}

// IAPWS-IF97 Tables 5, 15, 33 (through Trho: p in place of v) and 42, in the
// release's units: v (or p in MPa), h, u in kJ/kg, s, cp in kJ/(kg K), w in
// m/s; and every function's state through the C shim, the same bit for bit.
TEST(StatePublished, TablesAndTheCShim) {
  struct row { const api& f; double a, b; int region; const char* printed[6]; };  // v (or p), h, u, s, cp, w
  const row rows[] = {
      {pT_, 3e6, 300, 1,
       {"0.100215168e-2", "0.115331273e3", "0.112324818e3", "0.392294792", "0.417301218e1", "0.150773921e4"}},
      {pT_, 30e6, 700, 2,
       {"0.542946619e-2", "0.263149474e4", "0.246861076e4", "0.517540298e1", "0.103505092e2", "0.480386523e3"}},
      {Trho_, 650, 500, 3,
       {"0.255837018e2", "0.186343019e4", "0.181226279e4", "0.405427273e1", "0.138935717e2", "0.502005554e3"}},
      {pT_, 30e6, 2000, 5,
       {"0.311385219e-1", "0.657122604e4", "0.563707038e4", "0.853640523e1", "0.288569882e1", "0.106736948e4"}},
      {ph_, 1e5, 2e6, 4, {}}, {ps_, 25e6, 4.2e3, 3, {}}, {hs_, 2.8e6, 6.5e3, 2, {}}, {Tx_, 450.0, 0.3, 4, {}},
      {px_, 1e6, 1.0, 4, {}}, {Trho_, 650.0, 200.0, 3, {}},
  };
  const char* const names[] = {"v or p", "h", "u", "s", "cp", "w"};
  for (const row& r : rows) {
    const w::state s = r.f.cpp(r.a, r.b).state;
    const std::string where = std::string(r.f.name) + "(" + digits(r.a) + ", " + digits(r.b) + ")";
    EXPECT_EQ(s.region, r.region) << where;
    const double values[] = {r.f.c == kviapws97_Trho ? s.p / 1e6 : s.v, s.h / 1e3, s.u / 1e3, s.s / 1e3, s.cp / 1e3,
                             s.w};
    for (int i = 0; i < 6 && r.printed[i]; ++i)
      EXPECT_TRUE(kvtest::matches_printed(values[i], r.printed[i])) << names[i] << " of " << where;
    const kviapws97_state want{s.region, static_cast<int>(s.phase), s.p, s.T, s.rho, s.v, s.h, s.s, s.u,
                               s.cp, s.cv, s.w, s.x, s.mu, s.lambda};
    kviapws97_state got{};
    EXPECT_TRUE(r.f.c(r.a, r.b, &got) == 0 && std::memcmp(&got, &want, sizeof got) == 0)
        << where << " through the C shim: T = " << digits(got.T) << ", h = " << digits(got.h) << ", cp = "
        << digits(got.cp) << ", cv = " << digits(got.cv) << "; C++ " << digits(s.T) << ", " << digits(s.h) << ", "
        << digits(s.cp) << ", " << digits(s.cv);
  }
}

}  // namespace
