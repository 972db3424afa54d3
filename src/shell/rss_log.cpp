#include "shell/rss_log.h"

#include <cstdlib>
#include <cstring>

#include "engine/platform/json_text.h"
#include "game/game_context.h"
#include "shell/main_form.h"
#include "state/state.h"

namespace vuzed {

int64_t ResidentKilobytes() {
  std::ifstream in("/proc/self/status");
  // The line reads "VmRSS:" then blanks, the number and "kB".
  for (std::string line; std::getline(in, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atoll(line.c_str() + std::strlen("VmRSS:"));
  return -1;
}

TRssLog::TRssLog(const std::string& path) : Path_(path) {
  if (!Path_.empty()) Out_.open(Path_, std::ios::trunc);
}

void TRssLog::AfterPass(TForm1& form, int64_t pass) {
  if (pass % kRssPeriod == 0) Write(form, pass);
}

void TRssLog::Finish(TForm1& form, int64_t pass) {
  if (pass != LastWritten_) Write(form, pass);
}

void TRssLog::Write(TForm1& form, int64_t pass) {
  if (Path_.empty() || !Out_) return;
  Out_ << "{\"frame\":" << JsonNumber(pass) << ",\"stage\":" << JsonNumber(int64_t(form.Context().State->StageType))
       << ",\"rss_kb\":" << JsonNumber(ResidentKilobytes()) << "}\n";
  Out_.flush();  // readable while the run goes on
  LastWritten_ = pass;
}

}  // namespace vuzed
