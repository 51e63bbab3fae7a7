// The stand-in host's molar-volume root search, KVUTL_LIQRT and KVUTL_VAPRT,
// driven by reverse communication: each call either asks for the pressure at
// a trial volume (status 1 while scanning for a bracket, 2 while widening a
// bracket from a given start, 3 while refining) or ends the search.
//
// Statuses on return:
//   1, 2, 3  the caller puts P(T, volume) into p_trial and calls again;
//   4        the root is in `volume`, the last volume the caller evaluated;
//   5        the evaluation budget ran out; `volume` is the best volume seen;
//   6        KVUTL_VAPRT: no vapour-like root in its range;
//   7        KVUTL_LIQRT: no liquid-like root in its range.
// Status 4 on entry starts a search. KVUTL_LIQRT also starts one when called
// with status 6, the hand-over from KVUTL_VAPRT. Called again after its own
// "no root" answer, a routine ends with status 5 rather than search again,
// so a caller that keeps asking cannot loop.
//
// A root of either kind lies on a stable branch, where P falls as V grows:
// the region-3 equation extrapolated to the densest volumes turns over and
// crosses every pressure once more with dP/dV > 0, a root that is no state of
// water. The liquid-like root is therefore the first crossing from P > P_target
// to P < P_target met going up in volume from the dense end, and the
// vapour-like root the first crossing met going down from the dilute end.
// Only pressures are used: in mode 2 the caller supplies no derivative.
//
// Below the critical temperature the isotherm has a loop: P falls, rises
// again where dP/dV > 0, and falls once more. The loop shrinks towards
// 647.096 K: at 647.0 K its three crossings of psat span 19 % of volume and
// its pressures 5e-5 of P, at 647.095 K 1.8 % and 6e-8. One step can then
// pass over two crossings at once (the vapour-like root and the unstable
// middle one, say) and bracket the third. Every piece between two evaluated
// volumes is therefore checked before the search steps on from it. A piece of
// width h = ln(V_hi/V_lo) can hide a pair of crossings only where the
// isotherm is nearly flat, the loop's cubic shape bounding how far it strays
// from its ends. Measured on the region-3 equation from 623.15 to 647.096 K,
// for a vapour between the B23 pressure and its vapour pressure and a liquid
// above its vapour pressure, every piece that hides a pair next to the root
// sought has P falling by less than 0.33 h^3 P across it and, when
// P - P_target has the same sign at both ends, an end within 0.014 h^3 P of
// the target. A piece across which P falls by less than h^3 P, and that
// either crosses the target as P falls or has an end within h^3 P of it, is
// looked into: its geometric midpoint is evaluated and each half is checked
// in turn, in the direction of travel, down to a width of 5e-4, where a
// hidden loop would stray less than 1e-10 P, the pressure tolerance. A piece
// across which P rises through the target holds an unstable root and is
// passed; the first stable crossing in a piece that passes the check is
// refined. A volume within the pressure tolerance ends the search only while
// refining, or as the caller's start in mode 5: met while scanning, it may
// be the middle root.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "host/host.h"
#include "host/standin/standin_host.hpp"

