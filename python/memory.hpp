// The memory of result arrays. Fresh memory costs a page fault per page at
// its first write, which for a million states can cost more than the states
// themselves. So large blocks are aligned to 2 MiB and offered to the kernel
// for huge pages, and the blocks of freed results are kept, up to a limit,
// for the next results.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <vector>

namespace kviapws97::python {

namespace py = pybind11;

// A block of at least `bytes`, from the kept ones or new; thread-safe, needs
// no GIL. Throws std::bad_alloc.
void* take_memory(std::size_t bytes);
// Gives a block of take_memory(bytes) back: kept while the kept blocks stay
// within the limit, else freed. Thread-safe.
void give_memory(void* block, std::size_t bytes) noexcept;
// The limit of kept memory in bytes; returns the previous one. 0 keeps none
// and frees what is kept.
std::size_t set_memory_limit(std::size_t bytes);

// An object that gives the block back when Python frees it: the base of the
// arrays over the block.
py::capsule memory_owner(void* block, std::size_t bytes);

// A new C-ordered array on a block of take_memory.
template <class T>
py::array_t<T> new_array(const std::vector<py::ssize_t>& shape) {
  std::size_t n = 1;
  for (const py::ssize_t d : shape) n *= static_cast<std::size_t>(d);
  void* block = take_memory(n * sizeof(T));
  py::capsule owner = memory_owner(block, n * sizeof(T));
  return py::array_t<T>(shape, static_cast<T*>(block), owner);
}

}  // namespace kviapws97::python
