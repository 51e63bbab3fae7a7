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
// V is double, or a vector of doubles (double2) whose lanes all hold x.
template <int Lo, int Hi, class V = double>
class powers {
 public:
  [[gnu::always_inline]] explicit powers(V x) : powers(x, [x] { return 1.0 / x; }) {}
  // With 1/x formed by the caller (inv_x), where it can be formed beside x
  // rather than after it.
  [[gnu::always_inline]] powers(V x, V inv_x) : powers(x, [inv_x] { return inv_x; }) {}

  [[gnu::always_inline]] V operator[](int k) const { return v_[static_cast<std::size_t>(k - Lo)]; }

 private:
  // inverse() gives 1/x, called only where a negative power is needed.
  template <class Inverse>
  [[gnu::always_inline]] powers(V x, Inverse inverse) {
    at(0) = V{} + 1.0;
    if constexpr (Hi >= 1) {
      at(1) = x;
      fill<1>(std::make_index_sequence<(Hi >= 2 ? Hi - 1 : 0)>{});
    }
    if constexpr (Lo <= -1) {
      at(-1) = inverse();
      fill<-1>(std::make_index_sequence<(Lo <= -2 ? -Lo - 1 : 0)>{});
    }
  }
  [[gnu::always_inline]] V& at(int k) { return v_[static_cast<std::size_t>(k - Lo)]; }

  template <int Sign, std::size_t... K>
  [[gnu::always_inline]] void fill(std::index_sequence<K...>) {
    ((at(Sign * static_cast<int>(K + 2)) =
          at(Sign * static_cast<int>((K + 2) / 2)) * at(Sign * static_cast<int>(K + 2 - (K + 2) / 2))),
     ...);
  }

  std::array<V, static_cast<std::size_t>(Hi - Lo + 1)> v_;
};

// The terms of D ordered by their power of x, so that terms sharing x^i can
// share one multiplication by it: sum_i x^i (sum_j n_ij y^j); then_y orders
// each group by its power of y too (a stable sort otherwise).
template <class Terms>
constexpr Terms sorted_by_x(Terms out, bool then_y = false) {
  for (std::size_t a = 1; a < out.size(); ++a)
    for (std::size_t b = a;
         b > 0 && (out[b - 1].i > out[b].i || (then_y && out[b - 1].i == out[b].i && out[b - 1].j > out[b].j)); --b)
      std::swap(out[b - 1], out[b]);
  return out;
}

template <const auto& D>
constexpr auto order_by_x() {
  return sorted_by_x(D);
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

template <const auto& T, unsigned W, class PX, class PY>
[[gnu::always_inline]] inline series_value sums(const PX& px, const PY& py) {
  series_value s;
  if constexpr ((W & part_f) != 0) s.f = sum_all<derived<T, 0, 0>>(px, py);
  if constexpr ((W & part_x) != 0) s.x = sum_all<derived<T, 1, 0>>(px, py);
  if constexpr ((W & part_xx) != 0) s.xx = sum_all<derived<T, 2, 0>>(px, py);
  if constexpr ((W & part_y) != 0) s.y = sum_all<derived<T, 0, 1>>(px, py);
  if constexpr ((W & part_yy) != 0) s.yy = sum_all<derived<T, 0, 2>>(px, py);
  if constexpr ((W & part_xy) != 0) s.xy = sum_all<derived<T, 1, 1>>(px, py);
  if constexpr ((W & part_yyy) != 0) s.yyy = sum_all<derived<T, 0, 3>>(px, py);
  return s;
}

template <const auto& T, unsigned W>
inline constexpr exponent_range x_powers = needed_powers<T, W, true>();
template <const auto& T, unsigned W>
inline constexpr exponent_range y_powers = needed_powers<T, W, false>();

}  // namespace detail

// The sums W of the series T at (x, y).
template <const auto& T, unsigned W>
[[gnu::always_inline]] inline series_value evaluate(double x, double y) {
  constexpr detail::exponent_range rx = detail::x_powers<T, W>, ry = detail::y_powers<T, W>;
  return detail::sums<T, W>(detail::powers<rx.lo, rx.hi>(x), detail::powers<ry.lo, ry.hi>(y));
}

// The same with 1/y formed by the caller (inv_y), beside y rather than after
// it: the negative powers of y then need not wait for y and a division.
template <const auto& T, unsigned W>
[[gnu::always_inline]] inline series_value evaluate(double x, double y, double inv_y) {
  constexpr detail::exponent_range rx = detail::x_powers<T, W>, ry = detail::y_powers<T, W>;
  return detail::sums<T, W>(detail::powers<rx.lo, rx.hi>(x), detail::powers<ry.lo, ry.hi>(y, inv_y));
}

// A series in y alone (every I = 0), such as an ideal-gas part.
template <const auto& T, unsigned W>
[[gnu::always_inline]] inline series_value evaluate_y(double y) {
  return evaluate<T, W>(1.0, y);
}

// The same with 1/y formed by the caller (inv_y).
template <const auto& T, unsigned W>
[[gnu::always_inline]] inline series_value evaluate_y(double y, double inv_y) {
  return evaluate<T, W>(1.0, y, inv_y);
}

// Scaled derivatives side by side. x^DI y^DJ d^(DI+DJ)f / dx^DI dy^DJ =
// sum n i (i-1)..(i-DI+1) j (j-1)..(j-DJ+1) x^i y^j: every scaled
// derivative runs over the same powers x^i y^j as the series itself, so
// that two of them share each product in the two lanes of one vector, and
// the pair costs the multiplications and additions of one sum. A part's
// lane sums every term of the series, in the same order whatever the other
// lanes carry, so its value does not depend on the other parts asked for.
namespace detail {

// Two doubles in one SSE2 register (a GCC and Clang vector extension).
typedef double double2 __attribute__((vector_size(16)));

// The exponents (DI, DJ) of each series_part bit.
constexpr int part_di(unsigned part) { return part == part_x || part == part_xy ? 1 : part == part_xx ? 2 : 0; }
constexpr int part_dj(unsigned part) {
  return part == part_y || part == part_xy ? 1 : part == part_yy ? 2 : part == part_yyy ? 3 : 0;
}

constexpr int part_count(unsigned W) {
  int n = 0;
  for (unsigned bit = 1; bit <= part_yyy; bit <<= 1) n += (W & bit) != 0 ? 1 : 0;
  return n;
}

// The part of lane k: the k-th bit of W, the last one again past the count.
constexpr unsigned lane_part(unsigned W, int k) {
  unsigned last = 0;
  for (unsigned bit = 1; bit <= part_yyy; bit <<= 1)
    if ((W & bit) != 0) {
      last = bit;
      if (k-- == 0) return bit;
    }
  return last;
}

// Vectors of two lanes that the parts W need.
constexpr std::size_t lane_vectors(unsigned W) { return static_cast<std::size_t>((part_count(W) + 1) / 2); }

template <std::size_t L>
struct lane_term {
  int i;
  int j;
  double n[L];  // the coefficient of each lane's scaled derivative
};

template <const auto& T, unsigned W>
constexpr auto lane_table() {
  constexpr std::size_t L = 2 * lane_vectors(W);
  std::array<lane_term<L>, T.size()> out{};
  for (std::size_t k = 0; k < T.size(); ++k) {
    out[k].i = T[k].i;
    out[k].j = T[k].j;
    // A lane past the parts' count is padding: zero, rather than the last
    // part again, so that no coefficient vector has two equal lanes (which
    // the compiler loads as a scalar and broadcasts, an instruction more).
    for (std::size_t l = 0; l < L; ++l) {
      const unsigned part = lane_part(W, static_cast<int>(l));
      out[k].n[l] = static_cast<int>(l) < part_count(W)
                        ? T[k].n * falling(T[k].i, part_di(part)) * falling(T[k].j, part_dj(part))
                        : 0.0;
    }
  }
  return sorted_by_x(out);
}

template <const auto& T, unsigned W>
inline constexpr auto lane_terms = lane_table<T, W>();

template <std::size_t V>
struct lanes {
  double2 v[V];
};

template <std::size_t V>
[[gnu::always_inline]] inline lanes<V> operator+(lanes<V> a, const lanes<V>& b) {
  for (std::size_t k = 0; k < V; ++k) a.v[k] += b.v[k];
  return a;
}

// A vector whose lanes' coefficients are all zero in a term, or in every
// term of a group, is not formed: its products would be zeros, which leave
// the sums as they are, and -0.0, which stands for it, is added exactly and
// folded away by the compiler. So each lane's sum has the bits of the sum
// over every term, for fewer operations where a part lacks terms (the terms
// free of x in d2/dx2, or free of y in d2/dy2).
inline constexpr double2 no_terms = {-0.0, -0.0};

template <const auto& S>
constexpr bool vector_used(std::size_t lo, std::size_t hi, std::size_t k) {
  for (std::size_t t = lo; t < hi; ++t)
    if (S[t].n[2 * k] != 0.0 || S[t].n[2 * k + 1] != 0.0) return true;
  return false;
}

// Vector K of term I of S: its coefficients times y^j.
template <const auto& S, std::size_t I, std::size_t K, class PY>
[[gnu::always_inline]] inline double2 term_vector(const PY& py) {
  if constexpr (!vector_used<S>(I, I + 1, K)) {
    return no_terms;
  } else {
    const double2 n = {S[I].n[2 * K], S[I].n[2 * K + 1]};
    if constexpr (S[I].j == 0) return n;
    else return n * py[S[I].j];
  }
}

template <const auto& S, std::size_t I, class PY, std::size_t... K>
[[gnu::always_inline]] inline lanes<sizeof...(K)> term_lanes(const PY& py, std::index_sequence<K...>) {
  return {{term_vector<S, I, K>(py)...}};
}

// Vector K of a group's sum (terms [Lo, Hi) of S) times x^i.
template <const auto& S, std::size_t Lo, std::size_t Hi, std::size_t K>
[[gnu::always_inline]] inline double2 group_vector(double2 inner, double2 x_i) {
  if constexpr (!vector_used<S>(Lo, Hi, K)) return no_terms;
  else return inner * x_i;
}

template <const auto& S, std::size_t Lo, std::size_t Hi, std::size_t V, std::size_t... K>
[[gnu::always_inline]] inline lanes<V> group_lanes(const lanes<V>& inner, double2 x_i, std::index_sequence<K...>) {
  return {{group_vector<S, Lo, Hi, K>(inner.v[K], x_i)...}};
}

// As sum_y and sum_x, in lanes.
template <const auto& S, std::size_t Lo, std::size_t Hi, std::size_t V, class PY>
[[gnu::always_inline]] inline lanes<V> lane_sum_y(const PY& py) {
  if constexpr (Hi - Lo == 1) {
    return term_lanes<S, Lo>(py, std::make_index_sequence<V>{});
  } else {
    constexpr std::size_t mid = Lo + (Hi - Lo) / 2;
    return lane_sum_y<S, Lo, mid, V>(py) + lane_sum_y<S, mid, Hi, V>(py);
  }
}


// Lane L of the sums into the member of its part.
template <unsigned W, std::size_t L, std::size_t V>
[[gnu::always_inline]] inline void store_lane(series_value& s, const lanes<V>& sums) {
  constexpr unsigned part = lane_part(W, static_cast<int>(L));
  const double value = sums.v[L / 2][L % 2];
  if constexpr (part == part_f) s.f = value;
  else if constexpr (part == part_x) s.x = value;
  else if constexpr (part == part_xx) s.xx = value;
  else if constexpr (part == part_y) s.y = value;
  else if constexpr (part == part_yy) s.yy = value;
  else if constexpr (part == part_xy) s.xy = value;
  else if constexpr (part == part_yyy) s.yyy = value;
}

template <unsigned W, std::size_t V, std::size_t... L>
[[gnu::always_inline]] inline series_value store_lanes(const lanes<V>& sums, std::index_sequence<L...>) {
  series_value s;
  (store_lane<W, L>(s, sums), ...);
  return s;
}

// v, hidden from the optimiser: vectors whose lanes are equal are otherwise
// multiplied as scalars and broadcast again before each use, an instruction
// more per power.
[[gnu::always_inline]] inline double2 opaque(double2 v) {
  asm("" : "+x"(v));
  return v;
}

// v, formed where it is written: a reciprocal that scales the sums after
// them is otherwise divided where it is used, after the sums, at the end
// of the chain rather than beside it.
[[gnu::always_inline]] inline double opaque(double v) {
  asm("" : "+x"(v));
  return v;
}

template <const auto& T>
inline constexpr exponent_range x_exponents = widen(exponent_range{}, T, true);
template <const auto& T>
inline constexpr exponent_range y_exponents = widen(exponent_range{}, T, false);

}  // namespace detail

