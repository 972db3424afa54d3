#include "script/eval_command.h"

#include <charconv>
#include <optional>
#include <ostream>

#include "script/compiled_evaluator.h"
#include "script/expression_plain_owner.h"
#include "script/number_text.h"
#include "script/reference_evaluator.h"

namespace vuzed {
namespace {

const char* const kEvalHelp =
    "usage: vuzed-tool eval --kind enemy|bullet|stage [options] [--] EXPR...\n"
    "Evaluates each expression with that kind's evaluator and prints one line each.\n"
    "  --kind enemy|bullet|stage  the evaluator (required)\n"
    "  --cond                evaluate conditions; print true or false\n"
    "  --var NAME=VALUE      a variable of the evaluating object (stage: of the running procedure)\n"
    "  --global NAME=VALUE   a stage global variable\n"
    "  --player X,Y          the player's position\n"
    "  --self X,Y            the object's position\n"
    "  --count N             the object's frame counter\n"
    "  --time N              the stage clock\n"
    "  --hp N                the enemy's hit points\n"
    "  --seed N              the random generator's seed (default 1)\n"
    "  --reference           use the reference (text rewriting) evaluator\n"
    "Everything not given is 0. Values use the script's number syntax.\n"
    "A text that is no expression prints 0 (false), is named on stderr, and the\n"
    "exit status is 1.\n";

struct TEvalOptions {
  bool Help = false;
  std::optional<TEvaluatorKind> Kind;
  bool Condition = false;
  bool Reference = false;
  std::vector<std::pair<std::string, float>> Vars;
  std::vector<std::pair<std::string, float>> Globals;
  float PlayerX = 0, PlayerY = 0, SelfX = 0, SelfY = 0;
  int32_t Count = 0, Time = 0, Hp = 0;
  uint32_t Seed = 1;
  std::vector<std::string> Expressions;
};

template <typename T>
bool ParseWhole(const std::string& text, T& out) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

bool ParsePair(const std::string& text, float& x, float& y) {
  std::size_t comma = text.find(',');
  return comma != std::string::npos && ParseNumberText(std::string_view(text).substr(0, comma), x) &&
         ParseNumberText(std::string_view(text).substr(comma + 1), y);
}

bool ParseAssignment(const std::string& text, std::vector<std::pair<std::string, float>>& into) {
  std::size_t equals = text.find('=');
  float value = 0;
  if (equals == 0 || equals == std::string::npos ||
      !ParseNumberText(std::string_view(text).substr(equals + 1), value))
    return false;
  into.emplace_back(text.substr(0, equals), value);
  return true;
}

std::optional<TEvalOptions> ParseEvalOptions(const std::vector<std::string>& args, std::string& error) {
  TEvalOptions o;
  std::size_t i = 0;
  auto bad = [&](const std::string& message) {
    error = message;
    return std::nullopt;
  };
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--") {
      ++i;
      break;
    }
    if (a.rfind("--", 0) != 0) break;  // the first expression
    if (a == "--help") {
      o.Help = true;
      continue;
    }
    if (a == "--cond") {
      o.Condition = true;
      continue;
    }
    if (a == "--reference") {
      o.Reference = true;
      continue;
    }
    if (i + 1 >= args.size()) return bad(a == "--kind" || a == "--var" || a == "--global" || a == "--player" ||
                                                 a == "--self" || a == "--count" || a == "--time" ||
                                                 a == "--hp" || a == "--seed"
                                             ? a + " needs a value"
                                             : "unknown option \"" + a + "\"");
    const std::string& v = args[++i];
    if (a == "--kind") {
      if (v == "enemy")
        o.Kind = TEvaluatorKind::Enemy;
      else if (v == "bullet")
        o.Kind = TEvaluatorKind::Bullet;
      else if (v == "stage")
        o.Kind = TEvaluatorKind::Stage;
      else
        return bad("--kind takes enemy, bullet or stage, got \"" + v + "\"");
    } else if (a == "--var" || a == "--global") {
      if (!ParseAssignment(v, a == "--var" ? o.Vars : o.Globals))
        return bad(a + " needs NAME=VALUE with a number, got \"" + v + "\"");
    } else if (a == "--player" || a == "--self") {
      if (!ParsePair(v, a == "--player" ? o.PlayerX : o.SelfX, a == "--player" ? o.PlayerY : o.SelfY))
        return bad(a + " needs X,Y, got \"" + v + "\"");
    } else if (a == "--count" || a == "--time" || a == "--hp") {
      if (!ParseWhole(v, a == "--count" ? o.Count : a == "--time" ? o.Time : o.Hp))
        return bad(a + " needs a whole number, got \"" + v + "\"");
    } else if (a == "--seed") {
      if (!ParseWhole(v, o.Seed)) return bad("--seed needs a whole number 0..4294967295, got \"" + v + "\"");
    } else {
      return bad("unknown option \"" + a + "\"");
    }
  }
  o.Expressions.assign(args.begin() + std::ptrdiff_t(i), args.end());
  if (o.Help) return o;
  if (!o.Kind) return bad("--kind is required");
  if (o.Expressions.empty()) return bad("no expression given");
  return o;
}

}  // namespace

int EvalCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string error;
  std::optional<TEvalOptions> o = ParseEvalOptions(args, error);
  if (!o) {
    err << "vuzed-tool eval: " << error << "\n" << kEvalHelp;
    return 2;
  }
  if (o->Help) {
    out << kEvalHelp;
    return 0;
  }
  TPlainExpressionOwner owner(*o->Kind);
  for (const auto& [name, value] : o->Vars) SetVariable(owner.Vars, name, value);
  for (const auto& [name, value] : o->Globals) SetVariable(owner.Globals, name, value);
  owner.PlayerX = o->PlayerX;
  owner.PlayerY = o->PlayerY;
  owner.SelfX = o->SelfX;
  owner.SelfY = o->SelfY;
  owner.Count = o->Count;
  owner.Time = o->Time;
  owner.Hp = o->Hp;
  owner.Seed = o->Seed;

  const TReferenceEvaluator reference(*o->Kind);
  const TCompiledEvaluator compiled(*o->Kind);
  // A text that is no expression (or no condition) still prints what the
  // game would use, 0 or false, and is named on stderr; the exit status is
  // then 1.
  int status = 0;
  for (const std::string& text : o->Expressions) {
    if (o->Condition) {
      TConditionValue v = o->Reference ? reference.EvaluateConditionChecked(owner, text)
                                       : compiled.EvaluateConditionChecked(owner, text);
      out << (v.Value ? "true" : "false") << "\n";
      if (v.Malformed) {
        err << "vuzed-tool eval: \"" << text << "\" is not a condition; it counts as false\n";
        status = 1;
      }
    } else {
      TExpressionValue v = o->Reference ? reference.EvaluateChecked(owner, text) : compiled.EvaluateChecked(owner, text);
      out << FormatEvalNumber(v.Value) << "\n";
      if (v.Malformed) {
        err << "vuzed-tool eval: \"" << text << "\" is not an expression; it counts as 0\n";
        status = 1;
      }
    }
  }
  return status;
}

}  // namespace vuzed
