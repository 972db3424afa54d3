#include "engine/sound/notify_thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "engine/sound/sound_device.h"
#include "support/sound_fixture.h"

namespace vuzed {
namespace {

using namespace std::chrono_literals;
using test::SoundFixture;

// Records every refill the thread asks for, with the write cursor it saw.
struct RefillLog {
  std::mutex Mutex;
  std::condition_variable Changed;
  std::vector<std::pair<uint32_t, uint32_t>> Calls;
  TZudezuWaveData* Wave = nullptr;
  std::vector<uint32_t> Cursors;

  static void Fill(void* self, uint32_t offset, uint32_t length) {
    auto* log = static_cast<RefillLog*>(self);
    uint32_t cursor = log->Wave->WriteCursor();
    std::lock_guard lock(log->Mutex);
    log->Calls.emplace_back(offset, length);
    log->Cursors.push_back(cursor);
    log->Changed.notify_all();
  }

  // Waits (generously) until there are n calls; the calls so far.
  std::vector<std::pair<uint32_t, uint32_t>> WaitFor(size_t n) {
    std::unique_lock lock(Mutex);
    Changed.wait_for(lock, 20s, [&] { return Calls.size() >= n; });
    return Calls;
  }
};

using Calls = std::vector<std::pair<uint32_t, uint32_t>>;
constexpr uint32_t kSize = 176400;
constexpr uint32_t kHalf = 88200;
constexpr size_t kHalfFrames = kHalf / 4;

TEST(ZudezuNotifyThread, EachHalfIsRefilledOncePerPassAfterThePlayCursorLeftIt) {
  SoundFixture f({true, true, false});
  TZudezuWaveData stream(f.Zudezu, false, kSize, true, 16, 44100);
  RefillLog log;
  log.Wave = &stream;
  stream.SetFillCallback(&RefillLog::Fill, &log);
  f.Zudezu.Channel(0).SetWaveData(&stream);
  f.Zudezu.Channel(0).PlayLoop();

  f.Pull(100);  // past offset 0
  EXPECT_EQ(log.WaitFor(1), (Calls{{kHalf, kHalf}}));
  test::WaitIdle(stream);
  f.Pull(kHalfFrames - 100 - 1);  // up to the last frame of the first half
  f.Pull(1000);                   // past the half
  EXPECT_EQ(log.WaitFor(2), (Calls{{kHalf, kHalf}, {0, kHalf}}));
  test::WaitIdle(stream);
  f.Pull(kHalfFrames - 1000);  // to the end of the ring
  f.Pull(2000);                // past 0 again
  EXPECT_EQ(log.WaitFor(3).size(), 3u);
  test::WaitIdle(stream);
  f.Pull(kHalfFrames);  // past the half again
  Calls all = log.WaitFor(4);
  EXPECT_EQ(all, (Calls{{kHalf, kHalf}, {0, kHalf}, {kHalf, kHalf}, {0, kHalf}}));
  test::WaitIdle(stream);
  // The refill line went through the message path once per refill.
  size_t lines = 0;
  for (const std::string& line : f.LogLines()) lines += line.ends_with(" ... バッファ更新イベント送信");
  EXPECT_EQ(lines, 4u);
  EXPECT_EQ(f.Halts, 0);
}

TEST(ZudezuNotifyThread, AStopArmsTheThreadAgain) {
  SoundFixture f({true, false, false});
  TZudezuWaveData stream(f.Zudezu, false, kSize, true, 16, 44100);
  RefillLog log;
  log.Wave = &stream;
  stream.SetFillCallback(&RefillLog::Fill, &log);
  TZudezuChannel& c = f.Zudezu.Channel(0);
  c.SetWaveData(&stream);
  c.PlayLoop();
  f.Pull(10);
  ASSERT_EQ(log.WaitFor(1).size(), 1u);
  test::WaitIdle(stream);
  // Stopped in the first half and started again: without the stop the
  // thread would still be disarmed and skip this second-half refill.
  c.Stop();
  test::WaitIdle(stream);
  c.PlayLoop();
  f.Pull(10);
  EXPECT_EQ(log.WaitFor(2), (Calls{{kHalf, kHalf}, {kHalf, kHalf}}));
  // Both refills saw the cursor in the first half.
  std::lock_guard lock(log.Mutex);
  for (uint32_t cursor : log.Cursors) EXPECT_LT(cursor, kHalf);
}

TEST(ZudezuNotifyThread, AnErrorInTheRefillStaysOnTheThread) {
  struct Thrower {
    std::mutex Mutex;
    std::condition_variable Changed;
    int Calls = 0;
    static void Fill(void* self, uint32_t, uint32_t) {
      auto* t = static_cast<Thrower*>(self);
      std::lock_guard lock(t->Mutex);
      ++t->Calls;
      t->Changed.notify_all();
      throw std::runtime_error("refill failed");
    }
    bool WaitFor(int n) {
      std::unique_lock lock(Mutex);
      return Changed.wait_for(lock, 20s, [&] { return Calls >= n; });
    }
  } thrower;  // outlives the stream and its thread
  SoundFixture f({false, false, true});
  TZudezuWaveData stream(f.Zudezu, false, 64, true, 16, 44100);
  stream.SetFillCallback(&Thrower::Fill, &thrower);
  f.Zudezu.Channel(0).SetWaveData(&stream);
  f.Zudezu.Channel(0).PlayLoop();
  f.Pull(1);
  // The refill threw, and ExceptOnError made the refill line throw as
  // well: the thread lives on and takes the next crossing.
  ASSERT_TRUE(thrower.WaitFor(1));
  test::WaitIdle(stream);
  f.Pull(8);
  EXPECT_TRUE(thrower.WaitFor(2));
}

}  // namespace
}  // namespace vuzed
