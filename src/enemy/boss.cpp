// TBoss's creation and header, damage, names, drawing and death blast. The
// boss's script commands are in boss_commands.cpp.

#include "enemy/boss.h"

#include <algorithm>
#include <string>

#include "back/texture_list.h"
#include "enemy/enemy_control.h"
#include "enemy/enemy_explosion.h"
#include "enemy/enemy_sound.h"
#include "engine/graphics/text_writer.h"
#include "engine/graphics/texture.h"
#include "objects/second_string_list2.h"
#include "objects/string_helpers.h"
#include "script/random_generator.h"
#include "game/playfield.h"

namespace vuzed {
namespace {

// The spell-card name is drawn in 20-pixel glyphs through a 16-glyph cache
// per bucket.
constexpr int kNameCacheCapacity = 16;
constexpr int kNameFontHeight = 20;

// The blast: an explosion every 5 frames within 50 pixels of the boss, the
// playfield origin shaken within 20 x 20 pixels left of and above its rest
// position (30, 15), to which it returns when the boss dies.
constexpr int32_t kBlastExplosionEvery = 5;
constexpr uint32_t kBlastSpread = 100;
constexpr int32_t kShakeX = 20, kShakeY = 5;
constexpr uint32_t kShakeRange = 20;
constexpr int32_t kRestOriginX = 30, kRestOriginY = 15;

// The header keys a boss reads; every other line of the block is run.
struct TBossHeaderKey {
  std::string_view Key;
  int32_t TEnemy::*Field;  // null for X and Y, which are singles
  float TCharacter::*Position;
};
constexpr TBossHeaderKey kBossHeaderKeys[] = {
    {"X:=", nullptr, &TCharacter::X},
    {"Y:=", nullptr, &TCharacter::Y},
    {"HP:=", &TEnemy::Hp, nullptr},
    {"ATARI:=", &TEnemy::Atari, nullptr},
    {"PICTURE:=", &TEnemy::PictureID, nullptr},
};

}  // namespace

TBoss::TBoss(TPlayfield& playfield, const TSecondStringList2& definition) : TEnemy(playfield, definition) {
  if (playfield.Device) {
    NameWriter = std::make_unique<TVZTextWriter>(playfield.Device, kNameCacheCapacity, fmt::A8R8G8B8);
    NameWriter->Font().Height = kNameFontHeight;
  }
  if (playfield.Play) playfield.Play->Boss = this;
}

// The game state must never keep a freed boss; a newer boss that has taken
// over is left alone.
TBoss::~TBoss() {
  if (Field_.Play && Field_.Play->Boss == this) Field_.Play->Boss = nullptr;
}

bool TBoss::ReadHeader() {
  const TScriptLine* opening = nullptr;
  int32_t first = 0, last = -1;
  if (!FindHeader(opening, first, last)) return false;
  if (!opening) return true;
  // Lines of the block run outside any frame: they get a frame's limits.
  BeginRun();
  for (int32_t i = first; i <= last; ++i) {
    const TScriptLine& line = (*Lines)[size_t(i)];
    const auto key = std::find_if(std::begin(kBossHeaderKeys), std::end(kBossHeaderKeys),
                                  [&](const TBossHeaderKey& k) { return StartsWithText(k.Key, line.Text); });
    if (key == std::end(kBossHeaderKeys)) {
      ExecLine(line);
      continue;
    }
    int32_t number = 0;
    if (!HeaderValue(line, key->Key.size(), number)) return false;
    if (key->Position)
      this->*key->Position = float(number);
    else
      this->*key->Field = number;
  }
  // The definition's own line is rewritten (the lines are shared and only
  // read through Lines, so the cell is the way to reach them for writing).
  TLineList* lines = *Definition().Lines;
  if (lines != Lines) return true;
  const size_t index = size_t(opening - lines->data());
  const std::string& text = (*lines)[index].Text;
  lines->SetText(index, "GOTO" + text.substr(text.find('(')));
  return true;
}

void TBoss::Draw() { DrawHaloAndPicture(TPictureTable::Boss); }

void TBoss::Action() {
  if (Blasting)
    BlastStep();
  else
    TEnemy::Action();
}

void TBoss::BlastStep() {
  --BlastTimer;
  uint32_t& seed = Field_.RandSeed;
  if (BlastTimer % kBlastExplosionEvery == 0) {
    const double dx = double(NextRandom(seed, kBlastSpread)) - double(kBlastSpread / 2);
    const double dy = double(NextRandom(seed, kBlastSpread)) - double(kBlastSpread / 2);
    if (Field_.Enemies) Field_.Enemies->AddExplosion(float(double(X) + dx), float(double(Y) + dy));
    RestartChannel(Field_, kDeathChannel);
  }
  Field_.FieldOriginX = kShakeX + int32_t(NextRandom(seed, kShakeRange));
  Field_.FieldOriginY = kShakeY + int32_t(NextRandom(seed, kShakeRange));
  if (BlastTimer < 0) {
    Dead = true;
    Field_.FieldOriginX = kRestOriginX;
    Field_.FieldOriginY = kRestOriginY;
  }
}

void TBoss::Damage(int32_t amount) {
  if (!Invulnerable) Hp = int32_t(std::clamp<int64_t>(int64_t(Hp) - amount, INT32_MIN, INT32_MAX));
  if (Field_.Play) Field_.Play->AddScore(1);
}

TNameScope TBoss::NameScope() const {
  static constexpr char kBossTag = 'S';
  TNameScope scope = TEnemy::NameScope();
  scope.Tag = &kBossTag;
  return scope;
}

TNameBinding TBoss::BindName(std::string_view name) const {
  if (TNameBinding b = TEnemy::BindName(name); b.Known) return b;
  if (name == "SPELLEND") return {true, nullptr, kBossSpellEnd};
  return {};
}

float TBoss::BuiltinValue(int32_t id) const {
  if (id != kBossSpellEnd) return TEnemy::BuiltinValue(id);
  const TPlayState* state = Field_.Play;
  return Hp <= 0 || (state && state->SpellTimeLeft < -1) ? 1.0f : 0.0f;
}

}  // namespace vuzed
