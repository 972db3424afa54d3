#include "script/source_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vuzed {
namespace {

std::vector<std::string> Texts(const TLineList& lines) {
  std::vector<std::string> texts;
  for (const TScriptLine& l : lines) texts.push_back(l.Text);
  return texts;
}

std::vector<std::string> Stage(std::string_view source) {
  return Texts(ReadStatements(source, TSourceKind::Stage, nullptr));
}

std::vector<int> Lines(std::string_view source) {
  std::vector<int> lines;
  for (const TScriptLine& l : ReadStatements(source, TSourceKind::Stage, nullptr)) lines.push_back(l.Place.Line);
  return lines;
}

using Texts_ = std::vector<std::string>;

TEST(ReadStatements, CompilesTheExampleLinesStatementForStatement) {
  EXPECT_EQ(Stage("procedure Enemy1(x, y: single);"), Texts_{"PROCEDURE ENEMY1(X,Y:SINGLE);"});
  EXPECT_EQ(Stage("for i := 1 to 10 do begin"), (Texts_{"FOR I:=1TO10DO ;", "BEGIN;"}));
  EXPECT_EQ(Stage("if time = 60 then CreateEnemy(a);"), (Texts_{"IF TIME=60THEN;", "CREATEENEMY(A);"}));
  EXPECT_EQ(Stage("var"), Texts_{"VAR;"});
  EXPECT_EQ(Stage("i : single;"), Texts_{"I:SINGLE;"});
  EXPECT_EQ(Stage("x := 1; // note; y := 2;"), Texts_{"X:=1;"});
  EXPECT_EQ(Stage("CreateEnemy(\na);"), Texts_{"CREATEENEMY(A);"});
  // A unit puts its ";" after the same words.
  EXPECT_EQ(Texts(ReadStatements("for i := 1 to 10 do begin", TSourceKind::Unit, nullptr)),
            (Texts_{"FOR I:=1TO10DO ;", "BEGIN;"}));
}

TEST(ReadStatements, CaseAndBlanksDoNotMatter) {
  EXPECT_EQ(Stage("  Move To ( 1 , 2 ) ;"), Stage("MOVETO(1,2);"));
  EXPECT_EQ(Stage("\tx\t:= 1;\t"), Texts_{"X\t:=1;"});  // trimmed at the ends; only spaces are squeezed
  EXPECT_EQ(Stage("uses a.txt,\n  b.txt;"), (Texts_{"USES;", "A.TXT,B.TXT;"}));
  // Keywords are found inside longer words too; the rest of the text after
  // the last ";" of the file is dropped.
  EXPECT_EQ(Stage("variable := 1; tail"), (Texts_{"VAR;", "IABLE:=1;"}));
  EXPECT_EQ(Stage("a := 1;;"), (Texts_{"A:=1;", ";"}));
}

TEST(ReadStatements, StatementsRunOverLinesAndKeepTheLineTheyBeganOn) {
  EXPECT_EQ(Stage("a :=\n\n  1 + 2; b\n:= 3;"), (Texts_{"A:=1+2;", "B:=3;"}));
  EXPECT_EQ(Lines("a :=\n\n  1 + 2; b\n:= 3;"), (std::vector<int>{1, 3}));
  // LF, CRLF and CR end lines alike; LF then CR are two line ends.
  EXPECT_EQ(Lines("a;\nb;\r\nc;\rd;\n\re;\n"), (std::vector<int>{1, 2, 3, 4, 6}));
  EXPECT_EQ(Stage("if x\r\nthen y;"), (Texts_{"IF XTHEN;", "Y;"}));
}

TEST(ReadStatements, CommentsEndTheLineEvenAcrossTheJoin) {
  EXPECT_EQ(Stage("a := 1 // b := 2; c := 3;\nd;"), Texts_{"A:=1D;"});
  // "/" ending one line and "/" starting the next make a comment.
  EXPECT_EQ(Stage("a := 1 /\n/ 2;\nb;"), Texts_{"A:=1B;"});
  // A line that a comment empties leaves the carry as it was, even a "/".
  EXPECT_EQ(Stage("//\n/\n/x;\ny;"), Texts_{"/Y;"});
}

TEST(ReadStatements, UpperCasingLeavesShiftJisSecondBytesAlone) {
  // 0x83 0x61 is one double-byte character; the 'a' after it is a letter.
  EXPECT_EQ(Stage("\x83\x61" "a;"), Texts_{"\x83\x61" "A;"});
  EXPECT_EQ(Stage("\xE0z\x9F" "b" "c;"), Texts_{"\xE0z\x9F" "bC;"});
  // A lead byte that ends a line takes the first byte of the next one.
  EXPECT_EQ(Stage("x\x83\na;"), Texts_{"X\x83" "a;"});
  // Half-width katakana are single bytes: the letter after one is upper-cased.
  EXPECT_EQ(Stage("\xB1" "a;"), Texts_{"\xB1" "A;"});
}

TEST(ReadStatements, AnyBytesAreText) {
  const std::string withNul("a\0b;", 4);
  EXPECT_EQ(Stage(withNul), Texts_{std::string("A\0B;", 4)});
  EXPECT_TRUE(Stage("").empty());
  EXPECT_TRUE(Stage("\n\n\r\n").empty());

  // One long line of many statements, and a long statement without ";" for
  // many lines, which the carry takes along.
  std::string line;
  for (int i = 0; i < 20000; ++i) line += "x := y ;";
  EXPECT_EQ(Stage(line).size(), 20000u);
  std::string tall;
  for (int i = 0; i < 50000; ++i) tall += "a\n";
  tall += ";";
  const TLineList one = ReadStatements(tall, TSourceKind::Stage, nullptr);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].Text, std::string(50000, 'A') + ";");
  EXPECT_EQ(one[0].Place.Line, 1);
}

TEST(SqueezeSpaces, KeepsOnlyTheBlankAfterProcedureForIfAndForDo) {
  EXPECT_EQ(SqueezeSpaces("  PROCEDURE  A B;  "), "PROCEDURE AB;");
  EXPECT_EQ(SqueezeSpaces("IF X = 1"), "IF X=1");
  EXPECT_EQ(SqueezeSpaces("FOR I := 1 TO 10 DO ;"), "FOR I:=1TO10DO ;");
  EXPECT_EQ(SqueezeSpaces("X := DO ;"), "X:=DO;");  // DO counts only in a FOR
  // Only the exact words: longer words ending in them lose their blank.
  EXPECT_EQ(SqueezeSpaces("FORM X"), "FORMX");
  EXPECT_EQ(SqueezeSpaces("DIFF X"), "DIFFX");
  EXPECT_EQ(SqueezeSpaces("A\tB C"), "A\tBC");
}

}  // namespace
}  // namespace vuzed
