#pragma once
// The player's pooled shots: 128 normal shots and 502 bomb shots, owned by the
// player control and re-initialised by Launch instead of being allocated.

#include <cstdint>

#include "objects/character.h"

namespace vuzed {

struct TGameContext;
class TMXTexture;

class TPlayerTama : public TCharacter {
 public:
  // Hit radius 16, inactive, parked at (-100, -100), bullet picture `picture`.
  TPlayerTama(TGameContext& context, int32_t picture);

  // Starts the shot at (x, y) flying at 20 pixels per frame along `angle`
  // degrees with the given damage.
  void Launch(int32_t damage, float angle, float x, float y);
  void Move() override;
  void Draw() override;
  const char* ClassName() const override { return "TPlayerTama"; }

  int32_t Damage = 0;
  int32_t Angle = 0;                // degrees, rounded; the sprite turns with it
  const TMXTexture* Picture = nullptr;  // not owned
  bool Active = false;

 protected:
  TGameContext& Context_;
};

class TPlayerBombTama : public TPlayerTama {
 public:
  using TPlayerTama::TPlayerTama;
  void Draw() override;
  const char* ClassName() const override { return "TPlayerBombTama"; }
};

}  // namespace vuzed
