#include "if97/region5.hpp"

#include <array>
#include <cmath>

#include "if97/constants.hpp"
#include "if97/if97.h"
#include "if97/series.hpp"
#include "if97/steam_gibbs.hpp"

namespace if97 {
namespace {

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007) Table 37: numerical values of the coefficients and exponents of the ideal-gas part of the dimensionless Gibbs free energy for region 5, Eq. (33)
inline constexpr std::array<term, 6> region5_ideal_terms{{
    {0, 0, -0.13179983674201e2},
    {0, 1, 0.68540841634434e1},
    {0, -3, -0.24805148933466e-1},
    {0, -2, 0.36901534980333},
    {0, -1, -0.31161318213925e1},
    {0, 2, -0.32961626538917},
}};

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007) Table 38 as revised in 2007 (region 5 extended to 50 MPa): numerical values of the coefficients and exponents of the residual part of the dimensionless Gibbs free energy for region 5, Eq. (34)
inline constexpr std::array<term, 6> region5_residual_terms{{
    {1, 1, 0.15736404855259e-2},
    {1, 2, 0.90153761673944e-3},
    {1, 3, -0.50270077677648e-2},
    {2, 3, 0.22440037409485e-5},
    {2, 9, -0.41163275453471e-5},
    {3, 7, 0.37919454822955e-7},
}};

// IAPWS-IF97 Eq. (32), pi = p / 1 MPa.
inline constexpr double T_star = 1000.0;  // K
inline constexpr double tau_shift = 0.0;  // Eq. (34) runs in tau itself
using equation = steam_gibbs<region5_ideal_terms, region5_residual_terms, T_star, tau_shift>;

// The parts of gamma that the part operations return, Ideal and Residual as in
// steam_gibbs::gamma.
template <unsigned Ideal, unsigned Residual>
equation::parts parts5(const double* p, const double* T) {
  return equation::gamma<Ideal, Residual>(*p, *T);
}

}  // namespace

// IAPWS-IF97 Table 39: the properties as relations of gamma's derivatives.
double v5(double p, double T) { return equation::v(p, T); }
double h5(double p, double T) { return equation::h(p, T); }
double s5(double p, double T) { return equation::s(p, T); }
double u5(double p, double T) { return equation::u(p, T); }
double cp5(double p, double T) { return equation::cp(p, T); }
double cv5(double p, double T) { return equation::cv(p, T); }
double w5(double p, double T) { return equation::w(p, T); }
double fug5(double p, double T) { return equation::fug(p, T); }
properties properties5(double p, double T) { return equation::all(p, T); }
properties properties5(double p, double T, extent e) { return equation::some(p, T, e); }
properties properties5_for_step(double p, double T, bool entropy) {
  return entropy ? equation::for_step<true>(p, T) : equation::for_step<false>(p, T);
}
caloric enthalpy_cp5(double p, double T) { return equation::enthalpy_cp(p, T); }
caloric entropy_cp5(double p, double T) { return equation::entropy_cp(p, T); }
gibbs_slopes slopes5(double p, double T, double v, unsigned want) { return equation::slopes(p, T, v, want); }

}  // namespace if97

double IF97_V5(const double* p, const double* T) noexcept { return if97::v5(*p, *T); }
double IF97_H5(const double* p, const double* T) noexcept { return if97::h5(*p, *T); }
double IF97_S5(const double* p, const double* T) noexcept { return if97::s5(*p, *T); }
double IF97_U5(const double* p, const double* T) noexcept { return if97::u5(*p, *T); }
double IF97_CP5(const double* p, const double* T) noexcept { return if97::cp5(*p, *T); }
double IF97_CV5(const double* p, const double* T) noexcept { return if97::cv5(*p, *T); }
double IF97_W5(const double* p, const double* T) noexcept { return if97::w5(*p, *T); }
double IF97_FUG5(const double* p, const double* T) noexcept { return if97::fug5(*p, *T); }

// The parts of IAPWS-IF97 Eq. (32) and their derivatives, dimensionless:
// gamma0 of Eq. (33) with its ln pi, gamma^r of Eq. (34).
double IF97_G5_ID(const double* p, const double* T) noexcept {
  const auto g = if97::parts5<if97::part_f, 0>(p, T);
  return std::log(g.pi) + g.g0;
}
double IF97_G5_ID_P(const double* p, const double*) noexcept { return 1.0 / *p; }  // d(ln pi)/dpi, p* = 1 MPa
double IF97_G5_ID_T(const double* p, const double* T) noexcept { return if97::parts5<if97::part_y, 0>(p, T).g0_t; }
double IF97_G5_ID_TT(const double* p, const double* T) noexcept { return if97::parts5<if97::part_yy, 0>(p, T).g0_tt; }
double IF97_G5_RES(const double* p, const double* T) noexcept { return if97::parts5<0, if97::part_f>(p, T).gr; }
double IF97_G5_RES_P(const double* p, const double* T) noexcept { return if97::parts5<0, if97::part_x>(p, T).gr_p; }
double IF97_G5_RES_PP(const double* p, const double* T) noexcept { return if97::parts5<0, if97::part_xx>(p, T).gr_pp; }
double IF97_G5_RES_T(const double* p, const double* T) noexcept { return if97::parts5<0, if97::part_y>(p, T).gr_t; }
double IF97_G5_RES_TT(const double* p, const double* T) noexcept { return if97::parts5<0, if97::part_yy>(p, T).gr_tt; }
double IF97_G5_RES_PT(const double* p, const double* T) noexcept { return if97::parts5<0, if97::part_xy>(p, T).gr_pt; }
