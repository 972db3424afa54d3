// Byte-pair expansion of compressed archive entries.
//
// Compressed data is a sequence of blocks, each: a pair table, the block's
// packed length L (4 bytes, little-endian), then L packed bytes. The table
// maps byte c to the pair (left[c], right[c]); c is a literal when
// left[c] == c, and every value starts each block as a literal. The table is
// stored as runs from position 0: a count byte k; k >= 128 skips k - 127
// values (they stay literals) and sets k = 0; at position 256 the table is
// done; otherwise k + 1 entries follow at consecutive positions, each a left
// byte and, only when left differs from the position, a right byte; at
// position 256 the table is done, else the next count byte follows. So after
// a skip run exactly one entry is always read unless the skip reached 256.

#include <algorithm>
#include <array>
#include <string>

#include "engine/archive/archive_reader.h"

namespace vuzed {
namespace {

// Pending bytes of one expansion. A chain without a cycle passes at most 255
// distinct pair values before a literal, and each level leaves one right half
// waiting: 256 is as deep as a sound table goes.
constexpr std::size_t kMaxStack = 256;

class TPackedInput {
 public:
  explicit TPackedInput(std::string_view bytes) : Bytes_(bytes) {}
  bool Exhausted() const { return At_ >= Bytes_.size(); }
  std::size_t Left() const { return Bytes_.size() - At_; }
  uint8_t Byte(const char* what) {
    if (Exhausted()) throw EVRKError(std::string("packed data ends inside ") + what);
    return static_cast<uint8_t>(Bytes_[At_++]);
  }
  uint32_t Le32(const char* what) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(Byte(what)) << (8 * i);
    return v;
  }

 private:
  std::string_view Bytes_;
  std::size_t At_ = 0;
};

struct TPairTable {
  std::array<uint8_t, 256> Left;
  std::array<uint8_t, 256> Right;
};

void ReadPairTable(TPackedInput& in, TPairTable& table) {
  for (int c = 0; c < 256; ++c) table.Left[c] = table.Right[c] = uint8_t(c);
  int position = 0;
  while (true) {
    int count = in.Byte("a pair table");
    if (count >= 128) {
      position += count - 127;
      count = 0;
    }
    if (position == 256) return;
    if (position + count >= 256) throw EVRKError("pair table runs past byte value 255");
    for (int i = 0; i <= count; ++i, ++position) {
      table.Left[position] = in.Byte("a pair table");
      if (table.Left[position] != position) table.Right[position] = in.Byte("a pair table");
    }
    if (position == 256) return;
  }
}

}  // namespace

std::string ExpandPairs(std::string_view packed, uint32_t unpackedSize) {
  const uint64_t limit = uint64_t(unpackedSize) + kPairOverrunMargin;
  std::string output;
  // The promise is only a hint here: hostile data cannot make us allocate
  // ahead of what it actually produces.
  output.reserve(std::min<uint64_t>(unpackedSize, 4 * packed.size() + 65536));
  TPackedInput in(packed);
  TPairTable table;
  std::array<uint8_t, kMaxStack> stack;
  std::size_t depth = 0;
  while (!in.Exhausted()) {
    ReadPairTable(in, table);
    uint32_t length = in.Le32("a block length");
    if (length > in.Left())
      throw EVRKError("block of " + std::to_string(length) + " packed bytes, only " + std::to_string(in.Left()) +
                      " left");
    while (depth > 0 || length > 0) {
      uint8_t c;
      if (depth > 0) {
        c = stack[--depth];
      } else {
        c = in.Byte("a block");
        --length;
      }
      if (table.Left[c] == c) {
        if (output.size() >= limit)
          throw EVRKError("expands past its " + std::to_string(unpackedSize) + " bytes (a cycle in the pair table?)");
        output.push_back(char(c));
      } else {
        if (depth + 2 > kMaxStack)
          throw EVRKError("pair chain nests deeper than 256 levels (a cycle in the pair table?)");
        stack[depth++] = table.Right[c];
        stack[depth++] = table.Left[c];
      }
    }
  }
  if (output.size() < unpackedSize) output.resize(unpackedSize, '\0');
  return output;
}

}  // namespace vuzed
