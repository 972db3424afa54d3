#pragma once
// The music room's texts: one description per music track, read from
// "data\Script\MusicRoom.txt" (Shift-JIS, like the scripts) when the title is
// created, so content can change them without a rebuild.
//
// File format. Lines end at LF, CRLF or CR. A line "N=TEXT" gives the
// description of music track N (1 to 7); blanks around N are ignored, TEXT is
// taken byte for byte to the end of the line. A line starting with ";" is a
// comment; every other line, and a track number outside 1..7, is ignored; a
// later line for the same track replaces an earlier one. A track without a
// line, or a missing or unreadable file, has an empty description.
//
// A description is the track title in 『』, the composer credit, "[r]" and a
// one-sentence comment. "[r]" marks a line break.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vuzed {

class FileResolver;

constexpr int kMusicRoomTracks = 7;
constexpr int kDescriptionLineCount = 3;
constexpr int kDescriptionLineBytes = 56;
inline constexpr const char* kMusicRoomFile = "data\\Script\\MusicRoom.txt";

using TMusicRoomTexts = std::array<std::string, kMusicRoomTracks>;  // entry k: track k + 1

TMusicRoomTexts ParseMusicRoomTexts(std::string_view fileText);
TMusicRoomTexts LoadMusicRoomTexts(const FileResolver& files);

// Splits a description into at most three panel lines. Each line is the text
// up to the first "[r]" when the text before it fits in a line (56 bytes; the
// "[r]" is removed), else the first 56 bytes; what is left after three lines
// is not shown. Shift-JIS aware: "[r]" counts only where a character starts,
// and a line that would end between the two bytes of a character ends before
// that character instead.
std::vector<std::string> SplitDescription(std::string_view text);

}  // namespace vuzed
