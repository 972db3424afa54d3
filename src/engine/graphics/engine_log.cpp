#include "engine/graphics/engine_log.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace vuzed {
namespace {

struct LogState {
  std::filesystem::path Directory = ".";
  EngineLogOptions Options{};
  int Counter = 0;
  int Indent = 0;
  EngineLog::HaltHandler Halt = nullptr;
};

LogState& State() {
  static LogState state;
  return state;
}

}  // namespace

void EngineLog::SetDirectory(const std::filesystem::path& dir) { State().Directory = dir; }
void EngineLog::SetOptions(const EngineLogOptions& options) { State().Options = options; }
const EngineLogOptions& EngineLog::Options() { return State().Options; }

void EngineLog::ResetRun() {
  State().Counter = 0;
  State().Indent = 0;
}

void EngineLog::WriteLog(const std::string& text) {
  LogState& s = State();
  if (!s.Options.DebugMessage) return;
  ++s.Counter;
  char number[24];
  std::snprintf(number, sizeof number, "#%.5d | ", s.Counter);
  std::string line = number;
  line.append(std::string(size_t(s.Indent > 0 ? s.Indent : 0) * 2, ' '));
  line += text;
  line += '\n';
  auto mode = std::ios::binary | (s.Counter == 1 ? std::ios::trunc : std::ios::app);
  std::ofstream out(s.Directory / FileName, mode);
  if (out) out << line;
}

void EngineLog::WriteDetailLog(const std::string& text) {
  if (State().Options.DetailedLog) WriteLog(text);
}

void EngineLog::IndentUp() { ++State().Indent; }
void EngineLog::IndentDown() { --State().Indent; }
int EngineLog::LineCount() { return State().Counter; }
int EngineLog::Indent() { return State().Indent; }

void EngineLog::SetHaltHandler(HaltHandler handler) { State().Halt = handler; }

void EngineLog::Halt() {
  if (State().Halt) {
    State().Halt();
    return;
  }
  std::fflush(nullptr);
  std::_Exit(1);
}

}  // namespace vuzed
