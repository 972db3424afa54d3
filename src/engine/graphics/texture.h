#pragma once
// TMXTexture: one texture with everything needed to re-create it: candidate
// formats, requested image size and where its content came from. Pixels live
// on the CPU side in the chosen format (level 0 only); the backend uploads
// them when their version changes.
//
// Every picture of the game is made the same way: create, set FillColor,
// LoadFromFile, SetColorKey over (0, 0, Width, Height), then draw quads whose
// far texture coordinates are MaxU and MaxV.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/graphics/d3d_types.h"
#include "engine/graphics/device.h"
#include "engine/platform/render_backend.h"

namespace vuzed {

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The candidate list every game picture and text texture uses.
inline const std::vector<D3DFORMAT>& GameTextureFormats() {
  static const std::vector<D3DFORMAT> formats{fmt::A8R8G8B8, fmt::A4R4G4B4, fmt::A1R5G5B5};
  return formats;
}

class TMXTexture : public TDeviceResource {
 public:
  // Where the content came from, for rebuilding after a mode change.
  enum class TSource : uint8_t { None = 0, File = 1, Archive = 2, Memory = 3 };

  // callback(texture, pixel, x, data, y) returns the new pixel.
  using TPixelCallback = std::function<uint32_t(TMXTexture&, uint32_t pixel, int x, void* data, int y)>;

  TMXTexture(TDovivez* device, std::vector<D3DFORMAT> formats, uint32_t usage = 0,
             uint32_t pool = d3d::POOL_MANAGED, uint32_t levels = 0, std::string name = "");
  ~TMXTexture() override;

  // (Re)creates the texture; sizes are rounded as the device caps demand. A
  // side beyond the device's largest texture is cut to it, so Width and
  // Height never exceed AllocWidth and AllocHeight.
  void SetSize(int width, int height);
  // Loads a BMP file (8, 16, 24 or 32 bits). False when the file could not be
  // read as a picture; the texture then keeps its fill colour. The archive
  // form arrives with the archive reader.
  bool LoadFromFile(const std::string& path, const std::string& archive = "");
  bool LoadFromStream(std::istream& stream);
  // A 32-bit BMP of the image, bottom row first.
  void SaveToStream(std::ostream& stream);

  // Level 0 only. nullptr rect = the whole level. Returns the first pixel of
  // the rectangle and its row pitch, or nullptr when there is no texture.
  uint8_t* LockRect(int level, const TRect* rect, uint32_t flags, int& pitch);
  void UnlockRect();

  void FillRect(const TRect& rect, uint32_t color, bool keepAlpha);
  // Pixels whose RGB equals the key become alpha 0, every other pixel alpha 255.
  void SetColorKey(const TRect& rect, uint32_t color);
  void ForEachPixel(const TRect& rect, const TPixelCallback& callback, void* data);

  int Width() const { return Width_; }
  int Height() const { return Height_; }
  int AllocWidth() const { return AllocWidth_; }
  int AllocHeight() const { return AllocHeight_; }
  float MaxU() const { return MaxU_; }
  float MaxV() const { return MaxV_; }
  uint32_t FillColor() const { return FillColor_; }
  void SetFillColor(uint32_t color) { FillColor_ = color; }
  D3DFORMAT Format() const { return Format_; }
  TSource Source() const { return Source_; }
  bool HasTexture() const { return HasTexture_; }
  int BytesPerPixel() const { return BytesPerPixel_; }

  // Level 0 as the backend sees it; nullptr while there is no texture.
  const TextureImage* Image() const { return HasTexture_ ? &Image_ : nullptr; }
  // One pixel of level 0 in the texture's format (tests and screenshots).
  uint32_t PixelAt(int x, int y) const;

 protected:
  void OnRelease() override;
  void OnRebuild() override;
  void OnLost() override;
  void OnReset() override;

 private:
  // A detail line in the device's log (none without a device).
  void Detail(const std::string& text) const { WriteDetailLog(Log(), text); }
  D3DFORMAT ChooseFormat() const;
  // Allocates level 0 at AllocWidth x AllocHeight in Format; a managed
  // texture starts filled with FillColor.
  void CreateStorage();
  void ReleaseStorage();
  // The device goes away: back up edited content of a managed texture, then
  // drop the pixels and remember to come back on the next rebuild.
  void ReleaseForDevice();
  // Sizes the texture from the BMP header at the stream's position, then
  // loads it. A stream that cannot be read logs errorText.
  bool LoadSizedBMP(std::istream& stream, const std::string& errorText);
  bool LoadBMP(std::istream& stream);  // defined in bmp_loader.cpp
  // rect clipped to the allocated area.
  TRect Clip(const TRect& rect) const;
  void Touch();  // pixels changed: the backend must upload again

  std::vector<D3DFORMAT> Formats_;
  uint32_t Usage_;
  uint32_t Pool_;
  uint32_t Levels_;
  D3DFORMAT Format_ = fmt::UNKNOWN;
  int Width_ = 0, Height_ = 0;
  int AllocWidth_ = 0, AllocHeight_ = 0;
  float MaxU_ = 0, MaxV_ = 0;
  uint32_t FillColor_ = 0;
  int BytesPerPixel_ = 0;
  bool HasTexture_ = false;
  bool Locked_ = false;
  bool LockWritable_ = false;  // the current lock may change pixels
  bool Rebuilding_ = false;
  bool PendingRebuild_ = false;  // released with content; the next rebuild re-creates it
  TSource Source_ = TSource::None;
  std::string FilePath_;
  std::string ArchivePath_;
  std::string EntryId_;  // entry within ArchivePath_
  std::unique_ptr<std::stringstream> Backup_;
  std::vector<uint8_t> Pixels_;
  TextureImage Image_{};
};

}  // namespace vuzed
