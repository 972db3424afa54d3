#include "engine/platform/sdl_audio_backend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>

#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

using namespace std::chrono_literals;

// The suite runs with SDL's dummy audio driver: a device without sound that
// still pulls frames on its own thread.
TEST(SoundSdlBackend, TheDeviceThreadPullsFramesUntilClosed) {
  std::string error;
  std::unique_ptr<SdlAudioBackend> backend = SdlAudioBackend::Create(error);
  ASSERT_NE(backend, nullptr) << error;
  std::mutex mutex;
  std::condition_variable pulled;
  size_t frames = 0;
  bool open = backend->Open(44100, 2, [&](int16_t* out, size_t n) {
    for (size_t i = 0; i < 2 * n; ++i) out[i] = 1;
    std::lock_guard lock(mutex);
    frames += n;
    pulled.notify_all();
  });
  ASSERT_TRUE(open) << backend->LastError();
  {
    std::unique_lock lock(mutex);
    EXPECT_TRUE(pulled.wait_for(lock, 20s, [&] { return frames > 0; }));
  }
  backend->Close();
  size_t atClose;
  {
    std::lock_guard lock(mutex);
    atClose = frames;
  }
  backend->Lock();
  backend->Unlock();
  std::lock_guard lock(mutex);
  EXPECT_EQ(frames, atClose);
}

TEST(SoundSdlBackend, ImpossibleRequestsFail) {
  std::string error;
  std::unique_ptr<SdlAudioBackend> backend = SdlAudioBackend::Create(error);
  ASSERT_NE(backend, nullptr) << error;
  EXPECT_FALSE(backend->Open(0, 2, [](int16_t*, size_t) {}));
  EXPECT_FALSE(backend->Open(44100, 0, [](int16_t*, size_t) {}));
}

}  // namespace
}  // namespace vuzed

namespace vuzed {
namespace {

// Where no sound can be had, a run says so in one line of its own; the ALSA
// library's chatter while SDL looks for a card never reaches the player.
TEST(SoundSdlBackend, WithoutSoundARunSaysSoInOneLineOfItsOwn) {
  for (const char* driver : {"nosuchdriver", "alsa"}) {
    ::setenv("SDL_AUDIODRIVER", driver, 1);
    const auto r = test::RunTool({"run", "--frames", "2", "--root", test::TempDir().Path().string()});
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_EQ(r.Status, 0) << driver;
    EXPECT_EQ(r.Err.find("ALSA"), std::string::npos) << driver << ": " << r.Err;
    if (std::string(driver) == "nosuchdriver") {
      EXPECT_EQ(r.Err, std::string(SdlAudioBackend::kSilentLine) + "\n");
    }
  }
}

}  // namespace
}  // namespace vuzed
