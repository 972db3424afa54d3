// The compiled evaluator against the reference evaluator on a large corpus of
// generated expressions and conditions: numbers of every form, names known
// and unknown, every operator, doubled operators and signs, groups, every
// function (and unknown and lower-case ones), unbalanced and joined groups,
// for the three kinds and owners with assorted values. Results must be
// bit-identical (any NaN matches any NaN), and so must the malformed flag
// and the random generator's state afterwards.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "script/compiled_evaluator.h"
#include "script/expression_plain_owner.h"
#include "script/reference_evaluator.h"

namespace vuzed {
namespace {

class TGenerator {
 public:
  explicit TGenerator(uint32_t seed) : Rng_(seed) {}

  uint32_t Below(uint32_t n) { return uint32_t(Rng_() % n); }
  bool Chance(uint32_t percent) { return Below(100) < percent; }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[Below(uint32_t(items.size()))];
  }

  std::string Expression(int depth) {
    std::string text = Sign();
    int terms = 1 + int(Below(depth > 2 ? 2 : 4));
    for (int i = 0; i < terms; ++i) {
      if (i > 0) text += Operator();
      text += Term(depth);
    }
    return text;
  }

  std::string Condition(int depth) {
    static const std::vector<std::string> comparisons{"=", "<>", "<", ">", "<=", ">="};
    return Expression(depth) + Pick(comparisons) + Expression(depth);
  }

  std::string Garbage() {
    static const std::string alphabet = "0123456789.E-+*/|%()ABC,";
    std::string text;
    for (uint32_t n = Below(12); n > 0; --n) text += alphabet[Below(uint32_t(alphabet.size()))];
    return text;
  }

 private:
  std::string Sign() {
    uint32_t r = Below(100);
    if (r < 15) return "-";
    if (r < 18) return "+";
    if (r < 20) return "--";
    return "";
  }

  std::string Operator() {
    static const std::vector<std::string> ops{"*", "/", "|", "%", "+", "-"};
    std::string op = Pick(ops);
    uint32_t r = Below(100);
    if (r < 12) return op + "-";
    if (r < 14) return op + "+";
    if (r < 16) return op + Pick(ops);
    return op;
  }

  std::string Number() {
    switch (Below(9)) {
      case 0: return std::to_string(Below(10));
      case 1: return std::to_string(Below(1000));
      case 2: return std::to_string(Below(100)) + "." + std::to_string(Below(100));
      case 3: return "0." + std::to_string(Below(10));
      case 4: return std::to_string(1 + Below(9)) + "E" + std::to_string(Below(40));
      case 5: return std::to_string(1 + Below(9)) + "E-" + std::to_string(Below(12));
      case 6: return Pick<std::string>({"2.5", "3.5", "0.5", "1.5", "7.5", "0.2", "12", "90", "180", "45"});
      case 7: return Pick<std::string>({"1E38", "3E38", "1E-40", "0.00001", "1E15", "INF", "NAN", "1.", ".5", "2E", "1.5e"});
      default: return std::to_string(Below(60));
    }
  }

  std::string Name() {
    static const std::vector<std::string> names{
        "A", "B", "C", "a", "speed", "SPEED", "COUNT", "HP", "TIME", "GETPLAYERX", "GETPLAYERY", "GETSELFX",
        "GETSELFY", "GETANGLETOPLAYER", "GETANGLETOPLAYERFROMSELF", "GETANGLE", "GETIDOUX", "B1", "G",
        "TRUE", "FALSE", "true", "NOPE", "X1", "count", "inf"};
    return Pick(names);
  }

  std::string Term(int depth) {
    uint32_t r = Below(100);
    if (r < 35 || depth >= 4) return Number();
    if (r < 62) return Name();
    if (r < 74) return "(" + Expression(depth + 1) + ")" + Joined();
    if (r < 86) {
      static const std::vector<std::string> functions{"SIN", "COS", "TAN", "RSIN", "RCOS", "sin", "FOO"};
      return Pick(functions) + "(" + Expression(depth + 1) + ")" + Joined();
    }
    if (r < 93) return "RANDOM(" + Plain() + ")" + Joined();
    if (r < 97) return "GETANGLETOPLAYERFLOMOBJECT(" + Plain() + "," + Plain() + ")";
    return Pick<std::string>({"(", ")", "(1", "2(3)", "()", "RANDOM((3)+1)", "SIN(2", ",", "1,2"});
  }

  // Argument text of RANDOM and GETANGLETOPLAYERFLOMOBJECT: no parentheses.
  std::string Plain() {
    std::string text = Chance(20) ? "-" : "";
    text += Chance(50) ? Number() : Name();
    if (Chance(50)) text += Operator() + (Chance(50) ? Number() : Name());
    return text;
  }

  // Now and then a value's text runs into what follows it.
  std::string Joined() { return Chance(3) ? Pick<std::string>({"2", "A", "(1)", ".5", "E2"}) : ""; }

