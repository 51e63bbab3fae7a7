// state(..., outputs=...): the batch calls of the SI state API
// (water/batch.hpp) behind the Python module, computing only the quantities
// named.
#pragma once

#include <pybind11/pybind11.h>

#include <cstddef>

#include "water/batch.hpp"

namespace kviapws97::python {

namespace py = pybind11;
using batch_function = std::size_t (*)(std::size_t, const double*, const double*,
                                       const water::columns&) noexcept;

// The state of one pair of numbers or of arrays, with only the quantities
// named in `outputs` (a str or a sequence of them: p, T, rho, v, h, s, u, cp,
// cv, w, x, mu, lam). `call` names the call in an error message.
py::object state_of_outputs(batch_function f, const char* a_name, py::handle a, const char* b_name, py::handle b,
                            py::handle outputs, bool scalars, const std::string& call);

}  // namespace kviapws97::python
