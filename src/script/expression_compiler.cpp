#include "script/expression_compiler.h"

#include <map>
#include <string>
#include <vector>

#include "objects/string_helpers.h"
#include "script/expression_symbolic.h"

namespace vuzed {
namespace {

constexpr std::size_t kNone = std::string::npos;

int StackEffect(TOpCode code) {
  switch (code) {
    case TOpCode::Const:
    case TOpCode::Name:
    case TOpCode::Load:
    case TOpCode::Rewrite: return 1;
    case TOpCode::Store:
    case TOpCode::JumpIfNegative:
    case TOpCode::Multiply:
    case TOpCode::Divide:
    case TOpCode::IntDivide:
    case TOpCode::Modulo:
    case TOpCode::Add:
    case TOpCode::Subtract:
    case TOpCode::AngleFrom: return -1;
    default: return 0;
  }
}

TOpCode BinaryCode(TExpressionOperator op) {
  switch (op) {
    case TExpressionOperator::Multiply: return TOpCode::Multiply;
    case TExpressionOperator::Divide: return TOpCode::Divide;
    case TExpressionOperator::IntDivide: return TOpCode::IntDivide;
    case TExpressionOperator::Modulo: return TOpCode::Modulo;
    case TExpressionOperator::Add: return TOpCode::Add;
    case TExpressionOperator::Subtract: return TOpCode::Subtract;
  }
  return TOpCode::Add;
}

class TCompiler {
 public:
  TCompiler(TEvaluatorKind kind, TExpressionProgram& program) : Kind_(kind), P_(program) {}

  // Emits code that leaves the value of `text` on the stack. False when the
  // code ends with Abort: nothing after it would run.
  bool Level(std::string_view text, int depth);

  uint32_t MaxStack() const { return MaxStack_; }

 private:
  bool Call(TExpressionFunction function, std::string_view text, std::size_t open, int depth,
            std::size_t& close);
  void Emit(TOpCode code, uint32_t arg = 0, float value = 0, int depth = 0);
  bool Abort();
  void EmitGraph(const TNodeArena& arena, uint32_t root);
  void EmitDecision(const TNodeArena& arena, const std::vector<TSignDecision>& decisions, int at);
  uint32_t NameIndex(const std::string& name);

