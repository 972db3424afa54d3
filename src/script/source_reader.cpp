#include "script/source_reader.h"

#include <algorithm>
#include <cstdint>
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

// True when no keyword's ";" can land inside an occurrence of a keyword
// searched after it: no keyword ends with the start of a later one, or sits
// inside a later one short of its end. Then every ";" can be placed by the
// keyword's position in the line as it was before any was inserted.
constexpr bool KeywordsNeverSplitLaterOnes(const std::array<std::string_view, 8>& words) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    for (std::size_t j = i + 1; j < words.size(); ++j) {
      const std::string_view a = words[i], b = words[j];
      for (std::size_t n = 1; n < a.size() && n < b.size(); ++n)
        if (a.substr(a.size() - n) == b.substr(0, n)) return false;
      for (std::size_t at = b.find(a); at != std::string_view::npos; at = b.find(a, at + 1))
        if (at + a.size() < b.size()) return false;
    }
  }
  return true;
}
static_assert(KeywordsNeverSplitLaterOnes(kStageKeywords) && KeywordsNeverSplitLaterOnes(kUnitKeywords));

// Pre-processes one file line by line.
//
// A statement may run over any number of lines, so the carry is never worked
// over again where that cannot change the outcome, and a file costs time in
// proportion to its length: the carry (Buf_ from Base_ on) is already
// upper-cased and holds no ";" and no "//"; for each keyword a scan position
// remembers how far the carry is known to hold no occurrence; and the ";"s
// are placed by position (see KeywordsNeverSplitLaterOnes) instead of being
// inserted into the text.
class TStatementReader {
 public:
  TStatementReader(TSourceKind kind, std::shared_ptr<const std::string> file, TLineList& out)
      : Keywords_(kind == TSourceKind::Stage ? kStageKeywords : kUnitKeywords), File_(std::move(file)), Out_(out) {}

  void Feed(std::string_view raw, int32_t lineNo);

 private:
  // A place where the line is cut: at its own ";" at Pos, or at a ";"
  // inserted after a keyword, in front of the byte at Pos.
  struct TCut {
    std::size_t Pos;
    bool Inserted;
    bool operator<(const TCut& o) const { return Pos != o.Pos ? Pos < o.Pos : Inserted > o.Inserted; }
  };
  // Nothing of the keyword starts in [Base_, Pos); Found: it starts at Pos.
  struct TScan {
    std::size_t Pos = 0;
    bool Found = false;
  };

  std::size_t FirstOccurrence(std::size_t k);
  void Append(std::string_view raw);
  void Truncate(std::size_t end);
  void Compact();

  std::span<const std::string_view> Keywords_;
  std::shared_ptr<const std::string> File_;
  TLineList& Out_;
  std::string Buf_;              // the carry from Base_ on; during Feed, the line being worked on
  std::vector<bool> CharStart_;  // per byte of Buf_: it begins a character (parsed from the carry's start)
  std::size_t Base_ = 0;
  std::array<TScan, 8> Scans_;
  int32_t CarryLine_ = 0;        // where the carry's text began
};

