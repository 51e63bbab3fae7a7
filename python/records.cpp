// The Python classes of the results. None has a constructor or a setter:
// the objects come from the library's functions and cannot be changed.
#include "python/records.hpp"

#include <pybind11/stl.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "python/arrays.hpp"
#include "python/memory.hpp"

namespace kviapws97::python {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// The twelve quantities of a phase as float attributes of a scalar class.
template <class Class, class Values>
void add_fields(Class& c, Values values) {
  for (const field& f : fields)
    c.def_property_readonly(
        f.name, [values, m = f.member](const typename Class::type& self) { return values(self).*m; }, f.doc);
}

// The same quantities as array attributes of a record.
template <class Class, class Arrays>
void add_array_fields(Class& c, Arrays arrays) {
  for (std::size_t i = 0; i < field_count; ++i)
    c.def_property_readonly(
        fields[i].name,
        [arrays, i](const typename Class::type& self) -> py::object {
          const py::array& a = arrays(self)[i];
          return a ? py::object(a) : py::object(py::none());  // not named in outputs=
        },
        fields[i].doc);
}

py::object phase_of(const water::state& s, const water::phase_values& side) {
  if (s.phase != water::phase::two_phase) return py::none();
  return py::cast(phase_state{side});
}

// A record of the saturated liquid or vapour, NaN but where `values` are
// given (at `index`); where none is given, one read-only array of NaN serves
// every field.
py::object phases_of(const std::vector<py::ssize_t>& shape, const std::vector<std::size_t>& index,
                     const std::vector<water::phase_values>& values) {
  phase_arrays out;
  for (std::size_t i = 0; i < field_count; ++i) {
    if (i > 0 && index.empty()) {
      out.f[i] = out.f[0];
      continue;
    }
    py::array_t<double> a = new_array<double>(shape);
    double* d = a.mutable_data();
    std::fill_n(d, a.size(), nan);
    for (std::size_t e = 0; e < index.size(); ++e) d[index[e]] = values[e].*fields[i].member;
    out.f[i] = read_only(a);
  }
  return py::cast(std::move(out));
}

py::object& phases_of(state_arrays& self, py::object& side) {
  if (side.is_none()) {
    static const two_phase_elements none;
    const two_phase_elements& e = self.two_phase ? *self.two_phase : none;
    self.liquid = phases_of(self.shape, e.index, e.liquid);
    self.vapour = phases_of(self.shape, e.index, e.vapour);
    self.two_phase.reset();
  }
  return side;
}

py::str float_repr(double v) { return py::repr(py::float_(v)); }

}  // namespace

