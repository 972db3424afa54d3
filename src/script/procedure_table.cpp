#include "script/procedure_table.h"

#include "engine/platform/ascii_case.h"

namespace vuzed {
namespace {

std::string Key(std::string_view name) {
  std::string key(name);
  for (char& c : key) c = AsciiUpper(c);
  return key;
}

}  // namespace

int TProcedureTable::IndexOf(std::string_view name) const {
  auto it = Index_.find(Key(name));
  return it == Index_.end() ? -1 : it->second;
}

int TProcedureTable::Declare(std::string_view name) {
  auto [it, added] = Index_.try_emplace(Key(name), int(Entries_.size()));
  if (added) Entries_.push_back({std::string(name), nullptr, nullptr, nullptr});
  return it->second;
}

void TProcedureTable::Define(int index, TLineList lines, TVarTable vars) {
  TProcedureEntry& entry = Entries_.at(std::size_t(index));
  if (entry.Definition)
    Replaced_.push_back({entry.Name, std::move(entry.Lines), std::move(entry.Vars), std::move(entry.Definition)});
  entry.Lines = std::make_unique<TLineList>(std::move(lines));
  entry.Vars = std::make_unique<TVarTable>(std::move(vars));
  entry.Definition = std::make_unique<TSecondStringList2>(entry.Lines.get(), entry.Vars.get());
}

TSecondStringList2* TProcedureTable::Find(std::string_view name) const {
  const int i = IndexOf(name);
  return i < 0 ? nullptr : Entries_[std::size_t(i)].Definition.get();
}

void TProcedureTable::Clear() {
  Entries_.clear();
  Replaced_.clear();
  Index_.clear();
}

}  // namespace vuzed
