#include "transport/operations.hpp"

#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region3.hpp"
#include "if97/region4_operations.hpp"
#include "transport/transport.h"
#include "transport/viscosity.hpp"

namespace transport {
namespace {

// The region's cp, cv and (drho/dp)_T (kg/(m3 Pa)), with rho the density of
// the given volume also where they are taken at (p, T).
enhancement_inputs region_inputs(double p, double T, double v, std::int64_t region) {
  const double rho = 1.0 / v;
  switch (region) {
    case 1: return {if97::cp1(p, T), if97::cv1(p, T), -rho * rho * if97::dvdp1(p, T) / 1000.0, false};
    case 2: return {if97::cp2(p, T), if97::cv2(p, T), -rho * rho * if97::dvdp2(p, T) / 1000.0, false};
    default: return {if97::cp3(T, v), if97::cv3(T, v), -0.001 * rho * rho / if97::dpdv3(T, v), true};
  }
}

// The transport operations take no mixture, not even at the critical point.
bool settled_pure(const if97::settled_request& s) {
  if (s.kind == if97::settled_kind::failure || s.kind == if97::settled_kind::mixture) return false;
  return s.kind != if97::settled_kind::critical || if97::pure_phase(s.x);
}

}  // namespace

region_conductivity conductivity_in_region(double p, double T, double v, std::int64_t region) {
  const double rho = 1.0 / v;
  if (!enhancement_evaluated(p, T, region))
    return {-1.0, -1.0, -1.0, thermal_conductivity(T, rho)};
  const enhancement_inputs in = region_inputs(p, T, v, region);
  const double mu = viscosity(T, rho);
  return {in.cp, in.cv, mu, thermal_conductivity(T, rho, in, mu)};
}

double viscosity_region4(double p_bar, double T, double x) {
  const if97::settled_request s = if97::settle_region4_request(p_bar, T, x, if97::transport_limits);
  if (!settled_pure(s)) return -1.0;
  return viscosity(s.point.T, 1.0 / if97::volume_at(s.point));
}

double conductivity_region4(double p_bar, double T, double x) {
  const if97::settled_request s = if97::settle_region4_request(p_bar, T, x, if97::transport_limits);
  if (!settled_pure(s)) return -1.0;
  return conductivity_in_region(s.point.p, s.point.T, if97::volume_at(s.point), s.point.region).value.lambda;
}

}  // namespace transport

void IF97_TCOND(const double* p, const double* T, const double* v, const int64_t* region, double* cp, double* cv,
                double* mu, double* lambda) noexcept {
  const transport::region_conductivity c = transport::conductivity_in_region(*p, *T, *v, *region);
  *cp = c.cp;
  *cv = c.cv;
  *mu = c.mu;
  *lambda = c.value.lambda;
}

double IF97_TCOND4(const double* p, const double* T, const double* x) noexcept {
  return transport::conductivity_region4(*p, *T, *x);
}

double IF97_VISC4(const double* p, const double* T, const double* x) noexcept {
  return transport::viscosity_region4(*p, *T, *x);
}
