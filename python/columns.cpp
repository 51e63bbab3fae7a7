#include "python/columns.hpp"

#include <pybind11/numpy.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "python/arrays.hpp"
#include "python/memory.hpp"
#include "python/records.hpp"

namespace kviapws97::python {
namespace {

// The quantities that outputs= names, in the order of kviapws97_columns.
constexpr std::size_t column_count = 13;
constexpr std::array<const char*, column_count> column_names{"p", "T",  "rho", "v", "h",  "s",  "u",
                                                             "cp", "cv", "w",  "x", "mu", "lam"};
// Where each column lies in state_arrays::f (x has its own array).
constexpr std::array<int, column_count> field_of{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1, 10, 11};

double* water::columns::* const column_members[column_count] = {
    &water::columns::p,  &water::columns::T,  &water::columns::rho, &water::columns::v,  &water::columns::h,
    &water::columns::s,  &water::columns::u,  &water::columns::cp,  &water::columns::cv, &water::columns::w,
    &water::columns::x,  &water::columns::mu, &water::columns::lambda};

std::array<bool, column_count> names_of(py::handle outputs) {
  std::array<bool, column_count> asked{};
  const auto add = [&asked](const std::string& name) {
    const std::string n = name == "lambda" ? "lam" : name;
    for (std::size_t i = 0; i < column_count; ++i)
      if (n == column_names[i]) {
        asked[i] = true;
        return;
      }
    std::string known;
    for (const char* c : column_names) known += std::string(known.empty() ? "" : ", ") + c;
    throw py::value_error("state(): outputs= names quantities among " + known + "; got '" + name + "'");
  };
  if (py::isinstance<py::str>(outputs)) {
    add(outputs.cast<std::string>());
  } else {
    for (const py::handle item : py::iter(outputs)) {
      if (!py::isinstance<py::str>(item)) throw py::type_error("state(): outputs= takes names (str) of quantities");
      add(item.cast<std::string>());
    }
  }
  return asked;
}

// A null array: the attribute of a quantity not asked for reads None.
py::array absent() { return py::reinterpret_steal<py::array>(py::handle()); }

}  // namespace

py::object state_of_outputs(batch_function f, const char* a_name, py::handle a, const char* b_name, py::handle b,
                            py::handle outputs, bool scalars, const std::string& call) {
  const std::array<bool, column_count> asked = names_of(outputs);
  if (scalars) {
    const double va = a.cast<double>(), vb = b.cast<double>();
    std::array<double, column_count> value;
    value.fill(std::numeric_limits<double>::quiet_NaN());
    int region = 0, phase = -1, status = 0;
    water::columns c{};
    for (std::size_t i = 0; i < column_count; ++i)
      if (asked[i]) c.*column_members[i] = &value[i];
    c.region = &region;
    c.phase = &phase;
    c.status = &status;
    f(1, &va, &vb, c);
    if (status != 0) throw py::value_error(call + ": " + water::status_text(static_cast<water::status>(status)));
    state out{};
    water::state& s = out.values;
    for (std::size_t i = 0; i < column_count; ++i)
      if (field_of[i] >= 0) s.*fields[static_cast<std::size_t>(field_of[i])].member = value[i];
    s.x = value[10];
    s.region = region;
    s.phase = static_cast<water::phase>(phase);
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    s.liquid = s.vapour = {nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan};
    return py::cast(out);
  }

  // The inputs broadcast and C-ordered, copied only where they are not so.
  const doubles av = real_array(a, a_name), bv = real_array(b, b_name);
  const py::module_ np = py::module_::import("numpy");
  py::tuple both;
  try {
    both = np.attr("broadcast_arrays")(av, bv);
  } catch (const py::error_already_set& e) {
    if (!e.matches(PyExc_ValueError)) throw;
    throw py::value_error(std::string("the shapes of ") + a_name + " " + py::repr(av.attr("shape")).cast<std::string>() +
                          " and " + b_name + " " + py::repr(bv.attr("shape")).cast<std::string>() +
                          " do not broadcast together");
  }
  const doubles ac = np.attr("ascontiguousarray")(both[0]), bc = np.attr("ascontiguousarray")(both[1]);
  state_arrays out;
  out.shape.assign(ac.shape(), ac.shape() + ac.ndim());
  for (py::array& q : out.f) q = absent();
  out.x = absent();
  std::array<py::array_t<double>, column_count> columns;
  for (std::size_t i = 0; i < column_count; ++i)
    if (asked[i]) columns[i] = new_array<double>(out.shape);
  py::array_t<std::int8_t> region = new_array<std::int8_t>(out.shape), phase = new_array<std::int8_t>(out.shape),
                           status = new_array<std::int8_t>(out.shape);
  const std::size_t n = static_cast<std::size_t>(ac.size());
  {
    double* data[column_count] = {};
    for (std::size_t i = 0; i < column_count; ++i)
      if (asked[i]) data[i] = columns[i].mutable_data();
    std::int8_t* const region8 = region.mutable_data();
    std::int8_t* const phase8 = phase.mutable_data();
    std::int8_t* const status8 = status.mutable_data();
    const double* const pa = ac.data();
    const double* const pb = bc.data();
    py::gil_scoped_release unlocked;
    // In blocks, through int columns on the stack into the int8 arrays.
    constexpr std::size_t block = 1024;
    int region_k[block], phase_k[block], status_k[block];
    for (std::size_t start = 0; start < n; start += block) {
      const std::size_t m = n - start < block ? n - start : block;
      water::columns c{};
      for (std::size_t i = 0; i < column_count; ++i)
        if (data[i]) c.*column_members[i] = data[i] + start;
      c.region = region_k;
      c.phase = phase_k;
      c.status = status_k;
      f(m, pa + start, pb + start, c);
      for (std::size_t k = 0; k < m; ++k) {
        region8[start + k] = static_cast<std::int8_t>(region_k[k]);
        phase8[start + k] = static_cast<std::int8_t>(phase_k[k]);
        status8[start + k] = static_cast<std::int8_t>(status_k[k]);
      }
    }
  }
  for (std::size_t i = 0; i < column_count; ++i) {
    if (!asked[i]) continue;
    if (field_of[i] >= 0) out.f[static_cast<std::size_t>(field_of[i])] = read_only(columns[i]);
    else out.x = read_only(columns[i]);
  }
  out.region = read_only(region);
  out.phase = read_only(phase);
  out.status = read_only(status);
  out.selected = true;
  return py::cast(std::move(out));
}

}  // namespace kviapws97::python