// The scaled derivatives W of the series T as evaluate_scaled forms them,
// each group of terms that shares x^i summed by Horner's rule in y rather
// than term by term: sum_k n_k y^j_k = y^j_1 (n_1 + y^(j_2 - j_1) (n_2 +
// ...)), the terms in ascending j. A term then costs a multiplication and
// an addition, with no coefficient copied beside the sum, and the powers
// of y are those of the steps between the terms. A vector's Horner runs
// from its highest term with a nonzero lane down through every term of the
// group, so that a lane's value does not depend on the other lane of its
// vector (a lane still zero above its own highest term stays zero exactly,
// and 0 + n = n).
namespace detail {

template <const auto& T, unsigned W>
inline constexpr auto nested_lane_terms = sorted_by_x(lane_table<T, W>(), true);

// The powers of y that the groups' lowest terms and Horner steps need.
template <const auto& S, const auto& G>
constexpr exponent_range nested_y_exponents() {
  exponent_range r{};
  for (const x_group& g : G)
    for (std::size_t t = g.lo; t < g.hi; ++t) {
      const int k = t == g.lo ? S[t].j : S[t].j - S[t - 1].j;
      if (k < r.lo) r.lo = k;
      if (k > r.hi) r.hi = k;
    }
  return r;
}

template <const auto& S, std::size_t K>
constexpr bool term_used(std::size_t t) {
  return S[t].n[2 * K] != 0.0 || S[t].n[2 * K + 1] != 0.0;
}

// The highest term of [Lo, Hi) whose vector K is used.
template <const auto& S, std::size_t Lo, std::size_t Hi, std::size_t K>
constexpr std::size_t top_term() {
  std::size_t t = Hi - 1;
  while (t > Lo && !term_used<S, K>(t)) --t;
  return t;
}

// acc, vector K's Horner sum from term Top upward over y^j_Top, carried
// down to term Lo and times y^j_Lo.
template <const auto& S, std::size_t Top, std::size_t Lo, std::size_t K, class PY>
[[gnu::always_inline]] inline double2 horner_down(double2 acc, const PY& py) {
  if constexpr (Top == Lo) {
    if constexpr (S[Lo].j == 0) return acc;
    else return acc * py[S[Lo].j];
  } else {
    acc = acc * py[S[Top].j - S[Top - 1].j];
    if constexpr (term_used<S, K>(Top - 1)) acc = acc + double2{S[Top - 1].n[2 * K], S[Top - 1].n[2 * K + 1]};
    return horner_down<S, Top - 1, Lo, K>(acc, py);
  }
}

template <const auto& S, std::size_t Lo, std::size_t Hi, std::size_t K, class PY>
[[gnu::always_inline]] inline double2 nested_vector(const PY& py) {
  if constexpr (!vector_used<S>(Lo, Hi, K)) {
    return no_terms;
  } else {
    constexpr std::size_t top = top_term<S, Lo, Hi, K>();
    return horner_down<S, top, Lo, K>(double2{S[top].n[2 * K], S[top].n[2 * K + 1]}, py);
  }
}

template <const auto& S, std::size_t Lo, std::size_t Hi, class PY, std::size_t... K>
[[gnu::always_inline]] inline lanes<sizeof...(K)> nested_lanes(const PY& py, std::index_sequence<K...>) {
  return {{nested_vector<S, Lo, Hi, K>(py)...}};
}

// The groups' lanes over x: each group's sum over y term by term
// (lane_sum_y) or nested by Horner's rule (nested_lanes), times its power
// of x.
template <const auto& S, const auto& G, std::size_t Lo, std::size_t Hi, std::size_t V, bool Nested, class PX,
          class PY>
[[gnu::always_inline]] inline lanes<V> lane_sum_x(const PX& px, const PY& py) {
  if constexpr (Hi - Lo == 1) {
    constexpr x_group g = G[Lo];
    lanes<V> inner;
    if constexpr (Nested) inner = nested_lanes<S, g.lo, g.hi>(py, std::make_index_sequence<V>{});
    else inner = lane_sum_y<S, g.lo, g.hi, V>(py);
    if constexpr (g.i == 0) return inner;
    else return group_lanes<S, g.lo, g.hi>(inner, px[g.i], std::make_index_sequence<V>{});
  } else {
    constexpr std::size_t mid = Lo + (Hi - Lo) / 2;
    return lane_sum_x<S, G, Lo, mid, V, Nested>(px, py) + lane_sum_x<S, G, mid, Hi, V, Nested>(px, py);
  }
}

template <const auto& T, unsigned W, bool Nested>
constexpr const auto& scaled_terms() {
  if constexpr (Nested) return nested_lane_terms<T, W>;
  else return lane_terms<T, W>;
}

// The scaled sums W of T, each group in x term by term or (Nested) by
// Horner's rule in y: the one body of evaluate_scaled and
// evaluate_scaled_nested.
template <const auto& T, unsigned W, bool Nested>
[[gnu::always_inline]] inline series_value scaled_sums(double x, double y, double inv_y) {
  if constexpr (W == 0) {
    return series_value{};
  } else {
    constexpr std::size_t V = lane_vectors(W);
    constexpr const auto& S = scaled_terms<T, W, Nested>();
    constexpr const auto& G = x_groups<S>;
    constexpr exponent_range rx = x_exponents<T>;
    constexpr exponent_range ry = Nested ? nested_y_exponents<S, G>() : y_exponents<T>;
    static_assert(rx.lo >= 0, "negative powers of x are not formed");
    const powers<rx.lo, rx.hi, double2> px(opaque(double2{x, x}));
    const powers<ry.lo, ry.hi, double2> py(opaque(double2{y, y}), opaque(double2{inv_y, inv_y}));
    constexpr auto lanes_of = std::make_index_sequence<static_cast<std::size_t>(part_count(W))>{};
    return store_lanes<W>(lane_sum_x<S, G, 0, G.size(), V, Nested>(px, py), lanes_of);
  }
}

}  // namespace detail

// The scaled derivatives W of the series T at (x, y), x^DI y^DJ times each
// derivative, in the members of series_value that evaluate fills with the
// derivatives themselves. inv_y = 1/y, used where T has negative powers of y.
template <const auto& T, unsigned W>
[[gnu::always_inline]] inline series_value evaluate_scaled(double x, double y, double inv_y) {
  return detail::scaled_sums<T, W, false>(x, y, inv_y);
}

// The same for a series without negative powers of y.
template <const auto& T, unsigned W>
[[gnu::always_inline]] inline series_value evaluate_scaled(double x, double y) {
  static_assert(detail::y_exponents<T>.lo >= 0, "negative powers of y need 1/y");
  return evaluate_scaled<T, W>(x, y, y);
}

// The scaled derivatives W of the series T at (x, y), as evaluate_scaled
// gives them to rounding, each group in x summed by Horner's rule in y.
// inv_y = 1/y, used where a group's lowest power of y is negative.
template <const auto& T, unsigned W>
[[gnu::always_inline]] inline series_value evaluate_scaled_nested(double x, double y, double inv_y) {
  return detail::scaled_sums<T, W, true>(x, y, inv_y);
}

}  // namespace if97
