// libFuzzer: the replay reader on arbitrary bytes. Whatever it accepts must
// write back to the very same bytes (the format has one encoding per replay),
// and a replayed input walks all of its passes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "replay/replay_input.h"
#include "replay/replay_reader.h"
#include "replay/replay_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string error;
  const std::optional<vuzed::TReplay> replay = vuzed::DecodeReplay(bytes, error);
  if (!replay) return 0;
  if (vuzed::EncodeReplay(*replay) != bytes) std::abort();
  vuzed::TReplayInput input(replay->Input, nullptr);
  uint32_t passes = 0;
  while (input.NextPass()) ++passes;
  if (passes != replay->Passes) std::abort();
  return 0;
}
