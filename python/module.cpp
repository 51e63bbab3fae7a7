// The Python module kviapws97: the SI state API (water/state.hpp) on scalars
// and on NumPy arrays. The scalar and the array paths call the same C++
// functions, so that an element of an array result is the scalar result bit
// for bit. The array loops run without the GIL.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "python/arrays.hpp"
#include "python/columns.hpp"
#include "python/derivatives.hpp"
#include "python/chemistry.hpp"
#include "python/memory.hpp"
#include "python/records.hpp"
#include "python/ufunc.hpp"
#include "transport/surface_tension.hpp"
#include "water/state.hpp"

namespace kviapws97::python {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// A number given as a scalar: a Python float or int, or any other number
// that is not an array or a sequence (a NumPy scalar, a Decimal).
bool scalar(py::handle o, double& out) {
  PyObject* p = o.ptr();
  if (PyFloat_Check(p)) {
    out = PyFloat_AS_DOUBLE(p);
    return true;
  }
  // A complex number goes to the arrays, which refuse it naming the argument.
  if (py::isinstance<py::array>(o) || PySequence_Check(p) || !PyNumber_Check(p) || PyComplex_Check(p)) return false;
  out = PyFloat_AsDouble(p);
  if (out == -1.0 && PyErr_Occurred()) throw py::error_already_set();
  return true;
}

std::string call_text(const char* function, const char* a_name, py::handle a, const char* b_name, py::handle b) {
  std::string out = std::string(function) + "(" + a_name + "=" + py::repr(a).cast<std::string>();
  if (b_name) out += std::string(", ") + b_name + "=" + py::repr(b).cast<std::string>();
  return out + ")";
}

// --- state ---------------------------------------------------------------

struct pair {
  unsigned mask;  // bits of the keywords p, T, h, s, x, rho, u
  int first, second;
  state_function function;
  batch_function batch;  // for outputs=
};
constexpr int keyword_count = 7;
constexpr const char* keyword_names[keyword_count] = {"p", "T", "h", "s", "x", "rho", "u"};
constexpr unsigned bit(int k) { return 1u << k; }
enum : int { kp, kT, kh, ks, kx, krho, ku };
constexpr pair pairs[] = {
    {bit(kp) | bit(kT), kp, kT, &water::pT, &water::pT_n},
    {bit(kp) | bit(kh), kp, kh, &water::ph, &water::ph_n},
    {bit(kp) | bit(ks), kp, ks, &water::ps, &water::ps_n},
    {bit(kh) | bit(ks), kh, ks, &water::hs, &water::hs_n},
    {bit(kT) | bit(kx), kT, kx, &water::Tx, &water::Tx_n},
    {bit(kp) | bit(kx), kp, kx, &water::px, &water::px_n},
    {bit(kT) | bit(krho), kT, krho, &water::Trho, &water::Trho_n},
    {bit(krho) | bit(ku), krho, ku, &water::rhou, &water::rhou_n},
    {bit(krho) | bit(kh), krho, kh, &water::rhoh, &water::rhoh_n},
    {bit(krho) | bit(ks), krho, ks, &water::rhos, &water::rhos_n},
    {bit(kp) | bit(ku), kp, ku, &water::pu, &water::pu_n},
    // The pairs with several states: the first, lowest pressure.
    {bit(kp) | bit(krho), kp, krho, [](double a, double b) noexcept { return water::prho(a, b); }, &water::prho_n},
    {bit(kT) | bit(kh), kT, kh, [](double a, double b) noexcept { return water::Th(a, b); }, &water::Th_n},
    {bit(kT) | bit(ks), kT, ks, [](double a, double b) noexcept { return water::Ts(a, b); }, &water::Ts_n},
    {bit(kh) | bit(kx), kh, kx, [](double a, double b) noexcept { return water::hx(a, b); }, &water::hx_n},
    {bit(ks) | bit(kx), ks, kx, [](double a, double b) noexcept { return water::sx(a, b); }, &water::sx_n},
};

// The phase requests of (p, T), (p, h) and (p, s): liquid, then vapour.
template <water::result (*F)(double, double, water::phase) noexcept, water::phase Asked>
water::result asked(double a, double b) noexcept { return F(a, b, Asked); }
constexpr state_function asked_functions[3][2] = {
    {&asked<&water::pT, water::phase::liquid>, &asked<&water::pT, water::phase::vapour>},
    {&asked<&water::ph, water::phase::liquid>, &asked<&water::ph, water::phase::vapour>},
    {&asked<&water::ps, water::phase::liquid>, &asked<&water::ps, water::phase::vapour>}};

py::object state_call(py::object p, py::object T, py::object h, py::object s, py::object x, py::object rho,
                      py::object u, std::optional<std::string> phase, py::object outputs) {
  const py::handle given[keyword_count] = {p, T, h, s, x, rho, u};
  unsigned mask = 0;
  for (int k = 0; k < keyword_count; ++k)
    if (!given[k].is_none()) mask |= bit(k);
  for (const pair& which : pairs) {
    if (which.mask != mask) continue;
    const py::handle a = given[which.first], b = given[which.second];
    state_function function = which.function;
    if (phase) {
      if (*phase != "liquid" && *phase != "vapour") throw py::value_error("state(): phase is 'liquid' or 'vapour'");
      if (which.first != kp || which.second > ks) throw py::type_error("state(): phase= goes with (p, T), (p, h), (p, s)");
      function = asked_functions[which.second - kT][*phase == "vapour"];
    }
    double va, vb;
    const bool scalars = scalar(a, va) && scalar(b, vb);
    if (!outputs.is_none()) {
      if (phase) throw py::type_error("state(): outputs= goes without phase=");
      return state_of_outputs(which.batch, keyword_names[which.first], a, keyword_names[which.second], b, outputs,
                              scalars, call_text("state", keyword_names[which.first], a, keyword_names[which.second], b));
    }
    if (!scalars) return state_arrays_of(function, keyword_names[which.first], a, keyword_names[which.second], b);
    const water::result r = function(va, vb);
    if (!r)
      throw py::value_error(call_text("state", keyword_names[which.first], a, keyword_names[which.second], b) + ": " +
                            r.reason());
    return py::cast(state{r.state});
  }
  std::string got;
  for (int k = 0; k < keyword_count; ++k)
    if (mask & bit(k)) got += std::string(got.empty() ? "" : ", ") + keyword_names[k];
  throw py::type_error("state() takes one of the pairs (p, T), (p, h), (p, s), (h, s), (T, x), (p, x), (T, rho), "
                       "(rho, u), (rho, h), (rho, s), (p, u), (p, rho), (T, h), (T, s), (h, x), (s, x) as keywords; got (" +
                       got + ")");
}

// --- saturation ----------------------------------------------------------

py::object saturation_call(py::object T, py::object p) {
  if (T.is_none() == p.is_none()) throw py::type_error("saturation() takes T or p, one of them, as a keyword");
  const bool of_T = !T.is_none();
  const py::handle given = of_T ? T : p;
  const char* name = of_T ? "T" : "p";
  const state_function function = of_T ? state_function(&water::Tx) : state_function(&water::px);
  double v;
  if (scalar(given, v)) {
    const water::result r = function(v, 0.0);
    if (!r) throw py::value_error(call_text("saturation", name, given, nullptr, given) + ": " + r.reason());
    return py::cast(saturation{r.state});
  }
  const broadcast in(given, py::float_(0.0), name, "x");
  const std::vector<py::ssize_t>& shape = in.shape();
  py::array_t<double> out_T = new_array<double>(shape), out_p = new_array<double>(shape);
  py::array_t<std::int8_t> status = new_array<std::int8_t>(shape);
  double* const pT = out_T.mutable_data();
  double* const pp = out_p.mutable_data();
  std::int8_t* const pstatus = status.mutable_data();
  phase_block phases(in.size());
  {
    py::gil_scoped_release unlocked;
    phases.allocate();
    in.each([&](py::ssize_t k, double va, double) {
      const water::result r = function(va, 0.0);
      pT[k] = r.state.T;
      pp[k] = r.state.p;
      pstatus[k] = static_cast<std::int8_t>(r.status);
      if (r) phases.put(k, r.state);
    });
  }
  saturation_arrays out;
  out.T = read_only(out_T);
  out.p = read_only(out_p);
  out.status = read_only(status);
  std::tie(out.liquid, out.vapour) = phases.release(shape);
  return py::cast(std::move(out));
}

// --- transport -----------------------------------------------------------

// The viscosity or conductivity of a state, with why it has none.
struct transport_property {
  std::size_t field;  // in fields
  const char* name;
  const char* release;
  double water::phase_values::*member() const { return fields[field].member; }
};
constexpr transport_property viscosity_property{10, "viscosity", "IAPWS R12-08"};
constexpr transport_property conductivity_property{11, "thermal conductivity", "IAPWS R15-11"};
static_assert(fields[10].member == &water::phase_values::mu && fields[11].member == &water::phase_values::lambda);

std::string why_none(const transport_property& q, const water::state& s) {
  if (s.phase == water::phase::two_phase)
    return std::string("a two-phase state has no single ") + q.name + "; use its liquid and vapour";
  return std::string("temperature above 1173.15 K, where ") + q.release + " ends";
}

// The property of a state; ValueError, naming the call, where it has none.
template <class Call>
double of_state(const transport_property& q, const water::state& s, Call call) {
  const double v = s.*q.member();
  if (std::isnan(v)) throw py::value_error(call() + ": " + why_none(q, s));
  return v;
}

py::object transport_of_T_rho(const transport_property& q, const char* function, py::object T, py::object rho) {
  double vT, vrho;
  if (scalar(T, vT) && scalar(rho, vrho)) {
    const water::result r = water::Trho(vT, vrho);
    const auto call = [&] { return call_text(function, "T", T, "rho", rho); };
    if (!r) throw py::value_error(call() + ": " + r.reason());
    return py::float_(of_state(q, r.state, call));
  }
  const broadcast in(T, rho, "T", "rho");
  py::array_t<double> out = new_array<double>(in.shape());
  double* const d = out.mutable_data();
  {
    py::gil_scoped_release unlocked;
    in.each([&](py::ssize_t k, double va, double vb) { d[k] = water::Trho(va, vb).state.*q.member(); });
  }
  return out;
}

double surface_tension_si(double T) {
  const double sigma = transport::surface_tension(T);  // mN/m, -1 outside its range
  return sigma >= 0.0 ? 1e-3 * sigma : nan;
}

py::object surface_tension_of(py::handle T) {
  double v;
  if (scalar(T, v)) {
    const double sigma = surface_tension_si(v);
    if (std::isnan(sigma))
      throw py::value_error(call_text("transport.surface_tension", "T", T, nullptr, T) +
                            ": temperature outside 273.0 K to 647.3 K, the range of IAPWS R1-76(2014)");
    return py::float_(sigma);
  }
  const broadcast in(T, py::float_(0.0), "T", "");
  py::array_t<double> out = new_array<double>(in.shape());
  double* const d = out.mutable_data();
  {
    py::gil_scoped_release unlocked;
    in.each([&](py::ssize_t k, double va, double) { d[k] = surface_tension_si(va); });
  }
  return out;
}

const char* const state_doc = R"(The state of water or steam by IAPWS-IF97 from one pair of keywords:

