#pragma once
// TOpening: the logo sequence shown before the title.

namespace vuzed {

struct TGameContext;

class TOpening {
 public:
  explicit TOpening(TGameContext& context);
  // One frame of the opening scene.
  void Step();

 private:
  [[maybe_unused]] TGameContext& Context_;
};

}  // namespace vuzed
