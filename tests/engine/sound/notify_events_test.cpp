#include "engine/sound/notify_events.h"

#include <gtest/gtest.h>

#include <thread>

namespace vuzed {
namespace {

using namespace std::chrono_literals;

TEST(ZudezuEvents, EventsAreTakenInTheOrderTheyWereSetAndCountOnce) {
  TZudezuEvents events;
  EXPECT_EQ(events.Wait(0ms), TZudezuEvents::None);
  // A stop followed by a new start's crossing: the stop comes first.
  events.Set(TZudezuEvents::Stopped);
  events.Set(TZudezuEvents::OffsetZero);
  events.Set(TZudezuEvents::Stopped);
  events.Set(7);
  EXPECT_TRUE(events.Busy());
  EXPECT_EQ(events.Wait(0ms), TZudezuEvents::Stopped);
  events.Done();
  EXPECT_EQ(events.Wait(0ms), TZudezuEvents::OffsetZero);
  EXPECT_EQ(events.Wait(0ms), TZudezuEvents::None);
  // Taken but not yet handled is still busy.
  EXPECT_TRUE(events.Busy());
  events.Done();
  EXPECT_FALSE(events.Busy());
}

TEST(ZudezuEvents, AWaiterWakesForAnEventAndForInterrupt) {
  TZudezuEvents events;
  std::thread setter([&] { events.Set(TZudezuEvents::Half); });
  EXPECT_EQ(events.Wait(20s), TZudezuEvents::Half);
  setter.join();
  std::thread stopper([&] { events.Interrupt(); });
  EXPECT_EQ(events.Wait(20s), TZudezuEvents::None);
  stopper.join();
  // Once interrupted, nothing more is handed out.
  events.Set(TZudezuEvents::OffsetZero);
  EXPECT_EQ(events.Wait(0ms), TZudezuEvents::None);
  EXPECT_FALSE(events.Busy());
}

}  // namespace
}  // namespace vuzed
