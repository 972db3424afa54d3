#pragma once
// The graphics engine's debug log, "Dovivez_DebugLog.txt" beside the executable.
//
// Line format: "#%.5d | " + two spaces per indent level + text. The counter is
// raised before each line, so the first line of a run is #00001; that first
// line truncates the file, every later line is appended, and the file is
// closed after each line. WriteLog writes only while DebugMessage is on;
// WriteDetailLog needs DetailedLog as well. A log that cannot be written is
// skipped silently.

#include <filesystem>
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
  static void SetDirectory(const std::filesystem::path& dir);
  static void SetOptions(const EngineLogOptions& options);
  static const EngineLogOptions& Options();
  // Forget the line counter and indent: the next line starts a new file.
  static void ResetRun();

  static void WriteLog(const std::string& text);
  static void WriteDetailLog(const std::string& text);
  static void IndentUp();
  static void IndentDown();
  static int LineCount();
  static int Indent();

  // What a halt-on-error failure does. The game ends the process; tests
  // replace it to observe the halt.
  using HaltHandler = void (*)();
  static void SetHaltHandler(HaltHandler handler);
  static void Halt();
};

}  // namespace vuzed
