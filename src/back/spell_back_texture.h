#pragma once
// TSpellBackTexture: one tiled, moving spell-card background layer. A layer
// without a picture neither moves nor draws; the layer commands of bosses and
// stages fill them in.

#include "objects/character.h"

namespace vuzed {

struct TGameContext;

class TSpellBackTexture : public TCharacter {
 public:
  explicit TSpellBackTexture(TGameContext& context) : Context_(context) {}
  void Move() override {}
  void Draw() override {}
  const char* ClassName() const override { return "TSpellBackTexture"; }

 protected:
  TGameContext& Context_;
};

}  // namespace vuzed
