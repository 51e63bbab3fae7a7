// Every state returned is physical: the committed list of adversarial inputs
// (tests/data/physical_states.txt) and grids over the corners of the
// formulation, through the C shim and the invariants of a state
// (support/state_invariants.hpp).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "if97/constants.hpp"
#include "if97/saturation.hpp"
#include "support/checks.hpp"
#include "support/state_invariants.hpp"
#include "water/kviapws97/water.h"
#include "water/state.hpp"

namespace {

using kvtest::digits;
namespace w = kviapws97::water;

using c_function = int (*)(double, double, kviapws97_state*);
struct named_function {
  const char* name;
  c_function f;
};
constexpr named_function functions[] = {{"pT", kviapws97_pT}, {"ph", kviapws97_ph}, {"ps", kviapws97_ps},
                                        {"hs", kviapws97_hs}, {"Tx", kviapws97_Tx}, {"px", kviapws97_px},
                                        {"Trho", kviapws97_Trho}};

std::string call_text(const char* name, double a, double b) {
  return std::string(name) + "(" + digits(a) + ", " + digits(b) + ")";
}

std::string state_text(const kviapws97_state& s) {
  return "region " + std::to_string(s.region) + ", p = " + digits(s.p) + " Pa, T = " + digits(s.T) +
         " K, rho = " + digits(s.rho) + ", h = " + digits(s.h) + ", s = " + digits(s.s) + ", x = " + digits(s.x);
}

using kvtest::tally;

// One call through the invariants; `want` is "ok", "refused", "any" or the
// number of the status wanted.
void replay(tally& t, const named_function& fn, double a, double b, const std::string& want = "any") {
  kviapws97_state s{};
  const int code = fn.f(a, b, &s);
  const char* fault = nullptr;
  if (code == 0) {
    fault = kvtest::unphysical(s);
    if (!fault) fault = kvtest::round_trip_fault(s);
  }
  const bool status_as_wanted = want == "any" || (want == "ok" && code == 0) || (want == "refused" && code != 0) ||
                                want == std::to_string(code);
  t.check(!fault && status_as_wanted, [&] {
    return call_text(fn.name, a, b) + " gave status " + std::to_string(code) + " (" + kviapws97_error_text(code) +
           "), " + state_text(s) + ": " + (fault ? fault : "") + (status_as_wanted ? "" : "; wanted " + want);
  });
}

const named_function& function_named(const std::string& name) {
  for (const named_function& fn : functions)
    if (name == fn.name) return fn;
  ADD_FAILURE() << "no function " << name;
  return functions[0];
}

// The committed list names statuses by number: a status added before these
// moves them, and the list with it.
static_assert(static_cast<int>(w::status::density_out_of_range) == 7 &&
                  static_cast<int>(w::status::enthalpy_below_min) == 8 &&
                  static_cast<int>(w::status::entropy_below_min) == 10 &&
                  static_cast<int>(w::status::not_converged) == 16 &&
                  static_cast<int>(w::status::pressure_below_min) == 23 &&
                  static_cast<int>(w::status::density_below_min) == 24,
              "the status numbers of tests/data/physical_states.txt");

TEST(EveryStateReturnedIsPhysical, CommittedAdversarialInputs) {
  std::ifstream in(KVIAPWS97_PHYSICAL_STATES);
  ASSERT_TRUE(in) << KVIAPWS97_PHYSICAL_STATES;
  tally t;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream row(line);
    std::string name, want;
    double a = 0.0, b = 0.0;
    ASSERT_TRUE(row >> name >> a >> b >> want) << line;
    replay(t, function_named(name), a, b, want);
  }
  EXPECT_GT(t.rows, 40);
}

// Every function at the special values and the bounds, each +- 3 ulps.
TEST(EveryStateReturnedIsPhysical, SpecialAndBoundaryValuesOfEveryFunction) {
  const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
  const double tiny = std::numeric_limits<double>::denorm_min(), huge = std::numeric_limits<double>::max();
  const double p_triple = 1e6 * if97::psat(if97::T_min), p_c_sat = 1e6 * if97::p_c_sat;
  const std::vector<double> values{0.0, -0.0, tiny, -tiny, 1e-300, 1e-3, 1.0, -1.0, inf, -inf, nan, huge,
                                   p_triple, p_c_sat, 22.064e6, 50e6, 100e6, 273.15, 623.15, 647.096, 863.15,
                                   1073.15, 2273.15, 322.0, 1000.0, 0.5, 1e-7, 2e6, 3.5e6, 4e3, 6e3, 1e4};
  tally t;
  for (const named_function& fn : functions)
    for (const double a : values)
      for (const double b : values)
        for (int ua = -3; ua <= 3; ua += 3)
          for (int ub = -3; ub <= 3; ub += 3) {
            double aa = a, bb = b;
            for (int k = 0; k < std::abs(ua); ++k) aa = std::nextafter(aa, ua < 0 ? -inf : inf);
            for (int k = 0; k < std::abs(ub); ++k) bb = std::nextafter(bb, ub < 0 ? -inf : inf);
            replay(t, fn, aa, bb);
          }
}

