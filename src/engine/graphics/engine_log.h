#pragma once
// The graphics engine's debug log, "Dovivez_DebugLog.txt" beside the executable.
// Each graphics device owns one (TDovivez::Log()); the device's resources,
// and whatever else holds the device, write through it.
//
// Line format: "#%.5d | " + two spaces per indent level + text. The counter is
// raised before each line, so the first line of a run is #00001; that first
// line truncates the file, every later line is appended, and the file is
// closed after each line. WriteLog writes only while DebugMessage is on;
// WriteDetailLog needs DetailedLog as well. A log that cannot be written is
// skipped silently.

#include <filesystem>
#include <functional>
#include <string>

namespace vuzed {

struct EngineLogOptions {
  bool HaltOnError = false;
  bool DebugMessage = false;
  bool DetailedLog = false;
};

class EngineLog {
 public:
  static constexpr const char* FileName = "Dovivez_DebugLog.txt";

  // The directory that holds the log (the executable's directory in the game).
  void SetDirectory(const std::filesystem::path& dir) { Directory_ = dir; }
  const std::filesystem::path& Directory() const { return Directory_; }
  void SetOptions(const EngineLogOptions& options) { Options_ = options; }
  const EngineLogOptions& Options() const { return Options_; }
  // Forget the line counter and indent: the next line starts a new file.
  void ResetRun();

  void WriteLog(const std::string& text);
  void WriteDetailLog(const std::string& text);
  void IndentUp() { ++Indent_; }
  void IndentDown() { --Indent_; }
  int LineCount() const { return Counter_; }
  int Indent() const { return Indent_; }

  // What a halt-on-error failure does. The game ends the process; tests
  // replace it to observe the halt. An empty handler restores the default.
  void SetHaltHandler(std::function<void()> handler) { Halt_ = std::move(handler); }
  void Halt();
  // Halt() when HaltOnError is set.
  void HaltIfAsked();

 private:
  std::filesystem::path Directory_ = ".";
  EngineLogOptions Options_{};
  int Counter_ = 0;
  int Indent_ = 0;
  std::function<void()> Halt_;
};

// For objects that may live without a device: a null log writes nothing.
inline void WriteLog(EngineLog* log, const std::string& text) {
  if (log) log->WriteLog(text);
}
inline void WriteDetailLog(EngineLog* log, const std::string& text) {
  if (log) log->WriteDetailLog(text);
}

}  // namespace vuzed
