#include "script/block_index.h"

#include <algorithm>

namespace vuzed {

TBlockIndex::TBlockIndex(const TLineList& lines) : Size_(lines.size()), Steps_(lines.size(), 0) {
  std::vector<int64_t> depth(Size_);
  int64_t d = 0;
  for (std::size_t i = 0; i < Size_; ++i) {
    const std::string& text = lines[i].Text;
    Steps_[i] = text == "BEGIN;" ? 1 : text == "END;" ? -1 : 0;
    if (Steps_[i] > 0) Begins_.insert(Begins_.end(), i);
    depth[i] = d += Steps_[i];
  }
  if (Size_ == 0) return;
  Tree_.resize(4 * Size_);
  Build(1, 0, Size_ - 1, depth);
}

void TBlockIndex::Build(std::size_t node, std::size_t lo, std::size_t hi, const std::vector<int64_t>& depth) {
  if (lo == hi) {
    Tree_[node] = {depth[lo], depth[lo], 0};
    return;
  }
  const std::size_t mid = lo + (hi - lo) / 2;
  Build(2 * node, lo, mid, depth);
  Build(2 * node + 1, mid + 1, hi, depth);
  Tree_[node] = {std::min(Tree_[2 * node].Min, Tree_[2 * node + 1].Min),
                 std::max(Tree_[2 * node].Max, Tree_[2 * node + 1].Max), 0};
}

void TBlockIndex::AddFrom(std::size_t node, std::size_t lo, std::size_t hi, std::size_t from, int64_t delta) {
  if (hi < from) return;
  TNode& n = Tree_[node];
  if (from <= lo) {
    n.Min += delta;
    n.Max += delta;
    n.Add += delta;
    return;
  }
  const std::size_t mid = lo + (hi - lo) / 2;
  AddFrom(2 * node, lo, mid, from, delta);
  AddFrom(2 * node + 1, mid + 1, hi, from, delta);
  n.Min = std::min(Tree_[2 * node].Min, Tree_[2 * node + 1].Min) + n.Add;
  n.Max = std::max(Tree_[2 * node].Max, Tree_[2 * node + 1].Max) + n.Add;
}

std::optional<std::size_t> TBlockIndex::Search(std::size_t node, std::size_t lo, std::size_t hi, std::size_t from,
                                               int64_t v, bool atMost, int64_t above) const {
  if (hi < from) return std::nullopt;
  const TNode& n = Tree_[node];
  if (atMost ? n.Min + above > v : n.Max + above < v) return std::nullopt;
  if (lo == hi) return lo;
  const std::size_t mid = lo + (hi - lo) / 2;
  if (auto left = Search(2 * node, lo, mid, from, v, atMost, above + n.Add)) return left;
  return Search(2 * node + 1, mid + 1, hi, from, v, atMost, above + n.Add);
}

std::optional<std::size_t> TBlockIndex::FirstAtMost(std::size_t from, int64_t v) const {
  if (from >= Size_) return std::nullopt;
  return Search(1, 0, Size_ - 1, from, v, true, 0);
}

std::optional<std::size_t> TBlockIndex::FirstAtLeast(std::size_t from, int64_t v) const {
  if (from >= Size_) return std::nullopt;
  return Search(1, 0, Size_ - 1, from, v, false, 0);
}

int64_t TBlockIndex::DepthBefore(std::size_t line) const {
  if (line == 0) return 0;
  // Leaf line - 1 holds D(line): sum the additions on the way down to it.
  std::size_t node = 1, lo = 0, hi = Size_ - 1;
  const std::size_t leaf = line - 1;
  int64_t above = 0;
  while (lo != hi) {
    above += Tree_[node].Add;
    const std::size_t mid = lo + (hi - lo) / 2;
    if (leaf <= mid) {
      node = 2 * node;
      hi = mid;
    } else {
      node = 2 * node + 1;
      lo = mid + 1;
    }
  }
  return Tree_[node].Min + above;
}

std::optional<TBlock> TBlockIndex::FindBlock(std::size_t start) const {
  if (start >= Size_) return std::nullopt;
  if (Steps_[start] == 0) return TBlock{start, start};
  // The count steps by one, so the first line at which it is back at or
  // past the start value ends the block.
  const int64_t base = DepthBefore(start);
  const auto end = Steps_[start] > 0 ? FirstAtMost(start, base) : FirstAtLeast(start, base);
  if (!end) return std::nullopt;
  return TBlock{start, *end};
}

std::optional<std::size_t> TBlockIndex::NextBegin(std::size_t start) const {
  auto it = Begins_.lower_bound(start);
  if (it == Begins_.end()) return std::nullopt;
  return *it;
}

std::optional<std::size_t> TBlockIndex::FindBodyEnd(std::size_t start) const {
  // Before the first BEGIN the count only falls; from that BEGIN on, the
  // body ends where the count is first back at its start value.
  const std::optional<std::size_t> begin = NextBegin(start);
  if (!begin) return std::nullopt;
  const int64_t base = DepthBefore(start);
  const int64_t after = DepthBefore(*begin + 1);
  if (after == base) return *begin;
  return after > base ? FirstAtMost(*begin, base) : FirstAtLeast(*begin, base);
}

void TBlockIndex::Forget(std::size_t line) {
  if (line >= Size_ || Steps_[line] == 0) return;
  if (Steps_[line] > 0) Begins_.erase(line);
  AddFrom(1, 0, Size_ - 1, line, -Steps_[line]);
  Steps_[line] = 0;
}

}  // namespace vuzed
