#include "shell/run_options.h"

#include <gtest/gtest.h>

namespace vuzed {
namespace {

std::optional<TRunOptions> Parse(std::vector<std::string> args, std::string* errorOut = nullptr) {
  std::string error;
  auto o = ParseRunOptions(args, error);
  if (errorOut) *errorOut = error;
  return o;
}

TEST(RunOptions, DefaultsAndEveryOption) {
  auto d = Parse({});
  ASSERT_TRUE(d);
  EXPECT_EQ(d->Stage, 1);
  EXPECT_EQ(d->Frames, 600);
  EXPECT_EQ(d->Seed, 1u);
  EXPECT_FALSE(d->Boot);
  EXPECT_EQ(d->Root, ".");
  EXPECT_FALSE(d->RootGiven);  // the current directory or the installed game

  auto o = Parse({"--root", "r", "--stage", "10", "--frames", "5", "--seed", "4294967295", "--input", "keys.txt",
                  "--dump", "--trace", "2", "--invincible", "--video", "gl", "--screenshot", "3:a.png",
                  "--screenshot", "4:b.bmp"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->Root, "r");
  EXPECT_TRUE(o->RootGiven);
  EXPECT_EQ(o->Stage, 10);
  EXPECT_EQ(o->Frames, 5);
  EXPECT_EQ(o->Seed, 4294967295u);
  EXPECT_EQ(o->InputFile, "keys.txt");
  EXPECT_TRUE(o->Dump && o->Invincible && o->VideoGl);
  EXPECT_EQ(o->Trace, 2);
  ASSERT_EQ(o->Screenshots.size(), 2u);
  EXPECT_EQ(o->Screenshots[1].Pass, 4);
  EXPECT_EQ(o->Screenshots[1].File, "b.bmp");
}

TEST(RunOptions, BadArgumentsAreRefusedWithAReason) {
  std::string error;
  EXPECT_FALSE(Parse({"--stage", "2", "--boot"}, &error));
  EXPECT_NE(error.find("--boot"), std::string::npos);
  EXPECT_FALSE(Parse({"--frames", "ten"}, &error));
  EXPECT_FALSE(Parse({"--frames", "-1"}));
  EXPECT_FALSE(Parse({"--seed", "4294967296"}));
  EXPECT_FALSE(Parse({"--frames"}));
  EXPECT_FALSE(Parse({"--video", "vulkan"}));
  EXPECT_FALSE(Parse({"--screenshot", "3:x.png"}));  // needs --video gl
  EXPECT_FALSE(Parse({"--video", "gl", "--screenshot", "0:x.png"}));
  EXPECT_FALSE(Parse({"--video", "gl", "--screenshot", "3:"}));
  EXPECT_FALSE(Parse({"--trace", "0"}));
  EXPECT_FALSE(Parse({"--fast"}, &error));
  EXPECT_NE(error.find("--fast"), std::string::npos);
}

}  // namespace
}  // namespace vuzed
