// The C interface of kviapws97/water.h: thin shims over the C++ state
// functions.
#include "water/kviapws97/water.h"

#include <limits>

#include "water/derivatives.hpp"
#include "water/state.hpp"

namespace {

using namespace kviapws97;

int put(const water::result& r, kviapws97_state* out) {
  const water::state& s = r.state;
  *out = {s.region, static_cast<int>(s.phase), s.p, s.T, s.rho, s.v, s.h, s.s, s.u, s.cp, s.cv, s.w, s.x, s.mu,
          s.lambda};
  return static_cast<int>(r.status);
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

}  // namespace

extern "C" {

int kviapws97_pT(double p, double T, kviapws97_state* out) noexcept { return put(water::pT(p, T), out); }
int kviapws97_ph(double p, double h, kviapws97_state* out) noexcept { return put(water::ph(p, h), out); }
int kviapws97_ps(double p, double s, kviapws97_state* out) noexcept { return put(water::ps(p, s), out); }
int kviapws97_hs(double h, double s, kviapws97_state* out) noexcept { return put(water::hs(h, s), out); }
int kviapws97_Tx(double T, double x, kviapws97_state* out) noexcept { return put(water::Tx(T, x), out); }
int kviapws97_px(double p, double x, kviapws97_state* out) noexcept { return put(water::px(p, x), out); }
int kviapws97_Trho(double T, double rho, kviapws97_state* out) noexcept { return put(water::Trho(T, rho), out); }

const char* kviapws97_error_text(int code) noexcept {
  if (code < 0 || code > static_cast<int>(water::status::no_derivative)) return "unknown status";
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

}  // extern "C"
