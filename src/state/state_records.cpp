// The per-stage records: four scores per table, best first.

#include <algorithm>

#include "state/state.h"

namespace vuzed {
namespace {

// ScoreTable holds Score<g>_<b>_<k> at (g - 1) x 16 + (b - 1) x 4 + (k - 1).
constexpr int kEntriesPerTable = 4;
constexpr int TableIndex(int g, int b) { return (g - 1) * 16 + (b - 1) * kEntriesPerTable; }

}  // namespace

int ScoreTableBase(int32_t stageType) {
  switch (stageType) {
    case 0:  // the main game's first stage under its other number
    case 1: return TableIndex(1, 1);
    case 2: return TableIndex(1, 2);
    case 3: return TableIndex(1, 3);
    case 4: return TableIndex(1, 4);
    case 5: return TableIndex(3, 1);
    default: return -1;
  }
}

void TState::RecordScore() {
  const int base = ScoreTableBase(StageType);
  if (base >= 0) {
    auto first = ScoreTable.begin() + base, last = first + kEntriesPerTable;
    // Before the first entry it beats; an equal score does not get in.
    auto place = std::find_if(first, last, [this](int32_t entry) { return Score > entry; });
    if (place != last) {
      std::move_backward(place, last - 1, last);
      *place = Score;
    }
  }
  Score = 0;
}

}  // namespace vuzed
