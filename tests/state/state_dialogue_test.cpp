// Drawing of dialogue scenes, read back from the screen queue: the novel
// box's fade and slide, portraits, text lines by frame; the ADV backdrop and
// page; the sideways scene.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/state_fixture.h"

namespace vuzed {
namespace {

struct DialogueDrawing : test::StateGame {
  // Boss portraits 0 and 1, the ADV backdrop (else 19), the text box (else
  // 20) and background picture 2, each of its own size.
  void SetUp() override {
    auto write = [&](const std::string& path, int w, int h) {
      test::BmpPicture p;
      p.Width = w;
      p.Height = h;
      p.Pixels.assign(size_t(w * h), 0x808080);
      g.Dir.Write(path, test::MakeBmp(p));
    };
    write("data/Graphic/Enemy/boss/0.bmp", 20, 30);
    write("data/Graphic/Enemy/boss/1.bmp", 24, 32);
    write("data/Graphic/Else/19.bmp", 40, 20);
    write("data/Graphic/Else/20.bmp", 50, 10);
    write("data/Graphic/Back/2.bmp", 64, 48);
    Begin(1);
    for (int i = 0; i < 12; ++i) Text[size_t(i)] = "L" + std::to_string(i);
  }
  const TMXTexture* Picture(TPictureTable table, int n) { return g.Game().TextureList->Get(table, n); }
  void FillLines(std::initializer_list<int> slots) {
    for (int i : slots)
      State().Dialogue.TextLines[size_t(i)] =
          g.Game().ScriptRun->TextWriter->CreateTextTexture(Text[size_t(i)], GameTextureFormats(), "");
  }
  // The sprites one drawing step queues, from an empty queue, at frame t.
  std::vector<TSpriteRecord> DrawAt(int32_t t, void (TState::*draw)()) {
    g.Game().BackGround->Render();
    State().DialogueFrame = t - 1;
    (State().*draw)();
    EXPECT_EQ(State().DialogueFrame, t);
    std::vector<TSpriteRecord> sprites;
    for (size_t i = 0; i < Queue().SpriteCount(); ++i) sprites.push_back(Queue().Sprite(i));
    return sprites;
  }
  static void ExpectSprite(const TSpriteRecord& s, const TMXTexture* texture, float x, float y, uint32_t colour) {
    EXPECT_EQ(s.Texture, texture);
    EXPECT_EQ(s.X, x);
    EXPECT_EQ(s.Y, y);
    EXPECT_EQ(s.Vertices[0].Color, colour) << std::hex << s.Vertices[0].Color;
    if (texture) {
      EXPECT_EQ(s.Vertices[3].X, float(texture->Width()));
    }
  }
  std::array<std::string, 12> Text;
};

TEST_F(DialogueDrawing, TheNovelBoxFadesInAndSlidesWhilePortraitsAndTextTakeTheirPlaces) {
  TState& s = State();
  const TMXTexture* boss1 = Picture(TPictureTable::Boss, 1);
  const TMXTexture* box = Else(20);
  s.Dialogue.CenterPicture = 1;
  s.Dialogue.LeftPicture = 1;
  s.Dialogue.RightPicture = 0;  // 0 or less shows nothing, though boss picture 0 exists
  s.Dialogue.TextColor = 0xFF00FF00;
  FillLines({0, 1, 2});

  // t = 6: alpha round(76.5) = 76 (half to even), X = 90 - 18; line 0 waits.
  auto sprites = DrawAt(6, &TState::DrawNovel);
  ASSERT_EQ(sprites.size(), 5u);
  ExpectSprite(sprites[0], boss1, 150, 150, 0x4CFFFFFF);
  ExpectSprite(sprites[1], boss1, 0, 150, 0x4CFFFFFF);
  ExpectSprite(sprites[2], box, 72, 340, 0x4CFFFFFF);
  ExpectSprite(sprites[3], s.Dialogue.TextLines[1].get(), 50, 390, 0xFF00FF00);
  ExpectSprite(sprites[4], s.Dialogue.TextLines[2].get(), 50, 420, 0xFF00FF00);

  sprites = DrawAt(2, &TState::DrawNovel);  // round(25.5) = 26
  ASSERT_GE(sprites.size(), 3u);
  ExpectSprite(sprites[2], box, 84, 340, 0x1AFFFFFF);

  for (int32_t t : {0, 20}) {  // opaque and in place at the first frame and from frame 20
    sprites = DrawAt(t, &TState::DrawNovel);
    ASSERT_GE(sprites.size(), 3u);
    ExpectSprite(sprites[2], box, 30, 340, 0xFFFFFFFF);
    EXPECT_EQ(sprites.size(), 5u) << t;
  }
  sprites = DrawAt(21, &TState::DrawNovel);
  ASSERT_EQ(sprites.size(), 6u);
  ExpectSprite(sprites[3], s.Dialogue.TextLines[0].get(), 50, 360, 0xFF00FF00);
  ExpectSprite(sprites[5], s.Dialogue.TextLines[2].get(), 50, 420, 0xFF00FF00);
}

TEST_F(DialogueDrawing, TheAdvBackdropFadesToSixtyEightAndThePageShowsItsFilledSlots) {
  TState& s = State();
  FillLines({0, 5, 11});
  s.Dialogue.TextColor = 0xFFFF0000;
  const std::pair<int32_t, uint32_t> fades[] = {{0, 68}, {1, 3}, {10, 34}, {19, 65}, {20, 68}};
  for (auto [t, alpha] : fades) {
    auto sprites = DrawAt(t, &TState::DrawAdv);
    ASSERT_EQ(sprites.size(), 1u) << t;  // no text before frame 21
    ExpectSprite(sprites[0], Else(19), 50, 40, alpha << 24 | 0xFFFFFF);
  }
  auto sprites = DrawAt(21, &TState::DrawAdv);
  ASSERT_EQ(sprites.size(), 4u);
  ExpectSprite(sprites[1], s.Dialogue.TextLines[0].get(), 50, 110, 0xFFFF0000);
  ExpectSprite(sprites[2], s.Dialogue.TextLines[5].get(), 50, 260, 0xFFFF0000);
  ExpectSprite(sprites[3], s.Dialogue.TextLines[11].get(), 50, 440, 0xFFFF0000);
}

TEST_F(DialogueDrawing, TheSidewaysSceneShowsItsBackgroundPicturesAndTextOnceTheBoxIsIn) {
  TState& s = State();
  const TMXTexture* back2 = Picture(TPictureTable::Back, 2);
  s.Dialogue.BackPicture = s.Dialogue.CenterPicture = s.Dialogue.LeftPicture = s.Dialogue.RightPicture = 2;
  FillLines({0, 1, 2});
  auto sprites = DrawAt(5, &TState::DrawNovelSideways);
  ASSERT_EQ(sprites.size(), 2u);
  ExpectSprite(sprites[0], back2, 0, 0, 0xFFFFFFFF);
  ExpectSprite(sprites[1], Else(20), 75, 340, 0x40FFFFFF);  // round(63.75)
  sprites = DrawAt(21, &TState::DrawNovelSideways);
  ASSERT_EQ(sprites.size(), 8u);
  ExpectSprite(sprites[1], back2, 200, 0, 0xFFFFFFFF);
  ExpectSprite(sprites[2], back2, 60, 0, 0xFFFFFFFF);
  ExpectSprite(sprites[3], back2, 340, 0, 0xFFFFFFFF);
  ExpectSprite(sprites[4], Else(20), 30, 340, 0xFFFFFFFF);
  ExpectSprite(sprites[5], s.Dialogue.TextLines[0].get(), 50, 360, 0xFFFFFFFF);
  ExpectSprite(sprites[7], s.Dialogue.TextLines[2].get(), 50, 420, 0xFFFFFFFF);
}

}  // namespace
}  // namespace vuzed
