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

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Viscosity, Pa s, at T (K) and specific volume v (m3/kg); IAPWS 2008, industrial form. */
double IF97_VISC(const double* T, const double* v) KVIAPWS97_NOEXCEPT;
/* Viscosity, Pa s, of a region-4 request: p (bar), T (K), vapour fraction x; -1.0 outside the accepted range. */
double IF97_VISC4(const double* p, const double* T, const double* x) KVIAPWS97_NOEXCEPT;
/* Thermal conductivity at p (MPa), T (K), v (m3/kg) in IF97 region `region`; IAPWS 2011 for industrial use.
 * Writes cp and cv (kJ/(kg K)) and the viscosity (Pa s) that the critical enhancement used, or -1.0 where
 * it is not evaluated, and the conductivity in W/(m K). */
void IF97_TCOND(const double* p, const double* T, const double* v, const int64_t* region, double* cp, double* cv,
                double* mu, double* lambda) KVIAPWS97_NOEXCEPT;
/* Thermal conductivity, W/(m K), of a region-4 request as IF97_VISC4; -1.0 outside the accepted range. */
double IF97_TCOND4(const double* p, const double* T, const double* x) KVIAPWS97_NOEXCEPT;
/* Surface tension, mN/m, for 273.0 K <= T <= 647.3 K, else -1.0. */
double IF97_SIGMA(const double* T) KVIAPWS97_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
