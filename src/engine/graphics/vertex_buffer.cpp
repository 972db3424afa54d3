#include "engine/graphics/vertex_buffer.h"

namespace vuzed {

TMXVertexBuffer::TMXVertexBuffer(TDovivez* device, std::string name, uint32_t pool, uint32_t fvf, uint32_t usage,
                                 int stride, int count)
    : TMXGeometryBuffer(device, "TMXVertexBuffer", "VertexBuffer", std::move(name), pool, usage, fvf, stride),
      FVF_(fvf) {
  SetCount(count);
}

}  // namespace vuzed
