// The status display on the real renderer: a screenshot taken during play
// through `vuzed-tool run --video gl` shows the HUD frame (else picture 25)
// around the playfield and the numbers made of the digit pictures 0-9 at
// their places beside it.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "support/bmp_writer.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

const std::vector<std::string> kOffscreen{"SDL_VIDEODRIVER=offscreen", "SDL_AUDIODRIVER=dummy",
                                          "ASAN_OPTIONS=detect_leaks=0"};

// Else pictures are keyed on magenta. Every colour below is made of the
// channel levels 0x00, 0x80 and 0xFF only, so a pixel read back (the digits'
// bottom edge is shaded darker) is named by rounding each channel to the
// nearest of the three.
constexpr uint32_t kKey = 0xFF00FF;
constexpr uint32_t kFrame = 0x808080;
constexpr std::array<uint32_t, 10> kDigit = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF,
                                             0xFF8000, 0x80FF00, 0x0080FF, 0xFF0080, 0x8000FF};
// The playfield the frame leaves open: from the field origin (30, 15),
// 400 by 450 pixels.
constexpr int kFieldLeft = 30, kFieldTop = 15, kFieldRight = 430, kFieldBottom = 465;
constexpr int kDigitSize = 20;  // drawn at scale 0.6: 12 pixels, 12 apart

uint32_t Level(uint32_t c) {
  const uint32_t levels[3] = {0x00, 0x80, 0xFF};
  uint32_t best = 0;
  for (uint32_t l : levels)
    if (std::abs(int(c) - int(l)) < std::abs(int(c) - int(best))) best = l;
  return best;
}

uint32_t Named(uint32_t rgb) { return Level(rgb >> 16 & 0xFF) << 16 | Level(rgb >> 8 & 0xFF) << 8 | Level(rgb & 0xFF); }

// An enemy on the ship that the stage clears at once: its ten power items
// and one score item fall straight into the ship, 11 x 31 = 341 points.
constexpr const char* kStage =
    "type\n  procedure OPENING;\n  procedure MAIN;\n  procedure DROP;\nend;\n"
    "procedure OPENING;\nbegin\n  SetShotMode(VERTICAL);\nend;\n"
    "procedure DROP;\nbegin\n  if opening then\n  begin\n    X := 200;\n    Y := 400;\n"
    "    POWERITEM := 9;\n  end;\nend;\n"
    "procedure MAIN;\nbegin\n  if time = 2 then CreateEnemy(DROP);\n  if time = 3 then CleanEnemy;\nend;\n";

class Screenshot {
 public:
  explicit Screenshot(std::string bytes) : Bytes_(std::move(bytes)) {}
  bool Valid() const {
    return Bytes_.size() == 54u + 640u * 480u * 3u && Bytes_.compare(0, 2, "BM") == 0 && Read(18) == 640 &&
           (Read(22) == 480 || Read(22) == -480) && (Read(28) & 0xFFFF) == 24;
  }
  uint32_t At(int x, int y) const {
    const int row = Read(22) > 0 ? 479 - y : y;
    const size_t at = 54 + size_t(row) * 640 * 3 + size_t(x) * 3;
    return uint32_t(uint8_t(Bytes_[at + 2])) << 16 | uint32_t(uint8_t(Bytes_[at + 1])) << 8 | uint8_t(Bytes_[at]);
  }

 private:
  int32_t Read(size_t at) const {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | uint8_t(Bytes_[at + size_t(i)]);
    return int32_t(v);
  }
  std::string Bytes_;
};

TEST(HudGl, TheFrameAndTheScoreDigitsAreWhereTheHudPutsThem) {
  test::TempDir root;
  root.Write("data/information.ini", "[Screen]\r\nFullScreen=0\r\n");
  root.Write("data/Script/Stage1.txt", kStage);
  root.Write("data/Graphic/Else/25.bmp", test::MakeBmp(test::PictureOf(640, 480, 24, [](int x, int y) {
               const bool field = x >= kFieldLeft && x < kFieldRight && y >= kFieldTop && y < kFieldBottom;
               return field ? kKey : kFrame;
             })));
  for (int d = 0; d < 10; ++d)
    root.Write("data/Graphic/Else/" + std::to_string(d) + ".bmp",
               test::MakeBmp(test::PictureOf(kDigitSize, kDigitSize, 24, [d](int, int) { return kDigit[size_t(d)]; })));
  const auto shot = root.Path() / "hud.bmp";
  const auto r = test::RunTool({"run", "--root", root.Path().string(), "--frames", "30", "--video", "gl",
                                "--screenshot", "30:" + shot.string()},
                               kOffscreen);
  ASSERT_EQ(r.Status, 0) << r.Err;
  ASSERT_NE(r.Out.find("\"score\":341,"), std::string::npos) << r.Out;
  const Screenshot image(root.Read("hud.bmp"));
  ASSERT_TRUE(image.Valid());

  // The frame around the playfield; the key colour left the field open.
  // Sprites sit on whole pixels the way the game's renderer always put them,
  // so smooth sampling mixes each pixel with the texels above and to the
  // left: the pixel right of or below the edge of the field is a blend.
  EXPECT_EQ(Named(image.At(2, 2)), kFrame);
  EXPECT_EQ(Named(image.At(kFieldLeft - 1, 240)), kFrame);
  EXPECT_EQ(Named(image.At(200, kFieldTop - 1)), kFrame);
  EXPECT_EQ(Named(image.At(200, kFieldBottom + 1)), kFrame);
  EXPECT_EQ(Named(image.At(kFieldRight + 1, 240)), kFrame);
  EXPECT_EQ(Named(image.At(500, 300)), kFrame);
  EXPECT_NE(Named(image.At(200, 240)), kFrame);
  EXPECT_NE(Named(image.At(kFieldLeft + 1, kFieldTop + 1)), kFrame);
  EXPECT_NE(Named(image.At(kFieldRight - 1, kFieldBottom - 1)), kFrame);

  // Numbers end at X = 600: the k-th digit from the right has its left edge
  // at 600 - 12k. Read each digit near its top, where the shade is slight.
  const auto digit = [&](int k, int y) { return Named(image.At(600 - 12 * k + 6, y + 3)); };
  // Score 341 at Y = 60.
  EXPECT_EQ(digit(0, 60), kDigit[1]);
  EXPECT_EQ(digit(1, 60), kDigit[4]);
  EXPECT_EQ(digit(2, 60), kDigit[3]);
  EXPECT_EQ(Named(image.At(600 - 12 * 3 + 6, 63)), kFrame);  // nothing left of the first digit
  EXPECT_EQ(Named(image.At(600 + 14, 63)), kFrame);          // nor right of the last
  // The recorded score (none yet) at Y = 40, the frames played (30) at 90.
  EXPECT_EQ(digit(0, 40), kDigit[0]);
  EXPECT_EQ(digit(1, 40), kFrame);
  EXPECT_EQ(digit(0, 90), kDigit[0]);
  EXPECT_EQ(digit(1, 90), kDigit[3]);
  // The digits are 12 pixels high: the row between the score and its
  // neighbours is the frame.
  EXPECT_EQ(Named(image.At(606, 74)), kFrame);
}

}  // namespace
}  // namespace vuzed
