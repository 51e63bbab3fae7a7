// The one form of the backward and boundary equations of IAPWS-IF97 (Eqs. (11),
// (13), (22) to (27)) and of the supplementary releases SR3-03, SR2-01 and
// SR4-04: a reduced result that is a double power series sum n_i x^I_i y^J_i in
// two reduced and shifted variables, or the fourth power, the exponential or
// the reciprocal of that sum. A descriptor pairs a coefficient table with the
// reducing quantities, shifts and form that make it an equation; the evaluator
// is a template on the descriptor, so that each equation compiles to its own
// straight-line code with every constant folded in.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

#include "if97/series.hpp"

namespace if97 {

// How a variable a enters the series, with a* its reducing quantity and c its
// shift.
enum class enters : unsigned char {
  linear,        // a/a* + c
  mirrored,      // c - a/a*: IF97 Eqs. (26) and (27), (10 - sigma) and (2 - sigma)
  quarter_root,  // (a/a*)^(1/4): IF97 Eq. (25), whose exponents of pi are multiples of 1/4
  inverse,       // a*/a + c: SR4-04 Eq. (5), (1/sigma1 - 0.513)
};

struct variable {
  double star;         // reducing quantity, in the unit of the variable
  double shift = 0.0;  // c, as the release writes it: (eta - 2.1) is -2.1
  enters how = enters::linear;
};

// What the series gives, with r* the reducing quantity of the result.
enum class result_form : unsigned char {
  sum,           // r / r* = sum
  fourth_power,  // r / r* = sum^4: SR2-01 Eqs. (3) to (5), SR4-04 Eq. (6)
  exponential,   // r / r* = exp(sum): SR4-04 Eq. (5)
  reciprocal,    // r* / r = sum: SR4-04 Eq. (2)
};

template <std::size_t N>
struct backward_equation {
  const std::array<term, N>& terms;
  result_form form;
  double star;  // r*, in the unit of the result
  variable x;   // the first variable of the equation, the one with exponents I
  variable y;   // the second, with exponents J
};

// The size comes from the table (spelled out for compilers without the
// deduction of aggregates, such as clang 14).
template <std::size_t N>
backward_equation(const std::array<term, N>&, result_form, double, variable, variable) -> backward_equation<N>;

namespace detail {

// The variable's value reaches here as a constant of the equation: with the
// call inlined, the branch and the reciprocal fold away. (A reference to the
// descriptor's member as a template argument would say so more directly, but
// not every compiler of this project's takes one, clang 14 among them.)
[[gnu::always_inline]] inline double reduce(const variable v, double a) {
  const double inverse_star = 1.0 / v.star;
  switch (v.how) {
    case enters::linear: return a * inverse_star + v.shift;
    case enters::mirrored: return v.shift - a * inverse_star;
    case enters::quarter_root: return std::sqrt(std::sqrt(a * inverse_star)) + v.shift;
    case enters::inverse: break;
  }
  return v.star / a + v.shift;
}

}  // namespace detail

// The equation Eq at its first variable a and second b.
template <const auto& Eq>
[[gnu::always_inline]] inline double backward(double a, double b) {
  const double sum = evaluate<Eq.terms, part_f>(detail::reduce(Eq.x, a), detail::reduce(Eq.y, b)).f;
  if constexpr (Eq.form == result_form::sum) {
    return Eq.star * sum;
  } else if constexpr (Eq.form == result_form::fourth_power) {
    const double sum2 = sum * sum;
    return Eq.star * (sum2 * sum2);
  } else if constexpr (Eq.form == result_form::exponential) {
    return Eq.star * std::exp(sum);
  } else {
    return Eq.star / sum;
  }
}

// An equation of one variable: a boundary line such as SR4-04's h'1(s), whose
// x and y are both reduced from s, or a polynomial in y alone such as h3ab(p).
template <const auto& Eq>
[[gnu::always_inline]] inline double backward(double a) {
  return backward<Eq>(a, a);
}

}  // namespace if97
