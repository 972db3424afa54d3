#include "script/expression_symbolic.h"

#include <bit>

#include "script/number_text.h"

namespace vuzed {

uint32_t TNodeArena::Make(const TNode& node) {
  TKey key{uint64_t(node.Kind) << 40 | uint64_t(node.Op) << 32 | node.A,
           uint64_t(node.B) << 32 | std::bit_cast<uint32_t>(node.Value)};
  auto [it, added] = Index_.try_emplace(key, uint32_t(Nodes_.size()));
  if (added) Nodes_.push_back(node);
  return it->second;
}

uint32_t TNodeArena::Const(float value) { return Make({TNodeKind::Const, {}, 0, 0, value}); }

uint32_t TNodeArena::Name(std::string_view name) {
  auto it = NameIndex_.find(name);
  if (it == NameIndex_.end()) {
    it = NameIndex_.emplace(std::string(name), uint32_t(Names_.size())).first;
    Names_.emplace_back(name);
  }
  return Make({TNodeKind::Name, {}, it->second, 0, 0});
}

uint32_t TNodeArena::Slot(uint32_t slot) { return Make({TNodeKind::Slot, {}, slot, 0, 0}); }

uint32_t TNodeArena::RoundTrip(uint32_t node) {
  const TNode& n = Nodes_[node];
  if (n.Kind == TNodeKind::RoundTrip || n.Kind == TNodeKind::Slot) return node;
  if (n.Kind == TNodeKind::Const) return Const(TextRoundTrip(n.Value));
  return Make({TNodeKind::RoundTrip, {}, node, 0, 0});
}

uint32_t TNodeArena::Negate(uint32_t node) {
  const TNode& n = Nodes_[node];
  if (n.Kind == TNodeKind::Negate) return n.A;
  if (n.Kind == TNodeKind::Const) return Const(-n.Value);
  return Make({TNodeKind::Negate, {}, node, 0, 0});
}

uint32_t TNodeArena::Binary(TExpressionOperator op, uint32_t left, uint32_t right) {
  const TNode& l = Nodes_[left];
  const TNode& r = Nodes_[right];
  if (l.Kind == TNodeKind::Const && r.Kind == TNodeKind::Const) return Const(ApplyOperator(Kind_, op, l.Value, r.Value));
  return Make({TNodeKind::Binary, op, left, right, 0});
}

namespace {

constexpr int kMaxRuns = 256;
constexpr uint32_t kFailed = UINT32_MAX;

// An atom: the text between two operator characters.
struct TAtom {
  bool Empty = true;
  bool Numeric = false;  // the atom alone is a number
  uint32_t Operand = 0;  // its value as an operand
  uint32_t Signed = 0;   // the value of "-" followed by it
};

struct TToken {
  bool IsOp = false;
  char Op = 0;
  TAtom Atom;
  int Prev = -1;
  int Next = -1;
};

// Which way each two-way point goes in one run, replayed in order, and the
// value each point tests; Advance moves to the next combination not yet run.
class TChoices {
 public:
  bool Take(uint32_t node) {
    if (Next_ == Taken_.size()) {
      Taken_.push_back(false);
      Nodes_.push_back(node);
    }
    Nodes_[Next_] = node;
    return Taken_[Next_++];
  }
  bool Advance() {
    Taken_.resize(Next_);
    Nodes_.resize(Next_);
    Next_ = 0;
    while (!Taken_.empty() && Taken_.back()) {
      Taken_.pop_back();
      Nodes_.pop_back();
    }
    if (Taken_.empty()) return false;
    Taken_.back() = true;
    return true;
  }
  // The points of the run just finished.
  std::size_t Count() const { return Next_; }
  bool Taken(std::size_t i) const { return Taken_[i]; }
  uint32_t Node(std::size_t i) const { return Nodes_[i]; }

 private:
  std::vector<bool> Taken_;
  std::vector<uint32_t> Nodes_;
  std::size_t Next_ = 0;
};

class TSymbolicText {
 public:
  TSymbolicText(TNodeArena& arena, TChoices& choices) : Arena_(arena), Choices_(choices) {}

  uint32_t Run(const std::vector<TTextPiece>& pieces);

 private:
  int Append(const TToken& token);
  int InsertAfter(int at, const TToken& token);
  TAtom StaticAtom(std::string_view text);
  TAtom ValueAtom(uint32_t value);
  int PlaceValue(int at, uint32_t node);
  void CancelSigns();
  bool IsAdditive(int op) const;
  int Step(int op, uint32_t& result);
  uint32_t Arithmetic();

