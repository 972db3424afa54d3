// Two 180-frame animations of the status step: the cut-in picture that
// slides right during ADV scenes and the stage title's two pictures, both
// fading in and out along a sine.

#include <cmath>

#include "objects/rounding.h"
#include "state/state.h"
#include "state/state_anim.h"

namespace vuzed {
namespace {

constexpr int32_t kAnimationFrames = 180;

}  // namespace

void TState::StepCutIn() {
  if (Dialogue.CutInFrame == -1) return;
  ++Dialogue.CutInFrame;
  // One pixel a frame while the cosine rounds to +1 or -1 (frames 1..60 and
  // 120..180); it stands still in between.
  Dialogue.CutInX += std::abs(RoundToInt32(CosDeg(Dialogue.CutInFrame)));
  DrawPicture(float(Dialogue.CutInX), 300, false, WhiteAtAlpha(SinDeg(Dialogue.CutInFrame) * 255), 0, false,
              ElsePicture(Dialogue.CutInPicture));
  if (Dialogue.CutInFrame >= kAnimationFrames) {
    Dialogue.CutInFrame = -1;
    Dialogue.CutInX = 440;
  }
}

void TState::StepStageTitle() {
  if (StageTitleFrame == -1) return;
  const int32_t t = ++StageTitleFrame;
  const float x = float(RoundToInt32(200 - CosDeg(t) * 40));
  DrawPicture(x - 30, 150, false, WhiteAtAlpha(SinDeg(t) * 153), 0, false, ElsePicture(StageTitlePicture1));
  DrawPicture(x, 250, false, WhiteAtAlpha(SinDeg(t) * 255), 0, false, ElsePicture(StageTitlePicture2));
  if (t >= kAnimationFrames) StageTitleFrame = -1;
}

}  // namespace vuzed
