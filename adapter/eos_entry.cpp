// KVIAPWS_ES15D: the host's equation-of-state call for one phase of water.
// Returns ln phi, H, S, G and V as the host asks, moving a state outside
// IAPWS-IF97 to the nearest admissible one and warning about it.
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "adapter/kviapws97.h"
#include "adapter/state_settling.hpp"
#include "host/host.h"

namespace kviapws97 {
namespace {

constexpr double psat_step = 0.01;    // K, for the slope of ln psat beyond the saturation line
constexpr double volume_damping = 3000.0;
constexpr double caloric_damping = 2000.0;

// A request flag asks for its quantity when it equals 1. Other non-zero
// values are served only below 273.15 K: each lowers by one there, so 1 gets
// the linear extrapolation alone and 2 the formulation's value at 273.15 K,
// which overwrites the extrapolation. At and above 273.15 K a flag other
// than 0 and 1 leaves its output as the caller had it.
struct request_flags {
  std::int64_t lnphi, h, s, g, v;
  bool any() const { return lnphi != 0 || h != 0 || s != 0 || g != 0 || v != 0; }
};

// Lowers a served flag by one. The lowest 64-bit flag stays as it is: lowered
// it would still be neither 0 nor 1, and lowering it would overflow.
void lower(std::int64_t& flag) {
  if (flag != std::numeric_limits<std::int64_t>::min()) --flag;
}

// ln(a/b) without forming a/b, which overflows or underflows when one of the
// pressures is near an end of the doubles (a subnormal pressure, say).
double ln_ratio(double a, double b) { return std::log(a) - std::log(b); }

struct outputs {
  double* lnphi;
  double* H;
  double* S;
  double* G;
  double* V;
  bool failed = false;

