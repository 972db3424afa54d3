#pragma once
// The player's settings and records, "data\information.ini".
//
// Read once at start-up and written once at a normal exit, through TIniFile
// so comments and keys the game does not know survive. The game never
// creates the file: without it nothing is read and nothing is saved.
//
// Keys (booleans are integers, non-zero true; written as "1"/"0"):
//   [Screen]       FullScreen (read, written), ScreenMode (written as 32)
//   [Draw]         DrawTime (written as "all")
//   [Score]        the 36 keys of ScoreKeyNames (read, written),
//                  AllCrear (read only), WhetherExtraOpen (read, written)
//   [SystemResult] AllTime in milliseconds (read, written accumulated),
//                  PlayTime (read, written)
//   [Sound]        WhetherMusic, MusicVolume, SEVolume (read only)
//   [Keys]         the player's keys (engine/input/key_map.h; read only, so
//                  the section stays as the player wrote it)
// A missing key reads as 0 (false); so does a value that is not a whole
// number, which also produces a warning. A [Keys] section with a fault is
// ignored whole, with one warning naming its line; the default keys stay.

#include <array>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "engine/input/key_map.h"

namespace vuzed {

constexpr int kScoreKeyCount = 36;

struct TSettings {
  bool FullScreen = false;
  // In the order of ScoreKeyNames.
  std::array<int32_t, kScoreKeyCount> ScoreTable{};
  bool AllCrear = false;
  bool WhetherExtraOpen = false;
  int32_t AllTime = 0;  // milliseconds the program has run, over all runs
  int32_t PlayTime = 0;
  bool WhetherMusic = false;
  int32_t MusicVolume = 0;
  int32_t SEVolume = 0;
  TKeyMap Keys = TKeyMap::Defaults();
};

// "Score<g>_<b>_<k>" with rank k = 1..4 innermost: Score1_1_1 .. Score1_4_4
// (main stages 1 to 4), Score2_1_1 .. Score2_4_4 (stored, never updated),
// Score3_1_1 .. Score3_1_4 (the stage of type 5). This order is also the
// order of TSettings::ScoreTable and never changes.
std::vector<std::string> ScoreKeyNames();

// Reads every setting in the game's order. False, with `out` untouched, when
// the file does not exist or cannot be read. Values that are not numbers
// add one message each to `warnings` (when given), and so does a faulty
// [Keys] section ("information.ini:LINE: text").
bool ReadSettings(const std::filesystem::path& file, TSettings& out,
                  std::vector<std::string>* warnings);

// The same from the text of a stream, with fileName naming it in the
// warnings. False, with `out` untouched, when the stream cannot be read.
bool ReadSettingsFrom(std::istream& in, const std::string& fileName, TSettings& out,
                      std::vector<std::string>* warnings);

// Writes FullScreen, ScreenMode, DrawTime, the scores, WhetherExtraOpen,
// AllTime (= allTimeToWrite) and PlayTime into the existing file, replacing
// it atomically. A key whose value could not be read, and which the game
// still holds as the 0 it read instead, keeps the text the player wrote.
// False, with the reason in `why` when given, when the file does not exist
// or cannot be replaced (a read-only file is never replaced).
bool SaveSettings(const std::filesystem::path& file, const TSettings& settings,
                  int32_t allTimeToWrite, std::string* why = nullptr);

// allTime + (nowMs - startMs), the running-time counter to save. Computed in
// 64 bits and held within 32-bit range (a long life saturates at the largest
// count instead of turning negative); a clock that went backwards adds nothing.
// The file text read from `in` with the settings written into it as
// SaveSettings writes them, onto `out`. False when `in` cannot be read or
// `out` fails.
bool WriteSettingsTo(std::istream& in, std::ostream& out, const TSettings& settings,
                     int32_t allTimeToWrite);

int32_t AccumulatePlayTime(int32_t allTime, int64_t nowMs, int64_t startMs);

}  // namespace vuzed
