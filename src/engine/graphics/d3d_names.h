#pragma once
// Names and sizes of Direct3D values for the log and for pixel arithmetic.

#include <string>

#include "engine/graphics/d3d_types.h"

namespace vuzed {

// Name of a result code. Several names carry one trailing space; an unknown
// code reads "UNKNOWN ERROR ... $" and eight upper-case hex digits.
std::string D3DErrorName(HRESULT code);
// "A8R8G8B8", "DXT1", ...; anything else "UNKNOWN".
const char* FormatName(D3DFORMAT format);
// Bits per pixel; 0 for compressed, index, vertex and unknown formats.
int FormatBits(D3DFORMAT format);

class EngineLog;

// The log line of a failed call: text + "(Error Code = " + name + ")" through
// WriteLog, then the halt when the log options ask for it. Returns the result.
// Without a log (an object without a device) nothing is written or halted.
HRESULT CheckResult(EngineLog* log, HRESULT result, const std::string& text);

}  // namespace vuzed
