/* The host's routines and shared blocks that kviapws97 uses. The host process
 * defines them; the plug-in leaves them undefined and they are resolved when
 * the host loads it. Every argument goes by address; integers and reals are
 * 64-bit. Block sizes are the extents this library relies on. */
#ifndef KVIAPWS97_HOST_H
#define KVIAPWS97_HOST_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* hostsys: diagnostics and global settings. */
extern int64_t SYS_MSGCTL[64]; /* [56]: diagnostics are written only when non-zero */
extern double SYS_PRPCTL[16];  /* [0]: initial working value; address of [7] goes to SYS_MSGCHK */
extern double SYS_RCONST[8];   /* [0]: the missing value, the host's marker for "no value" */
extern int64_t SYS_CMPCNT[16]; /* [11]: total component count */
extern char SYS_MSGBUF[800];   /* ten 80-character records of diagnostic text */

/* kvutil: reference constants and root-search flags. */
extern double KVUTL_GLOBAL[8];  /* [0]: reference pressure, Pa; [2]: gas constant, J/(kmol K) */
extern int64_t KVUTL_ROOTFL[2]; /* 0 outside a root search; -1 in [1] (vapour) or [0] during one */

/* Announces a diagnostic: routine name (two 8-character words), severity 5,
 * message number, component reference, address of SYS_PRPCTL[7], 0, 1, 2. */
void SYS_MSGCHK(const char* routine, const int64_t* severity, const int64_t* message, void* component,
                double* prpctl7, const int64_t* a, const int64_t* b, const int64_t* c);

/* Prints the first `lines` 80-character records of SYS_MSGBUF. */
void SYS_MSGPRT(const int64_t* lines);

/* Molar-volume root search by reverse communication, vapour-like and
 * liquid-like root. Status 4 on entry starts a search; 1, 2 or 3 back asks for
 * the pressure (and, but in mode 2, its volume derivative) at the volume
 * argument; 4 or 5 back: the root is in the volume argument. */
void KVUTL_VAPRT(int64_t* status, const int64_t* mode, const double* v_bound1, const double* v_crit,
                 const double* v_bound2, const double* T, const double* P, double* volume, const double* p_trial,
                 const double* dpdv_trial, const char* routine_id, void* component);
void KVUTL_LIQRT(int64_t* status, const int64_t* mode, const double* v_bound1, const double* v_crit,
                 const double* v_bound2, const double* T, const double* P, double* volume, const double* p_trial,
                 const double* dpdv_trial, const char* routine_id, void* component);

/* kvbase: ideal-gas properties at temperature T. Of the twelve results r1..r12,
 * r7 is the enthalpy (J/kmol), r8 the entropy and r10 the heat capacity
 * (J/(kmol K)). */
void KVBASE_IDEAL(const double* T, const double* x, const int64_t* ncomp, const int64_t* ncomp_total, void* component,
                  const int64_t* i6, const int64_t* i7, const int64_t* i8, const int64_t* i9, const int64_t* h_request,
                  const int64_t* s_request, const int64_t* i12, double* r1, double* r2, double* r3, double* r4,
                  double* r5, double* r6, double* r7, double* r8, double* r9, double* r10, double* r11, double* r12,
                  int64_t* error);

/* kvbase: dimensionless ideal-gas values of water at T; w3, w5 and w7 are
 * s/R, h/(R T) and cp/R. */
void KVBASE_WATIG(const double* T, double* w1, double* w2, double* w3, double* w4, double* w5, double* w6, double* w7,
                  int64_t* error);

#ifdef __cplusplus
}
#endif

#endif
