#pragma once
// TBulletLine: one line of a bullet script decoded for the bullet
// interpreter (line_cache.h): the commands whose test it passes and their
// arguments.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/line_cache.h"

namespace vuzed {

// The bullet commands; kBulletCommands in enemy_tama_script_line.cpp lists
// them in test order.
enum class TBulletCommand : uint8_t {
  Goto,
  If,
  For,
  End,
  Exit,
  Assignment,
  SetX,
  SetY,
  SetAngle,
  SetPictureId,
  SetSpeed,
  SetIdouX,
  SetIdouY,
  NoMoreScript,
};

struct TBulletLine {
  static TBulletLine Decode(std::string_view text);
  static constexpr std::size_t kDecodedSlot = std::size_t(TEvaluatorKind::Bullet);
  bool IsFor() const { return IsFor_; }

  // The commands whose test the line passes, in test order: the first one
  // decides, except that an assignment to a name that is no variable goes
  // on with the next; after the last the line is a procedure call.
  std::vector<TBulletCommand> Commands;

  TLineNumber Jump1, Jump2;  // the whole numbers in the first and second "(...)"
  TLineCondition Condition;  // IF: between "IF " and the first "("

  // FOR(v,start,limit)(body,exit)
  std::string LoopVar;
  TVarLink LoopVarLink;
  TLineArgument LoopStart, LoopLimit;
  TLineNumber LoopBody, LoopExit;

  TLineArgument Value;  // SETX .. SETIDOUY: the whole text inside the parentheses

  // name ":=" value ";"
  std::string AssignName;
  TVarLink AssignLink;
  TLineArgument AssignValue;

  // A procedure call: the name before "(" (or the text without its last
  // character); the text inside the parentheses (nesting counted) split at
  // every comma.
  bool HasParenthesis = false;
  std::string CallName;
  std::vector<TLineArgument> CallArguments;
  TProcedureLink Callee;
  // A line of the script's structure ("BEGIN;", "END;", ...) that names no
  // procedure without a report (script_report_text.h); the last line of
  // every definition is one, run every frame.
  bool Structural = false;

 private:
  bool IsFor_ = false;
};

}  // namespace vuzed
