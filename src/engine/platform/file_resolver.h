#pragma once
// Every data path goes through here. Game paths are written the Windows way
// ("data\Graphic\Player\1.bmp", scripts upper-case them): "\" becomes "/",
// then each component is matched against the directory without regard to
// ASCII case (an exact match wins).

#include <filesystem>
#include <optional>
#include <string_view>

namespace vuzed {

class FileResolver {
 public:
  explicit FileResolver(std::filesystem::path root = ".") : Root_(std::move(root)) {}

  // The existing file or directory the game path names, or nothing.
  std::optional<std::filesystem::path> Resolve(std::string_view gamePath) const;
  bool Exists(std::string_view gamePath) const { return Resolve(gamePath).has_value(); }
  const std::filesystem::path& Root() const { return Root_; }

 private:
  std::filesystem::path Root_;
};

}  // namespace vuzed
