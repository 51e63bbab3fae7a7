// KVIAPWS_ES15D and KVIAPWS_FDREGION: states moved into the formulation with
// their warnings, the identities between the quantities returned, continuity
// where the evaluation changes region or method, and the region-3 volume
// found by the host's root search.
#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "adapter/kviapws97.h"
#include "adapter/warnings.hpp"
#include "host/host.h"
#include "host/standin/standin_host.hpp"
#include "if97/if97.h"
#include "support/checks.hpp"
#include "support/dispatch.hpp"
#include "support/region3_roots.hpp"

namespace {

constexpr double M = 18.0152;             // kg/kmol
constexpr double Tc = 647.096;            // K
constexpr double Pref = 101325.0;         // Pa
constexpr double R_host = 8314.41;        // J/(kmol K)
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

struct eos_out {
  double lnphi = -7.0, H = -7.0, S = -7.0, G = -7.0, V = -7.0;
  std::int64_t error = -7;
};

struct flags {
  std::int64_t lnphi = 1, h = 1, s = 1, g = 1, v = 1;
};

eos_out es15d(double T, double P, std::int64_t phase, flags f = {}, std::int64_t fugacity_mode = 1,
              std::int64_t saturation = 0, eos_out o = {}) {
  int component = 0;
  KVIAPWS_ES15D(&T, &P, &component, &phase, &saturation, &fugacity_mode, &f.lnphi, &f.h, &f.s, &f.g, &f.v, &o.lnphi,
                &o.H, &o.S, &o.G, &o.V, &o.error);
  return o;
}

struct region_out {
  std::int64_t region = -7;
  double T = -7.0, P = -7.0, V = -7.0;
  std::int64_t error = -7;
};

region_out fdregion(double T, double P, std::int64_t phase) {
  int component = 0;
  region_out o;
  KVIAPWS_FDREGION(&T, &P, &phase, &component, &o.region, &o.T, &o.P, &o.V, &o.error);
  return o;
}

std::vector<std::int64_t> messages() {
  std::vector<std::int64_t> m;
  for (const auto& c : standin::msgchk_calls()) m.push_back(c.message);
  return m;
}

// The lines printed for warnings {number, value, other}: their texts are
// test_warnings.cpp's; here only which warnings, with which values.
std::vector<std::string> lines_of(std::initializer_list<std::array<double, 3>> warnings) {
  std::vector<std::string> lines;
  for (const auto& w : warnings)
    for (const std::string& line : kviapws97::warning_lines(static_cast<int>(w[0]), w[1], w[2]))
      if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string describe(const std::vector<std::int64_t>& m) {
  std::string s = "{";
  for (auto x : m) s += " " + std::to_string(x);
  return s + " }";
}

double psat(double T) { return IF97_PSAT(&T) * 1e6; }
const double Pc = psat(Tc);  // Pa, the vapour pressure at Tc
double p3(double T, double V) {
  const double v = V / M;
  return IF97_P3(&T, &v) * 1e6;
}
double v3(double P, double T, int side) {
  const double p = P / 1e6;
  const double v = side < 0 ? IF97_V3PT_LIQ(&p, &T) : side > 0 ? IF97_V3PT_VAP(&p, &T) : IF97_V3PT(&p, &T);
  return v * M;
}
double pb23(double T) { return IF97_PB23(&T) * 1e6; }

class EosEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    standin::reset();
    standin::set_echo(false);
    standin::clear_root_flag_errors();
  }
  void TearDown() override {
    EXPECT_EQ(standin::root_flag_errors(), 0);
    EXPECT_EQ(KVUTL_ROOTFL[0], 0);
    EXPECT_EQ(KVUTL_ROOTFL[1], 0);
    standin::reset();
  }
};

// ---------------------------------------------------------------- edge cases

TEST_F(EosEntry, LiquidBelowLowerBoundOnlyEnthalpyIsTheExtrapolationAlone) {
  // 42525.9184636176 (-23.15) - 45053196.156517
  const eos_out o = es15d(250.0, 1e5, 2, {0, 1, 0, 0, 0});
  EXPECT_TRUE(kvtest::close_relative(o.H, -46037671.16895, 1e-12));
  EXPECT_EQ(o.error, 0);
  EXPECT_EQ(o.lnphi, -7.0);
  EXPECT_EQ(o.S, -7.0);
  EXPECT_EQ(o.G, -7.0);
  EXPECT_EQ(o.V, -7.0);
  EXPECT_TRUE(standin::printed_lines().empty());
  EXPECT_TRUE(standin::msgchk_calls().empty());
}

TEST_F(EosEntry, VapourBelowLowerBoundIsEvaluatedAt27315WithoutMessage) {
  const double P = 100.0;
  const eos_out o = es15d(250.0, P, 1);
  EXPECT_TRUE(standin::msgchk_calls().empty()) << describe(messages());
  EXPECT_TRUE(kvtest::close_relative(o.H, kvtest::dispatch(2, 273.15, P, 2, 0, 1).value, 1e-12));
  EXPECT_TRUE(kvtest::close_relative(o.S, kvtest::dispatch(3, 273.15, P, 2, 0, 1).value, 1e-12));
  EXPECT_TRUE(kvtest::close_relative(o.V, kvtest::dispatch(5, 273.15, P, 2, 0, 1).value, 1e-12));
}

TEST_F(EosEntry, FugacityModeZeroLiquidIsTheVapourPressureRatio) {
  struct row { double T, P; };
  for (const row r : {row{300.0, 1e5}, row{300.0, 1e7}, row{450.0, 3e6}, row{600.0, 5e7}}) {
    const eos_out o = es15d(r.T, r.P, 2, {1, 0, 0, 0, 0}, 0);
    EXPECT_TRUE(kvtest::close_relative(o.lnphi, std::log(psat(r.T) / r.P), 1e-10)) << "T " << r.T << " P " << r.P;
  }
  // Beyond the critical temperature ln psat continues linearly in 1/T with
  // the slope between 647.086 and 647.096 K.
  {
    const double T0 = Tc, T1 = Tc - 0.01, P = 3e7;
    const double B = std::log(psat(T1) / psat(T0)) / (1.0 / T1 - 1.0 / T0);
    const eos_out o = es15d(700.0, P, 2, {1, 0, 0, 0, 0}, 0);
    EXPECT_TRUE(kvtest::close_relative(o.lnphi, B * (1.0 / 700.0 - 1.0 / T0) + std::log(psat(T0) / P), 1e-6));
  }
  // Below 273.15 K a flag of 2 (lowered to 1 by the extrapolation) takes ln
  // psat linear in 1/T from 273.15 K, slope between 273.14 and 273.15 K.
  {
    const double T0 = 273.15, T1 = 273.14, P = 2e5, T = 250.0;
    const double B = std::log(psat(T1) / psat(T0)) / (1.0 / T1 - 1.0 / T0);
    const eos_out o = es15d(T, P, 2, {2, 0, 0, 0, 0}, 0);
    EXPECT_TRUE(kvtest::close_relative(o.lnphi, B * (1.0 / T - 1.0 / T0) + std::log(psat(T0) / P), 1e-6));
  }
  const eos_out vap = es15d(300.0, 1000.0, 1, {1, 0, 0, 0, 0}, 0);
  EXPECT_EQ(vap.lnphi, 0.0);
  EXPECT_TRUE(standin::msgchk_calls().empty());
}

TEST_F(EosEntry, LiquidBelowVapourPressureGetsMessage6) {
  const eos_out o = es15d(300.0, 1000.0, 2);
  EXPECT_EQ(messages(), (std::vector<std::int64_t>{6}));
  EXPECT_EQ(standin::printed_lines(), lines_of({{6, 1000.0, psat(300.0)}}));
  // H, S and V at the vapour pressure.
  const double ps = psat(300.0);
  EXPECT_TRUE(kvtest::close_relative(o.H, kvtest::dispatch(2, 300.0, ps, 1).value, 1e-9));
  EXPECT_TRUE(kvtest::close_relative(o.V, kvtest::dispatch(5, 300.0, ps, 1).value, 1e-9));
  // G back at the caller's pressure: G(psat) + R T ln(psat/P) + (P - psat) V.
  const double Gs = kvtest::dispatch(2, 300.0, ps, 1).value - 300.0 * kvtest::dispatch(3, 300.0, ps, 1).value;
  EXPECT_TRUE(kvtest::close_relative(o.G, Gs + R_host * 300.0 * std::log(ps / 1000.0) + (1000.0 - ps) * o.V, 1e-9));
  // ln phi from the formulation at psat, moved back by ln(psat/P) and the
  // Poynting term (P - psat) V / (R T).
  const double lnphi_s = kvtest::dispatch(1, 300.0, ps, 1).value;
  EXPECT_TRUE(kvtest::close_relative(o.lnphi, lnphi_s + std::log(ps / 1000.0) + (1000.0 - ps) * o.V / (R_host * 300.0),
                                     1e-9));
}

