#include "shell/run_stats.h"

#include <algorithm>
#include <cstdio>

#include "enemy/enemy_control.h"

namespace vuzed {

void TRunStats::BeginPass(const RenderBackend& render) {
  Before_ = render.DrawCounts();
  PassStart_ = TClock::now();
}

void TRunStats::EndPass(const RenderBackend& render, const TEnemyControl& objects) {
  const double seconds = std::chrono::duration<double>(TClock::now() - PassStart_).count();
  ++Passes_;
  TotalSeconds_ += seconds;
  if (seconds > WorstSeconds_) {
    WorstSeconds_ = seconds;
    WorstPass_ = Passes_;
  }
  const RenderBackend::TDrawCounts after = render.DrawCounts();
  DrawCalls_ += after.DrawCalls - Before_.DrawCalls;
  Sprites_ += after.Sprites - Before_.Sprites;
  PeakEnemies_ = std::max(PeakEnemies_, objects.Enemies.size());
  PeakBullets_ = std::max(PeakBullets_, objects.Tamas.size());
  PeakItems_ = std::max(PeakItems_, objects.Items.size());
  PeakEffects_ = std::max(PeakEffects_, objects.Effects.size());
}

std::string TRunStats::Text() const {
  const double passes = Passes_ > 0 ? double(Passes_) : 1.0;
  const double fps = TotalSeconds_ > 0 ? double(Passes_) / TotalSeconds_ : 0.0;
  char line[440];
  std::snprintf(line, sizeof line,
                "stats: %lld passes in %.2f s, %.1f frames/s; frame mean %.3f ms, worst %.3f ms (pass %lld); "
                "%.1f draw calls and %.1f sprites per frame; peak %zu enemies, %zu bullets, %zu items, %zu effects",
                static_cast<long long>(Passes_), TotalSeconds_, fps, TotalSeconds_ * 1000.0 / passes,
                WorstSeconds_ * 1000.0, static_cast<long long>(WorstPass_), double(DrawCalls_) / passes,
                double(Sprites_) / passes, PeakEnemies_, PeakBullets_, PeakItems_, PeakEffects_);
  return line;
}

}  // namespace vuzed