// (p, T) within 3 ulps of psat(T) across region 3: the density reproduces p
// to its conditioning, (dp/drho)_T = w^2 cv / cp, and to the rounding of the
// evaluation of p(T, rho), a few hundred ulps of rho R T, the size of its
// terms (283 at worst over 20,000 temperatures; the vapour root one Newton
// step past the liquid one was 13 Pa, 6e-7 of p, off). The state reproduces
// itself through its flashes.
TEST(EveryStateReturnedIsPhysical, PsatOfRegion3PlusMinus3Ulps) {
  tally t;
  constexpr int n = 400;
  for (int i = 0; i < n; ++i) {
    const double T = if97::T_region1_max + (if97::T_c - if97::T_region1_max) * (i + 0.5) / n;
    double p = 1e6 * if97::psat(T);
    for (int k = 0; k < 3; ++k) p = std::nextafter(p, 0.0);
    for (int k = -3; k <= 3; ++k, p = std::nextafter(p, 1e9)) {
      replay(t, functions[0], p, T, "ok");
      kviapws97_state s{}, back{};
      kviapws97_pT(p, T, &s);
      const int code = kviapws97_Trho(T, s.rho, &back);
      const double dp_drho = s.w * s.w * s.cv / s.cp;
      const double rho_R_T = s.rho * 1e3 * if97::R * T;  // Pa
      const double allowed = 512.0 * std::numeric_limits<double>::epsilon() * (rho_R_T + s.rho * dp_drho);
      t.check(code == 0 && std::fabs(back.p - p) <= allowed, [&] {
        return "pT(" + digits(p) + ", " + digits(T) + ") gave rho = " + digits(s.rho) + ", whose p is " +
               digits(back.p) + " Pa; allowed " + digits(allowed) + " Pa";
      });
    }
  }
}

// The triple point: the state of (T, x) at 273.15 K through (p, x), (p, h)
// and (p, s), each at 273.15 K.
TEST(EveryStateReturnedIsPhysical, TriplePointThroughEveryFunction) {
  tally t;
  for (const double x : {0.0, 1e-9, 0.5, 1.0}) {
    kviapws97_state s{};
    ASSERT_EQ(kviapws97_Tx(if97::T_min, x, &s), 0);
    replay(t, functions[4], if97::T_min, x, "ok");
    struct call {
      named_function fn;
      double a, b;
    };
    for (const call& c : {call{functions[5], s.p, x}, call{functions[1], s.p, s.h}, call{functions[2], s.p, s.s}}) {
      replay(t, c.fn, c.a, c.b, "ok");
      kviapws97_state r{};
      c.fn.f(c.a, c.b, &r);
      t.check(r.T == if97::T_min, [&] { return call_text(c.fn.name, c.a, c.b) + " gave T = " + digits(r.T); });
    }
  }
}

// The lowest pressures: 1 Pa (where 166 of 2,001 round trips failed) and the
// lowest served, at temperatures over the whole range.
TEST(EveryStateReturnedIsPhysical, LowestPressuresOverAllTemperatures) {
  tally t;
  for (const double p : {1.0, 1e-3})
    for (int i = 0; i <= 500; ++i) replay(t, functions[0], p, if97::T_min + 4.0 * i, "ok");
}

// (T, rho) over region 3's turn-over beyond 100 MPa and the liquid next to it.
TEST(EveryStateReturnedIsPhysical, DensitiesBeyondTheRegion3TurnOver) {
  tally t;
  for (double T = if97::T_region1_max; T <= if97::T_b23_max + 20.0; T += 4.0)
    for (double rho = 600.0; rho <= 1400.0; rho += 7.0) replay(t, functions[6], T, rho);
}

