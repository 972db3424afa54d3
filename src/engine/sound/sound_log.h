#pragma once
// The sound component's message path. Every message (loader messages, the
// refill line, failed device calls) goes through Message:
// - with DebugMessage it is appended to "Zudezu_DebugLog.txt" as
//   "debug#%.5d ... %s" with a running number from 1; the first message of a
//   run rewrites the file;
// - with ExceptOnError an EZudezu carrying it is thrown.
// A failed device call (Check) adds "(Error Code(%x))" with the code in hex,
// and halts the program with HaltOnError after the message. Loader messages
// and the refill line never halt. The game's setting is HaltOnError alone:
// nothing is logged or thrown then. Safe to use from the refill thread.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>

namespace vuzed {

class EZudezu : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The DebugOption set.
struct TZudezuDebugOptions {
  bool HaltOnError = true;
  bool DebugMessage = false;
  bool ExceptOnError = false;
};

// Failure codes of the sound device, in the values the log shows.
namespace dserr {
constexpr int32_t InvalidParam = int32_t(0x80070057u);
constexpr int32_t InvalidCall = int32_t(0x88780032u);
constexpr int32_t BadFormat = int32_t(0x88780064u);
}  // namespace dserr

class TZudezuLog {
 public:
  static constexpr const char* FileName = "Zudezu_DebugLog.txt";

  void SetOptions(const TZudezuDebugOptions& options);
  TZudezuDebugOptions Options() const;
  void SetDirectory(const std::filesystem::path& dir);
  // What a halt does: ends the process unless replaced (tests).
  void SetHaltHandler(std::function<void()> handler);

  void Message(const std::string& text);
  // A zero code passes. Otherwise Message(text + "(Error Code(%x))"), then
  // the halt with HaltOnError. Returns the code.
  int32_t Check(int32_t code, const std::string& text);
  // Halts when HaltOnError is set.
  void HaltIfAsked();
  int LineCount() const;

 private:
  mutable std::mutex Mutex_;
  TZudezuDebugOptions Options_{};
  std::filesystem::path Directory_ = ".";
  std::function<void()> Halt_;
  int Counter_ = 0;
};

}  // namespace vuzed
