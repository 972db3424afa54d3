#include "title/opening.h"

namespace vuzed {

TOpening::TOpening(TGameContext& context) : Context_(context) {}

void TOpening::Step() {}

}  // namespace vuzed