// The label of region 3 in each quadrant about the critical point, by the
// rule of water/state.hpp: supercritical above both; liquid above p_c below
// T_c; below p_c vapour above T_c, else by the side of the critical density.
TEST(StatesPinned, Region3LabelInEachQuadrant) {
  struct row {
    double p, T;  // Pa, K
    int phase;    // 0 liquid, 1 vapour, 2 supercritical
  };
  const row rows[] = {{25e6, 650.0, 2}, {25e6, 640.0, 0}, {20.5e6, 648.2, 1}, {22.0e6, 647.2, 1},
                      {20e6, 630.0, 0}, {21e6, 645.0, 1}, {22.1e6, 647.0, 0}, {22.0e6, 646.0, 0}};
  for (const row& r : rows) {
    kviapws97_state s{};
    ASSERT_EQ(kviapws97_pT(r.p, r.T, &s), 0) << r.p << " Pa, " << r.T << " K";
    EXPECT_EQ(s.region, 3) << r.p << " Pa, " << r.T << " K";
    EXPECT_EQ(s.phase, r.phase) << r.p << " Pa, " << r.T << " K, rho = " << s.rho;
  }
}

// The x of a two-phase (T, rho) is that of the (T, x) state of that density.
TEST(StatesPinned, TrhoTwoPhaseFractionAgainstTx) {
  tally t;
  for (double T = if97::T_min + 0.85; T < if97::T_c - 0.5; T += 7.3)
    for (const double x : {1e-6, 0.1, 0.3, 0.5, 0.7, 0.9, 0.999}) {
      kviapws97_state s{}, r{};
      kviapws97_Tx(T, x, &s);
      const int code = kviapws97_Trho(T, s.rho, &r);
      t.check(code == 0 && r.region == 4 && std::fabs(r.x - x) <= 1e-9, [&] {
        return "Trho(" + digits(T) + ", " + digits(s.rho) + ") gave x = " + digits(r.x) + ", status " +
               std::to_string(code) + "; Tx gave x = " + digits(x);
      });
    }
}

// (h, s) returns p as well as T of cold liquids, whose h and s fix p only
// through v dp: to 1e-11 of h and of T s, over v (J/kg over m3/kg is Pa).
TEST(StatesPinned, HsOfLiquidsReturnsTheirPressure) {
  tally t;
  for (double p = 1e5; p <= 100e6; p *= 1.7)
    for (double T = if97::T_min; T < 600.0; T += 13.0) {
      kviapws97_state s{}, r{};
      if (kviapws97_pT(p, T, &s) != 0 || s.region != 1) continue;
      const int code = kviapws97_hs(s.h, s.s, &r);
      const double dp = 2e-11 * (std::fmax(std::fabs(s.h), 1e3) + T * std::fmax(std::fabs(s.s), 1e3)) / s.v;
      t.check(code == 0 && std::fabs(r.p - p) <= dp && std::fabs(r.T - T) <= 1e-9 * T, [&] {
        return "hs of pT(" + digits(p) + ", " + digits(T) + ") gave p = " + digits(r.p) + ", T = " + digits(r.T) +
               ", status " + std::to_string(code) + "; p allowed +- " + digits(dp) + " Pa";
      });
    }
}

// Every status has its own text through the C shim, and an unknown code has
// the text of one.
TEST(EveryStateReturnedIsPhysical, EveryStatusTextThroughC) {
  const std::vector<std::string> expected{
      "ok", "an input is NaN or infinite", "pressure not above 0", "pressure above 100 MPa",
      "pressure above 50 MPa, the limit above 1073.15 K", "temperature below 273.15 K",
      "temperature above 2273.15 K (1073.15 K above 50 MPa)",
      "no state of the formulation has this density at this temperature (p above 100 MPa, or falling as rho rises)",
      "enthalpy below that at 273.15 K and this pressure",
      "enthalpy above that at 2273.15 K (1073.15 K above 50 MPa) and this pressure",
      "entropy below that at 273.15 K and this pressure",
      "entropy above that at 2273.15 K (1073.15 K above 50 MPa) and this pressure",
      "no state of the formulation has this enthalpy and entropy", "vapour fraction outside 0 to 1",
      "no saturated states at or above the critical point (647.096 K, 22.064 MPa)",
      "pressure below the saturation pressure at 273.15 K", "the state was not found to the required accuracy"};
  for (int code = 0; code < static_cast<int>(expected.size()); ++code)
    EXPECT_EQ(kviapws97_error_text(code), expected[static_cast<std::size_t>(code)]) << "code " << code;
  // The lowest pressure and density served, appended after the codes above.
  const std::pair<w::status, const char*> appended[] = {
      {w::status::pressure_below_min, "pressure below 1e-3 Pa, the lowest served"},
      {w::status::density_below_min, "density below that of 1e-3 Pa, the lowest pressure served, at this temperature"}};
  for (const auto& [status, text] : appended)
    EXPECT_STREQ(kviapws97_error_text(static_cast<int>(status)), text) << "code " << static_cast<int>(status);
  for (const int code : {-1, 1000})
    EXPECT_STREQ(kviapws97_error_text(code), "unknown status") << "code " << code;
}

}  // namespace
