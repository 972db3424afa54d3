#pragma once
// The mixer: every playing buffer summed into signed 16-bit stereo at
// 44100 Hz, each scaled by its volume, the sum clipped. It runs without any
// audio device: the device (or a test) pulls frames with Mix. All methods are
// thread-safe; buffer state is only touched under the mixer's lock.
//
// Two kinds of buffer:
// - a static buffer plays sample data converted at load time; the data is
//   shared by every buffer made from the same sound, each buffer keeps its
//   own play cursor (a duplicate);
// - a streaming buffer is a byte ring its owner writes into, played as
//   44100 Hz 16-bit stereo little-endian. When the play cursor reaches
//   offset 0 or the half, and when a playing buffer stops, it sets the
//   matching event of its TZudezuEvents. The cursor does not pass a
//   notification point while an earlier notification is still waiting to be
//   handled: the buffer holds (silent) until its refill thread has caught
//   up. A real-time device never waits (a refill takes milliseconds, a half
//   lasts half a second); a device faster than real time (SDL's disk driver)
//   or a stalled refill thread gets stale halves neither played nor skipped.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace vuzed {

class TZudezuEvents;

// Interleaved stereo signed 16-bit frames at 44100 Hz.
using PcmFrames = std::vector<int16_t>;

class MixBuffer {
 public:
  static constexpr uint32_t kStreamBlockAlign = 4;  // 16-bit stereo

  // A static buffer over shared sample data.
  explicit MixBuffer(std::shared_ptr<const PcmFrames> samples);
  // A silent streaming ring of `bytes` bytes (a multiple of 4).
  MixBuffer(uint32_t bytes, std::shared_ptr<TZudezuEvents> events);

  bool IsStream() const { return Stream_; }
  // Frames in one pass of the buffer.
  size_t FrameCount() const;
  // Bytes of a streaming ring (0 for a static buffer).
  uint32_t RingBytes() const { return uint32_t(Ring_.size()); }

 private:
  friend class Mixer;

  bool Stream_ = false;
  std::shared_ptr<const PcmFrames> Samples_;
  std::vector<uint8_t> Ring_;
  std::shared_ptr<TZudezuEvents> Events_;
  size_t Cursor_ = 0;  // next frame to play
  bool Playing_ = false;
  bool Looping_ = false;
  float Gain_ = 1.0f;
};

class Mixer {
 public:
  static constexpr int kRate = 44100;
  static constexpr int kChannels = 2;
  // Volumes in hundredths of a decibel: 0 is full, -10000 is silence.
  static constexpr int32_t kVolumeMin = -10000;
  static constexpr int32_t kVolumeMax = 0;

  explicit Mixer(int slots);

  int SlotCount() const { return int(Slots_.size()); }
  // The buffer a slot (a channel) plays; null empties it. A buffer that sits
  // in several slots is mixed once.
  void SetSlot(int slot, std::shared_ptr<MixBuffer> buffer);

  // Rewind to frame 0 and play once or looping.
  void Play(MixBuffer& buffer, bool loop);
  // Stop; the position stays.
  void Stop(MixBuffer& buffer);
  // Clamped to kVolumeMin..kVolumeMax.
  void SetVolume(MixBuffer& buffer, int32_t hundredthsDb);
  // 0 stopped, 1 playing, 5 playing looped.
  int Status(const MixBuffer& buffer) const;
  // The next frame to play.
  size_t PlayPosition(const MixBuffer& buffer) const;
  // Byte offset of the play cursor in a streaming ring.
  uint32_t PlayCursorBytes(const MixBuffer& buffer) const;
  // Copies data into a streaming ring at offset; a region that runs past the
  // end continues at the start. False (nothing written) for a static buffer,
  // an offset outside the ring or more bytes than the ring holds.
  bool Write(MixBuffer& buffer, uint32_t offset, const uint8_t* data, uint32_t length);

  // Mixes the next `frames` frames into out (frames x 2 samples).
  void Mix(int16_t* out, size_t frames);

  // 10^(v/2000), and exactly 0 at kVolumeMin.
  static float GainOf(int32_t hundredthsDb);

 private:
  void MixOne(MixBuffer& buffer, size_t frames);
  static void StopLocked(MixBuffer& buffer);

  mutable std::mutex Mutex_;
  std::vector<std::shared_ptr<MixBuffer>> Slots_;
  std::vector<float> Sum_;
};

}  // namespace vuzed
