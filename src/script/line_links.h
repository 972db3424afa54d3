#pragma once
// Names a decoded script line (line_cache.h) looks up while it runs: the
// answer is remembered together with the table it came from and that
// table's version, and looked up again when either differs. Versions are
// never given twice (version_stamp.h), so a table freed and another one at
// the same address is never taken for the first.

#include <cstdint>
#include <string_view>

#include "objects/second_string_list2.h"
#include "objects/var_table.h"
#include "script/procedure_table.h"

namespace vuzed {

// The variable a line names, in the table it is run with.
class TVarLink {
 public:
  TSecondSingle* Find(const TVarTable* table, std::string_view name) const {
    const uint64_t version = table ? table->Version() : 0;
    if (table != Table_ || version != Version_) {
      Var_ = table ? table->Find(name) : nullptr;
      Table_ = table;
      Version_ = version;
    }
    return Var_;
  }

 private:
  mutable const TVarTable* Table_ = nullptr;
  mutable uint64_t Version_ = 0;
  mutable TSecondSingle* Var_ = nullptr;
};

// The procedure a line names, in the procedure table it is run with.
class TProcedureLink {
 public:
  const TSecondStringList2* Find(const TProcedureTable& table, std::string_view name) const {
    if (&table != Table_ || table.Version() != Version_) {
      Definition_ = table.Find(name);
      Table_ = &table;
      Version_ = table.Version();
    }
    return Definition_;
  }

 private:
  mutable const TProcedureTable* Table_ = nullptr;
  mutable uint64_t Version_ = 0;
  mutable const TSecondStringList2* Definition_ = nullptr;
};

}  // namespace vuzed
