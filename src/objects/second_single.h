#pragma once
// A script variable: one single-precision value in a cell of its own. Readers
// and writers go through the cell, so a pointer to it stays valid for as long
// as the variable exists, wherever the holder itself is moved.

#include <memory>

namespace vuzed {

class TSecondSingle {
 public:
  explicit TSecondSingle(float initial = 0.0f) : Value(std::make_unique<float>(initial)) {}

  float Get() const { return *Value; }
  void Set(float v) { *Value = v; }

  std::unique_ptr<float> Value;  // null only in a holder that was moved from
};

}  // namespace vuzed
