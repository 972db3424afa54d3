#pragma once
// A stage whose MAIN opens one dialogue procedure at a given TIME, started
// the way the title starts a game, and a check that a dialogue slot shows
// exactly a given text.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/graphics/texture.h"
#include "player/player_control.h"
#include "stage/script_run.h"
#include "game/game_context.h"
#include "state/state.h"
#include "support/game_fixture.h"

namespace vuzed::test {

struct DialogueStage {
  // mode: "NovelMode" or "AdvMode"; body: the dialogue procedure's lines.
  void Load(const std::string& mode, const std::string& body, int time = 5, const std::string& layout = "VERTICAL") {
    g.Dir.Write("data/Script/Stage1.txt",
                "type\n  procedure OPENING;\n  procedure MAIN;\n  procedure TALK;\nend;\n"
                "procedure OPENING;\nbegin\n  SetShotMode(" + layout + ");\nend;\n"
                "procedure TALK;\nbegin\n" + body + "end;\n"
                "procedure MAIN;\nbegin\n  if time = " + std::to_string(time) + " then " + mode + "(TALK);\nend;\n");
    g.Start();
    g.Game().ChangeScene(TScene::Game);
    g.Game().PlayerControl->ResetPlayer();
    g.Game().PlayerControl->Ship.Lives = 3;
    g.Form->GameStart(1);
  }
  TScriptRun& Run() { return *g.Game().ScriptRun; }
  TState& State() { return *g.Game().State; }

  // The texture holds exactly what the dialogue's text writer makes of text.
  ::testing::AssertionResult Shows(const TMXTexture* texture, const std::string& text) {
    if (!texture) return ::testing::AssertionFailure() << "no texture where \"" << text << "\" should be";
    auto expected = Run().TextWriter->CreateTextTexture(text, GameTextureFormats(), "");
    const auto* a = texture->Image();
    const auto* b = expected->Image();
    if (texture->Width() != expected->Width() || !a || !b || a->Width != b->Width || a->Height != b->Height || a->Pitch != b->Pitch ||
        std::memcmp(a->Pixels, b->Pixels, size_t(a->Pitch) * size_t(a->Height)) != 0)
      return ::testing::AssertionFailure() << "the texture (" << texture->Width() << " wide) is not \"" << text
                                           << "\" (" << expected->Width() << " wide)";
    return ::testing::AssertionSuccess();
  }

  GameFixture g;
};

}  // namespace vuzed::test
