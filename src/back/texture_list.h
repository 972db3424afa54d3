#pragma once
// TTextureList: every picture of the game, loaded once at start-up. A picture
// is named by its table and its number, and the number is the file's own name:
// picture n of a table is "n.bmp" in the table's folder. A missing file leaves
// an empty slot, so numbers never shift.
//
//   table        folder                       slots  colour key (transparent)
//   player       data\Graphic\Player\         0..11  magenta 255,0,255
//   bullet       data\Graphic\Bullet\         0..130 black
//   small enemy  data\Graphic\Enemy\small\    0..4   white
//   boss         data\Graphic\Enemy\boss\     0..30  white
//   else         data\Graphic\Else\           0..80  magenta
//   effect       data\Graphic\Effect\         0..11  magenta
//   back         data\Graphic\Back\           0..61  magenta
//   title extra  data\Graphic\Other\12.bmp    one    black
//
// A picture the game asks for whose file is missing is reported the first
// time it is asked for, once per file however often it is drawn, as
// "data/Graphic/Bullet/57.bmp: the picture file is missing" on stderr and in
// the engine log (as a sound file that cannot be used is). Numbers nobody
// asks for may be missing quietly, and without a data\Graphic folder at all
// nothing is reported (the data then has no pictures, as headless test data).

#include <array>
#include <string>
#include <memory>
#include <vector>

#include "engine/graphics/texture.h"

namespace vuzed {

struct TGameContext;

// Tables in the order the object holds them.
enum class TPictureTable { Player, SmallEnemy, Boss, Bullet, Else, Effect, Back };
constexpr int kPictureTableCount = 7;

struct TPictureTableInfo {
  TPictureTable Table;
  const char* Folder;   // game path, ends in "\"
  int LastNumber;
  uint32_t Key;         // ARGB; only the RGB part matters
};

// Loading order: player, bullet, small enemy, boss, else, effect, back.
extern const std::array<TPictureTableInfo, kPictureTableCount> kPictureTables;

class TTextureList {
 public:
  // Loads the title's extra texture at once when its file exists.
  explicit TTextureList(TGameContext& context);
  ~TTextureList();

  // Fills the seven tables (run by the start-up loader).
  void LoadTables();

  // The texture at this number, or nullptr for an empty slot or a number
  // outside the table (a script may ask for any number; we never read outside).
  TMXTexture* Get(TPictureTable table, int number) const;
  // Changes whenever the tables are filled: a picture pointer kept by a
  // drawer (bullets keep theirs from frame to frame) is good while this is
  // the same.
  uint32_t Generation() const { return Generation_; }
  int SlotCount(TPictureTable table) const;
  TMXTexture* TitleTexture() const;

  // One picture as the game makes it: fill colour, file, colour key. Nothing
  // when the file could not be read at all.
  static std::unique_ptr<TMXTexture> LoadPicture(TGameContext& context, const std::string& gamePath,
                                                 uint32_t fillColor, uint32_t key);

 private:
  // One line for a missing file the game asked for.
  void ReportMissingPicture(const std::string& gamePath) const;

  TGameContext& Context_;
  std::array<std::vector<std::unique_ptr<TMXTexture>>, kPictureTableCount> Tables_;
  std::unique_ptr<TMXTexture> Title_;
  // Slots whose file was missing when the tables were filled (only while a
  // graphics folder exists), cleared once reported; likewise the title's.
  mutable std::array<std::vector<bool>, kPictureTableCount> Missing_;
  mutable bool TitleMissing_ = false;
  uint32_t Generation_ = 0;
};

}  // namespace vuzed