TEST_F(EosEntry, VapourAboveVapourPressureGetsMessage7) {
  const eos_out o = es15d(300.0, 1e5, 1);
  EXPECT_EQ(messages(), (std::vector<std::int64_t>{7}));
  EXPECT_EQ(standin::printed_lines(), lines_of({{7, 1e5, psat(300.0)}}));
  EXPECT_TRUE(kvtest::close_relative(o.V, kvtest::dispatch(5, 300.0, psat(300.0), 2, 0, 1).value, 1e-9));
}

TEST_F(EosEntry, SupercriticalLiquidBelowCriticalPressureGetsMessages5And6) {
  const eos_out o = es15d(700.0, 1e7, 2);
  EXPECT_EQ(messages(), (std::vector<std::int64_t>{5, 6}));
  EXPECT_EQ(standin::printed_lines(), lines_of({{5, 700.0, 0.0}, {6, 1e7, Pc}}));
  EXPECT_TRUE(std::isfinite(o.H));
  EXPECT_TRUE(std::isfinite(o.S));
  EXPECT_TRUE(std::isfinite(o.V));
  EXPECT_GT(o.V, 0.3 * M / 322.0);
  EXPECT_EQ(o.error, 0);
}

TEST_F(EosEntry, VapourAboveHighTemperaturePressureBoundGetsMessage4AndRegion5) {
  const eos_out o = es15d(1500.0, 6e7, 1);
  EXPECT_EQ(messages(), (std::vector<std::int64_t>{4}));
  EXPECT_EQ(standin::printed_lines(), lines_of({{4, 6e7, 5e7}}));
  EXPECT_TRUE(kvtest::close_relative(o.H, kvtest::dispatch(2, 1500.0, 5e7, 5, 0, 1).value, 1e-12));
  EXPECT_TRUE(kvtest::close_relative(o.V, kvtest::dispatch(5, 1500.0, 5e7, 5, 0, 1).value, 1e-12));
}

TEST_F(EosEntry, VeryHotVapourKeepsItsPressureAndGetsMessage8) {
  const eos_out o = es15d(2500.0, 1e6, 1);
  EXPECT_EQ(messages(), (std::vector<std::int64_t>{8}));
  EXPECT_TRUE(kvtest::close_relative(o.V, kvtest::dispatch(5, 2273.15, 1e6, 5, 0, 1).value, 1e-12));
  standin::reset();
  standin::set_echo(false);
  es15d(2273.15, 1e6, 1);
  EXPECT_TRUE(standin::msgchk_calls().empty()) << describe(messages());
}

TEST_F(EosEntry, PhaseOtherThanOneOrTwoIsLiquid) {
  struct row { double T, P; };
  for (const row r : {row{300.0, 1e5}, row{640.0, 25e6}, row{300.0, 1000.0}}) {
    const eos_out a = es15d(r.T, r.P, 2), b = es15d(r.T, r.P, 3);
    EXPECT_EQ(a.H, b.H) << r.T << " " << r.P;
    EXPECT_EQ(a.S, b.S) << r.T << " " << r.P;
    EXPECT_EQ(a.G, b.G) << r.T << " " << r.P;
    EXPECT_EQ(a.lnphi, b.lnphi) << r.T << " " << r.P;
  }
}

struct state_row {
  std::int64_t phase;
  double T, P;
};

const state_row edge_states[] = {
    {2, 250.0, 1e5}, {1, 250.0, 100.0}, {2, 300.0, 1000.0}, {1, 300.0, 1e5},   {2, 700.0, 1e7},
    {1, 1500.0, 6e7}, {2, 640.0, 25e6}, {1, 700.0, 40e6},   {1, 2500.0, 1e6}, {2, 300.0, 2e8},
};

