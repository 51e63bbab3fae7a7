// First partial derivatives of a state: the gradients of every quantity in
// the state's natural variables, and one ratio of 2x2 Jacobians for each
// derivative.
#include "water/derivatives.hpp"

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include "if97/constants.hpp"
#include "if97/region1.hpp"
#include "if97/region2.hpp"
#include "if97/region3.hpp"
#include "if97/region5.hpp"
#include "if97/saturation.hpp"
#include "water/internal.hpp"

namespace kviapws97::water {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double J_per_kJ = 1e3;
constexpr double Pa_per_MPa = 1e6;

constexpr std::size_t at(quantity q) { return static_cast<std::size_t>(q); }
constexpr std::size_t P = at(quantity::p), T_ = at(quantity::T), RHO = at(quantity::rho), V = at(quantity::v),
                      H = at(quantity::h), S = at(quantity::s), U = at(quantity::u), G = at(quantity::g),
                      F = at(quantity::f), X = at(quantity::x);

using gradient = std::array<double, quantity_count>;

constexpr double MPa_per_Pa = 1e-6;

// Regions 1, 2 and 5 in (p, T), SI units: v and s of the state, and
// (dv/dp)_T, (dv/dT)_p and cp of the Gibbs free energy's second derivatives.
// 1/v^2 is the square of the state's rho, a product rather than a division;
// the one division, cp / T of s, is formed only where an entry of s is read.
struct gibbs_point {
  double p, T, v, s, v_p, v_T, cp, rho2;
};

[[gnu::always_inline]] inline gibbs_point gibbs_point_of(double p, double T, double v, double rho, double s,
                                                         const if97::gibbs_slopes& q) {
  return {p, T, v, s, q.dv_dp * MPa_per_Pa, q.dv_dT, J_per_kJ * q.cp, rho * rho};
}

// The entry of quantity k in the gradient per p (per_T false) or per T, with
// Maxwell's (ds/dp)_T = -(dv/dT)_p. A slope not evaluated is zero, and so is
// every entry that needs it.
[[gnu::always_inline]] inline double entry(const gibbs_point& g, std::size_t k, bool per_T) {
  const double p = g.p, T = g.T, v = g.v;
  if (!per_T) {
    switch (k) {
      case P: return 1.0;
      case T_: return 0.0;
      case RHO: return -g.v_p * g.rho2;
      case V: return g.v_p;
      case H: return v - T * g.v_T;
      case S: return -g.v_T;
      case U: return -T * g.v_T - p * g.v_p;
      case G: return v;
      case F: return -p * g.v_p;
      default: return nan;
    }
  }
  switch (k) {
    case P: return 0.0;
    case T_: return 1.0;
    case RHO: return -g.v_T * g.rho2;
    case V: return g.v_T;
    case H: return g.cp;
    case S: return g.cp / T;
    case U: return g.cp - p * g.v_T;
    case G: return -g.s;
    case F: return -g.s - p * g.v_T;
    default: return nan;
  }
}

// Region 3 in (T, rho), SI units: s of the state, and p, (dp/dT)_rho,
// (dp/drho)_T and cv of the Helmholtz free energy's second derivatives.
// cv / T of s formed only where an entry of s is read, as for gibbs_point.
struct helmholtz_point {
  double T, v, s, p, p_T, p_rho, cv;
};

[[gnu::always_inline]] inline helmholtz_point helmholtz_point_of(double T, double v, double s,
                                                                 const if97::helmholtz_slopes& q) {
  return {T, v, s, Pa_per_MPa * q.p, Pa_per_MPa * q.dp_dT, Pa_per_MPa * q.dp_drho, J_per_kJ * q.cv};
}

// The entry of quantity k per T (per_rho false) or per rho, with (du/dv)_T =
// T (dp/dT)_v - p and Maxwell's (ds/dv)_T = (dp/dT)_v.
[[gnu::always_inline]] inline double entry(const helmholtz_point& h, std::size_t k, bool per_rho) {
  const double T = h.T, v = h.v, p = h.p;
  if (!per_rho) {
    switch (k) {
      case P: return h.p_T;
      case T_: return 1.0;
      case RHO:
      case V: return 0.0;
      case H: return h.cv + h.p_T * v;
      case S: return h.cv / T;
      case U: return h.cv;
      case G: return h.p_T * v - h.s;
      case F: return -h.s;
      default: return nan;
    }
  }
  const double v2 = v * v;
  const double u_rho = (p - T * h.p_T) * v2;
  switch (k) {
    case P: return h.p_rho;
    case T_: return 0.0;
    case RHO: return 1.0;
    case V: return -v2;
    // (du/drho)_T + (d(p v)/drho)_T = (p - T (dp/dT)_rho) v^2 + v
    // (dp/drho)_T - p v^2, with p v^2 cancelled: a shorter chain after the
    // slopes, which rounds no worse.
    case H: return h.p_rho * v - h.p_T * (T * v2);
    case S: return -h.p_T * v2;
    case U: return u_rho;
    case G: return h.p_rho * v;
    case F: return p * v2;
    default: return nan;
  }
}

template <class Point, std::size_t... K>
[[gnu::always_inline]] inline jacobian gradients_of(const Point& pt, std::index_sequence<K...>) {
  return {gradient{entry(pt, K, false)...}, gradient{entry(pt, K, true)...}};
}

// Inline in each record: the entries formed in place, not copied back from a call.
template <class Point>
[[gnu::always_inline]] inline jacobian gradients_of(const Point& pt) {
  return gradients_of(pt, std::make_index_sequence<quantity_count>{});
}

// The slopes (gibbs_slope bits) that each quantity's entry of the first
// (per p) and the second (per T) gradient needs in regions 1, 2 and 5, as
// gibbs_gradients forms them; and the helmholtz_slope bits of region 3's
// entries per T and per rho.
constexpr unsigned VP = if97::want_dv_dp, VT = if97::want_dv_dT, CP = if97::want_cp;
constexpr unsigned gibbs_needs[2][quantity_count] = {{0, 0, VP, VP, VT, VT, VT | VP, 0, VP, 0},
                                                     {0, 0, VT, VT, CP, CP, CP | VT, 0, VT, 0}};
constexpr unsigned PT = if97::want_dp_dT, PR = if97::want_dp_drho, CV = if97::want_cv;
constexpr unsigned helmholtz_needs[2][quantity_count] = {{PT, 0, 0, 0, CV | PT, CV, CV, PT, 0, 0},
                                                         {PR, 0, 0, 0, PT | PR, PT, PT, PR, 0, 0}};
constexpr unsigned all_slopes = 7u;

// Which gradients a derivative at constant C needs: where C's entry in one
// variable is zero by construction, (dA/dB)_C = A_k / B_k in the other
// variable k alone. In (p, T) p and T; in (T, rho) T, rho and v; in (T, x)
// p, T and x.
struct columns {
  bool first, second;
};
[[gnu::always_inline]] inline columns columns_for(int region, std::size_t c) {
  if (region == 3) {
    if (c == T_) return {false, true};
    if (c == RHO || c == V) return {true, false};
  } else if (region == 4) {
    if (c == P || c == T_) return {false, true};
    if (c == X) return {true, false};
  } else {
    if (c == P) return {false, true};
    if (c == T_) return {true, false};
  }
  return {true, true};
}

// The slopes that the quantities a, b and c need in the columns asked.
[[gnu::always_inline]] inline unsigned needs_of(const unsigned (&table)[2][quantity_count], columns cols,
                                                std::size_t a, std::size_t b, std::size_t c) {
  const unsigned first = table[0][a] | table[0][b] | table[0][c];
  const unsigned second = table[1][a] | table[1][b] | table[1][c];
  return (cols.first ? first : 0u) | (cols.second ? second : 0u);
}

// Two comparisons, false for NaN.
[[gnu::always_inline]] inline bool finite_positive(double a) {
  return a > 0.0 && a <= std::numeric_limits<double>::max();
}

// The heat capacity of a phase where the state carries one, cp in regions
// 1, 2 and 5 and cv in region 3: the flash's own evaluation's, so that the
// slopes need no second derivative in tau. In regions 1 and 2 that sum is
// the second vector of the scaled sums beside (dv/dp)_T and (dv/dT)_p; in
// region 3 it shares the second vector with phi_deltadelta, whose terms
// free of delta^2 it then skips. A state that does not carry it (NaN where
// its heat outputs were not asked for, 0 where a caller built it from its
// natural variables) has it evaluated.
[[gnu::always_inline]] inline unsigned slopes_to_evaluate(unsigned want, unsigned heat_bit, double carried) {
  return finite_positive(carried) ? want & ~heat_bit : want;
}
[[gnu::always_inline]] inline double heat_capacity(double evaluated, double carried) {
  return finite_positive(carried) ? carried : evaluated;
}
[[gnu::always_inline]] inline unsigned slopes_to_evaluate(unsigned want, const phase_values& ph) {
  return slopes_to_evaluate(want, CP, ph.cp);
}
[[gnu::always_inline]] inline gibbs_point with_cp_of(gibbs_point g, const phase_values& ph) {
  g.cp = heat_capacity(g.cp, ph.cp);
  return g;
}

// Region 3's point of a phase at T, with cv of the phase where it carries one.
[[gnu::always_inline]] inline helmholtz_point helmholtz_of(double T, const phase_values& ph, unsigned want) {
  helmholtz_point h = helmholtz_point_of(T, ph.v, ph.s, if97::slopes3(T, ph.v, slopes_to_evaluate(want, CV, ph.cv)));
  h.cv = heat_capacity(h.cv, ph.cv);
  return h;
}

// A single-phase state's gradients at (p in Pa, T), or (T, rho) in region 3,
// with v and s of the state; only the slopes `want` evaluated. One
// derivative (fast) takes region 1's slopes from its scaled sums, to
// rounding; the record keeps the bits of the flash's evaluation.
[[gnu::always_inline]] inline if97::gibbs_slopes gibbs_slopes_at(int region, double p_MPa, double T, double v,
                                                                 unsigned want, bool fast = false) {
  return region == 1   ? (fast ? if97::slopes1_scaled(p_MPa, T, v, want) : if97::slopes1(p_MPa, T, v, want))
         : region == 2 ? if97::slopes2(p_MPa, T, v, want)
                       : if97::slopes5(p_MPa, T, v, want);
}

// A phase's slopes at the state's p (p_MPa, formed once where two phases
// share it) and T, cp evaluated only where the phase carries none; and its
// point from them. Every Gibbs point of a state or of its saturated phases
// is these two steps: a caller takes the slopes of both phases before it
// forms the points, and the point reads the state's values after the calls
// rather than keeping them across (loads, where kept values would be stored
// and loaded).
[[gnu::always_inline]] inline if97::gibbs_slopes phase_slopes(int region, double p_MPa, const state& st,
                                                              const phase_values& ph, unsigned want, bool fast) {
  return gibbs_slopes_at(region, p_MPa, st.T, ph.v, slopes_to_evaluate(want, ph), fast);
}
[[gnu::always_inline]] inline gibbs_point phase_point(const state& st, const phase_values& ph,
                                                      const if97::gibbs_slopes& q) {
  return with_cp_of(gibbs_point_of(st.p, st.T, ph.v, ph.rho, ph.s, q), ph);
}
[[gnu::always_inline]] inline gibbs_point phase_gibbs(int region, const state& st, const phase_values& ph,
                                                      unsigned want, bool fast = false) {
  return phase_point(st, ph, phase_slopes(region, st.p / Pa_per_MPa, st, ph, want, fast));
}

jacobian single_phase_gradients(const state& st, unsigned want) {
  if (st.region == 3) return gradients_of(helmholtz_of(st.T, st, want));
  return gradients_of(phase_gibbs(st.region, st, st, want));
}

// The derivative along the saturation line, d/dT with dp/dT = dpsat/dT, of
// quantity k of a saturated phase: the step of its natural variables that
// keeps dT = 1, dp = dpsat/dT is (dpsat/dT, 1) in (p, T), and (1,
// (dpsat/dT - (dp/dT)_rho) / (dp/drho)_T) in (T, rho), which differentiates
// p(T, rho) = psat(T) implicitly in region 3.
[[gnu::always_inline]] inline double line_entry(const gibbs_point& g, std::size_t k, double dpsat) {
  return entry(g, k, false) * dpsat + entry(g, k, true);
}
[[gnu::always_inline]] inline double line_entry(const helmholtz_point& h, std::size_t k, double dpsat) {
  return entry(h, k, false) + entry(h, k, true) * ((dpsat - h.p_T) / h.p_rho);
}

// Every quantity of a saturated phase along the line.
template <class Point, std::size_t... K>
gradient along_line(const Point& pt, double dpsat, std::index_sequence<K...>) {
  return {line_entry(pt, K, dpsat)...};
}
template <class Point>
gradient along_line(const Point& pt, double dpsat) {
  return along_line(pt, dpsat, std::make_index_sequence<quantity_count>{});
}

struct two_phase_gradients {
  jacobian mixture;  // in (T, x)
  gradient liquid;   // along the line, per K
  gradient vapour;
  double dpsat_dT;  // Pa/K
};

[[gnu::always_inline]] inline double value_of(const phase_values& ph, std::size_t k) {
  switch (k) {
    case P: return ph.p;
    case T_: return ph.T;
    case RHO: return ph.rho;
    case V: return ph.v;
    case H: return ph.h;
    case S: return ph.s;
    case U: return ph.u;
    case G: return ph.h - ph.T * ph.s;
    case F: return ph.u - ph.T * ph.s;
    default: return nan;
  }
}

// The entry of quantity k per x of a two-phase state: Z'' - Z' for the
// specific quantities, and rho = 1/v.
[[gnu::always_inline]] inline double per_x(const state& st, std::size_t k) {
  switch (k) {
    case P:
    case T_: return 0.0;
    case X: return 1.0;
    case RHO: return -(st.vapour.v - st.liquid.v) * st.rho * st.rho;
    default: return value_of(st.vapour, k) - value_of(st.liquid, k);
  }
}

// Two-phase in (T, x): Z = Z' + x (Z'' - Z') for the specific quantities v,
// h, s, u, g and f; rho = 1/v; p = psat(T). Per x the differences of the
// saturated phases of the state; per T the saturated phases along the line,
// from their slopes. The phases lie in regions 1 and 2 up to 623.15 K, above
// it on the region-3 equation, as the state functions take them.
template <class Point>
two_phase_gradients mixture_gradients(const state& st, const Point& liquid, const Point& vapour, double dpsat_dT) {
  const double x = st.x;
  two_phase_gradients out;
  out.dpsat_dT = dpsat_dT;
  out.liquid = along_line(liquid, dpsat_dT);
  out.vapour = along_line(vapour, dpsat_dT);
  gradient& d1 = out.mixture.d1;
  gradient& d2 = out.mixture.d2;
  for (std::size_t k = 0; k < quantity_count; ++k) d2[k] = per_x(st, k);
  for (const std::size_t k : {V, H, S, U, G, F}) d1[k] = out.liquid[k] + x * (out.vapour[k] - out.liquid[k]);
  d1[P] = out.dpsat_dT;
  d1[T_] = 1.0;
  d1[X] = 0.0;
  d1[RHO] = -d1[V] * st.rho * st.rho;
  return out;
}

// The saturated phases of a two-phase state and dpsat/dT, Pa/K, evaluated
// for the slopes `want` of the saturated phases' equation.
bool regions_1_2(const state& st) { return st.T <= if97::T_region1_max; }

double dpsat_dT_of(const state& st) { return Pa_per_MPa * if97::dpsat_dT(st.T); }

helmholtz_point saturated_helmholtz(const state& st, const phase_values& ph, unsigned want) {
  // The implicit slope of the saturated density needs both pressure slopes.
  return helmholtz_of(st.T, ph, want | PT | PR);
}

[[gnu::always_inline]] inline bool is_state(const state& st) {
  if (!(finite_positive(st.p) && finite_positive(st.T) && finite_positive(st.rho) && finite_positive(st.v)))
    return false;
  switch (st.region) {
    case 1:
    case 2:
    case 3:
    case 5: return true;
    case 4:
      return st.T >= if97::T_min && st.T < if97::T_c && st.x >= 0.0 && st.x <= 1.0 &&
             finite_positive(st.liquid.rho) && finite_positive(st.vapour.rho) &&
             std::isfinite(st.liquid.h + st.liquid.s + st.liquid.u + st.liquid.v + st.vapour.h + st.vapour.s +
                           st.vapour.u + st.vapour.v);
    default: return false;
  }
}

bool known(quantity q) { return static_cast<int>(q) >= 0 && static_cast<int>(q) < quantity_count; }

// rho or v: rho = 1/v fixes the other, whose entries are the one's times
// -rho^2 (or -v^2), so that a 2x2 determinant of the two vanishes only to
// rounding, which the order of its products decides. Where one is held,
// none is formed: the other as B has no derivative, as A a derivative of 0.
static_assert(RHO == 2 && V == 3, "rho and v differ in their lowest bit alone");
[[gnu::always_inline]] inline bool volume(std::size_t k) { return (k | 1u) == V; }

// num / den, or (Reciprocal) num times 1/den: in regions 1, 2 and 5 a
// denominator often reads the state's values alone (cp of (drho/dh)_p and
// (drho/dp)_h), so that its division can run beside the slopes' sums
// rather than after them; one rounding more.
template <bool Reciprocal>
[[gnu::always_inline]] inline double quotient(double num, double den) {
  if constexpr (Reciprocal) return num * (1.0 / den);
  else return num / den;
}

// The ratio's denominator B1 C2 - B2 C1 of the entries e(k, in the second
// variable). Where the entries name the state's natural variables
// (e.natural(k): 1 the first, 2 the second, 0 neither) and B is one, its
// entries are 1 and 0, and the difference is C2 or -C1 to the bit (0 times
// a finite entry is a zero, which leaves the other product as it is): it
// then waits for C's one entry rather than for both, and the denominator of
// (drho/dp)_h, cp, reads the state alone, so that its division runs beside
// the slopes' sums. Branches, not a selection, which would wait for every
// arm. (The numerator's A gains too little to pay for its checks.)
template <class Entry>
[[gnu::always_inline]] inline double denominator(const Entry& e, std::size_t b, double c1, double c2) {
  if constexpr (requires { e.natural(b); }) {
    switch (e.natural(b)) {
      case 1: return c2;
      case 2: return -c1;
      default: break;
    }
  }
  return e(b, false) * c2 - e(b, true) * c1;
}

// (dA/dB)_C = (A1 C2 - A2 C1) / (B1 C2 - B2 C1) of the entries e(k, in the
// second variable); where C's entry in one variable is zero (cols names the
// other alone), A_k / B_k in the other. NaN where the denominator vanishes,
// that is where C fixes B.
template <bool Reciprocal = false, class Entry>
[[gnu::always_inline]] inline double ratio_of(const Entry& e, std::size_t a, std::size_t b, std::size_t c, columns cols) {
  if (cols.first != cols.second) {
    const double den = e(b, cols.second);
    return den == 0.0 ? nan : quotient<Reciprocal>(e(a, cols.second), den);
  }
  const double c1 = e(c, false), c2 = e(c, true);
  const double den = denominator(e, b, c1, c2);
  if (den == 0.0) return nan;
  return quotient<Reciprocal>(e(a, false) * c2 - e(a, true) * c1, den);
}

// The entries that ratio_of reads, each formed where it is read (functors
// rather than lambdas, so that nothing stands between the ratio and the
// arithmetic of its six entries).
struct jacobian_entries {
  const jacobian& j;
  [[gnu::always_inline]] double operator()(std::size_t k, bool second) const { return second ? j.d2[k] : j.d1[k]; }
};

template <class Point>
struct point_entries {
  const Point& pt;
  [[gnu::always_inline]] double operator()(std::size_t k, bool second) const { return entry(pt, k, second); }
};

// The entries of regions 1, 2 and 5, which name their natural variables, p
// and T (see denominator). Region 3's and the two-phase ratio's are left as they
// were: their denominators gain nothing that the checks do not cost.
struct gibbs_entries : point_entries<gibbs_point> {
  [[gnu::always_inline]] static int natural(std::size_t k) { return k == P ? 1 : k == T_ ? 2 : 0; }
};

// A two-phase state's entries per x alone.
struct x_entries {
  const state& st;
  [[gnu::always_inline]] double operator()(std::size_t k, bool) const { return per_x(st, k); }
};

// A two-phase state's entries in (T, x) from its saturated phases' slopes:
// mixture_gradients for the quantities read alone, to the bit.
template <class Point>
struct mixture_entries {
  const state& st;
  const Point& liquid;
  const Point& vapour;
  double dpsat;  // Pa/K
  [[gnu::always_inline]] double mixed(std::size_t k) const {
    const double l = line_entry(liquid, k, dpsat);
    return l + st.x * (line_entry(vapour, k, dpsat) - l);
  }
  [[gnu::always_inline]] double operator()(std::size_t k, bool second) const {
    if (second) return per_x(st, k);
    switch (k) {
      case P: return dpsat;
      case T_: return 1.0;
      case X: return 0.0;
      case RHO: return -mixed(V) * st.rho * st.rho;
      default: return mixed(k);
    }
  }
};

// From gradients formed already: the whole ratio, a few operations.
[[gnu::always_inline]] inline double ratio(const jacobian& j, std::size_t a, std::size_t b, std::size_t c) {
  return ratio_of(jacobian_entries{j}, a, b, c, columns{true, true});
}

[[gnu::always_inline]] inline derivative_result ok_or_none(double value) {
  if (std::isnan(value)) return {status::no_derivative, nan};
  return {status::ok, value};
}

derivative_result fail(status s) { return {s, nan}; }

// The rule of rho and v held (see volume): true with out set where it
// decides, false where the ratio does.
[[gnu::always_inline]] inline bool volume_held(std::size_t a, std::size_t b, std::size_t c, derivative_result& out) {
  if (!volume(c)) [[likely]] return false;
  if (volume(b)) out = fail(status::no_derivative);
  else if (volume(a)) out = {status::ok, 0.0};
  else return false;
  return true;
}

}  // namespace

