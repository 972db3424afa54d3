#pragma once
// Reading a script file and pre-processing it into statements.
//
// Script files are Shift-JIS bytes, read without any decoding: NUL and every
// other byte value are just bytes. Lines end at LF, CRLF or CR; a final line
// end is not followed by an empty line. Each line in turn:
//   1. is appended to the carry (text left over from the previous line, no
//      separator between them);
//   2. loses everything from the first "//" on (there are no string literals);
//   3. is upper-cased (ASCII letters only, never the second byte of a
//      double-byte character) and trimmed; an empty line changes nothing;
//   4. gets a ";" inserted right after the first occurrence of each keyword of
//      its kind's list, in list order, each search made on the line as
//      changed so far (also inside longer words: "VARIABLE" becomes "VAR;IABLE");
//   5. is cut after every ";": each piece, trimmed and put through
//      SqueezeSpaces, is one statement (the ";" included);
//   6. leaves what follows its last ";" (trimmed) as the new carry.
// Text after the last ";" of the file is dropped.
//
// Trimming removes bytes 0x00-0x20 (spaces, tabs and the other control
// characters) at both ends; a Shift-JIS second byte is never in that range.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "objects/script_line.h"

namespace vuzed {

// The stage file and the files named in its USES clause put their ";" after
// the same keywords in a different order (see kStageKeywords, kUnitKeywords).
enum class TSourceKind { Stage, Unit };

constexpr bool IsShiftJisLeadByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Spaces and control characters: what trimming removes.
constexpr bool IsTrimmedByte(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string_view TrimBlanks(std::string_view text);

// Trims the statement, then drops every space byte except one that follows
// collected text that is exactly "PROCEDURE", "FOR" or "IF", or collected
// text that begins with "FOR" and ends with "DO". Only those exact words
// count: "FORM X" becomes "FORMX". Tabs and other bytes stay.
std::string SqueezeSpaces(std::string_view statement);

// The next line of `bytes` from `pos`: sets `line` and returns the position
// after its line end, or nothing when no line is left.
std::optional<std::size_t> NextSourceLine(std::string_view bytes, std::size_t pos, std::string_view& line);

// Pre-processes a whole file. Each statement's place is `file` and the line
// on which the statement's text began.
TLineList ReadStatements(std::string_view bytes, TSourceKind kind, std::shared_ptr<const std::string> file);

// The bytes of a regular file, or nothing when it cannot be read (missing,
// a directory, a device, a read error).
std::optional<std::string> ReadScriptFile(const std::string& path);

}  // namespace vuzed
