#pragma once
// The compiled evaluator's model of the arithmetic passes (steps 2 to 4 of
// reference_evaluator.h). Once the calls and groups of a text are known, its
// remaining text is fixed characters and the values of those calls and
// groups ("slots"). The rewriting is run once at compile time on tokens
// (atoms between operator characters, and the operators) whose values are
// nodes of an expression graph instead of numbers; the graph is then emitted
// as a small program.
//
// Where a value's text stands matters through one thing only: a negative
// value's leading "-". Wherever that "-" could be taken differently from a
// sign of the whole value (right after a "-" that is itself a sign, or after
// a "+" that opens the text), the model runs both ways: the value text with
// and without a leading "-". Where the ways give different graphs, the
// program tests that value's sign when it runs.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "script/expression_math.h"

namespace vuzed {

enum class TNodeKind : uint8_t {
  Const,      // a number
  Name,       // the owner's value of a name, or 0 when unknown
  Slot,       // the value of a call or group, as its text reads back
  RoundTrip,  // a value written back as text and read again (TextRoundTrip)
  Negate,     // a "-" read as the sign of a number
  Binary,     // an operator applied to two values
};

struct TNode {
  TNodeKind Kind = TNodeKind::Const;
  TExpressionOperator Op = TExpressionOperator::Add;
  uint32_t A = 0;  // Name: name index; Slot: slot index; else first operand node
  uint32_t B = 0;  // Binary: second operand node
  float Value = 0;
};

// Nodes with equal content are one node, so equal graphs have equal roots.
class TNodeArena {
 public:
  // Operators of constant operands are applied at once, as `kind` does.
  explicit TNodeArena(TEvaluatorKind kind) : Kind_(kind) {}

  uint32_t Const(float value);
  uint32_t Name(std::string_view name);
  uint32_t Slot(uint32_t slot);
  uint32_t RoundTrip(uint32_t node);
  uint32_t Negate(uint32_t node);
  uint32_t Binary(TExpressionOperator op, uint32_t left, uint32_t right);

  const TNode& operator[](uint32_t id) const { return Nodes_[id]; }
  const std::vector<std::string>& Names() const { return Names_; }

 private:
  uint32_t Make(const TNode& node);

  TEvaluatorKind Kind_;
  std::vector<TNode> Nodes_;
  // A node's content packed in two words: kind, operator and A; B and the value's bits.
  struct TKey {
    uint64_t High, Low;
    bool operator==(const TKey&) const = default;
  };
  struct TKeyHash {
    std::size_t operator()(const TKey& k) const { return std::hash<uint64_t>()(k.High * 0x9E3779B97F4A7C15ull ^ k.Low); }
  };
  std::unordered_map<TKey, uint32_t, TKeyHash> Index_;
  std::vector<std::string> Names_;
  std::map<std::string, uint32_t, std::less<>> NameIndex_;
};

// A piece of the text left after calls and groups: fixed text or a slot.
// A slot is never directly followed by anything but an operator character or
// the end (such texts are left to the reference evaluator).
struct TTextPiece {
  bool IsSlot = false;
  std::string_view Text;
  uint32_t Slot = 0;
};

// The value of the text: a tree of decisions on the signs of intermediate
// values (a value is "negative" when its text starts with "-", i.e. below
// zero) whose leaves are the value's node. Entry 0 is the root.
struct TSignDecision {
  bool Leaf = false;
  uint32_t Node = 0;      // the leaf's value, or the value whose sign decides
  int IfNotNegative = -1;  // entries taken on each outcome
  int IfNegative = -1;
};

// False when the text cannot be modelled (left to the reference evaluator):
// a value that would join the text after it, a value in a number's exponent,
// or too many ways to try.
bool RewriteSymbolically(const std::vector<TTextPiece>& pieces, TNodeArena& arena,
                         std::vector<TSignDecision>& decisions);

}  // namespace vuzed