TEST_F(EosEntry, DiagnosticsOffGiveTheSameResultsWithoutCalls) {
  std::vector<eos_out> with;
  for (const state_row& r : edge_states) with.push_back(es15d(r.T, r.P, r.phase));
  EXPECT_FALSE(standin::msgchk_calls().empty());
  standin::reset();
  standin::set_echo(false);
  SYS_MSGCTL[56] = 0;
  for (std::size_t i = 0; i < std::size(edge_states); ++i) {
    const state_row& r = edge_states[i];
    const eos_out o = es15d(r.T, r.P, r.phase);
    EXPECT_EQ(o.H, with[i].H) << "phase " << r.phase << " T " << r.T << " P " << r.P;
    EXPECT_EQ(o.S, with[i].S) << "phase " << r.phase << " T " << r.T << " P " << r.P;
    EXPECT_EQ(o.G, with[i].G) << "phase " << r.phase << " T " << r.T << " P " << r.P;
    EXPECT_EQ(o.V, with[i].V) << "phase " << r.phase << " T " << r.T << " P " << r.P;
    EXPECT_EQ(o.lnphi, with[i].lnphi) << "phase " << r.phase << " T " << r.T << " P " << r.P;
    region_out f = fdregion(r.T, r.P, r.phase);
    EXPECT_EQ(f.error, 0);
  }
  EXPECT_TRUE(standin::msgchk_calls().empty());
  EXPECT_TRUE(standin::printed_lines().empty());
}

// ---------------------------------------------------------------- identities

struct identity_row {
  std::int64_t phase;
  double T, P;
  std::int64_t region;
};

const identity_row identity_states[] = {
    {2, 300.0, 1e5, 1},  {2, 500.0, 1e7, 1},  {2, 273.15, 1e8 - 1, 1}, {2, 620.0, 8e7, 1},
    {1, 400.0, 1e4, 2},  {1, 700.0, 1e6, 2},  {1, 1000.0, 8e7, 2},     {1, 600.0, 5e6, 2},
    {1, 1200.0, 1e6, 5}, {1, 1800.0, 3e7, 5}, {1, 2273.15, 1e5, 5},
};

TEST_F(EosEntry, ValuesAreTheDispatchersAtTheSettledState) {
  for (const identity_row& r : identity_states) {
    const eos_out o = es15d(r.T, r.P, r.phase);
    EXPECT_EQ(o.error, 0);
    const double H = kvtest::dispatch(2, r.T, r.P, r.region, 0, r.phase).value;
    const double S = kvtest::dispatch(3, r.T, r.P, r.region, 0, r.phase).value;
    const double V = kvtest::dispatch(5, r.T, r.P, r.region, 0, r.phase).value;
    const double G = kvtest::dispatch(4, r.T, r.P, r.region, 0, r.phase).value;
    const double lnphi = kvtest::dispatch(1, r.T, r.P, r.region, 0, r.phase).value;
    SCOPED_TRACE("phase " + std::to_string(r.phase) + " T " + std::to_string(r.T) + " P " + std::to_string(r.P));
    EXPECT_TRUE(kvtest::close_relative(o.H, H, 1e-12));
    EXPECT_TRUE(kvtest::close_relative(o.S, S, 1e-12));
    EXPECT_TRUE(kvtest::close_relative(o.V, V, 1e-12));
    EXPECT_TRUE(kvtest::close_relative(o.lnphi, lnphi, 1e-12));
    EXPECT_LE(std::fabs(o.G - G), 1e-9 * (std::fabs(o.H) + r.T * std::fabs(o.S)));
    EXPECT_TRUE(standin::msgchk_calls().empty()) << describe(messages());
  }
}

// The root search of region 3 is started as the formulation asks: the vapour
// below the critical temperature in mode 5 from the region-2 volume on B23
// (its root lies below it), the liquid in mode 1, either above it in mode 2.
TEST_F(EosEntry, Region3SearchesStartInTheirModes) {
  struct row { double T, P; int phase; bool vapour; std::int64_t mode; };
  const row rows[] = {
      {640.0, 19.5e6, 1, true, 5}, {646.0, 21.9e6, 1, true, 5}, {700.0, 40e6, 1, true, 2},
      {640.0, 25e6, 2, false, 1},  {700.0, 40e6, 2, false, 2},
  };
  for (const row& r : rows) {
    standin::reset();
    standin::set_echo(false);
    EXPECT_EQ(es15d(r.T, r.P, r.phase).error, 0);
    const standin::root_search_start s = standin::last_root_search_start();
    const double V_b23 = kvtest::dispatch(5, r.T, pb23(r.T), 2, 0, 1).value;  // m3/kmol, region 2 on B23
    const bool start_ok = r.mode != 5 || kvtest::close_relative(s.volume, V_b23, 1e-12);
    EXPECT_TRUE(s.vapour == r.vapour && s.mode == r.mode && start_ok)
        << "T = " << r.T << " K, P = " << r.P << " Pa, phase " << r.phase << ": " << (s.vapour ? "vapour" : "liquid")
        << " search in mode " << s.mode << " from V = " << s.volume << " m3/kmol; expected mode " << r.mode;
  }
}

