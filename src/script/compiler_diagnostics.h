#pragma once
// Messages for script authors from compiling a stage, one per line as
// "FILE:LINE: text", each distinct message once. The game shows players
// nothing; the stage director passes these to stderr once per stage load.

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "objects/script_line.h"

namespace vuzed {

class TCompileDiagnostics {
 public:
  void Report(const TSourcePlace& place, std::string_view text) {
    std::string message = PlaceText(place) + ": " + std::string(text);
    if (Seen_.insert(message).second) Messages_.push_back(std::move(message));
  }
  const std::vector<std::string>& Messages() const { return Messages_; }
  bool Empty() const { return Messages_.empty(); }

 private:
  std::vector<std::string> Messages_;
  std::unordered_set<std::string> Seen_;
};

}  // namespace vuzed
