#pragma once
// Windows BMP headers as the texture loader reads and writes them. All stored
// fields are little-endian and in the order in which they appear in the file:
// the 14-byte BITMAPFILEHEADER, then the 40-byte BITMAPINFOHEADER (larger
// info headers only add fields after these). The pixel loop itself is
// TMXTexture::LoadBMP in bmp_loader.cpp.

#include <cstdint>
#include <iosfwd>
#include <string>

namespace vuzed {

struct BmpHeader {
  static constexpr uint16_t Magic = 0x4D42;  // "BM"
  static constexpr int FileHeaderSize = 14;
  static constexpr int InfoHeaderSize = 40;
  // The largest picture a load accepts, per side and in texture bytes.
  static constexpr int MaxSide = 4096;
  static constexpr uint64_t MaxBytes = 64ull << 20;
  // biCompression values the loader knows.
  static constexpr uint32_t RGB = 0, BitFields = 3;

  // BITMAPFILEHEADER
  uint16_t Type = Magic;
  uint32_t FileSize = 0;
  uint16_t Reserved1 = 0, Reserved2 = 0;
  uint32_t OffBits = FileHeaderSize + InfoHeaderSize;
  // BITMAPINFOHEADER; a negative Height stores the rows top-down.
  uint32_t InfoSize = InfoHeaderSize;
  int32_t Width = 0, Height = 0;
  uint16_t Planes = 1, BitCount = 32;
  uint32_t Compression = RGB, ImageSize = 0;
  int32_t XPelsPerMeter = 0, YPelsPerMeter = 0;
  uint32_t ClrUsed = 0, ClrImportant = 0;

  int Rows() const { return Height < 0 ? -Height : Height; }
  // Bytes of one stored row: rows are padded to a multiple of 4 bytes.
  uint32_t RowBytes() const { return (uint32_t(Width) * BitCount + 31) / 32 * 4; }
  // Both sides positive and within MaxSide, the texture within MaxBytes.
  bool SizeIsPlausible() const;
  // The fewest bytes from the file header's start that hold every row: the
  // pixels start at OffBits, or right after the info header when OffBits
  // points into the headers.
  uint64_t LeastFileBytes() const;
};

// Each read is false on a short read; the header then holds what it held.
bool ReadBmpFileHeader(std::istream& in, BmpHeader& header);
bool ReadBmpInfoHeader(std::istream& in, BmpHeader& header);
// Writes both headers, 54 bytes.
void WriteBmpHeader(std::ostream& out, const BmpHeader& header);
// The headers of a plain 32-bit bottom-up picture, pixels right after them.
BmpHeader Bmp32Header(int width, int height);

class EngineLog;

// A picture that cannot be loaded: text + "(Error Code = ...)" of the engine
// failure code through the log, like CheckResult, but never halting: one bad
// picture must not end the game. A null log writes nothing.
void LogLoadError(EngineLog* log, const std::string& text);

}  // namespace vuzed