TEST_F(EosEntry, GibbsEnergyIsHMinusTSAndRTlnFugacity) {
  std::vector<identity_row> rows(std::begin(identity_states), std::end(identity_states));
  rows.push_back({2, 640.0, 25e6, 3});
  rows.push_back({2, 630.0, 60e6, 3});
  rows.push_back({1, 700.0, 40e6, 3});
  rows.push_back({1, 640.0, 19e6, 3});
  for (const identity_row& r : rows) {
    const eos_out o = es15d(r.T, r.P, r.phase);
    SCOPED_TRACE("phase " + std::to_string(r.phase) + " T " + std::to_string(r.T) + " P " + std::to_string(r.P));
    const double scale = std::fabs(o.H) + r.T * std::fabs(o.S);
    EXPECT_LE(std::fabs(o.G - (o.H - r.T * o.S)), 1e-12 * scale) << "G " << o.G << " H-TS " << o.H - r.T * o.S;
    if (r.region == 5) continue;
    // The host's gas constant 8314.41 against the formulation's 8314.48 (0.461526 x 18.0152).
    const double RT = R_host * r.T;
    const double from_fugacity = RT * (o.lnphi + std::log(r.P / Pref));
    EXPECT_LE(std::fabs(o.G - from_fugacity), 2e-5 * std::max(std::fabs(o.G), RT))
        << "G " << kvtest::digits(o.G) << " RT(ln phi + ln P/Pref) " << kvtest::digits(from_fugacity);
  }
}

// ---------------------------------------------------------------- continuity

TEST_F(EosEntry, LiquidLinesBelow27315ContinueTheFormulation) {
  // At the reference pressure each line meets the formulation's value at
  // 273.15 K (region 1, through the dispatcher) and has its temperature
  // derivative there (one-sided, second order).
  const double T0 = 273.15, dT = 0.01, span = 10.0;
  const eos_out top = es15d(T0 - 1e-9, Pref, 2), low = es15d(T0 - span, Pref, 2);
  struct quantity {
    const char* name;
    std::int32_t code;
    double top, low;
  };
  for (const quantity& q : {quantity{"ln phi", 1, top.lnphi, low.lnphi}, quantity{"H", 2, top.H, low.H},
                            quantity{"S", 3, top.S, low.S}, quantity{"G", 4, top.G, low.G},
                            quantity{"V", 5, top.V, low.V}}) {
    const auto f = [&](double T) { return kvtest::dispatch(q.code, T, Pref, 1).value; };
    const double slope = (-3.0 * f(T0) + 4.0 * f(T0 + dT) - f(T0 + 2.0 * dT)) / (2.0 * dT);
    EXPECT_TRUE(kvtest::close_relative(q.top, f(T0), 1e-3)) << q.name << " at 273.15 K";
    EXPECT_TRUE(kvtest::close_relative((q.top - q.low) / (span - 1e-9), slope, 1e-2)) << "d" << q.name << "/dT";
  }
  EXPECT_TRUE(standin::msgchk_calls().empty());
}

TEST_F(EosEntry, LiquidAboveCriticalTemperatureIsExtrapolatedFromTwoTemperatures) {
  // Raised to the critical pressure, the liquid is evaluated at 647.086 K and
  // 647.096 K at the region-3 root volumes; H, S and V then go on linearly in
  // d = T - 647.096 K with slopes damped 2000-fold (H, S) and 3000-fold (V).
  const double T1 = Tc - 0.01;
  const double V1 = es15d(T1, Pc, 2).V;  // Pc lies above psat(T1): no move, one search
  const double V0 = es15d(Tc, 1e7, 2).V;  // d = 0: the second root itself
  const auto at = [](std::int32_t code, double T, double V) { return kvtest::dispatch(code, T, p3(T, V), 3, V).value; };
  const double H1 = at(2, T1, V1), S1 = at(3, T1, V1), H0 = at(2, Tc, V0), S0 = at(3, Tc, V0);
  struct row { double T, P; };
  for (const row r : {row{650.0, 1e7}, row{700.0, 2e7}, row{900.0, 1e5}}) {
    SCOPED_TRACE("T " + std::to_string(r.T) + " P " + kvtest::digits(r.P));
    const double d = r.T - Tc;
    const eos_out o = es15d(r.T, r.P, 2);
    EXPECT_TRUE(kvtest::close_relative(o.V, V0 + d * (V0 - V1) / 0.01 / 3000.0, 1e-12)) << "V";
    EXPECT_TRUE(kvtest::close_relative(o.S, S0 + d * (S0 - S1) / 0.01 / 2000.0, 1e-12)) << "S";
    EXPECT_TRUE(kvtest::close_relative(o.H, H0 + d * (H0 - H1) / 0.01 / 2000.0, 1e-12)) << "H";
  }
}

