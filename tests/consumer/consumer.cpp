// Enthalpy of region 1 at 3 MPa and 300 K (IAPWS-IF97 Table 5: 115.331273
// kJ/kg) and the dispatcher's volume there, through an installed kviapws97.
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "adapter/kviapws97.h"
#include "if97/if97.h"

int main() {
  const double p = 3.0, T = 300.0;
  const double h = IF97_H1(&p, &T);
  const double P = 3e6, V = 0.0;
  const std::int32_t code = KVIAPWS97_VOLUME;
  const std::int64_t phase = 2, region = 1;
  double volume = 0.0;
  std::int64_t error = 1;
  KVIAPWS_IF97PROP(&T, &P, &V, &code, &phase, &region, nullptr, &volume, &error);
  std::printf("h = %.9g kJ/kg, V = %.9g m3/kmol, error %lld\n", h, volume, static_cast<long long>(error));
  const bool ok = std::fabs(h - 115.331273) < 5e-7 && std::fabs(volume - 0.100215168e-2 * KVIAPWS97_MOLAR_MASS) < 1e-10 && error == 0;
  return ok ? 0 : 1;
}
