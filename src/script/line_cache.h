#pragma once
// Decoded script lines, kept with the line list they were decoded from.
//
// Scripts run line by line every frame, and a line's text never tells more
// the second time: which commands it may be, its jump targets and its
// argument texts follow from the text alone. So each interpreter kind
// decodes a list once (its arguments compiled, line_arguments.h) and the
// list keeps the decoded form in that kind's slot (TLineList::Decoded),
// together with the list's count of edits at the time. A line rewritten at
// run time (a boss turns its OPENING line into a GOTO) counts an edit, and
// the next run of the list decodes it again; a freed list takes its decoded
// forms with it. What may change while the game runs (variable tables, the
// procedure table) is only remembered with its version (line_links.h).
//
// Lists are run by one thread at a time: the slots are not guarded.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "objects/script_line.h"
#include "script/line_arguments.h"
#include "script/line_links.h"

namespace vuzed {

// The decoded lines of one list, in list order, and the indices of its FOR
// lines (every run first sets their variables to the start values).
template <class TLine>
struct TDecodedLines : TDecodedForm {
  uint64_t Edits = 0;              // the list's count of edits when decoded
  std::vector<std::string> Texts;  // the texts the lines were decoded from
  std::vector<TLine> Lines;
  std::vector<int32_t> ForLines;
};

// The decoded form of the lines as they read now. A list decoded again gets
// a new object: a run that still holds the earlier one goes on with it.
//
// TLine provides `static TLine Decode(std::string_view text)`,
// `bool IsFor() const` and `static constexpr std::size_t kDecodedSlot`, its
// interpreter kind's slot in the list.
template <class TLine>
std::shared_ptr<const TDecodedLines<TLine>> DecodedLines(const TLineList& lines) {
  using TList = TDecodedLines<TLine>;
  static_assert(TLine::kDecodedSlot < TLineList::kDecodedSlots);
  // Only this function fills the slot, always with a TList.
  auto earlier = std::static_pointer_cast<const TList>(lines.Decoded(TLine::kDecodedSlot));
  if (earlier && earlier->Edits == lines.Edits()) [[likely]]
    return earlier;
  // Lines whose text is unchanged keep their decoded form.
  auto list = std::make_shared<TList>();
  list->Edits = lines.Edits();
  list->Texts.reserve(lines.size());
  list->Lines.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& text = lines[i].Text;
    list->Texts.push_back(text);
    if (earlier && i < earlier->Texts.size() && earlier->Texts[i] == text)
      list->Lines.push_back(earlier->Lines[i]);
    else
      list->Lines.push_back(TLine::Decode(text));
    if (list->Lines.back().IsFor()) list->ForLines.push_back(int32_t(i));
  }
  lines.KeepDecoded(TLine::kDecodedSlot, list);
  return list;
}

}  // namespace vuzed
