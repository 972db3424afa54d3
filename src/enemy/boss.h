#pragma once
// TBoss: a script-driven enemy with spell cards. Its script commands set the
// spell-card values of the game state (name, timer, bonus, result display);
// the game state's per-frame step runs the card itself and, through the
// boss's gauge (SetBusy), keeps the boss invulnerable while a card is
// announced or its result shown.
//
// The game state's gauge shows the boss from its creation until it is freed
// (or a newer boss takes over); the destructor detaches a boss still shown.

#include <cstdint>
#include <memory>
#include <string_view>

#include "enemy/enemy.h"
#include "game/play_state.h"

namespace vuzed {

class TVZTextWriter;

class TBoss : public TEnemy, public TBossGauge {
 public:
  // Frames of the death blast started by BLAST (181 steps run: the boss dies
  // on the step that takes the timer below 0).
  static constexpr int32_t kBlastFrames = 180;

  TBoss(TPlayfield& playfield, const TSecondStringList2& definition);
  ~TBoss() override;

  // The header block of a boss, lines a..b of "...OPENING(a)(b)" (b is the
  // line after the block, and is read too): X:=, Y:=, HP:= (Hp, not MaxHp),
  // ATARI:= and PICTURE:= set their fields, every other line runs through
  // ExecLine (so spell and background commands may stand there). A boss
  // reads no POWERITEM:= or SCOREITEM:= and drops one item of each kind.
  // Then the "OPENING" line of the definition becomes "GOTO" + its text from
  // the first "(": "IF OPENING(2)(9)" turns into "GOTO(2)(9)", so the
  // running script jumps past the block. The definition's lines are shared,
  // so this rewrite is seen by every later object of the definition.
  bool ReadHeader() override;

  // The enemy's drawing with the boss picture table in place of the
  // small-enemy table.
  void Draw() override;
  const char* ClassName() const override { return "TBoss"; }

  // The blast step while blasting, else the script's frame.
  void Action() override;
  // The enemy's line first (its code is returned), then the boss commands
  // (boss_commands.cpp).
  int32_t ExecDecoded(const TScriptLine& line, const TEnemyLine& decoded) override;
  // Hp -= amount unless invulnerable; a boss never dies of damage (its
  // script looks at SPELLEND). Score + 1 in every case.
  void Damage(int32_t amount) override;
  // The enemy's names, then SPELLEND: 1 when Hp <= 0 or the spell card's
  // time is past -1, else 0.
  TNameScope NameScope() const override;
  TNameBinding BindName(std::string_view name) const override;
  float BuiltinValue(int32_t id) const override;

  std::unique_ptr<TVZTextWriter> NameWriter;  // renders the spell-card name, font height 20
  int32_t MaxHp = 0;          // full value of the gauge; only SETHP sets it
  int32_t BlastTimer = 0;     // frames left of the death blast
  uint8_t Blasting = 0;       // the death blast runs
  uint8_t Invulnerable = 1;   // damage is ignored

  // The spell-card gauge's view: hit points, and the busy flag that makes
  // the boss invulnerable.
  int32_t GaugeHp() const override { return Hp; }
  int32_t GaugeMaxHp() const override { return MaxHp; }
  void SetBusy(bool busy) override { Invulnerable = busy ? 1 : 0; }

 protected:
  bool KnowsCommand(std::string_view line) const override;

 private:
  // One frame of the death blast: an explosion every 5 frames, the
  // playfield shaking, and at the end death with the origin restored.
  void BlastStep();
  // The spell-card commands SETSPELLNAME .. SETBACKGRAPHIC3 (one chain);
  // false when the line is none of them.
  bool SpellCommand(const TScriptLine& line);
  // The commands SETSPELLTIME .. BLAST (the other chain); false when none.
  bool FieldCommand(const TScriptLine& line);
  void SetSpellName(std::string_view text);
  void SetBackGraphic(int layer, const TScriptLine& line);
  void NovelMode(const TScriptLine& line);
  // Field n (from 1) of the text inside the line's parentheses, or with 0
  // the whole text, evaluated for the boss and rounded half to even.
  int32_t RoundedArgument(const TScriptLine& line, int field);
};

}  // namespace vuzed
