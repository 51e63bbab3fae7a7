/* A C program on the installed SI state library, built with the flags of
 * pkg-config kviapws97-water: the state of IAPWS-IF97 Table 5's
 * h(3 MPa, 300 K) = 0.115331273e3 kJ/kg comes back at 300 K, and a failure
 * has its text. */
#include <math.h>
#include <stdio.h>

#include <kviapws97/water.h>

int main(void) {
  kviapws97_state s;
  const int status = kviapws97_ph(3e6, 115331.273, &s);
  printf("T = %.9f K, region %d, phase %d\n", s.T, s.region, s.phase);
  kviapws97_state bad;
  const int refused = kviapws97_pT(-1.0, 300.0, &bad);
  printf("p = -1 Pa: %s\n", kviapws97_error_text(refused));
  return status == 0 && fabs(s.T - 300.0) < 1e-6 && s.region == 1 && refused != 0 && isnan(bad.h) ? 0 : 1;
}