    state(p=, T=)     pressure in Pa, temperature in K
    state(p=, h=)     pressure in Pa, specific enthalpy in J/kg
    state(p=, s=)     pressure in Pa, specific entropy in J/(kg K)
    state(h=, s=)     J/kg, J/(kg K)
    state(T=, x=)     saturated: temperature in K, vapour fraction 0 to 1
    state(p=, x=)     saturated: pressure in Pa, vapour fraction 0 to 1
    state(T=, rho=)   temperature in K, density in kg/m3
    state(rho=, u=), state(rho=, h=), state(rho=, s=), state(p=, u=)
                      density in kg/m3, specific internal energy u in J/kg
    state(p=, rho=), state(T=, h=), state(T=, s=), state(h=, x=), state(s=, x=)
                      pairs that may have several states: the first of them,
                      the lowest pressure (then temperature)

With (p, T), (p, h) or (p, s), phase='liquid' or 'vapour' asks for that
phase: beyond the saturation line its metastable state, supersaturated
vapour by IAPWS-IF97 Eq. (18) (up to 10 MPa and 5 % equilibrium moisture)
or superheated liquid by region 1 (up to 5 % equilibrium vapour fraction
and 623.15 K); elsewhere the state without it.

With two numbers it returns a State, an immutable object whose attributes
are in SI units:
    region   IF97 region: 1, 2, 3, 5; 4 for a two-phase state
    phase    'liquid', 'vapour', 'supercritical' or 'two-phase'
    p Pa, T K, rho kg/m3, v m3/kg, h J/kg, s J/(kg K), u J/kg,
    cp J/(kg K), cv J/(kg K), w m/s (speed of sound),
    mu Pa s (IAPWS R12-08), lam W/(m K) (IAPWS R15-11; NaN above 1173.15 K),
    x        vapour fraction (NaN for a single phase)
    liquid, vapour   the saturated phases of a two-phase state (None otherwise).
A two-phase mixture has no cp, cv, w, mu or lam (NaN). A state that the
formulation does not hold raises ValueError with the reason, e.g.
"state(p=-1.0, T=300.0): pressure not above 0".

With NumPy arrays (or sequences) for either or both, broadcast against each
other, it returns a StateArrays: the same quantities as read-only arrays of
the broadcast shape, with region, phase (index into kviapws97.PHASES) and
status (int8). An element that fails raises nothing: it is NaN in every float
array, region 0, phase -1, and status holds the code of the reason
(kviapws97.status_text(code)). The loop runs without the GIL.

outputs= names the quantities to compute, as a str or a sequence of them
(p, T, rho, v, h, s, u, cp, cv, w, x, mu, lam): only their groups are
evaluated (T and x; p, T, rho, v; h, s, u; cp, cv, w; mu, lam), each value
the same to the last bit as without outputs=. The other quantities, and the
saturated phases, are None on arrays and NaN on a State. With arrays the
loop is the batch call of the C library, without the GIL:
    >>> kviapws97.state(p=numpy.full(3, 1e6), h=[1e6, 2e6, 3e6], outputs=("T", "x")).x
    array([0.1178082 , 0.61422489,        nan])

Example:
    >>> kviapws97.state(p=1e6, h=2.8e6).T
    461.7628910525903
    >>> kviapws97.state(p=numpy.array([1e5, 1e6]), T=400.0).h
    array([2730397.84596786,  533463.2679456 ])
)";

