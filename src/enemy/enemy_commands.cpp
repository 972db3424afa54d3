// ExecLine of the enemy script: the commands in the order they are tested.

#include <cmath>
#include <string>

#include "enemy/enemy.h"
#include "enemy/enemy_control.h"
#include "enemy/enemy_sound.h"
#include "enemy/enemy_tama_math.h"
#include "objects/second_string_list2.h"
#include "objects/string_helpers.h"
#include "script/script_run.h"
#include "shell/game_context.h"

namespace vuzed {
namespace {

enum class TEnemyCommand {
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

bool Matches(const TCommandEntry& entry, std::string_view line) {
  if (entry.Command == TEnemyCommand::Assignment) return line.find(":=") != std::string_view::npos;
  return StartsWithText(entry.Prefix, line);
}

// The text inside the line's first parentheses, nesting counted.
std::string Inside(std::string_view line) {
  size_t end = 0;
  return GetBracket(line, "(", ")", end);
}

}  // namespace

int32_t TEnemy::ExecLine(const TScriptLine& line) {
  const std::string& text = line.Text;
  int32_t n = 0;
  for (const TCommandEntry& entry : kEnemyCommands) {
    if (!Matches(entry, text)) continue;
    switch (entry.Command) {
      case TEnemyCommand::Goto:
        return IntegerArgument(GetBetween(text, "(", ")", 2), line.Place, n) ? n : kNextLine;
      case TEnemyCommand::If: {
        // "IF " condition "(" n ")(" m ")": the condition holds no parentheses.
        const bool holds = EvaluateCondition(GetBetween(text, "IF ", "(", 1), line.Place);
        return IntegerArgument(GetBetween(text, "(", ")", holds ? 1 : 2), line.Place, n) ? n : kNextLine;
      }
      case TEnemyCommand::For:
        return Loop(line);
      case TEnemyCommand::End:
        return IntegerArgument(GetBetween(text, "(", ")", 1), line.Place, n) ? n : kNextLine;
      case TEnemyCommand::Exit:
        return kStopRunning;
      case TEnemyCommand::Bullet:
        if (FireBullet(line)) return kNextLine;
        continue;
      case TEnemyCommand::Laser:
        if (FireLaser(line)) return kNextLine;
        continue;
      case TEnemyCommand::CreateBullet:
        if (CreateBullet(line)) return kNextLine;
        continue;
      case TEnemyCommand::Assignment:
        if (Assign(line)) return kNextLine;
        continue;
      case TEnemyCommand::MoveToWithTime:
      case TEnemyCommand::MoveTo:
      case TEnemyCommand::MoveOn:
      case TEnemyCommand::Move:
        MoveCommand(line, int(entry.Command) - int(TEnemyCommand::MoveToWithTime));
        return kNextLine;
      case TEnemyCommand::SetX:
        X = Evaluate(Inside(text), line.Place);
        return kNextLine;
      case TEnemyCommand::SetY:
        Y = Evaluate(Inside(text), line.Place);
        return kNextLine;
      case TEnemyCommand::CreateTukaima:
        CreateTukaima(line);
        return kNextLine;
      case TEnemyCommand::Destroy:
        Dead = true;
        return kNextLine;
      case TEnemyCommand::SetSe:
        if (IntegerArgument(Inside(text), line.Place, n)) PlayScriptSound(Context_, n);
        return kNextLine;
    }
  }
  CallProcedure(line);
  return kNextLine;
}

// "FOR(" v "," start "," limit ")(" n "," m ")": while the limit is above
// v, v goes up by one and the body (line n) runs; else the run goes on at
// m. With the per-frame reset to the start value, a loop from 0 to 3 runs
// its body with v at 1, 2 and 3. A name that is no variable does nothing.
int32_t TEnemy::Loop(const TScriptLine& line) {
  const std::string head = GetBetween(line.Text, "(", ")", 1);
  TVarTable* vars = CurrentVars();
  TSecondSingle* var = vars ? vars->Find(GetItem(head, 1)) : nullptr;
  if (!var) return kNextLine;
  const std::string targets = GetBetween(line.Text, "(", ")", 2);
  const float current = var->Get();
  const float limit = Evaluate(GetItem(head, 3), line.Place);
  int32_t target = 0;
  if (limit > current) {
    var->Set(current + 1.0f);
    return IntegerArgument(GetItem(targets, 1), line.Place, target) ? target : kNextLine;
  }
  return IntegerArgument(GetItem(targets, 2), line.Place, target) ? target : kNextLine;
}

// name ":=" expression ";" for a variable of the current table; any other
// name falls through to the next commands.
bool TEnemy::Assign(const TScriptLine& line) {
  const std::string_view text = line.Text;
  TVarTable* vars = CurrentVars();
  TSecondSingle* var = vars ? vars->Find(text.substr(0, text.find(":="))) : nullptr;
  if (!var) return false;
  var->Set(Evaluate(GetBetween(text, ":=", ";", 1), line.Place));
  return true;
}

// kind 0 MOVETOWITHTIME(t, x, y): reach (x, y) in t frames (t + 1 moves);
// 1 MOVETO(s, x, y): towards (x, y) at s, stopping there; 2 MOVEON(s, x, y):
// the same without stopping; 3 MOVE(s, a): at s along a degrees forever.
// The direction is atan2 in double precision, stored as a single.
void TEnemy::MoveCommand(const TScriptLine& line, int kind) {
  const std::string args = Inside(line.Text);
  const float first = Evaluate(GetItem(args, 1), line.Place);
  const float second = Evaluate(GetItem(args, 2), line.Place);
  if (kind == 3) {
    IdouX = CosTimes(second, first);
    IdouY = SinTimes(second, first);
    MoveTimer = -1;
    return;
  }
  const float third = Evaluate(GetItem(args, 3), line.Place);
  const float dx = second - X, dy = third - Y;
  const double theta = double(float(std::atan2(double(dy), double(dx))));
  const double squared = double(dx) * dx + double(dy) * dy;
  const double speed = kind == 0 ? std::sqrt(squared) / first : double(first);
  IdouX = float(std::cos(theta) * speed);
  IdouY = float(std::sin(theta) * speed);
  if (kind == 0)
    MoveTimer = RoundToInt32(first);
  else if (kind == 1)
    MoveTimer = RoundToInt32(std::sqrt(squared / (double(first) * first)));
  else
    MoveTimer = -1;
}

// A familiar of the named definition (the whole text inside the
// parentheses) at this enemy's position, at the end of the enemy list; it
// runs from the next frame. An unknown name does nothing.
bool TEnemy::CreateTukaima(const TScriptLine& line) {
  const TScriptRun* run = Context_.ScriptRun.get();
  const TSecondStringList2* definition = run ? run->Script.Procedures.Find(Inside(line.Text)) : nullptr;
  if (!definition || !Context_.EnemyControl) return false;
  if (auto familiar = MakeEnemy<TTukaima>(Context_, *definition, X, Y))
    Context_.EnemyControl->Enemies.push_back(std::move(familiar));
  return true;
}

}  // namespace vuzed
