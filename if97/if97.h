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

/* Region 2: (p, T). */
double IF97_V2(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_H2(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_S2(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_U2(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_CP2(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_CV2(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_W2(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_FUG2(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_DVDP2(const double* p, const double* T) KVIAPWS97_NOEXCEPT;

/* Region 5: (p, T). FUG5 is referred to the region-5 ideal gas. */
double IF97_V5(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_H5(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_S5(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_U5(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_CP5(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_CV5(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_W5(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_FUG5(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
/* The parts of region 5's dimensionless Gibbs free energy gamma = gamma0 +
 * gamma^r (IAPWS-IF97 Eqs. (32) to (34)) and their derivatives in pi = p /
 * 1 MPa and tau = 1000 K / T: gamma0 with its ln pi, then gamma^r. */
double IF97_G5_ID(const double* p, const double* T) KVIAPWS97_NOEXCEPT;     /* gamma0 */
double IF97_G5_ID_P(const double* p, const double* T) KVIAPWS97_NOEXCEPT;   /* gamma0_pi = 1/pi */
double IF97_G5_ID_T(const double* p, const double* T) KVIAPWS97_NOEXCEPT;   /* gamma0_tau */
double IF97_G5_ID_TT(const double* p, const double* T) KVIAPWS97_NOEXCEPT;  /* gamma0_tautau */
double IF97_G5_RES(const double* p, const double* T) KVIAPWS97_NOEXCEPT;    /* gamma^r */
double IF97_G5_RES_P(const double* p, const double* T) KVIAPWS97_NOEXCEPT;  /* gamma^r_pi */
double IF97_G5_RES_PP(const double* p, const double* T) KVIAPWS97_NOEXCEPT; /* gamma^r_pipi */
double IF97_G5_RES_T(const double* p, const double* T) KVIAPWS97_NOEXCEPT;  /* gamma^r_tau */
double IF97_G5_RES_TT(const double* p, const double* T) KVIAPWS97_NOEXCEPT; /* gamma^r_tautau */
double IF97_G5_RES_PT(const double* p, const double* T) KVIAPWS97_NOEXCEPT; /* gamma^r_pitau */

/* Region 3: (T, v); the fugacity (p, T, v). */
double IF97_P3(const double* T, const double* v) KVIAPWS97_NOEXCEPT;   /* MPa */
double IF97_H3(const double* T, const double* v) KVIAPWS97_NOEXCEPT;
double IF97_S3(const double* T, const double* v) KVIAPWS97_NOEXCEPT;
double IF97_U3(const double* T, const double* v) KVIAPWS97_NOEXCEPT;
double IF97_CP3(const double* T, const double* v) KVIAPWS97_NOEXCEPT;  /* fixed value at the critical point */
double IF97_CV3(const double* T, const double* v) KVIAPWS97_NOEXCEPT;
double IF97_W3(const double* T, const double* v) KVIAPWS97_NOEXCEPT;
double IF97_FUG3(const double* p, const double* T, const double* v) KVIAPWS97_NOEXCEPT; /* MPa */
double IF97_DPDV3(const double* T, const double* v) KVIAPWS97_NOEXCEPT; /* kPa kg/m3 */

/* Region 3 volume from (p, T), m3/kg, by the backward equations of the
 * supplementary release SR5-05: the general subregion choice, and the liquid
 * and the vapour side of the saturation line. */
double IF97_V3PT(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3PT_LIQ(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3PT_VAP(const double* p, const double* T) KVIAPWS97_NOEXCEPT;

/* The equation of one subregion alone, 3a to 3z of SR5-05, m3/kg from (p, T),
 * with no test of any kind: outside its subregion it is simply evaluated. */
double IF97_V3A(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3B(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3C(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3D(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3E(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3F(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3G(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3H(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3I(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3J(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3K(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3L(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3M(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3N(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3O(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3P(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3Q(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3R(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3S(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3T(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3U(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3V(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3W(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3X(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3Y(const double* p, const double* T) KVIAPWS97_NOEXCEPT;
double IF97_V3Z(const double* p, const double* T) KVIAPWS97_NOEXCEPT;

/* Region 4 requests: p (bar; negative = not given), T (K; negative = not
 * given), vapour fraction x (< -1e-5 no phase; -1e-5 to 1.00001 saturated
 * liquid, vapour or mixture; above fails). -1.0 outside the accepted range. */
double IF97_V4(const double* p, const double* T, const double* x) KVIAPWS97_NOEXCEPT;
double IF97_H4(const double* p, const double* T, const double* x) KVIAPWS97_NOEXCEPT;
double IF97_S4(const double* p, const double* T, const double* x) KVIAPWS97_NOEXCEPT;
double IF97_U4(const double* p, const double* T, const double* x) KVIAPWS97_NOEXCEPT;
double IF97_CP4(const double* p, const double* T, const double* x) KVIAPWS97_NOEXCEPT;
double IF97_CV4(const double* p, const double* T, const double* x) KVIAPWS97_NOEXCEPT;
double IF97_W4(const double* p, const double* T, const double* x) KVIAPWS97_NOEXCEPT;
double IF97_FUG4(const double* p, const double* T, const double* x) KVIAPWS97_NOEXCEPT; /* bar */

#ifdef __cplusplus
}
#endif

#endif
