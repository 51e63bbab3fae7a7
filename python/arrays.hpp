// Two operands broadcast against each other as NumPy broadcasts them, and a
// walk over every element of the result in C order that needs no GIL.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kviapws97::python {

namespace py = pybind11;

// Any array-like of numbers as a C-ordered array of float64 (copied only
// where it is not one already).
using doubles = py::array_t<double, py::array::c_style | py::array::forcecast>;

// `value` as doubles, where it is a real number or an array of them (bool,
// integer, float or objects that convert to float). TypeError naming the
// argument where it is not: a str, bytes, complex, a date, as NumPy would
// otherwise parse a str or drop an imaginary part.
inline doubles real_array(py::handle value, const char* name) {
  py::array a = py::array::ensure(value);
  if (!a) throw py::error_already_set();
  const char kind = a.dtype().kind();
  if (std::string_view("biufO").find(kind) == std::string_view::npos)
    throw py::type_error(std::string("argument ") + name + " must be a real number or an array of real numbers, not " +
                         (a.ndim() == 0 ? py::str(value.get_type().attr("__name__")).cast<std::string>()
                                        : "an array of dtype " + py::str(a.dtype()).cast<std::string>()));
  return doubles(std::move(a));
}

class broadcast {
 public:
  // Raises ValueError where the shapes do not broadcast, naming the
  // arguments a_name and b_name.
  broadcast(py::handle a, py::handle b, const char* a_name, const char* b_name)
      : a_(real_array(a, a_name)), b_(real_array(b, b_name)) {
    const py::ssize_t na = a_.ndim(), nb = b_.ndim();
    const py::ssize_t nd = na > nb ? na : nb;
    shape_.assign(static_cast<std::size_t>(nd), 1);
    for (py::ssize_t d = 0; d < nd; ++d) {
      const py::ssize_t da = d - (nd - na) >= 0 ? a_.shape(d - (nd - na)) : 1;
      const py::ssize_t db = d - (nd - nb) >= 0 ? b_.shape(d - (nd - nb)) : 1;
      if (da != db && da != 1 && db != 1)
        throw py::value_error(std::string("the shapes of ") + a_name + " " + shape_text(a_) + " and " + b_name + " " +
                              shape_text(b_) + " do not broadcast together");
      shape_[static_cast<std::size_t>(d)] = da == 1 ? db : da;
    }
    size_ = 1;
    for (const py::ssize_t n : shape_) size_ *= n;
    stride_a_ = strides_of(a_);
    stride_b_ = strides_of(b_);
  }

  const std::vector<py::ssize_t>& shape() const { return shape_; }
  py::ssize_t size() const { return size_; }

  // f(k, a, b) for every element k of the result, in C order. Reads the
  // operands' buffers only: safe without the GIL while this object lives.
  template <class F>
  void each(F&& f) const {
    if (size_ == 0) return;
    const double* pa = a_.data();
    const double* pb = b_.data();
    const std::size_t nd = shape_.size();
    if (nd == 0) {
      f(py::ssize_t{0}, pa[0], pb[0]);
      return;
    }
    const py::ssize_t inner = shape_[nd - 1], ia = stride_a_[nd - 1], ib = stride_b_[nd - 1];
    std::vector<py::ssize_t> index(nd, 0);
    py::ssize_t k = 0, oa = 0, ob = 0;
    for (;;) {
      for (py::ssize_t j = 0; j < inner; ++j) f(k++, pa[oa + j * ia], pb[ob + j * ib]);
      std::size_t d = nd - 1;  // the odometer of the outer dimensions
      for (;;) {
        if (d == 0) return;
        --d;
        oa += stride_a_[d];
        ob += stride_b_[d];
        if (++index[d] < shape_[d]) break;
        oa -= stride_a_[d] * shape_[d];
        ob -= stride_b_[d] * shape_[d];
        index[d] = 0;
      }
    }
  }

 private:
  // The element strides of a C-ordered operand along the result's
  // dimensions: 0 along a dimension it lacks or has of length 1.
  std::vector<py::ssize_t> strides_of(const doubles& x) const {
    const std::size_t nd = shape_.size(), nx = static_cast<std::size_t>(x.ndim());
    std::vector<py::ssize_t> out(nd, 0);
    py::ssize_t step = 1;
    for (std::size_t i = nx; i-- > 0;) {
      const py::ssize_t n = x.shape(static_cast<py::ssize_t>(i));
      out[nd - nx + i] = n == 1 ? 0 : step;
      step *= n;
    }
    return out;
  }

  static std::string shape_text(const doubles& x) {
    std::string out = "(";
    for (py::ssize_t d = 0; d < x.ndim(); ++d) out += std::to_string(x.shape(d)) + (x.ndim() == 1 ? "," : d + 1 < x.ndim() ? ", " : "");
    return out + ")";
  }

  doubles a_, b_;
  std::vector<py::ssize_t> shape_;
  py::ssize_t size_ = 0;
  std::vector<py::ssize_t> stride_a_, stride_b_;
};

// The same array, made read-only.
inline py::array read_only(py::array a) {
  py::detail::array_proxy(a.ptr())->flags &= ~py::detail::npy_api::NPY_ARRAY_WRITEABLE_;
  return a;
}

}  // namespace kviapws97::python
