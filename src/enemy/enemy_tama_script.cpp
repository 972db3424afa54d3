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

#include <charconv>

#include "enemy/enemy_tama_math.h"
#include "enemy/script_report_text.h"
#include "objects/string_helpers.h"
#include "script/script_run.h"
#include "shell/game_context.h"

namespace vuzed {
namespace {

enum class TBulletCommand {
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

// The commands in the order they are tested; the first that matches decides.
// The assignment is a line containing ":="; when its name is no variable the
// tests go on with the next entries. Any other line is a procedure call.
struct TBulletCommandEntry {
  std::string_view Prefix;
  TBulletCommand Command;
};
constexpr TBulletCommandEntry kBulletCommands[] = {
    {"GOTO", TBulletCommand::Goto},
    {"IF ", TBulletCommand::If},
    {"FOR(", TBulletCommand::For},
    {"END(", TBulletCommand::End},
    {"EXIT;", TBulletCommand::Exit},
    {":=", TBulletCommand::Assignment},
    {"SETX", TBulletCommand::SetX},
    {"SETY", TBulletCommand::SetY},
    {"SETANGLE", TBulletCommand::SetAngle},
    {"SETPICTUREID", TBulletCommand::SetPictureId},
    {"SETSPEED", TBulletCommand::SetSpeed},
    {"SETIDOUX", TBulletCommand::SetIdouX},
    {"SETIDOUY", TBulletCommand::SetIdouY},
    {"NOMORESCRIPT", TBulletCommand::NoMoreScript},
};

bool Matches(const TBulletCommandEntry& entry, std::string_view line) {
  if (entry.Command == TBulletCommand::Assignment) return line.find(":=") != std::string_view::npos;
  return StartsWithText(entry.Prefix, line);
}

bool ParseInteger(std::string_view text, int32_t& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

TEnemyTamaScript::TEnemyTamaScript(TGameContext& context, const TSecondStringList2& definition, float b1, float b2,
                                   float b3)
    : TEnemyTama(context), B1(b1), B2(b2), B3(b3), Vars(*definition.Vars), Lines(*definition.Lines) {}

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
  LinesLeft_ = kLineBudgetPerFrame;
  Stopped_ = false;
  CallDepth_ = 0;
  ProcVars = nullptr;
  ResetLoopVariables(*Lines);
  RunLines(*Lines, 0);
}

void TEnemyTamaScript::ResetLoopVariables(const TLineList& lines) {
  TVarTable* vars = CurrentVars();
  if (!vars) return;
  for (const TScriptLine& line : lines) {
    if (!StartsWithText("FOR(", line.Text)) continue;
    const std::string head = GetBetween(line.Text, "(", ")", 1);
    if (TSecondSingle* var = vars->Find(GetItem(head, 1))) var->Set(EvaluateAt(GetItem(head, 2), line.Place));
  }
}

void TEnemyTamaScript::RunLines(const TLineList& lines, int32_t index) {
  const int64_t last = int64_t(lines.size()) - 1;
  int32_t code = kNextLine;
  while (code != kStopRunning && !Stopped_) {
    index = code != kNextLine ? code : index + 1;
    if (index < 0 || index > last) return;
    const TScriptLine& line = lines[size_t(index)];
    if (--LinesLeft_ < 0) {
      Report(line.Place, "more than 100000 lines in one frame: the rest of this frame's run is skipped");
      Stopped_ = true;
      return;
    }
    code = ExecLine(line);
    if (index == last) return;
  }
}

int32_t TEnemyTamaScript::JumpTarget(const TScriptLine& line, const std::string& text) {
  int32_t target = 0;
  if (ParseInteger(text, target)) return target;
  Report(line.Place, "expects a whole number, got " + QuotedText(text, "; the line is skipped"));
  return kNextLine;
}

float TEnemyTamaScript::CommandValue(const TScriptLine& line) {
  std::size_t end = 0;
  return EvaluateAt(GetBracket(line.Text, "(", ")", end), line.Place);
}

int32_t TEnemyTamaScript::LoopStep(const TScriptLine& line) {
  const std::string head = GetBetween(line.Text, "(", ")", 1);
  TVarTable* vars = CurrentVars();
  TSecondSingle* var = vars ? vars->Find(GetItem(head, 1)) : nullptr;
  if (!var) return kNextLine;
  const std::string targets = GetBetween(line.Text, "(", ")", 2);
  const float value = var->Get();
  if (EvaluateAt(GetItem(head, 3), line.Place) > value) {
    var->Set(value + 1.0f);
    return JumpTarget(line, GetItem(targets, 1));
  }
  return JumpTarget(line, GetItem(targets, 2));
}

int32_t TEnemyTamaScript::ExecLine(const TScriptLine& line) {
  const std::string& text = line.Text;
  for (const TBulletCommandEntry& entry : kBulletCommands) {
    if (!Matches(entry, text)) continue;
    switch (entry.Command) {
      case TBulletCommand::Goto:
        return JumpTarget(line, GetBetween(text, "(", ")", 2));
      case TBulletCommand::If: {
        const bool holds = EvaluateConditionAt(GetBetween(text, "IF ", "(", 1), line.Place);
        return JumpTarget(line, GetBetween(text, "(", ")", holds ? 1 : 2));
      }
      case TBulletCommand::For:
        return LoopStep(line);
      case TBulletCommand::End:
        return JumpTarget(line, GetBetween(text, "(", ")", 1));
      case TBulletCommand::Exit:
        if (CallDepth_ > 0 || !Lines || Lines->empty()) return kStopRunning;
        return int32_t(Lines->size()) - 1;
      case TBulletCommand::Assignment: {
        TVarTable* vars = CurrentVars();
        TSecondSingle* var = vars ? vars->Find(std::string_view(text).substr(0, text.find(":="))) : nullptr;
        if (!var) continue;  // not a variable: the next commands are tested
        var->Set(EvaluateAt(GetBetween(text, ":=", ";", 1), line.Place));
        return kNextLine;
      }
      case TBulletCommand::SetX:
        TamaX = CommandValue(line);
        return kNextLine;
      case TBulletCommand::SetY:
        TamaY = CommandValue(line);
        return kNextLine;
      case TBulletCommand::SetAngle:
        Angle = CommandValue(line);
        SetTamaMovement(Angle, Speed);
        return kNextLine;
      case TBulletCommand::SetPictureId:
        // Stored without looking at the picture table; a number without a
        // picture is simply not drawn.
        PictureID = RoundToInt32(CommandValue(line));
        ApplyPictureRadius(*this, PictureID);
        return kNextLine;
      case TBulletCommand::SetSpeed:
        Speed = CommandValue(line);
        SetTamaMovement(Angle, Speed);
        return kNextLine;
      case TBulletCommand::SetIdouX:
        TamaIdouX = CommandValue(line);
        return kNextLine;
      case TBulletCommand::SetIdouY:
        TamaIdouY = CommandValue(line);
        return kNextLine;
      case TBulletCommand::NoMoreScript:
        NoMoreScript = true;
        return kNextLine;
    }
  }
  CallProcedure(line);
  return kNextLine;
}

void TEnemyTamaScript::CallProcedure(const TScriptLine& line) {
  const std::string_view text = line.Text;
  if (text.empty()) return;
  const std::size_t open = text.find('(');
  const std::string_view name = open != std::string_view::npos ? text.substr(0, open) : text.substr(0, text.size() - 1);
  const TScriptRun* director = Context_.ScriptRun.get();
  const TSecondStringList2* callee = director ? director->Script.Procedures.Find(name) : nullptr;
  if (!callee) {
    if (!IsStructuralScriptLine(text)) Report(line.Place, QuotedText(name, " is no command and no procedure"));
    return;
  }
  if (CallDepth_ >= kMaxCallDepth) {
    Report(line.Place, "more than 256 nested procedure calls: the rest of this frame's run is skipped");
    Stopped_ = true;
    return;
  }
  // Arguments (inside the first "(" and its matching ")", nesting counted)
  // are split at every comma and evaluated with the caller's variables.
  TVarTable* vars = *callee->Vars;
  if (open != std::string_view::npos && vars) {
    std::size_t end = 0;
    const std::string args = GetBracket(text, "(", ")", end);
    if (!args.empty()) {
      std::size_t start = 0;
      for (std::size_t k = 0; k < vars->Count(); ++k) {
        const std::size_t comma = args.find(',', start);
        (*vars)[k].Var->Set(EvaluateAt(std::string_view(args).substr(start, comma - start), line.Place));
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
    }
  }
  TVarTable* saved = ProcVars;
  ProcVars = vars;
  ++CallDepth_;
  if (const TLineList* lines = *callee->Lines) {
    ResetLoopVariables(*lines);
    RunLines(*lines, -1);
  }
  --CallDepth_;
  ProcVars = saved;
}

}  // namespace vuzed
