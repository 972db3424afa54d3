// Names bound ahead of time: values read from the owner's own fields, the
// scope worked out once until it changes, and the rounding the integer
// operators share.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "objects/var_table.h"
#include "script/compiled_evaluator.h"
#include "script/expression_math.h"
#include "script/expression_names.h"
#include "script/expression_plain_owner.h"
#include "script/reference_evaluator.h"

namespace vuzed {
namespace {

// Something drawn before the owner part, as the game's characters are, so
// that the owner's fields sit on both sides of it.
struct TBody {
  virtual ~TBody() = default;
  float X = 0;
};

// An enemy-like owner: COUNT and GETSELFX are its own fields, its
// variables a table it may share with others made from one definition.
class TSharedScopeOwner : public TBody, public TExpressionOwner {
 public:
  explicit TSharedScopeOwner(TVarTable* vars) : Vars_(vars) {}

  bool GetValue(std::string_view name, float& value) const override { return GetValueByBinding(*this, name, value); }
  TNameScope NameScope() const override {
    static constexpr char kTag = 't';
    return {&kTag, Vars_};
  }
  TNameBinding BindName(std::string_view name) const override {
    if (TNameBinding v = BindVariable(Vars_, name); v.Known) return v;
    if (name == "COUNT") return OwnerFieldBinding(*this, Count);
    if (name == "GETSELFX") return OwnerFieldBinding(*this, X);
    return {};
  }
  float GetPlayerX() const override { return 0; }
  float GetPlayerY() const override { return 0; }
  uint32_t& RandomSeed() override { return Seed_; }

  // A procedure's variables become current, as a call makes them.
  void UseVariables(TVarTable* vars) {
    Vars_ = vars;
    ScopeChanged();
  }

  int32_t Count = 0;

 private:
  TVarTable* Vars_;
  uint32_t Seed_ = 1;
};

TEST(NameBinding, OwnFieldsAreReadFromEachOwnerOfASharedScope) {
  TVarTable shared;
  TSharedScopeOwner first(&shared), second(&shared);
  first.Count = 3;
  first.X = 10.5f;
  second.Count = 40;
  second.X = -2;
  TCompiledEvaluator evaluator(TEvaluatorKind::Enemy);
  TCompiledExpression sum = evaluator.Compile("COUNT*2+GETSELFX");
  // Bound once for the scope, then read from whichever owner runs it.
  EXPECT_EQ(evaluator.Run(sum, first).Value, 16.5f);
  EXPECT_EQ(evaluator.Run(sum, second).Value, 78);
  first.Count = 4;
  EXPECT_EQ(evaluator.Run(sum, first).Value, 18.5f);
  EXPECT_EQ(TReferenceEvaluator(TEvaluatorKind::Enemy).Evaluate(second, "COUNT*2+GETSELFX"), 78);
}

TEST(NameBinding, AChangedScopeIsWorkedOutAgain) {
  TVarTable own, procedure;
  own.Add("SPEED", 2);
  procedure.Add("SPEED", 7);
  TSharedScopeOwner owner(&own);
  TCompiledEvaluator evaluator(TEvaluatorKind::Enemy);
  TCompiledExpression speed = evaluator.Compile("SPEED+1");
  EXPECT_EQ(evaluator.Run(speed, owner).Value, 3);
  owner.UseVariables(&procedure);
  EXPECT_EQ(evaluator.Run(speed, owner).Value, 8);
  owner.UseVariables(&own);
  EXPECT_EQ(evaluator.Run(speed, owner).Value, 3);

  // An owner moved elsewhere has tables of its own and must not keep the
  // scope worked out for the one it came from.
  TPlainExpressionOwner original(TEvaluatorKind::Stage);
  SetVariable(original.Vars, "SPEED", 5);
  TCompiledExpression stage = TCompiledEvaluator(TEvaluatorKind::Stage).Compile("SPEED");
  EXPECT_EQ(evaluator.Run(stage, original).Value, 5);
  TPlainExpressionOwner moved = std::move(original);
  SetVariable(moved.Vars, "SPEED", 6);
  SetVariable(original.Vars, "SPEED", 9);
  EXPECT_EQ(evaluator.Run(stage, moved).Value, 6);
  EXPECT_EQ(evaluator.Run(stage, original).Value, 9);
}

// A stage director whose running procedure's variables its enemies see.
struct TDirector {
  TVarTable* Local = nullptr;
  void Use(TVarTable* tables) {
    Local = tables;
    TExpressionOwner::SharedTablesAre(this, tables);
  }
};

// An enemy that sees its director's procedure variables.
class TDirectedOwner : public TExpressionOwner {
 public:
  explicit TDirectedOwner(const TDirector& director) : Director_(director) {}
  bool GetValue(std::string_view name, float& value) const override { return GetValueByBinding(*this, name, value); }
  TNameScope NameScope() const override {
    static constexpr char kTag = 'd';
    return {&kTag, Director_.Local};
  }
  TNameBinding BindName(std::string_view name) const override { return BindVariable(Director_.Local, name); }
  float GetPlayerX() const override { return 0; }
  float GetPlayerY() const override { return 0; }
  uint32_t& RandomSeed() override { return Seed_; }

