// kviapws97.chemistry: the dielectric constant (IAPWS R8-97), the refractive
// index (R9-97), the ionization constant (R11-24) and Henry's constants
// (G7-04) of (T, rho), of T, or of a state. A scalar call returns a float or
// raises ValueError with the reason; an array call returns arrays with NaN
// where an element is refused, computed without the GIL.
#include "python/chemistry.hpp"

#include <pybind11/numpy.h>

#include <cmath>
#include <limits>
#include <string>

#include "python/arrays.hpp"
#include "python/memory.hpp"
#include "python/records.hpp"
#include "water/chemistry.hpp"

namespace kviapws97::python {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

bool number(py::handle o, double& out) {
  if (!PyFloat_Check(o.ptr()) && !PyLong_Check(o.ptr())) return false;
  out = o.cast<double>();
  return true;
}

std::string text_of(py::handle o) { return py::repr(o).cast<std::string>(); }

// f(T, rho) -> water::property_result on scalars or broadcast arrays.
template <class F>
py::object of_T_rho(const char* name, F f, py::object T, py::object rho) {
  double vT, vrho;
  if (number(T, vT) && number(rho, vrho)) {
    const water::property_result q = f(vT, vrho);
    if (!q)
      throw py::value_error(std::string(name) + "(T=" + text_of(T) + ", rho=" + text_of(rho) + "): " + q.reason());
    return py::float_(q.value);
  }
  const broadcast in(T, rho, "T", "rho");
  py::array_t<double> out = new_array<double>(in.shape());
  double* const d = out.mutable_data();
  {
    py::gil_scoped_release unlocked;
    in.each([&](py::ssize_t k, double a, double b) { d[k] = f(a, b).value; });
  }
  return out;
}

// The same of a State, and of a StateArrays, whose two-phase elements have
// no single value.
template <class F>
double of_state(const char* name, F f, const state& s) {
  const water::property_result q = f(s.values);
  if (!q) throw py::value_error(std::string(name) + "(" + text_of(py::cast(s)) + "): " + q.reason());
  return q.value;
}

template <class F>
py::object of_state_arrays(F f, const state_arrays& s) {
  const py::object two_phase = s.phase.attr("__eq__")(3);
  return of_T_rho(
      "", [&](double T, double rho) { return f(T, rho); }, s.f[1],
      py::module_::import("numpy").attr("where")(two_phase, nan, s.f[2]));
}

water::gas gas_of(const std::string& formula) {
  water::gas g;
  if (water::gas_of_formula(formula.c_str(), g)) return g;
  std::string known;
  for (int k = 0; k <= static_cast<int>(water::gas::SF6); ++k)
    known += std::string(k ? ", " : "") + water::gas_formula(static_cast<water::gas>(k));
  throw py::value_error("henry: unknown gas '" + formula + "'; the gases of IAPWS G7-04 are " + known);
}

py::object henry_of(const std::string& formula, py::object T) {
  const water::gas g = gas_of(formula);
  double vT;
  if (number(T, vT)) {
    const water::henry_result r = water::henry(g, vT);
    if (!r) throw py::value_error("henry('" + formula + "', T=" + text_of(T) + "): " + r.reason());
    return py::make_tuple(r.kH, r.KD);
  }
  const broadcast in(T, py::float_(0.0), "T", "");
  py::array_t<double> kH = new_array<double>(in.shape()), KD = new_array<double>(in.shape());
  double* const pk = kH.mutable_data();
  double* const pd = KD.mutable_data();
  {
    py::gil_scoped_release unlocked;
    in.each([&](py::ssize_t k, double a, double) {
      const water::henry_result r = water::henry(g, a);
      pk[k] = r.kH;
      pd[k] = r.KD;
    });
  }
  return py::make_tuple(kH, KD);
}

}  // namespace

