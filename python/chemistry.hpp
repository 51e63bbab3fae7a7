// The submodule kviapws97.chemistry: water/chemistry.hpp on scalars and NumPy
// arrays.
#pragma once

#include <pybind11/pybind11.h>

namespace kviapws97::python {

void register_chemistry(pybind11::module_& m);

}  // namespace kviapws97::python
