#include "stage/dialogue_text.h"

namespace vuzed {
namespace {

// The 0-based place of "[r]" or "[R]", or npos.
size_t FindLineBreak(std::string_view text) {
  for (size_t i = 0; i + 3 <= text.size(); ++i)
    if (text[i] == '[' && (text[i + 1] == 'r' || text[i + 1] == 'R') && text[i + 2] == ']') return i;
  return std::string_view::npos;
}

}  // namespace

std::string_view DialogueText(std::string_view line) {
  if (line.size() < 2) return {};
  return line.substr(1, line.size() - 2);
}

std::array<std::string, kNovelLines> NovelTextLines(std::string_view text) {
  std::array<std::string, kNovelLines> lines;
  for (size_t i = 0; i < kNovelLines; ++i) {
    const size_t start = i * kDialogueLineBytes;
    if (start < text.size()) lines[i] = std::string(text.substr(start, kDialogueLineBytes));
  }
  return lines;
}

std::vector<std::string> AdvTextLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty() && lines.size() < kAdvPageLines) {
    // The marker counts when it starts at byte 1..55 of the rest (1-based).
    const size_t marker = FindLineBreak(text);
    if (marker != std::string_view::npos && marker + 1 < kDialogueLineBytes) {
      lines.emplace_back(text.substr(0, marker));
      text.remove_prefix(marker + 3);
    } else {
      const size_t n = text.size() < kDialogueLineBytes ? text.size() : kDialogueLineBytes;
      lines.emplace_back(text.substr(0, n));
      text.remove_prefix(n);
    }
  }
  return lines;
}

}  // namespace vuzed
