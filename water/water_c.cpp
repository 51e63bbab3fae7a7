// The C interface of kviapws97/water.h: thin shims over the C++ state
// functions.
#include "water/kviapws97/water.h"

#include <limits>

#include "if97/constants.hpp"
#include "water/batch.hpp"
#include "water/derivatives.hpp"
#include "water/chemistry.hpp"
#include "water/state.hpp"

namespace {

using namespace kviapws97;

int put(const water::result& r, kviapws97_state* out) {
  const water::state& s = r.state;
  *out = {s.region, static_cast<int>(s.phase), s.p, s.T, s.rho, s.v, s.h, s.s, s.u, s.cp, s.cv, s.w, s.x, s.mu,
          s.lambda};
  return static_cast<int>(r.status);
}

// The saturated phases of a state on the saturation line, each as a single
// phase: its own properties, x undefined, the region of the equation that
// gives it (IAPWS-IF97 regions 1 and 2 up to 623.15 K, region 3 above).
int put_saturated(const water::result& r, kviapws97_state* liquid, kviapws97_state* vapour) {
  const int status = put(r, liquid);
  *vapour = *liquid;
  if (!r) return status;
  const bool region3 = r.state.T > if97::T_region1_max;
  const auto one_phase = [](const water::phase_values& s, int region, water::phase phase) {
    return kviapws97_state{region, static_cast<int>(phase), s.p, s.T, s.rho, s.v, s.h, s.s, s.u, s.cp, s.cv, s.w,
                           std::numeric_limits<double>::quiet_NaN(), s.mu, s.lambda};
  };
  *liquid = one_phase(r.state.liquid, region3 ? 3 : 1, water::phase::liquid);
  *vapour = one_phase(r.state.vapour, region3 ? 3 : 2, water::phase::vapour);
  return status;
}

// The C++ state of a C one: a two-phase state's saturated phases again from
// its pressure, bit for bit those the state was formed with.
water::result as_state(const kviapws97_state& c) {
  if (c.region == 4) return water::px(c.p, c.x);
  water::result r{water::status::ok, {}};
  water::state& s = r.state;
  s.region = c.region;
  s.phase = static_cast<water::phase>(c.phase);
  s.p = c.p;
  s.T = c.T;
  s.rho = c.rho;
  s.v = c.v;
  s.h = c.h;
  s.s = c.s;
  s.u = c.u;
  s.x = c.x;
  return r;
}

int put(const water::property_result& q, double* out) {
  *out = q.value;
  return static_cast<int>(q.status);
}

}  // namespace

