// The command-line program's mass scale: a host value of the dispatcher, with
// the host's reference shift taken off again, must be the IF97 value itself.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "if97/if97.h"
#include "support/checks.hpp"
#include "support/dispatch.hpp"
#include "tools/properties.hpp"

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

}  // namespace
