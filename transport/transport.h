/* Viscosity, thermal conductivity and surface tension with C linkage.
 * Arguments are doubles passed by address. */
#ifndef KVIAPWS97_TRANSPORT_H
#define KVIAPWS97_TRANSPORT_H

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

/* Viscosity, Pa s, at T (K) and specific volume v (m3/kg); IAPWS 2008, industrial form. */
double IF97_VISC(const double* T, const double* v) KVIAPWS97_NOEXCEPT;
/* Surface tension, mN/m, for 273.0 K <= T <= 647.3 K, else -1.0. */
double IF97_SIGMA(const double* T) KVIAPWS97_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
