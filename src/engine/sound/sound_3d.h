#pragma once
// 3D parameters of a channel and of the listener. They are kept and handed
// back as set; sounds play as plain stereo (the game uses no 3D sound).

#include <cstdint>

namespace vuzed {

struct TZudezuVector {
  float X = 0;
  float Y = 0;
  float Z = 0;
};

enum class TZudezu3DMode : uint8_t { Normal, HeadRelative, Disable };

struct TZudezuParams3D {
  TZudezuVector Position{};
  TZudezuVector Velocity{};
  uint32_t InsideConeAngle = 360;
  uint32_t OutsideConeAngle = 360;
  TZudezuVector ConeOrientation{0, 0, 1};
  int32_t ConeOutsideVolume = 0;
  float MinDistance = 5.0f;
  float MaxDistance = 100.0f;
  TZudezu3DMode Mode = TZudezu3DMode::Normal;
};

struct TZudezuListener {
  TZudezuVector Position{};
  TZudezuVector Velocity{};
  TZudezuVector Front{0, 0, 1};
  TZudezuVector Top{0, 1, 0};
  float DistanceFactor = 1.0f;
  float RolloffFactor = 1.0f;
  float DopplerFactor = 1.0f;
};

}  // namespace vuzed
