#include "transport/viscosity.hpp"

#include <array>
#include <cmath>

#include "if97/constants.hpp"
#include "if97/series.hpp"
#include "transport/transport.h"

namespace transport {
namespace {

using if97::term;

// IAPWS R12-08 Table 1: coefficients H_i of the dilute-gas term, Eq. (11)
constexpr double H0 = 1.67752;
constexpr double H1 = 2.20462;
constexpr double H2 = 0.6366564;
constexpr double H3 = -0.241605;

// IAPWS R12-08 Table 2: coefficients H_ij of the residual term, Eq. (12), the 21 non-zero ones; {i, j, H}
inline constexpr std::array<term, 21> residual_terms{{
    {0, 0, 5.20094e-1},  {1, 0, 8.50895e-2}, {2, 0, -1.08374},    {3, 0, -2.89555e-1}, {0, 1, 2.22531e-1},
    {1, 1, 9.99115e-1},  {2, 1, 1.88797},    {3, 1, 1.26613},     {5, 1, 1.20573e-1},  {0, 2, -2.81378e-1},
    {1, 2, -9.06851e-1}, {2, 2, -7.72479e-1}, {3, 2, -4.89837e-1}, {4, 2, -2.57040e-1}, {0, 3, 1.61913e-1},
    {1, 3, 2.57399e-1},  {0, 4, -3.25372e-2}, {3, 4, 6.98452e-2},  {4, 5, 8.72102e-3},  {3, 6, -4.35673e-3},
    {5, 6, -5.93264e-4},
}};

// IAPWS R12-08 Eq. (1); its reducing temperature and density, the critical
// parameters of IAPWS-IF97, are those of reduced().
constexpr double mu_star = 1e-6;  // Pa s

}  // namespace

// IAPWS R12-08 Eqs. (10) to (12) with mu2bar = 1.
double viscosity(const reduced_state& r) {
  const double inv_T = r.inv_T_bar;
  const double mu0 = 100.0 * r.sqrt_T_bar / (H0 + inv_T * (H1 + inv_T * (H2 + inv_T * H3)));
  const double sum = if97::evaluate<residual_terms, if97::part_f>(inv_T - 1.0, r.rho_bar - 1.0).f;
  const double mu1 = std::exp(r.rho_bar * sum);
  return mu0 * mu1 * mu_star;
}

double viscosity(double T, double rho) { return viscosity(reduced(T, rho)); }

}  // namespace transport

double IF97_VISC(const double* T, const double* v) noexcept { return transport::viscosity(*T, 1.0 / *v); }
