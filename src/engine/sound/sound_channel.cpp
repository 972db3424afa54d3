#include "engine/sound/sound_channel.h"

#include "engine/sound/mixer.h"
#include "engine/sound/sound_device.h"
#include "engine/sound/wave_data.h"

namespace vuzed {

TZudezuChannel::TZudezuChannel(TZudezu& owner, int index) : Owner_(&owner), Index_(index) {}

bool TZudezuChannel::Usable() const { return Owner_ && Owner_->Initialized(); }

void TZudezuChannel::SetWaveData(TZudezuGenWave* wave) {
  if (!Usable()) return;
  if (Streaming_) {
    if (wave && wave->Serial() == WaveSerial_) return;
    Stop();
  }
  Owner_->Mix().SetSlot(Index_, nullptr);
  Buffer_.reset();
  Wave_ = nullptr;
  WaveSerial_ = 0;
  Streaming_ = false;
  Is3D_ = false;
  if (!wave || wave->Empty()) return;

  if (wave->Streaming() || wave->NoDuplicate()) {
    Buffer_ = wave->SharedBuffer();
    wave->SetPlayerChannel(Index_);
  } else {
    Buffer_ = std::make_shared<MixBuffer>(wave->Samples());
  }
  Wave_ = wave;
  WaveSerial_ = wave->Serial();
  Streaming_ = wave->Streaming();
  Is3D_ = wave->Is3D();
  SampleRate_ = wave->Format().SamplesPerSec;
  Owner_->Mix().SetSlot(Index_, Buffer_);
}

void TZudezuChannel::SetVolume(int32_t hundredthsDb) {
  if (!Usable() || !Buffer_) return;
  Volume_ = hundredthsDb;
  Owner_->Mix().SetVolume(*Buffer_, hundredthsDb);
}

void TZudezuChannel::Play() {
  if (Usable() && Buffer_) Owner_->Mix().Play(*Buffer_, false);
}

void TZudezuChannel::PlayLoop() {
  if (Usable() && Buffer_) Owner_->Mix().Play(*Buffer_, true);
}

void TZudezuChannel::Stop() {
  if (Usable() && Buffer_) Owner_->Mix().Stop(*Buffer_);
}

int TZudezuChannel::Status() const {
  if (!Usable() || !Buffer_) return 0;
  return Owner_->Mix().Status(*Buffer_);
}

size_t TZudezuChannel::PlayPosition() const {
  if (!Usable() || !Buffer_) return 0;
  return Owner_->Mix().PlayPosition(*Buffer_);
}

}  // namespace vuzed
