// A stage MAIN of 300 IF lines testing TIME, run once per frame the way the
// frame loop runs it.

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/platform/clock.h"
#include "engine/platform/null_render_backend.h"
#include "engine/platform/scripted_input_source.h"
#include "engine/platform/window_host.h"
#include "stage/script_run.h"
#include "shell/main_form.h"

namespace {

std::string StageWithIfLines(int count) {
  std::string text = "type\nprocedure OPENING;\nprocedure MAIN;\nprocedure E;\nend;\n";
  text += "procedure E;\nbegin\nend;\nprocedure OPENING;\nbegin\n  SetShotMode(VERTICAL);\nend;\n";
  text += "procedure MAIN;\nbegin\n";
  for (int i = 0; i < count; ++i)
    text += "  if time = " + std::to_string(100000 + i * 7) + " then CreateEnemy(E);\n";
  text += "end;\n";
  return text;
}

void BM_StageMainOf300Ifs(benchmark::State& state) {
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "vuzed-bench-XXXXXX").string();
  fs::path root = mkdtemp(pattern.data());
  fs::create_directories(root / "data/Script");
  std::ofstream(root / "data/Script/Stage1.txt") << StageWithIfLines(300);

  vuzed::NullRenderBackend render;
  vuzed::NullWindowHost window;
  vuzed::ScriptedInputSource input;
  vuzed::ManualClock clock;
  vuzed::TPlatform platform{&render, &window, &input, &clock};
  {
    vuzed::TForm1 form(platform, root);
    form.Timer1Timer();
    form.Context().Scene = vuzed::TScene::Game;
    form.GameStart(1);
    vuzed::TScriptRun& run = *form.Context().ScriptRun;
    for (auto _ : state) {
      run.RunFrame();
      if (run.MainCount > 90000) run.MainCount = 0;  // no IF ever holds
    }
    state.SetItemsProcessed(state.iterations());
  }
  fs::remove_all(root);
}
BENCHMARK(BM_StageMainOf300Ifs)->Unit(benchmark::kMicrosecond);

}  // namespace
