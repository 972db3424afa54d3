#pragma once
// How dialogue text lines are cut into the lines shown on screen.
//
// A text line of a dialogue procedure is a statement that begins with "@";
// its text is the statement without that first character and without its
// last one (the ";" that ends it). Text is Shift-JIS bytes and is cut by
// bytes, so a cut may fall inside a double-byte character (the text writer
// then draws the lone byte as a character of its own).

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vuzed {

// Bytes per shown line in both kinds of scene.
constexpr size_t kDialogueLineBytes = 56;
// Lines of a novel scene's box; a longer text is cut after 3 x 56 bytes.
constexpr size_t kNovelLines = 3;
// Lines of an ADV scene's page.
constexpr size_t kAdvPageLines = 12;

// The text of a text line ("@text;" gives "text"; "@" alone gives "").
std::string_view DialogueText(std::string_view line);

// Novel box: bytes 1-56, 57-112 and 113-168; a part past the end is empty.
std::array<std::string, kNovelLines> NovelTextLines(std::string_view text);

// ADV page: up to 12 lines. Repeatedly, while text is left: when the marker
// "[r]" (in either letter case, since the compiler upper-cases the whole
// file) begins within the first 55 bytes, the line is the text before it and
// the text through the marker is removed; otherwise the line is the next 56
// bytes. Lines past the twelfth are never made.
std::vector<std::string> AdvTextLines(std::string_view text);

}  // namespace vuzed
