// KVIAPWS_IF97PROP over region 1, on the stand-in host. Expected host values
// are formed from the published IF97 values and the stand-in's ideal gas,
// written out in support/ideal_gas.hpp.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "host/standin/standin_host.hpp"
#include "support/checks.hpp"
#include "support/dispatch.hpp"
#include "support/ideal_gas.hpp"

namespace {

using kvtest::dispatch;

double no_ideal(double) { return 0.0; }
double ideal_s_ref(double T) { return kvtest::ideal_s(T, kvtest::p_reference); }

// Host value = scale * (IF97 value - ideal-gas value at T).
struct host_row {
  std::int32_t code;
  double p_mpa;
  double T;
  const char* printed;  // IF97 value as the release prints it (IF97 Table 5 and the cv, f of region 1)
  double scale;
  double (*ideal)(double T);
};

const host_row region1_rows[] = {
    {2, 3, 300, "0.115331273e3", 18015.2, kvtest::ideal_h},
    {2, 80, 300, "0.184142828e3", 18015.2, kvtest::ideal_h},
    {2, 3, 500, "0.975542239e3", 18015.2, kvtest::ideal_h},
    {3, 3, 300, "0.392294792", 18015.2, ideal_s_ref},
    {3, 80, 300, "0.368563852", 18015.2, ideal_s_ref},
    {3, 3, 500, "0.258041912e1", 18015.2, ideal_s_ref},
    {5, 3, 300, "0.100215168e-2", 18.0152, no_ideal},
    {5, 80, 300, "0.971180894e-3", 18.0152, no_ideal},
    {9, 3, 300, "0.417301218e1", 18015.2, kvtest::ideal_cp},
    {9, 3, 500, "0.465580682e1", 18015.2, kvtest::ideal_cp},
    {10, 3, 300, "4.12120160", 18015.2, no_ideal},
    {12, 3, 300, "0.112324818e3", 18015.2, no_ideal},
    {12, 3, 500, "0.971934985e3", 18015.2, no_ideal},
    {13, 80, 300, "0.163469054e4", 1.0, no_ideal},
};

TEST(Dispatcher, Region1CodesOnTheHostReferenceState) {
  for (const host_row& r : region1_rows) {
    const auto got = dispatch(r.code, r.T, r.p_mpa * 1e6, 1);
    const kvtest::printed_value p = kvtest::parse_printed(r.printed);
    const double expected = r.scale * (p.value - r.ideal(r.T));
    const double allowed = r.scale * p.half_unit + 1e-12 * std::fabs(expected);
    EXPECT_EQ(got.error, 0) << "code " << r.code;
    EXPECT_NEAR(got.value, expected, allowed) << "code " << r.code << " at p = " << r.p_mpa << " MPa, T = " << r.T
                                              << " K, IF97 value " << r.printed;
  }
}

TEST(Dispatcher, LnPhiIsLnOfFugacityOverPressure) {
  // f(3 MPa, 300 K) = 0.00360821559 MPa
  const auto got = dispatch(1, 300.0, 3e6, 1);
  EXPECT_EQ(got.error, 0);
  EXPECT_NEAR(got.value, std::log(0.00360821559 / 3.0), 0.5e-11 / 0.00360821559);
  for (const std::int32_t code : {0, -3, 15, 16}) {
    const auto other = dispatch(code, 300.0, 3e6, 1);
    EXPECT_EQ(other.value, got.value) << "code " << code;
    EXPECT_EQ(other.error, 0) << "code " << code;
  }
}

TEST(Dispatcher, GibbsIsEnthalpyLessTemperatureTimesEntropy) {
  for (const double T : {280.0, 300.0, 450.0, 600.0}) {
    const double P = 5e7;
    const double G = dispatch(4, T, P, 1).value;
    const double H = dispatch(2, T, P, 1).value;
    const double S = dispatch(3, T, P, 1).value;
    EXPECT_TRUE(kvtest::close_relative(G, H - T * S, 1e-12)) << "T = " << T;
  }
}

TEST(Dispatcher, RegionOutsideOneToFiveIsAFailure) {
  for (const std::int64_t region : {0, 6, -1, 9}) {
    for (const std::int32_t code : {1, 2, 3, 4, 5, 9, 10, 12, 13}) {
      const auto got = dispatch(code, 300.0, 1e5, region);
      EXPECT_EQ(got.error, 1) << "code " << code << " region " << region;
      EXPECT_EQ(got.value, standin::missing_value) << "code " << code << " region " << region;
    }
  }
}

TEST(Dispatcher, ReadsThirtyTwoBitsOfTheCode) {
  // A host that keeps the code in a 64-bit word passes the word's address;
  // only the low 32 bits (little-endian) are the code.
  const double T = 300.0, P = 1e5, V = 0.0;
  const std::int64_t phase = 2, region = 1;
  const auto H = dispatch(2, T, P, region);
  for (const std::int64_t word : {std::int64_t{2}, (std::int64_t{7} << 32) | 2}) {
    double result = 0.0;
    std::int64_t error = -1;
    KVIAPWS_IF97PROP(&T, &P, &V, reinterpret_cast<const std::int32_t*>(&word), &phase, &region, nullptr, &result,
                     &error);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(result, H.value) << "word " << word;
  }
}

TEST(Dispatcher, ErrorFlagIsResetOnEveryCall) {
  EXPECT_EQ(dispatch(2, 300.0, 1e5, 0).error, 1);
  EXPECT_EQ(dispatch(2, 300.0, 1e5, 1).error, 0);
}

}  // namespace