extern "C" {

int kviapws97_pT(double p, double T, kviapws97_state* out) noexcept { return put(water::pT(p, T), out); }
int kviapws97_ph(double p, double h, kviapws97_state* out) noexcept { return put(water::ph(p, h), out); }
int kviapws97_ps(double p, double s, kviapws97_state* out) noexcept { return put(water::ps(p, s), out); }
int kviapws97_hs(double h, double s, kviapws97_state* out) noexcept { return put(water::hs(h, s), out); }
int kviapws97_Tx(double T, double x, kviapws97_state* out) noexcept { return put(water::Tx(T, x), out); }
int kviapws97_px(double p, double x, kviapws97_state* out) noexcept { return put(water::px(p, x), out); }
int kviapws97_Trho(double T, double rho, kviapws97_state* out) noexcept { return put(water::Trho(T, rho), out); }
int kviapws97_pT_phase(double p, double T, int phase, kviapws97_state* out) noexcept {
  return put(water::pT(p, T, static_cast<water::phase>(phase)), out);
}
int kviapws97_ph_phase(double p, double h, int phase, kviapws97_state* out) noexcept {
  return put(water::ph(p, h, static_cast<water::phase>(phase)), out);
}
int kviapws97_ps_phase(double p, double s, int phase, kviapws97_state* out) noexcept {
  return put(water::ps(p, s, static_cast<water::phase>(phase)), out);
}

int kviapws97_saturation_T(double T, kviapws97_state* liquid, kviapws97_state* vapour) noexcept {
  return put_saturated(water::Tx(T, 0.0), liquid, vapour);
}
int kviapws97_saturation_p(double p, kviapws97_state* liquid, kviapws97_state* vapour) noexcept {
  return put_saturated(water::px(p, 0.0), liquid, vapour);
}

// water::status has int as its underlying type: every int is a value of it,
// and status_text names the ones that are no status "unknown status".
const char* kviapws97_error_text(int code) noexcept {
  return water::status_text(static_cast<water::status>(code));
}

int kviapws97_derivative(const kviapws97_state* state, int of, int wrt, int held, double* out) noexcept {
  if (out == nullptr) return static_cast<int>(water::status::not_finite);
  *out = std::numeric_limits<double>::quiet_NaN();
  if (state == nullptr) return static_cast<int>(water::status::not_finite);
  const water::result r = as_state(*state);
  if (!r) return static_cast<int>(r.status);
  const water::derivative_result d = water::derivative(r.state, static_cast<water::quantity>(of),
                                                       static_cast<water::quantity>(wrt),
                                                       static_cast<water::quantity>(held));
  *out = d.value;
  return static_cast<int>(d.status);
}

int kviapws97_rhou(double rho, double u, kviapws97_state* out) noexcept { return put(water::rhou(rho, u), out); }
int kviapws97_prho(double p, double rho, kviapws97_state* out) noexcept { return put(water::prho(p, rho), out); }
int kviapws97_rhoh(double rho, double h, kviapws97_state* out) noexcept { return put(water::rhoh(rho, h), out); }
int kviapws97_rhos(double rho, double s, kviapws97_state* out) noexcept { return put(water::rhos(rho, s), out); }
int kviapws97_pu(double p, double u, kviapws97_state* out) noexcept { return put(water::pu(p, u), out); }
int kviapws97_Th(double T, double h, kviapws97_state* out) noexcept { return put(water::Th(T, h), out); }
int kviapws97_Ts(double T, double s, kviapws97_state* out) noexcept { return put(water::Ts(T, s), out); }
int kviapws97_hx(double h, double x, kviapws97_state* out) noexcept { return put(water::hx(h, x), out); }
int kviapws97_sx(double s, double x, kviapws97_state* out) noexcept { return put(water::sx(s, x), out); }

}  // extern "C"

namespace {

// The states of an _all function into the caller's array: at most capacity
// of them, *count all there are.
int put_all(const water::all_results& all, kviapws97_state* out, int capacity, int* count) {
  if (count) *count = all.count;
  for (int i = 0; i < all.count && i < capacity; ++i) put({water::status::ok, all.states[i]}, out + i);
  return static_cast<int>(all.status);
}

}  // namespace

extern "C" {

int kviapws97_prho_all(double p, double rho, kviapws97_state* out, int capacity, int* count) noexcept {
  return put_all(water::prho_all(p, rho), out, capacity, count);
}
int kviapws97_Th_all(double T, double h, kviapws97_state* out, int capacity, int* count) noexcept {
  return put_all(water::Th_all(T, h), out, capacity, count);
}
int kviapws97_Ts_all(double T, double s, kviapws97_state* out, int capacity, int* count) noexcept {
  return put_all(water::Ts_all(T, s), out, capacity, count);
}
int kviapws97_hx_all(double h, double x, kviapws97_state* out, int capacity, int* count) noexcept {
  return put_all(water::hx_all(h, x), out, capacity, count);
}
int kviapws97_sx_all(double s, double x, kviapws97_state* out, int capacity, int* count) noexcept {
  return put_all(water::sx_all(s, x), out, capacity, count);
}

int kviapws97_dielectric_constant(double T, double rho, double* out) noexcept {
  return put(water::dielectric_constant(T, rho), out);
}
int kviapws97_refractive_index(double T, double rho, double wavelength, double* out) noexcept {
  return put(water::refractive_index(T, rho, wavelength), out);
}
int kviapws97_ionization_pK(double T, double rho, double* out) noexcept { return put(water::ionization_pK(T, rho), out); }

int kviapws97_henry(int gas, double T, double* kH, double* KD) noexcept {
  const water::henry_result r = water::henry(static_cast<water::gas>(gas), T);
  *kH = r.kH;
  *KD = r.KD;
  return static_cast<int>(r.status);
}


/* The batch calls: a NULL set of columns computes nothing and writes nothing. */
#define KVIAPWS97_C_BATCH(f) \
  size_t kviapws97_##f##_n(size_t n, const double* a, const double* b, const kviapws97_columns* out) noexcept { \
    static const kviapws97_columns none{}; \
    return water::f##_n(n, a, b, out ? *out : none); \
  }
