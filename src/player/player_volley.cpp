// What the ship launches: its volleys by layout and the bomb's spiral.

#include <array>
#include <span>

#include "player/player_control.h"
#include "game/playfield.h"

namespace vuzed {
namespace {

// Volley angles in firing order, degrees (-90 straight up, 0 to the right).
// Each shot takes the next slot of the normal ring in this order.
constexpr std::array<int32_t, 9> kVerticalFocused = {-90, -93, -96, -99, -102, -87, -84, -81, -78};
constexpr std::array<int32_t, 7> kVerticalSpread = {-90, -100, -110, -120, -80, -70, -60};
constexpr std::array<int32_t, 5> kSidewaysFocused = {0, -2, -5, 2, 5};
constexpr std::array<int32_t, 5> kSidewaysSpread = {0, -5, -10, 5, 10};

// The bomb spiral: three arms 120 degrees apart, each four shots 6 degrees
// apart; the pattern turns by 6 degrees per frame as the bomb timer runs
// down, and the shots cycle through bullet pictures 60..67.
constexpr int32_t kSpiralArms = 3;
constexpr int32_t kShotsPerArm = 4;
constexpr int32_t kSpiralStepDegrees = 6;
constexpr int32_t kArmOffset = 20;  // in spiral steps: 120 degrees
constexpr int32_t kSpiralPeriod = 60;
constexpr int32_t kFirstBombPicture = 60;
constexpr int32_t kBombPictureCount = 8;

std::span<const int32_t> VolleyAngles(uint8_t layout, bool slow) {
  switch (layout) {
    case LayoutVertical:
      return slow ? std::span<const int32_t>(kVerticalFocused) : std::span<const int32_t>(kVerticalSpread);
    case LayoutSideways:
      return slow ? std::span<const int32_t>(kSidewaysFocused) : std::span<const int32_t>(kSidewaysSpread);
    default:
      return {};
  }
}

// Non-negative remainder: a bomb timer is never negative while the spiral
// runs, but the pictures and arms must stay in range whatever it holds.
int32_t Wrap(int32_t value, int32_t period) {
  const int32_t r = value % period;
  return r < 0 ? r + period : r;
}

}  // namespace

bool TPlayerControl::FireVolley(bool slow, int32_t damage, float x, float y) {
  const std::span<const int32_t> angles = VolleyAngles(Field_.LayoutMode, slow);
  for (int32_t angle : angles) NextShot().Launch(damage, float(angle), x, y);
  return !angles.empty();
}

void TPlayerControl::LaunchSpiralStep(int32_t t, float x, float y) {
  const int32_t picture = kFirstBombPicture + Wrap(t, kBombPictureCount);
  const int32_t b = Wrap(t, kSpiralPeriod);
  for (int32_t arm = 0; arm < kSpiralArms; ++arm) {
    const int32_t a = kSpiralStepDegrees * (b - kArmOffset * arm);
    for (int32_t i = 0; i < kShotsPerArm; ++i)
      NextBombShot().LaunchBomb(picture, float(a + kSpiralStepDegrees * i), x, y);
  }
}

}  // namespace vuzed
