// libFuzzer: the script compiler on arbitrary bytes. The first byte chooses
// how the rest is compiled (even: a stage file, odd: a used file); used files
// named by a stage are never looked up on disk.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "script/compiler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  vuzed::TCompiledScript script;
  vuzed::TCompileDiagnostics diagnostics;
  if (data[0] & 1)
    vuzed::CompileUnitText(bytes, "fuzz.txt", script, &diagnostics);
  else
    vuzed::CompileStageText(bytes, "fuzz.txt", nullptr, script, &diagnostics);
  return 0;
}
