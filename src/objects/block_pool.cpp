#include "objects/block_pool.h"

#include <cstdint>
#include <new>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define VUZED_POOL_POISONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VUZED_POOL_POISONS 1
#endif
#endif

#ifdef VUZED_POOL_POISONS
#include <sanitizer/asan_interface.h>
#define VUZED_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define VUZED_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define VUZED_POISON(p, n) ((void)(p), (void)(n))
#define VUZED_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace vuzed {
namespace {

constexpr std::size_t kClasses = TBlockPool::kLargestBlock / TBlockPool::kStep;

// A free block holds the next free block of its size.
struct TFreeBlock {
  TFreeBlock* Next;
};

struct TSizeClass {
  TFreeBlock* Free = nullptr;
  char* Fresh = nullptr;  // the untouched rest of the newest slab
  char* FreshEnd = nullptr;
};

struct TPools {
  TSizeClass Classes[kClasses];
  std::vector<char*> Slabs;
};

// Never destroyed: objects freed while the program ends still find it.
TPools& Pools() {
  static TPools& pools = *new TPools;
  return pools;
}

std::size_t ClassOf(std::size_t bytes) { return (bytes + TBlockPool::kStep - 1) / TBlockPool::kStep - 1; }

}  // namespace

void* TBlockPool::Allocate(std::size_t bytes) {
  if (bytes == 0 || bytes > kLargestBlock) return ::operator new(bytes ? bytes : 1);
  TPools& pools = Pools();
  TSizeClass& c = pools.Classes[ClassOf(bytes)];
  const std::size_t blockBytes = (ClassOf(bytes) + 1) * kStep;
  if (TFreeBlock* block = c.Free) {
    VUZED_UNPOISON(block, blockBytes);
    c.Free = block->Next;
    return block;
  }
  if (c.Fresh == c.FreshEnd) {
    // Every block starts on a cache line: the slab is asked for one step
    // more than it holds and begins at the first 64-byte boundary in it.
    char* slab = static_cast<char*>(::operator new(kSlabBytes + kStep));
    pools.Slabs.push_back(slab);
    char* first = slab + (kStep - reinterpret_cast<std::uintptr_t>(slab) % kStep) % kStep;
    c.Fresh = first;
    c.FreshEnd = first + kSlabBytes / blockBytes * blockBytes;
    VUZED_POISON(slab, kSlabBytes + kStep);
  }
  void* block = c.Fresh;
  c.Fresh += blockBytes;
  VUZED_UNPOISON(block, blockBytes);
  return block;
}

void TBlockPool::Free(void* block, std::size_t bytes) noexcept {
  if (!block) return;
  if (bytes == 0 || bytes > kLargestBlock) {
    ::operator delete(block);
    return;
  }
  TSizeClass& c = Pools().Classes[ClassOf(bytes)];
  TFreeBlock* free = static_cast<TFreeBlock*>(block);
  free->Next = c.Free;
  c.Free = free;
  VUZED_POISON(block, (ClassOf(bytes) + 1) * kStep);
}

}  // namespace vuzed
