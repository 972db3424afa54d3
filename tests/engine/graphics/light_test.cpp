#include "engine/graphics/light.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/engine_fixture.h"

namespace vuzed {
namespace {

TEST(LightGroupTest, LightsReachTheDeviceAndEnabledOnesComeBackAfterAModeChange) {
  test::EngineFixture f;
  TVZLightGroup group(f.Device.get(), "Lights", 2);
  TVZLight& key = *group.Items(0);
  EXPECT_EQ(key.Light().Type, D3DLight::Directional);
  EXPECT_EQ(key.Light().Diffuse, (TColorValue{1, 1, 1, 0}));
  key.SetSpecular(4, 4, 4);
  EXPECT_EQ(f.Backend.Lights[0].Specular, (TColorValue{4, 4, 4, 1}));
  key.SetDirection(MakeVector(0.3f, 0.3f, 1));
  key.SetEnabled(true);
  group.Items(1)->SetDiffuse(6, 6, 6);  // sent, but never enabled
  EXPECT_TRUE(f.Backend.LightsEnabled[0]);
  EXPECT_EQ(f.Backend.LightsEnabled.count(1), 0u);

  f.Backend.Lights.clear();
  f.Backend.LightsEnabled.clear();
  f.Device->ChangeToFullScreen(640, 480, fmt::X8R8G8B8, {fmt::D16});
  ASSERT_EQ(f.Backend.Lights.count(0), 1u);
  EXPECT_EQ(f.Backend.Lights[0].Direction, MakeVector(0.3f, 0.3f, 1));
  EXPECT_TRUE(f.Backend.LightsEnabled[0]);
  EXPECT_EQ(f.Backend.Lights.count(1), 0u);

  EXPECT_EQ(group.Items(2), nullptr);
  EXPECT_EQ(group.Items(-1), nullptr);
  auto lines = f.LogLines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) {
                            return l.find("TVZLightGroup @ VZLib: 範囲外のライトを参照しようとしました") !=
                                   std::string::npos;
                          }),
            2);
}

}  // namespace
}  // namespace vuzed
