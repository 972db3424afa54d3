#pragma once
// Sound data of the sound component.
//
// TZudezuWaveData is either a static sound loaded from a WAV file (played on
// a channel through a duplicate that shares the samples, so one sound can
// play on several channels at once; a no-duplicate sound is played through
// its own buffer, shared by the channels it is put into) or a streaming
// buffer: a ring the owner fills through its fill callback, which the
// buffer's notification thread calls for the half just played (see
// notify_thread.h). TZudezuWave3D is a static sound that carries 3D
// parameters. With the component uninitialised (no sound device) every sound
// stays empty and nothing here does anything.
//
// Destroy every sound before its component.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "engine/sound/mixer.h"
#include "engine/sound/wave_format.h"

namespace vuzed {

class TZudezu;
class TZudezuEvents;
class TZudezuNotifyThread;

// Called on the notification thread with the region to refill (bytes).
using TZudezuFillCallback = void (*)(void* userData, uint32_t offset, uint32_t length);

class TZudezuGenWave {
 public:
  virtual ~TZudezuGenWave();
  TZudezuGenWave(const TZudezuGenWave&) = delete;
  TZudezuGenWave& operator=(const TZudezuGenWave&) = delete;

  bool Empty() const { return !Samples_ && !Buffer_; }
  const TWaveFormat& Format() const { return Format_; }
  // Bytes of the sound in its own format.
  uint32_t BufferSize() const { return BufferSize_; }
  uint32_t HalfSize() const { return HalfSize_; }
  bool Streaming() const { return Streaming_; }
  bool NoDuplicate() const { return NoDuplicate_; }
  bool Is3D() const { return Is3D_; }
  TZudezu& Owner() const { return Owner_; }
  // A number no other sound of this run has (channels tell sounds apart by it).
  uint64_t Serial() const { return Serial_; }

  // Streaming buffers: the refill and its user data, set after creation.
  void SetFillCallback(TZudezuFillCallback callback, void* userData);
  // Copies length bytes into the ring at offset; a region that passes the
  // end continues at the start. Failure: "DirectSoundBufferのロックに失敗しました".
  void Write(uint32_t offset, const void* data, uint32_t length);
  // Where writing is safe from: the play cursor's byte offset.
  uint32_t WriteCursor() const;
  // Ends the notification thread (waiting for a refill in progress); no
  // refill is asked for afterwards. Owners call it before they go.
  void StopRefills();
  // Notifications the refill thread has handled (0 without a thread), and
  // whether one is still waiting or being handled.
  uint64_t NotificationsHandled() const;
  bool NotificationsPending() const;
  // The channel that last took this streaming or no-duplicate sound, or -1.
  int PlayerChannel() const { return PlayerChannel_.load(); }

  // For channels: the buffer shared by all channels (streaming and
  // no-duplicate sounds), or the samples a duplicate plays.
  std::shared_ptr<MixBuffer> SharedBuffer() const { return Buffer_; }
  std::shared_ptr<const PcmFrames> Samples() const { return Samples_; }
  void SetPlayerChannel(int channel) { PlayerChannel_ = channel; }

 protected:
  TZudezuGenWave(TZudezu& owner, bool is3D);
  void LoadWav(bool noDuplicate, const std::string& fileName);
  void CreateStream(uint32_t bytes, bool stereo, uint16_t bits, uint32_t rate);

 private:
  friend class TZudezuNotifyThread;
  // Runs the fill callback (on the notification thread).
  void Fill(uint32_t offset, uint32_t length);
  TZudezuEvents& Events() const { return *Events_; }

  TZudezu& Owner_;
  const uint64_t Serial_;
  bool Is3D_;
  bool Streaming_ = false;
  bool NoDuplicate_ = false;
  TWaveFormat Format_;
  uint32_t BufferSize_ = 0;
  uint32_t HalfSize_ = 0;
  std::shared_ptr<const PcmFrames> Samples_;
  std::shared_ptr<MixBuffer> Buffer_;
  std::shared_ptr<TZudezuEvents> Events_;
  std::atomic<int> PlayerChannel_{-1};

  std::mutex CallbackMutex_;
  TZudezuFillCallback Callback_ = nullptr;
  void* UserData_ = nullptr;
  std::unique_ptr<TZudezuNotifyThread> Thread_;  // last: stops before the rest goes
};

class TZudezuWaveData : public TZudezuGenWave {
 public:
  // A static sound from a WAV file. fileName is opened as given and named in
  // the loader's messages.
  TZudezuWaveData(TZudezu& owner, bool noDuplicate, const std::string& fileName);
  // A streaming buffer of `bytes` bytes, silent until filled; its
  // notification thread starts at once. The mixer plays 44100 Hz 16-bit
  // stereo streams; other formats fail to create.
  TZudezuWaveData(TZudezu& owner, bool use3D, uint32_t bytes, bool stereo, uint16_t bits, uint32_t rate);
};

class TZudezuWave3D : public TZudezuGenWave {
 public:
  TZudezuWave3D(TZudezu& owner, bool noDuplicate, const std::string& fileName);
};

}  // namespace vuzed
