#pragma once
// TEnemyControl: owns every enemy, enemy bullet, item and effect of the
// playfield, and steps, tests and draws them once per game frame.

#include <memory>
#include <vector>

#include "objects/character.h"

namespace vuzed {

struct TGameContext;

class TEnemyControl {
 public:
  explicit TEnemyControl(TGameContext& context);
  ~TEnemyControl();

  void Update();

  // The playfield lists, in drawing order of their kinds.
  std::vector<std::unique_ptr<TCharacter>> Enemies;
  std::vector<std::unique_ptr<TCharacter>> Bullets;
  std::vector<std::unique_ptr<TCharacter>> Items;
  std::vector<std::unique_ptr<TCharacter>> Effects;

 private:
  TGameContext& Context_;
};

}  // namespace vuzed