TEST_F(EosEntry, RequestFlagsOtherThanOne) {
  // 2 below 273.15 K: the formulation's value at 273.15 K overwrites the line.
  const eos_out two = es15d(250.0, 1e5, 2, {0, 2, 0, 0, 0});
  EXPECT_TRUE(kvtest::close_relative(two.H, kvtest::dispatch(2, 273.15, 1e5, 1).value, 1e-12));
  // 3 at 300 K: the output is left as it was.
  const eos_out three = es15d(300.0, 1e5, 2, {0, 3, 0, 0, 0});
  EXPECT_EQ(three.H, -7.0);
}

TEST_F(EosEntry, CompressedLiquidIsContinuousAtTheRegion1To3Boundary) {
  for (const double P : {20e6, 40e6, 80e6}) {
    const eos_out a = es15d(623.15, P, 2);
    const eos_out b = es15d(623.15 + 1e-6, P, 2);
    EXPECT_TRUE(kvtest::close_relative(b.H, a.H, 1e-4)) << "P " << P;
    EXPECT_TRUE(kvtest::close_relative(b.S, a.S, 1e-4)) << "P " << P;
    EXPECT_LE(std::fabs(b.G - a.G), 1e-4 * (std::fabs(a.H) + 623.15 * std::fabs(a.S))) << "P " << P;
    EXPECT_TRUE(kvtest::close_relative(b.V, a.V, 1e-3)) << "P " << P;
  }
}

// ---------------------------------------------------------------- region 3

struct grid_point {
  std::int64_t phase;
  double T, P;
  int side;  // -1 saturated liquid, +1 saturated vapour, 0 single phase
};

std::vector<grid_point> region3_grid() {
  std::vector<grid_point> g;
  for (double T = 633.15; T < 863.15; T += 10.0) {
    if (T < Tc) {
      const double ps = psat(T);
      g.push_back({2, T, ps, -1});
      g.push_back({1, T, ps, +1});
      for (double P = 5e6 * std::ceil(ps / 5e6); P < 1e8; P += 5e6) g.push_back({2, T, P, 0});
    } else {
      const double pb = pb23(T);
      for (double P = 5e6 * std::ceil(pb / 5e6 + 1e-9); P < 1e8; P += 5e6) g.push_back({1, T, P, 0});
    }
  }
  return g;
}

TEST_F(EosEntry, Region3RootSearchOnAGrid) {
  int checked_backward = 0;
  for (const grid_point& s : region3_grid()) {
    SCOPED_TRACE("phase " + std::to_string(s.phase) + " T " + std::to_string(s.T) + " P " + kvtest::digits(s.P));
    const region_out f = fdregion(s.T, s.P, s.phase);
    EXPECT_EQ(f.region, 3);
    EXPECT_EQ(f.error, 0);
    EXPECT_EQ(f.T, s.T);
    EXPECT_TRUE(kvtest::close_relative(p3(s.T, f.V), s.P, 1e-9));
    EXPECT_TRUE(kvtest::close_relative(f.P, s.P, 1e-9));
    const bool near_critical = std::fabs(s.T - Tc) <= 5.0 && std::fabs(s.P - Pc) <= 2e6;
    if (!near_critical) {
      EXPECT_TRUE(kvtest::close_relative(f.V, v3(s.P, s.T, s.side), 1e-4));
      ++checked_backward;
    }
    const eos_out o = es15d(s.T, s.P, s.phase);
    EXPECT_TRUE(kvtest::close_relative(o.V, f.V, 1e-9));
    EXPECT_EQ(KVUTL_ROOTFL[0], 0);
    EXPECT_EQ(KVUTL_ROOTFL[1], 0);
    EXPECT_EQ(standin::root_flag_errors(), 0);
  }
  EXPECT_GT(checked_backward, 50);
  EXPECT_TRUE(standin::msgchk_calls().empty()) << describe(messages());
}

