#include "title/title.h"

namespace vuzed {

TTitle::TTitle(TGameContext& context) : Context_(context) {}

void TTitle::Step() {}

void TTitle::ShowMainMenu(int32_t cursor) {
  Screen = 0;
  Cursor = cursor;
}

}  // namespace vuzed
