#include "state/ini_file.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/platform/ascii_case.h"

namespace vuzed {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// The section a header line names, or nothing for any other line.
std::optional<std::string_view> HeaderName(std::string_view content) {
  std::string_view t = TrimLeft(content);
  if (t.empty() || t.front() != '[') return std::nullopt;
  std::size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

struct KeyLine {
  std::string_view Key;
  std::string_view Value;
};

// Key and value of a key line, or nothing for any other line.
std::optional<KeyLine> ParseKeyLine(std::string_view content) {
  std::string_view t = TrimLeft(content);
  if (t.empty() || t.front() == ';' || t.front() == '#' || t.front() == '[') return std::nullopt;
  std::size_t eq = content.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  std::string_view key = Trim(content.substr(0, eq));
  if (key.empty()) return std::nullopt;
  return KeyLine{key, Trim(content.substr(eq + 1))};
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(std::size_t(n));
  }
  return true;
}

}  // namespace

TIniFile::Line::Line(std::string content, std::string end) : Content(std::move(content)), End(std::move(end)) {
  const auto nameAt = [this](std::string_view name) {
    NameBegin = uint32_t(name.data() - Content.data());
    NameLength = uint32_t(name.size());
  };
  if (auto name = HeaderName(Content)) {
    Kind = TKind::Header;
    nameAt(*name);
  } else if (auto kv = ParseKeyLine(Content)) {
    Kind = TKind::Key;
    nameAt(kv->Key);
  }
}

std::optional<TIniFile> TIniFile::Load(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return FromText(text);
}

TIniFile TIniFile::FromText(std::string_view text) {
  TIniFile ini;
  if (text.starts_with(kBom)) {
    ini.Bom_ = true;
    text.remove_prefix(kBom.size());
  }
  bool newLineFound = false;
  while (!text.empty()) {
    std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos) {
      const bool endsInCr = text.back() == '\r';
      if (endsInCr) text.remove_suffix(1);
      ini.Lines_.emplace_back(std::string(text), endsInCr ? "\r" : "");
      text = {};
    } else {
      std::size_t contentEnd = (lf > 0 && text[lf - 1] == '\r') ? lf - 1 : lf;
      std::string end(text.substr(contentEnd, lf + 1 - contentEnd));
      if (!newLineFound) {
        ini.NewLine_ = end;
        newLineFound = true;
      }
      ini.Lines_.emplace_back(std::string(text.substr(0, contentEnd)), std::move(end));
      text.remove_prefix(lf + 1);
    }
  }
  return ini;
}

const TIniFile::Index& TIniFile::Indexed() const {
  if (Index_) return *Index_;
  Index& index = Index_.emplace();
  Index::Section* open = nullptr;  // the section being read, when it is its first occurrence
  for (std::size_t i = 0; i < Lines_.size(); ++i) {
    const Line& line = Lines_[i];
    if (line.Kind == Line::TKind::Header) {
      if (open) open->Range.End = i;
      auto [at, first] = index.Sections.try_emplace(UpperAscii(line.Name()), Index::Section{{i, Lines_.size()}, {}});
      open = first ? &at->second : nullptr;
    } else if (line.Kind == Line::TKind::Key && open) {
      open->Keys.try_emplace(UpperAscii(line.Name()), i);
    }
  }
  return index;
}

void TIniFile::IndexInsertedLine(std::size_t at) {
  if (!Index_) return;
  const Line& line = Lines_[at];
  const bool header = line.Kind == Line::TKind::Header;
  if (header && at + 1 != Lines_.size()) {
    // A section cut in two: not something the writer does; start afresh.
    Index_.reset();
    return;
  }
  // A line inserted right after a section's last line belongs to it, unless
  // it is a new section's header.
  Index::Section* owner = nullptr;
  for (auto& [name, section] : Index_->Sections) {
    SectionRange& range = section.Range;
    if (!header && range.Header < at && at <= range.End) owner = &section;
    if (range.Header >= at) ++range.Header;
    if (range.End > at || (range.End == at && !header)) ++range.End;
    for (auto& [key, index] : section.Keys) {
      if (index >= at) ++index;
    }
  }
  if (header) {
    Index_->Sections.try_emplace(UpperAscii(line.Name()), Index::Section{{at, at + 1}, {}});
  } else if (owner && line.Kind == Line::TKind::Key) {
    owner->Keys.try_emplace(UpperAscii(line.Name()), at);
  }
}

std::optional<TIniFile::SectionRange> TIniFile::FindSection(std::string_view section) const {
  const Index& index = Indexed();
  auto at = index.Sections.find(UpperAscii(Trim(section)));
  if (at == index.Sections.end()) return std::nullopt;
  return at->second.Range;
}

