#include "support/bmp_writer.h"

namespace vuzed::test {
namespace {

void Put(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char(uint8_t(value >> (8 * i))));
}

}  // namespace

std::string MakeBmp(const BmpPicture& picture) {
  const int64_t rows = picture.Height < 0 ? -int64_t(picture.Height) : picture.Height;
  const int bytesPerPixel = picture.BitCount / 8;
  const uint64_t rowBytes = (uint64_t(uint32_t(picture.Width)) * picture.BitCount + 31) / 32 * 4;

  std::vector<uint32_t> palette = picture.Palette;
  if (picture.BitCount == 8 && palette.empty()) palette.assign(256, 0);
  const int64_t clrUsed = picture.ClrUsed >= 0 ? picture.ClrUsed : (palette.size() == 256 ? 0 : int64_t(palette.size()));
  const uint32_t offBits = 14 + picture.InfoSize + uint32_t(palette.size()) * 4 + picture.Gap;

  std::string out;
  out.push_back(picture.Magic[0]);
  out.push_back(picture.Magic[1]);
  Put(out, offBits + rowBytes * rows, 4);
  Put(out, 0, 4);
  Put(out, offBits, 4);

  Put(out, picture.InfoSize, 4);
  Put(out, uint32_t(picture.Width), 4);
  Put(out, uint32_t(picture.Height), 4);
  Put(out, 1, 2);
  Put(out, uint32_t(picture.BitCount), 2);
  Put(out, picture.Compression, 4);
  Put(out, rowBytes * rows, 4);
  Put(out, 2835, 4);
  Put(out, 2835, 4);
  Put(out, uint64_t(clrUsed), 4);
  Put(out, 0, 4);
  if (picture.InfoSize > 40) out.append(picture.InfoSize - 40, '\0');

  for (uint32_t entry : palette) {
    Put(out, entry, 3);
    out.push_back('\0');
  }
  out.append(picture.Gap, char(0xEE));

  // Bottom-up files store the last picture row first. Rows past TruncateTo
  // are never made, so a header can claim any size.
  for (int64_t i = 0; i < rows && out.size() < picture.TruncateTo; ++i) {
    const int64_t y = picture.Height < 0 ? i : rows - 1 - i;
    std::string row;
    for (int x = 0; x < picture.Width; ++x) {
      const size_t index = size_t(y) * size_t(picture.Width) + size_t(x);
      Put(row, index < picture.Pixels.size() ? picture.Pixels[index] : 0, bytesPerPixel);
    }
    row.resize(rowBytes, char(picture.PaddingByte));
    out += row;
  }
  if (picture.TruncateTo < out.size()) out.resize(picture.TruncateTo);
  return out;
}

}  // namespace vuzed::test
