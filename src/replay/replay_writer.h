#pragma once
// Writes a replay in the file format of docs/replays.md.

#include <filesystem>
#include <string>

#include "replay/replay.h"

namespace vuzed {

std::string EncodeReplay(const TReplay& replay);
// Writes to a temporary file beside the target and renames it, so a replay
// on disk is always whole. False, with a message, when it cannot be written.
bool WriteReplayFile(const std::filesystem::path& path, const TReplay& replay, std::string& error);

}  // namespace vuzed
