#pragma once
// TPlayfield: what the objects on the playfield use, and no more: the ship,
// its shots, enemies, familiars, bosses, bullets, lasers, items and effects
// keep a playfield, not the whole game.
//
// It names the engine components, the picture and sound tables, the scene
// they draw into, the two object owners (the player control and the enemy
// control), the views of the stage director and the game state, the layout
// and origin of the play area, the pad's button numbers and the game's
// random generator. Every pointer may be null: an object does without what
// is missing (a test builds a playfield with only what it looks at). The
// game's context is a playfield; each game object enters itself here when
// it is built and leaves when it is freed, the shell enters the engine.

#include <cstdint>

namespace vuzed {

class InputSource;
class TDovivez;
class TRuzud;
class TZudezu;
class TTextureList;
class TSoundList;
class TBackGround;
class TPlayerControl;
class TEnemyControl;
class TStageShared;
class TPlayState;
class TFieldObjects;

// Playfield layouts set by the stage script (SETSHOTMODE).
enum : uint8_t { LayoutVertical = 0, LayoutSideways = 1, LayoutSlant = 2 };

struct TPlayfield {
  // The engine.
  TDovivez* Device = nullptr;
  TRuzud* Pad = nullptr;       // the game pad and the keys mapped to it
  TZudezu* Mixer = nullptr;    // the sound device and its channels
  InputSource* Keys = nullptr; // the keyboard as it is (Shift, Tab)

  // Pictures, sounds and the scene everything is drawn into.
  TTextureList* Textures = nullptr;
  TSoundList* Sounds = nullptr;
  TBackGround* Background = nullptr;

  // The objects' owners and the views of the parts above them.
  TPlayerControl* Player = nullptr;
  TEnemyControl* Enemies = nullptr;
  TFieldObjects* FieldObjects = nullptr;  // the enemy control, as the ship sees it
  TStageShared* Stage = nullptr;          // the stage director, as scripts see it
  TPlayState* Play = nullptr;             // the game state, as the playfield sees it

  // Where the play area is: the layout, and its top-left on the screen.
  uint8_t LayoutMode = LayoutVertical;
  int32_t FieldOriginX = 0;
  int32_t FieldOriginY = 0;

  // Pad buttons of the game's shot, bomb and slow keys.
  int32_t ShotButton = 0;
  int32_t BombButton = 0;
  int32_t SlowButton = 0;

  // The program-wide random generator: seed := seed * 134775813 + 1 (mod 2^32).
  uint32_t RandSeed = 0;
};

// A game object takes its slot of the playfield while it lives; a newer
// object that took the slot over keeps it when the older one is freed.
template <class Slot, class Self>
void EnterPlayfield(Slot*& slot, Self* self) {
  slot = self;
}
template <class Slot, class Self>
void LeavePlayfield(Slot*& slot, Self* self) {
  if (slot == self) slot = nullptr;
}

}  // namespace vuzed
