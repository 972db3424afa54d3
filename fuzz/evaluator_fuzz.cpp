// libFuzzer target: the input bytes as an expression and as a condition,
// evaluated by both evaluators for every kind, with the same owner values.
// The results (any NaN matches any NaN), the malformed flags and the random
// generator's state afterwards must agree bit for bit; anything else aborts.

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "script/compiled_evaluator.h"
#include "script/expression_plain_owner.h"
#include "script/reference_evaluator.h"

namespace {

using namespace vuzed;

void Fill(TPlainExpressionOwner& owner) {
  SetVariable(owner.Vars, "A", -2.5f);
  SetVariable(owner.Vars, "B", 3);
  SetVariable(owner.Vars, "C", 0.1f);
  SetVariable(owner.Globals, "G", -7);
  owner.PlayerX = 320, owner.PlayerY = 400, owner.SelfX = 200, owner.SelfY = 120;
  owner.Count = 95, owner.Time = 1200, owner.Hp = 80, owner.Seed = 12345;
}

bool Same(float a, float b) {
  return (std::isnan(a) && std::isnan(b)) || std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

[[noreturn]] void Mismatch(const char* what, std::string_view text, int kind) {
  std::fprintf(stderr, "evaluators disagree (%s, kind %d) on \"%.*s\"\n", what, kind, int(text.size()), text.data());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  for (TEvaluatorKind kind : {TEvaluatorKind::Enemy, TEvaluatorKind::Bullet, TEvaluatorKind::Stage}) {
    TPlainExpressionOwner a(kind), b(kind);
    Fill(a);
    Fill(b);
    TExpressionValue r = TReferenceEvaluator(kind).EvaluateChecked(a, text);
    TExpressionValue c = TCompiledEvaluator(kind).EvaluateChecked(b, text);
    if (!Same(r.Value, c.Value) || r.Malformed != c.Malformed || a.Seed != b.Seed)
      Mismatch("expression", text, int(kind));
    TConditionValue rc = TReferenceEvaluator(kind).EvaluateConditionChecked(a, text);
    TConditionValue cc = TCompiledEvaluator(kind).EvaluateConditionChecked(b, text);
    if (rc.Value != cc.Value || rc.Malformed != cc.Malformed || a.Seed != b.Seed)
      Mismatch("condition", text, int(kind));
  }
  return 0;
}
