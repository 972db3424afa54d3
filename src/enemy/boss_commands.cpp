// The boss's own script commands. A boss line runs the enemy's ExecLine
// first (its next-line code is the line's result); then the boss commands
// are tested, each a case-insensitive prefix, in this order:
//
//   SPELLADJUSTMENT          on its own; the tests below still run
//   spell chain              SETSPELLNAME .. SETBACKGRAPHIC3, first match only
//   FREEBACKGRAPHIC          only when the spell chain did not match; the
//                            field chain is still tested
//   field chain              SETSPELLTIME .. BLAST, first match only
//   STAGEADJUSTMENT          only when neither chain matched; NOVELMODE is
//   NOVELMODE                then still tested
//
// CLEANENEMYWITHOUTBOSS stands before CLEANENEMY, which begins it.

#include <algorithm>
#include <string>

#include "back/background.h"
#include "back/sound_list.h"
#include "back/texture_list.h"
#include "enemy/boss.h"
#include "enemy/enemy_control.h"
#include "enemy/enemy_tama_math.h"
#include "engine/graphics/text_writer.h"
#include "engine/graphics/texture.h"
#include "engine/sound/sound_channel.h"
#include "engine/sound/sound_device.h"
#include "objects/second_string_list2.h"
#include "objects/string_helpers.h"
#include "script/script_report_text.h"
#include "game/stage_shared.h"
#include "game/playfield.h"

