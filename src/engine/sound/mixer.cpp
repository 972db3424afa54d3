#include "engine/sound/mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/sound/notify_events.h"

namespace vuzed {

MixBuffer::MixBuffer(std::shared_ptr<const PcmFrames> samples) : Samples_(std::move(samples)) {}

MixBuffer::MixBuffer(uint32_t bytes, std::shared_ptr<TZudezuEvents> events)
    : Stream_(true), Ring_(bytes - bytes % kStreamBlockAlign, 0), Events_(std::move(events)) {}

size_t MixBuffer::FrameCount() const {
  if (Stream_) return Ring_.size() / kStreamBlockAlign;
  return Samples_ ? Samples_->size() / 2 : 0;
}

Mixer::Mixer(int slots) : Slots_(size_t(std::max(slots, 0))) {}

void Mixer::SetSlot(int slot, std::shared_ptr<MixBuffer> buffer) {
  std::lock_guard lock(Mutex_);
  if (slot < 0 || size_t(slot) >= Slots_.size()) return;
  Slots_[size_t(slot)] = std::move(buffer);
}

void Mixer::Play(MixBuffer& buffer, bool loop) {
  std::lock_guard lock(Mutex_);
  buffer.Cursor_ = 0;
  buffer.Looping_ = loop;
  buffer.Playing_ = buffer.FrameCount() > 0;
}

void Mixer::StopLocked(MixBuffer& buffer) {
  if (!buffer.Playing_) return;
  buffer.Playing_ = false;
  buffer.Looping_ = false;
  if (buffer.Events_) buffer.Events_->Set(TZudezuEvents::Stopped);
}

void Mixer::Stop(MixBuffer& buffer) {
  std::lock_guard lock(Mutex_);
  StopLocked(buffer);
}

float Mixer::GainOf(int32_t hundredthsDb) {
  int32_t v = std::clamp(hundredthsDb, kVolumeMin, kVolumeMax);
  if (v == kVolumeMin) return 0.0f;
  return float(std::pow(10.0, double(v) / 2000.0));
}

void Mixer::SetVolume(MixBuffer& buffer, int32_t hundredthsDb) {
  float gain = GainOf(hundredthsDb);
  std::lock_guard lock(Mutex_);
  buffer.Gain_ = gain;
}

int Mixer::Status(const MixBuffer& buffer) const {
  std::lock_guard lock(Mutex_);
  if (!buffer.Playing_) return 0;
  return buffer.Looping_ ? 5 : 1;
}

size_t Mixer::PlayPosition(const MixBuffer& buffer) const {
  std::lock_guard lock(Mutex_);
  return buffer.Cursor_;
}

uint32_t Mixer::PlayCursorBytes(const MixBuffer& buffer) const {
  std::lock_guard lock(Mutex_);
  return uint32_t(buffer.Cursor_ * MixBuffer::kStreamBlockAlign);
}

bool Mixer::Write(MixBuffer& buffer, uint32_t offset, const uint8_t* data, uint32_t length) {
  std::lock_guard lock(Mutex_);
  size_t size = buffer.Ring_.size();
  if (!buffer.Stream_ || offset >= size || length > size) return false;
  size_t first = std::min<size_t>(length, size - offset);
  std::memcpy(buffer.Ring_.data() + offset, data, first);
  std::memcpy(buffer.Ring_.data(), data + first, length - first);
  return true;
}

void Mixer::MixOne(MixBuffer& buffer, size_t frames) {
  const size_t count = buffer.FrameCount();
  if (count == 0) {
    StopLocked(buffer);
    return;
  }
  const bool stream = buffer.Stream_;
  const size_t halfFrame = buffer.Ring_.size() / 2 / MixBuffer::kStreamBlockAlign;
  const uint8_t* ring = buffer.Ring_.data();
  const int16_t* samples = stream ? nullptr : buffer.Samples_->data();
  const float gain = buffer.Gain_;
  float* sum = Sum_.data();
  for (size_t i = 0; i < frames; ++i) {
    size_t f = buffer.Cursor_;
    float left, right;
    if (stream) {
      if (buffer.Events_ && (f == 0 || f == halfFrame)) {
        if (buffer.Events_->Busy()) return;  // hold until the refill thread caught up
        buffer.Events_->Set(f == 0 ? TZudezuEvents::OffsetZero : TZudezuEvents::Half);
      }
      const uint8_t* p = ring + f * MixBuffer::kStreamBlockAlign;
      left = float(int16_t(uint16_t(p[0] | (p[1] << 8))));
      right = float(int16_t(uint16_t(p[2] | (p[3] << 8))));
    } else {
      left = float(samples[2 * f]);
      right = float(samples[2 * f + 1]);
    }
    sum[2 * i] += left * gain;
    sum[2 * i + 1] += right * gain;
    if (++buffer.Cursor_ == count) {
      buffer.Cursor_ = 0;
      if (!buffer.Looping_) {
        StopLocked(buffer);
        return;
      }
    }
  }
}

void Mixer::Mix(int16_t* out, size_t frames) {
  std::lock_guard lock(Mutex_);
  Sum_.assign(frames * kChannels, 0.0f);
  for (size_t s = 0; s < Slots_.size(); ++s) {
    MixBuffer* buffer = Slots_[s].get();
    if (!buffer || !buffer->Playing_) continue;
    bool mixedAlready = false;
    for (size_t t = 0; t < s; ++t) mixedAlready = mixedAlready || Slots_[t].get() == buffer;
    if (!mixedAlready) MixOne(*buffer, frames);
  }
  for (size_t i = 0; i < Sum_.size(); ++i)
    out[i] = int16_t(std::clamp(std::lrint(Sum_[i]), -32768L, 32767L));
}

}  // namespace vuzed
