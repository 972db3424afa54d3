#pragma once
// Shift-JIS character codes to Unicode, through iconv's "CP932" (Windows'
// Shift-JIS, the encoding of the game's text). One iconv handle, reused.

#include <cstdint>

namespace vuzed {

class ShiftJisDecoder {
 public:
  enum class TResult : uint8_t {
    Ok,
    Incomplete,  // a lead byte without its trail byte
    Invalid,     // no character of CP932
  };
  struct TDecoded {
    TResult Result = TResult::Invalid;
    char32_t Char = 0;
  };

  ShiftJisDecoder();
  ~ShiftJisDecoder();
  ShiftJisDecoder(const ShiftJisDecoder&) = delete;
  ShiftJisDecoder& operator=(const ShiftJisDecoder&) = delete;

  // False when iconv does not know CP932; ASCII (below 0x80) still decodes.
  bool Available() const;
  // code: one byte (0 to 255) or lead byte * 256 + trail byte.
  TDecoded Decode(uint32_t code);

 private:
  void* Handle_;  // iconv_t
};

}  // namespace vuzed
