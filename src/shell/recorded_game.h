#pragma once
// Starting the game a replay holds, as the title started it when it was
// recorded: the game scene, the ship, score and frame count as they were,
// the key delay and the random generator, then its first stage.

namespace vuzed {

class TForm1;
struct TReplay;

void StartRecordedGame(TForm1& form, const TReplay& replay);

}  // namespace vuzed
