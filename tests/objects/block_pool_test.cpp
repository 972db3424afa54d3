// The block pool: blocks of one size lie one after another, a freed block is
// the next handed out, sizes do not mix, and big requests pass through.

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "objects/block_pool.h"

namespace vuzed {
namespace {

TEST(BlockPool, HandsOutAdjacentBlocksAndReusesTheNewestFreed) {
  for (std::size_t bytes : {std::size_t(1), std::size_t(64), std::size_t(65), std::size_t(200), TBlockPool::kLargestBlock}) {
    const std::size_t step = (bytes + TBlockPool::kStep - 1) / TBlockPool::kStep * TBlockPool::kStep;
    std::vector<char*> blocks;
    for (int i = 0; i < 8; ++i) {
      blocks.push_back(static_cast<char*>(TBlockPool::Allocate(bytes)));
      std::memset(blocks.back(), i, bytes);
    }
    EXPECT_EQ(std::set<char*>(blocks.begin(), blocks.end()).size(), blocks.size()) << bytes;
    int adjacent = 0;
    // Fresh blocks follow each other upwards; blocks freed in order come back
    // newest first, downwards.
    for (std::size_t i = 1; i < blocks.size(); ++i)
      adjacent += blocks[i] == blocks[i - 1] + step || blocks[i] == blocks[i - 1] - step;
    EXPECT_GE(adjacent, 6) << bytes;  // at most one slab boundary among eight
    for (int i = 0; i < 8; ++i) EXPECT_EQ(blocks[std::size_t(i)][bytes - 1], char(i)) << bytes;

    TBlockPool::Free(blocks[3], bytes);
    TBlockPool::Free(blocks[5], bytes);
    EXPECT_EQ(TBlockPool::Allocate(bytes), blocks[5]) << bytes;
    EXPECT_EQ(TBlockPool::Allocate(bytes), blocks[3]) << bytes;
    for (char* block : blocks) TBlockPool::Free(block, bytes);
  }
  // A size beyond the pool's own is the global allocator's, freed there.
  void* big = TBlockPool::Allocate(TBlockPool::kLargestBlock + 1);
  std::memset(big, 0, TBlockPool::kLargestBlock + 1);
  TBlockPool::Free(big, TBlockPool::kLargestBlock + 1);
}

}  // namespace
}  // namespace vuzed
