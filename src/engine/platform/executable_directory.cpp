#include "engine/platform/executable_directory.h"

#include <system_error>

namespace vuzed {

std::filesystem::path ExecutableDirectory(const char* argv0) {
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) return self.parent_path();
  if (!argv0 || !*argv0) return {};
  self = std::filesystem::absolute(argv0, ec);
  return ec ? std::filesystem::path() : self.parent_path();
}

}  // namespace vuzed
