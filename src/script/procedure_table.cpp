#include "script/procedure_table.h"

#include "engine/platform/ascii_case.h"
#include "objects/version_stamp.h"

namespace vuzed {

std::size_t TProcedureTable::TNameHash::operator()(std::string_view name) const {
  // FNV-1a over the upper-cased bytes.
  uint64_t hash = 14695981039346656037ull;
  for (char c : name) hash = (hash ^ uint8_t(AsciiUpper(c))) * 1099511628211ull;
  return std::size_t(hash);
}

bool TProcedureTable::TNameEqual::operator()(std::string_view a, std::string_view b) const {
  return SameTextIgnoringCase(a, b);
}

void TProcedureTable::Changed() { Version_ = NewVersionStamp(); }

TProcedureTable::TProcedureTable(TProcedureTable&& other) noexcept
    : Entries_(std::move(other.Entries_)), Replaced_(std::move(other.Replaced_)), Index_(std::move(other.Index_)) {
  Changed();
  other.Clear();
}

TProcedureTable& TProcedureTable::operator=(TProcedureTable&& other) noexcept {
  if (this == &other) return *this;
  Entries_ = std::move(other.Entries_);
  Replaced_ = std::move(other.Replaced_);
  Index_ = std::move(other.Index_);
  Changed();
  other.Clear();
  return *this;
}

int TProcedureTable::IndexOf(std::string_view name) const {
  auto it = Index_.find(name);
  return it == Index_.end() ? -1 : it->second;
}

int TProcedureTable::Declare(std::string_view name) {
  auto it = Index_.find(name);
  if (it != Index_.end()) return it->second;
  const int index = int(Entries_.size());
  Index_.emplace(std::string(name), index);
  Entries_.push_back({std::string(name), nullptr, nullptr, nullptr});
  Changed();
  return index;
}

void TProcedureTable::Define(int index, TLineList lines, TVarTable vars) {
  TProcedureEntry& entry = Entries_.at(std::size_t(index));
  if (entry.Definition)
    Replaced_.push_back({entry.Name, std::move(entry.Lines), std::move(entry.Vars), std::move(entry.Definition)});
  entry.Lines = std::make_unique<TLineList>(std::move(lines));
  entry.Vars = std::make_unique<TVarTable>(std::move(vars));
  entry.Definition = std::make_unique<TSecondStringList2>(entry.Lines.get(), entry.Vars.get());
  Changed();
}

TSecondStringList2* TProcedureTable::Find(std::string_view name) const {
  const int i = IndexOf(name);
  return i < 0 ? nullptr : Entries_[std::size_t(i)].Definition.get();
}

void TProcedureTable::Clear() {
  Entries_.clear();
  Replaced_.clear();
  Index_.clear();
  Changed();
}

}  // namespace vuzed
