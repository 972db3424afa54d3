// libFuzzer: the --input key script parser on arbitrary bytes. A script that
// parses is played: it jumps to a few passes (around its first span and some
// fixed ones) and steps on one pass at a time from each; the keys held at
// every pass must be those of the spans that cover it (the index that moves
// on by one pass agrees with a full look-up). A malformed script must name
// its line.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "engine/platform/scripted_input_source.h"

namespace {

using vuzed::ScriptedInputSource;

// The keyboard as the spans covering `pass` hold it.
std::array<uint8_t, 256> Expected(const ScriptedInputSource& source, int64_t pass) {
  std::array<uint8_t, 256> keys{};
  for (const ScriptedInputSource::Span& span : source.Spans())
    if (pass >= span.From && pass <= span.To)
      for (uint8_t k : span.Keys) keys[k] = 0x80;
  return keys;
}

// The keyboard at `pass`; with everyKey, each key's IsKeyDown as well.
void Check(ScriptedInputSource& source, int64_t pass, bool everyKey) {
  std::array<uint8_t, 256> keys{};
  source.ReadKeyboard(keys);
  if (keys != Expected(source, pass)) std::abort();
  if (!everyKey) return;
  for (int k = 0; k < 256; ++k)
    if (source.IsKeyDown(uint8_t(k)) != (keys[size_t(k)] != 0)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string error;
  std::optional<ScriptedInputSource> source = ScriptedInputSource::Parse(text, error);
  if (!source) {
    // "LINE: why", the line counted from 1.
    if (error.empty() || error[0] < '1' || error[0] > '9' || error.find(": ") == std::string::npos) std::abort();
    return 0;
  }
  // Jump targets: around the first span's edges and a few fixed passes. A
  // game counts passes up from 1, far from the end of the 64-bit range.
  constexpr int64_t kLastStart = std::numeric_limits<int64_t>::max() / 2;
  int64_t starts[] = {1, 0, 7, 1000000};
  if (!source->Spans().empty()) {
    const auto& first = source->Spans().front();
    starts[1] = std::min(first.From - 1, kLastStart);
    starts[2] = std::min(first.To, kLastStart);
  }
  for (int64_t start : starts) {
    source->SetPass(start);
    Check(*source, start, true);
    for (int64_t pass = start + 1; pass < start + 40; ++pass) {
      source->SetPass(pass);
      Check(*source, pass, false);
      vuzed::JoyState pad{};
      source->ReadPad(0, pad);
    }
  }
  return 0;
}
