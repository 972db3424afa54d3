#include "back/texture_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/graphics/pixel_format.h"
#include "support/bmp_writer.h"
#include "support/game_fixture.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

using test::GameFixture;

std::string Bmp(int w, int h, uint32_t rgb) {
  return test::MakeBmp(test::PictureOf(w, h, 24, [&](int, int) { return rgb; }));
}

uint32_t ColorAt(const TMXTexture& t, int x, int y) { return PixelToColor(t.PixelAt(x, y), t.Format()); }

struct TextureListTest : ::testing::Test {
  void Load() {
    g.Dir.Write("data/information.ini", "[Screen]\nFullScreen=0\n");
    g.Start();
  }
  TTextureList& List() { return *g.Game().TextureList; }
  GameFixture g;
};

TEST_F(TextureListTest, SlotsKeepTheirFileNumbersAndMissingFilesStayEmpty) {
  g.Dir.Write("data/Graphic/Player/1.bmp", Bmp(4, 4, 0x808080));
  g.Dir.Write("data/Graphic/Player/12.bmp", Bmp(4, 4, 0x808080));  // past the table: never loaded
  g.Dir.Write("data/Graphic/BULLET/130.BMP", Bmp(2, 2, 0x808080));  // any case
  Load();
  EXPECT_EQ(List().SlotCount(TPictureTable::Player), 12);
  EXPECT_EQ(List().SlotCount(TPictureTable::Bullet), 131);
  EXPECT_EQ(List().SlotCount(TPictureTable::SmallEnemy), 5);
  EXPECT_EQ(List().SlotCount(TPictureTable::Boss), 31);
  EXPECT_EQ(List().SlotCount(TPictureTable::Else), 81);
  EXPECT_EQ(List().SlotCount(TPictureTable::Effect), 12);
  EXPECT_EQ(List().SlotCount(TPictureTable::Back), 62);
  EXPECT_NE(List().Get(TPictureTable::Player, 1), nullptr);
  for (int n : {0, 2, 11}) EXPECT_EQ(List().Get(TPictureTable::Player, n), nullptr) << n;
  EXPECT_NE(List().Get(TPictureTable::Bullet, 130), nullptr);
  // Numbers outside a table are empty entries, never a read outside it.
  EXPECT_EQ(List().Get(TPictureTable::Player, 12), nullptr);
  EXPECT_EQ(List().Get(TPictureTable::Player, -1), nullptr);
  EXPECT_EQ(List().Get(TPictureTable::Bullet, 1000000), nullptr);
}

TEST_F(TextureListTest, EachTableKeysItsOwnColour) {
  auto keyed = [](uint32_t key) {
    // Left column is the key colour, right column one step off it.
    return test::MakeBmp(test::PictureOf(2, 1, 24, [=](int x, int) { return x == 0 ? key : key ^ 0x010000u; }));
  };
  g.Dir.Write("data/Graphic/Player/0.bmp", keyed(0xFF00FF));
  g.Dir.Write("data/Graphic/Bullet/0.bmp", keyed(0x000000));
  g.Dir.Write("data/Graphic/Enemy/small/0.bmp", keyed(0xFFFFFF));
  g.Dir.Write("data/Graphic/Enemy/boss/0.bmp", keyed(0xFFFFFF));
  g.Dir.Write("data/Graphic/Else/0.bmp", keyed(0xFF00FF));
  g.Dir.Write("data/Graphic/Effect/0.bmp", keyed(0xFF00FF));
  g.Dir.Write("data/Graphic/Back/0.bmp", keyed(0xFF00FF));
  Load();
  for (TPictureTable table : {TPictureTable::Player, TPictureTable::Bullet, TPictureTable::SmallEnemy,
                              TPictureTable::Boss, TPictureTable::Else, TPictureTable::Effect, TPictureTable::Back}) {
    const TMXTexture* t = List().Get(table, 0);
    ASSERT_NE(t, nullptr) << int(table);
    EXPECT_EQ(ColorAt(*t, 0, 0) >> 24, 0u) << int(table);
    EXPECT_EQ(ColorAt(*t, 1, 0) >> 24, 255u) << int(table);
    // The unused area of the texture is transparent white.
    if (t->AllocWidth() > 2) {
      EXPECT_EQ(ColorAt(*t, 2, 0), 0x00FFFFFFu);
    }
  }
}

TEST_F(TextureListTest, TheTitleTextureIsLoadedWithTheTableAndKeysBlack) {
  g.Dir.Write("data/Graphic/Other/12.bmp",
              test::MakeBmp(test::PictureOf(2, 1, 24, [](int x, int) { return x == 0 ? 0x000000u : 0x010000u; })));
  Load();
  const TMXTexture* t = List().TitleTexture();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(ColorAt(*t, 0, 0) >> 24, 0u);
  EXPECT_EQ(ColorAt(*t, 1, 0), 0xFF010000u);
}

TEST_F(TextureListTest, AnUnreadablePictureLeavesItsSlotAndTheGameGoesOn) {
  g.Dir.Write("data/Graphic/Player/1.bmp", "BM not a picture at all");
  g.Dir.Write("data/Graphic/Player/2.bmp", Bmp(4, 4, 0x808080).substr(0, 60));  // header, no rows
  g.Dir.Write("data/Graphic/Player/3.bmp", Bmp(4, 4, 0x808080));
  Load();
  // A header whose rows the file does not hold is refused like no picture.
  EXPECT_EQ(List().Get(TPictureTable::Player, 1), nullptr);
  EXPECT_EQ(List().Get(TPictureTable::Player, 2), nullptr);
  EXPECT_NE(List().Get(TPictureTable::Player, 3), nullptr);
  g.RunTo(3);
}

// A picture the game asks for whose file is missing is reported once, on
// stderr and in the engine log, however many frames draw it; numbers nobody
// asks for stay quiet, and so does data without a graphics folder.
TEST(MissingPictures, EachMissingPictureInUseIsReportedOnceUnlessThereIsNoGraphicsFolder) {
  const std::string missing = ": the picture file is missing";
  // The status display draws the life and bomb marks every frame.
  const std::string lifeMark = "data/Graphic/Else/31.bmp" + missing;
  const std::string bombMark = "data/Graphic/Else/32.bmp" + missing;
  for (const bool graphicFolder : {true, false}) {
    SCOPED_TRACE(graphicFolder ? "with a graphics folder" : "without one");
    test::TempDir root;
    root.Write("data/information.ini", "[Screen]\nFullScreen=0\n");
    if (graphicFolder) root.Write("data/Graphic/Player/1.bmp", Bmp(4, 4, 0x808080));
    const auto run = test::RunTool({"run", "--root", root.Path().string(), "--frames", "120"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = run.Err.find('\n', at)) != std::string::npos; at = end + 1)
      lines.push_back(run.Err.substr(at, end - at));
    if (!graphicFolder) {
      EXPECT_EQ(run.Err.find(missing), std::string::npos) << run.Err;
      continue;
    }
    const std::string log = root.Read("Dovivez_DebugLog.txt");
    for (const std::string& line : {lifeMark, bombMark}) {
      EXPECT_EQ(std::count(lines.begin(), lines.end(), line), 1) << run.Err;
      EXPECT_NE(log.find(line), std::string::npos) << log;
      EXPECT_EQ(log.find(line), log.rfind(line)) << log;
    }
    // The ship's picture is there; a bullet picture nobody drew is not asked for.
    EXPECT_EQ(run.Err.find("Player/1.bmp"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find("Bullet/100.bmp"), std::string::npos) << run.Err;
  }
}

}  // namespace
}  // namespace vuzed
