/* kviapws97: water and steam properties (IAPWS-IF97) for a process
 * simulator's physical-property system. The exported routines take every
 * argument by address and return nothing; host units are K, Pa, m3/kmol,
 * J/kmol, J/(kmol K), Pa s, W/(m K) and N/m. */
#ifndef KVIAPWS97_H
#define KVIAPWS97_H

#include <stdint.h>

#ifndef KVIAPWS97_NOEXCEPT
#ifdef __cplusplus
#define KVIAPWS97_NOEXCEPT noexcept
#else
#define KVIAPWS97_NOEXCEPT
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define KVIAPWS97_EXPORT __attribute__((visibility("default")))
#else
#define KVIAPWS97_EXPORT
#endif

/* Property codes of KVIAPWS_IF97PROP; any other code means 1. */
enum {
  KVIAPWS97_LNPHI = 1,       /* ln of the fugacity coefficient */
  KVIAPWS97_ENTHALPY = 2,    /* J/kmol, host reference state */
  KVIAPWS97_ENTROPY = 3,     /* J/(kmol K), host reference state */
  KVIAPWS97_GIBBS = 4,       /* J/kmol, host reference state */
  KVIAPWS97_VOLUME = 5,      /* m3/kmol */
  KVIAPWS97_VISCOSITY = 6,   /* Pa s */
  KVIAPWS97_CONDUCTIVITY = 7,/* W/(m K) */
  KVIAPWS97_SURFACE = 8,     /* N/m */
  KVIAPWS97_CP = 9,          /* J/(kmol K), host reference state */
  KVIAPWS97_CV = 10,         /* J/(kmol K), host reference state */
  KVIAPWS97_PSAT = 11,       /* Pa */
  KVIAPWS97_ENERGY = 12,     /* J/kmol, IF97 reference state */
  KVIAPWS97_SOUND = 13,      /* m/s */
  KVIAPWS97_PRESSURE = 14    /* Pa, from T and the molar volume */
};

/* One property of water by property code, at temperature T (K), pressure P
 * (Pa) and molar volume V (m3/kmol) in IF97 region 1 to 5; for region 4 the
 * phase is 1 (saturated vapour), 2 (saturated liquid) or any other value (no
 * phase). The code is read as 32 bits. On failure the result is the host's
 * missing value and the error flag 1. */
KVIAPWS97_EXPORT void KVIAPWS_IF97PROP(const double* T, const double* P, const double* V, const int32_t* code,
                                       const int64_t* phase, const int64_t* region, void* component, double* result,
                                       int64_t* error) KVIAPWS97_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
