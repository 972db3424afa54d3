#pragma once
// TFieldObjects: what the ship asks of the playfield's enemy-side lists
// (the enemy control owns them): a running bomb clears the enemy bullets,
// a lost ship leaves explosions.

namespace vuzed {

class TFieldObjects {
 public:
  // Frees every enemy bullet at once.
  virtual void ClearBullets() = 0;
  // An explosion effect centred at (x, y), at the end of the effect list.
  virtual void AddExplosion(float x, float y) = 0;

 protected:
  ~TFieldObjects() = default;
};

}  // namespace vuzed
