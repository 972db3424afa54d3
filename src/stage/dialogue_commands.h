#pragma once
// The command and text lines of dialogue procedures, novel and ADV. The
// stage director reads a dialogue batch by batch (dialogue_runner.cpp); each
// line of a batch comes here.
//
// Novel lines: SETPICTURECNTER(n), SETPICTURELEFT(n), SETPICTURERIGHT(n),
// SETTEXTCOLOR(n) and the text line "@text;" are tested first and the first
// that matches decides; SETMUSIC(n[,p]), SETSE(n), CLEANBULLET, CLEANENEMY,
// GAMEMODE and STAGEADJUSTMENT are then each tested on the same line.
// ADV lines: SETBACKPICTURE(n), the four picture and colour commands and the
// text line decide alone; "\;" (clear the page), SETMUSIC(n[,p]), SETSE(n),
// GAMEMODE (back to the stage with the page cleared) and GAMETERMINATE
// follow one after the other. Numbers are decimal integers
// between the first "(" and the next ")"; a line with a malformed number
// does nothing and is reported once for its place.

#include <cstdint>
#include <string_view>

#include "objects/script_line.h"

namespace vuzed {

struct TGameContext;
class TScriptRun;

enum class TDialogueCommand {
  BackPicture,
  CenterPicture,
  LeftPicture,
  RightPicture,
  TextColor,
  Text,
  ClearPage,
  SetMusic,
  SetSe,
  CleanBullet,
  CleanEnemy,
  GameMode,
  StageAdjustment,
  GameTerminate,
};

enum class TDialogueOutcome {
  Next,       // go on with the next line of the batch
  TextShown,  // a text line was shown: the batch ends after it
  SceneLeft,  // the game was left (GAMETERMINATE): the lines are gone
};

class TDialogueCommands {
 public:
  TDialogueCommands(TScriptRun& run, TGameContext& game) : Run_(run), Game_(game) {}

  TDialogueOutcome RunNovelLine(const TScriptLine& line);
  TDialogueOutcome RunAdvLine(const TScriptLine& line);

 private:
  TDialogueOutcome Execute(TDialogueCommand command, const TScriptLine& line, bool adv);
  bool Integer(const TScriptLine& line, std::string_view text, int32_t& value);
  bool Colour(const TScriptLine& line, std::string_view text, uint32_t& value);
  void SetPicture(const TScriptLine& line, int32_t& picture);
  void ShowNovelText(std::string_view text);
  void ShowAdvText(std::string_view text);
  void ClearPage();
  void NovelMusic(const TScriptLine& line);
  void AdvMusic(const TScriptLine& line);
  void NovelSound(const TScriptLine& line);
  void AdvSound(const TScriptLine& line);

  TScriptRun& Run_;
  TGameContext& Game_;
};

}  // namespace vuzed