  std::mt19937 Rng_;
};

void Fill(TPlainExpressionOwner& owner, TGenerator& g, uint32_t variant) {
  static const std::vector<float> values{0.0f, -0.0f, 1, -1, 2.5f, -2.5f, 0.5f, 3, -7, 1e-7f, 1e20f, -1e20f,
                                         3e38f, 0.1f, 90, 45.5f, 100, -33.25f,
                                         std::numeric_limits<float>::infinity(),
                                         std::numeric_limits<float>::quiet_NaN()};
  auto value = [&] { return variant == 0 ? float(int(g.Below(7)) - 3) : g.Pick(values); };
  SetVariable(owner.Vars, "A", value());
  SetVariable(owner.Vars, "B", value());
  SetVariable(owner.Vars, "C", value());
  SetVariable(owner.Vars, "Speed", value());
  SetVariable(owner.Globals, "G", value());
  SetVariable(owner.Globals, "A", value());
  owner.PlayerX = value();
  owner.PlayerY = value();
  owner.SelfX = value();
  owner.SelfY = value();
  owner.Count = int32_t(g.Below(1000)) - 100;
  owner.Time = int32_t(g.Below(5000));
  owner.Hp = int32_t(g.Below(300));
  owner.Seed = uint32_t(g.Below(1u << 31)) * 2 + g.Below(2);
}

bool SameValue(float a, float b) {
  return (std::isnan(a) && std::isnan(b)) || std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

TEST(EvaluatorDifferential, CompiledMatchesReferenceBitForBit) {
  constexpr int kTexts = 12500;
  constexpr uint32_t kOwnersPerText = 8;
  TGenerator g(20240517);
  const TEvaluatorKind kinds[] = {TEvaluatorKind::Enemy, TEvaluatorKind::Bullet, TEvaluatorKind::Stage};
  // Two owners per kind with the same variables in the same order.
  TPlainExpressionOwner owners[3][2] = {{TPlainExpressionOwner(kinds[0]), TPlainExpressionOwner(kinds[0])},
                                        {TPlainExpressionOwner(kinds[1]), TPlainExpressionOwner(kinds[1])},
                                        {TPlainExpressionOwner(kinds[2]), TPlainExpressionOwner(kinds[2])}};
  for (auto& pair : owners)
    for (TPlainExpressionOwner& owner : pair) Fill(owner, g, 0);
  int cases = 0;
  int mismatches = 0;
  for (int t = 0; t < kTexts && mismatches < 20; ++t) {
    TEvaluatorKind kind = kinds[t % 3];
    uint32_t shape = g.Below(100);
    bool condition = shape < 12;
    std::string text = condition ? g.Condition(0) : shape < 15 ? g.Garbage() : g.Expression(0);
    TReferenceEvaluator reference(kind);
    TCompiledEvaluator compiled(kind);
    TPlainExpressionOwner& a = owners[t % 3][0];
    TPlainExpressionOwner& b = owners[t % 3][1];
    for (uint32_t variant = 0; variant < kOwnersPerText; ++variant) {
      Fill(a, g, variant);
      for (std::size_t i = 0; i < a.Vars.Count(); ++i) b.Vars[i].Var->Set(a.Vars[i].Var->Get());
      for (std::size_t i = 0; i < a.Globals.Count(); ++i) b.Globals[i].Var->Set(a.Globals[i].Var->Get());
      b.PlayerX = a.PlayerX, b.PlayerY = a.PlayerY, b.SelfX = a.SelfX, b.SelfY = a.SelfY;
      b.Count = a.Count, b.Time = a.Time, b.Hp = a.Hp, b.Seed = a.Seed;
      ++cases;
      bool same = false;
      std::string detail;
      if (condition) {
        TConditionValue r = reference.EvaluateConditionChecked(a, text);
        TConditionValue c = compiled.EvaluateConditionChecked(b, text);
        same = r.Value == c.Value && r.Malformed == c.Malformed;
        detail = std::to_string(r.Value) + " vs " + std::to_string(c.Value);
      } else {
        TExpressionValue r = reference.EvaluateChecked(a, text);
        TExpressionValue c = compiled.EvaluateChecked(b, text);
        same = SameValue(r.Value, c.Value) && r.Malformed == c.Malformed;
        detail = std::to_string(r.Value) + (r.Malformed ? "!" : "") + " vs " + std::to_string(c.Value) +
                 (c.Malformed ? "!" : "");
      }
      if (!same || a.Seed != b.Seed) {
        ++mismatches;
        ADD_FAILURE() << "kind " << int(kind) << " text \"" << text << "\" A=" << a.Vars.Find("A")->Get()
                      << " B=" << a.Vars.Find("B")->Get() << ": " << detail << " seeds " << a.Seed << "/"
                      << b.Seed;
        break;
      }
    }
  }
  EXPECT_GE(cases, 100000);
}

}  // namespace
}  // namespace vuzed
