#pragma once
// The stage director's table of named procedures: every name declared in a
// TYPE section, in the order of declaration, each with its compiled
// definition or none while it is only declared. Names are matched without
// regard to ASCII case and are unique.
//
// The table owns each definition's Lines and Vars; the TSecondStringList2 it
// hands out only points at them, and stays valid until the name is defined
// again or the table is cleared.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "objects/second_string_list2.h"

namespace vuzed {

struct TProcedureEntry {
  std::string Name;
  std::unique_ptr<TLineList> Lines;
  std::unique_ptr<TVarTable> Vars;
  std::unique_ptr<TSecondStringList2> Definition;  // null while only declared
};

class TProcedureTable {
 public:
  // Index of the name, or -1.
  int IndexOf(std::string_view name) const;
  // Adds the name, undefined, unless it is there; returns its index.
  int Declare(std::string_view name);
  // Gives the entry a new definition; an earlier one is freed.
  void Define(int index, TLineList lines, TVarTable vars);
  // The definition of the name, or null when it is unknown or undefined.
  TSecondStringList2* Find(std::string_view name) const;

  std::size_t Count() const { return Entries_.size(); }
  const TProcedureEntry& operator[](std::size_t i) const { return Entries_[i]; }
  void Clear();

 private:
  std::vector<TProcedureEntry> Entries_;
  std::unordered_map<std::string, int> Index_;  // upper-cased name -> entry
};

}  // namespace vuzed
