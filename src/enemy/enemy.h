#pragma once
// TEnemy: a script-driven enemy, created from a compiled definition. Every
// frame its whole script runs from the top (Action); the enemy control then
// moves it, tests it against the player's shots and removes it once dead.
//
// Lines and Vars are the definition's own lists, not copies: every enemy of
// one definition runs the same lines and shares the same script variables,
// so a value one enemy assigns is seen by all live and future enemies of it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "enemy/enemy_line.h"
#include "objects/character.h"
#include "objects/script_line.h"
#include "objects/var_table.h"
#include "script/compiled_evaluator.h"
#include "script/expression.h"
#include "script/expression_names.h"
#include "script/run_budget.h"

namespace vuzed {

struct TPlayfield;
class TMXTexture;
class TSecondStringList2;
class TEnemyTama;
enum class TPictureTable;

// Binding numbers of an enemy's own names (expression.h).
enum : int32_t {
  kEnemyCount = kFirstOwnBuiltin,
  kEnemyHp,
  kEnemySelfX,
  kEnemySelfY,
  kEnemyAngleToPlayer,
  kBossSpellEnd,
};

class TEnemy : public TCharacter, public TExpressionOwner {
 public:
  // Takes the definition's lines and variables; position, Hp, Atari and the
  // picture come only from the header block (ReadHeader).
  TEnemy(TPlayfield& playfield, const TSecondStringList2& definition);
  ~TEnemy() override;

  // The enemy's movement, then its timer: a timer of 0 stops the movement,
  // a positive one counts down, a negative one moves forever. A timed move
  // of t frames thus moves t + 1 times.
  void Move() override;
  // The halo (effect picture HaloTexture, turning one degree a frame,
  // additive), then the small-enemy picture PictureID.
  void Draw() override;
  const char* ClassName() const override { return "TEnemy"; }

  // One frame of the script: the loop variables are reset, Count goes up and
  // the lines run from line 1 (line 0 is never run) until the end, an
  // "EXIT;" or a jump past the end. Nothing while no stage is loaded.
  virtual void Action();
  // One line of the script; the next-line code (kNextLine, kStopRunning or
  // the 0-based line to continue at).
  int32_t ExecLine(const TScriptLine& line);
  // The same for a line already decoded (its runs decode each list once).
  virtual int32_t ExecDecoded(const TScriptLine& line, const TEnemyLine& decoded);
  // Hp -= amount; at 0 or below the enemy is dead and the death sound
  // (channel 8) starts again.
  virtual void Damage(int32_t amount);
  // The enemy name set: its variables (the called procedure's while one
  // runs), COUNT, HP, GETPLAYERX, GETPLAYERY, GETSELFX, GETSELFY,
  // GETANGLETOPLAYER, GETANGLETOPLAYERFROMSELF, the stage set, TRUE/FALSE.
  bool GetValue(std::string_view name, float& value) const override;
  TNameScope NameScope() const override;
  TNameBinding BindName(std::string_view name) const override;
  float BuiltinValue(int32_t id) const override;
  TNameBinding BindBuiltin(int32_t id) const;
  float GetPlayerX() const override;
  float GetPlayerY() const override;
  uint32_t& RandomSeed() override;

  // The header block: the lines a..b named by the first line containing
  // "OPENING" ("...(a)(b)"), each read for X:=, Y:=, HP:=, ATARI:=,
  // PICTURE:=, POWERITEM:= and SCOREITEM:= with a whole decimal number up to
  // the next ";". False, after a message to the script author, when a value
  // (or a or b) is not a whole number: such an enemy is not created.
  virtual bool ReadHeader();

  const TSecondStringList2& Definition() const { return *Definition_; }

  int32_t Hp = 0;
  uint8_t HaloTexture = 10;    // effect picture of the halo
  int32_t HaloAngle = 0;       // degrees, 0..360
  const TLineList* Lines = nullptr;  // the definition's lines (shared, never freed here)
  int32_t Count = 0;           // frames run (COUNT)
  int32_t MoveTimer = 0;       // frames left of a timed move; -1 moves forever
  TVarTable* Vars = nullptr;   // the definition's variables (shared)
  TVarTable* ProcVars = nullptr;  // the running procedure's variables; null outside calls
  int32_t PowerItems = 0;      // POWERITEM:= ; one more than this drops, none below 0
  int32_t ScoreItems = 0;      // SCOREITEM:=
  bool Dead = false;           // to be removed by the enemy control

