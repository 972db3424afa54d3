// A crowded playfield, pass by pass the way the frame loop runs it: 200
// enemies each running a 30-line script that fires every built-in bullet
// kind, scripted bullets and lasers, until well over 10,000 bullets fly;
// then whole game frames are timed. The same again with every expression
// going through the reference evaluator gives the ratio.
//
// Counters: mean_ms and worst_ms per frame, allocs_per_frame (calls of the
// global operator new while measuring, per frame), and the bullets and
// enemies alive while measuring.

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <filesystem>
#include <fstream>
#include <sstream>
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

// Every allocation of the program is counted here.
std::atomic<uint64_t> gAllocations{0};

void* CountedAllocation(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void* operator new(std::size_t size) { return CountedAllocation(size); }
void* operator new[](std::size_t size) { return CountedAllocation(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

namespace fs = std::filesystem;

// The crowded stage (bench/crowded/Stage1.txt): enemies appear one per
// frame at random places and stay; each fires slow bullets of every kind on
// frames of its own, so that about twenty bullets are born per frame and
// live some 900 frames. `vuzed-tool run` plays the same file with the
// game's pictures for the draw-call figure (bench/README.md).
std::string CrowdedStage() {
  std::ifstream in(fs::path(VUZED_BENCH_SOURCE_DIR) / "crowded/Stage1.txt", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

constexpr int kWarmUpFrames = 1000;

void RunStress(benchmark::State& state, bool reference) {
  std::string pattern = (fs::temp_directory_path() / "vuzed-stress-XXXXXX").string();
  const fs::path root = mkdtemp(pattern.data());
  fs::create_directories(root / "data/Script");
  std::ofstream(root / "data/Script/Stage1.txt") << CrowdedStage();

  vuzed::NullRenderBackend render;
  render.Record = false;
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
    const uint64_t allocationsBefore = gAllocations.load();
    for (auto _ : state) {
      const auto start = std::chrono::steady_clock::now();
      frame();
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      total += ms;
      worst = std::max(worst, ms);
      bullets += c.EnemyControl->Tamas.size();
    }
    const double frames = double(state.iterations());
    state.counters["allocs_per_frame"] = double(gAllocations.load() - allocationsBefore) / frames;
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
