#pragma once
// TBackGround owns the game's one scene ("Scene2"): the 3D stage background
// and, through the scene's DrawSprite, every sprite of the game. It chooses
// one of three 3D background sets when a game starts, animates it once per
// frame, runs the spell-card layers, and renders and presents the frame.
//
// A set is 11 copies ("segments") of one mesh under the root frame, each with
// its own colour-keyed copy of the set's texture, lit by two directional
// lights and seen through a camera frame:
//   set 1 (A): 777.vz with 22tex, welded; the camera turned 252/4096 of a turn
//              about y; segment i at (0, 0.2, 60 - ((60 i + counter) mod 660) / 10),
//              6 units apart, 0.1 per frame towards the viewer
//   set 3 (C): as set 1 with 97tex, not welded, at twice the speed
//   set 2 (B): 3dback_l3.vz with 22tex; segment i at
//              (0, 0, 10 - (((300 i) div 11 + counter) mod 300) / 27), spun
//              about z by counter/4096 of a turn; the camera looks straight on
// Angles are in 1/4096 of a full turn. Nothing moves in ADV mode.

#include <array>
#include <memory>
#include <vector>

#include "back/spell_back_texture.h"
#include "engine/graphics/frame.h"
#include "engine/graphics/light.h"
#include "engine/graphics/mesh.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/texture.h"

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

  static constexpr int kSegmentCount = 11;

  // Drops the scene (and everything queued in it) for a new empty one; the
  // segments and lights of the last set go with it, so a stage without a set
  // shows no 3D background.
  void ResetScene();
  // The three stage background sets. A mesh or texture that cannot be loaded
  // is logged by its loader; the set then runs without it.
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
  TVZFrame& RootFrame() { return *Root_; }
  TVZFrame& CameraFrame() { return *Camera_; }
  TVZMesh& Mesh() { return *Mesh_; }
  // nullptr while no set has been built.
  TVZFrame* Segment(int i) const { return Segments_[size_t(i)]; }
  TMXTexture* SegmentTexture(int i) const { return SegmentTextures_[size_t(i)].get(); }
  TVZLightGroup* Lights() const { return Lights_.get(); }
  TMostBackGroundPicture& FarPicture() { return *FarPicture_; }
  TFrontBackGround& FrontBackGround() { return *Front_; }

  int32_t Counter = 0;  // animation step counter
  int32_t Set = 0;      // background set running: 1 (A), 2 (B), 3 (C); 0 none
  int64_t RenderCount = 0;  // frames rendered so far

 private:
  void SetupSet(const char* meshFile, const char* textureFile, TVector lightDirection, bool weld);
  void FreeSegments();
  void PlaceCorridor();
  void PlaceTunnel();

  TGameContext& Context_;
  std::unique_ptr<TVZScene> Scene_;
  std::unique_ptr<TVZFrame> Root_;
  TVZFrame* Camera_ = nullptr;  // child of the root
  std::array<TVZFrame*, kSegmentCount> Segments_{};  // children of the root
  std::array<std::unique_ptr<TMXTexture>, kSegmentCount> SegmentTextures_;
  std::unique_ptr<TVZMesh> Mesh_;
  std::unique_ptr<TVZLightGroup> Lights_;
  std::unique_ptr<TMostBackGroundPicture> FarPicture_;
  std::unique_ptr<TFrontBackGround> Front_;
};

}  // namespace vuzed
