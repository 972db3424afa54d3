#pragma once
// Builds VAZ archives in memory for tests, independently of the engine's
// reader, including broken ones: wrong offsets and sizes, counts the file
// cannot hold, hand-made pair tables.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vuzed::test {

struct ArchiveItem {
  std::string Name;
  // The bytes written as the entry's data (already packed for a compressed
  // archive).
  std::string Stored;
  // Table fields; unset: the size of Stored, and where Stored is placed.
  std::optional<uint32_t> Unpacked;
  std::optional<uint32_t> StoredSize;
  std::optional<uint32_t> Offset;
};

struct ArchiveSpec {
  uint32_t Flag = 0;  // 1: compressed
  std::vector<ArchiveItem> Items;
  std::string Magic = "VAZ0";
  std::optional<uint32_t> Count;  // unset: the number of items
};

// Header, table, then each item's bytes in order.
std::string MakeArchive(const ArchiveSpec& spec);
// An archive with every item stored as is.
std::string PlainArchive(const std::vector<std::pair<std::string, std::string>>& entries);
// An archive with every item compressed by PackPairs.
std::string PackedArchive(const std::vector<std::pair<std::string, std::string>>& entries);

// Pairs by byte value; every other value is a literal.
using PairMap = std::map<uint8_t, std::pair<uint8_t, uint8_t>>;
// A pair table in the stored run format (skip runs, counted entries).
std::string PairTable(const PairMap& pairs);
// One block: the table, the packed length, the packed bytes.
std::string PairBlock(const PairMap& pairs, std::string_view packed);
// A real byte-pair encoding of data, in blocks of at most 2048 bytes.
std::string PackPairs(std::string_view data);

}  // namespace vuzed::test
