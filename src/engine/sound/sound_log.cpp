#include "engine/sound/sound_log.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace vuzed {

void TZudezuLog::SetOptions(const TZudezuDebugOptions& options) {
  std::lock_guard lock(Mutex_);
  Options_ = options;
}

TZudezuDebugOptions TZudezuLog::Options() const {
  std::lock_guard lock(Mutex_);
  return Options_;
}

void TZudezuLog::SetDirectory(const std::filesystem::path& dir) {
  std::lock_guard lock(Mutex_);
  Directory_ = dir;
}

void TZudezuLog::SetHaltHandler(std::function<void()> handler) {
  std::lock_guard lock(Mutex_);
  Halt_ = std::move(handler);
}

int TZudezuLog::LineCount() const {
  std::lock_guard lock(Mutex_);
  return Counter_;
}

void TZudezuLog::Message(const std::string& text) {
  bool raise;
  {
    std::lock_guard lock(Mutex_);
    raise = Options_.ExceptOnError;
    if (Options_.DebugMessage) {
      ++Counter_;
      char number[32];
      std::snprintf(number, sizeof number, "debug#%.5d ... ", Counter_);
      auto mode = std::ios::binary | (Counter_ == 1 ? std::ios::trunc : std::ios::app);
      // A log that cannot be written is skipped.
      std::ofstream out(Directory_ / FileName, mode);
      if (out) out << number << text << '\n';
    }
  }
  if (raise) throw EZudezu(text);
}

int32_t TZudezuLog::Check(int32_t code, const std::string& text) {
  if (code == 0) return code;
  char suffix[40];
  std::snprintf(suffix, sizeof suffix, "(Error Code(%x))", unsigned(uint32_t(code)));
  Message(text + suffix);
  HaltIfAsked();
  return code;
}

void TZudezuLog::HaltIfAsked() {
  std::function<void()> halt;
  {
    std::lock_guard lock(Mutex_);
    if (!Options_.HaltOnError) return;
    halt = Halt_;
  }
  if (halt) {
    halt();
    return;
  }
  std::fflush(nullptr);
  std::_Exit(1);
}

}  // namespace vuzed
