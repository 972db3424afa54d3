// The bullet-script interpreter: a scripted bullet runs its definition's
// lines from the top every frame.
//
// Rules of bullet scripts:
// - The run starts at index 0 with code -1, so line 0 (the BEGIN of the
//   definition) is never executed; it ends after the last line has run, on
//   code -5, or on a jump outside the lines.
// - FOR loops count as in enemy scripts: at the start of every run (the
//   bullet's own and each procedure call) every loop variable is set to its
//   start value; the loop line then compares the limit (field 3) with the
//   variable: a larger limit adds 1 and enters the body, else the loop is
//   left. A loop from 0 to 3 runs its body with the variable at 1, 2 and 3.
// - "EXIT;" in the bullet's own run jumps to its last line, which still
//   runs; inside a procedure it ends the procedure.
// - A procedure call evaluates its arguments with the caller's variables
//   into the procedure's first variables (extra arguments are ignored) and
//   runs the procedure as this bullet, from its line 0.
// - A bullet that runs more than kLineBudgetPerFrame lines in one frame, or
//   nests more than kMaxCallDepth calls, stops for that frame with one
//   report for the script's author; the game goes on.

#include "enemy/enemy_tama_script.h"

#include <algorithm>

#include "enemy/enemy_tama_math.h"
#include "script/script_report_text.h"
#include "objects/string_helpers.h"
#include "game/stage_shared.h"
#include "game/playfield.h"

