// The bullet list at its limit: 100,000 live straight bullets (BU01's kind,
// a turning picture of the game's own) spread over the playfield around the
// ship, each frame moved, tested against the playfield's bounds, graze- and
// hit-tested against the ship and queued as sprites - the enemy control's
// own step. Beside it the same arithmetic as a bare loop over packed floats,
// in the same run: `bare_ratio` is how many times slower the game's list is.
//
// Counters: mean_ms (the game's list), bare_ms (the bare loop), bare_ratio,
// bullets.

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "back/background.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/sprite.h"
#include "enemy/enemy_control.h"
#include "enemy/enemy_tama.h"
#include "engine/platform/clock.h"
#include "engine/platform/null_render_backend.h"
#include "engine/platform/scripted_input_source.h"
#include "engine/platform/window_host.h"
#include "game/game_context.h"
#include "player/player_control.h"
#include "shell/main_form.h"

namespace {

namespace fs = std::filesystem;

constexpr int kBullets = 100000;
constexpr int kPicture = 25;  // a turning grain of radius 6
constexpr int kWarmUpFrames = 5;

constexpr const char* kStage = R"(type
  procedure MAIN;
end;

procedure MAIN;
begin
end;
)";

// Where and how fast each bullet starts: the same for the game and the bare
// loop. Slow enough that none leaves the field while measured.
struct TStart {
  float X, Y, Angle, Speed;
};

std::vector<TStart> Starts() {
  std::vector<TStart> starts;
  uint32_t seed = 7;
  auto next = [&](float range) {
    seed = seed * 1664525u + 1013904223u;
    return float(seed >> 8) / float(1 << 24) * range;
  };
  for (int i = 0; i < kBullets; ++i) starts.push_back({next(400), next(450), next(360), 0.01f + next(0.05f)});
  return starts;
}

// The same work over packed arrays: move, stay inside the bounds, the box and
// circle tests against the graze and hit circles, and the same sprite record
// queued from the bullet's position and its turned corners.
using TBareSprite = vuzed::TSpriteRecord;

double BareFrame(std::vector<float>& x, std::vector<float>& y, const std::vector<float>& dx,
                 const std::vector<float>& dy, const std::vector<float>& corners, std::vector<TBareSprite>& queue,
                 float px, float py, int& grazes) {
  const auto start = std::chrono::steady_clock::now();
  const size_t n = x.size();
  size_t queued = 0;
  for (size_t i = 0; i < n; ++i) {
    x[i] += dx[i];
    y[i] += dy[i];
    if (!(x[i] >= -100 && x[i] <= 520 && y[i] >= -100 && y[i] <= 550)) continue;
    const float ex = x[i] - px, ey = y[i] - py;
    if (std::fabs(ex) < 6 + 20 && std::fabs(ey) < 6 + 20 && ex * ex + ey * ey < 26.0f * 26.0f) ++grazes;
    TBareSprite& s = queue[queued++];
    s.Smooth = true;
    s.BlendMode = 2;
    s.X = x[i] + 32;
    s.Y = y[i] + 16;
    for (int k = 0; k < 4; ++k)
      s.Vertices[k] = {corners[i * 8 + size_t(k) * 2], corners[i * 8 + size_t(k) * 2 + 1], 0xFFFFFFFF, float(k & 1),
                       float(k >> 1)};
  }
  benchmark::DoNotOptimize(queue.data());
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void BM_HundredThousandBullets(benchmark::State& state) {
  const fs::path gameData = VUZED_GAME_DATA;
  if (!fs::exists(gameData / "Graphic/Bullet")) {
    state.SkipWithError("the generated pictures are missing: build the game's data first");
    return;
  }
  std::string pattern = (fs::temp_directory_path() / "vuzed-bullets-XXXXXX").string();
  const fs::path root = mkdtemp(pattern.data());
  fs::create_directories(root / "data/Script");
  std::ofstream(root / "data/Script/Stage1.txt") << kStage;
  fs::create_directory_symlink(gameData / "Graphic", root / "data/Graphic");

  vuzed::NullRenderBackend render;
  render.Record = false;
  vuzed::NullWindowHost window;
  vuzed::ScriptedInputSource input;
  vuzed::ManualClock clock;
  vuzed::TPlatform platform{&render, &window, &input, &clock};
  const std::vector<TStart> starts = Starts();
  {
    vuzed::TForm1 form(platform, root);
    form.Timer1Timer();
    vuzed::TGameContext& c = form.Context();
    c.Scene = vuzed::TScene::Game;
    c.PlayerControl->ResetPlayer();
    c.PlayerControl->Invincible = true;
    form.GameStart(1);
    form.RunPass(1.0f / 60);
    vuzed::TEnemyControl& list = *c.EnemyControl;
    list.ClearTamas();
    for (const TStart& s : starts)
      list.Tamas.push_back(std::make_unique<vuzed::TEnemyBullet1>(c, s.X, s.Y, s.Angle, s.Speed, kPicture));
    vuzed::TVZScene& scene = c.BackGround->Scene();
    auto step = [&] {
      const auto start = std::chrono::steady_clock::now();
      list.Update();
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      scene.Render(nullptr);  // empties the queues; not measured
      return ms;
    };
    for (int i = 0; i < kWarmUpFrames; ++i) step();

    // The bare loop's arrays, made from the same bullets.
    std::vector<float> x, y, dx, dy, corners;
    for (const auto& b : list.Tamas) {
      x.push_back(b->TamaX);
      y.push_back(b->TamaY);
      dx.push_back(b->TamaIdouX);
      dy.push_back(b->TamaIdouY);
      for (int k = 0; k < 4; ++k) {
        const double a = double(b->Angle) * 3.141592653589793 / 180 + k * 1.5707963267948966;
        corners.push_back(float(std::cos(a) * 8));
        corners.push_back(float(std::sin(a) * 8));
      }
    }
    std::vector<TBareSprite> queue(x.size());
    int grazes = 0;
    const float px = c.PlayerControl->Ship.X, py = c.PlayerControl->Ship.Y;

    double total = 0, bare = 0;
    for (auto _ : state) {
      total += step();
      bare += BareFrame(x, y, dx, dy, corners, queue, px, py, grazes);
    }
    benchmark::DoNotOptimize(grazes);
    const double frames = double(state.iterations());
    state.counters["mean_ms"] = total / frames;
    state.counters["bare_ms"] = bare / frames;
    state.counters["bare_ratio"] = bare > 0 ? total / bare : 0.0;
    state.counters["bullets"] = double(list.Tamas.size());
  }
  fs::remove_all(root);
}

BENCHMARK(BM_HundredThousandBullets)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace
