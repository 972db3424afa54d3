#pragma once
// Silences the process's standard error while it lives. Some system
// libraries (the ALSA library probing for a sound card that is not there)
// print their own chatter straight to file descriptor 2; the game says what
// matters in one line of its own instead.

namespace vuzed {

class TQuietStderr {
 public:
  TQuietStderr();
  ~TQuietStderr();
  TQuietStderr(const TQuietStderr&) = delete;
  TQuietStderr& operator=(const TQuietStderr&) = delete;

 private:
  int Saved_ = -1;  // the real standard error while silenced, or -1
};

}  // namespace vuzed
