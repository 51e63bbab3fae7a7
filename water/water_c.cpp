// The C interface of kviapws97/water.h: thin shims over the C++ state
// functions.
#include "water/kviapws97/water.h"

#include <limits>

#include "if97/constants.hpp"
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

}  // namespace

extern "C" {

int kviapws97_pT(double p, double T, kviapws97_state* out) noexcept { return put(water::pT(p, T), out); }
int kviapws97_ph(double p, double h, kviapws97_state* out) noexcept { return put(water::ph(p, h), out); }
int kviapws97_ps(double p, double s, kviapws97_state* out) noexcept { return put(water::ps(p, s), out); }
int kviapws97_hs(double h, double s, kviapws97_state* out) noexcept { return put(water::hs(h, s), out); }
int kviapws97_Tx(double T, double x, kviapws97_state* out) noexcept { return put(water::Tx(T, x), out); }
int kviapws97_px(double p, double x, kviapws97_state* out) noexcept { return put(water::px(p, x), out); }
int kviapws97_Trho(double T, double rho, kviapws97_state* out) noexcept { return put(water::Trho(T, rho), out); }

int kviapws97_saturation_T(double T, kviapws97_state* liquid, kviapws97_state* vapour) noexcept {
  return put_saturated(water::Tx(T, 0.0), liquid, vapour);
}
int kviapws97_saturation_p(double p, kviapws97_state* liquid, kviapws97_state* vapour) noexcept {
  return put_saturated(water::px(p, 0.0), liquid, vapour);
}

const char* kviapws97_error_text(int code) noexcept {
  if (code < 0 || code > static_cast<int>(water::status::not_converged)) return "unknown status";
  return water::status_text(static_cast<water::status>(code));
}

}  // extern "C"
