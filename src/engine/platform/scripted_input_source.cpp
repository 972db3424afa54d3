#include "engine/platform/scripted_input_source.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "engine/input/key_names.h"

namespace vuzed {
namespace {

bool ParseInt(std::string_view text, int64_t& out) {
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

bool ParseAxis(std::string_view text, int& out) {
  int64_t v = 0;
  if (!ParseInt(text, v) || v < -1 || v > 1) return false;
  out = int(v);
  return true;
}

std::vector<std::string_view> SplitBlanks(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

// Parses one key word into the span; false when it is not a key.
bool AddKey(std::string_view word, ScriptedInputSource::Span& span, bool& pad) {
  if (const TKeyName* key = FindKeyName(word)) {
    span.Keys.push_back(key->Dik);
    return true;
  }
  if (word.substr(0, 3) == "pad") {
    int64_t n = 0;
    if (!ParseInt(word.substr(3), n) || n < 0 || n > 31) return false;
    span.PadButtons.push_back(int(n));
    pad = true;
    return true;
  }
  if (word.substr(0, 6) == "stick:") {
    std::string_view rest = word.substr(6);
    size_t comma = rest.find(',');
    if (comma == std::string_view::npos) return false;
    if (!ParseAxis(rest.substr(0, comma), span.StickX) || !ParseAxis(rest.substr(comma + 1), span.StickY))
      return false;
    span.HasStick = true;
    pad = true;
    return true;
  }
  return false;
}

}  // namespace

std::optional<ScriptedInputSource> ScriptedInputSource::Parse(std::string_view text, std::string& error) {
  ScriptedInputSource source;
  int lineNumber = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line.front() == '#') continue;
    std::vector<std::string_view> words = SplitBlanks(line);
    if (words.empty()) continue;

    auto fail = [&](const std::string& why) {
      error = std::to_string(lineNumber) + ": " + why;
      return std::nullopt;
    };
    Span span;
    std::string_view range = words[0];
    size_t dash = range.find('-');
    std::string_view fromText = dash == std::string_view::npos ? range : range.substr(0, dash);
    std::string_view toText = dash == std::string_view::npos ? range : range.substr(dash + 1);
    if (!ParseInt(fromText, span.From) || !ParseInt(toText, span.To) || span.From < 1 || span.To < span.From)
      return fail("expected a pass or a range FROM-TO of passes (from 1), got \"" + std::string(range) + "\"");
    if (words.size() < 2) return fail("no keys after \"" + std::string(range) + "\"");
    for (size_t w = 1; w < words.size(); ++w)
      if (!AddKey(words[w], span, source.HasPad_)) return fail("unknown key \"" + std::string(words[w]) + "\"");
    source.Spans_.push_back(std::move(span));
  }
  source.ByStart_.resize(source.Spans_.size());
  for (size_t i = 0; i < source.ByStart_.size(); ++i) source.ByStart_[i] = i;
  std::stable_sort(source.ByStart_.begin(), source.ByStart_.end(),
                   [&source](size_t a, size_t b) { return source.Spans_[a].From < source.Spans_[b].From; });
  return source;
}

void ScriptedInputSource::SetPass(int64_t pass) {
  const bool next = Pass_ < std::numeric_limits<int64_t>::max() && pass == Pass_ + 1;
  Pass_ = pass;
  if (!next) return Gather();
  std::erase_if(Held_, [this](size_t i) { return Spans_[i].To < Pass_; });
  bool added = false;
  for (; NextStart_ < ByStart_.size() && Spans_[ByStart_[NextStart_]].From <= Pass_; ++NextStart_) {
    const size_t i = ByStart_[NextStart_];
    if (Spans_[i].To >= Pass_) {
      Held_.push_back(i);
      added = true;
    }
  }
  if (added) std::sort(Held_.begin(), Held_.end());
}

void ScriptedInputSource::Gather() {
  Held_.clear();
  for (size_t i = 0; i < Spans_.size(); ++i)
    if (Pass_ >= Spans_[i].From && Pass_ <= Spans_[i].To) Held_.push_back(i);
  NextStart_ = size_t(std::upper_bound(ByStart_.begin(), ByStart_.end(), Pass_,
                                       [this](int64_t pass, size_t i) { return pass < Spans_[i].From; }) -
                      ByStart_.begin());
}

bool ScriptedInputSource::ReadKeyboard(std::array<uint8_t, 256>& keys) {
  keys.fill(0);
  for (size_t i : Held_)
    for (uint8_t k : Spans_[i].Keys) keys[k] = 0x80;
  return true;
}

bool ScriptedInputSource::ReadPad(int index, JoyState& state) {
  if (!HasPad_ || index != 0) return false;
  state = JoyState{};
  state.Pov.fill(0xFFFFFFFFu);
  int x = 0, y = 0;
  for (size_t i : Held_) {
    const Span& span = Spans_[i];
    for (int b : span.PadButtons) state.Buttons[size_t(b)] = 0x80;
    if (span.HasStick) {
      x = span.StickX;
      y = span.StickY;
    }
  }
  state.lX = x < 0 ? -32768 : x > 0 ? 32767 : 0;
  state.lY = y < 0 ? -32768 : y > 0 ? 32767 : 0;
  return true;
}

bool ScriptedInputSource::IsKeyDown(uint8_t dik) {
  for (size_t i : Held_)
    for (uint8_t k : Spans_[i].Keys)
      if (k == dik) return true;
  return false;
}

}  // namespace vuzed
