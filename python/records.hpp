// What the Python functions return: immutable objects, one state of floats
// for a scalar call, or a record of read-only NumPy arrays, one per quantity,
// for an array call.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <utility>
#include <cstdint>
#include <memory>
#include <vector>

#include "python/arrays.hpp"
#include "python/memory.hpp"
#include "water/state.hpp"

namespace kviapws97::python {

namespace py = pybind11;
namespace water = kviapws97::water;

// The quantities of one phase, in the order of water::phase_values. lambda
// is a keyword in Python: its attribute is lam.
struct field {
  const char* name;
  double water::phase_values::*member;
  const char* doc;
};
inline constexpr std::size_t field_count = 12;
inline constexpr std::array<field, field_count> fields{{
    {"p", &water::phase_values::p, "pressure, Pa"},
    {"T", &water::phase_values::T, "temperature, K"},
    {"rho", &water::phase_values::rho, "density, kg/m3"},
    {"v", &water::phase_values::v, "specific volume, m3/kg"},
    {"h", &water::phase_values::h, "specific enthalpy, J/kg"},
    {"s", &water::phase_values::s, "specific entropy, J/(kg K)"},
    {"u", &water::phase_values::u, "specific internal energy, J/kg"},
    {"cp", &water::phase_values::cp, "specific isobaric heat capacity, J/(kg K); NaN for a two-phase mixture"},
    {"cv", &water::phase_values::cv, "specific isochoric heat capacity, J/(kg K); NaN for a two-phase mixture"},
    {"w", &water::phase_values::w, "speed of sound, m/s; NaN for a two-phase mixture"},
    {"mu", &water::phase_values::mu,
     "dynamic viscosity, Pa s, IAPWS R12-08; NaN above 1173.15 K and for a two-phase mixture"},
    {"lam", &water::phase_values::lambda,
     "thermal conductivity, W/(m K), IAPWS R15-11; NaN above 1173.15 K and for a two-phase mixture"},
}};

// The phase codes of water::phase, as the arrays hold them (-1 where the
// state failed), and their names.
inline constexpr std::array<const char*, 4> phase_names{"liquid", "vapour", "supercritical", "two-phase"};

// Scalar results.
struct phase_state {
  water::phase_values values;
};
struct state {
  water::state values;
};
// The saturated states of one temperature or pressure: a two-phase state of
// vapour fraction 0.
struct saturation {
  water::state values;
};

// Array results.
using field_arrays = std::array<py::array, field_count>;
struct phase_arrays {
  field_arrays f;
};
// The saturated phases of the two-phase elements of an array result, by
// flat index: a few bytes for a few such elements in a large array, made
// arrays only when liquid or vapour is asked for.
struct two_phase_elements {
  std::vector<std::size_t> index;
  std::vector<water::phase_values> liquid, vapour;
};
struct state_arrays {
  field_arrays f;
  py::array x, region, phase, status;
  std::vector<py::ssize_t> shape;
  // The saturated phases: None until the first access, then arrays made of
  // two_phase (NaN where an element is not two-phase).
  py::object liquid, vapour;
  std::shared_ptr<two_phase_elements> two_phase;
  // Computed with outputs=: the quantities not named are None, and so are
  // the saturated phases.
  bool selected = false;
};
struct saturation_arrays {
  py::array T, p, status;
  py::object liquid, vapour;
};

// The saturated phases of an array result of n elements as one block, NaN
// wherever no two-phase state is written; allocated by allocate() or the
// first put (without the GIL).
class phase_block {
 public:
  explicit phase_block(py::ssize_t n) : n_(static_cast<std::size_t>(n)) {}
  phase_block(const phase_block&) = delete;
  phase_block& operator=(const phase_block&) = delete;
  ~phase_block() {
    if (data_) give_memory(data_, bytes());
  }

  void put(std::size_t k, const water::phase_values& liquid, const water::phase_values& vapour) {
    if (!data_) allocate();
    for (std::size_t i = 0; i < field_count; ++i) {
      column(0, i)[k] = liquid.*fields[i].member;
      column(1, i)[k] = vapour.*fields[i].member;
    }
  }
  void put(std::size_t k, const water::state& s) { put(k, s.liquid, s.vapour); }
  bool empty() const { return !data_; }

  // Every element NaN until put.
  void allocate() {
    data_ = static_cast<double*>(take_memory(bytes()));
    std::fill_n(data_, 2 * field_count * n_, std::numeric_limits<double>::quiet_NaN());
  }

  // The liquid and vapour records; the arrays own the block from here on.
  std::pair<py::object, py::object> release(const std::vector<py::ssize_t>& shape) {
    py::capsule owner = memory_owner(data_, bytes());
    double* const data = data_;
    data_ = nullptr;
    phase_arrays sides[2];
    for (std::size_t side = 0; side < 2; ++side)
      for (std::size_t i = 0; i < field_count; ++i)
        sides[side].f[i] = read_only(py::array_t<double>(shape, data + (side * field_count + i) * n_, owner));
    return {py::cast(std::move(sides[0])), py::cast(std::move(sides[1]))};
  }

 private:
  std::size_t bytes() const { return 2 * field_count * n_ * sizeof(double); }
  double* column(std::size_t side, std::size_t i) { return data_ + (side * field_count + i) * n_; }
  std::size_t n_;
  double* data_ = nullptr;
};

void register_records(py::module_& m);

}  // namespace kviapws97::python
