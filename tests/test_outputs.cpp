// Selected outputs and batch calls against the whole state: over the grids of
// the round trips (every region, both sides of each boundary, next to the
// saturation line and the critical point, two-phase states up to 22.06 MPa),
// every function given a set of outputs returns the whole state's status,
// region and phase, the asked outputs bit for bit and NaN for the rest; the
// batch calls write the same columns and touch no column not given.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

// The plug-in's header beside the C interface's: its include guard once took
// the name of the quantity KVIAPWS97_H.
#include "adapter/kviapws97.h"
#include "if97/constants.hpp"
#include "if97/saturation.hpp"
#include "support/checks.hpp"
#include "water/batch.hpp"
#include "water/kviapws97/water.h"
#include "water/state.hpp"

namespace {

namespace w = kviapws97::water;
using kvtest::digits;
using kvtest::tally;
using O = w::outputs;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// The same double to the last bit, or both NaN.
bool same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)); }

// Each real of a state with the group that gives it.
struct field {
  const char* name;
  double w::phase_values::*member;
  O group;
};
const field fields[] = {
    {"p", &w::phase_values::p, O::volumetric},   {"T", &w::phase_values::T, O::T | O::volumetric},
    {"rho", &w::phase_values::rho, O::volumetric}, {"v", &w::phase_values::v, O::volumetric},
    {"h", &w::phase_values::h, O::caloric},      {"s", &w::phase_values::s, O::caloric},
    {"u", &w::phase_values::u, O::caloric},      {"cp", &w::phase_values::cp, O::heat},
    {"cv", &w::phase_values::cv, O::heat},       {"w", &w::phase_values::w, O::heat},
    {"mu", &w::phase_values::mu, O::transport},  {"lambda", &w::phase_values::lambda, O::transport},
};

const O sets[] = {O::T,
                  O::volumetric,
                  O::caloric,
                  O::heat,
                  O::transport,
                  O::T | O::caloric,
                  O::T | O::volumetric | O::caloric | O::heat,
                  O::saturated,
                  O::T | O::caloric | O::saturated,
                  O::all};

enum function { f_pT, f_ph, f_ps, f_hs, f_Tx, f_px, f_Trho };
const char* const function_name[] = {"pT", "ph", "ps", "hs", "Tx", "px", "Trho"};

// The inputs of each function from a whole state.
void inputs(function f, const w::state& s, double& a, double& b) {
  switch (f) {
    case f_pT: a = s.p, b = s.T; break;
    case f_ph: a = s.p, b = s.h; break;
    case f_ps: a = s.p, b = s.s; break;
    case f_hs: a = s.h, b = s.s; break;
    case f_Tx: a = s.T, b = s.x; break;
    case f_px: a = s.p, b = s.x; break;
    default: a = s.T, b = s.rho; break;
  }
}

w::result call(function f, double a, double b, O asked) {
  switch (f) {
    case f_pT: return w::pT(a, b, asked);
    case f_ph: return w::ph(a, b, asked);
    case f_ps: return w::ps(a, b, asked);
    case f_hs: return w::hs(a, b, asked);
    case f_Tx: return w::Tx(a, b, asked);
    case f_px: return w::px(a, b, asked);
    default: return w::Trho(a, b, asked);
  }
}
w::result call(function f, double a, double b) {
  switch (f) {
    case f_pT: return w::pT(a, b);
    case f_ph: return w::ph(a, b);
    case f_ps: return w::ps(a, b);
    case f_hs: return w::hs(a, b);
    case f_Tx: return w::Tx(a, b);
    case f_px: return w::px(a, b);
    default: return w::Trho(a, b);
  }
}

// What differs between a phase's values with a set of outputs and the whole
// phase's: an asked field not the same, or a field not asked not NaN.
std::string differences(const w::phase_values& got, const w::phase_values& whole, O asked) {
  std::string out;
  for (const field& q : fields) {
    const double g = got.*q.member, e = w::asks(asked, q.group) ? whole.*q.member : nan;
    if (!same(g, e)) out += std::string(" ") + q.name + " " + digits(g) + " (whole " + digits(whole.*q.member) + ")";
  }
  return out;
}

