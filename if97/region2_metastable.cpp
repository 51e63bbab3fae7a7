#include "if97/region2_metastable.hpp"

#include <array>

#include "if97/region2_ideal.hpp"
#include "if97/series.hpp"
#include "if97/steam_gibbs.hpp"

namespace if97 {
namespace {

// Region 2's ideal-gas part, Eq. (16), with n0_1 and n0_2 replaced.
constexpr std::array<term, 9> readjusted(double n0_1, double n0_2) {
  std::array<term, 9> t = region2_ideal_terms;
  t[0].n = n0_1;
  t[1].n = n0_2;
  return t;
}
// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007) Section 6.2.2: the coefficients n0_1 and n0_2 of the ideal-gas part, Eq. (16), within the supplementary equation for the metastable-vapour region, Eq. (18)
inline constexpr std::array<term, 9> metastable_ideal_terms = readjusted(-0.96937268393049e1, 0.10087275970006e2);

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007) Table 16: numerical values of the coefficients and exponents of the residual part of the dimensionless Gibbs free energy of the supplementary equation for the metastable-vapour region, Eq. (19)
inline constexpr std::array<term, 13> metastable_residual_terms{{
    {1, 0, -0.73362260186506e-2},
    {1, 2, -0.88223831943146e-1},
    {1, 5, -0.72334555213245e-1},
    {1, 11, -0.40813178534455e-2},
    {2, 1, 0.20097803380207e-2},
    {2, 7, -0.53045921898642e-1},
    {2, 16, -0.76190409086970e-2},
    {3, 4, -0.63498037657313e-2},
    {3, 16, -0.86043093028588e-1},
    {4, 7, 0.75321581522770e-2},
    {4, 10, -0.79238375446139e-2},
    {5, 9, -0.22888160778447e-3},
    {5, 10, -0.26456501482810e-2},
}};

// IAPWS-IF97 Eq. (19): powers of (tau - 0.5), as in region 2.
inline constexpr double tau_shift = 0.5;
using equation = steam_gibbs<metastable_ideal_terms, metastable_residual_terms, region2_T_star, tau_shift>;

}  // namespace

// The properties by the relations of region 2, IAPWS-IF97 Table 12, which
// Section 6.2.2 prescribes for Eq. (18).
double v2m(double p, double T) { return equation::v(p, T); }
double h2m(double p, double T) { return equation::h(p, T); }
double s2m(double p, double T) { return equation::s(p, T); }
double u2m(double p, double T) { return equation::u(p, T); }
double cp2m(double p, double T) { return equation::cp(p, T); }
double cv2m(double p, double T) { return equation::cv(p, T); }
double w2m(double p, double T) { return equation::w(p, T); }
double dvdp2m(double p, double T) { return equation::dvdp(p, T); }
properties properties2m(double p, double T) { return equation::all(p, T); }
caloric enthalpy_cp2m(double p, double T) { return equation::enthalpy_cp(p, T); }
caloric entropy_cp2m(double p, double T) { return equation::entropy_cp(p, T); }

}  // namespace if97
