// KVIAPWS_IF97PROP in regions 1, 2, 3 and 5 and for the vapour pressure, in
// the host's molar units on the stand-in host. Its ideal gas is the ideal-gas
// part of IAPWS-IF97 region 2 (support/ideal_gas.hpp), so that code 2 is
// 18015.2 (h - h0(T)), code 3 18015.2 (s - s0(T, 101325 Pa)), code 9
// 18015.2 (cp - cp0(T)) and code 10 18015.2 cv; the expected values are formed
// from the release's published values (support/published_states.hpp).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "adapter/kviapws97.h"
#include "host/standin/standin_host.hpp"
#include "support/checks.hpp"
#include "support/dispatch.hpp"
#include "support/ideal_gas.hpp"
#include "support/published_states.hpp"

namespace {

using kvtest::dispatch;

constexpr double molar_mass = 18.0152;  // kg/kmol
constexpr double per_kmol = 18015.2;    // kJ/kg -> J/kmol

class Dispatcher : public ::testing::Test {
 protected:
  void SetUp() override { standin::reset(); }
};

// What a code must return at a state, and how far off it may be: half a unit
// of the last printed digit carried through the conversion, and a little
// rounding.
struct expectation {
  double value;
  double allowed;
};

expectation scaled(const char* printed, double scale, double offset) {
  const kvtest::printed_value v = kvtest::parse_printed(printed);
  const double value = scale * (v.value - offset);
  return {value, scale * v.half_unit + 1e-12 * std::fabs(scale * v.value)};
}

expectation expected(std::int32_t code, const kvtest::published_state& st) {
  const double ig_h = kvtest::ideal_h(st.T), ig_s = kvtest::ideal_s(st.T, kvtest::p_reference);
  switch (code) {
    case KVIAPWS97_LNPHI: {
      const kvtest::printed_value f = kvtest::parse_printed(st.f);
      return {std::log(f.value / st.p), f.half_unit / f.value + 1e-14};
    }
    case KVIAPWS97_ENTHALPY: return scaled(st.h, per_kmol, ig_h);
    case KVIAPWS97_ENTROPY: return scaled(st.s, per_kmol, ig_s);
    case KVIAPWS97_GIBBS: {
      const expectation H = scaled(st.h, per_kmol, ig_h), S = scaled(st.s, per_kmol, ig_s);
      return {H.value - st.T * S.value, H.allowed + st.T * S.allowed};
    }
    case KVIAPWS97_VOLUME: return scaled(st.pv, molar_mass, 0.0);
    case KVIAPWS97_CP: return scaled(st.cp, per_kmol, kvtest::ideal_cp(st.T));
    case KVIAPWS97_CV: return scaled(st.cv, per_kmol, 0.0);
    case KVIAPWS97_ENERGY: return scaled(st.u, per_kmol, 0.0);
    case KVIAPWS97_SOUND: return scaled(st.w, 1.0, 0.0);
    default: return scaled(st.pv, 1e6, 0.0);  // KVIAPWS97_PRESSURE, region 3
  }
}

// Regions 1, 2 and 5 read (T, P). Region 3 reads (T, V): the pressure passed
// is not the state's, but for ln phi, whose fugacity takes it. Code 5 in
// region 3 is the backward volume (below); code 14 is the region-3 pressure
// whatever the region argument holds.
TEST_F(Dispatcher, PublishedPropertiesInHostUnits) {
  const std::int32_t codes[] = {KVIAPWS97_LNPHI, KVIAPWS97_ENTHALPY, KVIAPWS97_ENTROPY, KVIAPWS97_GIBBS,
                                KVIAPWS97_VOLUME, KVIAPWS97_CP,      KVIAPWS97_CV,      KVIAPWS97_ENERGY,
                                KVIAPWS97_SOUND,  KVIAPWS97_PRESSURE};
  for (const kvtest::published_state& st : kvtest::published_states)
    for (const std::int32_t code : codes) {
      const bool region3 = st.region == 3;
      if ((code == KVIAPWS97_LNPHI && st.f == nullptr) || (code == KVIAPWS97_CV && st.cv == nullptr) ||
          (code == KVIAPWS97_VOLUME && region3) || (code == KVIAPWS97_PRESSURE && !region3))
        continue;
      const double V = region3 ? molar_mass / st.rho : 0.0;
      const double P = region3 && code != KVIAPWS97_LNPHI ? 1e5 : st.p * 1e6;
      const expectation e = expected(code, st);
      for (const std::int64_t region : {st.region, std::int64_t{0}}) {
        if (region == 0 && code != KVIAPWS97_PRESSURE) continue;
        const auto got = dispatch(code, st.T, P, region, V);
        EXPECT_EQ(got.error, 0) << "code " << code << ", region " << region;
        EXPECT_LE(std::fabs(got.value - e.value), e.allowed)
            << "code " << code << ", region " << region << " at T = " << st.T << " K, P = " << P << " Pa, V = " << V
            << " m3/kmol: got " << kvtest::digits(got.value) << ", expected " << kvtest::digits(e.value)
            << ", relative error " << kvtest::relative_error(got.value, e.value);
      }
    }
}

// Any code other than 2 to 14 is code 1, ln phi; the code is read as the low
// 32 bits of what the host passes.
TEST_F(Dispatcher, OtherCodesAreLnPhiAndThe32BitCode) {
  const auto lnphi = dispatch(1, 300.0, 3e6, 1);
  for (const std::int32_t code : {0, -3, 15, 16}) {
    const auto other = dispatch(code, 300.0, 3e6, 1);
    EXPECT_EQ(other.error, 0) << "code " << code;
    EXPECT_EQ(other.value, lnphi.value) << "code " << code;
  }
  const double T = 300.0, P = 1e5, V = 0.0;
  const std::int64_t phase = 2, region = 1;
  const auto H = dispatch(2, T, P, region);
  for (const std::int64_t word : {std::int64_t{2}, (std::int64_t{7} << 32) | 2}) {
    double result = 0.0;
    std::int64_t error = -1;
    KVIAPWS_IF97PROP(&T, &P, &V, reinterpret_cast<const std::int32_t*>(&word), &phase, &region, nullptr, &result,
                     &error);
    EXPECT_EQ(error, 0) << "word " << word;
    EXPECT_EQ(result, H.value) << "word " << word;
  }
}

TEST_F(Dispatcher, RegionOutsideOneToFiveIsAFailure) {
  for (const std::int64_t region : {0, 6, -1, 9})
    for (const std::int32_t code : {1, 2, 3, 4, 5, 9, 10, 12, 13}) {
      const auto got = dispatch(code, 300.0, 1e5, region);
      EXPECT_EQ(got.error, 1) << "code " << code << ", region " << region;
      EXPECT_EQ(got.value, standin::missing_value) << "code " << code << ", region " << region;
    }
}

// Code 5 in region 3 is the backward volume of SR5-05 (Tables 5 and 13) in
// m3/kmol; the molar volume argument is not read.
TEST_F(Dispatcher, Region3VolumeFromPressureAndTemperature) {
  const struct {
    double p, T;  // MPa, K
    const char* printed;  // m3/kg
  } rows[] = {
      {50, 630, "1.470853100e-3"},   {80, 750, "1.973692940e-3"},     {20, 630, "1.761696406e-3"},
      {23.6, 652, "2.651081407e-3"}, {22.8, 649.7, "2.913311494e-3"}, {21.1, 644, "5.251009921e-3"},
      {17, 626, "8.483262001e-3"},   {22.3, 647.9, "2.811424405e-3"}, {22.064, 647.15, "3.701940010e-3"},
  };
  for (const auto& r : rows) {
    const auto got = dispatch(KVIAPWS97_VOLUME, r.T, r.p * 1e6, 3, 0.0);
    EXPECT_EQ(got.error, 0);
    EXPECT_TRUE(kvtest::close_relative(got.value, molar_mass * kvtest::parse_printed(r.printed).value, 1e-9))
        << "p = " << r.p << " MPa, T = " << r.T << " K";
  }
}

// Code 11 reads no region: the vapour pressure in Pa (IAPWS-IF97 Table 35 at
// 300 K). Outside 273.0 K to 647.301 K it fails; at both ends it does not.
TEST_F(Dispatcher, VapourPressureWhateverTheRegion) {
  const struct {
    double T;
    std::int64_t region;
    const char* printed;  // bar; null: a failure
  } rows[] = {
      {300.0, 0, "0.0353658941"}, {300.0, 1, "0.0353658941"}, {300.0, 2, "0.0353658941"}, {300.0, 4, "0.0353658941"},
      {300.0, 5, "0.0353658941"}, {300.0, 9, "0.0353658941"}, {273.0, 2, "0.00604582085"}, {647.301, 2, "221.189910"},
      {272.999, 2, nullptr},      {647.302, 2, nullptr},      {2000.0, 2, nullptr},
  };
  for (const auto& r : rows) {
    const auto got = dispatch(KVIAPWS97_PSAT, r.T, 1e5, r.region);
    if (r.printed == nullptr) {
      EXPECT_EQ(got.error, 1) << "T = " << r.T << " K";
      EXPECT_EQ(got.value, standin::missing_value) << "T = " << r.T << " K";
      continue;
    }
    EXPECT_EQ(got.error, 0) << "T = " << r.T << " K, region " << r.region;
    EXPECT_TRUE(kvtest::matches_printed(got.value / 1e5, r.printed)) << "T = " << r.T << " K, region " << r.region;
  }
}

}  // namespace
