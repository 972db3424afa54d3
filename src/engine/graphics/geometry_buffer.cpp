#include "engine/graphics/geometry_buffer.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "engine/graphics/d3d_names.h"

namespace vuzed {
namespace {

// The largest block a buffer may hold; Direct3D sizes are 32-bit, and a size
// past this is a caller's arithmetic gone wrong.
constexpr int64_t kMaxBlockBytes = std::numeric_limits<int32_t>::max();

}  // namespace

TMXGeometryBuffer::TMXGeometryBuffer(TDovivez* device, const char* className, const char* kind, std::string name,
                                     uint32_t pool, uint32_t usage, uint32_t fvf, int stride)
    : TDeviceResource(device, className, std::move(name)), Kind_(kind), Pool_(pool), Usage_(usage), Stride_(stride) {
  Image_.Id = NextBackendObjectId();
  Image_.FVF = fvf;
  Image_.Stride = stride;
}

TMXGeometryBuffer::~TMXGeometryBuffer() {
  Backup_.reset();
  Release();
}

HRESULT TMXGeometryBuffer::Fail(HRESULT result, const char* what) const {
  return CheckResult(Log(), result, std::string(Kind_) + what);
}

void TMXGeometryBuffer::SetCount(int n) {
  Release();
  if (n != Count_) {
    Backup_.reset();
    BackupBytes_ = 0;
  }
  Count_ = n;
  Create();
}

void TMXGeometryBuffer::Create() {
  const int64_t bytes = int64_t(Count_) * int64_t(Stride_);
  if (Count_ < 0 || Stride_ <= 0 || bytes > kMaxBlockBytes) {
    Fail(d3derr::INVALIDCALL, "の生成に失敗しました");
    return;
  }
  try {
    // Never empty, so a lock of an empty buffer still hands out a pointer.
    Block_ = std::make_unique<uint8_t[]>(std::max<size_t>(size_t(bytes), 1));
  } catch (const std::bad_alloc&) {
    Fail(d3derr::OUTOFVIDEOMEMORY, "の生成に失敗しました");
    return;
  }
  Bytes_ = size_t(bytes);
  Locked_ = false;
  Image_.Count = Count_;
  Image_.Data = Block_.get();
  Touch();
}

void TMXGeometryBuffer::Release() {
  if (!Block_) return;
  // A lock does not outlive its buffer: whoever holds the pointer is wrong.
  if (Locked_) Fail(d3derr::INVALIDCALL, "の解放に失敗しました");
  if (Device()) Device()->Backend().ForgetGeometry(Image_.Id);
  Block_.reset();
  Bytes_ = 0;
  Image_.Data = nullptr;
  Locked_ = false;
  LockPointer_ = nullptr;
}

uint8_t* TMXGeometryBuffer::Lock(int first, int count, uint32_t flags) {
  if (!Block_ || Locked_) {
    Fail(d3derr::INVALIDCALL, "のロックに失敗しました");
    return nullptr;
  }
  if (count == 0) count = Count_ - first;
  if (first < 0 || count < 0 || int64_t(first) + count > Count_) {
    Fail(d3derr::INVALIDCALL, "のロックに失敗しました");
    return nullptr;
  }
  Locked_ = true;
  LockWritable_ = (flags & d3d::LOCK_READONLY) == 0;
  LockFirst_ = first;
  LockLast_ = first + count - 1;
  LockPointer_ = Block_.get() + size_t(first) * size_t(Stride_);
  return LockPointer_;
}

void TMXGeometryBuffer::Unlock() {
  if (!Locked_) {
    Fail(d3derr::INVALIDCALL, "のアンロックに失敗しました");
    return;
  }
  Locked_ = false;
  LockPointer_ = nullptr;
  if (LockWritable_) Touch();
}

// ---- Device callbacks ----

void TMXGeometryBuffer::SaveBackup() {
  if (!Block_ || Pool_ == d3d::POOL_DEFAULT) return;
  Backup_ = std::make_unique<uint8_t[]>(std::max<size_t>(Bytes_, 1));
  std::memcpy(Backup_.get(), Block_.get(), Bytes_);
  BackupBytes_ = Bytes_;
}

void TMXGeometryBuffer::OnRelease() {
  if (KeepBackup) SaveBackup();
  Release();
}

void TMXGeometryBuffer::OnRebuild() {
  // A buffer that was never released still holds its content.
  if (Block_) return;
  SetCount(Count_);
  if (Block_ && Backup_ && Pool_ != d3d::POOL_DEFAULT) {
    std::memcpy(Block_.get(), Backup_.get(), std::min(Bytes_, BackupBytes_));
    Touch();
  }
}

void TMXGeometryBuffer::OnLost() {
  if (Pool_ == d3d::POOL_DEFAULT) Release();
}

void TMXGeometryBuffer::OnReset() {
  if (Pool_ == d3d::POOL_DEFAULT && !Block_) SetCount(Count_);
}

}  // namespace vuzed