void register_records(py::module_& m) {
  py::class_<phase_state> ps(m, "PhaseState",
                             "One saturated phase of a two-phase state or of saturation(): the attributes p, T, rho, "
                             "v, h, s, u, cp, cv, w, mu, lam, as floats in SI units (Pa, K, kg/m3, m3/kg, J/kg, "
                             "J/(kg K), m/s, Pa s, W/(m K)).");
  add_fields(ps, [](const phase_state& s) -> const water::phase_values& { return s.values; });
  ps.def("__repr__", [](const phase_state& s) {
    return py::str("PhaseState(p={}, T={}, rho={}, h={}, s={})")
        .format(float_repr(s.values.p), float_repr(s.values.T), float_repr(s.values.rho), float_repr(s.values.h),
                float_repr(s.values.s));
  });

  py::class_<state> st(m, "State",
                       "A state of water or steam by IAPWS-IF97, from kviapws97.state(). Immutable; SI units.\n\n"
                       "Attributes: region (IF97 region 1, 2, 3, 5, or 4 for two-phase states), phase ('liquid', "
                       "'vapour', 'supercritical' or 'two-phase'), p, T, rho, v, h, s, u, cp, cv, w, mu, lam, x, "
                       "and liquid, vapour: the saturated phases (PhaseState) of a two-phase state, None otherwise.");
  st.def_property_readonly(
      "region", [](const state& s) { return s.values.region; },
      "IF97 region: 1, 2, 3 or 5 for a single phase, 4 for a two-phase state");
  st.def_property_readonly(
      "phase", [](const state& s) { return phase_names[static_cast<std::size_t>(s.values.phase)]; },
      "'liquid', 'vapour', 'supercritical' (p > 22.064 MPa and T > 647.096 K) or 'two-phase'");
  add_fields(st, [](const state& s) -> const water::phase_values& { return s.values; });
  st.def_property_readonly(
      "x", [](const state& s) { return s.values.x; },
      "vapour fraction (mass), 0 to 1 for a two-phase state, NaN for a single phase");
  st.def_property_readonly(
      "liquid", [](const state& s) { return phase_of(s.values, s.values.liquid); },
      "the saturated liquid (PhaseState) of a two-phase state; None for a single phase");
  st.def_property_readonly(
      "vapour", [](const state& s) { return phase_of(s.values, s.values.vapour); },
      "the saturated vapour (PhaseState) of a two-phase state; None for a single phase");
  st.def("__repr__", [](const state& s) {
    return py::str("State(region={}, phase='{}', p={}, T={}, rho={}, h={}, s={}, x={})")
        .format(s.values.region, phase_names[static_cast<std::size_t>(s.values.phase)], float_repr(s.values.p),
                float_repr(s.values.T), float_repr(s.values.rho), float_repr(s.values.h), float_repr(s.values.s),
                float_repr(s.values.x));
  });

  py::class_<saturation> sat(m, "Saturation",
                             "The saturation line at one temperature or pressure, from kviapws97.saturation(): "
                             "p (Pa) and T (K) of the line, and liquid and vapour, the saturated phases (PhaseState).");
  sat.def_property_readonly(
      "p", [](const saturation& s) { return s.values.p; }, "saturation pressure, Pa");
  sat.def_property_readonly(
      "T", [](const saturation& s) { return s.values.T; },
      "saturation temperature, K (for saturation(T=...) the T given, to a few units of its last bit)");
  sat.def_property_readonly(
      "liquid", [](const saturation& s) { return phase_state{s.values.liquid}; }, "the saturated liquid (PhaseState)");
  sat.def_property_readonly(
      "vapour", [](const saturation& s) { return phase_state{s.values.vapour}; }, "the saturated vapour (PhaseState)");
  sat.def("__repr__", [](const saturation& s) {
    return py::str("Saturation(p={}, T={})").format(float_repr(s.values.p), float_repr(s.values.T));
  });

  py::class_<phase_arrays> pa(m, "PhaseArrays",
                              "The saturated liquid or vapour of an array result: read-only float64 arrays p, T, "
                              "rho, v, h, s, u, cp, cv, w, mu, lam in SI units, NaN where an element is not two-phase "
                              "or failed.");
  add_array_fields(pa, [](const phase_arrays& s) -> const field_arrays& { return s.f; });

  py::class_<state_arrays> sa(
      m, "StateArrays",
      "The result of kviapws97.state() on arrays: one read-only NumPy array per quantity, of the broadcast shape.\n\n"
      "float64: p, T, rho, v, h, s, u, cp, cv, w, mu, lam, x (SI units, as State);\n"
      "int8: region (0 where failed), phase (index into kviapws97.PHASES, -1 where failed), status (0, or the code "
      "of the failure: kviapws97.status_text(code) explains it);\n"
      "liquid, vapour: PhaseArrays of the saturated phases, NaN where an element is not two-phase.\n"
      "An element that failed is NaN in every float array.");
  sa.def_property_readonly(
      "region", [](const state_arrays& s) { return s.region; }, "IF97 region (int8): 1, 2, 3, 5, 4 if two-phase, 0 if failed");
  sa.def_property_readonly(
      "phase", [](const state_arrays& s) { return s.phase; },
      "phase (int8): an index into kviapws97.PHASES, -1 where the state failed");
  sa.def_property_readonly(
      "status", [](const state_arrays& s) { return s.status; },
      "0 where the state was formed, else the code of the reason (int8); see kviapws97.status_text");
  add_array_fields(sa, [](const state_arrays& s) -> const field_arrays& { return s.f; });
  sa.def_property_readonly(
      "x", [](const state_arrays& s) -> py::object { return s.x ? py::object(s.x) : py::object(py::none()); },
      "vapour fraction, NaN where single-phase or failed");
  sa.def_property_readonly(
      "liquid", [](state_arrays& s) { return s.selected ? py::object(py::none()) : phases_of(s, s.liquid); },
      "the saturated liquid (PhaseArrays), NaN where not two-phase");
  sa.def_property_readonly(
      "vapour", [](state_arrays& s) { return s.selected ? py::object(py::none()) : phases_of(s, s.vapour); },
      "the saturated vapour (PhaseArrays), NaN where not two-phase");
  sa.def_property_readonly(
      "shape", [](const state_arrays& s) { return py::tuple(py::cast(s.shape)); }, "the shape of every array");
  sa.def("__repr__", [](const state_arrays& s) {
    const py::array_t<std::int8_t> status = py::reinterpret_borrow<py::array_t<std::int8_t>>(s.status);
    py::ssize_t failed = 0;
    for (py::ssize_t k = 0; k < status.size(); ++k) failed += status.data()[k] != 0;
    return py::str("StateArrays(shape={}, failed={})").format(py::tuple(py::cast(s.shape)), failed);
  });

  py::class_<saturation_arrays> sk(m, "SaturationArrays",
                                   "The result of kviapws97.saturation() on arrays: read-only arrays p (Pa), T (K), "
                                   "status (int8, 0 or the code of the failure), and liquid, vapour (PhaseArrays). "
                                   "An element that failed is NaN throughout.");
  sk.def_property_readonly(
      "p", [](const saturation_arrays& s) { return s.p; }, "saturation pressure, Pa");
  sk.def_property_readonly(
      "T", [](const saturation_arrays& s) { return s.T; }, "saturation temperature, K");
  sk.def_property_readonly(
      "status", [](const saturation_arrays& s) { return s.status; }, "0, or the code of the failure (int8)");
  sk.def_property_readonly(
      "liquid", [](const saturation_arrays& s) { return s.liquid; }, "the saturated liquid (PhaseArrays)");
  sk.def_property_readonly(
      "vapour", [](const saturation_arrays& s) { return s.vapour; }, "the saturated vapour (PhaseArrays)");
}

}  // namespace kviapws97::python
