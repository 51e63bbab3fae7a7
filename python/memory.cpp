#include "python/memory.hpp"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>
#include <new>

namespace kviapws97::python {
namespace {

constexpr std::size_t huge_page = std::size_t{2} << 20;
constexpr std::size_t default_limit = std::size_t{256} << 20;

// Blocks of 1 MiB and more are whole huge pages; smaller ones whole cache lines.
std::size_t rounded(std::size_t bytes) {
  if (bytes >= huge_page / 2) return (bytes + huge_page - 1) / huge_page * huge_page;
  return (std::max<std::size_t>(bytes, 64) + 63) / 64 * 64;
}

struct kept_blocks {
  std::mutex lock;
  std::size_t limit = default_limit;
  std::size_t held = 0;
  std::multimap<std::size_t, void*> blocks;  // by rounded size
};

// Never destroyed: arrays may be freed after static destruction has begun.
kept_blocks& kept() {
  static kept_blocks* const k = new kept_blocks;
  return *k;
}

struct owned_block {
  void* block;
  std::size_t bytes;
};

}  // namespace

void* take_memory(std::size_t bytes) {
  const std::size_t size = rounded(bytes);
  {
    kept_blocks& k = kept();
    const std::lock_guard<std::mutex> held(k.lock);
    if (const auto it = k.blocks.find(size); it != k.blocks.end()) {
      void* const block = it->second;
      k.blocks.erase(it);
      k.held -= size;
      return block;
    }
  }
  void* block = nullptr;
  if (posix_memalign(&block, size >= huge_page ? huge_page : 64, size) != 0) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  if (size >= huge_page) madvise(block, size, MADV_HUGEPAGE);
#endif
  return block;
}

void give_memory(void* block, std::size_t bytes) noexcept {
  const std::size_t size = rounded(bytes);
  kept_blocks& k = kept();
  {
    const std::lock_guard<std::mutex> held(k.lock);
    if (k.held + size <= k.limit) {
      try {
        k.blocks.emplace(size, block);
        k.held += size;
        return;
      } catch (const std::bad_alloc&) {
      }
    }
  }
  std::free(block);
}

std::size_t set_memory_limit(std::size_t bytes) {
  kept_blocks& k = kept();
  const std::lock_guard<std::mutex> held(k.lock);
  const std::size_t previous = k.limit;
  k.limit = bytes;
  while (k.held > k.limit) {
    const auto it = k.blocks.begin();
    k.held -= it->first;
    std::free(it->second);
    k.blocks.erase(it);
  }
  return previous;
}

py::capsule memory_owner(void* block, std::size_t bytes) {
  return py::capsule(new owned_block{block, bytes}, [](void* p) {
    const owned_block* const o = static_cast<owned_block*>(p);
    give_memory(o->block, o->bytes);
    delete o;
  });
}

}  // namespace kviapws97::python
