#pragma once
// TBlockPool: memory for the many small objects the playfield makes and
// frees every frame (bullets above all). Blocks come in sizes of 64 bytes
// steps up to kLargestBlock, each starting on a 64-byte boundary (a cache
// line; the bullets lay out their fields by it), carved from slabs of
// kSlabBytes; a freed block goes on its size's free list and is the next
// one handed out. Slabs are kept for the life of the program, so a stage
// that once held 100,000 bullets makes the next 100,000 without asking the
// system for memory, and objects made one after another lie one after
// another in memory.
//
// Bigger requests go to the global operator new. The pool belongs to the
// game thread: it is not meant to be shared between threads.

#include <cstddef>

namespace vuzed {

class TBlockPool {
 public:
  static constexpr std::size_t kStep = 64;
  // Large enough for the longest laser beam's list of segments.
  static constexpr std::size_t kLargestBlock = 2560;
  static constexpr std::size_t kSlabBytes = 64 * 1024;

  static void* Allocate(std::size_t bytes);
  // bytes: the size the block was allocated with.
  static void Free(void* block, std::size_t bytes) noexcept;
};

// A standard allocator over the pool, for the short lists that objects
// made in the thick of a frame carry (a laser's segments).
template <typename T>
struct TBlockPoolAllocator {
  using value_type = T;
  TBlockPoolAllocator() = default;
  template <typename U>
  TBlockPoolAllocator(const TBlockPoolAllocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(TBlockPool::Allocate(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { TBlockPool::Free(p, n * sizeof(T)); }
  template <typename U>
  bool operator==(const TBlockPoolAllocator<U>&) const { return true; }
};

}  // namespace vuzed