const char* const saturation_doc = R"(The saturation line at a temperature or a pressure:

    saturation(T=)   temperature in K, 273.15 K <= T < 647.096 K
    saturation(p=)   pressure in Pa, psat(273.15 K) <= p < 22.064 MPa

With a number it returns a Saturation: p (Pa), T (K), and liquid and vapour,
the saturated phases (PhaseState, attributes as State's in SI units). Outside
the line it raises ValueError with the reason.

With an array it returns a SaturationArrays of read-only arrays p, T,
status (int8, 0 or the code of the failure) and liquid, vapour (PhaseArrays);
an element that fails is NaN throughout. The loop runs without the GIL.
)";

}  // namespace
}  // namespace kviapws97::python

PYBIND11_MODULE(kviapws97, m) {
  using namespace kviapws97::python;
  m.doc() = R"(Water and steam properties by IAPWS-IF97 on scalars and NumPy arrays, in SI units.

    state(p=, T=) and the pairs (p, h), (p, s), (h, s), (T, x), (p, x), (T, rho),
    (rho, u), (rho, h), (rho, s), (p, u), (p, rho), (T, h), (T, s), (h, x), (s, x)
    saturation(T=) or saturation(p=)
    transport.viscosity, transport.conductivity, transport.surface_tension

Transport properties by IAPWS R12-08 (viscosity), R15-11 (thermal
conductivity) and R1-76(2014) (surface tension). help(kviapws97.state) tells
the rest.)";
  m.attr("__version__") = KVIAPWS97_VERSION;
  register_records(m);
  register_derivatives(m);
  py::tuple phases(phase_names.size());
  for (std::size_t i = 0; i < phase_names.size(); ++i) phases[i] = py::str(phase_names[i]);
  m.attr("PHASES") = phases;

  m.def("state", &state_call, state_doc, py::kw_only(), py::arg("p") = py::none(), py::arg("T") = py::none(),
        py::arg("h") = py::none(), py::arg("s") = py::none(), py::arg("x") = py::none(), py::arg("rho") = py::none(),
        py::arg("u") = py::none(), py::arg("phase") = py::none(), py::arg("outputs") = py::none());
  m.def("saturation", &saturation_call, saturation_doc, py::kw_only(), py::arg("T") = py::none(),
        py::arg("p") = py::none());
  m.def(
      "status_text",
      [](int code) { return water::status_text(static_cast<water::status>(code)); },
      "The reason (str) of a status code of an array result; 0 is 'ok'.", py::arg("code"));
  m.def(
      "set_array_memory",
      [](std::size_t bytes) { return set_memory_limit(bytes); },
      "Sets how many bytes of memory freed result arrays the module keeps for the next results (256 MiB at "
      "first), and returns the previous limit. Kept memory spares the next results the page faults of fresh "
      "memory, which can cost more than computing a state; 0 keeps none and frees what is kept.",
      py::arg("bytes"));

  py::module_ t = m.def_submodule(
      "transport", "Transport properties: viscosity (IAPWS R12-08), thermal conductivity (IAPWS R15-11, with the "
                   "critical enhancement where the library evaluates it) and surface tension (IAPWS R1-76(2014)).");
  const char* const viscosity_doc =
      "Dynamic viscosity, Pa s, by IAPWS R12-08 (industrial form), of a state: given T in K and rho in kg/m3 "
      "(scalars or arrays, broadcast), or a State or StateArrays (its mu). Equal to state(T=, rho=).mu. A scalar "
      "outside the formulation, above 1173.15 K or inside the two-phase region raises ValueError; in arrays such "
      "elements are NaN.";
  const char* const conductivity_doc =
      "Thermal conductivity, W/(m K), by IAPWS R15-11 with its critical enhancement, of a state: given T in K and "
      "rho in kg/m3 (scalars or arrays, broadcast), or a State or StateArrays (its lam). Equal to "
      "state(T=, rho=).lam. A scalar outside the formulation, above 1173.15 K or inside the two-phase region raises "
      "ValueError; in arrays such elements are NaN.";
  const char* const sigma_doc =
      "Surface tension of water against its vapour, N/m, by IAPWS R1-76(2014): of T in K (scalar or array), or at "
      "the temperature of a State, StateArrays, Saturation or SaturationArrays. Defined for 273.0 K <= T <= 647.3 K "
      "(0 above 647.096 K); outside, a scalar raises ValueError and an array element is NaN.";
  for (const auto& [name, property, doc] : {std::tuple{"viscosity", &viscosity_property, viscosity_doc},
                                            std::tuple{"conductivity", &conductivity_property, conductivity_doc}}) {
    const transport_property* q = property;
    const std::string function = std::string("transport.") + name;
    t.def(
        name, [q, function](py::object T, py::object rho) { return transport_of_T_rho(*q, function.c_str(), T, rho); },
        doc, py::arg("T"), py::arg("rho"));
    t.def(
        name,
        [q, function](const state& s) {
          return of_state(*q, s.values, [&] { return function + "(" + py::repr(py::cast(s)).cast<std::string>() + ")"; });
        },
        "The same of a State: a float.", py::arg("state"));
    t.def(
        name, [q](const state_arrays& s) { return s.f[q->field]; }, "The same of a StateArrays: an array.",
        py::arg("state"));
  }
  // The overload of T goes last: it would take a state too.
  t.def(
      "surface_tension", [](const state& s) { return surface_tension_of(py::float_(s.values.T)); }, sigma_doc,
      py::arg("state"));
  t.def(
      "surface_tension", [](const saturation& s) { return surface_tension_of(py::float_(s.values.T)); },
      "The same at the temperature of a Saturation.", py::arg("state"));
  t.def(
      "surface_tension", [](const state_arrays& s) { return surface_tension_of(s.f[1]); },
      "The same at the temperatures of a StateArrays: an array.", py::arg("state"));
  t.def(
      "surface_tension", [](const saturation_arrays& s) { return surface_tension_of(s.T); },
      "The same at the temperatures of a SaturationArrays: an array.", py::arg("state"));
  t.def(
      "surface_tension", [](py::object T) { return surface_tension_of(T); }, "The same of T in K (scalar or array).",
      py::arg("T"));
  // import kviapws97.transport, as for a package.
  py::module_::import("sys").attr("modules")["kviapws97.transport"] = t;
  register_chemistry(m);

  // One ufunc per pair of state(), named by its keywords.
  py::module_ u = m.def_submodule(
      "ufunc", "The flashes as NumPy ufuncs, one per pair of state(): ph(p, h), pT(p, T), ... Each returns the tuple "
               "of its outputs, named in OUTPUTS; SIGNATURE is their signature for dask.array.apply_gufunc.");
  for (const pair& which : pairs)
    add_ufunc(u, keyword_names[which.first], keyword_names[which.second], which.function);
  describe_ufuncs(u);
  py::module_::import("sys").attr("modules")["kviapws97.ufunc"] = u;
}
