/* A C program on an installed kviapws97, built with the flags of pkg-config:
 * the dispatcher's molar volume of region 1 at 3 MPa and 300 K (IAPWS-IF97
 * Table 5: v = 0.100215168e-2 m3/kg). */
#include <math.h>
#include <stdint.h>
#include <stdio.h>

#include "adapter/kviapws97.h"

int main(void) {
  const double T = 300.0, P = 3e6, V = 0.0;
  const int32_t code = KVIAPWS97_VOLUME;
  const int64_t phase = 2, region = 1;
  double volume = 0.0;
  int64_t error = 1;
  KVIAPWS_IF97PROP(&T, &P, &V, &code, &phase, &region, NULL, &volume, &error);
  printf("V = %.9g m3/kmol, error %lld\n", volume, (long long)error);
  return fabs(volume - 0.100215168e-2 * KVIAPWS97_MOLAR_MASS) < 1e-10 && error == 0 ? 0 : 1;
}