std::string differences(const w::result& got, const w::result& whole, O asked) {
  if (got.status != whole.status)
    return std::string(" status ") + got.reason() + " where the whole state's is " + whole.reason();
  if (!got) return "";
  std::string out = differences(got.state, whole.state, asked);
  if (got.state.region != whole.state.region || got.state.phase != whole.state.phase) out += " region or phase";
  if (!same(got.state.x, w::asks(asked, O::T) ? whole.state.x : nan)) out += " x " + digits(got.state.x);
  // The saturated phases carry the groups asked, all of them where no other is.
  const bool alone = !w::asks(asked, O::volumetric | O::caloric | O::heat | O::transport);
  const O phases = !w::asks(asked, O::saturated) ? O{} : alone ? O::all : asked;
  const std::string liquid = differences(got.state.liquid, whole.state.liquid, phases);
  const std::string vapour = differences(got.state.vapour, whole.state.vapour, phases);
  if (!liquid.empty() || !vapour.empty()) out += " saturated liquid:" + liquid + " vapour:" + vapour;
  return out;
}

// States of (p, T) over every region, both sides of its boundaries and next
// to the saturation line and the critical point; two-phase states of (T, x)
// up to 1e-6 K below T_c; the bounds themselves.
std::vector<w::state> grid() {
  std::vector<double> ps{1e-3, 611.0, 50e6, 100e6}, Ts{273.15, 623.15, 863.15, 1073.15, 2273.15};
  for (int i = 0; i <= 60; ++i) ps.push_back(500.0 * std::pow(2e5, i / 60.0));
  for (double T = 273.15; T < 1073.0; T += 13.7) Ts.push_back(T);
  for (double T = 1083.15; T < 2273.0; T += 97.0) Ts.push_back(T);
  std::vector<w::state> out;
  const auto add = [&out](const w::result& r) {
    if (r) out.push_back(r.state);
  };
  for (const double p : ps)
    for (const double T : Ts) add(w::pT(p, T));
  for (const double d : {-1e-6, -1e-3, -0.1, 0.1, 1e-3, 1e-6}) {
    for (double p = 1e6 * if97::psat(if97::T_region1_max); p < 100e6; p *= 1.1) {
      add(w::pT(p, if97::T_region1_max + d));
      add(w::pT(p, if97::tb23(p / 1e6) + d));
    }
    for (double T = 273.16; T < if97::T_c; T += 7.3) add(w::pT(1e6 * if97::psat(T), T + d));
    add(w::pT(1e6 * if97::p_c, if97::T_c + d));
  }
  std::vector<double> Tsat;
  for (double T = 273.16; T < 647.0; T += 4.1) Tsat.push_back(T);
  for (double T = 623.0; T < 647.0; T += 0.9) Tsat.push_back(T);  // 16.5 to 22 MPa
  for (double d = 0.5; d > 1e-6; d *= 0.3) Tsat.push_back(if97::T_c - d);
  for (const double T : Tsat)
    for (const double x : {0.0, 1e-3, 0.3, 0.97, 1.0}) add(w::Tx(T, x));
  return out;
}

const std::vector<w::state>& states() {
  static const std::vector<w::state> g = grid();
  return g;
}

TEST(SelectedOutputs, EverySetGivesTheWholeStatesOutputsBitForBit) {
  tally t;
  for (const w::state& s : states()) {
    for (const function f : {f_pT, f_ph, f_ps, f_hs, f_Tx, f_px, f_Trho}) {
      if ((f == f_Tx || f == f_px) != (s.region == 4)) continue;
      double a, b;
      inputs(f, s, a, b);
      const w::result whole = call(f, a, b);
      for (const O asked : sets) {
        const w::result got = call(f, a, b, asked);
        const std::string d = differences(got, whole, asked);
        t.check(d.empty(), [&] {
          return std::string(function_name[f]) + "(" + digits(a) + ", " + digits(b) + ") with outputs " +
                 std::to_string(static_cast<unsigned>(asked)) + ":" + d;
        });
      }
    }
  }
}

