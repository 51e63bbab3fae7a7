// KVIAPWS_IF97PROP in regions 2 and 5 and for the vapour pressure (code 11),
// on the stand-in host. Its ideal gas is the IAPWS-IF97 region-2 ideal-gas
// part, so that in host units code 2 is 18015.2 (h - h0(T)), code 3
// 18015.2 (s - s0(T, 101325 Pa)), code 9 18015.2 (cp - cp0(T)) and code 10
// 18015.2 cv. The expected values are formed here from the release's
// published values and from Table 10 evaluated term by term.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "adapter/kviapws97.h"
#include "host/standin/standin_host.hpp"
#include "support/checks.hpp"

namespace {

constexpr double R = 0.461526;            // kJ/(kg K)
constexpr double per_kmol = 18015.2;      // kJ/kg -> J/kmol
constexpr double molar_mass = 18.0152;    // kg/kmol
constexpr double reference_p = 0.101325;  // MPa, the stand-in host's reference pressure

// IAPWS-IF97 Table 10: the ideal-gas part of region 2, n0 and J0.
constexpr double n0[9] = {-0.96927686500217e1, 0.10086655968018e2, -0.56087911283020e-2,
                          0.71452738081455e-1, -0.40710498223928,  0.14240819171444e1,
                          -0.43839511319450e1, -0.28408632460772,  0.21268463753307e-1};
constexpr int J0[9] = {0, 1, -5, -4, -3, -2, -1, 2, 3};

// The host's ideal gas (IAPWS-IF97 Eq. (16) and Table 12 with gamma^r = 0).
struct ideal_gas {
  double h, s, cp;  // kJ/kg, kJ/(kg K)
};

ideal_gas ideal(double T, double p) {
  const double tau = 540.0 / T;
  double g = std::log(p), g_t = 0.0, g_tt = 0.0;
  for (int k = 0; k < 9; ++k) {
    g += n0[k] * std::pow(tau, J0[k]);
    g_t += n0[k] * J0[k] * std::pow(tau, J0[k] - 1);
    g_tt += n0[k] * J0[k] * (J0[k] - 1) * std::pow(tau, J0[k] - 2);
  }
  return {R * T * tau * g_t, R * (tau * g_t - g), -R * tau * tau * g_tt};
}

// Published properties at one state (IAPWS-IF97 Tables 15 and 42 as revised
// in 2007, with cv and the fugacity); f is null where none is given. The
// fugacity at 30 MPa and 700 K keeps ten digits (see test_region2.cpp).
struct published_state {
  std::int64_t region;
  double p;  // MPa
  double T;  // K
  const char *v, *h, *u, *s, *cp, *cv, *w, *f;
};

const published_state states[] = {
    {2, 0.0035, 300, "0.394913866e2", "0.254991145e4", "0.241169160e4", "0.852238967e1", "0.191300162e1",
     "1.44132662", "0.427920172e3", "0.00349413548"},
    {2, 0.0035, 700, "0.923015898e2", "0.333568375e4", "0.301262819e4", "0.101749996e2", "0.208141274e1",
     "1.61978333", "0.644289068e3", nullptr},
    {2, 30, 700, "0.542946619e-2", "0.263149474e4", "0.246861076e4", "0.517540298e1", "0.103505092e2",
     "2.97553837", "0.480386523e3", "20.04598445"},
    {5, 0.5, 1500, "0.138455090e1", "0.521976855e4", "0.452749310e4", "0.965408875e1", "0.261609445e1",
     "2.15337784", "0.917068690e3", "0.499990143"},
    {5, 30, 1500, "0.230761299e-1", "0.516723514e4", "0.447495124e4", "0.772970133e1", "0.272724317e1",
     "2.19274829", "0.928548002e3", "29.9811285"},
    {5, 30, 2000, "0.311385219e-1", "0.657122604e4", "0.563707038e4", "0.853640523e1", "0.288569882e1",
     "2.39589436", "0.106736948e4", "30.3551277"},
};

// What a code must return at a state, and how far off it may be: half a unit
// of the last printed digit carried through the conversion, and a little
// rounding.
struct expectation {
  double value;
  double allowed;
};

expectation expected(std::int32_t code, const published_state& st) {
  const auto scaled = [](const char* printed, double scale, double offset) {
    const kvtest::printed_value v = kvtest::parse_printed(printed);
    const double value = scale * (v.value - offset);
    return expectation{value, scale * v.half_unit + 1e-12 * std::fabs(scale * v.value)};
  };
  const ideal_gas ig = ideal(st.T, reference_p);
  switch (code) {
    case KVIAPWS97_LNPHI: {
      const kvtest::printed_value f = kvtest::parse_printed(st.f);
      return {std::log(f.value / st.p), f.half_unit / f.value + 1e-14};
    }
    case KVIAPWS97_ENTHALPY: return scaled(st.h, per_kmol, ig.h);
    case KVIAPWS97_ENTROPY: return scaled(st.s, per_kmol, ig.s);
    case KVIAPWS97_GIBBS: {
      const expectation H = scaled(st.h, per_kmol, ig.h), S = scaled(st.s, per_kmol, ig.s);
      return {H.value - st.T * S.value, H.allowed + st.T * S.allowed};
    }
    case KVIAPWS97_VOLUME: return scaled(st.v, molar_mass, 0.0);
    case KVIAPWS97_CP: return scaled(st.cp, per_kmol, ig.cp);
    case KVIAPWS97_CV: return scaled(st.cv, per_kmol, 0.0);
    case KVIAPWS97_ENERGY: return scaled(st.u, per_kmol, 0.0);
    case KVIAPWS97_SOUND: return scaled(st.w, 1.0, 0.0);
    default: return {0.0, 0.0};
  }
}

struct call_result {
  double value;
  std::int64_t error;
};

call_result call(std::int32_t code, std::int64_t region, double T, double P, std::int64_t phase = 1) {
  const double V = 0.0;
  call_result r{0.0, -7};
  KVIAPWS_IF97PROP(&T, &P, &V, &code, &phase, &region, nullptr, &r.value, &r.error);
  return r;
}

class DispatcherSteam : public ::testing::Test {
 protected:
  void SetUp() override { standin::reset(); }
};

TEST_F(DispatcherSteam, PublishedPropertiesInHostUnits) {
  const std::int32_t codes[] = {KVIAPWS97_LNPHI, KVIAPWS97_ENTHALPY, KVIAPWS97_ENTROPY,
                                KVIAPWS97_GIBBS, KVIAPWS97_VOLUME,   KVIAPWS97_CP,
                                KVIAPWS97_CV,    KVIAPWS97_ENERGY,   KVIAPWS97_SOUND};
  for (const published_state& st : states)
    for (const std::int32_t code : codes) {
      if (code == KVIAPWS97_LNPHI && st.f == nullptr) continue;
      const expectation e = expected(code, st);
      const call_result got = call(code, st.region, st.T, st.p * 1e6);
      EXPECT_EQ(got.error, 0) << "code " << code << ", region " << st.region;
      EXPECT_LE(std::fabs(got.value - e.value), e.allowed)
          << "code " << code << ", region " << st.region << ", p = " << st.p << " MPa, T = " << st.T
          << " K: got " << kvtest::digits(got.value) << ", expected " << kvtest::digits(e.value)
          << ", relative error " << kvtest::relative_error(got.value, e.value);
    }
}

// Code 11 reads no region: the vapour pressure (IAPWS-IF97 Table 35) in Pa.
TEST_F(DispatcherSteam, VapourPressureWhateverTheRegion) {
  for (const std::int64_t region : {0, 1, 2, 4, 5, 9}) {
    const call_result got = call(KVIAPWS97_PSAT, region, 300.0, 1e5);
    EXPECT_EQ(got.error, 0) << "region " << region;
    EXPECT_TRUE(kvtest::matches_printed(got.value / 1e6, "0.353658941e-2")) << "region " << region;
  }
}

// Outside 273.0 K to 647.301 K the bar operation fails, and the dispatcher
// reports it; at both ends it does not.
TEST_F(DispatcherSteam, VapourPressureOutsideItsRangeIsMissing) {
  for (const double T : {272.999, 647.302, 2000.0}) {
    const call_result got = call(KVIAPWS97_PSAT, 2, T, 1e5);
    EXPECT_EQ(got.error, 1) << "T = " << T;
    EXPECT_EQ(got.value, standin::missing_value) << "T = " << T;
  }
  const call_result lo = call(KVIAPWS97_PSAT, 2, 273.0, 1e5);
  EXPECT_EQ(lo.error, 0);
  EXPECT_TRUE(kvtest::matches_printed(lo.value / 1e5, "0.00604582085"));
  const call_result hi = call(KVIAPWS97_PSAT, 2, 647.301, 1e5);
  EXPECT_EQ(hi.error, 0);
  EXPECT_TRUE(kvtest::matches_printed(hi.value / 1e5, "221.189910"));
}

}  // namespace