namespace standin {
namespace {

constexpr int status_scan = 1;
constexpr int status_widen = 2;
constexpr int status_refine = 3;
constexpr int status_found = 4;
constexpr int status_budget = 5;
constexpr int status_no_vapour_root = 6;
constexpr int status_no_liquid_root = 7;
constexpr int status_start = 4;

constexpr double pressure_tolerance = 1e-10;  // relative |P(V) - P|
constexpr double volume_tolerance = 1e-14;    // relative width of the bracket
constexpr int scan_steps = 48;                // volume steps across the scanned range
constexpr double first_widening = 1.01;       // first step ratio from a given start (mode 5)
constexpr double widest_step = 1.25;          // largest step ratio from a given start
constexpr double flat_piece = 1.0;            // a piece is flat when P falls by less than this h^3 P across it
constexpr double near_piece = 1.0;            // and near when an end lies within this h^3 P of the target
constexpr double finest_piece = 5e-4;         // ln(V_hi/V_lo) of the narrowest piece looked into
constexpr int max_ahead = 24;                 // volumes evaluated beyond the last one stepped on

enum class kind { liquid, vapour };
enum class stage { scan, widen, refine };

struct point {
  double v = 0.0, f = 0.0;  // volume and P(v) - P_target
};

struct search_state {
  bool active = false;
  bool exhausted = false;  // the last answer was "no root"
  kind root = kind::liquid;
  stage at = stage::scan;
  double T = 0.0, P = 0.0;
  double v = 0.0;            // the volume handed out for evaluation
  double v_end = 0.0;        // where the scan stops
  double v_dense = 0.0;      // the range searched
  double v_dilute = 0.0;
  double ratio = 1.0;        // scan or widening step ratio (> 1 up, < 1 down in a scan)
  double direction = 1.0;    // widening: +1 up in volume, -1 down
  point last;                // the last volume stepped on
  bool have_last = false;
  point ahead[max_ahead];    // volumes evaluated beyond `last` while looking into a piece, nearest last
  int n_ahead = 0;
  bool inside = false;       // the volume handed out lies between `last` and the nearest of `ahead`
  double a = 0.0, fa = 0.0;  // bracket: f(a) > 0 >= f(b)
  double b = 0.0, fb = 0.0;
  int stale_side = 0;        // Illinois: which end stayed put last time
  int evaluations = 0;
  double best_v = 0.0, best_f = 0.0;
};

search_state liquid_search, vapour_search;
int flag_errors = 0;
root_search_counts totals;
root_search_start last_start;

int ask(search_state& s, double v, int status) {
  s.v = v;
  return status;
}

int finish(search_state& s, int status, double* volume) {
  s.active = false;
  s.exhausted = status == status_no_liquid_root || status == status_no_vapour_root;
  if (status == status_budget) *volume = s.best_v;
  return status;
}

int no_root(search_state& s, double* volume) {
  *volume = s.best_v;
  return finish(s, s.root == kind::liquid ? status_no_liquid_root : status_no_vapour_root, volume);
}

// Next point of the bracket [a, b]: false position with the Illinois halving
// of a stale end's value, kept inside the bracket.
double next_in_bracket(search_state& s) {
  double v = s.b - s.fb * (s.b - s.a) / (s.fb - s.fa);
  const double lo = std::min(s.a, s.b), hi = std::max(s.a, s.b);
  if (!(v > lo && v < hi)) v = 0.5 * (s.a + s.b);
  return v;
}

int start_refining(search_state& s, double a, double fa, double b, double fb) {
  s.at = stage::refine;
  s.a = a;
  s.fa = fa;
  s.b = b;
  s.fb = fb;
  s.stale_side = 0;
  return ask(s, next_in_bracket(s), status_refine);
}

int start(search_state& s, kind root, const std::int64_t* mode, const double* v_bound1, const double* v_crit,
          const double* T, const double* P, double* volume) {
  s = search_state{};
  s.active = true;
  s.root = root;
  s.T = *T;
  s.P = *P;
  if (!(std::isfinite(s.T) && std::isfinite(s.P) && s.T > 0.0 && s.P > 0.0)) {
    s.best_v = *volume;
    return no_root(s, volume);
  }
  // The range: from the caller's densest volume to twice the ideal-gas volume.
  const double v_dense = *v_bound1 > 0.0 ? *v_bound1 : 0.3 * *v_crit;
  const double v_dilute = std::max(4.0 * *v_crit, 2.0 * KVUTL_GLOBAL[2] * s.T / s.P);
  s.ratio = std::pow(v_dilute / v_dense, 1.0 / scan_steps);
  s.v_dense = v_dense;
  s.v_dilute = v_dilute;
  s.best_v = root == kind::liquid ? v_dense : v_dilute;
  s.best_f = HUGE_VAL;

  const double v0 = *volume;
  if (*mode == 5 && std::isfinite(v0) && v0 > v_dense && v0 < v_dilute) {
    s.at = stage::widen;
    s.ratio = first_widening;
    return ask(s, v0, status_widen);
  }
  s.at = stage::scan;
  if (root == kind::liquid) {
    s.v_end = v_dilute;
    return ask(s, v_dense, status_scan);
  }
  s.v_end = v_dense;
  s.ratio = 1.0 / s.ratio;
  return ask(s, v_dilute, status_scan);
}

int stage_status(const search_state& s) { return s.at == stage::scan ? status_scan : status_widen; }

// The next step from `last`: the scan's next volume, or the next widening step.
int step_on(search_state& s, double* volume) {
  s.inside = false;
  const double v = s.last.v;
  if (s.at == stage::scan) {
    const double next = v * s.ratio;
    const bool past_end = s.root == kind::liquid ? next > s.v_end * (1.0 + 1e-12) : next < s.v_end * (1.0 - 1e-12);
    if (past_end) return no_root(s, volume);
    return ask(s, next, status_scan);
  }
  const double next = s.direction > 0.0 ? v * s.ratio : v / s.ratio;
  s.ratio = std::min(1.0 + 2.0 * (s.ratio - 1.0), widest_step);
  if (next < s.v_dense || next > s.v_dilute) return no_root(s, volume);
  return ask(s, next, status_widen);
}

// Whether the piece between lo and hi (lo.v < hi.v, both values finite) may
// hide a pair of crossings: P falls by less than flat_piece h^3 P_target
// across it, and it either crosses the target in the stable sense or keeps
// its sign with an end within near_piece h^3 P_target of the target.
bool may_hide_a_pair(const point& lo, const point& hi, double P) {
  const bool stable_crossing = lo.f > 0.0 && hi.f <= 0.0;
  const bool same_sign = (lo.f > 0.0) == (hi.f > 0.0);
  if (!stable_crossing && !same_sign) return false;
  const double fall = lo.f - hi.f;
  const double nearest = std::min(std::fabs(lo.f), std::fabs(hi.f));
  // Most pieces are settled by the bound h <= (V_hi - V_lo)/V_lo, without a
  // logarithm or a division.
  const double width = hi.v - lo.v, lo3 = lo.v * lo.v * lo.v;
  const double w3P = width * width * width * P;
  if (fall * lo3 >= flat_piece * w3P || (same_sign && nearest * lo3 > near_piece * w3P)) return false;
  const double h = std::log(hi.v / lo.v);
  if (!(h > finest_piece)) return false;
  const double h3P = h * h * h * P;
  return fall < flat_piece * h3P && (stable_crossing || nearest <= near_piece * h3P);
}

// Checks the pieces from `last` to the volumes evaluated ahead of it, nearest
// first: looks into a piece that may hide a pair of crossings, refines the
// first stable crossing, passes the others; then steps on.
int examine(search_state& s, double* volume) {
  while (s.n_ahead > 0) {
    const point next = s.ahead[s.n_ahead - 1];
    const bool up = next.v > s.last.v;
    const point lo = up ? s.last : next, hi = up ? next : s.last;
    if (std::isfinite(lo.f) && std::isfinite(hi.f)) {
      if (s.n_ahead < max_ahead && may_hide_a_pair(lo, hi, s.P)) {
        s.inside = true;
        return ask(s, std::sqrt(lo.v) * std::sqrt(hi.v), stage_status(s));
      }
      if (lo.f > 0.0 && hi.f <= 0.0) return start_refining(s, lo.v, lo.f, hi.v, hi.f);
    }
    s.last = next;
    --s.n_ahead;
  }
  return step_on(s, volume);
}

int resume(search_state& s, const double* p_trial, double* volume) {
  const double v = s.v;
  const double f = *p_trial - s.P;
  ++s.evaluations;
  if (std::isfinite(f) && std::fabs(f) < std::fabs(s.best_f)) {
    s.best_v = v;
    s.best_f = f;
  }
  const bool within_tolerance = std::isfinite(f) && std::fabs(f) <= pressure_tolerance * s.P;
  // While scanning or widening, a volume within the tolerance may be the
  // middle root: only the caller's own start is taken as it stands.
  if (within_tolerance && (s.at == stage::refine || (s.at == stage::widen && !s.have_last))) {
    *volume = v;
    return finish(s, status_found, volume);
  }
  if (s.evaluations >= evaluation_budget) return finish(s, status_budget, volume);

  switch (s.at) {
    case stage::scan:
    case stage::widen: {
      const point p{v, f};
      if (!s.have_last) {
        if (s.at == stage::widen) {
          if (!std::isfinite(f)) return no_root(s, volume);
          // P above the target: the root lies at larger volume; below: at smaller.
          s.direction = f > 0.0 ? 1.0 : -1.0;
        }
        s.last = p;
        s.have_last = true;
        return step_on(s, volume);
      }
      if (!s.inside && s.at == stage::widen && !std::isfinite(f)) return no_root(s, volume);
      s.ahead[s.n_ahead++] = p;
      return examine(s, volume);
    }
    case stage::refine: {
      if (!std::isfinite(f)) return finish(s, status_budget, volume);
      if (f > 0.0) {
        s.a = v;
        s.fa = f;
        if (s.stale_side == -1) s.fb *= 0.5;
        s.stale_side = -1;
      } else {
        s.b = v;
        s.fb = f;
        if (s.stale_side == 1) s.fa *= 0.5;
        s.stale_side = 1;
      }
      if (std::fabs(s.b - s.a) <= volume_tolerance * std::fabs(v)) {
        *volume = v;
        return finish(s, status_found, volume);
      }
      return ask(s, next_in_bracket(s), status_refine);
    }
  }
  return finish(s, status_budget, volume);
}

void search(search_state& s, kind root, std::int64_t* status, const std::int64_t* mode, const double* v_bound1,
            const double* v_crit, const double* T, const double* P, double* volume, const double* p_trial) {
  if (KVUTL_ROOTFL[0] != -1 && KVUTL_ROOTFL[1] != -1) ++flag_errors;
  const std::int64_t in = *status;
  const std::int64_t own_no_root = root == kind::liquid ? status_no_liquid_root : status_no_vapour_root;
  int out;
  if (in == status_start || (root == kind::liquid && in == status_no_vapour_root)) {
    ++totals.searches;
    last_start = {root == kind::vapour, *mode, *volume};
    out = start(s, root, mode, v_bound1, v_crit, T, P, volume);
  } else if ((in == status_scan || in == status_widen || in == status_refine) && s.active) {
    ++totals.pressures;
    out = resume(s, p_trial, volume);
  } else {
    // Asked again after "no root", or called out of turn: end with the best volume seen.
    if (in != own_no_root && !(root == kind::vapour && in == status_no_liquid_root)) ++flag_errors;
    if (!s.exhausted && !s.active) s.best_v = *volume;
    out = finish(s, status_budget, volume);
  }
  if (out == status_scan || out == status_widen || out == status_refine) *volume = s.v;
  *status = out;
}

}  // namespace

int root_flag_errors() { return flag_errors; }
void clear_root_flag_errors() { flag_errors = 0; }
root_search_counts root_search_totals() { return totals; }
root_search_start last_root_search_start() { return last_start; }
void clear_root_search_totals() { totals = {}; }

}  // namespace standin

extern "C" {

__attribute__((visibility("default"))) void KVUTL_LIQRT(int64_t* status, const int64_t* mode, const double* v_bound1,
                                                        const double* v_crit, const double*, const double* T,
                                                        const double* P, double* volume, const double* p_trial,
                                                        const double*, const char*, void*) {
  standin::search(standin::liquid_search, standin::kind::liquid, status, mode, v_bound1, v_crit, T, P, volume,
                  p_trial);
}

__attribute__((visibility("default"))) void KVUTL_VAPRT(int64_t* status, const int64_t* mode, const double* v_bound1,
                                                        const double* v_crit, const double*, const double* T,
                                                        const double* P, double* volume, const double* p_trial,
                                                        const double*, const char*, void*) {
  standin::search(standin::vapour_search, standin::kind::vapour, status, mode, v_bound1, v_crit, T, P, volume,
                  p_trial);
}

}  // extern "C"
