#include "objects/var_table.h"

#include "engine/platform/ascii_case.h"

namespace vuzed {

TVarTable::TVarTable(TVarTable&& other) noexcept : Entries_(std::move(other.Entries_)) { other.Changed(); }

TVarTable& TVarTable::operator=(TVarTable&& other) noexcept {
  Entries_ = std::move(other.Entries_);
  Changed();
  other.Changed();
  return *this;
}

TSecondSingle& TVarTable::Add(std::string_view name, float initial) {
  Changed();
  Entries_.push_back({std::string(name), std::make_unique<TSecondSingle>(initial)});
  return *Entries_.back().Var;
}

int TVarTable::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < Entries_.size(); ++i) {
    if (SameTextIgnoringCase(Entries_[i].Name, name)) return int(i);
  }
  return -1;
}

TSecondSingle* TVarTable::Find(std::string_view name) const {
  int i = IndexOf(name);
  return i < 0 ? nullptr : Entries_[std::size_t(i)].Var.get();
}

}  // namespace vuzed
