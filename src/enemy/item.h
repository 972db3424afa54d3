#pragma once
// Items dropped by dying enemies: power items raise the ship's power, score
// items only score. Both fall, then home in on the ship.

#include <cstdint>

#include "objects/character.h"

namespace vuzed {

struct TPlayfield;

class TPowerItem : public TCharacter {
 public:
  // Placed at (x + r1 - 5, y - r2) with r1, r2 random in 0..9.
  TPowerItem(TPlayfield& playfield, int32_t x, int32_t y);
  void Move() override;
  void Draw() override;
  const char* ClassName() const override { return "TPowerItem"; }
  // Age += 1.
  virtual void Action();
  // Touching the ship's graze circle.
  bool Collected() const;
  // Left the playfield.
  bool IsOut() const;

  int32_t Age = 0;
  bool Homing = false;

 protected:
  TPlayfield& Field_;
};

class TScoreItem : public TPowerItem {
 public:
  using TPowerItem::TPowerItem;
  void Draw() override {}
  void Action() override {}
  const char* ClassName() const override { return "TScoreItem"; }
};

}  // namespace vuzed
