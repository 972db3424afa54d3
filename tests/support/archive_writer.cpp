#include "support/archive_writer.h"

#include <algorithm>
#include <array>

namespace vuzed::test {
namespace {

void PutLe32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(char(v >> (8 * i)));
}

// One pass of byte-pair encoding: the most frequent adjacent pair becomes a
// byte value never seen in the data or used as a code. False when nothing
// is worth replacing. counts is all zeros on entry and on return.
bool ReplaceOnePair(std::string& bytes, std::array<bool, 256>& used, PairMap& pairs, std::vector<int>& counts) {
  auto key = [&](size_t i) { return uint8_t(bytes[i]) << 8 | uint8_t(bytes[i + 1]); };
  int best = 0;
  for (size_t i = 0; i + 1 < bytes.size(); ++i)
    if (++counts[key(i)] > counts[best]) best = key(i);
  const int bestCount = counts[best];
  for (size_t i = 0; i + 1 < bytes.size(); ++i) counts[key(i)] = 0;
  if (bestCount < 4) return false;
  const auto freeCode = std::find(used.begin(), used.end(), false);
  if (freeCode == used.end()) return false;
  const auto code = uint8_t(freeCode - used.begin());
  const auto a = char(best >> 8), b = char(best & 0xFF);
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i + 1 < bytes.size() && bytes[i] == a && bytes[i + 1] == b) {
      out.push_back(char(code));
      ++i;
    } else {
      out.push_back(bytes[i]);
    }
  }
  bytes = std::move(out);
  used[code] = true;
  pairs[code] = {uint8_t(a), uint8_t(b)};
  return true;
}

}  // namespace

std::string MakeArchive(const ArchiveSpec& spec) {
  std::string header;
  PutLe32(header, spec.Flag);
  header += spec.Magic.substr(0, 4);
  PutLe32(header, spec.Count.value_or(uint32_t(spec.Items.size())));
  header.resize(256, '\0');
  uint32_t at = uint32_t(256 + 268 * spec.Items.size());
  std::string data;
  for (const ArchiveItem& item : spec.Items) {
    PutLe32(header, item.Offset.value_or(at + uint32_t(data.size())));
    PutLe32(header, item.StoredSize.value_or(uint32_t(item.Stored.size())));
    PutLe32(header, item.Unpacked.value_or(uint32_t(item.Stored.size())));
    std::string name = item.Name.substr(0, 255);
    name.resize(256, '\0');
    header += name;
    data += item.Stored;
  }
  return header + data;
}

std::string PlainArchive(const std::vector<std::pair<std::string, std::string>>& entries) {
  ArchiveSpec spec;
  for (const auto& [name, bytes] : entries) spec.Items.push_back({name, bytes, {}, {}, {}});
  return MakeArchive(spec);
}

std::string PackedArchive(const std::vector<std::pair<std::string, std::string>>& entries) {
  ArchiveSpec spec;
  spec.Flag = 1;
  for (const auto& [name, bytes] : entries)
    spec.Items.push_back({name, PackPairs(bytes), uint32_t(bytes.size()), {}, {}});
  return MakeArchive(spec);
}

std::string PairTable(const PairMap& pairs) {
  auto literal = [&](int c) { return pairs.count(uint8_t(c)) == 0; };
  auto entry = [&](int c) {
    if (literal(c)) return std::string(1, char(c));
    const auto& [l, r] = pairs.at(uint8_t(c));
    return l == c ? std::string(1, char(l)) : std::string{char(l), char(r)};
  };
  std::string out;
  int c = 0;
  while (c < 256) {
    if (literal(c)) {
      // A skip run is always followed by one entry, unless it reaches 256.
      int run = 0;
      while (c < 256 && literal(c) && run < 128) ++run, ++c;
      out.push_back(char(127 + run));
      if (c == 256) break;
      out += entry(c++);
    } else {
      const int start = c;
      while (c < 256 && !literal(c) && c - start < 128) ++c;
      out.push_back(char(c - start - 1));
      for (int i = start; i < c; ++i) out += entry(i);
    }
  }
  return out;
}

std::string PairBlock(const PairMap& pairs, std::string_view packed) {
  std::string out = PairTable(pairs);
  PutLe32(out, uint32_t(packed.size()));
  out += packed;
  return out;
}

std::string PackPairs(std::string_view data) {
  std::string out;
  size_t at = 0;
  do {
    std::string block(data.substr(at, 2048));
    at += block.size();
    std::array<bool, 256> used{};
    for (char c : block) used[uint8_t(c)] = true;
    PairMap pairs;
    std::vector<int> counts(65536, 0);
    while (ReplaceOnePair(block, used, pairs, counts)) {
    }
    out += PairBlock(pairs, block);
  } while (at < data.size());
  return out;
}

}  // namespace vuzed::test
