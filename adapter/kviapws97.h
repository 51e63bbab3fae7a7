/* kviapws97: water and steam properties (IAPWS-IF97) for a process
 * simulator's physical-property system. The exported routines take every
 * argument by address and return nothing; host units are K, Pa, m3/kmol,
 * J/kmol, J/(kmol K), Pa s, W/(m K) and N/m. */
#ifndef KVIAPWS97_ADAPTER_KVIAPWS97_H
#define KVIAPWS97_ADAPTER_KVIAPWS97_H

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

/* The molar mass of water on which the host's molar units rest, kg/kmol. */
#define KVIAPWS97_MOLAR_MASS 18.0152

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

/* Equation of state for one phase (1 vapour, any other value liquid) at T (K)
 * and P (Pa): whichever of ln phi, H (J/kmol), S (J/(kmol K)), G (J/kmol) and
 * V (m3/kmol) the request flags ask for (1 = requested). A state outside the
 * formulation is moved to the nearest admissible one with a warning. A
 * non-zero saturation request evaluates on the saturation line at T; fugacity
 * mode 0 takes ln phi from the vapour pressure alone. */
KVIAPWS97_EXPORT void KVIAPWS_ES15D(const double* T, const double* P, void* component, const int64_t* phase,
                                    const int64_t* saturation, const int64_t* fugacity_mode,
                                    const int64_t* want_lnphi, const int64_t* want_h, const int64_t* want_s,
                                    const int64_t* want_g, const int64_t* want_v, double* lnphi, double* H,
                                    double* S, double* G, double* V, int64_t* error) KVIAPWS97_NOEXCEPT;

/* The IF97 region (1, 2, 3 or 5) of a phase at (T, P) after the state is moved
 * into the admissible range, with the temperature and pressure used and the
 * molar volume there. */
KVIAPWS97_EXPORT void KVIAPWS_FDREGION(const double* T, const double* P, const int64_t* phase, void* component,
                                       int64_t* region, double* T_used, double* P_used, double* V,
                                       int64_t* error) KVIAPWS97_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