TEST_F(EosEntry, NearCriticalPointVapourAndLiquidAreTheOuterRoots) {
  // Near the critical point the isotherm crosses psat three times within a
  // few per cent of volume and a few pascals: the vapour is the largest
  // root, the liquid the smallest.
  std::vector<double> temperatures;
  for (int k = 0; k < 120; ++k) temperatures.push_back(640.0 + 0.05 * k);
  for (int k = 0; k <= 219; ++k) temperatures.push_back(646.0 + 0.005 * k);  // to 647.095 K
  struct request {
    bool fdregion;
    std::int64_t saturation;
    double factor;  // P = factor psat(T)
  };
  // Each a vapour and a liquid: saturated; just below and above psat; the region finder's at both.
  const request pairs[] = {
      {false, 1, 1.0}, {false, 1, 1.0}, {false, 0, 1.0 - 1e-7}, {false, 0, 1.0 + 1e-7},
      {true, 0, 1.0},  {true, 0, 1.0},  {true, 0, 1.0 - 1e-7},  {true, 0, 1.0 + 1e-7},
  };
  for (const double T : temperatures) {
    double V[std::size(pairs)], lnphi[2];
    for (std::size_t i = 0; i < std::size(pairs); ++i) {
      const request& q = pairs[i];
      const std::int64_t phase = i % 2 == 0 ? 1 : 2;
      const double P = q.factor * psat(T);
      if (q.fdregion) {
        V[i] = fdregion(T, P, phase).V;
      } else {
        const eos_out o = es15d(T, P, phase, {}, 1, q.saturation);
        V[i] = o.V;
        if (i < 2) lnphi[i] = o.lnphi;
      }
      const std::vector<double> roots = kvtest::region3_roots(T, P);
      const double root = phase == 1 ? roots.back() : roots.front();
      const kvtest::volume_interval iv = kvtest::within_tolerance(T, P, root);
      EXPECT_TRUE(iv.holds(V[i]))
          << (q.fdregion ? "KVIAPWS_FDREGION " : "KVIAPWS_ES15D ") << (phase == 1 ? "vapour" : "liquid")
          << (q.saturation != 0 ? " saturated" : "") << " T " << kvtest::digits(T) << " P " << kvtest::digits(P)
          << ": V " << kvtest::digits(V[i]) << ", expected the " << (phase == 1 ? "largest" : "smallest") << " root "
          << kvtest::digits(root) << ", within [" << kvtest::digits(iv.lo) << ", " << kvtest::digits(iv.hi)
          << "], relative error " << (V[i] - root) / root;
    }
    for (std::size_t i = 0; i < std::size(pairs); i += 2)
      EXPECT_GT(V[i], V[i + 1]) << "T " << kvtest::digits(T) << " pair " << i / 2 << ": V vapour " << kvtest::digits(V[i])
                                << ", V liquid " << kvtest::digits(V[i + 1]);
    EXPECT_LE(std::fabs(lnphi[0] - lnphi[1]), 1e-4)
        << "T " << kvtest::digits(T) << " saturated: ln phi vapour " << lnphi[0] << ", liquid " << lnphi[1];
  }
}

// ---------------------------------------------------------------- FDREGION

struct region_row {
  std::int64_t phase;
  double T, P;
  std::vector<std::int64_t> messages;
  std::int64_t region;
  double T_used, P_used;
};

TEST_F(EosEntry, RegionFinderEdgeCases) {
  const region_row rows[] = {
      {1, 250.0, 100.0, {2}, 2, 273.15, 100.0},
      {2, 300.0, 1e5, {}, 1, 300.0, 1e5},
      {1, 1500.0, 1e6, {}, 5, 1500.0, 1e6},
      {2, 640.0, 25e6, {}, 3, 640.0, 25e6},
      {2, 700.0, 1e6, {5, 6}, 3, Tc, Pc},
      {1, 1500.0, 6e7, {4}, 5, 1500.0, 5e7},
      {2, 300.0, 1000.0, {6}, 1, 300.0, psat(300.0)},
  };
  for (const region_row& r : rows) {
    standin::reset();
    standin::set_echo(false);
    const region_out f = fdregion(r.T, r.P, r.phase);
    SCOPED_TRACE("phase " + std::to_string(r.phase) + " T " + std::to_string(r.T) + " P " + kvtest::digits(r.P));
    EXPECT_EQ(messages(), r.messages) << describe(messages());
    EXPECT_EQ(f.region, r.region);
    EXPECT_EQ(f.error, 0);
    EXPECT_TRUE(kvtest::close_relative(f.T, r.T_used, 1e-15));
    EXPECT_TRUE(kvtest::close_relative(f.P, r.P_used, 1e-9));
    if (f.region == 3)
      EXPECT_TRUE(kvtest::close_relative(p3(f.T, f.V), f.P, 1e-12)) << "pressure returned is the root's";
    else
      EXPECT_TRUE(kvtest::close_relative(f.V, kvtest::dispatch(5, f.T, f.P, f.region, 0, r.phase).value, 1e-12));
  }
}

