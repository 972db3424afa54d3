#pragma once
// One compiled definition (enemy, boss, familiar, bullet script or procedure)
// as the stage director's table of definitions holds it: its compiled lines
// and its variable table.
//
// The script compiler owns both lists. This holder owns only the two cells
// that point at them (null until the compiler fills them in); destroying it
// frees the cells, never the lists. Every object created from the definition
// runs the same lines and shares the same variables.

#include <memory>

#include "objects/script_line.h"
#include "objects/var_table.h"

namespace vuzed {

class TSecondStringList2 {
 public:
  TSecondStringList2()
      : Lines(std::make_unique<TLineList*>(nullptr)), Vars(std::make_unique<TVarTable*>(nullptr)) {}
  TSecondStringList2(TLineList* lines, TVarTable* vars) : TSecondStringList2() {
    *Lines = lines;
    *Vars = vars;
  }

  std::unique_ptr<TLineList*> Lines;  // cell holding the (non-owned) compiled lines
  std::unique_ptr<TVarTable*> Vars;   // cell holding the (non-owned) variable table
};

}  // namespace vuzed
