// libFuzzer: the BMP loader on arbitrary bytes. The first byte picks the
// texture's candidate formats (32-bit, 16-bit, 16-bit without alpha); the
// rest is the file, loaded on a device of the null renderer with its debug
// log off, so nothing is written anywhere. A picture that loads is saved as a
// 32-bit BMP and loaded again: that copy must show the very same pixels.
//
// A refused picture may still size its texture from its header (a wrong
// magic does, as does a depth the pixel loop then refuses), up to the
// loader's 64 MiB limit; headers that ask for more than kFuzzPixels are
// skipped so that one input never spends its time clearing such a texture.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "engine/graphics/bmp_loader.h"
#include "engine/graphics/device.h"
#include "engine/graphics/texture.h"
#include "engine/platform/null_render_backend.h"
#include "engine/platform/window_host.h"

namespace {

using namespace vuzed;

constexpr uint64_t kFuzzPixels = 1 << 18;

bool SmallEnough(std::istream& in) {
  BmpHeader h;
  if (!ReadBmpFileHeader(in, h) || !ReadBmpInfoHeader(in, h)) return true;
  return !h.SizeIsPlausible() || uint64_t(h.Width) * uint64_t(h.Rows()) <= kFuzzPixels;
}

struct NullDevice {
  NullDevice() {
    Device.SetDebugOption({false, false, false});
    Device.Loaded();
  }
  NullRenderBackend Backend;
  NullWindowHost Window;
  TDovivez Device{Backend, Window};
};

const std::vector<D3DFORMAT>& Formats(uint8_t choice) {
  static const std::vector<D3DFORMAT> kLists[] = {
      {fmt::A8R8G8B8}, {fmt::A4R4G4B4}, {fmt::R5G6B5}, {fmt::X8R8G8B8}};
  return kLists[choice % 4];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static NullDevice null;
  const std::vector<D3DFORMAT>& formats = Formats(data[0]);
  std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  if (!SmallEnough(in)) return 0;
  TMXTexture texture(&null.Device, formats);
  in.clear();
  in.seekg(0);
  if (!texture.LoadFromStream(in)) return 0;

  std::ostringstream saved;
  texture.SaveToStream(saved);
  TMXTexture copy(&null.Device, formats);
  std::istringstream again(saved.str());
  if (!copy.LoadFromStream(again) || copy.Width() != texture.Width() || copy.Height() != texture.Height())
    std::abort();
  for (int y = 0; y < texture.Height(); ++y)
    for (int x = 0; x < texture.Width(); ++x)
      if (copy.PixelAt(x, y) != texture.PixelAt(x, y)) std::abort();
  return 0;
}
