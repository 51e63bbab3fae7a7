// The flashes as NumPy ufuncs. One loop serves every pair: its data is the
// pair's state function. The loop writes what state() returns on arrays, so
// that state() is this loop under NumPy's iteration.
#include "python/ufunc.hpp"

#define NPY_NO_DEPRECATED_API NPY_1_7_API_VERSION
#include <numpy/arrayobject.h>
#include <numpy/ufuncobject.h>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <tuple>

#include "python/arrays.hpp"
#include "python/memory.hpp"

namespace kviapws97::python {
namespace {

thread_local two_phase_sink* current_sink = nullptr;

// One ufunc: its function and the ufunc object (owned by the module). Never
// freed: NumPy keeps pointers to its name, doc and data.
struct ufunc_entry {
  state_function function;
  PyObject* ufunc;
  std::string name, doc;
  void* data[1];
};

std::vector<ufunc_entry*>& registry() {
  static auto* const r = new std::vector<ufunc_entry*>;
  return *r;
}

template <class T>
T& at(char* base, npy_intp k, npy_intp step) {
  return *reinterpret_cast<T*>(base + k * step);
}

// args: a, b, then the outputs in the order of ufunc_output_count.
void flash_loop(char** args, const npy_intp* dimensions, const npy_intp* steps, void* data) {
  const state_function function = static_cast<const ufunc_entry*>(data)->function;
  two_phase_sink* const sink = current_sink;
  constexpr std::size_t x_arg = 2 + field_count;
  for (npy_intp k = 0; k < dimensions[0]; ++k) {
    const water::result r = function(at<const double>(args[0], k, steps[0]), at<const double>(args[1], k, steps[1]));
    const water::state& s = r.state;
    for (std::size_t i = 0; i < field_count; ++i) at<double>(args[2 + i], k, steps[2 + i]) = s.*fields[i].member;
    at<double>(args[x_arg], k, steps[x_arg]) = s.x;
    at<std::int8_t>(args[x_arg + 1], k, steps[x_arg + 1]) = static_cast<std::int8_t>(s.region);
    at<std::int8_t>(args[x_arg + 2], k, steps[x_arg + 2]) = r ? static_cast<std::int8_t>(s.phase) : std::int8_t{-1};
    at<std::int8_t>(args[x_arg + 3], k, steps[x_arg + 3]) = static_cast<std::int8_t>(r.status);
    if (sink && r && s.phase == water::phase::two_phase) sink->put(args[x_arg] + k * steps[x_arg], s);
  }
}

PyUFuncGenericFunction loops[] = {&flash_loop};
char loop_types[2 + ufunc_output_count] = {NPY_DOUBLE, NPY_DOUBLE, NPY_DOUBLE, NPY_DOUBLE, NPY_DOUBLE, NPY_DOUBLE,
                                           NPY_DOUBLE, NPY_DOUBLE, NPY_DOUBLE, NPY_DOUBLE, NPY_DOUBLE, NPY_DOUBLE,
                                           NPY_DOUBLE, NPY_DOUBLE, NPY_DOUBLE, NPY_BYTE,   NPY_BYTE,   NPY_BYTE};
static_assert(field_count == 12, "loop_types lists the inputs, the fields, x and the three int8 outputs");

void import_numpy() {
  static const bool imported = [] {
    if (_import_array() < 0 || _import_umath() < 0) throw py::error_already_set();
    return true;
  }();
  (void)imported;
}

std::string output_names() {
  std::string out;
  for (const field& f : fields) out += std::string(f.name) + ", ";
  return out + "x, region, phase, status";
}

// The sink of state(): the saturated phases of the two-phase elements, by
// flat index into the C-ordered outputs whose x starts at x_base. Kept by
// index while they are few; past one in `dense_from` of the elements, in one
// block of the whole result, as growing lists would cost more.
class collect_two_phase final : public two_phase_sink {
 public:
  static constexpr std::size_t dense_from = 16;

  collect_two_phase(const double* x_base, std::size_t n)
      : x_base_(reinterpret_cast<const char*>(x_base)), n_(n), block_(static_cast<py::ssize_t>(n)),
        elements_(std::make_shared<two_phase_elements>()) {}

  void put(const char* x_out, const water::state& s) override {
    const std::ptrdiff_t offset = x_out - x_base_;
    if (offset < 0 || offset % static_cast<std::ptrdiff_t>(sizeof(double)) != 0 ||
        static_cast<std::size_t>(offset) / sizeof(double) >= n_) {
      outside_ = true;  // NumPy wrote through a buffer of its own
      return;
    }
    const std::size_t k = static_cast<std::size_t>(offset) / sizeof(double);
    try {
      if (!block_.empty()) {
        block_.put(k, s);
        return;
      }
      two_phase_elements& e = *elements_;
      e.index.push_back(k);
      e.liquid.push_back(s.liquid);
      e.vapour.push_back(s.vapour);
      if (e.index.size() * dense_from > n_) {
        block_.allocate();
        for (std::size_t i = 0; i < e.index.size(); ++i) block_.put(e.index[i], e.liquid[i], e.vapour[i]);
        elements_ = std::make_shared<two_phase_elements>();
      }
    } catch (const std::bad_alloc&) {
      out_of_memory_ = true;  // no exception through NumPy's C frames
    }
  }

