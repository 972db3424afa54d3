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

#include <atomic>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "objects/var_table.h"

namespace vuzed {

// One evaluator per kind of script. They differ in their functions, in "/"
// and in the owners that supply their names.
enum class TEvaluatorKind : uint8_t { Enemy, Bullet, Stage };

// Where a built-in value the owner keeps in a field of its own lives, as an
// offset from the owner (so that one binding serves every owner of a scope).
enum class TOwnerField : uint8_t { None, Single, Integer };

// A name resolved ahead of time: where its value lives for an owner. Either
// a value cell (a variable, or a constant such as TRUE), or a field of the
// owner (COUNT, GETSELFX ... where the owner keeps them as they are), or the
// number of one of the owner's built-in values, read with BuiltinValue; or
// not known at all (the name counts as 0).
struct TNameBinding {
  bool Known = false;
  const float* Cell = nullptr;
  int32_t Builtin = 0;
  TOwnerField Field = TOwnerField::None;
  int32_t FieldOffset = 0;  // bytes from the owner (TExpressionOwner) to the field
};

// Owners that bind names alike: the same binding rules (Tag, one per owner
// class and kind) over the same variable tables. Which table holds a name is
// all that decides a binding, so bindings made for a scope stay right while
// its tables keep their versions (TVarTable::Version; see ScopeVersion). A
// null Tag binds nothing: the owner is asked by name.
struct TNameScope {
  const void* Tag = nullptr;
  const TVarTable* Table1 = nullptr;
  const TVarTable* Table2 = nullptr;
  const TVarTable* Table3 = nullptr;
  bool operator==(const TNameScope&) const = default;
};

// What an expression is evaluated for: the enemy, the bullet or the stage
// director.
class TExpressionOwner {
 public:
  TExpressionOwner() = default;
  // A copy has tables of its own: it works its scope out afresh.
  TExpressionOwner(const TExpressionOwner&) {}
  TExpressionOwner& operator=(const TExpressionOwner&) {
    ScopeChanged();
    return *this;
  }
  virtual ~TExpressionOwner() = default;
  // The owner's names in the order its kind documents; true with the value
  // when the name is known. Built-in names match exactly in upper case,
  // variables without regard to ASCII case.
  virtual bool GetValue(std::string_view name, float& value) const = 0;
  // Binding names ahead of time (optional; owners that bind implement all
  // three, and their GetValue must agree with their bindings:
  // GetValueByBinding below does both from one place).
  virtual TNameScope NameScope() const { return {}; }
  virtual TNameBinding BindName(std::string_view) const { return {}; }
  virtual float BuiltinValue(int32_t) const { return 0; }
  // The player's position, for GETANGLETOPLAYERFLOMOBJECT.
  virtual float GetPlayerX() const = 0;
  virtual float GetPlayerY() const = 0;
  // The program-wide random generator's seed (random_generator.h), for RANDOM.
  virtual uint32_t& RandomSeed() = 0;

  // NameScope, worked out again only after ScopeChanged, AllScopesChanged or
  // a change of the shared tables: every evaluation needs it, and it changes
  // only when an owner enters or leaves a procedure. (Debug builds check that
  // nothing else changed it.)
  const TNameScope& CurrentScope() const {
    if (ScopeEpoch_ != Epoch_.load(std::memory_order_relaxed) ||
        ScopeShared_ != SharedTables_.load(std::memory_order_relaxed)) [[unlikely]]
      RefreshScope();
    assert(CachedScope_ == NameScope());
    return CachedScope_;
  }
  // Any owner's scope may have changed: the stage director was made or
  // replaced.
  static void AllScopesChanged() { Epoch_.fetch_add(1, std::memory_order_relaxed); }
  // The tables every enemy and bullet sees that change most often, the stage
  // director's running procedure's variables, are now `tables`; `director`
  // is whose they are. The director enters and leaves MAIN every frame, so
  // an owner's scope is kept by value: one worked out with the same director
  // and the same tables still holds (another director's tables in between
  // count as a change of everything).
  static void SharedTablesAre(const void* director, const void* tables) {
    if (director != SharedOwner_.load(std::memory_order_relaxed)) {
      SharedOwner_.store(director, std::memory_order_relaxed);
      AllScopesChanged();
    }
    SharedTables_.store(tables, std::memory_order_relaxed);
  }

 protected:
  // This owner's scope may have changed (its own tables).
  void ScopeChanged() { ScopeEpoch_ = 0; }

 private:
  void RefreshScope() const {
    CachedScope_ = NameScope();
    ScopeEpoch_ = Epoch_.load(std::memory_order_relaxed);
    ScopeShared_ = SharedTables_.load(std::memory_order_relaxed);
  }

  mutable TNameScope CachedScope_;
  mutable uint64_t ScopeEpoch_ = 0;  // 0: not worked out
  mutable const void* ScopeShared_ = nullptr;
  static inline std::atomic<uint64_t> Epoch_{1};
  static inline std::atomic<const void*> SharedOwner_{nullptr};
  static inline std::atomic<const void*> SharedTables_{nullptr};
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

// A binding to a field of the owner: a float or an int32_t member of the
// object that derives from TExpressionOwner. The offset is measured from the
// owner, so it holds for every object of the class; a scope's Tag names one
// owner class.
template <typename TField>
TNameBinding OwnerFieldBinding(const TExpressionOwner& owner, const TField& field) {
  static_assert(std::is_same_v<TField, float> || std::is_same_v<TField, int32_t>);
  TNameBinding b;
  b.Known = true;
  b.Field = std::is_same_v<TField, float> ? TOwnerField::Single : TOwnerField::Integer;
  b.FieldOffset = int32_t(reinterpret_cast<const char*>(&field) - reinterpret_cast<const char*>(&owner));
  return b;
}

// The value a binding stands for.
inline float BoundValue(const TExpressionOwner& owner, const TNameBinding& binding) {
  if (binding.Cell) return *binding.Cell;
  const char* field = reinterpret_cast<const char*>(&owner) + binding.FieldOffset;
  switch (binding.Field) {
    case TOwnerField::Single: return *reinterpret_cast<const float*>(field);
    case TOwnerField::Integer: return float(*reinterpret_cast<const int32_t*>(field));
    case TOwnerField::None: break;
  }
  return binding.Known ? owner.BuiltinValue(binding.Builtin) : 0.0f;
}

// GetValue through the owner's bindings.
inline bool GetValueByBinding(const TExpressionOwner& owner, std::string_view name, float& value) {
  TNameBinding binding = owner.BindName(name);
  if (!binding.Known) return false;
  value = BoundValue(owner, binding);
  return true;
}

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

// The ")" that closes the "(" at open: from open on, every "(" goes one level
// deeper and every ")" one back, and the first return to level 0 is the
// answer. npos when the text ends first. A bracketed part and the argument
// of SIN .. TAN end there, in both evaluators.
constexpr std::size_t MatchingParen(std::string_view text, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < text.size(); ++i) {
    if (text[i] == '(') {
      ++depth;
    } else if (text[i] == ')' && --depth == 0) {
      return i;
    }
  }
  return std::string_view::npos;
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
inline bool Compare(TComparison comparison, float left, float right) {
  switch (comparison) {
    case TComparison::NotEqual: return left != right;
    case TComparison::LessEqual: return left <= right;
    case TComparison::GreaterEqual: return left >= right;
    case TComparison::Equal: return left == right;
    case TComparison::Less: return left < right;
    case TComparison::Greater: return left > right;
  }
  return false;
}

}  // namespace vuzed
