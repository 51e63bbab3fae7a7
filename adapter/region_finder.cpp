// KVIAPWS_FDREGION: the IF97 region of a phase of water at (T, P), after the
// state is moved into the admissible range as KVIAPWS_ES15D moves it, with the
// state settled on and its molar volume.
#include <cmath>
#include <cstdint>

#include "adapter/kviapws97.h"
#include "adapter/state_settling.hpp"
#include "host/host.h"

namespace kviapws97 {
namespace {

void fdregion(double T, double P, std::int64_t phase, void* component, std::int64_t* region, double* T_used,
              double* P_used, double* V, std::int64_t* error) {
  *error = 0;
  // A temperature or pressure that is not a positive number is no state.
  if (!(std::isfinite(T) && std::isfinite(P) && T > 0.0 && P > 0.0)) {
    *region = 0;
    *T_used = *P_used = *V = SYS_RCONST[0];
    *error = 1;
    return;
  }
  eos_request r{warning_source::fdregion, "IAPW    S97     FDRE    GION    ", T, P, phase, component, error};
  const double X0 = SYS_PRPCTL[0];
  r.Te = T;
  r.Pe = P;
  r.V = r.p_trial = r.dpdv_trial = X0;
  KVUTL_ROOTFL[0] = 0;
  KVUTL_ROOTFL[1] = 0;

  if (T < T_lower) {
    warn(r.source, 2, component, T, T_lower);
    r.Te = T_lower;
  }
  if (T <= T_crit) r.Psat = vapour_pressure(r, r.Te);
  settle_bounds_and_region(r);

  *region = r.region;
  *T_used = r.Te;
  if (r.region == 3) {
    search_volume(r);
    *P_used = r.p_trial;
    *V = r.V;
  } else {
    *P_used = r.Pe;
    *V = property(r, KVIAPWS97_VOLUME, r.Te, r.Pe, r.V, r.region);
  }
}

}  // namespace
}  // namespace kviapws97

extern "C" void KVIAPWS_FDREGION(const double* T, const double* P, const int64_t* phase, void* component,
                                 int64_t* region, double* T_used, double* P_used, double* V,
                                 int64_t* error) noexcept {
  kviapws97::fdregion(*T, *P, *phase, component, region, T_used, P_used, V, error);
}
