// What the state functions share: states in IF97 units (MPa, K, kJ/kg,
// m3/kg), the saturated states of the forward equations, the region-3
// density on a branch of an isotherm, and the assembly of a result in SI
// units.
#pragma once

#include "if97/constants.hpp"
#include "if97/properties.hpp"
#include "water/state.hpp"

namespace kviapws97::water::detail {

// The bounds that every state function keeps, in the units a caller gives
// (README, "Bounds"). A state returned with status ok lies inside them, and
// every function accepts every state that another returns.
//
// The lowest pressure served, Pa. IAPWS-IF97 region 2 holds for p > 0, but
// below this the ideal-gas volume and entropy leave double precision for
// some inputs (pT(1e-315 Pa, 300 K) had v = inf), and the backward equations
// of T(p, s) no longer start a flash. (T, rho) serves the densities whose
// pressure at T is at least this.
inline constexpr double p_min_Pa = 1e-3;  // Pa
inline constexpr double p_max_Pa = 1e6 * if97::p_max;  // Pa
// The saturation pressure at 273.15 K in Pa, as (T, x) reports it: the
// lowest pressure of a saturated state, of a liquid, and of (p, x).
double p_triple_Pa();
// Why (p in Pa, T in K) lies outside the formulation, or ok: the bounds of
// (p, T), which the other functions' states keep too.
status pT_bounds(double p_Pa, double T);
// Why a pressure in Pa lies outside the formulation at some temperature, or ok.
status pressure_bounds(double p_Pa);

// A single-phase state of one region, IF97 units.
struct single {
  int region;  // 1, 2, 3 or 5
  if97::properties pr;
  // What pr holds beyond p and T (the rest NaN): a search for T alone in
  // regions 1, 2 and 5 evaluates no more than it needs. Region 3's are
  // always all.
  if97::extent evaluated = if97::extent::all;
};

// The saturated liquid and vapour at (p, T) of the saturation line, from
// the forward equations: regions 1 and 2 up to 623.15 K, above it the outer
// roots of the region-3 equation at p.
struct saturation {
  double p;     // MPa
  double p_si;  // Pa, as the state reports it: the caller's where p came from one
  double T;     // K
  single liquid;
  single vapour;
};

// The saturated states at T (273.15 K <= T < T_c) and p = psat(T), or at a
// given point (p, T) of the line. False where the region-3 roots are not
// found (not expected below T_c).
// Below 623.15 K the saturated phases hold the extent asked for; region 3's
// hold every property.
bool saturation_at_T(double T, saturation& out);
bool saturation_at(double p, double T, saturation& out, if97::extent e = if97::extent::all);

// The saturated states of a pressure in Pa at its saturation temperature.
// The same p_si gives the same states bit for bit, whichever function of the
// API it came through: (p, x), a flash, or (T, x) with p_si = psat(T) in Pa.
bool saturation_of_pressure(double p_si, saturation& out, if97::extent e = if97::extent::all);

// The saturation temperature of p, K: the temperature whose psat (IAPWS-IF97
// Eq. (30) and its continuation to T_c) is p, to the last bit where there is
// one. Eq. (31) inverts Eq. (30) only to 3e-11 K; polished by Newton steps on
// psat itself, the saturated states of p and of psat(T) are the same states.
double saturation_temperature(double p);

// The density of region 3 at (T, p), kg/m3, on a branch of the isotherm:
// the liquid branch (the largest root, reached from above), the vapour branch
// (the smallest root, reached from below), or the one root above the
// critical temperature. NaN where there is none.
enum class branch { liquid, vapour, single_root };
double density3(double T, double p, branch b, double rho_start);

// The branch of region 3 on which a state at (p, T) lies.
branch branch_of(double p, double T);

single region3_at(double T, double rho);

// Results in SI units, with the phase, the transport properties and, for a
// two-phase state, the saturated phases.
result single_result(const single& s);
// A metastable state of a phase request (water/metastable.cpp), within the
// bounds that it checks: single_result's, except that supersaturated vapour
// (region 2, IAPWS-IF97 Eq. (18)) may lie below 273.15 K, down to the 5 %
// equilibrium-moisture line.
result metastable_result(const single& s);
result two_phase_result(const saturation& sat, double x);
result failure(status s);

// A state that a search found, before its outputs are formed: a single
// phase, or the saturated states and vapour fraction of a two-phase state.
struct found {
  water::status status;
  bool two_phase;
  double x;        // two-phase
  saturation sat;  // two-phase: the saturated states; a single phase: sat.liquid alone
  explicit operator bool() const noexcept { return status == status::ok; }
  single& one() noexcept { return sat.liquid; }
  const single& one() const noexcept { return sat.liquid; }
  double T() const noexcept { return two_phase ? sat.T : sat.liquid.pr.T; }
};
found found_failure(status s);
// Only what a result reads of each is set: a found state is returned
// through every layer of a search, and a two-phase one is large.
found found_single(const single& s);
found found_two_phase(const saturation& sat, double x);
// The single phase of (p in Pa, T in K) in its region of (p, T), evaluated
// to extent e (region 3 fully); status not_converged where region 3 has no
// density there.
found pT_found(double p_Pa, double T, if97::extent e);
// The states that the flashes pT, ph, ps, hs, Tx and px find, with their
// checks of the inputs, each phase evaluated whole: what the flashes that
// also form the derivatives (water/derivatives.hpp) take their slopes from.
// pT, Tx and px in water/state.cpp, the others in water/flash.cpp.
found pT_search(double p_Pa, double T, if97::extent e);
found Tx_search(double T, double x, if97::extent e);
found px_search(double p_Pa, double x, if97::extent e);
found ph_search(double p_Pa, double h);
found ps_search(double p_Pa, double s);
found hs_search(double h, double s);
// The result of a state found, with the outputs asked for: the single-phase
// guard of single_result, the values of two_phase_result.
result assemble(const found& f, outputs asked);
// The extent of a single phase's evaluation that a set of outputs needs.
if97::extent extent_of(outputs asked);
// The result of a polished single-phase state (IF97 units) that may lie
// beyond a bound of (p, T) by no more than its accuracy: such a state is put
// on the bound, which the other functions and the final check accept (a
// polished T one ulp above 2273.15 K at 50 MPa was refused); one farther
// beyond fails. Defined in water/flash.cpp.
result bounded_result(const single& st);
found bounded(const single& st);

// Whether a polished single-phase state keeps the bounds of its region
// (water/region_verdict.cpp): its region, or the one to try instead, with
// how far (K) beyond the bound it crossed (623.15 K, B23, 1073.15 K).
inline constexpr int outside_formulation = 0;
inline constexpr int inside_saturation_line = 4;  // a metastable state of its equation
struct region_verdict {
  int next;
  double beyond = 0.0;  // K
};
// How closely each flash fixes its polished states, and what it asks of them.
struct verdict_tolerance {
  double T_rel;      // T against its bounds, and p against B23, which ties p to T
  double p_rel;      // p against 100 MPa and 50 MPa
  double psat_rel;   // p against psat(T)
  double p_min_MPa;  // the lowest pressure kept
  // The saturation line checked up to T_c: region 3's states (dv/dp >= 0, or
  // v between the saturated volumes) and region 1's extrapolated beyond
  // 623.15 K under psat(T) lie inside it.
  bool dome_to_T_c;
  // Region 2's state beyond 2273.15 K (its equation extrapolated) goes on
  // to region 5 rather than outside the formulation.
  bool region2_on_to_5;
};
region_verdict region_verdict_of(const single& st, const verdict_tolerance& tol);

// The equations on which a phase request (water/metastable.cpp) solves (p, h)
// and (p, s) beyond the saturation line.
enum class isobar_equation { region1, metastable_vapour };

// The flashes' isobar polish (Halley's iteration in T at constant p, MPa)
// on one of them, from T (K), until h (kJ/kg) or, by_entropy, s (kJ/(kg K))
// is reproduced. False where it does not converge.
bool polish_on_isobar(isobar_equation e, bool by_entropy, double p, double target, double T, single& out);
// The Newton steps of the last single-phase polish of a flash of
// flash_pairs.cpp on this thread, for tests that count them.
int last_polish_steps() noexcept;
// The evaluations of the saturation line (the saturated phases at a
// temperature) of the last two-phase search of (rho, u), (rho, h), (rho, s),
// (h, x) or (s, x) on this thread, for tests that count them.
int last_line_evaluations() noexcept;

}  // namespace kviapws97::water::detail
