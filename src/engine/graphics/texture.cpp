#include "engine/graphics/texture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "engine/archive/archive_reader.h"
#include "engine/graphics/bmp_loader.h"
#include "engine/graphics/d3d_names.h"
#include "engine/graphics/engine_log.h"
#include "engine/graphics/pixel_format.h"

namespace vuzed {
namespace {

// Smallest power of two not below n, for n >= 1.
int CeilPow2(int n) {
  int p = 1;
  while (p < n && p < (1 << 30)) p <<= 1;
  return p;
}

// Largest power of two not above n, for n >= 1.
int FloorPow2(int n) {
  int p = 1;
  while (p <= n / 2) p <<= 1;
  return p;
}

// Writes one pixel value over a w x h block: the first row pixel by pixel,
// every further row as a copy of it.
void FillBlock(uint8_t* bits, int pitch, int bytesPerPixel, int w, int h, uint32_t pixel) {
  if (w <= 0 || h <= 0) return;
  for (int x = 0; x < w; ++x) WritePixel(bits + x * bytesPerPixel, bytesPerPixel, pixel);
  for (int y = 1; y < h; ++y) std::memcpy(bits + std::ptrdiff_t(y) * pitch, bits, size_t(w) * bytesPerPixel);
}

// Replaces every pixel of the locked rectangle r, row by row from the top,
// by f(pixel, x, y).
template <typename F>
void MapPixels(uint8_t* bits, int pitch, int bytesPerPixel, const TRect& r, F&& f) {
  for (int y = r.Top; y < r.Bottom; ++y) {
    uint8_t* p = bits + std::ptrdiff_t(y - r.Top) * pitch;
    for (int x = r.Left; x < r.Right; ++x, p += bytesPerPixel)
      WritePixel(p, bytesPerPixel, f(ReadPixel(p, bytesPerPixel), x, y));
  }
}

}  // namespace

TMXTexture::TMXTexture(TDovivez* device, std::vector<D3DFORMAT> formats, uint32_t usage, uint32_t pool,
                       uint32_t levels, std::string name)
    : TDeviceResource(device, "TMXTexture", std::move(name)),
      Formats_(std::move(formats)),
      Usage_(usage),
      Pool_(pool),
      Levels_(levels) {
  Image_.Id = NextBackendObjectId();
}

TMXTexture::~TMXTexture() {
  Detail("テクスチャオブジェクトを解放します");
  ReleaseStorage();
  Backup_.reset();
}

D3DFORMAT TMXTexture::ChooseFormat() const {
  if (!Device()) return Formats_.empty() ? fmt::A8R8G8B8 : Formats_.front();
  for (D3DFORMAT candidate : Formats_)
    if (Device()->Backend().CheckTextureFormat(candidate)) return candidate;
  return Device()->BackBufferFormat();
}

void TMXTexture::SetSize(int width, int height) {
  const DeviceCaps caps = Device() ? Device()->Caps() : DeviceCaps{};
  if (caps.MaxTextureWidth < width || caps.MaxTextureHeight < height)
    Detail("要求されたテクスチャのサイズは大きすぎます。" + std::to_string(caps.MaxTextureWidth) + " x " +
           std::to_string(caps.MaxTextureHeight) + " 以内にして下さい");

  // Round as the caps demand (square first, then powers of two), but never
  // past the largest texture the device holds: a larger image keeps its top
  // left part, and Width/Height shrink to what the texture holds.
  int w = std::max(width, 1), h = std::max(height, 1);
  int limitW = std::max(caps.MaxTextureWidth, 1), limitH = std::max(caps.MaxTextureHeight, 1);
  if (caps.SquareOnly) {
    w = h = std::max(w, h);
    limitW = limitH = std::min(limitW, limitH);
  }
  if (caps.TexturePow2) {
    w = CeilPow2(w);
    h = CeilPow2(h);
    limitW = FloorPow2(limitW);
    limitH = FloorPow2(limitH);
  }
  AllocWidth_ = std::min(w, limitW);
  AllocHeight_ = std::min(h, limitH);
  Width_ = std::clamp(width, 0, AllocWidth_);
  Height_ = std::clamp(height, 0, AllocHeight_);
  MaxU_ = float(Width_) / float(AllocWidth_);
  MaxV_ = float(Height_) / float(AllocHeight_);

  if (HasTexture_) {
    Detail("テクスチャの再生成に伴い、以前のテクスチャを解放します");
    ReleaseStorage();
  }
  Format_ = ChooseFormat();
  Detail(std::string("使用されるフォーマットは ") + FormatName(Format_) + " です");
  BytesPerPixel_ = FormatBits(Format_) / 8;
  if (width <= 0 || height <= 0 || BytesPerPixel_ == 0) {
    CheckResult(Log(), d3derr::INVALIDCALL, "テクスチャの生成に失敗しました");
  } else {
    CreateStorage();
    char mem[64];
    std::snprintf(mem, sizeof mem, "%.2f", double(caps.AvailableTextureMem) / 1048576.0);
    Detail(std::string("残りテクスチャ容量は、約") + mem + "メガです");
  }
  if (!Rebuilding_) {
    Backup_.reset();
    Source_ = TSource::Memory;
  }
}

void TMXTexture::CreateStorage() {
  const int pitch = (AllocWidth_ * BytesPerPixel_ + 3) / 4 * 4;
  Pixels_.assign(size_t(pitch) * size_t(AllocHeight_), 0);
  if (Pool_ != d3d::POOL_DEFAULT)
    FillBlock(Pixels_.data(), pitch, BytesPerPixel_, AllocWidth_, AllocHeight_, ColorToPixel(FillColor_, Format_));
  Image_.Width = AllocWidth_;
  Image_.Height = AllocHeight_;
  Image_.Format = Format_;
  Image_.Pitch = pitch;
  Image_.Pixels = Pixels_.data();
  HasTexture_ = true;
  Locked_ = false;
  Touch();
}

void TMXTexture::ReleaseStorage() {
  if (!HasTexture_) return;
  if (Device()) Device()->Backend().ForgetTexture(Image_.Id);
  Pixels_.clear();
  Pixels_.shrink_to_fit();
  Image_.Pixels = nullptr;
  HasTexture_ = false;
  Locked_ = false;
}

void TMXTexture::Touch() { ++Image_.Version; }

bool TMXTexture::LoadFromFile(const std::string& path, const std::string& archive) {
  const std::string id = std::to_string(ResourceID());
  if (!archive.empty()) {
    // path is the entry's id inside the archive.
    Detail("ID " + id + "(" + ResourceName() + ") のテクスチャに、VAZファイル" + archive + " から ID " + path +
           " を読み込みます");
    const std::string errorText = path + " ＠ " + archive + "からの、読み込みエラー";
    std::unique_ptr<std::stringstream> entry;
    try {
      entry = ExtractFromArchive(archive, path);
    } catch (const std::exception&) {
      // Every failure of the extraction (missing file or id, damaged data)
      // is reported in the texture's own words.
    }
    bool loaded = false;
    if (entry)
      loaded = LoadSizedBMP(*entry, errorText);
    else
      LogLoadError(Log(), errorText);
    Source_ = TSource::Archive;
    ArchivePath_ = archive;
    EntryId_ = path;
    return loaded;
  }
  Detail("ID " + id + "(" + ResourceName() + ") のテクスチャに、" + path + " を読み込みます");
  // Only a regular file: a FIFO or a device would block the open or never end.
  std::error_code ec;
  std::ifstream file;
  if (std::filesystem::is_regular_file(path, ec)) file.open(path, std::ios::binary);
  bool loaded = false;
  if (file)
    loaded = LoadSizedBMP(file, path + "からの、読み込みエラー");
  else
    LogLoadError(Log(), path + "からの、読み込みエラー");
  Source_ = TSource::File;
  FilePath_ = path;
  return loaded;
}

bool TMXTexture::LoadFromStream(std::istream& stream) {
  Detail("ID " + std::to_string(ResourceID()) + " のテクスチャに、ストリームから読み込みます");
  bool loaded = LoadSizedBMP(stream, "ストリームからの、読み込みエラー");
  Source_ = TSource::Memory;
  return loaded;
}

bool TMXTexture::LoadSizedBMP(std::istream& stream, const std::string& errorText) {
  const std::streampos base = stream.tellg();
  BmpHeader header;
  if (base == std::streampos(-1) || !ReadBmpFileHeader(stream, header) || !ReadBmpInfoHeader(stream, header)) {
    LogLoadError(Log(), errorText);
    return false;
  }
  if (!header.SizeIsPlausible()) {
    // No size to give the texture: it keeps what it had.
    if (header.Type != BmpHeader::Magic)
      WriteLog(Log(), "不正なBMPファイルです");
    else
      LogLoadError(Log(), errorText);
    return false;
  }
  // A header may promise far more pixels than the file holds: such a
  // picture is refused before the texture takes its size.
  stream.clear();
  stream.seekg(0, std::ios::end);
  const std::streampos end = stream.tellg();
  if (header.Type == BmpHeader::Magic &&
      (end == std::streampos(-1) || uint64_t(end - base) < header.LeastFileBytes())) {
    LogLoadError(Log(), errorText);
    return false;
  }
  SetSize(header.Width, header.Rows());
  stream.clear();
  stream.seekg(base);
  return LoadBMP(stream);
}

void TMXTexture::SaveToStream(std::ostream& stream) {
  int pitch = 0;
  const uint8_t* bits = LockRect(0, nullptr, d3d::LOCK_READONLY, pitch);
  if (!bits) return;
  WriteBmpHeader(stream, Bmp32Header(Width_, Height_));
  std::vector<uint8_t> row(size_t(Width_) * 4);
  for (int y = Height_ - 1; y >= 0; --y) {
    const uint8_t* p = bits + std::ptrdiff_t(y) * pitch;
    for (int x = 0; x < Width_; ++x, p += BytesPerPixel_)
      WritePixel(&row[size_t(x) * 4], 4, PixelToColor(ReadPixel(p, BytesPerPixel_), Format_));
    stream.write(reinterpret_cast<const char*>(row.data()), std::streamsize(row.size()));
  }
  UnlockRect();
}

uint8_t* TMXTexture::LockRect(int level, const TRect* rect, uint32_t flags, int& pitch) {
  pitch = 0;
  const bool readOnly = (flags & d3d::LOCK_READONLY) != 0;
  // Edited content can no longer be reloaded from where it came from.
  if (!readOnly && Source_ != TSource::None) Source_ = TSource::Memory;
  if (!HasTexture_) {
    CheckResult(Log(), d3derr::ENGINE_FAIL,
                "テクスチャが確保されていません。LockRectの前にSetSizeするか、BMPを読み込んでください");
    return nullptr;
  }
  const TRect r = rect ? *rect : TRect{0, 0, AllocWidth_, AllocHeight_};
  const bool inside = r.Left >= 0 && r.Top >= 0 && r.Left <= r.Right && r.Top <= r.Bottom &&
                      r.Right <= AllocWidth_ && r.Bottom <= AllocHeight_;
  if (level != 0 || Locked_ || !inside) {
    CheckResult(Log(), d3derr::INVALIDCALL, "LockRectに失敗しました");
    return nullptr;
  }
  Locked_ = true;
  LockWritable_ = !readOnly;
  pitch = Image_.Pitch;
  return Pixels_.data() + std::ptrdiff_t(r.Top) * pitch + std::ptrdiff_t(r.Left) * BytesPerPixel_;
}

void TMXTexture::UnlockRect() {
  if (!Locked_) {
    CheckResult(Log(), d3derr::INVALIDCALL, "アンロックに失敗しました");
    return;
  }
  Locked_ = false;
  if (LockWritable_) Touch();
}

TRect TMXTexture::Clip(const TRect& rect) const {
  TRect r;
  r.Left = std::clamp(rect.Left, 0, AllocWidth_);
  r.Top = std::clamp(rect.Top, 0, AllocHeight_);
  r.Right = std::clamp(rect.Right, r.Left, AllocWidth_);
  r.Bottom = std::clamp(rect.Bottom, r.Top, AllocHeight_);
  return r;
}

void TMXTexture::FillRect(const TRect& rect, uint32_t color, bool keepAlpha) {
  const TRect r = Clip(rect);
  int pitch = 0;
  uint8_t* bits = LockRect(0, &r, 0, pitch);
  if (!bits) return;
  if (keepAlpha) {
    MapPixels(bits, pitch, BytesPerPixel_, r, [&](uint32_t pixel, int, int) {
      return ColorToPixel((PixelToColor(pixel, Format_) & 0xFF000000u) | (color & 0xFFFFFFu), Format_);
    });
  } else {
    FillBlock(bits, pitch, BytesPerPixel_, r.Right - r.Left, r.Bottom - r.Top, ColorToPixel(color, Format_));
  }
  UnlockRect();
}

void TMXTexture::SetColorKey(const TRect& rect, uint32_t color) {
  const TRect r = Clip(rect);
  int pitch = 0;
  uint8_t* bits = LockRect(0, &r, 0, pitch);
  if (!bits) return;
  // The key as this texture can hold it.
  const uint32_t key = PixelToColor(ColorToPixel(color, Format_), Format_) & 0xFFFFFFu;
  MapPixels(bits, pitch, BytesPerPixel_, r, [&](uint32_t pixel, int, int) {
    const uint32_t rgb = PixelToColor(pixel, Format_) & 0xFFFFFFu;
    return ColorToPixel(rgb == key ? rgb : rgb | 0xFF000000u, Format_);
  });
  UnlockRect();
}

void TMXTexture::ForEachPixel(const TRect& rect, const TPixelCallback& callback, void* data) {
  const TRect r = Clip(rect);
  int pitch = 0;
  uint8_t* bits = LockRect(0, &r, 0, pitch);
  if (!bits) return;
  MapPixels(bits, pitch, BytesPerPixel_, r,
            [&](uint32_t pixel, int x, int y) { return callback(*this, pixel, x, data, y); });
  UnlockRect();
}

uint32_t TMXTexture::PixelAt(int x, int y) const {
  if (!HasTexture_ || x < 0 || y < 0 || x >= AllocWidth_ || y >= AllocHeight_) return 0;
  return ReadPixel(Pixels_.data() + std::ptrdiff_t(y) * Image_.Pitch + std::ptrdiff_t(x) * BytesPerPixel_,
                   BytesPerPixel_);
}

// ---- Device callbacks ----

void TMXTexture::ReleaseForDevice() {
  if (!HasTexture_) return;
  if (Source_ == TSource::Memory && Pool_ != d3d::POOL_DEFAULT) {
    Backup_ = std::make_unique<std::stringstream>();
    SaveToStream(*Backup_);
    Backup_->seekg(0);
  }
  ReleaseStorage();
  PendingRebuild_ = true;
}

void TMXTexture::OnRelease() { ReleaseForDevice(); }

void TMXTexture::OnRebuild() {
  if (!PendingRebuild_) return;
  PendingRebuild_ = false;
  Rebuilding_ = true;
  if (Pool_ == d3d::POOL_DEFAULT) {
    SetSize(Width_, Height_);
  } else {
    switch (Source_) {
      case TSource::None:
        SetSize(Width_, Height_);
        break;
      case TSource::File:
        LoadFromFile(FilePath_);
        break;
      case TSource::Archive:
        LoadFromFile(EntryId_, ArchivePath_);
        break;
      case TSource::Memory:
        if (Backup_) LoadFromStream(*Backup_);
        Backup_.reset();
        break;
    }
    // A picture that can no longer be read comes back as its fill colour.
    if (!HasTexture_) SetSize(Width_, Height_);
  }
  Rebuilding_ = false;
}

void TMXTexture::OnLost() {
  if (Pool_ == d3d::POOL_DEFAULT) ReleaseForDevice();
}

void TMXTexture::OnReset() {
  if (Pool_ != d3d::POOL_DEFAULT || !PendingRebuild_) return;
  PendingRebuild_ = false;
  SetSize(Width_, Height_);
}

}  // namespace vuzed
