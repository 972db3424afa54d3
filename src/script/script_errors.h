#pragma once
// Reports for script authors from running scripts: a malformed integer
// argument, an expression that is not of the language, a runaway loop or
// call chain, a name that is no command and no procedure. Each message is
// given once per place ("FILE:LINE: text"), on stderr and to the log the
// owner attaches (the game's engine log). Players see nothing, and the game
// goes on.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "objects/script_line.h"

namespace vuzed {

class TScriptErrors {
 public:
  void Report(const TSourcePlace& place, std::string_view text);
  // Forgets what was reported (a new stage starts).
  void Clear() { Seen_.clear(); }
  size_t Count() const { return Seen_.size(); }

  // Where each new message goes besides stderr (nothing when empty).
  std::function<void(const std::string&)> Log;

 private:
  std::unordered_set<std::string> Seen_;
};

}  // namespace vuzed
