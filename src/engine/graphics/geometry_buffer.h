#pragma once
// TMXGeometryBuffer: what TMXVertexBuffer and TMXIndexBuffer share. A buffer
// is a CPU-side block of Stride x Count bytes that the backend uploads through
// its GeometryImage; it remembers how to re-create itself and, outside
// D3DPOOL_DEFAULT, keeps a copy of its content across a device release.
//
// Lock windows: Lock(first, count) covers elements first..first+count-1; a
// count of 0 covers first to the end of the buffer (Lock(0, 0) is the whole
// buffer). One lock at a time. Failed calls log their Direct3D-style message
// through CheckResult and hand out nothing.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/graphics/device.h"
#include "engine/platform/render_backend.h"

namespace vuzed {

class TMXGeometryBuffer : public TDeviceResource {
 public:
  ~TMXGeometryBuffer() override;

  // Releases the old block, drops the backup when n differs from Count, then
  // creates a zeroed block of n elements.
  void SetCount(int n);
  // The first locked element, or nullptr when the lock fails (no buffer,
  // already locked, or a window outside the buffer).
  uint8_t* Lock(int first, int count, uint32_t flags);
  void Unlock();

  int Count() const { return Count_; }
  int Stride() const { return Stride_; }
  uint32_t Pool() const { return Pool_; }
  uint32_t Usage() const { return Usage_; }
  bool HasBuffer() const { return Block_ != nullptr; }
  bool Locked() const { return Locked_; }
  bool HasBackup() const { return Backup_ != nullptr; }
  // True from creation: a device release first saves the content.
  bool KeepBackup = true;

  // The block as the backend sees it; nullptr while released.
  const GeometryImage* Image() const { return Block_ ? &Image_ : nullptr; }

 protected:
  // kind names the buffer in failure messages ("VertexBuffer", "IndexBuffer").
  TMXGeometryBuffer(TDovivez* device, const char* className, const char* kind, std::string name, uint32_t pool,
                    uint32_t usage, uint32_t fvf, int stride);

  void OnRelease() override;
  void OnRebuild() override;
  void OnLost() override;
  void OnReset() override;

  // The current lock window, valid while Locked().
  int LockFirst() const { return LockFirst_; }
  int LockLast() const { return LockLast_; }
  uint8_t* LockPointer() const { return LockPointer_; }
  // The content changed outside a writable lock: the backend must upload again.
  void Touch() { ++Image_.Version; }
  HRESULT Fail(HRESULT result, const char* what) const;

 private:
  void Create();
  void Release();
  void SaveBackup();

  const char* Kind_;
  uint32_t Pool_, Usage_;
  int Stride_;
  int Count_ = 0;
  size_t Bytes_ = 0;
  std::unique_ptr<uint8_t[]> Block_;
  std::unique_ptr<uint8_t[]> Backup_;
  size_t BackupBytes_ = 0;
  bool Locked_ = false;
  bool LockWritable_ = false;
  int LockFirst_ = 0, LockLast_ = -1;
  uint8_t* LockPointer_ = nullptr;
  GeometryImage Image_{};
};

}  // namespace vuzed
