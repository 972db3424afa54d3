// A novel scene on the real renderer: the text box (else picture 20) slid in
// at its place and a Shift-JIS line drawn in the scene's text colour on it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gl/screenshot_image.h"
#include "support/bmp_writer.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

const std::vector<std::string> kOffscreen{"SDL_VIDEODRIVER=offscreen", "SDL_AUDIODRIVER=dummy",
                                          "ASAN_OPTIONS=detect_leaks=0"};

// The box: solid dark blue, 560 x 120 (the else table's key colour is
// magenta, so blue stays opaque).
constexpr uint32_t kBoxColour = 0x0000C0;
// 「テスト」 in Shift-JIS; the trail byte 0x65 of テ is an ASCII 'e' that
// the compiler's upper-casing must leave alone.
const std::string kLine = "\x81\x75\x83\x65\x83\x58\x83\x67\x81\x76";

bool IsBox(uint32_t rgb) { return rgb == kBoxColour; }
// The text colour is opaque green; glyph edges blend it with the box, so a
// pixel counts as text where green outweighs the box's blue.
bool IsText(uint32_t rgb) {
  const uint32_t r = rgb >> 16, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
  return r < 40 && g >= 128 && g > b;
}

TEST(DialogueGl, TheNovelBoxShowsAJapaneseLineInTheTextColour) {
  test::TempDir root;
  // The game loads its pictures only when it finds the settings file.
  root.Write("data/information.ini", "[Sound]\r\nWhetherMusic=0\r\n");
  root.Write("data/Graphic/Else/20.bmp",
             test::MakeBmp(test::PictureOf(560, 120, 24, [](int, int) { return kBoxColour; })));
  root.Write("data/Script/Stage1.txt",
             "type\n  procedure OPENING;\n  procedure MAIN;\n  procedure TALK;\nend;\n"
             "procedure OPENING;\nbegin\n  SetShotMode(VERTICAL);\nend;\n"
             "procedure TALK;\nbegin\n  SetTextColor(4278255360);\n  @" + kLine + ";\n  GameMode;\nend;\n"
             "procedure MAIN;\nbegin\n  if time = 5 then NovelMode(TALK);\nend;\n");
  // The display opens at pass 5 (t = 0); t = 25 at pass 30, past the fade.
  auto shot = root.Path() / "shot.bmp";
  auto r = test::RunTool({"run", "--root", root.Path().string(), "--frames", "30", "--video", "gl",
                          "--screenshot", "30:" + shot.string()},
                         kOffscreen);
  ASSERT_EQ(r.Status, 0) << r.Err;
  ASSERT_NE(r.Out.find("\"mode\":2,"), std::string::npos) << r.Out;
  test::ScreenshotImage image(root.Read("shot.bmp"));
  ASSERT_EQ(image.Width, 640);
  ASSERT_EQ(image.Height, 480);

  // The box at (30, 340), 560 x 120: its corners and edges, and nothing left of it.
  EXPECT_EQ(image.Pixel(31, 341), kBoxColour);
  EXPECT_EQ(image.Pixel(588, 458), kBoxColour);
  EXPECT_NE(image.Pixel(28, 400), kBoxColour);
  EXPECT_NE(image.Pixel(400, 338), kBoxColour);
  EXPECT_EQ(image.Count(30, 340, 50, 460, IsBox), 20 * 120);

  // Line 0 from (50, 360), one text line high: green glyphs with box around.
  const int glyphs = image.Count(50, 360, 200, 382, IsText);
  EXPECT_GT(glyphs, 60) << glyphs;
  EXPECT_GT(image.Count(50, 360, 200, 382, IsBox), glyphs);
  // No text colour anywhere else on the box (lines 1 and 2 are empty).
  EXPECT_EQ(image.Count(30, 340, 590, 460, IsText), glyphs);
  // The text reaches beyond the first character: all five are there.
  EXPECT_GT(image.Count(120, 360, 200, 382, IsText), 0);
}

}  // namespace
}  // namespace vuzed
