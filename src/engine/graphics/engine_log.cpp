#include "engine/graphics/engine_log.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace vuzed {

void EngineLog::ResetRun() {
  Counter_ = 0;
  Indent_ = 0;
}

void EngineLog::WriteLog(const std::string& text) {
  if (!Options_.DebugMessage) return;
  ++Counter_;
  char number[24];
  std::snprintf(number, sizeof number, "#%.5d | ", Counter_);
  std::string line = number;
  line.append(std::string(size_t(Indent_ > 0 ? Indent_ : 0) * 2, ' '));
  line += text;
  line += '\n';
  auto mode = std::ios::binary | (Counter_ == 1 ? std::ios::trunc : std::ios::app);
  std::ofstream out(Directory_ / FileName, mode);
  if (out) out << line;
}

void EngineLog::WriteDetailLog(const std::string& text) {
  if (Options_.DetailedLog) WriteLog(text);
}

void EngineLog::Halt() {
  if (Halt_) {
    Halt_();
    return;
  }
  std::fflush(nullptr);
  std::_Exit(1);
}

void EngineLog::HaltIfAsked() {
  if (Options_.HaltOnError) Halt();
}

}  // namespace vuzed
