#include "engine/graphics/index_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/geometry_fixture.h"

namespace vuzed {
namespace {

const std::string kEngineFail = "(Error Code = UNKNOWN ERROR ... $00000001)";

class IndexBufferTest : public test::GeometryFixture {
 protected:
  // Index i holds 100 + i.
  void SetUp() override {
    GeometryFixture::SetUp();
    for (int i = 0; i < 20; ++i) Indices.SetIndex(i, uint16_t(100 + i));
    NewLogLines();
  }
  TMXIndexBuffer Indices{&Device, "i", d3d::POOL_MANAGED, 0, 20};
};

TEST_F(IndexBufferTest, OutsideALockEachAccessLocksOneElementAndBumpsTheVersionOnWrite) {
  const GeometryImage* image = Indices.Image();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Stride, 2);
  EXPECT_EQ(image->FVF, 0u);
  EXPECT_EQ(Indices.GetIndex(7), 107);
  const uint64_t version = image->Version;
  Indices.SetIndex(7, 9);
  EXPECT_GT(image->Version, version);
  EXPECT_FALSE(Indices.Locked());
  EXPECT_EQ(Indices.GetIndex(7), 9);
  EXPECT_TRUE(NewLogLines().empty());
}

TEST_F(IndexBufferTest, AWholeBufferLockReadsAndWritesEveryElementThroughThePointer) {
  ASSERT_NE(Indices.Lock(0, 0, 0), nullptr);
  EXPECT_EQ(Indices.GetIndex(5), 105);
  EXPECT_EQ(Indices.GetIndex(19), 119);
  Indices.SetIndex(19, 7);
  Indices.Unlock();
  EXPECT_EQ(Indices.GetIndex(19), 7);
  EXPECT_TRUE(NewLogLines().empty());
}

TEST_F(IndexBufferTest, InsideALockOnlyTheLockedWindowIsReachable) {
  ASSERT_NE(Indices.Lock(10, 4, 0), nullptr);
  EXPECT_EQ(Indices.GetIndex(12), 112);  // the third locked element
  EXPECT_EQ(Indices.GetIndex(10), 110);
  EXPECT_EQ(Indices.GetIndex(13), 113);
  EXPECT_TRUE(NewLogLines().empty());
  EXPECT_EQ(Indices.GetIndex(14), 0);
  EXPECT_EQ(Indices.GetIndex(9), 0);
  Indices.SetIndex(14, 1);
  Indices.SetIndex(9, 1);
  Indices.Unlock();
  EXPECT_EQ(Indices.GetIndex(14), 114);
  EXPECT_EQ(Indices.GetIndex(9), 109);
  const std::string read = "IndexBufferのロックされた範囲の外を読もうとしました" + kEngineFail;
  const std::string write = "IndexBufferのロックされた範囲の外へ書こうとしました" + kEngineFail;
  EXPECT_EQ(NewLogLines(), (std::vector<std::string>{read, read, write, write}));
}

TEST_F(IndexBufferTest, OutsideALockTheIndexMustLieBelowTheCount) {
  for (int i : {20, -1, 1000}) {
    EXPECT_EQ(Indices.GetIndex(i), 0);
    Indices.SetIndex(i, 1);
    EXPECT_EQ(NewLogLines(), (std::vector<std::string>{"IndexBufferの範囲外を読み込もうとしました" + kEngineFail,
                                                       "IndexBufferの範囲外へ書き込もうとしました" + kEngineFail}))
        << i;
  }
  for (int i = 0; i < 20; ++i) EXPECT_EQ(Indices.GetIndex(i), 100 + i);
}

TEST_F(IndexBufferTest, AReleasedBufferReadsZeroWithTheLockMessage) {
  Device.ReleaseAllResources();
  EXPECT_EQ(Indices.Image(), nullptr);
  EXPECT_EQ(Indices.GetIndex(3), 0);
  EXPECT_EQ(NewLogLines(),
            std::vector<std::string>{"IndexBufferのロックに失敗しました(Error Code = D3DERR_INVALIDCALL )"});
  Device.RebuildAllResources();
  EXPECT_EQ(Indices.GetIndex(3), 103);
}

}  // namespace
}  // namespace vuzed
