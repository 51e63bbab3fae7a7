/* kviapws97/water.h: a state of water and steam in SI units by IAPWS-IF97,
 * for C, Fortran 2003 and the foreign-function interfaces of other
 * languages. Each function fills *out and returns 0, or returns a non-zero
 * status that kviapws97_error_text() explains and leaves every real of *out
 * NaN. Units: p in Pa, T in K, rho in kg/m3, v in m3/kg, h and u in J/kg,
 * s, cp and cv in J/(kg K), w in m/s, mu in Pa s, lambda in W/(m K). The
 * functions are reentrant and allocate nothing. */
#ifndef KVIAPWS97_WATER_H
#define KVIAPWS97_WATER_H

#include <stddef.h>

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
/* The saturated liquid and vapour at T (273.15 K <= T < 647.096 K) or at p
 * (psat(273.15 K) <= p < 22.064 MPa), each as a single phase of its own:
 * phase 0 liquid or 1 vapour, x NaN, every property defined (cp, cv, w, mu,
 * lambda included), region 1 and 2 up to 623.15 K, 3 above. On failure both
 * are left NaN and the status says why. */
KVIAPWS97_WATER_API int kviapws97_saturation_T(double T, kviapws97_state* liquid,
                                               kviapws97_state* vapour) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_saturation_p(double p, kviapws97_state* liquid,
                                               kviapws97_state* vapour) KVIAPWS97_WATER_NOEXCEPT;
/* The state of a phase asked for, phase 0 liquid or 1 vapour: on its stable
 * side the state of the function without _phase; beyond the saturation line
 * the metastable state of that phase (supersaturated vapour by IAPWS-IF97
 * Eq. (18) up to 10 MPa and the 5 % equilibrium-moisture line, superheated
 * liquid by region 1 up to 5 % equilibrium vapour fraction and 623.15 K),
 * whose phase is the one asked for; beyond those bounds a status naming the
 * bound. */
