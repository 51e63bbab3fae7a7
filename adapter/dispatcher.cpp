// KVIAPWS_IF97PROP: one property of water by property code. Converts the
// host's state to IF97 units, calls the operation of the pair (code, region),
// turns a failure into the error flag and the missing value, and converts the
// answer back, moving thermodynamic values onto the host's ideal-gas
// reference state.
#include <cmath>
#include <cstdint>

#include "adapter/host_units.hpp"
#include "adapter/kviapws97.h"
#include "adapter/property_table.hpp"
#include "adapter/reference_shift.hpp"
#include "host/host.h"
#include "if97/constants.hpp"
#include "if97/saturation.hpp"

namespace kviapws97 {
namespace {

// An operation reports a state outside its range with exactly -1.0. A value
// that is not finite (a logarithm of a non-positive pressure, an overflow far
// outside the formulation) is no property either.
bool failed(double value) { return value == -1.0 || !std::isfinite(value); }

// A saturated state may leave T or p out (negative): the region-4 operation
// takes it from the saturation line, and so must the conversions that read
// it, the reference shift (T) and ln(f/p) (p). At or above the critical
// pressure or temperature the operations use the critical point.
if97_state on_saturation_line(if97_state s) {
  if (s.region != 4 || s.x < 0.0) return s;
  constexpr double bar_per_mpa = pa_per_mpa / pa_per_bar;
  constexpr double p_c_bar = bar_per_mpa * if97::p_c_sat;  // bar
  if (s.T < 0.0 && s.p >= 0.0) s.T = s.p >= p_c_bar ? if97::T_c : if97::tsat(s.p / bar_per_mpa);
  if (s.p < 0.0 && s.T >= 0.0) s.p = s.T >= if97::T_c ? p_c_bar : bar_per_mpa * if97::psat(s.T);
  return s;
}

// The operation of `code` for the state's region, or nullptr.
operation operation_for(const property_code& row, const if97_state& s) {
  if (row.any_region) return row.by_region[0];
  if (s.region < 1 || s.region > 5) return nullptr;
  return row.by_region[static_cast<std::size_t>(s.region - 1)];
}

// The value of a code in host units, or false on failure.
bool evaluate(int code, const if97_state& s, void* component, std::int64_t* error, double& result) {
  if (code == KVIAPWS97_LNPHI) {
    // ln of the fugacity coefficient: ln(f/p), with f and p in the same unit.
    const operation fugacity = operation_for(property_row(KVIAPWS97_LNPHI), s);
    if (fugacity == nullptr) return false;
    const double f = fugacity(s);
    if (failed(f) || !(f > 0.0)) return false;
    result = std::log(f / on_saturation_line(s).p);
    return std::isfinite(result);
  }

  const bool gibbs = code == KVIAPWS97_GIBBS;
  const property_code& row = property_row(gibbs ? KVIAPWS97_ENTHALPY : code);
  const operation op = operation_for(row, s);
  if (op == nullptr) return false;
  const double value = op(s);
  if (failed(value)) return false;

  double entropy = 0.0;
  if (gibbs) {
    const operation s_op = operation_for(property_row(KVIAPWS97_ENTROPY), s);
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
    const double T = on_saturation_line(s).T;
    const ideal_gas_terms g = host_ideal_gas(T, shift, component, error);
    result = shift_to_host(X, entropy, T, shift, g);
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
  const int c = (*code < first_code || *code > last_code) ? KVIAPWS97_LNPHI : *code;

  if97_state s{*T, 0.0, *V / molar_mass, -1.0, *region};
  if (s.region == 4) {
    s.x = *phase == 1 ? 1.0 : *phase == 2 ? 0.0 : -1.0;
    s.p = *P / pa_per_bar;  // the saturated-state operations take bar
  } else {
    s.p = *P / pa_per_mpa;
  }

  double value = 0.0;
  if (evaluate(c, s, component, error, value)) {
    *result = value;
  } else {
    *result = SYS_RCONST[0];
    *error = 1;
  }
}
