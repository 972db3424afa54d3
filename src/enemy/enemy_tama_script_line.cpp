#include "enemy/enemy_tama_script_line.h"

#include "objects/string_helpers.h"
#include "script/script_report_text.h"

namespace vuzed {
namespace {

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

const TCompiledEvaluator& BulletLineEvaluator() {
  static const TCompiledEvaluator evaluator(TEvaluatorKind::Bullet);
  return evaluator;
}

}  // namespace

TBulletLine TBulletLine::Decode(std::string_view text) {
  const TCompiledEvaluator& evaluator = BulletLineEvaluator();
  TBulletLine line;
  for (const TBulletCommandEntry& entry : kBulletCommands) {
    if (!Matches(entry, text)) continue;
    line.Commands.push_back(entry.Command);
    if (entry.Command != TBulletCommand::Assignment) break;
  }
  for (TBulletCommand command : line.Commands) {
    switch (command) {
      case TBulletCommand::Goto:
      case TBulletCommand::If:
      case TBulletCommand::End:
        line.Jump1 = MakeLineNumber(GetBetween(text, "(", ")", 1));
        line.Jump2 = MakeLineNumber(GetBetween(text, "(", ")", 2));
        if (command == TBulletCommand::If)
          line.Condition = MakeLineCondition(evaluator, GetBetween(text, "IF ", "(", 1));
        break;
      case TBulletCommand::For: {
        line.IsFor_ = true;
        const std::string head = GetBetween(text, "(", ")", 1);
        const std::string targets = GetBetween(text, "(", ")", 2);
        line.LoopVar = GetItem(head, 1);
        line.LoopStart = MakeLineArgument(evaluator, GetItem(head, 2));
        line.LoopLimit = MakeLineArgument(evaluator, GetItem(head, 3));
        line.LoopBody = MakeLineNumber(GetItem(targets, 1));
        line.LoopExit = MakeLineNumber(GetItem(targets, 2));
        break;
      }
      case TBulletCommand::Assignment:
        line.AssignName = std::string(text.substr(0, text.find(":=")));
        line.AssignValue = MakeLineArgument(evaluator, GetBetween(text, ":=", ";", 1));
        break;
      case TBulletCommand::Exit:
      case TBulletCommand::NoMoreScript:
        break;
      default: {  // SETX .. SETIDOUY
        std::size_t end = 0;
        line.Value = MakeLineArgument(evaluator, GetBracket(text, "(", ")", end));
        break;
      }
    }
  }
  // Every line may end as a procedure call.
  line.Structural = IsStructuralScriptLine(text);
  if (!text.empty()) {
    const std::size_t open = text.find('(');
    line.HasParenthesis = open != std::string_view::npos;
    line.CallName = std::string(line.HasParenthesis ? text.substr(0, open) : text.substr(0, text.size() - 1));
    std::size_t end = 0;
    const std::string args = line.HasParenthesis ? GetBracket(text, "(", ")", end) : std::string();
    line.CallArguments = MakeLineArguments(evaluator, args);
  }
  return line;
}

}  // namespace vuzed
