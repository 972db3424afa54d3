#pragma once
// Where the game keeps what it writes for the player beside its records:
// $XDG_DATA_HOME/vuzed, or ~/.local/share/vuzed when XDG_DATA_HOME is unset,
// empty or relative (the XDG base directory rules).

#include <filesystem>

namespace vuzed {

// From the environment; empty when neither XDG_DATA_HOME nor HOME helps.
std::filesystem::path SaveDirectory();
// The same from the two values as given (null for unset).
std::filesystem::path SaveDirectoryFrom(const char* xdgDataHome, const char* home);

}  // namespace vuzed
