// The flashes as NumPy ufuncs (kviapws97.ufunc.ph and so on), made with
// NumPy's C API: one loop per pair over float64 inputs, one output per
// quantity plus the status. NumPy's own machinery then serves broadcasting,
// out=, where=, casting and __array_ufunc__. state() on arrays runs the same
// ufunc, and collects the saturated phases of its two-phase elements through
// a sink of the calling thread.
#pragma once

#include <pybind11/pybind11.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "python/records.hpp"
#include "water/state.hpp"

namespace kviapws97::python {

namespace py = pybind11;
using state_function = water::result (*)(double, double) noexcept;

// The outputs of a ufunc, in order: the float64 quantities of `fields`, then
// x (float64), region, phase and status (int8).
inline constexpr std::size_t ufunc_output_count = field_count + 4;

// Adds to `ufuncs` the ufunc `name` of (a_name, b_name) -> outputs over
// `function`, and returns it.
py::object add_ufunc(py::module_& ufuncs, const char* a_name, const char* b_name, state_function function);
// Defines the names that describe every ufunc (OUTPUTS, SIGNATURE) in `ufuncs`.
void describe_ufuncs(py::module_& ufuncs);

// Receives the saturated phases of the two-phase elements of a ufunc call on
// the thread that set it. The element is named by the address its x output
// is written to, as NumPy passes it to the loop.
class two_phase_sink {
 public:
  two_phase_sink();
  ~two_phase_sink();
  two_phase_sink(const two_phase_sink&) = delete;
  two_phase_sink& operator=(const two_phase_sink&) = delete;
  virtual void put(const char* x_out, const water::state& s) = 0;

 private:
  two_phase_sink* previous_;
};

// The states of `function` over a and b (array-likes of real numbers,
// broadcast), as a StateArrays, through the ufunc of `function`.
py::object state_arrays_of(state_function function, const char* a_name, py::handle a, const char* b_name,
                           py::handle b);

}  // namespace kviapws97::python
