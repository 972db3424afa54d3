#pragma once
// TBackGround owns the game's one scene ("Scene2"): the 3D stage background
// and, through the scene's DrawSprite, every sprite of the game. It runs the
// spell-card layers once per frame and renders and presents the frame.

#include <array>
#include <memory>
#include <vector>

#include "back/spell_back_texture.h"
#include "engine/graphics/scene.h"

namespace vuzed {

struct TGameContext;
class TCharacter;

// Holder of the spell-card background layers: five layer objects, of which
// the first three are layers 1 to 3 of the layer commands.
class TMostBackGroundPicture {
 public:
  explicit TMostBackGroundPicture(TGameContext& context);
  TSpellBackTexture& Layer(int index) { return *Layers_[size_t(index)]; }
  static constexpr int kLayerCount = 5;

 private:
  std::vector<TCharacter*> List_;  // non-owning; stays empty
  std::array<std::unique_ptr<TSpellBackTexture>, kLayerCount> Layers_;
};

// The front background: its only content is the stage's loop flag (SETLOOP).
class TFrontBackGround {
 public:
  bool Loop = false;
};

class TBackGround {
 public:
  explicit TBackGround(TGameContext& context);
  ~TBackGround();

  // Drops the scene (and everything queued in it) for a new empty one.
  void ResetScene();
  // The three stage background sets. The meshes arrive with the scene
  // library; until then a set leaves the scene without a 3D background.
  void SetupSetA();
  void SetupSetB();
  void SetupSetC();

  // Once per game frame, before everything else: animate the set, then move
  // and draw spell-card layers 1 to 3.
  void Update();
  // Begin, clear, draw the scene and its sprites, let the window handle its
  // messages, end, present. Returns the present result.
  bool Render();

  TVZScene& Scene() { return *Scene_; }
  TMostBackGroundPicture& FarPicture() { return *FarPicture_; }
  TFrontBackGround& FrontBackGround() { return *Front_; }

  int32_t Counter = 0;  // animation step counter
  int32_t Set = 0;      // background set running: 1 (A), 2 (B), 3 (C); 0 none
  int64_t RenderCount = 0;  // frames rendered so far

 private:
  TGameContext& Context_;
  std::unique_ptr<TVZScene> Scene_;
  std::unique_ptr<TMostBackGroundPicture> FarPicture_;
  std::unique_ptr<TFrontBackGround> Front_;
};

}  // namespace vuzed