bool quantity_of_name(const char* name, quantity& out) noexcept {
  static constexpr const char* names[quantity_count] = {"p", "T", "rho", "v", "h", "s", "u", "g", "f", "x"};
  if (name == nullptr) return false;
  for (int k = 0; k < quantity_count; ++k)
    if (std::strcmp(name, names[k]) == 0) {
      out = static_cast<quantity>(k);
      return true;
    }
  return false;
}

derivative_result derivative(const jacobian& j, quantity of, quantity wrt, quantity held) noexcept {
  if (!known(of) || !known(wrt) || !known(held)) return fail(status::unknown_quantity);
  const std::size_t a = at(of), b = at(wrt), c = at(held);
  // x is NaN in the gradients of a single-phase state.
  if (std::isnan(j.d1[a]) || std::isnan(j.d1[b]) || std::isnan(j.d1[c])) return fail(status::unknown_quantity);
  if (b == c) return fail(status::no_derivative);
  if (derivative_result held_out; volume_held(a, b, c, held_out)) [[unlikely]] return held_out;
  return ok_or_none(ratio(j, a, b, c));
}

derivative_result derivative(const state& st, quantity of, quantity wrt, quantity held) noexcept {
  if (!is_state(st)) return fail(status::not_finite);
  // One bound for the three: unknown quantities, and x of a single-phase
  // state (negative values wrap past it).
  const std::size_t a = at(of), b = at(wrt), c = at(held);
  static_assert(X + 1 == quantity_count, "x is the last quantity: one bound leaves it out");
  const std::size_t bound = st.region == 4 ? quantity_count : X;
  if ((a >= bound) | (b >= bound) | (c >= bound)) return fail(status::unknown_quantity);
  if (b == c) return fail(status::no_derivative);
  if (derivative_result held_out; volume_held(a, b, c, held_out)) [[unlikely]] return held_out;
  // Only the gradients and the slopes of the equation that this one ratio needs.
  const columns cols = columns_for(st.region, c);
  switch (st.region) {
    case 3: {
      const helmholtz_point h =
          helmholtz_of(st.T, st, needs_of(helmholtz_needs, cols, a, b, c));
      return ok_or_none(ratio_of(point_entries<helmholtz_point>{h}, a, b, c, cols));
    }
    case 4: break;
    default: {
      const gibbs_point g = phase_gibbs(st.region, st, st, needs_of(gibbs_needs, cols, a, b, c), true);
      return ok_or_none(ratio_of<true>(gibbs_entries{{g}}, a, b, c, cols));
    }
  }
  // At constant p or T: the differences of the saturated phases alone.
  if (!cols.first) return ok_or_none(ratio_of(x_entries{st}, a, b, c, cols));
  // Else the saturated phases along the line, with the slopes that a, b and
  // c need there (rho from v): a phase's value along the line needs both of
  // its variables.
  const std::size_t av = a == RHO ? V : a, bv = b == RHO ? V : b, cv = c == RHO ? V : c;
  const columns both{true, true};
  const double dpsat = dpsat_dT_of(st);
  if (regions_1_2(st)) {
    const unsigned want = needs_of(gibbs_needs, both, av, bv, cv);
    // p in MPa formed once for both phases.
    const double p_MPa = st.p / Pa_per_MPa;
    const if97::gibbs_slopes ql = phase_slopes(1, p_MPa, st, st.liquid, want, true);
    const if97::gibbs_slopes qw = phase_slopes(2, p_MPa, st, st.vapour, want, true);
    const gibbs_point l = phase_point(st, st.liquid, ql), w = phase_point(st, st.vapour, qw);
    return ok_or_none(ratio_of(mixture_entries<gibbs_point>{st, l, w, dpsat}, a, b, c, cols));
  }
  const unsigned want = needs_of(helmholtz_needs, both, av, bv, cv);
  const helmholtz_point l = saturated_helmholtz(st, st.liquid, want), w = saturated_helmholtz(st, st.vapour, want);
  return ok_or_none(ratio_of(mixture_entries<helmholtz_point>{st, l, w, dpsat}, a, b, c, cols));
}

