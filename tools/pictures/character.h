#pragma once
// The game's people, drawn from a few parameters: a head (hair, face, eyes,
// an accessory) that serves both the dialogue portraits and the small boss
// sprites, and the two kinds of body.

#include "raster.h"

namespace vuzed::pictures {

enum class HairStyle { Long, TwinTails, Short, Flowing };
enum class Accessory { Ribbon, Lantern, Hat, Gear, Halo, Crescent };

struct Character {
  Rgba Hair, Eyes, Dress, Trim;
  HairStyle Style;
  Accessory Extra;
};

// The heroine and the five bosses, in the order of the boss sprites.
const Character& Heroine();
const Character& BossCharacter(int index);  // 0..4

// The hair behind the head and down the back, drawn before the body.
void DrawBackHair(Canvas& c, const Character& who, float cx, float cy, float r);
// A head of radius r centred at (cx, cy), in front of the body.
void DrawHead(Canvas& c, const Character& who, float cx, float cy, float r, bool smile);
// Portrait bust: the canvas's width centred, head in the upper third.
void DrawBust(Canvas& c, const Character& who, bool smile);
// Full small figure for the playfield (about 64 x 96).
void DrawFigure(Canvas& c, const Character& who);

}  // namespace vuzed::pictures
