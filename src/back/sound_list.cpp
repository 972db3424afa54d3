#include "back/sound_list.h"

#include <cstdio>
#include <string>

#include "engine/graphics/device.h"
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
    // A file that is no sound the game can play leaves its slot silent (or
    // empty when ExceptOnError turned the loader's message into an error);
    // the player and the log hear why.
    try {
      Slots_[size_t(n)] = std::make_unique<TZudezuWaveData>(*Context_.Zudezu1, false, file->string());
      if (Slots_[size_t(n)]->Empty()) ReportBrokenSound(file->string(), "not a PCM wave file the game can play");
    } catch (const EZudezu& e) {
      ReportBrokenSound(file->string(), e.what());
    }
  }
}

void TSoundList::ReportBrokenSound(const std::string& path, const std::string& why) const {
  const std::string message = path + ": the sound cannot be used: " + why;
  std::fprintf(stderr, "%s\n", message.c_str());
  if (Context_.Dovivez1) Context_.Dovivez1->Log().WriteLog(message);
}

TZudezuWaveData* TSoundList::Get(int number) const {
  if (number < 0 || size_t(number) >= Slots_.size()) return nullptr;
  return Slots_[size_t(number)].get();
}

}  // namespace vuzed
