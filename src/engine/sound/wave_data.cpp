#include "engine/sound/wave_data.h"

#include "engine/sound/notify_events.h"
#include "engine/sound/notify_thread.h"
#include "engine/sound/pcm_convert.h"
#include "engine/sound/sound_device.h"
#include "engine/sound/wav_reader.h"

namespace vuzed {
namespace {

// A loaded sound keeps at most ten minutes of samples.
constexpr size_t kMaxStaticFrames = size_t(Mixer::kRate) * 600;
// Streaming rings: from two frames up to what a 32-bit byte offset reaches comfortably.
constexpr uint32_t kMinStreamBytes = 2 * MixBuffer::kStreamBlockAlign;
constexpr uint32_t kMaxStreamBytes = 0x0FFFFFFF;

std::atomic<uint64_t> NextSerial{1};

}  // namespace

TZudezuGenWave::TZudezuGenWave(TZudezu& owner, bool is3D) : Owner_(owner), Serial_(NextSerial++), Is3D_(is3D) {}

TZudezuGenWave::~TZudezuGenWave() { StopRefills(); }

uint64_t TZudezuGenWave::NotificationsHandled() const { return Thread_ ? Thread_->EventsHandled() : 0; }

bool TZudezuGenWave::NotificationsPending() const { return Events_ && Events_->Busy(); }

void TZudezuGenWave::StopRefills() {
  if (Thread_) Thread_->Terminate();
  Thread_.reset();
}

void TZudezuGenWave::LoadWav(bool noDuplicate, const std::string& fileName) {
  NoDuplicate_ = noDuplicate;
  if (!Owner_.Initialized()) return;
  WavContents wav = ReadWavFile(fileName);
  if (wav.Error != WavError::None) {
    Owner_.Log().Message(fileName + std::string(WavErrorText(wav.Error)));
    return;
  }
  PcmFrames samples = ConvertToMixFormat(wav.Data, wav.Format, kMaxStaticFrames);
  if (samples.empty()) {
    // No whole frame: there is nothing to make a buffer of. Reported like a
    // loader message, so a bad file never stops the game.
    Owner_.Log().Message("サウンドバッファの作成に失敗しました");
    return;
  }
  Format_ = wav.Format;
  BufferSize_ = uint32_t(wav.Data.size() - wav.Data.size() % Format_.BlockAlign);
  Samples_ = std::make_shared<const PcmFrames>(std::move(samples));
  if (NoDuplicate_) Buffer_ = std::make_shared<MixBuffer>(Samples_);
}

void TZudezuGenWave::CreateStream(uint32_t bytes, bool stereo, uint16_t bits, uint32_t rate) {
  Streaming_ = true;
  if (!Owner_.Initialized()) return;
  TWaveFormat format = TWaveFormat::Pcm(stereo ? 2 : 1, rate, bits);
  if (!stereo || bits != 16 || rate != uint32_t(Mixer::kRate)) {
    Owner_.Log().Check(dserr::BadFormat, "サウンドバッファの作成に失敗しました");
    return;
  }
  if (bytes < kMinStreamBytes || bytes > kMaxStreamBytes || bytes % format.BlockAlign != 0) {
    Owner_.Log().Check(dserr::InvalidParam, "サウンドバッファの作成に失敗しました");
    return;
  }
  Format_ = format;
  BufferSize_ = bytes;
  HalfSize_ = bytes / 2;
  Events_ = std::make_shared<TZudezuEvents>();
  Buffer_ = std::make_shared<MixBuffer>(bytes, Events_);
  Thread_ = std::make_unique<TZudezuNotifyThread>(*this);
}

void TZudezuGenWave::SetFillCallback(TZudezuFillCallback callback, void* userData) {
  std::lock_guard lock(CallbackMutex_);
  Callback_ = callback;
  UserData_ = userData;
}

void TZudezuGenWave::Fill(uint32_t offset, uint32_t length) {
  TZudezuFillCallback callback;
  void* userData;
  {
    std::lock_guard lock(CallbackMutex_);
    callback = Callback_;
    userData = UserData_;
  }
  if (callback) callback(userData, offset, length);
}

void TZudezuGenWave::Write(uint32_t offset, const void* data, uint32_t length) {
  if (Empty()) return;
  if (!Streaming_ || !Owner_.Mix().Write(*Buffer_, offset, static_cast<const uint8_t*>(data), length))
    Owner_.Log().Check(Streaming_ ? dserr::InvalidParam : dserr::InvalidCall, "DirectSoundBufferのロックに失敗しました");
}

uint32_t TZudezuGenWave::WriteCursor() const {
  if (!Streaming_ || !Buffer_) return 0;
  return Owner_.Mix().PlayCursorBytes(*Buffer_);
}

TZudezuWaveData::TZudezuWaveData(TZudezu& owner, bool noDuplicate, const std::string& fileName)
    : TZudezuGenWave(owner, false) {
  LoadWav(noDuplicate, fileName);
}

TZudezuWaveData::TZudezuWaveData(TZudezu& owner, bool use3D, uint32_t bytes, bool stereo, uint16_t bits,
                                 uint32_t rate)
    : TZudezuGenWave(owner, use3D) {
  CreateStream(bytes, stereo, bits, rate);
}

TZudezuWave3D::TZudezuWave3D(TZudezu& owner, bool noDuplicate, const std::string& fileName)
    : TZudezuGenWave(owner, true) {
  LoadWav(noDuplicate, fileName);
}

}  // namespace vuzed
