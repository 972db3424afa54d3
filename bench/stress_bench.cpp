// A crowded playfield, pass by pass the way the frame loop runs it: 200
// enemies each running a 30-line script that fires every built-in bullet
// kind, scripted bullets and lasers, until well over 10,000 bullets fly;
// then whole game frames are timed. The same again with every expression
// going through the reference evaluator gives the ratio.
//
// Counters: mean_ms and worst_ms per frame, and the bullets and enemies
// alive while measuring.

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "enemy/enemy_control.h"
#include "engine/platform/clock.h"
#include "engine/platform/null_render_backend.h"
#include "engine/platform/scripted_input_source.h"
#include "engine/platform/window_host.h"
#include "player/player_control.h"
#include "script/compiled_evaluator.h"
#include "game/game_context.h"
#include "shell/main_form.h"

namespace {

namespace fs = std::filesystem;

// Enemies appear one per frame at random places and stay; each fires slow
// bullets of every kind on frames of its own (its count plus its x), so
// that about twenty bullets are born per frame and live some 900 frames.
// (Conditions hold no parentheses, hence T.)
constexpr const char* kStage = R"(type
  procedure OPENING;
  procedure MAIN;
  procedure SWARM;
  procedure DRIFT;
end;

procedure OPENING;
begin
  SetShotMode(VERTICAL);
end;

procedure DRIFT;
begin
  if count = 1 then
  begin
    SetX(B1);
    SetY(B2);
    SetSpeed(0.5);
    SetAngle(B3);
  end;
  if count % 30 = 0 then SetAngle(GetAngle + 7);
end;

procedure SWARM;
var
  I: single;
  T: single;
  R: single;
begin
  if opening then
  begin
    X := 200;
    Y := 100;
    HP := 100000;
    ATARI := 0;
  end;
  if count = 1 then
  begin
    SetX(Random(360) + 20);
    SetY(Random(160) + 20);
    R := 12;
  end;
  T := count + GetSelfX;
  if T % 80 = 0 then
  begin
    for I := 0 to 2 do
    begin
      BU01(0.5, I * 120 + count, 15);
    end;
  end;
  if T % 80 = 20 then BU17(0.6, 90, 30, GetAngleToPlayer, 0.5, 25);
  if T % 80 = 40 then BU20(0.5, 45, 20, 90, 0.6, 60, 135, 0.5, 55);
  if T % 80 = 50 then BU21(0.5, 60 + I, 30 + R, 90, 0.5, 90, GetAngleToPlayer, 0.55, 85);
  if T % 80 = 60 then BU22(0.7, 120, 40, 60, 0.6, 75);
  if T % 80 = 70 then CreateBullet(DRIFT, GetSelfX, GetSelfY, count % 360);
  if T % 80 = 10 then BU02(GetSelfX + Cos(count * 3) * R, GetSelfY, 0.5, 100, 105);
  if T % 600 = 300 then LA01(GetSelfX, GetSelfY, 90, 16, 8, 60, 60, 110);
  if T % 800 = 100 then LA02(GetSelfX, GetSelfY, 45, 16, 8, 60, 60, 111, 0.5, 0);
  R := R + 0.0001;
end;

procedure MAIN;
begin
  if time <= 200 then CreateEnemy(SWARM);
end;
)";

constexpr int kWarmUpFrames = 1000;

void RunStress(benchmark::State& state, bool reference) {
  std::string pattern = (fs::temp_directory_path() / "vuzed-stress-XXXXXX").string();
  const fs::path root = mkdtemp(pattern.data());
  fs::create_directories(root / "data/Script");
  std::ofstream(root / "data/Script/Stage1.txt") << kStage;

  vuzed::NullRenderBackend render;
  vuzed::NullWindowHost window;
  vuzed::ScriptedInputSource input;
  vuzed::ManualClock clock;
  vuzed::TPlatform platform{&render, &window, &input, &clock};
  vuzed::TCompiledEvaluator::SetReferenceMode(reference);
  {
    vuzed::TForm1 form(platform, root);
    form.Timer1Timer();
    vuzed::TGameContext& c = form.Context();
    c.RandSeed = 1;
    c.Scene = vuzed::TScene::Game;
    c.PlayerControl->ResetPlayer();
    c.PlayerControl->Ship.Lives = 3;
    c.PlayerControl->Invincible = true;
    form.GameStart(1);
    // One pass of the frame loop: the game step and drawing the frame.
    int64_t pass = 0;
    auto frame = [&] {
      ++pass;
      clock.Now = double(pass) / 60.0;
      form.RunPass(float(clock.Now));
    };
    for (int i = 0; i < kWarmUpFrames; ++i) frame();

    double total = 0, worst = 0;
    size_t bullets = 0;
    for (auto _ : state) {
      const auto start = std::chrono::steady_clock::now();
      frame();
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      total += ms;
      worst = std::max(worst, ms);
      bullets += c.EnemyControl->Tamas.size();
    }
    const double frames = double(state.iterations());
    state.counters["mean_ms"] = total / frames;
    state.counters["worst_ms"] = worst;
    state.counters["bullets"] = double(bullets) / frames;
    state.counters["enemies"] = double(c.EnemyControl->Enemies.size());
  }
  vuzed::TCompiledEvaluator::SetReferenceMode(false);
  fs::remove_all(root);
}

void BM_CrowdedFrameCompiled(benchmark::State& state) { RunStress(state, false); }
void BM_CrowdedFrameReference(benchmark::State& state) { RunStress(state, true); }

BENCHMARK(BM_CrowdedFrameCompiled)->Unit(benchmark::kMillisecond)->Iterations(600);
BENCHMARK(BM_CrowdedFrameReference)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace
