#include "support/bmp_writer.h"

namespace vuzed::test {
namespace {

void Put(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char(uint8_t(value >> (8 * i))));
}

}  // namespace

std::string MakeBmp(const BmpSpec& spec) {
  const int64_t rows = spec.Height < 0 ? -int64_t(spec.Height) : spec.Height;
  const int bytesPerPixel = spec.BitCount / 8;
  const uint64_t rowBytes = (uint64_t(uint32_t(spec.Width)) * spec.BitCount + 31) / 32 * 4;

  std::vector<uint32_t> palette = spec.Palette;
  if (spec.BitCount == 8 && palette.empty()) palette.assign(256, 0);
  const int64_t clrUsed = spec.ClrUsed >= 0 ? spec.ClrUsed : (palette.size() == 256 ? 0 : int64_t(palette.size()));
  const uint32_t offBits = 14 + spec.InfoSize + uint32_t(palette.size()) * 4 + spec.Gap;

  std::string out;
  out.push_back(spec.Magic[0]);
  out.push_back(spec.Magic[1]);
  Put(out, offBits + rowBytes * rows, 4);
  Put(out, 0, 4);
  Put(out, offBits, 4);

  Put(out, spec.InfoSize, 4);
  Put(out, uint32_t(spec.Width), 4);
  Put(out, uint32_t(spec.Height), 4);
  Put(out, 1, 2);
  Put(out, uint32_t(spec.BitCount), 2);
  Put(out, spec.Compression, 4);
  Put(out, rowBytes * rows, 4);
  Put(out, 2835, 4);
  Put(out, 2835, 4);
  Put(out, uint64_t(clrUsed), 4);
  Put(out, 0, 4);
  if (spec.InfoSize > 40) out.append(spec.InfoSize - 40, '\0');

  for (uint32_t entry : palette) {
    Put(out, entry, 3);
    out.push_back('\0');
  }
  out.append(spec.Gap, char(0xEE));

  // Bottom-up files store the last picture row first. Rows past TruncateTo
  // are never made, so a header can claim any size.
  for (int64_t i = 0; i < rows && out.size() < spec.TruncateTo; ++i) {
    const int64_t y = spec.Height < 0 ? i : rows - 1 - i;
    std::string row;
    for (int x = 0; x < spec.Width; ++x) {
      const size_t index = size_t(y) * size_t(spec.Width) + size_t(x);
      Put(row, index < spec.Pixels.size() ? spec.Pixels[index] : 0, bytesPerPixel);
    }
    row.resize(rowBytes, char(spec.PaddingByte));
    out += row;
  }
  if (spec.TruncateTo < out.size()) out.resize(spec.TruncateTo);
  return out;
}

}  // namespace vuzed::test
