#pragma once
// The stage director's table of named procedures: every name declared in a
// TYPE section, in the order of declaration, each with its compiled
// definition or none while it is only declared. Names are matched without
// regard to ASCII case and are unique.
//
// The table owns each definition's Lines and Vars; the TSecondStringList2 it
// hands out only points at them, and stays valid until the table is cleared.
// A name defined again (a later definition in the same compile, or a stage
// loaded while enemies and bullets of the previous one still fly) gets new
// lists, and the earlier definition is kept aside until the table is
// cleared: objects created from it go on running it safely.

#include <cstddef>
#include <cstdint>
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
  TProcedureTable() = default;
  // Both tables of a move get new versions (see Version).
  TProcedureTable(TProcedureTable&& other) noexcept;
  TProcedureTable& operator=(TProcedureTable&& other) noexcept;

  // Index of the name, or -1.
  int IndexOf(std::string_view name) const;
  // Adds the name, undefined, unless it is there; returns its index.
  int Declare(std::string_view name);
  // Gives the entry a new definition; an earlier one is kept aside.
  void Define(int index, TLineList lines, TVarTable vars);
  // The definition of the name, or null when it is unknown or undefined.
  TSecondStringList2* Find(std::string_view name) const;

  std::size_t Count() const { return Entries_.size(); }
  const TProcedureEntry& operator[](std::size_t i) const { return Entries_[i]; }
  void Clear();

  // Changes whenever a name is declared or defined or the table is cleared,
  // to a number no table has had before (0 only for a table never changed):
  // an answer of Find remembered with the table's address and this number
  // is still the answer while both are the same.
  uint64_t Version() const { return Version_; }

 private:
  // Names hashed and compared without regard to ASCII case, so a look-up
  // needs no upper-cased copy of the name.
  struct TNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
  };
  struct TNameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  void Changed();

  std::vector<TProcedureEntry> Entries_;
  std::vector<TProcedureEntry> Replaced_;  // earlier definitions of redefined names
  std::unordered_map<std::string, int, TNameHash, TNameEqual> Index_;  // name -> entry
  uint64_t Version_ = 0;
};

}  // namespace vuzed
