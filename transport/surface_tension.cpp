#include "transport/surface_tension.hpp"

#include <cmath>

#include "if97/constants.hpp"
#include "transport/transport.h"

namespace transport {
namespace {

// IAPWS R1-76(2014): sigma = B tau^mu (1 + b tau), tau = 1 - T/Tc, with the
// critical temperature of IAPWS-IF97.
constexpr double inv_T_c = 1.0 / if97::T_c;  // 1/K
constexpr double B = 235.8;                  // mN/m
constexpr double b = -0.625;
constexpr double B_b = B * b;                // mN/m
constexpr double mu = 1.256;
// The accepted range runs from just below the triple point to just above
// the critical point, where the surface tension is zero.
constexpr double T_lo = 273.0;  // K
constexpr double T_hi = 647.3;  // K

}  // namespace

double surface_tension(double T) {
  if (!(T >= T_lo && T <= T_hi)) return -1.0;
  const double tau = std::fmax(1.0 - T * inv_T_c, 0.0);
  return std::pow(tau, mu) * (B + B_b * tau);
}

}  // namespace transport

double IF97_SIGMA(const double* T) noexcept { return transport::surface_tension(*T); }
