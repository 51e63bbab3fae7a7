// The command-line program's mass scale: a host value of the dispatcher, with
// the host's reference shift taken off again, must be the IF97 value itself.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "if97/if97.h"
#include "support/checks.hpp"
#include "support/dispatch.hpp"
#include "tools/properties.hpp"
#include "tools/units.hpp"

namespace {

using kvtool::find_property;
using kvtool::on_scale;
using kvtool::unit_scale;

using op_pT = double (*)(const double*, const double*);
using op_sat = double (*)(const double*, const double*, const double*);

double g1(const double* p, const double* T) { return IF97_H1(p, T) - *T * IF97_S1(p, T); }
double g2(const double* p, const double* T) { return IF97_H2(p, T) - *T * IF97_S2(p, T); }
double g5(const double* p, const double* T) { return IF97_H5(p, T) - *T * IF97_S5(p, T); }

TEST(ToolUnits, MassScaleIsTheIF97ValueInEveryRegion) {
  struct row {
    const char* name;
    std::int64_t region;
    double T, P;  // K, Pa
    op_pT expected;
  };
  const row rows[] = {
      {"enthalpy", 1, 300.0, 3e6, IF97_H1},   {"entropy", 1, 500.0, 3e6, IF97_S1},  {"gibbs", 1, 500.0, 8e7, g1},
      {"cp", 1, 300.0, 8e7, IF97_CP1},        {"cv", 1, 500.0, 3e6, IF97_CV1},      {"volume", 1, 300.0, 3e6, IF97_V1},
      {"internal-energy", 1, 300.0, 3e6, IF97_U1},
      {"enthalpy", 2, 700.0, 3e7, IF97_H2},   {"entropy", 2, 300.0, 3.5e3, IF97_S2}, {"gibbs", 2, 700.0, 5e5, g2},
      {"cp", 2, 700.0, 3e7, IF97_CP2},        {"cv", 2, 300.0, 3.5e3, IF97_CV2},
      {"enthalpy", 5, 1500.0, 5e5, IF97_H5},  {"entropy", 5, 2000.0, 3e7, IF97_S5}, {"gibbs", 5, 1500.0, 3e7, g5},
      {"cp", 5, 2000.0, 3e7, IF97_CP5},       {"volume", 5, 1500.0, 5e5, IF97_V5},
  };
  for (const row& r : rows) {
    const kvtool::property_info p = *find_property(r.name);
    const auto host = kvtest::dispatch(p.code, r.T, r.P, r.region);
    ASSERT_EQ(host.error, 0) << r.name << " region " << r.region;
    const double p_MPa = r.P / 1e6;
    const double want = r.expected(&p_MPa, &r.T);
    const double got = on_scale(p, host.value, r.T, unit_scale::kg);
    EXPECT_TRUE(kvtest::close_relative(got, want, 1e-10))
        << r.name << " region " << r.region << " T " << r.T << " P " << r.P << ": got " << got << ", want " << want
        << ", relative error " << std::abs(got / want - 1.0);
    EXPECT_EQ(on_scale(p, host.value, r.T, unit_scale::host), host.value) << r.name;
  }
}

TEST(ToolUnits, SaturatedStatesOnTheMassScale) {
  struct row {
    const char* name;
    std::int64_t phase;  // 1 vapour, 2 liquid
    double T;            // K
    op_sat expected;
  };
  const row rows[] = {{"enthalpy", 2, 373.15, IF97_H4}, {"enthalpy", 1, 373.15, IF97_H4}, {"entropy", 2, 450.0, IF97_S4},
                      {"entropy", 1, 640.0, IF97_S4},   {"cp", 2, 500.0, IF97_CP4},       {"volume", 1, 300.0, IF97_V4}};
  for (const row& r : rows) {
    const kvtool::property_info p = *find_property(r.name);
    const double P = IF97_PSATBAR(&r.T) * 1e5;
    const auto host = kvtest::dispatch(p.code, r.T, P, 4, 0.0, r.phase);
    ASSERT_EQ(host.error, 0) << r.name;
    const double p_bar = P / 1e5;
    const double x = r.phase == 1 ? 1.0 : 0.0;
    const double want = r.expected(&p_bar, &r.T, &x);
    const double got = on_scale(p, host.value, r.T, unit_scale::kg);
    EXPECT_TRUE(kvtest::close_relative(got, want, 1e-10))
        << r.name << " phase " << r.phase << " T " << r.T << ": got " << got << ", want " << want;
  }
}

TEST(ToolUnits, PropertiesByNameOrCode) {
  struct row {
    const char* text;
    bool known;
    std::int32_t code;
    const char* name;
  };
  const row rows[] = {{"enthalpy", true, 2, "enthalpy"}, {"sound-speed", true, 13, "sound-speed"},
                      {"14", true, 14, "pressure"},      {"1", true, 1, "lnphi"},
                      {"0", false, 0, ""},               {"15", false, 0, ""},
                      {"-3", false, 0, ""},              {"02", false, 0, ""},
                      {"Enthalpy", false, 0, ""},        {"2x", false, 0, ""},
                      {"", false, 0, ""}};
  for (const row& r : rows) {
    const auto p = find_property(r.text);
    ASSERT_EQ(p.has_value(), r.known) << "'" << r.text << "'";
    if (!p) continue;
    EXPECT_EQ(p->code, r.code) << r.text;
    EXPECT_STREQ(p->name, r.name) << r.text;
  }
}

// Every unit the program takes, its SI value of one unit written out here,
// apart from the program's table: 1 kPa is 1000 Pa, 0 degC is 273.15 K. A
// unit with no row fails, so a new unit comes with its expectation.
TEST(ToolUnits, EveryUnitsScaleAndOffsetAgainstSI) {
  using kvtool::quantity;
  struct row {
    quantity q;
    const char* symbol;
    double one_in_si;   // the SI value of 1 in this unit
    double zero_in_si;  // the SI value of 0 in this unit
  };
  const row rows[] = {
      {quantity::temperature, "K", 1.0, 0.0},          {quantity::temperature, "\u00b0C", 274.15, 273.15},
      {quantity::temperature, "C", 274.15, 273.15},     {quantity::temperature, "degC", 274.15, 273.15},
      {quantity::pressure, "Pa", 1.0, 0.0},             {quantity::pressure, "kPa", 1000.0, 0.0},
      {quantity::pressure, "bar", 100000.0, 0.0},       {quantity::pressure, "MPa", 1000000.0, 0.0},
      {quantity::energy, "J/kg", 1.0, 0.0},             {quantity::energy, "kJ/kg", 1000.0, 0.0},
      {quantity::entropy, "J/(kg K)", 1.0, 0.0},        {quantity::entropy, "kJ/(kg K)", 1000.0, 0.0},
      {quantity::entropy, "J/kgK", 1.0, 0.0},           {quantity::entropy, "kJ/kgK", 1000.0, 0.0},
      {quantity::density, "kg/m3", 1.0, 0.0},           {quantity::volume, "m3/kg", 1.0, 0.0},
      {quantity::speed, "m/s", 1.0, 0.0},               {quantity::viscosity, "Pa s", 1.0, 0.0},
      {quantity::conductivity, "W/(m K)", 1.0, 0.0},    {quantity::tension, "N/m", 1.0, 0.0},
  };
  const quantity all[] = {quantity::temperature, quantity::pressure, quantity::energy,    quantity::entropy,
                          quantity::density,     quantity::volume,   quantity::speed,     quantity::viscosity,
                          quantity::conductivity, quantity::tension};
  for (const quantity q : all) {
    // unit_choices lists every symbol the parser takes for q.
    const std::string choices = kvtool::unit_choices(q) + ", ";
    for (std::size_t start = 0, comma; (comma = choices.find(", ", start)) != std::string::npos; start = comma + 2) {
      const std::string symbol = choices.substr(start, comma - start);
      const row* r = nullptr;
      for (const row& candidate : rows)
        if (candidate.q == q && symbol == candidate.symbol) r = &candidate;
      ASSERT_NE(r, nullptr) << "unit '" << symbol << "' has no expectation here";
      // Parsed with and without a space, as a value and as a difference (a step takes no offset).
      for (const std::string& text : {"1" + symbol, "1 " + symbol, "0" + symbol, "2.5" + symbol}) {
        std::string error;
        const double number = std::stod(text);
        const double want = r->zero_in_si + number * (r->one_in_si - r->zero_in_si);
        const std::optional<double> got = kvtool::parse_quantity(text, q, error);
        ASSERT_TRUE(got.has_value()) << text << ": " << error;
        EXPECT_NEAR(*got, want, 1e-12 * std::abs(want)) << "'" << text << "': got " << *got << ", want " << want;
        const std::optional<double> step = kvtool::parse_quantity(text, q, error, true);
        EXPECT_NEAR(*step, number * (r->one_in_si - r->zero_in_si), 1e-12 * std::abs(want))
            << "'" << text << "' as a step";
      }
      // And back: the SI value printed in this unit.
      const kvtool::unit* u = kvtool::find_unit(symbol);
      ASSERT_NE(u, nullptr) << symbol;
      EXPECT_NEAR(kvtool::from_si(r->one_in_si, *u), 1.0, 1e-12) << symbol << ": 1 unit from SI";
      EXPECT_NEAR(kvtool::from_si(r->zero_in_si, *u), 0.0, 1e-12) << symbol << ": 0 from SI";
    }
  }
  // The units of output: SI, and the engineer's degC, bar, kJ/kg and kJ/(kg K).
  const struct {
    quantity q;
    kvtool::unit_system system;
    double si, shown;
  } printed[] = {{quantity::temperature, kvtool::unit_system::eng, 373.15, 100.0},
                 {quantity::pressure, kvtool::unit_system::eng, 1e5, 1.0},
                 {quantity::energy, kvtool::unit_system::eng, 2.8e6, 2800.0},
                 {quantity::entropy, kvtool::unit_system::eng, 6500.0, 6.5},
                 {quantity::density, kvtool::unit_system::eng, 5.0, 5.0},
                 {quantity::temperature, kvtool::unit_system::si, 373.15, 373.15},
                 {quantity::pressure, kvtool::unit_system::si, 1e5, 1e5}};
  for (const auto& p : printed) {
    const double got = kvtool::from_si(p.si, kvtool::output_unit(p.q, p.system));
    EXPECT_NEAR(got, p.shown, 1e-12 * p.shown) << "output unit " << kvtool::output_unit(p.q, p.system).symbol;
  }
}

}  // namespace
