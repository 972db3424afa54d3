#pragma once
// Options of `vuzed-tool run`: parsed from the command line, checked, and
// kept as plain values.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vuzed {

struct TScreenshotRequest {
  int64_t Pass = 0;
  std::string File;
};

struct TRunOptions {
  std::string Root = ".";
  bool RootGiven = false;
  int32_t Stage = 1;
  bool StageGiven = false;
  bool Boot = false;
  int64_t Frames = 600;
  bool FramesGiven = false;
  uint32_t Seed = 1;
  bool SeedGiven = false;
  std::string InputFile;
  std::string RecordFile;  // write the replay of the run's game here
  std::string ReplayFile;  // play this replay instead of a stage
  bool Verify = false;     // compare the replay's checksums as it plays
  bool Dump = false;
  int64_t Trace = 0;
  bool Invincible = false;
  std::string RssLog;  // resident memory samples go here (shell/rss_log.h)
  bool Autoplay = false;
  bool VideoGl = false;
  bool Stats = false;  // speed, drawing and peak object counts on stderr at the end
  std::vector<TScreenshotRequest> Screenshots;
  bool Help = false;
};

// Parses the arguments after "run". On a bad argument returns nothing and
// sets error to a one-line message.
std::optional<TRunOptions> ParseRunOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kRunHelp;

}  // namespace vuzed