  // Far outside the formulation (a liquid at 1e300 K, or at 1e-310 K with
  // its ln phi from the vapour pressure) the extrapolations overflow. As in
  // KVIAPWS_IF97PROP, a value that is not finite is no value: the output gets
  // the missing value. An output that holds the missing value, from here or
  // from a failed dispatcher call, gives the call the error flag once it is
  // done (every dispatcher call resets the flag).
  void put(double* output, double value) {
    if (std::isfinite(value) && value != SYS_RCONST[0]) {
      *output = value;
      return;
    }
    *output = SYS_RCONST[0];
    failed = true;
  }
};

// A value formed from a missing one (G from a failed H, say) is missing too,
// not a number made of the missing value.
double formed(double value, std::initializer_list<double> from) {
  for (const double x : from)
    if (x == SYS_RCONST[0]) return SYS_RCONST[0];
  return value;
}

// Liquid below 273.15 K: straight lines in d = T - 273.15 K that continue
// the formulation's values at 273.15 K and the reference pressure.
void extrapolate(double T, double P, request_flags& want, const outputs& out) {
  const double Pref = KVUTL_GLOBAL[0];
  const double R = KVUTL_GLOBAL[2];
  const double d = T - T_lower;
  if (want.lnphi != 0) {
    *out.lnphi = 0.07262363617339673 * d - 5.11026304547219 + ln_ratio(Pref, P);
    lower(want.lnphi);
  }
  if (want.h != 0) {
    *out.H = 42525.9184636176 * d - 45053196.156517;
    lower(want.h);
  }
  if (want.s != 0) {
    *out.S = 155.684202995326 * d - 122450.983192132 - R * ln_ratio(P, Pref);
    lower(want.s);
  }
  if (want.g != 0) {
    *out.G = 122450.204765424 * d - 11605710.0975863 + R * T * ln_ratio(P, Pref);
    lower(want.g);
  }
  if (want.v != 0) {
    *out.V = -1.217974424788659e-6 * d + 0.01801808528519308;
    lower(want.v);
  }
}

// ln phi of a liquid from its vapour pressure alone; beyond 273.15 to
// 647.096 K, ln psat continues linearly in 1/T from the nearer end.
double lnphi_from_vapour_pressure(eos_request& r) {
  if (r.T >= T_lower && r.T <= T_crit) return ln_ratio(vapour_pressure(r, r.T), r.P);
  const double T0 = r.T < T_lower ? T_lower : T_crit;
  const double ps0 = vapour_pressure(r, T0);
  const double ps1 = vapour_pressure(r, T0 - psat_step);
  const double slope = std::log(ps1 / ps0) * (T0 - psat_step) * T0 / psat_step;
  return slope * (1.0 / r.T - 1.0 / T0) + ln_ratio(ps0, r.P);
}

struct pass_values {
  double H, S, lnphi, V;
};

// The dispatcher's values at (Te, Pe), or at the region-3 root volume.
pass_values evaluate(eos_request& r, bool need_h, bool need_s, bool need_lnphi, bool need_v) {
  const double X0 = SYS_PRPCTL[0];
  pass_values out{X0, X0, X0, X0};
  double T = r.Te, P = r.Pe;
  if (r.region == 3) {
    search_volume(r);
    P = r.p_trial;
    need_v = false;
    out.V = r.V;
  }
  if (need_h) out.H = property(r, KVIAPWS97_ENTHALPY, T, P, r.V, r.region);
  if (need_s) out.S = property(r, KVIAPWS97_ENTROPY, T, P, r.V, r.region);
  if (need_lnphi) out.lnphi = property(r, KVIAPWS97_LNPHI, T, P, r.V, r.region);
  if (need_v) out.V = property(r, KVIAPWS97_VOLUME, T, P, r.V, r.region);
  return out;
}

void es15d(double T, double P, void* component, std::int64_t phase, std::int64_t saturation,
           std::int64_t fugacity_mode, request_flags want, outputs& out, std::int64_t* error) {
  *error = 0;
  // A temperature or pressure that is not a positive number is no state.
  if (!(std::isfinite(T) && std::isfinite(P) && T > 0.0 && P > 0.0)) {
    const double missing = SYS_RCONST[0];
    if (want.lnphi != 0) *out.lnphi = missing;
    if (want.h != 0) *out.H = missing;
    if (want.s != 0) *out.S = missing;
    if (want.g != 0) *out.G = missing;
    if (want.v != 0) *out.V = missing;
    *error = 1;
    return;
  }

  eos_request r{warning_source::es15d, "ESIA    PW97    ES15    D       ", T, P, phase, component, error};
  r.Te = T;
  if (T < T_lower) {
    if (phase == 1) {
      r.Te = T_lower;
    } else {
      extrapolate(T, P, want, out);
      if (!want.any()) return;
    }
  }

  const double R = KVUTL_GLOBAL[2];
  const double X0 = SYS_PRPCTL[0];
  r.Pe = P;
  r.V = X0;
  const double dT = (phase % 2 != 0 ? -1.0 : 1.0) * 0.01;  // K, (-1)^phase 0.01

  if (fugacity_mode == 0) {
    if (want.lnphi == 1) out.put(out.lnphi, (phase == 1 || saturation != 0) ? 0.0 : lnphi_from_vapour_pressure(r));
    want.lnphi = 0;
    if (!want.any()) return;
  }

  r.p_trial = X0;
  r.dpdv_trial = X0;
  KVUTL_ROOTFL[0] = 0;
  KVUTL_ROOTFL[1] = 0;

  if (r.Te < T_lower) {
    warn(r.source, 2, component, T, T_lower);
    r.Te = T_lower;
  }
  if (T <= T_crit) r.Psat = vapour_pressure(r, r.Te);

  if (saturation != 0) {
    if (T > T_crit) {
      warn(r.source, 3, component, T);
      r.Te = T_crit;
      r.Psat = P_crit;
    }
    r.Pe = r.Psat;
    if (phase == 1 || phase == 2)
      decide_region(r);
    else
      settle_bounds_and_region(r);
  } else {
    settle_bounds_and_region(r);
  }

  const bool liquid_lowered = !r.vapour() && T > T_crit;
  const bool need_h = want.h == 1 || want.g == 1 || r.raised;
  const bool need_s = want.s == 1 || want.g == 1 || r.raised;
  const bool need_lnphi = want.lnphi == 1;  // fugacity mode non-zero here
  const bool need_v = want.v == 1 || r.raised || liquid_lowered;
  const bool two_point = !r.vapour() && r.raised && r.Te >= T_crit;

  // A liquid raised to the critical pressure beyond the critical temperature
  // is evaluated at two temperatures and extrapolated with damping.
  pass_values first{};
  if (two_point) {
    const double Te = r.Te;
    r.Te = Te - dT;
    first = evaluate(r, need_h, need_s, false, need_v);
    r.Te = Te;
    r.mode = 5;  // the second search starts from the first root
  }
  const pass_values last = evaluate(r, need_h, need_s, need_lnphi, need_v);

  double H = last.H, S = last.S, V = last.V;
  if (two_point) {
    const double d = T - r.Te;
    V = formed(V + d * (V - first.V) / dT / volume_damping, {V, first.V});
    S = formed(S + d * (S - first.S) / dT / caloric_damping, {S, first.S});
    H = formed(H + d * (H - first.H) / dT / caloric_damping, {H, first.H});
  }
  double G = formed(last.H - r.Te * last.S, {last.H, last.S}), lnphi = last.lnphi;

  // A liquid below its vapour pressure: G and ln phi back to the caller's pressure.
  if (r.raised) {
    const double RT = R * T;
    G = formed(last.H - T * last.S + RT * ln_ratio(r.Psat, P) + (P - r.Psat) * last.V, {last.H, last.S, last.V});
    lnphi = formed(lnphi + ln_ratio(r.Psat, P) - last.H * (T - r.Te) / (RT * r.Te) + (P - r.Psat) * last.V / RT,
                   {lnphi, last.H, last.V});
  }
  if (want.lnphi == 1) out.put(out.lnphi, lnphi);
  if (want.h == 1) out.put(out.H, H);
  if (want.s == 1) out.put(out.S, S);
  if (want.g == 1) out.put(out.G, G);
  if (want.v == 1) out.put(out.V, V);
}

}  // namespace
}  // namespace kviapws97

extern "C" void KVIAPWS_ES15D(const double* T, const double* P, void* component, const int64_t* phase,
                              const int64_t* saturation, const int64_t* fugacity_mode, const int64_t* want_lnphi,
                              const int64_t* want_h, const int64_t* want_s, const int64_t* want_g,
                              const int64_t* want_v, double* lnphi, double* H, double* S, double* G, double* V,
                              int64_t* error) noexcept {
  kviapws97::outputs out{lnphi, H, S, G, V};
  kviapws97::es15d(*T, *P, component, *phase, *saturation, *fugacity_mode,
                   {*want_lnphi, *want_h, *want_s, *want_g, *want_v}, out, error);
  if (out.failed) *error = 1;
}