KVIAPWS97_C_BATCH(pT)
KVIAPWS97_C_BATCH(ph)
KVIAPWS97_C_BATCH(ps)
KVIAPWS97_C_BATCH(hs)
KVIAPWS97_C_BATCH(Tx)
KVIAPWS97_C_BATCH(px)
KVIAPWS97_C_BATCH(Trho)
KVIAPWS97_C_BATCH(rhou)
KVIAPWS97_C_BATCH(prho)
KVIAPWS97_C_BATCH(rhoh)
KVIAPWS97_C_BATCH(rhos)
KVIAPWS97_C_BATCH(pu)
KVIAPWS97_C_BATCH(Th)
KVIAPWS97_C_BATCH(Ts)
KVIAPWS97_C_BATCH(hx)
KVIAPWS97_C_BATCH(sx)
#undef KVIAPWS97_C_BATCH

}  // extern "C"

namespace {

// A flash with the named derivatives (water/derivatives.hpp) through C.
template <class Flash>
int put_with_derivatives(Flash flash, kviapws97_state* out, kviapws97_derivatives* d) {
  if (out == nullptr || d == nullptr) return static_cast<int>(water::status::not_finite);
  water::derivatives n;
  const int status = put(flash(n), out);
  *d = {n.cp,        n.cv,           n.w,              n.alpha_v,      n.kappa_T,      n.isentropic_exponent,
        n.dT_dp_h,   n.dT_dh_p,      n.drho_dp_h,      n.drho_dh_p,    n.dp_dT_rho,    n.dp_drho_T,
        n.dTsat_dp,  n.drho_liquid_dp, n.drho_vapour_dp, n.dh_liquid_dp, n.dh_vapour_dp, n.dx_dp_h,
        n.dx_dh_p};
  return status;
}

}  // namespace

extern "C" {

int kviapws97_pT_derivatives(double p, double T, kviapws97_state* out, kviapws97_derivatives* d) noexcept {
  return put_with_derivatives([=](water::derivatives& n) { return water::pT(p, T, n); }, out, d);
}
int kviapws97_ph_derivatives(double p, double h, kviapws97_state* out, kviapws97_derivatives* d) noexcept {
  return put_with_derivatives([=](water::derivatives& n) { return water::ph(p, h, n); }, out, d);
}
int kviapws97_ps_derivatives(double p, double s, kviapws97_state* out, kviapws97_derivatives* d) noexcept {
  return put_with_derivatives([=](water::derivatives& n) { return water::ps(p, s, n); }, out, d);
}
int kviapws97_hs_derivatives(double h, double s, kviapws97_state* out, kviapws97_derivatives* d) noexcept {
  return put_with_derivatives([=](water::derivatives& n) { return water::hs(h, s, n); }, out, d);
}
int kviapws97_Tx_derivatives(double T, double x, kviapws97_state* out, kviapws97_derivatives* d) noexcept {
  return put_with_derivatives([=](water::derivatives& n) { return water::Tx(T, x, n); }, out, d);
}
int kviapws97_px_derivatives(double p, double x, kviapws97_state* out, kviapws97_derivatives* d) noexcept {
  return put_with_derivatives([=](water::derivatives& n) { return water::px(p, x, n); }, out, d);
}

}  // extern "C"
