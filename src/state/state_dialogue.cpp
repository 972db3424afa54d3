#include "state/state.h"

namespace vuzed {

void TState::DrawNovel() {}
void TState::DrawNovelSideways() {}
void TState::DrawAdv() {}

}  // namespace vuzed
