// kviapws97.derivative: first partial derivatives of a State or of
// StateArrays (water/derivatives.hpp).
#pragma once

#include <pybind11/pybind11.h>

namespace kviapws97::python {

void register_derivatives(pybind11::module_& m);

}  // namespace kviapws97::python
