// The reference shift of the property dispatcher (see reference_shift.hpp).
#include "adapter/reference_shift.hpp"

#include "host/host.h"

namespace kviapws97 {
namespace {

// H and S on the host's reference state: the IF97 value less the ideal gas at
// 298.15 K on the IF97 scale, plus the host's ideal-gas change from 298.15 K.
double shifted_enthalpy(double H, const ideal_gas_terms& g) {
  return H - gas_constant * reference_T * g.w5 - g.h_T + g.h_ref;
}
double shifted_entropy(double S, const ideal_gas_terms& g) { return S - gas_constant * g.w3 - g.s_T + g.s_ref; }

}  // namespace

ideal_gas_terms host_ideal_gas(double T, reference_shift shift, void* component, std::int64_t* error) {
  // The request record of the host's ideal-gas routine.
  const double x = 1.0;
  const std::int64_t ncomp = 1;
  const std::int64_t ncomp_total = SYS_CMPCNT[11];
  const std::int64_t one = 1;
  const std::int64_t zero = 0;
  const std::int64_t h_request = shift == reference_shift::enthalpy || shift == reference_shift::gibbs ? 1
                                 : shift == reference_shift::cp || shift == reference_shift::cv   ? 2
                                                                                                    : 0;
  const std::int64_t s_request = shift == reference_shift::entropy || shift == reference_shift::gibbs ? 1 : 0;

  ideal_gas_terms g{};
  double w[7] = {};
  const double t_ref = reference_T;
  KVBASE_WATIG(&t_ref, &w[0], &w[1], &w[2], &w[3], &w[4], &w[5], &w[6], error);
  g.w3 = w[2];
  g.w5 = w[4];
  g.w7 = w[6];

  const auto ideal = [&](double t, double& h, double& s, double& cp) {
    double r[12] = {};
    KVBASE_IDEAL(&t, &x, &ncomp, &ncomp_total, component, &one, &zero, &zero, &zero, &h_request, &s_request, &zero,
                 &r[0], &r[1], &r[2], &r[3], &r[4], &r[5], &r[6], &r[7], &r[8], &r[9], &r[10], &r[11], error);
    h = r[6];
    s = r[7];
    cp = r[9];
  };
  ideal(T, g.h_T, g.s_T, g.cp_T);
  ideal(reference_T, g.h_ref, g.s_ref, g.cp_ref);
  return g;
}

double shift_to_host(double X, double S, double T, reference_shift shift, const ideal_gas_terms& g) {
  switch (shift) {
    case reference_shift::enthalpy: return shifted_enthalpy(X, g);
    case reference_shift::entropy: return shifted_entropy(X, g);
    case reference_shift::gibbs: return shifted_enthalpy(X, g) - T * shifted_entropy(S, g);
    case reference_shift::cp: return X - gas_constant * g.w7 - g.cp_T + g.cp_ref;
    case reference_shift::cv: return X - gas_constant * g.w7 + g.cp_ref;
    case reference_shift::none: break;
  }
  return X;
}

}  // namespace kviapws97
