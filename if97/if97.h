/* The IAPWS-IF97 operations with C linkage. Every argument is a read-only
 * double passed by address; the result is a double in IF97 units (p in MPa,
 * T in K, v in m3/kg, h and u in kJ/kg, s and heat capacities in kJ/(kg K),
 * w in m/s). Operations that check a range return exactly -1.0 outside it. */
#ifndef KVIAPWS97_IF97_H
#define KVIAPWS97_IF97_H

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

/* Saturation line and the boundary between regions 2 and 3. */
double IF97_PSAT(const double* T) KVIAPWS97_NOEXCEPT;    /* MPa, any T */
double IF97_PSATBAR(const double* T) KVIAPWS97_NOEXCEPT; /* bar, 273.0 K to 647.301 K, else -1.0 */
double IF97_TSAT(const double* p) KVIAPWS97_NOEXCEPT;    /* K, any p */
double IF97_PB23(const double* T) KVIAPWS97_NOEXCEPT;    /* MPa */

/* Region 1: (p, T). */
double IF97_V1(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_H1(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_S1(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_U1(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_CP1(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_CV1(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_W1(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_FUG1(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_DVDP1(const double* p, const double* T) KVIAPWS97_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
