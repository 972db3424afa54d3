#pragma once
// The script expression language shared by the stage, enemy and bullet
// scripts: single-precision arithmetic on text such as
// "GETANGLETOPLAYER+RANDOM(30)-15". Two evaluators implement it: the
// reference evaluator rewrites the text step by step and is the definition;
// the compiled evaluator, which the game uses, gives bit-identical results.
//
// Choices both evaluators make where the rewriting alone has no answer:
// - a name before "(" that is not a function of the kind (or a number
//   there), a "(" without its ")", groups and calls nested more than
//   kMaxExpressionNesting deep, or a text longer than kMaxExpressionLength
//   make the whole expression 0 (`Malformed`): no line of a script, however
//   long or deep, can stall a frame;
// - an operand that is neither a number nor a known name is 0;
// - division by zero ("/", "|", "%") gives 0;
// - intermediate values keep their exact value whatever their size (see
//   number_text.h);
// - a text that is empty or contains an operator character is never a name:
//   the owner is not asked for it ("-GETSELFX" as an operand is 0).

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vuzed {

// One evaluator per kind of script. They differ in their functions, in "/"
// and in the owners that supply their names.
enum class TEvaluatorKind : uint8_t { Enemy, Bullet, Stage };

// What an expression is evaluated for: the enemy, the bullet or the stage
// director.
class TExpressionOwner {
 public:
  virtual ~TExpressionOwner() = default;
  // The owner's names in the order its kind documents; true with the value
  // when the name is known. Built-in names match exactly in upper case,
  // variables without regard to ASCII case.
  virtual bool GetValue(std::string_view name, float& value) const = 0;
  // The player's position, for GETANGLETOPLAYERFLOMOBJECT.
  virtual float GetPlayerX() const = 0;
  virtual float GetPlayerY() const = 0;
  // The program-wide random generator's seed (random_generator.h), for RANDOM.
  virtual uint32_t& RandomSeed() = 0;
};

// An evaluation's value, and whether the text was not an expression of the
// language (its value is then 0), so a caller can report the place.
struct TExpressionValue {
  float Value = 0;
  bool Malformed = false;
};

struct TConditionValue {
  bool Value = false;
  bool Malformed = false;
};

constexpr int kMaxExpressionNesting = 256;
constexpr std::size_t kMaxExpressionLength = 4096;

// The operator characters: "%", "*", "+", "-", "/", "|".
constexpr bool IsOperatorChar(char c) {
  return c == '%' || c == '*' || c == '+' || c == '-' || c == '/' || c == '|';
}

constexpr bool IsMultiplicativeChar(char c) { return c == '*' || c == '/' || c == '|' || c == '%'; }

// Asks the owner for a name, except for texts that cannot be names (see above).
bool LookUpName(const TExpressionOwner& owner, std::string_view name, float& value);

// The functions. SIN .. TAN take one argument that ends at the ")" matching
// the call's "("; RANDOM and GETANGLETOPLAYERFLOMOBJECT take the text up to
// the first ")" after it.
enum class TExpressionFunction : uint8_t { Random, Sin, RSin, Cos, RCos, Tan, AngleFromObject };

// The function called name for this kind, if any (exact upper-case names).
bool FindExpressionFunction(TEvaluatorKind kind, std::string_view name, TExpressionFunction& function);

// True when the function's argument ends at the first ")" after its "(".
constexpr bool TakesPlainArguments(TExpressionFunction f) {
  return f == TExpressionFunction::Random || f == TExpressionFunction::AngleFromObject;
}

// The comparison of a condition: the first of "<>", "<=", ">=", "=", "<",
// ">" that occurs anywhere in the text splits it into two expressions.
enum class TComparison : uint8_t { NotEqual, LessEqual, GreaterEqual, Equal, Less, Greater };

struct TConditionSplit {
  bool Found = false;
  TComparison Comparison = TComparison::Equal;
  std::string_view Left;
  std::string_view Right;
};

TConditionSplit SplitCondition(std::string_view text);
bool Compare(TComparison comparison, float left, float right);

}  // namespace vuzed
