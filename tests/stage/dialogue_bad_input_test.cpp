// Dialogue procedures that a careless author could write: no text at all,
// texts far longer than a box or a page, portrait numbers past the boss
// table, colours that are not numbers. The scene goes on; nothing crashes,
// hangs or reads outside a table (the sanitizer build checks the reads).

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "stage/dialogue_fixture.h"
#include "support/bmp_writer.h"

namespace vuzed {
namespace {

using DialogueBadInput = test::DialogueStage;

// 10,000 bytes that repeat every 26, so each 56-byte cut has its own text.
std::string LongText() {
  std::string text;
  for (int i = 0; i < 10000; ++i) text += char('A' + i % 26);
  return text;
}

TEST(DialogueBadInput, AProcedureWithoutTextStaysOpenAndRerunsItsCommandsEveryFrame) {
  for (const char* mode : {"NovelMode", "AdvMode"}) {
    DialogueBadInput d;
    d.Load(mode, "  SetTextColor(255);\n", 5);
    d.g.RunTo(7);
    EXPECT_EQ(d.State().Dialogue.TextColor, 255u) << mode;
    // No text ends a batch, so the line index stays at the start and the
    // commands run again on the next frame, key or no key.
    d.State().Dialogue.TextColor = 7;
    d.g.RunTo(8);
    EXPECT_EQ(d.State().Dialogue.TextColor, 255u) << mode;
    d.g.RunTo(200);
    EXPECT_EQ(d.Run().ScriptMode, mode == std::string("NovelMode") ? TScriptMode::Novel : TScriptMode::Adv) << mode;
    EXPECT_EQ(d.Run().MainCount, 5) << mode;  // the stage clock stands
    EXPECT_EQ(d.Run().DialogueLine, 0) << mode;
  }
}

TEST(DialogueBadInput, AnEmptyProcedureStaysOpen) {
  DialogueBadInput d;
  d.Load("NovelMode", "", 5);
  d.g.Keys("1-200 z\n");
  d.g.RunTo(120);
  EXPECT_EQ(d.Run().ScriptMode, TScriptMode::Novel);
  EXPECT_GT(d.State().DialogueFrame, 100);
  for (const auto& line : d.State().Dialogue.TextLines) EXPECT_EQ(line, nullptr);
}

TEST(DialogueBadInput, ATenThousandByteNovelTextIsCutToThreeLines) {
  DialogueBadInput d;
  const std::string text = LongText();
  d.Load("NovelMode", "  @" + text + ";\n  @After;\n  GameMode;\n", 5);
  d.g.Keys("1-200 z\n");
  d.g.RunTo(6);
  TState& s = d.State();
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[0].get(), text.substr(0, 56)));
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[1].get(), text.substr(56, 56)));
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[2].get(), text.substr(112, 56)));
  for (size_t i = 3; i < s.Dialogue.TextLines.size(); ++i) EXPECT_EQ(s.Dialogue.TextLines[i], nullptr) << i;
  d.g.RunTo(27);  // the rest is gone: the next text follows
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[0].get(), "AFTER"));
  EXPECT_EQ(s.Dialogue.TextLines[1], nullptr);
  d.g.RunTo(48);
  EXPECT_EQ(d.Run().ScriptMode, TScriptMode::Running);
}

TEST(DialogueBadInput, ATenThousandByteAdvTextFillsThePageAndDropsTheRest) {
  DialogueBadInput d;
  const std::string text = LongText();
  d.Load("AdvMode", "  @" + text + ";\n  @After;\n  @Third;\n", 5);
  d.g.Keys("1-200 z\n");
  d.g.RunTo(6);
  TState& s = d.State();
  // A text is split into at most twelve lines; the rest of it is dropped.
  for (size_t i = 0; i < s.Dialogue.TextLines.size(); ++i)
    EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[i].get(), text.substr(56 * i, 56))) << "slot " << i;
  EXPECT_EQ(s.Dialogue.TextLineCount, 11);
  d.g.RunTo(27);  // no slot is left for the next text: it is dropped and the page starts over
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[0].get(), text.substr(0, 56)));
  EXPECT_EQ(s.Dialogue.TextLineCount, -1);
  d.g.RunTo(48);
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[0].get(), "THIRD"));
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[1].get(), text.substr(56, 56)));
  EXPECT_EQ(s.Dialogue.TextLineCount, 0);
  EXPECT_EQ(d.Run().ScriptMode, TScriptMode::Adv);
}

// Sprites of the last presented frame whose top-left corner is at (x, y).
int DrawsAt(const NullRenderBackend& render, float x, float y) {
  if (render.Frames.empty()) return -1;
  int n = 0;
  for (const auto& draw : render.Frames.back())
    if (std::fabs(draw.Vertices[0].X - x) <= 1 && std::fabs(draw.Vertices[0].Y - y) <= 1) ++n;
  return n;
}

TEST(DialogueBadInput, APortraitNumberPastTheBossTableShowsNothing) {
  auto portraitDraws = [](const std::string& number) {
    DialogueBadInput d;
    // With the settings file the picture tables load; boss picture 1 exists.
    d.g.Dir.Write("data/information.ini", "[Sound]\r\nWhetherMusic=0\r\n");
    d.g.Dir.Write("data/Graphic/Enemy/boss/1.bmp",
                  test::MakeBmp(test::PictureOf(32, 32, 24, [](int, int) { return 0x336699u; })));
    d.Load("NovelMode", "  SetPictureLeft(" + number + ");\n  @Hi;\n", 5);
    d.g.RunTo(40);
    EXPECT_EQ(d.Run().ScriptMode, TScriptMode::Novel);
    EXPECT_EQ(d.State().Dialogue.LeftPicture, std::stoi(number));
    return DrawsAt(d.g.Render, 0, 150);
  };
  EXPECT_EQ(portraitDraws("1"), 1);  // the portrait's place, seen with a real picture
  EXPECT_EQ(portraitDraws("999"), 0);
  EXPECT_EQ(portraitDraws("30"), 0);  // the table's last slot, empty
  EXPECT_EQ(portraitDraws("31"), 0);  // one past it
}

TEST(DialogueBadInput, AColourThatIsNotANumberIsReportedOnceAndChangesNothing) {
  DialogueBadInput d;
  d.Load("NovelMode", "  SetTextColor(4278255360);\n  @Hi;\n  SetTextColor(RED);\n", 5);
  d.g.Keys("1-200 z\n");
  d.g.RunTo(6);
  EXPECT_EQ(d.State().Dialogue.TextColor, 0xFF00FF00u);
  EXPECT_EQ(d.Run().Errors.Count(), 0u);
  d.g.RunTo(100);  // the trailing line ran at every pass from 27 on
  EXPECT_EQ(d.State().Dialogue.TextColor, 0xFF00FF00u);
  EXPECT_EQ(d.Run().Errors.Count(), 1u);
  EXPECT_EQ(d.Run().ScriptMode, TScriptMode::Novel);
  EXPECT_TRUE(d.Shows(d.State().Dialogue.TextLines[0].get(), "HI"));
}

}  // namespace
}  // namespace vuzed
