#include "objects/string_helpers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vuzed {
namespace {

TEST(StartsWithText, MatchesPrefixIgnoringCase) {
  EXPECT_TRUE(StartsWithText("MOVE", "MOVETO(1,2,3);"));
  EXPECT_TRUE(StartsWithText("move", "MOVETO(1,2,3);"));
  EXPECT_TRUE(StartsWithText("MOVETO", "moveto(1,2,3);"));
  EXPECT_FALSE(StartsWithText("MOVETO", "move(1,2);"));
  EXPECT_TRUE(StartsWithText("ABC", "ABC"));
}

TEST(StartsWithText, EmptyTextNeverMatchesAndShortTextIsNoMatch) {
  EXPECT_FALSE(StartsWithText("", ""));
  EXPECT_FALSE(StartsWithText("MOVE", ""));
  EXPECT_FALSE(StartsWithText("MOVETO", "MOVE"));
  // An empty prefix matches any non-empty text.
  EXPECT_TRUE(StartsWithText("", "X"));
}

TEST(StartsWithText, FoldsAsciiOnly) {
  // 0xE0 and 0xC0 differ by the ASCII case bit but are not letters.
  EXPECT_FALSE(StartsWithText("\xE0", "\xC0"));
  EXPECT_FALSE(StartsWithText("[", "{"));
  EXPECT_FALSE(StartsWithText("@", "`"));
}

TEST(GetBetween, ReturnsTheNthMatch) {
  EXPECT_EQ(GetBetween("IF A<3(5)(9)", "(", ")", 2), "9");
  EXPECT_EQ(GetBetween("IF A<3(5)(9)", "(", ")", 1), "5");
  EXPECT_EQ(GetBetween("<<a>>x<<bc>>", "<<", ">>", 2), "bc");
}

TEST(GetBetween, FewerMatchesGiveTheLastOne) {
  EXPECT_EQ(GetBetween("(1)(2)", "(", ")", 3), "2");
  EXPECT_EQ(GetBetween("(1)(2)", "(", ")", 1000000), "2");
  // An open token without a close after it ends the search.
  EXPECT_EQ(GetBetween("(1)(2", "(", ")", 2), "1");
}

TEST(GetBetween, NothingFoundIsEmpty) {
  EXPECT_EQ(GetBetween("no brackets", "(", ")", 1), "");
  EXPECT_EQ(GetBetween("", "(", ")", 1), "");
  EXPECT_EQ(GetBetween("(open only", "(", ")", 1), "");
  EXPECT_EQ(GetBetween(")(", "(", ")", 1), "");
  EXPECT_EQ(GetBetween("(1)", "(", ")", 0), "");
  EXPECT_EQ(GetBetween("(1)", "(", ")", -3), "");
  EXPECT_EQ(GetBetween("(1)", "", ")", 1), "");
  EXPECT_EQ(GetBetween("(1)", "(", "", 1), "");
}

TEST(GetBetween, CloseIsSearchedAfterTheOpenToken) {
  // The close is looked for after the open token, and the next open after that close.
  EXPECT_EQ(GetBetween("\"a\"\"b\"", "\"", "\"", 2), "b");
  EXPECT_EQ(GetBetween("()", "(", ")", 1), "");
  EXPECT_EQ(GetBetween("((x))", "(", ")", 1), "(x");
}

TEST(GetItem, FieldsByNumber) {
  EXPECT_EQ(GetItem("10,20,30", 1), "10");
  EXPECT_EQ(GetItem("10,20,30", 2), "20");
  EXPECT_EQ(GetItem("10,20,30", 3), "30");
  EXPECT_EQ(GetItem("whole text", 1), "whole text");
  EXPECT_EQ(GetItem("a,,c", 2), "");
  EXPECT_EQ(GetItem("a,", 2), "");
  EXPECT_EQ(GetItem(",b", 1), "");
}

TEST(GetItem, PastTheLastFieldGivesTheLastCommaTerminatedField) {
  EXPECT_EQ(GetItem("a,b", 3), "a");
  EXPECT_EQ(GetItem("10,20,30", 4), "20");
  EXPECT_EQ(GetItem("10,20,30", 99), "20");
  EXPECT_EQ(GetItem("a", 2), "");
  EXPECT_EQ(GetItem("a,", 3), "a");
  EXPECT_EQ(GetItem("", 1), "");
  EXPECT_EQ(GetItem("", 5), "");
}

TEST(GetItem, FieldBelowOneIsEmpty) {
  EXPECT_EQ(GetItem("a,b", 0), "");
  EXPECT_EQ(GetItem("a,b", -1), "");
}

TEST(GetItemSep, UsesTheGivenSeparator) {
  EXPECT_EQ(GetItemSep("A;B;C", ';', 2), "B");
  EXPECT_EQ(GetItemSep("A;B;C", ';', 5), "B");
  EXPECT_EQ(GetItemSep("A,B;C", ';', 1), "A,B");
  EXPECT_EQ(GetItemSep("X Y", ' ', 2), "Y");
}

TEST(GetBracket, FindsTheBalancingClose) {
  std::size_t end = 0;
  EXPECT_EQ(GetBracket("2*(3+(4))*5", "(", ")", end), "3+(4)");
  EXPECT_EQ(end, 9u);
  EXPECT_EQ(GetBracket("(a)(b)", "(", ")", end), "a");
  EXPECT_EQ(end, 3u);
  EXPECT_EQ(GetBracket("f()", "(", ")", end), "");
  EXPECT_EQ(end, 3u);
}

TEST(GetBracket, MissingOrUnbalancedLeavesEndPositionAlone) {
  std::size_t end = 77;
  EXPECT_EQ(GetBracket("no brackets", "(", ")", end), "");
  EXPECT_EQ(end, 77u);
  EXPECT_EQ(GetBracket("2*(3+(4)", "(", ")", end), "");
  EXPECT_EQ(end, 77u);
  EXPECT_EQ(GetBracket("", "(", ")", end), "");
  EXPECT_EQ(GetBracket(")(", "(", ")", end), "");
  EXPECT_EQ(end, 77u);
  EXPECT_EQ(GetBracket("(x)", "", ")", end), "");
  EXPECT_EQ(GetBracket("(x)", "(", "", end), "");
  EXPECT_EQ(end, 77u);
}

TEST(GetBracket, NestingCountsOnlyTheGivenTokens) {
  std::size_t end = 0;
  // An inner "(" is not the open token, but the inner ")" closes.
  EXPECT_EQ(GetBracket("X+RANDOM(SIN(3))+1", "RANDOM(", ")", end), "SIN(3");
  EXPECT_EQ(end, 15u);
  // A nested long open token does raise the depth.
  EXPECT_EQ(GetBracket("RANDOM(RANDOM(2)+1)", "RANDOM(", ")", end), "RANDOM(2)+1");
  EXPECT_EQ(end, 19u);
  // Multi-character close tokens; end is the token's last character.
  EXPECT_EQ(GetBracket("a[[b[[c]]]]d", "[[", "]]", end), "b[[c]]");
  EXPECT_EQ(end, 11u);
}

TEST(GetBracket, IdenticalTokensCloseAtTheNextOne) {
  std::size_t end = 0;
  EXPECT_EQ(GetBracket("say \"hi\" now", "\"", "\"", end), "hi");
  EXPECT_EQ(end, 8u);
}

}  // namespace
}  // namespace vuzed