namespace {

void fill_undefined(derivatives& d) {
  d.cp = d.cv = d.w = d.alpha_v = d.kappa_T = d.isentropic_exponent = nan;
  d.dT_dp_h = d.dT_dh_p = d.drho_dp_h = d.drho_dh_p = d.dp_dT_rho = d.dp_drho_T = nan;
  d.dTsat_dp = d.drho_liquid_dp = d.drho_vapour_dp = d.dh_liquid_dp = d.dh_vapour_dp = d.dx_dp_h = d.dx_dh_p = nan;
  d.natural.d1.fill(nan);
  d.natural.d2.fill(nan);
}

derivatives_result undefined_record(status s) {
  derivatives_result r;
  r.status = s;
  fill_undefined(r.d);
  return r;
}

// 1 / (B1 C2 - B2 C1), NaN where C fixes B.
double inverse_denominator(const jacobian& j, std::size_t b, std::size_t c) {
  const double den = j.d1[b] * j.d2[c] - j.d2[b] * j.d1[c];
  return den == 0.0 ? nan : 1.0 / den;
}

// A1 C2 - A2 C1.
double numerator(const jacobian& j, std::size_t a, std::size_t c) { return j.d1[a] * j.d2[c] - j.d2[a] * j.d1[c]; }

// The named derivatives of a state from the gradients in its natural
// variables (d.natural set): ratio() of each, the five denominators they
// share ((T, p), (T, v), (rho, s), (p, h), (T, rho); a swapped pair is the
// negative) inverted once.
void named_of(const state& st, derivatives& d) {
  const jacobian& j = d.natural;
  const double by_T_p = inverse_denominator(j, T_, P), by_T_v = inverse_denominator(j, T_, V);
  const double by_rho_s = inverse_denominator(j, RHO, S), by_p_h = inverse_denominator(j, P, H);
  const double by_T_rho = inverse_denominator(j, T_, RHO);
  d.cp = numerator(j, H, P) * by_T_p;
  d.cv = numerator(j, U, V) * by_T_v;
  const double dp_drho_s = numerator(j, P, S) * by_rho_s;
  d.w = std::sqrt(dp_drho_s);
  d.alpha_v = numerator(j, V, P) * by_T_p * st.rho;
  d.kappa_T = numerator(j, V, T_) * by_T_p * st.rho;  // -(dv/dp)_T / v, (p, T) = -(T, p)
  d.isentropic_exponent = st.rho / st.p * dp_drho_s;
  d.dT_dp_h = numerator(j, T_, H) * by_p_h;
  d.dT_dh_p = -numerator(j, T_, P) * by_p_h;
  d.drho_dp_h = numerator(j, RHO, H) * by_p_h;
  d.drho_dh_p = -numerator(j, RHO, P) * by_p_h;
  d.dp_dT_rho = numerator(j, P, RHO) * by_T_rho;
  d.dp_drho_T = -numerator(j, P, T_) * by_T_rho;
  if (st.region == 4) {
    d.dx_dp_h = numerator(j, X, H) * by_p_h;
    d.dx_dh_p = -numerator(j, X, P) * by_p_h;
  }
}

void single_phase_record(const state& st, const jacobian& j, derivatives& d) {
  d.natural = j;
  d.dTsat_dp = d.drho_liquid_dp = d.drho_vapour_dp = d.dh_liquid_dp = d.dh_vapour_dp = d.dx_dp_h = d.dx_dh_p = nan;
  named_of(st, d);
}

// A two-phase state's record from its saturated phases' slopes.
template <class Point>
void two_phase_record(const state& st, const Point& liquid, const Point& vapour, double dpsat_dT, derivatives& d) {
  const two_phase_gradients t = mixture_gradients(st, liquid, vapour, dpsat_dT);
  d.natural = t.mixture;
  const double dT_dp = 1.0 / t.dpsat_dT;
  d.dTsat_dp = dT_dp;
  d.drho_liquid_dp = t.liquid[RHO] * dT_dp;
  d.drho_vapour_dp = t.vapour[RHO] * dT_dp;
  d.dh_liquid_dp = t.liquid[H] * dT_dp;
  d.dh_vapour_dp = t.vapour[H] * dT_dp;
  named_of(st, d);
}

// The record of a state formed already, from evaluations of its phases.
void evaluated_record(const state& st, derivatives& d) {
  if (st.region != 4) {
    single_phase_record(st, single_phase_gradients(st, all_slopes), d);
  } else if (regions_1_2(st)) {
    two_phase_record(st, phase_gibbs(1, st, st.liquid, all_slopes), phase_gibbs(2, st, st.vapour, all_slopes),
                     dpsat_dT_of(st), d);
  } else {
    two_phase_record(st, saturated_helmholtz(st, st.liquid, all_slopes),
                     saturated_helmholtz(st, st.vapour, all_slopes), dpsat_dT_of(st), d);
  }
}

}  // namespace

