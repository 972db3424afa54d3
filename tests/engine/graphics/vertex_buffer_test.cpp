#include "engine/graphics/vertex_buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "support/geometry_fixture.h"

namespace vuzed {
namespace {

constexpr const char* kLockFailed = "VertexBufferのロックに失敗しました(Error Code = D3DERR_INVALIDCALL )";

class VertexBufferTest : public test::GeometryFixture {
 protected:
  // Writes bytes 1, 2, 3, ... over the whole buffer.
  static void Fill(TMXVertexBuffer& b) {
    uint8_t* p = b.Lock(0, 0, 0);
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < b.Count() * b.Stride(); ++i) p[i] = uint8_t(i + 1);
    b.Unlock();
  }
  static std::vector<uint8_t> Content(const TMXVertexBuffer& b) {
    const GeometryImage* image = b.Image();
    if (!image) return {};
    return std::vector<uint8_t>(image->Data, image->Data + size_t(image->Count) * size_t(image->Stride));
  }
};

TEST_F(VertexBufferTest, AWritableUnlockBumpsTheVersionTheBackendUploadsBy) {
  TMXVertexBuffer b(&Device, "v", d3d::POOL_MANAGED, 0x42, 0, 16, 4);
  const GeometryImage* image = b.Image();
  ASSERT_NE(image, nullptr);
  EXPECT_NE(image->Id, 0u);
  EXPECT_EQ(image->FVF, 0x42u);
  EXPECT_EQ(image->Stride, 16);
  EXPECT_EQ(image->Count, 4);
  EXPECT_EQ(Content(b), std::vector<uint8_t>(64, 0));
  const uint64_t created = image->Version;
  ASSERT_NE(b.Lock(0, 0, d3d::LOCK_READONLY), nullptr);
  b.Unlock();
  EXPECT_EQ(image->Version, created);
  Fill(b);
  EXPECT_GT(image->Version, created);
  EXPECT_EQ(Content(b)[63], 64);
  EXPECT_TRUE(NewLogLines().empty());
}

TEST_F(VertexBufferTest, LockWindowsInsideTheBufferSucceedAndOthersFail) {
  TMXVertexBuffer b(&Device, "v", d3d::POOL_MANAGED, 0x2, 0, 12, 10);
  const uint8_t* base = b.Image()->Data;
  struct Row {
    int First, Count;
    bool Ok;
  };
  for (const Row& row : {Row{0, 0, true}, Row{3, 2, true}, Row{8, 0, true}, Row{9, 1, true}, Row{0, 10, true},
                         Row{10, 1, false}, Row{-1, 2, false}, Row{5, -1, false}, Row{4, 7, false}}) {
    uint8_t* p = b.Lock(row.First, row.Count, 0);
    EXPECT_EQ(p != nullptr, row.Ok) << row.First << "," << row.Count;
    if (p) {
      EXPECT_EQ(p, base + row.First * 12);
      b.Unlock();
      EXPECT_TRUE(NewLogLines().empty());
    } else {
      EXPECT_EQ(NewLogLines(), std::vector<std::string>{kLockFailed});
    }
  }
  ASSERT_NE(b.Lock(0, 0, 0), nullptr);
  EXPECT_EQ(b.Lock(0, 0, 0), nullptr);  // one lock at a time
  b.Unlock();
  b.Unlock();
  EXPECT_EQ(NewLogLines(), (std::vector<std::string>{
                               kLockFailed, "VertexBufferのアンロックに失敗しました(Error Code = D3DERR_INVALIDCALL )"}));
}

TEST_F(VertexBufferTest, ASizeThatCannotBeAllocatedLeavesNoBufferAndLocksFail) {
  for (int count : {-1, 1 << 12}) {
    TMXVertexBuffer b(&Device, "v", d3d::POOL_MANAGED, 0x2, 0, 1 << 20, count);
    EXPECT_EQ(b.Image(), nullptr);
    EXPECT_EQ(b.Lock(0, 0, 0), nullptr);
    EXPECT_EQ(NewLogLines(), (std::vector<std::string>{
                                 "VertexBufferの生成に失敗しました(Error Code = D3DERR_INVALIDCALL )", kLockFailed}));
  }
}

TEST_F(VertexBufferTest, AManagedBufferFilledOnceIsTheSameAfterADisplayModeChange) {
  TMXVertexBuffer b(&Device, "v", d3d::POOL_MANAGED, 0x1D2, 0, 40, 5);
  Fill(b);
  const std::vector<uint8_t> before = Content(b);
  const uint32_t id = b.Image()->Id;
  const uint64_t version = b.Image()->Version;
  ChangeMode();
  ASSERT_NE(b.Image(), nullptr);
  EXPECT_EQ(Content(b), before);
  EXPECT_EQ(b.Image()->Id, id);
  EXPECT_GT(b.Image()->Version, version);  // uploaded again
  EXPECT_TRUE(std::count(Backend.ForgottenGeometry.begin(), Backend.ForgottenGeometry.end(), id) > 0);
}

TEST_F(VertexBufferTest, ADefaultPoolBufferComesBackEmptyAfterAResetOrAModeChange) {
  TMXVertexBuffer b(&Device, "v", d3d::POOL_DEFAULT, 0x2, 0, 12, 3);
  Fill(b);
  Device.ResetDevice();
  EXPECT_EQ(Content(b), std::vector<uint8_t>(36, 0));
  Fill(b);
  ChangeMode();
  EXPECT_EQ(Content(b), std::vector<uint8_t>(36, 0));
  EXPECT_FALSE(b.HasBackup());
}

TEST_F(VertexBufferTest, SetCountKeepsTheBackupOnlyForTheSameCount) {
  for (int newCount : {4, 6}) {
    TMXVertexBuffer b(&Device, "v", d3d::POOL_MANAGED, 0x2, 0, 12, 4);
    Fill(b);
    ChangeMode();  // saves the content; the backup stays after the rebuild
    const std::vector<uint8_t> saved = Content(b);
    b.KeepBackup = false;  // the next release saves nothing new
    b.SetCount(newCount);
    EXPECT_EQ(b.HasBackup(), newCount == 4);
    Device.ReleaseAllResources();
    Device.RebuildAllResources();
    std::vector<uint8_t> expected(size_t(newCount) * 12, 0);
    if (newCount == 4) expected = saved;
    EXPECT_EQ(Content(b), expected) << newCount;
  }
}

TEST_F(VertexBufferTest, DestructionForgetsTheGeometryAndUnregisters) {
  const size_t registered = Device.ResourceCount();
  uint32_t id = 0;
  {
    TMXVertexBuffer b(&Device, "v", d3d::POOL_MANAGED, 0x2, 0, 12, 1);
    id = b.Image()->Id;
    EXPECT_EQ(Device.ResourceCount(), registered + 1);
  }
  EXPECT_EQ(Device.ResourceCount(), registered);
  EXPECT_EQ(std::count(Backend.ForgottenGeometry.begin(), Backend.ForgottenGeometry.end(), id), 1);
  EXPECT_EQ(Halts(), 0);
}

}  // namespace
}  // namespace vuzed
