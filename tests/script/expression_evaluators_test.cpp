// The language's rules, checked against both evaluators with one table.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "script/compiled_evaluator.h"
#include "script/expression_plain_owner.h"
#include "script/reference_evaluator.h"

namespace vuzed {
namespace {

constexpr TEvaluatorKind kEnemy = TEvaluatorKind::Enemy;
constexpr TEvaluatorKind kBullet = TEvaluatorKind::Bullet;
constexpr TEvaluatorKind kStage = TEvaluatorKind::Stage;

class Evaluators : public ::testing::TestWithParam<bool> {
 protected:
  bool Reference() const { return GetParam(); }

  TExpressionValue Checked(TEvaluatorKind kind, const std::string& text, TPlainExpressionOwner* owner = nullptr) {
    TPlainExpressionOwner fresh(kind);
    TPlainExpressionOwner& o = owner ? *owner : fresh;
    return Reference() ? TReferenceEvaluator(kind).EvaluateChecked(o, text)
                       : TCompiledEvaluator(kind).EvaluateChecked(o, text);
  }
  float Eval(TEvaluatorKind kind, const std::string& text, TPlainExpressionOwner* owner = nullptr) {
    return Checked(kind, text, owner).Value;
  }
  bool Cond(TPlainExpressionOwner& owner, const std::string& text) {
    return Reference() ? TReferenceEvaluator(owner.Kind).EvaluateCondition(owner, text)
                       : TCompiledEvaluator(owner.Kind).EvaluateCondition(owner, text);
  }
};

TEST_P(Evaluators, PrecedenceIsLeftToRightInTwoPasses) {
  EXPECT_EQ(Eval(kEnemy, "2*3+4"), 10);
  EXPECT_EQ(Eval(kEnemy, "2+3*4"), 14);
  EXPECT_EQ(Eval(kEnemy, "10-4-3"), 3);
  EXPECT_EQ(Eval(kEnemy, "12/2*3"), 18);
  EXPECT_EQ(Eval(kEnemy, "2*(3+4)*2"), 28);
  EXPECT_EQ(Eval(kEnemy, "1+(2+3)*2"), 11);
  EXPECT_EQ(Eval(kEnemy, "12|5*2"), 4);  // "|" binds like "*"
}

TEST_P(Evaluators, IntegerOperatorsAndDivisionPerKind) {
  EXPECT_EQ(Eval(kEnemy, "7|2"), 3);
  EXPECT_EQ(Eval(kEnemy, "-7|2"), -3);
  EXPECT_EQ(Eval(kEnemy, "7%3"), 1);
  EXPECT_EQ(Eval(kEnemy, "-7%3"), -1);
  EXPECT_EQ(Eval(kEnemy, "7.5|2"), 4);  // operands round half to even first: 8 div 2
  EXPECT_EQ(Eval(kEnemy, "7/2"), 3.5f);
  EXPECT_EQ(Eval(kBullet, "7/2"), 4);
  EXPECT_EQ(Eval(kStage, "7/2"), 4);
  EXPECT_EQ(Eval(kBullet, "5/2"), 2);
  EXPECT_EQ(Eval(kStage, "5/2"), 2);
  EXPECT_EQ(Eval(kStage, "7.5/0.2"), 37);  // the double quotient 37.4999..., not single 37.5
  EXPECT_EQ(Eval(kEnemy, "5/0"), 0);
  EXPECT_EQ(Eval(kStage, "5/0"), 0);
  EXPECT_EQ(Eval(kEnemy, "5|0.4"), 0);
  EXPECT_EQ(Eval(kEnemy, "5%0"), 0);
}

TEST_P(Evaluators, SignsFollowTheRewritingRules) {
  EXPECT_EQ(Eval(kEnemy, "2*-3"), -6);
  EXPECT_EQ(Eval(kEnemy, "5--3"), 8);
  EXPECT_EQ(Eval(kEnemy, "2+-3"), -1);
  EXPECT_EQ(Eval(kEnemy, "-3-2"), -5);
  EXPECT_EQ(Eval(kEnemy, "-(-3)"), 3);
  EXPECT_EQ(Eval(kEnemy, "-SIN(-30)"), 0.5f);
  EXPECT_EQ(Eval(kEnemy, "--3"), 3);
  TPlainExpressionOwner owner(kEnemy);
  owner.SelfX = 5;
  EXPECT_EQ(Eval(kEnemy, "-GETSELFX", &owner), 0);  // a sign belongs to numbers only
  EXPECT_EQ(Eval(kEnemy, "0-GETSELFX", &owner), -5);
  EXPECT_EQ(Eval(kEnemy, "2*-GETSELFX", &owner), 0);
  // A sign before a group whose value is negative: "2*--3" reads "-" alone as
  // the right operand (0), then "0-3".
  EXPECT_EQ(Eval(kEnemy, "2*-(0-3)"), -3);
  EXPECT_EQ(Eval(kEnemy, "2*-(3)"), -6);
}

TEST_P(Evaluators, FunctionsAndRandom) {
  EXPECT_EQ(Eval(kEnemy, "SIN(90)"), 1);
  EXPECT_EQ(Eval(kEnemy, "RSIN(89.6)"), 1);
  EXPECT_EQ(Eval(kEnemy, "COS(0)"), 1);
  EXPECT_EQ(Eval(kEnemy, "RCOS(0.4)"), 1);
  EXPECT_EQ(Eval(kEnemy, "TAN(45)"), 1);
  EXPECT_EQ(Eval(kEnemy, "COS(90)"), float(std::cos(90 * (3.14159265358979323846 / 180))));
  EXPECT_EQ(Eval(kEnemy, "COS(90)*1E20"), 6.12323426e+3f);  // the tiny value keeps its digits
  // RSIN and RCOS are enemy functions only; unknown functions make the whole value 0.
  EXPECT_TRUE(Checked(kStage, "1+RSIN(90)").Malformed);
  EXPECT_EQ(Eval(kStage, "1+RSIN(90)"), 0);
  EXPECT_EQ(Eval(kEnemy, "1+sin(90)"), 0);
  EXPECT_TRUE(Checked(kEnemy, "2(3)").Malformed);
  EXPECT_TRUE(Checked(kEnemy, "(1+2").Malformed);
  EXPECT_FALSE(Checked(kEnemy, "1+2)").Malformed);

  TPlainExpressionOwner owner(kEnemy);
  owner.Seed = 12345;
  for (int i = 0; i < 50; ++i) EXPECT_EQ(Eval(kEnemy, "RANDOM(1)", &owner), 0);
  bool seen[2] = {false, false};
  for (int i = 0; i < 200; ++i) {
    float v = Eval(kEnemy, "RANDOM(2.5)", &owner);
    ASSERT_TRUE(v == 0 || v == 1) << v;
    seen[int(v)] = true;
  }
  EXPECT_TRUE(seen[0] && seen[1]);
  uint32_t before = owner.Seed;
  EXPECT_EQ(Eval(kEnemy, "RANDOM(0)", &owner), 0);
  EXPECT_NE(owner.Seed, before);  // range 0 still draws
}

TEST_P(Evaluators, AnglesToThePlayer) {
  TPlainExpressionOwner owner(kEnemy);
  owner.SelfX = 100, owner.SelfY = 100, owner.PlayerX = 100, owner.PlayerY = 300;
  EXPECT_EQ(Eval(kEnemy, "GETANGLETOPLAYER", &owner), 90);  // straight below
  owner.PlayerX = 0, owner.PlayerY = 100;
  EXPECT_EQ(Eval(kEnemy, "GETANGLETOPLAYER", &owner), 180);  // straight left
  EXPECT_EQ(Eval(kEnemy, "GETANGLETOPLAYERFLOMOBJECT(0,200)", &owner), -90);
  EXPECT_EQ(Eval(kEnemy, "GETANGLETOPLAYERFROMSELF", &owner), 2147483648.0f);
}

TEST_P(Evaluators, NamesAndConditions) {
  TPlainExpressionOwner owner(kStage);
  SetVariable(owner.Vars, "A", 3);
  EXPECT_EQ(Eval(kStage, "a*2", &owner), 6);  // variables ignore case
  EXPECT_EQ(Eval(kStage, "UNDEFINED", &owner), 0);
  EXPECT_EQ(Eval(kStage, "", &owner), 0);
  EXPECT_TRUE(Cond(owner, "A<=3"));
  EXPECT_FALSE(Cond(owner, "A<>3"));
  EXPECT_FALSE(Cond(owner, "A"));
  EXPECT_TRUE(Cond(owner, "A*2>=6"));
  EXPECT_FALSE(Cond(owner, "A>3"));
  SetVariable(owner.Vars, "A", 1);
  EXPECT_TRUE(Cond(owner, "A=TRUE"));
  EXPECT_FALSE(Cond(owner, "A=true"));  // built-in names are upper case only
  owner.Time = 120;
  EXPECT_TRUE(Cond(owner, "TIME%60=0"));
}

TEST_P(Evaluators, IntermediateValuesKeepTheirDigits) {
  EXPECT_EQ(Eval(kEnemy, "(0.1)"), 0.1f);
  EXPECT_EQ(Eval(kEnemy, "0.000001*1000000"), 1);
  EXPECT_EQ(Eval(kEnemy, "1E20*10/1E20"), 10);
  EXPECT_TRUE(std::isinf(Eval(kEnemy, "1E30*1E30+1")));
  EXPECT_EQ(Eval(kEnemy, "1E-5"), 1e-5f);  // an exponent sign is no operator in a number
}

TEST_P(Evaluators, DeepNestingEndsSafely) {
  std::string deep = std::string(10000, '(') + "1" + std::string(10000, ')');
  TExpressionValue v = Checked(kEnemy, deep);
  EXPECT_TRUE(v.Malformed);
  EXPECT_EQ(v.Value, 0);
  std::string fine = std::string(kMaxExpressionNesting, '(') + "2" + std::string(kMaxExpressionNesting, ')');
  EXPECT_EQ(Eval(kEnemy, fine), 2);
  std::string unclosed(10000, '(');
  EXPECT_TRUE(Checked(kEnemy, unclosed).Malformed);
}

TEST_P(Evaluators, OverlongTextsAreNotExpressions) {
  std::string longest = "1";
  while (longest.size() + 2 <= kMaxExpressionLength) longest += "+1";
  EXPECT_EQ(Eval(kEnemy, longest), float(longest.size() / 2 + 1));
  TExpressionValue over = Checked(kEnemy, longest + "+1");
  EXPECT_TRUE(over.Malformed);
  EXPECT_EQ(over.Value, 0);
}

INSTANTIATE_TEST_SUITE_P(ReferenceAndCompiled, Evaluators, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Reference" : "Compiled"; });

// Both evaluators end a bracketed part and a SIN .. TAN argument here.
TEST(MatchingParen, FindsTheCloseThatReturnsToTheOpeningLevel) {
  constexpr std::size_t kNone = std::string_view::npos;
  struct Case {
    std::string_view Text;
    std::size_t Open, Close;
  };
  for (Case c : {Case{"()", 0, 1}, Case{"(1+2)*3", 0, 4}, Case{"a(b(c)d)e", 1, 7}, Case{"SIN((1)+(2))", 3, 11},
                 Case{"(a))", 0, 2}, Case{"(1)+(2)", 4, 6}, Case{"((a)", 0, kNone}, Case{"(", 0, kNone},
                 Case{"x(", 5, kNone}}) {
    EXPECT_EQ(MatchingParen(c.Text, c.Open), c.Close) << c.Text << " at " << c.Open;
  }
}

TEST(TCompiledEvaluator, CompilesEachTextOnceAndTypicalTextsFully) {
  TCompiledEvaluator evaluator(kEnemy);
  TPlainExpressionOwner owner(kEnemy);
  std::string text = "COUNT*7+11";
  EXPECT_EQ(evaluator.CachedTexts(), 0u);
  evaluator.Evaluate(owner, text);
  evaluator.Evaluate(owner, std::string(text));  // same text elsewhere in memory
  EXPECT_EQ(evaluator.CachedTexts(), 1u);
  // The texts are the evaluator's own: another one, or a copy, starts empty.
  EXPECT_EQ(TCompiledEvaluator(kEnemy).CachedTexts(), 0u);
  EXPECT_EQ(TCompiledEvaluator(evaluator).CachedTexts(), 0u);
  evaluator.Compile("COUNT*8");  // a compiled text is the caller's
  EXPECT_EQ(evaluator.CachedTexts(), 1u);
  for (const char* typical : {"GETANGLETOPLAYER+RANDOM(30)-15", "COS(COUNT*3)*2.5", "SIN(I*12)*R+GETSELFX",
                              "(A+B)/2", "X*-COS(A)", "-(A+B)*2", "GETANGLETOPLAYERFLOMOBJECT(X,Y)+I*10"})
    EXPECT_TRUE(evaluator.CompilesFully(typical)) << typical;
  // A value whose digits join the text after it is left to the rewriting.
  EXPECT_FALSE(evaluator.CompilesFully("(1)2+A"));
}

TEST(TCompiledEvaluator, SeesATextChangedInPlace) {
  TCompiledEvaluator evaluator(kEnemy);
  TPlainExpressionOwner owner(kEnemy);
  std::string line = "1+2";
  EXPECT_EQ(evaluator.Evaluate(owner, line), 3);
  line[2] = '5';
  EXPECT_EQ(evaluator.Evaluate(owner, line), 6);
}

TEST(TCompiledEvaluator, CompiledTextsKeepTheirKindAndOutliveTheCache) {
  TPlainExpressionOwner owner(kBullet);
  TCompiledExpression half = TCompiledEvaluator(kBullet).Compile("7/2");
  TCompiledCondition test = TCompiledEvaluator(kBullet).CompileCondition("COUNT*2=8");
  // Enough other texts to start the cache again.
  TCompiledEvaluator evaluator(kBullet);
  for (std::size_t i = 0; i <= TCompiledEvaluator::kMaxCachedTexts; ++i) evaluator.Evaluate(owner, std::to_string(i));
  // Run by an enemy evaluator, the bullet's "/" still rounds.
  EXPECT_EQ(TCompiledEvaluator(kEnemy).Run(half, owner).Value, 4);
  owner.Count = 4;
  EXPECT_TRUE(evaluator.Run(test, owner).Value);
  owner.Count = 5;
  EXPECT_FALSE(evaluator.Run(test, owner).Value);
  EXPECT_EQ(evaluator.Run(TCompiledExpression(), owner).Value, 0);
}

// The benchmarks' reference mode sends every compiled text to the rewriting
// instead; each kind of handle must give the same result either way.
TEST(TCompiledEvaluator, HandlesGiveTheSameResultsInReferenceMode) {
  TPlainExpressionOwner owner(kBullet);
  owner.Count = 9;
  TCompiledEvaluator evaluator(kBullet);
  const TCompiledExpression number = evaluator.Compile("2.5");
  const TCompiledExpression computed = evaluator.Compile("COUNT/2");
  const TCompiledCondition againstNumber = evaluator.CompileCondition("COUNT*2>=18");
  const TCompiledCondition general = evaluator.CompileCondition("COUNT<COUNT+1");
  const TCompiledCondition broken = evaluator.CompileCondition("SIN(=1");
  for (bool reference : {false, true}) {
    TCompiledEvaluator::SetReferenceMode(reference);
    EXPECT_EQ(evaluator.Run(number, owner).Value, 2.5f) << reference;
    EXPECT_EQ(evaluator.Run(computed, owner).Value, 4) << reference;  // 4.5 rounds to even
    EXPECT_TRUE(evaluator.Run(againstNumber, owner).Value) << reference;
    EXPECT_TRUE(evaluator.Run(general, owner).Value) << reference;
    EXPECT_TRUE(evaluator.Run(broken, owner).Malformed) << reference;
    EXPECT_FALSE(evaluator.Run(TCompiledCondition(), owner).Value) << reference;
  }
  TCompiledEvaluator::SetReferenceMode(false);
}

// Names are resolved once per owner scope; a variable added later, or an
// owner with other tables, must still be seen.
TEST(TCompiledEvaluator, ResolvedNamesFollowNewVariablesAndOtherOwners) {
  TCompiledEvaluator evaluator(kStage);
  TCompiledExpression sum = evaluator.Compile("SPEED+TIME");
  TPlainExpressionOwner first(kStage);
  first.Time = 10;
  EXPECT_EQ(evaluator.Run(sum, first).Value, 10);  // SPEED unknown: 0
  SetVariable(first.Globals, "speed", 2.5f);
  EXPECT_EQ(evaluator.Run(sum, first).Value, 12.5f);
  SetVariable(first.Vars, "SPEED", 100);  // the procedure's own variable comes first
  EXPECT_EQ(evaluator.Run(sum, first).Value, 110);

  TPlainExpressionOwner second(kStage);
  second.Time = 1;
  SetVariable(second.Globals, "SPEED", -1);
  EXPECT_EQ(evaluator.Run(sum, second).Value, 0);
  EXPECT_EQ(evaluator.Run(sum, first).Value, 110);
  {
    // A freed table's cells are never read again, even if a new table
    // takes its place in memory.
    auto temporary = std::make_unique<TPlainExpressionOwner>(kStage);
    SetVariable(temporary->Vars, "SPEED", 7);
    EXPECT_EQ(evaluator.Run(sum, *temporary).Value, 7);
  }
  auto replacement = std::make_unique<TPlainExpressionOwner>(kStage);
  EXPECT_EQ(evaluator.Run(sum, *replacement).Value, 0);
}

}  // namespace
}  // namespace vuzed
