// libFuzzer: the settings file on arbitrary bytes, all in memory (no file is
// read or written). The bytes are read as the file; the settings read are
// written back into the same text, and reading that result must give back
// every value the game writes. Writing again must change nothing.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "state/settings_file.h"

namespace {

using vuzed::TSettings;

TSettings Read(const std::string& text) {
  std::istringstream in(text);
  TSettings settings;
  std::vector<std::string> warnings;
  if (!vuzed::ReadSettingsFrom(in, "information.ini", settings, &warnings)) std::abort();
  return settings;
}

std::string Write(const std::string& text, const TSettings& settings) {
  std::istringstream in(text);
  std::ostringstream out;
  if (!vuzed::WriteSettingsTo(in, out, settings, settings.AllTime)) std::abort();
  return out.str();
}

// The values the game writes back.
bool SameWritten(const TSettings& a, const TSettings& b) {
  return a.FullScreen == b.FullScreen && a.ScoreTable == b.ScoreTable && a.WhetherExtraOpen == b.WhetherExtraOpen &&
         a.AllTime == b.AllTime && a.PlayTime == b.PlayTime;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const TSettings settings = Read(text);
  const std::string written = Write(text, settings);
  if (!SameWritten(Read(written), settings)) std::abort();
  if (Write(written, settings) != written) std::abort();
  return 0;
}
