#pragma once
// A sound component on the headless audio device, its log in a fresh
// temporary directory and halts counted instead of ending the process.
// Frames are pulled by hand.

#include <atomic>
#include <string>
#include <vector>

#include "engine/platform/headless_audio_backend.h"
#include "engine/sound/sound_device.h"
#include "support/test_dir.h"

namespace vuzed::test {

class SoundFixture {
 public:
  // Default: DebugMessage and HaltOnError, 12 channels, device present.
  explicit SoundFixture(TZudezuDebugOptions options = {true, true, false}, int channels = 12,
                        bool device = true);

  // The log's lines, without line ends.
  std::vector<std::string> LogLines() const;
  // Writes a file into the temporary directory; returns its full path.
  std::string File(const std::string& relative, const std::string& bytes) const;
  std::vector<int16_t> Pull(size_t frames) { return Backend.Pull(frames); }

  TempDir Dir;
  HeadlessAudioBackend Backend;
  TZudezu Zudezu;
  std::atomic<int> Halts{0};
};

// Waits (generously) until the refill thread of a streaming sound has
// handled every notification: the next notification point can be passed.
void WaitIdle(const TZudezuGenWave& stream);

// True when every sample is 0.
bool Silent(const std::vector<int16_t>& samples);

}  // namespace vuzed::test
