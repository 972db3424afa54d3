#pragma once
// TMXIndexBuffer: Count 16-bit indices (D3DFMT_INDEX16, host byte order) of
// a triangle list. See TMXGeometryBuffer for locking and the device callbacks.

#include <cstdint>
#include <string>

#include "engine/graphics/geometry_buffer.h"

namespace vuzed {

class TMXIndexBuffer : public TMXGeometryBuffer {
 public:
  static constexpr int kIndexSize = 2;

  TMXIndexBuffer(TDovivez* device, std::string name, uint32_t pool, uint32_t usage, int count);

  // Inside a lock, i must lie in the lock window; outside, below Count (each
  // access then locks just that element). Out of range: a log line, and a
  // read gives 0 while a write changes nothing.
  uint16_t GetIndex(int i);
  void SetIndex(int i, uint16_t value);
};

}  // namespace vuzed
