#pragma once
// A definition's variable table: names in declaration order (parameters
// first, then VAR variables), each with its own value cell. Names are matched
// without regard to ASCII case and the first of equal names wins, as in any
// unsorted name list; adding never removes or reorders, so cells handed out
// stay valid while the table lives.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "objects/second_single.h"

namespace vuzed {

struct TVarEntry {
  std::string Name;
  std::unique_ptr<TSecondSingle> Var;
};

class TVarTable {
 public:
  TVarTable() = default;
  ~TVarTable();
  TVarTable(TVarTable&& other) noexcept;
  TVarTable& operator=(TVarTable&& other) noexcept;

  // Appends a variable (also when the name is already present) and returns it.
  TSecondSingle& Add(std::string_view name, float initial = 0.0f);
  // Index of the first entry with that name, or -1.
  int IndexOf(std::string_view name) const;
  // The first variable with that name, or null.
  TSecondSingle* Find(std::string_view name) const;

  std::size_t Count() const { return Entries_.size(); }
  const TVarEntry& operator[](std::size_t i) const { return Entries_[i]; }

  // Goes up whenever any table gains a variable, moves or is freed: names
  // resolved to variable cells earlier (expression.h, TNameBinding) may
  // resolve differently from then on.
  static uint64_t Generation() { return Generation_.load(std::memory_order_relaxed); }

 private:
  static void Changed() { Generation_.fetch_add(1, std::memory_order_relaxed); }
  static inline std::atomic<uint64_t> Generation_{1};

  std::vector<TVarEntry> Entries_;
};

}  // namespace vuzed