// Bad input and the bounds give the whole state's status with any set.
TEST(SelectedOutputs, FailuresAreTheWholeStates) {
  tally t;
  const double inf = std::numeric_limits<double>::infinity();
  const double cases[][2] = {{nan, 300.0}, {1e5, inf}, {-1.0, 300.0}, {1e-4, 300.0}, {101e6, 400.0},
                             {1e5, -1e9},  {1e5, 1e9}, {60e6, 5e6},   {1e5, 1.5},     {22.1e6, 0.5}};
  for (const auto& c : cases) {
    for (const function f : {f_pT, f_ph, f_ps, f_hs, f_Tx, f_px, f_Trho}) {
      const w::result whole = call(f, c[0], c[1]);
      for (const O asked : sets) {
        const w::result got = call(f, c[0], c[1], asked);
        t.check(got.status == whole.status && (got || std::isnan(got.state.T)), [&] {
          return std::string(function_name[f]) + "(" + digits(c[0]) + ", " + digits(c[1]) + "): " + got.reason() +
                 ", whole state: " + whole.reason();
        });
      }
    }
  }
}

// The columns of a batch: every column, or those of one group.
struct column_store {
  explicit column_store(std::size_t n) : reals(13, std::vector<double>(n, -7.0)), ints(3, std::vector<int>(n, -7)) {}
  std::vector<std::vector<double>> reals;
  std::vector<std::vector<int>> ints;
  // The columns whose index is in `given` (0..12 the reals in the order of
  // kviapws97_columns, 13..15 region, phase, status).
  kviapws97_columns columns(unsigned given) {
    kviapws97_columns c{};
    double** r[] = {&c.p, &c.T, &c.rho, &c.v, &c.h, &c.s, &c.u, &c.cp, &c.cv, &c.w, &c.x, &c.mu, &c.lambda};
    int** i[] = {&c.region, &c.phase, &c.status};
    for (unsigned k = 0; k < 13; ++k)
      if (given & (1u << k)) *r[k] = reals[k].data();
    for (unsigned k = 0; k < 3; ++k)
      if (given & (1u << (13 + k))) *i[k] = ints[k].data();
    return c;
  }
};

double column_value(const w::state& s, unsigned k) {
  const double values[] = {s.p, s.T, s.rho, s.v, s.h, s.s, s.u, s.cp, s.cv, s.w, s.x, s.mu, s.lambda};
  return values[k];
}

// Column sets: each real column alone with one int column, T and x with the
// phase, and every column.
std::vector<unsigned> column_sets() {
  std::vector<unsigned> out{1u << 10 | 1u << 1 | 1u << 14, 0xffffu};
  for (unsigned q = 0; q < 13; ++q) out.push_back(1u << q | 1u << (13 + q % 3));
  return out;
}

TEST(Batch, ColumnsAreTheSingleCallsAndNoOtherColumnIsTouched) {
  tally t;
  for (const function f : {f_pT, f_ph, f_ps, f_hs, f_Tx, f_px, f_Trho}) {
    std::vector<double> a, b;
    std::vector<w::state> from;
    for (const w::state& s : states()) {
      if ((f == f_Tx || f == f_px) != (s.region == 4)) continue;
      double va, vb;
      inputs(f, s, va, vb);
      a.push_back(va);
      b.push_back(vb);
    }
    // And a failing element: its row NaN, region 0, phase -1.
    a.push_back(nan);
    b.push_back(1.0);
    const std::size_t n = a.size();
    for (const unsigned given : column_sets()) {
      column_store store(n);
      const kviapws97_columns c = store.columns(given);
      std::size_t failed;
      switch (f) {
        case f_pT: failed = kviapws97_pT_n(n, a.data(), b.data(), &c); break;
        case f_ph: failed = kviapws97_ph_n(n, a.data(), b.data(), &c); break;
        case f_ps: failed = kviapws97_ps_n(n, a.data(), b.data(), &c); break;
        case f_hs: failed = kviapws97_hs_n(n, a.data(), b.data(), &c); break;
        case f_Tx: failed = kviapws97_Tx_n(n, a.data(), b.data(), &c); break;
        case f_px: failed = kviapws97_px_n(n, a.data(), b.data(), &c); break;
        default: failed = kviapws97_Trho_n(n, a.data(), b.data(), &c); break;
      }
      std::size_t failing = 0;
      for (std::size_t k = 0; k < n; ++k) {
        const w::result r = call(f, a[k], b[k]);  // the whole state
        failing += r ? 0 : 1;
        std::string d;
        for (unsigned q = 0; q < 13; ++q) {
          const double want = given & (1u << q) ? column_value(r.state, q) : -7.0;
          if (!same(store.reals[q][k], want)) d += " column " + std::to_string(q) + " " + digits(store.reals[q][k]);
        }
        const int ints[] = {r ? r.state.region : 0, r ? static_cast<int>(r.state.phase) : -1, static_cast<int>(r.status)};
        for (unsigned q = 0; q < 3; ++q)
          if (store.ints[q][k] != (given & (1u << (13 + q)) ? ints[q] : -7)) d += " int column " + std::to_string(q);
        t.check(d.empty(), [&] {
          return std::string(function_name[f]) + "_n element (" + digits(a[k]) + ", " + digits(b[k]) + "), columns " +
                 std::to_string(given) + ":" + d;
        });
      }
      t.check(failed == failing, [&] {
        return std::string(function_name[f]) + "_n returned " + std::to_string(failed) + " failures of " +
               std::to_string(failing);
      });
    }
  }
}