void register_chemistry(py::module_& m) {
  py::module_ c = m.def_submodule(
      "chemistry",
      "Properties of water for chemistry, each within its release's range: dielectric_constant (IAPWS R8-97), "
      "refractive_index (IAPWS R9-97), ionization_pK (IAPWS R11-24), henry (IAPWS G7-04). Of T in K and rho in "
      "kg/m3 (scalars or arrays, broadcast), or of a State or StateArrays (its IF97 density). A scalar outside the "
      "range raises ValueError with the bound; in arrays such elements are NaN. Array loops run without the GIL.");
  py::tuple gases(static_cast<int>(water::gas::SF6) + 1);
  for (int k = 0; k <= static_cast<int>(water::gas::SF6); ++k)
    gases[static_cast<std::size_t>(k)] = py::str(water::gas_formula(static_cast<water::gas>(k)));
  c.attr("GASES") = gases;

  const auto eps = [](double T, double rho) { return water::dielectric_constant(T, rho); };
  const auto pK = [](double T, double rho) { return water::ionization_pK(T, rho); };
  c.def(
      "dielectric_constant",
      [](const state& s) {
        return of_state(
            "dielectric_constant", [](const water::state& v) { return water::dielectric_constant(v); }, s);
      },
      "Static dielectric constant (relative permittivity) by IAPWS R8-97: 238 K to 873.15 K, 0 to 1250 kg/m3.",
      py::arg("state"));
  c.def(
      "dielectric_constant", [eps](const state_arrays& s) { return of_state_arrays(eps, s); },
      "The same of a StateArrays.", py::arg("state"));
  c.def(
      "dielectric_constant",
      [eps](py::object T, py::object rho) { return of_T_rho("dielectric_constant", eps, T, rho); },
      "The same of T in K and rho in kg/m3.", py::arg("T"), py::arg("rho"));

  c.def(
      "ionization_pK",
      [](const state& s) {
        return of_state(
            "ionization_pK", [](const water::state& v) { return water::ionization_pK(v); }, s);
      },
      "pKw = -log10(Kw / (mol/kg)^2) by IAPWS R11-24: 273.15 K to 1273.15 K, 0 to 1250 kg/m3.", py::arg("state"));
  c.def(
      "ionization_pK", [pK](const state_arrays& s) { return of_state_arrays(pK, s); }, "The same of a StateArrays.",
      py::arg("state"));
  c.def(
      "ionization_pK", [pK](py::object T, py::object rho) { return of_T_rho("ionization_pK", pK, T, rho); },
      "The same of T in K and rho in kg/m3.", py::arg("T"), py::arg("rho"));

  const char* const n_doc =
      "Refractive index by IAPWS R9-97 at the wavelength in vacuum in m (a number; the sodium D line, 589.3e-9 m, "
      "unless given): 261.15 K to 773.15 K, 0 to 1060 kg/m3, 0.2e-6 m to 1.1e-6 m.";
  c.def(
      "refractive_index",
      [](const state& s, double wavelength) {
        return of_state(
            "refractive_index", [wavelength](const water::state& v) { return water::refractive_index(v, wavelength); },
            s);
      },
      n_doc, py::arg("state"), py::arg("wavelength") = water::sodium_D_line);
  c.def(
      "refractive_index",
      [](const state_arrays& s, double wavelength) {
        return of_state_arrays(
            [wavelength](double T, double rho) { return water::refractive_index(T, rho, wavelength); }, s);
      },
      "The same of a StateArrays.", py::arg("state"), py::arg("wavelength") = water::sodium_D_line);
  c.def(
      "refractive_index",
      [](py::object T, py::object rho, double wavelength) {
        return of_T_rho(
            "refractive_index", [wavelength](double a, double b) { return water::refractive_index(a, b, wavelength); },
            T, rho);
      },
      "The same of T in K and rho in kg/m3.", py::arg("T"), py::arg("rho"),
      py::arg("wavelength") = water::sodium_D_line);

  c.def(
      "henry", [](const std::string& gas, const state& s) { return henry_of(gas, py::float_(s.values.T)); },
      "Henry's constant kH in Pa and the vapour-liquid distribution constant KD = y2/x2, as a tuple (kH, KD), of a "
      "gas named by its formula (one of GASES, e.g. 'CO2') at T in K (scalar or array; or a State's T) by IAPWS "
      "G7-04, within the temperatures of the gas's data.",
      py::arg("gas"), py::arg("state"));
  c.def(
      "henry", [](const std::string& gas, const state_arrays& s) { return henry_of(gas, s.f[1]); },
      "The same at the temperatures of a StateArrays.", py::arg("gas"), py::arg("state"));
  c.def(
      "henry", [](const std::string& gas, py::object T) { return henry_of(gas, T); }, "The same of T in K.",
      py::arg("gas"), py::arg("T"));
  py::module_::import("sys").attr("modules")["kviapws97.chemistry"] = c;
}

}  // namespace kviapws97::python
