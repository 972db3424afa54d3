#pragma once
// One line of compiled script with the place in the source it came from,
// and the list of lines a definition runs.
//
// The place is for messages to script authors only ("FILE:LINE: text"); the
// interpreters look at the text alone, and the text is exactly the statement
// as the compiler stored or rewrote it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace vuzed {

// Where a statement began: the file's name as shown to authors and its
// 1-based line. A default place (no file, line 0) belongs to no source.
struct TSourcePlace {
  std::shared_ptr<const std::string> File;
  int32_t Line = 0;
};

// "FILE:LINE"; a place without a file gives "?:LINE".
inline std::string PlaceText(const TSourcePlace& place) {
  return (place.File ? *place.File : std::string("?")) + ":" + std::to_string(place.Line);
}

struct TScriptLine {
  std::string Text;
  TSourcePlace Place;
};

// What an interpreter made of a whole list (script/decoded_lines.h); the
// list only keeps it.
class TDecodedForm {
 public:
  virtual ~TDecodedForm() = default;
};

// Compiled lines; index 0 is the first line after the PROCEDURE statement.
// The stage file's statements are held the same way.
//
// Besides its lines a list keeps what each kind of interpreter decoded from
// them (one slot per kind: stage director, enemy, bullet), so the decoding
// is done once per list and goes when the list goes. Lines are read freely
// but changed only through the calls below, each of which counts an edit:
// a decoded form made at an earlier count is out of date. A copy takes the
// decoded forms with the lines they were made from.
class TLineList {
 public:
  using value_type = TScriptLine;
  using const_iterator = std::vector<TScriptLine>::const_iterator;
  using iterator = const_iterator;

  static constexpr std::size_t kDecodedSlots = 3;

  TLineList() = default;
  TLineList(std::initializer_list<TScriptLine> lines) : Lines_(lines) {}
  template <class TIterator>
  TLineList(TIterator first, TIterator last) : Lines_(first, last) {}

  std::size_t size() const { return Lines_.size(); }
  bool empty() const { return Lines_.empty(); }
  const TScriptLine& operator[](std::size_t i) const { return Lines_[i]; }
  const TScriptLine& front() const { return Lines_.front(); }
  const TScriptLine& back() const { return Lines_.back(); }
  const TScriptLine* data() const { return Lines_.data(); }
  const_iterator begin() const { return Lines_.begin(); }
  const_iterator end() const { return Lines_.end(); }

  void push_back(TScriptLine line) {
    Lines_.push_back(std::move(line));
    ++Edits_;
  }
  void clear() {
    Lines_.clear();
    ++Edits_;
  }
  void SetText(std::size_t i, std::string text) {
    Lines_[i].Text = std::move(text);
    ++Edits_;
  }

  // Edits since the list was made (copies count on from the original's).
  uint64_t Edits() const { return Edits_; }

  // The decoded form kept in a slot (null when none was kept), and keeping
  // one; an interpreter checks a form's count of edits itself.
  const std::shared_ptr<const TDecodedForm>& Decoded(std::size_t slot) const { return Decoded_[slot]; }
  void KeepDecoded(std::size_t slot, std::shared_ptr<const TDecodedForm> form) const {
    Decoded_[slot] = std::move(form);
  }

 private:
  std::vector<TScriptLine> Lines_;
  uint64_t Edits_ = 0;
  mutable std::array<std::shared_ptr<const TDecodedForm>, kDecodedSlots> Decoded_;
};

}  // namespace vuzed
