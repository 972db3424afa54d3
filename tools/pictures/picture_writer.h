#pragma once
// Writes the pictures into the game's data folder: picture n of a table is
// "<folder>/n.bmp" (the game matches folder and file names without regard to
// case). Each table has its colour key; see keying.h.

#include <cstdint>
#include <filesystem>
#include <string>

#include "bmp_file.h"
#include "keying.h"
#include "raster.h"

namespace vuzed::pictures {

struct PictureTable {
  const char* Folder;  // below data/
  uint32_t Key;
};

namespace table {
constexpr PictureTable Player{"Graphic/Player", key::Magenta};
constexpr PictureTable Bullet{"Graphic/Bullet", key::Black};
constexpr PictureTable SmallEnemy{"Graphic/Enemy/small", key::White};
constexpr PictureTable Boss{"Graphic/Enemy/boss", key::White};
constexpr PictureTable Else{"Graphic/Else", key::Magenta};
constexpr PictureTable Effect{"Graphic/Effect", key::Magenta};
constexpr PictureTable Back{"Graphic/Back", key::Magenta};
// Other/9 (opening logo) and Other/10 (loading picture) get no key; Other/12
// (title logo) is keyed black.
constexpr PictureTable Other{"Graphic/Other", key::Black};
}  // namespace table

enum class Depth { Bits24, Bits16 };

class PictureWriter {
 public:
  explicit PictureWriter(std::filesystem::path dataDir);

  // A sprite: soft edges onto the matte, the faint rest becomes the key.
  void Sprite(const PictureTable& t, int n, const Canvas& c, const Rgba& matte, Depth d = Depth::Bits24);
  // A picture drawn additively: faint light becomes the key.
  void Light(const PictureTable& t, int n, const Canvas& c);
  // A picture without transparency.
  void Opaque(const PictureTable& t, int n, const Canvas& c, Depth d, const Rgba& background = Hex(0));
  void Indexed(const PictureTable& t, int n, const IndexedImage& image);
  // Any other file, by its path below the data folder.
  void File(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

  uint64_t BytesWritten() const { return Bytes_; }
  int FilesWritten() const { return Files_; }

 private:
  void Write(const PictureTable& t, int n, const std::vector<uint8_t>& bytes);
  std::filesystem::path Root_;
  uint64_t Bytes_ = 0;
  int Files_ = 0;
};

}  // namespace vuzed::pictures
