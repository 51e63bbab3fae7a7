// Double power series sum n_i x^I_i y^J_i and its partial derivatives: the one
// evaluator behind every IAPWS basic, backward and transport equation of this
// library. A coefficient table is a constexpr array of terms; the table of each
// derivative is derived from it at compile time with the exponents folded into
// the coefficients and vanishing terms dropped, so an evaluation pays only for
// the sums it asks for and never multiplies an infinite power by zero.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

namespace if97 {

struct term {
  int i;     // exponent of x
  int j;     // exponent of y
  double n;  // coefficient
};

// Which sums an evaluation needs; combine with |.
enum series_part : unsigned {
  part_f = 1u,    // the series itself
  part_x = 2u,    // d/dx
  part_xx = 4u,   // d2/dx2
  part_y = 8u,    // d/dy
  part_yy = 16u,  // d2/dy2
  part_xy = 32u,  // d2/dxdy
  part_yyy = 64u, // d3/dy3
};

struct series_value {
  double f = 0.0;
  double x = 0.0;
  double xx = 0.0;
  double y = 0.0;
  double yy = 0.0;
  double xy = 0.0;
  double yyy = 0.0;
};

namespace detail {

// k (k - 1) ... (k - order + 1)
constexpr double falling(int k, int order) {
  double r = 1.0;
  for (int m = 0; m < order; ++m) r *= static_cast<double>(k - m);
  return r;
}

template <std::size_t N>
constexpr std::size_t nonzero_terms(const std::array<term, N>& t, int di, int dj) {
  std::size_t count = 0;
  for (const term& e : t)
    if (e.n * falling(e.i, di) * falling(e.j, dj) != 0.0) ++count;
  return count;
}

template <const auto& T, int DI, int DJ>
constexpr auto derive() {
  std::array<term, nonzero_terms(T, DI, DJ)> out{};
  std::size_t k = 0;
  for (const term& e : T) {
    const double n = e.n * falling(e.i, DI) * falling(e.j, DJ);
    if (n != 0.0) out[k++] = term{e.i - DI, e.j - DJ, n};
  }
  return out;
}

// d^(DI+DJ) / dx^DI dy^DJ of the series T, itself a series.
template <const auto& T, int DI, int DJ>
inline constexpr auto derived = derive<T, DI, DJ>();

struct exponent_range {
  int lo = 0;
  int hi = 0;
};

template <std::size_t N>
constexpr exponent_range widen(exponent_range r, const std::array<term, N>& t, bool of_x) {
  for (const term& e : t) {
    const int k = of_x ? e.i : e.j;
    if (k < r.lo) r.lo = k;
    if (k > r.hi) r.hi = k;
  }
  return r;
}

// The powers of x (of_x) or y that the wanted sums of T need.
template <const auto& T, unsigned W, bool of_x>
constexpr exponent_range needed_powers() {
  exponent_range r{};
  if constexpr ((W & part_f) != 0) r = widen(r, derived<T, 0, 0>, of_x);
  if constexpr ((W & part_x) != 0) r = widen(r, derived<T, 1, 0>, of_x);
  if constexpr ((W & part_xx) != 0) r = widen(r, derived<T, 2, 0>, of_x);
  if constexpr ((W & part_y) != 0) r = widen(r, derived<T, 0, 1>, of_x);
  if constexpr ((W & part_yy) != 0) r = widen(r, derived<T, 0, 2>, of_x);
  if constexpr ((W & part_xy) != 0) r = widen(r, derived<T, 1, 1>, of_x);
  if constexpr ((W & part_yyy) != 0) r = widen(r, derived<T, 0, 3>, of_x);
  return r;
}

// x^Lo ... x^Hi by repeated multiplication. x^k is formed as
// x^(k/2) * x^(k - k/2), which keeps the chain of dependent multiplications
// to about log2(k) and rounds no worse than a running product.
template <int Lo, int Hi>
class powers {
 public:
  [[gnu::always_inline]] explicit powers(double x) {
    at(0) = 1.0;
    if constexpr (Hi >= 1) {
      at(1) = x;
      fill<1>(std::make_index_sequence<(Hi >= 2 ? Hi - 1 : 0)>{});
    }
    if constexpr (Lo <= -1) {
      at(-1) = 1.0 / x;
      fill<-1>(std::make_index_sequence<(Lo <= -2 ? -Lo - 1 : 0)>{});
    }
  }
  [[gnu::always_inline]] double operator[](int k) const { return v_[static_cast<std::size_t>(k - Lo)]; }

 private:
  [[gnu::always_inline]] double& at(int k) { return v_[static_cast<std::size_t>(k - Lo)]; }

  template <int Sign, std::size_t... K>
  [[gnu::always_inline]] void fill(std::index_sequence<K...>) {
    ((at(Sign * static_cast<int>(K + 2)) =
          at(Sign * static_cast<int>((K + 2) / 2)) * at(Sign * static_cast<int>(K + 2 - (K + 2) / 2))),
     ...);
  }

