#include "support/engine_fixture.h"

#include <fstream>

namespace vuzed::test {

EngineFixture::EngineFixture(EngineLogOptions options, bool load) {
  Device = std::make_unique<TDovivez>(Backend, Window);
  Device->SetLogDirectory(Dir.Path());
  Device->SetDebugOption(options);
  if (load) Device->Loaded();
}

EngineFixture::~EngineFixture() { Device.reset(); }

std::vector<std::string> EngineFixture::LogLines() const {
  std::vector<std::string> lines;
  std::ifstream in(Dir.Path() / EngineLog::FileName, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

bool EngineFixture::LogExists() const { return std::filesystem::exists(Dir.Path() / EngineLog::FileName); }

}  // namespace vuzed::test
