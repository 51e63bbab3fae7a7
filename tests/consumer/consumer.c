/* A C program on an installed kviapws97, built with the flags of pkg-config:
 * the dispatcher's molar volume of region 1 at 3 MPa and 300 K (IAPWS-IF97
 * Table 5: v = 0.100215168e-2 m3/kg); the equation of subregion 3c alone at
 * 20 MPa and 630 K (IAPWS SR5-05 Table 5: v = 1.761696406e-3 m3/kg); and the
 * fugacity p exp(gamma^r) of region 5 at 0.5 MPa and 1500 K from its residual
 * part (0.499990143 MPa at the state of IAPWS-IF97 Table 42). */
#include <math.h>
#include <stdint.h>
#include <stdio.h>

#include "adapter/kviapws97.h"
#include "if97/if97.h"

int main(void) {
  const double T = 300.0, P = 3e6, V = 0.0;
  const int32_t code = KVIAPWS97_VOLUME;
  const int64_t phase = 2, region = 1;
  double volume = 0.0;
  int64_t error = 1;
  KVIAPWS_IF97PROP(&T, &P, &V, &code, &phase, &region, NULL, &volume, &error);
  printf("V = %.9g m3/kmol, error %lld\n", volume, (long long)error);
  const double p3 = 20.0, T3 = 630.0, p5 = 0.5, T5 = 1500.0;
  const double v3c = IF97_V3C(&p3, &T3);
  const double f5 = p5 * exp(IF97_G5_RES(&p5, &T5));
  printf("v(3c) = %.10g m3/kg, f(region 5) = %.9g MPa\n", v3c, f5);
  return fabs(volume - 0.100215168e-2 * KVIAPWS97_MOLAR_MASS) < 1e-10 && error == 0 &&
                 fabs(v3c - 1.761696406e-3) <= 0.5e-12 && fabs(f5 - 0.499990143) <= 0.5e-9
             ? 0
             : 1;
}
