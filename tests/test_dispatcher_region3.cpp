// KVIAPWS_IF97PROP in region 3, in the host's molar units on the stand-in
// host, against IAPWS-IF97 Table 33 and the SR5-05 verification volumes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "adapter/kviapws97.h"
#include "host/standin/standin_host.hpp"
#include "support/checks.hpp"

namespace {

constexpr double molar_mass = 18.0152;   // kg/kmol
constexpr double per_kmol = 18015.2;     // kJ/kg -> J/kmol
constexpr double p_ref = 0.101325;       // MPa, the stand-in host's reference pressure

struct answer {
  double value;
  std::int64_t error;
};

answer property(std::int32_t code, double T, double P, double V, std::int64_t region) {
  const std::int64_t phase = 0;
  answer a{0.0, -1};
  KVIAPWS_IF97PROP(&T, &P, &V, &code, &phase, &region, nullptr, &a.value, &a.error);
  return a;
}

// The stand-in host's ideal gas: the ideal-gas part of IAPWS-IF97 region 2,
// Eq. (16) with Table 10, written out here on its own.
struct ideal_gas {
  double h, s, cp;  // kJ/kg, kJ/(kg K)
};

ideal_gas if97_ideal_gas(double T, double p) {
  struct term0 {
    int J;
    double n;
  };
  static const term0 table10[] = {
      {0, -0.96927686500217e1}, {1, 0.10086655968018e2},  {-5, -0.56087911283020e-2},
      {-4, 0.71452738081455e-1}, {-3, -0.40710498223928}, {-2, 0.14240819171444e1},
      {-1, -0.43839511319450e1}, {2, -0.28408632460772},   {3, 0.21268463753307e-1},
  };
  const double R = 0.461526;  // kJ/(kg K)
  const double tau = 540.0 / T;
  double g = std::log(p), g_t = 0.0, g_tt = 0.0;
  for (const term0& t : table10) {
    g += t.n * std::pow(tau, t.J);
    g_t += t.n * t.J * std::pow(tau, t.J - 1);
    g_tt += t.n * t.J * (t.J - 1) * std::pow(tau, t.J - 2);
  }
  return {R * T * tau * g_t, R * (tau * g_t - g), -R * tau * tau * g_tt};
}

// IAPWS-IF97 Table 33, and cv at the same states.
struct table33_state {
  double T;    // K
  double rho;  // kg/m3
  const char *p, *h, *u, *s, *cp, *w, *cv;
};

const table33_state table33[] = {
    {650, 500, "0.255837018e2", "0.186343019e4", "0.181226279e4", "0.405427273e1", "0.138935717e2", "0.502005554e3",
     "3.19131787"},
    {650, 200, "0.222930643e2", "0.237512401e4", "0.226365868e4", "0.485438792e1", "0.446579342e2", "0.383444594e3",
     "4.04118076"},
    {750, 500, "0.783095639e2", "0.225868845e4", "0.210206932e4", "0.446971906e1", "0.634165359e1", "0.760696041e3",
     "2.71701677"},
};

struct expected_value {
  std::int32_t code;
  const char* what;
  double value;
  double tolerance;  // absolute: the printed digits times the factor to host units
};

// What the dispatcher has to return at a Table 33 state. On the stand-in host
// the reference shift turns H into 18015.2 (h - h0(T)), S into
// 18015.2 (s - s0(T, p_ref)), Cp into 18015.2 (cp - cp0(T)); Cv gets the
// ideal-gas Cp at 298.15 K subtracted and added back, leaving 18015.2 cv.
std::vector<expected_value> expected_at(const table33_state& st) {
  const auto P = [](const char* text) { return kvtest::parse_printed(text); };
  const auto h = P(st.h), s = P(st.s), u = P(st.u), cp = P(st.cp), cv = P(st.cv), w = P(st.w);
  const ideal_gas ig = if97_ideal_gas(st.T, p_ref);
  return {
      {2, "enthalpy", per_kmol * (h.value - ig.h), per_kmol * h.half_unit},
      {3, "entropy", per_kmol * (s.value - ig.s), per_kmol * s.half_unit},
      {4, "Gibbs energy", per_kmol * ((h.value - ig.h) - st.T * (s.value - ig.s)),
       per_kmol * (h.half_unit + st.T * s.half_unit)},
      {9, "isobaric heat capacity", per_kmol * (cp.value - ig.cp), per_kmol * cp.half_unit},
      {10, "isochoric heat capacity", per_kmol * cv.value, per_kmol * cv.half_unit},
      {12, "internal energy", per_kmol * u.value, per_kmol * u.half_unit},
      {13, "speed of sound", w.value, w.half_unit},
  };
}

class DispatcherRegion3 : public ::testing::Test {
 protected:
  void SetUp() override { standin::reset(); }
};

// The (T, v) operations read the caller's molar volume: the pressure argument
// is deliberately not the state's.
TEST_F(DispatcherRegion3, TemperatureVolumeRowsInHostUnits) {
  const double unrelated_P = 1e5;  // Pa
  for (const table33_state& st : table33) {
    const double V = molar_mass / st.rho;
    for (const expected_value& e : expected_at(st)) {
      const answer a = property(e.code, st.T, unrelated_P, V, 3);
      const double allowed = e.tolerance + 1e-12 * std::fabs(e.value);
      EXPECT_EQ(a.error, 0) << e.what;
      EXPECT_NEAR(a.value, e.value, allowed)
          << "code " << e.code << " (" << e.what << ") at T = " << st.T << " K, rho = " << st.rho
          << " kg/m3: relative error " << kvtest::relative_error(a.value, e.value);
    }
  }
}

// Code 14 is the region-3 pressure whatever the region argument holds.
TEST_F(DispatcherRegion3, PressureFromVolumeInEveryRegion) {
  for (const table33_state& st : table33) {
    const double V = molar_mass / st.rho;
    const auto p = kvtest::parse_printed(st.p);
    for (const std::int64_t region : {3, 1, 2, 4, 5, 0, 9, -1}) {
      const answer a = property(KVIAPWS97_PRESSURE, st.T, 1e5, V, region);
      EXPECT_EQ(a.error, 0) << "region " << region;
      EXPECT_NEAR(a.value, 1e6 * p.value, 1e6 * p.half_unit * 1.001)
          << "region " << region << ", T = " << st.T << " K, rho = " << st.rho << " kg/m3";
    }
  }
}

struct volume_row {
  double p;  // MPa
  double T;  // K
  const char* printed;  // m3/kg, SR5-05 Tables 5 and 13
};

const volume_row volume_rows[] = {
    {50, 630, "1.470853100e-3"},     {80, 750, "1.973692940e-3"},   {20, 630, "1.761696406e-3"},
    {23.6, 652, "2.651081407e-3"},   {22.8, 649.7, "2.913311494e-3"}, {21.1, 644, "5.251009921e-3"},
    {17, 626, "8.483262001e-3"},     {22.3, 647.9, "2.811424405e-3"}, {22.064, 647.15, "3.701940010e-3"},
};

// Code 5 in region 3 is the backward volume in m3/kmol; the molar volume
// argument is not read.
TEST_F(DispatcherRegion3, VolumeFromPressureAndTemperature) {
  for (const volume_row& r : volume_rows) {
    const answer a = property(KVIAPWS97_VOLUME, r.T, r.p * 1e6, 0.0, 3);
    EXPECT_EQ(a.error, 0);
    EXPECT_TRUE(kvtest::close_relative(a.value, molar_mass * kvtest::parse_printed(r.printed).value, 1e-9))
        << "p = " << r.p << " MPa, T = " << r.T << " K";
  }
}

// Code 1: ln(f/p) with the region-3 fugacity at the caller's pressure and
// molar volume.
TEST_F(DispatcherRegion3, FugacityCoefficient) {
  const double T = 650.0, P = 25.5837018e6, V = molar_mass * 0.002;
  const double expected = std::log(15.0574335 / 25.5837018);
  const answer a = property(KVIAPWS97_LNPHI, T, P, V, 3);
  EXPECT_EQ(a.error, 0);
  EXPECT_NEAR(a.value, expected, 0.5e-7 / 15.0574335 + 1e-12);
}

}  // namespace
