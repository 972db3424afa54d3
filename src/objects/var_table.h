#pragma once
// A definition's variable table: names in declaration order (parameters
// first, then VAR variables), each with its own value cell. Names are matched
// without regard to ASCII case and the first of equal names wins, as in any
// unsorted name list; adding never removes or reorders, so cells handed out
// stay valid while the table lives.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "objects/second_single.h"
#include "objects/version_stamp.h"

namespace vuzed {

struct TVarEntry {
  std::string Name;
  std::unique_ptr<TSecondSingle> Var;
};

class TVarTable {
 public:
  TVarTable() = default;
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

  // A new number (version_stamp.h) whenever the table gains a variable or
  // is moved to or from: a name resolved in it earlier (a variable cell,
  // expression.h's TNameBinding) and remembered with the table's address and
  // this number resolves the same while both are the same.
  uint64_t Version() const { return Version_; }

 private:
  void Changed() { Version_ = NewVersionStamp(); }

  std::vector<TVarEntry> Entries_;
  uint64_t Version_ = NewVersionStamp();
};

}  // namespace vuzed
