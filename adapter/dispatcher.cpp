// KVIAPWS_IF97PROP: one property of water by property code. Converts the
// host's state to IF97 units, calls the operation of the pair (code, region),
// turns a failure into the error flag and the missing value, and converts the
// answer back, moving thermodynamic values onto the host's ideal-gas
// reference state.
#include <cmath>
#include <cstdint>

#include "adapter/kviapws97.h"
#include "adapter/property_table.hpp"
#include "host/host.h"

namespace kviapws97 {
namespace {

constexpr double molar_mass = 18.0152;    // kg/kmol
constexpr double per_kmol = 18015.2;      // kJ/kg -> J/kmol
constexpr double gas_constant = 8314.41;  // J/(kmol K): the host's scale of its dimensionless ideal-gas values
constexpr double reference_T = 298.15;    // K, the host's reference temperature

// An operation reports a state outside its range with exactly -1.0. A value
// that is not finite (a logarithm of a non-positive pressure, an overflow far
// outside the formulation) is no property either.
bool failed(double value) { return value == -1.0 || !std::isfinite(value); }

// The host's ideal-gas values that the reference shift needs.
struct ideal_gas_terms {
  double h_T, s_T, cp_T;        // KVBASE_IDEAL at the state temperature
  double h_ref, s_ref, cp_ref;  // KVBASE_IDEAL at 298.15 K
  double w3, w5, w7;            // KVBASE_WATIG at 298.15 K
};

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

// H and S on the host's reference state: the IF97 value less the ideal gas at
// 298.15 K on the IF97 scale, plus the host's ideal-gas change from 298.15 K.
double shifted_enthalpy(double H, const ideal_gas_terms& g) {
  return H - gas_constant * reference_T * g.w5 - g.h_T + g.h_ref;
}
double shifted_entropy(double S, const ideal_gas_terms& g) { return S - gas_constant * g.w3 - g.s_T + g.s_ref; }

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

// The operation of `code` for the state's region, or nullptr.
operation operation_for(const property_code& row, const if97_state& s) {
  if (row.any_region) return row.by_region[0];
  if (s.region < 1 || s.region > 5) return nullptr;
  return row.by_region[static_cast<std::size_t>(s.region - 1)];
}

// The value of a code in host units, or false on failure.
bool evaluate(int code, const if97_state& s, void* component, std::int64_t* error, double& result) {
  if (code == first_code) {
    // ln of the fugacity coefficient: ln(f/p), with f and p in the same unit.
    const operation fugacity = operation_for(property_row(first_code), s);
    if (fugacity == nullptr) return false;
    const double f = fugacity(s);
    if (failed(f) || !(f > 0.0)) return false;
    result = std::log(f / s.p);
    return std::isfinite(result);
  }

  const bool gibbs = code == gibbs_code;
  const property_code& row = property_row(gibbs ? 2 : code);
  const operation op = operation_for(row, s);
  if (op == nullptr) return false;
  const double value = op(s);
  if (failed(value)) return false;

  double entropy = 0.0;
  if (gibbs) {
    const operation s_op = operation_for(property_row(3), s);
    if (s_op == nullptr) return false;
    const double s_value = s_op(s);
    if (failed(s_value)) return false;
    entropy = s_value * per_kmol;
  }

  const reference_shift shift = gibbs ? reference_shift::gibbs : row.shift;
  const double X = value * row.to_host;
  if (shift == reference_shift::none) {
    result = X;
  } else {
    // The host's ideal-gas routines report their own failures in the error flag.
    const ideal_gas_terms g = host_ideal_gas(s.T, shift, component, error);
    result = shift_to_host(X, entropy, s.T, shift, g);
  }
  return std::isfinite(result);
}

}  // namespace
}  // namespace kviapws97

extern "C" void KVIAPWS_IF97PROP(const double* T, const double* P, const double* V, const int32_t* code,
                                 const int64_t* phase, const int64_t* region, void* component, double* result,
                                 int64_t* error) noexcept {
  using namespace kviapws97;
  *error = 0;
  const int c = (*code < first_code || *code > last_code) ? first_code : *code;

  if97_state s{*T, 0.0, *V / molar_mass, -1.0, *region};
  if (s.region == 4) {
    s.x = *phase == 1 ? 1.0 : *phase == 2 ? 0.0 : -1.0;
    s.p = *P / 1e5;  // the saturated-state operations take bar
  } else {
    s.p = *P / 1e6;
  }

  double value = 0.0;
  if (evaluate(c, s, component, error, value)) {
    *result = value;
  } else {
    *result = SYS_RCONST[0];
    *error = 1;
  }
}
