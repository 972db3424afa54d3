#pragma once
// Reads a replay file (docs/replays.md) with every size, count and order
// checked against the bytes that are there: a wrong magic or version, a
// truncated or damaged file gives a one-line message and nothing else.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "replay/replay.h"

namespace vuzed {

std::optional<TReplay> DecodeReplay(std::string_view bytes, std::string& error);
// The file's name is put in front of the message ("FILE: text").
std::optional<TReplay> ReadReplayFile(const std::filesystem::path& path, std::string& error);

}  // namespace vuzed