  std::array<double, static_cast<std::size_t>(Hi - Lo + 1)> v_;
};

// The terms of D ordered by their power of x, so that terms sharing x^i can
// share one multiplication by it: sum_i x^i (sum_j n_ij y^j).
template <const auto& D>
constexpr auto order_by_x() {
  auto out = D;
  for (std::size_t a = 1; a < out.size(); ++a)
    for (std::size_t b = a; b > 0 && out[b - 1].i > out[b].i; --b) std::swap(out[b - 1], out[b]);
  return out;
}

template <const auto& D>
inline constexpr auto ordered = order_by_x<D>();

struct x_group {
  int i;           // the power of x the group shares
  std::size_t lo;  // its terms [lo, hi) in the ordered table
  std::size_t hi;
};

template <const auto& S>
constexpr std::size_t x_group_count() {
  std::size_t count = 0;
  for (std::size_t k = 0; k < S.size(); ++k)
    if (k == 0 || S[k].i != S[k - 1].i) ++count;
  return count;
}

template <const auto& S>
constexpr auto group_by_x() {
  std::array<x_group, x_group_count<S>()> out{};
  std::size_t g = 0;
  for (std::size_t k = 0; k < S.size(); ++k) {
    if (k == 0 || S[k].i != S[k - 1].i) out[g++] = x_group{S[k].i, k, k};
    out[g - 1].hi = k + 1;
  }
  return out;
}

template <const auto& S>
inline constexpr auto x_groups = group_by_x<S>();

// Pairwise sum of n y^j over the terms [Lo, Hi) of S: a short dependency
// chain lets the processor overlap the products.
template <const auto& S, std::size_t Lo, std::size_t Hi, class PY>
[[gnu::always_inline]] inline double sum_y(const PY& py) {
  if constexpr (Hi - Lo == 1) {
    constexpr term t = S[Lo];
    if constexpr (t.j == 0) return t.n;
    else return t.n * py[t.j];
  } else {
    constexpr std::size_t mid = Lo + (Hi - Lo) / 2;
    return sum_y<S, Lo, mid>(py) + sum_y<S, mid, Hi>(py);
  }
}

// Pairwise sum over the groups [Lo, Hi) of x^i (sum of the group's n y^j).
template <const auto& S, const auto& G, std::size_t Lo, std::size_t Hi, class PX, class PY>
[[gnu::always_inline]] inline double sum_x(const PX& px, const PY& py) {
  if constexpr (Hi - Lo == 1) {
    constexpr x_group g = G[Lo];
    const double inner = sum_y<S, g.lo, g.hi>(py);
    if constexpr (g.i == 0) return inner;
    else return px[g.i] * inner;
  } else {
    constexpr std::size_t mid = Lo + (Hi - Lo) / 2;
    return sum_x<S, G, Lo, mid>(px, py) + sum_x<S, G, mid, Hi>(px, py);
  }
}

template <const auto& D, class PX, class PY>
[[gnu::always_inline]] inline double sum_all(const PX& px, const PY& py) {
  if constexpr (D.size() == 0) {
    return 0.0;
  } else {
    constexpr const auto& S = ordered<D>;
    constexpr const auto& G = x_groups<S>;
    return sum_x<S, G, 0, G.size()>(px, py);
  }
}

}  // namespace detail

// The sums W of the series T at (x, y).
template <const auto& T, unsigned W>
[[gnu::always_inline]] inline series_value evaluate(double x, double y) {
  constexpr detail::exponent_range rx = detail::needed_powers<T, W, true>();
  constexpr detail::exponent_range ry = detail::needed_powers<T, W, false>();
  const detail::powers<rx.lo, rx.hi> px(x);
  const detail::powers<ry.lo, ry.hi> py(y);
  series_value s;
  if constexpr ((W & part_f) != 0) s.f = detail::sum_all<detail::derived<T, 0, 0>>(px, py);
  if constexpr ((W & part_x) != 0) s.x = detail::sum_all<detail::derived<T, 1, 0>>(px, py);
  if constexpr ((W & part_xx) != 0) s.xx = detail::sum_all<detail::derived<T, 2, 0>>(px, py);
  if constexpr ((W & part_y) != 0) s.y = detail::sum_all<detail::derived<T, 0, 1>>(px, py);
  if constexpr ((W & part_yy) != 0) s.yy = detail::sum_all<detail::derived<T, 0, 2>>(px, py);
  if constexpr ((W & part_xy) != 0) s.xy = detail::sum_all<detail::derived<T, 1, 1>>(px, py);
  if constexpr ((W & part_yyy) != 0) s.yyy = detail::sum_all<detail::derived<T, 0, 3>>(px, py);
  return s;
}

// A series in y alone (every I = 0), such as an ideal-gas part.
template <const auto& T, unsigned W>
[[gnu::always_inline]] inline series_value evaluate_y(double y) {
  return evaluate<T, W>(1.0, y);
}

}  // namespace if97
