#include "back/sound_list.h"

#include <string>

#include "engine/sound/sound_device.h"
#include "game/game_context.h"

namespace vuzed {

TSoundList::TSoundList(TGameContext& context) : Context_(context) { EnterPlayfield(Context_.Sounds, this); }
TSoundList::~TSoundList() { LeavePlayfield(Context_.Sounds, this); }

void TSoundList::LoadTable() {
  Slots_.clear();
  Slots_.resize(kLastNumber + 1);
  // Without an initialised sound device no sound can be loaded: every slot stays empty.
  if (!Context_.Zudezu1 || !Context_.Zudezu1->Initialized()) return;
  for (int n = 0; n <= kLastNumber; ++n) {
    auto file = Context_.Files.Resolve("data\\Music\\effect\\" + std::to_string(n) + ".wav");
    if (!file) continue;
    try {
      Slots_[size_t(n)] = std::make_unique<TZudezuWaveData>(*Context_.Zudezu1, false, file->string());
    } catch (const EZudezu&) {
      // ExceptOnError turned a loader message into an error: the slot stays empty.
    }
  }
}

TZudezuWaveData* TSoundList::Get(int number) const {
  if (number < 0 || size_t(number) >= Slots_.size()) return nullptr;
  return Slots_[size_t(number)].get();
}

}  // namespace vuzed