// ---------------------------------------------------------------- saturation

TEST_F(EosEntry, SaturationRequestEvaluatesOnTheSaturationLine) {
  struct row { std::int64_t phase; double T; int region; };
  for (const row r : {row{2, 300.0, 1}, row{1, 300.0, 2}, row{2, 500.0, 1}, row{1, 500.0, 2}, row{2, 640.0, 3},
                      row{1, 640.0, 3}, row{2, 630.0, 3}, row{1, 630.0, 3}}) {
    SCOPED_TRACE("phase " + std::to_string(r.phase) + " T " + std::to_string(r.T));
    // The caller's pressure plays no part.
    const eos_out o = es15d(r.T, 1.0, r.phase, {}, 1, 1);
    const eos_out o2 = es15d(r.T, 5e7, r.phase, {}, 1, 1);
    EXPECT_EQ(o.V, o2.V);
    const double ps = psat(r.T);
    if (r.region == 3) {
      EXPECT_TRUE(kvtest::close_relative(p3(r.T, o.V), ps, 1e-9));
      EXPECT_TRUE(kvtest::close_relative(o.V, v3(ps, r.T, r.phase == 1 ? +1 : -1), 1e-4));
    } else {
      EXPECT_TRUE(kvtest::close_relative(o.V, kvtest::dispatch(5, r.T, ps, r.region, 0, r.phase).value, 1e-12));
    }
    EXPECT_TRUE(standin::msgchk_calls().empty()) << describe(messages());
  }
  // Liquid and vapour at equilibrium: equal Gibbs energies (the equilibrium
  // condition of the formulation's saturation line).
  for (const double T : {300.0, 450.0, 600.0, 630.0, 640.0}) {
    const eos_out l = es15d(T, 1e5, 2, {}, 1, 1), v = es15d(T, 1e5, 1, {}, 1, 1);
    EXPECT_LE(std::fabs(l.G - v.G), 2e-5 * std::fabs(v.H - l.H)) << "T " << T << " G liquid " << l.G << " vapour " << v.G;
  }
  // Beyond the critical temperature: message 3, the critical state.
  const eos_out c = es15d(700.0, 1e5, 2, {}, 1, 1);
  EXPECT_EQ(messages(), (std::vector<std::int64_t>{3}));
  EXPECT_TRUE(std::isfinite(c.V));
  EXPECT_GT(c.V, 0.3 * M / 322.0);
}

// ---------------------------------------------------------------- no state

TEST_F(EosEntry, NotAPositiveNumberGivesMissingAndError1) {
  const double bad[] = {nan, inf, -inf, -300.0, 0.0};
  std::vector<std::pair<double, double>> states;
  for (double b : bad) {
    states.push_back({b, 1e5});
    states.push_back({300.0, b});
  }
  for (const auto& [T, P] : states) {
    for (std::int64_t phase : {1, 2}) {
      SCOPED_TRACE("phase " + std::to_string(phase) + " T " + kvtest::digits(T) + " P " + kvtest::digits(P));
      const eos_out o = es15d(T, P, phase);
      EXPECT_EQ(o.error, 1);
      EXPECT_EQ(o.H, standin::missing_value);
      EXPECT_EQ(o.S, standin::missing_value);
      EXPECT_EQ(o.G, standin::missing_value);
      EXPECT_EQ(o.V, standin::missing_value);
      EXPECT_EQ(o.lnphi, standin::missing_value);
      const eos_out h_only = es15d(T, P, phase, {0, 1, 0, 0, 0});
      EXPECT_EQ(h_only.H, standin::missing_value);
      EXPECT_EQ(h_only.S, -7.0);
      const region_out f = fdregion(T, P, phase);
      EXPECT_EQ(f.region, 0);
      EXPECT_EQ(f.error, 1);
      EXPECT_EQ(f.T, standin::missing_value);
      EXPECT_EQ(f.P, standin::missing_value);
      EXPECT_EQ(f.V, standin::missing_value);
    }
  }
}

}  // namespace
