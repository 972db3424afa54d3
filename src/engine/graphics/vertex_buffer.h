#pragma once
// TMXVertexBuffer: Count vertices of Stride bytes, laid out as FVF says
// (position first). See TMXGeometryBuffer for locking and the device
// callbacks.

#include <cstdint>
#include <string>

#include "engine/graphics/geometry_buffer.h"

namespace vuzed {

class TMXVertexBuffer : public TMXGeometryBuffer {
 public:
  TMXVertexBuffer(TDovivez* device, std::string name, uint32_t pool, uint32_t fvf, uint32_t usage, int stride,
                  int count);

  uint32_t FVF() const { return FVF_; }

 private:
  uint32_t FVF_;
};

}  // namespace vuzed
