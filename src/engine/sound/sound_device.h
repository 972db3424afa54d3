#pragma once
// TZudezu: the sound component. It owns the mixer on the audio device, a
// fixed number of channels and the message path; sounds (wave_data.h) are
// made on it and put into its channels by number.
//
// Without an audio device (no backend, or the backend cannot open one) the
// component stays uninitialised: sounds stay empty and every channel call
// does nothing, so the game runs silently.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "engine/sound/mixer.h"
#include "engine/sound/sound_3d.h"
#include "engine/sound/sound_channel.h"
#include "engine/sound/sound_log.h"
#include "engine/sound/wave_data.h"
#include "engine/sound/wave_format.h"

namespace vuzed {

class AudioBackend;

class TZudezu {
 public:
  // backend may be null (no audio device); not owned, outlives the component.
  explicit TZudezu(AudioBackend* backend = nullptr);
  // Closes the device first, so the mixer is idle while the rest goes.
  ~TZudezu();
  TZudezu(const TZudezu&) = delete;
  TZudezu& operator=(const TZudezu&) = delete;

  // Published properties; set them before Loaded.
  void SetDebugOption(const TZudezuDebugOptions& options) { Log_.SetOptions(options); }
  TZudezuDebugOptions DebugOption() const { return Log_.Options(); }
  void SetChannelCount(int count) { ChannelCount_ = count; }
  int ChannelCount() const { return ChannelCount_; }
  void SetUse3D(bool on) { Use3D_ = on; }
  bool Use3D() const { return Use3D_; }
  // Keep playing while the window is in the background (always so here).
  void SetStickyFocus(bool on) { StickyFocus_ = on; }
  bool StickyFocus() const { return StickyFocus_; }
  // Where "Zudezu_DebugLog.txt" goes (the executable's directory in the game).
  void SetLogDirectory(const std::filesystem::path& dir) { Log_.SetDirectory(dir); }
  // What a halt does: ends the process unless replaced (tests).
  void SetHaltHandler(std::function<void()> handler) { Log_.SetHaltHandler(std::move(handler)); }

  // The owner window is loaded: initialise.
  void Loaded() { Initialize(); }
  // (Re)creates ChannelCount channels and opens the device at 44100 Hz
  // stereo; with Use3D also the listener.
  void Initialize();
  bool Initialized() const { return Initialized_; }

  // Records the primary format (the mixer always plays 44100 Hz 16-bit
  // stereo). Bits other than 8 and 16 or a rate outside 100..200000 fail:
  // "プライマリ・バッファのフォーマットの設定に失敗しました".
  void SetPrimaryFormat(uint32_t samplesPerSec, uint16_t bitsPerSample, bool stereo);
  const TWaveFormat& PrimaryFormat() const { return PrimaryFormat_; }

  // Channel 0..ChannelCount-1. Any other index reports
  // "チャンネル番号%dは無効です、%d～%dの範囲で指定してください", halts with
  // HaltOnError, and otherwise gives a spare channel that does nothing.
  TZudezuChannel& Channel(int index);
  // The listener (Use3D only), else null.
  TZudezuListener* Listener() { return Listener_.get(); }

  TZudezuLog& Log() { return Log_; }
  Mixer& Mix() { return *Mixer_; }

 private:
  void CloseDevice();

  AudioBackend* Backend_;
  TZudezuLog Log_;
  int ChannelCount_ = 8;
  bool Use3D_ = false;
  bool StickyFocus_ = true;
  bool Initialized_ = false;
  TWaveFormat PrimaryFormat_ = TWaveFormat::Pcm(2, 22050, 8);
  std::unique_ptr<Mixer> Mixer_;
  std::vector<std::unique_ptr<TZudezuChannel>> Channels_;
  TZudezuChannel Spare_;
  std::unique_ptr<TZudezuListener> Listener_;
};

}  // namespace vuzed
