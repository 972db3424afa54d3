#include "support/test_dir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vuzed::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vuzed-test-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  Path_ = made ? std::filesystem::path(made) : std::filesystem::temp_directory_path();
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(Path_, ec);
}

std::filesystem::path TempDir::Write(const std::string& relative, const std::string& bytes) const {
  std::filesystem::path p = Path_ / relative;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary);
  out << bytes;
  return p;
}

std::string TempDir::Read(const std::string& relative) const {
  std::ifstream in(Path_ / relative, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace vuzed::test
