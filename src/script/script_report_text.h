#pragma once
// Small text pieces of the reports that object scripts give their authors.

#include <string>
#include <string_view>

#include "objects/string_helpers.h"

namespace vuzed {

// "\"text\"" + tail.
inline std::string QuotedText(std::string_view text, std::string_view tail) {
  std::string message;
  message.reserve(text.size() + tail.size() + 2);
  message += '"';
  message += text;
  message += '"';
  message += tail;
  return message;
}

// A command that names a procedure the script does not define: "what" says
// what it wanted the procedure for ("make an enemy of", "show as a talk").
inline std::string UndefinedNameText(std::string_view name, std::string_view what) {
  return "no procedure named " + QuotedText(name, " to " + std::string(what) + "; the line does nothing");
}

// Lines the compiler leaves that name no procedure by design (block
// structure, declarations, loop lines, assignments to names that are no
// variables): never reported as unknown names.
inline bool IsStructuralScriptLine(std::string_view line) {
  return line == "BEGIN;" || line == "END;" || line == "ELSE;" || line == "VAR;" || StartsWithText("FOR(", line) ||
         StartsWithText("END(", line) || line.find(':') != std::string_view::npos;
}

}  // namespace vuzed
