#include "objects/var_table.h"

namespace vuzed {
namespace {

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = char(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = char(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

TSecondSingle& TVarTable::Add(std::string_view name, float initial) {
  Entries_.push_back({std::string(name), std::make_unique<TSecondSingle>(initial)});
  return *Entries_.back().Var;
}

int TVarTable::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < Entries_.size(); ++i) {
    if (SameNameIgnoringCase(Entries_[i].Name, name)) return int(i);
  }
  return -1;
}

TSecondSingle* TVarTable::Find(std::string_view name) const {
  int i = IndexOf(name);
  return i < 0 ? nullptr : Entries_[std::size_t(i)].Var.get();
}

}  // namespace vuzed
