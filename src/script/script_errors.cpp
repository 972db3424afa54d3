#include "script/script_errors.h"

#include <cstdio>

namespace vuzed {

void TScriptErrors::Report(const TSourcePlace& place, std::string_view text) {
  std::string message = PlaceText(place) + ": " + std::string(text);
  if (!Seen_.insert(message).second) return;
  std::fprintf(stderr, "%s\n", message.c_str());
  if (Log) Log(message);
}

}  // namespace vuzed
