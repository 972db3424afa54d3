#pragma once
// `vuzed-tool run --rss-log FILE`: the run's resident memory, as the kernel
// reports it in /proc/self/status (VmRSS), sampled by the run itself every
// kRssPeriod passes and after the last pass. One JSON line per sample:
//   {"frame":F,"stage":S,"rss_kb":K}
// `stage` is the stage the game state last started. Long runs use it to see
// whether memory keeps growing while the game goes round (make soak).

#include <cstdint>
#include <fstream>
#include <string>

namespace vuzed {

class TForm1;

// The process's resident memory in kilobytes, or -1 where the system does not
// say (no /proc, no VmRSS line).
int64_t ResidentKilobytes();

class TRssLog {
 public:
  static constexpr int64_t kRssPeriod = 60;  // one second of game time

  // An empty path logs nothing. A file that cannot be written: Ok() is false.
  explicit TRssLog(const std::string& path);
  bool Ok() const { return Path_.empty() || bool(Out_); }
  // Called after every pass; writes a line every kRssPeriod passes.
  void AfterPass(TForm1& form, int64_t pass);
  // The line after the last pass (when the period did not just write it).
  void Finish(TForm1& form, int64_t pass);

 private:
  void Write(TForm1& form, int64_t pass);

  std::string Path_;
  std::ofstream Out_;
  int64_t LastWritten_ = -1;
};

}  // namespace vuzed