  TNodeArena& Arena_;
  TChoices& Choices_;
  std::vector<TToken> T_;
  int Head_ = -1;
  int Tail_ = -1;
};

int TSymbolicText::Append(const TToken& token) {
  T_.push_back(token);
  int at = int(T_.size()) - 1;
  T_[at].Prev = Tail_;
  T_[at].Next = -1;
  if (Tail_ >= 0)
    T_[Tail_].Next = at;
  else
    Head_ = at;
  Tail_ = at;
  return at;
}

int TSymbolicText::InsertAfter(int at, const TToken& token) {
  T_.push_back(token);
  int added = int(T_.size()) - 1;
  int next = T_[at].Next;
  T_[added].Prev = at;
  T_[added].Next = next;
  T_[at].Next = added;
  if (next >= 0)
    T_[next].Prev = added;
  else
    Tail_ = added;
  return added;
}

TAtom TSymbolicText::StaticAtom(std::string_view text) {
  TAtom atom;
  atom.Empty = text.empty();
  float number = 0;
  if (ParseNumberText(text, number)) {
    atom.Numeric = true;
    atom.Operand = Arena_.Const(number);
    atom.Signed = Arena_.Const(-number);
  } else {
    // An empty operand, and "-" before a name, are never asked of the owner.
    atom.Operand = atom.Empty ? Arena_.Const(0) : Arena_.Name(text);
    atom.Signed = Arena_.Const(0);
  }
  return atom;
}

TAtom TSymbolicText::ValueAtom(uint32_t value) {
  TAtom atom;
  atom.Empty = false;
  atom.Numeric = true;
  atom.Operand = value;
  atom.Signed = Arena_.Negate(value);
  return atom;
}

// Writes a value's text into the atom at `at`. A negative value's "-" reads
// as its own sign, except after a "-" that is a sign itself (or a "+" that
// opens the text): there both texts are tried. Returns the atom that holds
// the value's digits.
int TSymbolicText::PlaceValue(int at, uint32_t node) {
  uint32_t value = Arena_.RoundTrip(node);
  T_[at].Atom = ValueAtom(value);
  int op = T_[at].Prev;
  if (op < 0) return at;
  int before = T_[op].Prev;
  if (!T_[before].Atom.Empty) return at;
  bool twoWay = T_[op].Op == '-' || (T_[op].Op == '+' && before == Head_);
  if (!twoWay || !Choices_.Take(value)) return at;
  T_[at].Atom = StaticAtom({});
  TToken minus;
  minus.IsOp = true;
  minus.Op = '-';
  int sign = InsertAfter(at, minus);
  TToken digits;
  digits.Atom = ValueAtom(Arena_.Negate(value));
  return InsertAfter(sign, digits);
}

// Two "-" opening the text cancel.
void TSymbolicText::CancelSigns() {
  for (;;) {
    int a0 = Head_;
    int o1 = T_[a0].Next;
    if (!T_[a0].Atom.Empty || o1 < 0 || T_[o1].Op != '-') return;
    int a1 = T_[o1].Next;
    int o2 = T_[a1].Next;
    if (!T_[a1].Atom.Empty || o2 < 0 || T_[o2].Op != '-') return;
    Head_ = T_[o2].Next;
    T_[Head_].Prev = -1;
  }
}

bool TSymbolicText::IsAdditive(int op) const {
  if (T_[op].Op == '+') return true;
  if (T_[op].Op != '-') return false;
  int before = T_[op].Prev;
  bool sign = T_[before].Atom.Empty && (T_[before].Prev < 0 || T_[T_[before].Prev].Op == '+');
  return !sign;
}

int TSymbolicText::Step(int op, uint32_t& result) {
  int leftAtom = T_[op].Prev;
  int start = leftAtom;
  uint32_t left = T_[leftAtom].Atom.Operand;
  int sign = T_[leftAtom].Prev;
  if (sign >= 0 && T_[sign].Op == '-') {
    int before = T_[sign].Prev;
    // The "-" follows another operator character, or opens the text before a non-operator.
    if (T_[before].Atom.Empty && (T_[before].Prev >= 0 || !T_[leftAtom].Atom.Empty)) {
      left = T_[leftAtom].Atom.Signed;
      start = before;
    }
  }
  int end = T_[op].Next;
  uint32_t right = T_[end].Atom.Operand;
  if (T_[end].Atom.Empty) {
    int next = T_[end].Next;
    if (next >= 0 && T_[next].Op == '-') {
      end = T_[next].Next;
      right = T_[end].Atom.Signed;
    }
  }
  result = Arena_.Binary(OperatorFromChar(T_[op].Op), left, right);
  int after = T_[end].Next;
  T_[start].Next = after;
  if (after >= 0)
    T_[after].Prev = start;
  else
    Tail_ = start;
  int placed = PlaceValue(start, result);
  CancelSigns();
  return placed;
}

uint32_t TSymbolicText::Arithmetic() {
  uint32_t result = Arena_.Const(0);
  int cursor = Head_;
  for (;;) {
    int op = cursor;
    while (op >= 0 && !(T_[op].IsOp && IsMultiplicativeChar(T_[op].Op))) op = T_[op].Next;
    if (op < 0) break;
    cursor = Step(op, result);
  }
  for (;;) {
    int op = Head_;
    while (op >= 0 && !(T_[op].IsOp && IsAdditive(op))) op = T_[op].Next;
    if (op < 0) break;
    Step(op, result);
  }
  return result;
}

uint32_t TSymbolicText::Run(const std::vector<TTextPiece>& pieces) {
  T_.clear();
  Head_ = Tail_ = -1;
  std::vector<std::pair<int, uint32_t>> slots;  // atom, slot
  std::string_view atomText;
  bool atomIsSlot = false;
  uint32_t atomSlot = 0;
  auto flush = [&] {
    TToken t;
    if (atomIsSlot) {
      t.Atom = ValueAtom(Arena_.Slot(atomSlot));
      slots.emplace_back(Append(t), atomSlot);
    } else {
      t.Atom = StaticAtom(atomText);
      Append(t);
    }
    atomText = {};
    atomIsSlot = false;
  };
  for (const TTextPiece& piece : pieces) {
    if (piece.IsSlot) {
      if (atomIsSlot || !atomText.empty()) return kFailed;  // a value joined to other text
      atomIsSlot = true;
      atomSlot = piece.Slot;
      continue;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < piece.Text.size(); ++i) {
      if (!IsOperatorChar(piece.Text[i])) continue;
      if (atomIsSlot && i > start) return kFailed;
      if (!atomIsSlot) atomText = piece.Text.substr(start, i - start);
      flush();
      TToken op;
      op.IsOp = true;
      op.Op = piece.Text[i];
      Append(op);
      start = i + 1;
    }
    if (start < piece.Text.size()) {
      if (atomIsSlot) return kFailed;
      atomText = piece.Text.substr(start);
    }
  }
  flush();

  // The calls and groups were replaced left to right, each followed by the
  // check for two opening "-".
  for (auto [atom, slot] : slots) {
    PlaceValue(atom, Arena_.Slot(slot));
    CancelSigns();
  }

  int ops = 0;
  for (int i = Head_; i >= 0; i = T_[i].Next) ops += T_[i].IsOp;
  const TAtom& first = T_[Head_].Atom;
  if (ops == 0) return first.Operand;  // a number, a name (or 0), or empty (0)
  if (ops == 1 && first.Empty) {
    int op = T_[Head_].Next;
    const TAtom& second = T_[T_[op].Next].Atom;
    if (second.Numeric && T_[op].Op == '-') return second.Signed;
    if (second.Numeric && T_[op].Op == '+') return second.Operand;
  }
  return Arithmetic();
}

}  // namespace

bool RewriteSymbolically(const std::vector<TTextPiece>& pieces, TNodeArena& arena,
                         std::vector<TSignDecision>& decisions) {
  // A whole text that is a number is read at once; its exponent sign is no
  // operator. With values in it, the text is one only as a value, or a value
  // after a sign (both modelled), or when a value is the exponent's digits.
  std::string probe;
  int slots = 0;
  for (const TTextPiece& piece : pieces) {
    slots += piece.IsSlot;
    probe += piece.IsSlot ? std::string_view("1") : piece.Text;
  }
  float number = 0;
  if (ParseNumberText(probe, number)) {
    if (slots == 0) {
      decisions.assign(1, TSignDecision{true, arena.Const(number), -1, -1});
      return true;
    }
    bool valueAlone = pieces.size() == 1 || (pieces.size() == 2 && (probe == "-1" || probe == "+1"));
    if (!valueAlone) return false;
  }

  decisions.assign(1, TSignDecision{});
  TChoices choices;
  int runs = 0;
  do {
    if (++runs > kMaxRuns) return false;
    TSymbolicText text(arena, choices);
    uint32_t value = text.Run(pieces);
    if (value == kFailed) return false;
    int at = 0;
    for (std::size_t i = 0; i < choices.Count(); ++i) {
      decisions[std::size_t(at)].Node = choices.Node(i);
      TSignDecision& d = decisions[std::size_t(at)];
      int next = choices.Taken(i) ? d.IfNegative : d.IfNotNegative;
      if (next < 0) {
        next = int(decisions.size());
        (choices.Taken(i) ? d.IfNegative : d.IfNotNegative) = next;
        decisions.emplace_back();  // d is not used after this
      }
      at = next;
    }
    decisions[std::size_t(at)].Leaf = true;
    decisions[std::size_t(at)].Node = value;
  } while (choices.Advance());

  // A decision whose two outcomes give the same value decides nothing.
  // Entries are made before the entries they lead to, so walking backwards
  // folds the tree from its leaves up.
  for (std::size_t i = decisions.size(); i-- > 0;) {
    TSignDecision& d = decisions[i];
    if (d.Leaf) continue;
    const TSignDecision& a = decisions[std::size_t(d.IfNotNegative)];
    const TSignDecision& b = decisions[std::size_t(d.IfNegative)];
    if (a.Leaf && b.Leaf && a.Node == b.Node) d = TSignDecision{true, a.Node, -1, -1};
  }
  return true;
}

}  // namespace vuzed