derivatives_result derivatives_of(const state& st) noexcept {
  if (!is_state(st)) return undefined_record(status::not_finite);
  derivatives_result r;
  r.status = status::ok;
  evaluated_record(st, r.d);
  return r;
}

namespace {

// The slopes of a phase as the flash's evaluation formed them, at the
// state's values in SI units (p in Pa, and v, s of the phase): regions 1, 2
// and 5 read (dv/dp)_T, (dv/dT)_p and cp; region 3 its pressure p and cv,
// and (dp/dT)_rho = -(dv/dT)_p / (dv/dp)_T, (dp/drho)_T = -v^2 / (dv/dp)_T.
// False where the phase was not evaluated whole, at another p, where region 3's
// (dv/dp)_T is not finite and nonzero (at the critical point), and on a
// bound of T: a polished state put on one keeps the evaluation of its
// polished T (detail::bounded), which derivatives_of(state) does not see.
bool on_T_bound(double T) { return T == if97::T_min || T == if97::T_region2_max || T == if97::T_region5_max; }

bool gibbs_from(const detail::single& one, double p, double T, const phase_values& ph, gibbs_point& out) {
  if (one.region == 3 || one.evaluated != if97::extent::all || on_T_bound(T)) return false;
  // The state's p in Pa taken back to MPa, as derivatives_of(state) takes it,
  // may differ from the evaluation's by an ulp (a pressure that (h, s) found),
  // which (du/dp)_T of a nearly ideal gas magnifies.
  if (p / Pa_per_MPa != one.pr.p) return false;
  const if97::properties& q = one.pr;
  out = gibbs_point_of(p, T, ph.v, ph.rho, ph.s, if97::gibbs_slopes{q.dv_dp, q.dv_dT, q.cp});
  return true;
}

bool helmholtz_from(const detail::single& one, double T, const phase_values& ph, helmholtz_point& out) {
  const if97::properties& q = one.pr;
  if (one.region != 3 || !std::isfinite(q.dv_dp) || q.dv_dp == 0.0) return false;
  out = helmholtz_point_of(T, ph.v, ph.s, if97::helmholtz_slopes{q.p, -q.dv_dT / q.dv_dp, -q.v * q.v / q.dv_dp, q.cv});
  return true;
}

// The record of a state that a flash found and assembled: from the found
// phases' evaluations, or, where they do not serve, evaluated as
// derivatives_of(state) evaluates it.
void record_of(const detail::found& f, const state& st, derivatives& d) {
  if (!f.two_phase) {
    gibbs_point g;
    helmholtz_point h;
    if (gibbs_from(f.one(), st.p, st.T, st, g)) return single_phase_record(st, gradients_of(g), d);
    if (helmholtz_from(f.one(), st.T, st, h)) return single_phase_record(st, gradients_of(h), d);
  } else if (regions_1_2(st)) {
    gibbs_point l, w;
    if (f.sat.liquid.region == 1 && f.sat.vapour.region == 2 && gibbs_from(f.sat.liquid, st.p, st.T, st.liquid, l) &&
        gibbs_from(f.sat.vapour, st.p, st.T, st.vapour, w))
      return two_phase_record(st, l, w, dpsat_dT_of(st), d);
  } else {
    helmholtz_point l, w;
    if (helmholtz_from(f.sat.liquid, st.T, st.liquid, l) && helmholtz_from(f.sat.vapour, st.T, st.vapour, w))
      return two_phase_record(st, l, w, dpsat_dT_of(st), d);
  }
  evaluated_record(st, d);
}

// The plain function's result of a found state (p_caller: the caller's p in
// Pa, which it reports; NaN for none), and its record in d.
result with_record(const detail::found& f, double p_caller, derivatives& d) {
  result r = detail::assemble(f, outputs::all);
  if (!r) {
    fill_undefined(d);
    return r;
  }
  if (!std::isnan(p_caller)) r.state.p = p_caller;
  record_of(f, r.state, d);
  return r;
}

}  // namespace

result pT(double p, double T, derivatives& d) noexcept {
  return with_record(detail::pT_search(p, T, if97::extent::all), p, d);
}
result ph(double p, double h, derivatives& d) noexcept { return with_record(detail::ph_search(p, h), p, d); }
result ps(double p, double s, derivatives& d) noexcept { return with_record(detail::ps_search(p, s), p, d); }
result hs(double h, double s, derivatives& d) noexcept { return with_record(detail::hs_search(h, s), nan, d); }
result Tx(double T, double x, derivatives& d) noexcept {
  return with_record(detail::Tx_search(T, x, if97::extent::all), nan, d);
}
result px(double p, double x, derivatives& d) noexcept {
  return with_record(detail::px_search(p, x, if97::extent::all), nan, d);
}

}  // namespace kviapws97::water