namespace vuzed {
namespace {

enum class TBossCommand {
  SetSpellName,
  SetSpellPicture,
  SetBackGraphic1,
  SetBackGraphic2,
  SetBackGraphic3,
  SetSpellTime,
  SetSpellMaxScore,
  SetHp,
  CleanBullet,
  CleanEnemyWithoutBoss,
  CleanEnemy,
  Blast,
};

struct TBossCommandEntry {
  std::string_view Prefix;
  TBossCommand Command;
};

constexpr std::string_view kSpellAdjustment = "SPELLADJUSTMENT";
constexpr std::string_view kFreeBackGraphic = "FREEBACKGRAPHIC";
constexpr std::string_view kStageAdjustment = "STAGEADJUSTMENT";
constexpr std::string_view kNovelMode = "NOVELMODE";

// The spell chain, in test order.
constexpr TBossCommandEntry kSpellChain[] = {
    {"SETSPELLNAME", TBossCommand::SetSpellName},
    {"SETSPELLPICTURE", TBossCommand::SetSpellPicture},
    {"SETBACKGRAPHIC1", TBossCommand::SetBackGraphic1},
    {"SETBACKGRAPHIC2", TBossCommand::SetBackGraphic2},
    {"SETBACKGRAPHIC3", TBossCommand::SetBackGraphic3},
};

// The field chain, in test order.
constexpr TBossCommandEntry kFieldChain[] = {
    {"SETSPELLTIME", TBossCommand::SetSpellTime},
    {"SETSPELLMAXSCORE", TBossCommand::SetSpellMaxScore},
    {"SETHP", TBossCommand::SetHp},
    {"CLEANBULLET", TBossCommand::CleanBullet},
    {"CLEANENEMYWITHOUTBOSS", TBossCommand::CleanEnemyWithoutBoss},
    {"CLEANENEMY", TBossCommand::CleanEnemy},
    {"BLAST", TBossCommand::Blast},
};

// The announcement of a spell card: sound 10 on channel 2.
constexpr int kSpellSound = 10;
constexpr int kSpellSoundChannel = 2;
// Frames of the result display that ends a spell card.
constexpr int32_t kSpellResultFrames = 180;
constexpr int64_t kFramesPerSecond = 60;

template <size_t N>
const TBossCommandEntry* FirstMatch(const TBossCommandEntry (&chain)[N], std::string_view text) {
  for (const TBossCommandEntry& entry : chain)
    if (StartsWithText(entry.Prefix, text)) return &entry;
  return nullptr;
}

// The text inside the line's first parentheses, nesting counted.
std::string Inside(std::string_view line) {
  size_t end = 0;
  return GetBracket(line, "(", ")", end);
}

// Stop, load, play once.
void PlaySpellSound(TPlayfield& playfield) {
  TZudezu* sound = playfield.Mixer;
  if (!sound || !sound->Initialized()) return;
  TZudezuChannel& channel = sound->Channel(kSpellSoundChannel);
  channel.Stop();
  channel.SetWaveData(playfield.Sounds ? playfield.Sounds->Get(kSpellSound) : nullptr);
  channel.Play();
}

}  // namespace

bool TBoss::KnowsCommand(std::string_view line) const {
  for (std::string_view keyword : {kSpellAdjustment, kFreeBackGraphic, kStageAdjustment, kNovelMode})
    if (StartsWithText(keyword, line)) return true;
  return FirstMatch(kSpellChain, line) || FirstMatch(kFieldChain, line);
}

int32_t TBoss::ExecDecoded(const TScriptLine& line, const TEnemyLine& decoded) {
  const int32_t code = TEnemy::ExecDecoded(line, decoded);
  const std::string_view text = line.Text;
  TPlayState* state = Field_.Play;
  if (StartsWithText(kSpellAdjustment, text) && state) {
    state->BossActive = 0;
    state->SpellResultFrame = kSpellResultFrames;
  }
  if (SpellCommand(line)) return code;
  if (StartsWithText(kFreeBackGraphic, text) && Field_.Background) {
    for (int layer = 0; layer < 3; ++layer) Field_.Background->FarPicture().Layer(layer).SetPicture(-1, 0, 0);
  }
  if (FieldCommand(line)) return code;
  if (StartsWithText(kStageAdjustment, text) && state) state->StartStageClear();
  if (StartsWithText(kNovelMode, text)) NovelMode(line);
  return code;
}

bool TBoss::SpellCommand(const TScriptLine& line) {
  const TBossCommandEntry* entry = FirstMatch(kSpellChain, line.Text);
  if (!entry) return false;
  TPlayState* state = Field_.Play;
  switch (entry->Command) {
    case TBossCommand::SetSpellName:
      SetSpellName(GetBetween(line.Text, "'", "'", 1));
      break;
    case TBossCommand::SetSpellPicture: {
      // A plain whole number, not an expression.
      int32_t picture = 0;
      if (!IntegerArgument(Inside(line.Text), line.Place, picture) || !state) break;
      state->SpellPicture = picture;
      state->SpellFrame = 0;
      state->BossActive = 1;
      break;
    }
    case TBossCommand::SetBackGraphic1: SetBackGraphic(0, line); break;
    case TBossCommand::SetBackGraphic2: SetBackGraphic(1, line); break;
    case TBossCommand::SetBackGraphic3: SetBackGraphic(2, line); break;
    default: break;
  }
  return true;
}

bool TBoss::FieldCommand(const TScriptLine& line) {
  const TBossCommandEntry* entry = FirstMatch(kFieldChain, line.Text);
  if (!entry) return false;
  TPlayState* state = Field_.Play;
  TEnemyControl* control = Field_.Enemies;
  switch (entry->Command) {
    case TBossCommand::SetSpellTime: {
      // Seconds to frames, kept inside the integer range.
      const int64_t frames = int64_t(RoundedArgument(line, 0)) * kFramesPerSecond;
      if (!state) break;
      state->SpellTimeLeft = int32_t(std::clamp<int64_t>(frames, INT32_MIN, INT32_MAX));
      state->SpellFrame = 0;
      state->BossActive = 1;
      break;
    }
    case TBossCommand::SetSpellMaxScore: {
      const int32_t bonus = RoundedArgument(line, 0);
      if (state) state->SpellBonus = bonus;
      break;
    }
    case TBossCommand::SetHp:
      Hp = RoundedArgument(line, 0);
      MaxHp = Hp;
      break;
    case TBossCommand::CleanBullet:
      if (control) control->ClearTamas();
      break;
    case TBossCommand::CleanEnemyWithoutBoss:
      if (control) control->KillAllButBoss();
      break;
    case TBossCommand::CleanEnemy:
      if (control) control->KillAllEnemies();
      break;
    case TBossCommand::Blast:
      Blasting = 1;
      BlastTimer = kBlastFrames;
      break;
    default: break;
  }
  return true;
}

// The name is the text between the first two "'". An empty name keeps the
// texture of the one before; the banner starts again in any case.
void TBoss::SetSpellName(std::string_view text) {
  TPlayState* state = Field_.Play;
  if (!state) return;
  if (!text.empty() && NameWriter) {
    state->SpellNameTexture.reset();
    state->SpellNameTexture = NameWriter->CreateTextTexture(text, GameTextureFormats(), "");
  }
  state->SpellFrame = 0;
  state->BossActive = 1;
  state->SpellBonusValid = 1;
  PlaySpellSound(Field_);
}

// (p, a, b): back picture p on the layer, moving by pattern a, at alpha b.
// A picture the back table does not hold leaves the layer as it is.
void TBoss::SetBackGraphic(int layer, const TScriptLine& line) {
  const int32_t picture = RoundedArgument(line, 1);
  const int32_t pattern = RoundedArgument(line, 2);
  const int32_t alpha = RoundedArgument(line, 3);
  if (!Field_.Textures || !Field_.Background) return;
  if (!Field_.Textures->Get(TPictureTable::Back, picture)) return;
  Field_.Background->FarPicture().Layer(layer).SetPicture(picture, pattern, alpha);
}

// NOVELMODE(name): the stage procedure of that name becomes the dialogue
// scene the stage director runs; an unknown name does nothing but is
// reported.
void TBoss::NovelMode(const TScriptLine& line) {
  TStageShared* stage = Field_.Stage;
  const TSecondStringList2* definition = stage ? stage->Script.Procedures.Find(Inside(line.Text)) : nullptr;
  if (stage && !definition) Report(line.Place, UndefinedNameText(Inside(line.Text), "show as a talk"));
  if (!definition || !*definition->Lines) return;
  stage->OpenDialogue(TScriptMode::Novel, *definition->Lines);
  if (Field_.Play) Field_.Play->DialogueFrame = 0;
}

int32_t TBoss::RoundedArgument(const TScriptLine& line, int field) {
  const std::string inside = Inside(line.Text);
  return RoundToInt32(double(Evaluate(field == 0 ? inside : GetItem(inside, field), line.Place)));
}

}  // namespace vuzed
