/* kviapws97/water.h: a state of water and steam in SI units by IAPWS-IF97,
 * for C, Fortran 2003 and the foreign-function interfaces of other
 * languages. Each function fills *out and returns 0, or returns a non-zero
 * status that kviapws97_error_text() explains and leaves every real of *out
 * NaN. Units: p in Pa, T in K, rho in kg/m3, v in m3/kg, h and u in J/kg,
 * s, cp and cv in J/(kg K), w in m/s, mu in Pa s, lambda in W/(m K). The
 * functions are reentrant and allocate nothing. */
#ifndef KVIAPWS97_WATER_H
#define KVIAPWS97_WATER_H

#ifdef __cplusplus
extern "C" {
#define KVIAPWS97_WATER_NOEXCEPT noexcept
#else
#define KVIAPWS97_WATER_NOEXCEPT
#endif

#if defined(__GNUC__)
#define KVIAPWS97_WATER_API __attribute__((visibility("default")))
#else
#define KVIAPWS97_WATER_API
#endif

typedef struct kviapws97_state {
  int region; /* 1, 2, 3 or 5; 4 for a two-phase state */
  int phase;  /* 0 liquid, 1 vapour, 2 supercritical, 3 two-phase */
  double p, T, rho, v, h, s, u, cp, cv, w, x, mu, lambda; /* SI; NaN where undefined */
} kviapws97_state;

KVIAPWS97_WATER_API int kviapws97_pT(double p, double T, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_ph(double p, double h, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_ps(double p, double s, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_hs(double h, double s, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_Tx(double T, double x, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_px(double p, double x, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_Trho(double T, double rho, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
/* The text of a status; 0 is success. */
KVIAPWS97_WATER_API const char* kviapws97_error_text(int code) KVIAPWS97_WATER_NOEXCEPT;

/* The quantities of a derivative: p, T, rho, v, h, s, u, the Gibbs (g = h - T s)
 * and Helmholtz (f = u - T s) free energies in SI units, and x in two-phase
 * states. */
enum kviapws97_quantity {
  KVIAPWS97_P,
  KVIAPWS97_T,
  KVIAPWS97_RHO,
  KVIAPWS97_V,
  KVIAPWS97_H,
  KVIAPWS97_S,
  KVIAPWS97_U,
  KVIAPWS97_G,
  KVIAPWS97_F,
  KVIAPWS97_X
};
/* The first partial derivative (d of / d wrt) at constant held of a state that
 * a function above filled, analytic, recomputed from its region and natural
 * variables; 0 and *out, or a status and NaN: no such quantity, held equal to
 * wrt or not independent of it (T at constant p in a two-phase state). */
KVIAPWS97_WATER_API int kviapws97_derivative(const kviapws97_state* state, int of, int wrt, int held,
                                             double* out) KVIAPWS97_WATER_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