  // Into `out`: the saturated phases as arrays, or by index.
  void give(state_arrays& out) {
    if (out_of_memory_) throw std::bad_alloc();
    if (outside_) throw std::runtime_error("kviapws97: a two-phase element was written outside the result arrays");
    out.liquid = out.vapour = py::none();
    if (!block_.empty())
      std::tie(out.liquid, out.vapour) = block_.release(out.shape);
    else if (!elements_->index.empty())
      out.two_phase = elements_;
  }

 private:
  const char* x_base_;
  std::size_t n_;
  phase_block block_;
  std::shared_ptr<two_phase_elements> elements_;
  bool outside_ = false, out_of_memory_ = false;
};

std::vector<py::ssize_t> broadcast_shape(const py::array& a, const char* a_name, const py::array& b,
                                         const char* b_name) {
  const py::tuple sa = a.attr("shape"), sb = b.attr("shape");
  try {
    return py::module_::import("numpy").attr("broadcast_shapes")(sa, sb).cast<std::vector<py::ssize_t>>();
  } catch (const py::error_already_set& e) {
    if (!e.matches(PyExc_ValueError)) throw;
  }
  throw py::value_error(std::string("the shapes of ") + a_name + " " + py::repr(sa).cast<std::string>() + " and " +
                        b_name + " " + py::repr(sb).cast<std::string>() + " do not broadcast together");
}

}  // namespace

two_phase_sink::two_phase_sink() : previous_(current_sink) { current_sink = this; }
two_phase_sink::~two_phase_sink() { current_sink = previous_; }

namespace {

ufunc_entry* make_ufunc(const char* a_name, const char* b_name, state_function function) {
  import_numpy();
  auto* const entry = new ufunc_entry{function, nullptr, std::string(a_name) + b_name, {}, {}};
  entry->data[0] = entry;
  entry->doc = "The states of water or steam by IAPWS-IF97 of (" + std::string(a_name) + ", " + b_name +
               "), SI units, as a NumPy ufunc: " + entry->name + "(" + a_name + ", " + b_name + ") returns the tuple (" +
               output_names() +
               "): float64 arrays but the last three, int8. An element that fails is NaN in every float64 output, "
               "region 0, phase -1 and status the code of the reason (kviapws97.status_text). Broadcasting, out=, "
               "where=, dtype= and casting work as for any ufunc; the loop runs without the GIL. The same as "
               "kviapws97.state(" + a_name + "=, " + b_name + "=) on arrays, bit for bit.";
  entry->ufunc = PyUFunc_FromFuncAndData(loops, entry->data, loop_types, 1, 2, static_cast<int>(ufunc_output_count),
                                         PyUFunc_None, entry->name.c_str(), entry->doc.c_str(), 0);
  if (!entry->ufunc) throw py::error_already_set();
  registry().push_back(entry);
  return entry;
}

}  // namespace

py::object add_ufunc(py::module_& ufuncs, const char* a_name, const char* b_name, state_function function) {
  const ufunc_entry* const entry = make_ufunc(a_name, b_name, function);
  py::object out = py::reinterpret_borrow<py::object>(entry->ufunc);
  ufuncs.attr(entry->name.c_str()) = out;
  return out;
}

void describe_ufuncs(py::module_& ufuncs) {
  py::tuple names(ufunc_output_count);
  for (std::size_t i = 0; i < field_count; ++i) names[i] = py::str(fields[i].name);
  names[field_count] = py::str("x");
  names[field_count + 1] = py::str("region");
  names[field_count + 2] = py::str("phase");
  names[field_count + 3] = py::str("status");
  ufuncs.attr("OUTPUTS") = names;
  std::string signature = "(),()->()";
  for (std::size_t i = 1; i < ufunc_output_count; ++i) signature += ",()";
  ufuncs.attr("SIGNATURE") = signature;
}

py::object state_arrays_of(state_function function, const char* a_name, py::handle a, const char* b_name,
                           py::handle b) {
  const ufunc_entry* entry = nullptr;
  for (const ufunc_entry* e : registry())
    if (e->function == function) entry = e;
  // A function of the pair that is no ufunc of the module (a phase asked
  // for): its ufunc, made once and kept.
  if (!entry) entry = make_ufunc(a_name, b_name, function);
  const doubles av = real_array(a, a_name), bv = real_array(b, b_name);
  state_arrays out;
  out.shape = broadcast_shape(av, a_name, bv, b_name);
  py::tuple outputs(ufunc_output_count);
  for (std::size_t i = 0; i <= field_count; ++i) outputs[i] = new_array<double>(out.shape);
  for (std::size_t i = field_count + 1; i < ufunc_output_count; ++i) outputs[i] = new_array<std::int8_t>(out.shape);
  const py::array x = outputs[field_count];
  {
    collect_two_phase sink(static_cast<const double*>(x.data()), static_cast<std::size_t>(x.size()));
    py::handle(entry->ufunc)(av, bv, py::arg("out") = outputs);
    sink.give(out);
  }
  for (std::size_t i = 0; i < field_count; ++i) out.f[i] = read_only(outputs[i]);
  out.x = read_only(outputs[field_count]);
  out.region = read_only(outputs[field_count + 1]);
  out.phase = read_only(outputs[field_count + 2]);
  out.status = read_only(outputs[field_count + 3]);
  return py::cast(std::move(out));
}

}  // namespace kviapws97::python
