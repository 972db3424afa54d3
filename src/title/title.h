#pragma once
// TTitle: the title menu with its screens. Screen 0 is the main menu.

#include <cstdint>

namespace vuzed {

struct TGameContext;

class TTitle {
 public:
  explicit TTitle(TGameContext& context);

  // One frame of the title scene.
  void Step();
  // Back to the main menu with the cursor on the given item.
  void ShowMainMenu(int32_t cursor);

  int32_t Screen = 0;
  int32_t Cursor = 0;
  int32_t InputDelay = 0;

 private:
  [[maybe_unused]] TGameContext& Context_;
};

}  // namespace vuzed
