#include "script/procedure_table.h"

#include <gtest/gtest.h>

namespace vuzed {
namespace {

TEST(TProcedureTable, NamesKeepTheirOrderAndMatchIgnoringCase) {
  TProcedureTable t;
  EXPECT_EQ(t.Declare("Main"), 0);
  EXPECT_EQ(t.Declare(""), 1);
  EXPECT_EQ(t.Declare("ENEMY1"), 2);
  EXPECT_EQ(t.Declare("main"), 0);  // already there: nothing added
  ASSERT_EQ(t.Count(), 3u);
  EXPECT_EQ(t[0].Name, "Main");
  EXPECT_EQ(t.IndexOf("enemy1"), 2);
  EXPECT_EQ(t.IndexOf("ENEMY"), -1);
  EXPECT_EQ(t.Find("MAIN"), nullptr);  // declared only
}

TEST(TProcedureTable, ADefinitionPointsAtListsTheTableOwnsAndIsReplacedWhole) {
  TProcedureTable t;
  const int i = t.Declare("BOSS");
  TVarTable vars;
  vars.Add("X");
  t.Define(i, TLineList{{"BEGIN;", {}}, {"END;", {}}}, std::move(vars));
  const TSecondStringList2* def = t.Find("boss");
  ASSERT_NE(def, nullptr);
  EXPECT_EQ(*def->Lines, t[0].Lines.get());
  EXPECT_EQ((*def->Lines)->size(), 2u);
  EXPECT_EQ((*def->Vars)->Count(), 1u);

  t.Define(i, TLineList{{"X;", {}}}, TVarTable());
  EXPECT_EQ((**t.Find("BOSS")->Lines)[0].Text, "X;");
  EXPECT_EQ((*t.Find("BOSS")->Vars)->Count(), 0u);
  // Objects made from the earlier definition still run it.
  EXPECT_EQ((**def->Lines)[1].Text, "END;");
  EXPECT_EQ((*def->Vars)->Find("X")->Get(), 0);
  t.Clear();
  EXPECT_EQ(t.Count(), 0u);
  EXPECT_EQ(t.IndexOf("BOSS"), -1);
}

}  // namespace
}  // namespace vuzed
