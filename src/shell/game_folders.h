#pragma once
// Where the game reads its content and keeps what it writes. Two layouts:
//
// A game directory (the build directory, a copy of the game, `vuzed-tool run
// --root DIR`): DIR/data/ holds the content and the player's settings and
// records, "data\information.ini"; the engine logs are written into DIR.
//
// An installed game: the content in <prefix>/share/vuzed/data/, found from
// the program's own folder as <prefix>/bin/../share/vuzed; the settings and
// records in <save dir>/information.ini, copied from the installed
// data/information.ini (the template, never written) when the save directory
// has none yet; the engine logs in the save directory.

#include <filesystem>
#include <iosfwd>
#include <optional>

namespace vuzed {

struct TGameFolders {
  std::filesystem::path Root;          // the folder that holds data/
  std::filesystem::path SettingsFile;  // empty: "data\information.ini" below Root
  std::filesystem::path LogDirectory;
  bool Installed = false;
  // False when an installed game reads the template because it has no save
  // directory to keep its own copy in: nothing is then saved.
  bool SavesSettings = true;
};

// The game directory layout of root.
TGameFolders GameDirectoryFolders(const std::filesystem::path& root);

// <executableDirectory>/../share/vuzed, when it holds data/.
std::optional<std::filesystem::path> InstalledRoot(const std::filesystem::path& executableDirectory);

// The installed layout. Makes the save directory and copies the template into
// it when it has no settings file yet (a file already there is the player's
// and is never replaced). When that cannot be done (no save directory known,
// no right to write there) the template is read and nothing is saved; `err`
// says why.
TGameFolders InstalledFolders(const std::filesystem::path& installedRoot, const std::filesystem::path& saveDirectory,
                              std::ostream& err);

// The game directory when it holds data/; else the installed game found from
// executableDirectory; else the game directory all the same (a game without
// its content starts with nothing loaded, as a missing file leaves it).
TGameFolders ChooseGameFolders(const std::filesystem::path& gameDirectory,
                               const std::filesystem::path& executableDirectory,
                               const std::filesystem::path& saveDirectory, std::ostream& err);

}  // namespace vuzed
