#include "shell/game_folders.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <system_error>

#include "engine/platform/file_resolver.h"

namespace vuzed {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDataFolder = "data";
constexpr const char* kSettingsName = "information.ini";
constexpr const char* kSettingsPath = "data\\information.ini";

bool HoldsData(const fs::path& root) {
  std::error_code ec;
  const std::optional<fs::path> data = FileResolver(root).Resolve(kDataFolder);
  return data && fs::is_directory(*data, ec);
}

// Writes the template's bytes beside `to` under a temporary name, then renames
// it into place, so a start cut short never leaves half a settings file.
bool CopyWhole(const fs::path& from, const fs::path& to, std::string& why) {
  std::ifstream in(from, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) {
    why = "cannot read " + from.string();
    return false;
  }
  std::string temp = (to.parent_path() / ("." + to.filename().string() + ".tmp-XXXXXX")).string();
  const int fd = mkstemp(temp.data());
  if (fd < 0) {
    why = "cannot write in " + to.parent_path().string() + ": " + std::strerror(errno);
    return false;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += size_t(n);
  }
  const bool written = done == bytes.size() && fsync(fd) == 0;
  const int error = errno;
  close(fd);
  if (!written || std::rename(temp.c_str(), to.c_str()) != 0) {
    why = "cannot write " + to.string() + ": " + std::strerror(written ? errno : error);
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

TGameFolders GameDirectoryFolders(const fs::path& root) {
  TGameFolders folders;
  folders.Root = root;
  folders.LogDirectory = root;
  return folders;
}

std::optional<fs::path> InstalledRoot(const fs::path& executableDirectory) {
  if (executableDirectory.empty()) return std::nullopt;
  const fs::path root = (executableDirectory / ".." / "share" / "vuzed").lexically_normal();
  if (!HoldsData(root)) return std::nullopt;
  return root;
}

TGameFolders InstalledFolders(const fs::path& installedRoot, const fs::path& saveDirectory, std::ostream& err) {
  TGameFolders folders;
  folders.Root = installedRoot;
  folders.Installed = true;
  const std::optional<fs::path> templ = FileResolver(installedRoot).Resolve(kSettingsPath);
  auto readTemplate = [&](const std::string& why) {
    err << "vuzed: " << why << "; the settings are read from the installed "
        << (templ ? templ->string() : installedRoot.string() + "/data/information.ini")
        << " and no settings or records are saved\n";
    if (templ) folders.SettingsFile = *templ;
    folders.SavesSettings = false;
    folders.LogDirectory = saveDirectory.empty() ? installedRoot : saveDirectory;
    return folders;
  };
  if (saveDirectory.empty()) return readTemplate("no save directory (neither XDG_DATA_HOME nor HOME is set)");

  std::error_code ec;
  fs::create_directories(saveDirectory, ec);
  if (ec) return readTemplate("cannot make " + saveDirectory.string() + ": " + ec.message());
  folders.LogDirectory = saveDirectory;
  folders.SettingsFile = saveDirectory / kSettingsName;
  if (fs::exists(folders.SettingsFile, ec) || !templ) return folders;
  std::string why;
  if (!CopyWhole(*templ, folders.SettingsFile, why)) return readTemplate(why);
  return folders;
}

TGameFolders ChooseGameFolders(const fs::path& gameDirectory, const fs::path& executableDirectory,
                               const fs::path& saveDirectory, std::ostream& err) {
  if (HoldsData(gameDirectory)) return GameDirectoryFolders(gameDirectory);
  if (std::optional<fs::path> installed = InstalledRoot(executableDirectory))
    return InstalledFolders(*installed, saveDirectory, err);
  return GameDirectoryFolders(gameDirectory);
}

}  // namespace vuzed
