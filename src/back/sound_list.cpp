#include "back/sound_list.h"

#include "engine/sound/sound_device.h"
#include "shell/game_context.h"

namespace vuzed {

TSoundList::TSoundList(TGameContext& context) : Context_(context) {}
TSoundList::~TSoundList() = default;

void TSoundList::LoadTable() {
  Slots_.clear();
  Slots_.resize(kLastNumber + 1);
  // Without an initialised sound device no sound can be loaded: every slot stays empty.
  if (!Context_.Zudezu1 || !Context_.Zudezu1->Initialized()) return;
}

TZudezuWaveData* TSoundList::Get(int number) const {
  if (number < 0 || size_t(number) >= Slots_.size()) return nullptr;
  return Slots_[size_t(number)].get();
}

}  // namespace vuzed
