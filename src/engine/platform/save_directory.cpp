#include "engine/platform/save_directory.h"

#include <cstdlib>

namespace vuzed {

std::filesystem::path SaveDirectoryFrom(const char* xdgDataHome, const char* home) {
  if (xdgDataHome && *xdgDataHome && std::filesystem::path(xdgDataHome).is_absolute())
    return std::filesystem::path(xdgDataHome) / "vuzed";
  if (home && *home) return std::filesystem::path(home) / ".local" / "share" / "vuzed";
  return {};
}

std::filesystem::path SaveDirectory() {
  return SaveDirectoryFrom(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

}  // namespace vuzed
