#include "script/source_reader.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <system_error>
#include <vector>

#include "engine/platform/ascii_case.h"

namespace vuzed {
namespace {

// The ";" goes right after each word ("DO " : after its blank), in this order.
constexpr std::array<std::string_view, 8> kStageKeywords = {"THEN", "DO ",  "BEGIN", "VAR",
                                                            "ELSE", "USES", "TYPE",  "IMPLEMENTATION"};
constexpr std::array<std::string_view, 8> kUnitKeywords = {"THEN", "BEGIN", "VAR",  "ELSE",
                                                           "USES", "TYPE",  "IMPLEMENTATION", "DO "};

// Pre-processes one file line by line.
//
// The carry is kept in Line_ between lines. A statement may run over many
// lines, so each line works on the carry plus the new text without going over
// the carry again where that cannot change the outcome: the carry is already
// upper-cased, holds no ";" and no "//", and, while CarryClean_, none of the
// keywords either. Only the join and the new text are then searched, and a
// file with no ";" for a long stretch costs time in proportion to its length.
class TStatementReader {
 public:
  TStatementReader(TSourceKind kind, std::shared_ptr<const std::string> file, TLineList& out)
      : Keywords_(kind == TSourceKind::Stage ? kStageKeywords : kUnitKeywords), File_(std::move(file)), Out_(out) {}

  void Feed(std::string_view raw, int32_t lineNo);

 private:
  void Append(std::string_view raw);
  void SetCarry(std::string text, int32_t lineNo);
  bool HoldsKeyword(std::string_view text) const;

