#include "engine/platform/file_resolver.h"

#include <string>
#include <system_error>

#include "engine/platform/ascii_case.h"

namespace vuzed {

std::optional<std::filesystem::path> FileResolver::Resolve(std::string_view gamePath) const {
  namespace fs = std::filesystem;
  std::string text(gamePath);
  for (char& c : text)
    if (c == '\\') c = '/';
  if (text.empty()) return std::nullopt;

  fs::path current = text.front() == '/' ? fs::path("/") : Root_;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('/', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view part(text.data() + pos, end - pos);
    pos = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      current /= "..";
      continue;
    }
    std::error_code ec;
    fs::path exact = current / std::string(part);
    if (fs::exists(exact, ec)) {
      current = exact;
      continue;
    }
    bool found = false;
    for (fs::directory_iterator it(current, ec), last; !ec && it != last; it.increment(ec)) {
      if (SameTextIgnoringCase(it->path().filename().string(), part)) {
        current = it->path();
        found = true;
        break;
      }
    }
    if (!found) return std::nullopt;
  }
  std::error_code ec;
  if (!fs::exists(current, ec)) return std::nullopt;
  return current;
}

}  // namespace vuzed
