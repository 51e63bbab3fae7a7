// kviapws97.derivative(state, of, wrt, held) on a State (a float) or on
// StateArrays (an array of its shape, computed without the GIL). Quantities
// are named as the state's attributes: "p", "T", "rho", "v", "h", "s", "u",
// with "g" and "f" for the Gibbs and Helmholtz free energies and "x" in
// two-phase states.
#include "python/derivatives.hpp"

#include <pybind11/numpy.h>

#include <cstdint>
#include <limits>
#include <string>

#include "python/arrays.hpp"
#include "python/memory.hpp"
#include "python/records.hpp"
#include "water/derivatives.hpp"

namespace kviapws97::python {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

water::quantity quantity_of(const std::string& name) {
  water::quantity q{};
  if (!water::quantity_of_name(name.c_str(), q))
    throw py::value_error("no quantity '" + name + "': one of p, T, rho, v, h, s, u, g, f, x");
  return q;
}

// The column of a phase_values member among an array record's fields.
std::size_t column(double water::phase_values::*member) {
  for (std::size_t i = 0; i < field_count; ++i)
    if (fields[i].member == member) return i;
  return field_count;
}

const double* data_of(const py::array& a) { return static_cast<const double*>(a.data()); }

// The quantities a derivative reads of a phase, as columns of a record.
constexpr double water::phase_values::*read[] = {&water::phase_values::p, &water::phase_values::T,
                                                 &water::phase_values::rho, &water::phase_values::v,
                                                 &water::phase_values::h, &water::phase_values::s,
                                                 &water::phase_values::u};

struct phase_columns {
  const double* c[std::size(read)] = {};
  void of(const field_arrays& f) {
    for (std::size_t i = 0; i < std::size(read); ++i) c[i] = data_of(f[column(read[i])]);
  }
  void put(py::ssize_t k, water::phase_values& out) const {
    for (std::size_t i = 0; i < std::size(read); ++i) out.*read[i] = c[i][k];
  }
};

py::object of_arrays(const state_arrays& sa, water::quantity a, water::quantity b, water::quantity c) {
  phase_columns mixture, liquid, vapour;
  mixture.of(sa.f);
  const bool two_phase = !sa.liquid.is_none();
  if (two_phase) {
    liquid.of(sa.liquid.cast<const phase_arrays&>().f);
    vapour.of(sa.vapour.cast<const phase_arrays&>().f);
  }
  const double* x = data_of(sa.x);
  const auto* region = static_cast<const std::int8_t*>(sa.region.data());
  const auto* status = static_cast<const std::int8_t*>(sa.status.data());
  py::array_t<double> out = new_array<double>(sa.shape);
  double* const o = out.mutable_data();
  const py::ssize_t n = out.size();
  {
    py::gil_scoped_release unlocked;
    water::state s{};
    for (py::ssize_t k = 0; k < n; ++k) {
      if (status[k] != 0) {
        o[k] = nan;
        continue;
      }
      mixture.put(k, s);
      s.region = region[k];
      s.x = x[k];
      if (two_phase) {
        liquid.put(k, s.liquid);
        vapour.put(k, s.vapour);
      }
      o[k] = water::derivative(s, a, b, c).value;
    }
  }
  return read_only(out);
}

py::object derivative_call(py::object st, const std::string& of, const std::string& wrt, const std::string& held) {
  const water::quantity a = quantity_of(of), b = quantity_of(wrt), c = quantity_of(held);
  if (b == c) throw py::value_error("no derivative at constant " + held + " with respect to " + wrt);
  if (py::isinstance<state>(st)) {
    const water::state& s = st.cast<const state&>().values;
    const water::derivative_result r = water::derivative(s, a, b, c);
    if (r.status == water::status::unknown_quantity)
      throw py::value_error(of + ", " + wrt + " or " + held + ": " + water::status_text(r.status));
    return py::float_(r.value);
  }
  if (py::isinstance<state_arrays>(st)) return of_arrays(st.cast<const state_arrays&>(), a, b, c);
  throw py::type_error("derivative() takes a State or StateArrays from kviapws97.state()");
}

constexpr const char* derivative_doc = R"(derivative(state, of, wrt, held) -> float or numpy.ndarray

The first partial derivative (d of / d wrt) at constant held of a State or of
StateArrays, analytic, in SI units. Quantities are named "p", "T", "rho",
"v", "h", "s", "u", "g" (h - T s), "f" (u - T s) and, in two-phase states,
"x". NaN where it does not exist: T at constant p (or p at constant T) in a
two-phase state, an element of an array that failed. An unknown name, or
wrt equal to held, raises ValueError; so does "x" of a single-phase State.
The array loop runs without the GIL.

    s = kviapws97.state(p=1e6, h=2.8e6)
    kviapws97.derivative(s, "rho", "h", "p")   # (drho/dh)_p, kg2/(m3 J)
)";

}  // namespace

void register_derivatives(py::module_& m) {
  m.def("derivative", &derivative_call, derivative_doc, py::arg("state"), py::arg("of"), py::arg("wrt"),
        py::arg("held"));
}

}  // namespace kviapws97::python