void TStatementReader::Feed(std::string_view raw, int32_t lineNo) {
  const std::size_t carry = Buf_.size() - Base_;

  // Step 2. The carry holds no "//"; one may start at its last byte.
  std::size_t cut = std::string_view::npos;
  if (carry > 0 && Buf_.back() == '/' && !raw.empty() && raw.front() == '/') {
    cut = carry - 1;
  } else if (std::size_t k = raw.find("//"); k != std::string_view::npos) {
    cut = carry + k;
  }
  if (cut == 0) return;  // nothing left of the line: the carry stays as it was

  // Step 3. The carry keeps its first byte, which is not blank, so the line
  // can only come out empty when there was no carry.
  const std::size_t carryEnd = Base_ + std::min(carry, cut);
  Truncate(carryEnd);
  if (cut == std::string_view::npos || cut > carry)
    Append(raw.substr(0, cut == std::string_view::npos ? raw.size() : cut - carry));
  std::size_t end = Buf_.size();
  while (end > Base_ && IsTrimmedByte(Buf_[end - 1])) --end;
  Truncate(end);
  if (carry == 0)
    while (Base_ < Buf_.size() && IsTrimmedByte(Buf_[Base_])) ++Base_;
  if (Base_ == Buf_.size()) return;

  // Steps 4 and 5. The carry holds no ";" of its own.
  std::vector<TCut> cuts;
  for (std::size_t k = 0; k < Keywords_.size(); ++k)
    if (std::size_t at = FirstOccurrence(k); at != std::string::npos) cuts.push_back({at + Keywords_[k].size(), true});
  for (std::size_t at = Buf_.find(';', std::min(carryEnd, Buf_.size())); at != std::string::npos;
       at = Buf_.find(';', at + 1))
    cuts.push_back({at, false});
  std::sort(cuts.begin(), cuts.end());

  std::size_t start = Base_;
  std::string piece;
  for (const TCut& c : cuts) {
    piece.assign(Buf_, start, c.Pos - start);
    piece.push_back(';');  // the inserted one, or the line's own at Pos
    std::string_view statement = TrimBlanks(piece);
    const int32_t line = start < carryEnd ? CarryLine_ : lineNo;
    if (!statement.empty()) Out_.push_back({SqueezeSpaces(statement), {File_, line}});
    start = c.Inserted ? c.Pos : c.Pos + 1;
  }

  // Step 6. A ";" and the blanks after it are one-byte characters, so the
  // new carry's characters start where they started in the line.
  if (!cuts.empty()) {
    if (start >= carryEnd) CarryLine_ = lineNo;
    Base_ = start;
    while (Base_ < Buf_.size() && IsTrimmedByte(Buf_[Base_])) ++Base_;
  } else if (carry == 0) {
    CarryLine_ = lineNo;
  }
  Compact();
}

// The first occurrence of keyword k from Base_ on, or npos.
std::size_t TStatementReader::FirstOccurrence(std::size_t k) {
  TScan& scan = Scans_[k];
  const std::string_view word = Keywords_[k];
  if (scan.Pos < Base_) scan = {Base_, false};
  if (!scan.Found) {
    const std::size_t at = Buf_.find(word, scan.Pos);
    if (at == std::string::npos) {
      // Only an occurrence that reaches into later text can start from here.
      scan.Pos = std::max(scan.Pos, Buf_.size() + 1 - std::min(Buf_.size() + 1, word.size()));
      return std::string::npos;
    }
    scan = {at, true};
  }
  return scan.Pos;
}

// Appends the text upper-cased, continuing the character parse of the carry:
// a lead byte at a character start takes the next byte, whatever it is, as
// its second byte, which is never changed (a lead byte that ends the carry
// takes the first byte of the next line).
void TStatementReader::Append(std::string_view raw) {
  const std::size_t n = Buf_.size();
  bool secondByte = n > Base_ && CharStart_[n - 1] && IsShiftJisLeadByte(Buf_[n - 1]);
  Buf_.reserve(n + raw.size());
  for (char c : raw) {
    CharStart_.push_back(!secondByte);
    if (secondByte) {
      Buf_.push_back(c);
      secondByte = false;
    } else {
      Buf_.push_back(AsciiUpper(c));
      secondByte = IsShiftJisLeadByte(c);
    }
  }
}

void TStatementReader::Truncate(std::size_t end) {
  if (end >= Buf_.size()) return;
  Buf_.resize(end);
  CharStart_.resize(end);
  for (std::size_t k = 0; k < Scans_.size(); ++k) {
    TScan& scan = Scans_[k];
    const std::size_t size = Keywords_[k].size();
    if (scan.Found && scan.Pos + size <= end) continue;
    // What was known clear stays clear, up to where new text could reach in.
    scan.Found = false;
    scan.Pos = std::min(scan.Pos, end + 1 - std::min(end + 1, size));
  }
}

// Drops the text before the carry once it is the larger part of the buffer.
void TStatementReader::Compact() {
  if (Base_ < 4096 || Base_ < Buf_.size() - Base_) return;
  Buf_.erase(0, Base_);
  CharStart_.erase(CharStart_.begin(), CharStart_.begin() + std::ptrdiff_t(Base_));
  for (TScan& scan : Scans_) scan = scan.Pos < Base_ ? TScan{0, false} : TScan{scan.Pos - Base_, scan.Found};
  Base_ = 0;
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
    reader.Feed(line, lineNo < INT32_MAX ? ++lineNo : lineNo);
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
