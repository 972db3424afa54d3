#include "state/settings_file.h"

#include <algorithm>
#include <istream>
#include <iterator>
#include <limits>
#include <optional>
#include <ostream>
#include <string_view>

#include "state/ini_file.h"

namespace vuzed {
namespace {

// Reads one integer key; a value that is not a number counts as missing and
// is reported.
class SettingsReader {
 public:
  SettingsReader(const TIniFile& ini, std::string fileName, std::vector<std::string>* warnings)
      : Ini_(ini), FileName_(std::move(fileName)), Warnings_(warnings) {}

  int32_t Integer(std::string_view section, std::string_view key) const {
    std::optional<std::string> text = Ini_.Value(section, key);
    if (!text) return 0;
    if (auto v = TIniFile::ParseInteger(*text)) return *v;
    if (Warnings_) {
      Warnings_->push_back(FileName_ + ": [" + std::string(section) + "] " + std::string(key) +
                           ": not a number: \"" + *text + "\"");
    }
    return 0;
  }
  bool Bool(std::string_view section, std::string_view key) const {
    return Integer(section, key) != 0;
  }

  // The [Keys] section, taken whole or not at all.
  TKeyMap Keys() const {
    std::optional<std::vector<TIniFile::Entry>> lines = Ini_.SectionEntries("Keys");
    if (!lines) return TKeyMap::Defaults();
    std::vector<TKeyEntry> entries;
    for (const TIniFile::Entry& line : *lines) entries.push_back({line.Key, line.Value, line.Line});
    std::string error;
    if (std::optional<TKeyMap> map = ParseKeyMap(entries, error)) return *map;
    if (Warnings_) {
      Warnings_->push_back(FileName_ + ":" + error +
                           " (the [Keys] section is ignored; the default keys are used)");
    }
    return TKeyMap::Defaults();
  }

 private:
  const TIniFile& Ini_;
  std::string FileName_;
  std::vector<std::string>* Warnings_;
};

}  // namespace

std::vector<std::string> ScoreKeyNames() {
  // (g, number of tables b) in file order; rank k = 1..4 runs innermost.
  constexpr int kGroups[][2] = {{1, 4}, {2, 4}, {3, 1}};
  std::vector<std::string> names;
  names.reserve(kScoreKeyCount);
  for (const auto& group : kGroups) {
    for (int b = 1; b <= group[1]; ++b) {
      for (int k = 1; k <= 4; ++k) {
        names.push_back("Score" + std::to_string(group[0]) + "_" + std::to_string(b) + "_" +
                        std::to_string(k));
      }
    }
  }
  return names;
}

namespace {

TSettings ReadSettingsFromIni(const TIniFile& ini, const std::string& fileName, std::vector<std::string>* warnings) {
  SettingsReader read(ini, fileName, warnings);
  TSettings s;
  s.FullScreen = read.Bool("Screen", "FullScreen");
  std::vector<std::string> keys = ScoreKeyNames();
  for (int i = 0; i < kScoreKeyCount; ++i) s.ScoreTable[i] = read.Integer("Score", keys[i]);
  s.AllCrear = read.Bool("Score", "AllCrear");
  s.WhetherExtraOpen = read.Bool("Score", "WhetherExtraOpen");
  s.AllTime = read.Integer("SystemResult", "AllTime");
  s.PlayTime = read.Integer("SystemResult", "PlayTime");
  s.WhetherMusic = read.Bool("Sound", "WhetherMusic");
  s.MusicVolume = read.Integer("Sound", "MusicVolume");
  s.SEVolume = read.Integer("Sound", "SEVolume");
  s.Keys = read.Keys();
  return s;
}

// A value the game could not read was taken as 0; while it still is, the
// player's text stays as it stands.
void WriteSettingsIntoIni(TIniFile& ini, const TSettings& settings, int32_t allTimeToWrite) {
  const auto write = [&ini](std::string_view section, std::string_view key, int32_t value) {
    const std::optional<std::string> old = ini.Value(section, key);
    if (value == 0 && old && !TIniFile::ParseInteger(*old)) return;
    ini.WriteInteger(section, key, value);
  };
  write("Screen", "FullScreen", settings.FullScreen ? 1 : 0);
  ini.WriteInteger("Screen", "ScreenMode", 32);
  ini.WriteString("Draw", "DrawTime", "all");
  std::vector<std::string> keys = ScoreKeyNames();
  for (int i = 0; i < kScoreKeyCount; ++i) write("Score", keys[i], settings.ScoreTable[i]);
  write("Score", "WhetherExtraOpen", settings.WhetherExtraOpen ? 1 : 0);
  write("SystemResult", "AllTime", allTimeToWrite);
  write("SystemResult", "PlayTime", settings.PlayTime);
}

std::string ReadAll(std::istream& in) {
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

bool ReadSettings(const std::filesystem::path& file, TSettings& out,
                  std::vector<std::string>* warnings) {
  std::optional<TIniFile> ini = TIniFile::Load(file);
  if (!ini) return false;
  out = ReadSettingsFromIni(*ini, file.filename().string(), warnings);
  return true;
}

bool ReadSettingsFrom(std::istream& in, const std::string& fileName, TSettings& out,
                      std::vector<std::string>* warnings) {
  const std::string text = ReadAll(in);
  if (in.bad()) return false;
  out = ReadSettingsFromIni(TIniFile::FromText(text), fileName, warnings);
  return true;
}

bool WriteSettingsTo(std::istream& in, std::ostream& out, const TSettings& settings, int32_t allTimeToWrite) {
  const std::string text = ReadAll(in);
  if (in.bad()) return false;
  TIniFile ini = TIniFile::FromText(text);
  WriteSettingsIntoIni(ini, settings, allTimeToWrite);
  out << ini.Text();
  return bool(out);
}

bool SaveSettings(const std::filesystem::path& file, const TSettings& settings,
                  int32_t allTimeToWrite, std::string* why) {
  std::optional<TIniFile> ini = TIniFile::Load(file);
  if (!ini) {
    if (why) *why = "the file cannot be read";
    return false;
  }
  WriteSettingsIntoIni(*ini, settings, allTimeToWrite);
  return ini->Save(file, why);
}

int32_t AccumulatePlayTime(int32_t allTime, int64_t nowMs, int64_t startMs) {
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  // Unsigned difference: defined for any two 64-bit times.
  uint64_t elapsed = nowMs > startMs ? uint64_t(nowMs) - uint64_t(startMs) : 0;
  elapsed = std::min<uint64_t>(elapsed, uint64_t(kMax) - uint64_t(kMin));
  int64_t total = int64_t(allTime) + int64_t(elapsed);
  return int32_t(std::clamp(total, kMin, kMax));
}

}  // namespace vuzed
