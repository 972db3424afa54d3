#pragma once
// Version numbers for objects whose contents others remember answers about
// (a variable table, the procedure table): an object takes a new number
// whenever it changes, and an answer remembered with the object's address
// and number holds while both are the same.
//
// The numbers come from one source for the whole program, so that none is
// ever given twice: an object freed and another one made at the same address
// can never pass for the first. Each number is larger than every number
// given before it.

#include <atomic>
#include <cstdint>

namespace vuzed {

inline uint64_t NewVersionStamp() {
  static std::atomic<uint64_t> last{0};
  return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

}  // namespace vuzed
