#pragma once
// The VAZ archive reader: one file holding many named entries, optionally
// compressed with byte-pair encoding. An entry is extracted by name into a
// memory stream that the texture and mesh loaders read like a file.
//
// Every failure (wrong magic, an id that is not there, truncated or hostile
// data) raises EVRKError with a message for the log; nothing is read past the
// end of the archive and no extraction runs away in time or memory.

#include <cstdint>
#include <fstream>
#include <iosfwd>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vuzed {

class EVRKError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One row of the entry table, in table order.
struct TArchiveEntry {
  uint32_t Offset = 0;        // absolute file offset of the data
  uint32_t StoredSize = 0;    // bytes in the file
  uint32_t UnpackedSize = 0;  // bytes after expansion
  std::string Name;           // the id
};

// The header's compression flag and the entry table.
struct TArchiveTable {
  bool Compressed = false;
  std::vector<TArchiveEntry> Entries;
};

// The largest entry an extraction produces. A compressed entry may expand to
// far more than the archive's size, so its promise is capped.
constexpr uint32_t kMaxArchiveEntrySize = 256u << 20;
// Bytes a compressed entry may expand to past its unpacked size before the
// expansion is stopped as runaway.
constexpr uint32_t kPairOverrunMargin = 4096;

// Reads the header and the entry table from the stream's current position.
// Wrong magic, a short header or a table longer than the rest of the stream
// raise EVRKError before anything is allocated for it.
TArchiveTable ReadArchiveTable(std::istream& archive);

// The entry whose name matches id without regard to letter case (ASCII
// letters only, never the second byte of a Shift-JIS character; the first
// such entry), as a stream at position 0. Entry offsets are positions in the
// stream counted from 0. An entry promising more than maxUnpackedSize bytes
// is refused.
std::unique_ptr<std::stringstream> ExtractFromStream(std::istream& archive, const std::string& id,
                                                     uint32_t maxUnpackedSize = kMaxArchiveEntrySize);
// The archive file opened read-only, or EVRKError naming the path.
std::ifstream OpenArchiveFile(const std::string& archivePath);
// Opens the archive file read-only, extracts, closes. A file that cannot be
// opened raises EVRKError too.
std::unique_ptr<std::stringstream> ExtractFromArchive(const std::string& archivePath, const std::string& id);

// Expands byte-pair encoded blocks; unpackedSize is what the entry promises.
// The result is at least unpackedSize long (zeros after what the data
// produced). A table running past 256 values, a truncated block, a pair chain
// deeper than 256 levels (a cycle through left halves) or output beyond
// unpackedSize + kPairOverrunMargin (a cycle through right halves) raise
// EVRKError.
std::string ExpandPairs(std::string_view packed, uint32_t unpackedSize);

}  // namespace vuzed
