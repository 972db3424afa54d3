#pragma once
// The audio device as the sound component sees it: a stream of interleaved
// signed 16-bit frames pulled from the mixer on the device's own thread.
// Two implementations: SdlAudioBackend (the real device) and
// HeadlessAudioBackend (tests pull frames by hand).

#include <cstddef>
#include <cstdint>
#include <functional>

namespace vuzed {

class AudioBackend {
 public:
  // Fills `frames` frames (frames x channels samples) at `out`. Called on the
  // device's thread while the device is open.
  using Puller = std::function<void(int16_t* out, size_t frames)>;

  virtual ~AudioBackend() = default;
  // Opens the device at this rate with this many interleaved channels and
  // starts pulling. False when there is no device; nothing is pulled then.
  virtual bool Open(int rate, int channels, Puller puller) = 0;
  // Stops pulling; after it returns the puller is never called again.
  virtual void Close() = 0;
  // Holds the device thread off between the two calls (no pull runs inside).
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
};

}  // namespace vuzed
