#pragma once
// One line of compiled script with the place in the source it came from.
//
// The place is for messages to script authors only ("FILE:LINE: text"); the
// interpreters look at the text alone, and the text is exactly the statement
// as the compiler stored or rewrote it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vuzed {

// Where a statement began: the file's name as shown to authors and its
// 1-based line. A default place (no file, line 0) belongs to no source.
struct TSourcePlace {
  std::shared_ptr<const std::string> File;
  int32_t Line = 0;
};

// "FILE:LINE"; a place without a file gives "?:LINE".
inline std::string PlaceText(const TSourcePlace& place) {
  return (place.File ? *place.File : std::string("?")) + ":" + std::to_string(place.Line);
}

struct TScriptLine {
  std::string Text;
  TSourcePlace Place;
};

// Compiled lines; index 0 is the first line after the PROCEDURE statement.
// The stage file's statements are held the same way.
using TLineList = std::vector<TScriptLine>;

}  // namespace vuzed