namespace vuzed {

TEnemyTamaScript::TEnemyTamaScript(TPlayfield& playfield, const TSecondStringList2& definition, float b1, float b2,
                                   float b3)
    : TEnemyTama(playfield), B1(b1), B2(b2), B3(b3), Vars(*definition.Vars), Lines(*definition.Lines) {}

// A scripted bullet's names: the bullet names, then its script's variables
// (the running procedure's while one runs), then B1, B2 and B3.
bool TEnemyTamaScript::GetValue(std::string_view name, float& value) const {
  return GetValueByBinding(*this, name, value);
}

TNameScope TEnemyTamaScript::NameScope() const {
  static constexpr char kScriptBulletTag = 'B';
  TNameScope scope = TEnemyTama::NameScope();
  scope.Tag = &kScriptBulletTag;
  scope.Table3 = CurrentVars();
  return scope;
}

TNameBinding TEnemyTamaScript::BindName(std::string_view name) const {
  if (TNameBinding b = TEnemyTama::BindName(name); b.Known) return b;
  if (TNameBinding v = BindVariable(CurrentVars(), name); v.Known) return v;
  if (name == "B1") return {true, nullptr, kBulletB1};
  if (name == "B2") return {true, nullptr, kBulletB2};
  if (name == "B3") return {true, nullptr, kBulletB3};
  return {};
}

float TEnemyTamaScript::BuiltinValue(int32_t id) const {
  switch (id) {
    case kBulletB1: return B1;
    case kBulletB2: return B2;
    case kBulletB3: return B3;
    default: return TEnemyTama::BuiltinValue(id);
  }
}

void TEnemyTamaScript::Action() {
  if (NoMoreScript) return;
  ++Count;
  if (!Lines) return;
  // A frame starts outside every procedure: the scope changes only when the
  // last frame's run stopped inside one.
  const bool wasInCall = Budget_.CallDepth() > 0 || ProcVars;
  Budget_.BeginFrame();
  ProcVars = nullptr;
  if (wasInCall) ScopeChanged();
  const auto decoded = DecodedLines<TBulletLine>(*Lines);
  ResetLoopVariables(*Lines, *decoded);
  RunLines(*Lines, *decoded, 0);
}

float TEnemyTamaScript::Evaluate(const TLineArgument& argument, const TSourcePlace& place) {
  const TExpressionValue result = BulletEvaluator().Run(argument.Program, *this);
  if (result.Malformed) ReportNotAnExpression(argument.Text, place);
  return result.Value;
}

bool TEnemyTamaScript::EvaluateCondition(const TLineCondition& condition, const TSourcePlace& place) {
  const TConditionValue result = BulletEvaluator().Run(condition.Program, *this);
  if (result.Malformed) Report(place, QuotedText(condition.Text, " is not a condition; it counts as false"));
  return result.Value;
}

void TEnemyTamaScript::ResetLoopVariables(const TLineList& lines, const TDecodedLines<TBulletLine>& decoded) {
  TVarTable* vars = CurrentVars();
  if (!vars) return;
  for (int32_t index : decoded.ForLines) {
    const TBulletLine& loop = decoded.Lines[size_t(index)];
    if (TSecondSingle* var = loop.LoopVarLink.Find(vars, loop.LoopVar))
      var->Set(Evaluate(loop.LoopStart, lines[size_t(index)].Place));
  }
}

void TEnemyTamaScript::RunLines(const TLineList& lines, const TDecodedLines<TBulletLine>& decoded, int32_t index) {
  const int64_t last = int64_t(lines.size()) - 1;
  int32_t code = kNextLine;
  while (code != kStopRunning && !Budget_.Stopped()) {
    index = code != kNextLine ? code : index + 1;
    if (index < 0 || index > last) return;
    const TScriptLine& line = lines[size_t(index)];
    if (!Budget_.TakeLine(line.Place, *this)) return;
    code = ExecDecoded(line, decoded.Lines[size_t(index)]);
    if (index == last) return;
  }
}

int32_t TEnemyTamaScript::JumpTarget(const TScriptLine& line, const TLineNumber& target) {
  if (target.Valid) return target.Value;
  Report(line.Place, "expects a whole number, got " + QuotedText(target.Text, "; the line is skipped"));
  return kNextLine;
}

int32_t TEnemyTamaScript::LoopStep(const TScriptLine& line, const TBulletLine& decoded) {
  TSecondSingle* var = decoded.LoopVarLink.Find(CurrentVars(), decoded.LoopVar);
  if (!var) return kNextLine;
  const float value = var->Get();
  if (Evaluate(decoded.LoopLimit, line.Place) > value) {
    var->Set(value + 1.0f);
    return JumpTarget(line, decoded.LoopBody);
  }
  return JumpTarget(line, decoded.LoopExit);
}

int32_t TEnemyTamaScript::ExecLine(const TScriptLine& line) { return ExecDecoded(line, TBulletLine::Decode(line.Text)); }

int32_t TEnemyTamaScript::ExecDecoded(const TScriptLine& line, const TBulletLine& decoded) {
  for (const TBulletCommand command : decoded.Commands) {
    switch (command) {
      case TBulletCommand::Goto:
        return JumpTarget(line, decoded.Jump2);
      case TBulletCommand::If: {
        const bool holds = EvaluateCondition(decoded.Condition, line.Place);
        return JumpTarget(line, holds ? decoded.Jump1 : decoded.Jump2);
      }
      case TBulletCommand::For:
        return LoopStep(line, decoded);
      case TBulletCommand::End:
        return JumpTarget(line, decoded.Jump1);
      case TBulletCommand::Exit:
        if (Budget_.CallDepth() > 0 || !Lines || Lines->empty()) return kStopRunning;
        return int32_t(Lines->size()) - 1;
      case TBulletCommand::Assignment: {
        TSecondSingle* var = decoded.AssignLink.Find(CurrentVars(), decoded.AssignName);
        if (!var) continue;  // not a variable: the next commands are tested
        var->Set(Evaluate(decoded.AssignValue, line.Place));
        return kNextLine;
      }
      case TBulletCommand::SetX:
        TamaX = Evaluate(decoded.Value, line.Place);
        return kNextLine;
      case TBulletCommand::SetY:
        TamaY = Evaluate(decoded.Value, line.Place);
        return kNextLine;
      case TBulletCommand::SetAngle:
        Angle = Evaluate(decoded.Value, line.Place);
        SetTamaMovement(Angle, Speed);
        return kNextLine;
      case TBulletCommand::SetPictureId:
        // Stored without looking at the picture table; a number without a
        // picture is simply not drawn.
        PictureID = RoundToInt32(Evaluate(decoded.Value, line.Place));
        ApplyPictureRadius(*this, PictureID);
        return kNextLine;
      case TBulletCommand::SetSpeed:
        Speed = Evaluate(decoded.Value, line.Place);
        SetTamaMovement(Angle, Speed);
        return kNextLine;
      case TBulletCommand::SetIdouX:
        TamaIdouX = Evaluate(decoded.Value, line.Place);
        return kNextLine;
      case TBulletCommand::SetIdouY:
        TamaIdouY = Evaluate(decoded.Value, line.Place);
        return kNextLine;
      case TBulletCommand::NoMoreScript:
        NoMoreScript = true;
        return kNextLine;
    }
  }
  CallProcedure(line, decoded);
  return kNextLine;
}

void TEnemyTamaScript::CallProcedure(const TScriptLine& line, const TBulletLine& decoded) {
  const std::string_view text = line.Text;
  if (text.empty()) return;
  const TStageShared* director = Field_.Stage;
  const TSecondStringList2* callee = director ? decoded.Callee.Find(director->Script.Procedures, decoded.CallName) : nullptr;
  if (!callee) {
    if (!decoded.Structural) Report(line.Place, QuotedText(decoded.CallName, " is no command and no procedure"));
    return;
  }
  if (!Budget_.MayCall(line.Place, *this)) return;
  // Arguments (inside the first "(" and its matching ")", nesting counted)
  // are split at every comma and evaluated with the caller's variables.
  TVarTable* vars = *callee->Vars;
  if (decoded.HasParenthesis)
    BindCallArguments(vars, decoded.CallArguments.size(),
                      [&](size_t k) { return Evaluate(decoded.CallArguments[k], line.Place); });
  TVarTable* saved = ProcVars;
  ProcVars = vars;
  Budget_.EnterCall();
  ScopeChanged();
  if (const TLineList* lines = *callee->Lines) {
    const auto calleeLines = DecodedLines<TBulletLine>(*lines);
    ResetLoopVariables(*lines, *calleeLines);
    RunLines(*lines, *calleeLines, -1);
  }
  Budget_.LeaveCall();
  ProcVars = saved;
  ScopeChanged();
}

}  // namespace vuzed
