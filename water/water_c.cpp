// The C interface of kviapws97/water.h: thin shims over the C++ state
// functions.
#include "water/kviapws97/water.h"

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

int put(const water::quantity& q, double* out) {
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

const char* kviapws97_error_text(int code) noexcept {
  if (code < 0 || code > static_cast<int>(water::last_status)) return "unknown status";
  return water::status_text(static_cast<water::status>(code));
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

}  // extern "C"
