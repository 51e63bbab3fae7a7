#include "if97/saturation.hpp"

#include <cmath>
#include <type_traits>

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

// sqrt for the saturation equations, also where a constant below is derived
// from them at compile time (Newton's iteration in extended precision).
constexpr double square_root(double x) {
  if (!std::is_constant_evaluated()) return std::sqrt(x);
  const long double X = static_cast<long double>(x);
  long double y = X > 1.0L ? X : 1.0L;
  for (int k = 0; k < 100; ++k) {
    const long double next = 0.5L * (y + X / y);
    if (next == y) break;
    y = next;
  }
  return static_cast<double>(y);
}

// Eq. (30).
constexpr double psat_equation(double T) {
  const double theta = T + n9 / (T - n10);
  const double A = (theta + n1) * theta + n2;
  const double B = (n3 * theta + n4) * theta + n5;
  const double C = (n6 * theta + n7) * theta + n8;
  const double r = 2.0 * C / (-B + square_root(B * B - 4.0 * A * C));
  const double r2 = r * r;
  return r2 * r2;
}

// Near the critical point the saturation line is continued by two straight
// lines: from T_A (where Eq. (30) stops) to T_B, and from T_B through the
// critical point (T_c, p_c_sat) onwards. The backward direction mirrors them
// from p_A (where Eq. (31) stops).
constexpr double T_A = 647.0958;             // K
constexpr double T_B = 647.0959;             // K
constexpr double p_A = 22.063946352;         // MPa
constexpr double p_B = 22.063973175;         // MPa, psat(T_B)
constexpr double dT_AB = T_A - T_B;          // K
constexpr double dp_A = psat_equation(T_A) - p_B;  // MPa
constexpr double dp_c = p_B - p_c_sat;       // MPa, over a step of dT_AB
constexpr double dp_AB = p_A - p_B;          // MPa
// Eq. (31) at p_A minus T_B, K: the exact value, which Eq. (31) in double
// precision misses by 4e-14 K in any of its algebraic forms.
constexpr double dT_A = -0.00010007678959422783;  // K
static_assert(dp_A == -2.680240968189196e-5, "Eq. (30) at T_A, derived at compile time, is the value of run time");

// Eq. (31) in its standard form; the quarter power as two square roots.
double tsat_equation(double p) {
  const double beta = std::sqrt(std::sqrt(p));
  const double E = (beta + n3) * beta + n6;
  const double F = (n1 * beta + n4) * beta + n7;
  const double G = (n2 * beta + n5) * beta + n8;
  const double D = 2.0 * G / (-F - std::sqrt(F * F - 4.0 * E * G));
  const double s = n10 + D;
  return 0.5 * (s - std::sqrt(s * s - 4.0 * (n9 + n10 * D)));
}

}  // namespace

double psat(double T) {
  if (T < T_A) return psat_equation(T);
  if (T < T_B) return p_B + (T - T_B) * (dp_A / dT_AB);
  return p_c_sat + (T - T_c) * (dp_c / dT_AB);
}

double tsat(double p) {
  if (p < p_A) return tsat_equation(p);
  if (p < p_B) return T_B + (p - p_B) * (dT_A / dp_AB);
  return T_c + (p - p_c_sat) * (dT_AB / dp_c);
}

double dpsat_dT(double T) {
  if (T >= T_B) return dp_c / dT_AB;
  if (T >= T_A) return dp_A / dT_AB;
  // Eq. (30) as p = r^4 with r = 2 C / D, D = -B + sqrt(B^2 - 4 A C), and
  // A, B, C quadratics in theta(T); each differentiated by the chain rule.
  // Three divisions, two of them beside the others' work: the derivatives of
  // water/ wait for this one.
  const double q = 1.0 / (T - n10);
  const double theta = T + n9 * q;
  const double dtheta = 1.0 - n9 * q * q;
  const double A = (theta + n1) * theta + n2;
  const double B = (n3 * theta + n4) * theta + n5;
  const double C = (n6 * theta + n7) * theta + n8;
  const double dA = (2.0 * theta + n1) * dtheta;
  const double dB = (2.0 * n3 * theta + n4) * dtheta;
  const double dC = (2.0 * n6 * theta + n7) * dtheta;
  const double root = std::sqrt(B * B - 4.0 * A * C);
  const double by_root = 1.0 / root;
  const double D = -B + root;
  const double by_D = 1.0 / D;
  const double dD = -dB + (B * dB - 2.0 * (dA * C + A * dC)) * by_root;
  const double r = 2.0 * C * by_D;
  const double dr = (2.0 * dC - r * dD) * by_D;
  return 4.0 * r * r * r * dr;
}

double tb23(double p) { return b23_n4 + std::sqrt((p - b23_n5) / b23_n3); }

}  // namespace if97

double IF97_PSAT(const double* T) noexcept { return if97::psat(*T); }
double IF97_TSAT(const double* p) noexcept { return if97::tsat(*p); }
double IF97_PB23(const double* T) noexcept { return if97::pb23(*T); }
