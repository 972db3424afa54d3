#pragma once
// TEnemyLine: one line of an enemy script decoded for the enemy interpreter
// (line_cache.h): the commands whose test it passes and their arguments.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/line_cache.h"

namespace vuzed {

// The enemy commands; kEnemyCommands in enemy_line.cpp lists them in test
// order.
enum class TEnemyCommand : uint8_t {
  Goto,
  If,
  For,
  End,
  Exit,
  Bullet,
  Laser,
  CreateBullet,
  Assignment,
  MoveToWithTime,
  MoveTo,
  MoveOn,
  Move,
  SetX,
  SetY,
  CreateTukaima,
  Destroy,
  SetSe,
};

// The built-in bullets of the "BU" command, by the prefix that names them.
enum class TBulletKind : uint8_t { None, Bu01, Bu02, Bu03, Bu17, Bu20, Bu21, Bu22 };

struct TEnemyLine {
  static TEnemyLine Decode(std::string_view text);
  static constexpr std::size_t kDecodedSlot = std::size_t(TEvaluatorKind::Enemy);
  bool IsFor() const { return IsFor_; }

  // The commands whose test the line passes, in test order. The first one
  // decides, except that BU, LA, CREATEBULLET and the assignment may find
  // at run time that the line is none of theirs; the next one is then
  // tried, and after the last the line is a procedure call.
  std::vector<TEnemyCommand> Commands;

  // The whole numbers in the first and second "(...)" (GOTO, IF, END).
  TLineNumber Jump1, Jump2;
  TLineCondition Condition;  // IF: between "IF " and the first "("

  // FOR(v,start,limit)(body,exit)
  std::string LoopVar;
  TVarLink LoopVarLink;
  TLineArgument LoopStart, LoopLimit;
  TLineNumber LoopBody, LoopExit;

  // The text inside the first parentheses (nesting counted), whole and as
  // its comma-separated fields 1..kMaxFields (Fields[k - 1]).
  static constexpr int kMaxFields = 10;
  TLineArgument Inside;
  std::vector<TLineArgument> Fields;
  TLineNumber InsideNumber;  // SETSE
  TBulletKind BulletKind = TBulletKind::None;
  bool LaserOne = false;   // LA01
  bool LaserTwo = false;   // LA02
  TProcedureLink BulletDefinition;    // CREATEBULLET's first field
  TProcedureLink FamiliarDefinition;  // CREATETUKAIMA's whole text

  // name ":=" value ";"
  std::string AssignName;
  TVarLink AssignLink;
  TLineArgument AssignValue;

  // A procedure call: the name before "(" (or the text without its last
  // character), the arguments up to the first ")" split at every comma.
  bool HasParenthesis = false;
  std::string CallName;
  std::vector<TLineArgument> CallArguments;
  TProcedureLink Callee;

 private:
  bool IsFor_ = false;
};

}  // namespace vuzed
