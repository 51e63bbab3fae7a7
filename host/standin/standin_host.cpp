// The stand-in host. Its ideal gas is the ideal-gas part of IAPWS-IF97
// region 2 (Eq. 16) in molar units, so that the library's reference-shifted
// results are departure functions from a known ideal gas.
#include "host/standin/standin_host.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "adapter/kviapws97.h"
#include "host/host.h"
#include "if97/constants.hpp"
#include "if97/region2_ideal.hpp"

#define STANDIN_EXPORT __attribute__((visibility("default")))

extern "C" {
STANDIN_EXPORT int64_t SYS_MSGCTL[64];
STANDIN_EXPORT double SYS_PRPCTL[16];
STANDIN_EXPORT double SYS_RCONST[8];
STANDIN_EXPORT int64_t SYS_CMPCNT[16];
STANDIN_EXPORT char SYS_MSGBUF[800];
STANDIN_EXPORT double KVUTL_GLOBAL[8];
STANDIN_EXPORT int64_t KVUTL_ROOTFL[2];
}

namespace standin {
namespace {

constexpr double to_molar = 1e3 * KVIAPWS97_MOLAR_MASS;  // kJ/kg -> J/kmol
constexpr double reference_T = 298.15;      // K

struct records {
  std::vector<msgchk_call> checks;
  std::vector<std::string> lines;
  bool echo = true;
};

records& state() {
  static records r;
  return r;
}

void set_defaults() {
  std::fill(std::begin(SYS_MSGCTL), std::end(SYS_MSGCTL), 0);
  std::fill(std::begin(SYS_PRPCTL), std::end(SYS_PRPCTL), 0.0);
  std::fill(std::begin(SYS_RCONST), std::end(SYS_RCONST), 0.0);
  std::fill(std::begin(SYS_CMPCNT), std::end(SYS_CMPCNT), 0);
  std::fill(std::begin(KVUTL_GLOBAL), std::end(KVUTL_GLOBAL), 0.0);
  std::fill(std::begin(KVUTL_ROOTFL), std::end(KVUTL_ROOTFL), 0);
  std::memset(SYS_MSGBUF, ' ', sizeof SYS_MSGBUF);
  SYS_MSGCTL[56] = 1;
  SYS_PRPCTL[0] = 0.0;
  SYS_RCONST[0] = missing_value;
  SYS_CMPCNT[11] = 1;
  KVUTL_GLOBAL[0] = reference_pressure;
  KVUTL_GLOBAL[2] = gas_constant;
}

// The blocks hold their defaults from load time on, as a host's would.
[[maybe_unused]] const bool initialised = (set_defaults(), true);

// Ideal gas of IAPWS-IF97 region 2 in kJ/kg and kJ/(kg K):
// h = R T tau g_tau, s = R (tau g_tau - g), cp = -R tau^2 g_tautau.
struct ideal_gas {
  double h, s, cp;
};

ideal_gas ideal(double T, double p_pa) {
  const double tau = if97::region2_T_star / T;
  const if97::series_value g =
      if97::region2_ideal_sum<if97::part_f | if97::part_y | if97::part_yy>(tau);
  const double gamma0 = std::log(p_pa * 1e-6) + g.f;
  return {if97::R * T * tau * g.y, if97::R * (tau * g.y - gamma0), -if97::R * tau * tau * g.yy};
}

// The ideal gas at the reference temperature, kept while the reference
// pressure stays the same: every reference shift asks for it.
const ideal_gas& at_reference(double p_pa) {
  static double cached_p = 0.0;
  static ideal_gas cached = ideal(reference_T, p_pa);
  if (p_pa != cached_p) {
    cached = ideal(reference_T, p_pa);
    cached_p = p_pa;
  }
  return cached;
}

}  // namespace

const std::vector<msgchk_call>& msgchk_calls() { return state().checks; }
const std::vector<std::string>& printed_lines() { return state().lines; }
void set_echo(bool on) { state().echo = on; }

void reset() {
  set_defaults();
  state().checks.clear();
  state().lines.clear();
  clear_root_flag_errors();
  clear_root_search_totals();
}

}  // namespace standin

extern "C" {

STANDIN_EXPORT void SYS_MSGCHK(const char* routine, const int64_t* severity, const int64_t* message, void* component,
                               double* prpctl7, const int64_t* a, const int64_t* b, const int64_t* c) {
  standin::state().checks.push_back(
      {std::string(routine, 16), *severity, *message, component, prpctl7, *a, *b, *c});
}

STANDIN_EXPORT void SYS_MSGPRT(const int64_t* lines) {
  const int64_t n = std::clamp<int64_t>(*lines, 0, 10);
  for (int64_t k = 0; k < n; ++k) {
    std::string record(SYS_MSGBUF + 80 * k, 80);
    record.erase(record.find_last_not_of(' ') + 1);
    if (standin::state().echo) std::fprintf(stderr, "%s\n", record.c_str());
    standin::state().lines.push_back(std::move(record));
  }
}

// r7 = H(T) - H(298.15 K), r8 = S(T, Pref) - S(298.15 K, Pref), r10 = Cp(T);
// molar, J/kmol and J/(kmol K).
STANDIN_EXPORT void KVBASE_IDEAL(const double* T, const double*, const int64_t*, const int64_t*, void*,
                                 const int64_t*, const int64_t*, const int64_t*, const int64_t*, const int64_t*,
                                 const int64_t*, const int64_t*, double* r1, double* r2, double* r3, double* r4,
                                 double* r5, double* r6, double* r7, double* r8, double* r9, double* r10,
                                 double* r11, double* r12, int64_t*) {
  const double p_ref = KVUTL_GLOBAL[0];
  const auto at_T = standin::ideal(*T, p_ref);
  const auto& at_ref = standin::at_reference(p_ref);
  *r1 = *r2 = *r3 = *r4 = *r5 = *r6 = *r9 = *r11 = *r12 = 0.0;
  *r7 = standin::to_molar * (at_T.h - at_ref.h);
  *r8 = standin::to_molar * (at_T.s - at_ref.s);
  *r10 = standin::to_molar * at_T.cp;
}

// w3 = S(T, Pref)/R, w5 = H(T)/(R T), w7 = Cp(T)/R with the host's R.
STANDIN_EXPORT void KVBASE_WATIG(const double* T, double* w1, double* w2, double* w3, double* w4, double* w5,
                                 double* w6, double* w7, int64_t*) {
  const auto g = standin::ideal(*T, KVUTL_GLOBAL[0]);
  const double r = KVUTL_GLOBAL[2];
  *w1 = *w2 = *w4 = *w6 = 0.0;
  *w3 = standin::to_molar * g.s / r;
  *w5 = standin::to_molar * g.h / (r * *T);
  *w7 = standin::to_molar * g.cp / r;
}

}  // extern "C"
