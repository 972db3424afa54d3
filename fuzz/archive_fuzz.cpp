// libFuzzer: the archive reader on arbitrary bytes. The input is read as a
// whole archive: its table is listed, then every entry is extracted by name,
// and a fixed id is looked up too. Entries are capped at 1 MiB here so that
// one input never takes seconds; the reader's own limits are what is tested.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "engine/archive/archive_reader.h"

namespace {

constexpr uint32_t kFuzzEntryLimit = 1u << 20;

void TryExtract(const std::string& archive, const std::string& id) {
  std::istringstream in(archive);
  try {
    vuzed::ExtractFromStream(in, id, kFuzzEntryLimit);
  } catch (const vuzed::EVRKError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string archive(reinterpret_cast<const char*>(data), size);
  std::istringstream in(archive);
  vuzed::TArchiveTable table;
  try {
    table = vuzed::ReadArchiveTable(in);
  } catch (const vuzed::EVRKError&) {
    return 0;
  }
  for (const vuzed::TArchiveEntry& entry : table.Entries) TryExtract(archive, entry.Name);
  TryExtract(archive, "Title.bmp");
  return 0;
}
