#pragma once
// TScriptRun: the stage director. It loads the game at start-up (loading
// picture, settings file, picture and sound tables), runs the stage script
// every frame, and writes the settings file when it is freed.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/graphics/text_writer.h"

namespace vuzed {

struct TGameContext;

class TScriptRun {
 public:
  explicit TScriptRun(TGameContext& context);
  // Freeing the stage director writes the settings file.
  ~TScriptRun();

  // The start-up loader.
  void Initialize();
  // Reads "data\Script\Stage" + type + ".txt"; a missing file leaves the
  // director as it was.
  void LoadStage(int32_t type);
  void RunFrame();
  // Discards everything of the stage.
  void EndGame();
  // Writes the settings and records, only when the file exists.
  void SaveInformation();

  uint8_t ScriptMode = 0;  // 0 running, 1 paused, 2 novel dialogue, 3 ADV dialogue
  bool Active = false;
  int32_t MainCount = 0;   // the stage clock (TIME)
  bool FullScreen = false;
  // Dialogue text: a 16-glyph cache per bucket, 20-pixel cells.
  std::unique_ptr<TVZTextWriter> TextWriter;

 private:
  void ShowLoadingPicture(class TMXTexture& picture);

  TGameContext& Context_;
};

}  // namespace vuzed
