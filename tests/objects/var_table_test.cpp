#include "objects/var_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>

#include "objects/second_single.h"
#include "objects/second_string_list2.h"

namespace vuzed {
namespace {

TEST(TSecondSingle, ValueLivesInItsOwnCell) {
  TSecondSingle v(2.5f);
  float* cell = v.Value.get();
  EXPECT_EQ(*cell, 2.5f);
  v.Set(-1);
  EXPECT_EQ(*cell, -1.0f);
  TSecondSingle moved(std::move(v));
  EXPECT_EQ(moved.Value.get(), cell);  // the cell survives a move of its holder
  EXPECT_EQ(TSecondSingle().Get(), 0.0f);
}

TEST(TVarTable, KeepsDeclarationOrderAndMatchesIgnoringCase) {
  TVarTable t;
  t.Add("A", 1);
  t.Add("Speed");
  ASSERT_EQ(t.Count(), 2u);
  EXPECT_EQ(t[0].Name, "A");
  EXPECT_EQ(t[1].Name, "Speed");
  EXPECT_EQ(t.IndexOf("SPEED"), 1);
  EXPECT_EQ(t.IndexOf("a"), 0);
  EXPECT_EQ(t.IndexOf("B"), -1);
  EXPECT_EQ(t.IndexOf(""), -1);
  EXPECT_EQ(t.Find("nothing"), nullptr);
  EXPECT_EQ(t.Find("speed")->Get(), 0.0f);
}

TEST(TVarTable, FirstOfEqualNamesWinsAndCellsStayPut) {
  TVarTable t;
  TSecondSingle& first = t.Add("X", 1);
  float* cell = first.Value.get();
  for (int i = 0; i < 100; ++i) t.Add("V" + std::to_string(i));
  t.Add("x", 2);
  EXPECT_EQ(t.Find("X"), &first);
  EXPECT_EQ(t.Find("X")->Value.get(), cell);
  EXPECT_EQ(t.Count(), 102u);
}

// What is remembered about a table holds while its address and version are
// the same: every change, and every table made after, gives a new version.
TEST(TVarTable, VersionChangesWithEveryChangeAndIsNeverGivenTwice) {
  std::optional<TVarTable> table(std::in_place);
  const TVarTable* at = &*table;
  std::set<uint64_t> seen{table->Version()};
  table->Add("A");
  EXPECT_TRUE(seen.insert(table->Version()).second);
  EXPECT_EQ(table->Version(), table->Version());  // reading changes nothing
  table->Find("A");
  EXPECT_FALSE(seen.insert(table->Version()).second);
  TVarTable other(std::move(*table));  // both tables changed
  EXPECT_TRUE(seen.insert(table->Version()).second);
  EXPECT_TRUE(seen.insert(other.Version()).second);
  *table = std::move(other);
  EXPECT_TRUE(seen.insert(table->Version()).second);
  EXPECT_TRUE(seen.insert(other.Version()).second);
  table.reset();
  table.emplace();  // a new table where the freed one was
  ASSERT_EQ(&*table, at);
  EXPECT_TRUE(seen.insert(table->Version()).second);
}

TEST(TSecondStringList2, PointsAtListsItDoesNotOwn) {
  TLineList lines{{"A=1", {}}, {"B=2", {}}};
  TVarTable vars;
  vars.Add("A");
  {
    TSecondStringList2 empty;
    EXPECT_EQ(*empty.Lines, nullptr);
    EXPECT_EQ(*empty.Vars, nullptr);
    TSecondStringList2 def(&lines, &vars);
    EXPECT_EQ((*def.Lines)->size(), 2u);
    EXPECT_EQ((*def.Vars)->Find("a"), vars.Find("A"));
  }
  // The lists outlive the definition holder.
  EXPECT_EQ(lines[1].Text, "B=2");
  EXPECT_EQ(vars.Count(), 1u);
}

}  // namespace
}  // namespace vuzed
