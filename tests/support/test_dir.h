#pragma once
// A fresh temporary directory per test, removed afterwards.

#include <filesystem>
#include <string>

namespace vuzed::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return Path_; }
  // Writes a file (creating folders) and returns its path.
  std::filesystem::path Write(const std::string& relative, const std::string& bytes) const;
  std::string Read(const std::string& relative) const;

 private:
  std::filesystem::path Path_;
};

}  // namespace vuzed::test
