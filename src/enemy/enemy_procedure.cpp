// The enemy's per-frame run and its procedure calls.
//
// Line protocol: the run keeps a line index and the last next-line code.
// A code of kStopRunning ends the run, kNextLine goes on with the next line,
// any other code is the line to continue at; the run ends when the index
// leaves the lines. The frame's run starts at index 0 with kNextLine, so its
// first line is line 1 and line 0 is never run; a procedure's run starts at
// -1, so its line 0 runs.
//
// Lines run in their decoded form (line_cache.h), kept with the list; a run
// of a list edited since it was decoded decodes it again first.

#include <algorithm>
#include <string>

#include "enemy/enemy.h"
#include "script/script_report_text.h"
#include "objects/second_string_list2.h"
#include "objects/string_helpers.h"
#include "game/stage_shared.h"
#include "game/playfield.h"

namespace vuzed {

void TEnemy::Action() {
  const TStageShared* run = Field_.Stage;
  if (!run || !run->Active) return;
  BeginRun();
  if (!Lines) {
    ++Count;
    return;
  }
  const auto decoded = DecodedLines<TEnemyLine>(*Lines);
  // Loop variables start over every frame, before any line runs.
  ResetLoopVariables(*Lines, *decoded);
  ++Count;
  RunLines(*Lines, *decoded, 0);
}

void TEnemy::BeginRun() { Budget_.BeginFrame(); }

int32_t TEnemy::ExecLine(const TScriptLine& line) { return ExecDecoded(line, TEnemyLine::Decode(line.Text)); }

void TEnemy::ResetLoopVariables(const TLineList& lines, const TDecodedLines<TEnemyLine>& decoded) {
  for (int32_t index : decoded.ForLines) {
    const TEnemyLine& loop = decoded.Lines[size_t(index)];
    if (TSecondSingle* var = loop.LoopVarLink.Find(CurrentVars(), loop.LoopVar))
      var->Set(Evaluate(loop.LoopStart, lines[size_t(index)].Place));
  }
}

void TEnemy::RunLines(const TLineList& lines, const TDecodedLines<TEnemyLine>& decoded, int32_t start) {
  const int32_t count = int32_t(lines.size());
  int32_t index = start;
  int32_t code = kNextLine;
  for (;;) {
    if (code == kStopRunning || Budget_.Stopped()) return;
    index = code == kNextLine ? index + 1 : code;
    // A jump at or past the end (or before the first line) ends the run.
    if (index < 0 || index >= count) return;
    const TScriptLine& line = lines[size_t(index)];
    if (!Budget_.TakeLine(line.Place, *this)) return;
    code = ExecDecoded(line, decoded.Lines[size_t(index)]);
  }
}

void TEnemy::CallProcedure(const TScriptLine& line, const TEnemyLine& decoded) {
  const std::string_view text = line.Text;
  if (text.empty()) return;
  const TStageShared* run = Field_.Stage;
  const TSecondStringList2* callee = run ? decoded.Callee.Find(run->Script.Procedures, decoded.CallName) : nullptr;
  if (!callee || !*callee->Lines) {
    if (!callee && !IsStructuralScriptLine(text) && !KnowsCommand(text))
      Report(line.Place, QuotedText(decoded.CallName, " is no command and no procedure"));
    return;
  }
  if (!Budget_.MayCall(line.Place, *this)) return;
  // Arguments end at the first ")", so they hold no parentheses.
  TVarTable* vars = *callee->Vars;
  BindCallArguments(vars, decoded.CallArguments.size(),
                    [&](size_t k) { return Evaluate(decoded.CallArguments[k], line.Place); });
  // The procedure runs as this enemy, with its own (shared) variables; its
  // "EXIT;" ends only the procedure.
  TVarTable* saved = ProcVars;
  ProcVars = vars;
  ScopeChanged();
  Budget_.EnterCall();
  const TLineList& lines = **callee->Lines;
  const auto calleeLines = DecodedLines<TEnemyLine>(lines);
  ResetLoopVariables(lines, *calleeLines);
  RunLines(lines, *calleeLines, -1);
  Budget_.LeaveCall();
  ProcVars = saved;
  ScopeChanged();
}

}  // namespace vuzed
