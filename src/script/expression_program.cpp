#include "script/expression_program.h"

#include <vector>

#include "objects/var_table.h"
#include "script/expression_math.h"
#include "script/number_text.h"
#include "script/reference_evaluator.h"

namespace vuzed {
namespace {

// One number for the versions of a scope's tables: their sum. For the same
// tables (the same addresses) it is the same exactly when every table kept
// its version, since a table's new version, or the version of a table made
// later at the same address, is always larger than the one before.
inline uint64_t ScopeVersion(const TNameScope& scope) {
  return (scope.Table1 ? scope.Table1->Version() : 0) + (scope.Table2 ? scope.Table2->Version() : 0) +
         (scope.Table3 ? scope.Table3->Version() : 0);
}

// Binds the program's names for another scope, or after one of its tables
// changed.
[[gnu::noinline]] void BindNamesAgain(const TExpressionProgram& program, const TExpressionOwner& owner,
                                      const TNameScope& scope, uint64_t version) {
  program.Bindings.clear();
  for (const std::string& name : program.Names) program.Bindings.push_back(owner.BindName(name));
  program.BoundScope = scope;
  program.BoundVersion = version;
}

// The program's names bound for the owner's scope, or null when the owner
// binds nothing.
inline const TNameBinding* BindNames(const TExpressionProgram& program, const TExpressionOwner& owner) {
  if (program.Names.empty()) return nullptr;
  const TNameScope& scope = owner.CurrentScope();
  if (!scope.Tag) return nullptr;
  const uint64_t version = ScopeVersion(scope);
  if (program.BoundScope != scope || program.BoundVersion != version) [[unlikely]]
    BindNamesAgain(program, owner, scope, version);
  return program.Bindings.data();
}

// The handler of a two-operand instruction: first of the three operand forms.
THandler BinaryHandler(TOpCode code, TEvaluatorKind kind) {
  switch (code) {
    case TOpCode::Multiply: return THandler::MultiplyStack;
    case TOpCode::Divide: return kind == TEvaluatorKind::Enemy ? THandler::DivideSingleStack : THandler::DivideRoundStack;
    case TOpCode::IntDivide: return THandler::IntDivideStack;
    case TOpCode::Modulo: return THandler::ModuloStack;
    case TOpCode::Add: return THandler::AddStack;
    case TOpCode::Subtract: return THandler::SubtractStack;
    default: return THandler::AngleFromStack;
  }
}

THandler WithOperandForm(THandler stackForm, uint8_t flags) {
  int offset = (flags & kRightConst) ? 1 : (flags & kRightName) ? 2 : 0;
  return THandler(uint8_t(stackForm) + offset);
}

THandler HandlerOf(const TInstruction& in, TEvaluatorKind kind) {
  switch (in.Code) {
    case TOpCode::Const: return THandler::Const;
    case TOpCode::Name: return THandler::Name;
    case TOpCode::Load: return THandler::Load;
    case TOpCode::Store: return THandler::Store;
    case TOpCode::RoundTrip: return THandler::RoundTrip;
    case TOpCode::Negate: return THandler::Negate;
    case TOpCode::AngleFunction:
      switch (TExpressionFunction(in.Arg)) {
        case TExpressionFunction::Sin: return THandler::Sin;
        case TExpressionFunction::RSin: return THandler::RSin;
        case TExpressionFunction::Cos: return THandler::Cos;
        case TExpressionFunction::RCos: return THandler::RCos;
        default: return THandler::Tan;
      }
    case TOpCode::Random: return THandler::Random;
    case TOpCode::JumpIfNegative: return THandler::JumpIfNegative;
    case TOpCode::Jump: return THandler::Jump;
    case TOpCode::Rewrite: return THandler::Rewrite;
    case TOpCode::Abort: return THandler::Abort;
    default: return WithOperandForm(BinaryHandler(in.Code, kind), in.Flags);
  }
}

bool IsJump(const TInstruction& in) { return in.Code == TOpCode::Jump || in.Code == TOpCode::JumpIfNegative; }

// A plain name read followed by a two-operand instruction whose right operand
// is a constant or a name becomes one instruction. No jump lands between them.
void FuseNameReads(TExpressionProgram& program) {
  std::vector<TInstruction>& code = program.Code;
  std::vector<bool> target(code.size() + 1, false);
  for (const TInstruction& in : code)
    if (IsJump(in)) target[in.Arg] = true;
  std::vector<uint32_t> moved(code.size() + 1);
  std::vector<TInstruction> kept;
  for (std::size_t i = 0; i < code.size(); ++i) {
    moved[i] = uint32_t(kept.size());
    const TInstruction& in = code[i];
    const bool plainName = in.Code == TOpCode::Name && in.Flags == 0;
    if (plainName && i + 1 < code.size() && !target[i + 1]) {
      const TInstruction& next = code[i + 1];
      const int form = OperandForm(next.Handler);
      if (form == 1 || form == 2) {
        TInstruction fused = next;
        fused.Handler = THandler(int(next.Handler) + 2);  // Const -> NameConst, Name -> NameName
        fused.Arg = in.Arg;
        fused.Depth = int32_t(next.Arg);
        kept.push_back(fused);
        moved[++i] = uint32_t(kept.size() - 1);
        continue;
      }
    }
    kept.push_back(in);
  }
  moved[code.size()] = uint32_t(kept.size());
  for (TInstruction& in : kept)
    if (IsJump(in)) in.Arg = moved[in.Arg];
  code = std::move(kept);
}

// A two-operand handler fused with the name read before it, other than the
// angle (which asks the owner for the player's place).
bool IsNameOperation(THandler handler) {
  const int form = OperandForm(handler);
  return handler >= THandler::MultiplyStack && (form == 3 || form == 4);
}

}  // namespace

void PrepareToRun(TExpressionProgram& program, TEvaluatorKind kind) {
  for (TInstruction& in : program.Code) {
    in.Handler = HandlerOf(in, kind);
    in.Addend = (in.Code == TOpCode::RoundTrip || (in.Flags & kResultRoundTrip)) ? 0.0f : -0.0f;
    if (in.Code == TOpCode::Modulo && (in.Flags & kRightConst)) in.Modulus = ConstantModulus(in.Value);
  }
  FuseNameReads(program);
  if (program.Code.size() == 1 && program.Code[0].Code == TOpCode::Const) {
    program.IsConstant = true;
    program.ConstantValue = program.Code[0].Value + program.Code[0].Addend;
  }
  // A name's value read back as text would be the same value but for a
  // negative zero; only a plain read takes the short way.
  program.IsName = program.Code.size() == 1 && program.Code[0].Code == TOpCode::Name &&
                   !(program.Code[0].Flags & kResultRoundTrip);
  program.IsNameOperation = program.Code.size() == 1 && IsNameOperation(program.Code[0].Handler);
  TInstruction end;
  end.Handler = THandler::End;
  program.Code.push_back(end);
}

namespace {

// A name the owner is asked for by name (an owner that binds nothing).
[[gnu::noinline]] float UnboundNameValue(const TExpressionProgram& program, const TExpressionOwner& owner,
                                         uint32_t index) {
  float value = 0;
  return owner.GetValue(program.Names[index], value) ? value : 0.0f;
}

// The value of the program's name number index: variables and the owner's
// own fields are read in place; only computed values call the owner.
inline float NameValue(const TExpressionProgram& program, const TExpressionOwner& owner,
                       const TNameBinding* bindings, uint32_t index) {
  if (!bindings) [[unlikely]]
    return UnboundNameValue(program, owner, index);
  return BoundValue(owner, bindings[index]);
}

constexpr std::size_t kLocalCells = 32;

// A program too deep for the runner's own stack runs on one of its own.
[[gnu::noinline]] TExpressionValue RunDeepProgram(const TExpressionProgram& program, TEvaluatorKind kind,
                                                  TExpressionOwner& owner) {
  std::vector<float> cells(std::size_t(program.StackSize) + program.SlotCount);
  return RunInstructions(program, kind, owner, cells.data());
}

}  // namespace

float RunNameProgram(const TExpressionProgram& program, const TExpressionOwner& owner) {
  return NameValue(program, owner, BindNames(program, owner), program.Code[0].Arg);
}

float RunNameOperation(const TExpressionProgram& program, const TExpressionOwner& owner) {
  const TInstruction& in = program.Code[0];
  const TNameBinding* bindings = BindNames(program, owner);
  const float left = NameValue(program, owner, bindings, in.Arg);
  const int form = OperandForm(in.Handler);
  const float right = form == 4 ? NameValue(program, owner, bindings, uint32_t(in.Depth)) : in.Value;
  float value = 0;
  switch (THandler(int(in.Handler) - form)) {
    case THandler::MultiplyStack: value = left * right; break;
    case THandler::DivideSingleStack: value = DivideSingle(left, right); break;
    case THandler::DivideRoundStack: value = DivideRounding(left, right); break;
    case THandler::IntDivideStack: value = IntDivide(left, right); break;
    case THandler::ModuloStack: value = ModuloByConstant(left, right, in.Modulus); break;
    case THandler::AddStack: value = left + right; break;
    case THandler::SubtractStack: value = left - right; break;
    default: break;
  }
  return value + in.Addend;
}

// The stack (and the slots after it) has StackSize + SlotCount cells: the
// runner's own up to kLocalCells, else the caller's.
#if defined(__GNUC__) && !defined(__clang__)
__attribute__((optimize("no-crossjumping", "no-gcse")))
#endif
TExpressionValue RunInstructions(const TExpressionProgram& program, TEvaluatorKind kind, TExpressionOwner& owner,
                                 float* deepStack) {
  const TNameBinding* bindings = BindNames(program, owner);
  auto name = [&](uint32_t index) { return NameValue(program, owner, bindings, index); };
  float local[kLocalCells];
  float* stack = deepStack;
  if (!stack) {
    if (std::size_t(program.StackSize) + program.SlotCount > kLocalCells) [[unlikely]]
      return RunDeepProgram(program, kind, owner);
    stack = local;
  }
  float* slots = stack + program.StackSize;

#define VUZED_FORMS(NAME) &&NAME##Stack, &&NAME##Const, &&NAME##Name, &&NAME##NameConst, &&NAME##NameName,
  static constexpr void* kLabels[] = {
      &&Const, &&Name, &&Load, &&Store, &&RoundTrip, &&Negate, &&Sin, &&RSin, &&Cos, &&RCos, &&Tan, &&Random,
      &&JumpIfNegative, &&Jump, &&Rewrite, &&Abort,
      VUZED_FORMS(AngleFrom) VUZED_FORMS(Multiply) VUZED_FORMS(DivideSingle) VUZED_FORMS(DivideRound)
      VUZED_FORMS(IntDivide) VUZED_FORMS(Modulo) VUZED_FORMS(Add) VUZED_FORMS(Subtract)
      &&End,
  };
#undef VUZED_FORMS
  static_assert(sizeof(kLabels) / sizeof(kLabels[0]) == std::size_t(THandler::End) + 1);

  // Every handler ends with its own jump to the next instruction's handler
  // (a GNU extension), which the processor predicts far better than one
  // shared dispatch (so the compiler must not merge the jumps back into one).
  // Each instruction holds its handler's address, found on the first run.
  const TInstruction* in = program.Code.data();
  if (program.Code.empty()) return {0, false};
  if (!program.Threaded) [[unlikely]] {
    for (const TInstruction& i : program.Code) i.Target = kLabels[std::size_t(i.Handler)];
    program.Threaded = true;
  }

// The value on top of the stack stays in a register (top); the memory stack
// holds the values under it, so a push first stores top there (the first
// push stores the unused starting 0: the stack is never read unwritten).
// Keeping it out of memory spares every instruction a store and a reload.
#define VUZED_NEXT \
  goto*(++in)->Target
#define VUZED_SET_TOP(value)    \
  top = (value) + in->Addend; \
  VUZED_NEXT
#define VUZED_PUSH(value) \
  *++below = top;         \
  VUZED_SET_TOP(value)
#define VUZED_BINARY(NAME, APPLY)                                    \
  NAME##Stack : { VUZED_SET_TOP(APPLY(*below--, top)); }             \
  NAME##Const : { VUZED_SET_TOP(APPLY(top, in->Value)); }            \
  NAME##Name : { VUZED_SET_TOP(APPLY(top, name(in->Arg))); }         \
  NAME##NameConst : { VUZED_PUSH(APPLY(name(in->Arg), in->Value)); } \
  NAME##NameName : { VUZED_PUSH(APPLY(name(in->Arg), name(uint32_t(in->Depth)))); }

  auto multiply = [](float l, float r) { return l * r; };
  auto add = [](float l, float r) { return l + r; };
  auto subtract = [](float l, float r) { return l - r; };
  // (Modulus is empty, and the division taken, unless the right operand is a constant.)
  auto modulo = [&in](float l, float r) { return ModuloByConstant(l, r, in->Modulus); };
  auto angleFrom = [&owner](float x, float y) { return AngleToPoint(x, y, owner.GetPlayerX(), owner.GetPlayerY()); };

  float top = 0;
  float* below = stack - 1;  // the value under top; below stack: the stack is empty
  goto* in->Target;

Const:
  VUZED_PUSH(in->Value);
Name:
  VUZED_PUSH(name(in->Arg));
Load:
  VUZED_PUSH(slots[in->Arg]);
Store:
  slots[in->Arg] = TextRoundTrip(top);
  top = *below--;
  VUZED_NEXT;
RoundTrip:
  VUZED_SET_TOP(top);
Negate:
  VUZED_SET_TOP(-top);
Sin:
  VUZED_SET_TOP(SinDegrees(top));
RSin:
  VUZED_SET_TOP(RSinDegrees(top));
Cos:
  VUZED_SET_TOP(CosDegrees(top));
RCos:
  VUZED_SET_TOP(RCosDegrees(top));
Tan:
  VUZED_SET_TOP(TanDegrees(top));
Random:
  VUZED_SET_TOP(RandomValue(owner.RandomSeed(), top));
JumpIfNegative: {
  const float tested = top;
  top = *below--;
  in = tested < 0 ? program.Code.data() + in->Arg : in + 1;
  goto* in->Target;
}
Jump:
  in = program.Code.data() + in->Arg;
  goto* in->Target;
Rewrite: {
  TExpressionValue v = TReferenceEvaluator(kind).EvaluateNested(owner, program.Texts[in->Arg], in->Depth);
  if (v.Malformed) return v;
  VUZED_PUSH(v.Value);
}
Abort:
  return {0, true};
  VUZED_BINARY(AngleFrom, angleFrom)
  VUZED_BINARY(Multiply, multiply)
  VUZED_BINARY(DivideSingle, DivideSingle)
  VUZED_BINARY(DivideRound, DivideRounding)
  VUZED_BINARY(IntDivide, IntDivide)
  VUZED_BINARY(Modulo, modulo)
  VUZED_BINARY(Add, add)
  VUZED_BINARY(Subtract, subtract)
End:
  return {below >= stack ? top : 0.0f, false};

#undef VUZED_BINARY
#undef VUZED_PUSH
#undef VUZED_SET_TOP
#undef VUZED_NEXT
}

}  // namespace vuzed
