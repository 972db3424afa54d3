#pragma once
// TOpening: the logo screen shown right after start-up. The logo
// ("data\Graphic\Other\9.bmp", no colour key) turns about its vertical centre
// line over back picture 30, fading in over 30 frames and out again from
// frame 151; after frame 180, or at once when shot is pressed, the title's
// main menu takes over and ignores keys for 30 frames.

#include <cstdint>
#include <memory>

namespace vuzed {

struct TGameContext;
class TMXTexture;

class TOpening {
 public:
  static constexpr int32_t kLastFrame = 180;
  static constexpr int32_t kFadeFrames = 30;
  static constexpr int32_t kTitleInputDelay = 30;

  // Loads the logo; a missing or broken file leaves it out.
  explicit TOpening(TGameContext& context);
  ~TOpening();

  // One frame of the opening scene.
  void Step();

  // Alpha of the logo at frame t: fading in below 30, out above 150.
  static int32_t LogoAlpha(int32_t t);

  int32_t Counter = 0;

 private:
  TGameContext& Context_;
  std::unique_ptr<TMXTexture> Logo_;
};

}  // namespace vuzed
