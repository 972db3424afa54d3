#pragma once
// A stage built from a few procedure texts and started the way the title
// starts a game, for the enemy, enemy-control and item tests.

#include <gtest/gtest.h>

#include <string>

#include "enemy/enemy_control.h"
#include "player/player_control.h"
#include "stage/script_run.h"
#include "game/game_context.h"
#include "support/game_fixture.h"

namespace vuzed::test {

struct EnemyStage : ::testing::Test {
  // `names` are declared in TYPE; `procedures` are their definitions; MAIN
  // gets `mainBody` between BEGIN and END.
  void Load(const std::string& names, const std::string& procedures, const std::string& mainBody) {
    std::string declarations;
    for (size_t start = 0; start < names.size();) {
      size_t comma = names.find(',', start);
      declarations += "  procedure " + names.substr(start, comma - start) + ";\n";
      start = comma == std::string::npos ? names.size() : comma + 1;
    }
    g.Dir.Write("data/Script/Stage1.txt", "type\n  procedure OPENING;\n  procedure MAIN;\n" + declarations +
                                              "end;\nprocedure OPENING;\nbegin\n  SetShotMode(VERTICAL);\nend;\n" +
                                              procedures + "procedure MAIN;\nbegin\n" + mainBody + "\nend;\n");
    g.Start();
    g.Game().ChangeScene(TScene::Game);
    g.Game().PlayerControl->ResetPlayer();
    g.Game().PlayerControl->Ship.Lives = 3;
    g.Form->GameStart(1);
  }
  TEnemyControl& Control() { return *g.Game().EnemyControl; }
  TEnemy& Enemy(size_t i) { return *Control().Enemies.at(i); }
  TPlayer& Ship() { return g.Game().PlayerControl->Ship; }
  size_t Reports() { return g.Game().ScriptRun->Errors.Count(); }

  GameFixture g;
};

// "procedure NAME;\nvar ...\nbegin\n" + body + "end;\n" with an optional header
// block (an IF OPENING block of KEY:=value lines).
inline std::string EnemyDefinition(const std::string& name, const std::string& header, const std::string& body,
                                   const std::string& vars = "") {
  std::string text = "procedure " + name + ";\n";
  if (!vars.empty()) text += "var\n" + vars;
  text += "begin\n";
  if (!header.empty()) text += "  if opening then\n  begin\n" + header + "  end;\n";
  return text + body + "end;\n";
}

}  // namespace vuzed::test
