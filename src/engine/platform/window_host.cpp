#include "engine/platform/window_host.h"

#include <cstdio>

namespace vuzed {

void NullWindowHost::ShowError(const std::string& title, const std::string& text) {
  LastError = text;
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

}  // namespace vuzed
