#include "engine/archive/archive_reader.h"

namespace vuzed {

// Placeholder until the reader lands: every extraction fails.
TArchiveTable ReadArchiveTable(std::istream&) { throw EVRKError("Zazavive Archiveの扱えるデータではありません"); }
std::unique_ptr<std::stringstream> ExtractFromStream(std::istream&, const std::string&) {
  throw EVRKError("Zazavive Archiveの扱えるデータではありません");
}
std::unique_ptr<std::stringstream> ExtractFromArchive(const std::string&, const std::string&) {
  throw EVRKError("Zazavive Archiveの扱えるデータではありません");
}
std::string ExpandPairs(std::string_view, uint32_t) { return {}; }

}  // namespace vuzed
