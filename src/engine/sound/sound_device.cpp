#include "engine/sound/sound_device.h"

#include <cstdio>

#include "engine/platform/audio_backend.h"

namespace vuzed {
namespace {

constexpr uint32_t kMinRate = 100;
constexpr uint32_t kMaxRate = 200000;

}  // namespace

TZudezu::TZudezu(AudioBackend* backend) : Backend_(backend), Mixer_(std::make_unique<Mixer>(0)) {}

TZudezu::~TZudezu() { CloseDevice(); }

void TZudezu::CloseDevice() {
  if (Initialized_ && Backend_) Backend_->Close();
  Initialized_ = false;
}

void TZudezu::Initialize() {
  CloseDevice();
  Listener_.reset();
  Channels_.clear();
  int count = ChannelCount_ > 0 ? ChannelCount_ : 0;
  Mixer_ = std::make_unique<Mixer>(count);
  for (int i = 0; i < count; ++i) Channels_.push_back(std::make_unique<TZudezuChannel>(*this, i));

  if (!Backend_) return;
  Mixer* mixer = Mixer_.get();
  if (!Backend_->Open(Mixer::kRate, Mixer::kChannels, [mixer](int16_t* out, size_t frames) { mixer->Mix(out, frames); }))
    return;
  Initialized_ = true;
  if (Use3D_) Listener_ = std::make_unique<TZudezuListener>();
}

void TZudezu::SetPrimaryFormat(uint32_t samplesPerSec, uint16_t bitsPerSample, bool stereo) {
  if (!Initialized_) return;
  if ((bitsPerSample != 8 && bitsPerSample != 16) || samplesPerSec < kMinRate || samplesPerSec > kMaxRate) {
    Log_.Check(dserr::BadFormat, "プライマリ・バッファのフォーマットの設定に失敗しました");
    return;
  }
  PrimaryFormat_ = TWaveFormat::Pcm(stereo ? 2 : 1, samplesPerSec, bitsPerSample);
}

TZudezuChannel& TZudezu::Channel(int index) {
  if (index >= 0 && size_t(index) < Channels_.size()) return *Channels_[size_t(index)];
  char text[200];
  std::snprintf(text, sizeof text, "チャンネル番号%dは無効です、%d～%dの範囲で指定してください", index, 0,
                int(Channels_.size()) - 1);
  Log_.Message(text);
  Log_.HaltIfAsked();
  Spare_ = TZudezuChannel{};
  return Spare_;
}

}  // namespace vuzed
