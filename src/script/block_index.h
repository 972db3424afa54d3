#pragma once
// The block searches of the compiler, answered in logarithmic time.
//
// Lines equal to "BEGIN;" count +1, lines equal to "END;" count -1, all
// others 0; D(i) is the sum over the lines before line i. A block starting at
// line a ends at the first line t >= a with D(t + 1) = D(a): a single line
// that counts 0 is a block by itself, "BEGIN;" ends at the "END;" that
// balances it. Searching line by line for every IF of a long script costs
// time in the square of its length; this index keeps D in a segment tree
// (minimum and maximum per range, with pending additions), so each search is
// one descent of the tree, also while the compiler rewrites BEGIN and END
// lines into lines that no longer count.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "objects/script_line.h"

namespace vuzed {

struct TBlock {
  std::size_t First = 0;
  std::size_t Last = 0;
};

class TBlockIndex {
 public:
  explicit TBlockIndex(const TLineList& lines);

  // The block that starts at `start`; nothing when the list ends before the
  // count is back where it started.
  std::optional<TBlock> FindBlock(std::size_t start) const;
  // The end of a procedure body from `start`: the first line at which the
  // count is back to where it started after at least one "BEGIN;" (so a VAR
  // section before the body does not end it). Nothing when the list ends first.
  std::optional<std::size_t> FindBodyEnd(std::size_t start) const;
  // The first "BEGIN;" line at or after `start`, or nothing.
  std::optional<std::size_t> NextBegin(std::size_t start) const;

  // The line was rewritten into one that counts 0.
  void Forget(std::size_t line);

 private:
  struct TNode {
    int64_t Min = 0;  // of D over the node's range, with the node's own Add but not its ancestors'
    int64_t Max = 0;
    int64_t Add = 0;  // pending addition for the whole range
  };

  int64_t DepthBefore(std::size_t line) const;
  // First leaf k >= from (leaf k holds D(k + 1)) with D <= v, or with D >= v.
  std::optional<std::size_t> FirstAtMost(std::size_t from, int64_t v) const;
  std::optional<std::size_t> FirstAtLeast(std::size_t from, int64_t v) const;
  std::optional<std::size_t> Search(std::size_t node, std::size_t lo, std::size_t hi, std::size_t from, int64_t v,
                                    bool atMost, int64_t above) const;
  void Build(std::size_t node, std::size_t lo, std::size_t hi, const std::vector<int64_t>& depth);
  void AddFrom(std::size_t node, std::size_t lo, std::size_t hi, std::size_t from, int64_t delta);

  std::size_t Size_ = 0;
  std::vector<int8_t> Steps_;
  std::vector<TNode> Tree_;
  std::set<std::size_t> Begins_;
};

}  // namespace vuzed