 private:
  const TDirector& Director_;
  uint32_t Seed_ = 1;
};

// An owner keeps its scope while its director's tables come back to the
// same ones, and follows them when they change, also while another director
// (a second game in the same program) shares its own in between.
TEST(NameBinding, ADirectorsTablesAreFollowedAcrossDirectors) {
  TVarTable first, second;
  first.Add("SPEED", 1);
  second.Add("SPEED", 2);
  TDirector mine, other;
  TDirectedOwner owner(mine);
  TCompiledEvaluator evaluator(TEvaluatorKind::Enemy);
  TCompiledExpression speed = evaluator.Compile("SPEED");
  mine.Use(&first);
  EXPECT_EQ(evaluator.Run(speed, owner).Value, 1);
  mine.Use(&second);
  EXPECT_EQ(evaluator.Run(speed, owner).Value, 2);
  mine.Use(&first);
  EXPECT_EQ(evaluator.Run(speed, owner).Value, 1);

  other.Use(nullptr);
  EXPECT_EQ(evaluator.Run(speed, owner).Value, 1);
  mine.Use(&second);
  other.Use(nullptr);  // the shared tables read as before, but mine changed
  EXPECT_EQ(evaluator.Run(speed, owner).Value, 2);
}

// Bindings follow the scope's tables: a variable added after a name was
// bound, or a new table where a freed one was, is read from then on.
TEST(NameBinding, AChangedOrReplacedTableIsBoundAgain) {
  std::optional<TVarTable> vars(std::in_place);
  TSharedScopeOwner owner(&*vars);
  TCompiledEvaluator evaluator(TEvaluatorKind::Enemy);
  TCompiledExpression speed = evaluator.Compile("SPEED+1");
  EXPECT_EQ(evaluator.Run(speed, owner).Value, 1);  // unknown: 0
  vars->Add("SPEED", 4);
  EXPECT_EQ(evaluator.Run(speed, owner).Value, 5);
  const TVarTable* at = &*vars;
  vars.reset();
  vars.emplace().Add("SPEED", 9);
  ASSERT_EQ(&*vars, at);
  EXPECT_EQ(evaluator.Run(speed, owner).Value, 10);
}

// More groups than the runner keeps on its own stack: the program runs on
// one of its own and still agrees with the rewriting.
TEST(NameBinding, ProgramsDeeperThanTheRunnersStackAgreeWithTheReference) {
  TPlainExpressionOwner owner(TEvaluatorKind::Enemy);
  SetVariable(owner.Vars, "A", 1.5f);
  std::string text = "(A+0)";
  for (int i = 1; i < 60; ++i) text += "+(A*" + std::to_string(i) + ")";
  TCompiledEvaluator compiled(TEvaluatorKind::Enemy);
  const float expected = TReferenceEvaluator(TEvaluatorKind::Enemy).Evaluate(owner, text);
  EXPECT_EQ(compiled.Run(compiled.Compile(text), owner).Value, expected);
  EXPECT_EQ(expected, 1.5f * 1770 + 1.5f);
}

// The rounding of "|", "%", RANDOM, RSIN and the rounding "/" is done
// without the library but must match it in every case.
TEST(NameBinding, RoundingHalfToEvenMatchesTheLibrary) {
  const double big = 4503599627370496.0;  // 2^52
  const double inf = std::numeric_limits<double>::infinity();
  for (double v : {0.0, -0.0, 0.3, -0.3, 0.5, -0.5, 1.5, -1.5, 2.5, -2.5, 3.5, 1e-320, -1e-320, 123456.5,
                   big - 0.5, big - 1.5, big / 2 + 0.5, big, big + 1, -big - 2, 1e300, -1e300, inf, -inf,
                   std::nextafter(0.5, 0.0), std::nextafter(0.5, 1.0), std::nextafter(-2.5, 0.0)}) {
    const double expected = std::nearbyint(v);
    const double got = RoundHalfEven(v);
    EXPECT_EQ(got, expected) << v;
    EXPECT_EQ(std::signbit(got), std::signbit(expected)) << v;
  }
  EXPECT_TRUE(std::isnan(RoundHalfEven(std::numeric_limits<double>::quiet_NaN())));
}

// "%" by a constant multiplies by a reciprocal worked out when the program
// is made; it must give the division's remainder, sign and zero alike.
TEST(NameBinding, ModuloByAConstantMatchesTheDivision) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<float> lefts{0.0f, -0.0f, 0.4f, 0.5f, 1.5f, -2.5f, 59, 60, 61, -59, -60, -61, 119.5f, 4294967040.0f,
                           4294967296.0f, -4294967295.0f, -4294967296.0f, 16777216, 1e12f, -1e12f, 1e30f, inf,
                           -inf, nan};
  for (int i = -2000; i <= 2000; i += 7) lefts.push_back(float(i) * 1.25f);
  const std::vector<float> rights{1, -1, 0, 0.4f, 0.5f, 0.6f, -0.5f, 1.5f, 2, 3, 7, 30, 60, -60, 80, 1000003, 4294967040.0f,
                                  4294967295.0f, 4294967296.0f, -4294967296.0f, 1e10f, nan, inf};
  for (float right : rights) {
    const TConstantModulus modulus = ConstantModulus(right);
    for (float left : lefts) {
      const float expected = Modulo(left, right);
      const float got = ModuloByConstant(left, right, modulus);
      EXPECT_EQ(std::bit_cast<uint32_t>(got), std::bit_cast<uint32_t>(expected)) << left << " % " << right;
    }
  }
}

}  // namespace
}  // namespace vuzed
