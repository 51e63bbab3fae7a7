// Prints what KVIAPWS_IF97PROP returns for liquid water at 300 K and 1e5 Pa
// (IF97 region 1), on the stand-in host.
#include <cstdint>
#include <cstdio>

#include "adapter/kviapws97.h"

namespace {

struct code_name {
  std::int32_t code;
  const char* name;
  const char* unit;
};

constexpr code_name codes[] = {
    {KVIAPWS97_LNPHI, "ln fugacity coefficient", "-"},
    {KVIAPWS97_ENTHALPY, "enthalpy", "J/kmol"},
    {KVIAPWS97_ENTROPY, "entropy", "J/(kmol K)"},
    {KVIAPWS97_GIBBS, "Gibbs energy", "J/kmol"},
    {KVIAPWS97_VOLUME, "molar volume", "m3/kmol"},
    {KVIAPWS97_VISCOSITY, "viscosity", "Pa s"},
    {KVIAPWS97_CONDUCTIVITY, "thermal conductivity", "W/(m K)"},
    {KVIAPWS97_SURFACE, "surface tension", "N/m"},
    {KVIAPWS97_CP, "isobaric heat capacity", "J/(kmol K)"},
    {KVIAPWS97_CV, "isochoric heat capacity", "J/(kmol K)"},
    {KVIAPWS97_PSAT, "vapour pressure", "Pa"},
    {KVIAPWS97_ENERGY, "internal energy", "J/kmol"},
    {KVIAPWS97_SOUND, "speed of sound", "m/s"},
    {KVIAPWS97_PRESSURE, "pressure from T and V", "Pa"},
};

}  // namespace

int main() {
  const double T = 300.0;
  const double P = 1e5;
  const std::int64_t phase = 2;
  const std::int64_t region = 1;
  // Code 14 reads the molar volume: take the one code 5 returns.
  double V = 0.0;
  std::int64_t error = 0;
  const std::int32_t volume_code = KVIAPWS97_VOLUME;
  KVIAPWS_IF97PROP(&T, &P, &V, &volume_code, &phase, &region, nullptr, &V, &error);

  std::printf("water at T = %.2f K, P = %.0f Pa, IF97 region %lld\n", T, P, static_cast<long long>(region));
  for (const code_name& c : codes) {
    double result = 0.0;
    KVIAPWS_IF97PROP(&T, &P, &V, &c.code, &phase, &region, nullptr, &result, &error);
    if (error == 0)
      std::printf("%3d  %-26s %22.12g  %s\n", c.code, c.name, result, c.unit);
    else
      std::printf("%3d  %-26s %22s\n", c.code, c.name, "(not available)");
  }
  return 0;
}
