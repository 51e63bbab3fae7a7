#include "if97/saturation.hpp"

#include <cmath>

#include "if97/constants.hpp"
#include "if97/if97.h"

namespace if97 {
namespace {

// IAPWS-IF97 (2007) Table 34: coefficients of the saturation equations, Eqs. (29) to (31)
constexpr double n1 = 0.11670521452767e4;
constexpr double n2 = -0.72421316703206e6;
constexpr double n3 = -0.17073846940092e2;
constexpr double n4 = 0.12020824702470e5;
constexpr double n5 = -0.32325550322333e7;
constexpr double n6 = 0.14915108613530e2;
constexpr double n7 = -0.48232657361591e4;
constexpr double n8 = 0.40511340542057e6;
constexpr double n9 = -0.23855557567849;
constexpr double n10 = 0.65017534844798e3;

// IAPWS-IF97 (2007) Table 1: coefficients of the B23 equation, Eq. (5)
constexpr double b23_n1 = 0.34805185628969e3;
constexpr double b23_n2 = -0.11671859879975e1;
constexpr double b23_n3 = 0.10192970039326e-2;

// Near the critical point the saturation line is continued by two straight
// lines: from T_A (where Eq. (30) stops) to T_B, and from T_B through the
// critical point (T_c, p_c_sat) onwards. The backward direction mirrors them
// from p_A (where Eq. (31) stops).
constexpr double T_A = 647.0958;                         // K
constexpr double T_B = 647.0959;                         // K
constexpr double p_A = 22.063946352;                     // MPa
constexpr double p_B = 22.063973175;                     // MPa, psat(T_B)
constexpr double dT_AB = -9.999999997489795e-5;          // K, T_A - T_B
constexpr double dp_A = -2.680240968189196e-5;           // MPa, Eq. (30) at T_A minus p_B
constexpr double dp_c = -2.6824889399534868e-5;          // MPa, p_B - p_c_sat over a step of dT_AB
constexpr double dp_AB = -2.6823000002451636e-5;         // MPa, p_A - p_B
constexpr double dT_A = -0.00010007679054524488;         // K, Eq. (31) at p_A minus T_B
constexpr double T_bar_lo = 273.0;                       // K, range of psat_bar
constexpr double T_bar_hi = 647.301;                     // K

// Eq. (30).
double psat_equation(double T) {
  const double theta = T + n9 / (T - n10);
  const double A = (theta + n1) * theta + n2;
  const double B = (n3 * theta + n4) * theta + n5;
  const double C = (n6 * theta + n7) * theta + n8;
  const double r = 2.0 * C / (-B + std::sqrt(B * B - 4.0 * A * C));
  const double r2 = r * r;
  return r2 * r2;
}

// Eq. (31); the quarter power as two square roots. Its last root is taken of
// (D - n10)^2 - 4 n9, which equals the release's (n10 + D)^2 - 4 (n9 + n10 D):
// near the critical point the two terms of the release's form are about
// 1.7e6 each and differ by about 10, and their rounding made T jitter by up
// to 5e-11 K, enough for T to fall while p rises.
double tsat_equation(double p) {
  const double beta = std::sqrt(std::sqrt(p));
  const double E = (beta + n3) * beta + n6;
  const double F = (n1 * beta + n4) * beta + n7;
  const double G = (n2 * beta + n5) * beta + n8;
  const double D = 2.0 * G / (-F - std::sqrt(F * F - 4.0 * E * G));
  const double d = D - n10;
  return 0.5 * (n10 + D - std::sqrt(d * d - 4.0 * n9));
}

}  // namespace

double psat(double T) {
  if (T < T_A) return psat_equation(T);
  if (T < T_B) return p_B + (T - T_B) * (dp_A / dT_AB);
  return p_c_sat + (T - T_c) * (dp_c / dT_AB);
}

double psat_bar(double T) {
  if (!(T >= T_bar_lo && T <= T_bar_hi)) return -1.0;
  return 10.0 * psat(T);
}

double tsat(double p) {
  if (p < p_A) return tsat_equation(p);
  if (p < p_B) return T_B + (p - p_B) * (dT_A / dp_AB);
  return T_c + (p - p_c_sat) * (dT_AB / dp_c);
}

double pb23(double T) { return (b23_n3 * T + b23_n2) * T + b23_n1; }

}  // namespace if97

double IF97_PSAT(const double* T) noexcept { return if97::psat(*T); }
double IF97_PSATBAR(const double* T) noexcept { return if97::psat_bar(*T); }
double IF97_TSAT(const double* p) noexcept { return if97::tsat(*p); }
double IF97_PB23(const double* T) noexcept { return if97::pb23(*T); }
