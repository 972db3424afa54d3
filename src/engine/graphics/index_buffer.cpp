#include "engine/graphics/index_buffer.h"

#include <cstring>

#include "engine/graphics/d3d_names.h"

namespace vuzed {

TMXIndexBuffer::TMXIndexBuffer(TDovivez* device, std::string name, uint32_t pool, uint32_t usage, int count)
    : TMXGeometryBuffer(device, "TMXIndexBuffer", "IndexBuffer", std::move(name), pool, usage, 0, kIndexSize) {
  SetCount(count);
}

uint16_t TMXIndexBuffer::GetIndex(int i) {
  uint16_t value = 0;
  if (Locked()) {
    if (i < LockFirst() || i > LockLast()) {
      CheckResult(Log(), d3derr::ENGINE_FAIL, "IndexBufferのロックされた範囲の外を読もうとしました");
      return 0;
    }
    std::memcpy(&value, LockPointer() + size_t(i - LockFirst()) * kIndexSize, kIndexSize);
    return value;
  }
  if (i < 0 || i >= Count()) {
    CheckResult(Log(), d3derr::ENGINE_FAIL, "IndexBufferの範囲外を読み込もうとしました");
    return 0;
  }
  const uint8_t* p = Lock(i, 1, d3d::LOCK_READONLY);
  if (!p) return 0;
  std::memcpy(&value, p, kIndexSize);
  Unlock();
  return value;
}

void TMXIndexBuffer::SetIndex(int i, uint16_t value) {
  if (Locked()) {
    if (i < LockFirst() || i > LockLast()) {
      CheckResult(Log(), d3derr::ENGINE_FAIL, "IndexBufferのロックされた範囲の外へ書こうとしました");
      return;
    }
    std::memcpy(LockPointer() + size_t(i - LockFirst()) * kIndexSize, &value, kIndexSize);
    Touch();
    return;
  }
  if (i < 0 || i >= Count()) {
    CheckResult(Log(), d3derr::ENGINE_FAIL, "IndexBufferの範囲外へ書き込もうとしました");
    return;
  }
  uint8_t* p = Lock(i, 1, 0);
  if (!p) return;
  std::memcpy(p, &value, kIndexSize);
  Unlock();  // a writable unlock: the backend uploads again
}

}  // namespace vuzed
