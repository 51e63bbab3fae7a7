#include "if97/region2.hpp"

#include <array>
#include <cmath>
#include <limits>

#include "if97/constants.hpp"
#include "if97/if97.h"
#include "if97/region2_ideal.hpp"
#include "if97/series.hpp"
#include "if97/steam_gibbs.hpp"

namespace if97 {
namespace {

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007) Table 11: numerical values of the coefficients and exponents of the residual part of the dimensionless Gibbs free energy for region 2, Eq. (17)
inline constexpr std::array<term, 43> region2_residual_terms{{
    {1, 0, -0.17731742473213e-2},
    {1, 1, -0.17834862292358e-1},
    {1, 2, -0.45996013696365e-1},
    {1, 3, -0.57581259083432e-1},
    {1, 6, -0.50325278727930e-1},
    {2, 1, -0.33032641670203e-4},
    {2, 2, -0.18948987516315e-3},
    {2, 4, -0.39392777243355e-2},
    {2, 7, -0.43797295650573e-1},
    {2, 36, -0.26674547914087e-4},
    {3, 0, 0.20481737692309e-7},
    {3, 1, 0.43870667284435e-6},
    {3, 3, -0.32277677238570e-4},
    {3, 6, -0.15033924542148e-2},
    {3, 35, -0.40668253562649e-1},
    {4, 1, -0.78847309559367e-9},
    {4, 2, 0.12790717852285e-7},
    {4, 3, 0.48225372718507e-6},
    {5, 7, 0.22922076337661e-5},
    {6, 3, -0.16714766451061e-10},
    {6, 16, -0.21171472321355e-2},
    {6, 35, -0.23895741934104e2},
    {7, 0, -0.59059564324270e-17},
    {7, 11, -0.12621808899101e-5},
    {7, 25, -0.38946842435739e-1},
    {8, 8, 0.11256211360459e-10},
    {8, 36, -0.82311340897998e1},
    {9, 13, 0.19809712802088e-7},
    {10, 4, 0.10406965210174e-18},
    {10, 10, -0.10234747095929e-12},
    {10, 14, -0.10018179379511e-8},
    {16, 29, -0.80882908646985e-10},
    {16, 50, 0.10693031879409},
    {18, 57, -0.33662250574171},
    {20, 20, 0.89185845355421e-24},
    {20, 35, 0.30629316876232e-12},
    {20, 48, -0.42002467698208e-5},
    {21, 21, -0.59056029685639e-25},
    {22, 53, 0.37826947613457e-5},
    {23, 39, -0.12768608934681e-14},
    {24, 26, 0.73087610595061e-28},
    {24, 40, 0.55414715350778e-16},
    {24, 58, -0.94369707241210e-6},
}};

// IAPWS-IF97 Eq. (15), pi = p / 1 MPa.
inline constexpr double tau_shift = 0.5;  // Eq. (17): powers of (tau - 0.5)
using equation = steam_gibbs<region2_ideal_terms, region2_residual_terms, region2_T_star, tau_shift>;

}  // namespace

// IAPWS-IF97 Table 12: the properties as relations of gamma's derivatives.
double v2(double p, double T) { return equation::v(p, T); }
double h2(double p, double T) { return equation::h(p, T); }
double s2(double p, double T) { return equation::s(p, T); }
double u2(double p, double T) { return equation::u(p, T); }
double cp2(double p, double T) { return equation::cp(p, T); }
double cv2(double p, double T) { return equation::cv(p, T); }
double w2(double p, double T) { return equation::w(p, T); }
double fug2(double p, double T) { return equation::fug(p, T); }
double dvdp2(double p, double T) { return equation::dvdp(p, T); }
properties properties2(double p, double T) { return equation::all(p, T); }
properties properties2(double p, double T, extent e) { return equation::some(p, T, e); }
properties properties2_for_step(double p, double T, bool entropy) {
  return entropy ? equation::for_step<true>(p, T) : equation::for_step<false>(p, T);
}
caloric enthalpy_cp2(double p, double T) { return equation::enthalpy_cp(p, T); }
caloric entropy_cp2(double p, double T) { return equation::entropy_cp(p, T); }
gibbs_slopes slopes2(double p, double T, double v, unsigned want) { return equation::slopes(p, T, v, want); }
hsv hsv2(double p, double T) { return equation::h_s_v(p, T); }

// v, h and u from gamma_pi and gamma_tau alone (Table 12, the ideal-gas part
// with its 1/pi), the rest NaN: for a step of the flashes of density with u
// or h, and of (p, u).
properties properties2_volume_energy(double p, double T) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  const equation::parts g = equation::gamma<part_y, part_x | part_y>(p, T);
  return {p, T, equation::v_of(g, T), equation::h_of(g), nan, equation::u_of(g, T), nan, nan, nan, nan, nan};
}

properties properties2_along_line(double p, double T, line_quantity q) {
  switch (q) {
    case line_quantity::enthalpy: return equation::along_line<true, false>(p, T);
    case line_quantity::entropy: return equation::along_line<false, true>(p, T);
    case line_quantity::volume: break;
  }
  return equation::along_line<false, false>(p, T);
}

}  // namespace if97

double IF97_V2(const double* p, const double* T) noexcept { return if97::v2(*p, *T); }
double IF97_H2(const double* p, const double* T) noexcept { return if97::h2(*p, *T); }
double IF97_S2(const double* p, const double* T) noexcept { return if97::s2(*p, *T); }
double IF97_U2(const double* p, const double* T) noexcept { return if97::u2(*p, *T); }
double IF97_CP2(const double* p, const double* T) noexcept { return if97::cp2(*p, *T); }
double IF97_CV2(const double* p, const double* T) noexcept { return if97::cv2(*p, *T); }
double IF97_W2(const double* p, const double* T) noexcept { return if97::w2(*p, *T); }
double IF97_FUG2(const double* p, const double* T) noexcept { return if97::fug2(*p, *T); }
double IF97_DVDP2(const double* p, const double* T) noexcept { return if97::dvdp2(*p, *T); }
