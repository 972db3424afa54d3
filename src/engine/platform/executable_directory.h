#pragma once
// The folder the running program was started from, so that it can find what
// was installed beside it.

#include <filesystem>

namespace vuzed {

// From /proc/self/exe (symbolic links resolved); when that cannot be read,
// the folder of argv0 made absolute against the current directory, or
// nothing without argv0.
std::filesystem::path ExecutableDirectory(const char* argv0 = nullptr);

}  // namespace vuzed