KVIAPWS97_WATER_API int kviapws97_pT_phase(double p, double T, int phase, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_ph_phase(double p, double h, int phase, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_ps_phase(double p, double s, int phase, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
/* The flashes of conservative variables and of the pairs along a line: u in
 * J/kg. (rho, u), (rho, h), (rho, s) and (p, u) have one state at most.
 * (p, rho), (T, h), (T, s), (h, x) and (s, x) may have several: the single
 * call fills the first (the lowest pressure, then temperature); the _all
 * call fills up to capacity of them in that order, sets *count to how many
 * there are (which may exceed capacity) and returns 0 when there is one. */
KVIAPWS97_WATER_API int kviapws97_rhou(double rho, double u, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_prho(double p, double rho, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_rhoh(double rho, double h, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_rhos(double rho, double s, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_pu(double p, double u, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_Th(double T, double h, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_Ts(double T, double s, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_hx(double h, double x, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_sx(double s, double x, kviapws97_state* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_prho_all(double p, double rho, kviapws97_state* out, int capacity,
                                           int* count) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_Th_all(double T, double h, kviapws97_state* out, int capacity,
                                         int* count) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_Ts_all(double T, double s, kviapws97_state* out, int capacity,
                                         int* count) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_hx_all(double h, double x, kviapws97_state* out, int capacity,
                                         int* count) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_sx_all(double s, double x, kviapws97_state* out, int capacity,
                                         int* count) KVIAPWS97_WATER_NOEXCEPT;
/* Batch calls: the states of n pairs of inputs (arrays of n each) as columns
 * of outputs. A column given is computed; a NULL column is not, and a group
 * of outputs (T and x; p, T, rho and v; h, s and u; cp, cv and w; mu and
 * lambda) is evaluated only when one of its columns is given. Element k of a
 * column is what the single call gives for pair k, bit for bit. An element
 * that fails is NaN in every real column, region 0, phase -1, and its status
 * the code of the reason. Each returns the number of elements whose status
 * is not 0. Reentrant; they allocate nothing. The pairs with several states
 * give the first, as the single call does. */
typedef struct kviapws97_columns {
  double *p, *T, *rho, *v, *h, *s, *u, *cp, *cv, *w, *x, *mu, *lambda; /* NULL: not computed */
  int *region, *phase, *status;                                         /* NULL: not written */
} kviapws97_columns;
KVIAPWS97_WATER_API size_t kviapws97_pT_n(size_t n, const double* p, const double* T,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_ph_n(size_t n, const double* p, const double* h,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_ps_n(size_t n, const double* p, const double* s,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_hs_n(size_t n, const double* h, const double* s,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_Tx_n(size_t n, const double* T, const double* x,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_px_n(size_t n, const double* p, const double* x,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_Trho_n(size_t n, const double* T, const double* rho,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_rhou_n(size_t n, const double* rho, const double* u,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_prho_n(size_t n, const double* p, const double* rho,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_rhoh_n(size_t n, const double* rho, const double* h,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_rhos_n(size_t n, const double* rho, const double* s,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_pu_n(size_t n, const double* p, const double* u,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_Th_n(size_t n, const double* T, const double* h,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_Ts_n(size_t n, const double* T, const double* s,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_hx_n(size_t n, const double* h, const double* x,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API size_t kviapws97_sx_n(size_t n, const double* s, const double* x,
                                        const kviapws97_columns* out) KVIAPWS97_WATER_NOEXCEPT;
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
/* The named derivatives of a state, SI units (water/derivatives.hpp says
 * each): cp, cv, w (of the homogeneous mixture in a two-phase state),
 * alpha_v = (1/v)(dv/dT)_p, kappa_T = -(1/v)(dv/dp)_T, the isentropic
 * exponent (rho/p)(dp/drho)_s, (dT/dp)_h, (dT/dh)_p, (drho/dp)_h,
 * (drho/dh)_p, (dp/dT)_rho, (dp/drho)_T; in two-phase states dTsat/dp and,
 * along the saturation line per Pa, rho' rho'' h' h'', and (dx/dp)_h,
 * (dx/dh)_p. NaN where one does not exist. */
typedef struct kviapws97_derivatives {
  double cp, cv, w, alpha_v, kappa_T, isentropic_exponent;
  double dT_dp_h, dT_dh_p, drho_dp_h, drho_dh_p, dp_dT_rho, dp_drho_T;
  double dTsat_dp, drho_liquid_dp, drho_vapour_dp, dh_liquid_dp, dh_vapour_dp, dx_dp_h, dx_dh_p;
} kviapws97_derivatives;
/* The functions above that also fill *d with the named derivatives of the
 * state, formed from the flash's own final evaluation: *out as the plain
 * function fills it, bit for bit; on a non-zero status every real of *d NaN.
 * A NULL pointer gives a status and leaves nothing written. */
KVIAPWS97_WATER_API int kviapws97_pT_derivatives(double p, double T, kviapws97_state* out,
                                                 kviapws97_derivatives* d) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_ph_derivatives(double p, double h, kviapws97_state* out,
                                                 kviapws97_derivatives* d) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_ps_derivatives(double p, double s, kviapws97_state* out,
                                                 kviapws97_derivatives* d) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_hs_derivatives(double h, double s, kviapws97_state* out,
                                                 kviapws97_derivatives* d) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_Tx_derivatives(double T, double x, kviapws97_state* out,
                                                 kviapws97_derivatives* d) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_px_derivatives(double p, double x, kviapws97_state* out,
                                                 kviapws97_derivatives* d) KVIAPWS97_WATER_NOEXCEPT;
/* Properties for chemistry at T (K) and rho (kg/m3), each within its
 * release's range, else a status and NaN: the static dielectric constant
 * (IAPWS R8-97; 238 K to 873.15 K, 0 to 1250 kg/m3), the refractive index at
 * the wavelength in vacuum in m (IAPWS R9-97; 261.15 K to 773.15 K, 0 to
 * 1060 kg/m3, 0.2e-6 m to 1.1e-6 m), pKw = -log10(Kw/(mol/kg)^2) (IAPWS
 * R11-24; 273.15 K to 1273.15 K, 0 to 1250 kg/m3). */
KVIAPWS97_WATER_API int kviapws97_dielectric_constant(double T, double rho, double* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_refractive_index(double T, double rho, double wavelength,
                                                   double* out) KVIAPWS97_WATER_NOEXCEPT;
KVIAPWS97_WATER_API int kviapws97_ionization_pK(double T, double rho, double* out) KVIAPWS97_WATER_NOEXCEPT;

/* The gases of IAPWS G7-04 in water. */
enum kviapws97_gas {
  KVIAPWS97_GAS_HE, KVIAPWS97_GAS_NE, KVIAPWS97_GAS_AR, KVIAPWS97_GAS_KR, KVIAPWS97_GAS_XE,
  KVIAPWS97_GAS_H2, KVIAPWS97_GAS_N2, KVIAPWS97_GAS_O2, KVIAPWS97_GAS_CO, KVIAPWS97_GAS_CO2,
  KVIAPWS97_GAS_H2S, KVIAPWS97_GAS_CH4, KVIAPWS97_GAS_C2H6, KVIAPWS97_GAS_SF6
};
/* Henry's constant kH (Pa) and the vapour-liquid distribution constant KD
 * = y2/x2 of a gas (enum kviapws97_gas) at T (K), within the temperatures of
 * the gas's data in IAPWS G7-04; else a status and NaN. */
KVIAPWS97_WATER_API int kviapws97_henry(int gas, double T, double* kH, double* KD) KVIAPWS97_WATER_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