  std::span<const std::string_view> Keywords_;
  std::shared_ptr<const std::string> File_;
  TLineList& Out_;
  std::string Line_;               // the carry; during Feed, the line being worked on
  std::vector<bool> CharStart_;    // per carry byte: it begins a character (parsed from the carry's start)
  bool CarryClean_ = true;         // the carry holds none of the keywords
  int32_t CarryLine_ = 0;          // where the carry's text began
};

void TStatementReader::Feed(std::string_view raw, int32_t lineNo) {
  const std::size_t carry = Line_.size();

  // Step 2. The carry holds no "//"; one may start at its last byte.
  std::size_t cut = std::string_view::npos;
  if (carry > 0 && Line_.back() == '/' && !raw.empty() && raw.front() == '/') {
    cut = carry - 1;
  } else if (std::size_t k = raw.find("//"); k != std::string_view::npos) {
    cut = carry + k;
  }
  if (cut == 0) return;  // nothing left of the line: the carry stays as it was

  // Step 3. The carry keeps its first byte, which is not blank, so the line
  // can only come out empty when there was no carry.
  const std::size_t kept = std::min(carry, cut);
  Line_.resize(kept);
  CharStart_.resize(kept);
  if (cut == std::string_view::npos || cut > carry)
    Append(raw.substr(0, cut == std::string_view::npos ? raw.size() : cut - carry));
  while (!Line_.empty() && IsTrimmedByte(Line_.back())) {
    Line_.pop_back();
    CharStart_.pop_back();
  }
  if (carry == 0) {
    // Leading blanks are one-byte characters, so the flags after them hold.
    std::size_t lead = 0;
    while (lead < Line_.size() && IsTrimmedByte(Line_[lead])) ++lead;
    Line_.erase(0, lead);
    CharStart_.erase(CharStart_.begin(), CharStart_.begin() + std::ptrdiff_t(lead));
  }
  if (Line_.empty()) return;

  // Step 4. Nothing before `clean` can hold a keyword or a ";", and a keyword
  // found after it ends at or beyond it, so its ";" never lands before it.
  const std::size_t clean = CarryClean_ ? std::min(carry, Line_.size()) : 0;
  for (std::string_view word : Keywords_) {
    const std::size_t from = clean >= word.size() - 1 ? clean - (word.size() - 1) : 0;
    const std::size_t at = Line_.find(word, from);
    if (at != std::string::npos) Line_.insert(at + word.size(), 1, ';');
  }

  // Step 5.
  std::size_t start = 0;
  for (std::size_t semi = Line_.find(';', clean); semi != std::string::npos; semi = Line_.find(';', start)) {
    std::string_view piece = TrimBlanks(std::string_view(Line_).substr(start, semi + 1 - start));
    const int32_t line = (start < kept) ? CarryLine_ : lineNo;
    if (!piece.empty()) Out_.push_back({SqueezeSpaces(piece), {File_, line}});
    start = semi + 1;
  }

  // Step 6. Without a ";" no keyword was found either (each would have
  // brought one), and the flags of the whole line are already in place.
  if (start > 0) {
    SetCarry(std::string(TrimBlanks(std::string_view(Line_).substr(start))), lineNo);
  } else {
    if (carry == 0) CarryLine_ = lineNo;
    CarryClean_ = true;
  }
}

// Appends the text upper-cased, continuing the character parse of the carry:
// a lead byte at a character start takes the next byte, whatever it is, as
// its second byte, which is never changed (a lead byte that ends the carry
// takes the first byte of the next line).
void TStatementReader::Append(std::string_view raw) {
  const std::size_t n = Line_.size();
  bool secondByte = n > 0 && CharStart_[n - 1] && IsShiftJisLeadByte(Line_[n - 1]);
  Line_.reserve(n + raw.size());
  for (char c : raw) {
    CharStart_.push_back(!secondByte);
    if (secondByte) {
      Line_.push_back(c);
      secondByte = false;
    } else {
      Line_.push_back(AsciiUpper(c));
      secondByte = IsShiftJisLeadByte(c);
    }
  }
}

void TStatementReader::SetCarry(std::string text, int32_t lineNo) {
  Line_ = std::move(text);
  CharStart_.assign(Line_.size(), true);
  for (std::size_t i = 0; i + 1 < Line_.size(); ++i) {
    if (IsShiftJisLeadByte(Line_[i])) CharStart_[++i] = false;
  }
  CarryClean_ = !HoldsKeyword(Line_);
  CarryLine_ = lineNo;
}

bool TStatementReader::HoldsKeyword(std::string_view text) const {
  for (std::string_view word : Keywords_)
    if (text.find(word) != std::string_view::npos) return true;
  return false;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsTrimmedByte(text[b])) ++b;
  while (e > b && IsTrimmedByte(text[e - 1])) --e;
  return text.substr(b, e - b);
}

std::string SqueezeSpaces(std::string_view statement) {
  std::string_view s = TrimBlanks(statement);
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == ' ') {
      const std::string_view got = out;
      const bool keep = got == "PROCEDURE" || got == "FOR" || got == "IF" ||
                        (got.starts_with("FOR") && got.ends_with("DO"));
      if (!keep) continue;
    }
    out.push_back(c);
  }
  return out;
}

std::optional<std::size_t> NextSourceLine(std::string_view bytes, std::size_t pos, std::string_view& line) {
  if (pos >= bytes.size()) return std::nullopt;
  const std::size_t end = bytes.find_first_of("\r\n", pos);
  if (end == std::string_view::npos) {
    line = bytes.substr(pos);
    return bytes.size();
  }
  line = bytes.substr(pos, end - pos);
  if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') return end + 2;
  return end + 1;
}

TLineList ReadStatements(std::string_view bytes, TSourceKind kind, std::shared_ptr<const std::string> file) {
  TLineList statements;
  TStatementReader reader(kind, std::move(file), statements);
  std::string_view line;
  int32_t lineNo = 0;
  for (std::optional<std::size_t> pos = NextSourceLine(bytes, 0, line); pos; pos = NextSourceLine(bytes, *pos, line))
    reader.Feed(line, ++lineNo);
  return statements;
}

std::optional<std::string> ReadScriptFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace vuzed
