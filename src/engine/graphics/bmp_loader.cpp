#include "engine/graphics/bmp_loader.h"

#include <algorithm>
#include <array>
#include <istream>
#include <ostream>
#include <vector>

#include "engine/graphics/d3d_names.h"
#include "engine/graphics/engine_log.h"
#include "engine/graphics/pixel_format.h"
#include "engine/graphics/texture.h"

namespace vuzed {
namespace {

uint32_t Get(const uint8_t* p, int bytes) { return ReadPixel(p, bytes); }

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

bool ReadExactly(std::istream& in, uint8_t* buffer, std::streamsize size) {
  in.read(reinterpret_cast<char*>(buffer), size);
  return in.gcount() == size;
}

constexpr uint32_t Opaque = 0xFF000000u;

// The colour of one stored pixel. 8 bits: a palette index; 16 bits: 1-5-5-5
// with the top bit ignored; 24 bits: blue, green, red; 32 bits: ARGB, its top
// byte taken as alpha.
uint32_t SourceColor(const uint8_t* row, int x, int bytesPerPixel, const std::array<uint32_t, 256>& palette) {
  switch (bytesPerPixel) {
    case 1:
      return palette[row[x]];
    case 2: {
      uint32_t v = Get(row + 2 * x, 2);
      return Opaque | Widen(v >> 10, 5) << 16 | Widen(v >> 5, 5) << 8 | Widen(v, 5);
    }
    case 3:
      return Opaque | Get(row + 3 * x, 3);
    default:
      return Get(row + 4 * x, 4);
  }
}

}  // namespace

bool BmpHeader::SizeIsPlausible() const {
  if (Width <= 0 || Height == 0 || Width > MaxSide || Height > MaxSide || Height < -MaxSide) return false;
  return uint64_t(Width) * uint64_t(Rows()) * 4 <= MaxBytes;
}

uint64_t BmpHeader::LeastFileBytes() const {
  const uint64_t headers = uint64_t(FileHeaderSize) + InfoSize;
  // Every pixel takes at least one bit: a bit count of 0 would promise a
  // picture of any size in no bytes at all.
  BmpHeader counted = *this;
  counted.BitCount = std::max<uint16_t>(BitCount, 1);
  return std::max<uint64_t>(OffBits, headers) + uint64_t(counted.RowBytes()) * uint64_t(Rows());
}

bool ReadBmpFileHeader(std::istream& in, BmpHeader& h) {
  uint8_t b[BmpHeader::FileHeaderSize];
  if (!ReadExactly(in, b, sizeof b)) return false;
  h.Type = uint16_t(Get(b, 2));
  h.FileSize = Get(b + 2, 4);
  h.Reserved1 = uint16_t(Get(b + 6, 2));
  h.Reserved2 = uint16_t(Get(b + 8, 2));
  h.OffBits = Get(b + 10, 4);
  return true;
}

bool ReadBmpInfoHeader(std::istream& in, BmpHeader& h) {
  uint8_t b[BmpHeader::InfoHeaderSize];
  if (!ReadExactly(in, b, sizeof b)) return false;
  h.InfoSize = Get(b, 4);
  h.Width = int32_t(Get(b + 4, 4));
  h.Height = int32_t(Get(b + 8, 4));
  h.Planes = uint16_t(Get(b + 12, 2));
  h.BitCount = uint16_t(Get(b + 14, 2));
  h.Compression = Get(b + 16, 4);
  h.ImageSize = Get(b + 20, 4);
  h.XPelsPerMeter = int32_t(Get(b + 24, 4));
  h.YPelsPerMeter = int32_t(Get(b + 28, 4));
  h.ClrUsed = Get(b + 32, 4);
  h.ClrImportant = Get(b + 36, 4);
  return true;
}

void WriteBmpHeader(std::ostream& out, const BmpHeader& h) {
  std::vector<uint8_t> b;
  Put(b, h.Type, 2);
  Put(b, h.FileSize, 4);
  Put(b, h.Reserved1, 2);
  Put(b, h.Reserved2, 2);
  Put(b, h.OffBits, 4);
  Put(b, h.InfoSize, 4);
  Put(b, uint32_t(h.Width), 4);
  Put(b, uint32_t(h.Height), 4);
  Put(b, h.Planes, 2);
  Put(b, h.BitCount, 2);
  Put(b, h.Compression, 4);
  Put(b, h.ImageSize, 4);
  Put(b, uint32_t(h.XPelsPerMeter), 4);
  Put(b, uint32_t(h.YPelsPerMeter), 4);
  Put(b, h.ClrUsed, 4);
  Put(b, h.ClrImportant, 4);
  out.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

BmpHeader Bmp32Header(int width, int height) {
  BmpHeader h;
  h.Width = width;
  h.Height = height;
  h.BitCount = 32;
  h.ImageSize = uint32_t(width) * uint32_t(height) * 4;
  h.FileSize = h.ImageSize + h.OffBits;
  return h;
}

void LogLoadError(EngineLog* log, const std::string& text) {
  WriteLog(log, text + "(Error Code = " + D3DErrorName(d3derr::ENGINE_FAIL) + ")");
}

// Reads a BMP from the stream's position into level 0, which is already
// sized. Pixels the picture does not cover keep what they held; a picture
// larger than the texture gives its top rows and left columns; a stream that
// ends early keeps the rows read so far.
bool TMXTexture::LoadBMP(std::istream& in) {
  if (!HasTexture_) {
    CheckResult(Log(), d3derr::ENGINE_FAIL, "LoadBMP中にサーフェスがロックできませんでした");
    return false;
  }
  const std::streampos base = in.tellg();
  BmpHeader h;
  if (!ReadBmpFileHeader(in, h)) {
    WriteLog(Log(), "ビットマップの読みこみ中に、エラーが発生しました");
    return false;
  }
  if (h.Type != BmpHeader::Magic) {
    WriteLog(Log(), "不正なBMPファイルです");
    return false;
  }
  if (!ReadBmpInfoHeader(in, h)) {
    WriteLog(Log(), "LoadBMP中に、読み込みエラーが発生しました");
    return false;
  }
  // Smaller info headers (OS/2) place every field elsewhere.
  if (h.InfoSize < BmpHeader::InfoHeaderSize) {
    WriteLog(Log(), "不正なBMPファイルです");
    return false;
  }
  const int s = h.BitCount / 8;
  if (h.BitCount % 8 != 0 || s < 1 || s > 4) {
    LogLoadError(Log(), "色数が8ビット～32ビットの範囲のビットマップを、LoadBMPには指定してください");
    return false;
  }
  const bool plainPixels =
      h.Compression == BmpHeader::RGB || (h.Compression == BmpHeader::BitFields && h.BitCount == 32);
  if (!plainPixels || !h.SizeIsPlausible()) {
    WriteLog(Log(), "不正なBMPファイルです");
    return false;
  }
  const bool indexTarget = Format_ == fmt::P8;
  if (indexTarget && s > 1) {
    LogLoadError(Log(), "8ビットパレット付きテクスチャに対して16ビット以上のBMPをロードする事は出来ません");
    return false;
  }

  // The palette follows the info header: ClrUsed entries when given, else
  // 256, and never reaching into the pixels. Indexes past it read as black.
  const uint32_t headerEnd = BmpHeader::FileHeaderSize + h.InfoSize;
  uint32_t paletteBytes = 0;
  std::array<uint32_t, 256> palette;
  palette.fill(Opaque);
  if (s == 1) {
    uint32_t entries = h.ClrUsed >= 1 && h.ClrUsed <= 256 ? h.ClrUsed : 256;
    if (h.OffBits > headerEnd) entries = std::min(entries, (h.OffBits - headerEnd) / 4);
    std::vector<uint8_t> raw(entries * 4);
    in.seekg(base + std::streamoff(headerEnd));
    if (!ReadExactly(in, raw.data(), std::streamsize(raw.size()))) {
      WriteLog(Log(), "LoadBMP中に、読み込みエラーが発生しました");
      return false;
    }
    for (uint32_t i = 0; i < entries; ++i) palette[i] = Opaque | Get(&raw[4 * i], 3);
    paletteBytes = entries * 4;
  }

  // A zero or impossible offset: the pixels follow the palette.
  const uint32_t pixelStart = h.OffBits >= headerEnd ? h.OffBits : headerEnd + paletteBytes;
  const uint32_t rowBytes = h.RowBytes();
  const int columns = std::min(AllocWidth_, int(h.Width));
  const int rows = std::min(AllocHeight_, h.Rows());
  const bool bottomUp = h.Height > 0;
  std::streamoff skip = 0;  // bottom rows that do not fit
  if (bottomUp) skip = std::streamoff(h.Rows() - rows) * rowBytes;
  in.clear();
  in.seekg(base + std::streamoff(pixelStart) + skip);

  int pitch = 0;
  uint8_t* bits = LockRect(0, nullptr, 0, pitch);
  if (!bits) return false;
  std::vector<uint8_t> source(rowBytes);
  bool complete = true;
  for (int i = 0; i < rows; ++i) {
    if (!ReadExactly(in, source.data(), rowBytes)) {
      WriteLog(Log(), "LoadBMP中に、読み込みエラーが発生しました");
      complete = false;
      break;
    }
    uint8_t* target = bits + std::ptrdiff_t(bottomUp ? rows - 1 - i : i) * pitch;
    if (indexTarget) {
      std::copy_n(source.data(), columns, target);
      continue;
    }
    for (int x = 0; x < columns; ++x)
      WritePixel(target + x * BytesPerPixel_, BytesPerPixel_,
                 ColorToPixel(SourceColor(source.data(), x, s, palette), Format_));
  }
  UnlockRect();
  return complete;
}

}  // namespace vuzed
