#include "stage/dialogue_commands.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

#include "back/sound_list.h"
#include "enemy/enemy_control.h"
#include "engine/graphics/texture.h"
#include "engine/sound/sound_device.h"
#include "objects/string_helpers.h"
#include "stage/dialogue_text.h"
#include "script/script_report_text.h"
#include "stage/script_run.h"
#include "game/game_context.h"
#include "state/music_player.h"
#include "state/state.h"
#include "title/title.h"

namespace vuzed {
namespace {

struct TDialogueEntry {
  std::string_view Prefix;
  TDialogueCommand Command;
};

// Tests in their order. Of the deciding ones the first match decides alone;
// the following ones are each tried on a line no deciding test matched.
constexpr TDialogueEntry kNovelDeciding[] = {
    {"SETPICTURECNTER(", TDialogueCommand::CenterPicture},
    {"SETPICTURELEFT(", TDialogueCommand::LeftPicture},
    {"SETPICTURERIGHT(", TDialogueCommand::RightPicture},
    {"SETTEXTCOLOR(", TDialogueCommand::TextColor},
    {"@", TDialogueCommand::Text},
};
constexpr TDialogueEntry kNovelFollowing[] = {
    {"SETMUSIC(", TDialogueCommand::SetMusic},
    {"SETSE(", TDialogueCommand::SetSe},
    {"CLEANBULLET", TDialogueCommand::CleanBullet},
    {"CLEANENEMY", TDialogueCommand::CleanEnemy},
    {"GAMEMODE", TDialogueCommand::GameMode},
    {"STAGEADJUSTMENT", TDialogueCommand::StageAdjustment},
};
constexpr TDialogueEntry kAdvDeciding[] = {
    {"SETBACKPICTURE(", TDialogueCommand::BackPicture},
    {"SETPICTURECNTER(", TDialogueCommand::CenterPicture},
    {"SETPICTURELEFT(", TDialogueCommand::LeftPicture},
    {"SETPICTURERIGHT(", TDialogueCommand::RightPicture},
    {"SETTEXTCOLOR(", TDialogueCommand::TextColor},
    {"@", TDialogueCommand::Text},
};
constexpr TDialogueEntry kAdvFollowing[] = {
    {"\\;", TDialogueCommand::ClearPage},
    {"SETMUSIC(", TDialogueCommand::SetMusic},
    {"SETSE(", TDialogueCommand::SetSe},
    {"GAMEMODE", TDialogueCommand::GameMode},
    {"GAMETERMINATE", TDialogueCommand::GameTerminate},
};

// The ADV scenes' tune, whatever number SETMUSIC names. It is looked for in
// the data directory only.
constexpr const char* kAdvTunePath = "data\\Music\\BGM\\0.wav";

// The argument text: between the first "(" and the next ")".
std::string Arguments(std::string_view line) { return GetBetween(line, "(", ")", 1); }

// A decimal integer with an optional sign, within [low, high].
std::optional<int64_t> ParseDecimal(std::string_view text, int64_t low, int64_t high) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

}  // namespace

TDialogueOutcome TDialogueCommands::RunNovelLine(const TScriptLine& line) {
  for (const TDialogueEntry& e : kNovelDeciding)
    if (StartsWithText(e.Prefix, line.Text)) return Execute(e.Command, line, false);
  for (const TDialogueEntry& e : kNovelFollowing) {
    if (!StartsWithText(e.Prefix, line.Text)) continue;
    if (TDialogueOutcome outcome = Execute(e.Command, line, false); outcome != TDialogueOutcome::Next) return outcome;
  }
  return TDialogueOutcome::Next;
}

TDialogueOutcome TDialogueCommands::RunAdvLine(const TScriptLine& line) {
  for (const TDialogueEntry& e : kAdvDeciding)
    if (StartsWithText(e.Prefix, line.Text)) return Execute(e.Command, line, true);
  for (const TDialogueEntry& e : kAdvFollowing) {
    // GAMETERMINATE frees the lines: nothing may look at `line` after it.
    if (!StartsWithText(e.Prefix, line.Text)) continue;
    if (TDialogueOutcome outcome = Execute(e.Command, line, true); outcome != TDialogueOutcome::Next) return outcome;
  }
  return TDialogueOutcome::Next;
}

TDialogueOutcome TDialogueCommands::Execute(TDialogueCommand command, const TScriptLine& line, bool adv) {
  TState& state = *Game_.State;
  switch (command) {
    case TDialogueCommand::BackPicture: SetPicture(line, state.Dialogue.BackPicture); break;
    case TDialogueCommand::CenterPicture: SetPicture(line, state.Dialogue.CenterPicture); break;
    case TDialogueCommand::LeftPicture: SetPicture(line, state.Dialogue.LeftPicture); break;
    case TDialogueCommand::RightPicture: SetPicture(line, state.Dialogue.RightPicture); break;
    case TDialogueCommand::TextColor: {
      uint32_t colour = 0;
      if (Colour(line, Arguments(line.Text), colour)) state.Dialogue.TextColor = colour;
      break;
    }
    case TDialogueCommand::Text:
      if (adv)
        ShowAdvText(DialogueText(line.Text));
      else
        ShowNovelText(DialogueText(line.Text));
      return TDialogueOutcome::TextShown;
    case TDialogueCommand::ClearPage: ClearPage(); break;
    case TDialogueCommand::SetMusic:
      if (adv)
        AdvMusic(line);
      else
        NovelMusic(line);
      break;
    case TDialogueCommand::SetSe:
      if (adv)
        AdvSound(line);
      else
        NovelSound(line);
      break;
    case TDialogueCommand::CleanBullet:
      if (Game_.EnemyControl) Game_.EnemyControl->ClearTamas();
      break;
    case TDialogueCommand::CleanEnemy:
      if (Game_.EnemyControl) Game_.EnemyControl->KillAllEnemies();
      break;
    case TDialogueCommand::GameMode:
      // The scene ends; the stage script runs again from the next frame. An
      // ADV scene may end this way too, to lead into play instead of back
      // to the title; its page is cleared, so the next ADV scene starts on
      // an empty one.
      if (adv) ClearPage();
      state.DialogueFrame = -1;
      Run_.ScriptMode = TScriptMode::Running;
      break;
    case TDialogueCommand::StageAdjustment: state.StartStageClear(); break;
    case TDialogueCommand::GameTerminate:
      Run_.EndGame();
      Game_.ChangeScene(TScene::Title);
      return TDialogueOutcome::SceneLeft;
  }
  return TDialogueOutcome::Next;
}

bool TDialogueCommands::Integer(const TScriptLine& line, std::string_view text, int32_t& value) {
  if (auto v = ParseDecimal(text, INT32_MIN, INT32_MAX)) {
    value = int32_t(*v);
    return true;
  }
  Run_.Errors.Report(line.Place, "expects a whole number, got " + QuotedText(text, "; the line is skipped"));
  return false;
}

// An ARGB colour written in decimal: as an unsigned value (4294967295 is
// opaque white) or as its signed 32-bit reading (-1 is the same white).
bool TDialogueCommands::Colour(const TScriptLine& line, std::string_view text, uint32_t& value) {
  if (auto v = ParseDecimal(text, INT32_MIN, UINT32_MAX)) {
    value = uint32_t(*v);
    return true;
  }
  Run_.Errors.Report(line.Place, "expects an ARGB colour as a whole number, got " + QuotedText(text, "; the line is skipped"));
  return false;
}

void TDialogueCommands::SetPicture(const TScriptLine& line, int32_t& picture) {
  int32_t n = 0;
  if (Integer(line, Arguments(line.Text), n)) picture = n;
}

void TDialogueCommands::ShowNovelText(std::string_view text) {
  TState& state = *Game_.State;
  for (size_t i = 0; i < kNovelLines; ++i) state.Dialogue.TextLines[i].reset();
  if (!Run_.TextWriter) return;
  const auto lines = NovelTextLines(text);
  // A part without text gets no texture.
  for (size_t i = 0; i < kNovelLines; ++i)
    if (!lines[i].empty())
      state.Dialogue.TextLines[i] = Run_.TextWriter->CreateTextTexture(lines[i], GameTextureFormats(), "");
}

void TDialogueCommands::ShowAdvText(std::string_view text) {
  TState& state = *Game_.State;
  const std::vector<std::string> lines = AdvTextLines(text);
  // The text continues the page after its last filled slot. Lines past slot
  // 11 are dropped, and a text that ran past it leaves the page to be
  // written again from slot 0 by the next text.
  const int64_t first = std::clamp<int64_t>(int64_t(state.Dialogue.TextLineCount) + 1, 0, kAdvPageLines);
  for (size_t k = 0; k < lines.size() && first + int64_t(k) < int64_t(kAdvPageLines); ++k) {
    std::unique_ptr<TMXTexture>& slot = state.Dialogue.TextLines[size_t(first) + k];
    slot.reset();
    if (Run_.TextWriter && !lines[k].empty()) slot = Run_.TextWriter->CreateTextTexture(lines[k], GameTextureFormats(), "");
  }
  if (lines.empty()) return;
  const int64_t last = first + int64_t(lines.size()) - 1;
  state.Dialogue.TextLineCount = last >= int64_t(kAdvPageLines) ? -1 : int32_t(last);
}

void TDialogueCommands::ClearPage() {
  TState& state = *Game_.State;
  for (auto& slot : state.Dialogue.TextLines) slot.reset();
  state.Dialogue.TextLineCount = -1;
}

// SETMUSIC(n) / SETMUSIC(n,p): music track n when music is on; with p, the
// cut-in of else picture p starts whether music is on or not.
void TDialogueCommands::NovelMusic(const TScriptLine& line) {
  const std::string args = Arguments(line.Text);
  const bool hasPicture = args.find(',') != std::string::npos;
  int32_t track = 0, picture = 0;
  if (!Integer(line, GetItem(args, 1), track)) return;
  if (hasPicture && !Integer(line, GetItem(args, 2), picture)) return;
  TState& state = *Game_.State;
  if (state.WhetherMusic) {
    if (Game_.Zudezu1) Game_.Zudezu1->Channel(TMusicPlayer::kChannel).Stop();
    state.PlayMusic(track);
  }
  if (hasPicture) {
    state.Dialogue.CutInPicture = picture;
    state.Dialogue.CutInFrame = 0;
  }
}

// SETMUSIC in an ADV scene always plays the scenes' tune on channel 0, with
// music on or off; the track number is not used. The next PlayMusic puts the
// music stream back (music_player.h).
void TDialogueCommands::AdvMusic(const TScriptLine& line) {
  const std::string args = Arguments(line.Text);
  const bool hasPicture = args.find(',') != std::string::npos;
  int32_t picture = 0;
  if (hasPicture && !Integer(line, GetItem(args, 2), picture)) return;
  TState& state = *Game_.State;
  if (Game_.Zudezu1) Game_.Zudezu1->Channel(TMusicPlayer::kChannel).Stop();
  if (auto file = Game_.Files.Resolve(kAdvTunePath)) state.Music().PlayWave(TMusicPlayer::kChannel, *file, std::nullopt);
  if (hasPicture) {
    state.Dialogue.CutInPicture = picture;
    state.Dialogue.CutInFrame = 0;
  }
}

// SETSE(n) in a novel scene: "data\Music\BGM\" + n + ".wav" on channel 1
// when music is on, at MusicVolume x 50 - 5000 hundredths of a decibel
// (kept within silent..full).
void TDialogueCommands::NovelSound(const TScriptLine& line) {
  int32_t n = 0;
  if (!Integer(line, Arguments(line.Text), n)) return;
  TState& state = *Game_.State;
  if (!state.WhetherMusic) return;
  auto file = Game_.Files.Resolve("data\\Music\\BGM\\" + std::to_string(n) + ".wav");
  if (!file) return;
  const int64_t volume = std::clamp<int64_t>(int64_t(state.MusicVolume) * 50 - 5000, -10000, 0);
  state.Music().PlayWave(1, *file, int32_t(volume));
}

// SETSE(n) in an ADV scene: sound table entry n on channel 9.
void TDialogueCommands::AdvSound(const TScriptLine& line) {
  int32_t n = 0;
  if (!Integer(line, Arguments(line.Text), n)) return;
  TZudezuWaveData* sound = Game_.SoundList ? Game_.SoundList->Get(n) : nullptr;
  if (!sound || !Game_.Zudezu1) return;
  TZudezuChannel& channel = Game_.Zudezu1->Channel(9);
  channel.SetWaveData(sound);
  channel.Play();
}

}  // namespace vuzed
