// The batch calls: one loop over the elements for every pair, writing the
// columns given.
#include "water/batch.hpp"

#include <initializer_list>
#include <limits>

namespace kviapws97::water {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

using function = result (*)(double, double, outputs) noexcept;

// The pairs whose functions take no set of outputs: their whole state, of
// which the batch writes the columns given.
template <result (*F)(double, double) noexcept>
result whole(double a, double b, outputs) noexcept {
  return F(a, b);
}
template <result (*F)(double, double, int*) noexcept>
result first(double a, double b, outputs) noexcept {
  return F(a, b, nullptr);
}

// Each real column with the state's value it holds.
constexpr struct {
  double* columns::*column;
  double state::*value;
} reals[] = {{&columns::p, &state::p},   {&columns::T, &state::T},   {&columns::rho, &state::rho},
             {&columns::v, &state::v},   {&columns::h, &state::h},   {&columns::s, &state::s},
             {&columns::u, &state::u},   {&columns::cp, &state::cp}, {&columns::cv, &state::cv},
             {&columns::w, &state::w},   {&columns::x, &state::x},   {&columns::mu, &state::mu},
             {&columns::lambda, &state::lambda}};

void put_row(const columns& out, std::size_t k, const result& r) {
  for (const auto& c : reals)
    if (double* column = out.*c.column) column[k] = r.state.*c.value;
  if (out.region) out.region[k] = r ? r.state.region : 0;
  if (out.phase) out.phase[k] = r ? static_cast<int>(r.state.phase) : -1;
  if (out.status) out.status[k] = static_cast<int>(r.status);
}

std::size_t run(function f, std::size_t n, const double* a, const double* b, const columns& out) {
  if (n > 0 && (!a || !b)) {
    result missing{status::not_finite, {}};
    static_cast<phase_values&>(missing.state) = {nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan};
    missing.state.x = nan;
    for (std::size_t k = 0; k < n; ++k) put_row(out, k, missing);
    return n;
  }
  const outputs asked = outputs_of(out);
  std::size_t failed = 0;
  for (std::size_t k = 0; k < n; ++k) {
    const result r = f(a[k], b[k], asked);
    put_row(out, k, r);
    failed += r ? 0 : 1;
  }
  return failed;
}

}  // namespace

outputs outputs_of(const columns& out) noexcept {
  unsigned asked = 0;
  const auto any = [](std::initializer_list<const double*> c) {
    for (const double* p : c)
      if (p) return true;
    return false;
  };
  if (any({out.T, out.x})) asked |= static_cast<unsigned>(outputs::T);
  if (any({out.p, out.rho, out.v})) asked |= static_cast<unsigned>(outputs::volumetric);
  if (any({out.h, out.s, out.u})) asked |= static_cast<unsigned>(outputs::caloric);
  if (any({out.cp, out.cv, out.w})) asked |= static_cast<unsigned>(outputs::heat);
  if (any({out.mu, out.lambda})) asked |= static_cast<unsigned>(outputs::transport);
  return asked ? static_cast<outputs>(asked) : outputs::T;
}

#define KVIAPWS97_BATCH(name, f)                                                                      \
  std::size_t name##_n(std::size_t n, const double* a, const double* b, const columns& out) noexcept { \
    return run(f, n, a, b, out);                                                                      \
  }
KVIAPWS97_BATCH(pT, pT)
KVIAPWS97_BATCH(ph, ph)
KVIAPWS97_BATCH(ps, ps)
KVIAPWS97_BATCH(hs, hs)
KVIAPWS97_BATCH(Tx, Tx)
KVIAPWS97_BATCH(px, px)
KVIAPWS97_BATCH(Trho, Trho)
KVIAPWS97_BATCH(rhou, whole<rhou>)
KVIAPWS97_BATCH(prho, first<prho>)
KVIAPWS97_BATCH(rhoh, whole<rhoh>)
KVIAPWS97_BATCH(rhos, whole<rhos>)
KVIAPWS97_BATCH(pu, whole<pu>)
KVIAPWS97_BATCH(Th, first<Th>)
KVIAPWS97_BATCH(Ts, first<Ts>)
KVIAPWS97_BATCH(hx, first<hx>)
KVIAPWS97_BATCH(sx, first<sx>)
#undef KVIAPWS97_BATCH

}  // namespace kviapws97::water
