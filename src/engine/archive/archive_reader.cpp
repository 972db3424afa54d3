#include "engine/archive/archive_reader.h"

#include <cstring>
#include <filesystem>
#include <istream>

namespace vuzed {
namespace {

// Archive layout, little-endian:
//   0    4  compression flag: 1 = every entry is stored compressed
//   4    4  magic "VAZ0"
//   8    4  entry count n
//   12 244  rest of the 256-byte header, unused
//   256     n entries of 268 bytes: data offset, stored size, unpacked size
//           (4 bytes each), then the name, zero-terminated in 256 bytes
constexpr std::size_t kHeaderSize = 256;
constexpr std::size_t kEntrySize = 268;
constexpr std::size_t kNameSize = 256;
constexpr char kMagic[4] = {'V', 'A', 'Z', '0'};
const char* const kNotAnArchive = "Zazavive Archiveの扱えるデータではありません";

uint32_t Le32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

// Bytes from the current position to the end; the position is kept. A
// stream that cannot tell gives 0.
uint64_t BytesLeft(std::istream& in) {
  const std::streampos here = in.tellg();
  if (here == std::streampos(-1)) return 0;
  in.seekg(0, std::ios::end);
  const std::streampos end = in.tellg();
  in.seekg(here);
  return end == std::streampos(-1) || end < here ? 0 : uint64_t(end - here);
}

bool ReadExactly(std::istream& in, char* into, std::size_t size) {
  in.read(into, std::streamsize(size));
  return std::size_t(in.gcount()) == size;
}

// Letter case folded for comparison: ASCII letters only; the second byte of a
// Shift-JIS double-byte character (lead bytes 0x81-0x9F, 0xE0-0xFC) is kept.
std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const auto b = static_cast<unsigned char>(folded[i]);
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))
      ++i;
    else if (b >= 'A' && b <= 'Z')
      folded[i] = char(b - 'A' + 'a');
  }
  return folded;
}

std::string Quoted(const std::string& id) { return "'" + id + "'"; }

}  // namespace

TArchiveTable ReadArchiveTable(std::istream& archive) {
  const uint64_t available = BytesLeft(archive);
  char header[kHeaderSize];
  archive.read(header, kHeaderSize);
  const auto got = std::size_t(archive.gcount());
  if (got < 8 || std::memcmp(header + 4, kMagic, 4) != 0) throw EVRKError(kNotAnArchive);
  if (got < 12) throw EVRKError("VAZ archive truncated: the header ends before the entry count");

  TArchiveTable table;
  table.Compressed = Le32(header) == 1;
  const uint32_t count = Le32(header + 8);
  // The count is checked against what the stream holds before anything is
  // allocated for it.
  const uint64_t needed = kHeaderSize + uint64_t(count) * kEntrySize;
  if (got < kHeaderSize || needed > available)
    throw EVRKError("VAZ archive truncated: " + std::to_string(count) + " entries need " + std::to_string(needed) +
                    " bytes of header and table, the archive holds " + std::to_string(available));

  table.Entries.reserve(count);
  char row[kEntrySize];
  for (uint32_t i = 0; i < count; ++i) {
    if (!ReadExactly(archive, row, kEntrySize))
      throw EVRKError("VAZ archive truncated: the entry table ends at entry " + std::to_string(i));
    TArchiveEntry entry;
    entry.Offset = Le32(row);
    entry.StoredSize = Le32(row + 4);
    entry.UnpackedSize = Le32(row + 8);
    const char* name = row + 12;
    entry.Name.assign(name, strnlen(name, kNameSize));
    table.Entries.push_back(std::move(entry));
  }
  return table;
}

std::unique_ptr<std::stringstream> ExtractFromStream(std::istream& archive, const std::string& id,
                                                     uint32_t maxUnpackedSize) {
  const TArchiveTable table = ReadArchiveTable(archive);
  archive.clear();
  archive.seekg(0);
  const uint64_t fileSize = BytesLeft(archive);

  const std::string wanted = FoldCase(id);
  const TArchiveEntry* found = nullptr;
  for (const TArchiveEntry& entry : table.Entries)
    if (FoldCase(entry.Name) == wanted) {
      found = &entry;
      break;
    }
  if (!found) throw EVRKError("アーカイブ内には指定されたID " + Quoted(id) + " を持つデータが見つかりません");

  // Data never starts at 0 (the header is there); such an entry is broken.
  const TArchiveEntry& entry = *found;
  if (entry.Offset == 0) throw EVRKError("VAZ archive entry " + Quoted(id) + " has no data offset");
  if (entry.UnpackedSize > maxUnpackedSize)
    throw EVRKError("VAZ archive entry " + Quoted(id) + " promises " + std::to_string(entry.UnpackedSize) +
                    " bytes, more than the " + std::to_string(maxUnpackedSize) + " an entry may hold");
  const uint32_t stored = table.Compressed ? entry.StoredSize : entry.UnpackedSize;
  if (uint64_t(entry.Offset) + stored > fileSize)
    throw EVRKError("VAZ archive truncated: entry " + Quoted(id) + " needs bytes " + std::to_string(entry.Offset) +
                    " to " + std::to_string(uint64_t(entry.Offset) + stored) + ", the archive holds " +
                    std::to_string(fileSize));

  std::string data(stored, '\0');
  archive.seekg(std::streamoff(entry.Offset));
  if (!ReadExactly(archive, data.data(), data.size()))
    throw EVRKError("VAZ archive entry " + Quoted(id) + " could not be read");
  if (table.Compressed) {
    try {
      data = ExpandPairs(data, entry.UnpackedSize);
    } catch (const EVRKError& e) {
      throw EVRKError("VAZ archive entry " + Quoted(id) + ": " + e.what());
    }
  }
  return std::make_unique<std::stringstream>(std::move(data), std::ios::in | std::ios::out | std::ios::binary);
}

std::ifstream OpenArchiveFile(const std::string& archivePath) {
  std::error_code ignored;
  std::ifstream file;
  // Only a regular file: a FIFO or a device would block the open or never end.
  if (std::filesystem::is_regular_file(archivePath, ignored)) file.open(archivePath, std::ios::binary);
  if (!file.is_open()) throw EVRKError("cannot open the VAZ archive " + archivePath);
  return file;
}

std::unique_ptr<std::stringstream> ExtractFromArchive(const std::string& archivePath, const std::string& id) {
  std::ifstream file = OpenArchiveFile(archivePath);
  return ExtractFromStream(file, id);
}

}  // namespace vuzed
