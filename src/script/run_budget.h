#pragma once
// What every interpreter of the language shares (the stage director, each
// enemy and each scripted bullet runs its own): the next-line codes of
// ExecLine, the limits that stop a runaway script for the rest of a frame
// with their reports, and the binding of a call's arguments.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "objects/script_line.h"
#include "objects/var_table.h"

namespace vuzed {

// Next-line codes of every interpreter's ExecLine: -1 next line, -5 stop,
// any other value the 0-based line index to go on at.
constexpr int32_t kNextLine = -1;
constexpr int32_t kStopRunning = -5;

// Limits that end runaway scripts (reported once per place): lines one
// object may run in one frame, and nested procedure calls.
constexpr int64_t kLineBudgetPerFrame = 100000;
constexpr int32_t kMaxCallDepth = 256;

// One object's run in one frame: lines left, the call depth, and whether a
// limit has stopped it. Reports go to a sink with Report(place, text): the
// stage's TScriptErrors, or an object that passes them on to it.
class TRunBudget {
 public:
  void BeginFrame() {
    LinesLeft_ = kLineBudgetPerFrame;
    CallDepth_ = 0;
    Stopped_ = false;
  }
  bool Stopped() const { return Stopped_; }
  int32_t CallDepth() const { return CallDepth_; }

  // One more line at place; false, after the report, when the frame's lines
  // are spent (a script whose jumps never reach its end would run forever).
  template <class Sink>
  bool TakeLine(const TSourcePlace& place, Sink& sink) {
    if (--LinesLeft_ >= 0) return true;
    sink.Report(place, LinesMessage());
    Stopped_ = true;
    return false;
  }
  // Whether a call at place may go one deeper; false, after the report, at
  // kMaxCallDepth. The call itself is EnterCall .. LeaveCall.
  template <class Sink>
  bool MayCall(const TSourcePlace& place, Sink& sink) {
    if (CallDepth_ < kMaxCallDepth) return true;
    sink.Report(place, CallsMessage());
    Stopped_ = true;
    return false;
  }
  void EnterCall() { ++CallDepth_; }
  void LeaveCall() { --CallDepth_; }

  static const std::string& LinesMessage() {
    static const std::string text = "more than " + std::to_string(kLineBudgetPerFrame) +
                                    " lines in one frame: the rest of this frame's run is skipped";
    return text;
  }
  static const std::string& CallsMessage() {
    static const std::string text = "more than " + std::to_string(kMaxCallDepth) +
                                    " nested procedure calls: the rest of this frame's run is skipped";
    return text;
  }

 private:
  int64_t LinesLeft_ = 0;
  int32_t CallDepth_ = 0;
  bool Stopped_ = false;
};

// A call's arguments go to the callee's first variables (its parameters),
// argument k to variable k, each evaluated as the caller by valueOf(k);
// arguments beyond the callee's variables are not evaluated. A recursive
// call shares the one table of the callee.
template <class ValueOf>
void BindCallArguments(TVarTable* vars, size_t argumentCount, ValueOf&& valueOf) {
  if (!vars) return;
  const size_t n = std::min(vars->Count(), argumentCount);
  for (size_t k = 0; k < n; ++k) (*vars)[k].Var->Set(valueOf(k));
}

}  // namespace vuzed
