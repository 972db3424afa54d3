#include "engine/sound/mixer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/sound/notify_events.h"

namespace vuzed {
namespace {

// Frames whose left sample is its index and right sample minus its index.
std::shared_ptr<const PcmFrames> Ramp(size_t frames) {
  auto samples = std::make_shared<PcmFrames>(frames * 2);
  for (size_t i = 0; i < frames; ++i) {
    (*samples)[2 * i] = int16_t(i);
    (*samples)[2 * i + 1] = int16_t(-int(i));
  }
  return samples;
}

std::shared_ptr<const PcmFrames> Constant(size_t frames, int16_t value) {
  return std::make_shared<PcmFrames>(frames * 2, value);
}

std::vector<int16_t> MixFrames(Mixer& mixer, size_t frames) {
  std::vector<int16_t> out(frames * 2, 12345);
  mixer.Mix(out.data(), frames);
  return out;
}

TEST(Mixer, TwoBuffersOfOneSoundKeepTheirOwnCursors) {
  Mixer mixer(2);
  auto samples = Ramp(100);
  auto a = std::make_shared<MixBuffer>(samples);
  auto b = std::make_shared<MixBuffer>(samples);
  mixer.SetSlot(0, a);
  mixer.SetSlot(1, b);
  mixer.Play(*a, false);
  MixFrames(mixer, 10);
  mixer.Play(*b, false);
  auto out = MixFrames(mixer, 2);
  // a plays frames 10 and 11, b frames 0 and 1.
  EXPECT_EQ(out, (std::vector<int16_t>{10, -10, 12, -12}));
  EXPECT_EQ(mixer.PlayPosition(*a), 12u);
  EXPECT_EQ(mixer.PlayPosition(*b), 2u);
}

TEST(Mixer, ABufferInTwoSlotsIsMixedOnce) {
  Mixer mixer(2);
  auto a = std::make_shared<MixBuffer>(Ramp(10));
  mixer.SetSlot(0, a);
  mixer.SetSlot(1, a);
  mixer.Play(*a, false);
  EXPECT_EQ(MixFrames(mixer, 2), (std::vector<int16_t>{0, 0, 1, -1}));
  EXPECT_EQ(mixer.PlayPosition(*a), 2u);
}

TEST(Mixer, VolumeIsTenToTheHundredthsOfADecibelOver2000AndTheSumIsClipped) {
  Mixer mixer(3);
  auto a = std::make_shared<MixBuffer>(Constant(8, 10000));
  mixer.SetSlot(0, a);
  mixer.SetVolume(*a, -1000);
  mixer.Play(*a, true);
  auto out = MixFrames(mixer, 4);
  for (int16_t s : out) EXPECT_NEAR(s, 10000 * std::pow(10.0, -0.5), 1.0);

  mixer.SetVolume(*a, -10000);
  EXPECT_EQ(MixFrames(mixer, 2), (std::vector<int16_t>{0, 0, 0, 0}));
  // Out-of-range volumes are held to the range: above 0 is full volume.
  mixer.SetVolume(*a, 500);
  EXPECT_EQ(MixFrames(mixer, 1)[0], 10000);

  auto loud = std::make_shared<MixBuffer>(Constant(8, 30000));
  mixer.SetSlot(1, loud);
  mixer.Play(*loud, true);
  EXPECT_EQ(MixFrames(mixer, 1)[0], 32767);
  auto low1 = std::make_shared<MixBuffer>(Constant(8, -30000));
  auto low2 = std::make_shared<MixBuffer>(Constant(8, -30000));
  mixer.SetSlot(0, nullptr);
  mixer.SetSlot(1, low1);
  mixer.SetSlot(2, low2);
  mixer.Play(*low1, true);
  mixer.Play(*low2, true);
  EXPECT_EQ(MixFrames(mixer, 1)[0], -32768);
}

TEST(Mixer, StatusPlayOnceLoopAndStop) {
  Mixer mixer(1);
  auto a = std::make_shared<MixBuffer>(Ramp(4));
  mixer.SetSlot(0, a);
  EXPECT_EQ(mixer.Status(*a), 0);
  mixer.Play(*a, false);
  EXPECT_EQ(mixer.Status(*a), 1);
  // Once: the sound ends after its last frame and the rest is silence.
  EXPECT_EQ(MixFrames(mixer, 6), (std::vector<int16_t>{0, 0, 1, -1, 2, -2, 3, -3, 0, 0, 0, 0}));
  EXPECT_EQ(mixer.Status(*a), 0);

  mixer.Play(*a, true);
  EXPECT_EQ(mixer.Status(*a), 5);
  EXPECT_EQ(MixFrames(mixer, 6), (std::vector<int16_t>{0, 0, 1, -1, 2, -2, 3, -3, 0, 0, 1, -1}));
  mixer.Stop(*a);
  EXPECT_EQ(mixer.Status(*a), 0);
  EXPECT_EQ(mixer.PlayPosition(*a), 2u);
  EXPECT_EQ(MixFrames(mixer, 1), (std::vector<int16_t>{0, 0}));
  EXPECT_EQ(mixer.PlayPosition(*a), 2u);
  // Play starts again from the beginning.
  mixer.Play(*a, false);
  EXPECT_EQ(MixFrames(mixer, 1), (std::vector<int16_t>{0, 0}));
  EXPECT_EQ(mixer.PlayPosition(*a), 1u);
}

TEST(Mixer, StreamRingWritesWrapAndPlayLittleEndianStereo) {
  Mixer mixer(1);
  auto ring = std::make_shared<MixBuffer>(16, nullptr);  // four frames, no notifications
  mixer.SetSlot(0, ring);
  const uint8_t bytes[8] = {1, 0, 2, 0, 0xFF, 0xFF, 0x00, 0x80};
  // The last frame of the ring, then the first.
  EXPECT_TRUE(mixer.Write(*ring, 12, bytes, 8));
  EXPECT_FALSE(mixer.Write(*ring, 16, bytes, 1));
  EXPECT_FALSE(mixer.Write(*ring, 0, bytes, 17));
  mixer.Play(*ring, true);
  EXPECT_EQ(MixFrames(mixer, 4), (std::vector<int16_t>{-1, -32768, 0, 0, 0, 0, 1, 2}));

  Mixer other(1);
  auto still = std::make_shared<MixBuffer>(Ramp(2));
  EXPECT_FALSE(other.Write(*still, 0, bytes, 4));
}

TEST(Mixer, StreamEventsFireWhenTheCursorReachesZeroAndTheHalfAndOnStop) {
  using namespace std::chrono_literals;
  Mixer mixer(1);
  auto events = std::make_shared<TZudezuEvents>();
  auto ring = std::make_shared<MixBuffer>(16, events);
  mixer.SetSlot(0, ring);
  // Takes the next event as the refill thread would, and handles it.
  auto take = [&] {
    int event = events->Wait(0ms);
    if (event != TZudezuEvents::None) events->Done();
    return event;
  };
  mixer.Play(*ring, true);
  MixFrames(mixer, 1);
  EXPECT_EQ(take(), TZudezuEvents::OffsetZero);
  EXPECT_EQ(take(), TZudezuEvents::None);
  MixFrames(mixer, 1);
  EXPECT_EQ(take(), TZudezuEvents::None);
  MixFrames(mixer, 1);  // frame 2 starts the second half
  EXPECT_EQ(take(), TZudezuEvents::Half);
  EXPECT_EQ(mixer.PlayCursorBytes(*ring), 12u);
  MixFrames(mixer, 2);  // frame 3, then frame 0 again
  EXPECT_EQ(take(), TZudezuEvents::OffsetZero);
  mixer.Stop(*ring);
  EXPECT_EQ(take(), TZudezuEvents::Stopped);
  // Stopping a stopped buffer is no new stop.
  mixer.Stop(*ring);
  EXPECT_EQ(take(), TZudezuEvents::None);
}

TEST(Mixer, AStreamHoldsAtItsNextNotificationPointUntilTheLastOneWasHandled) {
  using namespace std::chrono_literals;
  Mixer mixer(1);
  auto events = std::make_shared<TZudezuEvents>();
  auto ring = std::make_shared<MixBuffer>(16, events);
  const uint8_t bytes[16] = {1, 0, 1, 0, 2, 0, 2, 0, 3, 0, 3, 0, 4, 0, 4, 0};
  mixer.Write(*ring, 0, bytes, 16);
  mixer.SetSlot(0, ring);
  mixer.Play(*ring, true);
  // Offset 0 is signalled and not yet handled: frames 0 and 1 play, the
  // half waits.
  EXPECT_EQ(MixFrames(mixer, 4), (std::vector<int16_t>{1, 1, 2, 2, 0, 0, 0, 0}));
  EXPECT_EQ(mixer.PlayPosition(*ring), 2u);
  ASSERT_EQ(events->Wait(0ms), TZudezuEvents::OffsetZero);
  EXPECT_EQ(MixFrames(mixer, 1), (std::vector<int16_t>{0, 0}));  // taken, still being handled
  events->Done();
  EXPECT_EQ(MixFrames(mixer, 2), (std::vector<int16_t>{3, 3, 4, 4}));
  // Without anyone to handle them, events hold nothing.
  events->Interrupt();
  EXPECT_EQ(MixFrames(mixer, 4), (std::vector<int16_t>{1, 1, 2, 2, 3, 3, 4, 4}));
}

}  // namespace
}  // namespace vuzed