// The pairs of the conservative flashes and of a line through their batch
// calls: the single call's whole state, column for column.
TEST(Batch, PairsOfEveryFunction) {
  using batch = std::size_t (*)(std::size_t, const double*, const double*, const kviapws97_columns*);
  struct pair_case {
    const char* name;
    batch run;
    double a, b;
    w::result (*single)(double, double);
  };
  const w::state liquid = w::pT(1e6, 300.0).state, mixture = w::Tx(400.0, 0.4).state;
  const pair_case cases[] = {
      {"rhou", kviapws97_rhou_n, liquid.rho, liquid.u, [](double a, double b) { return w::rhou(a, b); }},
      {"prho", kviapws97_prho_n, liquid.p, liquid.rho, [](double a, double b) { return w::prho(a, b); }},
      {"rhoh", kviapws97_rhoh_n, liquid.rho, liquid.h, [](double a, double b) { return w::rhoh(a, b); }},
      {"rhos", kviapws97_rhos_n, liquid.rho, liquid.s, [](double a, double b) { return w::rhos(a, b); }},
      {"pu", kviapws97_pu_n, liquid.p, liquid.u, [](double a, double b) { return w::pu(a, b); }},
      {"Th", kviapws97_Th_n, liquid.T, liquid.h, [](double a, double b) { return w::Th(a, b); }},
      {"Ts", kviapws97_Ts_n, liquid.T, liquid.s, [](double a, double b) { return w::Ts(a, b); }},
      {"hx", kviapws97_hx_n, mixture.h, mixture.x, [](double a, double b) { return w::hx(a, b); }},
      {"sx", kviapws97_sx_n, mixture.s, mixture.x, [](double a, double b) { return w::sx(a, b); }},
  };
  tally t;
  for (const pair_case& c : cases) {
    column_store store(1);
    const kviapws97_columns cols = store.columns(0xffffu);
    const std::size_t failed = c.run(1, &c.a, &c.b, &cols);
    const w::result r = c.single(c.a, c.b);
    std::string d;
    for (unsigned q = 0; q < 13; ++q)
      if (!same(store.reals[q][0], column_value(r.state, q))) d += " column " + std::to_string(q);
    t.check(r && failed == 0 && d.empty() && store.ints[2][0] == 0,
            [&] { return std::string(c.name) + "_n(" + digits(c.a) + ", " + digits(c.b) + "):" + d; });
  }
}

TEST(Batch, MissingInputsAndColumns) {
  column_store store(3);
  const kviapws97_columns c = store.columns(0xffffu);
  const double p[] = {1e5, 1e6, 1e7};
  EXPECT_EQ(kviapws97_ph_n(3, p, nullptr, &c), 3u) << "a null input array fails every element";
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(store.ints[2][k], static_cast<int>(w::status::not_finite)) << "element " << k;
    EXPECT_TRUE(std::isnan(store.reals[1][k]) && store.ints[0][k] == 0 && store.ints[1][k] == -1) << "element " << k;
  }
  EXPECT_EQ(kviapws97_ph_n(0, nullptr, nullptr, &c), 0u) << "no elements";
  const double h[] = {2e6, 3e6, 1e8};
  EXPECT_EQ(kviapws97_ph_n(3, p, h, nullptr), 1u) << "no columns: the failures still count (h above its maximum)";
}

}  // namespace
