// Decoded forms kept with their line list: decoded once while the list is
// not edited, decoded again after any edit (unchanged lines keep their
// decoded form), one slot per interpreter kind, and a copy of a list keeps
// what goes with its own lines.

#include "script/line_cache.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>

namespace vuzed {
namespace {

int gDecodes = 0;

// A line kind that only remembers its text; kSlot picks the slot.
template <std::size_t kSlot>
struct TTextLine {
  static constexpr std::size_t kDecodedSlot = kSlot;
  static TTextLine Decode(std::string_view text) {
    ++gDecodes;
    return {std::string(text)};
  }
  bool IsFor() const { return Text.starts_with("FOR("); }
  std::string Text;
};
using TLine = TTextLine<0>;

TEST(DecodedLines, AreMadeOnceUntilTheListIsEdited) {
  struct TCase {
    const char* Edit;
    std::function<void(TLineList&)> Apply;
    std::size_t Decodes;  // lines decoded again
  };
  const TCase cases[] = {
      {"one line rewritten", [](TLineList& l) { l.SetText(1, "FOR(I,0,1)(2,3)"); }, 1},
      {"a line set to its own text", [](TLineList& l) { l.SetText(0, "A"); }, 0},
      {"a line added", [](TLineList& l) { l.push_back({"C", {}}); }, 1},
      {"emptied", [](TLineList& l) { l.clear(); }, 0},
  };
  for (const TCase& c : cases) {
    TLineList lines{{"A", {}}, {"B", {}}};
    gDecodes = 0;
    const auto first = DecodedLines<TLine>(lines);
    EXPECT_EQ(DecodedLines<TLine>(lines), first) << c.Edit;
    EXPECT_EQ(gDecodes, 2) << c.Edit;
    c.Apply(lines);
    gDecodes = 0;
    const auto again = DecodedLines<TLine>(lines);
    EXPECT_NE(again, first) << c.Edit;  // a run still holding `first` goes on with it
    EXPECT_EQ(std::size_t(gDecodes), c.Decodes) << c.Edit;
    ASSERT_EQ(again->Lines.size(), lines.size()) << c.Edit;
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(again->Lines[i].Text, lines[i].Text) << c.Edit;
    EXPECT_EQ(first->Lines[1].Text, "B") << c.Edit;
  }
}

TEST(DecodedLines, KeepAFormPerInterpreterKindAndTheirForLines) {
  TLineList lines{{"BEGIN;", {}}, {"FOR(I,0,9)(2,3)", {}}, {"X", {}}, {"END(1)", {}}};
  const auto zero = DecodedLines<TTextLine<0>>(lines);
  const auto two = DecodedLines<TTextLine<2>>(lines);
  EXPECT_EQ(DecodedLines<TTextLine<0>>(lines), zero);
  EXPECT_EQ(DecodedLines<TTextLine<2>>(lines), two);
  EXPECT_EQ(zero->ForLines, std::vector<int32_t>{1});
  lines.SetText(1, "Y");
  EXPECT_TRUE(DecodedLines<TTextLine<2>>(lines)->ForLines.empty());
  EXPECT_TRUE(DecodedLines<TTextLine<0>>(lines)->ForLines.empty());
}

TEST(DecodedLines, ACopyKeepsTheFormsOfItsOwnLines) {
  TLineList original{{"A", {}}, {"B", {}}};
  const auto decoded = DecodedLines<TLine>(original);
  TLineList copy = original;
  EXPECT_EQ(DecodedLines<TLine>(copy), decoded);
  copy.SetText(0, "Z");
  EXPECT_EQ(DecodedLines<TLine>(copy)->Lines[0].Text, "Z");
  EXPECT_EQ(DecodedLines<TLine>(original), decoded);
  // Assigned over, a list reads as its new lines.
  original = copy;
  EXPECT_EQ(DecodedLines<TLine>(original)->Lines[0].Text, "Z");
}

}  // namespace
}  // namespace vuzed
