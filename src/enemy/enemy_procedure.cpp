// The enemy's per-frame run and its procedure calls.
//
// Line protocol: the run keeps a line index and the last next-line code.
// A code of kStopRunning ends the run, kNextLine goes on with the next line,
// any other code is the line to continue at; the run ends when the index
// leaves the lines. The frame's run starts at index 0 with kNextLine, so its
// first line is line 1 and line 0 is never run; a procedure's run starts at
// -1, so its line 0 runs.

#include <string>

#include "enemy/enemy.h"
#include "enemy/script_report_text.h"
#include "objects/second_string_list2.h"
#include "objects/string_helpers.h"
#include "script/script_run.h"
#include "shell/game_context.h"

namespace vuzed {
void TEnemy::Action() {
  const TScriptRun* run = Context_.ScriptRun.get();
  if (!run || !run->Active) return;
  BeginRun();
  // Loop variables start over every frame, before any line runs.
  if (Lines) ResetLoopVariables(*Lines);
  ++Count;
  if (Lines) RunLines(*Lines, 0);
}

void TEnemy::BeginRun() {
  LinesLeft_ = kLineBudgetPerFrame;
  CallDepth_ = 0;
  Stopped_ = false;
}

void TEnemy::ResetLoopVariables(const TLineList& lines) {
  for (const TScriptLine& line : lines) {
    if (!StartsWithText("FOR(", line.Text)) continue;
    const std::string head = GetBetween(line.Text, "(", ")", 1);
    TVarTable* vars = CurrentVars();
    if (TSecondSingle* var = vars ? vars->Find(GetItem(head, 1)) : nullptr)
      var->Set(Evaluate(GetItem(head, 2), line.Place));
  }
}

void TEnemy::RunLines(const TLineList& lines, int32_t start) {
  const int32_t count = int32_t(lines.size());
  int32_t index = start;
  int32_t code = kNextLine;
  for (;;) {
    if (code == kStopRunning || Stopped_) return;
    index = code == kNextLine ? index + 1 : code;
    // A jump at or past the end (or before the first line) ends the run.
    if (index < 0 || index >= count) return;
    const TScriptLine& line = lines[size_t(index)];
    // A script whose jumps never reach its end would run forever inside one
    // frame: after kLineBudgetPerFrame lines the object rests until the next.
    if (--LinesLeft_ < 0) {
      Report(line.Place, "more than 100000 lines in one frame: the rest of this frame's run is skipped");
      Stopped_ = true;
      return;
    }
    code = ExecLine(line);
  }
}

void TEnemy::CallProcedure(const TScriptLine& line) {
  const std::string_view text = line.Text;
  if (text.empty()) return;
  const size_t open = text.find('(');
  const std::string_view name = open != std::string_view::npos ? text.substr(0, open) : text.substr(0, text.size() - 1);
  const TScriptRun* run = Context_.ScriptRun.get();
  const TSecondStringList2* callee = run ? run->Script.Procedures.Find(name) : nullptr;
  if (!callee || !*callee->Lines) {
    if (!callee && !IsStructuralScriptLine(text) && !KnowsCommand(text)) Report(line.Place, QuotedText(name, " is no command and no procedure"));
    return;
  }
  if (CallDepth_ >= kMaxCallDepth) {
    Report(line.Place, "more than 256 nested procedure calls: the rest of this frame's run is skipped");
    Stopped_ = true;
    return;
  }
  // Argument k, evaluated as the caller, goes to the callee's variable k
  // (its parameters come first). Arguments end at the first ")", so they
  // hold no parentheses; arguments beyond the callee's variables are
  // ignored.
  TVarTable* vars = *callee->Vars;
  const std::string args = open != std::string_view::npos ? GetBetween(text, "(", ")", 1) : std::string();
  if (!args.empty() && vars) {
    size_t start = 0;
    for (size_t k = 0; k < vars->Count(); ++k) {
      const size_t comma = args.find(',', start);
      (*vars)[k].Var->Set(Evaluate(std::string_view(args).substr(start, comma - start), line.Place));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  // The procedure runs as this enemy, with its own (shared) variables; its
  // "EXIT;" ends only the procedure.
  TVarTable* saved = ProcVars;
  ProcVars = vars;
  ++CallDepth_;
  const TLineList& lines = **callee->Lines;
  ResetLoopVariables(lines);
  RunLines(lines, -1);
  --CallDepth_;
  ProcVars = saved;
}

}  // namespace vuzed
