// The spell-card overlay that bosses feed. A card is announced for 180 frames
// (the boss is invulnerable meanwhile, its name rises from y = 320 and the
// gauge grows to 350 pixels), then runs with its timer counting down and its
// bonus falling by 7 a frame; when it ends, 180 frames of result display keep
// the boss invulnerable, pay the bonus at result frame 179 and show whether
// it was captured (else picture 46) or not (47) from frame 149 down.
//
// The boss references are null whenever there is no boss: then no gauge is
// drawn and nothing is written through them.

#include <algorithm>
#include <climits>

#include "objects/rounding.h"
#include "state/state.h"
#include "state/state_anim.h"

namespace vuzed {
namespace {

constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;
constexpr int32_t kAnnounceFrames = 180;
constexpr int32_t kResultFrames = 180;
constexpr int32_t kPayFrame = 179;
constexpr int32_t kResultShownBelow = 150;
constexpr int32_t kBonusDecay = 7;
constexpr float kGaugeX = 50, kGaugeY = 20, kGaugeHeight = 2, kGaugeWidth = 350;

}  // namespace

void TState::StepBossOverlay() {
  if (BossActive != 1) return;
  if (SpellFrame != -1) {
    ++SpellFrame;
    if (Boss) Boss->SetBusy(true);
    DrawPicture(300, float(320 - SpellFrame), false, WhiteAtAlpha(SinDeg(SpellFrame) * 255), 0, false,
                SpellNameTexture.get());
    if (SpellFrame > 20 && Boss) {
      // 0 at frame 20, the full 350 pixels at frame 180.
      const int32_t width = RoundToInt32((double(SpellFrame) * 350 - 7000) / 160);
      DrawPicture(kGaugeX, kGaugeY, false, kOpaqueWhite, 0, false, ElsePicture(30), kGaugeHeight, float(width));
    }
    if (SpellFrame >= kAnnounceFrames) {
      if (Boss) Boss->SetBusy(false);
      SpellFrame = -1;
    }
  } else if (Boss && Boss->GaugeMaxHp() > 0) {
    // A boss without SETHP yet has no maximum: no gauge rather than a
    // division by zero.
    const int32_t width = RoundToInt32(double(Boss->GaugeHp()) / double(Boss->GaugeMaxHp()) * kGaugeWidth);
    if (width > 0)
      DrawPicture(kGaugeX, kGaugeY, false, kOpaqueWhite, TopFade, TopFadeOn, ElsePicture(30), kGaugeHeight,
                  float(width));
  }

  if (SpellBonus > 0) SpellBonus = std::max(SpellBonus - kBonusDecay, 0);
  DrawNumber(400, 50, 0.4f, TopFade, TopFadeOn, SpellBonus);

  if (SpellTimeLeft == -1) {
    BossActive = 0;
    SpellResultFrame = kResultFrames;
  } else {
    DrawNumber(50, 15, 0.6f, TopFade, TopFadeOn, SpellTimeLeft / 60 + 1);
    if (SpellTimeLeft > INT32_MIN) --SpellTimeLeft;
  }
}

void TState::StepSpellResult() {
  if (SpellResultFrame <= 0 || !Boss) return;
  Boss->SetBusy(true);
  if (SpellResultFrame == kPayFrame) {
    AddScore(SpellBonus);
    SpellTimeLeft = 0;
  }
  if (SpellResultFrame < kResultShownBelow) {
    DrawPicture(100, 100, false, kOpaqueWhite, 0, false, ElsePicture(SpellBonusValid == 1 ? 46 : 47));
    DrawPicture(50, 200, false, kOpaqueWhite, 0, false, ElsePicture(45));
    DrawNumber(400, 200, 1, 0, false, SpellBonus);
  }
  --SpellResultFrame;
  if (SpellResultFrame == 0) {
    Boss->SetBusy(false);
    SpellBonus = 0;
  }
}

}  // namespace vuzed
