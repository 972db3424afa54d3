#pragma once
// A small editor for INI text with the Windows profile semantics the settings
// file relies on.
//
// Format, line by line (lines end at LF; a CR before the LF belongs to the
// line end):
// - "[Name]" (leading blanks allowed, anything after "]" ignored) starts
//   section Name. A line starting with "[" but without "]" is garbage.
// - ";" or "#" as the first non-blank character: a comment.
// - "key=value": the key is the text before the first "=", the value the text
//   after it, both trimmed of spaces and tabs. An empty key makes the line
//   garbage.
// - Anything else (blank lines, garbage) is kept but never read.
// Lines before the first section belong to no section and cannot be read.
// Section and key names match without regard to ASCII case. When a section
// appears more than once only its first occurrence counts; within it the
// first of equal keys counts, for reading and for writing.
//
// Writing never disturbs other lines: an existing key gets its new value on
// its own line (its spelling, the blanks around "=" kept); a new key goes
// right after the last non-blank line of its section; a new section goes to
// the end of the file, after one blank line unless the file is empty or
// already ends with a blank line. New lines end like the file's first line
// (LF when there is none). A UTF-8 byte order mark is kept.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vuzed {

class TIniFile {
 public:
  // Nothing when the file is missing or cannot be read.
  static std::optional<TIniFile> Load(const std::filesystem::path& path);
  static TIniFile FromText(std::string_view text);

  // The value of the first matching key, or nothing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  // One line of a section: a key line, or a line that is neither a key
  // line, a comment nor blank (then Key is empty and Value holds the line).
  struct Entry {
    std::string Key;
    std::string Value;
    int Line = 0;  // in the file, from 1
  };
  // The key and garbage lines of the section's first occurrence, in file
  // order; nothing when the file has no such section.
  std::optional<std::vector<Entry>> SectionEntries(std::string_view section) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // A decimal integer with an optional sign; a missing key, or a value that
  // is not such a number or does not fit 32 bits, gives the default.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
  // Read as an integer; non-zero is true.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // False (and nothing changed) for names or values that could not be read
  // back: a line break anywhere, a section name with "]", an empty key, a
  // key with "=" or starting with "[", ";" or "#". Names and the value are
  // written trimmed of spaces and tabs.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  bool WriteInteger(std::string_view section, std::string_view key, int32_t value);
  // Written as "1" or "0".
  bool WriteBool(std::string_view section, std::string_view key, bool value);

  // The whole file text as it would be saved.
  std::string Text() const;

  // Writes Text() to a temporary file beside `path`, flushes it to disk and
  // renames it over `path`, so the file is always either the old or the new
  // text. On failure the temporary file is removed, the target is untouched
  // and the result is false, with the reason in `why` when given. An
  // existing target's permission bits are kept; a target that nobody may
  // write (no write bit at all) is left alone, whoever runs the game.
  bool Save(const std::filesystem::path& path, std::string* why = nullptr) const;

  // Removes the temporary files a killed Save left beside `path` (named
  // ".<file name>.tmp-" and six characters) that are older than a minute, so
  // a save still running elsewhere keeps its own.
  static void RemoveStaleTemporaries(const std::filesystem::path& path);

  // A strict decimal integer: optional blanks, optional sign, digits,
  // optional blanks, within 32 bits.
  static std::optional<int32_t> ParseInteger(std::string_view text);

 private:
  struct Line {
    std::string Content;  // without its line end
    std::string End;      // "\r\n", "\n", "\r" (a file ending in CR) or "" (last line)
    // What the line is, worked out once when it is made, so building the
    // index parses no line twice. The name (a section's or a key's) is a
    // range of Content; a write changes only a key line's value, which lies
    // after its name.
    enum class TKind : uint8_t { Other, Header, Key };
    TKind Kind = TKind::Other;
    uint32_t NameBegin = 0;
    uint32_t NameLength = 0;

    Line(std::string content, std::string end);
    std::string_view Name() const { return std::string_view(Content).substr(NameBegin, NameLength); }
  };
  // Index range of a section's lines: the header and everything up to the
  // next header.
  struct SectionRange {
    std::size_t Header = 0;
    std::size_t End = 0;  // one past its last line
  };

  std::optional<SectionRange> FindSection(std::string_view section) const;
  // Index of the key's line within the section's first occurrence, or nothing.
  std::optional<std::size_t> FindKey(std::string_view section, std::string_view key) const;
  void InsertLine(std::size_t at, std::string content);
  // Keeps the index in step with the line just inserted at `at`.
  void IndexInsertedLine(std::size_t at);

  // Where each section's first occurrence and the first of each of its keys
  // are, by upper-cased name: built at the first look-up and kept in step as
  // lines are inserted. Without it, reading and writing the settings' fifty
  // keys costs fifty scans of the file.
  struct Index {
    struct Section {
      SectionRange Range;
      std::unordered_map<std::string, std::size_t> Keys;
    };
    std::unordered_map<std::string, Section> Sections;
  };
  const Index& Indexed() const;

  std::vector<Line> Lines_;
  mutable std::optional<Index> Index_;
  std::string NewLine_ = "\n";
  bool Bom_ = false;
};

}  // namespace vuzed
