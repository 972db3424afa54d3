#include "enemy/enemy_line.h"

#include "objects/string_helpers.h"

namespace vuzed {
namespace {

struct TCommandEntry {
  std::string_view Prefix;
  TEnemyCommand Command;
};

// The commands in test order; the first prefix that matches (ignoring case)
// decides, except that "BU", "LA", "CREATEBULLET" and the assignment fall
// through to the next tests when their line is none of theirs. Longer words
// stand before the words that begin them (MOVETOWITHTIME, MOVETO, MOVEON,
// MOVE). So a variable whose name begins with GOTO, BU, LA or CREATEBULLET
// cannot be assigned. The assignment is no prefix: a line containing ":=".
constexpr TCommandEntry kEnemyCommands[] = {
    {"GOTO", TEnemyCommand::Goto},
    {"IF ", TEnemyCommand::If},
    {"FOR(", TEnemyCommand::For},
    {"END(", TEnemyCommand::End},
    {"EXIT;", TEnemyCommand::Exit},
    {"BU", TEnemyCommand::Bullet},
    {"LA", TEnemyCommand::Laser},
    {"CREATEBULLET", TEnemyCommand::CreateBullet},
    {":=", TEnemyCommand::Assignment},
    {"MOVETOWITHTIME", TEnemyCommand::MoveToWithTime},
    {"MOVETO", TEnemyCommand::MoveTo},
    {"MOVEON", TEnemyCommand::MoveOn},
    {"MOVE", TEnemyCommand::Move},
    {"SETX", TEnemyCommand::SetX},
    {"SETY", TEnemyCommand::SetY},
    {"CREATETUKAIMA", TEnemyCommand::CreateTukaima},
    {"DESTROY", TEnemyCommand::Destroy},
    {"SETSE", TEnemyCommand::SetSe},
};

// Every matching command stops the tests except these, which may fall through.
constexpr bool MayFallThrough(TEnemyCommand command) {
  return command == TEnemyCommand::Bullet || command == TEnemyCommand::Laser ||
         command == TEnemyCommand::CreateBullet || command == TEnemyCommand::Assignment;
}

bool Matches(const TCommandEntry& entry, std::string_view line) {
  if (entry.Command == TEnemyCommand::Assignment) return line.find(":=") != std::string_view::npos;
  return StartsWithText(entry.Prefix, line);
}

struct TBulletPrefix {
  std::string_view Prefix;
  TBulletKind Kind;
};
constexpr TBulletPrefix kBulletPrefixes[] = {
    {"BU01", TBulletKind::Bu01}, {"BU02", TBulletKind::Bu02}, {"BU03", TBulletKind::Bu03}, {"BU17", TBulletKind::Bu17},
    {"BU20", TBulletKind::Bu20}, {"BU21", TBulletKind::Bu21}, {"BU22", TBulletKind::Bu22},
};

const TCompiledEvaluator& EnemyEvaluator() {
  static const TCompiledEvaluator evaluator(TEvaluatorKind::Enemy);
  return evaluator;
}

bool Uses(TEnemyCommand command, std::initializer_list<TEnemyCommand> commands) {
  for (TEnemyCommand c : commands)
    if (c == command) return true;
  return false;
}

}  // namespace

TEnemyLine TEnemyLine::Decode(std::string_view text) {
  const TCompiledEvaluator& evaluator = EnemyEvaluator();
  TEnemyLine line;
  for (const TCommandEntry& entry : kEnemyCommands) {
    if (!Matches(entry, text)) continue;
    line.Commands.push_back(entry.Command);
    if (!MayFallThrough(entry.Command)) break;
  }
  bool jumps = false, inside = false;
  for (TEnemyCommand command : line.Commands) {
    using enum TEnemyCommand;
    jumps = jumps || Uses(command, {Goto, If, End});
    inside = inside || Uses(command, {Bullet, Laser, CreateBullet, MoveToWithTime, MoveTo, MoveOn, Move, SetX, SetY,
                                      CreateTukaima, SetSe});
    if (command == For) {
      line.IsFor_ = true;
      const std::string head = GetBetween(text, "(", ")", 1);
      const std::string targets = GetBetween(text, "(", ")", 2);
      line.LoopVar = GetItem(head, 1);
      line.LoopStart = MakeLineArgument(evaluator, GetItem(head, 2));
      line.LoopLimit = MakeLineArgument(evaluator, GetItem(head, 3));
      line.LoopBody = MakeLineNumber(GetItem(targets, 1));
      line.LoopExit = MakeLineNumber(GetItem(targets, 2));
    } else if (command == If) {
      line.Condition = MakeLineCondition(evaluator, GetBetween(text, "IF ", "(", 1));
    } else if (command == Assignment) {
      line.AssignName = std::string(text.substr(0, text.find(":=")));
      line.AssignValue = MakeLineArgument(evaluator, GetBetween(text, ":=", ";", 1));
    }
  }
  if (jumps) {
    line.Jump1 = MakeLineNumber(GetBetween(text, "(", ")", 1));
    line.Jump2 = MakeLineNumber(GetBetween(text, "(", ")", 2));
  }
  if (inside) {
    std::size_t end = 0;
    std::string whole = GetBracket(text, "(", ")", end);
    for (int k = 1; k <= kMaxFields; ++k) line.Fields.push_back(MakeLineArgument(evaluator, GetItem(whole, k)));
    line.InsideNumber = MakeLineNumber(whole);
    line.Inside = MakeLineArgument(evaluator, std::move(whole));
    for (const TBulletPrefix& p : kBulletPrefixes) {
      if (!StartsWithText(p.Prefix, text)) continue;
      line.BulletKind = p.Kind;
      break;
    }
    line.LaserTwo = StartsWithText("LA02", text);
    line.LaserOne = !line.LaserTwo && StartsWithText("LA01", text);
  }
  // Every line may end as a procedure call.
  if (!text.empty()) {
    const std::size_t open = text.find('(');
    line.HasParenthesis = open != std::string_view::npos;
    line.CallName = std::string(line.HasParenthesis ? text.substr(0, open) : text.substr(0, text.size() - 1));
    const std::string args = line.HasParenthesis ? GetBetween(text, "(", ")", 1) : std::string();
    line.CallArguments = MakeLineArguments(evaluator, args);
  }
  return line;
}

}  // namespace vuzed
