// ExecLine of the enemy script: the commands in the order they are tested
// (the order itself is kEnemyCommands in enemy_line.cpp).

#include <cmath>
#include <string>

#include "enemy/enemy.h"
#include "enemy/enemy_control.h"
#include "enemy/enemy_sound.h"
#include "enemy/enemy_tama_math.h"
#include "objects/second_string_list2.h"
#include "script/script_report_text.h"
#include "game/stage_shared.h"
#include "game/playfield.h"

namespace vuzed {

int32_t TEnemy::ExecDecoded(const TScriptLine& line, const TEnemyLine& decoded) {
  int32_t n = 0;
  for (const TEnemyCommand command : decoded.Commands) {
    switch (command) {
      case TEnemyCommand::Goto:
        return Jump(decoded.Jump2, line.Place);
      case TEnemyCommand::If: {
        // "IF " condition "(" n ")(" m ")": the condition holds no parentheses.
        const bool holds = EvaluateCondition(decoded.Condition, line.Place);
        return Jump(holds ? decoded.Jump1 : decoded.Jump2, line.Place);
      }
      case TEnemyCommand::For:
        return Loop(line, decoded);
      case TEnemyCommand::End:
        return Jump(decoded.Jump1, line.Place);
      case TEnemyCommand::Exit:
        return kStopRunning;
      case TEnemyCommand::Bullet:
        if (FireBullet(line, decoded)) return kNextLine;
        continue;
      case TEnemyCommand::Laser:
        if (FireLaser(line, decoded)) return kNextLine;
        continue;
      case TEnemyCommand::CreateBullet:
        if (CreateBullet(line, decoded)) return kNextLine;
        continue;
      case TEnemyCommand::Assignment:
        if (Assign(line, decoded)) return kNextLine;
        continue;
      case TEnemyCommand::MoveToWithTime:
      case TEnemyCommand::MoveTo:
      case TEnemyCommand::MoveOn:
      case TEnemyCommand::Move:
        MoveCommand(line, decoded, int(command) - int(TEnemyCommand::MoveToWithTime));
        return kNextLine;
      case TEnemyCommand::SetX:
        X = Evaluate(decoded.Inside, line.Place);
        return kNextLine;
      case TEnemyCommand::SetY:
        Y = Evaluate(decoded.Inside, line.Place);
        return kNextLine;
      case TEnemyCommand::CreateTukaima:
        CreateTukaima(line, decoded);
        return kNextLine;
      case TEnemyCommand::Destroy:
        Dead = true;
        return kNextLine;
      case TEnemyCommand::SetSe:
        if (IntegerArgument(decoded.InsideNumber, line.Place, n)) PlayScriptSound(Field_, n);
        return kNextLine;
    }
  }
  CallProcedure(line, decoded);
  return kNextLine;
}

// "FOR(" v "," start "," limit ")(" n "," m ")": while the limit is above
// v, v goes up by one and the body (line n) runs; else the run goes on at
// m. With the per-frame reset to the start value, a loop from 0 to 3 runs
// its body with v at 1, 2 and 3. A name that is no variable does nothing.
int32_t TEnemy::Loop(const TScriptLine& line, const TEnemyLine& decoded) {
  TSecondSingle* var = decoded.LoopVarLink.Find(CurrentVars(), decoded.LoopVar);
  if (!var) return kNextLine;
  const float current = var->Get();
  const float limit = Evaluate(decoded.LoopLimit, line.Place);
  if (limit > current) {
    var->Set(current + 1.0f);
    return Jump(decoded.LoopBody, line.Place);
  }
  return Jump(decoded.LoopExit, line.Place);
}

// name ":=" expression ";" for a variable of the current table; any other
// name falls through to the next commands.
bool TEnemy::Assign(const TScriptLine& line, const TEnemyLine& decoded) {
  TSecondSingle* var = decoded.AssignLink.Find(CurrentVars(), decoded.AssignName);
  if (!var) return false;
  var->Set(Evaluate(decoded.AssignValue, line.Place));
  return true;
}

// kind 0 MOVETOWITHTIME(t, x, y): reach (x, y) in t frames (t + 1 moves);
// 1 MOVETO(s, x, y): towards (x, y) at s, stopping there; 2 MOVEON(s, x, y):
// the same without stopping; 3 MOVE(s, a): at s along a degrees forever.
// The direction is atan2 in double precision, stored as a single.
void TEnemy::MoveCommand(const TScriptLine& line, const TEnemyLine& decoded, int kind) {
  const float first = Evaluate(decoded.Fields[0], line.Place);
  const float second = Evaluate(decoded.Fields[1], line.Place);
  if (kind == 3) {
    IdouX = CosTimes(second, first);
    IdouY = SinTimes(second, first);
    MoveTimer = -1;
    return;
  }
  const float third = Evaluate(decoded.Fields[2], line.Place);
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
bool TEnemy::CreateTukaima(const TScriptLine& line, const TEnemyLine& decoded) {
  const TStageShared* run = Field_.Stage;
  const TSecondStringList2* definition = run ? decoded.FamiliarDefinition.Find(run->Script.Procedures, decoded.Inside.Text) : nullptr;
  if (run && !definition) {
    Report(line.Place, UndefinedNameText(decoded.Inside.Text, "make a familiar of"));
    return true;
  }
  if (!definition || !Field_.Enemies) return false;
  if (Field_.Enemies->EnemiesFull()) {
    Report(line.Place, FullListText(TCappedList::Enemies));
    return true;
  }
  if (auto familiar = MakeEnemy<TTukaima>(Field_, *definition, X, Y))
    Field_.Enemies->Enemies.push_back(std::move(familiar));
  return true;
}

}  // namespace vuzed
