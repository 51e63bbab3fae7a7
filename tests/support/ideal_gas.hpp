// The stand-in host's ideal gas, written out independently of the library:
// the ideal-gas part of IAPWS-IF97 region 2 (Eq. (16), Table 10) in kJ/kg and
// kJ/(kg K), summed term by term with std::pow. The dispatcher's reference-
// shifted results are departures from it.
#pragma once

#include <cmath>

namespace kvtest {

struct ideal_term {
  int J;
  double n;
};

// IAPWS-IF97 Table 10
inline constexpr ideal_term table10[] = {
    {0, -0.96927686500217e1}, {1, 0.10086655968018e2},  {-5, -0.56087911283020e-2},
    {-4, 0.71452738081455e-1}, {-3, -0.40710498223928}, {-2, 0.14240819171444e1},
    {-1, -0.43839511319450e1}, {2, -0.28408632460772},  {3, 0.21268463753307e-1},
};

inline constexpr double R_if97 = 0.461526;  // kJ/(kg K)
inline constexpr double p_reference = 101325.0;  // Pa, the stand-in host's reference pressure

// h = R T tau g_tau
inline double ideal_h(double T) {
  const double tau = 540.0 / T;
  double g_tau = 0.0;
  for (const ideal_term& t : table10) g_tau += t.n * t.J * std::pow(tau, t.J - 1);
  return R_if97 * T * tau * g_tau;
}

// s = R (tau g_tau - g), g = ln(p / 1 MPa) + sum n tau^J
inline double ideal_s(double T, double p_pa) {
  const double tau = 540.0 / T;
  double g = std::log(p_pa / 1e6), g_tau = 0.0;
  for (const ideal_term& t : table10) {
    g += t.n * std::pow(tau, t.J);
    g_tau += t.n * t.J * std::pow(tau, t.J - 1);
  }
  return R_if97 * (tau * g_tau - g);
}

// cp = -R tau^2 g_tautau
inline double ideal_cp(double T) {
  const double tau = 540.0 / T;
  double g_tt = 0.0;
  for (const ideal_term& t : table10) g_tt += t.n * t.J * (t.J - 1) * std::pow(tau, t.J - 2);
  return -R_if97 * tau * tau * g_tt;
}

}  // namespace kvtest
