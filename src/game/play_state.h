#pragma once
// TPlayState: the part of the game state that the playfield's objects change
// and read: the score, the spell card in progress (bosses set it up), the
// flags that hold the ship (a dialogue on screen, game over), the stage
// clear a script asks for, and the effects volume. The game state
// (state/state.h) is built on it, steps it and draws it.

#include <algorithm>
#include <cstdint>
#include <memory>

#include "engine/graphics/texture.h"

namespace vuzed {

// What the spell-card overlay asks of the boss it shows: its hit points for
// the gauge, and whether it may fire (held while the card is announced and
// while its result is shown).
class TBossGauge {
 public:
  virtual int32_t GaugeHp() const = 0;
  virtual int32_t GaugeMaxHp() const = 0;
  virtual void SetBusy(bool busy) = 0;

 protected:
  ~TBossGauge() = default;
};

class TPlayState {
 public:
  // Score += n (enemy hits, items, bosses); the score stops at the ends of
  // its 32-bit range instead of wrapping.
  void AddScore(int32_t n) { Score = int32_t(std::clamp<int64_t>(int64_t(Score) + n, INT32_MIN, INT32_MAX)); }

  // The stage-clear sequence: 300 frames, then the bonus and the results.
  void StartStageClear() {
    StageClear = 1;
    StageClearCount = 300;
  }

  int32_t Score = 0;
  int32_t SEVolume = 0;         // effects volume setting
  int32_t DialogueFrame = -1;   // frames since the dialogue display opened, -1 = closed
  uint8_t GameOver = 0;         // the game-over panel is shown
  uint8_t StageClear = 0;
  int32_t StageClearCount = -1; // frames before the bonus; -1 = results shown

  // Boss and spell card. Boss is the boss the gauge shows; a boss detaches
  // itself when it is freed, so null means no boss.
  uint8_t BossActive = 0;       // a spell card is in progress
  TBossGauge* Boss = nullptr;
  int32_t SpellBonus = 0;       // bonus still to be won; falls by 7 per frame
  uint8_t SpellBonusValid = 0;  // 1 while the player has not been hit
  int32_t SpellFrame = -1;      // frames since the announcement, -1 = none
  std::unique_ptr<TMXTexture> SpellNameTexture;
  int32_t SpellPicture = 0;     // SETSPELLPICTURE's number (stored, not drawn)
  int32_t SpellTimeLeft = -1;   // frames left, -1 = time over
  int32_t SpellResultFrame = 0; // frames left of the result display

 protected:
  TPlayState() = default;
  ~TPlayState() = default;
};

}  // namespace vuzed
