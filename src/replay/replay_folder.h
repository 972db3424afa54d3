#pragma once
// The folder of saved replays, <save dir>/replays/: one file per finished
// game, named by the local date and time it ended and its first stage
// ("2026-12-08_15-40-07_stage1.vzr", "_2" and on added when that name is
// taken). Only the newest kKeptReplays are kept: the names sort by date, and
// the oldest go when a new one is saved. Other files in the folder are left
// alone.

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "replay/replay.h"

namespace vuzed {

constexpr size_t kKeptReplays = 50;
constexpr const char* kReplayExtension = ".vzr";

// The file name for a game that ended at `when` (local time), without a suffix.
std::string DatedReplayName(std::time_t when, int32_t stageType);

// Creates the folder if needed, writes the replay and prunes the folder.
// Returns the file written, or nothing with a message.
std::optional<std::filesystem::path> SaveToReplayFolder(const std::filesystem::path& folder, const TReplay& replay,
                                                        std::time_t when, std::string& error);

// Removes the oldest replays of the folder beyond the newest `keep`.
void PruneReplayFolder(const std::filesystem::path& folder, size_t keep);

}  // namespace vuzed
