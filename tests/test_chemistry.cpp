// The chemistry properties (water/chemistry.hpp) and their C functions: the
// releases' check values, every one, through both; each release's bounds and
// bad input, which give a status and NaN, never a number; and the same of a
// state.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "support/checks.hpp"
#include "transport/henry.hpp"
#include "water/chemistry.hpp"
#include "water/kviapws97/water.h"

namespace {

namespace w = kviapws97::water;
using w::gas;
using w::status;
constexpr double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();

// The three properties of (T, rho) through C++ and through C.
enum class property { epsilon, n, pKw };
const char* name_of(property q) { return q == property::epsilon ? "epsilon" : q == property::n ? "n" : "pKw"; }

w::property_result in_cpp(property q, double T, double rho, double lambda) {
  switch (q) {
    case property::epsilon:
      return w::dielectric_constant(T, rho);
    case property::n:
      return w::refractive_index(T, rho, lambda);
    default:
      return w::ionization_pK(T, rho);
  }
}

w::property_result in_c(property q, double T, double rho, double lambda) {
  double out = 0.0;
  int code = 0;
  switch (q) {
    case property::epsilon:
      code = kviapws97_dielectric_constant(T, rho, &out);
      break;
    case property::n:
      code = kviapws97_refractive_index(T, rho, lambda, &out);
      break;
    default:
      code = kviapws97_ionization_pK(T, rho, &out);
      break;
  }
  return {static_cast<status>(code), out};
}

struct published_row {
  property q;
  double T;       // K
  double rho;     // kg/m3
  double lambda;  // m, for n
  const char* printed;
};

// IAPWS R8-97 and R9-97: the values for program verification; IAPWS R11-24
// Table 2 (densities printed in g/cm3).
const published_row published_rows[] = {
    {property::epsilon, 298.15, 999.242866, 0, "78.5907250"},
    {property::epsilon, 873.15, 26.0569558, 0, "1.12620970"},
    {property::n, 298.15, 997.047435, 0.2265e-6, "1.39277824"},
    {property::n, 773.15, 30.4758534, 0.5893e-6, "1.00949307"},
    {property::pKw, 300, 1.0e3, 0, "13.906672"},
    {property::pKw, 600, 0.07e3, 0, "20.161651"},
    {property::pKw, 600, 0.7e3, 0, "11.147093"},
    {property::pKw, 800, 0.2e3, 0, "14.487671"},
    {property::pKw, 800, 1.2e3, 0, "6.4058649"},
    {property::pKw, 1270, 0, 0, "35.081557"},
};

TEST(Chemistry, ReproducesTheReleasesCheckValuesThroughCppAndC) {
  for (const published_row& r : published_rows) {
    for (const auto& [via, got] :
         {std::pair{"C++", in_cpp(r.q, r.T, r.rho, r.lambda)}, std::pair{"C", in_c(r.q, r.T, r.rho, r.lambda)}}) {
      EXPECT_EQ(got.status, status::ok) << via << " " << name_of(r.q) << " at T = " << r.T << " K, rho = " << r.rho;
      EXPECT_TRUE(kvtest::matches_printed(got.value, r.printed))
          << via << " " << name_of(r.q) << " at T = " << r.T << " K, rho = " << r.rho << " kg/m3, lambda = " << r.lambda
          << " m";
    }
  }
}

struct henry_row {
  gas g;
  double T;           // K
  const char* ln_kH;  // ln(kH / 1 GPa)
  const char* ln_KD;
};

// IAPWS G7-04 Tables 6 and 7.
const henry_row henry_rows[] = {
    {gas::He, 300, "2.6576", "15.2250"},   {gas::He, 400, "2.1660", "10.4364"},   {gas::He, 500, "1.1973", "6.9971"},
    {gas::He, 600, "-0.1993", "3.8019"},   {gas::Ne, 300, "2.5134", "15.0743"},   {gas::Ne, 400, "2.3512", "10.6379"},
    {gas::Ne, 500, "1.5952", "7.4116"},    {gas::Ne, 600, "0.4659", "4.2308"},    {gas::Ar, 300, "1.4061", "13.9823"},
    {gas::Ar, 400, "1.8079", "10.0558"},   {gas::Ar, 500, "1.1536", "6.9869"},    {gas::Ar, 600, "0.0423", "3.9861"},
    {gas::Kr, 300, "0.8210", "13.3968"},   {gas::Kr, 400, "1.4902", "9.7362"},    {gas::Kr, 500, "0.9798", "6.8371"},
    {gas::Kr, 600, "0.0006", "3.9654"},    {gas::Xe, 300, "0.2792", "12.8462"},   {gas::Xe, 400, "1.1430", "9.4268"},
    {gas::Xe, 500, "0.5033", "6.3639"},    {gas::Xe, 600, "-0.7081", "3.3793"},   {gas::H2, 300, "1.9702", "14.5286"},
    {gas::H2, 400, "1.8464", "10.1484"},   {gas::H2, 500, "1.0513", "6.8948"},    {gas::H2, 600, "-0.1848", "3.7438"},
    {gas::N2, 300, "2.1716", "14.7334"},   {gas::N2, 400, "2.3509", "10.6221"},   {gas::N2, 500, "1.4842", "7.2923"},
    {gas::N2, 600, "0.1647", "4.0333"},    {gas::O2, 300, "1.5024", "14.0716"},   {gas::O2, 400, "1.8832", "10.1676"},
    {gas::O2, 500, "1.1630", "6.9979"},    {gas::O2, 600, "-0.0276", "3.8707"},   {gas::CO, 300, "1.7652", "14.3276"},
    {gas::CO, 400, "1.9939", "10.2573"},   {gas::CO, 500, "1.1250", "7.1218"},    {gas::CO, 600, "-0.2382", "4.0880"},
    {gas::CO2, 300, "-1.7508", "10.8043"}, {gas::CO2, 400, "-0.5450", "7.7705"},  {gas::CO2, 500, "-0.6524", "5.2123"},
    {gas::CO2, 600, "-1.3489", "2.7293"},  {gas::H2S, 300, "-2.8784", "9.6846"},  {gas::H2S, 400, "-1.7083", "6.5840"},
    {gas::H2S, 500, "-1.6074", "4.2781"},  {gas::H2S, 600, "-2.1319", "2.2200"},  {gas::CH4, 300, "1.4034", "13.9659"},
    {gas::CH4, 400, "1.7946", "10.0819"},  {gas::CH4, 500, "1.0342", "6.8559"},   {gas::CH4, 600, "-0.2209", "3.7238"},
    {gas::C2H6, 300, "1.1418", "13.7063"}, {gas::C2H6, 400, "1.8495", "10.1510"}, {gas::C2H6, 500, "0.8274", "6.8453"},
    {gas::C2H6, 600, "-0.8141", "3.6493"}, {gas::SF6, 300, "3.1445", "15.7067"},  {gas::SF6, 400, "3.6919", "11.9887"},
    {gas::SF6, 500, "2.6749", "8.5550"},   {gas::SF6, 600, "1.2402", "4.9599"},
};

// G7-04 prints its 600 K values (and those of C2H6 at 500 K) to check the
// arithmetic beyond some gases' data: there the equation gives them, while the
// functions refuse the temperature.
TEST(Chemistry, ReproducesHenrysConstantsOfG704ThroughCppAndC) {
  int through_functions = 0;
  for (const henry_row& r : henry_rows) {
    const std::string at = std::string(w::gas_formula(r.g)) + " at T = " + std::to_string(r.T) + " K";
    const transport::temperature_range range = transport::henry_range(static_cast<transport::gas>(r.g));
    const bool within = r.T >= range.min && r.T <= range.max;
    const w::henry_result cpp = w::henry(r.g, r.T);
    w::henry_result c{};
    c.status = static_cast<status>(kviapws97_henry(static_cast<int>(r.g), r.T, &c.kH, &c.KD));
    if (!within) {
      const transport::henry_constants e = transport::henry(static_cast<transport::gas>(r.g), r.T);
      EXPECT_TRUE(kvtest::matches_printed(std::log(e.kH / 1e9), r.ln_kH)) << "equation: ln(kH/1 GPa) of " << at;
      EXPECT_TRUE(kvtest::matches_printed(std::log(e.KD), r.ln_KD)) << "equation: ln KD of " << at;
      for (const w::henry_result& x : {cpp, c})
        EXPECT_TRUE(x.status == status::henry_temperature_out_of_range && std::isnan(x.kH) && std::isnan(x.KD))
            << at << " lies beyond the gas's data, " << range.min << " K to " << range.max << " K, yet gives " << x.kH
            << " Pa, " << x.KD << " (" << x.reason() << ")";
      continue;
    }
    ++through_functions;
    for (const auto& [via, x] : {std::pair{"C++", cpp}, std::pair{"C", c}}) {
      EXPECT_EQ(x.status, status::ok) << via << " " << at << ": " << x.reason();
      EXPECT_TRUE(kvtest::matches_printed(std::log(x.kH / 1e9), r.ln_kH)) << via << " ln(kH/1 GPa) of " << at;
      EXPECT_TRUE(kvtest::matches_printed(std::log(x.KD), r.ln_KD)) << via << " ln KD of " << at;
    }
  }
  EXPECT_EQ(through_functions, 46) << "rows within their gas's data";
}

struct bad_row {
  property q;
  double T, rho, lambda;
  status expected;
};

// Each bound of each release just beyond it, and NaN and infinity.
const bad_row bad_rows[] = {
    {property::epsilon, 237.99, 1000, 0, status::dielectric_temperature_out_of_range},
    {property::epsilon, 873.16, 100, 0, status::dielectric_temperature_out_of_range},
    {property::epsilon, 300, -1e-9, 0, status::dielectric_density_out_of_range},
    {property::epsilon, 300, 1250.01, 0, status::dielectric_density_out_of_range},
    {property::epsilon, nan, 1000, 0, status::not_finite},
    {property::epsilon, 300, inf, 0, status::not_finite},
    {property::n, 261.14, 1000, 0.5e-6, status::refractive_temperature_out_of_range},
    {property::n, 773.16, 100, 0.5e-6, status::refractive_temperature_out_of_range},
    {property::n, 300, -1e-9, 0.5e-6, status::refractive_density_out_of_range},
    {property::n, 300, 1060.01, 0.5e-6, status::refractive_density_out_of_range},
    {property::n, 300, 1000, 0.1999e-6, status::wavelength_out_of_range},
    {property::n, 300, 1000, 1.1001e-6, status::wavelength_out_of_range},
    {property::n, 300, 1000, nan, status::not_finite},
    {property::n, 300, nan, 0.5e-6, status::not_finite},
    {property::pKw, 273.14, 1000, 0, status::ionization_temperature_out_of_range},
    {property::pKw, 1273.16, 100, 0, status::ionization_temperature_out_of_range},
    {property::pKw, 300, -1e-9, 0, status::ionization_density_out_of_range},
    {property::pKw, 300, 1250.01, 0, status::ionization_density_out_of_range},
    {property::pKw, -inf, 1000, 0, status::not_finite},
    {property::pKw, 300, nan, 0, status::not_finite},
};

TEST(Chemistry, RefusesInputBeyondEachReleaseWithAStatusAndNaN) {
  for (const bad_row& r : bad_rows) {
    for (const auto& [via, got] :
         {std::pair{"C++", in_cpp(r.q, r.T, r.rho, r.lambda)}, std::pair{"C", in_c(r.q, r.T, r.rho, r.lambda)}}) {
      EXPECT_TRUE(got.status == r.expected && std::isnan(got.value))
          << via << " " << name_of(r.q) << " at T = " << r.T << ", rho = " << r.rho << ", lambda = " << r.lambda
          << ": got " << got.value << " (" << got.reason() << "), expected the status " << w::status_text(r.expected);
    }
  }
  // The bounds themselves belong to the range.
  EXPECT_TRUE(w::dielectric_constant(238.0, 0.0) && w::dielectric_constant(873.15, 1250.0));
  EXPECT_TRUE(w::refractive_index(261.15, 1060.0, 0.2e-6) && w::refractive_index(773.15, 0.0, 1.1e-6));
  EXPECT_TRUE(w::ionization_pK(273.15, 1250.0) && w::ionization_pK(1273.15, 0.0));
}

TEST(Chemistry, HenryRefusesUnknownGasesAndTemperaturesBeyondTheData) {
  const struct {
    int g;
    double T;
    status expected;
  } rows[] = {
      {-1, 300, status::unknown_gas},
      {14, 300, status::unknown_gas},
      {KVIAPWS97_GAS_HE, 273.20, status::henry_temperature_out_of_range},
      {KVIAPWS97_GAS_HE, 553.19, status::henry_temperature_out_of_range},
      {KVIAPWS97_GAS_C2H6, 473.47, status::henry_temperature_out_of_range},
      {KVIAPWS97_GAS_SF6, 283.13, status::henry_temperature_out_of_range},
      {KVIAPWS97_GAS_CO2, 642.67, status::henry_temperature_out_of_range},
      {KVIAPWS97_GAS_CO2, 700, status::henry_temperature_out_of_range},
      {KVIAPWS97_GAS_N2, nan, status::not_finite},
      {KVIAPWS97_GAS_N2, -inf, status::not_finite},
  };
  for (const auto& r : rows) {
    double kH = 0.0, KD = 0.0;
    const int code = kviapws97_henry(r.g, r.T, &kH, &KD);
    const w::henry_result cpp = w::henry(static_cast<gas>(r.g), r.T);
    EXPECT_TRUE(code == static_cast<int>(r.expected) && std::isnan(kH) && std::isnan(KD))
        << "C: gas " << r.g << " at " << r.T << " K: code " << code << " (" << kviapws97_error_text(code) << "), kH "
        << kH << ", KD " << KD;
    EXPECT_TRUE(cpp.status == r.expected && std::isnan(cpp.kH) && std::isnan(cpp.KD))
        << "C++: gas " << r.g << " at " << r.T << " K: " << cpp.reason();
  }
  // The ends of a gas's data belong to it, and the C enumeration is the C++ one.
  EXPECT_TRUE(w::henry(gas::CO2, 642.66) && w::henry(gas::CO2, 274.19));
  EXPECT_EQ(static_cast<int>(gas::SF6), KVIAPWS97_GAS_SF6);
  EXPECT_EQ(static_cast<int>(gas::CO2), KVIAPWS97_GAS_CO2);
}

TEST(Chemistry, OfAStateTakesItsTemperatureAndDensity) {
  const w::result liquid = w::pT(1e5, 298.15);
  ASSERT_TRUE(liquid) << liquid.reason();
  const w::state& s = liquid.state;
  EXPECT_EQ(w::dielectric_constant(s).value, w::dielectric_constant(s.T, s.rho).value);
  EXPECT_EQ(w::refractive_index(s, w::sodium_D_line).value, w::refractive_index(s.T, s.rho, w::sodium_D_line).value);
  EXPECT_EQ(w::ionization_pK(s).value, w::ionization_pK(s.T, s.rho).value);
  EXPECT_EQ(w::henry(gas::O2, s).kH, w::henry(gas::O2, s.T).kH);

  // A two-phase state has none; its saturated liquid and vapour have theirs.
  const w::result wet = w::Tx(373.15, 0.5);
  ASSERT_TRUE(wet) << wet.reason();
  for (const w::property_result& q : {w::dielectric_constant(wet.state), w::refractive_index(wet.state, w::sodium_D_line),
                               w::ionization_pK(wet.state)})
    EXPECT_TRUE(q.status == status::two_phase_state && std::isnan(q.value)) << q.value << " (" << q.reason() << ")";
  const w::property_result eps_liquid = w::dielectric_constant(wet.state.liquid);
  const w::property_result eps_vapour = w::dielectric_constant(wet.state.vapour);
  EXPECT_TRUE(eps_liquid && eps_vapour && eps_liquid.value > 50.0 && eps_vapour.value > 1.0 && eps_vapour.value < 1.01)
      << "epsilon of saturated liquid " << eps_liquid.value << ", vapour " << eps_vapour.value << " at 373.15 K";
  EXPECT_TRUE(w::henry(gas::O2, wet.state)) << "Henry's constant depends on T alone";
}

}  // namespace
