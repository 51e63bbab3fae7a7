// Batch calls of the state functions: n pairs of inputs in, columns of
// outputs (a structure of arrays) out. A column given (not null) is computed
// and a null one is not; a group of outputs (water/state.hpp, `outputs`) is
// evaluated only when one of its columns is given. Each element is the
// single call's result with that set of outputs, bit for bit. The calls are
// reentrant and allocate nothing.
#pragma once

#include <cstddef>

#include "kviapws97/water.h"
#include "water/state.hpp"

namespace kviapws97::water {

// The columns, as the C interface declares them: kviapws97_columns.
using columns = ::kviapws97_columns;

// The set of outputs whose columns are given: T or x the group T; p, rho or v
// the volumetric one; h, s or u the caloric; cp, cv or w heat; mu or lambda
// transport. With no column of reals, the group T (the status, region and
// phase need no more).
KVIAPWS97_WATER_EXPORT outputs outputs_of(const columns& out) noexcept;

// Each returns the number of elements whose status is not ok. An element
// that fails is NaN in every real column, region 0 and phase -1. With a null
// input array every element fails with status not_finite.
#define KVIAPWS97_BATCH(name) \
  KVIAPWS97_WATER_EXPORT std::size_t name##_n(std::size_t n, const double* a, const double* b, const columns& out) noexcept;
KVIAPWS97_BATCH(pT)
KVIAPWS97_BATCH(ph)
KVIAPWS97_BATCH(ps)
KVIAPWS97_BATCH(hs)
KVIAPWS97_BATCH(Tx)
KVIAPWS97_BATCH(px)
KVIAPWS97_BATCH(Trho)
KVIAPWS97_BATCH(rhou)
KVIAPWS97_BATCH(prho)
KVIAPWS97_BATCH(rhoh)
KVIAPWS97_BATCH(rhos)
KVIAPWS97_BATCH(pu)
KVIAPWS97_BATCH(Th)
KVIAPWS97_BATCH(Ts)
KVIAPWS97_BATCH(hx)
KVIAPWS97_BATCH(sx)
#undef KVIAPWS97_BATCH

}  // namespace kviapws97::water
