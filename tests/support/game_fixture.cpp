#include "support/game_fixture.h"

#include <gtest/gtest.h>

namespace vuzed::test {

GameFixture::GameFixture() = default;

GameFixture::~GameFixture() { Form.reset(); }

void GameFixture::Keys(const std::string& script) {
  std::string error;
  auto parsed = ScriptedInputSource::Parse(script, error);
  ASSERT_TRUE(parsed.has_value()) << error;
  int64_t pass = Input.Pass();
  Input = *parsed;
  Input.SetPass(pass);
}

void GameFixture::Start() {
  TPlatform platform;
  platform.Render = &Render;
  platform.Window = &Window;
  platform.Input = &Input;
  platform.Time = &Clock;
  platform.Audio = Audio;
  Form = std::make_unique<TForm1>(platform, Dir.Path());
  Form->Timer1Timer();
}

void GameFixture::RunTo(int64_t pass) {
  while (Pass < pass) {
    ++Pass;
    Clock.Now = double(Pass) / 60.0;
    Input.SetPass(Pass);
    Form->RunPass(float(Clock.Now));
  }
}

}  // namespace vuzed::test
