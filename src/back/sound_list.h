#pragma once
// TSoundList: the sound effects "data\Music\effect\" + n + ".wav", n = 0..20,
// loaded once at start-up into slot n as static sounds; a missing file (or
// no sound device) leaves the slot empty, a file that cannot be loaded an
// empty sound (which plays nothing).

#include <memory>
#include <string>
#include <vector>

namespace vuzed {

struct TGameContext;
class TZudezuWaveData;

class TSoundList {
 public:
  static constexpr int kLastNumber = 20;

  explicit TSoundList(TGameContext& context);
  ~TSoundList();

  void LoadTable();
  // The sound at this number, or nullptr (empty slot or a number outside the table).
  TZudezuWaveData* Get(int number) const;
  int SlotCount() const { return int(Slots_.size()); }

 private:
  // One line on stderr and in the engine log.
  void ReportBrokenSound(const std::string& path, const std::string& why) const;

  TGameContext& Context_;
  std::vector<std::unique_ptr<TZudezuWaveData>> Slots_;
};

}  // namespace vuzed
