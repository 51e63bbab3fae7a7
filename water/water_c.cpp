// The C interface of kviapws97/water.h: thin shims over the C++ state
// functions.
#include "water/kviapws97/water.h"

#include "water/state.hpp"

namespace {

using namespace kviapws97;

int put(const water::result& r, kviapws97_state* out) {
  const water::state& s = r.state;
  *out = {s.region, static_cast<int>(s.phase), s.p, s.T, s.rho, s.v, s.h, s.s, s.u, s.cp, s.cv, s.w, s.x, s.mu,
          s.lambda};
  return static_cast<int>(r.status);
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
  if (code < 0 || code > static_cast<int>(water::status::density_below_min)) return "unknown status";
  return water::status_text(static_cast<water::status>(code));
}

}  // extern "C"
