#pragma once
// TEnemy: a script-driven enemy, created from a compiled definition. Its
// script, movement and damage arrive with the enemy interpreter; until then an
// enemy stands where it was made and can be ordered to die.

#include <cstdint>

#include "objects/character.h"

namespace vuzed {

struct TGameContext;
class TSecondStringList2;

class TEnemy : public TCharacter {
 public:
  TEnemy(TGameContext& context, const TSecondStringList2& definition);
  ~TEnemy() override;

  void Draw() override {}
  const char* ClassName() const override { return "TEnemy"; }
  // One frame of the enemy's script.
  virtual void Action() {}

  const TSecondStringList2& Definition() const { return *Definition_; }

  int32_t Hp = 0;
  bool Dead = false;
  int32_t Count = 0;        // frames lived
  int32_t PowerItems = 0;   // items dropped when destroyed (one more of each)
  int32_t ScoreItems = 0;

 protected:
  TGameContext& Context_;

 private:
  const TSecondStringList2* Definition_;
};

// A boss: an enemy with spell cards.
class TBoss : public TEnemy {
 public:
  using TEnemy::TEnemy;
  const char* ClassName() const override { return "TBoss"; }
};

// A familiar: an enemy that starts at a given position.
class TTukaima : public TEnemy {
 public:
  TTukaima(TGameContext& context, const TSecondStringList2& definition, float x, float y);
  const char* ClassName() const override { return "TTukaima"; }
};

}  // namespace vuzed
