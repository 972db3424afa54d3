#pragma once
// TStageShared: the running stage as its scripted objects see it. Enemies,
// familiars, bosses and scripted bullets call the stage's procedures, read
// its variables and clock, report their mistakes and open its dialogue
// scenes through this; the stage director (stage/script_run.h) is the one
// that fills it.

#include <cstdint>

#include "game/game_flow.h"
#include "objects/var_table.h"
#include "script/compiler.h"
#include "script/script_errors.h"

namespace vuzed {

class TStageShared {
 public:
  // Discards everything of the stage (the director's EndGame).
  virtual void EndGame() = 0;

  // A dialogue scene starts at the first of its lines: the stage's MAIN
  // rests until the scene's GAMEMODE.
  void OpenDialogue(TScriptMode mode, const TLineList* lines) {
    ScriptMode = mode;
    DialogueLines = lines;
    DialogueLine = 0;
  }

  TScriptMode ScriptMode = TScriptMode::Running;
  bool Active = false;     // a stage has been loaded and goes on
  int32_t MainCount = 0;   // the stage clock (TIME)
  TCompiledScript Script;  // Procedures and Statements of the stage
  TVarTable GlobalVars;
  TVarTable* LocalVars = nullptr;  // the running procedure's variables
  const TLineList* DialogueLines = nullptr;
  int32_t DialogueLine = 0;
  int32_t DialogueWait = 0;  // frames before the next advance
  TScriptErrors Errors;

 protected:
  TStageShared() = default;
  ~TStageShared() = default;
};

}  // namespace vuzed
