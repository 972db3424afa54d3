#include "engine/platform/shift_jis_decoder.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace vuzed {
namespace {

const iconv_t NoHandle = iconv_t(-1);

iconv_t AsIconv(void* handle) { return static_cast<iconv_t>(handle); }

}  // namespace

ShiftJisDecoder::ShiftJisDecoder() : Handle_(iconv_open("UTF-32LE", "CP932")) {
  if (!Available()) std::fprintf(stderr, "fonts: iconv cannot decode CP932; only ASCII text will show\n");
}

ShiftJisDecoder::~ShiftJisDecoder() {
  if (Available()) iconv_close(AsIconv(Handle_));
}

bool ShiftJisDecoder::Available() const { return AsIconv(Handle_) != NoHandle; }

ShiftJisDecoder::TDecoded ShiftJisDecoder::Decode(uint32_t code) {
  if (code > 0xFFFF) return {};
  if (!Available()) return code < 0x80 ? TDecoded{TResult::Ok, char32_t(code)} : TDecoded{};

  char in[2];
  size_t inLeft = 0;
  if (code > 0xFF) in[inLeft++] = char(code >> 8);
  in[inLeft++] = char(code & 0xFF);
  unsigned char out[4];
  char* inAt = in;
  char* outAt = reinterpret_cast<char*>(out);
  size_t outLeft = sizeof out;

  const size_t converted = iconv(AsIconv(Handle_), &inAt, &inLeft, &outAt, &outLeft);
  const int error = errno;
  iconv(AsIconv(Handle_), nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  if (converted == size_t(-1)) return {error == EINVAL ? TResult::Incomplete : TResult::Invalid, 0};
  // Exactly one character for the whole code: "AB" as one code is no character.
  if (inLeft != 0 || outLeft != 0) return {};
  return {TResult::Ok, char32_t(out[0] | out[1] << 8 | out[2] << 16 | uint32_t(out[3]) << 24)};
}

}  // namespace vuzed
