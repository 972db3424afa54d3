// The dialogue scenes' step: while the stage is in novel (2) or ADV (3)
// mode the stage director reads the dialogue procedure batch by batch
// instead of running MAIN.
//
// A batch is read when the display is open (the game state has drawn the
// scene at least once: DialogueFrame >= 0) and either the scene has just
// begun (DialogueLine = 0) or DialogueWait has run out while the shot key
// (button 0) or Ctrl is held. Otherwise a waiting DialogueWait counts down
// by one. A batch runs the lines from DialogueLine on until a text line has
// been shown - then DialogueLine moves past it and DialogueWait becomes 3
// with Ctrl held, else 20 - or until the lines end, leaving DialogueLine
// where it was: the commands after the last text then run again at every
// later advance, until one of them (GAMEMODE, GAMETERMINATE) ends the scene.
// So the next text needs 20 frames of waiting and the key on the frame
// after; with Ctrl held, 3.

#include <algorithm>

#include "engine/input/dik_codes.h"
#include "engine/input/input_device.h"
#include "engine/platform/input_source.h"
#include "stage/dialogue_commands.h"
#include "stage/script_run.h"
#include "game/game_context.h"
#include "state/state.h"

namespace vuzed {
namespace {

constexpr int32_t kWaitAfterText = 20;
constexpr int32_t kWaitAfterTextWithCtrl = 3;

bool CtrlDown(TGameContext& game) {
  InputSource* input = game.Platform.Input;
  return input && (input->IsKeyDown(dik::LCONTROL) || input->IsKeyDown(dik::RCONTROL));
}

bool ShotDown(TGameContext& game) { return game.Ruzud1 && game.Ruzud1->IsPressed(0); }

enum class TDialogueKind { Novel, Adv };

void RunDialogueStep(TScriptRun& run, TGameContext& game, TDialogueKind kind) {
  TState* state = game.State.get();
  if (!state || !run.DialogueLines) return;
  const bool ctrl = CtrlDown(game);
  const bool advance = state->DialogueFrame >= 0 &&
                       (run.DialogueLine == 0 || (run.DialogueWait == 0 && (ShotDown(game) || ctrl)));
  if (!advance) {
    if (run.DialogueWait > 0) run.DialogueWait -= 1;
    return;
  }
  TDialogueCommands commands(run, game);
  const TLineList& lines = *run.DialogueLines;
  for (size_t i = size_t(std::max<int32_t>(run.DialogueLine, 0)); i < lines.size(); ++i) {
    const TDialogueOutcome outcome =
        kind == TDialogueKind::Novel ? commands.RunNovelLine(lines[i]) : commands.RunAdvLine(lines[i]);
    if (outcome == TDialogueOutcome::SceneLeft) return;  // the stage and its lines are gone
    if (outcome == TDialogueOutcome::TextShown) {
      run.DialogueLine = int32_t(i + 1);
      run.DialogueWait = ctrl ? kWaitAfterTextWithCtrl : kWaitAfterText;
      return;
    }
  }
}

}  // namespace

void TScriptRun::RunNovel() { RunDialogueStep(*this, Context_, TDialogueKind::Novel); }

void TScriptRun::RunAdv() { RunDialogueStep(*this, Context_, TDialogueKind::Adv); }

}  // namespace vuzed
