#include "engine/platform/quiet_stderr.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace vuzed {

TQuietStderr::TQuietStderr() {
  std::fflush(stderr);
  const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null < 0) return;
  Saved_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
  if (Saved_ >= 0) ::dup2(null, STDERR_FILENO);
  ::close(null);
}

TQuietStderr::~TQuietStderr() {
  if (Saved_ < 0) return;
  std::fflush(stderr);
  ::dup2(Saved_, STDERR_FILENO);
  ::close(Saved_);
}

}  // namespace vuzed