std::optional<std::vector<TIniFile::Entry>> TIniFile::SectionEntries(std::string_view section) const {
  std::optional<SectionRange> range = FindSection(section);
  if (!range) return std::nullopt;
  std::vector<Entry> entries;
  for (std::size_t i = range->Header + 1; i < range->End; ++i) {
    const std::string& content = Lines_[i].Content;
    const int line = int(i) + 1;
    if (auto kv = ParseKeyLine(content)) {
      entries.push_back({std::string(kv->Key), std::string(kv->Value), line});
      continue;
    }
    std::string_view t = TrimLeft(content);
    if (t.empty() || t.front() == ';' || t.front() == '#') continue;
    entries.push_back({"", std::string(Trim(content)), line});
  }
  return entries;
}

std::optional<std::size_t> TIniFile::FindKey(std::string_view section, std::string_view key) const {
  const Index& index = Indexed();
  auto found = index.Sections.find(UpperAscii(Trim(section)));
  if (found == index.Sections.end()) return std::nullopt;
  auto at = found->second.Keys.find(UpperAscii(Trim(key)));
  if (at == found->second.Keys.end()) return std::nullopt;
  return at->second;
}

std::optional<std::string> TIniFile::Value(std::string_view section, std::string_view key) const {
  auto line = FindKey(section, key);
  if (!line) return std::nullopt;
  return std::string(ParseKeyLine(Lines_[*line].Content)->Value);
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  auto v = Value(section, key);
  return v ? *v : std::string(defaultValue);
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                              int32_t defaultValue) const {
  auto v = Value(section, key);
  if (!v) return defaultValue;
  return ParseInteger(*v).value_or(defaultValue);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::optional<int32_t> TIniFile::ParseInteger(std::string_view text) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  constexpr int64_t kLimit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
  int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kLimit) return std::nullopt;
  }
  int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return int32_t(value);
}

void TIniFile::InsertLine(std::size_t at, std::string content) {
  // The line before must end, or the new one would run into it. A file that
  // ended in a lone CR gets a proper line end there.
  if (at > 0 && (Lines_[at - 1].End.empty() || Lines_[at - 1].End == "\r")) {
    Lines_[at - 1].End = NewLine_;
  }
  Lines_.insert(Lines_.begin() + std::ptrdiff_t(at), Line(std::move(content), NewLine_));
  IndexInsertedLine(at);
}

bool TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  value = Trim(value);
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  if (section.find(']') != std::string_view::npos) return false;
  if (key.empty() || key.find('=') != std::string_view::npos) return false;
  if (key.front() == '[' || key.front() == ';' || key.front() == '#') return false;

  auto range = FindSection(section);
  if (!range) {
    if (!Lines_.empty() && !Trim(Lines_.back().Content).empty()) InsertLine(Lines_.size(), "");
    InsertLine(Lines_.size(), "[" + std::string(section) + "]");
    InsertLine(Lines_.size(), std::string(key) + "=" + std::string(value));
    return true;
  }
  if (auto at = FindKey(section, key)) {
    std::string& content = Lines_[*at].Content;
    std::size_t keep = content.find('=') + 1;
    while (keep < content.size() && IsBlank(content[keep])) ++keep;
    content.resize(keep);
    content += value;
    return true;
  }
  std::size_t last = range->End - 1;
  while (last > range->Header && Trim(Lines_[last].Content).empty()) --last;
  InsertLine(last + 1, std::string(key) + "=" + std::string(value));
  return true;
}

bool TIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  return WriteString(section, key, std::to_string(value));
}

bool TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

std::string TIniFile::Text() const {
  std::string text;
  if (Bom_) text = kBom;
  for (const Line& line : Lines_) {
    text += line.Content;
    text += line.End;
  }
  return text;
}

bool TIniFile::Save(const std::filesystem::path& path, std::string* why) const {
  const auto fail = [why](const std::string& reason) {
    if (why) *why = reason;
    return false;
  };
  std::error_code ec;
  std::filesystem::path target = path;
  // Replace the file a symbolic link points at, not the link.
  if (std::filesystem::is_symlink(target, ec)) {
    target = std::filesystem::weakly_canonical(path, ec);
    if (ec) return fail(ec.message());
  }
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && (existing.st_mode & 0222) == 0) return fail("the file is read-only");
  std::filesystem::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  std::string temp = (dir / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return fail(std::strerror(errno));

  mode_t mode = exists ? (existing.st_mode & 07777) : 0644;
  bool ok = ::fchmod(fd, mode) == 0;
  ok = ok && WriteAll(fd, Text());
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    const std::string reason = std::strerror(errno);
    ::unlink(temp.c_str());
    return fail(reason);
  }
  // Make the rename itself durable; a failure here no longer affects the text.
  int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

void TIniFile::RemoveStaleTemporaries(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path dir = path.parent_path();
  if (dir.empty()) dir = ".";
  const std::string prefix = "." + path.filename().string() + ".tmp-";
  const auto now = fs::file_time_type::clock::now();
  for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (!entry.is_regular_file(ec)) continue;
    const auto written = entry.last_write_time(ec);
    if (!ec && now - written > std::chrono::minutes(1)) fs::remove(entry.path(), ec);
  }
}

}  // namespace vuzed
