#include "support/sound_fixture.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

namespace vuzed::test {

SoundFixture::SoundFixture(TZudezuDebugOptions options, int channels, bool device)
    : Backend(device), Zudezu(&Backend) {
  Zudezu.SetDebugOption(options);
  Zudezu.SetChannelCount(channels);
  Zudezu.SetLogDirectory(Dir.Path());
  Zudezu.SetHaltHandler([this] { ++Halts; });
  Zudezu.Loaded();
}

std::vector<std::string> SoundFixture::LogLines() const {
  std::vector<std::string> lines;
  std::ifstream in(Dir.Path() / TZudezuLog::FileName, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::string SoundFixture::File(const std::string& relative, const std::string& bytes) const {
  return Dir.Write(relative, bytes).string();
}

void WaitIdle(const TZudezuGenWave& stream) {
  using namespace std::chrono_literals;
  for (int i = 0; i < 30000 && stream.NotificationsPending(); ++i) std::this_thread::sleep_for(1ms);
  ASSERT_FALSE(stream.NotificationsPending()) << "the refill thread never caught up";
}

bool Silent(const std::vector<int16_t>& samples) {
  return std::all_of(samples.begin(), samples.end(), [](int16_t s) { return s == 0; });
}

}  // namespace vuzed::test
