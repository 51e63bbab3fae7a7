#include "if97/region2.hpp"

#include <array>
#include <cmath>

#include "if97/constants.hpp"
#include "if97/if97.h"
#include "if97/region2_ideal.hpp"
#include "if97/series.hpp"

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

// pi = p / 1 MPa, so p and pi are the same number.
constexpr double T_star = region2_T_star;  // K
constexpr double tau_shift = 0.5;           // Eq. (17): powers of (tau - 0.5)

// The parts of gamma and their derivatives (IAPWS-IF97 Tables 13 and 14). The
// ideal-gas sums exclude ln pi, whose derivatives 1/pi and -1/pi^2 the
// relations write out; the residual series runs in x = pi and y = tau - 0.5,
// so its derivatives are those of pi and tau.
struct gibbs {
  double pi, tau;
  double g0, g0_t, g0_tt;                      // sum n0 tau^J0 and its tau-derivatives
  double gr, gr_p, gr_pp, gr_t, gr_tt, gr_pt;  // gamma^r and its derivatives
};

// Ideal: the parts of the ideal-gas sum, in powers of tau (part_f, part_y,
// part_yy); Residual: the parts of gamma^r (any series_part). Either may be 0.
template <unsigned Ideal, unsigned Residual>
[[gnu::always_inline]] inline gibbs gamma(double p, double T) {
  const double tau = T_star / T;
  const series_value o = region2_ideal_sum<Ideal>(tau);
  const series_value r = evaluate<region2_residual_terms, Residual>(p, tau - tau_shift);
  return {p, tau, o.f, o.y, o.yy, r.f, r.x, r.xx, r.y, r.yy, r.xy};
}

}  // namespace

// IAPWS-IF97 Table 12: the properties as relations of gamma's derivatives.
double v2(double p, double T) {
  const gibbs g = gamma<0, part_x>(p, T);
  return 1e-3 * R * T / p * (1.0 + g.pi * g.gr_p);
}

// R T tau = R T*.
double h2(double p, double T) {
  const gibbs g = gamma<part_y, part_y>(p, T);
  return R * T_star * (g.g0_t + g.gr_t);
}

double s2(double p, double T) {
  const gibbs g = gamma<part_f | part_y, part_f | part_y>(p, T);
  return R * (g.tau * (g.g0_t + g.gr_t) - (std::log(g.pi) + g.g0 + g.gr));
}

double u2(double p, double T) {
  const gibbs g = gamma<part_y, part_x | part_y>(p, T);
  return R * T * (g.tau * (g.g0_t + g.gr_t) - (1.0 + g.pi * g.gr_p));
}

double cp2(double p, double T) {
  const gibbs g = gamma<part_yy, part_yy>(p, T);
  return -R * g.tau * g.tau * (g.g0_tt + g.gr_tt);
}

double cv2(double p, double T) {
  const gibbs g = gamma<part_yy, part_x | part_xx | part_yy | part_xy>(p, T);
  const double a = 1.0 + g.pi * g.gr_p - g.tau * g.pi * g.gr_pt;
  return R * (-g.tau * g.tau * (g.g0_tt + g.gr_tt) - a * a / (1.0 - g.pi * g.pi * g.gr_pp));
}

double w2(double p, double T) {
  const gibbs g = gamma<part_yy, part_x | part_xx | part_yy | part_xy>(p, T);
  const double b = 1.0 + g.pi * g.gr_p;
  const double a = b - g.tau * g.pi * g.gr_pt;
  const double tt = g.tau * g.tau * (g.g0_tt + g.gr_tt);
  return std::sqrt(R_sound * T * b * b / ((1.0 - g.pi * g.pi * g.gr_pp) + a * a / tt));
}

// f = p exp(gamma - gamma0) = p exp(gamma^r).
double fug2(double p, double T) {
  return p * std::exp(gamma<0, part_f>(p, T).gr);
}

// (dv/dp)_T = 10^-3 R T gamma_pipi / p*^2 per MPa, from v of Table 12, with
// p* = 1 MPa and gamma_pipi = -1/pi^2 + gamma^r_pipi; per kPa another 10^-3.
double dvdp2(double p, double T) {
  const gibbs g = gamma<0, part_xx>(p, T);
  return 1e-6 * R * T * (-1.0 / (g.pi * g.pi) + g.gr_pp);
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
