// Ideal-gas part of the IAPWS-IF97 region-2 Gibbs free energy, Eq. (16):
// gamma0 = ln pi + sum n0_i tau^J0_i, pi = p / 1 MPa, tau = 540 K / T.
// Region 2 uses it as its ideal-gas part, and regions 1 and 3 refer their
// fugacities to it, so that the fugacities of liquid and vapour are comparable.
#pragma once

#include <array>

#include "if97/series.hpp"

namespace if97 {

// IAPWS-IF97 (Revised Release on the IAPWS Industrial Formulation 1997, 2007) Table 10: numerical values of the coefficients and exponents of the ideal-gas part of the dimensionless Gibbs free energy for region 2, Eq. (16)
inline constexpr std::array<term, 9> region2_ideal_terms{{
    {0, 0, -0.96927686500217e1},
    {0, 1, 0.10086655968018e2},
    {0, -5, -0.56087911283020e-2},
    {0, -4, 0.71452738081455e-1},
    {0, -3, -0.40710498223928},
    {0, -2, 0.14240819171444e1},
    {0, -1, -0.43839511319450e1},
    {0, 2, -0.28408632460772},
    {0, 3, 0.21268463753307e-1},
}};

inline constexpr double region2_T_star = 540.0;  // K

// Sum n0_i tau^J0_i and its tau-derivatives (y = tau): gamma0 without ln pi.
template <unsigned W>
[[gnu::always_inline]] inline series_value region2_ideal_sum(double tau) {
  return evaluate_y<region2_ideal_terms, W>(tau);
}

}  // namespace if97