  // A report for script authors, once per place (the stage director's list).
  void Report(const TSourcePlace& place, std::string_view text);
  // Appends a bullet fired by the script line to the bullet list; false,
  // with a report for the line, when the list is full.
  bool AddBullet(const TScriptLine& line, std::unique_ptr<TEnemyTama> bullet);

 protected:
  // Evaluations for this enemy; a text that is not an expression counts as
  // 0 (false) and is reported once at the line's place.
  float Evaluate(std::string_view text, const TSourcePlace& place);
  float Evaluate(const TLineArgument& argument, const TSourcePlace& place);
  bool EvaluateCondition(const TLineCondition& condition, const TSourcePlace& place);
  // A whole decimal number; otherwise a report and false.
  bool IntegerArgument(std::string_view text, const TSourcePlace& place, int32_t& value);
  bool IntegerArgument(const TLineNumber& number, const TSourcePlace& place, int32_t& value);
  // The line a decoded jump names, or kNextLine after a report.
  int32_t Jump(const TLineNumber& target, const TSourcePlace& place);

  // Runs lines from start + 1 with the next-line protocol until the end, a
  // stop code or a jump outside the lines.
  void RunLines(const TLineList& lines, const TDecodedLines<TEnemyLine>& decoded, int32_t start);
  // Sets each FOR line's variable (in the current table) to its start value.
  void ResetLoopVariables(const TLineList& lines, const TDecodedLines<TEnemyLine>& decoded);
  // The table assignments and loops use: ProcVars while a procedure runs.
  TVarTable* CurrentVars() const { return ProcVars ? ProcVars : Vars; }
  // A line that matched no command: a call of the procedure it names.
  void CallProcedure(const TScriptLine& line, const TEnemyLine& decoded);

  // The first line containing "OPENING" and the header lines a..b it names,
  // cut to the lines there are (opening null and none without one). False,
  // after a message to the author, when a or b is not a whole number.
  bool FindHeader(const TScriptLine*& opening, int32_t& first, int32_t& last);
  // The whole number after the line's key (keyLength bytes) up to the next
  // ";", trimmed; false after a message when it is none.
  bool HeaderValue(const TScriptLine& line, size_t keyLength, int32_t& number);
  // The frame's run limits start over: the line budget, the call depth and
  // the runaway stop. Every run of lines outside Action begins with it too.
  void BeginRun();
  // True for a line that is a command of a subclass: the procedure call
  // that TEnemy::ExecLine makes of it is then not reported as unknown.
  virtual bool KnowsCommand(std::string_view) const { return false; }
  // The halo, then picture PictureID of the given table (the enemy's Draw).
  void DrawHaloAndPicture(TPictureTable table);
  // A picture centred on the enemy at the playfield origin, rotated by angle
  // degrees, over the whole used part of its texture; Smooth false, screen.
  void DrawCentredPicture(const TMXTexture& picture, float angle, uint32_t color, int32_t blendMode);

  TPlayfield& Field_;

 private:
  // Commands of ExecLine. Those returning bool answer false when the line
  // is none of theirs and falls through to the next tests.
  int32_t Loop(const TScriptLine& line, const TEnemyLine& decoded);
  bool Assign(const TScriptLine& line, const TEnemyLine& decoded);
  void MoveCommand(const TScriptLine& line, const TEnemyLine& decoded, int kind);
  bool CreateTukaima(const TScriptLine& line, const TEnemyLine& decoded);
  // BU01, BU02, BU03, BU17, BU20, BU21, BU22 (enemy_fire.cpp).
  bool FireBullet(const TScriptLine& line, const TEnemyLine& decoded);
  // LA01, LA02.
  bool FireLaser(const TScriptLine& line, const TEnemyLine& decoded);
  // CREATEBULLET(name, b1, b2, b3) of a known definition.
  bool CreateBullet(const TScriptLine& line, const TEnemyLine& decoded);

  const TSecondStringList2* Definition_;
  TCompiledEvaluator Evaluator_{TEvaluatorKind::Enemy};
  TRunBudget Budget_;  // this frame's lines and call depth
};

// Creates an enemy of class T and reads its header; null when the header has
// a value that is not a whole number (the author has been told where).
template <class T, class... Args>
std::unique_ptr<T> MakeEnemy(TPlayfield& playfield, const TSecondStringList2& definition, Args&&... args) {
  auto enemy = std::make_unique<T>(playfield, definition, std::forward<Args>(args)...);
  if (!enemy->ReadHeader()) return nullptr;
  return enemy;
}

}  // namespace vuzed

// The subclasses, for the callers that create them with MakeEnemy.
#include "enemy/boss.h"     // IWYU pragma: export
#include "enemy/tukaima.h"  // IWYU pragma: export
