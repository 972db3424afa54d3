#include "picture_writer.h"

#include <fstream>
#include <stdexcept>

namespace vuzed::pictures {

PictureWriter::PictureWriter(std::filesystem::path dataDir) : Root_(std::move(dataDir)) {}

void PictureWriter::Sprite(const PictureTable& t, int n, const Canvas& c, const Rgba& matte, Depth d) {
  const Image image = FlattenSprite(c, t.Key, matte);
  Write(t, n, d == Depth::Bits16 ? EncodeBmp16(image, t.Key) : EncodeBmp24(image));
}

void PictureWriter::Light(const PictureTable& t, int n, const Canvas& c) {
  Write(t, n, EncodeBmp24(FlattenLight(c, t.Key)));
}

void PictureWriter::Opaque(const PictureTable& t, int n, const Canvas& c, Depth d, const Rgba& background) {
  const Image image = FlattenOpaque(c, background, t.Key);
  Write(t, n, d == Depth::Bits16 ? EncodeBmp16(image, t.Key) : EncodeBmp24(image));
}

void PictureWriter::Indexed(const PictureTable& t, int n, const IndexedImage& image) {
  Write(t, n, EncodeBmp8(image));
}

void PictureWriter::Write(const PictureTable& t, int n, const std::vector<uint8_t>& bytes) {
  File(std::filesystem::path(t.Folder) / (std::to_string(n) + ".bmp"), bytes);
}

void PictureWriter::File(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  const std::filesystem::path file = Root_ / path;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
  Bytes_ += bytes.size();
  ++Files_;
}

}  // namespace vuzed::pictures