  TEvaluatorKind Kind_;
  TExpressionProgram& P_;
  std::map<std::string, uint32_t, std::less<>> Names_;
  uint32_t Stack_ = 0;
  uint32_t MaxStack_ = 0;
};

void TCompiler::Emit(TOpCode code, uint32_t arg, float value, int depth) {
  TInstruction& in = P_.Code.emplace_back();
  in.Code = code;
  in.Arg = arg;
  in.Value = value;
  in.Depth = depth;
  Stack_ = uint32_t(int(Stack_) + StackEffect(code));
  if (Stack_ > MaxStack_) MaxStack_ = Stack_;
}

bool TCompiler::Abort() {
  Emit(TOpCode::Abort);
  return false;
}

uint32_t TCompiler::NameIndex(const std::string& name) {
  auto [it, added] = Names_.try_emplace(name, uint32_t(P_.Names.size()));
  if (added) P_.Names.push_back(name);
  return it->second;
}

bool TCompiler::Level(std::string_view original, int depth) {
  if (depth > kMaxExpressionNesting || original.size() > kMaxExpressionLength) return Abort();
  const std::size_t mark = P_.Code.size();
  const uint32_t stackAtMark = Stack_;
  auto rewrite = [&] {
    P_.Code.resize(mark);
    Stack_ = stackAtMark;
    P_.Texts.emplace_back(original);
    Emit(TOpCode::Rewrite, uint32_t(P_.Texts.size() - 1), 0, depth);
    return true;
  };

  std::string_view text = original;
  while (text.size() >= 2 && text[0] == '-' && text[1] == '-') text.remove_prefix(2);

  std::vector<TTextPiece> pieces;
  std::size_t pos = 0;
  for (;;) {
    std::size_t open = text.find('(', pos);
    if (open == kNone) {
      if (pos < text.size()) pieces.push_back({false, text.substr(pos), 0});
      break;
    }
    std::size_t nameStart = open;
    while (nameStart > pos && !IsOperatorChar(text[nameStart - 1])) --nameStart;
    if (nameStart > pos) pieces.push_back({false, text.substr(pos, nameStart - pos), 0});
    std::string_view name = text.substr(nameStart, open - nameStart);
    std::size_t close = kNone;
    if (name.empty()) {
      close = MatchingParen(text, open);
      if (close == kNone) return Abort();
      if (!Level(text.substr(open + 1, close - open - 1), depth + 1)) return false;
    } else {
      TExpressionFunction function;
      if (!FindExpressionFunction(Kind_, name, function)) return Abort();
      if (!Call(function, text, open, depth, close)) return false;
    }
    uint32_t slot = P_.SlotCount++;
    Emit(TOpCode::Store, slot);
    pieces.push_back({true, {}, slot});
    pos = close + 1;
    // The value's digits would join the text after it.
    if (pos < text.size() && !IsOperatorChar(text[pos])) return rewrite();
  }

  TNodeArena arena(Kind_);
  std::vector<TSignDecision> decisions;
  if (!RewriteSymbolically(pieces, arena, decisions)) return rewrite();
  EmitDecision(arena, decisions, 0);
  return true;
}

bool TCompiler::Call(TExpressionFunction function, std::string_view text, std::size_t open, int depth,
                     std::size_t& close) {
  if (!TakesPlainArguments(function)) {
    close = MatchingParen(text, open);
    if (close == kNone) return Abort();
    if (!Level(text.substr(open + 1, close - open - 1), depth + 1)) return false;
    Emit(TOpCode::AngleFunction, uint32_t(function));
    return true;
  }
  close = text.find(')', open + 1);
  if (close == kNone) return Abort();
  std::string_view arguments = text.substr(open + 1, close - open - 1);
  if (function == TExpressionFunction::Random) {
    if (!Level(arguments, depth + 1)) return false;
    Emit(TOpCode::Random);
    return true;
  }
  if (!Level(GetItem(arguments, 1), depth + 1) || !Level(GetItem(arguments, 2), depth + 1)) return false;
  Emit(TOpCode::AngleFrom);
  return true;
}

void TCompiler::EmitDecision(const TNodeArena& arena, const std::vector<TSignDecision>& decisions, int at) {
  const TSignDecision& d = decisions[std::size_t(at)];
  if (d.Leaf) {
    EmitGraph(arena, d.Node);
    return;
  }
  EmitGraph(arena, d.Node);
  std::size_t test = P_.Code.size();
  Emit(TOpCode::JumpIfNegative);
  const uint32_t stackBefore = Stack_;
  EmitDecision(arena, decisions, d.IfNotNegative);
  std::size_t skip = P_.Code.size();
  Emit(TOpCode::Jump);
  P_.Code[test].Arg = uint32_t(P_.Code.size());
  Stack_ = stackBefore;
  EmitDecision(arena, decisions, d.IfNegative);
  P_.Code[skip].Arg = uint32_t(P_.Code.size());
}

void TCompiler::EmitGraph(const TNodeArena& arena, uint32_t root) {
  struct TVisit {
    uint32_t Node;
    bool Expanded;
  };
  std::vector<TVisit> pending{{root, false}};
  while (!pending.empty()) {
    TVisit visit = pending.back();
    pending.pop_back();
    const TNode& n = arena[visit.Node];
    bool inner = n.Kind == TNodeKind::RoundTrip || n.Kind == TNodeKind::Negate || n.Kind == TNodeKind::Binary;
    if (inner && !visit.Expanded) {
      pending.push_back({visit.Node, true});
      if (n.Kind == TNodeKind::Binary) pending.push_back({n.B, false});
      pending.push_back({n.A, false});
      continue;
    }
    switch (n.Kind) {
      case TNodeKind::Const: Emit(TOpCode::Const, 0, n.Value); break;
      case TNodeKind::Name: Emit(TOpCode::Name, NameIndex(arena.Names()[n.A])); break;
      case TNodeKind::Slot: Emit(TOpCode::Load, n.A); break;
      case TNodeKind::RoundTrip: Emit(TOpCode::RoundTrip); break;
      case TNodeKind::Negate: Emit(TOpCode::Negate); break;
      case TNodeKind::Binary: Emit(BinaryCode(n.Op)); break;
    }
  }
}

// A slot stored and at once loaded again, and loaded nowhere else, stays on
// the stack: the pair becomes the read-back the store would have done.
void KeepSlotsOnStack(TExpressionProgram& program) {
  std::vector<int> loads(program.SlotCount, 0);
  for (const TInstruction& in : program.Code)
    if (in.Code == TOpCode::Load) ++loads[in.Arg];
  std::vector<TInstruction>& code = program.Code;
  std::vector<uint32_t> moved(code.size() + 1);  // old index -> new index
  std::vector<TInstruction> kept;
  for (std::size_t i = 0; i < code.size(); ++i) {
    moved[i] = uint32_t(kept.size());
    if (code[i].Code == TOpCode::Store && i + 1 < code.size() && code[i + 1].Code == TOpCode::Load &&
        code[i + 1].Arg == code[i].Arg && loads[code[i].Arg] == 1) {
      kept.emplace_back().Code = TOpCode::RoundTrip;
      moved[++i] = uint32_t(kept.size());
      continue;
    }
    kept.push_back(code[i]);
  }
  moved[code.size()] = uint32_t(kept.size());
  for (TInstruction& in : kept)
    if (in.Code == TOpCode::Jump || in.Code == TOpCode::JumpIfNegative) in.Arg = moved[in.Arg];
  code = std::move(kept);
}

bool TakesTwoOperands(TOpCode code) {
  return code == TOpCode::Multiply || code == TOpCode::Divide || code == TOpCode::IntDivide ||
         code == TOpCode::Modulo || code == TOpCode::Add || code == TOpCode::Subtract || code == TOpCode::AngleFrom;
}

// Merges a constant or a name pushed just before a two-operand instruction
// into it as its right operand, and a read-back into the instruction whose
// result it reads back. No jump lands between merged instructions.
void MergeOperands(TExpressionProgram& program) {
  std::vector<TInstruction>& code = program.Code;
  std::vector<bool> target(code.size() + 1, false);
  for (const TInstruction& in : code)
    if (in.Code == TOpCode::Jump || in.Code == TOpCode::JumpIfNegative) target[in.Arg] = true;
  std::vector<uint32_t> moved(code.size() + 1);
  std::vector<TInstruction> kept;
  for (std::size_t i = 0; i < code.size(); ++i) {
    moved[i] = uint32_t(kept.size());
    TInstruction in = code[i];
    bool pushesOperand = (in.Code == TOpCode::Const || in.Code == TOpCode::Name) && in.Flags == 0;
    if (pushesOperand && i + 1 < code.size() && !target[i + 1] && TakesTwoOperands(code[i + 1].Code)) {
      TInstruction merged = code[++i];
      moved[i] = uint32_t(kept.size());
      merged.Flags = in.Code == TOpCode::Const ? kRightConst : kRightName;
      merged.Value = in.Value;
      merged.Arg = in.Arg;
      in = merged;
    }
    bool producesValue = in.Code != TOpCode::Store && in.Code != TOpCode::Jump && in.Code != TOpCode::JumpIfNegative &&
                         in.Code != TOpCode::Abort && in.Code != TOpCode::RoundTrip;
    if (producesValue && i + 1 < code.size() && !target[i + 1] && code[i + 1].Code == TOpCode::RoundTrip) {
      moved[++i] = uint32_t(kept.size());
      in.Flags |= kResultRoundTrip;
    }
    kept.push_back(in);
  }
  moved[code.size()] = uint32_t(kept.size());
  for (TInstruction& in : kept)
    if (in.Code == TOpCode::Jump || in.Code == TOpCode::JumpIfNegative) in.Arg = moved[in.Arg];
  code = std::move(kept);
}

}  // namespace

TExpressionProgram CompileExpression(TEvaluatorKind kind, std::string_view text) {
  TExpressionProgram program;
  program.Text = text;
  TCompiler compiler(kind, program);
  compiler.Level(text, 0);
  program.StackSize = compiler.MaxStack();
  KeepSlotsOnStack(program);
  MergeOperands(program);
  PrepareToRun(program, kind);
  return program;
}

}  // namespace vuzed
