#include "replay/replay_folder.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "replay/replay_writer.h"

namespace vuzed {

std::string DatedReplayName(std::time_t when, int32_t stageType) {
  std::tm local{};
  localtime_r(&when, &local);
  char date[32];
  std::strftime(date, sizeof date, "%Y-%m-%d_%H-%M-%S", &local);
  return std::string(date) + "_stage" + std::to_string(stageType);
}

std::optional<std::filesystem::path> SaveToReplayFolder(const std::filesystem::path& folder, const TReplay& replay,
                                                        std::time_t when, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "cannot create " + folder.string() + ": " + ec.message();
    return std::nullopt;
  }
  const std::string name = DatedReplayName(when, replay.StageType);
  std::filesystem::path path = folder / (name + kReplayExtension);
  for (int n = 2; std::filesystem::exists(path, ec) && n < 1000; ++n)
    path = folder / (name + "_" + std::to_string(n) + kReplayExtension);
  if (!WriteReplayFile(path, replay, error)) return std::nullopt;
  PruneReplayFolder(folder, kKeptReplays);
  return path;
}

void PruneReplayFolder(const std::filesystem::path& folder, size_t keep) {
  std::error_code ec;
  std::vector<std::filesystem::path> replays;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec) && it->path().extension() == kReplayExtension) replays.push_back(it->path());
  }
  if (replays.size() <= keep) return;
  std::sort(replays.begin(), replays.end(),
            [](const auto& a, const auto& b) { return a.filename().string() < b.filename().string(); });
  for (size_t i = 0; i + keep < replays.size(); ++i) std::filesystem::remove(replays[i], ec);
}

}  // namespace vuzed
