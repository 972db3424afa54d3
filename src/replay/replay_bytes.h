#pragma once
// The byte-level pieces of the replay file: little-endian whole numbers,
// single-precision floats by their bits, and variable-length counts (seven
// bits per byte, low group first, bit 7 set on every byte but the last; at
// most five bytes for a 32-bit value, and no needless zero group at the end).

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace vuzed {

class TReplayBytesOut {
 public:
  void U8(uint8_t v) { Bytes_.push_back(char(v)); }
  void U16(uint16_t v) { Le(v, 2); }
  void U32(uint32_t v) { Le(v, 4); }
  void U64(uint64_t v) { Le(v, 8); }
  void I32(int32_t v) { U32(uint32_t(v)); }
  void F32(float v) { U32(std::bit_cast<uint32_t>(v)); }
  void Raw(std::string_view bytes) { Bytes_ += bytes; }
  void VarU32(uint32_t v) {
    while (v >= 0x80) {
      U8(uint8_t(v | 0x80));
      v >>= 7;
    }
    U8(uint8_t(v));
  }
  const std::string& Bytes() const { return Bytes_; }

 private:
  void Le(uint64_t v, int size) {
    for (int i = 0; i < size; ++i) U8(uint8_t(v >> (8 * i)));
  }
  std::string Bytes_;
};

// Reads from a byte string; every read checks that the bytes are there. After
// the first failed read every later one fails too, so a caller may read a
// whole record and test Ok() once.
class TReplayBytesIn {
 public:
  explicit TReplayBytesIn(std::string_view bytes) : Bytes_(bytes) {}

  bool Ok() const { return Ok_; }
  // A read failed because the bytes ran out (rather than a bad value).
  bool Short() const { return Short_; }
  size_t Offset() const { return Pos_; }
  size_t Remaining() const { return Ok_ ? Bytes_.size() - Pos_ : 0; }

  uint8_t U8() { return uint8_t(Le(1)); }
  uint16_t U16() { return uint16_t(Le(2)); }
  uint32_t U32() { return uint32_t(Le(4)); }
  uint64_t U64() { return Le(8); }
  int32_t I32() { return int32_t(U32()); }
  float F32() { return std::bit_cast<float>(U32()); }
  std::string_view Raw(size_t size) {
    if (!Take(size)) return {};
    return Bytes_.substr(Pos_ - size, size);
  }
  // Fails (no longer Ok) for a value over 32 bits, more than five bytes, or
  // a last byte of 0 after the first: every value has one encoding.
  uint32_t VarU32() {
    uint64_t value = 0;
    for (int i = 0; i < 5 && Ok_; ++i) {
      const uint8_t b = U8();
      value |= uint64_t(b & 0x7F) << (7 * i);
      if (!(b & 0x80)) {
        if (value > UINT32_MAX || (i > 0 && b == 0)) break;
        return uint32_t(value);
      }
    }
    Ok_ = false;
    return 0;
  }

 private:
  bool Take(size_t size) {
    if (!Ok_ || Bytes_.size() - Pos_ < size) {
      Short_ = Short_ || Ok_;
      Ok_ = false;
      return false;
    }
    Pos_ += size;
    return true;
  }
  uint64_t Le(int size) {
    if (!Take(size_t(size))) return 0;
    uint64_t v = 0;
    for (int i = 0; i < size; ++i) v |= uint64_t(uint8_t(Bytes_[Pos_ - size_t(size) + size_t(i)])) << (8 * i);
    return v;
  }

  std::string_view Bytes_;
  size_t Pos_ = 0;
  bool Ok_ = true;
  bool Short_ = false;
};

}  // namespace vuzed
