#include "title/music_room_text.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/platform/file_resolver.h"
#include "script/source_reader.h"

namespace vuzed {
namespace {

constexpr std::string_view kLineBreak = "[r]";

// Bytes of the character that starts at `at`: 2 for a Shift-JIS lead byte
// with a byte after it, else 1.
size_t CharBytes(std::string_view text, size_t at) {
  return IsShiftJisLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1;
}

size_t FindLineBreak(std::string_view text) {
  for (size_t i = 0; i < text.size(); i += CharBytes(text, i))
    if (text.substr(i, kLineBreak.size()) == kLineBreak) return i;
  return std::string_view::npos;
}

// The longest prefix of at most `limit` bytes that ends between characters.
size_t FittingPrefix(std::string_view text, size_t limit) {
  size_t end = 0;
  while (end < text.size()) {
    size_t next = end + CharBytes(text, end);
    if (next > limit) break;
    end = next;
  }
  return end;
}

bool ParseTrackNumber(std::string_view key, int& track) {
  while (!key.empty() && (key.front() == ' ' || key.front() == '\t')) key.remove_prefix(1);
  while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.remove_suffix(1);
  if (key.size() != 1 || key[0] < '1' || key[0] > '0' + kMusicRoomTracks) return false;
  track = key[0] - '0';
  return true;
}

}  // namespace

TMusicRoomTexts ParseMusicRoomTexts(std::string_view fileText) {
  TMusicRoomTexts texts;
  while (!fileText.empty()) {
    size_t end = fileText.find_first_of("\r\n");
    std::string_view line = fileText.substr(0, end);
    if (end == std::string_view::npos) {
      fileText = {};
    } else {
      size_t skip = fileText.substr(end, 2) == "\r\n" ? 2 : 1;
      fileText.remove_prefix(end + skip);
    }
    if (line.empty() || line.front() == ';') continue;
    size_t equals = line.find('=');
    int track = 0;
    if (equals == std::string_view::npos || !ParseTrackNumber(line.substr(0, equals), track)) continue;
    texts[size_t(track - 1)] = std::string(line.substr(equals + 1));
  }
  return texts;
}

TMusicRoomTexts LoadMusicRoomTexts(const FileResolver& files) {
  auto path = files.Resolve(kMusicRoomFile);
  std::error_code ec;
  if (!path || !std::filesystem::is_regular_file(*path, ec)) return {};
  std::ifstream in(*path, std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return {};
  return ParseMusicRoomTexts(text.str());
}

std::vector<std::string> SplitDescription(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty() && int(lines.size()) < kDescriptionLineCount) {
    size_t mark = FindLineBreak(text);
    if (mark != std::string_view::npos && mark <= size_t(kDescriptionLineBytes)) {
      lines.emplace_back(text.substr(0, mark));
      text.remove_prefix(mark + kLineBreak.size());
    } else {
      size_t cut = FittingPrefix(text, size_t(kDescriptionLineBytes));
      lines.emplace_back(text.substr(0, cut));
      text.remove_prefix(cut);
    }
  }
  return lines;
}

}  // namespace vuzed
